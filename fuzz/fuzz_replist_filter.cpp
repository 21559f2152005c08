// Filter expressions from outside: the first byte picks the mode and the
// letter case rule, the rest (UTF-8) is the expression. A malformed expression
// must be refused with a position inside it (or just behind it) and a reason;
// a boolean expression that compiles must compile negated too and match the
// opposite rows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/rtl/unicode.h"
#include "replist/filterexpr.h"

namespace {

const std::u16string_view kRows[][2] = {
    {u"Red apple", u"12.5"}, {u"", u"and|or"}, {u"\u00E9t\u00E9 \u20AC", u"(x)"}, {u"\"q\"", u"NOT"}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orv;
  if (size == 0) return 0;
  const auto Mode = static_cast<TFilterMode>(data[0] % 3);
  const bool IgnoreCase = (data[0] & 4) != 0;
  // The regular expression library backtracks; long random patterns only
  // measure its patience, not this code.
  if (Mode == fmGrep && size > 48) return 0;
  const String Expr = FromUtf8(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));

  bool Match[4];
  try {
    const TRowFilter F(Expr, Mode, IgnoreCase);
    for (size_t R = 0; R < 4; ++R) Match[R] = F.Matches(std::span<const std::u16string_view>(kRows[R]));
  } catch (const EORVFilterError& E) {
    if (E.Reason().empty() || E.Position() < 0 || E.Position() > static_cast<int>(Expr.size()) + 1) std::abort();
    return 0;
  }
  if (Mode != fmBoolean || Expr.find_first_not_of(u" \t\r\n") == String::npos) return 0;
  try {
    const TRowFilter Negated(u"NOT (" + Expr + u")", Mode, IgnoreCase);
    for (size_t R = 0; R < 4; ++R)
      if (Negated.Matches(std::span<const std::u16string_view>(kRows[R])) == Match[R]) std::abort();
  } catch (const EORVFilterError& E) {
    // Only the added level of nesting can fail.
    if (E.Reason() != u"nesting too deep") std::abort();
  }
  return 0;
}
