// TReportListView: construction, the store connection, properties, column
// widths and order, row and column insertion and removal, Assign.

#include "replist/replistview.h"

#include <algorithm>
#include <numeric>
#include <string_view>

namespace orv {

// Suppresses painting for a bulk operation and restores the previous state
// (one repaint when that was "not suppressed").
class TRLViewPaintSuppressor {
 public:
  explicit TRLViewPaintSuppressor(TReportListView* V) : FView(V), FSaved(V->FSuppressPaint) {
    V->FSuppressPaint = true;
  }
  ~TRLViewPaintSuppressor() {
    FView->FSuppressPaint = true;
    FView->SetSuppressPaint(FSaved);
  }
  TRLViewPaintSuppressor(const TRLViewPaintSuppressor&) = delete;
  TRLViewPaintSuppressor& operator=(const TRLViewPaintSuppressor&) = delete;

 private:
  TReportListView* FView;
  bool FSaved;
};

TReportListView::TReportListView(TComponent* AOwner) : TCustomDrawGrid(AOwner) {
  SetDefaultDrawing(false);
  FRLData = std::make_unique<TRLData>(nullptr);
  TCustomGrid::SetFixedCols(0);
  TCustomGrid::SetFixedRows(1);
  FRLData->SetNrOfColumns(ColCount());
  FRLData->SetNrOfRows(RowCount() - 1);
  FRLData->SetFeedbkNumCells(static_cast<long long>(ColCount()) * std::max(RowCount() - 1, 1));
  FRLData->Strings()->Clear();
  ResizeColumnArrays(FRLData->NrOfColumns(), u"failed to initialize table editor (out of memory)");
  std::iota(FColOrder.begin(), FColOrder.end(), 0);
  ConnectStore();
  SetFixedColor(FColHdColor);
  SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goColSizing, goRowSelect, goThumbTracking});
  UpdateGridRows();
  SetTopRow(1);
}

TReportListView::~TReportListView() {
  // The store's notifications point at this view; silence them first.
  FRLData->Strings()->SetOnChange(nullptr);
  FRLData->Strings()->SetOnPercentDone(nullptr);
}

void TReportListView::ConnectStore() {
  TStringArray* A = FRLData->Strings();
  A->SetOnChange([this](TObject*) {
    Changed();
    RepaintView();
  });
  A->SetOnPercentDone([this](TObject*, int Percent) {
    if (FOnPercentDone) FOnPercentDone(this, Percent);
  });
  FRLData->SetOnPercentDone([this](TObject*, int Percent) {
    if (FOnPercentDone) FOnPercentDone(this, Percent);
  });
  FRLData->SetOnBeforeHTMLExport([this](TObject*, String& Text, int Col, int Row) {
    if (FOnBefHTMLExport) FOnBefHTMLExport(this, Text, Col, Row);
  });
  SetOnBeforeSortExchange(FOnBefSortExc);
}

void TReportListView::SetOnBeforeSortExchange(TBeforeSortExchgEvent V) {
  FOnBefSortExc = std::move(V);
  // The store sorts by single exchanges only while someone listens.
  if (FOnBefSortExc) {
    FRLData->SetOnBeforeSortExchange([this](TObject*, int Kind, int Ix1, int Ix2, const String& T1, String& T2) {
      if (FOnBefSortExc) FOnBefSortExc(this, Kind, Ix1, Ix2, T1, T2);
    });
  } else {
    FRLData->SetOnBeforeSortExchange(nullptr);
  }
}

void TReportListView::ParentChanged() {
  // The window exists once the view sits on a parent: painting starts
  // without a repaint of its own.
  if (Parent()) FSuppressPaint = false;
  TCustomDrawGrid::ParentChanged();
}

void TReportListView::ResizeColumnArrays(int n, const char16_t* FailureText) {
  const size_t N = static_cast<size_t>(std::max(n, 0));
  try {
    FColAlignment.resize(N, taLeftJustify);
    FColumnEditable.resize(N, false);
    FColumnIsPwd.resize(N, false);
    FColOrder.resize(N, 0);
  } catch (const std::bad_alloc&) {
    throw EORVRepListError(u"Component \"" + Name() + u"\": " + FailureText);
  }
}

// --- Painting and events --------------------------------------------------------------------

void TReportListView::RepaintView() {
  if (!FSuppressPaint) Repaint();
}

void TReportListView::SetSuppressPaint(bool V) {
  if (V == FSuppressPaint) return;
  FSuppressPaint = V;
  if (!V) RepaintView();
}

