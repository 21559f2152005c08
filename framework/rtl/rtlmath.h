#pragma once
// Rounding, integer scaling and small numeric helpers of the run-time library.

namespace orv {

// Nearest integer, halves to even: Round(2.5) = 2, Round(3.5) = 4, Round(-2.5) = -2.
// NaN, infinities and results outside the 64-bit range raise
// EArgumentOutOfRangeException "Argument out of range".
long long Round(long double X);
// Integer part toward zero; the same range check as Round.
long long Trunc(long double X);
// Largest integer <= X and smallest integer >= X; the same range check as Round.
long long Floor(long double X);
long long Ceil(long double X);
// Integer part toward zero as a real (no range limit): Int(-2.7) = -2.
long double Int(long double X);
// X - Int(X): keeps the sign of X.
long double Frac(long double X);

// Base raised to an integer power by repeated squaring; a negative exponent
// gives 1 / Base^-Exponent.
long double IntPower(long double Base, int Exponent);
long double Power(long double Base, long double Exponent);

// A * B / C with a 64-bit intermediate product, rounded to the nearest integer
// with halves away from zero. -1 when C is 0 or the result does not fit an int.
int MulDiv(int A, int B, int C);

// -1, 0 or 1.
int Sign(int X);
int Sign(long long X);
int Sign(double X);
int Sign(long double X);

template <typename T>
constexpr T Min(T A, T B) {
  return B < A ? B : A;
}
template <typename T>
constexpr T Max(T A, T B) {
  return A < B ? B : A;
}
template <typename T>
constexpr bool InRange(T Value, T AMin, T AMax) {
  return !(Value < AMin) && !(AMax < Value);
}
// Value clamped to AMin..AMax (AMin wins should the bounds be crossed).
template <typename T>
constexpr T EnsureRange(T Value, T AMin, T AMax) {
  if (AMax < Value) Value = AMax;
  if (Value < AMin) Value = AMin;
  return Value;
}

// Equal within Epsilon; Epsilon 0 means 1E-12 times the smaller magnitude, but at least 1E-12.
bool SameValue(double A, double B, double Epsilon = 0);
// |A| <= Epsilon, with 1E-12 for Epsilon 0.
bool IsZero(double A, double Epsilon = 0);

}  // namespace orv
