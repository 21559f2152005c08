// Gallery page of the analog meter: a linear gauge with coloured bands and a
// logarithmic dial with a second needle, both following a timer.

#include <cmath>

#include "examples/gallery/pages.h"
#include "framework/controls/application.h"
#include "framework/controls/label.h"
#include "framework/controls/timers.h"
#include "meter/meter.h"

using namespace orv;

namespace {

constexpr uintptr_t kTimerId = 1;
constexpr uint32_t kTickMs = 40;

class TMeterPage : public TForm {
 public:
  TMeterPage() : TForm(nullptr) {
    SetCaption(u"Meter");
    SetBounds(0, 0, 660, 290);
    AddLabel(16, 12, u"Linear, bands below 20, 20 to 80 and above 80");
    AddLabel(340, 12, u"Logarithmic, 1 to 1000, with a second needle");

    FGauge = new TMeter(this);
    FGauge->SetParent(this);
    FGauge->SetBounds(16, 36, 297, 209);
    FGauge->SetMeterLayout(mlCirc120);
    FGauge->SetMeterMaxValue(100);
    FGauge->SetMeterNrTicks(5);
    FGauge->SetMeterDecPlaces(0);
    FGauge->SetThresholdLow(20);
    FGauge->SetThresholdHigh(80);
    FGauge->SetScaleBkWidth(12);
    FGauge->SetScaleBkVisible(true);
    FGauge->SetCaption(u"kPa");
    FGauge->NeedleLayout()->SetThickness(4);
    FGauge->NeedleLayout()->SetColorBody(0x202020);
    FGauge->NeedleLayout()->SetShadowDx(-3);
    FGauge->NeedleLayout()->SetShadowDy(-3);
    FGauge->NeedleLayout()->SetShadowColor(0xB0B0B0);

    FDial = new TMeter(this);
    FDial->SetParent(this);
    FDial->SetBounds(340, 36, 297, 209);
    FDial->SetMeterLayout(mlCirc300);
    FDial->SetMeterMaxValue(1000);
    FDial->SetMeterMinValue(1);
    FDial->SetLogarithmic(true);
    FDial->SetMeterDecPlaces(0);
    FDial->SetThresholdLow(2);
    FDial->SetThresholdHigh(500);
    FDial->SetColorBakG(0xF0F8FF);
    FDial->SetColorScale(0x303030);
    FDial->SetFrameStyle(fsLowered);
    FDial->SetCaption(u"l/min");
    FDial->NeedleLayout()->SetColorBody(0x0000C0);
    FDial->NeedleLayout()->SetThickness(3);
    FDial->NeedleLayoutSec()->SetColorBody(0x00A000);
    FDial->NeedleLayoutSec()->SetHeadSize(12);
    FDial->NeedleLayoutSec()->SetPercentNeedleLength(70);
    FDial->NeedleLayoutSec()->SetVisible(true);

    Step();
    FTimer = AllocateHWnd([this](TMessage& Message) {
      if (Message.Msg == WM_TIMER) Step();
    });
    SetTimer(FTimer, kTimerId, kTickMs, nullptr);
  }

  ~TMeterPage() override {
    KillTimer(FTimer, kTimerId);
    DeallocateHWnd(FTimer);
  }

 private:
  void AddLabel(int X, int Y, const String& Caption) {
    auto* L = new TLabel(this);
    L->SetParent(this);
    L->SetLeft(X);
    L->SetTop(Y);
    L->SetCaption(Caption);
  }

  // One timer tick: the gauge swings through its whole range and the dial
  // sweeps its decades, the second needle trailing behind.
  void Step() {
    const double T = FTicks++ * kTickMs / 1000.0;
    FGauge->SetValue(50 + 48 * std::sin(T * 1.3));
    // Both needles share the limit lamps; the primary one is set last so the
    // lamps show its state.
    FDial->SetValueSec(std::pow(10.0, 1.5 + 1.2 * std::sin(T * 0.9 - 0.8)));
    FDial->SetValue(std::pow(10.0, 1.5 + 1.4 * std::sin(T * 0.9)));
  }

  TMeter* FGauge = nullptr;
  TMeter* FDial = nullptr;
  HWND FTimer = 0;
  int FTicks = 0;
};

}  // namespace

ORV_GALLERY_PAGE(meter, u"Meter", [] { return static_cast<TForm*>(new TMeterPage()); },
                 [](TForm*) { Application->AdvanceTime(1500); });
