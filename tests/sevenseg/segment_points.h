#pragma once
// Points of the 312 x 432 glyph canvas that lie inside each part: the image
// centre (or colouring seed) moved to where the part is placed.

#include "framework/rtl/types.h"

namespace orv::sevenseg_testing {

// Segments 1..7: top, upper left, upper right, middle, lower left, lower right, bottom.
inline constexpr TPoint kSegSeed[7] = {{94 + 100, 0 + 19},    {37 + 34, 23 + 95},  {244 + 34, 23 + 95},
                                       {57 + 100, 197 + 19},  {0 + 34, 220 + 95},  {207 + 34, 220 + 95},
                                       {20 + 100, 394 + 19}};
inline constexpr TPoint kDotSeed = {269 + 19, 394 + 19};
inline constexpr TPoint kPlusSeed = {57 + 100, 120 + 95};
inline constexpr TPoint kColonSeeds[2] = {{122 + 18, 121 + 190 - 18}, {122 + 68 - 18, 121 + 18}};
inline constexpr TPoint kDegreeSeed = {150 + 25, 0 + 69};
// Middle of the degree ring's hole.
inline constexpr TPoint kDegreeHole = {150 + 80, 0 + 69};

}  // namespace orv::sevenseg_testing
