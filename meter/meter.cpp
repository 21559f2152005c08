// TMeter: construction, properties, range states, images, conversions and
// mouse reporting. Painting is in meter_paint.cpp.

#include "meter/meter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "foundation/colorfuncs.h"
#include "framework/controls/messages.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/files.h"
#include "framework/rtl/rtlmath.h"

namespace orv {

namespace {

// The smallest range end a logarithmic scale accepts.
constexpr double kLogFloor = 1e-100;

}  // namespace

TMeter::TMeter(TComponent* AOwner)
    : TGraphicControl(AOwner),
      AuxBGBmp(std::make_unique<TBitmap>(10, 10)),
      AuxACBmp(std::make_unique<TBitmap>(10, 10)),
      AuxACMaskBmp(std::make_unique<TBitmap>(10, 10)),
      FColorCover(clBtnFace),
      FFontCaption(std::make_unique<TFont>()),
      FNeedleLayout(std::make_unique<TNeedleLayout>()),
      FNeedle2Layout(std::make_unique<TNeedleLayout>()),
      FOffscreen(std::make_unique<TBitmap>()),
      FFace(std::make_unique<TBitmap>()) {
  FControlStyle.Include(csOpaque);
  FFontCaption->Assign(Font());
  FFontCaption->SetOnChange([this](TObject*) { FaceChanged(); });
  FNeedleLayout->SetOnChange([this](TObject* Sender) { StyleChanged(Sender); });
  FNeedle2Layout->SetVisible(false);
  FNeedle2Layout->SetOnChange([this](TObject* Sender) { StyleChanged(Sender); });
  SetBounds(Left(), Top(), 297, 209);
}

TMeter::~TMeter() = default;

void TMeter::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TMeter*>(Source);
  if (Other == nullptr) {
    TGraphicControl::Assign(Source);
    return;
  }
  FMeterLayout = Other->FMeterLayout;
  FTRim = Other->FTRim;
  FBRim = Other->FBRim;
  FSRim = Other->FSRim;
  FMinValue = Other->FMinValue;
  FMaxValue = Other->FMaxValue;
  FValue = Other->FValue;
  FValue2 = Other->FValue2;
  FLowThreshold = Other->FLowThreshold;
  FHighThreshold = Other->FHighThreshold;
  FLogarithmic = Other->FLogarithmic;
  FOFL = Other->FOFL;
  FUFL = Other->FUFL;
  FNrTicks = Other->FNrTicks;
  FDecPlaces = Other->FDecPlaces;
  FShortTicks = Other->FShortTicks;
  FScaleLine = Other->FScaleLine;
  FScaleVis = Other->FScaleVis;
  FColorScale = Other->FColorScale;
  FScaleBkVis = Other->FScaleBkVis;
  FScaleBakWidth = Other->FScaleBakWidth;
  FColorBakGLow = Other->FColorBakGLow;
  FColorBakGNorm = Other->FColorBakGNorm;
  FColorBakGHigh = Other->FColorBakGHigh;
  FAnchorCovrd = Other->FAnchorCovrd;
  FSizeAnchor = Other->FSizeAnchor;
  FBakGndFName = Other->FBakGndFName;
  FACoverFName = Other->FACoverFName;
  FBGFillMode = Other->FBGFillMode;
  AuxBGBmp->Assign(Other->AuxBGBmp.get());
  AuxACBmp->Assign(Other->AuxACBmp.get());
  AuxACMaskBmp->Assign(Other->AuxACMaskBmp.get());
  FColorBakG = Other->FColorBakG;
  FColorCover = Other->FColorCover;
  FColGrayLine = Other->FColGrayLine;
  FColWhiteLine = Other->FColWhiteLine;
  FColorScheme = Other->FColorScheme;
  FFrameStyle = Other->FFrameStyle;
  FCaption = Other->FCaption;
  FLimWatHighOn = Other->FLimWatHighOn;
  FLimWatLowOn = Other->FLimWatLowOn;
  FLimWatActCol = Other->FLimWatActCol;
  FLimWatPsvCol = Other->FLimWatPsvCol;
  CalcLayout();
  // Each of these repaints once through its change handler.
  FFontCaption->Assign(Other->FFontCaption.get());
  FNeedle2Layout->Assign(Other->FNeedle2Layout.get());
  FNeedleLayout->Assign(Other->FNeedleLayout.get());
}

