#pragma once
// TNTabEd: a grid that shows and edits one TDataTable: values with a state
// byte per cell, column and row names, attributes, a comment, and per column
// a display precision. Grid column 0 holds the row names and grid row 0 the
// column names; the optional attribute column (grid column 1) and attribute
// row (grid row 1) sit between them and the data. Data cell (c, r), counted
// from 1, is grid cell (c + ColOffset, r + RowOffset).
//
// Files: ntabed.cpp (binding, properties, cell text, sizes), ntabed_draw.cpp
// (painting), ntabed_input.cpp (in-place editing, keys, mouse, name and
// comment editors), ntabed_ops.cpp (table operations, marks, sorts),
// ntabed_popup.cpp (the two built-in menus and the clipboard).

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "foundation/basetypes.h"
#include "foundation/datatable.h"
#include "framework/graphics/font.h"
#include "framework/grids/grids.h"

namespace orv {

class TEdit;
class TMemo;
class TPopupMenu;
class TMenuItem;
class TNameEditor;

using TBeforePopupEvent = std::function<void(TObject* Sender, TPopupMenu* PMenu)>;
using TBeforeRenderCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Text, TColor& ColorText,
                                                  TColor& ColorBakg, TFontStyles& FontStyles)>;

// Largest magnitude shown in fixed notation for precision 0..8; beyond it
// (or below 10^-d) a number is shown in exponent notation.
double NTabFixedLimit(int Precision);
// Text of a numeric value at precision d and field width w, as the cells show it.
String NTabNumberText(double Value, int Precision, int Width);

class TNTabEd : public TCustomGrid {
 public:
  explicit TNTabEd(TComponent* AOwner);
  ~TNTabEd() override;

  static constexpr int NameColWidth = 80;
  static constexpr int MaxNominalDropDown = 150;

  // ---- layout
  bool AttribRowVisible() const { return FColOffset == 1; }
  void SetAttribRowVisible(bool Value);
  bool AttribColVisible() const { return FRowOffset == 1; }
  void SetAttribColVisible(bool Value);
  int ColOffset() const { return FColOffset; }
  int RowOffset() const { return FRowOffset; }

  // ---- behaviour
  bool AutoAdvance() const { return FAutoAdvance; }
  void SetAutoAdvance(bool Value) { FAutoAdvance = Value; }
  TOrientation AutoAdvanceDir() const { return FAutoAdvanceDir; }
  void SetAutoAdvanceDir(TOrientation Value) { FAutoAdvanceDir = Value; }
  bool BlockInternalPopup() const { return FBlockInternalPopup; }
  void SetBlockInternalPopup(bool Value) { FBlockInternalPopup = Value; }
  bool CommentEditingAllowed() const { return FCommentEditingAllowed; }
  void SetCommentEditingAllowed(bool Value) { FCommentEditingAllowed = Value; }
  String Comment() const;
  // Control characters are dropped; fires OnChange.
  void SetComment(const String& Value);
  bool ClipboardUseFullPrec() const { return FClipboardUseFullPrec; }
  void SetClipboardUseFullPrec(bool Value) { FClipboardUseFullPrec = Value; }
  bool DataReadOnly() const { return FDataReadOnly; }
  void SetDataReadOnly(bool Value);
  bool OptimizeRowHeight() const { return FOptimizeRowHeight; }
  void SetOptimizeRowHeight(bool Value);
  bool ShowCellCursor() const { return FShowCellCursor; }
  void SetShowCellCursor(bool Value);
  int NomEditDropDownCount() const { return FNomEditDropDownCount; }
  void SetNomEditDropDownCount(int Value);
  int NumWidth() const { return FNumWidth; }
  // 1..20; other values are ignored. OnLayoutChanged fires either way.
  void SetNumWidth(int Value);
  bool BoldMarks() const { return FBoldMarks; }
  void SetBoldMarks(bool Value);
  bool BoldSelHeads() const { return FBoldSelHeads; }
  void SetBoldSelHeads(bool Value);

