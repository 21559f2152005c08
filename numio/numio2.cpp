// TNumIO2: construction, properties, the buffer <-> value conversion and the
// caret timer. Painting is in numio2_paint.cpp, keyboard and mouse in
// numio2_input.cpp.

#include "numio/numio2.h"

#include <algorithm>
#include <cmath>

#include "foundation/colorfuncs.h"
#include "framework/controls/application.h"
#include "framework/controls/timers.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/rtlmath.h"
#include "framework/rtl/sysutils.h"
#include "numio/int32text.h"
#include "numio/numformat.h"
#include "numio/numscan.h"
#include "numio/numsyntax.h"

namespace orv {

namespace {

constexpr uintptr_t kCaretTimerId = 1;
constexpr uint32_t kCaretBlinkMs = 500;
constexpr int kMinHeight = 18;
constexpr int kMaxDecimals = 15;

// The separator character a DecPlaceSep value stands for (dpsBoth: none).
Char SeparatorOf(TDecPSep Sep) {
  switch (Sep) {
    case dpsPoint: return u'.';
    case dpsComma: return u',';
    case dpsSystem: return FormatSettings.DecimalSeparator == u',' ? u',' : u'.';
    default: return 0;
  }
}

// Integer text of a value rounded halves to even, any magnitude.
String RoundedText(double V) {
  // Values between -0.5 and 0 round to zero, shown without a sign.
  if (V >= -0.5 && V <= 0.5) V = 0;
  return FormatRealText(1, 0, V);
}

// The 32-bit pattern the radix formats show for V: rounded, with values
// beyond the digits' reach held at the nearest end of what they can show.
uint32_t RadixBits(double V) {
  const double Clamped = std::isnan(V) ? 0.0 : EnsureRange(V, -2147483648.0, 4294967295.0);
  return static_cast<uint32_t>(static_cast<int64_t>(Round(Clamped)));
}

}  // namespace

TNumIO2::TNumIO2(TComponent* AOwner) : TCustomControl(AOwner), FColorOutBG(clBtnFace) {
  FBitmap = std::make_unique<TBitmap>();
  FControlStyle.Include(csOpaque);
  FControlStyle.Include(csCaptureMouse);
  SetTabStop(true);
  TCustomControl::SetBounds(Left(), Top(), 160, 28);
  FButHeight = Height();
  FCaretTimerH = AllocateHWnd([this](TMessage& Message) { CaretTimerWndProc(Message); });
  try {
    RestartCaretTimer();
  } catch (...) {
    DeallocateHWnd(FCaretTimerH);
    throw;
  }
}

TNumIO2::~TNumIO2() {
  KillTimer(FCaretTimerH, kCaretTimerId);
  DeallocateHWnd(FCaretTimerH);
  FCaretTimerH = 0;
}

bool TNumIO2::Designing() const { return ComponentState().Contains(csDesigning); }

void TNumIO2::ParentChanged() {
  TCustomControl::ParentChanged();
  // Painting starts once the field sits in a window.
  if (Parent()) FSuppressPaint = false;
}

// --- Layout properties -----------------------------------------------------------

void TNumIO2::SetLeftSpace(int Value) {
  if (Value < 0) return;
  Value = std::min(Value, Width());
  if (Value == FLeftSpace) return;
  FLeftSpace = Value;
  Paint();
}

void TNumIO2::SetTextBoxWidth(int Value) {
  if (Value == FTextBoxWidth) return;
  FTextBoxWidth = Value;
  Paint();
}

void TNumIO2::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!FAutoSizing) AHeight = std::max(AHeight, kMinHeight);
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FButHeight > Height()) FButHeight = Height();
}

void TNumIO2::SetButWidth(int Value) {
  Value = std::clamp(Value, 8, 50);
  if (Value == FButWidth) return;
  FButWidth = Value;
  Paint();
}

void TNumIO2::SetButSpace(int Value) {
  Value = std::clamp(Value, 0, 50);
  if (Value == FButSpace) return;
  FButSpace = Value;
  Paint();
}

void TNumIO2::SetButHeight(int Value) {
  Value = std::min(std::max(Value, kMinHeight), Height());
  if (Value == FButHeight) return;
  FButHeight = Value;
  Paint();
}

// Stores Value in Field and repaints when it differs.
#define ORV_NUMIO2_SETTER(Name, Type, Field) \
  void TNumIO2::Name(Type Value) {           \
    if (Value == Field) return;              \
    Field = Value;                           \
    Paint();                                 \
  }

