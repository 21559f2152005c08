// The meter's row-wise band ring and arc outline against the canvas' own
// Pie, Ellipse and Arc, pixel for pixel, on random boxes and radials
// (radials along the axes, opposite and equal directions included).

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "meter/arcshape.h"

namespace orv {
namespace {

constexpr TColor kBack = 0xFFFFFF;
constexpr TColor kColors[3] = {0x00FF00, 0x0080FF, 0x0000FF};

int CountDifferences(TBitmap& A, TBitmap& B) {
  int N = 0;
  for (int I = 0; I < A.Width() * A.Height(); ++I) N += A.Bits()[I] != B.Bits()[I];
  return N;
}

// A ray point: random, on an axis through the centre, or one of the others.
TPoint RandomRay(std::mt19937& Rng, int CX, int CY, const std::vector<TPoint>& Earlier) {
  std::uniform_int_distribution<int> Pick(0, 9), Off(-90, 90);
  switch (Pick(Rng)) {
    case 0: return TPoint{CX + Off(Rng), CY};
    case 1: return TPoint{CX, CY + Off(Rng)};
    case 2:
      if (!Earlier.empty()) return Earlier.back();  // equal direction: a whole ellipse
      break;
    case 3:
      if (!Earlier.empty()) return TPoint{2 * CX - Earlier.back().X, 2 * CY - Earlier.back().Y};  // opposite
      break;
    default:
      break;
  }
  return TPoint{CX + Off(Rng), CY + Off(Rng)};
}

TEST(MeterArcShape, RingSectorsMatchPiesHollowedByADisc) {
  std::mt19937 Rng(20261210);
  std::uniform_int_distribution<int> Centre(20, 100), Radius(3, 70), Count(1, 3);
  TBitmap Blank(120, 110);
  int Painted = 0;
  for (int Case = 0; Case < 300; ++Case) {
    const int CX = Centre(Rng), CY = Centre(Rng), Ro = Radius(Rng);
    const int Ri = std::uniform_int_distribution<int>(0, Ro)(Rng);
    std::vector<TRingSector> Sectors;
    std::vector<TPoint> Rays;
    for (int K = Count(Rng); K > 0; --K) {
      const TPoint From = RandomRay(Rng, CX, CY, Rays);
      Rays.push_back(From);
      const TPoint To = RandomRay(Rng, CX, CY, Rays);
      Rays.push_back(To);
      Sectors.push_back({Rng() % 5 != 0, From, To, kColors[Sectors.size()]});
    }
    // The bitmap cuts some shapes, and a clip cuts it.
    TBitmap Ref(120, 110), Fast(120, 110);
    const TRect Clip{Case % 7, Case % 5, 120 - Case % 11, 110 - Case % 3};
    TCanvas* C = Ref.Canvas();
    C->SetClipRect(Clip);
    for (const TRingSector& S : Sectors) {
      if (!S.Draw) continue;
      C->Pen()->SetColor(S.Color);
      C->Brush()->SetColor(S.Color);
      C->Pie(CX - Ro, CY - Ro, CX + Ro + 1, CY + Ro, S.From.X, S.From.Y, S.To.X, S.To.Y);
    }
    C->Pen()->SetColor(kBack);
    C->Brush()->SetColor(kBack);
    C->Ellipse(CX - Ri, CY - Ri, CX + Ri + 1, CY + Ri);
    FillRingSectors(&Fast, Clip, CX, CY, Ro, Ri, Sectors);
    ASSERT_EQ(CountDifferences(Ref, Fast), 0) << "case " << Case << ": centre " << CX << "," << CY << " Ro " << Ro
                                               << " Ri " << Ri;
    Painted += CountDifferences(Ref, Blank) > 0;
  }
  EXPECT_GT(Painted, 150) << "most cases draw something";
}

TEST(MeterArcShape, ArcOutlineMatchesTheCanvasArc) {
  std::mt19937 Rng(7);
  std::uniform_int_distribution<int> Corner(-20, 80), Size(1, 90);
  TBitmap Blank(100, 100);
  int Painted = 0;
  for (int Case = 0; Case < 300; ++Case) {
    const int X1 = Corner(Rng), Y1 = Corner(Rng), X2 = X1 + Size(Rng), Y2 = Y1 + Size(Rng);
    const int CX = (X1 + X2) / 2, CY = (Y1 + Y2) / 2;
    std::vector<TPoint> Rays;
    Rays.push_back(RandomRay(Rng, CX, CY, Rays));
    Rays.push_back(RandomRay(Rng, CX, CY, Rays));
    TBitmap Ref(100, 100), Fast(100, 100);
    const TRect Clip{Case % 9, 0, 100, 100 - Case % 13};
    Ref.Canvas()->SetClipRect(Clip);
    Ref.Canvas()->Pen()->SetColor(0x800000);
    Ref.Canvas()->Arc(X1, Y1, X2, Y2, Rays[0].X, Rays[0].Y, Rays[1].X, Rays[1].Y);
    DrawArcOutline(&Fast, Clip, X1, Y1, X2, Y2, Rays[0].X, Rays[0].Y, Rays[1].X, Rays[1].Y, 0x800000);
    ASSERT_EQ(CountDifferences(Ref, Fast), 0) << "case " << Case << ": box " << X1 << "," << Y1 << " " << X2 << ","
                                               << Y2;
    Painted += CountDifferences(Ref, Blank) > 0;
  }
  EXPECT_GT(Painted, 150) << "most cases draw something";
}

}  // namespace
}  // namespace orv
