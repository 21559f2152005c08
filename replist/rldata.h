#pragma once
// TRLData: the data store of a report list. It keeps a table of short text
// cells (columns 0..NrOfColumns, rows 1..NrOfRows; column 0 is an extra plain
// column no view shows), per-column names, formats and check modes, row and
// column flag bytes, a common header, a comment, a data identifier and the
// state of the last sort.
//
// Cells of a check column carry their check mark as the first stored
// character: "X" (or any other non-blank) checked, a blank unchecked; a stored
// empty string means no text and unchecked. Elem hides that character.
//
// Row flag bits: 0x80 selected, 0x40 disabled. Column flag bit: 0x80 selected.
//
// The exchange formats (XML, CSV, text lines, HTML) are members too; they are
// implemented in rlxml.cpp, rlcsv.cpp and rlhtml.cpp.

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/basetypes.h"
#include "foundation/stringarray.h"
#include "framework/rtl/classes.h"

namespace orv {

class TStream;
class TextFile;

// Column name, at most 50 characters.
using TNameStrType = String;
// Column format, at most 80 characters.
using TColFmtString = String;

enum TCheckMode : uint8_t { cmNone, cmBox, cmRadio };

// Fired for every cell text the HTML export writes; the handler may change it.
using TBeforeHTMLExportEvent = std::function<void(TObject* Sender, String& Text, int Col, int Row)>;

inline constexpr int MaxNameLength = 50;
inline constexpr uint8_t RowAttrSelected = 0x80;
inline constexpr uint8_t RowAttrDisabled = 0x40;
inline constexpr uint8_t ColAttrSelected = 0x80;

class TRLData : public TComponent {
 public:
  explicit TRLData(TComponent* AOwner);
  ~TRLData() override;

  // Copies another TRLData, showing its rows in the same sorted order; any
  // other source goes to the inherited behaviour.
  void Assign(TPersistent* Source) override;

  // --- Size -------------------------------------------------------------------
  int NrOfColumns() const { return FNrOfCols; }
  // Values below 1 become 1. New columns are named "C-<number>".
  void SetNrOfColumns(int Value);
  int NrOfRows() const { return FNrOfRows; }
  // Negative values become 0.
  void SetNrOfRows(int Value);

  // --- Plain properties ---------------------------------------------------------
  const String& CommonHeader() const { return FCommonHeader; }
  void SetCommonHeader(const String& Value);
  const String& Comment() const { return FComment; }
  void SetComment(const String& Value) { FComment = Value; }
  const String& DataID() const { return FDataID; }
  void SetDataID(const String& Value) { FDataID = Value; }

  // State of the last sort: primary column (-1 = unsorted), secondary column
  // (-1 = none) and direction; the toggle serves header-click sorting.
  int LastSortColumn() const { return FSortColumn; }
  bool LastSortOrder() const { return FSortOrder; }
  int SortColumnSec() const { return FSortColumnSec; }
  void SetSortColumnSec(int Value) { FSortColumnSec = Value; }
  bool SortToggle() const { return FSortToggle; }
  void SetSortToggle(bool Value) { FSortToggle = Value; }

  // Cells walked by long operations, and the cells between two progress reports.
  int FeedbkNumCells() const { return FFeedbkNumCells; }
  int FeedbkStep() const { return FFeedbkStep; }
  // Sets the cell count (at least 1) and derives the step from it.
  void SetFeedbkNumCells(long long NumCells);
  // For operations that walk the cells: fires OnPercentDone after Done cells
  // whenever Done completes a step.
  void ReportProgress(long long Done);

  // The cell array (owned). Views connect its change and progress notifications.
  TStringArray* Strings() const { return FStrings.get(); }

