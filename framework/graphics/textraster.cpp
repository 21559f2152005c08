#include "framework/graphics/textraster.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

// Channel-wise (Src * A + Dst * (255 - A)) / 255, rounded. Red and blue share
// one multiply: each product stays below 2^16, so the lanes never carry.
inline uint32_t Mix(uint32_t Dst, uint32_t Src, uint32_t A) {
  const uint32_t InvA = 255 - A;
  uint32_t RB = (Src & 0xFF00FF) * A + (Dst & 0xFF00FF) * InvA + 0x800080;
  RB = ((RB + ((RB >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
  uint32_t G = (Src & 0xFF00) * A + (Dst & 0xFF00) * InvA + 0x8000;
  G = ((G + ((G >> 8) & 0xFF00)) >> 8) & 0xFF00;
  return RB | G;
}

}  // namespace

TRect ClipToSurface(const TPixelSurface& Surface, const TRect& Clip) {
  TRect R{std::max(Clip.Left, 0), std::max(Clip.Top, 0), std::min(Clip.Right, Surface.Width),
          std::min(Clip.Bottom, Surface.Height)};
  if (R.IsEmpty() || !Surface.Pixels) return TRect{};
  return R;
}

void BlendGlyph(const TPixelSurface& Surface, const TRect& Clip, int PenX, int PenY, const TGlyphImage& Glyph,
                uint32_t Rgb) {
  const TRect Box = ClipToSurface(Surface, Clip);
  if (Box.IsEmpty() || Glyph.Width <= 0 || Glyph.Height <= 0) return;
  const int X0 = PenX + Glyph.Left;
  const int Y0 = PenY - Glyph.Top;
  const int FromX = std::max(X0, Box.Left);
  const int ToX = std::min(X0 + Glyph.Width, Box.Right);
  const int FromY = std::max(Y0, Box.Top);
  const int ToY = std::min(Y0 + Glyph.Height, Box.Bottom);
  if (FromX >= ToX || FromY >= ToY) return;
  Rgb &= 0xFFFFFF;
  for (int Y = FromY; Y < ToY; ++Y) {
    const uint8_t* Src = Glyph.Coverage.data() + static_cast<size_t>(Y - Y0) * Glyph.Width + (FromX - X0);
    uint32_t* Dst = Surface.Row(Y) + FromX;
    for (int X = FromX; X < ToX; ++X, ++Src, ++Dst) {
      const uint32_t A = *Src;
      if (A == 0) continue;
      *Dst = A == 255 ? Rgb : Mix(*Dst & 0xFFFFFF, Rgb, A);
    }
  }
}

void FillConvexPolygon(const TPixelSurface& Surface, const TRect& Clip, std::span<const TPointF> Corners,
                       uint32_t Rgb) {
  const TRect Box = ClipToSurface(Surface, Clip);
  if (Box.IsEmpty() || Corners.size() < 3) return;
  double MinY = Corners[0].Y, MaxY = Corners[0].Y;
  for (const TPointF& P : Corners) {
    if (!std::isfinite(P.X) || !std::isfinite(P.Y)) return;
    MinY = std::min(MinY, P.Y);
    MaxY = std::max(MaxY, P.Y);
  }
  // Rows whose centre line Y + 0.5 lies in [MinY, MaxY).
  const double FirstRow = std::max(std::ceil(MinY - 0.5), static_cast<double>(Box.Top));
  const double EndRow = std::min(std::ceil(MaxY - 0.5), static_cast<double>(Box.Bottom));
  Rgb &= 0xFFFFFF;
  for (int Y = static_cast<int>(FirstRow); Y < static_cast<int>(EndRow); ++Y) {
    const double Yc = Y + 0.5;
    double Left = 0, Right = 0;
    bool Any = false;
    for (size_t I = 0; I < Corners.size(); ++I) {
      const TPointF& A = Corners[I];
      const TPointF& B = Corners[(I + 1) % Corners.size()];
      if (A.Y == B.Y) continue;
      const double Lo = std::min(A.Y, B.Y), Hi = std::max(A.Y, B.Y);
      if (Yc < Lo || Yc >= Hi) continue;
      const double X = A.X + (Yc - A.Y) * (B.X - A.X) / (B.Y - A.Y);
      if (!Any) {
        Left = Right = X;
        Any = true;
      } else {
        Left = std::min(Left, X);
        Right = std::max(Right, X);
      }
    }
    if (!Any) continue;
    // Columns whose centre X + 0.5 lies in [Left, Right).
    const double FromX = std::max(std::ceil(Left - 0.5), static_cast<double>(Box.Left));
    const double ToX = std::min(std::ceil(Right - 0.5), static_cast<double>(Box.Right));
    if (FromX >= ToX) continue;
    std::fill(Surface.Row(Y) + static_cast<int>(FromX), Surface.Row(Y) + static_cast<int>(ToX), Rgb);
  }
}

}  // namespace orv
