// Sorting of data table rows and columns. Each sort works out the new order
// first (stable), then reaches it by exchanging pairs of lines, so that a
// listener of OnBeforeSortExchange can follow every move with data of its own.

#include <algorithm>
#include <cmath>
#include <numeric>

#include "foundation/datatable.h"
#include "framework/rtl/sysutils.h"

namespace orv {

namespace {

// Orders Low and High and clamps both into 1..Count; false when nothing is left.
bool ClampRange(int& Low, int& High, int Count) {
  if (Low > High) std::swap(Low, High);
  Low = std::max(Low, 1);
  High = std::min(High, Count);
  return Low <= High;
}

}  // namespace

void TDataTable::ExchangeLines(TLineKind Kind, int Ix1, int Ix2, int CrossLow, int CrossHigh, bool MoveHeaders) {
  if (FOnBeforeSortExchange) {
    const String Text1 = Kind == lkColumn ? GetColName(Ix1) : GetRowName(Ix1);
    String Text2 = Kind == lkColumn ? GetColName(Ix2) : GetRowName(Ix2);
    FOnBeforeSortExchange(this, Kind, Ix1, Ix2, Text1, Text2);
  }
  for (int Cross = CrossLow; Cross <= CrossHigh; ++Cross) {
    const size_t A = Kind == lkColumn ? CellIndex(Ix1, Cross) : CellIndex(Cross, Ix1);
    const size_t B = Kind == lkColumn ? CellIndex(Ix2, Cross) : CellIndex(Cross, Ix2);
    std::swap(FData.FElems[A], FData.FElems[B]);
    std::swap(FStates[A], FStates[B]);
  }
  if (CrossLow <= CrossHigh) DataChanged();
  if (MoveHeaders) {
    if (Kind == lkColumn)
      std::swap(FColInfo[static_cast<size_t>(Ix1 - 1)], FColInfo[static_cast<size_t>(Ix2 - 1)]);
    else
      std::swap(FRowInfo[static_cast<size_t>(Ix1 - 1)], FRowInfo[static_cast<size_t>(Ix2 - 1)]);
    SetupChanged();
  }
}

void TDataTable::SortLines(TLineKind Kind, int Low, int High, int CrossLow, int CrossHigh, bool MoveHeaders,
                           const TLineLess& Less) {
  const int Count = High - Low + 1;
  if (Count < 2) return;
  // Order[i] is the line that is to end up at Low + i.
  std::vector<int> Order(static_cast<size_t>(Count));
  std::iota(Order.begin(), Order.end(), Low);
  std::stable_sort(Order.begin(), Order.end(), Less);

  // Where each original line sits now, and which original line sits at each place.
  std::vector<int> PlaceOf(static_cast<size_t>(Count));
  std::vector<int> LineAt(static_cast<size_t>(Count));
  std::iota(PlaceOf.begin(), PlaceOf.end(), 0);
  std::iota(LineAt.begin(), LineAt.end(), 0);

  Batched([&] {
    int LastPercent = 0;
    if (FOnProgress) FOnProgress(this, 0);
    for (int Place = 0; Place < Count; ++Place) {
      const int Wanted = Order[static_cast<size_t>(Place)] - Low;
      const int From = PlaceOf[static_cast<size_t>(Wanted)];
      if (From != Place) {
        ExchangeLines(Kind, Low + Place, Low + From, CrossLow, CrossHigh, MoveHeaders);
        const int Displaced = LineAt[static_cast<size_t>(Place)];
        LineAt[static_cast<size_t>(From)] = Displaced;
        PlaceOf[static_cast<size_t>(Displaced)] = From;
        LineAt[static_cast<size_t>(Place)] = Wanted;
        PlaceOf[static_cast<size_t>(Wanted)] = Place;
      }
      const int Percent = static_cast<int>((static_cast<long long>(Place) + 1) * 100 / Count);
      if (Percent != LastPercent && FOnProgress) FOnProgress(this, Percent);
      LastPercent = Percent;
    }
  });
}

TDataTable::TLineLess TDataTable::ValueOrder(TLineKind Kind, int KeyIx, bool Ascending) const {
  // Numbers first in the asked order; cells without a number (and NaN) after them.
  return [this, Kind, KeyIx, Ascending](int A, int B) {
    const int ColA = Kind == lkRow ? KeyIx : A, RowA = Kind == lkRow ? A : KeyIx;
    const int ColB = Kind == lkRow ? KeyIx : B, RowB = Kind == lkRow ? B : KeyIx;
    const double ValA = GetElem(ColA, RowA), ValB = GetElem(ColB, RowB);
    const bool NumA = GetIsNumber(ColA, RowA) && !std::isnan(ValA);
    const bool NumB = GetIsNumber(ColB, RowB) && !std::isnan(ValB);
    if (NumA != NumB) return NumA;
    if (!NumA) return false;
    return Ascending ? ValA < ValB : ValB < ValA;
  };
}

void TDataTable::SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                          bool IncludeHeaders) {
  if (SortColIx < 1 || SortColIx > NrOfColumns()) return;
  if (!ClampRange(LowCol, HighCol, NrOfColumns()) || !ClampRange(LowRow, HighRow, NrOfRows())) return;
  SortLines(lkRow, LowRow, HighRow, LowCol, HighCol, IncludeHeaders, ValueOrder(lkRow, SortColIx, Ascending));
}

