// Progress bar arithmetic: colour interpolation, bar length, table index
// mapping and the value text.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "framework/rtl/sysutils.h"
#include "framework/rtl/unicode.h"
#include "progbar/progbar_calc.h"

namespace orv {
namespace {

TEST(ProgBarCalc, InterpolationTruncatesEachChannelAndClampsTheFraction) {
  EXPECT_EQ(InterpolateColor(0xFF0000, 0x0000FF, 0), 0xFF0000u);
  EXPECT_EQ(InterpolateColor(0xFF0000, 0x0000FF, 1), 0x0000FFu);
  // 127.5 truncates to 127 in both directions.
  EXPECT_EQ(InterpolateColor(0xFF0000, 0x0000FF, 0.5), 0x7F007Fu);
  EXPECT_EQ(InterpolateColor(0x102030, 0x102030, 0.3), 0x102030u);
  EXPECT_EQ(InterpolateColor(0x000000, 0x0000FF, -2), 0x000000u);
  EXPECT_EQ(InterpolateColor(0x000000, 0x0000FF, 7), 0x0000FFu);
  EXPECT_EQ(InterpolateColor(0xFF000000, 0xFF0000FF, 0.5) >> 24, 0u);
}

TEST(ProgBarCalc, BarLengthRoundsHalvesToEvenAndSurvivesDegenerateRanges) {
  EXPECT_EQ(BarLength(10, 0, 100, 292, 1000), 29);
  EXPECT_EQ(BarLength(50, 0, 100, 5, 1000), 2);   // 2.5
  EXPECT_EQ(BarLength(70, 0, 100, 5, 1000), 4);   // 3.5
  EXPECT_EQ(BarLength(200, 0, 100, 100, 1000), 200);
  EXPECT_EQ(BarLength(-50, 0, 100, 100, 1000), -50);
  EXPECT_EQ(BarLength(5, 3, 3, 100, 1000), 0);
  EXPECT_EQ(BarLength(std::nan(""), 0, 100, 100, 1000), 0);
  EXPECT_EQ(BarLength(1e300, 0, 1, 100, 1000), 1000);
  EXPECT_EQ(BarLength(-1e300, 0, 1, 100, 1000), -1000);
  EXPECT_EQ(BarLength(1, -1e308, 1e308, 100, 1000), 0);  // the range overflows to infinity
}

struct TIndexRow {
  TColorMapping Mode;
  int Pos, Len, Usable, Expected;
};

class ProgBarIndex : public ::testing::TestWithParam<TIndexRow> {};

TEST_P(ProgBarIndex, MapsBarPixelsOntoTheTable) {
  const TIndexRow& R = GetParam();
  EXPECT_EQ(BarColorIndex(R.Mode, R.Pos, R.Len, R.Usable), R.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProgBarIndex,
    ::testing::Values(TIndexRow{cgmCover, 0, 100, 292, 0}, TIndexRow{cgmCover, 146, 292, 292, 512},  // 511.5
                      TIndexRow{cgmCover, 99, 100, 292, 347}, TIndexRow{cgmCover, 400, 500, 292, 1023},
                      TIndexRow{cgmStretch, 0, 10, 292, 0}, TIndexRow{cgmStretch, 5, 10, 292, 512},  // 511.5
                      TIndexRow{cgmStretch, 9, 10, 292, 921},
                      // The end of a moving gradient always takes the last colour.
                      TIndexRow{cgmMove, 99, 100, 292, 1023}, TIndexRow{cgmMove, 0, 100, 292, 676},
                      TIndexRow{cgmMove, 0, 1, 292, 1023}, TIndexRow{cgmMove, 0, 292, 292, 4}));

// The walk gives exactly the indices of the direct formula, exact halves
// included, for every mode over many bar and area lengths.
TEST(ProgBarCalc, WalkMatchesTheDirectIndexEverywhere) {
  for (TColorMapping Mode : {cgmCover, cgmStretch, cgmMove})
    for (int Usable : {0, 1, 2, 7, 292, 682, 1023, 2046, 3001})
      for (int Len : {0, 1, 3, 146, 292, 1500, 4000}) {
        TBarColorWalk Walk(Mode, Len, Usable);
        for (int Pos = 0; Pos < std::max(Len, 1); ++Pos)
          ASSERT_EQ(Walk.Next(), BarColorIndex(Mode, Pos, Len, Usable))
              << "mode " << int(Mode) << " usable " << Usable << " len " << Len << " pos " << Pos;
      }
}

TEST(ProgBarCalc, ValueTextByDecimalPlaces) {
  const Char Saved = FormatSettings.DecimalSeparator;
  FormatSettings.DecimalSeparator = u',';
  EXPECT_EQ(ToUtf8(ProgBarValueText(10, 0)), "10");
  EXPECT_EQ(ToUtf8(ProgBarValueText(2.5, 0)), "2");
  EXPECT_EQ(ToUtf8(ProgBarValueText(10, 2)), "10.00");
  EXPECT_EQ(ToUtf8(ProgBarValueText(-0.125, 10)), "-0.1250000000");
  EXPECT_EQ(ToUtf8(ProgBarValueText(123.456, -1)), "1.235E+02");
  EXPECT_EQ(ToUtf8(ProgBarValueText(-0.001, -1)), "-1.000E-03");
  EXPECT_EQ(ToUtf8(ProgBarValueText(1e150, -1)), "**********");
  EXPECT_EQ(ToUtf8(ProgBarValueText(1e150, -2)), "1.000E+0150");
  FormatSettings.DecimalSeparator = Saved;
}

}  // namespace
}  // namespace orv