void TReportListView::Changed() {
  if (FOnChange) FOnChange(this);
}

void TReportListView::ChangedSetup() {
  if (FOnChangeSetup) FOnChangeSetup(this);
}

void TReportListView::ChangedSelection() {
  if (FOnSelectedChange) FOnSelectedChange(this);
}

void TReportListView::CursorKeyAction(uint16_t Key) {
  if (FOnCursorKeyAction) FOnCursorKeyAction(this, Key);
}

void TReportListView::SetSetupColor(TColor& Field, TColor V) {
  Field = V;
  RepaintView();
  ChangedSetup();
}

void TReportListView::SetSetupValue(int& Field, int V) {
  Field = V;
  RepaintView();
  ChangedSetup();
}

void TReportListView::SetHighLightBold(bool V) {
  FHiLgtBold = V;
  RepaintView();
  ChangedSetup();
}

void TReportListView::SetColorColumnHd(TColor V) {
  FColHdColor = V;
  SetFixedColor(V);
  RepaintView();
  ChangedSetup();
}

void TReportListView::SetColorEmptyMsg(TColor V) {
  if (V == FColorEmptyMsg) return;
  SetSetupColor(FColorEmptyMsg, V);
}

void TReportListView::SetEmptyMessage(const String& V) {
  if (V == FEmptyMsg) return;
  FEmptyMsg = V;
  RepaintView();
  ChangedSetup();
}

void TReportListView::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomDrawGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
  RepaintView();
}

void TReportListView::TopLeftChanged() {
  Invalidate();
  TCustomDrawGrid::TopLeftChanged();
}

// --- Grid shape ---------------------------------------------------------------------------------

void TReportListView::UpdateGridRows() {
  const int h = CountHeadRows();
  TCustomGrid::SetRowCount(std::max(h + NrOfShownRows(), h + 1));
  TCustomGrid::SetFixedRows(h);
  UpdateHeaderHeights();
}

void TReportListView::UpdateHeaderHeights() {
  const int Dflt = DefaultRowHeight();
  if (FComHdVis && FColHdVis) {
    SetRowHeights(0, FComHdHgt);
    // Row 1 is the column header row even while the list has fewer than two rows.
    SetRowHeights(1, FColHdHgt);
    return;
  }
  SetRowHeights(0, FComHdVis ? FComHdHgt : FColHdVis ? FColHdHgt : Dflt);
  if (NrOfShownRows() >= 2) SetRowHeights(1, Dflt);
}

void TReportListView::SetNrOfRows(int Value) {
  EndFilter();
  FRLData->SetNrOfRows(Value);
  SetSelection(TGridRect{0, 0, 0, 0});
  UpdateGridRows();
  RepaintView();
  ChangedSetup();
}

void TReportListView::SetNrOfColumns(int Value) {
  const int LastWidth = TCustomGrid::ColWidths(ColCount() - 1);
  const int OldLast = ColCount() - 1;
  FRLData->SetNrOfColumns(Value);
  const int n = FRLData->NrOfColumns();
  TCustomGrid::SetColCount(n);
  for (int k = OldLast; k < n; ++k) TCustomGrid::SetColWidths(k, LastWidth);
  ResizeColumnArrays(n, u"not enough memory on heap");
  std::iota(FColOrder.begin(), FColOrder.end(), 0);
  SetTopRow(0);
  RepaintView();
  ChangedSetup();
}

void TReportListView::SetCommonHeader(const String& V) {
  if (V == FRLData->CommonHeader()) return;
  FRLData->SetCommonHeader(V);
  Changed();
  RepaintView();
}

void TReportListView::SetCommonHeaderAlignment(TAlignment V) {
  if (V == FHeaderAlignment) return;
  FHeaderAlignment = V;
  Changed();
  RepaintView();
}

void TReportListView::SetCommonHeaderVisible(bool V) {
  if (V == FComHdVis) return;
  FComHdVis = V;
  UpdateGridRows();
  Changed();
  RepaintView();
}

void TReportListView::SetColumnHeadersVisible(bool V) {
  if (V == FColHdVis) return;
  FColHdVis = V;
  UpdateGridRows();
  Changed();
  RepaintView();
}

void TReportListView::SetCommonHeaderHeight(int V) {
  FComHdHgt = std::clamp(V, 8, 127);
  UpdateHeaderHeights();
  Changed();
  RepaintView();
}

