#pragma once
// The text engine: fonts resolved through fontconfig, rendered by FreeType.
//
// A TFontInstance is one face at one pixel size, one angle and one quality,
// with its metrics, its advance table and its glyph cache. AcquireFont hands
// out shared instances, so every canvas that draws in the same font shares one
// cache. Placement follows the other desktop's rules: the width of a string
// is the sum of the whole-pixel advances of its characters (no kerning),
// the height of a line is ascent + descent, and a rotated string turns about
// the top-left corner of its text cell.
//
// Like everything that paints, the engine is used from the GUI thread only.

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "framework/graphics/glyphcache.h"
#include "framework/graphics/textraster.h"
#include "framework/rtl/types.h"

namespace orv {

// What a font asks for; Height follows TFont::Height: negative = character
// height (the em) in pixels, positive = cell height including the internal
// leading, 0 = the default size.
struct TFontRequest {
  String Name = u"DejaVu Sans";
  int Height = -12;
  bool Bold = false;
  bool Italic = false;
  int Angle = 0;         // tenths of a degree, counter-clockwise
  bool Monochrome = false;  // two-level glyphs instead of coverage
  friend bool operator==(const TFontRequest&, const TFontRequest&) = default;
};

// Vertical measures in whole pixels; offsets are relative to the baseline,
// positive downwards.
struct TTextMetrics {
  int Ascent = 0;           // baseline to the top of the cell
  int Descent = 0;          // baseline to the bottom of the cell
  int Height = 0;           // Ascent + Descent: the height of a line
  int InternalLeading = 0;  // Height minus the em
  int EmHeight = 0;         // the character height asked for, in pixels
  int UnderlineTop = 0;     // first row of the underline
  int UnderlineThickness = 1;
  int StrikeOutTop = 0;     // first row of the strike-out line (negative: above)
  int StrikeOutThickness = 1;
};

// Pixel-size limits: a height beyond 2048 pixels is drawn at 2048, so a wild
// value cannot allocate glyph images of gigabytes.
inline constexpr int MaxFontPixels = 2048;
// The em used for a Height of 0.
inline constexpr int DefaultFontPixels = 12;

class TFontInstance {
 public:
  struct TImpl;

  TFontInstance(const TFontRequest& Request, std::unique_ptr<TImpl> Impl);
  ~TFontInstance();
  TFontInstance(const TFontInstance&) = delete;
  TFontInstance& operator=(const TFontInstance&) = delete;

  const TTextMetrics& Metrics() const { return FMetrics; }
  const TFontRequest& Request() const { return FRequest; }
  // Family and file of the face in use, after fallback.
  const std::string& FamilyName() const;
  const std::string& FilePath() const;
  bool SyntheticBold() const;
  bool SyntheticItalic() const;

  // Sum of the advances of Text's characters (surrogate pairs count once,
  // an unpaired surrogate measures as U+FFFD).
  int TextWidth(std::u16string_view Text);
  // Advance of one code point.
  int Advance(char32_t CodePoint);

  // Unit vectors of the baseline direction and of "down" in the text's frame,
  // in surface coordinates (Y grows downwards).
  TPointF Along() const { return FAlong; }
  TPointF Down() const { return FDown; }

  // Corners of the text cell of a string Width pixels wide whose cell has its
  // top-left corner at (X, Y), in the order top-left, top-right,
  // bottom-right, bottom-left of the unrotated cell.
  std::array<TPointF, 4> CellCorners(int X, int Y, int Width) const;

  // Draws Text with the top-left corner of its cell at (X, Y), in colour Rgb
  // (0x00RRGGBB), touching only pixels inside Clip; underline and strike-out
  // lines run under the whole string.
  void Draw(const TPixelSurface& Surface, const TRect& Clip, int X, int Y, std::u16string_view Text, uint32_t Rgb,
            bool Underline = false, bool StrikeOut = false);

  // Number of glyphs held in the cache (for tests and diagnostics).
  size_t CachedGlyphs() const { return FCache.Count(); }

 private:
  TGlyphEntry& Load(char32_t CodePoint);
  const TGlyphImage& Image(TGlyphEntry& Entry);
  void DrawLine(const TPixelSurface& Surface, const TRect& Clip, TPointF Origin, int Width, int Top, int Thickness,
                uint32_t Rgb) const;

  TFontRequest FRequest;
  std::unique_ptr<TImpl> FImpl;
  TTextMetrics FMetrics;
  TPointF FAlong{1, 0};
  TPointF FDown{0, 1};
  TGlyphCache FCache;
};

// The shared instance for Request. Bold and italic come from the family's own
// faces where it has them and are synthesised otherwise. Never fails: when no
// font file at all can be opened, the instance measures every string as 0
// wide and draws nothing.
std::shared_ptr<TFontInstance> AcquireFont(const TFontRequest& Request);

// Drops every cached instance no font or canvas holds any more.
void TrimFontCache();

}  // namespace orv
