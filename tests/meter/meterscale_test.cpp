// Meter scale: arc placement per layout, tick steps and tick values (linear
// and logarithmic), degenerate ranges, and label text.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "meter/meterscale.h"

namespace orv {
namespace {

struct TGeometryRow {
  TMeterLayout Layout;
  int Angle;
  double Radius;
  int CX, CY;
};

TEST(MeterGeometry, DocumentedPlacementAt297x209) {
  const TGeometryRow Rows[] = {
      {mlCirc90, 90, 175, 148, 191},
      {mlCirc120, 120, (148.5 - 18) * 1.1547, 148, 191},
      {mlCirc300, 300, 175 / 1.866, 148, 110},
  };
  for (const TGeometryRow& Row : Rows) {
    const TMeterGeometry G = MeterGeometry(Row.Layout, 297, 209, 8, 10, 10);
    EXPECT_EQ(G.Angle, Row.Angle) << int(Row.Layout);
    EXPECT_NEAR(G.Radius, Row.Radius, 1e-9) << int(Row.Layout);
    EXPECT_EQ(G.CenterX, Row.CX) << int(Row.Layout);
    EXPECT_EQ(G.CenterY, Row.CY) << int(Row.Layout);
  }
}

TEST(MeterGeometry, EveryLayoutKeepsItsArcInsideTheWindow) {
  // Sampled points of the whole sweep stay 8 pixels inside the rims, for a
  // wide, a tall and the default control. (The 90 degree arc takes its
  // radius from the height alone, so only the default size fits it.)
  const int Sizes[][2] = {{297, 209}, {600, 200}, {200, 600}};
  for (int L = mlCirc90; L <= mlCirc360; ++L) {
    for (const auto& Size : Sizes) {
      const int W = Size[0], H = Size[1];
      if (L == mlCirc90 && W != 297) continue;
      const TMeterGeometry G = MeterGeometry(TMeterLayout(L), W, H, 8, 10, 10);
      ASSERT_GT(G.Radius, 0);
      for (int K = 0; K <= 100; ++K) {
        const double Phi = (90 + G.Angle / 2.0 - G.Angle * K / 100.0) * M_PI / 180;
        const double X = G.CenterX + G.Radius * std::cos(Phi), Y = G.CenterY - G.Radius * std::sin(Phi);
        EXPECT_GE(X, 10 + 8 - 0.5) << "layout " << L << " at " << W << "x" << H;
        EXPECT_LE(X, W - 10 - 8 + 0.5) << "layout " << L << " at " << W << "x" << H;
        EXPECT_GE(Y, 8 + 8 - 0.5) << "layout " << L << " at " << W << "x" << H;
        EXPECT_LE(Y, H - 10 - 8 + 0.5) << "layout " << L << " at " << W << "x" << H;
      }
    }
  }
}

TEST(MeterTickStep, StepMinorCountAndFirstTick) {
  struct TRow {
    double S, E;
    int N;
    double Step, First;
    int Minor;
  };
  const TRow Rows[] = {
      {0, 1, 3, 0.2, 0, 4},       // 0.333: fraction between log 2 and log 5
      {0, 100, 3, 20, 0, 4},      // 33.3
      {0, 10, 10, 1, 0, 5},       // exactly a power of ten
      {0, 70, 10, 5, 0, 5},       // 7: above log 5
      {-3.3, 3.3, 3, 2, -2, 4},   // the first multiple at or above the start
      {0.95, 1.05, 5, 0.01, 0.95, 5},   // 0.02: exactly 2 * 10^k takes mantissa 1
      {5, 1, 4, -1, 5, 5},        // a range the wrong way round steps down
      {2, 2, 3, 0, 2, 1},         // zero width
  };
  for (const TRow& R : Rows) {
    const TTickStep T = MeterTickStep(R.S, R.E, R.N);
    EXPECT_NEAR(T.Step, R.Step, 1e-12) << R.S << ".." << R.E;
    EXPECT_NEAR(T.First, R.First, 1e-12) << R.S << ".." << R.E;
    EXPECT_EQ(T.MinorCount, R.Minor) << R.S << ".." << R.E;
  }
}

std::vector<double> MajorValues(const TMeterTicks& T) {
  std::vector<double> V;
  for (const TMeterTick& M : T.Major) V.push_back(M.Value);
  return V;
}

TEST(MeterTicks, LinearScaleHasMajorsOnTheStepAndMinorsBetween) {
  const TMeterTicks T = MeterTicks(TMeterScale{0, 1, false, 90}, 3, true);
  const std::vector<double> Major = MajorValues(T);
  ASSERT_EQ(Major.size(), 6u);
  for (size_t I = 0; I < Major.size(); ++I) EXPECT_NEAR(Major[I], 0.2 * I, 1e-12);
  for (const TMeterTick& M : T.Major) EXPECT_TRUE(M.Labelled);
  // Every 0.05 from 0.05 to 0.95 that is not a major tick: 19 - 4.
  ASSERT_EQ(T.Minor.size(), 15u);
  for (double V : T.Minor) {
    EXPECT_NEAR(std::remainder(V, 0.05), 0, 1e-9) << V;
    EXPECT_GT(std::fabs(std::remainder(V, 0.2)), 0.01) << V;
  }
  EXPECT_TRUE(MeterTicks(TMeterScale{0, 1, false, 90}, 3, false).Minor.empty());
}

TEST(MeterTicks, LogarithmicScaleOfSeveralDecades) {
  const TMeterTicks T = MeterTicks(TMeterScale{1, 1000, true, 90}, 3, false);
  ASSERT_EQ(T.Major.size(), 28u);  // 1..9, 10..90, 100..900, 1000
  std::vector<double> Labelled;
  for (const TMeterTick& M : T.Major)
    if (M.Labelled) Labelled.push_back(M.Value);
  const std::vector<double> Expected{1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};
  ASSERT_EQ(Labelled.size(), Expected.size());
  for (size_t I = 0; I < Expected.size(); ++I) EXPECT_NEAR(Labelled[I], Expected[I], 1e-9);
  // Logarithmic placement: each decade takes a third of the sweep.
  const TMeterScale S{1, 1000, true, 90};
  EXPECT_NEAR(S.Phi(10), 135 - 30, 1e-9);
  EXPECT_NEAR(S.Phi(100), 135 - 60, 1e-9);
  // Within one decade the linear ticks are kept, placed logarithmically.
  EXPECT_EQ(MeterTicks(TMeterScale{2, 10, true, 90}, 4, false).Major.size(), 9u);  // 2, 3 .. 10
}

TEST(MeterTicks, DegenerateRangesStayFiniteWithAtMostOneTick) {
  for (bool Log : {false, true}) {
    const TMeterScale S{5, 5, Log, 300};
    const TMeterTicks T = MeterTicks(S, 3, true);
    ASSERT_EQ(T.Major.size(), 1u);
    EXPECT_EQ(T.Major[0].Value, 5);
    EXPECT_TRUE(T.Minor.empty());
    EXPECT_DOUBLE_EQ(S.Phi(5), 240);  // the minimum end
    EXPECT_TRUE(std::isfinite(S.Phi(7)));
  }
  // Ends that a loaded form may leave: reversed, or not positive on a
  // logarithmic scale. Both terminate with finite angles.
  EXPECT_TRUE(MeterTicks(TMeterScale{5, 1, false, 90}, 3, true).Major.empty());
  const TMeterScale NonPositiveLog{-1, 100, true, 90};
  EXPECT_FALSE(NonPositiveLog.LogActive());
  EXPECT_EQ(MeterTicks(NonPositiveLog, 3, true).Major.size(), 6u);  // linear: 0 .. 100 by 20
  EXPECT_TRUE(std::isfinite(NonPositiveLog.Phi(0)));
}

TEST(MeterLabelText, FixedPointWithAPointAndNoNegativeZero) {
  struct TRow {
    double V;
    int Dec;
    const char16_t* Text;
  };
  const TRow Rows[] = {
      {0.5, 1, u"0.5"},   {-2, 2, u"-2.00"},   {1234.5, 0, u"1234"}, {0.125, 2, u"0.12"},
      {20, 0, u"20"},     {-1e-17, 1, u"0.0"}, {-0.04, 1, u"0.0"},   {0.6000000000000001, 4, u"0.6000"},
  };
  for (const TRow& R : Rows) EXPECT_EQ(MeterLabelText(R.V, R.Dec), R.Text) << R.V;
}

}  // namespace
}  // namespace orv
