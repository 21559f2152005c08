// TNumLab: properties, the displayed text and painting.

#include "numlab/numlab.h"

#include <algorithm>
#include <memory>

#include "foundation/colorfuncs.h"
#include "foundation/drawing.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"

namespace orv {

namespace {

constexpr int kMaxPrecision = 15;
// Text whose height centres every text vertically, whatever it holds.
constexpr const Char* kHeightSample = u"(8g]}\u00DC\u00C4\u00A7";

// Types whose text is no number in decimal notation: they keep their
// separators and take no "+".
bool TakesSeparatorAndSign(TDisplay T) { return T != dtHex && T != dtDateTime && T != dtState && T != dtBin; }

// Writes Text at (X, Y) in the engraved look of a disabled caption: white one
// pixel right and down, then gray in place.
void EngravedText(TCanvas* C, int X, int Y, const String& Text) {
  C->Brush()->SetStyle(bsClear);
  C->Font()->SetColor(clWhite);
  C->TextOut(X + 1, Y + 1, Text);
  C->Font()->SetColor(clGray);
  C->TextOut(X, Y, Text);
}

}  // namespace

TNumLab::TNumLab(TComponent* AOwner)
    : TGraphicControl(AOwner), FColorLabBakG(clBtnFace), FColorOutBakG(clBtnFace) {
  FControlStyle.Include(csOpaque);
  SetBounds(Left(), Top(), 160, 28);
}

TNumLab::~TNumLab() = default;

void TNumLab::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TNumLab*>(Source);
  if (Other == nullptr) {
    TGraphicControl::Assign(Source);
    return;
  }
  FLeftSpace = Other->FLeftSpace;
  FEmpty = Other->FEmpty;
  FLabWidth = Other->FLabWidth;
  FDecP = Other->FDecP;
  FLeftText = Other->FLeftText;
  FRightText = Other->FRightText;
  FFrameStyle = Other->FFrameStyle;
  FAlignment = Other->FAlignment;
  FLTAlignment = Other->FLTAlignment;
  FRTAlignment = Other->FRTAlignment;
  FOverFlowIndi = Other->FOverFlowIndi;
  FLabValue = Other->FLabValue;
  FStateText = Other->FStateText;
  FTransParent = Other->FTransParent;
  FColorLabBakG = Other->FColorLabBakG;
  FColorLabText = Other->FColorLabText;
  FColorOutBakG = Other->FColorOutBakG;
  FColorOutText = Other->FColorOutText;
  FColBlackLine = Other->FColBlackLine;
  FColGrayLine = Other->FColGrayLine;
  FColWhiteLine = Other->FColWhiteLine;
  FColorScheme = Other->FColorScheme;
  FDisplayType = Other->FDisplayType;
  Paint();
}

// --- Properties --------------------------------------------------------------

// The plain setters: store a change and paint it at once.
#define ORV_NUMLAB_SETTER(Name, Type, Field) \
  void TNumLab::Set##Name(Type Value) {      \
    if (Field == Value) return;              \
    Field = Value;                           \
    Paint();                                 \
  }

ORV_NUMLAB_SETTER(LabelWidth, int, FLabWidth)
ORV_NUMLAB_SETTER(Value, double, FLabValue)
ORV_NUMLAB_SETTER(DisplayType, TDisplay, FDisplayType)
ORV_NUMLAB_SETTER(Empty, bool, FEmpty)
ORV_NUMLAB_SETTER(Comma, bool, FComma)
ORV_NUMLAB_SETTER(ForcePlusSign, bool, FPlusSign)
ORV_NUMLAB_SETTER(LeftText, const String&, FLeftText)
ORV_NUMLAB_SETTER(RightText, const String&, FRightText)
ORV_NUMLAB_SETTER(StateText, const String&, FStateText)
ORV_NUMLAB_SETTER(DTFormat, const String&, FDtFormat)
ORV_NUMLAB_SETTER(OverflowIndicator, const String&, FOverFlowIndi)
ORV_NUMLAB_SETTER(FrameStyle, TFrameStyle, FFrameStyle)
ORV_NUMLAB_SETTER(Alignment, TAlignment, FAlignment)
ORV_NUMLAB_SETTER(LeftTextAlignment, TAlignment, FLTAlignment)
ORV_NUMLAB_SETTER(RightTextAlignment, TAlignment, FRTAlignment)
ORV_NUMLAB_SETTER(ColorLabBakG, TColor, FColorLabBakG)
ORV_NUMLAB_SETTER(ColorLabText, TColor, FColorLabText)
ORV_NUMLAB_SETTER(ColorOutBakG, TColor, FColorOutBakG)
ORV_NUMLAB_SETTER(ColorOutText, TColor, FColorOutText)

