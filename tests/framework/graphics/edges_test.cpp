// Bevelled edges: which ring and which side owns each pixel, skipped rings,
// tiny rectangles and the canvas state left behind.

#include <gtest/gtest.h>

#include "framework/graphics/edges.h"
#include "raster_helpers.h"

namespace orv {
namespace {

using namespace orv::testing;

constexpr TColor kOuterTL = 0x111111, kOuterBR = 0x222222, kInnerTL = 0x333333, kInnerBR = 0x444444;
constexpr TEdgeColors kColors{kOuterTL, kOuterBR, kInnerTL, kInnerBR};

TEST(DrawEdge, FarCornersBelongToTheBottomRightAndTheInsideIsUntouched) {
  TSheet S(8, 6);
  S.C()->Brush()->SetColor(kGreen);
  S.C()->Brush()->SetStyle(bsClear);
  const TRect Inside = DrawEdge(S.C(), TRect{1, 1, 8, 6}, kColors);
  EXPECT_EQ(Inside, (TRect{3, 3, 6, 4}));
  EXPECT_EQ(S.At(0, 0), kWhite);  // outside the rectangle
  EXPECT_EQ(S.At(1, 1), kOuterTL);
  EXPECT_EQ(S.At(6, 1), kOuterTL);
  EXPECT_EQ(S.At(7, 1), kOuterBR);  // top-right corner
  EXPECT_EQ(S.At(1, 5), kOuterBR);  // bottom-left corner
  EXPECT_EQ(S.At(7, 5), kOuterBR);
  EXPECT_EQ(S.At(2, 2), kInnerTL);
  EXPECT_EQ(S.At(6, 2), kInnerBR);
  EXPECT_EQ(S.At(2, 4), kInnerBR);
  EXPECT_EQ(S.At(3, 3), kWhite);
  EXPECT_EQ(S.At(5, 3), kWhite);
  EXPECT_EQ(S.C()->Brush()->Color(), kGreen);
  EXPECT_EQ(S.C()->Brush()->Style(), bsClear);
}

TEST(DrawEdge, SkippedRingsTakeTheirPixelAndTinyRectanglesGetWhatFits) {
  TSheet S(6, 6);
  const TRect Inside = DrawEdge(S.C(), TRect{0, 0, 6, 6}, TEdgeColors{clNone, clNone, kInnerTL, kInnerBR});
  EXPECT_EQ(Inside, (TRect{2, 2, 4, 4}));
  EXPECT_EQ(S.At(0, 0), kWhite);
  EXPECT_EQ(S.At(1, 1), kInnerTL);
  EXPECT_EQ(S.At(4, 4), kInnerBR);

  TSheet T(3, 3);
  DrawEdge(T.C(), TRect{1, 0, 2, 3}, kColors);  // one pixel wide: the right column wins
  EXPECT_EQ(T.At(1, 0), kOuterBR);
  EXPECT_EQ(T.At(1, 2), kOuterBR);
  DrawEdge(T.C(), TRect{2, 2, 2, 3}, kColors);  // empty
  DrawEdge(nullptr, TRect{0, 0, 3, 3}, kColors);
  EXPECT_EQ(T.At(2, 2), kWhite);
  EXPECT_EQ(T.Count(kWhite), 6);
}

}  // namespace
}  // namespace orv
