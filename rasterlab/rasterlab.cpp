// TRasterLab: properties, character matrices, painting and scrolling.

#include "rasterlab/rasterlab.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "foundation/colorfuncs.h"
#include "framework/controls/application.h"
#include "framework/controls/timers.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"
#include "framework/graphics/font.h"
#include "rasterlab/rasterfont.h"

namespace orv {

namespace {

constexpr uintptr_t kScrollTimerId = 1;
constexpr int kMinInterval = 10;
constexpr int kMaxDotSize = 32;
constexpr int kMaxDotSpacing = 3;
// Matrices hold at most 32 rows and columns per glyph.
constexpr int kMaxDots = 32;
// Scanned glyphs are drawn on a sheet of this size.
constexpr int kScanSheet = 65;
// An offset of text that left for good stops growing here.
constexpr int kOffsetLimit = 1 << 28;

bool IsDefaultFontName(const String& Name) {
  static constexpr char16_t kDefault[] = u"default";
  if (Name.size() != 7) return false;
  for (size_t I = 0; I < 7; ++I) {
    Char C = Name[I];
    if (C >= u'A' && C <= u'Z') C = static_cast<Char>(C - u'A' + u'a');
    if (C != kDefault[I]) return false;
  }
  return true;
}

TRDCharMatrix BuiltInMatrix() {
  TRDCharMatrix M;
  M.CharWidth = kRasterFontColumns;
  M.CharHeight = kRasterFontRows;
  const TRasterFontTable& Table = RasterFontTable();
  for (int Code = kRasterFontFirstCode; Code < 256; ++Code) {
    const TRasterFontEntry& E = Table[static_cast<size_t>(Code - kRasterFontFirstCode)];
    M.FirstCol[static_cast<size_t>(Code)] = E[0];
    M.LastCol[static_cast<size_t>(Code)] = E[1];
    for (int R = 0; R < kRasterFontRows; ++R) M.Bits[static_cast<size_t>(Code)][static_cast<size_t>(R)] = E[2 + static_cast<size_t>(R)];
  }
  return M;
}

// Columns a glyph uses: first and count (count 0 for a glyph whose first
// column lies past its last), limited to the 32 columns a matrix has.
struct TUsedColumns {
  int First;
  int Count;
};

TUsedColumns UsedColumns(const TRDCharMatrix& M, uint8_t Code, bool Proportional) {
  if (!Proportional) return {0, std::clamp(M.CharWidth, 0, kMaxDots)};
  const int First = std::min<int>(M.FirstCol[Code], kMaxDots);
  const int Last = std::min<int>(M.LastCol[Code], kMaxDots - 1);
  return {First, std::max(0, Last - First + 1)};
}

}  // namespace

TRasterLab::TRasterLab(TComponent* AOwner)
    : TGraphicControl(AOwner), FCMat(BuiltInMatrix()), FBuffer(std::make_unique<TBitmap>()) {
  FControlStyle.Include(csOpaque);
  FScrTimerHandle = AllocateHWnd([this](TMessage& Message) { TimerWndProc(Message); });
  SetBounds(Left(), Top(), 400, 68);
  Font()->SetName(u"default");
  Font()->SetSize(8);
}

TRasterLab::~TRasterLab() {
  // Releasing the window drops its timer, so no tick reaches a label that is gone.
  KillTimer(FScrTimerHandle, kScrollTimerId);
  DeallocateHWnd(FScrTimerHandle);
}

void TRasterLab::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TRasterLab*>(Source);
  if (Other == nullptr) {
    TGraphicControl::Assign(Source);
    return;
  }
  FFrameStyle = Other->FFrameStyle;
  FLabText = Other->FLabText;
  FColorLabBakG = Other->FColorLabBakG;
  FColorDotOn = Other->FColorDotOn;
  FColBlackLine = Other->FColBlackLine;
  FColGrayLine = Other->FColGrayLine;
  FColWhiteLine = Other->FColWhiteLine;
  FColorScheme = Other->FColorScheme;
  Paint();
}

// --- Character matrices ---------------------------------------------------------

