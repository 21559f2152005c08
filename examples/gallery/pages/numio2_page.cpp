// Numeric fields: one per input format, with captions, spin buttons,
// snapping pivots, a gauge, the out-of-range warning and a disabled field.

#include "examples/gallery/pages.h"
#include "framework/controls/application.h"
#include "framework/controls/label.h"
#include "framework/controls/sim.h"
#include "numio/numio2.h"

using namespace orv;

namespace {

class TNumIO2Page : public TForm {
 public:
  explicit TNumIO2Page(TComponent* AOwner) : TForm(AOwner) {
    SetCaption(u"Numeric fields");
    SetBounds(0, 0, 560, 300);
    Title(16, 12, u"Formats");
    Field(16, 36, u"Float", u"V", itFloat)->SetValue(3.25);
    auto* Fix = Field(16, 72, u"Fixed", u"mm", itFixPoint);
    Fix->SetFixPointDecPlaces(3);
    Fix->SetValue(12.5);
    Field(16, 108, u"Exp", u"Hz", itExp)->SetValue(0.000123);
    auto* Hex = Field(16, 144, u"Hex", u"", itHex);
    Hex->SetRangeHigh(65535);
    Hex->SetValue(48879);
    auto* Dyn = Field(16, 180, u"Any", u"", itDynamic);
    Dyn->SetText(u"%1011");
    auto* Warn = Field(16, 216, u"Temp", u"\u00B0C", itInt);
    Warn->SetRangeHigh(100);
    Warn->SetValue(140);
    auto* Off = Field(16, 252, u"Off", u"kg", itFloat);
    Off->SetValue(7);
    Off->SetEnabled(false);

    Title(290, 12, u"Spin buttons, pivots, gauge");
    Spin = Field(290, 36, u"Step", u"A", itFloat);
    Spin->SetButVisible(true);
    Spin->SetButIncrem(0.25);
    Spin->SetValue(1.5);
    Pivot = Field(290, 72, u"Range", u"V", itFixPoint);
    Pivot->SetButVisible(true);
    Pivot->ButtonPivots = {0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 50, 100};
    Pivot->SetRangeHigh(100);
    Pivot->SetValue(5);
    Gauge = Field(290, 120, u"Level", u"%", itInt);
    Gauge->SetHeight(40);
    Gauge->SetButHeight(26);
    Gauge->SetButVisible(true);
    Gauge->SetGaugeVisible(true);
    Gauge->SetGaugeLeftMargin(45);
    Gauge->SetGaugeWidth(102);
    Gauge->SetRangeLow(0);
    Gauge->SetRangeHigh(100);
    Gauge->SetValue(65);
    auto* Left = Field(290, 176, u"Left", u"", itFloat);
    Left->SetAlignment(taLeftJustify);
    Left->SetFrameStyle(fsRaised);
    Left->SetValue(-42);
  }

  TNumIO2* Spin = nullptr;
  TNumIO2* Pivot = nullptr;
  TNumIO2* Gauge = nullptr;

 private:
  void Title(int X, int Y, const String& Caption) {
    auto* L = new TLabel(this);
    L->SetParent(this);
    L->SetLeft(X);
    L->SetTop(Y);
    L->SetCaption(Caption);
    L->Font()->SetStyle(TFontStyles{fsBold});
  }
  TNumIO2* Field(int X, int Y, const String& Left, const String& Right, TInFormat Format) {
    auto* N = new TNumIO2(this);
    N->SetParent(this);
    N->SetBounds(X, Y, 230, 28);
    N->SetLeftSpace(45);
    N->SetTextBoxWidth(100);
    N->SetLeftText(Left);
    N->SetRightText(Right);
    N->SetInputFormat(Format);
    N->SetRangeLow(-1000);
    return N;
  }
};

}  // namespace

ORV_GALLERY_PAGE(numio2, u"Numeric fields", [] { return new TNumIO2Page(nullptr); },
                 [](TForm* Form) {
                   auto* P = static_cast<TNumIO2Page*>(Form);
                   // One step up on each spinner, a click into the gauge,
                   // and typing at the end of the first field.
                   const int Bx = P->Spin->LeftSpace() + P->Spin->TextBoxWidth() + P->Spin->ButSpace() + 8;
                   sim::Click(P->Spin, Bx, 6);
                   sim::Click(P->Pivot, Bx, 6);
                   sim::Click(P->Gauge, P->Gauge->GaugeLeftMargin() + 20, 35);
                   P->Spin->SetFocus();
                   sim::KeyDown(P->Spin, VK_END, TShiftState{});
                   sim::TypeText(P->Spin, u"5");
                   // Half a second on, only the focused field still shows its caret.
                   Application->AdvanceTime(1000);
                 });
