#pragma once
// Per-font store of glyph advances and rendered glyph images.
//
// Code points below 256 live in a dense table, so measuring Latin text is a
// table walk; others go to a hash map that is emptied when it grows past a
// limit (a page of CJK text must not grow memory without bound).

#include <array>
#include <bitset>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace orv {

// A rendered glyph: one coverage byte per pixel, 0 = untouched, 255 = full
// ink. Monochrome glyphs hold only 0 and 255.
struct TGlyphImage {
  int Left = 0;    // columns from the pen position to the image's left edge
  int Top = 0;     // rows from the image's top edge down to the pen position
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Coverage;  // Width * Height bytes, top row first
  bool TwoLevel = false;          // every coverage byte is 0 or 255
};

struct TGlyphEntry {
  uint32_t GlyphIndex = 0;
  int Advance = 0;         // whole pixels along the baseline
  bool Rendered = false;   // Image is filled in only once the glyph is drawn
  TGlyphImage Image;
};

class TGlyphCache {
 public:
  static constexpr size_t HighLimit = 4096;

  // The entry of a code point, or nullptr when it has not been loaded yet.
  TGlyphEntry* Find(char32_t CodePoint) {
    if (CodePoint < 256) return FLowValid.test(CodePoint) ? &FLow[CodePoint] : nullptr;
    auto It = FHigh.find(CodePoint);
    return It == FHigh.end() ? nullptr : &It->second;
  }
  // Advance of a code point below 256, or -1 when not loaded yet.
  int LowAdvance(char16_t C) const { return FLowValid.test(C) ? FLow[C].Advance : -1; }

  // Stores Entry for CodePoint. May drop other entries beyond U+00FF, so
  // pointers returned by Find for those are valid only until the next Store.
  TGlyphEntry& Store(char32_t CodePoint, TGlyphEntry Entry) {
    if (CodePoint < 256) {
      FLow[CodePoint] = std::move(Entry);
      FLowValid.set(CodePoint);
      return FLow[CodePoint];
    }
    if (FHigh.size() >= HighLimit) FHigh.clear();
    return FHigh.insert_or_assign(CodePoint, std::move(Entry)).first->second;
  }

  size_t Count() const { return FLowValid.count() + FHigh.size(); }

 private:
  std::array<TGlyphEntry, 256> FLow{};
  std::bitset<256> FLowValid;
  std::unordered_map<char32_t, TGlyphEntry> FHigh;
};

}  // namespace orv
