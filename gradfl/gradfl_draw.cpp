#include "gradfl/gradfl_draw.h"

#include <algorithm>

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

// Copies row From (canvas coordinates) to rows From+1 .. To-1 with block
// copies that double the finished rows each time.
void ReplicateRow(TCanvas* Canvas, int W, int From, int To) {
  Canvas->SetCopyMode(cmSrcCopy);
  for (int Have = 1; From + Have < To;) {
    const int N = std::min(Have, To - From - Have);
    Canvas->CopyRect(TRect{0, From + Have, W, From + Have + N}, Canvas, TRect{0, From, W, From + N});
    Have += N;
  }
}

// Every row of a band (and of all side-by-side bands) looks the same, grid
// columns included. Filling rectangle by rectangle walks the picture once
// per band or grid column; painting one row of each run of equal rows and
// copying it down writes every pixel once, in memory order. Needs the whole
// area visible, so that the copied rows are all there.
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

void CopyPicture(TCanvas* Canvas, int X, int Y, TBitmap* Picture) {
  if (Canvas == nullptr || Picture == nullptr || Canvas->Target() == nullptr) return;
  BitBlt(Canvas, X, Y, Picture->Width(), Picture->Height(), Picture->Canvas(), 0, 0, SRCCOPY);
  Canvas->Target()->Modified();
}

}  // namespace orv
