#pragma once
// The pixel work of text output: blending glyph coverage into a 32-bit pixel
// store and filling the (possibly rotated) boxes of backgrounds, underlines
// and strike-out lines. Knows nothing of fonts.

#include <cstddef>
#include <cstdint>
#include <span>

#include "framework/graphics/glyphcache.h"
#include "framework/rtl/types.h"

namespace orv {

// A view on 0x00RRGGBB pixels. Stride is in pixels between one row and the
// next and may be negative for bottom-up stores.
struct TPixelSurface {
  uint32_t* Pixels = nullptr;  // row 0
  int Width = 0;
  int Height = 0;
  ptrdiff_t Stride = 0;

  uint32_t* Row(int Y) const { return Pixels + static_cast<ptrdiff_t>(Y) * Stride; }
};

struct TPointF {
  double X = 0;
  double Y = 0;
};

// Clip limited to the surface; empty when they do not meet.
TRect ClipToSurface(const TPixelSurface& Surface, const TRect& Clip);

// Blends Glyph with its pen position at (PenX, PenY) in colour Rgb (0x00RRGGBB):
// each pixel moves from its colour towards Rgb by coverage / 255.
void BlendGlyph(const TPixelSurface& Surface, const TRect& Clip, int PenX, int PenY, const TGlyphImage& Glyph,
                uint32_t Rgb);

// The instruction sets the blend can use. All give the same pixels; the
// overload taking one lets tests hold each against the rule.
enum TBlendKind : uint8_t { bkScalar, bkSse2, bkAvx2 };

// The kinds this processor runs, the one BlendGlyph uses first.
std::span<const TBlendKind> BlendKinds();

void BlendGlyph(TBlendKind Kind, const TPixelSurface& Surface, const TRect& Clip, int PenX, int PenY,
                const TGlyphImage& Glyph, uint32_t Rgb);

// Fills every pixel whose centre lies inside the convex polygon Corners (given
// in order, either direction) with Rgb. An axis-aligned box with integer
// corners fills exactly its pixels, right and bottom edges excluded.
void FillConvexPolygon(const TPixelSurface& Surface, const TRect& Clip, std::span<const TPointF> Corners,
                       uint32_t Rgb);

}  // namespace orv