TRDCharMatrix TRasterLab::CreateBitFont(TFont* AFont) {
  if (AFont == nullptr || IsDefaultFontName(AFont->Name())) return BuiltInMatrix();
  TRDCharMatrix M;
  TBitmap Sheet(kScanSheet, kScanSheet);
  TCanvas* C = Sheet.Canvas();
  C->SetFont(AFont);
  C->Font()->SetColor(clBlack);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(clWhite);
  const uint32_t White = ColorToPixel(clWhite);
  int MaxRow = -1;
  for (int Code = 32; Code < 256; ++Code) {
    C->FillRect(TRect{0, 0, kScanSheet, kScanSheet});
    C->TextOut(0, 0, String(1, static_cast<Char>(Code)));
    auto& Rows = M.Bits[static_cast<size_t>(Code)];
    int First = kMaxDots - 1, Last = 0;
    for (int R = 0; R < kMaxDots; ++R) {
      const uint32_t* Line = Sheet.ScanLine(R);
      for (int J = 0; J < kMaxDots; ++J) {
        if (Line[J] == White) continue;
        Rows[static_cast<size_t>(R)] |= 1u << J;
        First = std::min(First, J);
        Last = std::max(Last, J);
        MaxRow = std::max(MaxRow, R);
      }
    }
    M.FirstCol[static_cast<size_t>(Code)] = static_cast<uint8_t>(First);
    M.LastCol[static_cast<size_t>(Code)] = static_cast<uint8_t>(Last);
    M.CharWidth = std::max(M.CharWidth, Last - First + 1);
  }
  M.CharHeight = MaxRow + 1;
  M.FirstCol[32] = 0;
  M.LastCol[32] = static_cast<uint8_t>(M.CharWidth / 2);
  return M;
}

void TRasterLab::SetCharMatrix(const TRDCharMatrix& Value) {
  FCMat = Value;
  Paint();
}

void TRasterLab::CMFontChanged(TMessage& Message) {
  TGraphicControl::CMFontChanged(Message);
  FCMat = CreateBitFont(Font());
  ApplyAutoHeight();
  ApplyAutoCenter();
  Paint();
}

// --- Geometry ----------------------------------------------------------------------

int TRasterLab::CharColumns() const { return std::clamp(FCMat.CharWidth, 0, kMaxDots); }
int TRasterLab::CharRows() const { return std::clamp(FCMat.CharHeight, 0, kMaxDots); }

int TRasterLab::FrameWidth() const {
  switch (FFrameStyle) {
    case fsNone:
      return 0;
    case fsEmbossed:
    case fsEngraved:
      return 2;
    default:
      return 1;
  }
}

int TRasterLab::TextLength(const String& Value) const {
  const int S = DotStep();
  int Length = 0;
  for (Char Ch : Value) {
    // A glyph counts its used columns and one column of gap, as painted; a
    // glyph without dots (first column past the last) counts the gap only.
    if (FProportional) Length += (UsedColumns(FCMat, static_cast<uint8_t>(Ch), true).Count + 1) * S;
    else Length += (CharColumns() + 1) * S;
  }
  return Length;
}

void TRasterLab::ApplyAutoHeight() {
  if (FAutoHeight) SetHeight(FrameWidth() + DotStep() * CharRows());
}

void TRasterLab::ApplyAutoCenter() {
  if (FAutoCenter) FXPos = (Width() - TextLength(FLabText)) / 2 + FrameWidth() + 1;
}

// --- Properties --------------------------------------------------------------------

void TRasterLab::SetText(const String& Value) {
  if (Value == FLabText) return;
  FLabText = Value;
  ApplyAutoCenter();
  Paint();
}

void TRasterLab::SetDotSize(int Value) {
  Value = std::clamp(Value, 1, kMaxDotSize);
  if (Value == FDotSize) return;
  FDotSize = Value;
  ApplyAutoHeight();
  ApplyAutoCenter();
  Paint();
}

void TRasterLab::SetDotSpacing(int Value) {
  Value = std::clamp(Value, 0, kMaxDotSpacing);
  if (Value == FDotSpacing) return;
  FDotSpacing = Value;
  ApplyAutoHeight();
  ApplyAutoCenter();
  Paint();
}

