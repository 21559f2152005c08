#include "foundation/stringarray.h"

#include <algorithm>
#include <new>
#include <numeric>
#include <stdexcept>
#include <utility>

#include "foundation/stringarray_cells.h"
#include "framework/rtl/sysutils.h"

namespace orv {
namespace {

bool IsHighSurrogate(Char C) { return C >= 0xD800 && C <= 0xDBFF; }
bool IsLowSurrogate(Char C) { return C >= 0xDC00 && C <= 0xDFFF; }

// Cuts Text to the cell limit without separating a surrogate pair.
std::u16string_view CutToCell(std::u16string_view Text) {
  const size_t Max = TStringArray::MaxCellLength;
  if (Text.size() <= Max) return Text;
  size_t N = Max;
  if (IsHighSurrogate(Text[N - 1]) && IsLowSurrogate(Text[N])) --N;
  return Text.substr(0, N);
}

// Reports progress of a loop over Total items about a hundred times.
class TProgressTicker {
 public:
  TProgressTicker(bool Enabled, const TOnPercentDoneEvent& Handler, TObject* Sender, size_t Total, int From, int To)
      : FHandler(Enabled ? &Handler : nullptr), FSender(Sender), FTotal(Total), FFrom(From), FTo(To),
        FStep(Total / 100 + 1) {}
  void Tick(size_t Done) {
    if (!FHandler || !*FHandler || Done % FStep != 0) return;
    (*FHandler)(FSender, FFrom + static_cast<int>((FTo - FFrom) * static_cast<double>(Done) / FTotal));
  }

 private:
  const TOnPercentDoneEvent* FHandler;
  TObject* FSender;
  size_t FTotal;
  int FFrom, FTo;
  size_t FStep;
};

}  // namespace

void TStringArray::OutOfMemory(const char16_t* What) {
  throw EORVDStructError(String(u"TStringArray: not enough memory to ") + What);
}

TStringArray::TStringArray(int NrColumns, int NrRows) {
  FNrCols = std::max(0, NrColumns);
  FColAttr.assign(static_cast<size_t>(FNrCols) + 1, 0);
  const size_t Rows = static_cast<size_t>(std::max(0, NrRows));
  ReserveRows(Rows);
  FRows.resize(Rows, nullptr);
  FRowAttr.resize(Rows, 0);
}

TStringArray::~TStringArray() { FreeRows(0, FRows.size()); }

void TStringArray::FreeRows(size_t From, size_t To) {
  for (size_t I = From; I < To; ++I) {
    cellrow::Free(FRows[I]);
    FRows[I] = nullptr;
  }
}

void TStringArray::SetAllocGranularity(int Value) { FAllocGranularity = std::max(1, Value); }

void TStringArray::ReserveRows(size_t Rows) {
  if (Rows <= FRows.capacity() && Rows <= FRowAttr.capacity() && (FPerm.empty() || Rows <= FPerm.capacity())) return;
  const size_t G = static_cast<size_t>(FAllocGranularity);
  const size_t Cap = (Rows + G - 1) / G * G;
  try {
    FRows.reserve(Cap);
    FRowAttr.reserve(Cap);
    if (!FPerm.empty()) FPerm.reserve(Cap);
  } catch (const std::bad_alloc&) {
    OutOfMemory(u"hold the rows");
  } catch (const std::length_error&) {
    OutOfMemory(u"hold the rows");
  }
}

void TStringArray::Changed() {
  if (!FNotifyChanges) return;
  if (FUpdateCount > 0) {
    FChangedInUpdate = true;
    return;
  }
  if (FOnChange) FOnChange(this);
}

void TStringArray::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0) return;
  if (FChangedInUpdate) {
    FChangedInUpdate = false;
    Changed();
  }
}

void TStringArray::Progress(int Percent) {
  if (FOnPercentDone) FOnPercentDone(this, Percent);
}

