// Date text from outside: parsed as a short date under several orders and
// windows by both date readers, which must agree, and used as a date format
// string on assorted values. Neither may crash, hang or produce output out of
// proportion to the format.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "framework/rtl/dateutils.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/unicode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orv;
  if (size == 0) return 0;
  const uint8_t Selector = data[0];
  const String Text = FromUtf8(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));

  TFormatSettings Parse;
  static constexpr const char16_t* kOrders[] = {u"dd/mm/yyyy", u"m/d/yy", u"yyyy/mm/dd", u"", u"'d' y m"};
  Parse.ShortDateFormat = kOrders[Selector % 5];
  Parse.DateSeparator = (Selector & 0x08) != 0 ? u'-' : u'/';
  Parse.TwoDigitYearCenturyWindow = (Selector & 0x10) != 0 ? 0 : (Selector & 0x20) != 0 ? 50 : 30000;
  TDateTime Parsed = 0;
  const bool Valid = TryStrToDate(Text, Parsed, Parse);
  if (Valid) {
    uint16_t Y, M, D;
    DecodeDate(Parsed, Y, M, D);
    if (!IsValidDate(Y, M, D)) std::abort();  // a success must be a real date
  }
  // The raising reader agrees with the trying one, value and verdict.
  bool Raised = false;
  TDateTime Strict = 0;
  try {
    Strict = StrToDate(Text, Parse);
  } catch (const EConvertError&) {
    Raised = true;
  }
  if (Raised == Valid || (Valid && Strict != Parsed)) std::abort();

  // The input also drives the settings' own formats, which the composite tokens expand.
  TDateFormatSettings Format;
  Format.ShortDateFormat = Text;
  Format.LongTimeFormat = Text;
  static constexpr TDateTime kValues[] = {0.0, -1.25, 45000.999994, MinDateTime, 2958465.99999, 1e300, -0.5};
  double Value = kValues[(Selector >> 5) % 7];
  if (size >= 9 && (Selector & 1) != 0) std::memcpy(&Value, data + 1, sizeof(Value));  // any bit pattern, NaN too
  const String Out = FormatDateTime(Text, Value, Format);
  // A format character yields at most a nine-letter name, or (c, ddddd, t, ...) one
  // settings format whose own characters are not expanded further.
  const size_t L = Text.size() + 1;
  if (Out.size() > 20 * L * L) std::abort();
  return 0;
}