#undef ORV_NUMLAB_SETTER

void TNumLab::SetLeftSpace(int Value) {
  if (Value < 0) return;
  Value = std::min(Value, Width());
  if (Value == FLeftSpace) return;
  FLeftSpace = Value;
  Paint();
}

void TNumLab::SetPrecision(int Value) {
  if (Value < 0) return;
  Value = std::min(Value, kMaxPrecision);
  if (Value == FDecP) return;
  FDecP = Value;
  Paint();
}

void TNumLab::SetTransparent(bool Value) {
  if (Value == FTransParent) return;
  FTransParent = Value;
  // The parent has to draw its picture under the label first.
  if (Value)
    Invalidate();
  else
    Paint();
}

void TNumLab::SetColorScheme(TColorScheme Value) {
  if (Value == FColorScheme) return;
  FColorScheme = Value;
  SchemeLineColors(Value, FColGrayLine, FColWhiteLine);
  Paint();
}

void TNumLab::SetEnabled(bool Value) {
  if (Value == Enabled()) return;
  TGraphicControl::SetEnabled(Value);
  Refresh();
}

void TNumLab::MouseMove(TShiftState Shift, int X, int Y) {
  FMouseAreaCode = 0;
  if (X > FLeftSpace) FMouseAreaCode = 1;
  if (X > FLeftSpace + FLabWidth) FMouseAreaCode = 2;
  TGraphicControl::MouseMove(Shift, X, Y);
}

// --- Text --------------------------------------------------------------------

String TNumLab::ValueText() {
  String Text;
  // A value with no text in its type (too large for an integer type, not a
  // number) shows the overflow indicator rather than failing the paint.
  if (!NumLabValueText(FDisplayType, FLabValue, FDecP, FDtFormat, FStateText, Text)) return FOverFlowIndi;
  if (TakesSeparatorAndSign(FDisplayType)) {
    const Char From = FComma ? u'.' : u',', To = FComma ? u',' : u'.';
    std::replace(Text.begin(), Text.end(), From, To);
    if (FPlusSign && FLabValue > 0) Text.insert(Text.begin(), u'+');
  }
  return Text;
}

String TNumLab::DisplayText() {
  TBitmap Probe(1, 1);
  Probe.Canvas()->SetFont(Font());
  return DisplayText(Probe.Canvas());
}

String TNumLab::DisplayText(TCanvas* Measure) {
  if (FEmpty) return String();
  String Text = ValueText();
  // The handler runs from a copy, so it may replace its own slot.
  if (TBeforeDisplayEvent Handler = FOnBeforeDisplay) Handler(this, Text);
  if (FDisplayType != dtState && Measure->TextWidth(Text) > FLabWidth - 6) Text = FOverFlowIndi;
  return Text;
}

// --- Painting ----------------------------------------------------------------

void TNumLab::PaintCaptions(TCanvas* C, int TY) {
  const bool On = Enabled();
  const int LS = FLeftSpace, LW = FLabWidth, W = Width();
  C->Brush()->SetStyle(bsClear);
  if (!FLeftText.empty()) {
    const int TW = C->TextWidth(FLeftText);
    const int X = FLTAlignment == taLeftJustify ? 7 : FLTAlignment == taRightJustify ? LS - TW - 5 : (LS - TW) / 2;
    if (On) {
      C->Font()->SetColor(FColorOutText);
      C->TextOut(X, TY, FLeftText);
    } else {
      EngravedText(C, X, TY, FLeftText);
    }
  }
  if (!FRightText.empty()) {
    const int TW = C->TextWidth(FRightText);
    const int X = FRTAlignment == taLeftJustify    ? LS + LW + 7
                  : FRTAlignment == taRightJustify ? W - TW - 6
                                                   : (W - (LS + LW + TW)) / 2 + LS + LW + 1;
    if (On) {
      C->Font()->SetColor(FColorOutText);
      C->TextOut(X, TY, FRightText);
    } else {
      EngravedText(C, X, TY, FRightText);
    }
  }
}