void TDataTable::SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                          bool IncludeHeaders) {
  if (SortRowIx < 1 || SortRowIx > NrOfRows()) return;
  if (!ClampRange(LowCol, HighCol, NrOfColumns()) || !ClampRange(LowRow, HighRow, NrOfRows())) return;
  SortLines(lkColumn, LowCol, HighCol, LowRow, HighRow, IncludeHeaders, ValueOrder(lkColumn, SortRowIx, Ascending));
}

void TDataTable::SortRows(int SortColIx, bool Ascending) {
  SortRows(SortColIx, Ascending, 1, 1, NrOfColumns(), NrOfRows(), true);
}

void TDataTable::SortCols(int SortRowIx, bool Ascending) {
  SortCols(SortRowIx, Ascending, 1, 1, NrOfColumns(), NrOfRows(), true);
}

namespace {

// Text order with letter case ignored or not, descending when asked.
bool NameLess(const String& A, const String& B, bool Ascending, bool IgnoreCase) {
  const int Cmp = IgnoreCase ? CompareText(A, B) : A.compare(B);
  return Ascending ? Cmp < 0 : Cmp > 0;
}

}  // namespace

void TDataTable::SortRowNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol, int HighRow) {
  if (!ClampRange(LowRow, HighRow, NrOfRows())) return;
  if (!ClampRange(LowCol, HighCol, NrOfColumns())) HighCol = LowCol - 1;  // names only
  SortLines(lkRow, LowRow, HighRow, LowCol, HighCol, true, [this, Ascending, IgnoreCase](int A, int B) {
    return NameLess(FRowInfo[static_cast<size_t>(A - 1)].Name, FRowInfo[static_cast<size_t>(B - 1)].Name, Ascending,
                    IgnoreCase);
  });
}

void TDataTable::SortColNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol, int HighRow) {
  if (!ClampRange(LowCol, HighCol, NrOfColumns())) return;
  if (!ClampRange(LowRow, HighRow, NrOfRows())) HighRow = LowRow - 1;
  SortLines(lkColumn, LowCol, HighCol, LowRow, HighRow, true, [this, Ascending, IgnoreCase](int A, int B) {
    return NameLess(FColInfo[static_cast<size_t>(A - 1)].Name, FColInfo[static_cast<size_t>(B - 1)].Name, Ascending,
                    IgnoreCase);
  });
}

void TDataTable::SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow) {
  if (!ClampRange(LowRow, HighRow, NrOfRows())) return;
  if (!ClampRange(LowCol, HighCol, NrOfColumns())) HighCol = LowCol - 1;
  SortLines(lkRow, LowRow, HighRow, LowCol, HighCol, true, [this, Ascending](int A, int B) {
    const int AttA = FRowInfo[static_cast<size_t>(A - 1)].Attrib, AttB = FRowInfo[static_cast<size_t>(B - 1)].Attrib;
    return Ascending ? AttA < AttB : AttB < AttA;
  });
}

void TDataTable::SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow) {
  if (!ClampRange(LowCol, HighCol, NrOfColumns())) return;
  if (!ClampRange(LowRow, HighRow, NrOfRows())) HighRow = LowRow - 1;
  SortLines(lkColumn, LowCol, HighCol, LowRow, HighRow, true, [this, Ascending](int A, int B) {
    const int AttA = FColInfo[static_cast<size_t>(A - 1)].Attrib, AttB = FColInfo[static_cast<size_t>(B - 1)].Attrib;
    return Ascending ? AttA < AttB : AttB < AttA;
  });
}

}  // namespace orv
