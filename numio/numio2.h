#pragma once
// TNumIO2: a numeric input field that draws everything itself: a caption at
// the left, a framed text box with its own blinking caret and selection, a
// caption at the right, optional up/down spin buttons between box and right
// caption, and an optional gauge strip along the bottom showing where the
// value lies in its range. The box turns to warning colours while the value
// is out of range.
//
// Every keystroke is applied to the text buffer and kept only when the result
// is still a valid (partial) number of the input format; refused keys restore
// buffer and caret and beep when Beep is set. The caret blinks on window
// timer 1 of a hidden message window the field owns for its whole life.

#include <memory>
#include <vector>

#include "foundation/basetypes.h"
#include "framework/controls/customcontrol.h"
#include "framework/controls/stdtypes.h"
#include "framework/graphics/bitmap.h"
#include "numio/informat.h"

namespace orv {

using TDoubleArray = std::vector<double>;
using TOnGaugeChangeEvent = std::function<void(TObject* Sender, TShiftState Shift, double GaugeValue)>;

class TNumIO2 : public TCustomControl {
 public:
  explicit TNumIO2(TComponent* AOwner);
  ~TNumIO2() override;

  // --- Layout ------------------------------------------------------------------
  // Width of the left caption area; negative values are ignored, values past
  // Width become Width.
  int LeftSpace() const { return FLeftSpace; }
  void SetLeftSpace(int Value);
  int TextBoxWidth() const { return FTextBoxWidth; }
  void SetTextBoxWidth(int Value);
  // Heights below 18 become 18; the spin buttons shrink with the control.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // --- Spin buttons --------------------------------------------------------------
  int ButWidth() const { return FButWidth; }
  void SetButWidth(int Value);       // 8..50
  int ButSpace() const { return FButSpace; }
  void SetButSpace(int Value);       // 0..50
  int ButHeight() const { return FButHeight; }
  void SetButHeight(int Value);      // 18..Height
  double ButIncrem() const { return FButIncrem; }
  void SetButIncrem(double Value);
  bool ButVisible() const { return FButVisible; }
  void SetButVisible(bool Value);
  bool But3D() const { return FBut3D; }
  void SetBut3D(bool Value);
  TColor ButColor() const { return FButColor; }
  void SetButColor(TColor Value);

  // --- Gauge -------------------------------------------------------------------
  bool GaugeVisible() const { return FGaugeVisib; }
  void SetGaugeVisible(bool Value);
  int GaugeHeight() const { return FGaugeHeight; }
  void SetGaugeHeight(int Value);    // 3..Height - GaugeTopMargin - 18
  int GaugeWidth() const { return FGaugeWidth; }
  void SetGaugeWidth(int Value);     // 10..Width - GaugeLeftMargin
  int GaugeLeftMargin() const { return FGaugeLeftMarg; }
  void SetGaugeLeftMargin(int Value);
  int GaugeTopMargin() const { return FGaugeTopMarg; }
  void SetGaugeTopMargin(int Value);
  TColor GaugeColor() const { return FGaugeColor; }
  void SetGaugeColor(TColor Value);
  TColor GaugeColorBg() const { return FGaugeColorBg; }
  void SetGaugeColorBg(TColor Value);
  TColor GaugeColorFrame() const { return FGaugeColorFrm; }
  void SetGaugeColorFrame(TColor Value);
  TFrameStyle GaugeFrameStyle() const { return FGaugeFrameSt; }
  void SetGaugeFrameStyle(TFrameStyle Value);

  // --- Captions, box and colours ---------------------------------------------------
  const String& LeftText() const { return FLeftText; }
  void SetLeftText(const String& Value);
  const String& RightText() const { return FRightText; }
  void SetRightText(const String& Value);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TAlignment LeftTextAlignment() const { return FLTAlignment; }
  void SetLeftTextAlignment(TAlignment Value);
  TAlignment RightTextAlignment() const { return FRTAlignment; }
  void SetRightTextAlignment(TAlignment Value);
  TColor ColorBoxBG() const { return FColorBoxBG; }
  void SetColorBoxBG(TColor Value);
  TColor ColorBoxText() const { return FColorBoxText; }
  void SetColorBoxText(TColor Value);
  TColor ColorOutBG() const { return FColorOutBG; }
  void SetColorOutBG(TColor Value);
  TColor ColorOutText() const { return FColorOutText; }
  void SetColorOutText(TColor Value);
  // Stored and repainted even when unchanged.
  TColor ColorWarnBG() const { return FColorWarnBG; }
  void SetColorWarnBG(TColor Value);
  TColor ColorWarnText() const { return FColorWarnTxt; }
  void SetColorWarnText(TColor Value);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme Value);
  bool HideSelection() const { return FHideSel; }
  void SetHideSelection(bool Value);
  // When set, each paint first sets the height to the text height of "E0" + 6.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  void SetEnabled(bool Value) override;
  // 0 left of the box, 1 over the box, 2 right of it (last mouse move).
  int MouseAreaCode() const { return FMouseAreaCode; }