  // ---- colours
  TColor ColorBackground() const { return Color(); }
  void SetColorBackground(TColor Value) { SetColor(Value); }
  TColor ColorFixed() const { return FixedColor(); }
  void SetColorFixed(TColor Value) { SetFixedColor(Value); }
  TColor ColorNormal() const { return FColorNormal; }
  void SetColorNormal(TColor Value) { SetColorField(FColorNormal, Value); }
  TColor ColorSelected() const { return FColorSelected; }
  void SetColorSelected(TColor Value) { SetColorField(FColorSelected, Value); }
  TColor ColorMarkedA() const { return FColorMarkedA; }
  void SetColorMarkedA(TColor Value) { SetColorField(FColorMarkedA, Value); }
  TColor ColorMarkedB() const { return FColorMarkedB; }
  void SetColorMarkedB(TColor Value) { SetColorField(FColorMarkedB, Value); }
  TColor ColorMarkedBoth() const { return FColorMarkedBoth; }
  void SetColorMarkedBoth(TColor Value) { SetColorField(FColorMarkedBoth, Value); }
  TColor ColorRangeSelFG() const { return FColorRangeSelFG; }
  void SetColorRangeSelFG(TColor Value) { SetColorField(FColorRangeSelFG, Value); }
  TColor ColorRangeSelBG() const { return FColorRangeSelBG; }
  void SetColorRangeSelBG(TColor Value) { SetColorField(FColorRangeSelBG, Value); }

  // ---- dimensions and scrolling (data indices)
  int NrOfColumns() const { return FData->NrOfColumns(); }
  void SetNrOfColumns(int Value);
  int NrOfRows() const { return FData->NrOfRows(); }
  void SetNrOfRows(int Value);
  void Redimension(int NrCols, int NrRows);
  int LeftCol() const { return TCustomGrid::LeftCol() - FColOffset; }
  void SetLeftCol(int Value);
  int TopRow() const { return TCustomGrid::TopRow() - FRowOffset; }
  void SetTopRow(int Value);
  // Sets the grid's default width, then the name column back to 80 pixels
  // and a shown attribute column back to its remembered width.
  void SetDefaultColWidth(int Value);
  // Index > 0: data column; 0: row names; < 0: attribute column (0 while hidden).
  int ColWidths(int Index) const;
  void SetColWidths(int Index, int Value);

  // ---- cells (data indices)
  double Elem(int ACol, int ARow) const { return FData->GetElem(ACol, ARow); }
  void SetElem(int ACol, int ARow, double Value) { FData->SetElem(ACol, ARow, Value); }
  uint8_t CellState(int ACol, int ARow) const { return FData->GetCellState(ACol, ARow); }
  // Stores the byte; the table's change hook repaints, OnCellStateChanged fires.
  void SetCellState(int ACol, int ARow, uint8_t Value);
  bool ElemMarkedA(int ACol, int ARow) const { return (CellState(ACol, ARow) & dtsMarkA) != 0; }
  void SetElemMarkedA(int ACol, int ARow, bool Value) { SetStateBit(ACol, ARow, dtsMarkA, Value); }
  bool ElemMarkedB(int ACol, int ARow) const { return (CellState(ACol, ARow) & dtsMarkB) != 0; }
  void SetElemMarkedB(int ACol, int ARow, bool Value) { SetStateBit(ACol, ARow, dtsMarkB, Value); }
  bool IsNumber(int ACol, int ARow) const;
  bool IsEmpty(int ACol, int ARow) const { return (CellState(ACol, ARow) & dtsEmpty) != 0; }
  void SetIsEmpty(int ACol, int ARow, bool Value) { SetStateBit(ACol, ARow, dtsEmpty, Value); }
  TDTNameStr ColName(int ColNr) const { return FData->GetColName(ColNr); }
  void SetColName(int ColNr, const TDTNameStr& Value);
  TDTNameStr RowName(int RowNr) const { return FData->GetRowName(RowNr); }
  void SetRowName(int RowNr, const TDTNameStr& Value);
  uint8_t ColAttrib(int ColNr) const { return FData->GetColAttrib(ColNr); }
  void SetColAttrib(int ColNr, uint8_t Value);
  uint8_t RowAttrib(int RowNr) const { return FData->GetRowAttrib(RowNr); }
  void SetRowAttrib(int RowNr, uint8_t Value);
  // -1..10; 0 outside the columns. Writes clamp into -1..10.
  int8_t Precision(int ColNr) const;
  void SetPrecision(int ColNr, int Value);
  // The text data cell (c, r) shows.
  String CellText(int ACol, int ARow) const;

  // ---- the bound table
  TDataTable* DataTable() const { return FData; }
  // Shows and edits NewDTab instead of the own table; the editor does not
  // own it. nullptr goes back to the own table.
  void AssignAnotherDataMatrix(TDataTable* NewDTab);
  // Takes dimensions, content, precisions and layout of another editor.
  void CopyContentsFrom(TNTabEd* ExtTab);
  // Takes the cell states of another editor of the same dimensions; false
  // (and nothing changed) when the dimensions differ.
  bool CopyCellStatesFrom(TNTabEd* ExtTab);