void TReportListView::SetColumnHeadersHeight(int V) {
  FColHdHgt = std::clamp(V, 8, 127);
  UpdateHeaderHeights();
  Changed();
  RepaintView();
}

void TReportListView::SetDefaultColWidth(int V) {
  TCustomGrid::SetDefaultColWidth(V);
  RepaintView();
  ChangedSetup();
}

void TReportListView::SetDefaultRowHeight(int V) {
  TCustomGrid::SetDefaultRowHeight(V);
  UpdateHeaderHeights();
  RepaintView();
  ChangedSetup();
}

void TReportListView::SetEnabled(bool V) {
  FEnabled = V;
  TCustomDrawGrid::SetEnabled(V);
  RepaintView();
}

void TReportListView::SetFixedFirstColumn(bool V) {
  FFixedColOne = V;
  // A single column cannot be fixed: the grid needs one to scroll.
  if (!V || ColCount() > 1) TCustomGrid::SetFixedCols(V ? 1 : 0);
  Changed();
  RepaintView();
}

void TReportListView::SetLeftCol(int V) {
  V = std::max(std::min(V, NrOfColumns()), FixedCols() + 1);
  TCustomGrid::SetLeftCol(V - 1);
}

void TReportListView::SetTopRow(int V) {
  const int h = CountHeadRows();
  TCustomGrid::SetTopRow(std::max(std::min(V + h - 1, h + NrOfShownRows() - 1), h));
}

void TReportListView::SetShowEmptyCheckBoxes(bool V) {
  if (V == FShowEmptyCBx) return;
  FShowEmptyCBx = V;
  RepaintView();
}

void TReportListView::SetCheckMarksReadOnly(bool V) {
  if (V == FROCheckMarks) return;
  FROCheckMarks = V;
  RepaintView();
}

void TReportListView::SetInterRowIndicatorPos(int V) {
  if (V == FInterRowIndi) return;
  FInterRowIndi = V;
  RepaintView();
}

void TReportListView::SetSecondarySortColumn(int V) {
  if (V < -1 || V > NrOfColumns()) return;
  FRLData->SetSortColumnSec(V);
  ChangedSetup();
}

// --- Cells ---------------------------------------------------------------------------------------------

String TReportListView::Elem(int ACol, int ARow) const {
  String Text = FRLData->Elem(ACol, ARow);
  if (FOnReadCell) FOnReadCell(const_cast<TReportListView*>(this), ACol, ARow, Text);
  return Text;
}

void TReportListView::SetElemChecked(int ACol, int ARow, bool V) {
  if (ColumnCheckMode(ACol) == cmNone) return;
  FRLData->SetElemChecked(ACol, ARow, V);
}

double TReportListView::AsNumber(int ACol, int ARow) const {
  try {
    return FRLData->AsNumber(ACol, ARow);
  } catch (const EORVDStructError& E) {
    // The store names itself; the view reports under its own class name.
    String Msg = E.Message();
    const std::u16string_view Store = u"Class TRLData: ";
    if (Msg.starts_with(Store)) Msg.replace(0, Store.size(), u"Class TReportListView: ");
    throw EORVDStructError(Msg);
  }
}

// --- Columns -----------------------------------------------------------------------------------------------

void TReportListView::SetHeader(int ColNr, const String& V) {
  FRLData->SetHeader(ColNr, V);
  if (!ValidColumn(ColNr)) return;
  Changed();
  RepaintView();
}

void TReportListView::SetColumnFormat(int ColNr, const String& V) {
  FRLData->SetColumnFormat(ColNr, V);
  if (!ValidColumn(ColNr)) return;
  Changed();
  RepaintView();
}

void TReportListView::SetColumnCheckMode(int ColNr, TCheckMode V) {
  FRLData->SetColumnCheckMode(ColNr, V);
  Changed();
  RepaintView();
}

void TReportListView::SetIsCheckedColumn(int ColNr, bool V) {
  FRLData->SetIsCheckedColumn(ColNr, V);
  Changed();
  RepaintView();
}

TAlignment TReportListView::ColumnAlignment(int ColNr) const {
  return ValidColumn(ColNr) ? FColAlignment[static_cast<size_t>(ColNr - 1)] : taLeftJustify;
}

void TReportListView::SetColumnAlignment(int ColNr, TAlignment V) {
  if (!ValidColumn(ColNr) || FColAlignment[static_cast<size_t>(ColNr - 1)] == V) return;
  FColAlignment[static_cast<size_t>(ColNr - 1)] = V;
  Changed();
  RepaintView();
}

