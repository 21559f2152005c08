// Scale geometry, value mapping, tick computation and label text.

#include "meter/meterscale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "foundation/mathfuncs.h"
#include "framework/rtl/rtlmath.h"
#include "framework/rtl/unicode.h"

namespace orv {

namespace {

// Bounds on the tick loops. A sane scale has a few dozen ticks; these only
// stop a range whose step vanishes against its magnitude from looping on.
constexpr int kMaxTicks = 10000;
constexpr int kMaxDecades = 800;

constexpr double kLogSlack = 0.999999999;

// Tick values closer than this fraction of a step to a major tick are taken
// as lying on it.
constexpr double kOnMajor = 1e-5;

}  // namespace

TMeterGeometry MeterGeometry(TMeterLayout Layout, int W, int H, int RimTop, int RimBottom, int RimSide) {
  TMeterGeometry G;
  G.Angle = 90;
  G.Radius = H - RimBottom - RimTop - 16;
  G.CenterX = W / 2;
  G.CenterY = H - RimBottom - 8;
  const double HalfWidthRoom = W / 2.0 - RimSide - 8;
  const double HeightRoom = H - RimTop - RimBottom - 16;
  switch (Layout) {
    case mlCirc90:
      break;
    case mlCirc120: {
      G.Angle = 120;
      const double Rw = HalfWidthRoom * 1.1547;  // 1 / sin 60
      if (Rw < G.Radius) G.Radius = Rw;
      break;
    }
    case mlCirc180:
      // Both ends of the arc lie level with the pivot, a radius to each side.
      G.Angle = 180;
      if (HalfWidthRoom < G.Radius) G.Radius = HalfWidthRoom;
      break;
    case mlCirc270:
    case mlCirc300:
    case mlCirc360: {
      // The arc spans 1 + cos(90 - A/2) radii downwards from its top: 1.7071
      // for 270 degrees, 1.866 (1 + cos 30) for 300, 2 for the full circle.
      G.Angle = Layout == mlCirc270 ? 270 : Layout == mlCirc300 ? 300 : 360;
      const double Span = Layout == mlCirc270 ? 1.7071 : Layout == mlCirc300 ? 1.866 : 2.0;
      G.Radius = (W / 2) - RimSide - 8;
      const double Rh = HeightRoom / Span;
      if (Rh < G.Radius) G.Radius = Rh;
      G.CenterY = static_cast<int>(Round(RimTop + 8 + G.Radius));
      break;
    }
  }
  return G;
}

// --- Value mapping -------------------------------------------------------------

double TMeterScale::Fraction(double V) const {
  if (LogActive() && V > 0) {
    const double Span = std::log(Max) - std::log(Min);
    return Span == 0 ? 0 : (std::log(V) - std::log(Min)) / Span;
  }
  const double Span = Max - Min;
  return Span == 0 || !std::isfinite(Span) ? 0 : (V - Min) / Span;
}

double TMeterScale::Phi(double V) const { return 90 + Angle / 2.0 - Angle * Fraction(V); }

double TMeterScale::Clamp(double V) const {
  if (V > Max) return Max;
  if (V >= Min) return V;
  return Min;
}

// --- Ticks ---------------------------------------------------------------------

TTickStep MeterTickStep(double Start, double End, int N) {
  TTickStep T;
  if (Start == End) {
    T.First = Start;
    return T;
  }
  const double D = Start >= End ? -1 : 1;
  const double Span = std::fabs(End - Start);
  if (N == 0) {
    T.Step = 1;
    T.MinorCount = Span > 10 ? 1 : 5;
  } else {
    // g = log10 of the raw interval; Int(g) becomes its floor and h its
    // fraction in [0, 1), with values a hair off an integer taken as it.
    double G = std::log10(Span / N);
    double H = G - static_cast<double>(Int(G));
    if (std::fabs(H) < 1e-10 || std::fabs(H) > 0.9999999999) {
      G = static_cast<double>(Round(G));
      H = 0;
    }
    if (G < 0 && H != 0) G -= 1;
    if (H < 0) H += 1;
    double Mantissa = 5;
    T.MinorCount = 5;
    if (H < std::log10(2.0) + 1e-10) {
      Mantissa = 1;
    } else if (H < std::log10(5.0) + 1e-10) {
      Mantissa = 2;
      T.MinorCount = 4;
    }
    T.Step = D * Mantissa * std::pow(10.0, static_cast<double>(Int(G)));
  }
  // The first multiple of the step at or above the start, within a
  // thousandth of a step.
  double F = (static_cast<double>(Int(Start / T.Step)) - 1) * T.Step;
  const double Tolerance = 0.001 * std::fabs(T.Step);
  for (int I = 0; I < kMaxTicks && D * (Start - F) > Tolerance; ++I) F += T.Step;
  T.First = F;
  return T;
}

namespace {

void LinearMajorTicks(const TMeterScale& S, const TTickStep& T, TMeterTicks& Out) {
  if (T.Step == 0) {
    Out.Major.push_back({T.First, true});
    return;
  }
  const double Limit = S.Max + 0.001 * T.Step;
  for (int K = 0; K < kMaxTicks; ++K) {
    const double V = T.First + K * T.Step;
    if (!(V <= Limit)) break;
    Out.Major.push_back({V, true});
  }
}

void LogMajorTicks(const TMeterScale& S, TMeterTicks& Out) {
  const double B = std::pow(10.0, IntNeg(std::log10(kLogSlack * S.Min)));
  double K = 1;
  for (int Decade = 0; Decade < kMaxDecades; ++Decade) {
    for (int U = 1; U <= 9; ++U) {
      const double V = U * B * K;
      if (V / kLogSlack > S.Min && U * kLogSlack * B * K < S.Max)
        Out.Major.push_back({V, U == 1 || U == 2 || U == 5});
    }
    K *= 10;
    if (kLogSlack * B * K > S.Max) break;
  }
}

void MinorTicks(const TMeterScale& S, const TTickStep& T, TMeterTicks& Out) {
  if (T.Step == 0) return;
  const double E = T.Step / T.MinorCount;
  const double Start = T.First - T.Step;
  const double Limit = S.Max + 0.001 * E;
  for (int K = 0; K < kMaxTicks; ++K) {
    const double V = Start + K * E;
    if (!(V <= Limit)) break;
    const double InSteps = (V - T.First) / T.Step;
    if (std::fabs(InSteps - std::nearbyint(InSteps)) <= kOnMajor || V < S.Min) continue;
    Out.Minor.push_back(V);
  }
}

}  // namespace

TMeterTicks MeterTicks(const TMeterScale& Scale, int NrTicks, bool WithMinor) {
  TMeterTicks Out;
  if (!std::isfinite(Scale.Min) || !std::isfinite(Scale.Max)) return Out;
  const TTickStep T = MeterTickStep(Scale.Min, Scale.Max, NrTicks);
  if (Scale.LogActive() && std::fabs(std::log10(Scale.Max / Scale.Min)) >= 1)
    LogMajorTicks(Scale, Out);
  else
    LinearMajorTicks(Scale, T, Out);
  if (WithMinor) MinorTicks(Scale, T, Out);
  return Out;
}

String MeterLabelText(double V, int Decimals) {
  const int Size = std::snprintf(nullptr, 0, "%.*f", Decimals, V);
  std::string S(static_cast<size_t>(std::max(Size, 0)), '\0');
  std::snprintf(S.data(), S.size() + 1, "%.*f", Decimals, V);
  // A tick a rounding error below zero reads "0.0", not "-0.0".
  if (!S.empty() && S[0] == '-' && S.find_first_not_of("-0.") == std::string::npos) S.erase(0, 1);
  return FromUtf8(S);
}

}  // namespace orv
