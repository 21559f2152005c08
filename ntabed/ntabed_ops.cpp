// TNTabEd: operations on the bound table, marks, sorts and table exchange.

#include <algorithm>

#include "framework/rtl/sysutils.h"
#include "ntabed/ntabed.h"

namespace orv {

namespace {

// Runs Work with SuppressPaint set, then puts the old value back (turning
// it off repaints).
template <class F>
void WithPaintSuppressed(TNTabEd* Ed, F&& Work) {
  const bool Was = Ed->SuppressPaint();
  Ed->SetSuppressPaint(true);
  try {
    Work();
  } catch (...) {
    Ed->SetSuppressPaint(Was);
    throw;
  }
  Ed->SetSuppressPaint(Was);
}

}  // namespace

// --- Rows and columns ------------------------------------------------------------------------

void TNTabEd::InsertRow(int ix) {
  if (ix <= 0 || ix > NrOfRows() + 1) return;
  WithPaintSuppressed(this, [&] { FData->InsertRow(ix); });
}

void TNTabEd::RemoveRow(int ix) {
  if (ix <= 0 || ix > NrOfRows() || NrOfRows() < 2) return;
  HideEditor();
  WithPaintSuppressed(this, [&] { FData->RemoveRow(ix); });
}

void TNTabEd::InsertColumn(int ix) {
  if (ix <= 0 || ix > NrOfColumns() + 1) return;
  FStructEdit = seInsertCol;
  FStructIndex = ix;
  try {
    WithPaintSuppressed(this, [&] { FData->InsertColumn(ix); });
  } catch (...) {
    FStructEdit = seNone;
    throw;
  }
  FStructEdit = seNone;
}

void TNTabEd::RemoveColumn(int ix) {
  if (ix <= 0 || ix > NrOfColumns() || NrOfColumns() < 2) return;
  HideEditor();
  FStructEdit = seRemoveCol;
  FStructIndex = ix;
  try {
    WithPaintSuppressed(this, [&] { FData->RemoveColumn(ix); });
  } catch (...) {
    FStructEdit = seNone;
    throw;
  }
  FStructEdit = seNone;
}

// The precisions and widths of the data columns turn round with them.
void TNTabEd::MirrorColumns() {
  WithPaintSuppressed(this, [&] {
    FData->MirrorColumns();
    std::reverse(FPrecision.begin(), FPrecision.end());
    const int N = NrOfColumns();
    for (int C = 1; C <= N / 2; ++C) {
      const int A = TCustomGrid::ColWidths(C + FColOffset);
      TCustomGrid::SetColWidths(C + FColOffset, TCustomGrid::ColWidths(N + 1 - C + FColOffset));
      TCustomGrid::SetColWidths(N + 1 - C + FColOffset, A);
    }
  });
}

void TNTabEd::MirrorRows() {
  WithPaintSuppressed(this, [&] { FData->MirrorRows(); });
}

// --- Values and states ------------------------------------------------------------------------

void TNTabEd::Fill(double Value) { FData->Matrix()->Fill(Value); }

int TNTabEd::FillMarkedCells(double Value, uint8_t StateMask) {
  SetSuppressPaint(true);
  int N = 0;
  try {
    N = FData->FillMarkedCells(Value, StateMask);
  } catch (...) {
    SetSuppressPaint(false);
    throw;
  }
  SetSuppressPaint(false);
  return N;
}

void TNTabEd::InvertCellStates(uint8_t StateMask) {
  FData->InvertCellStates(StateMask);
  Redraw();
  ChangedCellStates();
}

void TNTabEd::ExchangeMarkings() {
  FData->ExchangeMarkings();
  Redraw();
  ChangedCellStates();
}

namespace {
// Walks every cell column by column, giving each the state New(old state).
template <class F>
void WalkStates(TDataTable* T, F&& New) {
  T->BeginUpdate();
  for (int C = 1; C <= T->NrOfColumns(); ++C) {
    for (int R = 1; R <= T->NrOfRows(); ++R) {
      const uint8_t S = T->GetCellState(C, R);
      const uint8_t N = New(S);
      if (N != S) T->SetCellState(C, R, N);
    }
  }
  T->EndUpdate();
}
}  // namespace

void TNTabEd::UnMarkAllElems() {
  Quietly([&] { WalkStates(FData, [](uint8_t S) { return static_cast<uint8_t>(S & ~(dtsMarkA | dtsMarkB)); }); });
  Redraw();
  ChangedCellStates();
}

void TNTabEd::MarkAllElemsA() {
  Quietly([&] { WalkStates(FData, [](uint8_t S) { return static_cast<uint8_t>(S | dtsMarkA); }); });
  Redraw();
  ChangedCellStates();
}

void TNTabEd::MarkAllElemsB() {
  Quietly([&] { WalkStates(FData, [](uint8_t S) { return static_cast<uint8_t>(S | dtsMarkB); }); });
  Redraw();
  ChangedCellStates();
}

bool TNTabEd::IfRowMarked(int Row) const {
  if (Row < 1 || Row > NrOfRows()) return false;
  for (int C = 1; C <= NrOfColumns(); ++C) {
    if (CellState(C, Row) & (dtsMarkA | dtsMarkB)) return true;
  }
  return false;
}

bool TNTabEd::IfColumnMarked(int Col) const {
  if (Col < 1 || Col > NrOfColumns()) return false;
  for (int R = 1; R <= NrOfRows(); ++R) {
    if (CellState(Col, R) & (dtsMarkA | dtsMarkB)) return true;
  }
  return false;
}

bool TNTabEd::IfAnyMarked() const {
  for (int R = 1; R <= NrOfRows(); ++R) {
    if (IfRowMarked(R)) return true;
  }
  return false;
}

namespace {
int CountBit(const TDataTable* T, uint8_t Bit) {
  int N = 0;
  for (int C = 1; C <= T->NrOfColumns(); ++C) {
    for (int R = 1; R <= T->NrOfRows(); ++R) N += (T->GetCellState(C, R) & Bit) ? 1 : 0;
  }
  return N;
}
}  // namespace

int TNTabEd::NrOfMarkedDataA() const { return CountBit(FData, dtsMarkA); }
int TNTabEd::NrOfMarkedDataB() const { return CountBit(FData, dtsMarkB); }

void TNTabEd::Clear() {
  const bool Was = FSuppressPaint;
  FSuppressPaint = true;
  try {
    FData->BeginUpdate();
    FData->Clear();
    for (int C = 1; C <= NrOfColumns(); ++C) FData->SetColName(C, u"C-" + IntToStr(C));
    for (int R = 1; R <= NrOfRows(); ++R) FData->SetRowName(R, u"R-" + IntToStr(R));
    FData->EndUpdate();
  } catch (...) {
    FSuppressPaint = Was;
    throw;
  }
  std::fill(FPrecision.begin(), FPrecision.end(), int8_t{3});
  SetSuppressPaint(Was);
  if (!Was) Redraw();
}

// --- Sorts --------------------------------------------------------------------------------------

namespace {
// Sets Flag for the duration of a sort so the exchange hook knows whether
// precisions travel with their columns.
struct TFlagScope {
  bool& Flag;
  bool Old;
  TFlagScope(bool& F, bool V) : Flag(F), Old(F) { Flag = V; }
  ~TFlagScope() { Flag = Old; }
};
}  // namespace

void TNTabEd::SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                       bool IncludeHeaders) {
  TFlagScope S(FSortWithHeaders, IncludeHeaders);
  FData->SortCols(SortRowIx, Ascending, LowCol, LowRow, HighCol, HighRow, IncludeHeaders);
}

