#pragma once
// The built-in 7 x 12 dot font of the raster label: one 14-byte entry per
// character code 32..255, in code order. An entry holds the first and the
// last used dot column, then the twelve rows top to bottom, where bit j of a
// row byte is a dot in column j (bit 0 is the leftmost column).

#include <array>
#include <cstdint>

namespace orv {

inline constexpr int kRasterFontFirstCode = 32;
inline constexpr int kRasterFontCodes = 224;  // 32..255
inline constexpr int kRasterFontColumns = 7;
inline constexpr int kRasterFontRows = 12;

using TRasterFontEntry = std::array<uint8_t, 2 + kRasterFontRows>;
using TRasterFontTable = std::array<TRasterFontEntry, kRasterFontCodes>;

// The table, built from its drawings on first use.
const TRasterFontTable& RasterFontTable();

}  // namespace orv