ORV_NUMIO2_SETTER(SetButIncrem, double, FButIncrem)
ORV_NUMIO2_SETTER(SetButVisible, bool, FButVisible)
ORV_NUMIO2_SETTER(SetBut3D, bool, FBut3D)
ORV_NUMIO2_SETTER(SetButColor, TColor, FButColor)
ORV_NUMIO2_SETTER(SetGaugeVisible, bool, FGaugeVisib)
ORV_NUMIO2_SETTER(SetGaugeColor, TColor, FGaugeColor)
ORV_NUMIO2_SETTER(SetGaugeColorBg, TColor, FGaugeColorBg)
ORV_NUMIO2_SETTER(SetGaugeColorFrame, TColor, FGaugeColorFrm)
ORV_NUMIO2_SETTER(SetGaugeFrameStyle, TFrameStyle, FGaugeFrameSt)
ORV_NUMIO2_SETTER(SetLeftText, const String&, FLeftText)
ORV_NUMIO2_SETTER(SetRightText, const String&, FRightText)
ORV_NUMIO2_SETTER(SetFrameStyle, TFrameStyle, FFrameStyle)
ORV_NUMIO2_SETTER(SetAlignment, TAlignment, FAlignment)
ORV_NUMIO2_SETTER(SetLeftTextAlignment, TAlignment, FLTAlignment)
ORV_NUMIO2_SETTER(SetRightTextAlignment, TAlignment, FRTAlignment)
ORV_NUMIO2_SETTER(SetColorBoxBG, TColor, FColorBoxBG)
ORV_NUMIO2_SETTER(SetColorBoxText, TColor, FColorBoxText)
ORV_NUMIO2_SETTER(SetColorOutBG, TColor, FColorOutBG)
ORV_NUMIO2_SETTER(SetColorOutText, TColor, FColorOutText)
ORV_NUMIO2_SETTER(SetHideSelection, bool, FHideSel)
ORV_NUMIO2_SETTER(SetAutoSize, bool, FAutoSize)

#undef ORV_NUMIO2_SETTER

void TNumIO2::SetGaugeHeight(int Value) {
  Value = std::max(std::min(Value, Height() - FGaugeTopMarg - kMinHeight), 3);
  if (Value == FGaugeHeight) return;
  FGaugeHeight = Value;
  Paint();
}

void TNumIO2::SetGaugeWidth(int Value) {
  Value = std::min(std::max(Value, 10), Width() - FGaugeLeftMarg);
  if (Value == FGaugeWidth) return;
  FGaugeWidth = Value;
  Paint();
}

void TNumIO2::SetGaugeLeftMargin(int Value) {
  Value = std::max(std::min(Value, Width() - FGaugeWidth), 0);
  if (Value == FGaugeLeftMarg) return;
  FGaugeLeftMarg = Value;
  Paint();
}

void TNumIO2::SetGaugeTopMargin(int Value) {
  Value = std::max(std::min(Value, Height() - FGaugeHeight - kMinHeight), 0);
  if (Value == FGaugeTopMarg) return;
  FGaugeTopMarg = Value;
  Paint();
}

void TNumIO2::SetColorWarnBG(TColor Value) {
  FColorWarnBG = Value;
  Paint();
}

void TNumIO2::SetColorWarnText(TColor Value) {
  FColorWarnTxt = Value;
  Paint();
}

void TNumIO2::SetColorScheme(TColorScheme Value) {
  if (Value == FColorScheme) return;
  FColorScheme = Value;
  SchemeLineColors(Value, FColGrayLine, FColWhiteLine);
  Paint();
}

void TNumIO2::SetEnabled(bool Value) {
  FEnabled = Value;
  TCustomControl::SetEnabled(Value);
  Repaint();
}

// --- Number and text ---------------------------------------------------------------

bool TNumIO2::CheckValidity(const String& Instring) const {
  switch (FInputFormat) {
    case itExp:
      return CheckFloatSyntax(Instring, true, FDecPSep);
    case itFloat:
      return CheckFixedSyntax(Instring, FDecPSep);
    case itFixPoint: {
      if (!CheckFixedSyntax(Instring, FDecPSep)) return false;
      const size_t Sep = Instring.find_first_of(u".,");
      const int SepPos = Sep == String::npos ? 0 : static_cast<int>(Sep) + 1;
      return SepPos == static_cast<int>(Instring.size()) - FDecP;
    }
    case itInt:
      return CheckIntSyntax(Instring) && DecInt32Fits(Instring);
    case itHex:
      return CheckHexSyntax(Instring) && RadixDigitsFit32(Instring, 16);
    case itOct:
      return CheckOctSyntax(Instring) && RadixDigitsFit32(Instring, 8);
    case itBin:
      return CheckBinSyntax(Instring) && RadixDigitsFit32(Instring, 2);
    case itDynamic: {
      if (Instring.empty()) return false;
      const std::u16string_view Rest = std::u16string_view(Instring).substr(1);
      switch (Instring.front()) {
        case u'$': return CheckHexSyntax(Rest) && RadixDigitsFit32(Rest, 16);
        case u'%': return CheckBinSyntax(Rest) && RadixDigitsFit32(Rest, 2);
        case u'&': return CheckOctSyntax(Rest) && RadixDigitsFit32(Rest, 8);
        default: return CheckFloatSyntax(Instring, true, FDecPSep);
      }
    }
  }
  return false;
}

