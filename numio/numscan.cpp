#include "numio/numscan.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "framework/rtl/sysutils.h"
#include "numio/floatmachine.h"
#include "numio/numsyntax.h"

namespace orv {

using namespace floatmachine;

int ScanSepMode(TDecPSep DecPSep) {
  switch (DecPSep) {
    case dpsSystem:
      return FormatSettings.DecimalSeparator == u',' ? kSepModeComma : kSepModePoint;
    case dpsComma:
      return kSepModeComma;
    case dpsBoth:
      return kSepModeBoth;
    default:
      return kSepModePoint;
  }
}

int CheckSepMode(TDecPSep DecPSep) {
  switch (DecPSep) {
    case dpsSystem:
      return FormatSettings.DecimalSeparator == u'.' ? kSepModePoint : kSepModeComma;
    case dpsComma:
      return kSepModeComma;
    case dpsBoth:
      return kSepModeBoth;
    default:
      return kSepModePoint;
  }
}

namespace {

// The number text handed to the decimal conversion. Typical numbers fit the
// fixed buffer, so a scan allocates nothing; longer ones (hundreds of digits
// are legal) move to the heap.
class TNumberText {
 public:
  void Push(char C) {
    if (FSize < sizeof(FLocal)) {
      FLocal[FSize++] = C;
    } else {
      Spill(C);
    }
  }
  // Appends a run of ASCII digits, narrowing them; one capacity check per run.
  void AppendDigits(const Char* First, size_t Count) {
    if (FSize + Count <= sizeof(FLocal)) {
      for (size_t I = 0; I < Count; ++I) FLocal[FSize + I] = static_cast<char>(First[I]);
      FSize += Count;
    } else {
      for (size_t I = 0; I < Count; ++I) Push(static_cast<char>(First[I]));
    }
  }
  const char* Data() const { return FSize <= sizeof(FLocal) ? FLocal : FHeap.data(); }
  size_t Size() const { return FSize; }

 private:
  void Spill(char C) {
    if (FSize == sizeof(FLocal)) FHeap.assign(FLocal, FSize);
    FHeap.push_back(C);
    ++FSize;
  }

