#include "unicode.h"

namespace orv {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& Out, char32_t C) {
  if (C < 0x80) {
    Out += static_cast<char>(C);
  } else if (C < 0x800) {
    Out += static_cast<char>(0xC0 | (C >> 6));
    Out += static_cast<char>(0x80 | (C & 0x3F));
  } else if (C < 0x10000) {
    Out += static_cast<char>(0xE0 | (C >> 12));
    Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (C & 0x3F));
  } else {
    Out += static_cast<char>(0xF0 | (C >> 18));
    Out += static_cast<char>(0x80 | ((C >> 12) & 0x3F));
    Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (C & 0x3F));
  }
}

void AppendUtf16(String& Out, char32_t C) {
  if (C < 0x10000) {
    Out += static_cast<Char>(C);
  } else {
    C -= 0x10000;
    Out += static_cast<Char>(0xD800 + (C >> 10));
    Out += static_cast<Char>(0xDC00 + (C & 0x3FF));
  }
}

bool IsHighSurrogate(char32_t C) { return C >= 0xD800 && C <= 0xDBFF; }
bool IsLowSurrogate(char32_t C) { return C >= 0xDC00 && C <= 0xDFFF; }

}  // namespace

std::string ToUtf8(std::u16string_view Text) {
  std::string Out;
  Out.reserve(Text.size());
  for (size_t I = 0; I < Text.size(); ++I) {
    char32_t C = Text[I];
    if (C < 0x80) {
      Out += static_cast<char>(C);
      continue;
    }
    if (IsHighSurrogate(C) && I + 1 < Text.size() && IsLowSurrogate(Text[I + 1])) {
      C = 0x10000 + ((C - 0xD800) << 10) + (Text[I + 1] - 0xDC00);
      ++I;
    } else if (IsHighSurrogate(C) || IsLowSurrogate(C)) {
      C = kReplacement;
    }
    AppendUtf8(Out, C);
  }
  return Out;
}

String FromUtf8(std::string_view Text) {
  String Out;
  Out.reserve(Text.size());
  const auto* P = reinterpret_cast<const unsigned char*>(Text.data());
  const size_t N = Text.size();
  size_t I = 0;
  while (I < N) {
    const unsigned char B = P[I];
    if (B < 0x80) {
      Out += static_cast<Char>(B);
      ++I;
      continue;
    }
    int Extra = 0;
    char32_t C = 0;
    char32_t Min = 0;
    if ((B & 0xE0) == 0xC0) {
      Extra = 1, C = B & 0x1F, Min = 0x80;
    } else if ((B & 0xF0) == 0xE0) {
      Extra = 2, C = B & 0x0F, Min = 0x800;
    } else if ((B & 0xF8) == 0xF0) {
      Extra = 3, C = B & 0x07, Min = 0x10000;
    } else {
      Out += static_cast<Char>(kReplacement);
      ++I;
      continue;
    }
    bool Ok = true;
    for (int K = 1; Ok && K <= Extra; ++K) {
      if (I + K >= N || (P[I + K] & 0xC0) != 0x80) {
        Ok = false;
      } else {
        C = (C << 6) | (P[I + K] & 0x3F);
      }
    }
    if (!Ok || C < Min || C > 0x10FFFF || (C >= 0xD800 && C <= 0xDFFF)) {
      Out += static_cast<Char>(kReplacement);
      ++I;
      continue;
    }
    AppendUtf16(Out, C);
    I += Extra + 1;
  }
  return Out;
}

}  // namespace orv
