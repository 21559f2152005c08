// Row sorting of TStringArray. Every row's key is computed once: its class
// (empty, number, text), then the number as an order-preserving 64-bit
// pattern or the first letter-case-folded characters of the text packed into
// 64 bits. Comparisons touch the stored text only when two packed prefixes
// tie and a text is longer than the prefix.

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <new>
#include <optional>

#include "foundation/stringarray.h"
#include "foundation/stringarray_cells.h"
#include "framework/rtl/sysutils.h"

namespace orv {
namespace {

enum TKeyClass : uint8_t { kcEmpty, kcNumber, kcText };

struct TSortKey {
  uint64_t Key = 0;
  uint32_t Row = 0;  // shown row index (0-based) before sorting
  uint16_t Len = 0;  // text length in code units
  uint8_t Class = kcEmpty;
};

bool IsBlank(Char C) { return C == u' ' || C == u'\t'; }
bool IsDigit(Char C) { return C >= u'0' && C <= u'9'; }

// Parses a cell as a number: optional blanks, sign, digits with "." or ","
// as the decimal separator, optional exponent, optional blanks.
bool ParseNumber(const TCellView& V, double& Value) {
  uint32_t B = 0, E = V.Len;
  while (B < E && IsBlank(V.At(B))) ++B;
  while (E > B && IsBlank(V.At(E - 1))) --E;
  if (B == E) return false;
  // Cheap rejection of ordinary words before any copying.
  const Char First = V.At(B);
  if (!IsDigit(First) && First != u'-' && First != u'+' && First != u'.' && First != u',') return false;

  char Buf[TStringArray::MaxCellLength + 2];  // the text plus a leading "0"
  size_t N = 0;
  uint32_t I = B;
  if (V.At(I) == u'-' || V.At(I) == u'+') {
    if (V.At(I) == u'-') Buf[N++] = '-';
    ++I;
  }
  int IntDigits = 0, SigIntDigits = 0, FracDigits = 0, FracLeadingZeros = 0;
  for (; I < E && IsDigit(V.At(I)); ++I) {
    if (SigIntDigits > 0 || V.At(I) != u'0') ++SigIntDigits;
    ++IntDigits;
    Buf[N++] = static_cast<char>(V.At(I));
  }
  if (IntDigits == 0) Buf[N++] = '0';  // ".5" is read as "0.5"
  if (I < E && (V.At(I) == u'.' || V.At(I) == u',')) {
    Buf[N++] = '.';
    bool Leading = true;
    for (++I; I < E && IsDigit(V.At(I)); ++I) {
      if (Leading && V.At(I) == u'0') ++FracLeadingZeros;
      else Leading = false;
      ++FracDigits;
      Buf[N++] = static_cast<char>(V.At(I));
    }
    if (FracDigits == 0) --N;  // "5." is read as "5"
  }
  if (IntDigits + FracDigits == 0) return false;
  long Exponent = 0;
  if (I < E && (V.At(I) == u'e' || V.At(I) == u'E')) {
    Buf[N++] = 'e';
    ++I;
    bool NegExp = false;
    if (I < E && (V.At(I) == u'-' || V.At(I) == u'+')) {
      NegExp = V.At(I) == u'-';
      if (NegExp) Buf[N++] = '-';
      ++I;
    }
    if (I == E || !IsDigit(V.At(I))) return false;
    for (; I < E && IsDigit(V.At(I)); ++I) {
      if (Exponent < 100000) Exponent = Exponent * 10 + (V.At(I) - u'0');
      Buf[N++] = static_cast<char>(V.At(I));
    }
    if (NegExp) Exponent = -Exponent;
  }
  if (I != E) return false;

  const auto [Ptr, Ec] = std::from_chars(Buf, Buf + N, Value, std::chars_format::general);
  if (Ec == std::errc::result_out_of_range) {
    // Beyond the double range: decide by the decimal magnitude whether it overflowed.
    const long Magnitude = Exponent + (SigIntDigits > 0 ? SigIntDigits : -FracLeadingZeros);
    Value = Magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    if (Buf[0] == '-') Value = -Value;
  } else if (Ec != std::errc() || Ptr != Buf + N) {
    return false;
  }
  if (Value == 0.0) Value = 0.0;  // -0 sorts with 0
  return true;
}

// Maps doubles onto unsigned integers of the same order.
uint64_t OrderedBits(double D) {
  const uint64_t Bits = std::bit_cast<uint64_t>(D);
  return (Bits & 0x8000000000000000ull) ? ~Bits : Bits | 0x8000000000000000ull;
}

// Folded characters packed into a key: 8 of 8 bits while every folded prefix
// character of the column fits a byte, else 4 of 16 bits.
uint64_t PackPrefix(const TCellView& V, bool Narrow) {
  const uint32_t Count = Narrow ? 8 : 4;
  const uint32_t Bits = Narrow ? 8 : 16;
  uint64_t Key = 0;
  for (uint32_t I = 0; I < Count; ++I) {
    Key <<= Bits;
    if (I < V.Len) Key |= UpCase(V.At(I));
  }
  return Key;
}

int CompareFolded(const TCellView& A, const TCellView& B) {
  const uint32_t N = std::min(A.Len, B.Len);
  for (uint32_t I = 0; I < N; ++I) {
    const Char X = UpCase(A.At(I));
    const Char Y = UpCase(B.At(I));
    if (X != Y) return X < Y ? -1 : 1;
  }
  return A.Len == B.Len ? 0 : (A.Len < B.Len ? -1 : 1);
}

// Keys of one column for the shown rows, and the comparison between them.
class TColumnKeys {
 public:
  TColumnKeys(const std::vector<const TCellRow*>& Rows, uint32_t Col) : FRows(Rows), FCol(Col) {
    FKeys.resize(Rows.size());
    bool Narrow = true;
    for (size_t I = 0; I < Rows.size(); ++I) {
      TSortKey& K = FKeys[I];
      K.Row = static_cast<uint32_t>(I);
      const TCellView V = cellrow::Cell(Rows[I], Col);
      if (V.Len == 0) continue;
      double Value;
      if (ParseNumber(V, Value)) {
        K.Class = kcNumber;
        K.Key = OrderedBits(Value);
        continue;
      }
      K.Class = kcText;
      K.Len = static_cast<uint16_t>(V.Len);
      if (Narrow)
        for (uint32_t J = 0; J < std::min<uint32_t>(V.Len, 8) && Narrow; ++J) Narrow = UpCase(V.At(J)) <= 0xFF;
    }
    FPrefixLen = Narrow ? 8 : 4;
    for (size_t I = 0; I < Rows.size(); ++I)
      if (FKeys[I].Class == kcText) FKeys[I].Key = PackPrefix(cellrow::Cell(Rows[I], Col), Narrow);
  }