// --- Layout --------------------------------------------------------------------

void TMeter::CalcLayout() {
  const TMeterGeometry G = MeterGeometry(FMeterLayout, Width(), Height(), FTRim, FBRim, FSRim);
  FMeterAngle = G.Angle;
  FMeterRadius = G.Radius;
  FMeterCenterX = G.CenterX;
  FMeterCenterY = G.CenterY;
  FFaceValid = false;
  FSpritesValid = false;
}

void TMeter::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  CalcLayout();
}

void TMeter::SetMeterLayout(TMeterLayout Value) {
  if (Value == FMeterLayout) return;
  FMeterLayout = Value;
  CalcLayout();
  PaintNow();
}

void TMeter::SetRimTop(int Value) {
  if (Value == FTRim) return;
  FTRim = Value;
  CalcLayout();
  PaintNow();
}

void TMeter::SetRimBottom(int Value) {
  if (Value == FBRim) return;
  FBRim = Value;
  CalcLayout();
  PaintNow();
}

void TMeter::SetRimSide(int Value) {
  if (Value == FSRim) return;
  FSRim = Value;
  CalcLayout();
  PaintNow();
}

// --- Painting triggers -----------------------------------------------------------

void TMeter::PaintNow() {
  if (ComponentState().Contains(csLoading)) return;
  Paint();
}

void TMeter::FaceChanged() {
  FFaceValid = false;
  PaintNow();
}

void TMeter::OverlayChanged() {
  FSpritesValid = false;
  FOffscreenClean = false;
  PaintNow();
}

void TMeter::StyleChanged(TObject* /*Sender*/) { PaintNow(); }

void TMeter::CMFontChanged(TMessage& Message) {
  FFaceValid = false;
  TGraphicControl::CMFontChanged(Message);
}

void TMeter::SetOnBeforeDrawScaleLabel(TmtBeforeDrawScaleLabelEvent Value) {
  // Labels a handler rewrites are drawn anew on every paint.
  FOnBeforeDrawScaleLabel = std::move(Value);
  FFaceValid = false;
}

// --- Range -----------------------------------------------------------------------

double TMeter::LimitToRange(double Value) const {
  if (Value < FMinValue) return FMinValue;
  if (Value > FMaxValue) return FMaxValue;
  return Value;
}

void TMeter::PullIntoRange() {
  FValue = LimitToRange(FValue);
  FValue2 = LimitToRange(FValue2);
  FLowThreshold = LimitToRange(FLowThreshold);
  FHighThreshold = LimitToRange(FHighThreshold);
}

void TMeter::SetMeterMinValue(double Value) {
  // A range end that is not a number would make every angle undefined.
  if (!std::isfinite(Value)) return;
  if (ComponentState().Contains(csLoading)) {
    FMinValue = Value;
    return;
  }
  if (FLogarithmic && Value < kLogFloor) return;
  if (Value == FMinValue) return;
  FMinValue = Value;
  if (FMaxValue <= Value) FMaxValue = Value + 1;
  PullIntoRange();
  FaceChanged();
}

void TMeter::SetMeterMaxValue(double Value) {
  if (!std::isfinite(Value)) return;
  if (ComponentState().Contains(csLoading)) {
    FMaxValue = Value;
    return;
  }
  if (FLogarithmic && Value < kLogFloor) return;
  if (Value == FMaxValue) return;
  FMaxValue = Value;
  if (Value <= FMinValue) {
    FMinValue = Value - 1;
    if (FLogarithmic && FMinValue <= 0) FMinValue = Value / 10;
  }
  PullIntoRange();
  FaceChanged();
}

void TMeter::SetLogarithmic(bool Value) {
  if (ComponentState().Contains(csLoading)) {
    FLogarithmic = Value;
    return;
  }
  if (Value == FLogarithmic) return;
  FLogarithmic = (FMinValue <= kLogFloor || FMaxValue <= kLogFloor) ? false : Value;
  FaceChanged();
}

