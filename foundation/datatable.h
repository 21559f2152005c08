#pragma once
// TDataTable: a table of doubles with a state byte per cell, a name and an
// attribute byte per column and per row, a comment, and per column a
// measurement scale type with nominal identifiers. Indices are 1-based;
// writes outside the table are ignored and reads outside give 0 or empty text.
//
// Change hooks, each fired with the table as Sender:
// - OnDataChanged after values or cell states change (SetElem, SetCellState,
//   Fill through Matrix(), FillMarkedCells, InvertCellStates, marks, sorts,
//   mirroring, insertion, removal, Clear, Assign);
// - OnSetupChanged after names, attributes, the comment, scale types or
//   nominal identifiers change (also when a sort, mirror, insertion or
//   removal moves them);
// - OnResized (Sender, OldCols, OldRows, NewCols, NewRows) after every change
//   of the dimensions (Resize, Insert*, Remove*, Assign), at once, even
//   inside BeginUpdate/EndUpdate;
// - OnProgress (Sender, Percent) while a sort runs, from 0 to 100;
// - OnBeforeSortExchange before a sort swaps two columns (Kind 1) or two rows
//   (Kind 0); Text1 and Text2 carry the two names, and a change the handler
//   makes to Text2 is not taken over.
// Bulk operations fire OnDataChanged and OnSetupChanged at most once each, at
// their end; BeginUpdate/EndUpdate give callers the same batching.

#include <cstdint>
#include <functional>
#include <vector>

#include "foundation/basetypes.h"
#include "foundation/matrix.h"
#include "framework/rtl/classes.h"

namespace orv {

// Column and row names; longer texts are cut to DTNameLength characters.
using TDTNameStr = String;
inline constexpr int DTNameLength = 50;
// Nominal identifiers: ordinals 1..MaxNominalOrdinal, at most NomIDLength characters.
inline constexpr int NomIDLength = 10;
inline constexpr int MaxNominalOrdinal = 150;

// Bits of the cell state byte. A cell holds a number when neither
// dtsNotANumber nor dtsEmpty is set; other bits are kept for the caller.
inline constexpr uint8_t dtsNotANumber = 0x01;  // the last entry could not be read as a number
inline constexpr uint8_t dtsEmpty = 0x02;       // the cell holds nothing
inline constexpr uint8_t dtsLocked = 0x10;      // the cell may not be edited
inline constexpr uint8_t dtsMarkA = 0x40;
inline constexpr uint8_t dtsMarkB = 0x80;

// Measurement scale of a column. Nominal and ordinal columns are categorical:
// their values are ordinals of the column's nominal identifiers.
enum TMScaleType : uint8_t { mstInterval, mstNominal, mstOrdinal, mstRatio };
inline constexpr int MScaleTypeCount = 4;

// Names of the scale types ("interval", "nominal", "ordinal", "ratio");
// "undefined" for any other ordinal. Usable as MScaleTypeNames[t] or MScaleTypeNames(t).
struct TMScaleTypeNameList {
  String operator[](int ScaleType) const;
  String operator()(int ScaleType) const { return (*this)[ScaleType]; }
};
inline constexpr TMScaleTypeNameList MScaleTypeNames{};

inline bool IsCategoricalScale(int ScaleType) { return ScaleType == mstNominal || ScaleType == mstOrdinal; }

using TDTResizedEvent = std::function<void(TObject* Sender, int OldCols, int OldRows, int NewCols, int NewRows)>;

class TDataTable : public TComponent {
 public:
  // An empty table (0 x 0).
  explicit TDataTable(TComponent* AOwner);
  TDataTable(TComponent* AOwner, int NrCols, int NrRows);
  ~TDataTable() override;

  static constexpr TMScaleTypeNameList MScaleTypeNames{};

  // ---- dimensions
  int NrOfColumns() const { return FData.NrOfColumns(); }
  int NrOfRows() const { return FData.NrOfRows(); }
  // New dimensions (negative counts as 0). Content that still fits keeps its
  // place; new cells hold 0 with state 0, new columns and rows get the default
  // names "C-<n>" and "R-<n>", attribute 0 and scale type interval. Raises
  // EORVDStructError when the memory cannot be had, leaving the table as it was.
  // Fires OnResized.
  void Resize(int NrCols, int NrRows);
  // Resets values, states, names, attributes, scale types, nominal
  // identifiers and the comment; the dimensions stay.
  void Clear();

