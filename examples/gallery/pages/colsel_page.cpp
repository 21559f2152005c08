// Colour selection: two colour selectors (one with editable entries: drop
// it down with the pointer over a bar to change that colour) and colour
// buttons that open the colour dialog.
#include "colsel/colbut.h"
#include "colsel/colsel.h"
#include "examples/gallery/pages.h"
#include "framework/controls/label.h"
#include "framework/forms/colordialog.h"

namespace {

using namespace orv;

class TColSelPage : public TForm {
 public:
  TColSelPage() : TForm(nullptr) {
    SetCaption(u"Colour selection");
    SetBounds(0, 0, 460, 300);
    Standard = AddSelector(16, 16, u"Standard palette");
    Standard->LoadStandardPalette();
    Standard->SetDropDownCount(10);
    TColSel* Basic = AddSelector(240, 16, u"Basic colours, editable");
    Basic->LoadBasicVGAPalette();
    Basic->SetAllColorEditFlags();
    Basic->SetSelColor(clTeal);

    auto* Dialog = new TColorDialog(this);
    const TColor Colours[] = {0x2040C0, 0x80E0F0, 0x406020};
    for (int I = 0; I < 3; ++I) {
      auto* B = new TColorButton(this);
      B->SetParent(this);
      B->SetBounds(16 + I * 104, 120, 96, 48);
      B->SetColor(Colours[I]);
      B->SetCaption(u"Pick");
      B->SetColorDialog(Dialog);
    }
    Shown = new TLabel(this);
    Shown->SetParent(this);
    Shown->SetBounds(16, 190, 420, 20);
    Standard->SetOnChange([this](TObject*) { Show(); });
    Show();
  }
  TColSel* Standard = nullptr;

 private:
  TColSel* AddSelector(int X, int Y, const String& Title) {
    auto* L = new TLabel(this);
    L->SetParent(this);
    L->SetBounds(X, Y, 200, 18);
    L->SetCaption(Title);
    auto* S = new TColSel(this);
    S->SetParent(this);
    S->SetBounds(X, Y + 22, 200, 24);
    return S;
  }
  void Show() { Shown->SetCaption(u"Selected: " + Standard->GetSelColorID()); }
  TLabel* Shown = nullptr;
};

}  // namespace

ORV_GALLERY_PAGE(colsel, u"Colours", [] { return new TColSelPage(); }, [](TForm* Page) {
  auto* P = static_cast<TColSelPage*>(Page);
  P->Standard->SetSelColor(clSkyBlue);
  P->Standard->SetDroppedDown(true);
});
