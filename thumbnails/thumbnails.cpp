// TThumbnails: geometry, scroll position, painting through the image
// requests, focus tracking and selection.

#include "thumbnails/thumbnails.h"

#include <algorithm>
#include <memory>

#include "foundation/colorfuncs.h"
#include "foundation/drawing.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/rtlmath.h"
#include "framework/rtl/sysutils.h"

namespace orv {

namespace {

// Distance of the sheet from the control's edges.
constexpr int kEdge = 10;
constexpr int kMinSlideSize = 50;
constexpr int kMaxSpacing = 100;
constexpr int kMaxFocusLinewidth = 10;

template <typename T>
bool Store(T& Field, const T& Value) {
  if (Field == Value) return false;
  Field = Value;
  return true;
}

}  // namespace

TThumbnails::TThumbnails(TComponent* AOwner) : TGraphicControl(AOwner), FColorBackGnd(clBtnFace) {
  FControlStyle.Include(csOpaque);
  SetBounds(Left(), Top(), 260, 400);
  ResizeSelection();
}

TThumbnails::~TThumbnails() = default;

void TThumbnails::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TThumbnails*>(Source);
  if (Other == nullptr) {
    TGraphicControl::Assign(Source);
    return;
  }
  FFrameStyle = Other->FFrameStyle;
  FOuterFrameStyle = Other->FOuterFrameStyle;
  FInnerFrameStyle = Other->FInnerFrameStyle;
  FColorBackGnd = Other->FColorBackGnd;
  FColBlackLine = Other->FColBlackLine;
  FColGrayLine = Other->FColGrayLine;
  FColWhiteLine = Other->FColWhiteLine;
  FColorScheme = Other->FColorScheme;
  FFirstThumbIdx = Other->FFirstThumbIdx;
  FMin = Other->FMin;
  FMax = Other->FMax;
  FNumSlidesHoriz = Other->FNumSlidesHoriz;
  FNumSlidesVert = Other->FNumSlidesVert;
  FSlideSize = Other->FSlideSize;
  FSlideDistance = Other->FSlideDistance;
  FSlideMargin = Other->FSlideMargin;
  FOnImageRequest = Other->FOnImageRequest;
  FOnImageClick = Other->FOnImageClick;
  FOnImageDblClick = Other->FOnImageDblClick;
  FOnFocusChange = Other->FOnFocusChange;
  FOnFirstImageRequest = Other->FOnFirstImageRequest;
  FOnLastImageRequest = Other->FOnLastImageRequest;
  FAntiAlias = Other->FAntiAlias;
  FColorCover = Other->FColorCover;
  FColorSelected = Other->FColorSelected;
  FColorFocus = Other->FColorFocus;
  FFocusedSlide = Other->FFocusedSlide;
  FFocusLinewidth = Other->FFocusLinewidth;
  // The selection is not copied, but it must hold one bit per slide of the new range.
  ResizeSelection();
  Paint();
}

// --- Geometry --------------------------------------------------------------------

int TThumbnails::ScrolledOut() const {
  return static_cast<int>(Round(Frac(static_cast<long double>(FFirstThumbIdx)) * Pitch()));
}

int TThumbnails::CalcNumSlidesHoriz() const {
  return std::max(1, (Width() - 2 * kEdge + FSlideDistance) / Pitch());
}

double TThumbnails::AlignedIndex(double Value) const {
  if (FMin > FMax) return FMin;  // an empty range stays at Min
  Value = std::clamp(Value, static_cast<double>(FMin), static_cast<double>(FMax));
  const int N = FNumSlidesHoriz;
  const double RowStart = N * (static_cast<int>(Trunc(Value - 1)) / N) + 1;
  return RowStart + (Value - RowStart) / N;
}

void TThumbnails::SetFirstThumbIdx(double Value) {
  const double Stored = AlignedIndex(Value);
  if (Stored == FFirstThumbIdx) return;
  FFirstThumbIdx = Stored;
  Paint();
}

void TThumbnails::RangeChanged() {
  ResizeSelection();
  // A scroll position left outside the new range would show an empty sheet.
  if (FFirstThumbIdx < FMin || FFirstThumbIdx > FMax) FFirstThumbIdx = AlignedIndex(FFirstThumbIdx);
  Paint();
}