void TStringArray::Resize(int NrColumns, int NrRows) {
  const int NewCols = std::max(0, NrColumns);
  const size_t NewRows = static_cast<size_t>(std::max(0, NrRows));
  const size_t OldRows = FRows.size();
  const bool Large = std::max(NewRows, OldRows) >= kProgressRows;

  // Everything that may fail is allocated before anything changes.
  std::vector<uint32_t> Renumber;  // storage index -> index after removal, when sorted rows are cut
  try {
    if (static_cast<size_t>(NewCols) + 1 > FColAttr.size()) FColAttr.reserve(static_cast<size_t>(NewCols) + 1);
    if (NewRows < OldRows && !FPerm.empty()) Renumber.resize(OldRows);
  } catch (const std::bad_alloc&) {
    OutOfMemory(u"resize");
  } catch (const std::length_error&) {
    OutOfMemory(u"resize");
  }
  if (NewRows > OldRows) ReserveRows(NewRows);
  if (Large) Progress(0);

  if (NewCols < FNrCols) {
    TProgressTicker Ticker(Large, FOnPercentDone, this, OldRows, 0, 50);
    for (size_t I = 0; I < OldRows; ++I) {
      cellrow::Truncate(FRows[I], static_cast<uint32_t>(NewCols) + 1);
      Ticker.Tick(I);
    }
  }
  FColAttr.resize(static_cast<size_t>(NewCols) + 1, 0);
  FNrCols = NewCols;

  if (NewRows < OldRows) {
    if (FPerm.empty()) {
      FreeRows(NewRows, OldRows);
      FRows.resize(NewRows);
      FRowAttr.resize(NewRows);
    } else {
      // Drop the storage rows shown at NewRows+1.. and close the gaps.
      for (size_t I = NewRows; I < OldRows; ++I) {
        cellrow::Free(FRows[FPerm[I]]);
        FRows[FPerm[I]] = nullptr;
        Renumber[FPerm[I]] = UINT32_MAX;
      }
      size_t Kept = 0;
      for (size_t I = 0; I < OldRows; ++I) {
        if (Renumber[I] == UINT32_MAX) continue;
        Renumber[I] = static_cast<uint32_t>(Kept);
        FRows[Kept] = FRows[I];
        FRowAttr[Kept] = FRowAttr[I];
        ++Kept;
      }
      FRows.resize(NewRows);
      FRowAttr.resize(NewRows);
      FPerm.resize(NewRows);
      for (uint32_t& P : FPerm) P = Renumber[P];
    }
  } else if (NewRows > OldRows) {
    FRows.resize(NewRows, nullptr);
    FRowAttr.resize(NewRows, 0);
    if (!FPerm.empty())
      for (size_t I = OldRows; I < NewRows; ++I) FPerm.push_back(static_cast<uint32_t>(I));
  }
  FInverseValid = false;
  if (Large) Progress(100);
  Changed();
}

void TStringArray::SwapContents(TStringArray& Other) {
  FRows.swap(Other.FRows);
  FRowAttr.swap(Other.FRowAttr);
  FColAttr.swap(Other.FColAttr);
  FPerm.swap(Other.FPerm);
  FInverse.swap(Other.FInverse);
  std::swap(FInverseValid, Other.FInverseValid);
  std::swap(FNrCols, Other.FNrCols);
  Changed();
}

void TStringArray::Clear() {
  FreeRows(0, FRows.size());
  Changed();
}

String TStringArray::Elem(int Col, int Row) const {
  if (!ValidCell(Col, Row)) return String();
  return cellrow::Text(cellrow::Cell(FRows[Phys(Row)], static_cast<uint32_t>(Col)));
}

int TStringArray::ElemLength(int Col, int Row) const {
  if (!ValidCell(Col, Row)) return 0;
  return static_cast<int>(cellrow::Cell(FRows[Phys(Row)], static_cast<uint32_t>(Col)).Len);
}

TCellView TStringArray::ElemView(int Col, int Row) const {
  if (!ValidCell(Col, Row)) return TCellView{};
  return cellrow::Cell(FRows[Phys(Row)], static_cast<uint32_t>(Col));
}

