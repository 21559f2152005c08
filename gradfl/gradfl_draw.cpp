#include "gradfl/gradfl_draw.h"

#include <algorithm>
#include <cstring>

#include "foundation/drawing.h"
#include "framework/graphics/colors.h"

namespace orv {

namespace {

// Fills the bands of rows Top..Bottom-1 only; the band rectangles are cut
// to those rows.
void PaintBandRows(TCanvas* Canvas, int W, int H, const TGradLook& Look, int Top, int Bottom) {
  const TColor First = ColorToRGB(Look.ColorFirst);
  const TColor Last = ColorToRGB(Look.ColorLast);
  const int N = EnsureBandCount(Look.NrColors);
  for (int Band = 0; Band < N; ++Band) {
    TRect R = GradBandRect(Look.GradType, W, H, N, Band);
    R.Top = R.Top > Top ? R.Top : Top;
    R.Bottom = R.Bottom < Bottom ? R.Bottom : Bottom;
    if (R.IsEmpty()) continue;  // more bands than pixels: this one has no room
    Canvas->Brush()->SetColor(GradBandColor(Look.GradType, First, Last, N, Band));
    Canvas->FillRect(R);
  }
}

void PaintVerticalGridRows(TCanvas* Canvas, int W, int Top, int Bottom, const TGradLook& Look) {
  if (Look.GridMode != gmVert && Look.GridMode != gmBoth) return;
  Canvas->Brush()->SetColor(Look.GridColor);
  for (int X = kGradGridPitch; X < W; X += kGradGridPitch) Canvas->FillRect(TRect{X, Top, X + 1, Bottom});
}

// True when the whole W x H area can be drawn and read back on Canvas.
bool WholeAreaVisible(TCanvas* Canvas, int W, int H) {
  if (Canvas->Target() == nullptr) return false;
  const TRect C = Canvas->ClipRect();
  return C.Left <= 0 && C.Top <= 0 && C.Right >= W && C.Bottom >= H;
}

// Copies row From (canvas coordinates) to rows From+1 .. To-1 straight in
// the target's pixel store.
void ReplicateRow(TCanvas* Canvas, int W, int From, int To) {
  TBitmap* Target = Canvas->Target();
  const TPoint O = Canvas->Origin();
  const uint32_t* Source = Target->ScanLine(O.Y + From) + O.X;
  for (int Y = From + 1; Y < To; ++Y)
    std::memcpy(Target->ScanLine(O.Y + Y) + O.X, Source, static_cast<size_t>(W) * sizeof(uint32_t));
}

// Every row of a band (and of all side-by-side bands) looks the same, grid
// columns included. Filling rectangle by rectangle walks the picture once
// per band or grid column; painting one row of each run of equal rows and
// copying it down writes every pixel once, in memory order. Needs the whole
// area visible, so that every row lies inside the target bitmap.
void PaintByRows(TCanvas* Canvas, int W, int H, const TGradLook& Look) {
  if (!GradBandsStacked(Look.GradType)) {
    PaintBandRows(Canvas, W, H, Look, 0, 1);
    PaintVerticalGridRows(Canvas, W, 0, 1, Look);
    ReplicateRow(Canvas, W, 0, H);
  } else {
    const TColor First = ColorToRGB(Look.ColorFirst);
    const TColor Last = ColorToRGB(Look.ColorLast);
    const int N = EnsureBandCount(Look.NrColors);
    for (int Band = 0; Band < N; ++Band) {
      const TRect R = GradBandRect(Look.GradType, W, H, N, Band);
      if (R.IsEmpty()) continue;
      Canvas->Brush()->SetColor(GradBandColor(Look.GradType, First, Last, N, Band));
      Canvas->FillRect(TRect{0, R.Top, W, R.Top + 1});
      PaintVerticalGridRows(Canvas, W, R.Top, R.Top + 1, Look);
      ReplicateRow(Canvas, W, R.Top, R.Bottom);
    }
  }
  Canvas->Target()->Modified();
}

void PaintBands(TCanvas* Canvas, int W, int H, const TGradLook& Look) {
  if (WholeAreaVisible(Canvas, W, H)) {
    PaintByRows(Canvas, W, H, Look);
    return;
  }
  PaintBandRows(Canvas, W, H, Look, 0, H);
  PaintVerticalGridRows(Canvas, W, 0, H, Look);
}

// Horizontal grid lines; the vertical ones are drawn with the bands.
void PaintHorizontalGrid(TCanvas* Canvas, int W, int H, const TGradLook& Look) {
  if (Look.GridMode != gmHoriz && Look.GridMode != gmBoth) return;
  Canvas->Brush()->SetColor(Look.GridColor);
  for (int Y = kGradGridPitch; Y < H; Y += kGradGridPitch) Canvas->FillRect(TRect{0, Y, W, Y + 1});
}

}  // namespace

void PaintGradient(TCanvas* Canvas, int W, int H, const TGradLook& Look) {
  if (Canvas == nullptr || W <= 0 || H <= 0) return;
  TCanvasStateSaver Saver(Canvas);
  Canvas->Brush()->SetStyle(bsSolid);
  PaintBands(Canvas, W, H, Look);
  PaintHorizontalGrid(Canvas, W, H, Look);
  DrawFrame(Canvas, Look.FrameStyle, 0, 0, W - 1, H - 1, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x000000, 0);
}

}  // namespace orv

namespace orv {

void CopyPicture(TCanvas* Canvas, int X, int Y, const TBitmap* Picture) {
  if (Canvas == nullptr || Picture == nullptr || Canvas->Target() == nullptr) return;
  const TPoint O = Canvas->Origin();
  const TRect Clip = Canvas->DeviceClip();
  // The picture's place on the target, cut to the clip.
  const int Left = std::max(O.X + X, Clip.Left);
  const int Top = std::max(O.Y + Y, Clip.Top);
  const int Right = std::min(O.X + X + Picture->Width(), Clip.Right);
  const int Bottom = std::min(O.Y + Y + Picture->Height(), Clip.Bottom);
  if (Right <= Left || Bottom <= Top) return;
  TBitmap* Target = Canvas->Target();
  const int SrcX = Left - (O.X + X);
  for (int Row = Top; Row < Bottom; ++Row)
    std::memcpy(Target->ScanLine(Row) + Left, Picture->ScanLine(Row - (O.Y + Y)) + SrcX,
                static_cast<size_t>(Right - Left) * sizeof(uint32_t));
  Target->Modified();
}

}  // namespace orv
