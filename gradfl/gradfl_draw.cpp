#include "gradfl/gradfl_draw.h"

#include "foundation/drawing.h"
#include "framework/graphics/colors.h"

namespace orv {

namespace {

void PaintBands(TCanvas* Canvas, int W, int H, const TGradLook& Look) {
  const TColor First = ColorToRGB(Look.ColorFirst);
  const TColor Last = ColorToRGB(Look.ColorLast);
  const int N = EnsureBandCount(Look.NrColors);
  for (int Band = 0; Band < N; ++Band) {
    const TRect R = GradBandRect(Look.GradType, W, H, N, Band);
    if (R.IsEmpty()) continue;  // more bands than pixels: this one has no room
    Canvas->Brush()->SetColor(GradBandColor(Look.GradType, First, Last, N, Band));
    Canvas->FillRect(R);
  }
}

void PaintGrid(TCanvas* Canvas, int W, int H, const TGradLook& Look) {
  if (Look.GridMode == gmNone) return;
  Canvas->Brush()->SetColor(Look.GridColor);
  if (Look.GridMode == gmHoriz || Look.GridMode == gmBoth)
    for (int Y = kGradGridPitch; Y < H; Y += kGradGridPitch) Canvas->FillRect(TRect{0, Y, W, Y + 1});
  if (Look.GridMode == gmVert || Look.GridMode == gmBoth)
    for (int X = kGradGridPitch; X < W; X += kGradGridPitch) Canvas->FillRect(TRect{X, 0, X + 1, H});
}

}  // namespace

void PaintGradient(TCanvas* Canvas, int W, int H, const TGradLook& Look) {
  if (Canvas == nullptr || W <= 0 || H <= 0) return;
  TCanvasStateSaver Saver(Canvas);
  Canvas->Brush()->SetStyle(bsSolid);
  PaintBands(Canvas, W, H, Look);
  PaintGrid(Canvas, W, H, Look);
  DrawFrame(Canvas, Look.FrameStyle, 0, 0, W - 1, H - 1, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x000000, 0);
}

}  // namespace orv