bool TReportListView::ColumnEditable(int ColNr) const {
  return ValidColumn(ColNr) && FColumnEditable[static_cast<size_t>(ColNr - 1)];
}

void TReportListView::SetColumnEditable(int ColNr, bool V) {
  if (ValidColumn(ColNr)) FColumnEditable[static_cast<size_t>(ColNr - 1)] = V;
}

bool TReportListView::ColumnIsPwd(int ColNr) const {
  return ValidColumn(ColNr) && FColumnIsPwd[static_cast<size_t>(ColNr - 1)];
}

void TReportListView::SetColumnIsPwd(int ColNr, bool V) {
  if (!ValidColumn(ColNr) || FColumnIsPwd[static_cast<size_t>(ColNr - 1)] == V) return;
  FColumnIsPwd[static_cast<size_t>(ColNr - 1)] = V;
  Changed();
  RepaintView();
}

int TReportListView::ColumnOrder(int ColNr) const {
  if (ColNr < 1 || ColNr > static_cast<int>(FColOrder.size())) return 0;
  return FColOrder[static_cast<size_t>(ColNr - 1)] + 1;
}

int TReportListView::DataColumnAt(int k) const {
  if (k < 0 || k >= static_cast<int>(FColOrder.size())) return 0;
  const int d = FColOrder[static_cast<size_t>(k)] + 1;
  return ValidColumn(d) ? d : 0;
}

int TReportListView::GridColumnOf(int d) const {
  const auto It = std::find(FColOrder.begin(), FColOrder.end(), d - 1);
  return It == FColOrder.end() || !ValidColumn(d) ? -1 : static_cast<int>(It - FColOrder.begin());
}

int TReportListView::ColWidths(int Index) const {
  const int k = GridColumnOf(Index);
  return k < 0 ? 0 : TCustomGrid::ColWidths(k);
}

void TReportListView::SetColWidths(int Index, int Value) {
  const int k = GridColumnOf(Index);
  if (k >= 0) TCustomGrid::SetColWidths(k, Value);
  ChangedSetup();
}

bool TReportListView::SetColumnOrder(std::span<const int> ColList) {
  const int n = NrOfColumns();
  if (static_cast<int>(ColList.size()) != n) return false;
  bool AllValid = true;
  for (size_t i = 0; i < ColList.size(); ++i) {
    if (ColList[i] >= 1 && ColList[i] <= n) {
      FColOrder[i] = ColList[i] - 1;
    } else {
      AllValid = false;
    }
  }
  return AllValid;
}

int TReportListView::DetermineMaxColWidth(int ColNr, bool IncludeHeader) {
  if (!ValidColumn(ColNr)) return 10;
  TCanvas* C = Canvas();
  C->Font()->Assign(Font());
  const bool Italic = Font()->Style().Contains(fsItalic);
  const int Extra = (ColumnCheckMode(ColNr) != cmNone ? 16 : 0) + (Italic ? 2 : 0);
  int W = 0;
  for (int r = 1; r <= NrOfRows(); ++r) W = std::max(W, C->TextWidth(Cells()->Elem(ColNr, r)) + Extra);
  if (IncludeHeader) {
    const int ExtraHd = (LastSortColumn() == ColNr ? 13 : 0) + (Italic ? 2 : 0);
    W = std::max(W, C->TextWidth(Header(ColNr)) + ExtraHd);
  }
  return W + 10;
}

void TReportListView::AutoColWidth(int ColNr, bool IncludeHeader, int Addon) {
  SetColWidths(ColNr, std::max(4, DetermineMaxColWidth(ColNr, IncludeHeader) + Addon));
}

void TReportListView::AutoColWidth(int ColNr, bool IncludeHeader, int Addon, int MaxWidth) {
  SetColWidths(ColNr, std::min(std::max(4, DetermineMaxColWidth(ColNr, IncludeHeader) + Addon), MaxWidth));
}

void TReportListView::FitAllColWidths(int ExpandColumn, bool IncludeHeader, int Addon, int MaxWidth,
                                      int RightMargin) {
  TRLViewPaintSuppressor Quiet(this);
  for (int c = 1; c <= NrOfColumns(); ++c) {
    if (c != ExpandColumn) AutoColWidth(c, IncludeHeader, Addon, MaxWidth);
  }
  ExpandColWidth(ExpandColumn, RightMargin);
}

