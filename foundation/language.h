#pragma once
// Month and weekday names in the languages of TLanguage, for calendar titles
// and column heads. lgNeutral uses the English names.
//
// Lengths are bounded so that fixed layouts fit: long month names have at most
// 10 characters, short month names at most 4, weekday names at most 3.

#include "foundation/basetypes.h"
#include "framework/rtl/types.h"

namespace orv {

inline constexpr int MaxMonthLongLength = 10;
inline constexpr int MaxMonthShortLength = 4;
inline constexpr int MaxWeekDayShortLength = 3;

// Month 1 = January .. 12 = December; an empty string outside 1..12 or for a
// language ordinal outside TLanguage.
String MonthLong(TLanguage Lang, int Month);
String MonthShort(TLanguage Lang, int Month);

// Day 0 = Monday .. 6 = Sunday (the ordinals of the calendar's TDayOfWeek, so
// "(first day + column - 1) mod 7" indexes it directly); an empty string
// outside 0..6 or for a language ordinal outside TLanguage.
String WeekDayShort(TLanguage Lang, int Day);

}  // namespace orv
