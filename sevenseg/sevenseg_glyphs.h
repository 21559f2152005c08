#pragma once
// Glyph engine of the seven-segment display: the segment images, the master
// canvas a glyph is composed on, and the cache strip of all glyphs at the
// display's cell size.
//
// A glyph is composed at a fixed master size (312 x 432) from black-on-white
// segment images: each image is first coloured (its shape flood-filled with
// the text colour), then the images of the glyph are ANDed onto a white
// canvas and the white background is replaced by the background colour.
// The cache holds every glyph of SevenSegCharList, shrunk to the cell size
// with area-averaging, one cell after the other from the left. Since the
// parts of a glyph never overlap, the cache is built from the shrunk parts
// rather than by composing and shrinking each glyph, with the same result.

#include <cstdint>
#include <memory>
#include <string_view>

#include "framework/graphics/bitmap.h"
#include "framework/rtl/types.h"

namespace orv {

// The characters the display can show, in cache cell order: cell k (1-based)
// holds character k. The last one is the empty glyph with its dot.
inline constexpr std::u16string_view SevenSegCharList = u"0123456789-+:\u00B0ABCDEF.";
inline constexpr int kSevenSegGlyphCount = 21;

// Size of the master canvas a glyph is composed on.
inline constexpr int kSevenSegMasterWidth = 312;
inline constexpr int kSevenSegMasterHeight = 432;

class TSevenSegGlyphs {
 public:
  // Loads the six segment images from the named resources SEGHORZ, SEGVERT,
  // SEGDOT, SEGPLUS, SEGCOLON and SEGDEG; a missing one raises EResNotFound.
  TSevenSegGlyphs();
  ~TSevenSegGlyphs();
  TSevenSegGlyphs(const TSevenSegGlyphs&) = delete;
  TSevenSegGlyphs& operator=(const TSevenSegGlyphs&) = delete;

  // Colours the shapes of all segment images with TextColor (system colours
  // resolved; white becomes 0xFEFEFE so that a segment never matches the
  // white the glyphs are composed on). Shapes coloured before take the new
  // colour.
  void ColorSegments(TColor TextColor);

  // Composes glyph Ch (letter case ignored) on the master canvas with the
  // segment images as they are coloured now: "." and "," give the empty
  // glyph with the dot, characters outside the glyph list an empty glyph.
  // Dot adds the dot. Everything that is not segment becomes BackColor.
  void Compose(Char Ch, bool Dot, TColor BackColor);

  // Rebuilds the cache for cells CellWidth x CellHeight: 21 cells side by
  // side, the segments in TextColor on BackColor. A cell size of zero or
  // less leaves an empty cache.
  void Build(int CellWidth, int CellHeight, TColor TextColor, TColor BackColor);

  // The master canvas (312 x 432) holding the glyph Compose made last.
  TBitmap* Master() { return DigImg.get(); }
  // The cache strip; cell k (1-based) starts at x = (k - 1) * CellWidth().
  TBitmap* Cache() { return ImgCache.get(); }
  const TBitmap* Cache() const { return ImgCache.get(); }
  int CellWidth() const { return FCellWidth; }
  int CellHeight() const { return FCellHeight; }
  // How often Build ran: lets callers and tests see when the cache was redone.
  int BuildCount() const { return FBuildCount; }

  // 1-based cache cell of character C (letter case ignored); 0 when the
  // glyph list does not hold it.
  static int GlyphIndex(Char C);

 private:
  std::unique_ptr<TBitmap> SegHorz, SegVert, SegDot, SegPlus, SegColon, SegDeg;
  std::unique_ptr<TBitmap> DigImg;
  std::unique_ptr<TBitmap> ImgCache;
  // Whether no two parts of one glyph put a non-white pixel on the same
  // master pixel (0 = not checked yet, 1 = apart, -1 = overlapping).
  bool PartsApart();
  // The cache by composing each glyph on the master and shrinking it: the
  // way for artwork whose parts overlap.
  void BuildByComposing(TColor BackColor);
  int FPartsApart = 0;
  int FCellWidth = 0;
  int FCellHeight = 0;
  int FBuildCount = 0;
};

}  // namespace orv