void TThumbnails::CalcSlidePos(int SldNum, int& XPos, int& YPos) const {
  const int First = static_cast<int>(Round(Int(static_cast<long double>(FFirstThumbIdx))));
  const int N = FNumSlidesHoriz;
  XPos = Pitch() * ((SldNum - First) % N) + kEdge;
  YPos = Pitch() * ((SldNum - First) / N) + FSlideDistance - ScrolledOut() + kEdge;
}

int TThumbnails::CalcSlideIndex(int XPos, int YPos) const {
  const int P = Pitch(), Cell = CellSize();
  int Column = 0;
  if (XPos >= kEdge && XPos <= Width() - kEdge) {
    const int A = (XPos - kEdge) / P;
    if (P * A + kEdge <= XPos && XPos <= P * A + Cell + kEdge) Column = A + 1;
    if (Column > FNumSlidesHoriz) Column = 0;
  }
  int Row = 0;
  if (YPos >= kEdge && YPos <= Height() - kEdge) {
    const int E = (YPos + ScrolledOut() - FSlideDistance - kEdge) / P;
    const int F = P * E + FSlideDistance - ScrolledOut() + kEdge;
    if (F <= YPos && YPos <= F + Cell) Row = E + 1;
  }
  if (Column == 0 || Row == 0) return 0;
  const int Slide = static_cast<int>(Trunc(FFirstThumbIdx)) + (Row - 1) * FNumSlidesHoriz + Column - 1;
  return Slide >= FMin && Slide <= FMax ? Slide : 0;
}

// --- Selection -----------------------------------------------------------------------

void TThumbnails::ResizeSelection() { FSelected.SetSize(std::max(0, FMax - FMin + 1)); }

void TThumbnails::SetSlideSelectMode(TSlideSelectMode Value) {
  if (!Store(FSlideSelectMode, Value)) return;
  FSelected.Clear();
  Paint();
}

void TThumbnails::SetSlideSelected(int SldNum, bool Value) {
  FSelected.SetBit(SldNum - FMin, Value);
  Paint();
}

int TThumbnails::FirstSelectedSlide() const {
  const int Bit = FSelected.FirstSet();
  return Bit < 0 ? 0 : Bit + FMin;
}

void TThumbnails::ResetAllSelections() {
  FSelected.Clear();
  Paint();
}

// --- Properties ------------------------------------------------------------------------

void TThumbnails::SetAntiAlias(bool Value) {
  FAntiAlias = Value;
  Paint();
}

void TThumbnails::SetColorBackGnd(TColor Value) {
  if (Store(FColorBackGnd, Value)) Paint();
}
void TThumbnails::SetColorCover(TColor Value) {
  if (Store(FColorCover, Value)) Paint();
}
void TThumbnails::SetColorSelected(TColor Value) {
  if (Store(FColorSelected, Value)) Paint();
}
void TThumbnails::SetColorFocus(TColor Value) {
  if (Store(FColorFocus, Value)) Paint();
}
void TThumbnails::SetColorMark(TColor Value) {
  if (Store(FColorMark, Value)) Paint();
}
void TThumbnails::SetFrameStyle(TFrameStyle Value) {
  if (Store(FFrameStyle, Value)) Paint();
}
void TThumbnails::SetOuterFrameStyle(TFrameStyle Value) {
  if (Store(FOuterFrameStyle, Value)) Paint();
}
void TThumbnails::SetInnerFrameStyle(TFrameStyle Value) {
  if (Store(FInnerFrameStyle, Value)) Paint();
}

void TThumbnails::SetColorScheme(TColorScheme Value) {
  if (!Store(FColorScheme, Value)) return;
  SchemeLineColors(Value, FColGrayLine, FColWhiteLine);
  Paint();
}

void TThumbnails::SetFocusLinewidth(int Value) { FFocusLinewidth = std::clamp(Value, 0, kMaxFocusLinewidth); }

void TThumbnails::SetMin(int Value) {
  if (Store(FMin, std::max(Value, 1))) RangeChanged();
}

void TThumbnails::SetMax(int Value) {
  if (Store(FMax, std::max(Value, 1))) RangeChanged();
}

