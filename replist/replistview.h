#pragma once
// TReportListView: a grid over a private TRLData. It shows data columns
// 1..NrOfColumns (in the order of its column order array) and data rows
// 1..NrOfRows below an optional common header row and an optional column
// header row; h = CountHeadRows() of them are the grid's fixed rows, data
// row r is grid row r + h - 1, and an empty list still shows one blank row.
//
// The view stores no cell text: every visible cell is read from the store
// while it is drawn. Selection, enabling and check marks live in the store's
// row and column flag bytes and cell strings, so they move with sorting.
//
// The setup and properties are in replistview.cpp, the drawing in
// rlvdraw.cpp, mouse, keys and in-place editing in rlvinput.cpp.

#include <algorithm>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "foundation/basetypes.h"
#include "framework/controls/stdtypes.h"
#include "framework/grids/grids.h"
#include "replist/filterexpr.h"
#include "replist/rldata.h"

namespace orv {

using TRenderCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, TColor& PenColor, TColor& BrushColor,
                                            TColor& FontColor, TFontStyles& FontStyles, String& Text)>;
using TReadCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Text)>;
using TCheckStateChangeEvent = std::function<void(TObject* Sender, bool& State, int Col, int Row)>;
using TCursorKeyActionEvent = std::function<void(TObject* Sender, uint16_t Key)>;
using TRequestEditFormatEvent = std::function<void(TObject* Sender, int Col, int Row, String& Format)>;

class TForm;
class TSpeedButton;

// Asked by FilterAndSort for each row: Found arrives holding the view's own
// match and CombineWithInternalSearch loAND; the handler sets its verdict and
// how it combines with the view's match (loAND, loOR, loXOR, loANDNot "own and
// not handler's", loORNot "own or not handler's", loReplace "handler's alone").
using TBeforeFilterEvent =
    std::function<void(TObject* Sender, int Row, bool& Found, TLogicOp& CombineWithInternalSearch)>;

class TReportListView : public TCustomDrawGrid {
 public:
  // 5 columns named "C-1".."C-5", 4 empty rows, column headers shown.
  explicit TReportListView(TComponent* AOwner);
  ~TReportListView() override;

  // From another view: presentation settings, handlers and the store (see
  // the .cpp for what is left out); anything else goes to the inherited Assign.
  void Assign(TPersistent* Source) override;

  // --- Size ------------------------------------------------------------------------
  int NrOfColumns() const { return FRLData->NrOfColumns(); }
  void SetNrOfColumns(int Value);
  int NrOfRows() const { return FRLData->NrOfRows(); }
  void SetNrOfRows(int Value);
  int CountHeadRows() const { return (FComHdVis ? 1 : 0) + (FColHdVis ? 1 : 0); }

