#include "rtlmath.h"

#include <cmath>

#include "exceptions.h"

namespace orv {

namespace {

constexpr double kResolution = 1E-12;

// The 64-bit range as reals: -2^63 is exact, 2^63 is the first value beyond it.
constexpr long double kLowest = -0x1p63L;
constexpr long double kBeyond = 0x1p63L;

long long CheckedInteger(long double R) {
  if (!(R >= kLowest && R < kBeyond)) throw EArgumentOutOfRangeException(u"Argument out of range");
  return static_cast<long long>(R);
}

}  // namespace

long long Round(long double X) {
  // Independent of the floating-point rounding mode: round halves away, then
  // step back to the even neighbour when X was exactly halfway.
  long double R = std::round(X);
  if (std::fabs(X - std::trunc(X)) == 0.5L && std::fmod(R, 2.0L) != 0) R -= X < 0 ? -1 : 1;
  return CheckedInteger(R);
}

long long Trunc(long double X) { return CheckedInteger(std::trunc(X)); }
long long Floor(long double X) { return CheckedInteger(std::floor(X)); }
long long Ceil(long double X) { return CheckedInteger(std::ceil(X)); }
long double Int(long double X) { return std::trunc(X); }
long double Frac(long double X) { return X - std::trunc(X); }

long double IntPower(long double Base, int Exponent) {
  // The magnitude as unsigned, so that the most negative exponent is safe.
  unsigned N = Exponent < 0 ? 0U - static_cast<unsigned>(Exponent) : static_cast<unsigned>(Exponent);
  long double Result = 1;
  long double Square = Base;
  while (N != 0) {
    if (N & 1U) Result *= Square;
    N >>= 1;
    if (N != 0) Square *= Square;
  }
  return Exponent < 0 ? 1 / Result : Result;
}

long double Power(long double Base, long double Exponent) { return std::pow(Base, Exponent); }

int MulDiv(int A, int B, int C) {
  if (C == 0) return -1;
  const long long Product = static_cast<long long>(A) * B;
  long long Q = Product / C;
  const long long R = Product % C;
  const long long AbsR = R < 0 ? -R : R;
  const long long AbsC = C < 0 ? -static_cast<long long>(C) : C;
  if (2 * AbsR >= AbsC) Q += (Product < 0) != (C < 0) ? -1 : 1;
  if (Q < -2147483648LL || Q > 2147483647LL) return -1;
  return static_cast<int>(Q);
}

int Sign(int X) { return X > 0 ? 1 : (X < 0 ? -1 : 0); }
int Sign(long long X) { return X > 0 ? 1 : (X < 0 ? -1 : 0); }
int Sign(double X) { return X > 0 ? 1 : (X < 0 ? -1 : 0); }
int Sign(long double X) { return X > 0 ? 1 : (X < 0 ? -1 : 0); }

bool SameValue(double A, double B, double Epsilon) {
  if (Epsilon == 0) Epsilon = std::fmax(std::fmin(std::fabs(A), std::fabs(B)) * kResolution, kResolution);
  return A > B ? (A - B) <= Epsilon : (B - A) <= Epsilon;
}

bool IsZero(double A, double Epsilon) { return std::fabs(A) <= (Epsilon == 0 ? kResolution : Epsilon); }

}  // namespace orv