  // --- Events -------------------------------------------------------------------
  const TBeforeSortExchgEvent& OnBeforeSortExchange() const { return FOnBefSortExc; }
  void SetOnBeforeSortExchange(TBeforeSortExchgEvent Handler);
  const TBeforeHTMLExportEvent& OnBeforeHTMLExport() const { return FOnBefHTMLExport; }
  void SetOnBeforeHTMLExport(TBeforeHTMLExportEvent Handler) { FOnBefHTMLExport = std::move(Handler); }
  const TOnPercentDoneEvent& OnPercentDone() const { return FOnPercentDone; }
  void SetOnPercentDone(TOnPercentDoneEvent Handler) { FOnPercentDone = std::move(Handler); }

  // --- Cells --------------------------------------------------------------------
  // Text without check mark; empty outside columns 0..n and rows 1..m.
  String Elem(int ACol, int ARow) const;
  // Keeps the check mark of a check column; the stored text is cut at 255.
  void SetElem(int ACol, int ARow, std::u16string_view Value);
  bool ElemChecked(int ACol, int ARow) const;
  // Only on check columns; on a radio column every other mark is cleared first.
  void SetElemChecked(int ACol, int ARow, bool Value);
  // The cell as a number (blanks trimmed, "," read as "."; empty gives 0).
  // Raises EORVDStructError "Class TRLData: invalid numeric string: [c,r]: text".
  double AsNumber(int ACol, int ARow) const;
  // Default text of a cell by its column format (see replist/colformat.h).
  String DefaultValue(int ACol, int ARow) const;

  // --- Column metadata (columns 1..n; reads outside give "", cmNone, false) ---
  TNameStrType Header(int ColNr) const;
  void SetHeader(int ColNr, std::u16string_view Value);
  TColFmtString ColumnFormat(int ColNr) const;
  void SetColumnFormat(int ColNr, std::u16string_view Value);
  TCheckMode ColumnCheckMode(int ColNr) const;
  // Rewrites the column's stored cells to add or drop the mark character.
  void SetColumnCheckMode(int ColNr, TCheckMode Value);
  bool IsCheckedColumn(int ColNr) const;
  // true sets cmBox, false sets cmNone.
  void SetIsCheckedColumn(int ColNr, bool Value);

  // Highest-numbered column whose name equals Head (or contains it with
  // PartialMatch), letter case ignored; -1 when none matches.
  int ColumnIndex(const String& Head, bool PartialMatch) const;

