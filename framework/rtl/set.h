#pragma once
// TSet<E>: a set of enumeration members with ordinals 0..255, the counterpart
// of the host framework's set types (TShiftState, TFontStyles, ...).

#include <bitset>
#include <cstddef>
#include <initializer_list>

namespace orv {

template <typename E, size_t N = 256>
class TSet {
 public:
  constexpr TSet() = default;
  TSet(std::initializer_list<E> Members) {
    for (E M : Members) Include(M);
  }

  bool Contains(E M) const { return FBits.test(Index(M)); }
  TSet& Include(E M) {
    FBits.set(Index(M));
    return *this;
  }
  TSet& Exclude(E M) {
    FBits.reset(Index(M));
    return *this;
  }
  TSet& operator<<(E M) { return Include(M); }
  TSet& operator>>(E M) { return Exclude(M); }
  bool Empty() const { return FBits.none(); }
  size_t Count() const { return FBits.count(); }
  void Clear() { FBits.reset(); }

  friend TSet operator+(TSet A, const TSet& B) {
    A.FBits |= B.FBits;
    return A;
  }
  friend TSet operator-(TSet A, const TSet& B) {
    A.FBits &= ~B.FBits;
    return A;
  }
  friend TSet operator*(TSet A, const TSet& B) {
    A.FBits &= B.FBits;
    return A;
  }
  friend bool operator==(const TSet& A, const TSet& B) { return A.FBits == B.FBits; }
  // True when every member of A is in B.
  friend bool operator<=(const TSet& A, const TSet& B) { return (A.FBits & ~B.FBits).none(); }

 private:
  static size_t Index(E M) { return static_cast<size_t>(M); }
  std::bitset<N> FBits;
};

}  // namespace orv
