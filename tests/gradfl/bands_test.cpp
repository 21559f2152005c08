// Band rectangles and band colours of the gradient fill, without pixels.

#include <gtest/gtest.h>

#include <climits>

#include "gradfl/gradfl_bands.h"

namespace orv {
namespace {

TEST(GradMulDivTest, RoundsToNearestWithExactHalvesToEven) {
  EXPECT_EQ(GradMulDiv(15, 0x7F, 16), 119);  // 119.06
  EXPECT_EQ(GradMulDiv(15, 0xFF, 16), 239);  // 239.06
  EXPECT_EQ(GradMulDiv(7, 1, 8), 1);         // 0.875
  EXPECT_EQ(GradMulDiv(1, 1, 2), 0);         // 0.5 -> 0
  EXPECT_EQ(GradMulDiv(3, 1, 2), 2);         // 1.5 -> 2
  EXPECT_EQ(GradMulDiv(5, 1, 2), 2);         // 2.5 -> 2
  EXPECT_EQ(GradMulDiv(8, 121, 16), 60);     // 60.5 -> 60
  EXPECT_EQ(GradMulDiv(1, -1, 2), 0);        // -0.5 -> 0
  EXPECT_EQ(GradMulDiv(3, -1, 2), -2);       // -1.5 -> -2
  EXPECT_EQ(GradMulDiv(1, -3, 4), -1);       // -0.75
  EXPECT_EQ(GradMulDiv(3, 1, -2), -2);       // negative divisor
  EXPECT_EQ(GradMulDiv(5, 7, 0), 0);
  EXPECT_EQ(GradMulDiv(INT_MAX, INT_MAX, 1), INT_MAX);
  EXPECT_EQ(GradMulDiv(INT_MIN, INT_MAX, 1), INT_MIN);
  EXPECT_EQ(GradMulDiv(INT_MAX, 3, 3), INT_MAX);  // 64-bit intermediate
}

TEST(GradBandCountTest, ClampsToOneThrough255) {
  EXPECT_EQ(EnsureBandCount(0), 1);
  EXPECT_EQ(EnsureBandCount(-5), 1);
  EXPECT_EQ(EnsureBandCount(INT_MIN), 1);
  EXPECT_EQ(EnsureBandCount(1), 1);
  EXPECT_EQ(EnsureBandCount(255), 255);
  EXPECT_EQ(EnsureBandCount(256), 255);
  EXPECT_EQ(EnsureBandCount(INT_MAX), 255);
}

TEST(GradBandRectTest, StackedBandsSpanTheWidthAtRoundedRows) {
  for (TGradType T : {gtHoriz, gtMidBandHoriz}) {
    EXPECT_EQ(GradBandRect(T, 121, 121, 16, 0), (TRect{0, 0, 121, 8}));    // 7.56 -> 8
    EXPECT_EQ(GradBandRect(T, 121, 121, 16, 7), (TRect{0, 53, 121, 60}));  // 52.94, 60.5 -> 60
    EXPECT_EQ(GradBandRect(T, 121, 121, 16, 8), (TRect{0, 60, 121, 68}));  // 68.06
    EXPECT_EQ(GradBandRect(T, 121, 121, 16, 15), (TRect{0, 113, 121, 121}));
    EXPECT_EQ(GradBandRect(T, 50, 30, 1, 0), (TRect{0, 0, 50, 30}));
  }
}

TEST(GradBandRectTest, SideBySideBandsSpanTheHeightAtRoundedColumns) {
  for (TGradType T : {gtVert, gtMidBandVert}) {
    EXPECT_EQ(GradBandRect(T, 100, 40, 3, 0), (TRect{0, 0, 33, 40}));    // 33.3
    EXPECT_EQ(GradBandRect(T, 100, 40, 3, 1), (TRect{33, 0, 67, 40}));   // 66.7
    EXPECT_EQ(GradBandRect(T, 100, 40, 3, 2), (TRect{67, 0, 100, 40}));
    EXPECT_EQ(GradBandRect(T, 10, 40, 4, 1), (TRect{2, 0, 5, 40}));  // 2.5 -> 2, 5
    EXPECT_EQ(GradBandRect(T, 10, 40, 4, 2), (TRect{5, 0, 8, 40}));  // 7.5 -> 8
  }
}

TEST(GradBandRectTest, BandsTileTheAreaWithoutGapsOrOverlap) {
  for (TGradType T : {gtHoriz, gtVert, gtMidBandHoriz, gtMidBandVert})
    for (int N : {1, 2, 3, 7, 16, 64, 255})
      for (int Size : {0, 1, 5, 121, 1000}) {
        int Next = 0;
        for (int Band = 0; Band < N; ++Band) {
          const TRect R = GradBandRect(T, Size, Size, N, Band);
          const int Lo = GradBandsStacked(T) ? R.Top : R.Left;
          const int Hi = GradBandsStacked(T) ? R.Bottom : R.Right;
          ASSERT_EQ(Lo, Next) << "type " << int(T) << " N " << N << " size " << Size << " band " << Band;
          ASSERT_GE(Hi, Lo);
          Next = Hi;
        }
        EXPECT_EQ(Next, Size);
      }
}

TEST(GradBandColorTest, EdgeToEdgeDefaultsStopOneStepShortOfTheLastColour) {
  for (TGradType T : {gtHoriz, gtVert}) {
    EXPECT_EQ(GradBandColor(T, 0x000080, 0x00FFFF, 16, 0), 0x000080u);
    EXPECT_EQ(GradBandColor(T, 0x000080, 0x00FFFF, 16, 15), 0x00EFF7u);
    EXPECT_EQ(GradBandColor(T, 0x000080, 0x00FFFF, 16, 8), 0x0080C0u);  // 0x80 + 63.5 -> 0xC0 (even), 127.5 -> 128
  }
}

TEST(GradBandColorTest, ChannelsFallAsWellAsRise) {
  // Blue falls from 0xFF to 0, green rises, red stays.
  EXPECT_EQ(GradBandColor(gtHoriz, 0xFF0040, 0x00FF40, 4, 1), 0xBF4040u);
  EXPECT_EQ(GradBandColor(gtHoriz, 0xFF0040, 0x00FF40, 4, 3), 0x40BF40u);
  // -0.5 and -1.5 steps round to the even neighbour.
  EXPECT_EQ(GradBandColor(gtVert, 0x000001, 0x000000, 2, 1), 0x000001u);
  EXPECT_EQ(GradBandColor(gtVert, 0x000003, 0x000000, 2, 1), 0x000001u);
}

TEST(GradBandColorTest, OneBandShowsTheFirstColourInEveryType) {
  for (TGradType T : {gtHoriz, gtVert, gtMidBandHoriz, gtMidBandVert}) {
    EXPECT_EQ(GradBandColor(T, 0x123456, 0xABCDEF, 1, 0), 0x123456u);
    EXPECT_EQ(GradBandColor(T, 0x123456, 0xABCDEF, 0, 0), 0x123456u);
  }
}

TEST(GradBandColorTest, MidBandRisesToTheLastColourAndFallsBack) {
  const TColor F = 0x000000, L = 0x0000FF;
  // Even count: 0 and 3 first, 1 halfway, 2 the last colour.
  EXPECT_EQ(GradBandColor(gtMidBandVert, F, L, 4, 0), 0x00u);
  EXPECT_EQ(GradBandColor(gtMidBandVert, F, L, 4, 1), 0x80u);  // 127.5 -> 128
  EXPECT_EQ(GradBandColor(gtMidBandVert, F, L, 4, 2), 0xFFu);
  EXPECT_EQ(GradBandColor(gtMidBandVert, F, L, 4, 3), 0x00u);
  // Odd count: symmetric about the middle band.
  const TColor Odd[5] = {0x00, 0x80, 0xFF, 0x80, 0x00};
  for (int Band = 0; Band < 5; ++Band) EXPECT_EQ(GradBandColor(gtMidBandHoriz, F, L, 5, Band), Odd[Band]) << Band;
  // Two bands: first then last.
  EXPECT_EQ(GradBandColor(gtMidBandHoriz, F, L, 2, 0), 0x00u);
  EXPECT_EQ(GradBandColor(gtMidBandHoriz, F, L, 2, 1), 0xFFu);
}

TEST(GradBandColorTest, StaysBetweenTheTwoColoursForEveryBand) {
  const TColor F = 0x10F020, L = 0xF01080;
  for (TGradType T : {gtHoriz, gtVert, gtMidBandHoriz, gtMidBandVert})
    for (int N = 1; N <= 255; N += 17)
      for (int Band = 0; Band < N; ++Band) {
        const TColor C = GradBandColor(T, F, L, N, Band);
        ASSERT_EQ(C >> 24, 0u);
        ASSERT_GE(C & 0xFF, 0x20u);
        ASSERT_LE(C & 0xFF, 0x80u);
        ASSERT_GE((C >> 8) & 0xFF, 0x10u);
        ASSERT_LE((C >> 8) & 0xFF, 0xF0u);
        ASSERT_GE((C >> 16) & 0xFF, 0x10u);
        ASSERT_LE((C >> 16) & 0xFF, 0xF0u);
      }
}

}  // namespace
}  // namespace orv