  // --- Colours and looks (store, repaint, setup event) -----------------------------
  TColor ColorText() const { return FColorNormal; }
  void SetColorText(TColor V) { SetSetupColor(FColorNormal, V); }
  TColor ColorBkgdNormal() const { return FRColorNormal; }
  void SetColorBkgdNormal(TColor V) { SetSetupColor(FRColorNormal, V); }
  TColor ColorBkgdShaded() const { return FRColorShaded; }
  void SetColorBkgdShaded(TColor V) { SetSetupColor(FRColorShaded, V); }
  TColor ColorHigh() const { return FHiLgtColor; }
  void SetColorHigh(TColor V) { SetSetupColor(FHiLgtColor, V); }
  TColor ColorHighText() const { return FHiLgtTextColor; }
  void SetColorHighText(TColor V) { SetSetupColor(FHiLgtTextColor, V); }
  TColor ColorSelectedRow() const { return FSelRowColor; }
  void SetColorSelectedRow(TColor V) { SetSetupColor(FSelRowColor, V); }
  TColor ColorSelectedRowText() const { return FSelRowTextColor; }
  void SetColorSelectedRowText(TColor V) { SetSetupColor(FSelRowTextColor, V); }
  TColor ColorSelectedCol() const { return FSelColColor; }
  void SetColorSelectedCol(TColor V) { SetSetupColor(FSelColColor, V); }
  TColor ColorSelectedColText() const { return FSelColTextColor; }
  void SetColorSelectedColText(TColor V) { SetSetupColor(FSelColTextColor, V); }
  TColor ColorSelectedBoth() const { return FSelBothColor; }
  void SetColorSelectedBoth(TColor V) { SetSetupColor(FSelBothColor, V); }
  TColor ColorSelectedBothText() const { return FSelBothTextColor; }
  void SetColorSelectedBothText(TColor V) { SetSetupColor(FSelBothTextColor, V); }
  TColor ColorDisabledBkgd() const { return FDisabledBkgdColor; }
  void SetColorDisabledBkgd(TColor V) { SetSetupColor(FDisabledBkgdColor, V); }
  TColor ColorDisabledText() const { return FDisabledTextColor; }
  void SetColorDisabledText(TColor V) { SetSetupColor(FDisabledTextColor, V); }
  TColor ColorColumnHd() const { return FColHdColor; }
  // Also the grid's FixedColor.
  void SetColorColumnHd(TColor V);
  TColor ColorColumnHdText() const { return FColHdTxtColor; }
  void SetColorColumnHdText(TColor V) { SetSetupColor(FColHdTxtColor, V); }
  TColor ColorCommonHd() const { return FComHdColor; }
  void SetColorCommonHd(TColor V) { SetSetupColor(FComHdColor, V); }
  TColor ColorCommonHdText() const { return FComHdTxtColor; }
  void SetColorCommonHdText(TColor V) { SetSetupColor(FComHdTxtColor, V); }
  TColor InterRowIndicatorColor() const { return FInterRowColor; }
  void SetInterRowIndicatorColor(TColor V) { SetSetupColor(FInterRowColor, V); }
  int InterRowIndicatorWidth() const { return FInterRowWidth; }
  void SetInterRowIndicatorWidth(int V) { SetSetupValue(FInterRowWidth, V); }
  int HighLightRow() const { return FHiLgtRow; }
  void SetHighLightRow(int V) { SetSetupValue(FHiLgtRow, V); }
  int HighLightColumn() const { return FHiLgtColumn; }
  void SetHighLightColumn(int V) { SetSetupValue(FHiLgtColumn, V); }
  bool HighLightBold() const { return FHiLgtBold; }
  void SetHighLightBold(bool V);
  int RowColPattern() const { return FRowColPattern; }
  void SetRowColPattern(int V) { SetSetupValue(FRowColPattern, V); }
  TColor ColorEmptyMsg() const { return FColorEmptyMsg; }
  void SetColorEmptyMsg(TColor V);
  // Lines are separated by "|".
  const String& EmptyMessage() const { return FEmptyMsg; }
  void SetEmptyMessage(const String& V);

  // --- Headers ----------------------------------------------------------------------
  const String& CommonHeader() const { return FRLData->CommonHeader(); }
  void SetCommonHeader(const String& V);
  TAlignment CommonHeaderAlignment() const { return FHeaderAlignment; }
  void SetCommonHeaderAlignment(TAlignment V);
  bool CommonHeaderVisible() const { return FComHdVis; }
  void SetCommonHeaderVisible(bool V);
  bool ColumnHeadersVisible() const { return FColHdVis; }
  void SetColumnHeadersVisible(bool V);
  // Clamped to 8..127.
  int CommonHeaderHeight() const { return FComHdHgt; }
  void SetCommonHeaderHeight(int V);
  int ColumnHeadersHeight() const { return FColHdHgt; }
  void SetColumnHeadersHeight(int V);

