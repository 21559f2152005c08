#include <algorithm>

#include "sysutils.h"

namespace orv {

TFormatSettings FormatSettings;

namespace {

// Latin-1 letters: U+00C0..U+00DE map to U+00E0..U+00FE, except U+00D7 and U+00F7 (signs).
bool IsUpperLatin1(Char C) { return C >= 0xC0 && C <= 0xDE && C != 0xD7; }
bool IsLowerLatin1(Char C) { return C >= 0xE0 && C <= 0xFE && C != 0xF7; }

}  // namespace

Char UpCase(Char C) {
  if ((C >= u'a' && C <= u'z') || IsLowerLatin1(C)) return static_cast<Char>(C - 32);
  return C;
}

Char LoCase(Char C) {
  if ((C >= u'A' && C <= u'Z') || IsUpperLatin1(C)) return static_cast<Char>(C + 32);
  return C;
}

String UpperCase(std::u16string_view S) {
  String R(S);
  std::transform(R.begin(), R.end(), R.begin(), UpCase);
  return R;
}

String LowerCase(std::u16string_view S) {
  String R(S);
  std::transform(R.begin(), R.end(), R.begin(), LoCase);
  return R;
}

int CompareText(std::u16string_view A, std::u16string_view B) {
  const size_t N = std::min(A.size(), B.size());
  for (size_t I = 0; I < N; ++I) {
    const Char X = UpCase(A[I]);
    const Char Y = UpCase(B[I]);
    if (X != Y) return X < Y ? -1 : 1;
  }
  if (A.size() == B.size()) return 0;
  return A.size() < B.size() ? -1 : 1;
}

bool SameText(std::u16string_view A, std::u16string_view B) {
  return A.size() == B.size() && CompareText(A, B) == 0;
}

String TrimLeft(std::u16string_view S) {
  size_t I = 0;
  while (I < S.size() && S[I] <= u' ') ++I;
  return String(S.substr(I));
}

String TrimRight(std::u16string_view S) {
  size_t N = S.size();
  while (N > 0 && S[N - 1] <= u' ') --N;
  return String(S.substr(0, N));
}

String Trim(std::u16string_view S) { return TrimLeft(TrimRight(S)); }

int Pos(std::u16string_view Sub, std::u16string_view S) { return PosEx(Sub, S, 1); }

int PosEx(std::u16string_view Sub, std::u16string_view S, int Offset) {
  if (Sub.empty() || Offset < 1 || static_cast<size_t>(Offset) > S.size()) return 0;
  const size_t Found = S.find(Sub, static_cast<size_t>(Offset - 1));
  return Found == std::u16string_view::npos ? 0 : static_cast<int>(Found) + 1;
}

String Copy(std::u16string_view S, int Index, int Count) {
  if (Index < 1) Index = 1;
  if (Count <= 0 || static_cast<size_t>(Index) > S.size()) return String();
  return String(S.substr(static_cast<size_t>(Index - 1), static_cast<size_t>(Count)));
}

String StringOfChar(Char C, int Count) { return Count > 0 ? String(static_cast<size_t>(Count), C) : String(); }

String IntToStr(long long Value) {
  Char Buf[24];
  Char* End = Buf + 24;
  Char* P = End;
  // Work on the unsigned magnitude so that the most negative value is safe.
  unsigned long long Mag = Value < 0 ? 0ULL - static_cast<unsigned long long>(Value) : Value;
  do {
    *--P = static_cast<Char>(u'0' + Mag % 10);
    Mag /= 10;
  } while (Mag != 0);
  if (Value < 0) *--P = u'-';
  return String(P, End);
}

String IntToHex(unsigned long long Value, int Digits) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  String R;
  do {
    R.insert(R.begin(), kHex[Value & 15]);
    Value >>= 4;
  } while (Value != 0);
  if (static_cast<int>(R.size()) < Digits) R.insert(0, static_cast<size_t>(Digits) - R.size(), u'0');
  return R;
}

}  // namespace orv
