// Report list XML from outside: any bytes offered to the stream reader, the
// string reader and the root-line check. Whatever a reader accepts must write
// back to a document that reads to the same store and writes the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/rtl/streams.h"
#include "framework/rtl/unicode.h"
#include "replist/rldata.h"
#include "replist/rlxml.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orv;
  if (size == 0) return 0;
  const std::string Bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const String DataID = (data[0] & 1) != 0 ? String(u"a") : String();

  TStringStream Check(Bytes);
  (void)CheckIfValidReplist(&Check, DataID);

  TRLData D(nullptr);
  TStringStream In(Bytes);
  bool Read = false;
  try {
    Read = (data[0] & 2) != 0 ? D.ReadFromXMLString(FromUtf8(Bytes), DataID) : D.ReadFromXMLStream(&In, DataID);
  } catch (const Exception&) {
    return 0;  // a store that cannot take the declared size
  }
  if (!Read) return 0;

  TStringStream First;
  D.WriteToXMLStream(&First, (data[0] & 4) != 0, u"x");
  TRLData E(nullptr);
  First.SetPosition(0);
  if (!E.ReadFromXMLStream(&First, u"x")) std::abort();
  TStringStream Second;
  E.WriteToXMLStream(&Second, (data[0] & 4) != 0, u"x");
  if (First.DataString() != Second.DataString()) std::abort();
  return 0;
}
