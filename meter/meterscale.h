#pragma once
// The value side of the meter, kept apart from any drawing: where the scale
// arc lies in the control, how values map to angles and back, which values
// get ticks and labels, and the label text.
//
// Angles: a scale angle phi is in degrees counter-clockwise from the positive
// x axis, so the point at phi and distance r is (CX + r cos phi,
// CY - r sin phi). A sweep of A degrees puts the minimum at 90 + A/2 and the
// maximum at 90 - A/2, symmetric about the vertical through the pivot.
//
// Every routine here stays finite and terminates for any range, including a
// range of zero width (minimum = maximum) and one given the wrong way round,
// which the form reader can store.

#include <cstdint>
#include <vector>

#include "framework/rtl/types.h"

namespace orv {

enum TMeterLayout : uint8_t { mlCirc90, mlCirc120, mlCirc180, mlCirc270, mlCirc300, mlCirc360 };

// Sweep, radius and pivot of the scale arc for a control of W x H pixels.
struct TMeterGeometry {
  int Angle = 90;
  double Radius = 0;
  int CenterX = 0;
  int CenterY = 0;
};

// mlCirc90, mlCirc120 and mlCirc180 keep the pivot 8 pixels above the bottom
// rim; the 90 degree arc is bounded by the height, the 120 and 180 degree
// arcs by the height or the width, whichever is tighter. mlCirc270,
// mlCirc300 and mlCirc360 hang the arc 8 pixels below the top rim with the
// pivot inside the window: the radius is bounded by the width and by the
// height the arc spans below its top (1 + cos(90 - A/2) radii, 2 radii for
// the full circle).
TMeterGeometry MeterGeometry(TMeterLayout Layout, int W, int H, int RimTop, int RimBottom, int RimSide);

// The value range of a scale and its mapping to angles.
struct TMeterScale {
  double Min = 0;
  double Max = 1;
  bool Logarithmic = false;
  int Angle = 90;

  // True when the logarithmic mapping applies: set, and both ends above 0.
  bool LogActive() const { return Logarithmic && Min > 0 && Max > 0; }
  // Position of V along the scale, 0 at the minimum and 1 at the maximum
  // (not clamped). Logarithmic only for V > 0 on a logarithmic scale; 0 for
  // a range of zero width.
  double Fraction(double V) const;
  // Scale angle of V: 90 + A/2 - A * Fraction(V).
  double Phi(double V) const;
  // V clamped into [Min, Max]; NaN and values below Min give Min.
  double Clamp(double V) const;
};

// Major step, first major tick and number of minor intervals per step for a
// scale from Start to End split into about N intervals. Start = End gives
// the step 0 with the first tick at Start.
struct TTickStep {
  double First = 0;
  double Step = 0;
  int MinorCount = 1;
};
TTickStep MeterTickStep(double Start, double End, int N);

// Tick values of a scale: major ticks (each with or without a label) and
// minor ticks, in drawing order. A range of zero width gets one major tick.
struct TMeterTick {
  double Value;
  bool Labelled;
};
struct TMeterTicks {
  std::vector<TMeterTick> Major;
  std::vector<double> Minor;
};
TMeterTicks MeterTicks(const TMeterScale& Scale, int NrTicks, bool WithMinor);

// Fixed-point text of V with Decimals decimals and a point as separator,
// whatever the locale: 0.5 -> "0.5", -2 with 2 decimals -> "-2.00". A value
// that rounds to zero has no minus sign.
String MeterLabelText(double V, int Decimals);

}  // namespace orv
