#pragma once
// TStringArray: a matrix of short texts with attribute bytes per row and per
// column and a reversible, stable row sort. It is the cell store behind the
// report list.
//
// Addressing: columns 0..NrOfColumns() (column 0 is an extra plain column),
// rows 1..NrOfRows(). Reads outside that range give an empty text (or 0 for
// attribute bytes); writes there are ignored.
//
// A cell holds at most 255 UTF-16 code units; longer text is cut on writing
// (never between the two halves of a surrogate pair, so the cut may leave 254).
//
// Storage: one compact block per row (nullptr while the row is empty) holding
// a small handle per cell and the characters behind them; a cell whose
// characters are all below U+0100 keeps one byte per character, other cells
// two. Overwritten cells leave dead bytes in the block, which is rebuilt once
// they outweigh the live text.
//
// Sorting: Sort() reorders the rows seen through Elem() by a permutation over
// the storage rows; the storage order stays the "unsorted" order until
// CommitSorting() adopts the shown order, and UnSort() shows it again. Row
// attribute bytes belong to their row and travel with it.
//
// Order used by Sort (ascending): empty cells first, then cells holding a
// number, by value, then all other texts, compared code unit by code unit with
// the letter case of ASCII and Latin-1 letters ignored. A number is decimal
// text with "." or "," as the separator, an optional sign and exponent and
// optional surrounding blanks or tabs ("1,5", " -2.5e3 ", "+.5"). Rows whose
// keys are equal keep their previous relative order (also when descending).

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "foundation/basetypes.h"
#include "foundation/stringarray_cells.h"
#include "framework/rtl/classes.h"

namespace orv {

struct TCellRow;  // storage block of one row (foundation/stringarray_cells.h)

class TStringArray : public TObject {
 public:
  // Longest text a cell keeps, in UTF-16 code units.
  static constexpr int MaxCellLength = 255;

  // Creates the matrix without owner: columns 0..NrColumns, rows 1..NrRows,
  // all cells empty and all attribute bytes 0. Negative sizes count as 0.
  explicit TStringArray(int NrColumns = 1, int NrRows = 1);
  ~TStringArray() override;

  int NrOfColumns() const { return FNrCols; }
  int NrOfRows() const { return static_cast<int>(FRows.size()); }

  // Row storage grows in steps of this many rows (at least 1; default 10).
  int AllocGranularity() const { return FAllocGranularity; }
  void SetAllocGranularity(int Value);

  // Changes the size to columns 0..NrColumns and rows 1..NrRows (negative
  // values count as 0), keeping the cells and attribute bytes that remain
  // inside. Rows are cut from and added at the end of the shown order; the
  // sort order of the surviving rows is kept. Raises EORVDStructError when the
  // memory runs out; the matrix is then left exactly as it was.
  void Resize(int NrColumns, int NrRows);
  // Empties every cell; size, attribute bytes and row order stay.
  void Clear();
  // Exchanges size, cells, attribute bytes and row order with Other. Event
  // handlers, notification switches and the allocation granularity stay with
  // each matrix. The exchange allocates nothing, so it cannot fail half-way;
  // this matrix then reports the change.
  void SwapContents(TStringArray& Other);

  String Elem(int Col, int Row) const;
  void SetElem(int Col, int Row, std::u16string_view Text);
  // Stored length of a cell in code units (0 outside the matrix).
  int ElemLength(int Col, int Row) const;
  // The cell's characters where they are stored, without a copy (an empty
  // view outside the matrix); valid until the matrix next changes.
  TCellView ElemView(int Col, int Row) const;

  uint8_t RowAttrib(int Row) const;
  void SetRowAttrib(int Row, uint8_t Value);
  uint8_t ColAttrib(int Col) const;
  void SetColAttrib(int Col, uint8_t Value);

  // Inserts an empty row before shown row Row (1..NrOfRows()+1; larger values
  // append). While sorted, the new row takes the unsorted place right before
  // the row it was inserted in front of (or the last place when appended).
  void InsertRow(int Row);
  // Removes shown row Row (1..NrOfRows()); rows behind it move up.
  void RemoveRow(int Row);
  // Inserts an empty column at Col (0..NrOfColumns()+1); columns Col.. move right.
  void InsertColumn(int Col);
  // Removes column Col (0..NrOfColumns()) when at least two columns exist.
  void RemoveColumn(int Col);

