#pragma once
// TMeter: an analog panel instrument. A needle shows Value on a circular
// scale seen through a window in a cover; coloured bands mark the ranges
// below, between and above two thresholds, and two lamps in the window's top
// corners light while the value is at or beyond a threshold.
//
// Painting (meter_paint.cpp) draws, in this order: background (colour or
// image), bands, arc, minor ticks, major ticks with labels, caption, needles,
// cover with its rims, anchor cap, lamps, and the frame; it works on an
// off-screen bitmap that goes to the control's canvas in one copy. The static
// part of the picture (background to caption) is kept between paints while
// nothing it depends on changes, so moving a needle costs only the needle,
// the cover and the copy.
//
// Property setters paint at once (not a deferred invalidation). While the
// form reader loads the meter, the range, threshold, value and scale-type
// setters store their values unchecked and Loaded puts them in order.

#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "foundation/basetypes.h"
#include "framework/controls/graphiccontrol.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/font.h"
#include "framework/rtl/types.h"
#include "meter/arcshape.h"
#include "meter/meterscale.h"
#include "meter/needlelayout.h"

namespace orv {

class TMeter;

using TmtBeforeDrawScaleLabelEvent = std::function<void(TObject* Sender, TCanvas* Canvas, String& CurrentTickLabel,
                                                        int ChartX, int ChartY)>;
using TBeforeDrawNeedleEvent = std::function<void(TObject* Sender, TCanvas* Canvas, bool& NeedleDrawn)>;
using TMeterRenderedEvent = std::function<void(TObject* Sender, TCanvas* Canvas)>;
using TMouseMoveInMeterEvent =
    std::function<void(TObject* Sender, bool WithinRange, TShiftState Shift, double MeterValue)>;

class TMeter : public TGraphicControl {
 public:
  // Created 297 x 209 with a 0..1 scale in mlCirc90.
  explicit TMeter(TComponent* AOwner);
  ~TMeter() override;

  // From another TMeter: every published value, both needle layouts, the
  // caption font and the images (reloaded from their files). Anything else
  // goes to the inherited Assign.
  void Assign(TPersistent* Source) override;

  // --- Geometry and scale ------------------------------------------------------
  TMeterLayout MeterLayout() const { return FMeterLayout; }
  void SetMeterLayout(TMeterLayout Value);
  int RimTop() const { return FTRim; }
  void SetRimTop(int Value);
  int RimBottom() const { return FBRim; }
  void SetRimBottom(int Value);
  int RimSide() const { return FSRim; }
  void SetRimSide(int Value);
  double MeterMinValue() const { return FMinValue; }
  void SetMeterMinValue(double Value);
  double MeterMaxValue() const { return FMaxValue; }
  void SetMeterMaxValue(double Value);
  // Stays false while either end of the range is at or below 1e-100.
  bool Logarithmic() const { return FLogarithmic; }
  void SetLogarithmic(bool Value);
  double ThresholdLow() const { return FLowThreshold; }
  void SetThresholdLow(double Value);
  double ThresholdHigh() const { return FHighThreshold; }
  void SetThresholdHigh(double Value);
  // Clamped into the range; every accepted change of the value of a visible
  // needle fires OnOverFlow, OnNormalRange or OnUnderFlow.
  double Value() const { return FValue; }
  void SetValue(double Value);
  double ValueSec() const { return FValue2; }
  void SetValueSec(double Value);
  // Requested number of scale intervals, 2..21.
  int MeterNrTicks() const { return FNrTicks; }
  void SetMeterNrTicks(int Value);
  // Decimals of the labels, 0..4.
  int MeterDecPlaces() const { return FDecPlaces; }
  void SetMeterDecPlaces(int Value);
  bool MeterShortTicks() const { return FShortTicks; }
  void SetMeterShortTicks(bool Value);
  bool MeterScaleLine() const { return FScaleLine; }
  void SetMeterScaleLine(bool Value);
  bool ScaleVisible() const { return FScaleVis; }
  void SetScaleVisible(bool Value);
  TColor ColorScale() const { return FColorScale; }
  void SetColorScale(TColor Value);
  bool ScaleBkVisible() const { return FScaleBkVis; }
  void SetScaleBkVisible(bool Value);
  // Band width in percent of the radius, 0..100.
  double ScaleBkWidth() const { return FScaleBakWidth; }
  void SetScaleBkWidth(double Value);
  TColor ColorSclBkLow() const { return FColorBakGLow; }
  void SetColorSclBkLow(TColor Value);
  TColor ColorSclBkNorm() const { return FColorBakGNorm; }
  void SetColorSclBkNorm(TColor Value);
  TColor ColorSclBkHigh() const { return FColorBakGHigh; }
  void SetColorSclBkHigh(TColor Value);