  // ---- cells
  double GetElem(int ACol, int ARow) const { return FData.Elem(ACol, ARow); }
  void SetElem(int ACol, int ARow, double Value);
  uint8_t GetCellState(int ACol, int ARow) const;
  void SetCellState(int ACol, int ARow, uint8_t State);
  // False outside the table.
  bool GetIsNumber(int ACol, int ARow) const;
  // The value store. Fill and SetElem on it fire OnDataChanged; its Resize
  // resizes the whole table.
  TMatrix* Matrix() { return &FData; }
  const TMatrix* Matrix() const { return &FData; }

  // ---- names, attributes, comment
  TDTNameStr GetColName(int ColNr) const;
  void SetColName(int ColNr, const TDTNameStr& Name);
  TDTNameStr GetRowName(int RowNr) const;
  void SetRowName(int RowNr, const TDTNameStr& Name);
  uint8_t GetColAttrib(int ColNr) const;
  void SetColAttrib(int ColNr, uint8_t Attrib);
  uint8_t GetRowAttrib(int RowNr) const;
  void SetRowAttrib(int RowNr, uint8_t Attrib);
  const String& Comment() const { return FComment; }
  void SetFComment(const String& Text);
  void SetComment(const String& Text) { SetFComment(Text); }
  // Index of the first column (row) of that name, letter case ignored; 0 if none.
  int FindColIndex(const TDTNameStr& ColID) const;
  int FindRowIndex(const TDTNameStr& RowID) const;

  // ---- scale types and nominal identifiers
  uint8_t GetMScaleType(int ColNr) const;  // mstInterval outside the table
  void SetMScaleType(int ColNr, uint8_t ScaleType);
  bool IsCategorical(int ColNr) const { return IsCategoricalScale(GetMScaleType(ColNr)); }
  // Identifier of Ordinal (1..MaxNominalOrdinal); empty when undefined.
  String GetNominalID(int ColNr, int Ordinal) const;
  // Stores the identifier, cut to NomIDLength characters; an empty text
  // undefines the ordinal.
  void SetNominalID(int ColNr, int Ordinal, const String& NomID);
  void ClearNominalIDs(int ColNr);
  // The smallest ordinal whose identifier equals NomID (blanks around NomID
  // ignored; letter case ignored when IgnoreCase). 0 when no identifier
  // matches or NomID is blank, -1 when ColNr lies outside the table.
  int OrdinalOfNominalID(int ColNr, const String& NomID, bool IgnoreCase) const;

  // ---- structure. Out-of-range indices are ignored. New lines are blank and
  // carry the default name of their new index.
  void InsertRow(int ix);     // 1..NrOfRows + 1
  void RemoveRow(int ix);     // 1..NrOfRows
  void InsertColumn(int ix);  // 1..NrOfColumns + 1
  void RemoveColumn(int ix);  // 1..NrOfColumns
  // Reverse the order of the columns (rows) with everything that belongs to them.
  void MirrorColumns();
  void MirrorRows();

  // ---- states in bulk
  // Every cell whose state has any bit of StateMask set gets Value and becomes
  // a number (dtsNotANumber and dtsEmpty cleared); returns how many cells.
  int FillMarkedCells(double Value, uint8_t StateMask);
  // Flips the bits of StateMask in every cell.
  void InvertCellStates(uint8_t StateMask);
  // Swaps marks A and B of every cell.
  void ExchangeMarkings();
  // Clears marks A and B of every cell.
  void UnmarkAllCells();

