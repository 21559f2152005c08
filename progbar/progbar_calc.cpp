// Progress bar arithmetic.

#include "progbar/progbar_calc.h"

#include <algorithm>
#include <cmath>

#include "framework/rtl/rtlmath.h"
#include "framework/rtl/sysutils.h"

namespace orv {

namespace {

constexpr int kLastIndex = kBarColorCount - 1;
// Significant digits of the exponent notations.
constexpr int kExpDigits = 4;

int Channel(TColor C, int Shift) { return static_cast<int>((C >> Shift) & 0xFF); }

// Round(1023 * Pos / Span) for Pos >= 0 and Span > 0, halves to even, in
// integers: the quotient of two such integers is never within rounding
// error of a half unless it is one, so this equals rounding the real quotient.
int IndexAt(int Pos, int Span) {
  const long long Num = static_cast<long long>(kLastIndex) * Pos;
  long long Q = Num / Span;
  const long long Twice = 2 * (Num % Span);
  if (Twice > Span || (Twice == Span && (Q & 1) != 0)) ++Q;
  return static_cast<int>(Q);
}

}  // namespace

TColor InterpolateColor(TColor A, TColor B, double X) {
  X = std::clamp(X, 0.0, 1.0);
  TColor Result = 0;
  for (int Shift = 0; Shift <= 16; Shift += 8) {
    const int CA = Channel(A, Shift), CB = Channel(B, Shift);
    Result |= static_cast<TColor>(Trunc((CB - CA) * X + CA)) << Shift;
  }
  return Result;
}

int BarLength(double Value, double Min, double Max, int Usable, int Limit) {
  const double Range = Max - Min;
  if (Range == 0) return 0;
  const double Len = Usable * ((Value - Min) / Range);
  if (std::isnan(Len)) return 0;
  const double L = static_cast<double>(Limit);
  return static_cast<int>(Round(std::clamp(Len, -L, L)));
}

int BarColorIndex(TColorMapping Mode, int Pos, int Len, int Usable) {
  int Index = 0;
  switch (Mode) {
    case cgmCover:
      Index = Usable > 0 ? IndexAt(Pos, Usable) : kLastIndex;
      break;
    case cgmStretch:
      Index = Len > 0 ? IndexAt(Pos, Len) : 0;
      break;
    case cgmMove:
      Index = Usable > 0 ? IndexAt(Pos, Usable) - IndexAt(Len - 1, Usable) + kLastIndex : kLastIndex;
      break;
  }
  return std::clamp(Index, 0, kLastIndex);
}

TBarColorWalk::TBarColorWalk(TColorMapping Mode, int Len, int Usable) {
  const int Span = Mode == cgmStretch ? Len : Usable;
  if (Span <= 0) {
    FFixed = true;
    FOffset = Mode == cgmStretch ? 0 : kLastIndex;
    return;
  }
  FSpan = Span;
  FStepQuot = kLastIndex / Span;
  FStepRem = kLastIndex % Span;
  if (Mode == cgmMove) FOffset = kLastIndex - IndexAt(std::max(Len - 1, 0), Usable);
}

String ProgBarValueText(double Value, int DecPlaces) {
  TFormatSettings Point = FormatSettings;
  Point.DecimalSeparator = u'.';
  if (DecPlaces >= 0) return FloatToStrF(Value, ffFixed, 18, std::min(DecPlaces, 10), Point);
  if (DecPlaces == -2) return FloatToStrF(Value, ffExponent, kExpDigits, 4, Point);
  String Text = FloatToStrF(Value, ffExponent, kExpDigits, 2, Point);
  const size_t E = Text.find(u'E');
  // Mantissa, "E", sign and two digits; a longer exponent does not fit.
  if (E != String::npos && Text.size() - E > 4) Text.assign(Text.size(), u'*');
  return Text;
}

}  // namespace orv
