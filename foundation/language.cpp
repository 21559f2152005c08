#include "foundation/language.h"

#include <array>
#include <string_view>

namespace orv {

namespace {

constexpr int kNumLanguages = 5;  // lgNeutral .. lgSpanish

using TMonthNames = std::array<std::u16string_view, 12>;
using TDayNames = std::array<std::u16string_view, 7>;

constexpr TMonthNames kEnglishLong{u"January", u"February", u"March",     u"April",   u"May",      u"June",
                                   u"July",    u"August",   u"September", u"October", u"November", u"December"};
constexpr TMonthNames kGermanLong{u"Januar", u"Februar", u"M\u00E4rz",  u"April",   u"Mai",      u"Juni",
                                  u"Juli",   u"August",  u"September", u"Oktober", u"November", u"Dezember"};
constexpr TMonthNames kFrenchLong{u"Janvier", u"F\u00E9vrier", u"Mars",      u"Avril",   u"Mai",      u"Juin",
                                  u"Juillet", u"Ao\u00FBt",    u"Septembre", u"Octobre", u"Novembre", u"D\u00E9cembre"};
constexpr TMonthNames kSpanishLong{u"Enero", u"Febrero", u"Marzo",      u"Abril",   u"Mayo",      u"Junio",
                                   u"Julio", u"Agosto",  u"Septiembre", u"Octubre", u"Noviembre", u"Diciembre"};

constexpr TMonthNames kEnglishShort{u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                    u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
constexpr TMonthNames kGermanShort{u"Jan", u"Feb", u"M\u00E4r", u"Apr", u"Mai", u"Jun",
                                   u"Jul", u"Aug", u"Sep",      u"Okt", u"Nov", u"Dez"};
// French abbreviations keep four letters where three would be ambiguous
// (juin/juillet, mars/mai).
constexpr TMonthNames kFrenchShort{u"Janv", u"F\u00E9vr", u"Mars", u"Avr", u"Mai", u"Juin",
                                   u"Juil", u"Ao\u00FBt", u"Sept", u"Oct", u"Nov", u"D\u00E9c"};
constexpr TMonthNames kSpanishShort{u"Ene", u"Feb", u"Mar", u"Abr", u"May", u"Jun",
                                    u"Jul", u"Ago", u"Sep", u"Oct", u"Nov", u"Dic"};

constexpr TDayNames kEnglishDays{u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat", u"Sun"};
constexpr TDayNames kGermanDays{u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa", u"So"};
constexpr TDayNames kFrenchDays{u"Lun", u"Mar", u"Mer", u"Jeu", u"Ven", u"Sam", u"Dim"};
constexpr TDayNames kSpanishDays{u"Lun", u"Mar", u"Mi\u00E9", u"Jue", u"Vie", u"S\u00E1b", u"Dom"};

// Indexed by TLanguage; lgNeutral and lgEnglish share the English tables.
constexpr std::array<const TMonthNames*, kNumLanguages> kMonthLong{&kEnglishLong, &kEnglishLong, &kGermanLong,
                                                                   &kFrenchLong, &kSpanishLong};
constexpr std::array<const TMonthNames*, kNumLanguages> kMonthShort{&kEnglishShort, &kEnglishShort, &kGermanShort,
                                                                    &kFrenchShort, &kSpanishShort};
constexpr std::array<const TDayNames*, kNumLanguages> kWeekDayShort{&kEnglishDays, &kEnglishDays, &kGermanDays,
                                                                    &kFrenchDays, &kSpanishDays};

template <typename Table>
String Lookup(const std::array<const Table*, kNumLanguages>& Tables, TLanguage Lang, int Index) {
  const auto L = static_cast<size_t>(Lang);
  if (L >= Tables.size() || Index < 0 || static_cast<size_t>(Index) >= Tables[L]->size()) return String();
  return String((*Tables[L])[static_cast<size_t>(Index)]);
}

}  // namespace

String MonthLong(TLanguage Lang, int Month) { return Lookup(kMonthLong, Lang, Month - 1); }
String MonthShort(TLanguage Lang, int Month) { return Lookup(kMonthShort, Lang, Month - 1); }
String WeekDayShort(TLanguage Lang, int Day) { return Lookup(kWeekDayShort, Lang, Day); }

}  // namespace orv
