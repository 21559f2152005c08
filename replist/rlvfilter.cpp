// TReportListView: filtering rows, sorting by the enabled state, and keeping
// hidden rows behind the shown ones when the rows are reordered.

#include <algorithm>
#include <vector>

#include "replist/filterexpr.h"
#include "replist/replistview.h"

namespace orv {

namespace {

bool CombineVerdicts(bool Own, bool Handler, TLogicOp Op) {
  switch (Op) {
    case loAND: return Own && Handler;
    case loOR: return Own || Handler;
    case loXOR: return Own != Handler;
    case loANDNot: return Own && !Handler;
    case loORNot: return Own || !Handler;
    case loReplace: return Handler;
  }
  return Own && Handler;
}

// Paint suppressed and one change notification for a bulk reorder; one
// repaint at the end when painting was on before.
class TViewBulk {
 public:
  explicit TViewBulk(TReportListView* V) : FView(V), FSaved(V->SuppressPaint()) {
    V->SetSuppressPaint(true);
    V->Data()->Strings()->BeginUpdate();
  }
  ~TViewBulk() {
    FView->Data()->Strings()->EndUpdate();
    FView->SetSuppressPaint(FSaved);
  }
  TViewBulk(const TViewBulk&) = delete;
  TViewBulk& operator=(const TViewBulk&) = delete;

 private:
  TReportListView* FView;
  bool FSaved;
};

// The cell without the check mark that a check column stores in front.
TCellView WithoutMark(TCellView V) {
  if (V.Len == 0) return V;
  V.Data += V.Wide ? 2 : 1;
  --V.Len;
  return V;
}

}  // namespace

std::vector<bool> TReportListView::CaptureShownRows() const {
  std::vector<bool> Shown;
  if (!RowsHidden()) return Shown;
  TStringArray* A = Cells();
  Shown.assign(static_cast<size_t>(NrOfRows()), false);
  for (int r = 1; r <= NrOfShownRows(); ++r) Shown[static_cast<size_t>(A->UnsortedPosition(r) - 1)] = true;
  return Shown;
}

void TReportListView::RegroupRows(const std::vector<bool>& ShownByStorage, bool EnabledFirst, int Col) {
  TStringArray* A = Cells();
  const int m = NrOfRows();
  const bool UseShown = !ShownByStorage.empty() && ShownByStorage.size() == static_cast<size_t>(m);
  if (!UseShown && !EnabledFirst) return;
  std::vector<uint32_t> Order, Disabled, Hidden;
  Order.reserve(static_cast<size_t>(m));
  for (int r = 1; r <= m; ++r) {
    const auto Row = static_cast<uint32_t>(r - 1);
    if (UseShown && !ShownByStorage[static_cast<size_t>(A->UnsortedPosition(r) - 1)]) {
      Hidden.push_back(Row);
    } else if (EnabledFirst && (A->RowAttrib(r) & RowAttrDisabled) != 0) {
      Disabled.push_back(Row);
    } else {
      Order.push_back(Row);
    }
  }
  Order.insert(Order.end(), Disabled.begin(), Disabled.end());
  Order.insert(Order.end(), Hidden.begin(), Hidden.end());
  bool Identity = true;
  for (size_t I = 0; I < Order.size() && Identity; ++I) Identity = Order[I] == I;
  if (!Identity) A->ReorderShownRows(std::move(Order), Col);
}

void TReportListView::FilterAndSort(const String& FilterExp, std::span<const int> FilterColumns, bool IgnoreCase,
                                    TFilterMode FilterMode, int SortColumn, bool Ascending) {
  // Compiled first: a malformed expression changes nothing.
  const TRowFilter Filter(FilterExp, FilterMode, IgnoreCase);
  HideEditor();
  std::vector<int> Columns;
  if (FilterColumns.empty()) {
    for (int c = 1; c <= NrOfColumns(); ++c) Columns.push_back(c);
  } else {
    for (int c : FilterColumns)
      if (ValidColumn(c)) Columns.push_back(c);
  }
  std::vector<bool> Marked(Columns.size());
  for (size_t i = 0; i < Columns.size(); ++i) Marked[i] = ColumnCheckMode(Columns[i]) != cmNone;

  {
    TViewBulk Bulk(this);
    EndFilter();
    if (ValidColumn(SortColumn)) {
      FRLData->Sort(SortColumn, FRLData->SortColumnSec(), Ascending);
    } else {
      // UnSort forgets the secondary sort column, which is a setting of the view.
      const int Secondary = FRLData->SortColumnSec();
      FRLData->UnSort();
      FRLData->SetSortColumnSec(Secondary);
    }

    TStringArray* A = Cells();
    const int m = NrOfRows();
    // The new order in one list: shown rows from the front, hidden rows from
    // the back (turned round afterwards).
    std::vector<uint32_t> Order(static_cast<size_t>(m));
    size_t Front = 0, Back = Order.size();
    std::vector<TCellView> Views(Columns.size());
    for (int r = 1; r <= m; ++r) {
      bool Found = true;
      if (!Filter.MatchesAll()) {
        for (size_t i = 0; i < Columns.size(); ++i) {
          const TCellView V = A->ElemView(Columns[i], r);
          Views[i] = Marked[i] ? WithoutMark(V) : V;
        }
        Found = Filter.Matches(std::span<const TCellView>(Views));
      }
      if (FOnBeforeFilter) {
        bool Verdict = Found;
        TLogicOp Op = loAND;
        FOnBeforeFilter(this, r, Verdict, Op);
        Found = CombineVerdicts(Found, Verdict, Op);
      }
      Order[Found ? Front++ : --Back] = static_cast<uint32_t>(r - 1);
    }
    // A handler that changed the rows leaves nothing to hide by.
    if (Front < Order.size() && NrOfRows() == m) {
      std::reverse(Order.begin() + static_cast<std::ptrdiff_t>(Front), Order.end());
      if (A->ReorderShownRows(std::move(Order), ValidColumn(SortColumn) ? SortColumn : 0))
        FShownRows = static_cast<int>(Front);
    }
    SetSelection(TGridRect{0, 0, 0, 0});
    UpdateGridRows();
    SetTopRow(1);
  }
  ChangedSetup();
}

void TReportListView::SortEnabledState(int SortColumn1, int SortColumn2, bool Ascending) {
  HideEditor();
  {
    TViewBulk Bulk(this);
    const std::vector<bool> Shown = CaptureShownRows();
    if (ValidColumn(SortColumn1)) FRLData->Sort(SortColumn1, SortColumn2, Ascending);
    RegroupRows(Shown, true, SortColumn1);
  }
  ChangedSetup();
}

}  // namespace orv
