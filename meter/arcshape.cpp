// Ellipse rows, sector test, band ring and arc outline.

#include "meter/arcshape.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "framework/graphics/colors.h"

namespace orv {

namespace {

constexpr double kFullTurn = 2 * std::numbers::pi;

double NormalizeAngle(double A) {
  A = std::fmod(A, kFullTurn);
  if (A < 0) A += kFullTurn;
  return A;
}

}  // namespace

TEllipseRows::TEllipseRows(int X1, int Y1, int X2, int Y2) : FBox{X1, Y1, X2, Y2} {
  if (X1 > X2) std::swap(X1, X2);
  if (Y1 > Y2) std::swap(Y1, Y2);
  Top = Y1;
  const int W = X2 - X1, H = Y2 - Y1;
  if (W == 0 || H == 0) return;
  Lefts.resize(static_cast<size_t>(H));
  Rights.resize(static_cast<size_t>(H));
  // Pixel centres inside the ellipse; every row keeps its middle pixel(s);
  // the lower half mirrors the upper one.
  const double A = W / 2.0, B = H / 2.0;
  for (int K = 0; K < (H + 1) / 2; ++K) {
    const double DY = (K + 0.5) - B;
    const double Q = 1.0 - (DY * DY) / (B * B);
    const double HalfW = A * std::sqrt(std::max(Q, 0.0));
    const int O = std::clamp(static_cast<int>(std::ceil(A - HalfW - 0.5 - 1e-9)), 0, (W - 1) / 2);
    Lefts[static_cast<size_t>(K)] = Lefts[static_cast<size_t>(H - 1 - K)] = X1 + O;
    Rights[static_cast<size_t>(K)] = Rights[static_cast<size_t>(H - 1 - K)] = X2 - 1 - O;
  }
}

TArcSector::TArcSector(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  if (X1 > X2) std::swap(X1, X2);
  if (Y1 > Y2) std::swap(Y1, Y2);
  FCX = (X1 + X2 - 1) / 2.0;
  FCY = (Y1 + Y2 - 1) / 2.0;
  FU0X = X3 - FCX;
  FU0Y = FCY - Y3;
  FU1X = X4 - FCX;
  FU1Y = FCY - Y4;
  FA0 = NormalizeAngle(std::atan2(FU0Y, FU0X));
  FSweep = NormalizeAngle(std::atan2(FU1Y, FU1X) - FA0);
  if (FSweep == 0) FSweep = kFullTurn;
  FFull = FSweep >= kFullTurn;
  FTurn = FU0X * FU1Y - FU0Y * FU1X;
}

bool TArcSector::ContainsByAngle(double PX, double PY) const {
  return NormalizeAngle(std::atan2(PY, PX) - FA0) <= FSweep + 1e-12;
}

bool TArcSector::Contains(int X, int Y) const {
  if (FFull) return true;
  const double PX = X - FCX, PY = FCY - Y;
  if (PX == 0 && PY == 0) return true;
  // Coordinates are multiples of 1/2, so these products are exact: a sign
  // is certain unless it is 0, where the angle test decides as the canvas does.
  const double C0 = FU0X * PY - FU0Y * PX;  // > 0: counter-clockwise of the start radial
  const double C1 = PX * FU1Y - PY * FU1X;  // > 0: clockwise of the end radial
  if (C0 == 0 || C1 == 0) return ContainsByAngle(PX, PY);
  if (FTurn > 0) return C0 > 0 && C1 > 0;    // sweep below half a turn
  if (FTurn < 0) return C0 > 0 || C1 > 0;    // above half a turn
  if (FU0X * FU1X + FU0Y * FU1Y < 0) return C0 > 0;  // exactly half a turn
  return ContainsByAngle(PX, PY);             // equal directions the angles see apart
}

template <typename TFill>
void TArcSector::ForEachRun(int Y, int From, int To, TFill&& Fill) const {
  if (From > To) return;
  if (FFull) {
    Fill(From, To);
    return;
  }
  // Pixels within one of a radial's crossing of the row are tested alone;
  // between them the answer cannot change.
  const double PY = FCY - Y;
  std::pair<int, int> Cuts[2];  // ranges of pixels to test one by one
  int N = 0;
  for (const auto& [UX, UY] : {std::pair{FU0X, FU0Y}, std::pair{FU1X, FU1Y}}) {
    if (UY == 0) {
      if (PY == 0) {  // the row runs along the radial: every pixel is a tie
        Cuts[N++] = {From, To};
      }
      continue;
    }
    const double Cross = FCX + PY * UX / UY;  // where the radial's line meets the row
    if (Cross < From - 2.0 || Cross > To + 2.0) continue;
    const int At = static_cast<int>(std::floor(Cross));
    Cuts[N++] = {At - 1, At + 2};
  }
  if (N == 2 && Cuts[1].first < Cuts[0].first) std::swap(Cuts[0], Cuts[1]);
  int X = From;
  auto Uniform = [&](int A, int B) {  // A..B share one answer
    if (A <= B && Contains(A, Y)) Fill(A, B);
  };
  auto Singles = [&](int A, int B) {
    for (int K = A; K <= B; ++K)
      if (Contains(K, Y)) Fill(K, K);
  };
  for (int I = 0; I < N; ++I) {
    const int A = std::max(Cuts[I].first, X), B = std::min(Cuts[I].second, To);
    if (A > B) continue;
    Uniform(X, A - 1);
    Singles(A, B);
    X = B + 1;
  }
  Uniform(X, To);
}

void FillRingSectors(TBitmap* Bmp, const TRect& Clip, int CX, int CY, int Ro, int Ri,
                     const std::vector<TRingSector>& Sectors) {
  FillRingSectors(Bmp, Clip, CX, CY, TEllipseRows(CX - Ro, CY - Ro, CX + Ro + 1, CY + Ro),
                  TEllipseRows(CX - Ri, CY - Ri, CX + Ri + 1, CY + Ri), Sectors);
}

void FillRingSectors(TBitmap* Bmp, const TRect& Clip, int CX, int CY, const TEllipseRows& Outer,
                     const TEllipseRows& Inner, const std::vector<TRingSector>& Sectors) {
  const int Ro = (Outer.Count() + 1) / 2;
  const int X1 = CX - Ro, Y1 = CY - Ro, X2 = CX + Ro + 1, Y2 = CY + Ro;
  struct TPart {
    TArcSector Sector;
    uint32_t Pixel;
  };
  std::vector<TPart> Parts;
  for (const TRingSector& S : Sectors)
    if (S.Draw) Parts.push_back({TArcSector(X1, Y1, X2, Y2, S.From.X, S.From.Y, S.To.X, S.To.Y), ColorToPixel(ColorToRGB(S.Color))});
  if (Parts.empty()) return;
  const TRect Area = IntersectRect(TRect{0, 0, Bmp->Width(), Bmp->Height()}, Clip);
  const int RowFrom = std::max(Outer.Top, Area.Top), RowTo = std::min(Outer.Top + Outer.Count(), Area.Bottom);
  for (int Y = RowFrom; Y < RowTo; ++Y) {
    const size_t I = static_cast<size_t>(Y - Outer.Top);
    const int L = std::max(Outer.Lefts[I], Area.Left), R = std::min(Outer.Rights[I], Area.Right - 1);
    int HoleL = R + 1, HoleR = R;  // the disc's pixels in this row
    if (Y >= Inner.Top && Y < Inner.Top + Inner.Count()) {
      HoleL = Inner.Lefts[static_cast<size_t>(Y - Inner.Top)];
      HoleR = Inner.Rights[static_cast<size_t>(Y - Inner.Top)];
    }
    uint32_t* Row = Bmp->ScanLine(Y);
    // Sectors in drawing order, each over the ones before it.
    auto Fill = [&](int From, int To) {
      for (const TPart& P : Parts)
        P.Sector.ForEachRun(Y, From, To, [&](int A, int B) { std::fill(Row + A, Row + B + 1, P.Pixel); });
    };
    Fill(L, std::min(R, HoleL - 1));
    Fill(std::max(L, HoleR + 1), R);
  }
}

void DrawArcOutline(TBitmap* Bmp, const TRect& Clip, int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4,
                    int Y4, TColor Color) {
  const TEllipseRows E(X1, Y1, X2, Y2);
  const TArcSector S(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  const TRect Area = IntersectRect(TRect{0, 0, Bmp->Width(), Bmp->Height()}, Clip);
  const uint32_t Pixel = ColorToPixel(ColorToRGB(Color));
  const int N = E.Count();
  auto L = [&](int I) { return I < 0 || I >= N ? 0 : E.Lefts[static_cast<size_t>(I)]; };
  auto R = [&](int I) { return I < 0 || I >= N ? -1 : E.Rights[static_cast<size_t>(I)]; };
  auto Plot = [&](int Y, int From, int To) {
    uint32_t* Row = Bmp->ScanLine(Y);
    for (int X = std::max(From, Area.Left); X <= std::min(To, Area.Right - 1); ++X)
      if (S.Contains(X, Y)) Row[X] = Pixel;
  };
  for (int I = std::max(0, Area.Top - E.Top); I < N && E.Top + I < Area.Bottom; ++I) {
    // The outline: pixels of the shape with a four-connected neighbour outside.
    const int Y = E.Top + I, SL = L(I), SR = R(I);
    int IL = std::max({SL + 1, L(I - 1), L(I + 1)}), IR = std::min({SR - 1, R(I - 1), R(I + 1)});
    if (I == 0 || I == N - 1 || IL > IR) {
      Plot(Y, SL, SR);
      continue;
    }
    Plot(Y, SL, IL - 1);
    Plot(Y, IR + 1, SR);
  }
}

}  // namespace orv
