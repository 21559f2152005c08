#pragma once
// TProgBar: a progress bar showing Value between Min and Max inside a margin,
// in one colour or as a gradient from a 1024-entry colour table, with a grid,
// two bevel frames, a background image and a rotatable value text. A timer of
// its own can advance the value by AutoIncStep, first after StartInterval ms
// and then every RepeatInterval ms.
//
// The bar grows in Direction: dirRight from the left edge of the bar area,
// dirLeft from its right edge, dirUp from its bottom, dirDown from its top.
// A value past Max draws past the end of the bar area, Max = Min draws no bar.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "foundation/basetypes.h"
#include "framework/controls/graphiccontrol.h"
#include "framework/controls/messages.h"
#include "framework/controls/stdtypes.h"
#include "framework/graphics/bitmap.h"
#include "progbar/progbar_calc.h"

namespace orv {

using TBeforeShowValueEvent = std::function<void(TObject* Sender, String& ValueText)>;

class TProgBar : public TGraphicControl {
 public:
  // Created 300 x 28 showing 10 of 0..100, blue-to-red table, timer stopped.
  explicit TProgBar(TComponent* AOwner);
  ~TProgBar() override;

  // From another TProgBar: frames, value and range, colours and table,
  // bevel colours and scheme, direction, background image and its name,
  // grid, mapping, margins, text settings and OnShowValue (not the timer
  // settings or the font). Other sources go to the inherited Assign.
  void Assign(TPersistent* Source) override;
  void AssignTo(TPersistent* Dest) override;

  // Stored as given: no clamping and no cross-check of Min and Max.
  double Value() const { return FProgValue; }
  void SetValue(double Value);
  double Min() const { return FProgMin; }
  void SetMin(double Value);
  double Max() const { return FProgMax; }
  void SetMax(double Value);
  // The smaller of A and B becomes Min, the other Max.
  void SetRange(double A, double B);

  TDirection Direction() const { return FDirection; }
  void SetDirection(TDirection Value);

  // Table entries 0 and 1023; setting either recomputes entries 1..1022 as
  // the interpolation between the two.
  TColor ColorMin() const { return FBarColorArray[0]; }
  void SetColorMin(TColor Value);
  TColor ColorMax() const { return FBarColorArray[kBarColorCount - 1]; }
  void SetColorMax(TColor Value);
  // One table entry, without repainting. Indices outside 0..1023 read as 0
  // and are ignored on write.
  TColor GetBarColorElem(int Index) const;
  void SetBarColorElem(int Index, TColor Color);

  TColorMapping ColorMapMode() const { return FColorMapMode; }
  void SetColorMapMode(TColorMapping Value);
  bool ShowColorGradient() const { return FColorGrad; }
  void SetShowColorGradient(bool Value);
  TColor ColorMargin() const { return FColorMargin; }
  void SetColorMargin(TColor Value);
  TColor ColorBackGnd() const { return FColorBakG; }
  void SetColorBackGnd(TColor Value);
  TColor ColorGrid() const { return FColorGrid; }
  void SetColorGrid(TColor Value);
  // Grid line spacing; below 2 there is no grid.
  int GridDist() const { return FGridDist; }
  void SetGridDist(int Value);
  int MarginLeft() const { return FMarginLeft; }
  void SetMarginLeft(int Value);
  int MarginRight() const { return FMarginRight; }
  void SetMarginRight(int Value);
  int MarginTop() const { return FMarginTop; }
  void SetMarginTop(int Value);
  int MarginBottom() const { return FMarginBottom; }
  void SetMarginBottom(int Value);
  TFrameStyle FrameStyleOuter() const { return FOuterFrameSt; }
  void SetFrameStyleOuter(TFrameStyle Value);
  TFrameStyle FrameStyleInner() const { return FInnerFrameSt; }
  void SetFrameStyleInner(TFrameStyle Value);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme Value);
  TColor ColBlackLine() const { return FColBlackLine; }
  TColor ColGrayLine() const { return FColGrayLine; }
  TColor ColWhiteLine() const { return FColWhiteLine; }

  // Image file stretched over the bar area. A file that cannot be loaded
  // leaves name and image as they were; an empty name removes the image.
  const String& BackGroundImg() const { return FBakGndFile; }
  void SetBackGroundImg(const String& Value);

  bool TextVisible() const { return FShowValue; }
  void SetTextVisible(bool Value);
  // Anchor of the value text, kept within the control.
  int TextPosX() const { return FTextPosX; }
  void SetTextPosX(int Value);
  int TextPosY() const { return FTextPosY; }
  void SetTextPosY(int Value);
  // -2..10: see ProgBarValueText.
  int TextDecPlaces() const { return FTextDecPlaces; }
  void SetTextDecPlaces(int Value);
  // Degrees counter-clockwise, 0..360.
  int TextAngle() const { return FTextAngle; }
  void SetTextAngle(int Value);
  // Which point of the text lies on the anchor: the middle of its left
  // edge, its centre or the middle of its right edge.
  TAlignment TextAlignment() const { return FAlignment; }
  void SetTextAlignment(TAlignment Value);
  // Called during every paint with the value text, which it may change.
  TBeforeShowValueEvent OnShowValue() const { return FOnShowValue; }
  void SetOnShowValue(TBeforeShowValueEvent Value) { FOnShowValue = std::move(Value); }