void TMeter::SetThresholdLow(double Value) {
  if (!std::isfinite(Value) || (FLogarithmic && Value < kLogFloor)) return;
  if (ComponentState().Contains(csLoading)) {
    FLowThreshold = Value;
    return;
  }
  if (Value == FLowThreshold) return;
  FLowThreshold = LimitToRange(Value);
  if (FLowThreshold > FHighThreshold) FHighThreshold = FLowThreshold;
  FUFL = false;
  if (FValue <= FLowThreshold) {
    FUFL = true;
    DoUnderFlowEvent();
  }
  FaceChanged();
}

void TMeter::SetThresholdHigh(double Value) {
  if (!std::isfinite(Value) || (FLogarithmic && Value < kLogFloor)) return;
  if (ComponentState().Contains(csLoading)) {
    FHighThreshold = Value;
    return;
  }
  if (Value == FHighThreshold) return;
  FHighThreshold = LimitToRange(Value);
  if (FHighThreshold < FLowThreshold) FLowThreshold = FHighThreshold;
  FOFL = false;
  if (FValue >= FHighThreshold) {
    FOFL = true;
    DoOverFlowEvent();
  }
  FaceChanged();
}

// --- Values ----------------------------------------------------------------------

void TMeter::UpdateLimitStates(double Value, const TNeedleLayout* Layout) {
  // Both needles share one pair of states. A hidden needle has no say in
  // them: its value changes leave the lamps as the visible needle set them.
  if (!Layout->Visible()) return;
  FOFL = false;
  FUFL = false;
  if (Value >= FHighThreshold) {
    FOFL = true;
    DoOverFlowEvent();
  } else if (Value > FLowThreshold) {
    DoNormalRangeEvent();
  } else {
    FUFL = true;
    DoUnderFlowEvent();
  }
}

void TMeter::SetValue(double Value) {
  if (ComponentState().Contains(csLoading)) {
    FValue = Value;
    return;
  }
  if (Value == FValue) return;
  FValue = Scale().Clamp(Value);
  UpdateLimitStates(FValue, FNeedleLayout.get());
  PaintNow();
}

void TMeter::SetValueSec(double Value) {
  if (ComponentState().Contains(csLoading)) {
    FValue2 = Value;
    return;
  }
  if (Value == FValue2) return;
  FValue2 = Scale().Clamp(Value);
  UpdateLimitStates(FValue2, FNeedle2Layout.get());
  if (FNeedle2Layout->Visible()) PaintNow();
}

void TMeter::DoOverFlowEvent() {
  if (FOnOverFlow) FOnOverFlow(this);
}

void TMeter::DoUnderFlowEvent() {
  if (FOnUnderFlow) FOnUnderFlow(this);
}

void TMeter::DoNormalRangeEvent() {
  if (FOnNormalRange) FOnNormalRange(this);
}

// --- Scale appearance --------------------------------------------------------------

void TMeter::SetMeterNrTicks(int Value) {
  Value = std::clamp(Value, 2, 21);
  if (Value == FNrTicks) return;
  FNrTicks = Value;
  FaceChanged();
}

void TMeter::SetMeterDecPlaces(int Value) {
  Value = std::clamp(Value, 0, 4);
  if (Value == FDecPlaces) return;
  FDecPlaces = Value;
  FaceChanged();
}

void TMeter::SetMeterShortTicks(bool Value) {
  if (Value == FShortTicks) return;
  FShortTicks = Value;
  FaceChanged();
}

void TMeter::SetMeterScaleLine(bool Value) {
  if (Value == FScaleLine) return;
  FScaleLine = Value;
  FaceChanged();
}

void TMeter::SetScaleVisible(bool Value) {
  FScaleVis = Value;
  FaceChanged();
}

void TMeter::SetColorScale(TColor Value) {
  if (Value == FColorScale) return;
  FColorScale = Value;
  FaceChanged();
}

void TMeter::SetScaleBkVisible(bool Value) {
  FScaleBkVis = Value;
  FaceChanged();
}

void TMeter::SetScaleBkWidth(double Value) {
  // NaN is not a width; it leaves the bands as they are.
  if (std::isnan(Value)) return;
  FScaleBakWidth = std::clamp(Value, 0.0, 100.0);
  FaceChanged();
}

