#include "rltext.h"

#include <cstdint>

#include "framework/rtl/streams.h"
#include "framework/rtl/unicode.h"

namespace orv::rltext {

namespace {

void AppendUtf8(std::string& Out, uint32_t Code) {
  if (Code < 0x80) {
    Out += static_cast<char>(Code);
  } else if (Code < 0x800) {
    Out += static_cast<char>(0xC0 | (Code >> 6));
    Out += static_cast<char>(0x80 | (Code & 0x3F));
  } else if (Code < 0x10000) {
    Out += static_cast<char>(0xE0 | (Code >> 12));
    Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Code & 0x3F));
  } else {
    Out += static_cast<char>(0xF0 | (Code >> 18));
    Out += static_cast<char>(0x80 | ((Code >> 12) & 0x3F));
    Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Code & 0x3F));
  }
}

bool IsHigh(Char C) { return C >= 0xD800 && C <= 0xDBFF; }
bool IsLow(Char C) { return C >= 0xDC00 && C <= 0xDFFF; }

char AsciiLower(char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C + 32) : C; }

}  // namespace

bool IsValidUtf8(std::string_view Bytes) {
  const auto* P = reinterpret_cast<const unsigned char*>(Bytes.data());
  const size_t N = Bytes.size();
  size_t I = 0;
  while (I < N) {
    const unsigned char B = P[I];
    if (B < 0x80) {
      ++I;
      continue;
    }
    size_t Len;
    uint32_t Code;
    if ((B & 0xE0) == 0xC0) {
      Len = 2;
      Code = B & 0x1F;
    } else if ((B & 0xF0) == 0xE0) {
      Len = 3;
      Code = B & 0x0F;
    } else if ((B & 0xF8) == 0xF0) {
      Len = 4;
      Code = B & 0x07;
    } else {
      return false;
    }
    if (I + Len > N) return false;
    for (size_t K = 1; K < Len; ++K) {
      if ((P[I + K] & 0xC0) != 0x80) return false;
      Code = (Code << 6) | (P[I + K] & 0x3F);
    }
    static constexpr uint32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (Code < kMin[Len] || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF)) return false;
    I += Len;
  }
  return true;
}

String CutText(std::u16string_view Text, size_t MaxLength) {
  if (Text.size() <= MaxLength) return String(Text);
  size_t N = MaxLength;
  if (N > 0 && IsHigh(Text[N - 1]) && IsLow(Text[N])) --N;
  return String(Text.substr(0, N));
}

String DecodeText(std::string_view Bytes) {
  if (IsValidUtf8(Bytes)) return FromUtf8(Bytes);
  String Text(Bytes.size(), u'\0');
  for (size_t I = 0; I < Bytes.size(); ++I) Text[I] = static_cast<unsigned char>(Bytes[I]);
  return Text;
}

std::string ReadRest(TStream* Stream) {
  std::string Bytes;
  if (Stream == nullptr) return Bytes;
  const long long Size = Stream->Size();
  const long long At = Stream->Position();
  if (Size > At && At >= 0) Bytes.reserve(static_cast<size_t>(Size - At));
  char Chunk[65536];
  for (;;) {
    const long long Got = Stream->Read(Chunk, sizeof Chunk);
    if (Got <= 0) break;
    Bytes.append(Chunk, static_cast<size_t>(Got));
  }
  return Bytes;
}

bool AppendXmlEscaped(std::string& Out, std::u16string_view Text, bool Attribute) {
  const size_t Start = Out.size();
  for (size_t I = 0; I < Text.size(); ++I) {
    const Char C = Text[I];
    if (C < 0x80) {
      switch (C) {
        case u'&': Out += "&amp;"; break;
        case u'<': Out += "&lt;"; break;
        case u'>': Out += "&gt;"; break;
        case u'"':
          if (Attribute) Out += "&quot;"; else Out += '"';
          break;
        case u'\r': Out += "&#13;"; break;
        case u'\n':
          if (Attribute) Out += "&#10;"; else Out += '\n';
          break;
        case u'\t':
          if (Attribute) Out += "&#9;"; else Out += '\t';
          break;
        default:
          if (C < 0x20) {
            Out.resize(Start);
            return false;
          }
          Out += static_cast<char>(C);
      }
    } else if (IsHigh(C) && I + 1 < Text.size() && IsLow(Text[I + 1])) {
      AppendUtf8(Out, 0x10000 + ((static_cast<uint32_t>(C) - 0xD800) << 10) + (Text[I + 1] - 0xDC00));
      ++I;
    } else if (IsHigh(C) || IsLow(C) || C == 0xFFFE || C == 0xFFFF) {
      Out.resize(Start);
      return false;
    } else {
      AppendUtf8(Out, C);
    }
  }
  return true;
}