  // --- Grid settings in the view's terms ------------------------------------------------
  int DefaultColWidth() const { return TCustomGrid::DefaultColWidth(); }
  void SetDefaultColWidth(int V);
  int DefaultRowHeight() const { return TCustomGrid::DefaultRowHeight(); }
  void SetDefaultRowHeight(int V);
  bool Enabled() const override { return FEnabled; }
  void SetEnabled(bool V) override;
  bool FixedFirstColumn() const { return FFixedColOne; }
  void SetFixedFirstColumn(bool V);
  // 1-based grid column.
  int LeftCol() const { return TCustomGrid::LeftCol() + 1; }
  void SetLeftCol(int V);
  // Data row shown first.
  int TopRow() const { return TCustomGrid::TopRow() - CountHeadRows() + 1; }
  void SetTopRow(int V);
  bool ShowEmptyCheckBoxes() const { return FShowEmptyCBx; }
  void SetShowEmptyCheckBoxes(bool V);
  bool CheckMarksReadOnly() const { return FROCheckMarks; }
  void SetCheckMarksReadOnly(bool V);
  int InterRowIndicatorPos() const { return FInterRowIndi; }
  void SetInterRowIndicatorPos(int V);
  bool SuppressPaint() const { return FSuppressPaint; }
  void SetSuppressPaint(bool V);
  bool AutoAdvance() const { return FAutoAdvance; }
  void SetAutoAdvance(bool V) { FAutoAdvance = V; }
  bool SortEnabled() const { return FSortEnabled; }
  void SetSortEnabled(bool V) { FSortEnabled = V; }
  bool UseCtrlForMultiSel() const { return FCtrlForMultiSel; }
  void SetUseCtrlForMultiSel(bool V) { FCtrlForMultiSel = V; }
  // 0 none, 1 single row, 2 multiple rows.
  int RowSelectMode() const { return FRowSelectMode; }
  void SetRowSelectMode(int V);

  // --- Store fields -------------------------------------------------------------------------
  const String& Comment() const { return FRLData->Comment(); }
  void SetComment(const String& V) { FRLData->SetComment(V); }
  const String& DataID() const { return FRLData->DataID(); }
  void SetDataID(const String& V) { FRLData->SetDataID(V); }
  int LastSortColumn() const { return FRLData->LastSortColumn(); }
  bool LastSortOrder() const { return FRLData->LastSortOrder(); }
  int SecondarySortColumn() const { return FRLData->SortColumnSec(); }
  void SetSecondarySortColumn(int V);

  // --- Cells ------------------------------------------------------------------------------------
  // The store's text, then OnReadCell.
  String Elem(int ACol, int ARow) const;
  void SetElem(int ACol, int ARow, const String& V) { FRLData->SetElem(ACol, ARow, V); }
  bool ElemChecked(int ACol, int ARow) const { return FRLData->ElemChecked(ACol, ARow); }
  // Only on check columns; a radio column loses its other marks. No events.
  void SetElemChecked(int ACol, int ARow, bool V);
  double AsNumber(int ACol, int ARow) const;
  String DefaultValue(int ACol, int ARow) const { return FRLData->DefaultValue(ACol, ARow); }

  // --- Columns -----------------------------------------------------------------------------------
  TNameStrType Header(int ColNr) const { return FRLData->Header(ColNr); }
  void SetHeader(int ColNr, const String& V);
  TColFmtString ColumnFormat(int ColNr) const { return FRLData->ColumnFormat(ColNr); }
  void SetColumnFormat(int ColNr, const String& V);
  TCheckMode ColumnCheckMode(int ColNr) const { return FRLData->ColumnCheckMode(ColNr); }
  void SetColumnCheckMode(int ColNr, TCheckMode V);
  bool IsCheckedColumn(int ColNr) const { return FRLData->IsCheckedColumn(ColNr); }
  void SetIsCheckedColumn(int ColNr, bool V);
  TAlignment ColumnAlignment(int ColNr) const;
  void SetColumnAlignment(int ColNr, TAlignment V);
  bool ColumnEditable(int ColNr) const;
  void SetColumnEditable(int ColNr, bool V);
  bool ColumnIsPwd(int ColNr) const;
  void SetColumnIsPwd(int ColNr, bool V);
  // Data column shown at grid position ColNr (1-based); 0 outside.
  int ColumnOrder(int ColNr) const;
  // Width of the grid column that shows data column Index (0 when none does).
  int ColWidths(int Index) const;
  void SetColWidths(int Index, int Value);
  bool SetColumnOrder(std::span<const int> ColList);

