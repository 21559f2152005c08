// Opens a small form in a real window: a button-like control counts its
// clicks (a right click offers a menu), the keys typed on the form show in its caption, and a timer moves
// a marker along the bottom edge. Close the window to quit.
#include <orvkit.h>

#include "framework/backends/sdl2/sdl2backend.h"
#include "framework/controls/application.h"
#include "framework/controls/customcontrol.h"
#include "framework/controls/timers.h"
#include "framework/forms/form.h"
#include "framework/forms/menus.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/sysutils.h"

#include <cstdio>
#include <exception>

namespace {

using namespace orv;

class TClickPad : public TCustomControl {
 public:
  explicit TClickPad(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(ControlStyle() + TControlStyle{csCaptureMouse});
    SetTabStop(true);
  }
  int Clicks = 0;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Clicks % 2 ? clNavy : clWhite);
    Canvas()->FillRect(ClientRect());
    Canvas()->Font()->SetColor(Clicks % 2 ? clWhite : clNavy);
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->TextOut(8, 8, u"Clicks: " + IntToStr(Clicks));
  }
};

}  // namespace

int main() {
  try {
    UseSdl2Backend();
  } catch (const std::exception& E) {
    std::fprintf(stderr, "sdl2demo: %s\n", E.what());
    return 1;
  }
  auto* Form = new TForm(nullptr);
  Form->SetCaption(u"orvkit SDL2 demo");
  Form->SetBounds(100, 100, 320, 160);
  Form->SetKeyPreview(true);

  auto* Pad = new TClickPad(Form);
  Pad->SetParent(Form);
  Pad->SetBounds(20, 20, 280, 80);
  Pad->SetOnClick([Pad](TObject*) {
    ++Pad->Clicks;
    Pad->Invalidate();
  });

  // A right click on the pad drops this menu.
  TMenuItem* PadItems[] = {NewItem(u"Reset count", 0, false, true,
                                   [Pad](TObject*) {
                                     Pad->Clicks = 0;
                                     Pad->Invalidate();
                                   },
                                   0, u"Reset"),
                           NewItem(u"Add ten", 0, false, true,
                                   [Pad](TObject*) {
                                     Pad->Clicks += 10;
                                     Pad->Invalidate();
                                   },
                                   0, u"AddTen")};
  Pad->SetPopupMenu(NewPopupMenu(Form, u"PadMenu", paLeft, true, PadItems));

  String Typed;
  Form->SetOnKeyPress([&](TObject*, Char& Key) {
    if (Key >= u' ') Typed += Key;
    Form->SetCaption(u"Typed: " + Typed);
  });

  // A marker that runs along the bottom of the form, driven by a timer.
  int Marker = 0;
  Form->SetOnPaint([&](TObject*) {
    TCanvas* C = Form->Canvas();
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(TRect{0, 120, Form->Width(), 140});
    C->Brush()->SetColor(clRed);
    C->FillRect(TRect{Marker, 124, Marker + 12, 136});
  });
  const HWND Ticker = AllocateHWnd([&](TMessage& M) {
    if (M.Msg != WM_TIMER) return;
    Marker = (Marker + 4) % (Form->Width() - 12);
    Form->InvalidateRect(TRect{0, 120, Form->Width(), 140});
  });
  SetTimer(Ticker, 1, 40, nullptr);

  Application->SetMainForm(Form);
  Form->Show();
  Application->Run();
  DeallocateHWnd(Ticker);
  delete Form;
  return 0;
}
