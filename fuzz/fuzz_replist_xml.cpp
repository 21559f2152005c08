// Report list XML from outside: any bytes offered to the stream reader, the
// string reader and the root-line check. Whatever a reader accepts must write
// back to a document that reads to the same store and writes the same bytes;
// whatever it refuses, by result or by exception, must leave the store it was
// offered to exactly as it was.
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

  // A store with something of everything in it, to be kept by a refusal.
  TRLData D(nullptr);
  D.SetNrOfColumns(3);
  D.SetNrOfRows(4);
  for (int C = 0; C <= 3; ++C)
    for (int R = 1; R <= 4; ++R) D.SetElem(C, R, FromUtf8(std::to_string(C * 7 + R * 3)));
  D.SetHeader(2, u"two");
  D.SetColumnFormat(3, u"N:1");
  D.SetIsCheckedColumn(1, true);
  D.SetElemChecked(1, 2, true);
  D.Strings()->SetRowAttrib(3, 0x80);
  D.SetComment(u"kept");
  D.Sort(2, -1, false);
  TStringStream Before;
  D.WriteToXMLStream(&Before, false, u"x");

  TStringStream In(Bytes);
  bool Read = false;
  bool Raised = false;
  try {
    Read = (data[0] & 2) != 0 ? D.ReadFromXMLString(FromUtf8(Bytes), DataID) : D.ReadFromXMLStream(&In, DataID);
  } catch (const Exception&) {
    Raised = true;  // a store that cannot take the declared size
  }
  if (!Read || Raised) {
    TStringStream After;
    D.WriteToXMLStream(&After, false, u"x");
    if (After.DataString() != Before.DataString() || !D.DataID().empty()) std::abort();
    return 0;
  }

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