void TMeter::SetColorSclBkLow(TColor Value) {
  if (Value == FColorBakGLow) return;
  FColorBakGLow = Value;
  FaceChanged();
}

void TMeter::SetColorSclBkNorm(TColor Value) {
  if (Value == FColorBakGNorm) return;
  FColorBakGNorm = Value;
  FaceChanged();
}

void TMeter::SetColorSclBkHigh(TColor Value) {
  if (Value == FColorBakGHigh) return;
  FColorBakGHigh = Value;
  FaceChanged();
}

// --- Rendering properties ----------------------------------------------------------

void TMeter::SetNeedleLayout(TNeedleLayout* Value) {
  if (Value != nullptr && Value != FNeedleLayout.get()) FNeedleLayout->Assign(Value);
}

void TMeter::SetNeedleLayoutSec(TNeedleLayout* Value) {
  if (Value != nullptr && Value != FNeedle2Layout.get()) FNeedle2Layout->Assign(Value);
}

void TMeter::SetText(const String& Value) {
  FCaption = Value;
  FaceChanged();
}

void TMeter::SetFontCaption(TFont* Value) {
  // The font's change handler repaints.
  if (Value != nullptr) FFontCaption->Assign(Value);
}

void TMeter::SetColorBakG(TColor Value) {
  if (Value == FColorBakG) return;
  FColorBakG = Value;
  FSpritesValid = false;  // a simple frame is drawn in this colour
  FaceChanged();
}

void TMeter::SetColorCover(TColor Value) {
  if (Value == FColorCover) return;
  FColorCover = Value;
  OverlayChanged();
}

void TMeter::SetColorScheme(TColorScheme Value) {
  if (Value == FColorScheme) return;
  FColorScheme = Value;
  SchemeLineColors(Value, FColGrayLine, FColWhiteLine);
  OverlayChanged();
}

void TMeter::SetFrameStyle(TFrameStyle Value) {
  if (Value == FFrameStyle) return;
  FFrameStyle = Value;
  OverlayChanged();
}

void TMeter::SetAnchorCovered(bool Value) {
  if (Value == FAnchorCovrd) return;
  FAnchorCovrd = Value;
  OverlayChanged();
}

void TMeter::SetAnchorSize(int Value) {
  if (Value == FSizeAnchor) return;
  FSizeAnchor = Value;
  OverlayChanged();
}

void TMeter::SetBkgndFillMode(TBkgFill Value) {
  FBGFillMode = Value;
  FaceChanged();
}

void TMeter::SetLimWatchHighOn(bool Value) {
  if (Value == FLimWatHighOn) return;
  FLimWatHighOn = Value;
  FOffscreenClean = false;  // a lamp switched off leaves its place to the face
  PaintNow();
}

void TMeter::SetLimWatchLowOn(bool Value) {
  if (Value == FLimWatLowOn) return;
  FLimWatLowOn = Value;
  FOffscreenClean = false;  // a lamp switched off leaves its place to the face
  PaintNow();
}

void TMeter::SetLimWatchActColor(TColor Value) {
  if (Value == FLimWatActCol) return;
  FLimWatActCol = Value;
  PaintNow();
}

void TMeter::SetLimWatchPsvColor(TColor Value) {
  if (Value == FLimWatPsvCol) return;
  FLimWatPsvCol = Value;
  PaintNow();
}

// --- Images ------------------------------------------------------------------------

void TMeter::LoadBackground(const String& Name, bool Raise) {
  // Loaded aside first, so a file that cannot be read leaves the previous
  // image and its name in place when the error goes to the caller.
  auto Image = std::make_unique<TBitmap>();
  try {
    Image->LoadFromFile(Name);
  } catch (...) {
    if (Raise) throw;
    FBakGndFName.clear();
    return;
  }
  AuxBGBmp = std::move(Image);
  FBakGndFName = Name;
}

void TMeter::LoadAnchor(const String& Name) {
  auto Image = std::make_unique<TBitmap>();
  auto Mask = std::make_unique<TBitmap>();
  try {
    Image->LoadFromFile(Name);
    Mask->LoadFromFile(Name);
  } catch (...) {
    FACoverFName.clear();
    return;
  }
  // A black mask: AND clears the image's area, OR then puts the image there,
  // so the image is drawn opaque.
  std::fill(Mask->Bits(), Mask->Bits() + static_cast<size_t>(Mask->Width()) * Mask->Height(), 0u);
  AuxACBmp = std::move(Image);
  AuxACMaskBmp = std::move(Mask);
  FACoverFName = Name;
}