void TThumbnails::SetSlideSize(int Value) {
  if (Store(FSlideSize, std::max(kMinSlideSize, std::min(Value, Width())))) Paint();
}
void TThumbnails::SetSlideDistance(int Value) {
  if (Store(FSlideDistance, std::clamp(Value, 0, kMaxSpacing))) Paint();
}
void TThumbnails::SetSlideMargin(int Value) {
  if (Store(FSlideMargin, std::clamp(Value, 0, kMaxSpacing))) Paint();
}

// --- Painting ----------------------------------------------------------------------

void TThumbnails::PaintSlide(TCanvas* C, int S, int X, int Y, TBitmap*& Buffer) {
  const int M = FSlideMargin, X2 = X + CellSize(), Y2 = Y + CellSize();
  TImageRequestProcessing How = irpShowEmpty;
  int MarkIt = -1;
  if (FOnImageRequest) FOnImageRequest(this, S, How, MarkIt, Buffer);

  if (How != irpShowNothing) {
    const TColor Fill = FSelected.Bit(S - FMin) ? FColorSelected : FColorCover;
    C->Pen()->SetColor(Fill);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Fill);
    C->Rectangle(X, Y, X2 + 1, Y2 + 1);
    DrawFrame(C, FOuterFrameStyle, X, Y, X2, Y2, clWhite, clSilver, clGray, clBlack, 0);
  }
  C->Pen()->SetColor(clBlack);
  if (How == irpShowEmpty) {
    C->Brush()->SetColor(clWhite);
    C->Rectangle(X + M, Y + M + 20, X2 - M, Y2 - M - 20);
    const String Number = IntToStr(S);
    C->Font()->SetColor(clBlack);
    const TSize Extent = C->TextExtent(Number);
    C->TextOut((X + X2) / 2 - Extent.cx / 2, (Y + Y2) / 2 - Extent.cy / 2, Number);
  } else if (How == irpShowSlide && Buffer != nullptr && Buffer->Width() > 0 && Buffer->Height() > 0) {
    const int W = Buffer->Width(), H = Buffer->Height();
    int IW, IH, IX, IY;
    if (H > W) {
      IH = FSlideSize;
      IW = static_cast<int>(Round(static_cast<long double>(W) * FSlideSize / H));
      IX = X + M + (FSlideSize - IW) / 2;
      IY = Y + M;
    } else {
      IW = FSlideSize;
      IH = static_cast<int>(Round(static_cast<long double>(H) * FSlideSize / W));
      IX = X + M;
      IY = Y + M + (FSlideSize - IH) / 2;
    }
    C->SetStretchBltMode(FAntiAlias ? HALFTONE : COLORONCOLOR);
    StretchBlt(C, IX, IY, IW, IH, Buffer->Canvas(), 0, 0, W, H, SRCCOPY);
    DrawFrame(C, FInnerFrameStyle, IX - 1, IY - 1, IX + IW, IY + IH, clWhite, clSilver, clGray, clBlack, 0);
  }
  if (MarkIt != -1) {
    C->Pen()->SetColor(FColorMark);
    DrawMarkOnCanvas(C, MarkIt & 0xFF, X + 10, Y + 12);
  }
  if (FOnSlideRendered) FOnSlideRendered(this, C, X, Y, S);
}

void TThumbnails::Paint() {
  if (FPainting) return;
  if (!Visible() && !ComponentState().Contains(csDesigning)) return;
  TCanvas* Screen = Canvas();
  const int W = Width(), H = Height();
  if (Screen->Target() == nullptr || W <= 0 || H <= 0) return;  // nowhere to draw
  FPainting = true;
  struct TDone {
    bool& Flag;
    ~TDone() { Flag = false; }
  } Done{FPainting};

  TBitmap Off(W, H);
  TCanvas* C = Off.Canvas();
  C->SetFont(Font());
  C->Pen()->SetColor(FColorBackGnd);
  C->Brush()->SetColor(FColorBackGnd);
  C->Rectangle(0, 0, W, H);
  // The handlers may fill this buffer or hand in a bitmap of their own; only
  // this one is freed here.
  auto OwnBuffer = std::make_unique<TBitmap>();
  TBitmap* Buffer = OwnBuffer.get();

  const int Horiz = CalcNumSlidesHoriz();
  if (Horiz != FNumSlidesHoriz) {
    FNumSlidesHoriz = Horiz;
    FFirstThumbIdx = AlignedIndex(FFirstThumbIdx);
  }
  const int P = Pitch();
  FNumSlidesVert = H / P + 1;

  if (FOnFirstImageRequest) FOnFirstImageRequest(this);
  const int First = static_cast<int>(Trunc(FFirstThumbIdx));
  const int Shift = ScrolledOut();
  for (int I = 1; I <= FNumSlidesHoriz; ++I) {
    for (int J = 1; J <= FNumSlidesVert; ++J) {
      const long long S = static_cast<long long>(First) + static_cast<long long>(J - 1) * FNumSlidesHoriz + I - 1;
      if (S < FMin || S > FMax) continue;
      PaintSlide(C, static_cast<int>(S), (I - 1) * P + kEdge, (J - 1) * P + FSlideDistance - Shift + kEdge, Buffer);
    }
  }
  if (FOnLastImageRequest) FOnLastImageRequest(this);

  C->Pen()->SetColor(FColorBackGnd);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(FColorBackGnd);
  C->Rectangle(0, 0, W, kEdge);
  C->Rectangle(0, H - kEdge, W, H);
  DrawFrame(C, FFrameStyle, 0, 0, W - 2, H - 2, clWhite, clSilver, clGray, clBlack, 0);

  Screen->SetCopyMode(cmSrcCopy);
  Screen->CopyRect(TRect{0, 0, W, H}, C, TRect{0, 0, W, H});
}