  // --- Methods -------------------------------------------------------------------------------------
  int AddRow();
  int InsertRow(int r);
  int InsertColumn(int c);
  void RemoveRow(int r);
  void RemoveColumn(int c);
  void RemoveEmptyRows();
  void Fill(const String& s);
  void Clear();
  int ColumnIndex(const String& Head, bool PartialMatch) const { return FRLData->ColumnIndex(Head, PartialMatch); }
  void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader, bool UseTabs) {
    FRLData->CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, UseTabs);
  }
  void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader, const String& Sep) {
    FRLData->CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, Sep);
  }
  int FirstCheckedElemInCol(int ColNr) const { return FRLData->FirstCheckedElemInCol(ColNr); }
  int FirstCheckedElemInRow(int RowNr) const { return FRLData->FirstCheckedElemInRow(RowNr); }
  int CountCheckedElemsInRow(int Row) const { return FRLData->CountCheckedElemsInRow(Row); }
  void AutoColWidth(int ColNr, bool IncludeHeader, int Addon);
  void AutoColWidth(int ColNr, bool IncludeHeader, int Addon, int MaxWidth);
  int DetermineMaxColWidth(int ColNr, bool IncludeHeader);
  void FitAllColWidths(int ExpandColumn, bool IncludeHeader, int Addon, int MaxWidth, int RightMargin);
  void ExpandColWidth(int ColIx, int RightMargin);
  void Sort(int Col, int ColSec, bool Ascending);
  void UnSort();
  void Changed() override;
  void ChangedSetup();
  void ChangedSelection();
  void CursorKeyAction(uint16_t Key);
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // --- Selection, enabling, check marks (rlvinput.cpp) -------------------------------------------------
  bool RowSelected(int r) const;
  void SetRowSelected(int r, bool V);
  bool RowEnabled(int r) const;
  void SetRowEnabled(int r, bool V);
  bool ColumnSelected(int c) const;
  void SetColumnSelected(int c, bool V);
  void SelectRow(int RowNr);
  void SelectAllRows();
  void DeselectAllRows();
  void EnableAllRows();
  void DisableAllRows();
  void SelectColumn(int ColNr);
  void SelectAllColumns();
  void DeselectAllColumns();
  int NumSelectedRows() const;
  int NumEnabledRows() const;
  int NumSelectedColumns() const;
  int FirstSelectedRow() const;
  int FirstSelectedColumn() const;
  void CenterScrollAndSelect(int Row);
  // X: 1-based grid position (0 outside); Y: data row, -2 common header,
  // -1 column headers, 0 outside.
  TGridCoord MouseCell(int X, int Y) const;
  void SetAllCheckmarksOfCol(int Column, bool Checked);
  void SetAllCheckmarksOfCol(int Column, bool Checked, bool AffectEnabledRowsOnly);
  void InvertAllCheckmarksOfCol(int Column);
  void InvertAllCheckmarksOfCol(int Column, bool AffectEnabledRowsOnly);
  // Checked cells among the enabled rows.
  int CountCheckedElemsInCol(int Column) const;

  // --- Events ----------------------------------------------------------------------------------------
  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent V) { FOnChange = std::move(V); }
  TNotifyEvent OnChangeSetup() const { return FOnChangeSetup; }
  void SetOnChangeSetup(TNotifyEvent V) { FOnChangeSetup = std::move(V); }
  TNotifyEvent OnSelectedChange() const { return FOnSelectedChange; }
  void SetOnSelectedChange(TNotifyEvent V) { FOnSelectedChange = std::move(V); }
  TCheckStateChangeEvent OnCheckedChange() const { return FOnChkStChange; }
  void SetOnCheckedChange(TCheckStateChangeEvent V) { FOnChkStChange = std::move(V); }
  TCheckStateChangeEvent OnBeforeCheckedChange() const { return FOnBefChkStChange; }
  void SetOnBeforeCheckedChange(TCheckStateChangeEvent V) { FOnBefChkStChange = std::move(V); }
  TCursorKeyActionEvent OnCursorKeyAction() const { return FOnCursorKeyAction; }
  void SetOnCursorKeyAction(TCursorKeyActionEvent V) { FOnCursorKeyAction = std::move(V); }
  TRenderCellEvent OnBeforeRenderCell() const { return FOnBefRenderCell; }
  void SetOnBeforeRenderCell(TRenderCellEvent V) { FOnBefRenderCell = std::move(V); }
  TReadCellEvent OnReadCell() const { return FOnReadCell; }
  void SetOnReadCell(TReadCellEvent V) { FOnReadCell = std::move(V); }
  TOnPercentDoneEvent OnPercentDone() const { return FOnPercentDone; }
  void SetOnPercentDone(TOnPercentDoneEvent V) { FOnPercentDone = std::move(V); }
  TBeforeSortExchgEvent OnBeforeSortExchange() const { return FOnBefSortExc; }
  void SetOnBeforeSortExchange(TBeforeSortExchgEvent V);
  TBeforeHTMLExportEvent OnBeforeHTMLExport() const { return FOnBefHTMLExport; }
  void SetOnBeforeHTMLExport(TBeforeHTMLExportEvent V) { FOnBefHTMLExport = std::move(V); }

  // --- Row editor (roweditor.cpp) ----------------------------------------------------------------
  // Edits the cells of Row in a modal dialog, one labelled editor per column
  // chosen by its format; the cells take the editors' texts when the dialog
  // ends with mrOk. Returns the dialog's modal result. The first two forms
  // build their own dialog at screen position (PosLeft, PosTop) with OK and
  // Cancel buttons; the third places the editors at (PosLeft, PosTop) on the
  // caller's form and shows that form.
  int EditRowEntries(int Row, int PosLeft, int PosTop);
  int EditRowEntries(int Row, int PosLeft, int PosTop, const String& FormCaption, const String& ButOKCaption,
                     const String& ButCancelCaption);
  int EditRowEntries(int Row, TForm* ContainerForm, int PosLeft, int PosTop);
  // Lets the application give a column another format for the row edited.
  TRequestEditFormatEvent OnRequestEditFormat() const { return FOnReqEditFormat; }
  void SetOnRequestEditFormat(TRequestEditFormatEvent V) { FOnReqEditFormat = std::move(V); }
  // The dialog's form while EditRowEntries runs, else nullptr.
  TForm* ContainerForm() const { return FContainerForm; }

  // --- Exchange (rlvexchange.cpp) ------------------------------------------------------------
  // The store's methods (rldata.h, rlcsv.h, rlhtml.h describe them). After a
  // read that changed the store the grid takes its new column and row counts
  // and header heights, every row is shown again and the view repaints.
  bool ReadFromXMLString(const String& InString, const String& DataID);
  bool ReadFromXMLStream(TStream* InStream, const String& DataID);
  bool ReadFromOpenXMLFile(TextFile& F, const String& DataID);
  bool LoadFromXMLFile(const String& FName, const String& DataID);
  void WriteToOpenXMLFile(TextFile& F, bool CreateHeader, const String& DataID);
  void WriteToXMLStream(TStream* OutStream, bool CreateHeader, const String& DataID);
  void SaveAsXMLFile(const String& FName, const String& DataID);
  int ImportCSV(const String& FName, TCSVDelimiters Delimiter, bool IncludeColHeaders);
  int ExportCSV(const String& FName, TCSVDelimiters Delimiter, bool IncludeColHeaders, bool IncludeCommonHeader,
                int FirstCol, int FirstRow, int LastCol, int LastRow);
  int LoadLinesFromFile(int Column, int FirstRow, const String& FName);
  // Cell texts pass through OnBeforeHTMLExport with the view as Sender.
  void ExportHTMLTable(const String& FName, int LoC, int LoR, int HiC, int HiR, std::span<const int> ColumnSelection,
                       int Border, int CellSpacing, int CellPadding, bool IncludeHeader, const String& HeadClass,
                       const String& CellClass, const String& TableClass);

  // --- Filtering (rlvfilter.cpp) ---------------------------------------------------------------
  // Shows only the rows that match FilterExp (filterexpr.h describes the
  // modes) in one of the columns FilterColumns (all columns when it is empty;
  // other numbers are skipped), combined with OnBeforeFilter. The rows are
  // sorted by SortColumn (and the secondary sort column) in the direction
  // Ascending, or shown in their unsorted order when SortColumn is no data
  // column; then the matching rows move to the top in that order, and the
  // rows behind them are hidden: they stay in the store (NrOfRows counts
  // them, Elem reads them at rows NrOfShownRows()+1..NrOfRows()) but the grid
  // ends before them. Sorting keeps them hidden and behind; removing or
  // inserting a shown row keeps the filter; anything else that changes the
  // rows (NrOfRows, AddRow, inserting among hidden rows, RemoveEmptyRows,
  // Clear, reading data) shows every row again, as does a filter that every
  // row matches. A malformed FilterExp raises EORVFilterError before
  // anything changes.
  void FilterAndSort(const String& FilterExp, std::span<const int> FilterColumns, bool IgnoreCase,
                     TFilterMode FilterMode, int SortColumn, bool Ascending);
  // Sorts by SortColumn1, then SortColumn2, in the direction Ascending, with
  // the enabled rows ahead of the disabled ones (hidden rows stay behind).
  void SortEnabledState(int SortColumn1, int SortColumn2, bool Ascending);
  // Rows 1..NrOfShownRows() are shown; NrOfRows() while nothing is hidden.
  int NrOfShownRows() const { return FShownRows < 0 ? NrOfRows() : std::min(FShownRows, NrOfRows()); }
  bool RowsHidden() const { return NrOfShownRows() < NrOfRows(); }
  TBeforeFilterEvent OnBeforeFilter() const { return FOnBeforeFilter; }
  void SetOnBeforeFilter(TBeforeFilterEvent V) { FOnBeforeFilter = std::move(V); }

  // The private store, for the exchange and editor code of this library.
  TRLData* Data() const { return FRLData.get(); }

 protected:
  void Paint() override;
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  void TopLeftChanged() override;
  bool SelectCell(int ACol, int ARow) override;
  String GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const String& Value) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void ParentChanged() override;

 private:
  friend class TRLViewPaintSuppressor;
  friend class TRLRowEditor;

  // Paints now unless painting is suppressed.
  void RepaintView();
  void SetSetupColor(TColor& Field, TColor V);
  void SetSetupValue(int& Field, int V);
  void UpdateHeaderHeights();
  // Grid row and fixed row counts from the store's rows and the headers.
  void UpdateGridRows();
  void ResizeColumnArrays(int n, const char16_t* FailureText);
  // Grid column showing data column d (1-based), -1 when none does.
  int GridColumnOf(int d) const;
  // Data column (1-based) shown in grid column k; 0 outside.
  int DataColumnAt(int k) const;
  bool ValidColumn(int c) const { return c >= 1 && c <= NrOfColumns(); }
  TStringArray* Cells() const { return FRLData->Strings(); }
  void ConnectStore();
  // Row flag helpers that do not count as cell changes.
  void SetRowFlag(int r, uint8_t Bit, bool On);
  void SetAllRowFlags(uint8_t Bit, bool On);
  void SetColFlag(int c, bool On);
  void DrawDataCell(int ACol, int ARow, const TRect& ARect);
  void DrawHeaderCell(int ACol, int ARow, const TRect& ARect);
  void DrawRaisedFrame(const TRect& R);
  void HandleCursorKey(uint16_t Key);
  int CellsRight() const;
  int CellsBottom() const;
  // Filtering: which storage rows are shown now (empty when all are), and
  // putting the shown rows (enabled ones first with EnabledFirst) ahead of the
  // hidden ones, each group in its present order.
  std::vector<bool> CaptureShownRows() const;
  void RegroupRows(const std::vector<bool>& ShownByStorage, bool EnabledFirst, int Col);
  void EndFilter() { FShownRows = -1; }
  // The grid after a read that replaced the store's contents.
  void AfterDataRead();

  bool FAutoAdvance = false;
  int FLastMousePosX = 0;
  int FLastMousePosY = 0;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnChangeSetup;
  TNotifyEvent FOnSelectedChange;
  std::vector<TAlignment> FColAlignment;
  TAlignment FHeaderAlignment = taCenter;
  String FEmptyMsg;
  std::vector<bool> FColumnEditable;
  std::vector<bool> FColumnIsPwd;
  std::vector<int> FColOrder;
  bool FComHdVis = false;
  TColor FComHdColor = clBtnFace;
  TColor FComHdTxtColor = clBlack;
  int FComHdHgt = 20;
  bool FColHdVis = true;
  TColor FColHdColor = clBtnFace;
  TColor FColHdTxtColor = clBlack;
  int FColHdHgt = 20;
  TColor FColorEmptyMsg = 0x000000;
  TColor FDisabledTextColor = 0xC0C0C0;
  TColor FDisabledBkgdColor = 0xF0F0F0;
  bool FEnabled = true;
  int FSelectAnchor = 1;
  int FRowSelectMode = 1;
  bool FCtrlForMultiSel = true;
  bool FSortEnabled = true;
  TCheckStateChangeEvent FOnChkStChange;
  TCheckStateChangeEvent FOnBefChkStChange;
  TColor FSelRowColor = 0x94BAED;
  TColor FSelRowTextColor = 0x800000;
  TColor FSelColColor = 0x000000;
  TColor FSelColTextColor = 0x000000;
  TColor FSelBothColor = 0x000000;
  TColor FSelBothTextColor = 0x000000;
  bool FShowEmptyCBx = true;
  bool FROCheckMarks = false;
  TColor FHiLgtColor = 0xCC9966;
  TColor FHiLgtTextColor = 0xFFFFFF;
  bool FHiLgtBold = false;
  int FHiLgtRow = 0;
  int FHiLgtColumn = 0;
  TOnPercentDoneEvent FOnPercentDone;
  TRenderCellEvent FOnBefRenderCell;
  TCursorKeyActionEvent FOnCursorKeyAction;
  TReadCellEvent FOnReadCell;
  TBeforeSortExchgEvent FOnBefSortExc;
  TBeforeHTMLExportEvent FOnBefHTMLExport;
  bool FSuppressPaint = true;
  TColor FColorNormal = 0x002000;
  TColor FRColorNormal = 0xFFFFFF;
  TColor FRColorShaded = 0xF0EFE8;
  int FRowColPattern = 1;
  int FInterRowIndi = 0;
  TColor FInterRowColor = 0x0000FF;
  int FInterRowWidth = 3;
  bool FFixedColOne = false;
  std::unique_ptr<TRLData> FRLData;
  // Row editor: the running dialog's form and cancel button, the format hook.
  TForm* FContainerForm = nullptr;
  TSpeedButton* FSBERCancel = nullptr;
  TRequestEditFormatEvent FOnReqEditFormat;
  int FShownRows = -1;  // rows 1..FShownRows shown, the rest hidden; -1 all shown
  TBeforeFilterEvent FOnBeforeFilter;
};

}  // namespace orv
