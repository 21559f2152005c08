#pragma once
// Dense matrices with 1-based indices: TMatrix of doubles (the value store of
// a data table) and TIntMatrix of ints (small integer tables such as holiday
// lists). Reads outside the matrix give 0, writes outside are ignored.

#include <functional>
#include <vector>

#include "framework/rtl/classes.h"

namespace orv {

class TDataTable;

class TMatrix : public TObject {
 public:
  TMatrix() = default;
  // Negative dimensions count as 0.
  TMatrix(int NrCols, int NrRows);

  int NrOfColumns() const { return FNrCols; }
  int NrOfRows() const { return FNrRows; }

  // New dimensions; values that still fit keep their place, new cells are 0.
  // Raises EORVDStructError when the memory cannot be had; the matrix is then
  // unchanged. The matrix of a data table resizes the whole table.
  void Resize(int NrCols, int NrRows);

  double Elem(int Col, int Row) const;
  void SetElem(int Col, int Row, double Value);
  void Fill(double Value);

 private:
  friend class TDataTable;

  bool Inside(int Col, int Row) const { return Col >= 1 && Col <= FNrCols && Row >= 1 && Row <= FNrRows; }
  size_t Index(int Col, int Row) const {
    return static_cast<size_t>(Row - 1) * static_cast<size_t>(FNrCols) + static_cast<size_t>(Col - 1);
  }
  void ResizeStore(int NrCols, int NrRows);
  void Changed() const {
    if (FChangeHook) FChangeHook();
  }

  int FNrCols = 0;
  int FNrRows = 0;
  std::vector<double> FElems;  // row by row
  // Set by an owning data table: it keeps states and names in step with the values.
  std::function<void()> FChangeHook;
  std::function<void(int, int)> FResizeHook;
};

class TIntMatrix : public TComponent {
 public:
  explicit TIntMatrix(TComponent* AOwner);
  TIntMatrix(TComponent* AOwner, int NrCols, int NrRows);

  int NrOfColumns() const { return FNrCols; }
  int NrOfRows() const { return FNrRows; }

  // Content that still fits is kept, new cells are 0. EORVDStructError when the
  // memory cannot be had; the matrix is then unchanged.
  void Resize(int NrCols, int NrRows);
  // Changes the row count only.
  void SetNRows(int NrRows) { Resize(FNrCols, NrRows); }

  int GetVal(int Col, int Row) const;
  void SetVal(int Col, int Row, int Value);
  void Fill(int Value);

 private:
  int FNrCols = 0;
  int FNrRows = 0;
  std::vector<int> FElems;  // row by row
};

namespace detail {
// Number of cells of a NrCols x NrRows matrix of elements of ElemSize bytes,
// or raises EORVDStructError naming Owner when that cannot be allocated.
size_t CheckedCellCount(const char* Owner, int NrCols, int NrRows, size_t ElemSize);
[[noreturn]] void RaiseOutOfMemory(const char* Owner, int NrCols, int NrRows);

// Maps 1-based new lines to 1-based old lines (0: a new, blank line).
std::vector<int> KeepLinesMap(int OldCount, int NewCount);

// Builds a row-by-row cell store for the new layout: new cell (c, r) takes old
// cell (SrcCol[c-1], SrcRow[r-1]), or Blank where either source is 0. The old
// store is left untouched, so a failing allocation changes nothing.
template <class T>
std::vector<T> RemapCells(const std::vector<T>& Old, int OldCols, const std::vector<int>& SrcCol,
                          const std::vector<int>& SrcRow, T Blank) {
  std::vector<T> New(SrcCol.size() * SrcRow.size(), Blank);
  size_t Out = 0;
  for (int OldRow : SrcRow) {
    for (int OldCol : SrcCol) {
      if (OldRow > 0 && OldCol > 0)
        New[Out] = Old[static_cast<size_t>(OldRow - 1) * static_cast<size_t>(OldCols) + static_cast<size_t>(OldCol - 1)];
      ++Out;
    }
  }
  return New;
}
}  // namespace detail

}  // namespace orv