void TNumLab::PaintBox(TCanvas* C, int TY) {
  const int LS = FLeftSpace, LW = FLabWidth, H = Height();
  C->Pen()->SetColor(FFrameStyle == fsNone ? FColorLabBakG : FFrameStyle == fsEmbossed ? FColWhiteLine : FColGrayLine);
  C->Brush()->SetColor(FColorLabBakG);
  C->Brush()->SetStyle(bsSolid);
  // The box is filled first; the bevel then draws over its outer pixels
  // (DrawFrame takes inclusive corners).
  C->Rectangle(LS + 1, 0, LS + LW + 1, H - 1);
  DrawFrame(C, FFrameStyle, LS + 1, 0, LS + LW, H - 2, clWhite, clSilver, clGray, clBlack, 0);
  if (FEmpty) return;

  const String Text = DisplayText(C);
  const int TW = C->TextWidth(Text);
  const int X = FAlignment == taLeftJustify    ? LS + 4
                : FAlignment == taRightJustify ? LS + LW - TW - 2
                                               : LS + (LW - TW) / 2 + 2;
  C->Font()->SetColor(Enabled() ? FColorLabText : clBtnShadow);
  C->Brush()->SetColor(FColorLabBakG);
  C->Brush()->SetStyle(bsSolid);
  C->TextRect(TRect{LS + 3, 2, LS + LW - 1, H - 3}, X, TY, Text);
}

// Opaque, the label is drawn straight onto its canvas: the form surface is
// already an off-screen picture the backend presents whole. Transparent, it
// is drawn off screen on white and combined with the parent's picture by AND.
void TNumLab::Paint() {
  if (!Visible() && !ComponentState().Contains(csDesigning)) return;
  TCanvas* Screen = Canvas();
  const int W = Width(), H = Height();
  if (Screen->Target() == nullptr || W <= 0 || H <= 0) return;  // nowhere to draw

  std::unique_ptr<TBitmap> Off;
  TCanvas* C = Screen;
  if (FTransParent) {
    Off = std::make_unique<TBitmap>(W, H);
    C = Off->Canvas();
  }
  TCanvasStateSaver Saver(Screen);
  C->SetFont(Font());
  C->SetCopyMode(cmSrcCopy);
  C->Pen()->SetMode(pmCopy);
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetWidth(1);
  const int TY = (H - C->TextHeight(kHeightSample)) / 2;

  const TColor Back = FTransParent ? clWhite : FColorOutBakG;
  C->Pen()->SetColor(Back);
  C->Brush()->SetColor(Back);
  C->Brush()->SetStyle(bsSolid);
  C->Rectangle(0, 0, W, H);
  PaintCaptions(C, TY);
  PaintBox(C, TY);
  if (!FTransParent) return;

  // Under the box the parent's picture is replaced: white lets a coloured
  // text through the AND unchanged, the box colour frames a black one.
  const TColor Under = FColorLabText != clBlack ? clWhite : FColorLabBakG;
  Screen->Pen()->SetColor(Under);
  Screen->Pen()->SetStyle(psSolid);
  Screen->Brush()->SetColor(Under);
  Screen->Brush()->SetStyle(bsSolid);
  Screen->Rectangle(FLeftSpace + 2, 2, FLeftSpace + FLabWidth, H - 2);
  Screen->SetCopyMode(cmSrcAnd);
  Screen->CopyRect(TRect{0, 0, W, H}, C, TRect{0, 0, W, H});
}

}  // namespace orv