void TMeter::SetBackGroundImg(const String& Value) {
  if (ComponentState().Contains(csLoading)) {
    FBakGndFName = Value;
    return;
  }
  if (!Value.empty() && FileExists(Value))
    LoadBackground(Value, true);
  else
    FBakGndFName.clear();
  FaceChanged();
}

void TMeter::SetAnchorImage(const String& Value) {
  if (ComponentState().Contains(csLoading)) {
    FACoverFName = Value;
    return;
  }
  if (!Value.empty() && FileExists(Value))
    LoadAnchor(Value);
  else
    FACoverFName.clear();
  OverlayChanged();
}

void TMeter::Loaded() {
  TGraphicControl::Loaded();
  FValue = Scale().Clamp(FValue);
  if (!FBakGndFName.empty()) {
    if (FileExists(FBakGndFName))
      LoadBackground(FBakGndFName, false);
    else
      FBakGndFName.clear();
  }
  if (!FACoverFName.empty()) {
    if (FileExists(FACoverFName))
      LoadAnchor(FACoverFName);
    else
      FACoverFName.clear();
  }
  FSpritesValid = false;
  FaceChanged();
}

// --- Conversions -------------------------------------------------------------------

double TMeter::CalcNeedleAngle(double Value) const {
  const TMeterScale S = Scale();
  return 180 - FMeterAngle / 2.0 + FMeterAngle * S.Fraction(S.Clamp(Value));
}

void TMeter::ConvertToPixelCoords(double Value, double Percentage, int& X, int& Y) const {
  const double Theta = (-90 - CalcNeedleAngle(Value)) * std::numbers::pi / 180;
  const double R = Percentage * 0.01 * FMeterRadius;
  X = static_cast<int>(Round(R * std::cos(Theta) + FMeterCenterX));
  Y = static_cast<int>(Round(FMeterCenterY - R * std::sin(Theta)));
}

bool TMeter::ConvertPixelToValue(int X, int Y, double& MeterValue) const {
  constexpr double Pi = std::numbers::pi;
  const double Dx = X - FMeterCenterX, Dy = Y - FMeterCenterY;
  double Alpha;  // clockwise on the screen from the positive x axis
  if (Dx != 0) {
    Alpha = std::atan(Dy / Dx);
    if (Dx < 0) Alpha += Pi;
  } else {
    Alpha = Dy > 0 ? Pi / 2 : 3 * Pi / 2;
  }
  if (Alpha < 0) Alpha += 2 * Pi;
  if (Alpha > 2 * Pi) Alpha -= 2 * Pi;
  double Delta = Alpha * 180 / Pi - 90;  // clockwise from the downward vertical
  if (Delta < 0) Delta += 360;
  const double B = 180 - FMeterAngle / 2.0;
  if (Delta < B || Delta > 180 + FMeterAngle / 2.0) {
    MeterValue = 0;
    return false;
  }
  const double T = (Delta - B) / FMeterAngle;
  if (Scale().LogActive())
    MeterValue = std::exp(std::log(FMinValue) + T * (std::log(FMaxValue) - std::log(FMinValue)));
  else
    MeterValue = FMinValue + T * (FMaxValue - FMinValue);
  return true;
}

// --- Mouse -------------------------------------------------------------------------

void TMeter::WndProc(TMessage& Message) {
  TGraphicControl::WndProc(Message);
  if (Message.Msg != WM_MOUSEMOVE) return;
  double MeterValue = 0;
  const bool Within = ConvertPixelToValue(MouseX(Message.LParam), MouseY(Message.LParam), MeterValue);
  MouseMoveInMeter(Within, MouseFlagsToShiftState(Message.WParam), MeterValue);
}

void TMeter::MouseMoveInMeter(bool WithinRange, TShiftState Shift, double MeterValue) {
  if (FOnMouseMoveInMeter) FOnMouseMoveInMeter(this, WithinRange, Shift, MeterValue);
}

}  // namespace orv
