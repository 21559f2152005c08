// CSV from outside: any bytes imported with each delimiter, with or without a
// header line. Whatever is imported must export and import again to the same
// cells and names; a refused import must leave the store as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "replist/rlcsv.h"
#include "replist/rldata.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orv;
  if (size == 0) return 0;
  const auto Delimiter = static_cast<TCSVDelimiters>(data[0] % 5);
  const bool Header = (data[0] & 8) != 0;
  const std::string_view Bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  TRLData D(nullptr);
  D.SetNrOfColumns(2);
  D.SetNrOfRows(2);
  D.SetHeader(2, u"kept");
  D.SetElem(1, 2, u"kept");
  const int Rows = ImportCSVBytes(D, Bytes, Delimiter, Header);
  if (Rows < 0) {
    if (D.NrOfColumns() != 2 || D.NrOfRows() != 2 || D.Header(2) != u"kept" || D.Elem(1, 2) != u"kept") std::abort();
    return 0;
  }
  if (Rows != D.NrOfRows()) std::abort();

  std::string Out;
  if (ExportCSVBytes(D, Out, Delimiter, Header, false, 1, 1, D.NrOfColumns(), D.NrOfRows()) != Rows) std::abort();
  TRLData E(nullptr);
  if (ImportCSVBytes(E, Out, Delimiter, Header) != Rows) std::abort();
  // Rows of nothing but empty cells may be fewer fields wide after the trip,
  // so the column count can only shrink; the texts must stay.
  if (E.NrOfColumns() > D.NrOfColumns()) std::abort();
  for (int C = 1; C <= D.NrOfColumns(); ++C) {
    if (Header && C <= E.NrOfColumns() && E.Header(C) != D.Header(C)) std::abort();
    for (int R = 1; R <= Rows; ++R)
      if (E.Elem(C, R) != D.Elem(C, R)) std::abort();
  }
  return 0;
}