void TStringArray::SetElem(int Col, int Row, std::u16string_view Text) {
  if (!ValidCell(Col, Row)) return;
  try {
    cellrow::SetCell(FRows[Phys(Row)], static_cast<uint32_t>(Col), CutToCell(Text),
                     static_cast<uint32_t>(FNrCols) + 1);
  } catch (const std::bad_alloc&) {
    OutOfMemory(u"store the cell");
  }
  Changed();
}

uint8_t TStringArray::RowAttrib(int Row) const {
  if (Row < 1 || Row > NrOfRows()) return 0;
  return FRowAttr[Phys(Row)];
}

void TStringArray::SetRowAttrib(int Row, uint8_t Value) {
  if (Row < 1 || Row > NrOfRows()) return;
  FRowAttr[Phys(Row)] = Value;
  Changed();
}

uint8_t TStringArray::ColAttrib(int Col) const {
  if (Col < 0 || Col > FNrCols) return 0;
  return FColAttr[static_cast<size_t>(Col)];
}

void TStringArray::SetColAttrib(int Col, uint8_t Value) {
  if (Col < 0 || Col > FNrCols) return;
  FColAttr[static_cast<size_t>(Col)] = Value;
  Changed();
}

void TStringArray::InsertRow(int Row) {
  const size_t M = FRows.size();
  if (Row < 1) return;
  const size_t At = std::min(static_cast<size_t>(Row - 1), M);  // shown index of the new row
  if (M + 1 > FRows.capacity() || M + 1 > FRowAttr.capacity() || (!FPerm.empty() && M + 1 > FPerm.capacity()))
    ReserveRows(std::max(M + 1, M + M / 2));  // grow geometrically when rows come one by one
  if (FPerm.empty()) {
    FRows.insert(FRows.begin() + static_cast<std::ptrdiff_t>(At), nullptr);
    FRowAttr.insert(FRowAttr.begin() + static_cast<std::ptrdiff_t>(At), 0);
  } else {
    const uint32_t P = At < M ? FPerm[At] : static_cast<uint32_t>(M);
    for (uint32_t& E : FPerm)
      if (E >= P) ++E;
    FRows.insert(FRows.begin() + P, nullptr);
    FRowAttr.insert(FRowAttr.begin() + P, 0);
    FPerm.insert(FPerm.begin() + static_cast<std::ptrdiff_t>(At), P);
  }
  FInverseValid = false;
  Changed();
}

void TStringArray::RemoveRow(int Row) {
  if (Row < 1 || Row > NrOfRows()) return;
  const size_t P = Phys(Row);
  cellrow::Free(FRows[P]);
  FRows.erase(FRows.begin() + static_cast<std::ptrdiff_t>(P));
  FRowAttr.erase(FRowAttr.begin() + static_cast<std::ptrdiff_t>(P));
  if (!FPerm.empty()) {
    FPerm.erase(FPerm.begin() + (Row - 1));
    for (uint32_t& E : FPerm)
      if (E > P) --E;
  }
  FInverseValid = false;
  Changed();
}

void TStringArray::InsertColumn(int Col) {
  if (Col < 0 || Col > FNrCols + 1) return;
  try {
    FColAttr.reserve(FColAttr.size() + 1);
  } catch (const std::bad_alloc&) {
    OutOfMemory(u"insert a column");
  }
  const auto Cell = static_cast<uint32_t>(Col);
  TProgressTicker Ticker(FRows.size() >= kProgressRows, FOnPercentDone, this, FRows.size(), 0, 100);
  for (size_t I = 0; I < FRows.size(); ++I) {
    try {
      cellrow::InsertCell(FRows[I], Cell);
    } catch (const std::bad_alloc&) {
      // Undo the rows done so far; removing a cell never allocates.
      for (size_t J = 0; J < I; ++J) cellrow::RemoveCell(FRows[J], Cell);
      OutOfMemory(u"insert a column");
    }
    Ticker.Tick(I);
  }
  FColAttr.insert(FColAttr.begin() + Col, 0);
  ++FNrCols;
  Changed();
}