void TReportListView::ExpandColWidth(int ColIx, int RightMargin) {
  const int n = NrOfColumns();
  if (ColIx >= 1 && ColIx <= n) {
    int S = 0;
    for (int i = 1; i <= n; ++i) {
      if (i != ColIx) S += TCustomGrid::ColWidths(ColumnOrder(i) - 1);
    }
    TCustomGrid::SetColWidths(ColumnOrder(ColIx) - 1, std::max(16, ClientWidth() - RightMargin - S));
  }
  ChangedSetup();
}

// --- Rows and columns -----------------------------------------------------------------------------------------

int TReportListView::AddRow() {
  HideEditor();
  SetNrOfRows(NrOfRows() + 1);
  return NrOfRows();
}

int TReportListView::InsertRow(int r) {
  HideEditor();
  {
    TRLViewPaintSuppressor Quiet(this);
    if (r >= 1 && r <= NrOfRows()) {
      // A row inserted among the shown ones is shown; elsewhere the filter ends.
      if (FShownRows >= 0 && r > FShownRows + 1) EndFilter();
      if (FShownRows >= 0) ++FShownRows;
      FRLData->InsertRow(r);
      UpdateGridRows();
      ChangedSetup();
    } else if (r > NrOfRows()) {
      SetNrOfRows(NrOfRows() + 1);
      r = NrOfRows();
    }
    // The rows no longer stand in the order of the last sort: the order shown
    // stays and the sort state is cleared.
    Cells()->CommitSorting();
    FRLData->UnSort();
  }
  return r;
}

int TReportListView::InsertColumn(int c) {
  HideEditor();
  const int n = NrOfColumns();
  if (c < 1) return c;
  TRLViewPaintSuppressor Quiet(this);
  if (c > n) {
    SetNrOfColumns(n + 1);
    return NrOfColumns();
  }
  const auto Alignment = FColAlignment;
  const auto Editable = FColumnEditable;
  const auto Pwd = FColumnIsPwd;
  FRLData->InsertColumn(c);
  SetNrOfColumns(FRLData->NrOfColumns());
  for (int i = 1; i <= n; ++i) {
    const size_t From = static_cast<size_t>(i - 1);
    const size_t To = static_cast<size_t>(i >= c ? i : i - 1);
    FColAlignment[To] = Alignment[From];
    FColumnEditable[To] = Editable[From];
    FColumnIsPwd[To] = Pwd[From];
  }
  const size_t New = static_cast<size_t>(c - 1);
  FColAlignment[New] = taLeftJustify;
  FColumnEditable[New] = false;
  FColumnIsPwd[New] = false;
  ChangedSetup();
  return c;
}

void TReportListView::RemoveColumn(int c) {
  HideEditor();
  if (!ValidColumn(c)) return;
  TRLViewPaintSuppressor Quiet(this);
  const size_t At = static_cast<size_t>(c - 1);
  FColAlignment.erase(FColAlignment.begin() + static_cast<ptrdiff_t>(At));
  FColumnEditable.erase(FColumnEditable.begin() + static_cast<ptrdiff_t>(At));
  FColumnIsPwd.erase(FColumnIsPwd.begin() + static_cast<ptrdiff_t>(At));
  FRLData->RemoveColumn(c);
  const int n = FRLData->NrOfColumns();
  // The arrays follow the store; order entries keep their values (reads of
  // an entry beyond the columns show nothing).
  ResizeColumnArrays(n, u"not enough memory on heap");
  TCustomGrid::SetColCount(n);
  ChangedSetup();
}

void TReportListView::RemoveRow(int r) {
  HideEditor();
  if (r < 1 || r > NrOfRows()) return;
  TRLViewPaintSuppressor Quiet(this);
  if (r <= FShownRows) --FShownRows;
  FRLData->RemoveRow(r);
  UpdateGridRows();
  ChangedSetup();
}

void TReportListView::RemoveEmptyRows() {
  HideEditor();
  TRLViewPaintSuppressor Quiet(this);
  EndFilter();
  FRLData->RemoveEmptyRows();
  UpdateGridRows();
  ChangedSetup();
}

void TReportListView::Fill(const String& s) {
  HideEditor();
  TRLViewPaintSuppressor Quiet(this);
  FRLData->Fill(s);
}

void TReportListView::Clear() {
  HideEditor();
  EndFilter();
  FRLData->Clear();
  std::fill(FColAlignment.begin(), FColAlignment.end(), taLeftJustify);
  std::fill(FColumnIsPwd.begin(), FColumnIsPwd.end(), false);
  std::fill(FColumnEditable.begin(), FColumnEditable.end(), false);
  std::iota(FColOrder.begin(), FColOrder.end(), 0);
  UpdateGridRows();
  RepaintView();
}