void TRasterLab::SetAutoHeight(bool Value) {
  if (Value == FAutoHeight) return;
  FAutoHeight = Value;
  ApplyAutoHeight();
  Paint();
}

void TRasterLab::SetAutoCenter(bool Value) {
  if (Value == FAutoCenter) return;
  FAutoCenter = Value;
  if (FAutoCenter) ApplyAutoCenter();
  else FXPos = 1;
  Paint();
}

namespace {

template <typename T>
bool Store(T& Field, const T& Value) {
  if (Field == Value) return false;
  Field = Value;
  return true;
}

}  // namespace

void TRasterLab::SetProportional(bool Value) {
  if (Store(FProportional, Value)) Paint();
}
void TRasterLab::SetCharBlockMode(TRDBlockMode Value) {
  if (Store(FCharBlockMode, Value)) Paint();
}
void TRasterLab::SetFrameStyle(TFrameStyle Value) {
  if (Store(FFrameStyle, Value)) Paint();
}
void TRasterLab::SetPosX(int Value) {
  if (Store(FXPos, Value)) Paint();
}
void TRasterLab::SetPosY(int Value) {
  if (Store(FYPos, Value)) Paint();
}
void TRasterLab::SetColorDotOn(TColor Value) {
  if (Store(FColorDotOn, Value)) Paint();
}
void TRasterLab::SetColorDotOff(TColor Value) {
  if (Store(FColorDotOff, Value)) Paint();
}
void TRasterLab::SetColorLabBakG(TColor Value) {
  if (Store(FColorLabBakG, Value)) Paint();
}

void TRasterLab::SetColorScheme(TColorScheme Value) {
  FColorScheme = Value;
  SchemeLineColors(Value, FColGrayLine, FColWhiteLine);
  Paint();
}

// --- Scrolling ---------------------------------------------------------------------

void TRasterLab::SetScrollMode(TRDScrollMode Value) {
  if (Value == FScrollMode) return;
  FScrollMode = Value;
  if (ComponentState().Contains(csDesigning)) return;
  FScrTimerEnabled = FScrollMode != rdsmOff;
  RestartTimer();
  if (FScrollMode == rdsmOff) {
    FScrollPosX = 0;
    FScrollPosY = 0;
    Paint();
  }
}

void TRasterLab::SetScrollInterval(int Value) {
  Value = std::max(Value, kMinInterval);
  if (Value == FScrollIv) return;
  FScrollIv = Value;
  RestartTimer();
}

void TRasterLab::SetScrollIncrement(int Value) {
  // The absolute value of INT_MIN does not exist; the largest step stands in.
  Value = Value == 0 ? 1 : Value == INT_MIN ? INT_MAX : std::abs(Value);
  if (Value == FScrollInc) return;
  FScrollInc = Value;
  RestartTimer();
}

void TRasterLab::SetScrollLoop(bool Value) {
  FScrollLoop = Value;
  Paint();
}

void TRasterLab::SetOnScrollTimer(TNotifyEvent Value) {
  FOnScrollTimer = std::move(Value);
  RestartTimer();
}

void TRasterLab::RestartTimer() {
  KillTimer(FScrTimerHandle, kScrollTimerId);
  if (FScrollIv <= 0 || FScrollMode == rdsmOff || !FScrTimerEnabled) return;
  if (SetTimer(FScrTimerHandle, kScrollTimerId, static_cast<uint32_t>(FScrollIv), nullptr) == 0)
    throw EORVRasterLabError(u"Component \"" + Name() + u"\": no timer available");
}