void TNTabEd::SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                       bool IncludeHeaders) {
  TFlagScope S(FSortWithHeaders, IncludeHeaders);
  FData->SortRows(SortColIx, Ascending, LowCol, LowRow, HighCol, HighRow, IncludeHeaders);
}

void TNTabEd::SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow) {
  TFlagScope S(FSortWithHeaders, true);
  FData->SortColAttributes(Ascending, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow) {
  TFlagScope S(FSortWithHeaders, true);
  FData->SortRowAttributes(Ascending, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortColNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow) {
  SortColNames(Ascending, false, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortColNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol, int HighRow) {
  TFlagScope S(FSortWithHeaders, true);
  FData->SortColNames(Ascending, IgnoreCase, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortRowNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow) {
  SortRowNames(Ascending, false, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortRowNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol, int HighRow) {
  TFlagScope S(FSortWithHeaders, true);
  FData->SortRowNames(Ascending, IgnoreCase, LowCol, LowRow, HighCol, HighRow);
}

// --- Table exchange -------------------------------------------------------------------------------

void TNTabEd::AssignAnotherDataMatrix(TDataTable* NewDTab) {
  if (!NewDTab) NewDTab = FOwnTable.get();
  if (NewDTab == FData) return;
  HideEditor();
  const int OldCols = NrOfColumns();
  const int OldRows = NrOfRows();
  RemoveHooks(FData);
  FData = NewDTab;
  InstallHooks(FData);
  Quietly([&] { TableResized(OldCols, OldRows, NrOfColumns(), NrOfRows()); });
  Redraw();
  ChangedSetup();
}

void TNTabEd::CopyContentsFrom(TNTabEd* ExtTab) {
  if (!ExtTab || ExtTab == this) return;
  Quietly([&] { FData->Assign(ExtTab->FData); });
  FPrecision = ExtTab->FPrecision;
  FPrecision.resize(static_cast<size_t>(NrOfColumns()), int8_t{3});
  FNumWidth = ExtTab->FNumWidth;
  for (int C = 1; C <= NrOfColumns(); ++C) TCustomGrid::SetColWidths(C + FColOffset, ExtTab->ColWidths(C));
  Redraw();
  ChangedSetup();
  ChangedData();
}

bool TNTabEd::CopyCellStatesFrom(TNTabEd* ExtTab) {
  if (!ExtTab || ExtTab->NrOfColumns() != NrOfColumns() || ExtTab->NrOfRows() != NrOfRows()) return false;
  if (ExtTab == this) return true;
  Quietly([&] {
    FData->BeginUpdate();
    for (int C = 1; C <= NrOfColumns(); ++C) {
      for (int R = 1; R <= NrOfRows(); ++R) FData->SetCellState(C, R, ExtTab->CellState(C, R));
    }
    FData->EndUpdate();
  });
  Redraw();
  ChangedCellStates();
  return true;
}

}  // namespace orv