  // Automatic increment. Switching it on waits StartInterval ms for the
  // first step, then steps every RepeatInterval ms. When no timer can be had
  // EORVProgBar is raised and AutoInc stays off.
  bool AutoInc() const { return FTimerEnabled; }
  void SetAutoInc(bool Value);
  // Added to Value per step; 0 is refused.
  double AutoIncStep() const { return FAutoIncStep; }
  void SetAutoIncStep(double Value);
  // Milliseconds, at least 10.
  int StartInterval() const { return FStartIv; }
  void SetStartInterval(int Value);
  int RepeatInterval() const { return FRepeatIv; }
  void SetRepeatInterval(int Value);
  // Fired after each step.
  TNotifyEvent OnAutoInc() const { return FOnAutoInc; }
  void SetOnAutoInc(TNotifyEvent Value);
  // True while the running timer waits the start interval.
  bool InStartPhase() const { return FIsStart; }
  HWND TimerHandle() const { return FTimerHandle; }

 protected:
  void Paint() override;
  // One step of the automatic increment.
  virtual void DoTimer();

 private:
  // Entries 1..1022 from entries 0 and 1023.
  void FillColorTable();
  // FBarPixels for the current table.
  const std::array<uint32_t, kBarColorCount>& BarPixels();
  void TimerWndProc(TMessage& Message);
  void StartTimer();
  void RepeatTimer();
  void Arm(int Interval);
  bool Designing() const { return ComponentState().Contains(csDesigning); }

  // Where the bar lies along its direction: from Start to End (exclusive),
  // Len pixels of the Usable length.
  struct TBarExtent {
    bool Horizontal = true;
    int Usable = 0, Len = 0, Start = 0, End = 0;
  };
  TBarExtent BarExtent(int W, int H) const;

  // Drawing steps (progbar_draw.cpp).
  void DrawBar(TCanvas* C, int W, int H, const TBarExtent& Bar);
  void DrawGrid(TCanvas* C, int W, int H, int Start, int End);
  void PaintFrame(TCanvas* C, TFrameStyle Style, int L, int T, int R, int B);
  void DrawValueText(TCanvas* C);

  HWND FTimerHandle = 0;
  bool FTimerEnabled = false;
  TNotifyEvent FOnAutoInc;
  double FAutoIncStep = 1.0;
  int FRepeatIv = 700;
  int FStartIv = 1500;
  bool FIsStart = true;
  TFrameStyle FOuterFrameSt = fsRaised;
  TFrameStyle FInnerFrameSt = fsLowered;
  double FProgValue = 10.0;
  double FProgMax = 100.0;
  double FProgMin = 0.0;
  TDirection FDirection = dirRight;
  std::array<TColor, kBarColorCount> FBarColorArray{};
  // The table as surface pixels, rebuilt on the first paint after a change.
  std::array<uint32_t, kBarColorCount> FBarPixels{};
  bool FBarPixelsStale = true;
  // The pixels of the visible part of a horizontal gradient bar, column by
  // column, with what they were computed for: a repaint of the same bar
  // (the usual case while a value is shown) copies rows without mapping
  // a colour per column again.
  struct TStripKey {
    int Mode = -1, Len = 0, Usable = 0, Visible = 0, Dir = -1;
    friend bool operator==(const TStripKey&, const TStripKey&) = default;
  };
  std::vector<uint32_t> FStrip;
  TStripKey FStripKey;
  bool FStripStale = true;
  std::unique_ptr<TBitmap> AuxBmp;
  TColor FColorMargin = 0xC0C0C0;
  TColor FColorBakG = 0xC0C0C0;
  bool FColorGrad = false;
  TColor FColorGrid = 0x000000;
  int FGridDist = 0;
  TColor FColBlackLine = 0x000000;
  TColor FColGrayLine = 0x808080;
  TColor FColWhiteLine = 0xFFFFFF;
  TColorScheme FColorScheme = csFixed;
  TColorMapping FColorMapMode = cgmStretch;
  int FMarginLeft = 4;
  int FMarginRight = 4;
  int FMarginTop = 4;
  int FMarginBottom = 4;
  String FBakGndFile;
  int FTextPosX = 14;
  int FTextPosY = 14;
  int FTextDecPlaces = 0;
  int FTextAngle = 0;
  TAlignment FAlignment = taCenter;
  TBeforeShowValueEvent FOnShowValue;
  bool FShowValue = true;
};

}  // namespace orv
