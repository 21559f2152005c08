// TNTabEd: binding to the table, properties, events, cell text and sizes.

#include "ntabed/ntabed.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "foundation/strhelpers.h"
#include "framework/controls/edit.h"
#include "framework/controls/memo.h"
#include "framework/forms/menus.h"
#include "framework/grids/inplaceedit.h"
#include "framework/rtl/rtlmath.h"
#include "framework/rtl/sysutils.h"
#include "numio/numformat.h"

namespace orv {

namespace {

constexpr int kDefaultPrecision = 3;
constexpr int kMaxNumWidth = 20;

// The largest magnitudes shown in fixed notation: nine significant digits at
// most, fewer as the decimals eat into them.
constexpr double kFixedLimit[9] = {999999999.0, 9999999.9,  999999.99,  99999.999, 9999.9999,
                                   999.99999,   99.999999,  9.9999999,  0.99999999};
constexpr double kSmallest[9] = {1.0, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8};

String MemoryMessage(const TComponent* C, const char16_t* What) {
  return u"Component \"" + C->Name() + u"\": " + What;
}

}  // namespace

double NTabFixedLimit(int Precision) {
  return Precision >= 0 && Precision <= 8 ? kFixedLimit[Precision] : -1.0;
}

String NTabNumberText(double Value, int Precision, int Width) {
  const double A = std::fabs(Value);
  if (Precision >= 0 && Precision <= 8 && A <= kFixedLimit[Precision] && (A >= kSmallest[Precision] || Value == 0)) {
    return FormatRealText(Width, Precision, Value);
  }
  return FormatRealText(Width + 6, -2, Value);
}

// --- Construction ------------------------------------------------------------------------

TNTabEd::TNTabEd(TComponent* AOwner) : TCustomGrid(AOwner) {
  FInternalSuppress = true;
  SetFixedCols(2);
  FColOffset = 1;
  FRowOffset = 0;
  if (!ComponentState().Contains(csDesigning)) {
    FNameEditor = new TEdit(this);
    FNameEditor->SetParent(this);
    FNameEditor->SetVisible(false);
    FNameEditor->SetOnKeyDown([this](TObject*, uint16_t& Key, TShiftState) { NameEditorKey(Key); });
    // A memo edits the comment; Enter stores its text, Escape drops it.
    FCommentEditor = new TMemo(this);
    FCommentEditor->SetParent(this);
    FCommentEditor->SetVisible(false);
    FCommentEditor->SetOnKeyDown([this](TObject*, uint16_t& Key, TShiftState) { CommentEditorKey(Key); });
  }
  TCustomGrid::SetColWidths(1, FAttribWidth);
  TCustomGrid::SetColWidths(0, NameColWidth);
  FCopyBuffer = std::make_unique<TDataTable>(nullptr);
  FOwnTable = std::make_unique<TDataTable>(nullptr);
  FData = FOwnTable.get();
  try {
    FPrecision.assign(static_cast<size_t>(ColCount() - 2), kDefaultPrecision);
  } catch (const std::bad_alloc&) {
    FOwnTable.reset();
    FData = nullptr;
    throw EORVNTabedError(MemoryMessage(this, u"failed to initialize table editor (out of memory)"));
  }
  InstallHooks(FData);
  FData->Resize(ColCount() - 2, RowCount() - 1);
  FData->Matrix()->Fill(0);
  std::fill(FPrecision.begin(), FPrecision.end(), kDefaultPrecision);
  BuildPopups();
  SetColor(clWindow);
  SetFixedColor(clBtnFace);
  FInternalSuppress = false;
}

TNTabEd::~TNTabEd() {
  if (FData && FData != FOwnTable.get()) RemoveHooks(FData);
  FData = nullptr;
}

void TNTabEd::InstallHooks(TDataTable* Table) {
  AttachChangeHook();
  Table->SetOnSetupChanged([this](TObject*) {
    ChangedSetup();
    Redraw();
  });
  Table->SetOnProgress([this](TObject*, int Percent) {
    if (FOnPercentDone) FOnPercentDone(this, Percent);
  });
  Table->SetOnResized([this](TObject*, int OC, int OR, int NC, int NR) { TableResized(OC, OR, NC, NR); });
  Table->SetOnBeforeSortExchange(
      [this](TObject*, int Kind, int Ix1, int Ix2, const String&, String&) { BeforeSortExchange(Kind, Ix1, Ix2); });
}

void TNTabEd::RemoveHooks(TDataTable* Table) {
  Table->SetOnDataChanged(nullptr);
  Table->SetOnSetupChanged(nullptr);
  Table->SetOnProgress(nullptr);
  Table->SetOnResized(nullptr);
  Table->SetOnBeforeSortExchange(nullptr);
}

void TNTabEd::AttachChangeHook() {
  FData->SetOnDataChanged([this](TObject*) {
    ChangedData();
    Redraw();
  });
}

void TNTabEd::DetachChangeHook() { FData->SetOnDataChanged(nullptr); }

// --- Notifications --------------------------------------------------------------------------

void TNTabEd::Fire(const TNotifyEvent& E) {
  if (!Suppressed() && E) E(this);
}

void TNTabEd::ChangedData() { Fire(FOnChange); }
void TNTabEd::ChangedHeading() { Fire(FOnHeadingChanged); }
void TNTabEd::ChangedAttrib() { Fire(FOnAttributeChanged); }
void TNTabEd::ChangedLayout() { Fire(FOnLayoutChanged); }
void TNTabEd::ChangedCellStates() { Fire(FOnCellStateChanged); }
void TNTabEd::ChangedSelection() { Fire(FOnSelectionChanged); }
void TNTabEd::ChangedSetup() { Fire(FOnChangeSetup); }

void TNTabEd::SetSuppressPaint(bool Value) {
  const bool Was = FSuppressPaint;
  FSuppressPaint = Value;
  if (Was && !Value) Redraw();
}

// --- Table shape ----------------------------------------------------------------------------

// Grid columns and rows, widths and precisions after the table changed its
// dimensions. A column inserted or removed in the middle takes its width
// and precision along, so no column inherits its neighbour's.
void TNTabEd::TableResized(int OldCols, int OldRows, int NewCols, int NewRows) {
  (void)OldRows;
  (void)NewRows;
  const int LastWidth = TCustomGrid::ColWidths(ColCount() - 1);
  const int8_t LastPrec = FPrecision.empty() ? static_cast<int8_t>(kDefaultPrecision) : FPrecision.back();
  std::vector<int> Widths(static_cast<size_t>(std::max(OldCols, 0)));
  for (int C = 1; C <= OldCols; ++C) Widths[static_cast<size_t>(C - 1)] = TCustomGrid::ColWidths(C + FColOffset);
  try {
    std::vector<int8_t> Prec = FPrecision;
    Prec.resize(static_cast<size_t>(std::max(OldCols, 0)), LastPrec);
    const int Ix = FStructIndex;
    if (FStructEdit == seInsertCol && NewCols == OldCols + 1 && Ix >= 1 && Ix <= OldCols) {
      // The new column looks like the one it was put in front of.
      const size_t At = static_cast<size_t>(Ix - 1);
      Widths.insert(Widths.begin() + static_cast<long>(At), Widths[At]);
      Prec.insert(Prec.begin() + static_cast<long>(At), Prec[At]);
    } else if (FStructEdit == seRemoveCol && NewCols == OldCols - 1 && Ix >= 1 && Ix <= OldCols) {
      Widths.erase(Widths.begin() + Ix - 1);
      Prec.erase(Prec.begin() + Ix - 1);
    }
    Widths.resize(static_cast<size_t>(std::max(NewCols, 0)), LastWidth);
    Prec.resize(static_cast<size_t>(std::max(NewCols, 0)), LastPrec);
    FPrecision.swap(Prec);
  } catch (const std::bad_alloc&) {
    throw EORVNTabedError(MemoryMessage(this, u"not enough memory on heap"));
  }
  SetGridShape();
  for (int C = 1; C <= NewCols; ++C) TCustomGrid::SetColWidths(C + FColOffset, Widths[static_cast<size_t>(C - 1)]);
  Redraw();
}

// Column and row counts from the table: one past the fixed ones at least,
// so the fixed columns and rows stay as they are even for an empty table.
void TNTabEd::SetGridShape() {
  SetColCount(std::max(NrOfColumns(), 1) + FColOffset + 1);
  SetRowCount(std::max(NrOfRows(), 1) + FRowOffset + 1);
}

void TNTabEd::ResizeTable(int NrCols, int NrRows) {
  NrCols = std::max(NrCols, 1);
  NrRows = std::max(NrRows, 1);
  Quietly([&] { FData->Resize(NrCols, NrRows); });
  ChangedSetup();
}

void TNTabEd::SetNrOfColumns(int Value) {
  if (Value == NrOfColumns()) return;
  ResizeTable(Value, NrOfRows());
}

void TNTabEd::SetNrOfRows(int Value) {
  if (Value == NrOfRows()) return;
  ResizeTable(NrOfColumns(), Value);
}

void TNTabEd::Redimension(int NrCols, int NrRows) {
  ResizeTable(NrCols, NrRows);
  Redraw();
}

void TNTabEd::BeforeSortExchange(int Kind, int Ix1, int Ix2) {
  if (Kind != 1 || !FSortWithHeaders) return;
  if (Ix1 < 1 || Ix2 < 1 || Ix1 > static_cast<int>(FPrecision.size()) || Ix2 > static_cast<int>(FPrecision.size())) {
    return;
  }
  std::swap(FPrecision[static_cast<size_t>(Ix1 - 1)], FPrecision[static_cast<size_t>(Ix2 - 1)]);
}

// --- Attribute column and row --------------------------------------------------------------

namespace {
// Keeps the selection on the same data cells while the fixed area changes.
struct TDataSelection {
  TGridRect R;
  TDataSelection(const TCustomGrid& G, int ColOff, int RowOff) : R(G.Selection()) {
    R.Left -= ColOff;
    R.Right -= ColOff;
    R.Top -= RowOff;
    R.Bottom -= RowOff;
  }
  void Restore(TCustomGrid& G, int ColOff, int RowOff) const {
    G.SetSelection(TGridRect{R.Left + ColOff, R.Top + RowOff, R.Right + ColOff, R.Bottom + RowOff});
  }
};
}  // namespace

void TNTabEd::SetAttribRowVisible(bool Value) {
  if (Value == AttribRowVisible()) return;
  const TDataSelection Sel(*this, FColOffset, FRowOffset);
  const int Cols = std::max(NrOfColumns(), 1);
  if (Value) {
    SetColCount(Cols + 2);
    for (int C = ColCount() - 1; C >= 2; --C) TCustomGrid::SetColWidths(C, TCustomGrid::ColWidths(C - 1));
    TCustomGrid::SetColWidths(1, FAttribWidth);
    SetFixedCols(2);
    FColOffset = 1;
  } else {
    SetFixedCols(1);
    FColOffset = 0;
    for (int C = 1; C <= ColCount() - 2; ++C) TCustomGrid::SetColWidths(C, TCustomGrid::ColWidths(C + 1));
    SetColCount(Cols + 1);
  }
  Sel.Restore(*this, FColOffset, FRowOffset);
  Redraw();
  ChangedLayout();
}

void TNTabEd::SetAttribColVisible(bool Value) {
  if (Value == AttribColVisible()) return;
  const TDataSelection Sel(*this, FColOffset, FRowOffset);
  const int Rows = std::max(NrOfRows(), 1);
  if (Value) {
    SetRowCount(Rows + 2);
    for (int R = RowCount() - 1; R >= 2; --R) SetRowHeights(R, RowHeights(R - 1));
    SetRowHeights(1, RowHeights(0));
    SetFixedRows(2);
    FRowOffset = 1;
  } else {
    SetFixedRows(1);
    FRowOffset = 0;
    for (int R = 1; R <= RowCount() - 2; ++R) SetRowHeights(R, RowHeights(R + 1));
    SetRowCount(Rows + 1);
  }
  Sel.Restore(*this, FColOffset, FRowOffset);
  Redraw();
  ChangedLayout();
}

// --- Properties -------------------------------------------------------------------------------

String TNTabEd::Comment() const { return FData->Comment(); }

void TNTabEd::SetComment(const String& Value) {
  FData->SetComment(RemoveControlChars(Value));
  ChangedData();
}

void TNTabEd::SetDataReadOnly(bool Value) {
  if (Value == FDataReadOnly) return;
  FDataReadOnly = Value;
  if (Value) HideEditor();
  SetEditing(!Value);
}

void TNTabEd::SetEditing(bool Value) {
  TGridOptions O = Options();
  if (Value) {
    O.Include(goEditing);
  } else {
    O.Exclude(goEditing);
  }
  SetOptions(O);
}

void TNTabEd::SetOptimizeRowHeight(bool Value) {
  if (Value == FOptimizeRowHeight) return;
  FOptimizeRowHeight = Value;
  Redraw();
}

void TNTabEd::SetShowCellCursor(bool Value) {
  if (Value == FShowCellCursor) return;
  FShowCellCursor = Value;
  Invalidate();
}

void TNTabEd::SetNomEditDropDownCount(int Value) {
  FNomEditDropDownCount = Value;
  if (auto* E = dynamic_cast<TInplaceEditList*>(InplaceEditor())) E->SetDropDownRows(Value);
}

void TNTabEd::SetNumWidth(int Value) {
  if (Value >= 1 && Value <= kMaxNumWidth) {
    FNumWidth = Value;
    Redraw();
  }
  ChangedLayout();
}

void TNTabEd::SetBoldMarks(bool Value) {
  if (Value == FBoldMarks) return;
  FBoldMarks = Value;
  Redraw();
  ChangedLayout();
}

void TNTabEd::SetBoldSelHeads(bool Value) {
  if (Value == FBoldSelHeads) return;
  FBoldSelHeads = Value;
  Redraw();
  ChangedLayout();
}

void TNTabEd::SetColorField(TColor& Field, TColor Value) {
  Field = Value;
  Redraw();
  ChangedLayout();
}

void TNTabEd::SetLeftCol(int Value) {
  Value = std::clamp(Value, 1, std::max(NrOfColumns(), 1));
  TCustomGrid::SetLeftCol(Value + FColOffset);
}

void TNTabEd::SetTopRow(int Value) {
  Value = std::clamp(Value, 1, std::max(NrOfRows(), 1));
  TCustomGrid::SetTopRow(Value + FRowOffset);
  Invalidate();
}

void TNTabEd::SetDefaultColWidth(int Value) {
  TCustomGrid::SetDefaultColWidth(Value);
  TCustomGrid::SetColWidths(0, NameColWidth);
  if (AttribRowVisible()) TCustomGrid::SetColWidths(1, FAttribWidth);
  ChangedLayout();
}

int TNTabEd::ColWidths(int Index) const {
  if (Index > 0) return TCustomGrid::ColWidths(Index + FColOffset);
  if (Index == 0) return TCustomGrid::ColWidths(0);
  return AttribRowVisible() ? TCustomGrid::ColWidths(1) : 0;
}

void TNTabEd::SetColWidths(int Index, int Value) {
  if (Index > 0) {
    if (Index <= NrOfColumns()) TCustomGrid::SetColWidths(Index + FColOffset, Value);
  } else if (Index == 0) {
    TCustomGrid::SetColWidths(0, Value);
  } else if (AttribRowVisible()) {
    TCustomGrid::SetColWidths(1, Value);
    FAttribWidth = Value;
  }
  ChangedLayout();
}

// --- Cells, names, attributes, precisions -----------------------------------------------------

bool TNTabEd::IsNumber(int ACol, int ARow) const {
  if (ACol < 1 || ACol > NrOfColumns() || ARow < 1 || ARow > NrOfRows()) return false;
  return (CellState(ACol, ARow) & (dtsNotANumber | dtsEmpty)) == 0;
}

void TNTabEd::SetCellState(int ACol, int ARow, uint8_t Value) {
  FData->SetCellState(ACol, ARow, Value);
  ChangedCellStates();
}

void TNTabEd::SetStateBit(int ACol, int ARow, uint8_t Bit, bool Value) {
  if (ACol >= 1 && ACol <= NrOfColumns() && ARow >= 1 && ARow <= NrOfRows()) {
    const uint8_t S = CellState(ACol, ARow);
    const uint8_t N = Value ? static_cast<uint8_t>(S | Bit) : static_cast<uint8_t>(S & ~Bit);
    if (N != S) Quietly([&] { FData->SetCellState(ACol, ARow, N); });
  }
  Redraw();
  ChangedCellStates();
}

void TNTabEd::SetColName(int ColNr, const TDTNameStr& Value) {
  if (ColNr < 1 || ColNr > NrOfColumns()) return;
  FData->SetColName(ColNr, Value.substr(0, DTNameLength));
  ChangedHeading();
  Redraw();
}

void TNTabEd::SetRowName(int RowNr, const TDTNameStr& Value) {
  if (RowNr < 1 || RowNr > NrOfRows()) return;
  FData->SetRowName(RowNr, Value.substr(0, DTNameLength));
  ChangedHeading();
  Redraw();
}

void TNTabEd::SetColAttrib(int ColNr, uint8_t Value) {
  if (ColNr < 1 || ColNr > NrOfColumns()) return;
  FData->SetColAttrib(ColNr, Value);
  Redraw();
  ChangedAttrib();
}

void TNTabEd::SetRowAttrib(int RowNr, uint8_t Value) {
  if (RowNr < 1 || RowNr > NrOfRows()) return;
  FData->SetRowAttrib(RowNr, Value);
  Redraw();
  ChangedAttrib();
}

int8_t TNTabEd::Precision(int ColNr) const {
  if (ColNr < 1 || ColNr > static_cast<int>(FPrecision.size())) return 0;
  return FPrecision[static_cast<size_t>(ColNr - 1)];
}

void TNTabEd::SetPrecision(int ColNr, int Value) {
  if (ColNr < 1 || ColNr > static_cast<int>(FPrecision.size())) return;
  FPrecision[static_cast<size_t>(ColNr - 1)] = static_cast<int8_t>(std::clamp(Value, -1, 10));
  Redraw();
  ChangedLayout();
}

namespace {
// An integer value as decimal text; values no integer can hold keep their
// floating text ("INF", "NAN" or the digits).
String WholeText(double V) {
  if (std::isfinite(V) && std::fabs(V) < 9.0e18) return IntToStr(static_cast<long long>(V));
  return FormatRealText(1, 0, V);
}
}  // namespace

String TNTabEd::CellText(int ACol, int ARow) const {
  const uint8_t S = CellState(ACol, ARow);
  if (S & dtsEmpty) return String();
  if (S & dtsNotANumber) return u"-nan-";
  const double V = Elem(ACol, ARow);
  if (FData->IsCategorical(ACol)) {
    const double Ord = std::nearbyint(V);
    if (Ord >= 1 && Ord <= MaxNominalOrdinal) {
      String Id = FData->GetNominalID(ACol, static_cast<int>(Ord));
      if (!Id.empty()) return Id;
    }
    return MScaleTypeNames[FData->GetMScaleType(ACol)] + u":" + WholeText(Ord);
  }
  return NTabNumberText(V, Precision(ACol), FNumWidth);
}

// --- Sizes ------------------------------------------------------------------------------------

int TNTabEd::AutoColWidth(int ColNr, bool IncludeHeader, int Addon) {
  TCanvas* C = Canvas();
  C->Font()->Assign(Font());
  int W = 0;
  if (ColNr == -1) {
    W = C->TextWidth(IncludeHeader ? u"Attrib" : u"255");
  } else if (ColNr == 0) {
    W = C->TextWidth(u"999:9999");
    for (int R = 1; R <= NrOfRows(); ++R) W = std::max(W, C->TextWidth(RowName(R)));
  } else if (ColNr >= 1 && ColNr <= NrOfColumns()) {
    if (IncludeHeader) W = C->TextWidth(ColName(ColNr));
    W = std::max(W, C->TextWidth(IntToStr(ColAttrib(ColNr))));
    for (int R = 1; R <= NrOfRows(); ++R) {
      W = std::max(W, C->TextWidth(NTabNumberText(Elem(ColNr, R), Precision(ColNr), FNumWidth)));
    }
  }
  const int Result = std::max(4, W + Addon + 8);
  SetColWidths(ColNr, Result);
  return Result;
}

int TNTabEd::AutoRowHeight(int RowNr, int Addon) {
  TCanvas* C = Canvas();
  C->Font()->Assign(Font());
  const int H = std::max(8, C->TextHeight(u"9GMg\u00DC$\u00A7[{|") + Addon + 2);
  if (RowNr > 0) {
    if (RowNr <= NrOfRows()) SetRowHeights(RowNr + FRowOffset, H);
  } else if (RowNr == 0) {
    SetRowHeights(0, H);
  } else if (AttribColVisible()) {
    SetRowHeights(1, H);
  }
  return H;
}

}  // namespace orv