double TNumIO2::Value() const {
  int Pos = 1;
  const std::u16string_view B = FInBuffer;
  switch (FInputFormat) {
    case itInt:
      if (B.empty() || !CheckIntSyntax(B)) return 0;
      return ReadDecInt32Saturated(B);
    case itHex:
      return ScanHexNumber(B, Pos);
    case itOct:
      return ScanOctNumber(B, Pos);
    case itBin:
      return ScanBinNumber(B, Pos);
    case itDynamic:
      if (B.empty()) return 0;
      switch (B.front()) {
        case u'$': return ScanHexNumber(B.substr(1), Pos);
        case u'%': return ScanBinNumber(B.substr(1), Pos);
        case u'&': return ScanOctNumber(B.substr(1), Pos);
        default: break;
      }
      [[fallthrough]];
    default:
      return ScanFloatNumber(B, true, kSepModeBoth, Pos);
  }
}

void TNumIO2::SetValue(double V) {
  FInBuffer = ValueText(V);
  Paint();
}

String TNumIO2::ValueText(double V) const {
  String S;
  switch (FInputFormat) {
    case itExp:
      S = FormatRealText(FSigDig + 6, -2, V);
      // Two exponent digits cannot carry 1e100 and beyond: such values take
      // the four-digit exponent form rather than a field of "*".
      if (S.find(u'*') != String::npos && std::isfinite(V)) S = FormatRealText(FSigDig + 8, -1, V);
      break;
    case itInt:
      // The field holds 32-bit integers only: a wider value shows the
      // nearest end of the range, which is also what the buffer reads as.
      S = RoundedText(std::isnan(V) ? 0.0 : EnsureRange(V, -2147483648.0, 2147483647.0));
      break;
    case itDynamic:
      S = RoundedText(V);
      break;
    case itHex:
      S = HexDigitsText(RadixBits(V), 8);
      break;
    case itOct:
      S = OctDigitsText(RadixBits(V), 11);
      break;
    case itBin:
      S = BinDigitsText(RadixBits(V), 32);
      break;
    default:
      S = FormatRealText(1, FDecP, V);
      break;
  }
  if (SeparatorOf(FDecPSep) == u',') std::replace(S.begin(), S.end(), u'.', u',');
  return S;
}

int TNumIO2::IntegerValue() const {
  const double V = Value();
  if (!(V <= 2147483647.0 && V >= -2147483648.0))
    throw EORVNumIO2Error(u"Component \"" + Name() + u"\": integer overflow");
  return static_cast<int>(Round(V));
}

void TNumIO2::SetText(const String& Value) {
  if (!Value.empty() && !CheckValidity(Value)) return;
  FInBuffer = Value;
  FCaretPos = FSelBegin = FSelEnd = 0;
  Paint();
}

void TNumIO2::SetInputFormat(TInFormat Value) {
  if (Value == FInputFormat) return;
  const double V = this->Value();
  FInputFormat = Value;
  SetValue(V);
}

void TNumIO2::SetFixPointDecPlaces(int Value) {
  if (Value <= 0 || Value == FDecP) return;
  const double V = this->Value();
  FDecP = std::min(Value, kMaxDecimals);
  SetValue(V);
}

void TNumIO2::SetSignificantDigits(int Value) {
  if (Value <= 0 || Value == FSigDig) return;
  const double V = this->Value();
  FSigDig = std::min(Value, kMaxDecimals);
  SetValue(V);
}

void TNumIO2::SetDecPlaceSep(TDecPSep Value) {
  if (Value == FDecPSep) return;
  if (Value != dpsBoth) {
    const Char New = SeparatorOf(Value);
    if (FDecPSep == dpsBoth) {
      for (Char& C : FInBuffer)
        if (C == u'.' || C == u',') C = New;
    } else if (const Char Old = SeparatorOf(FDecPSep); Old != New) {
      std::replace(FInBuffer.begin(), FInBuffer.end(), Old, New);
    }
  }
  FDecPSep = Value;
  Paint();
}

void TNumIO2::SetRangeLow(double Value) {
  FMinimum = Value;
  if (FMaximum < Value) FMaximum = Value;
  Paint();
}

void TNumIO2::SetRangeHigh(double Value) {
  FMaximum = Value;
  if (FMinimum > Value) FMinimum = Value;
  Paint();
}

bool TNumIO2::OutOfRange() const {
  const double V = Value();
  return V < FMinimum || V > FMaximum;
}

