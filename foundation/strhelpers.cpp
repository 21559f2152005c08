#include "foundation/strhelpers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "framework/rtl/files.h"
#include "framework/rtl/random.h"
#include "framework/rtl/streams.h"
#include "framework/rtl/sysutils.h"
#include "framework/rtl/unicode.h"

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

bool IsPathSeparator(Char C) { return C == u'/' || C == u'\\'; }

// Length of the root at the start of Path: "/" or "\\" 1, "X:" 2, "X:\\" 3, else 0.
size_t RootLength(std::u16string_view Path) {
  if (!Path.empty() && IsPathSeparator(Path[0])) return 1;
  if (Path.size() >= 2 && Path[1] == u':' && ((Path[0] >= u'A' && Path[0] <= u'Z') || (Path[0] >= u'a' && Path[0] <= u'z')))
    return Path.size() >= 3 && IsPathSeparator(Path[2]) ? 3 : 2;
  return 0;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(const std::string& Bytes) {
  size_t I = 0;
  const size_t N = Bytes.size();
  while (I < N) {
    const auto B0 = static_cast<unsigned char>(Bytes[I]);
    size_t Len;
    unsigned Min;
    if (B0 < 0x80) {
      ++I;
      continue;
    } else if (B0 >= 0xC2 && B0 <= 0xDF) {
      Len = 2;
      Min = 0x80;
    } else if (B0 >= 0xE0 && B0 <= 0xEF) {
      Len = 3;
      Min = 0x800;
    } else if (B0 >= 0xF0 && B0 <= 0xF4) {
      Len = 4;
      Min = 0x10000;
    } else {
      return false;
    }
    if (N - I < Len) return false;
    unsigned Code = B0 & (0x7F >> Len);
    for (size_t K = 1; K < Len; ++K) {
      const auto B = static_cast<unsigned char>(Bytes[I + K]);
      if ((B & 0xC0) != 0x80) return false;
      Code = (Code << 6) | (B & 0x3F);
    }
    if (Code < Min || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF)) return false;
    I += Len;
  }
  return true;
}

String DecodeLine(const std::string& Bytes, int Mode) {
  if (Mode != rlmLatin1 && IsValidUtf8(Bytes)) return FromUtf8(Bytes);
  String R(Bytes.size(), u'\0');
  for (size_t I = 0; I < Bytes.size(); ++I) R[I] = static_cast<unsigned char>(Bytes[I]);
  return R;
}

// Line reading for streams that cannot step back: up to LF, a CR right before
// it dropped. AtEnd once the data is exhausted.
void ReadLineUnbuffered(TStream* Stream, std::string& Line, bool& AtEnd) {
  char C;
  for (;;) {
    if (Stream->Read(&C, 1) != 1) {
      AtEnd = true;
      return;
    }
    if (C == '\n') break;
    Line.push_back(C);
  }
  if (!Line.empty() && Line.back() == '\r') Line.pop_back();
}

// Line reading in blocks for seekable streams; the bytes read past the line
// end are given back by seeking.
void ReadLineBuffered(TStream* Stream, std::string& Line) {
  char Block[512];
  for (;;) {
    const long long Got = Stream->Read(Block, sizeof Block);
    if (Got <= 0) return;
    const auto Count = static_cast<size_t>(Got);
    size_t I = 0;
    while (I < Count && Block[I] != '\n' && Block[I] != '\r') ++I;
    Line.append(Block, I);
    if (I == Count) continue;
    size_t Used = I + 1;
    if (Block[I] == '\r') {
      if (Used < Count) {
        if (Block[Used] == '\n') ++Used;
      } else {
        // The CR closed the block: look at one more byte.
        char Next;
        if (Stream->Read(&Next, 1) == 1 && Next != '\n') Stream->Seek(-1, soCurrent);
      }
    }
    if (Used < Count) Stream->Seek(-static_cast<long long>(Count - Used), soCurrent);
    return;
  }
}

constexpr std::u16string_view kPasswordChars = u"ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnpqrstuvwxyz23456789";

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

bool DirExists(std::u16string_view Path) { return !Path.empty() && DirectoryExists(Path); }

String ParentDir(std::u16string_view Path) {
  const size_t Root = RootLength(Path);
  if (Path.size() <= Root) return String(Path);
  size_t End = Path.size();
  while (End > Root && IsPathSeparator(Path[End - 1])) --End;
  const std::u16string_view Folder = Path.substr(0, End);
  const size_t Sep = Folder.find_last_of(u"/\\");
  if (Sep == std::u16string_view::npos) return Root > 0 ? String(Path.substr(0, Root)) : String();
  return String(Folder.substr(0, Sep + 1));
}

String ReadLnStream(TStream* Stream, bool& AtEnd, int Mode) {
  AtEnd = false;
  if (Stream == nullptr) {
    AtEnd = true;
    return String();
  }
  const long long Start = Stream->Seek(0, soCurrent);
  std::string Line;
  if (Start < 0) {
    ReadLineUnbuffered(Stream, Line, AtEnd);
  } else {
    ReadLineBuffered(Stream, Line);
    AtEnd = Stream->Seek(0, soCurrent) >= Stream->Size();
  }
  if (Start == 0 && Mode != rlmLatin1 && Line.compare(0, 3, "\xEF\xBB\xBF") == 0) Line.erase(0, 3);
  return DecodeLine(Line, Mode);
}

String InventPassword(int N) {
  N = std::min(N, kMaxFieldLength);
  String R;
  for (int I = 0; I < N; ++I) R.push_back(kPasswordChars[static_cast<size_t>(Random(static_cast<int>(kPasswordChars.size())))]);
  return R;
}

}  // namespace orv