void TStringArray::RemoveColumn(int Col) {
  if (FNrCols < 1 || Col < 0 || Col > FNrCols) return;
  const auto Cell = static_cast<uint32_t>(Col);
  TProgressTicker Ticker(FRows.size() >= kProgressRows, FOnPercentDone, this, FRows.size(), 0, 100);
  for (size_t I = 0; I < FRows.size(); ++I) {
    cellrow::RemoveCell(FRows[I], Cell);
    Ticker.Tick(I);
  }
  FColAttr.erase(FColAttr.begin() + Col);
  --FNrCols;
  Changed();
}

void TStringArray::MaterializePerm() {
  if (!FPerm.empty() || FRows.empty()) return;
  try {
    FPerm.reserve(FRows.capacity());
    FPerm.resize(FRows.size());
  } catch (const std::bad_alloc&) {
    OutOfMemory(u"reorder the rows");
  }
  std::iota(FPerm.begin(), FPerm.end(), 0u);
  FInverseValid = false;
}

void TStringArray::EnsureInverse() const {
  if (FInverseValid) return;
  try {
    FInverse.resize(FRows.size());
  } catch (const std::bad_alloc&) {
    OutOfMemory(u"reorder the rows");
  }
  for (size_t I = 0; I < FPerm.size(); ++I) FInverse[FPerm[I]] = static_cast<uint32_t>(I);
  FInverseValid = true;
}

int TStringArray::UnsortedPosition(int Row) const {
  if (Row < 1 || Row > NrOfRows()) return 0;
  return static_cast<int>(Phys(Row)) + 1;
}

void TStringArray::SetUnsortedPosition(int Row, int Pos) {
  const int M = NrOfRows();
  if (Row < 1 || Row > M || Pos < 1 || Pos > M) return;
  if (UnsortedPosition(Row) == Pos) return;
  MaterializePerm();
  EnsureInverse();
  const auto Shown = static_cast<uint32_t>(Row - 1);
  const auto Wanted = static_cast<uint32_t>(Pos - 1);
  const uint32_t Had = FPerm[Shown];
  const uint32_t Other = FInverse[Wanted];  // shown row that held Wanted so far
  FPerm[Shown] = Wanted;
  FPerm[Other] = Had;
  FInverse[Wanted] = Shown;
  FInverse[Had] = Other;
  Changed();
}

void TStringArray::UnSort() {
  if (FPerm.empty()) return;
  std::vector<uint32_t>().swap(FPerm);
  std::vector<uint32_t>().swap(FInverse);
  FInverseValid = false;
  Changed();
}

void TStringArray::CommitSorting() {
  if (FPerm.empty()) return;
  const size_t M = FRows.size();
  std::vector<TCellRow*> Rows;
  std::vector<uint8_t> Attr;
  try {
    const size_t G = static_cast<size_t>(FAllocGranularity);
    Rows.reserve((M + G - 1) / G * G);
    Attr.reserve(Rows.capacity());
  } catch (const std::bad_alloc&) {
    OutOfMemory(u"commit the row order");
  }
  for (uint32_t P : FPerm) {
    Rows.push_back(FRows[P]);
    Attr.push_back(FRowAttr[P]);
  }
  FRows.swap(Rows);
  FRowAttr.swap(Attr);
  std::vector<uint32_t>().swap(FPerm);
  std::vector<uint32_t>().swap(FInverse);
  FInverseValid = false;
  if (M >= kProgressRows) Progress(100);
}

size_t TStringArray::MemoryUsed() const {
  size_t Bytes = FRows.capacity() * sizeof(TCellRow*) + FRowAttr.capacity() + FColAttr.capacity() +
                 (FPerm.capacity() + FInverse.capacity()) * sizeof(uint32_t);
  for (const TCellRow* R : FRows) Bytes += cellrow::Bytes(R);
  return Bytes;
}

}  // namespace orv
