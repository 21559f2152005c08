// Rotated labels: the caption at several angles and alignments, one
// disabled, one turning on a timer.
#include <array>
#include <memory>

#include "examples/gallery/pages.h"
#include "framework/controls/application.h"
#include "framework/controls/timercomponent.h"
#include "framework/rtl/sysutils.h"
#include "rotlab/rotlab.h"

namespace {

using namespace orv;

class TRotLabPage : public TForm {
 public:
  TRotLabPage() : TForm(nullptr) {
    SetCaption(u"Rotated label");
    SetBounds(0, 0, 640, 300);
    constexpr std::array<int, 4> kAngles{0, 45, 90, 300};
    for (size_t I = 0; I < kAngles.size(); ++I) {
      TRotLab* L = Add(16 + 152 * static_cast<int>(I), 16, u"Angle " + IntToStr(kAngles[I]));
      L->SetTextAngle(kAngles[I]);
    }
    TRotLab* Left = Add(16, 160, u"Left end on the anchor");
    Left->SetAutoCenter(false);
    Left->SetPosX(12);
    Left->SetAlignment(taLeftJustify);
    TRotLab* Off = Add(168, 160, u"Disabled");
    Off->SetTextAngle(15);
    Off->SetEnabled(false);
    FTurning = Add(320, 160, u"Turning");
    FTurning->SetTransparent(false);
    FTurning->SetColor(0x403020);
    FTurning->Font()->SetColor(0x40E0FF);
    FTurning->Font()->SetStyle(TFontStyles{fsBold});
    auto* Timer = new TTimer(this);
    Timer->SetInterval(50);
    Timer->SetOnTimer([this](TObject*) { FTurning->SetTextAngle((FTurning->TextAngle() + 5) % 360); });
  }

 private:
  TRotLab* Add(int X, int Y, const String& Caption) {
    auto* L = new TRotLab(this);
    L->SetParent(this);
    L->SetBounds(X, Y, 144, 128);
    L->SetCaption(Caption);
    return L;
  }
  TRotLab* FTurning = nullptr;
};

}  // namespace

ORV_GALLERY_PAGE(rotlab, u"Rotated label", [] { return new TRotLabPage(); },
                 [](TForm*) { Application->AdvanceTime(1000); });