  std::vector<TSortKey>& Keys() { return FKeys; }
  const TSortKey& operator[](uint32_t Row) const { return FKeys[Row]; }

  int Compare(const TSortKey& A, const TSortKey& B) const {
    if (A.Class != B.Class) return A.Class < B.Class ? -1 : 1;
    if (A.Key != B.Key) return A.Key < B.Key ? -1 : 1;
    if (A.Class != kcText) return 0;
    // Equal prefixes: lengths decide while both texts fit the prefix (the
    // shorter one is padded with zeros, so it is a prefix of the other).
    if (A.Len <= FPrefixLen && B.Len <= FPrefixLen) return A.Len == B.Len ? 0 : (A.Len < B.Len ? -1 : 1);
    return CompareFolded(cellrow::Cell(FRows[A.Row], FCol), cellrow::Cell(FRows[B.Row], FCol));
  }

 private:
  const std::vector<const TCellRow*>& FRows;
  uint32_t FCol;
  uint32_t FPrefixLen = 8;
  std::vector<TSortKey> FKeys;
};

}  // namespace

void TStringArray::Sort(int Col, int ColSec, bool Ascending) {
  const size_t M = FRows.size();
  if (Col < 0 || Col > FNrCols || M < 2) return;
  const bool HasSecondary = ColSec >= 0 && ColSec <= FNrCols && ColSec != Col;
  Progress(0);

  std::vector<uint32_t> Order;
  try {
    std::vector<const TCellRow*> Shown(M);
    for (size_t I = 0; I < M; ++I) Shown[I] = FRows[Phys(static_cast<int>(I) + 1)];
    TColumnKeys Primary(Shown, static_cast<uint32_t>(Col));
    std::vector<TSortKey>& Keys = Primary.Keys();
    // The secondary column is only consulted on ties, so its keys stay in shown order.
    std::optional<TColumnKeys> Secondary;
    if (HasSecondary) Secondary.emplace(Shown, static_cast<uint32_t>(ColSec));
    Progress(20);
    const TColumnKeys* Sec = Secondary ? &*Secondary : nullptr;
    auto Before = [&](const TSortKey& A, const TSortKey& B) {
      int C = Primary.Compare(A, B);
      if (C == 0 && Sec) C = Sec->Compare((*Sec)[A.Row], (*Sec)[B.Row]);
      return Ascending ? C < 0 : C > 0;
    };
    std::stable_sort(Keys.begin(), Keys.end(), Before);
    Progress(60);
    Order.resize(M);
    for (size_t I = 0; I < M; ++I) Order[I] = Keys[I].Row;
  } catch (const std::bad_alloc&) {
    OutOfMemory(u"sort the rows");
  }
  ApplyOrder(Order, Col);
  Progress(100);
}

bool TStringArray::ReorderShownRows(std::vector<uint32_t> Order, int Col) {
  const size_t M = FRows.size();
  if (Order.size() != M) return false;
  std::vector<bool> Seen;
  try {
    Seen.assign(M, false);
  } catch (const std::bad_alloc&) {
    OutOfMemory(u"reorder the rows");
  }
  for (uint32_t I : Order) {
    if (I >= M || Seen[I]) return false;
    Seen[I] = true;
  }
  if (FOnBeforeSortExchange) {
    ApplyOrder(Order, Col);
    return true;
  }
  // Order becomes the new permutation in place: each entry reads only FPerm.
  if (!FPerm.empty())
    for (uint32_t& I : Order) I = FPerm[I];
  FPerm.swap(Order);
  FInverseValid = false;
  Changed();
  return true;
}

void TStringArray::ApplyOrder(const std::vector<uint32_t>& Order, int Col) {
  if (FOnBeforeSortExchange) {
    ExchangeShownRows(Order, Col);
    return;
  }
  MaterializePerm();
  std::vector<uint32_t> Perm;
  try {
    Perm.reserve(FPerm.capacity());
    Perm.resize(Order.size());
  } catch (const std::bad_alloc&) {
    OutOfMemory(u"sort the rows");
  }
  for (size_t I = 0; I < Order.size(); ++I) Perm[I] = FPerm[Order[I]];
  FPerm.swap(Perm);
  FInverseValid = false;
  Changed();
}

// Carries out the new order as exchanges of two shown rows, telling the
// handler about each one first. Position I receives its row from wherever
// that row has been moved by the exchanges so far.
void TStringArray::ExchangeShownRows(const std::vector<uint32_t>& Order, int Col) {
  const size_t M = Order.size();
  const int Cols = FNrCols;
  MaterializePerm();
  std::vector<uint32_t> At, Where;  // position -> original row, original row -> position
  try {
    At.resize(M);
    Where.resize(M);
  } catch (const std::bad_alloc&) {
    OutOfMemory(u"sort the rows");
  }
  for (size_t I = 0; I < M; ++I) At[I] = Where[I] = static_cast<uint32_t>(I);
  FInverseValid = false;
  // One change notification at the end, also when the handler throws.
  struct TUpdateScope {
    TStringArray& A;
    explicit TUpdateScope(TStringArray& Array) : A(Array) { A.BeginUpdate(); }
    ~TUpdateScope() { A.EndUpdate(); }
  } Scope(*this);
  FChangedInUpdate = true;  // the order changes
  const size_t Step = M / 40 + 1;
  for (size_t I = 0; I < M; ++I) {
    const uint32_t J = Where[Order[I]];
    if (J == I) continue;
    const int Ix1 = static_cast<int>(I) + 1, Ix2 = static_cast<int>(J) + 1;
    const String Text1 = Elem(Col, Ix1);
    const String Before = Elem(Col, Ix2);
    String Text2 = Before;
    FOnBeforeSortExchange(this, 0, Ix1, Ix2, Text1, Text2);
    // A handler that resizes the matrix invalidates the order; stop there.
    if (NrOfRows() != static_cast<int>(M) || FNrCols != Cols) break;
    if (Text2 != Before) SetElem(Col, Ix2, Text2);
    std::swap(FPerm[I], FPerm[J]);
    std::swap(At[I], At[J]);
    Where[At[I]] = static_cast<uint32_t>(I);
    Where[At[J]] = J;
    if (M >= kProgressRows && I % Step == 0) Progress(60 + static_cast<int>(40.0 * static_cast<double>(I) / M));
  }
}

}  // namespace orv
