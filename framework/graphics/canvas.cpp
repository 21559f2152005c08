// TCanvas: target and view, clipping, saved states, tool colours, spans,
// single pixels and flood fill.

#include "framework/graphics/canvas.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "framework/graphics/canvas_pixelops.h"
#include "framework/graphics/colors.h"
#include "framework/graphics/pixelfill.h"

namespace orv {

using namespace pixelops;

namespace {

uint32_t ResolvePixel(TColor C) { return ColorToPixel(ColorToRGB(C) & 0x00FFFFFF); }

}  // namespace

struct TCanvas::TState {
  TColor PenColor;
  int PenWidth;
  TPenStyle PenStyle;
  TPenMode PenMode;
  TColor BrushColor;
  TBrushStyle BrushStyle;
  std::unique_ptr<TFont> Font;
  TCopyMode CopyMode;
  TPoint PenPos;
  int DashPhase;
  bool HasClip;
  TRect Clip;
  int StretchBltMode;
  int PolyFillMode;
};

TCanvas::TCanvas(TBitmap* ATarget) : FTarget(ATarget), FFont(std::make_unique<TFont>()) {}

TCanvas::~TCanvas() = default;

void TCanvas::SetTarget(TBitmap* ATarget) {
  FTarget = ATarget;
  FOrigin = TPoint{};
  FHasBaseClip = false;
  FHasClip = false;
}

void TCanvas::SetView(const TPoint& Origin, const TRect& BaseClip) {
  FOrigin = Origin;
  FBaseClip = BaseClip;
  FHasBaseClip = true;
  FHasClip = false;
}

void TCanvas::SetFont(TFont* Value) {
  if (Value != nullptr && Value != FFont.get()) FFont->Assign(Value);
}

void TCanvas::SetPenPos(const TPoint& Value) {
  FPenPos = Value;
  FDashPhase = 0;
}

// --- Clipping ---------------------------------------------------------------

TRect TCanvas::DeviceClip() const {
  if (FTarget == nullptr) return TRect{};
  TRect R{0, 0, FTarget->Width(), FTarget->Height()};
  if (FHasBaseClip) R = IntersectRect(R, FBaseClip);
  if (FHasClip) R = IntersectRect(R, FClip);
  if (R.IsEmpty()) return TRect{};
  return R;
}

TRect TCanvas::ClipRect() const {
  const TRect D = DeviceClip();
  if (D.IsEmpty()) return TRect{};
  return TRect{D.Left - FOrigin.X, D.Top - FOrigin.Y, D.Right - FOrigin.X, D.Bottom - FOrigin.Y};
}

void TCanvas::SetClipRect(const TRect& Rect) {
  TRect R{Rect.Left + FOrigin.X, Rect.Top + FOrigin.Y, Rect.Right + FOrigin.X, Rect.Bottom + FOrigin.Y};
  if (FHasBaseClip) R = IntersectRect(R, FBaseClip);
  if (R.IsEmpty()) R = TRect{};
  FClip = R;
  FHasClip = true;
}

void TCanvas::ResetClipRect() { FHasClip = false; }

// --- State ------------------------------------------------------------------

int TCanvas::SaveDepth() const { return static_cast<int>(FSaveDepth); }

// States popped stay allocated below the top for the next Save: painting
// saves and restores once per grid cell, and needs no allocation for it.
void TCanvas::Save() {
  if (FSaveDepth == FSaved.size()) {
    FSaved.push_back(std::make_unique<TState>());
    FSaved.back()->Font = std::make_unique<TFont>();
  }
  TState* S = FSaved[FSaveDepth].get();
  S->PenColor = FPen.Color();
  S->PenWidth = FPen.Width();
  S->PenStyle = FPen.Style();
  S->PenMode = FPen.Mode();
  S->BrushColor = FBrush.Color();
  S->BrushStyle = FBrush.Style();
  S->Font->Assign(FFont.get());
  S->CopyMode = FCopyMode;
  S->PenPos = FPenPos;
  S->DashPhase = FDashPhase;
  S->HasClip = FHasClip;
  S->Clip = FClip;
  S->StretchBltMode = FStretchBltMode;
  S->PolyFillMode = FPolyFillMode;
  ++FSaveDepth;
}

void TCanvas::Restore() {
  if (FSaveDepth == 0) return;
  const TState* S = FSaved[--FSaveDepth].get();
  FPen.SetColor(S->PenColor);
  FPen.SetWidth(S->PenWidth);
  FPen.SetStyle(S->PenStyle);
  FPen.SetMode(S->PenMode);
  FBrush.SetColor(S->BrushColor);
  FBrush.SetStyle(S->BrushStyle);
  FFont->Assign(S->Font.get());
  FCopyMode = S->CopyMode;
  FPenPos = S->PenPos;
  FDashPhase = S->DashPhase;
  FHasClip = S->HasClip;
  FClip = S->Clip;
  FStretchBltMode = S->StretchBltMode;
  FPolyFillMode = S->PolyFillMode;
}

// --- Tool colours and spans --------------------------------------------------

uint32_t TCanvas::PenPixel() const { return ResolvePixel(FPen.Color()); }
uint32_t TCanvas::BrushPixel() const { return ResolvePixel(FBrush.Color()); }

void TCanvas::FillSpan(int Y, int X1, int X2, uint32_t Pixel) {
  const TRect C = DeviceClip();
  Y += FOrigin.Y;
  if (Y < C.Top || Y >= C.Bottom) return;
  const int L = std::max(X1 + FOrigin.X, C.Left);
  const int R = std::min(X2 + FOrigin.X, C.Right - 1);
  if (L > R) return;
  FillPixels(FTarget->ScanLine(Y) + L, static_cast<size_t>(R - L + 1), Pixel);
}

void TCanvas::CombineSpan(int Y, int X1, int X2, uint32_t Pixel) {
  const TPenMode Mode = FPen.Mode();
  if (Mode == pmCopy) {
    FillSpan(Y, X1, X2, Pixel);
    return;
  }
  if (Mode == pmNop) return;
  const TRect C = DeviceClip();
  Y += FOrigin.Y;
  if (Y < C.Top || Y >= C.Bottom) return;
  const int L = std::max(X1 + FOrigin.X, C.Left);
  const int R = std::min(X2 + FOrigin.X, C.Right - 1);
  if (L > R) return;
  uint32_t* Row = FTarget->ScanLine(Y);
  for (int X = L; X <= R; ++X) Row[X] = PenMode(Mode, Pixel, Row[X]);
}

void TCanvas::FillBlock(int X1, int Y1, int X2, int Y2, uint32_t Pixel) {
  const TRect C = DeviceClip();
  const int L = std::max(X1 + FOrigin.X, C.Left), R = std::min(X2 + FOrigin.X, C.Right);
  const int T = std::max(Y1 + FOrigin.Y, C.Top), B = std::min(Y2 + FOrigin.Y, C.Bottom);
  if (L >= R || T >= B) return;
  // Whole rows are contiguous in the store: one fill for the entire block.
  if (L == 0 && R == FTarget->Width()) {
    FillPixels(FTarget->ScanLine(T), static_cast<size_t>(R) * static_cast<size_t>(B - T), Pixel);
    return;
  }
  uint32_t* Row = FTarget->ScanLine(T) + L;
  const int Stride = FTarget->Width();
  for (int Y = T; Y < B; ++Y, Row += Stride) FillPixels(Row, static_cast<size_t>(R - L), Pixel);
}

void TCanvas::CombinePixel(int X, int Y, uint32_t Pixel) { CombineSpan(Y, X, X, Pixel); }

// --- Rectangles without outline ---------------------------------------------

void TCanvas::FillRect(const TRect& Rect) {
  if (!BrushVisible() || FTarget == nullptr) return;
  FillBlock(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom, BrushPixel());
}

void TCanvas::FrameRect(const TRect& Rect) {
  if (!BrushVisible() || Rect.IsEmpty()) return;
  const uint32_t P = BrushPixel();
  FillSpan(Rect.Top, Rect.Left, Rect.Right - 1, P);
  if (Rect.Bottom - 1 > Rect.Top) FillSpan(Rect.Bottom - 1, Rect.Left, Rect.Right - 1, P);
  for (int Y = Rect.Top + 1; Y < Rect.Bottom - 1; ++Y) {
    FillSpan(Y, Rect.Left, Rect.Left, P);
    if (Rect.Right - 1 > Rect.Left) FillSpan(Y, Rect.Right - 1, Rect.Right - 1, P);
  }
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
  if (Rect.IsEmpty() || FTarget == nullptr) return;
  // Walk the frame once, so each pixel is inverted exactly once; every
  // other pixel counted from the top-left corner.
  const TRect C = DeviceClip();
  auto Invert = [&](int X, int Y) {
    if (((X - Rect.Left) + (Y - Rect.Top)) % 2 != 0) return;
    const int TX = X + FOrigin.X, TY = Y + FOrigin.Y;
    if (!C.Contains(TPoint{TX, TY})) return;
    uint32_t& P = FTarget->ScanLine(TY)[TX];
    P = ~P & kRgbMask;
  };
  for (int X = Rect.Left; X < Rect.Right; ++X) {
    Invert(X, Rect.Top);
    if (Rect.Bottom - 1 > Rect.Top) Invert(X, Rect.Bottom - 1);
  }
  for (int Y = Rect.Top + 1; Y < Rect.Bottom - 1; ++Y) {
    Invert(Rect.Left, Y);
    if (Rect.Right - 1 > Rect.Left) Invert(Rect.Right - 1, Y);
  }
}

// --- Pixels -----------------------------------------------------------------

TColor TCanvas::Pixels(int X, int Y) const {
  const TPoint T{X + FOrigin.X, Y + FOrigin.Y};
  if (!DeviceClip().Contains(T)) return CLR_INVALID;
  return PixelToColor(FTarget->ScanLine(T.Y)[T.X]);
}

void TCanvas::SetPixels(int X, int Y, TColor Color) {
  const TPoint T{X + FOrigin.X, Y + FOrigin.Y};
  if (!DeviceClip().Contains(T)) return;
  FTarget->ScanLine(T.Y)[T.X] = ResolvePixel(Color);
}

// --- Flood fill -----------------------------------------------------------------

void TCanvas::FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle) {
  const TRect C = DeviceClip();
  const TPoint Seed{X + FOrigin.X, Y + FOrigin.Y};
  if (!C.Contains(Seed) || !BrushVisible()) return;
  const uint32_t Ref = ResolvePixel(Color);
  const uint32_t Fill = BrushPixel();
  const int W = C.Width();
  // Pixels already filled are remembered, so a fill colour equal to the
  // surface colour (or not equal to the border colour) cannot loop.
  std::vector<uint8_t> Done(static_cast<size_t>(W) * C.Height(), 0);
  auto Wanted = [&](int PX, int PY) {
    if (Done[static_cast<size_t>(PY - C.Top) * W + (PX - C.Left)]) return false;
    const uint32_t P = FTarget->ScanLine(PY)[PX];
    return FillStyle == fsSurface ? P == Ref : P != Ref;
  };
  std::vector<TPoint> Stack{Seed};
  while (!Stack.empty()) {
    const TPoint S = Stack.back();
    Stack.pop_back();
    if (!Wanted(S.X, S.Y)) continue;
    int L = S.X, R = S.X;
    while (L - 1 >= C.Left && Wanted(L - 1, S.Y)) --L;
    while (R + 1 < C.Right && Wanted(R + 1, S.Y)) ++R;
    uint32_t* Row = FTarget->ScanLine(S.Y);
    uint8_t* Mark = Done.data() + static_cast<size_t>(S.Y - C.Top) * W;
    for (int I = L; I <= R; ++I) {
      Row[I] = Fill;
      Mark[I - C.Left] = 1;
    }
    // Seed one point per run of wanted pixels directly above and below the
    // span: four-connected only, so diagonal gaps do not leak.
    for (int NY : {S.Y - 1, S.Y + 1}) {
      if (NY < C.Top || NY >= C.Bottom) continue;
      bool InRun = false;
      for (int I = L; I <= R; ++I) {
        const bool Ok = Wanted(I, NY);
        if (Ok && !InRun) Stack.push_back(TPoint{I, NY});
        InRun = Ok;
      }
    }
  }
}

// --- Free functions of the device-context interface -------------------------

int SetStretchBltMode(TCanvas* DC, int Mode) {
  if (DC == nullptr || Mode < BLACKONWHITE || Mode > HALFTONE) return 0;
  const int Old = DC->StretchBltMode();
  DC->SetStretchBltMode(Mode);
  return Old;
}

int GetStretchBltMode(TCanvas* DC) { return DC == nullptr ? 0 : DC->StretchBltMode(); }

int SetPolyFillMode(TCanvas* DC, int Mode) {
  if (DC == nullptr || (Mode != ALTERNATE && Mode != WINDING)) return 0;
  const int Old = DC->PolyFillMode();
  DC->SetPolyFillMode(Mode);
  return Old;
}

}  // namespace orv