  // Stable sort of the shown rows by column Col, then by column ColSec
  // (ColSec < 0 or outside the matrix: no secondary key). Col outside the
  // matrix leaves the order unchanged.
  void Sort(int Col, int ColSec, bool Ascending);
  // Shows the rows in their unsorted order again.
  void UnSort();
  // Makes the order shown now the unsorted order.
  void CommitSorting();
  // Shows the rows in a new order: position I (0-based) then shows the row
  // shown at position Order[I] before. Like Sort it changes only the shown
  // order, and carries the change out as exchanges through
  // OnBeforeSortExchange (passing the texts of column Col) while that is set.
  // Returns false, changing nothing, when Order is no permutation of
  // 0..NrOfRows()-1.
  bool ReorderShownRows(std::vector<uint32_t> Order, int Col);
  // True from a Sort (or SetUnsortedPosition) until UnSort or CommitSorting.
  bool Sorted() const { return !FPerm.empty(); }
  // Unsorted position (1-based) of shown row Row; 0 outside 1..NrOfRows().
  int UnsortedPosition(int Row) const;
  // Makes shown row Row show the storage row of unsorted position Pos. The row
  // that showed Pos until now takes Row's former position, so the mapping
  // stays a permutation; setting every row in turn reproduces another
  // matrix's order. Out-of-range arguments are ignored.
  void SetUnsortedPosition(int Row, int Pos);

  // OnChange fires after every change of a cell, an attribute byte, the size
  // or the row order, unless notifications are switched off.
  bool NotifyChanges() const { return FNotifyChanges; }
  void SetNotifyChanges(bool Value) { FNotifyChanges = Value; }
  // Brackets bulk work: changes inside fire no OnChange; the outermost
  // EndUpdate fires one if anything changed (and notifications are on).
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Handler) { FOnChange = std::move(Handler); }
  // Progress 0..100 of long operations (sorting, committing, resizing and
  // column changes over many rows).
  const TOnPercentDoneEvent& OnPercentDone() const { return FOnPercentDone; }
  void SetOnPercentDone(TOnPercentDoneEvent Handler) { FOnPercentDone = std::move(Handler); }
  // While set, Sort carries out its reordering as a series of row exchanges
  // and calls this before each one with Kind 0, the two shown row numbers and
  // their texts in the primary sort column; a changed Text2 is stored into
  // row Ix2 before the exchange.
  const TBeforeSortExchgEvent& OnBeforeSortExchange() const { return FOnBeforeSortExchange; }
  void SetOnBeforeSortExchange(TBeforeSortExchgEvent Handler) { FOnBeforeSortExchange = std::move(Handler); }

  // Bytes of heap memory held by the matrix (row blocks and index vectors).
  size_t MemoryUsed() const;

 private:
  // Storage index of shown row Row (1-based, checked by the caller).
  size_t Phys(int Row) const { return FPerm.empty() ? static_cast<size_t>(Row - 1) : FPerm[static_cast<size_t>(Row - 1)]; }
  bool ValidCell(int Col, int Row) const { return Col >= 0 && Col <= FNrCols && Row >= 1 && Row <= NrOfRows(); }
  // Operations over fewer rows finish too quickly to be worth progress reports.
  static constexpr size_t kProgressRows = 20000;
  [[noreturn]] static void OutOfMemory(const char16_t* What);
  void Changed();
  void Progress(int Percent);
  // Reserves room for Rows rows in every row-indexed vector, rounded up to the
  // allocation granularity. Throws EORVDStructError; changes nothing then.
  void ReserveRows(size_t Rows);
  void MaterializePerm();
  void EnsureInverse() const;
  void FreeRows(size_t From, size_t To);
  void ApplyOrder(const std::vector<uint32_t>& Order, int Col);
  void ExchangeShownRows(const std::vector<uint32_t>& Order, int Col);

  std::vector<TCellRow*> FRows;    // storage rows in unsorted order
  std::vector<uint8_t> FRowAttr;   // attribute byte per storage row
  std::vector<uint8_t> FColAttr;   // attribute byte per column 0..FNrCols
  std::vector<uint32_t> FPerm;     // shown row -> storage row; empty = identity
  mutable std::vector<uint32_t> FInverse;  // storage row -> shown row, built on demand
  mutable bool FInverseValid = false;
  int FNrCols = 0;
  int FAllocGranularity = 10;
  bool FNotifyChanges = true;
  int FUpdateCount = 0;
  bool FChangedInUpdate = false;
  TNotifyEvent FOnChange;
  TOnPercentDoneEvent FOnPercentDone;
  TBeforeSortExchgEvent FOnBeforeSortExchange;
};

}  // namespace orv