void TReportListView::Sort(int Col, int ColSec, bool Ascending) {
  const std::vector<bool> Shown = CaptureShownRows();
  FRLData->Sort(Col, ColSec, Ascending);
  RegroupRows(Shown, false, Col);
  RepaintView();
}

void TReportListView::UnSort() {
  const std::vector<bool> Shown = CaptureShownRows();
  FRLData->UnSort();
  RegroupRows(Shown, false, 0);
  RepaintView();
}

// --- Assign ------------------------------------------------------------------------------------------------------------

void TReportListView::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TReportListView*>(Source);
  if (!S) {
    TCustomDrawGrid::Assign(Source);
    return;
  }
  if (S == this) return;
  FAutoAdvance = S->FAutoAdvance;
  FLastMousePosX = S->FLastMousePosX;
  FLastMousePosY = S->FLastMousePosY;
  FOnChange = S->FOnChange;
  FOnChangeSetup = S->FOnChangeSetup;
  FOnSelectedChange = S->FOnSelectedChange;
  FOnChkStChange = S->FOnChkStChange;
  FOnBefChkStChange = S->FOnBefChkStChange;
  SetOnGetEditText(S->OnGetEditText());
  SetOnSetEditText(S->OnSetEditText());
  FOnReqEditFormat = S->FOnReqEditFormat;
  FOnPercentDone = S->FOnPercentDone;
  FOnBefRenderCell = S->FOnBefRenderCell;
  SetOnBeforeSortExchange(S->FOnBefSortExc);
  FOnBefHTMLExport = S->FOnBefHTMLExport;
  SetOnMouseWheelDown(S->OnMouseWheelDown());
  SetOnMouseWheelUp(S->OnMouseWheelUp());
  FSelectAnchor = S->FSelectAnchor;
  FRowSelectMode = S->FRowSelectMode;
  FSortEnabled = S->FSortEnabled;
  FEnabled = S->FEnabled;
  TCustomDrawGrid::SetEnabled(S->FEnabled);
  FSelRowColor = S->FSelRowColor;
  FSelRowTextColor = S->FSelRowTextColor;
  FSelColColor = S->FSelColColor;
  FSelColTextColor = S->FSelColTextColor;
  FSelBothColor = S->FSelBothColor;
  FSelBothTextColor = S->FSelBothTextColor;
  FHiLgtColor = S->FHiLgtColor;
  FHiLgtTextColor = S->FHiLgtTextColor;
  FHiLgtBold = S->FHiLgtBold;
  FHiLgtRow = S->FHiLgtRow;
  FHiLgtColumn = S->FHiLgtColumn;
  FSuppressPaint = S->FSuppressPaint;
  FColorNormal = S->FColorNormal;
  FRColorNormal = S->FRColorNormal;
  FRColorShaded = S->FRColorShaded;
  FRowColPattern = S->FRowColPattern;
  FHeaderAlignment = S->FHeaderAlignment;
  FComHdVis = S->FComHdVis;
  FComHdColor = S->FComHdColor;
  FComHdTxtColor = S->FComHdTxtColor;
  FColHdVis = S->FColHdVis;
  FColHdColor = S->FColHdColor;
  SetFixedColor(FColHdColor);
  FColHdTxtColor = S->FColHdTxtColor;
  FShowEmptyCBx = S->FShowEmptyCBx;
  FInterRowIndi = S->FInterRowIndi;
  FInterRowColor = S->FInterRowColor;
  FInterRowWidth = S->FInterRowWidth;
  FFixedColOne = S->FFixedColOne;

  FRLData->Assign(S->FRLData.get());
  FShownRows = S->FShownRows;
  FOnBeforeFilter = S->FOnBeforeFilter;
  ConnectStore();
  UpdateGridRows();
  TCustomGrid::SetColCount(NrOfColumns());
  if (!FFixedColOne || ColCount() > 1) TCustomGrid::SetFixedCols(FFixedColOne ? 1 : 0);
  try {
    FColAlignment = S->FColAlignment;
    FColumnEditable = S->FColumnEditable;
    FColumnIsPwd = S->FColumnIsPwd;
    FColOrder = S->FColOrder;
  } catch (const std::bad_alloc&) {
    throw EORVRepListError(u"Component \"" + Name() + u"\": not enough memory on heap");
  }
  RepaintView();
}

}  // namespace orv