// --- Mouse ---------------------------------------------------------------------------

void TThumbnails::DrawFocusFrame(int Slide, bool Erase) {
  if (Slide < FMin || Slide > FMax) return;
  int X, Y;
  CalcSlidePos(Slide, X, Y);
  const int Extent = 2 * FSlideMargin + FSlideSize - 2;
  const int X1 = X + 2, Y1 = std::max(Y + 2, 2), X2 = X + Extent, Y2 = std::min(Y + Extent, Height() - 3);
  TCanvas* C = Canvas();
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetWidth(1);
  C->Pen()->SetColor(!Erase ? FColorFocus : FSelected.Bit(Slide - FMin) ? FColorSelected : FColorCover);
  for (int K = 0; K < FFocusLinewidth; ++K) DrawRectangle(C, X1 + K, Y1 + K, X2 - K, Y2 - K);
}

void TThumbnails::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (FFocusLinewidth <= 0) return;
  const int Slide = CalcSlideIndex(X, Y);
  if (Slide == FFocusedSlide) return;
  DrawFocusFrame(FFocusedSlide, true);
  DrawFocusFrame(Slide, false);
  FFocusedSlide = Slide;
  // Frames of slides partly scrolled out must not reach into the margins.
  TCanvas* C = Canvas();
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(FColorBackGnd);
  C->FillRect(TRect{2, 2, Width() - 2, kEdge});
  C->FillRect(TRect{2, Height() - kEdge, Width() - 2, Height() - 2});
  if (FOnFocusChange) FOnFocusChange(this);
}

void TThumbnails::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || (X == -1 && Y == -1)) return;
  const int Slide = CalcSlideIndex(X, Y);
  const bool Ctrl = Shift.Contains(ssCtrl), Range = Shift.Contains(ssShift);
  if (FSlideSelectMode == ssmSingle || (FSlideSelectMode == ssmMultiple && !Ctrl && !Range)) {
    FSelected.Clear();
    if (Slide != 0) FSelected.SetBit(Slide - FMin, true);
    FLastClicked = Slide;
    Paint();
  } else if (FSlideSelectMode == ssmMultiple && Slide != 0) {
    if (Range && FLastClicked != 0) {
      const int From = std::min(FLastClicked, Slide), To = std::max(FLastClicked, Slide);
      for (int S = From; S <= To; ++S) FSelected.SetBit(S - FMin, true);
    } else if (Range) {
      FSelected.SetBit(Slide - FMin, true);
    } else {
      FSelected.Toggle(Slide - FMin);
    }
    // A range extends from the slide clicked before it, so Shift keeps the anchor.
    if (!Range || FLastClicked == 0) FLastClicked = Slide;
    Paint();
  }
  if (FOnImageClick) FOnImageClick(this, X, Y, Slide);
}

void TThumbnails::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  // The second press of a double click arrives with ssDouble.
  if (Button == mbLeft && Shift.Contains(ssDouble) && FOnImageDblClick)
    FOnImageDblClick(this, X, Y, CalcSlideIndex(X, Y));
}

}  // namespace orv
