// Date text and picker formats from outside: the input is a format and a
// text separated by the first newline. The reader must return one of its
// codes (or raise the conversion error for a date that does not exist),
// leave 0.0 behind a failure and give a real date or time on success; the
// picker's rendering of that value must stay in proportion to the format.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "framework/controls/dtpformat.h"
#include "framework/rtl/dateutils.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/unicode.h"
#include "replist/datereader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orv;
  const std::string_view Input(reinterpret_cast<const char*>(data), size);
  const size_t Cut = Input.find('\n');
  const String Format = FromUtf8(Input.substr(0, Cut));
  const String Text = Cut == std::string_view::npos ? String() : FromUtf8(Input.substr(Cut + 1));

  TDateTime Value = -7;
  int Code = 0;
  try {
    Code = ScanDateTime(Text, Format, Value);
  } catch (const EConvertError&) {
    return 0;
  }
  if (Code != sdtOk && Code != sdtLiteralMismatch && Code != sdtUnknownRun && Code != sdtBadField) std::abort();
  if (Code != sdtOk && Value != 0.0) std::abort();
  if (!std::isfinite(Value) || Value < MinDateTime || Value > MaxDateTime + 1) std::abort();

  const String Shown = FormatPickerDateTime(Format, Value);
  if (Shown.size() > 9 * Format.size()) std::abort();  // "September" is the longest run
  return 0;
}
