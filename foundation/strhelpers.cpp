#include "foundation/strhelpers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "framework/rtl/sysutils.h"

namespace orv {

namespace {

constexpr int kMaxFieldLength = 255;

bool SameChar(Char A, Char B, bool IgnoreCase) { return A == B || (IgnoreCase && UpCase(A) == UpCase(B)); }

// 0-based index of Sub in S at or after From, or npos.
size_t Find(std::u16string_view Sub, std::u16string_view S, size_t From, bool IgnoreCase) {
  if (!IgnoreCase) return S.find(Sub, From);
  if (Sub.size() > S.size()) return std::u16string_view::npos;
  for (size_t I = From; I + Sub.size() <= S.size(); ++I) {
    size_t J = 0;
    while (J < Sub.size() && SameChar(S[I + J], Sub[J], true)) ++J;
    if (J == Sub.size()) return I;
  }
  return std::u16string_view::npos;
}

}  // namespace

int Tokenize(std::u16string_view Text, Char Delimiter, std::vector<String>& Tokens) {
  return Tokenize(Text, std::u16string_view(&Delimiter, 1), Tokens);
}

int Tokenize(std::u16string_view Text, std::u16string_view Delimiter, std::vector<String>& Tokens) {
  Tokens.clear();
  if (Text.empty()) return 0;
  if (Delimiter.empty()) {
    Tokens.emplace_back(Text);
    return 1;
  }
  size_t Begin = 0;
  for (;;) {
    const size_t At = Text.find(Delimiter, Begin);
    if (At == std::u16string_view::npos) break;
    Tokens.emplace_back(Text.substr(Begin, At - Begin));
    Begin = At + Delimiter.size();
  }
  Tokens.emplace_back(Text.substr(Begin));
  return static_cast<int>(Tokens.size());
}

int NumberedPos(std::u16string_view Sub, std::u16string_view S, int Start, int N, bool IgnoreCase) {
  if (Sub.empty() || N < 1) return 0;
  size_t From = Start > 1 ? static_cast<size_t>(Start) - 1 : 0;
  if (From >= S.size()) return 0;
  for (int Found = 0;;) {
    const size_t At = Find(Sub, S, From, IgnoreCase);
    if (At == std::u16string_view::npos) return 0;
    if (++Found == N) return static_cast<int>(At) + 1;
    From = At + Sub.size();
  }
}

String strff(double X, int Width, int Decimals) {
  Width = std::clamp(Width, 0, kMaxFieldLength);
  Decimals = std::clamp(Decimals, 0, kMaxFieldLength);
  String Digits;
  if (std::isnan(X)) {
    Digits = u"Nan";
  } else if (std::isinf(X)) {
    Digits = X > 0 ? u"+Inf" : u"-Inf";
  } else {
    // Largest finite double: 309 integer digits, a sign, a point and the decimals.
    char Buffer[320 + kMaxFieldLength];
    const auto Result = std::to_chars(Buffer, Buffer + sizeof Buffer, X, std::chars_format::fixed, Decimals);
    Digits.assign(Buffer, Result.ptr);
  }
  if (static_cast<int>(Digits.size()) < Width) Digits.insert(0, static_cast<size_t>(Width) - Digits.size(), u' ');
  return Digits;
}

String LeftString(std::u16string_view S, int N) {
  if (N < 1) return String();
  String R(S.substr(0, static_cast<size_t>(N)));
  R.resize(static_cast<size_t>(N), u' ');
  return R;
}

String StripLeadingChars(std::u16string_view S, Char C) { return StripLeadingChars(S, std::u16string_view(&C, 1)); }

String StripLeadingChars(std::u16string_view S, std::u16string_view Chars) {
  const size_t First = S.find_first_not_of(Chars);
  return First == std::u16string_view::npos ? String() : String(S.substr(First));
}

String StripTrailingChars(std::u16string_view S, Char C) { return StripTrailingChars(S, std::u16string_view(&C, 1)); }

String StripTrailingChars(std::u16string_view S, std::u16string_view Chars) {
  const size_t Last = S.find_last_not_of(Chars);
  return Last == std::u16string_view::npos ? String() : String(S.substr(0, Last + 1));
}

String EnsureTrailingChar(std::u16string_view S, Char C) {
  String R(S);
  if (R.empty() || R.back() != C) R.push_back(C);
  return R;
}

String EnsureTrailingBkSlash(std::u16string_view S) { return EnsureTrailingChar(S, u'\\'); }

String ReplaceCharInString(std::u16string_view S, Char OldChar, Char NewChar) {
  String R(S);
  std::replace(R.begin(), R.end(), OldChar, NewChar);
  return R;
}

String RemoveControlChars(std::u16string_view S) {
  String R;
  R.reserve(S.size());
  for (Char C : S)
    if (C >= 32 && C != 127) R.push_back(C);
  return R;
}

}  // namespace orv