void TNumIO2::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  FReadOnly = Value;
  if (Value) {
    StopCaretTimer();
  } else {
    RestartCaretTimer();
  }
  Paint();
}

void TNumIO2::SetSelBegin(int Value) {
  Value = std::clamp(Value, 0, static_cast<int>(FInBuffer.size()));
  FSelBegin = FCaretPos = Value;
  if (FSelEnd < Value) FSelEnd = Value;
  Paint();
}

void TNumIO2::SetSelEnd(int Value) {
  Value = std::clamp(Value, 0, static_cast<int>(FInBuffer.size()));
  FSelEnd = FCaretPos = Value;
  if (FSelBegin > Value) FSelBegin = Value;
  Paint();
}

void TNumIO2::Changed() {
  // The handler runs from a copy: it may replace or clear OnChange.
  if (TNotifyEvent Handler = FOnChange) Handler(this);
}

void TNumIO2::Assign(TPersistent* Source) {
  auto* O = dynamic_cast<TNumIO2*>(Source);
  if (O == nullptr) {
    TCustomControl::Assign(Source);
    return;
  }
  FLeftSpace = O->FLeftSpace;
  FTextBoxWidth = O->FTextBoxWidth;
  FDecP = O->FDecP;
  FSigDig = O->FSigDig;
  FLeftText = O->FLeftText;
  FRightText = O->FRightText;
  FFrameStyle = O->FFrameStyle;
  FAlignment = O->FAlignment;
  FRTAlignment = O->FRTAlignment;
  FLTAlignment = O->FLTAlignment;
  FColorBoxBG = O->FColorBoxBG;
  FColorBoxText = O->FColorBoxText;
  FColorOutBG = O->FColorOutBG;
  FColorOutText = O->FColorOutText;
  FColBlackLine = O->FColBlackLine;
  FColGrayLine = O->FColGrayLine;
  FColWhiteLine = O->FColWhiteLine;
  FColorScheme = O->FColorScheme;
  FInputFormat = O->FInputFormat;
  FInBuffer = O->FInBuffer;
  FCaretPos = O->FCaretPos;
  FCaretVisib = O->FCaretVisib;
  FMouseAreaCode = O->FMouseAreaCode;
  FColorWarnBG = O->FColorWarnBG;
  FColorWarnTxt = O->FColorWarnTxt;
  FSelBegin = O->FSelBegin;
  FSelEnd = O->FSelEnd;
  FDecPSep = O->FDecPSep;
  FKeyShifted = O->FKeyShifted;
  FKeyCntrl = O->FKeyCntrl;
  FHideSel = O->FHideSel;
  FMaximum = O->FMaximum;
  FMinimum = O->FMinimum;
  FOnlineCheck = O->FOnlineCheck;
  FBeep = O->FBeep;
  FAutoSize = O->FAutoSize;
  // Through the setter, so the caret timer follows the new state.
  SetReadOnly(O->FReadOnly);
  Paint();
}

void TNumIO2::SetFocus() {
  TCustomControl::SetFocus();
  if (!FReadOnly) RestartCaretTimer();
}

// --- Caret timer -------------------------------------------------------------------

void TNumIO2::RestartCaretTimer() {
  KillTimer(FCaretTimerH, kCaretTimerId);
  const bool WasVisible = FCaretVisib;
  FCaretVisib = true;
  if (SetTimer(FCaretTimerH, kCaretTimerId, kCaretBlinkMs, nullptr) == 0)
    throw EORVNumIO2Error(u"Component \"" + Name() + u"\": no timer available");
  // A caret that already shows needs no new picture.
  if (!WasVisible) Paint();
}

void TNumIO2::StopCaretTimer() {
  KillTimer(FCaretTimerH, kCaretTimerId);
  FCaretVisib = false;
}

void TNumIO2::CaretTimerWndProc(TMessage& Message) {
  if (Message.Msg != WM_TIMER || Message.WParam != kCaretTimerId) {
    Message.Result = DefWindowProc(FCaretTimerH, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  // A tick has no caller to report to: errors go to the application.
  try {
    if (Focused()) {
      FCaretVisib = !FCaretVisib;
    } else {
      StopCaretTimer();
    }
    Paint();
  } catch (...) {
    Application->HandleException(this);
  }
}

void TNumIO2::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
      TCustomControl::WndProc(Message);
      if (!FReadOnly) RestartCaretTimer();
      return;
    case WM_KILLFOCUS:
      // Modifier key-ups go to whoever has the focus then.
      FKeyShifted = FKeyCntrl = false;
      TCustomControl::WndProc(Message);
      Paint();
      return;
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
      return;
    default:
      TCustomControl::WndProc(Message);
  }
}

}  // namespace orv