  // --- Clipboard ----------------------------------------------------------------
  // Tab-separated lines, or with UseTabs false fixed-width fields of the
  // longest stored length of each column plus one.
  void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader, bool UseTabs);
  void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                       const String& Separator);
  // A literal separator (u";") would otherwise convert to bool and pick the tab form.
  void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader, const Char* Separator) {
    CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, String(Separator ? Separator : u""));
  }
  // The text CopyToClipBoard puts on the clipboard.
  String ClipboardText(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader, bool UseTabs) const;
  String ClipboardText(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                       std::u16string_view Separator) const;
  String ClipboardText(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                       const Char* Separator) const {
    return ClipboardText(LeftCol, TopRow, RightCol, BottomRow, AddHeader,
                         std::u16string_view(Separator ? Separator : u""));
  }

  // --- Bulk operations ------------------------------------------------------------
  // Exchanges the table with Other: cells, sizes, column names, formats and
  // check modes, row and column flags and the row order. Nothing is copied or
  // allocated, so a table built aside can replace this one without any risk
  // of failing half-way. The sort state, texts and events stay.
  void ExchangeTable(TRLData& Other);
  // Every cell of columns 1..n becomes s; check cells keep their check state.
  void Fill(std::u16string_view s);
  // Empties all cells and resets names, formats and check modes; sizes stay.
  void Clear();
  void CopyRow(int Source, int Target);
  void InsertColumn(int c);
  void RemoveColumn(int c);
  void InsertRow(int r);
  void RemoveRow(int r);
  void RemoveEmptyRows();

  // --- Check marks ------------------------------------------------------------------
  int FirstCheckedElemInCol(int ColNr) const;
  int FirstCheckedElemInRow(int RowNr) const;
  int CountCheckedElemsInCol(int Column) const;
  int CountCheckedElemsInRow(int Row) const;
  void SetAllCheckmarksOfCol(int Column, bool Checked);
  void InvertAllCheckmarksOfCol(int Column);
  // Sets the mark of every cell of a check column, skipping disabled rows
  // (flag 0x40) when EnabledOnly; the base of the radio logic and of the
  // view's variants. Ignored on columns without check mode.
  void SetColumnCheckmarks(int Column, bool Checked, bool EnabledOnly);

  // --- Sorting ----------------------------------------------------------------------
  void Sort(int Col, int ColSec, bool Ascending);
  void UnSort();

  // --- Exchange (rlxml.cpp) ------------------------------------------------------------
  // The readers take the first report list whose identifier equals DataID
  // (letter case ignored; an empty DataID takes the first list) and return
  // false when there is none or it is malformed; the store is then unchanged.
  bool ReadFromXMLString(const String& InString, const String& DataID);
  bool ReadFromXMLStream(TStream* InStream, const String& DataID);
  bool ReadFromOpenXMLFile(TextFile& F, const String& DataID);
  // A file that cannot be opened raises the stream's EFOpenError.
  bool LoadFromXMLFile(const String& FName, const String& DataID);
  void WriteToOpenXMLFile(TextFile& F, bool CreateHeader, const String& DataID);
  void WriteToXMLStream(TStream* OutStream, bool CreateHeader, const String& DataID);
  // Replaces FName atomically; a failure raises EFCreateError or EWriteError
  // and leaves the previous file intact.
  void SaveAsXMLFile(const String& FName, const String& DataID);

  // --- Exchange (rlcsv.cpp, rlhtml.cpp); results are described in rlcsv.h ------------
  int ImportCSV(const String& FName, TCSVDelimiters Delimiter, bool IncludeColHeaders);
  int ExportCSV(const String& FName, TCSVDelimiters Delimiter, bool IncludeColHeaders, bool IncludeCommonHeader,
                int FirstCol, int FirstRow, int LastCol, int LastRow);
  int LoadLinesFromFile(int Column, int FirstRow, const String& FName);
  // Raises EFCreateError or EWriteError when the file cannot be written.
  void ExportHTMLTable(const String& FName, int LoC, int LoR, int HiC, int HiR, std::span<const int> ColumnSelection,
                       int Border, int CellSpacing, int CellPadding, bool IncludeHeader, const String& HeadClass,
                       const String& CellClass, const String& TableClass);

 protected:
  friend class TRLDataExchange;

  bool ValidCell(int ACol, int ARow) const {
    return ACol >= 0 && ACol <= FNrOfCols && ARow >= 1 && ARow <= FNrOfRows;
  }
  bool ValidColumn(int ColNr) const { return ColNr >= 1 && ColNr <= FNrOfCols; }
  bool IsCheckColumn(int ACol) const { return ValidColumn(ACol) && FColButMode[static_cast<size_t>(ACol - 1)] != cmNone; }
  [[noreturn]] void RaiseNoMemory() const;

 private:
  void ResizeMetadata(int Columns);
  void RecountFeedback(int Rows);

  String FComment;
  std::vector<TNameStrType> FColName;
  std::vector<TColFmtString> FColumnFormat;
  String FCommonHeader = u"ORV Report Listview";
  std::vector<TCheckMode> FColButMode;
  int FNrOfCols = 1;
  int FNrOfRows = 0;
  int FSortColumn = -1;
  int FSortColumnSec = -1;
  bool FSortOrder = true;
  TBeforeSortExchgEvent FOnBefSortExc;
  String FDataID;
  bool FSortToggle = true;
  TBeforeHTMLExportEvent FOnBefHTMLExport;
  int FFeedbkNumCells = 1;
  int FFeedbkStep = 1;
  TOnPercentDoneEvent FOnPercentDone;
  std::unique_ptr<TStringArray> FStrings;
};

}  // namespace orv
