#pragma once
// A bit set of a given size with 0-based bit indices. Bits outside the set
// read false and writes to them are ignored.

#include <cstdint>
#include <vector>

#include "framework/rtl/classes.h"

namespace orv {

class TBitFld : public TPersistent {
 public:
  // NBits below 0 counts as 0; all bits start cleared.
  explicit TBitFld(int NBits = 0);

  int Size() const { return FSize; }
  // Bits that still fit keep their value, added bits are cleared. Raises
  // EORVDStructError when the memory cannot be had; the set is then unchanged.
  void SetSize(int NBits);

  bool Bit(int Ix) const;
  void SetBit(int Ix, bool Value);
  void Toggle(int Ix);

  void Clear();   // every bit false
  void SetAll();  // every bit true
  void Invert();  // every bit flipped

  int Count() const;  // number of set bits
  // Index of the first set bit, or -1 when no bit is set.
  int FirstSet() const { return NextSet(-1); }
  // Index of the first set bit after Ix, or -1 when there is none.
  int NextSet(int Ix) const;

  // Takes size and bits of another TBitFld.
  void Assign(TPersistent* Source) override;
  friend bool operator==(const TBitFld& A, const TBitFld& B) { return A.FSize == B.FSize && A.FWords == B.FWords; }

 private:
  static constexpr int WordBits = 64;
  bool Inside(int Ix) const { return Ix >= 0 && Ix < FSize; }
  void ClearUnusedTail();

  int FSize = 0;
  // Bits beyond FSize in the last word are kept clear, so Count and
  // comparisons can work on whole words.
  std::vector<uint64_t> FWords;
};

}  // namespace orv