  // ---- sorting. Each sort orders the lines Low..High of one direction
  // (stable) and moves, for each of those lines, the cells of the crossing
  // range only; the bounds are clamped to the table. With IncludeHeaders the
  // names and attributes move too (for columns also scale type and nominal
  // identifiers). Cells that are not numbers, and NaN values, go last in both
  // directions. The name and attribute sorts always move the headers.
  void SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow, bool IncludeHeaders);
  void SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow, bool IncludeHeaders);
  // Whole table, headers included.
  void SortRows(int SortColIx, bool Ascending);
  void SortCols(int SortRowIx, bool Ascending);
  void SortRowNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortColNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);

  // ---- batching of change hooks (nestable)
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  // Takes dimensions and all content of another TDataTable (not its hooks).
  void Assign(TPersistent* Source) override;

  // ---- hooks
  const TNotifyEvent& OnDataChanged() const { return FOnDataChanged; }
  void SetOnDataChanged(TNotifyEvent Handler) { FOnDataChanged = std::move(Handler); }
  const TNotifyEvent& OnSetupChanged() const { return FOnSetupChanged; }
  void SetOnSetupChanged(TNotifyEvent Handler) { FOnSetupChanged = std::move(Handler); }
  const TOnPercentDoneEvent& OnProgress() const { return FOnProgress; }
  void SetOnProgress(TOnPercentDoneEvent Handler) { FOnProgress = std::move(Handler); }
  const TDTResizedEvent& OnResized() const { return FOnResized; }
  void SetOnResized(TDTResizedEvent Handler) { FOnResized = std::move(Handler); }
  const TBeforeSortExchgEvent& OnBeforeSortExchange() const { return FOnBeforeSortExchange; }
  void SetOnBeforeSortExchange(TBeforeSortExchgEvent Handler) { FOnBeforeSortExchange = std::move(Handler); }

 private:
  struct TColumnInfo {
    TDTNameStr Name;
    uint8_t Attrib = 0;
    uint8_t ScaleType = mstInterval;
    std::vector<String> NomIDs;  // empty, or MaxNominalOrdinal entries
  };
  struct TRowInfo {
    TDTNameStr Name;
    uint8_t Attrib = 0;
  };
  enum TLineKind : uint8_t { lkRow = 0, lkColumn = 1 };
  // Strict ordering of two line indices for a sort.
  using TLineLess = std::function<bool(int, int)>;

  static TColumnInfo NewColumnInfo(int ColNr);
  static TRowInfo NewRowInfo(int RowNr);
  void InstallMatrixHooks();
  bool Inside(int ACol, int ARow) const;
  size_t CellIndex(int ACol, int ARow) const { return FData.Index(ACol, ARow); }
  // Lays the table out anew: new column c takes old column SrcCol[c-1], new
  // row r old row SrcRow[r-1], 0 meaning a blank line. All or nothing.
  void Rebuild(const std::vector<int>& SrcCol, const std::vector<int>& SrcRow);
  void ChangeStructure(const std::vector<int>& SrcCol, const std::vector<int>& SrcRow, bool ContentMoved);
  void DataChanged();
  void SetupChanged();
  // Runs Work with the change hooks batched.
  template <class F>
  void Batched(F&& Work);
  void UpdateStates(const std::function<uint8_t(uint8_t)>& NewState);
  void SortLines(TLineKind Kind, int Low, int High, int CrossLow, int CrossHigh, bool MoveHeaders,
                 const TLineLess& Less);
  void ExchangeLines(TLineKind Kind, int Ix1, int Ix2, int CrossLow, int CrossHigh, bool MoveHeaders);
  TLineLess ValueOrder(TLineKind Kind, int KeyIx, bool Ascending) const;

  TMatrix FData;
  std::vector<uint8_t> FStates;  // same layout as the values
  std::vector<TColumnInfo> FColInfo;
  std::vector<TRowInfo> FRowInfo;
  String FComment;

  int FUpdateCount = 0;
  bool FPendingData = false;
  bool FPendingSetup = false;

  TNotifyEvent FOnDataChanged;
  TNotifyEvent FOnSetupChanged;
  TOnPercentDoneEvent FOnProgress;
  TDTResizedEvent FOnResized;
  TBeforeSortExchgEvent FOnBeforeSortExchange;
};

template <class F>
void TDataTable::Batched(F&& Work) {
  BeginUpdate();
  try {
    Work();
  } catch (...) {
    // Whatever changed before the failure is still reported.
    EndUpdate();
    throw;
  }
  EndUpdate();
}

}  // namespace orv