  // --- Number and text -----------------------------------------------------------
  // The buffer. Writing keeps only an empty text or one that passes
  // CheckValidity, with caret and selection at 0.
  String Text() const override { return FInBuffer; }
  void SetText(const String& Value) override;
  // The buffer read as a number of the input format; writing formats the
  // value into the buffer (caret and selection stay).
  double Value() const;
  void SetValue(double V);
  // Value rounded to an integer, halves to even; EORVNumIO2Error
  // "Component \"<Name>\": integer overflow" outside the 32-bit range.
  int IntegerValue() const;
  // Changing the format re-formats the current value.
  TInFormat InputFormat() const { return FInputFormat; }
  void SetInputFormat(TInFormat Value);
  // Decimals of itFloat and itFixPoint; values <= 0 are ignored, above 15 is 15.
  int FixPointDecPlaces() const { return FDecP; }
  void SetFixPointDecPlaces(int Value);
  // Significant digits of itExp; the same rules.
  int SignificantDigits() const { return FSigDig; }
  void SetSignificantDigits(int Value);
  // Changing it rewrites the separator in the buffer (not when going to
  // dpsBoth, which accepts either).
  TDecPSep DecPlaceSep() const { return FDecPSep; }
  void SetDecPlaceSep(TDecPSep Value);
  // A bound set past the other one drags the other along.
  double RangeLow() const { return FMinimum; }
  void SetRangeLow(double Value);
  double RangeHigh() const { return FMaximum; }
  void SetRangeHigh(double Value);
  // Read-only fields show no caret and take only Ctrl+C from the keyboard;
  // spin buttons and gauge still change the value.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool Beep() const { return FBeep; }
  void SetBeep(bool Value) { FBeep = Value; }
  // Selection as character indices (0 = before the first character); each
  // setter clamps to the buffer and puts the caret there.
  int SelBegin() const { return FSelBegin; }
  void SetSelBegin(int Value);
  int SelEnd() const { return FSelEnd; }
  void SetSelEnd(int Value);
  // Caret index in the buffer and whether it shows in the current blink phase.
  int CaretPos() const { return FCaretPos; }
  bool CaretVisible() const { return FCaretVisib; }

  // Whether Instring is a (partly typed) number of the input format.
  bool CheckValidity(const String& Instring) const;
  // Value below RangeLow or above RangeHigh.
  bool OutOfRange() const;
  // Fires OnChange.
  void Changed() override;
  // Takes the focus and, unless read-only, restarts the caret blinking.
  void SetFocus() override;

  // Ascending values the spin buttons and gauge snap to; empty for none.
  TDoubleArray ButtonPivots;

  // From another TNumIO2 every published value, the buffer, caret and
  // selection; anything else goes to the inherited Assign.
  void Assign(TPersistent* Source) override;

  // After an edit that changed the buffer, a spin step, and at mouse-up after
  // a gauge click or drag.
  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
  // During a gauge drag, for each move inside the gauge, with the new value.
  TOnGaugeChangeEvent OnGaugeChange() const { return FOnGaugeChange; }
  void SetOnGaugeChange(TOnGaugeChangeEvent Value) { FOnGaugeChange = std::move(Value); }

  // The hidden window that receives the caret ticks.
  HWND CaretTimerHandle() const { return FCaretTimerH; }

  void WndProc(TMessage& Message) override;

 protected:
  void Paint() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Click() override;
  void ParentChanged() override;

 private:
  // The places everything is drawn at for the current size and font.
  struct TLayout {
    int W, H, LS, TBW, G, Th, Ty, B, S, Bx;
  };
  TLayout Layout();
  // Text widths in the control's font.
  TCanvas* MeasureCanvas();
  int TextWidthOf(const String& S);
  // Box x of the caret before character N of the buffer, and back.
  int CharPosToX(int N);
  int XToCharPos(int X);