  char FLocal[64];
  size_t FSize = 0;
  std::string FHeap;
};

// Sign, mantissa characters (digits and at most one ".") and the decimal
// exponent of a number text, converted correctly rounded however long the
// mantissa and however large the exponent. The mantissa is brought to the form
// 0.<significant digits> x 10^Scale first, so the conversion only ever sees an
// exponent of a few hundred and the size of the result is known beforehand.
constexpr long long kExponentLimit = 1LL << 50;

double ConvertParts(bool Negative, std::string_view Mantissa, long long Exponent) {
  const double Zero = Negative ? -0.0 : 0.0;
  size_t Point = Mantissa.find('.');
  if (Point == std::string_view::npos) Point = Mantissa.size();
  size_t First = 0;  // first non-zero digit
  while (First < Mantissa.size() && (Mantissa[First] == '0' || Mantissa[First] == '.')) ++First;
  if (First == Mantissa.size()) return Zero;
  size_t Last = Mantissa.size();  // behind the last non-zero digit
  while (Mantissa[Last - 1] == '0' || Mantissa[Last - 1] == '.') --Last;
  // Digits before the point counted from the first significant one; negative
  // for the zeros between the point and a first significant fraction digit.
  const long long Lead = First < Point ? static_cast<long long>(Point - First)
                                       : -static_cast<long long>(First - Point - 1);
  const long long Scale = Lead + Exponent;  // value = 0.<digits> x 10^Scale
  if (Scale > 400) return Negative ? -uc_MaxDouble : uc_MaxDouble;
  if (Scale < -400) return Zero;
  // "[-]0.<digits>e<Scale>": on the stack for the usual lengths.
  const size_t Length = (Last - First) + 8;
  char Local[96];
  std::string Heap;
  char* const Text = Length <= sizeof(Local) ? Local : (Heap.resize(Length), Heap.data());
  char* Out = Text;
  if (Negative) *Out++ = '-';
  *Out++ = '0';
  *Out++ = '.';
  for (size_t I = First; I < Last; ++I)
    if (Mantissa[I] != '.') *Out++ = Mantissa[I];
  *Out++ = 'e';
  Out = std::to_chars(Out, Text + Length, Scale).ptr;
  double Value = 0;
  const std::from_chars_result R = std::from_chars(Text, Out, Value);
  if (R.ec == std::errc::result_out_of_range) {
    // Too large for a double: the largest finite one; too small: zero.
    if (Scale <= 0) return Zero;
    return Negative ? -uc_MaxDouble : uc_MaxDouble;
  }
  return std::clamp(Value, -uc_MaxDouble, uc_MaxDouble);
}

// A short, plain number text ("[-]digits[.digits][e[+-]digits]" with an
// exponent of at most kMaxExponent), as the fast path collects it.
double ConvertNumberText(const char* First, const char* Last) {
  double Value = 0;
  const std::from_chars_result R = std::from_chars(First, Last, Value, std::chars_format::general);
  if (R.ec == std::errc::result_out_of_range) {
    // Out of range: split the text and let the general conversion tell an
    // overflow from an underflow.
    const std::string_view Text(First, static_cast<size_t>(Last - First));
    const bool Negative = !Text.empty() && Text[0] == '-';
    const size_t E = Text.find('e');
    const std::string_view Mantissa = Text.substr(Negative ? 1 : 0, E == std::string_view::npos ? E : E - (Negative ? 1 : 0));
    long long Exponent = 0;
    if (E != std::string_view::npos) {
      const char* P = Text.data() + E + 1;
      if (*P == '+') ++P;
      std::from_chars(P, Last, Exponent);
    }
    return ConvertParts(Negative, Mantissa, Exponent);
  }
  if (R.ec != std::errc()) return 0;
  return std::clamp(Value, -uc_MaxDouble, uc_MaxDouble);
}

bool IsDigit(Char C) { return C >= u'0' && C <= u'9'; }

// The common case on its own: a text that from Start to its end is
// [blanks][sign]digits[sep digits][E[sign]digits] with at least one mantissa
// digit and an exponent within the cap. The machine takes every character of
// such a text and ends at its end, so the text can be checked and copied in
// one tight pass. Returns false, having changed nothing, for anything else;
// the machine then runs from the start.
bool ScanPlainNumber(std::u16string_view Text, size_t Start, bool ExpAllowed, int SepMode, double& Value) {
  constexpr size_t kCapacity = 64;
  char Buf[kCapacity];
  const Char* P = Text.data() + Start;
  const Char* const End = Text.data() + Text.size();
  while (P != End && *P == u' ') ++P;
  if (static_cast<size_t>(End - P) > kCapacity) return false;
  char* Out = Buf;
  if (P != End && (*P == u'-' || *P == u'+')) {
    if (*P == u'-') *Out++ = '-';
    ++P;
  }
  const char* const Mantissa = Out;
  while (P != End && IsDigit(*P)) *Out++ = static_cast<char>(*P++);
  if (P != End && ((*P == u'.' && SepMode != 2) || (*P == u',' && (SepMode == 2 || SepMode == 3)))) {
    *Out++ = '.';
    ++P;
    while (P != End && IsDigit(*P)) *Out++ = static_cast<char>(*P++);
  }
  const ptrdiff_t MantissaLength = Out - Mantissa;
  if (MantissaLength == 0 || (MantissaLength == 1 && *Mantissa == '.')) return false;  // no mantissa digit
  if (ExpAllowed && P != End && (*P == u'E' || *P == u'e')) {
    *Out++ = 'e';
    ++P;
    if (P != End && (*P == u'-' || *P == u'+')) *Out++ = static_cast<char>(*P++);
    int Exponent = 0;
    while (P != End && IsDigit(*P)) {
      Exponent = AddExponentDigit(Exponent, *P);
      *Out++ = static_cast<char>(*P++);
    }
    if (Exponent > kMaxExponent) return false;
  }
  if (P != End) return false;
  Value = ConvertNumberText(Buf, Out);
  return true;
}

}  // namespace

double ScanFloatNumber(std::u16string_view Text, bool ExpAllowed, int SepMode, int& Pos) {
  const size_t Size = Text.size();
  size_t I = StartIndex(Pos);
  if (double Value; I <= Size && ScanPlainNumber(Text, I, ExpAllowed, SepMode, Value)) {
    Pos = static_cast<int>(Size) + 1;
    return Value;
  }
  // The machine decides which characters form the number; the mantissa and
  // the exponent are collected apart and converted together at the end.
  TNumberText Mantissa;
  bool Negative = false;
  bool NegativeExponent = false;
  long long Exponent = 0;
  TState State = stStart;
  for (;; ++I) {
    const Char C = I < Size ? Text[I] : Char(0);
    const TClass Class = Classify(C, ExpAllowed, SepMode);
    const TState Next = kNext[State][Class];
    if (Next >= stDone) {
      State = Next;
      break;
    }
    switch (Class) {
      case clDigit:
        if (Next == stExpDigits) {
          // Saturates far above any exponent that could matter: even a
          // mantissa of a billion digits cannot bring it back into range.
          if (Exponent < kExponentLimit) Exponent = Exponent * 10 + (C - u'0');
        } else {
          // A digit keeps the integer and fraction states where they are, so
          // the rest of the run is taken in one go.
          size_t End = I + 1;
          while (End < Size && Text[End] >= u'0' && Text[End] <= u'9') ++End;
          Mantissa.AppendDigits(Text.data() + I, End - I);
          I = End - 1;
        }
        break;
      case clSep:
        Mantissa.Push('.');
        break;
      case clSign:
        if (Next == stSign) {
          Negative = C == u'-';
        } else {
          NegativeExponent = C == u'-';
        }
        break;
      default:  // blanks before the number and the exponent marker
        break;
    }
    State = Next;
  }
  Pos = static_cast<int>(I) + 1;
  if (State == stError) return 0;
  return ConvertParts(Negative, std::string_view(Mantissa.Data(), Mantissa.Size()),
                      NegativeExponent ? -Exponent : Exponent);
}

bool CheckFloatSyntax(std::u16string_view Text, bool ExpAllowed, TDecPSep DecPSep) {
  if (Text.empty()) return false;
  const int SepMode = CheckSepMode(DecPSep);
  TState State = stStart;
  int Exponent = 0;
  for (size_t I = 0;; ++I) {
    const Char C = I < Text.size() ? Text[I] : Char(0);
    const TClass Class = Classify(C, ExpAllowed, SepMode);
    const TState Next = kNext[State][Class];
    if (Next >= stDone) return Next == stDone;
    if (Next == stExpDigits) {
      Exponent = AddExponentDigit(Exponent, C);
      if (Exponent > kMaxExponent) return false;
    }
    State = Next;
  }
}

// --- Digit readers ----------------------------------------------------------

namespace {

// Blanks are skipped while they stand before the last character.
size_t SkipBlanks(std::u16string_view Text, size_t I) {
  while (I + 1 < Text.size() && Text[I] == u' ') ++I;
  return I;
}

// Value of C as a digit of Radix (2, 8, 10 or 16), or -1.
int DigitValue(Char C, unsigned Radix) {
  int D = -1;
  if (C >= u'0' && C <= u'9') {
    D = C - u'0';
  } else if (C >= u'A' && C <= u'F') {
    D = C - u'A' + 10;
  } else if (C >= u'a' && C <= u'f') {
    D = C - u'a' + 10;
  }
  return D >= 0 && static_cast<unsigned>(D) < Radix ? D : -1;
}

// Reads digits from I on; the sum wraps modulo 2^32 as the unsigned type does.
uint32_t ReadDigits(std::u16string_view Text, size_t& I, unsigned Radix) {
  uint32_t Value = 0;
  for (int D; I < Text.size() && (D = DigitValue(Text[I], Radix)) >= 0; ++I) {
    Value = Value * Radix + static_cast<uint32_t>(D);
  }
  return Value;
}

int ScanRadix(std::u16string_view Text, int& Pos, unsigned Radix) {
  size_t I = SkipBlanks(Text, StartIndex(Pos));
  if (Radix == 16 && I == 0 && !Text.empty() && Text[0] == u'$') ++I;
  const uint32_t Value = ReadDigits(Text, I, Radix);
  Pos = static_cast<int>(I) + 1;
  return static_cast<int32_t>(Value);
}

}  // namespace

int ScanDecInteger(std::u16string_view Text, int& Pos) {
  size_t I = SkipBlanks(Text, StartIndex(Pos));
  bool Negative = false;
  if (I < Text.size() && (Text[I] == u'-' || Text[I] == u'+')) Negative = Text[I++] == u'-';
  uint32_t Value = ReadDigits(Text, I, 10);
  if (Negative) Value = 0u - Value;
  Pos = static_cast<int>(I) + 1;
  return static_cast<int32_t>(Value);
}

int ScanHexNumber(std::u16string_view Text, int& Pos) { return ScanRadix(Text, Pos, 16); }
int ScanOctNumber(std::u16string_view Text, int& Pos) { return ScanRadix(Text, Pos, 8); }
int ScanBinNumber(std::u16string_view Text, int& Pos) { return ScanRadix(Text, Pos, 2); }

}  // namespace orv
