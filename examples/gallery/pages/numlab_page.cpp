// Gallery page of the numeric label: one label per display type, a
// transparent one over a coloured panel, a disabled one and an overflow.

#include <array>
#include <cmath>

#include "examples/gallery/pages.h"
#include "framework/controls/label.h"
#include "framework/controls/panel.h"
#include "framework/rtl/dateutils.h"
#include "numlab/numlab.h"

using namespace orv;

namespace {

struct TSample {
  const char16_t* Caption;
  TDisplay Type;
  double Value;
  int Precision;
  const char16_t* Unit;
};

constexpr std::array<TSample, 15> kSamples{{
    {u"Float", dtFloat, 1234.5678, 6, u"V"},
    {u"Fixed", dtFixP, 3.14159, 3, u"rad"},
    {u"Exp", dtExp, 0.000123456, 4, u"A"},
    {u"Hex", dtHex, 48879, 6, u"h"},
    {u"Zero", dtZeroInt, 42, 5, u"pcs"},
    {u"Int", dtInt, -273.5, 0, u"K"},
    {u"Date", dtDateTime, 0, 0, u""},
    {u"State", dtState, 1, 0, u""},
    {u"Bin", dtBin, 165, 8, u"b"},
    {u"Oct", dtOct, 511, 0, u"o"},
    {u"Deg", dtDeg, 47.3769, 3, u"N"},
    {u"DM", dtDegMin, 8.5417, 2, u"E"},
    {u"DMS", dtDegMinSec, 47.3769, 1, u"N"},
    {u"Eng", dtEEng, 47000, 2, u"\u03A9"},
    {u"EngND", dtEEngNoDP, 0.0000022, 0, u"F"},
}};

class TNumLabPage : public TForm {
 public:
  explicit TNumLabPage(TComponent* AOwner) : TForm(AOwner) {
    SetCaption(u"Numeric label");
    SetBounds(0, 0, 560, 360);
    for (size_t I = 0; I < kSamples.size(); ++I) {
      const TSample& S = kSamples[I];
      auto* L = new TNumLab(this);
      L->SetParent(this);
      L->SetBounds(16 + static_cast<int>(I / 8) * 272, 16 + static_cast<int>(I % 8) * 34, 256, 28);
      L->SetLeftSpace(50);
      L->SetLabelWidth(150);
      L->SetLeftText(S.Caption);
      L->SetRightText(S.Unit);
      L->SetPrecision(S.Precision);
      L->SetDisplayType(S.Type);
      L->SetStateText(u"stopped|running|fault");
      L->SetValue(S.Type == dtDateTime ? EncodeDate(2024, 5, 15) : S.Value);
      Labels[I] = L;
    }
    Labels[1]->SetForcePlusSign(true);
    Labels[2]->SetFrameStyle(fsRaised);
    Labels[3]->SetColorLabBakG(0x202020);
    Labels[3]->SetColorLabText(0x00FF00);
    Labels[5]->SetAlignment(taRightJustify);

    auto* Back = new TPanel(this);
    Back->SetParent(this);
    Back->SetBounds(288, 16 + 7 * 34, 256, 62);
    Back->SetColor(0x80E0FF);
    auto* Over = new TNumLab(this);
    Over->SetParent(Back);
    Over->SetBounds(0, 2, 256, 28);
    Over->SetLeftSpace(50);
    Over->SetLabelWidth(150);
    Over->SetLeftText(u"Clear");
    Over->SetValue(-12.5);
    Over->SetTransparent(true);
    auto* Off = new TNumLab(this);
    Off->SetParent(Back);
    Off->SetBounds(0, 32, 256, 28);
    Off->SetLeftSpace(50);
    Off->SetLabelWidth(60);
    Off->SetLeftText(u"Off");
    Off->SetRightText(u"mm");
    Off->SetValue(1e9);
    Off->SetEnabled(false);
  }

  // Drive: the values move on, as new readings would.
  void Step() {
    for (TNumLab* L : Labels) {
      switch (L->DisplayType()) {
        case dtDateTime: L->SetValue(L->Value() + 31); break;
        case dtState: L->SetValue(std::fmod(L->Value() + 1, 3)); break;
        default: L->SetValue(L->Value() * 1.7 + 1);
      }
    }
  }

 private:
  std::array<TNumLab*, kSamples.size()> Labels{};
};

}  // namespace

ORV_GALLERY_PAGE(numlab, u"Numeric label", [] { return new TNumLabPage(nullptr); },
                 [](TForm* Page) { static_cast<TNumLabPage*>(Page)->Step(); });
