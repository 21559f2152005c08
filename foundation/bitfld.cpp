#include "foundation/bitfld.h"

#include <algorithm>
#include <bit>
#include <new>

#include "foundation/basetypes.h"
#include "framework/rtl/sysutils.h"

namespace orv {

namespace {
size_t WordsFor(int NBits) { return (static_cast<size_t>(NBits) + 63) / 64; }
uint64_t Mask(int Ix) { return uint64_t{1} << (Ix % 64); }
}  // namespace

TBitFld::TBitFld(int NBits) { SetSize(NBits); }

void TBitFld::SetSize(int NBits) {
  NBits = std::max(NBits, 0);
  if (NBits == FSize) return;
  try {
    FWords.resize(WordsFor(NBits), 0);
  } catch (const std::bad_alloc&) {
    throw EORVDStructError(u"TBitFld: not enough memory for " + IntToStr(NBits) + u" bits");
  }
  FSize = NBits;
  ClearUnusedTail();
}

void TBitFld::ClearUnusedTail() {
  if (FSize % WordBits != 0) FWords.back() &= Mask(FSize) - 1;
}

bool TBitFld::Bit(int Ix) const { return Inside(Ix) && (FWords[static_cast<size_t>(Ix / WordBits)] & Mask(Ix)) != 0; }

void TBitFld::SetBit(int Ix, bool Value) {
  if (!Inside(Ix)) return;
  uint64_t& Word = FWords[static_cast<size_t>(Ix / WordBits)];
  Word = Value ? (Word | Mask(Ix)) : (Word & ~Mask(Ix));
}

void TBitFld::Toggle(int Ix) {
  if (Inside(Ix)) FWords[static_cast<size_t>(Ix / WordBits)] ^= Mask(Ix);
}

void TBitFld::Clear() { std::fill(FWords.begin(), FWords.end(), 0); }

void TBitFld::SetAll() {
  std::fill(FWords.begin(), FWords.end(), ~uint64_t{0});
  ClearUnusedTail();
}

void TBitFld::Invert() {
  for (uint64_t& Word : FWords) Word = ~Word;
  ClearUnusedTail();
}

int TBitFld::Count() const {
  int N = 0;
  for (uint64_t Word : FWords) N += std::popcount(Word);
  return N;
}

int TBitFld::NextSet(int Ix) const {
  if (Ix >= FSize - 1) return -1;
  const int Start = Ix < 0 ? 0 : Ix + 1;
  size_t W = static_cast<size_t>(Start / WordBits);
  uint64_t Word = FWords[W] & ~(Mask(Start) - 1);
  while (true) {
    if (Word != 0) return static_cast<int>(W) * WordBits + std::countr_zero(Word);
    if (++W >= FWords.size()) return -1;
    Word = FWords[W];
  }
}

void TBitFld::Assign(TPersistent* Source) {
  if (auto* Other = dynamic_cast<TBitFld*>(Source)) {
    if (Other == this) return;
    std::vector<uint64_t> Copy = Other->FWords;  // may throw; this set stays as it was
    FWords.swap(Copy);
    FSize = Other->FSize;
    return;
  }
  TPersistent::Assign(Source);
}

}  // namespace orv
