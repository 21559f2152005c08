#include "ntabed/ntabed_clip.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "numio/numformat.h"

namespace orv {

namespace {

// Copies ASCII characters onto the end of a UTF-16 text.
void AppendAscii(String& Out, const char* First, const char* Last) {
  for (; First != Last; ++First) Out.push_back(static_cast<Char>(*First));
}

// A zero, negative or not, or a non-finite value goes the general way, so
// the sign of a zero and the texts of infinities stay the formatter's.
bool Plain(double Value) { return std::isfinite(Value) && Value != 0; }

}  // namespace

namespace {

// Exact powers of ten in long double (64-bit mantissa): 10^0 .. 10^27.
struct TPowers {
  long double P[28];
  constexpr TPowers() : P{} {
    long double V = 1;
    for (long double& X : P) {
      X = V;
      V *= 10;
    }
  }
};
constexpr TPowers kPow10{};

// The 14 significant digits of |Value| and its decimal exponent, correctly
// rounded: one scaling by an exact power of ten in long double leaves an
// error far below 10^-4 of the last digit, so the rounding is certain unless
// the rest lies that close to a half; then (and for magnitudes the powers do
// not reach) this gives up and the caller takes the exact way.
bool Digits14(double Value, unsigned long long& Digits, int& Exp10) {
  const double A = std::fabs(Value);
  if (!(A >= 1e-14 && A < 1e40)) return false;
  int K = static_cast<int>(std::floor(std::log10(A)));
  for (int Try = 0; Try < 2; ++Try) {
    const int N = 13 - K;
    if (N > 27 || N < -27) return false;
    const long double Y = N >= 0 ? static_cast<long double>(A) * kPow10.P[N] : static_cast<long double>(A) / kPow10.P[-N];
    if (Y < 1e13L) {
      --K;
      continue;
    }
    if (Y >= 1e14L) {
      ++K;
      continue;
    }
    const long double Whole = std::floor(Y);
    const long double Rest = Y - Whole;
    if (std::fabs(Rest - 0.5L) < 1e-4L) return false;
    Digits = static_cast<unsigned long long>(Whole) + (Rest > 0.5L ? 1 : 0);
    if (Digits == 100000000000000ULL) {
      Digits = 10000000000000ULL;
      ++K;
    }
    Exp10 = K;
    return true;
  }
  return false;
}

}  // namespace

// The formatter's exponent text for 14 significant digits and a four-digit
// exponent ("-1.2345678901234E-0005"), built without it where that is safe.
void NTabAppendFullPrec(String& Out, double Value) {
  unsigned long long D = 0;
  int K = 0;
  if (!Plain(Value) || !Digits14(Value, D, K)) {
    char Buf[40];
    const auto Res = Plain(Value)
                         ? std::to_chars(Buf, Buf + sizeof Buf, Value, std::chars_format::scientific, 13)
                         : std::to_chars_result{Buf, std::errc::value_too_large};
    if (Res.ec != std::errc()) {
      Out += FormatRealText(22, -1, Value);
      return;
    }
    // Buf holds [-]d.ddddddddddddde(+|-)XX[X].
    const char* P = Buf;
    Out.push_back(*P == '-' ? u'-' : u' ');
    if (*P == '-') ++P;
    const char* E = std::find(P, static_cast<const char*>(Res.ptr), 'e');
    AppendAscii(Out, P, E);
    Out.push_back(u'E');
    Out.push_back(static_cast<Char>(E[1]));
    for (long Z = Res.ptr - (E + 2); Z < 4; ++Z) Out.push_back(u'0');
    AppendAscii(Out, E + 2, Res.ptr);
    return;
  }
  Char T[22];
  T[0] = Value < 0 ? u'-' : u' ';
  for (int I = 15; I >= 3; --I) {
    T[I] = static_cast<Char>(u'0' + D % 10);
    D /= 10;
  }
  T[2] = u'.';
  T[1] = static_cast<Char>(u'0' + D);
  T[16] = u'E';
  T[17] = K < 0 ? u'-' : u'+';
  unsigned E = static_cast<unsigned>(K < 0 ? -K : K);
  for (int I = 21; I >= 18; --I) {
    T[I] = static_cast<Char>(u'0' + E % 10);
    E /= 10;
  }
  Out.append(T, 22);
}

void NTabAppendFixed(String& Out, double Value, int Decimals) {
  char Buf[400];
  if (Plain(Value) && Decimals >= 0 && Decimals <= 20 && std::fabs(Value) < 1e300) {
    const auto Res = std::to_chars(Buf, Buf + sizeof Buf, Value, std::chars_format::fixed, Decimals);
    // A negative value that rounds to zero keeps the formatter's own text.
    if (Res.ec == std::errc() && !(Buf[0] == '-' && std::all_of(Buf + 1, Res.ptr, [](char C) { return C == '0' || C == '.'; }))) {
      AppendAscii(Out, Buf, Res.ptr);
      return;
    }
  }
  Out += FormatRealText(1, Decimals, Value);
}

void NTabCopyText(String& Text, const TDataTable& Table, const std::vector<int8_t>& Precision, int L, int T, int R,
                  int B, bool FullPrec) {
  Text.clear();
  if (R >= L && B >= T) Text.reserve(static_cast<size_t>(R - L + 1) * static_cast<size_t>(B - T + 1) * 24);
  for (int Row = T; Row <= B; ++Row) {
    for (int Col = L; Col <= R; ++Col) {
      Text.push_back(Col == L ? u' ' : u'\t');
      if (Table.GetCellState(Col, Row) & (dtsNotANumber | dtsEmpty)) {
        Text += u"####";
      } else if (FullPrec) {
        NTabAppendFullPrec(Text, Table.GetElem(Col, Row));
      } else {
        const int D = Col >= 1 && Col <= static_cast<int>(Precision.size()) ? Precision[static_cast<size_t>(Col - 1)] : 0;
        NTabAppendFixed(Text, Table.GetElem(Col, Row), D);
      }
    }
    Text += u"\r\n";
  }
}

namespace {

// Narrows UTF-16 to bytes for the number reader: ASCII stays as it is,
// anything else becomes a byte no number is made of (0x80-0xFF or 0).
void NarrowForNumber(const Char* Src, size_t Count, char* Dst) {
  size_t I = 0;
#ifdef __SSE2__
  // Unsigned saturation keeps 0-0xFF, turns 0x100-0x7FFF into 0xFF and,
  // reading the lanes as signed, 0x8000-0xFFFF into 0.
  for (; I + 16 <= Count; I += 16) {
    const __m128i Lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Src + I));
    const __m128i Hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Src + I + 8));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst + I), _mm_packus_epi16(Lo, Hi));
  }