  // Derived layout: sweep in degrees, radius and pivot in control pixels.
  int MeterAngle() const { return FMeterAngle; }
  double MeterRadius() const { return FMeterRadius; }
  int MeterCenterX() const { return FMeterCenterX; }
  int MeterCenterY() const { return FMeterCenterY; }
  // Limit states the lamps show.
  bool OverFlow() const { return FOFL; }
  bool UnderFlow() const { return FUFL; }

  // --- Rendering ---------------------------------------------------------------
  // The layouts are owned by the meter; setting one copies the given values.
  TNeedleLayout* NeedleLayout() const { return FNeedleLayout.get(); }
  void SetNeedleLayout(TNeedleLayout* Value);
  TNeedleLayout* NeedleLayoutSec() const { return FNeedle2Layout.get(); }
  void SetNeedleLayoutSec(TNeedleLayout* Value);
  String Text() const override { return FCaption; }
  void SetText(const String& Value) override;
  TFont* FontCaption() const { return FFontCaption.get(); }
  void SetFontCaption(TFont* Value);
  TColor ColorBakG() const { return FColorBakG; }
  void SetColorBakG(TColor Value);
  TColor ColorCover() const { return FColorCover; }
  void SetColorCover(TColor Value);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme Value);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Value);
  bool AnchorCovered() const { return FAnchorCovrd; }
  void SetAnchorCovered(bool Value);
  int AnchorSize() const { return FSizeAnchor; }
  void SetAnchorSize(int Value);
  // Image files; a name whose file does not exist becomes empty. An
  // unreadable anchor image empties the name; an unreadable background
  // image raises the image error and leaves the previous image in place.
  const String& AnchorImage() const { return FACoverFName; }
  void SetAnchorImage(const String& Value);
  const String& BackGroundImg() const { return FBakGndFName; }
  void SetBackGroundImg(const String& Value);
  TBkgFill BkgndFillMode() const { return FBGFillMode; }
  void SetBkgndFillMode(TBkgFill Value);
  bool LimWatchHighOn() const { return FLimWatHighOn; }
  void SetLimWatchHighOn(bool Value);
  bool LimWatchLowOn() const { return FLimWatLowOn; }
  void SetLimWatchLowOn(bool Value);
  TColor LimWatchActColor() const { return FLimWatActCol; }
  void SetLimWatchActColor(TColor Value);
  TColor LimWatchPsvColor() const { return FLimWatPsvCol; }
  void SetLimWatchPsvColor(TColor Value);

  TColor ColGrayLine() const { return FColGrayLine; }
  TColor ColWhiteLine() const { return FColWhiteLine; }

  // --- Conversions -------------------------------------------------------------
  // Needle angle of Value (clamped) in degrees clockwise on the screen from
  // the downward vertical: 180 - A/2 at the minimum, 180 + A/2 at the maximum.
  double CalcNeedleAngle(double Value) const;
  // The point at Percentage of the radius in the direction of Value.
  void ConvertToPixelCoords(double Value, double Percentage, int& X, int& Y) const;
  // The scale value in the direction of (X, Y) from the pivot; false, with
  // MeterValue 0, outside the scale's sector.
  bool ConvertPixelToValue(int X, int Y, double& MeterValue) const;

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Loaded() override;
  void WndProc(TMessage& Message) override;

  // --- Events ------------------------------------------------------------------
  TNotifyEvent OnOverFlow() const { return FOnOverFlow; }
  void SetOnOverFlow(TNotifyEvent Value) { FOnOverFlow = std::move(Value); }
  TNotifyEvent OnUnderFlow() const { return FOnUnderFlow; }
  void SetOnUnderFlow(TNotifyEvent Value) { FOnUnderFlow = std::move(Value); }
  TNotifyEvent OnNormalRange() const { return FOnNormalRange; }
  void SetOnNormalRange(TNotifyEvent Value) { FOnNormalRange = std::move(Value); }
  TmtBeforeDrawScaleLabelEvent OnBeforeDrawScaleLabel() const { return FOnBeforeDrawScaleLabel; }
  void SetOnBeforeDrawScaleLabel(TmtBeforeDrawScaleLabelEvent Value);
  TBeforeDrawNeedleEvent OnBeforeDrawNeedle() const { return FOnBeforeDrawNeedle; }
  void SetOnBeforeDrawNeedle(TBeforeDrawNeedleEvent Value) { FOnBeforeDrawNeedle = std::move(Value); }
  TMeterRenderedEvent OnMeterRendered() const { return FOnMeterRendered; }
  void SetOnMeterRendered(TMeterRenderedEvent Value) { FOnMeterRendered = std::move(Value); }
  TMouseMoveInMeterEvent OnMouseMoveInMeter() const { return FOnMouseMoveInMeter; }
  void SetOnMouseMoveInMeter(TMouseMoveInMeterEvent Value) { FOnMouseMoveInMeter = std::move(Value); }

 protected:
  void Paint() override;
  void CMFontChanged(TMessage& Message) override;
  virtual void DoOverFlowEvent();
  virtual void DoUnderFlowEvent();
  virtual void DoNormalRangeEvent();
  virtual void MouseMoveInMeter(bool WithinRange, TShiftState Shift, double MeterValue);

 private:
  TMeterScale Scale() const { return TMeterScale{FMinValue, FMaxValue, FLogarithmic, FMeterAngle}; }
  void CalcLayout();
  // Repaints after a change of anything the static picture shows.
  void FaceChanged();
  // Repaints, unless the form reader is still loading the meter.
  void PaintNow();
  void StyleChanged(TObject* Sender);
  // The range-state update of a value change of the needle with Layout.
  void UpdateLimitStates(double Value, const TNeedleLayout* Layout);
  // Value raised to the minimum if below, lowered to the maximum if above.
  double LimitToRange(double Value) const;
  // An end of the value range moved: values and thresholds follow it.
  void PullIntoRange();
  void LoadBackground(const String& Name, bool Raise);
  void LoadAnchor(const String& Name);

  // Painting steps (meter_paint.cpp).
  void PaintFace(TCanvas* C);
  void PaintBackground(TCanvas* C);
  void PaintBands(TCanvas* C);
  void PaintScale(TCanvas* C);
  void PaintNeedle(TCanvas* C, double V, const TNeedleLayout* Layout);
  void PaintCover(TCanvas* C);
  void PaintAnchor(TCanvas* C);
  void PaintWindowEdge(TCanvas* C);
  void PaintLamps(TCanvas* C);
  void PaintFrame(TCanvas* C);
  // The finished off-screen picture onto the control's canvas.
  void CopyToScreen(TCanvas* Screen);

  // Geometry and scale.
  TMeterLayout FMeterLayout = mlCirc90;
  int FMeterAngle = 90;
  double FMeterRadius = 0;
  int FMeterCenterX = 0;
  int FMeterCenterY = 0;
  int FTRim = 8;
  int FBRim = 10;
  int FSRim = 10;
  double FMinValue = 0;
  double FMaxValue = 1;
  double FValue = 0;
  double FValue2 = 0;
  double FLowThreshold = 0;
  double FHighThreshold = 1;
  bool FLogarithmic = false;
  bool FOFL = false;
  bool FUFL = false;
  int FNrTicks = 3;
  int FDecPlaces = 1;
  bool FShortTicks = true;
  bool FScaleLine = true;
  bool FScaleVis = true;
  TColor FColorScale = 0x800000;
  bool FScaleBkVis = false;
  double FScaleBakWidth = 0;
  TColor FColorBakGLow = 0x00FF00;
  TColor FColorBakGNorm = 0x0080FF;
  TColor FColorBakGHigh = 0x0000FF;

  // Rendering.
  bool FAnchorCovrd = true;
  int FSizeAnchor = 24;
  String FBakGndFName;
  String FACoverFName;
  TBkgFill FBGFillMode = bfSimple;
  std::unique_ptr<TBitmap> AuxBGBmp;
  std::unique_ptr<TBitmap> AuxACBmp;
  std::unique_ptr<TBitmap> AuxACMaskBmp;
  TColor FColorBakG = 0xFFFFFF;
  TColor FColorCover;
  TColor FColGrayLine = 0x808080;
  TColor FColWhiteLine = 0xFFFFFF;
  TColorScheme FColorScheme = csFixed;
  TFrameStyle FFrameStyle = fsRaised;
  String FCaption;
  std::unique_ptr<TFont> FFontCaption;
  bool FLimWatHighOn = true;
  bool FLimWatLowOn = true;
  TColor FLimWatActCol = 0x0000FF;
  TColor FLimWatPsvCol = 0x808080;
  std::unique_ptr<TNeedleLayout> FNeedleLayout;
  std::unique_ptr<TNeedleLayout> FNeedle2Layout;

  TNotifyEvent FOnOverFlow;
  TNotifyEvent FOnUnderFlow;
  TNotifyEvent FOnNormalRange;
  TmtBeforeDrawScaleLabelEvent FOnBeforeDrawScaleLabel;
  TBeforeDrawNeedleEvent FOnBeforeDrawNeedle;
  TMeterRenderedEvent FOnMeterRendered;
  TMouseMoveInMeterEvent FOnMouseMoveInMeter;

  // The off-screen picture and the static part kept from the last paint;
  // FFaceValid is cleared by every change the static part shows.
  std::unique_ptr<TBitmap> FOffscreen;
  std::unique_ptr<TBitmap> FFace;
  bool FFaceValid = false;

  // What the cover (with window edge and anchor cap) and the frame paint
  // does not move with the needles: kept as the pixels they set, runs of a
  // row, and laid over each frame at their places in the drawing order.
  struct TPixelRuns {
    struct TRun {
      size_t Start;   // index of the first pixel in the bitmap
      size_t Length;
      size_t Source;  // index of its first pixel in Pixels
    };
    std::vector<TRun> Runs;
    std::vector<uint32_t> Pixels;
    void Apply(uint32_t* Bits) const;
  };
  template <typename TPaintStep>
  TPixelRuns CapturePixels(TPaintStep&& Step);
  TPixelRuns FOverlay;
  TPixelRuns FFrameRuns;
  bool FSpritesValid = false;
  int FSpritesWidth = 0;
  int FSpritesHeight = 0;
  void BuildSprites();
  // Repaints after a change of the cover, the anchor or the frame.
  void OverlayChanged();

  // Where the needles of the last frame were drawn; while no handler draws
  // and the face is unchanged, only that area goes back to the face.
  TRect FNeedleArea;
  bool FOffscreenClean = false;
  // Rows of the band ring's two ellipses, kept while the geometry stays.
  TEllipseRows FRingOuter, FRingInner;
  void AddNeedleArea(std::span<const TPoint> Points);
};

}  // namespace orv
