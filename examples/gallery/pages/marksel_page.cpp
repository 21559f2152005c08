// Gallery page of the mark selector: every symbol, and a second selector
// with a few symbols hidden, a selection and its own colours.

#include "examples/gallery/pages.h"
#include "framework/controls/label.h"
#include "framework/controls/sim.h"
#include "framework/rtl/sysutils.h"
#include "marksel/marksel.h"

using namespace orv;

namespace {

class TMarkSelPage : public TForm {
 public:
  explicit TMarkSelPage(TComponent* AOwner) : TForm(AOwner) {
    SetCaption(u"Mark selector");
    SetBounds(0, 0, 540, 240);
    All = new TMarkSel(this);
    All->SetParent(this);
    All->SetBounds(16, 16, 236, 178);
    auto* Some = new TMarkSel(this);
    Some->SetParent(this);
    Some->SetBounds(276, 16, 236, 178);
    Some->SetNrOfColumns(6);
    Some->SetNrOfRows(5);
    for (int I = 13; I <= 38; ++I) Some->SetVis(I, false);
    Some->SetSelected(9);
    Some->SetColorBackGnd(0xFFF8F0);
    Some->SetColorMarks(0x804000);
    Some->SetFrameStyle(fsLowered);
    Info = new TLabel(this);
    Info->SetParent(this);
    Info->SetBounds(16, 204, 300, 20);
    Info->SetCaption(u"Click a symbol");
    All->SetOnMarkClick([this](TObject*, int, int, int Mark) { Info->SetCaption(u"Symbol " + IntToStr(Mark)); });
  }

  // Drive: the pointer over a symbol, then a click on another.
  void Step() {
    sim::MouseMove(All, TShiftState{}, 14 + 3 * 29, 14 + 29);
    sim::Click(All, 14 + 5 * 29, 14 + 2 * 29);
    sim::MouseMove(All, TShiftState{}, 14 + 29, 14 + 4 * 29);
  }

 private:
  TMarkSel* All = nullptr;
  TLabel* Info = nullptr;
};

}  // namespace

ORV_GALLERY_PAGE(marksel, u"Mark selector", [] { return new TMarkSelPage(nullptr); },
                 [](TForm* Page) { static_cast<TMarkSelPage*>(Page)->Step(); });