#endif
  for (; I < Count; ++I) Dst[I] = static_cast<char>(Src[I] < 128 ? Src[I] : 0);
}

}  // namespace

bool detail::QuickNumber(std::u16string_view Text, bool CommaIsBlank, int& Pos, double& Value) {
  // from_chars reads a narrowed window of the text and finds the number's
  // end itself.
  constexpr size_t kMax = 48;
  const size_t Start = static_cast<size_t>(Pos - 1);
  const size_t Room = std::min(kMax, Text.size() - Start);
  char Buf[kMax];
  NarrowForNumber(Text.data() + Start, Room, Buf);
  // A digit or "." first, after an optional "-": so from_chars takes
  // neither a "+" nor "inf" or "nan", which the scanner reads its own way.
  const size_t Lead = Room > 0 && Buf[0] == '-' ? 1 : 0;
  if (Room <= Lead || !(Buf[Lead] == '.' || (Buf[Lead] >= '0' && Buf[Lead] <= '9'))) return false;
  double V = 0;
  const auto Res = std::from_chars(Buf, Buf + Room, V, std::chars_format::general);
  if (Res.ec != std::errc()) return false;
  const size_t Used = static_cast<size_t>(Res.ptr - Buf);
  if (Start + Used < Text.size()) {
    // The number must end at a separator, not at the window's edge.
    if (Used == Room) return false;
    const Char C = Text[Start + Used];
    if (!(C == u' ' || C == u'\t' || C == u'\r' || C == u'\n' || (CommaIsBlank && C == u','))) return false;
  }
  Value = V;
  Pos = static_cast<int>(Start + Used) + 1;
  return true;
}

bool NTabClipMatrixSize(std::u16string_view Text, int& NCols, int& NRows) {
  NCols = 1;
  NRows = 1;
  return NTabWalkClipText(
      Text, false, [](int, int, double) {},
      [&](int Count) {
        NCols = std::max(NCols, Count);
        ++NRows;
      });
}

}  // namespace orv
