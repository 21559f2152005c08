#include "foundation/language.h"

#include <gtest/gtest.h>

#include <set>

namespace orv {
namespace {

constexpr TLanguage kAllLanguages[] = {lgNeutral, lgEnglish, lgGerman, lgFrench, lgSpanish};

TEST(LanguageNames, EveryEntryExistsWithinItsLengthLimit) {
  for (TLanguage Lang : kAllLanguages) {
    for (int M = 1; M <= 12; ++M) {
      const String Long = MonthLong(Lang, M);
      const String Short = MonthShort(Lang, M);
      EXPECT_FALSE(Long.empty());
      EXPECT_LE(static_cast<int>(Long.size()), MaxMonthLongLength) << int(Lang) << " " << M;
      EXPECT_FALSE(Short.empty());
      EXPECT_LE(static_cast<int>(Short.size()), MaxMonthShortLength) << int(Lang) << " " << M;
    }
    for (int D = 0; D < 7; ++D) {
      const String Day = WeekDayShort(Lang, D);
      EXPECT_FALSE(Day.empty());
      EXPECT_LE(static_cast<int>(Day.size()), MaxWeekDayShortLength) << int(Lang) << " " << D;
    }
  }
}

TEST(LanguageNames, NamesWithinALanguageAreDistinct) {
  for (TLanguage Lang : kAllLanguages) {
    std::set<String> Long, Short, Days;
    for (int M = 1; M <= 12; ++M) {
      Long.insert(MonthLong(Lang, M));
      Short.insert(MonthShort(Lang, M));
    }
    for (int D = 0; D < 7; ++D) Days.insert(WeekDayShort(Lang, D));
    EXPECT_EQ(Long.size(), 12u) << int(Lang);
    EXPECT_EQ(Short.size(), 12u) << int(Lang);
    EXPECT_EQ(Days.size(), 7u) << int(Lang);
  }
}

TEST(LanguageNames, TablesStartWithJanuaryAndMonday) {
  EXPECT_EQ(MonthLong(lgEnglish, 1), u"January");
  EXPECT_EQ(MonthLong(lgEnglish, 9), u"September");
  EXPECT_EQ(MonthShort(lgEnglish, 12), u"Dec");
  EXPECT_EQ(WeekDayShort(lgEnglish, 0), u"Mon");
  EXPECT_EQ(WeekDayShort(lgEnglish, 6), u"Sun");
  EXPECT_EQ(MonthLong(lgGerman, 3), u"M\u00E4rz");
  EXPECT_EQ(WeekDayShort(lgGerman, 6), u"So");
  EXPECT_EQ(MonthLong(lgFrench, 8), u"Ao\u00FBt");
  EXPECT_EQ(WeekDayShort(lgFrench, 0), u"Lun");
  EXPECT_EQ(MonthLong(lgSpanish, 9), u"Septiembre");
  EXPECT_EQ(WeekDayShort(lgSpanish, 5), u"S\u00E1b");
  EXPECT_EQ(MonthLong(lgNeutral, 5), u"May");
  EXPECT_EQ(WeekDayShort(lgNeutral, 3), u"Thu");
}

TEST(LanguageNames, OutOfRangeIndicesReadEmpty) {
  EXPECT_EQ(MonthLong(lgEnglish, 0), u"");
  EXPECT_EQ(MonthLong(lgEnglish, 13), u"");
  EXPECT_EQ(MonthShort(lgGerman, -1), u"");
  EXPECT_EQ(WeekDayShort(lgFrench, 7), u"");
  EXPECT_EQ(WeekDayShort(lgFrench, -1), u"");
  EXPECT_EQ(MonthLong(static_cast<TLanguage>(5), 1), u"");
  EXPECT_EQ(WeekDayShort(static_cast<TLanguage>(200), 0), u"");
}

}  // namespace
}  // namespace orv