void AppendHexUnits(std::string& Out, std::u16string_view Text) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (const Char C : Text)
    for (int Shift = 12; Shift >= 0; Shift -= 4) Out += kDigits[(C >> Shift) & 15];
}

bool DecodeHexUnits(std::string_view Hex, String& Text) {
  if (Hex.size() % 4 != 0) return false;
  Text.clear();
  Text.reserve(Hex.size() / 4);
  for (size_t I = 0; I < Hex.size(); I += 4) {
    unsigned Unit = 0;
    for (size_t K = 0; K < 4; ++K) {
      const char D = Hex[I + K];
      unsigned V;
      if (D >= '0' && D <= '9') V = static_cast<unsigned>(D - '0');
      else if (D >= 'A' && D <= 'F') V = static_cast<unsigned>(D - 'A' + 10);
      else if (D >= 'a' && D <= 'f') V = static_cast<unsigned>(D - 'a' + 10);
      else return false;
      Unit = Unit * 16 + V;
    }
    Text += static_cast<Char>(Unit);
  }
  return true;
}

String DecodeXmlEntities(std::u16string_view Text) {
  String Out;
  size_t I = 0;
  while (I < Text.size()) {
    const size_t Semi = Text[I] == u'&' ? Text.find(u';', I) : std::u16string_view::npos;
    if (Semi == std::u16string_view::npos || Semi - I > 10) {
      Out += Text[I++];
      continue;
    }
    const std::u16string_view Name = Text.substr(I + 1, Semi - I - 1);
    uint32_t Code = 0;
    bool Known = true;
    if (Name == u"amp") Code = '&';
    else if (Name == u"lt") Code = '<';
    else if (Name == u"gt") Code = '>';
    else if (Name == u"quot") Code = '"';
    else if (Name == u"apos") Code = '\'';
    else if (Name.size() >= 2 && Name[0] == u'#') {
      const bool HexRef = Name[1] == u'x' || Name[1] == u'X';
      const std::u16string_view Digits = Name.substr(HexRef ? 2 : 1);
      Known = !Digits.empty();
      for (const Char D : Digits) {
        int V = -1;
        if (D >= u'0' && D <= u'9') V = D - u'0';
        else if (HexRef && D >= u'a' && D <= u'f') V = D - u'a' + 10;
        else if (HexRef && D >= u'A' && D <= u'F') V = D - u'A' + 10;
        if (V < 0 || Code > 0x10FFFF) {
          Known = false;
          break;
        }
        Code = Code * (HexRef ? 16 : 10) + static_cast<uint32_t>(V);
      }
      Known = Known && Code <= 0x10FFFF && Code != 0;
    } else {
      Known = false;
    }
    if (!Known) {
      Out += Text[I++];
      continue;
    }
    if (Code >= 0x10000) {
      Out += static_cast<Char>(0xD800 + ((Code - 0x10000) >> 10));
      Out += static_cast<Char>(0xDC00 + ((Code - 0x10000) & 0x3FF));
    } else {
      Out += static_cast<Char>(Code);
    }
    I = Semi + 1;
  }
  return Out;
}

void AppendHtmlEscaped(std::string& Out, std::u16string_view Text) {
  for (size_t I = 0; I < Text.size(); ++I) {
    const Char C = Text[I];
    switch (C) {
      case u'&': Out += "&amp;"; continue;
      case u'<': Out += "&lt;"; continue;
      case u'>': Out += "&gt;"; continue;
      case u'"': Out += "&quot;"; continue;
      case u'\'': Out += "&#39;"; continue;
      default: break;
    }
    if ((C < 0x20 && C != u'\t' && C != u'\n' && C != u'\r') || (C >= 0x7F && C < 0xA0)) {
      AppendUtf8(Out, 0xFFFD);
    } else if (IsHigh(C) && I + 1 < Text.size() && IsLow(Text[I + 1])) {
      AppendUtf8(Out, 0x10000 + ((static_cast<uint32_t>(C) - 0xD800) << 10) + (Text[I + 1] - 0xDC00));
      ++I;
    } else if (IsHigh(C) || IsLow(C)) {
      AppendUtf8(Out, 0xFFFD);
    } else {
      AppendUtf8(Out, C);
    }
  }
}

size_t FindTagNoCase(std::string_view Buffer, size_t From, std::string_view Word) {
  while (From < Buffer.size()) {
    const size_t Lt = Buffer.find('<', From);
    if (Lt == std::string_view::npos || Buffer.size() - Lt - 1 < Word.size()) return std::string_view::npos;
    bool Same = true;
    for (size_t K = 0; K < Word.size() && Same; ++K) Same = AsciiLower(Buffer[Lt + 1 + K]) == Word[K];
    if (Same) return Lt;
    From = Lt + 1;
  }
  return std::string_view::npos;
}

}  // namespace orv::rltext
