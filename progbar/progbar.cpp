// TProgBar: construction, properties, the colour table and the timer.

#include "progbar/progbar.h"

#include <algorithm>
#include <exception>

#include "foundation/colorfuncs.h"
#include "framework/controls/application.h"
#include "framework/controls/timers.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/colors.h"

namespace orv {

namespace {

constexpr uintptr_t kAutoIncTimerId = 1;
constexpr int kMinInterval = 10;
constexpr int kLastIndex = kBarColorCount - 1;

}  // namespace

TProgBar::TProgBar(TComponent* AOwner) : TGraphicControl(AOwner), AuxBmp(std::make_unique<TBitmap>(10, 10)) {
  FControlStyle.Include(csOpaque);
  SetBounds(Left(), Top(), 300, 28);
  FTimerHandle = AllocateHWnd([this](TMessage& Message) { TimerWndProc(Message); });
  FBarColorArray[0] = 0xFF0000;
  FBarColorArray[kLastIndex] = 0x0000FF;
  FillColorTable();
}

TProgBar::~TProgBar() {
  // Releasing the window drops its timer too, so no tick reaches a bar that is gone.
  DeallocateHWnd(FTimerHandle);
  FTimerHandle = 0;
}

void TProgBar::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TProgBar*>(Source);
  if (Other == nullptr) {
    TGraphicControl::Assign(Source);
    return;
  }
  FOuterFrameSt = Other->FOuterFrameSt;
  FInnerFrameSt = Other->FInnerFrameSt;
  FProgValue = Other->FProgValue;
  FProgMin = Other->FProgMin;
  FProgMax = Other->FProgMax;
  FColorMargin = Other->FColorMargin;
  FColBlackLine = Other->FColBlackLine;
  FColGrayLine = Other->FColGrayLine;
  FColWhiteLine = Other->FColWhiteLine;
  FColorScheme = Other->FColorScheme;
  FDirection = Other->FDirection;
  FBarColorArray = Other->FBarColorArray;
  FBarPixelsStale = true;
  AuxBmp->Assign(Other->AuxBmp.get());
  FColorBakG = Other->FColorBakG;
  FColorGrad = Other->FColorGrad;
  FColorGrid = Other->FColorGrid;
  FGridDist = Other->FGridDist;
  FColorMapMode = Other->FColorMapMode;
  FMarginLeft = Other->FMarginLeft;
  FMarginRight = Other->FMarginRight;
  FMarginTop = Other->FMarginTop;
  FMarginBottom = Other->FMarginBottom;
  FBakGndFile = Other->FBakGndFile;
  FTextPosX = Other->FTextPosX;
  FTextPosY = Other->FTextPosY;
  FTextDecPlaces = Other->FTextDecPlaces;
  FTextAngle = Other->FTextAngle;
  FAlignment = Other->FAlignment;
  FOnShowValue = Other->FOnShowValue;
  FShowValue = Other->FShowValue;
  Paint();
}

void TProgBar::AssignTo(TPersistent* Dest) {
  if (auto* Bar = dynamic_cast<TProgBar*>(Dest)) {
    Bar->Assign(this);
    return;
  }
  TGraphicControl::AssignTo(Dest);
}

// --- Properties --------------------------------------------------------------

// Setters that store a change and paint it at once.
#define ORV_PROGBAR_SETTER(Name, Type, Field) \
  void TProgBar::Set##Name(Type Value) {      \
    if (Field == Value) return;               \
    Field = Value;                            \
    Paint();                                  \
  }

ORV_PROGBAR_SETTER(Value, double, FProgValue)
ORV_PROGBAR_SETTER(Min, double, FProgMin)
ORV_PROGBAR_SETTER(Max, double, FProgMax)
ORV_PROGBAR_SETTER(Direction, TDirection, FDirection)
ORV_PROGBAR_SETTER(ColorMapMode, TColorMapping, FColorMapMode)
ORV_PROGBAR_SETTER(ShowColorGradient, bool, FColorGrad)
ORV_PROGBAR_SETTER(ColorMargin, TColor, FColorMargin)
ORV_PROGBAR_SETTER(ColorBackGnd, TColor, FColorBakG)
ORV_PROGBAR_SETTER(ColorGrid, TColor, FColorGrid)
ORV_PROGBAR_SETTER(GridDist, int, FGridDist)
ORV_PROGBAR_SETTER(MarginLeft, int, FMarginLeft)
ORV_PROGBAR_SETTER(MarginRight, int, FMarginRight)
ORV_PROGBAR_SETTER(MarginTop, int, FMarginTop)
ORV_PROGBAR_SETTER(MarginBottom, int, FMarginBottom)
ORV_PROGBAR_SETTER(FrameStyleOuter, TFrameStyle, FOuterFrameSt)
ORV_PROGBAR_SETTER(FrameStyleInner, TFrameStyle, FInnerFrameSt)
ORV_PROGBAR_SETTER(TextAlignment, TAlignment, FAlignment)

#undef ORV_PROGBAR_SETTER

void TProgBar::SetRange(double A, double B) {
  FProgMin = std::min(A, B);
  FProgMax = A >= B ? A : B;
  Paint();
}

