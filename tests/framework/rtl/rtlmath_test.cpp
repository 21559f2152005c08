#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <vector>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/random.h"
#include "framework/rtl/rtlmath.h"

namespace orv {
namespace {

TEST(Round, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(Round(2.5), 2);
  EXPECT_EQ(Round(3.5), 4);
  EXPECT_EQ(Round(-2.5), -2);
  EXPECT_EQ(Round(-3.5), -4);
  EXPECT_EQ(Round(0.5), 0);
  EXPECT_EQ(Round(-0.5), 0);
  EXPECT_EQ(Round(2.4999999), 2);
  EXPECT_EQ(Round(2.5000001), 3);
  EXPECT_EQ(Round(-7.6), -8);
  EXPECT_EQ(Round(0.49999999999999994), 0);  // naive floor(x + 0.5) gives 1 here
  EXPECT_EQ(Round(4503599627370497.0), 4503599627370497LL);  // odd integer beyond 2^52 stays put
}

TEST(Round, RejectsWhatNoIntegerCanHold) {
  EXPECT_EQ(Round(-0x1p63L), LLONG_MIN);
  EXPECT_EQ(Round(0x1p63L - 1), LLONG_MAX);
  EXPECT_THROW(Round(0x1p63L), EArgumentOutOfRangeException);
  EXPECT_THROW(Round(std::numeric_limits<double>::quiet_NaN()), EArgumentOutOfRangeException);
  EXPECT_THROW(Round(-std::numeric_limits<double>::infinity()), EArgumentOutOfRangeException);
  EXPECT_THROW(Trunc(1e19), EArgumentOutOfRangeException);
  try {
    Round(1e300);
    FAIL() << "no exception";
  } catch (const EArgumentOutOfRangeException& E) {
    EXPECT_EQ(E.Message(), u"Argument out of range");
  }
}

TEST(RealParts, TruncIntFracFloorCeil) {
  EXPECT_EQ(Trunc(2.9), 2);
  EXPECT_EQ(Trunc(-2.9), -2);
  EXPECT_EQ(Int(-2.75L), -2.0L);
  EXPECT_EQ(Frac(-2.75L), -0.75L);
  EXPECT_EQ(Frac(3.25L), 0.25L);
  EXPECT_EQ(Floor(-2.1), -3);
  EXPECT_EQ(Ceil(-2.9), -2);
  EXPECT_EQ(Ceil(2.1), 3);
  EXPECT_EQ(Int(1e30L), 1e30L);  // no range limit on the real form
}

TEST(IntPower, SquaresAndInverts) {
  EXPECT_EQ(IntPower(2, 10), 1024.0L);
  EXPECT_EQ(IntPower(-3, 3), -27.0L);
  EXPECT_EQ(IntPower(2, -2), 0.25L);
  EXPECT_EQ(IntPower(7, 0), 1.0L);
  EXPECT_EQ(IntPower(10, 18), 1e18L);
  EXPECT_EQ(IntPower(1, INT_MIN), 1.0L);  // the most negative exponent does not overflow
  EXPECT_EQ(IntPower(2, INT_MIN), 0.0L);
  EXPECT_NEAR(static_cast<double>(Power(2, 0.5)), std::sqrt(2.0), 1e-15);
}

TEST(MulDiv, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(15, 0x7F, 16), 119);   // 119.0625
  EXPECT_EQ(MulDiv(1, 3, 2), 2);          // 1.5
  EXPECT_EQ(MulDiv(-1, 3, 2), -2);        // -1.5
  EXPECT_EQ(MulDiv(1, 5, 2), 3);          // 2.5: not to even
  EXPECT_EQ(MulDiv(1, -5, 2), -3);
  EXPECT_EQ(MulDiv(1, 4, 3), 1);          // 1.33
  EXPECT_EQ(MulDiv(2, 5, -3), -3);        // -3.33
  EXPECT_EQ(MulDiv(1, 5, -3), -2);        // -1.67
  // The product may exceed 32 bits as long as the quotient fits.
  EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
  EXPECT_EQ(MulDiv(1000000, 3000, 1000), 3000000);
}

TEST(MulDiv, ReportsDivisionByZeroAndOverflowAsMinusOne) {
  EXPECT_EQ(MulDiv(5, 5, 0), -1);
  EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
  EXPECT_EQ(MulDiv(INT_MIN, 1, -1), -1);
  EXPECT_EQ(MulDiv(INT_MIN, 1, 1), INT_MIN);
}

TEST(Helpers, SignRangeAndComparison) {
  EXPECT_EQ(Sign(-3), -1);
  EXPECT_EQ(Sign(0.0), 0);
  EXPECT_EQ(Sign(2.5L), 1);
  EXPECT_EQ(Min(3, -4), -4);
  EXPECT_EQ(Max(2.5, 1.5), 2.5);
  EXPECT_TRUE(InRange(5, 5, 10));
  EXPECT_TRUE(InRange(10, 5, 10));
  EXPECT_FALSE(InRange(11, 5, 10));
  EXPECT_EQ(EnsureRange(12, 0, 10), 10);
  EXPECT_EQ(EnsureRange(-1, 0, 10), 0);
  EXPECT_EQ(EnsureRange(7, 0, 10), 7);
  EXPECT_TRUE(SameValue(1.0, 1.0 + 1e-13));
  EXPECT_FALSE(SameValue(1.0, 1.0 + 1e-9));
  EXPECT_TRUE(SameValue(1e6, 1e6 + 1e-7));   // the tolerance scales with the magnitude
  EXPECT_TRUE(SameValue(1.0, 1.1, 0.2));
  EXPECT_TRUE(IsZero(1e-13));
  EXPECT_FALSE(IsZero(1e-11));
}

TEST(Random, SeededSequenceIsReproducibleAndInRange) {
  RandSeed = 0;
  // The generator is the linear congruence RandSeed * 0x08088405 + 1.
  EXPECT_EQ(Random(100), 0);  // seed 1: (1 * 100) >> 32
  EXPECT_EQ(RandSeed, 1u);
  EXPECT_EQ(Random(1000), static_cast<int>((uint64_t{0x08088406} * 1000) >> 32));
  RandSeed = 12345;
  std::vector<int> First;
  for (int I = 0; I < 20; ++I) First.push_back(Random(10));
  RandSeed = 12345;
  for (int I = 0; I < 20; ++I) EXPECT_EQ(Random(10), First[static_cast<size_t>(I)]);

  std::vector<int> Seen(7, 0);
  for (int I = 0; I < 7000; ++I) {
    const int V = Random(7);
    ASSERT_GE(V, 0);
    ASSERT_LT(V, 7);
    ++Seen[static_cast<size_t>(V)];
  }
  for (int Count : Seen) EXPECT_GT(Count, 700);  // every value turns up, roughly evenly
  EXPECT_EQ(Random(0), 0);
  EXPECT_EQ(Random(-5), 0);
}

TEST(Random, RealsAndRanges) {
  RandSeed = 99;
  for (int I = 0; I < 1000; ++I) {
    const double R = Random();
    ASSERT_GE(R, 0.0);
    ASSERT_LT(R, 1.0);
    const int V = RandomRange(-3, 4);
    ASSERT_GE(V, -3);
    ASSERT_LT(V, 4);
    ASSERT_NE(RandomRange(INT_MAX, INT_MIN), INT_MAX);  // a span wider than int, upper bound excluded
  }
  EXPECT_EQ(RandomRange(5, 5), 5);
  EXPECT_EQ(RandomRange(9, 8), 8);
  RandSeed = 0;
  Randomize();
  EXPECT_NE(RandSeed, 0u);  // taken from the clock
}

}  // namespace
}  // namespace orv
