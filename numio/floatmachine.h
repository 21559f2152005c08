#pragma once
// The state machine shared by the decimal scanner and the decimal syntax
// check. Internal to the numio library.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/rtl/types.h"

namespace orv::floatmachine {

enum TState : uint8_t { stStart, stSign, stInt, stPoint, stFrac, stExpMark, stExpSign, stExpDigits, stDone, stError };
enum TClass : uint8_t { clSep, clSign, clBlank, clDigit, clExp, clOther };

// The syntax check refuses an exponent above this; the scanner's short-text
// path hands only exponents up to it to the conversion directly.
inline constexpr int kMaxExponent = 4200;

// Next state for each state and character class; rows past stExpDigits are
// never looked up because the machine stops in stDone or stError.
inline constexpr TState kNext[8][6] = {
    //            sep      sign       blank    digit        exp        other
    /* Start */ {stPoint, stSign, stStart, stInt, stError, stError},
    /* Sign  */ {stPoint, stError, stError, stInt, stError, stError},
    /* Int   */ {stPoint, stDone, stDone, stInt, stExpMark, stDone},
    /* Point */ {stError, stDone, stDone, stFrac, stExpMark, stDone},
    /* Frac  */ {stError, stDone, stDone, stFrac, stExpMark, stDone},
    /* ExpMk */ {stError, stExpSign, stError, stExpDigits, stError, stDone},
    /* ExpSg */ {stError, stError, stError, stExpDigits, stError, stDone},
    /* ExpDg */ {stDone, stDone, stDone, stExpDigits, stDone, stDone},
};

// The separator is tested first, so a character that is a separator in the
// current mode never counts as anything else. An exponent marker that is not
// allowed counts as "other", which ends or rejects the number exactly as the
// machine without exponent would.
inline TClass Classify(Char C, bool ExpAllowed, int SepMode) {
  if (C >= u'0' && C <= u'9') return clDigit;  // never a separator: test it first, it is the common case
  if (C == u'.') {
    if (SepMode != 2) return clSep;
  } else if (C == u',') {
    if (SepMode == 2 || SepMode == 3) return clSep;
  }
  switch (C) {
    case u'+':
    case u'-':
      return clSign;
    case u' ':
      return clBlank;
    case u'E':
    case u'e':
      return ExpAllowed ? clExp : clOther;
    default:
      return clOther;
  }
}

// Saturating accumulation of the exponent text's value: once above the cap it
// stays above, however many digits follow.
inline int AddExponentDigit(int Exponent, Char Digit) {
  const int Next = Exponent * 10 + (Digit - u'0');
  return Next > kMaxExponent ? kMaxExponent + 1 : Next;
}

// Index (0-based) where a scan that was asked to start at 1-based Pos begins.
// A position below 1 starts at the first character; one past the end stays
// where it is, so the scan finds no number there and leaves it unchanged.
inline size_t StartIndex(int Pos) {
  return Pos <= 1 ? 0 : static_cast<size_t>(Pos) - 1;
}

}  // namespace orv::floatmachine
