// TSevenSeg: properties, sizing and painting from the glyph cache.

#include "sevenseg/sevenseg.h"

#include <algorithm>
#include <vector>

#include "foundation/colorfuncs.h"
#include "foundation/drawing.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"

namespace orv {

namespace {

constexpr int kMaxDigits = 32;
constexpr int kMaxInterDigDist = 255;

bool IsDecimalMark(Char C) { return C == u'.' || C == u','; }

}  // namespace

TSevenSeg::TSevenSeg(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyphs(std::make_unique<TSevenSegGlyphs>()) {
  FControlStyle.Include(csOpaque);
  SetBounds(Left(), Top(), FWidth, FHeight);
  BuildCache();
  SetOnResize([this](TObject* Sender) { ResizeHandler(Sender); });
}

TSevenSeg::~TSevenSeg() = default;

void TSevenSeg::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TSevenSeg*>(Source);
  if (Other == nullptr) {
    TGraphicControl::Assign(Source);
    return;
  }
  FColorBakG = Other->FColorBakG;
  FColorTxt = Other->FColorTxt;
  FNumDigits = Other->FNumDigits;
  FCaption = Other->FCaption;
  FFrameStyle = Other->FFrameStyle;
  FColBlackLine = Other->FColBlackLine;
  FColGrayLine = Other->FColGrayLine;
  FColWhiteLine = Other->FColWhiteLine;
  FColorScheme = Other->FColorScheme;
  FMargin = Other->FMargin;
  FInterDigDist = Other->FInterDigDist;
  BuildCache();
  Invalidate();
}

// --- Properties --------------------------------------------------------------

void TSevenSeg::SetColorBackGnd(TColor Value) {
  if (Value == FColorBakG) return;
  FColorBakG = Value;
  BuildCache();
  Paint();
}

void TSevenSeg::SetColorText(TColor Value) {
  if (Value == FColorTxt) return;
  FColorTxt = Value;
  BuildCache();
  Paint();
}

void TSevenSeg::SetNumDigits(int Value) {
  if (Value < 1 || Value > kMaxDigits || Value == FNumDigits) return;
  FNumDigits = Value;
  BuildCache();
  Paint();
}

void TSevenSeg::SetText(const String& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  Paint();
}

void TSevenSeg::SetFrameStyle(TFrameStyle Value) {
  if (Value == FFrameStyle) return;
  FFrameStyle = Value;
  Invalidate();
}

void TSevenSeg::SetColorScheme(TColorScheme Value) {
  if (Value == FColorScheme) return;
  FColorScheme = Value;
  SchemeLineColors(Value, FColGrayLine, FColWhiteLine);
  Invalidate();
}

void TSevenSeg::SetMargin(int Value) {
  // A negative margin would put the digits outside the control; a margin of
  // half the height leaves no room for them.
  const int Limited = std::max(0, std::min(Value, Height() / 2 - 1));
  if (Limited == FMargin) return;
  FMargin = Limited;
  BuildCache();
  Paint();
}

void TSevenSeg::SetInterDigDist(int Value) {
  // A negative distance would make cells overlap their neighbours.
  const int Limited = std::clamp(Value, 0, kMaxInterDigDist);
  if (Limited == FInterDigDist) return;
  FInterDigDist = Limited;
  BuildCache();
  Paint();
}

void TSevenSeg::Loaded() {
  TGraphicControl::Loaded();
  BuildCache();
}

// --- Cache -------------------------------------------------------------------

int TSevenSeg::CellWidth() const { return (Width() - 2 * FMargin) / FNumDigits - FInterDigDist; }

int TSevenSeg::CellHeight() const { return Height() - 2 * FMargin; }

void TSevenSeg::BuildCache() {
  // While the form reader sets the properties one by one, Loaded builds once.
  if (ComponentState().Contains(csLoading)) return;
  FWidth = Width();
  FHeight = Height();
  FGlyphs->Build(CellWidth(), CellHeight(), FColorTxt, FColorBakG);
}

void TSevenSeg::ResizeHandler(TObject* /*Sender*/) {
  if (Width() == FWidth && Height() == FHeight) return;
  BuildCache();
  Paint();
}

// --- Painting ----------------------------------------------------------------

std::vector<TSevenSeg::TCellPaint> TSevenSeg::Layout() const {
  std::vector<TCellPaint> Cells;
  const int CW = CellWidth(), CH = CellHeight();
  if (CW <= 0 || CH <= 0 || FGlyphs->CellWidth() != CW || FGlyphs->CellHeight() != CH) return Cells;
  const size_t Len = FCaption.size();
  size_t I = 0;
  for (int D = 1; D <= FNumDigits && I < Len; ++D) {
    Char Glyph = FCaption[I++];
    bool Dot = false;
    if (IsDecimalMark(Glyph)) {
      Glyph = 0;  // empty position with its dot
      Dot = true;
    } else if (I < Len && IsDecimalMark(FCaption[I])) {
      Dot = true;
      ++I;
    }
    const int K = Glyph == 0 ? 0 : TSevenSegGlyphs::GlyphIndex(Glyph);
    if (K > 0 || Dot) Cells.push_back(TCellPaint{(D - 1) * (CW + FInterDigDist) + FMargin, K, Dot});
  }
  return Cells;
}

void TSevenSeg::PaintBackground(TCanvas* Dest, const std::vector<TCellPaint>& Cells) {
  // Everything but the cells that receive a whole glyph: each pixel is
  // written once, by the fill or by the glyph copy.
  const int W = Width(), H = Height(), CW = CellWidth();
  const int Top = FMargin, Bottom = H - FMargin;
  Dest->Brush()->SetStyle(bsSolid);
  Dest->Brush()->SetColor(FColorBakG);
  if (Cells.empty() || Bottom <= Top) {
    Dest->FillRect(TRect{0, 0, W, H});
    return;
  }
  Dest->FillRect(TRect{0, 0, W, Top});
  int X = 0;
  for (const TCellPaint& Cell : Cells) {
    if (Cell.Glyph == 0) continue;
    Dest->FillRect(TRect{X, Top, Cell.X, Bottom});
    X = Cell.X + CW;
  }
  Dest->FillRect(TRect{X, Top, W, Bottom});
  Dest->FillRect(TRect{0, Bottom, W, H});
}

void TSevenSeg::PaintDigits(TCanvas* Dest, const std::vector<TCellPaint>& Cells) {
  const int CW = CellWidth(), CH = CellHeight();
  TCanvas* Src = FGlyphs->Cache()->Canvas();
  const int Bottom = Height() - FMargin;
  Dest->SetCopyMode(cmSrcCopy);
  for (const TCellPaint& Cell : Cells) {
    const int X = Cell.X, K = Cell.Glyph;
    if (K > 0) Dest->CopyRect(TRect{X, FMargin, X + CW, Bottom}, Src, TRect{(K - 1) * CW, 0, K * CW, CH});
    if (Cell.Dot) {
      // The dot sits in the lower right sixth of the "." cell, clear of every segment.
      const int DX = 5 * CW / 6, DY = 5 * CH / 6;
      Dest->CopyRect(TRect{X + DX, FMargin + DY, X + CW, Bottom}, Src,
                     TRect{(kSevenSegGlyphCount - 1) * CW + DX, DY, kSevenSegGlyphCount * CW, CH});
    }
  }
}

void TSevenSeg::Paint() {
  if (!Visible() && !ComponentState().Contains(csDesigning)) return;
  TCanvas* Screen = Canvas();
  const int W = Width(), H = Height();
  if (Screen->Target() == nullptr || W <= 0 || H <= 0) return;  // nowhere to draw
  // A cache built for another size would hand out the wrong cells; this also
  // covers an application handler that took OnResize over.
  if (W != FWidth || H != FHeight) BuildCache();

  // Straight onto the canvas: background around the glyph cells, the cells
  // as row copies from the cache, then the frame on the outermost pixels.
  const std::vector<TCellPaint> Cells = Layout();
  PaintBackground(Screen, Cells);
  PaintDigits(Screen, Cells);
  DrawFrame(Screen, FFrameStyle, 0, 0, W - 1, H - 1, clWhite, clSilver, clGray, clBlack, 0);
}

}  // namespace orv