  // Painting steps, in the order they are drawn.
  void PaintCaption(TCanvas* C, const String& S, int X, int Y, bool Enabled);
  void PaintButtons(TCanvas* C, const TLayout& L, bool Enabled);
  void PaintGauge(TCanvas* C, const TLayout& L, bool Enabled, double V);
  void PaintBox(TCanvas* C, const TLayout& L, bool Enabled, bool Warn);
  void PaintValueText(TCanvas* C, const TLayout& L, bool Enabled, bool Warn);
  void Bevel(TCanvas* C, TFrameStyle Style, const TPoint (&TopLeft)[3], const TPoint (&BottomRight)[3]);

  // Caret timer: restart (raises when no timer can be had) and each tick.
  void RestartCaretTimer();
  void StopCaretTimer();
  void CaretTimerWndProc(TMessage& Message);

  // The buffer text that shows V in the current format.
  String ValueText(double V) const;
  // Editing helpers of the key handler.
  void DeleteSelection(bool ZeroWhenEmpty);
  void InsertAtCaret(const String& S);
  bool KeyChar(uint16_t Key, bool Shifted, Char& Out) const;
  void Refuse();

  // Mouse helpers: the spin step and the value under a gauge x.
  void SpinStep(bool Up);
  double GaugeValueAt(int X) const;
  double SnapToPivot(double V) const;
  bool Designing() const;

  // Holds the paints of one input event back and paints once at its end.
  class TPaintBatch {
   public:
    explicit TPaintBatch(TNumIO2* F) : FField(F) { ++FField->FPaintLock; }
    ~TPaintBatch() {
      if (--FField->FPaintLock == 0 && FField->FPaintPending) FField->Paint();
    }
    TPaintBatch(const TPaintBatch&) = delete;
    TPaintBatch& operator=(const TPaintBatch&) = delete;

   private:
    TNumIO2* FField;
  };
  int FPaintLock = 0;
  bool FPaintPending = false;

  int FLeftSpace = 35;
  bool FSuppressPaint = true;
  int FTextBoxWidth = 80;
  bool FValueChanged = false;
  int FDecP = 2;
  int FSigDig = 6;
  bool FEnabled = true;
  int FButWidth = 18;
  int FButSpace = 3;
  double FButIncrem = 1.0;
  bool FButVisible = false;
  bool FBut3D = true;
  int FButHeight = 28;
  TColor FButColor = 0xC0C0C0;
  HWND FCaretTimerH = 0;
  String FInBuffer;
  int FCaretPos = 0;
  bool FCaretVisib = true;
  bool FGaugeVisib = false;
  int FGaugeHeight = 8;
  int FGaugeWidth = 82;
  int FGaugeLeftMarg = 35;
  int FGaugeTopMarg = 3;
  TColor FGaugeColor = 0x800000;
  TColor FGaugeColorBg = 0xC0C0C0;
  TColor FGaugeColorFrm = 0x808080;
  TFrameStyle FGaugeFrameSt = fsLowered;
  String FLeftText;
  String FRightText;
  TFrameStyle FFrameStyle = fsLowered;
  TAlignment FAlignment = taCenter;
  TAlignment FLTAlignment = taRightJustify;
  TAlignment FRTAlignment = taLeftJustify;
  int FMouseAreaCode = 0;
  TColor FColorBoxBG = 0xFFFFFF;
  TColor FColorBoxText = 0x000000;
  TColor FColorOutBG;
  TColor FColorOutText = 0x000000;
  TColor FColBlackLine = 0x000000;
  TColor FColGrayLine = 0x808080;
  TColor FColWhiteLine = 0xFFFFFF;
  TColor FColorWarnBG = 0x6088FFF0;
  TColor FColorWarnTxt = 0x0000FF;
  TColorScheme FColorScheme = csFixed;
  int FSelBegin = 0;
  int FSelEnd = 0;
  TDecPSep FDecPSep = dpsBoth;
  TInFormat FInputFormat = itFloat;
  bool FKeyShifted = false;
  bool FKeyCntrl = false;
  bool FHideSel = true;
  double FMaximum = 1000;
  double FMinimum = 0;
  bool FOnlineCheck = true;
  bool FBeep = false;
  bool FReadOnly = false;
  bool FAutoSize = false;
  bool FAutoSizing = false;  // set while Paint applies AutoSize
  TNotifyEvent FOnChange;
  TOnGaugeChangeEvent FOnGaugeChange;
  std::unique_ptr<TBitmap> FBitmap;  // off-screen image of the whole control
};

}  // namespace orv