  // ---- paint suppression and notifications
  bool SuppressPaint() const { return FSuppressPaint; }
  // Turning it off repaints.
  void SetSuppressPaint(bool Value);
  void ChangedData();
  void ChangedHeading();
  void ChangedAttrib();
  void ChangedLayout();
  void ChangedCellStates();
  void ChangedSelection();
  void ChangedSetup();

  // ---- sizes
  int AutoColWidth(int ColNr, bool IncludeHeader, int Addon);
  int AutoRowHeight(int RowNr, int Addon);

  // ---- table operations (data indices)
  void InsertRow(int ix);
  void RemoveRow(int ix);
  void InsertColumn(int ix);
  void RemoveColumn(int ix);
  void MirrorColumns();
  void MirrorRows();
  void Fill(double Value);
  int FillMarkedCells(double Value, uint8_t StateMask);
  void InvertCellStates(uint8_t StateMask);
  void ExchangeMarkings();
  void UnMarkAllElems();
  void MarkAllElemsA();
  void MarkAllElemsB();
  bool IfRowMarked(int Row) const;
  bool IfColumnMarked(int Col) const;
  bool IfAnyMarked() const;
  int NrOfMarkedDataA() const;
  int NrOfMarkedDataB() const;
  // Values, states, names ("C-<c>", "R-<r>"), attributes and comment reset;
  // every precision back to 3.
  void Clear();