void TRasterLab::TimerWndProc(TMessage& Message) {
  if (Message.Msg != WM_TIMER || Message.WParam != kScrollTimerId) {
    Message.Result = DefWindowProc(FScrTimerHandle, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  // A tick has no caller to hand an error to: it goes to the application.
  try {
    ScrollStep();
    // The handler runs from a copy: it may replace or free the handler.
    if (TNotifyEvent Handler = FOnScrollTimer) Handler(this);
  } catch (...) {
    Application->HandleException(this);
  }
}

void TRasterLab::ScrollStep() {
  const auto Advance = [](int Offset, int Step) {
    return static_cast<int>(std::clamp<int64_t>(static_cast<int64_t>(Offset) + Step, -kOffsetLimit, kOffsetLimit));
  };
  bool Restarted = false;
  const int TextHeight = CharRows() * DotStep();
  switch (FScrollMode) {
    case rdsmOff:
      FScrTimerEnabled = false;
      KillTimer(FScrTimerHandle, kScrollTimerId);
      FScrollPosX = 0;
      FScrollPosY = 0;
      break;
    case rdsmRight:
      FScrollPosX = Advance(FScrollPosX, FScrollInc);
      if (FScrollLoop && FScrollPosX > Width()) {
        FScrollPosX = -FTextBitLength;
        Restarted = true;
      }
      break;
    case rdsmLeft:
      FScrollPosX = Advance(FScrollPosX, -FScrollInc);
      if (FScrollLoop && FXPos + FScrollPosX + FTextBitLength < 0) {
        FScrollPosX = Width() - FXPos;
        Restarted = true;
      }
      break;
    case rdsmDown:
      FScrollPosY = Advance(FScrollPosY, FScrollInc);
      if (FScrollLoop && FScrollPosY > Height()) {
        FScrollPosY = -TextHeight;
        Restarted = true;
      }
      break;
    case rdsmUp:
      FScrollPosY = Advance(FScrollPosY, -FScrollInc);
      if (FScrollLoop && FYPos + FScrollPosY + TextHeight < 0) {
        FScrollPosY = Height() - FYPos;
        Restarted = true;
      }
      break;
  }
  if (Restarted && FOnScrLoopRestart) FOnScrLoopRestart(this);
  Paint();
}

// --- Painting ----------------------------------------------------------------------

int TRasterLab::PaintChar(TCanvas* C, int X, int Y, Char Ch, int W, int H) {
  const uint8_t Code = static_cast<uint8_t>(Ch);
  const TUsedColumns Cols = UsedColumns(FCMat, Code, FProportional);
  const int S = DotStep();
  const int Width = S * Cols.Count;
  if (X >= W || X + Width <= 0) return Width;  // nothing of it shows
  const int Rows = CharRows();
  const auto& Bits = FCMat.Bits[Code];
  for (int R = 0; R < Rows; ++R) {
    const int DY = Y + R * S;
    if (DY >= H) break;
    if (DY + FDotSize <= 0) continue;
    const uint32_t Row = Bits[static_cast<size_t>(R)];
    if (Row == 0) continue;
    for (int K = 0; K < Cols.Count; ++K) {
      if (Row & (1u << (Cols.First + K))) C->FillRect(TRect{X + K * S, DY, X + K * S + FDotSize, DY + FDotSize});
    }
  }
  return Width;
}

void TRasterLab::PaintString(TCanvas* C, int X, int Y, int W, int H) {
  const int S = DotStep();
  const int Start = X;
  const bool Blocks = FCharBlockMode == rdbmOn;
  const auto Gap = [&] {
    C->Brush()->SetColor(FColorLabBakG);
    C->FillRect(TRect{X - S, 0, X - 1, H});
    C->Brush()->SetColor(FColorDotOn);
  };
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(FColorDotOn);
  if (Blocks) Gap();
  for (Char Ch : FLabText) {
    const int Width = PaintChar(C, X, Y, Ch, W, H);
    X += FProportional ? Width + S : S * (CharColumns() + 1);
    if (Blocks && X - S < W && X > 0) Gap();
  }
  FTextBitLength = X - Start + 1;
}

void TRasterLab::PaintRaster(TCanvas* C, int W, int H) {
  const int S = DotStep();
  const int OY = (FYPos + FScrollPosY) % S;
  const int OX = (FXPos + FScrollPosX) % S;
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(FColorLabBakG);
  for (int K = 0; K <= H / S + 1; ++K)
    for (int I = 1; I <= FDotSpacing; ++I) {
      const int Y = OY + K * S + I - FDotSpacing - 1;
      C->FillRect(TRect{0, Y, W, Y + 1});
    }
  for (int K = 0; K <= W / S + 1; ++K)
    for (int I = 1; I <= FDotSpacing; ++I) {
      const int X = OX + K * S + I - FDotSpacing - 1;
      C->FillRect(TRect{X, 0, X + 1, H});
    }
}

void TRasterLab::PaintFrame(TCanvas* C, int W, int H) {
  const auto Path = [C](TColor Color, std::initializer_list<TPoint> Points) {
    C->Pen()->SetColor(Color);
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    auto P = Points.begin();
    C->MoveTo(P->X, P->Y);
    for (++P; P != Points.end(); ++P) C->LineTo(P->X, P->Y);
  };
  const TColor Black = FColBlackLine, Gray = FColGrayLine, White = FColWhiteLine;
  switch (FFrameStyle) {
    case fsNone:
      break;
    case fsSimple:
      Path(Gray, {{0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}, {0, 0}});
      break;
    case fsLowered:
    case fsRaised: {
      const bool Lowered = FFrameStyle == fsLowered;
      Path(Lowered ? Black : White, {{1, H - 3}, {1, 1}, {W - 2, 1}});
      if (Lowered) Path(White, {{2, H - 1}, {W - 1, H - 1}, {W - 1, 0}});
      else Path(Black, {{0, H - 1}, {W - 1, H - 1}, {W - 1, 0}});
      Path(Gray, {{0, 0}, {W - 2, 0}, {W - 2, H - 2}, {0, H - 2}, {0, 0}});
      break;
    }
    case fsEmbossed:
    case fsEngraved: {
      const bool Embossed = FFrameStyle == fsEmbossed;
      Path(Embossed ? Gray : White, {{1, 1}, {W - 1, 1}, {W - 1, H - 1}, {1, H - 1}, {1, 1}});
      Path(Embossed ? White : Gray, {{0, 0}, {W - 2, 0}, {W - 2, H - 2}, {0, H - 2}, {0, 0}});
      break;
    }
  }
}

void TRasterLab::Paint() {
  if (!Visible() && !ComponentState().Contains(csDesigning)) return;
  TCanvas* Screen = Canvas();
  const int W = Width(), H = Height();
  if (Screen->Target() == nullptr || W <= 0 || H <= 0) return;  // nowhere to draw
  if (FBuffer->Width() != W || FBuffer->Height() != H) FBuffer->SetSize(W, H);
  TCanvas* C = FBuffer->Canvas();

  const bool Raster = FCharBlockMode != rdbmOff;
  C->Brush()->SetStyle(bsSolid);
  if (FFrameStyle != fsNone) {
    // The lowered and raised frames leave two corner pixels undrawn; they
    // show the background rather than what the buffer held before.
    C->Brush()->SetColor(FColorLabBakG);
    C->FillRect(TRect{0, 0, W, H});
  }
  C->Brush()->SetColor(Raster ? FColorDotOff : FColorLabBakG);
  C->FillRect(FFrameStyle != fsNone ? TRect{1, 1, W - 1, H - 1} : TRect{0, 0, W, H});
  if (Raster) PaintRaster(C, W, H);
  PaintString(C, FXPos + FScrollPosX, FYPos + FScrollPosY, W, H);
  PaintFrame(C, W, H);

  // The picture goes to the control row by row, as a plain copy would.
  const TPoint Origin = Screen->Origin();
  const TRect Clip = IntersectRect(Screen->DeviceClip(), TRect{Origin.X, Origin.Y, Origin.X + W, Origin.Y + H});
  const size_t Bytes = static_cast<size_t>(std::max(0, Clip.Right - Clip.Left)) * sizeof(uint32_t);
  for (int Y = Clip.Top; Y < Clip.Bottom; ++Y)
    std::memcpy(Screen->Target()->ScanLine(Y) + Clip.Left, FBuffer->ScanLine(Y - Origin.Y) + (Clip.Left - Origin.X), Bytes);
}

}  // namespace orv
