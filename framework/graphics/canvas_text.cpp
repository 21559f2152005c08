// TCanvas text output and measuring, on top of the text engine.

#include <algorithm>
#include <climits>
#include <memory>

#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"
#include "framework/graphics/textengine.h"

namespace orv {

namespace {

// The request is rebuilt in place: the name is copied into the room of the
// last one, so text output allocates nothing for it. Text is drawn on one
// thread, as the font cache it asks is used.
const TFontRequest& FontRequestOf(const TFont& Font) {
  static TFontRequest Request;
  Request.Name = Font.Name();
  Request.Height = Font.Height();
  Request.Bold = Font.Style().Contains(fsBold);
  Request.Italic = Font.Style().Contains(fsItalic);
  // The baseline's angle turns the glyphs with it (as in the host's default
  // graphics mode); a font that only sets Orientation turns the same way.
  Request.Angle = Font.Escapement() != 0 ? Font.Escapement() : Font.Orientation();
  Request.Monochrome = Font.Quality() == fqNonAntialiased;
  return Request;
}

// System colours resolved, as a pixel of the target.
uint32_t PixelOf(TColor Color) { return ColorToPixel(ColorToRGB(Color) & 0x00FFFFFF); }

TPixelSurface SurfaceOf(TBitmap* Bitmap) {
  TPixelSurface S;
  if (!Bitmap || Bitmap->Width() <= 0 || Bitmap->Height() <= 0) return S;
  S.Pixels = Bitmap->Bits();
  S.Width = Bitmap->Width();
  S.Height = Bitmap->Height();
  S.Stride = Bitmap->Width();
  return S;
}

// A + B, pinned to the int range: coordinates near the limits must not wrap.
int Add(int A, int B) {
  return static_cast<int>(std::clamp<long long>(static_cast<long long>(A) + B, INT_MIN, INT_MAX));
}

TRect Offset(const TRect& R, const TPoint& By) {
  return TRect{Add(R.Left, By.X), Add(R.Top, By.Y), Add(R.Right, By.X), Add(R.Bottom, By.Y)};
}

}  // namespace

void TCanvas::TextOut(int X, int Y, const String& Text) {
  std::shared_ptr<TFontInstance> Face = AcquireFont(FontRequestOf(*FFont));
  const int Width = Face->TextWidth(Text);
  const TRect Clip = DeviceClip();
  if (!Text.empty() && !Clip.IsEmpty()) {
    const TPixelSurface Surface = SurfaceOf(FTarget);
    const int DX = Add(X, FOrigin.X);
    const int DY = Add(Y, FOrigin.Y);
    if (BrushVisible()) FillConvexPolygon(Surface, Clip, Face->CellCorners(DX, DY, Width), BrushPixel());
    const TFontStyles Style = FFont->Style();
    Face->Draw(Surface, Clip, DX, DY, Text, PixelOf(FFont->Color()), Style.Contains(fsUnderline),
               Style.Contains(fsStrikeOut));
  }
  MoveTo(Add(X, Width), Y);
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const String& Text) {
  const TRect Clip = IntersectRect(DeviceClip(), Offset(Rect, FOrigin));
  if (Clip.IsEmpty()) return;
  const TPixelSurface Surface = SurfaceOf(FTarget);
  if (BrushVisible()) {
    const TPointF Corners[4] = {{double(Clip.Left), double(Clip.Top)},
                                {double(Clip.Right), double(Clip.Top)},
                                {double(Clip.Right), double(Clip.Bottom)},
                                {double(Clip.Left), double(Clip.Bottom)}};
    FillConvexPolygon(Surface, Clip, Corners, BrushPixel());
  }
  if (Text.empty()) return;
  std::shared_ptr<TFontInstance> Face = AcquireFont(FontRequestOf(*FFont));
  const TFontStyles Style = FFont->Style();
  Face->Draw(Surface, Clip, Add(X, FOrigin.X), Add(Y, FOrigin.Y), Text, PixelOf(FFont->Color()),
             Style.Contains(fsUnderline), Style.Contains(fsStrikeOut));
}

int TCanvas::TextWidth(const String& Text) { return TextExtent(Text).cx; }

int TCanvas::TextHeight(const String& Text) { return TextExtent(Text).cy; }

// The extent along the baseline, whatever the font's angle: the height is the
// font's line height even for an empty string.
TSize TCanvas::TextExtent(const String& Text) {
  std::shared_ptr<TFontInstance> Face = AcquireFont(FontRequestOf(*FFont));
  return TSize{Face->TextWidth(Text), Face->Metrics().Height};
}

}  // namespace orv
