#include "rlcsv.h"

#include <algorithm>
#include <new>

#include "foundation/strhelpers.h"
#include "framework/rtl/atomicfile.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/streams.h"
#include "framework/rtl/unicode.h"
#include "replist/rldata.h"
#include "replist/rltext.h"

namespace orv {

namespace {

// Cells an import may create (rows x (columns + 1)); more is taken as damage.
constexpr long long kMaxImportCells = 1LL << 25;

bool NeedsQuotes(std::u16string_view Field, Char Delimiter) {
  // A leading U+FEFF at the start of a file would be taken for a byte-order mark.
  if (!Field.empty() && Field[0] == 0xFEFF) return true;
  for (const Char C : Field)
    if (C == Delimiter || C == u'"' || C == u'\n' || C == u'\r') return true;
  return false;
}

void AppendField(std::string& Out, std::u16string_view Field, Char Delimiter, bool Alone) {
  if (Field.empty()) {
    if (Alone) Out += "\"\"";  // a record of one empty field would read as a blank line
    return;
  }
  if (!NeedsQuotes(Field, Delimiter)) {
    Out += ToUtf8(Field);
    return;
  }
  Out += '"';
  for (const char B : ToUtf8(Field)) {
    if (B == '"') Out += '"';
    Out += B;
  }
  Out += '"';
}

}  // namespace

Char CSVDelimiterChar(TCSVDelimiters Delimiter) {
  switch (Delimiter) {
    case csvSemicolon: return u';';
    case csvTab: return u'\t';
    case csvSpace: return u' ';
    case csvPipe: return u'|';
    default: return u',';
  }
}

int ParseCSVText(std::u16string_view Text, Char Delimiter, std::vector<String>& Fields,
                 std::vector<size_t>& RecordStart) {
  Fields.clear();
  RecordStart.clear();
  const size_t N = Text.size();
  size_t I = 0;
  auto AtLineEnd = [&](size_t K) { return Text[K] == u'\n' || Text[K] == u'\r'; };
  while (I < N) {
    if (AtLineEnd(I)) {  // a line with nothing on it
      I += (Text[I] == u'\r' && I + 1 < N && Text[I + 1] == u'\n') ? 2 : 1;
      continue;
    }
    RecordStart.push_back(Fields.size());
    for (;;) {
      String Field;
      if (I < N && Text[I] == u'"') {
        ++I;
        for (;;) {
          const size_t Quote = Text.find(u'"', I);
          if (Quote == std::u16string_view::npos) return rlxSyntaxError;
          Field.append(Text.substr(I, Quote - I));
          I = Quote + 1;
          if (I < N && Text[I] == u'"') {
            Field += u'"';
            ++I;
          } else {
            break;
          }
        }
      }
      const size_t Start = I;
      while (I < N && Text[I] != Delimiter && !AtLineEnd(I)) ++I;
      Field.append(Text.substr(Start, I - Start));
      Fields.push_back(std::move(Field));
      if (I < N && Text[I] == Delimiter) {
        ++I;
        if (I < N) continue;
        Fields.emplace_back();  // a delimiter at the very end opens one more, empty field
        break;
      }
      if (I < N) I += (Text[I] == u'\r' && I + 1 < N && Text[I + 1] == u'\n') ? 2 : 1;
      break;
    }
  }
  return static_cast<int>(RecordStart.size());
}

int ImportCSVBytes(TRLData& Data, std::string_view Bytes, TCSVDelimiters Delimiter, bool IncludeColHeaders) {
  try {
    if (Bytes.substr(0, 3) == "\xEF\xBB\xBF") Bytes.remove_prefix(3);
    std::vector<String> Fields;
    std::vector<size_t> Starts;
    const int Records = ParseCSVText(rltext::DecodeText(Bytes), CSVDelimiterChar(Delimiter), Fields, Starts);
    if (Records < 0) return Records;
    Starts.push_back(Fields.size());
    size_t Columns = 1;
    for (size_t R = 0; R + 1 < Starts.size(); ++R) Columns = std::max(Columns, Starts[R + 1] - Starts[R]);
    const int Skip = IncludeColHeaders && Records > 0 ? 1 : 0;
    const long long Rows = Records - Skip;
    if (Columns > static_cast<size_t>(kMaxImportCells) ||
        Rows * (static_cast<long long>(Columns) + 1) > kMaxImportCells)
      return rlxTooLarge;

    // The new table is built aside and exchanged with the store's only when
    // complete, so running out of memory half-way leaves the store as it was.
    TRLData Fresh(nullptr);
    if (Data.OnPercentDone())
      Fresh.SetOnPercentDone([&Data](TObject*, int Percent) { Data.OnPercentDone()(&Data, Percent); });
    Fresh.SetNrOfColumns(static_cast<int>(Columns));
    Fresh.SetNrOfRows(static_cast<int>(Rows));
    TStringArray* A = Fresh.Strings();
    if (Skip == 1)
      for (size_t K = Starts[0]; K < Starts[1]; ++K) Fresh.SetHeader(static_cast<int>(K - Starts[0] + 1), Fields[K]);
    long long Done = 0;
    for (int R = 1; R <= Rows; ++R) {
      const size_t Rec = static_cast<size_t>(R - 1 + Skip);
      for (size_t K = Starts[Rec]; K < Starts[Rec + 1]; ++K) {
        A->SetElem(static_cast<int>(K - Starts[Rec] + 1), R, Fields[K]);
        Fresh.ReportProgress(++Done);
      }
    }
    TStringArray* Target = Data.Strings();
    Target->BeginUpdate();
    Data.UnSort();
    Data.ExchangeTable(Fresh);
    Target->EndUpdate();
    return static_cast<int>(Rows);
  } catch (const std::bad_alloc&) {
    return rlxTooLarge;
  } catch (const EORVError&) {
    return rlxTooLarge;
  }
}

int ExportCSVBytes(TRLData& Data, std::string& Bytes, TCSVDelimiters Delimiter, bool IncludeColHeaders,
                   bool IncludeCommonHeader, int FirstCol, int FirstRow, int LastCol, int LastRow) {
  FirstCol = std::max(FirstCol, 1);
  LastCol = std::min(LastCol, Data.NrOfColumns());
  FirstRow = std::max(FirstRow, 1);
  LastRow = std::min(LastRow, Data.NrOfRows());
  if (FirstCol > LastCol) return rlxInvalidRange;
  const Char Sep = CSVDelimiterChar(Delimiter);
  const bool Alone = FirstCol == LastCol;
  Bytes.clear();
  if (IncludeCommonHeader) {
    AppendField(Bytes, Data.CommonHeader(), Sep, true);
    Bytes += "\r\n";
  }
  auto Record = [&](auto&& Field) {
    for (int C = FirstCol; C <= LastCol; ++C) {
      if (C > FirstCol) Bytes += static_cast<char>(Sep);
      AppendField(Bytes, Field(C), Sep, Alone);
    }
    Bytes += "\r\n";
  };
  if (IncludeColHeaders) Record([&](int C) { return Data.Header(C); });
  long long Done = 0;
  for (int R = FirstRow; R <= LastRow; ++R)
    Record([&](int C) {
      Data.ReportProgress(++Done);
      return Data.Elem(C, R);
    });
  return std::max(LastRow - FirstRow + 1, 0);
}

// --- TRLData members ------------------------------------------------------------

int TRLData::ImportCSV(const String& FName, TCSVDelimiters Delimiter, bool IncludeColHeaders) {
  std::string Bytes;
  try {
    TFileStream Stream(FName, fmOpenRead);
    Bytes = rltext::ReadRest(&Stream);
  } catch (const Exception&) {
    return rlxOpenError;
  } catch (const std::bad_alloc&) {
    return rlxTooLarge;
  }
  return ImportCSVBytes(*this, Bytes, Delimiter, IncludeColHeaders);
}

int TRLData::ExportCSV(const String& FName, TCSVDelimiters Delimiter, bool IncludeColHeaders,
                       bool IncludeCommonHeader, int FirstCol, int FirstRow, int LastCol, int LastRow) {
  std::string Bytes;
  const int Rows = ExportCSVBytes(*this, Bytes, Delimiter, IncludeColHeaders, IncludeCommonHeader, FirstCol,
                                  FirstRow, LastCol, LastRow);
  if (Rows < 0) return Rows;
  try {
    SaveFileAtomically(FName, Bytes);
  } catch (const Exception&) {
    return rlxWriteError;
  }
  return Rows;
}

int TRLData::LoadLinesFromFile(int Column, int FirstRow, const String& FName) {
  if (Column < 0 || Column > NrOfColumns() || FirstRow < 1) return rlxInvalidRange;
  std::vector<String> Lines;
  try {
    TFileStream Stream(FName, fmOpenRead);
    if (Stream.Size() != 0) {
      bool AtEnd = false;
      while (!AtEnd) Lines.push_back(ReadLnStream(&Stream, AtEnd));
    }
  } catch (const Exception&) {
    return rlxOpenError;
  } catch (const std::bad_alloc&) {
    return rlxTooLarge;
  }
  const long long LastRow = static_cast<long long>(FirstRow) + static_cast<long long>(Lines.size()) - 1;
  if (LastRow * (static_cast<long long>(NrOfColumns()) + 1) > kMaxImportCells) return rlxTooLarge;
  TStringArray* A = Strings();
  const int OldRows = NrOfRows();
  // The stored texts the lines replace, kept to put back should memory run out.
  std::vector<String> Saved;
  try {
    for (long long R = FirstRow; R <= std::min<long long>(LastRow, OldRows); ++R)
      Saved.push_back(A->Elem(Column, static_cast<int>(R)));
  } catch (const std::bad_alloc&) {
    return rlxTooLarge;
  }
  A->BeginUpdate();
  size_t Written = 0;
  try {
    if (LastRow > OldRows) SetNrOfRows(static_cast<int>(LastRow));
    for (; Written < Lines.size(); ++Written) SetElem(Column, FirstRow + static_cast<int>(Written), Lines[Written]);
  } catch (const std::exception&) {  // std::bad_alloc, or the array's EORVDStructError
    // The added rows go first: that frees the memory the old texts need.
    try {
      if (NrOfRows() > OldRows) SetNrOfRows(OldRows);
      for (size_t I = 0; I < std::min(Written, Saved.size()); ++I)
        A->SetElem(Column, FirstRow + static_cast<int>(I), Saved[I]);
    } catch (const std::exception&) {
      // Nothing more can be put back without memory.
    }
    A->EndUpdate();
    return rlxTooLarge;
  }
  A->EndUpdate();
  return static_cast<int>(Lines.size());
}

}  // namespace orv