void TProgBar::FillColorTable() {
  const TColor First = FBarColorArray[0], Last = FBarColorArray[kLastIndex];
  for (int I = 1; I < kLastIndex; ++I)
    FBarColorArray[static_cast<size_t>(I)] = InterpolateColor(First, Last, static_cast<double>(I) / kLastIndex);
  FBarPixelsStale = true;
}

const std::array<uint32_t, kBarColorCount>& TProgBar::BarPixels() {
  if (FBarPixelsStale) {
    for (size_t I = 0; I < FBarPixels.size(); ++I) FBarPixels[I] = ColorToPixel(ColorToRGB(FBarColorArray[I]));
    FBarPixelsStale = false;
    FStripStale = true;
  }
  return FBarPixels;
}

void TProgBar::SetColorMin(TColor Value) {
  FBarColorArray[0] = Value;
  FillColorTable();
  Paint();
}

void TProgBar::SetColorMax(TColor Value) {
  FBarColorArray[kLastIndex] = Value;
  FillColorTable();
  Paint();
}

TColor TProgBar::GetBarColorElem(int Index) const {
  if (Index < 0 || Index > kLastIndex) return 0;
  return FBarColorArray[static_cast<size_t>(Index)];
}

void TProgBar::SetBarColorElem(int Index, TColor Color) {
  if (Index < 0 || Index > kLastIndex) return;
  FBarColorArray[static_cast<size_t>(Index)] = Color;
  FBarPixelsStale = true;
}

void TProgBar::SetColorScheme(TColorScheme Value) {
  if (Value == FColorScheme) return;
  FColorScheme = Value;
  SchemeLineColors(Value, FColGrayLine, FColWhiteLine);
  Paint();
}

void TProgBar::SetBackGroundImg(const String& Value) {
  if (Value.empty()) {
    FBakGndFile.clear();
  } else {
    // Loaded into a bitmap of its own, so a failure leaves the image as it was.
    auto Loaded = std::make_unique<TBitmap>();
    try {
      Loaded->LoadFromFile(Value);
      AuxBmp = std::move(Loaded);
      FBakGndFile = Value;
    } catch (const std::exception&) {
    }
  }
  Paint();
}

void TProgBar::SetTextVisible(bool Value) {
  FShowValue = Value;
  Paint();
}

void TProgBar::SetTextPosX(int Value) {
  FTextPosX = std::clamp(Value, 0, std::max(0, Width()));
  Paint();
}

void TProgBar::SetTextPosY(int Value) {
  FTextPosY = std::clamp(Value, 0, std::max(0, Height()));
  Paint();
}

void TProgBar::SetTextDecPlaces(int Value) {
  FTextDecPlaces = std::clamp(Value, -2, 10);
  Paint();
}

void TProgBar::SetTextAngle(int Value) {
  FTextAngle = std::clamp(Value, 0, 360);
  Paint();
}

// --- Timer -------------------------------------------------------------------

void TProgBar::SetAutoInc(bool Value) {
  if (Value == FTimerEnabled) return;
  FTimerEnabled = Value;
  if (Designing()) return;
  if (Value) {
    StartTimer();
  } else {
    KillTimer(FTimerHandle, kAutoIncTimerId);
    FIsStart = true;
  }
}

void TProgBar::SetAutoIncStep(double Value) {
  if (Value == 0 || Value == FAutoIncStep) return;
  FAutoIncStep = Value;
}

void TProgBar::SetStartInterval(int Value) {
  Value = std::max(Value, kMinInterval);
  if (Value == FStartIv) return;
  FStartIv = Value;
  if (!Designing()) StartTimer();
}

void TProgBar::SetRepeatInterval(int Value) {
  Value = std::max(Value, kMinInterval);
  if (Value == FRepeatIv) return;
  FRepeatIv = Value;
  if (!Designing()) RepeatTimer();
}

void TProgBar::SetOnAutoInc(TNotifyEvent Value) {
  FOnAutoInc = std::move(Value);
  if (!Designing()) RepeatTimer();
}

void TProgBar::Arm(int Interval) {
  KillTimer(FTimerHandle, kAutoIncTimerId);
  if (Interval <= 0 || !FTimerEnabled) return;
  if (SetTimer(FTimerHandle, kAutoIncTimerId, static_cast<uint32_t>(Interval), nullptr) == 0) {
    // Nothing runs, so the bar does not claim to be incrementing.
    FTimerEnabled = false;
    throw EORVProgBar(u"Component \"" + Name() + u"\": no timer available");
  }
}

void TProgBar::StartTimer() {
  FIsStart = true;
  Arm(FStartIv);
}

void TProgBar::RepeatTimer() {
  FIsStart = false;
  Arm(FRepeatIv);
}

void TProgBar::TimerWndProc(TMessage& Message) {
  if (Message.Msg != WM_TIMER || Message.WParam != kAutoIncTimerId) {
    Message.Result = DefWindowProc(FTimerHandle, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  // A tick has no caller to hand an error to: it goes to the application.
  try {
    DoTimer();
  } catch (...) {
    Application->HandleException(this);
  }
}

void TProgBar::DoTimer() {
  if (FIsStart) RepeatTimer();
  FProgValue += FAutoIncStep;
  Paint();
  // The handler runs from a copy: it may replace OnAutoInc or free the bar.
  if (TNotifyEvent Handler = FOnAutoInc) Handler(this);
}

}  // namespace orv