  void SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow, bool IncludeHeaders);
  void SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow, bool IncludeHeaders);
  void SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortColNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortColNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortRowNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortRowNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol, int HighRow);
  // First column (row) of that name, letter case ignored; 0 when none.
  int FindColIndex(const TDTNameStr& ColID) const { return FData->FindColIndex(ColID); }
  int FindRowIndex(const TDTNameStr& RowID) const { return FData->FindRowIndex(RowID); }

  // ---- popup menus and clipboard
  TPopupMenu* PopupD() const { return FPopupD; }
  TPopupMenu* PopupH() const { return FPopupH; }
  int PopupDMask() const { return FPopupDMask; }
  void SetPopupDMask(int Value);
  int PopupHMask() const { return FPopupHMask; }
  void SetPopupHMask(int Value);
  TDTNameStr PopupDCaptions(int ix) const;
  void SetPopupDCaptions(int ix, const TDTNameStr& Value);
  TDTNameStr PopupHCaptions(int ix) const;
  void SetPopupHCaptions(int ix, const TDTNameStr& Value);
  TDTNameStr PopupMCaptions(int ix) const;
  void SetPopupMCaptions(int ix, const TDTNameStr& Value);
  TDTNameStr PopupUCaptions(int ix) const;
  void SetPopupUCaptions(int ix, const TDTNameStr& Value);
  // Size of the block of numbers the clipboard text holds; false (and 1 x 1)
  // when it holds no text.
  bool GetClipMatrixSize(int& NCols, int& NRows);
  // Whether the copy buffer holds a copied block.
  bool HasCopiedBlock() const { return FCopied; }
  // The grid cell the last mouse-down hit (used by the popup actions).
  TGridCoord PopupCell() const { return FPopupCell; }
  void SetPopupCell(TGridCoord Value) { FPopupCell = Value; }
  bool NameEditorActive() const { return FNameEdActive; }
  bool CommentEditorActive() const { return FCommentEdActive; }
  TEdit* NameEditor() const;
  TMemo* CommentEditor() const { return FCommentEditor; }

  void PopupMenuClickMarkARange(TObject* Sender);
  void PopupMenuClickMarkAColumn(TObject* Sender);
  void PopupMenuClickMarkARow(TObject* Sender);
  void PopupMenuClickMarkAAll(TObject* Sender);
  void PopupMenuClickMarkBRange(TObject* Sender);
  void PopupMenuClickMarkBColumn(TObject* Sender);
  void PopupMenuClickMarkBRow(TObject* Sender);
  void PopupMenuClickMarkBAll(TObject* Sender);
  void PopupMenuClickUnMarkARange(TObject* Sender);
  void PopupMenuClickUnMarkAColumn(TObject* Sender);
  void PopupMenuClickUnMarkARow(TObject* Sender);
  void PopupMenuClickUnMarkAAll(TObject* Sender);
  void PopupMenuClickUnMarkBRange(TObject* Sender);
  void PopupMenuClickUnMarkBColumn(TObject* Sender);
  void PopupMenuClickUnMarkBRow(TObject* Sender);
  void PopupMenuClickUnMarkBAll(TObject* Sender);
  void PopupMenuClickUnMarkAll(TObject* Sender);
  void PopupMenuClickClear(TObject* Sender);
  void PopupMenuClickCopy(TObject* Sender);
  void PopupMenuClickPaste(TObject* Sender);
  void PopupMenuClickEdit(TObject* Sender);
  void PopupMenuClickExtClip(TObject* Sender);
  void PopupMenuClickSelAll(TObject* Sender);
  void PopupMenuClickEmptyCells(TObject* Sender);
  void PopupMenuClickChangeID(TObject* Sender);
  void PopupMenuClickPrecision(TObject* Sender);
  void PopupMenuClickSelectCol(TObject* Sender);
  void PopupMenuClickSelectRow(TObject* Sender);
  void PopupMenuClickInsertCol(TObject* Sender);
  void PopupMenuClickInsertRow(TObject* Sender);
  void PopupMenuClickDeleteCol(TObject* Sender);
  void PopupMenuClickDeleteRow(TObject* Sender);

  // ---- events
  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent V) { FOnChange = std::move(V); }
  TNotifyEvent OnChangeSetup() const { return FOnChangeSetup; }
  void SetOnChangeSetup(TNotifyEvent V) { FOnChangeSetup = std::move(V); }
  TNotifyEvent OnHeadingChanged() const { return FOnHeadingChanged; }
  void SetOnHeadingChanged(TNotifyEvent V) { FOnHeadingChanged = std::move(V); }
  TNotifyEvent OnAttributeChanged() const { return FOnAttributeChanged; }
  void SetOnAttributeChanged(TNotifyEvent V) { FOnAttributeChanged = std::move(V); }
  TNotifyEvent OnCellStateChanged() const { return FOnCellStateChanged; }
  void SetOnCellStateChanged(TNotifyEvent V) { FOnCellStateChanged = std::move(V); }
  TNotifyEvent OnLayoutChanged() const { return FOnLayoutChanged; }
  void SetOnLayoutChanged(TNotifyEvent V) { FOnLayoutChanged = std::move(V); }
  TNotifyEvent OnSelectionChanged() const { return FOnSelectionChanged; }
  void SetOnSelectionChanged(TNotifyEvent V) { FOnSelectionChanged = std::move(V); }
  TNotifyEvent OnTopLeftChanged() const { return FOnTopLeftChanged; }
  void SetOnTopLeftChanged(TNotifyEvent V) { FOnTopLeftChanged = std::move(V); }
  TNotifyEvent OnClear() const { return FOnClear; }
  void SetOnClear(TNotifyEvent V) { FOnClear = std::move(V); }
  TNotifyEvent OnPaste() const { return FOnPaste; }
  void SetOnPaste(TNotifyEvent V) { FOnPaste = std::move(V); }
  TOnPercentDoneEvent OnPercentDone() const { return FOnPercentDone; }
  void SetOnPercentDone(TOnPercentDoneEvent V) { FOnPercentDone = std::move(V); }
  TBeforePopupEvent OnBeforePopup() const { return FOnBeforePopup; }
  void SetOnBeforePopup(TBeforePopupEvent V) { FOnBeforePopup = std::move(V); }
  TBeforeRenderCellEvent OnBeforeRenderCell() const { return FOnBeforeRenderCell; }
  void SetOnBeforeRenderCell(TBeforeRenderCellEvent V) { FOnBeforeRenderCell = std::move(V); }
  TGetEditEvent OnGetEditText() const { return FOnGetEditText; }
  void SetOnGetEditText(TGetEditEvent V) { FOnGetEditText = std::move(V); }
  TSetEditEvent OnSetEditText() const { return FOnSetEditText; }
  void SetOnSetEditText(TSetEditEvent V) { FOnSetEditText = std::move(V); }

  void WndProc(TMessage& Message) override;

 protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  bool CellFillsItself(int ACol, int ARow) const override;
  void Paint() override;
  String GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const String& Value) override;
  TEditStyle GetEditStyle(int ACol, int ARow) override;
  TInplaceEdit* CreateEditor() override;
  void GetPickListItems(int ACol, int ARow, std::vector<String>& Items) override;
  void KeyPress(Char& Key) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void TopLeftChanged() override;

 private:
  // Structural edit in progress, so the resize hook moves per-column
  // precisions and widths at the right place.
  enum TStructEdit : uint8_t { seNone, seInsertCol, seRemoveCol, seInsertRow, seRemoveRow };

  bool Suppressed() const { return FSuppressPaint || FInternalSuppress; }
  void Fire(const TNotifyEvent& E);
  void Redraw() { Invalidate(); }
  void SetColorField(TColor& Field, TColor Value);
  void SetStateBit(int ACol, int ARow, uint8_t Bit, bool Value);
  void InstallHooks(TDataTable* Table);
  void RemoveHooks(TDataTable* Table);
  void AttachChangeHook();
  void DetachChangeHook();
  void TableResized(int OldCols, int OldRows, int NewCols, int NewRows);
  void BeforeSortExchange(int Kind, int Ix1, int Ix2);
  void ResizeTable(int NrCols, int NrRows);
  void SetGridShape();
  // Data coordinates of the selection's top-left cell.
  TGridCoord CurrentDataCell() const;
  bool CellLocked(int DCol, int DRow) const;
  void SetEditing(bool Value);
  void SelectionCheck();
  void DrawCellCursor();
  void DrawDataCell(int C, int R, const TRect& Rect);
  void DrawFixedCell(int ACol, int ARow, TRect Rect);
  // Runs Work with the internal suppression flag set (restored after).
  template <class F>
  void Quietly(F&& Work);
  void ForSelectedData(const std::function<void(int, int)>& Work);
  // Sets or clears Bit on the cells Where selects, quietly, then repaints
  // and fires OnCellStateChanged.
  void MarkCells(uint8_t Bit, bool Set, int Where);
  void BuildPopups();
  void OpenDataPopup(int X, int Y);
  void PrepareHeaderPopup();
  void OpenHeaderPopup();
  void InvertPopupCellFrame();
  void ApplyMask(TPopupMenu* Menu, int Mask);
  void OpenNameEditor();
  void NameEditorKey(uint16_t& Key);
  void OpenCommentEditor();
  void CommentEditorKey(uint16_t& Key);
  TMenuItem* DItem(int ix) const;
  TMenuItem* HItem(int ix) const;

  TDataTable* FData = nullptr;
  std::unique_ptr<TDataTable> FOwnTable;
  std::unique_ptr<TDataTable> FCopyBuffer;
  bool FCopied = false;
  std::vector<int8_t> FPrecision;
  int FColOffset = 1;
  int FRowOffset = 0;
  int FAttribWidth = 32;
  int FNumWidth = 1;
  TGridRect FLastSel{-1, -1, -1, -1};
  bool FSuppressPaint = false;
  bool FInternalSuppress = false;
  TStructEdit FStructEdit = seNone;
  int FStructIndex = 0;
  bool FSortWithHeaders = false;
  TGridCoord FPopupCell{0, 0};
  TPoint FLastMouseDown{0, 0};
  TEdit* FNameEditor = nullptr;
  bool FNameEdActive = false;
  TMemo* FCommentEditor = nullptr;
  bool FCommentEdActive = false;
  TPopupMenu* FPopupD = nullptr;
  TPopupMenu* FPopupH = nullptr;
  int FPopupDMask = 0x7FFFFFFF;
  int FPopupHMask = 0x7FFFFFFF;

  bool FAutoAdvance = true;
  TOrientation FAutoAdvanceDir = orDown;
  bool FBlockInternalPopup = false;
  bool FCommentEditingAllowed = true;
  bool FClipboardUseFullPrec = true;
  bool FDataReadOnly = false;
  bool FOptimizeRowHeight = false;
  bool FShowCellCursor = true;
  int FNomEditDropDownCount = 8;
  bool FBoldMarks = true;
  bool FBoldSelHeads = true;
  TColor FColorNormal = 0x002000;
  TColor FColorSelected = 0x404040;
  TColor FColorMarkedA = 0x0000FF;
  TColor FColorMarkedB = 0xFF0000;
  TColor FColorMarkedBoth = 0xCC00BB;
  TColor FColorRangeSelFG = 0x80552C;
  TColor FColorRangeSelBG = 0xF8E8E0;

  TNotifyEvent FOnChange;
  TNotifyEvent FOnChangeSetup;
  TNotifyEvent FOnHeadingChanged;
  TNotifyEvent FOnAttributeChanged;
  TNotifyEvent FOnCellStateChanged;
  TNotifyEvent FOnLayoutChanged;
  TNotifyEvent FOnSelectionChanged;
  TNotifyEvent FOnTopLeftChanged;
  TNotifyEvent FOnClear;
  TNotifyEvent FOnPaste;
  TOnPercentDoneEvent FOnPercentDone;
  TBeforePopupEvent FOnBeforePopup;
  TBeforeRenderCellEvent FOnBeforeRenderCell;
  TGetEditEvent FOnGetEditText;
  TSetEditEvent FOnSetEditText;
};

template <class F>
void TNTabEd::Quietly(F&& Work) {
  const bool Was = FInternalSuppress;
  FInternalSuppress = true;
  try {
    Work();
  } catch (...) {
    FInternalSuppress = Was;
    throw;
  }
  FInternalSuppress = Was;
}

}  // namespace orv
