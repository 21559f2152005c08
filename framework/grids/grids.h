#pragma once
// The grid family: TCustomGrid lays out rows and columns (fixed ones at the
// top and left, the rest scrolled by TopRow/LeftCol), keeps a current cell
// and a selection, paints only the cells in view through the virtual
// DrawCell, draws its own scroll bars, moves by keys and the mouse, lets the
// user resize columns (and rows) by dragging a fixed-cell border and edits a
// cell in place with a TInplaceEdit. TCustomDrawGrid turns the virtual
// hooks into events; TDrawGrid publishes them.
//
// Layout: column c occupies ColWidths(c) pixels followed by a grid line of
// GridLineWidth pixels (drawn at its right), rows likewise downwards. The
// fixed columns start at x = 0; the first scrolled column shown is LeftCol.
// CellRect excludes the grid line. Row heights other than the default are
// kept sparsely, so a grid of many millions of rows costs no memory per row.

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "framework/controls/customcontrol.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/set.h"
#include "framework/rtl/types.h"

namespace orv {

class TInplaceEdit;

ORV_DECLARE_EXCEPTION(EInvalidGridOperation, Exception);

struct TGridCoord {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// Cells Left..Right x Top..Bottom, all inclusive (grid indices).
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

enum TGridOption : uint8_t {
  goFixedVertLine,
  goFixedHorzLine,
  goVertLine,
  goHorzLine,
  goRangeSelect,
  goDrawFocusSelected,
  goRowSizing,
  goColSizing,
  goRowMoving,
  goColMoving,
  goEditing,
  goTabs,
  goRowSelect,
  goAlwaysShowEditor,
  goThumbTracking
};
using TGridOptions = TSet<TGridOption>;

enum TGridDrawStateItem : uint8_t { gdSelected, gdFocused, gdFixed, gdHotTrack, gdPressed };
using TGridDrawState = TSet<TGridDrawStateItem>;

// Which scroll bars the grid may show. The members are scoped because the
// shift state already has an ssHorizontal; the other three are also
// available unqualified.
enum class TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
inline constexpr TScrollStyle ssNone = TScrollStyle::ssNone;
inline constexpr TScrollStyle ssVertical = TScrollStyle::ssVertical;
inline constexpr TScrollStyle ssBoth = TScrollStyle::ssBoth;

enum TEditStyle : uint8_t { esSimple, esEllipsis, esPickList };

using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const TRect& Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;

class TCustomGrid : public TCustomControl {
 public:
  // A 5 x 5 grid with one fixed row and column, 64 x 24 pixel cells.
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  // Width of a scroll bar (and height of the horizontal one).
  static constexpr int ScrollBarSize = 16;

  // --- Shape ------------------------------------------------------------------
  int ColCount() const { return FColCount; }
  // At least 1 (and more than FixedCols); new columns get DefaultColWidth.
  void SetColCount(int Value);
  int RowCount() const { return FRowCount; }
  void SetRowCount(int Value);
  int FixedCols() const { return FFixedCols; }
  // 0..ColCount-1; raises EInvalidGridOperation "Fixed column count must be
  // less than column count" beyond.
  void SetFixedCols(int Value);
  int FixedRows() const { return FFixedRows; }
  void SetFixedRows(int Value);
  int DefaultColWidth() const { return FDefaultColWidth; }
  // Resets every column to the new width.
  void SetDefaultColWidth(int Value);
  int DefaultRowHeight() const { return FDefaultRowHeight; }
  // Resets every row to the new height.
  void SetDefaultRowHeight(int Value);
  // Width of column ACol; 0 outside the columns, writes outside ignored.
  int ColWidths(int ACol) const;
  void SetColWidths(int ACol, int Value);
  int RowHeights(int ARow) const;
  void SetRowHeights(int ARow, int Value);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);

  // --- Appearance ---------------------------------------------------------------
  const TGridOptions& Options() const { return FOptions; }
  void SetOptions(const TGridOptions& Value);
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);

  // --- Position and selection -------------------------------------------------------
  // The current (focused) cell.
  int Col() const { return FCurrent.X; }
  void SetCol(int Value);
  int Row() const { return FCurrent.Y; }
  void SetRow(int Value);
  // The selected block; with goRowSelect it spans every scrolled column.
  TGridRect Selection() const;
  // Makes (Left, Top) the anchor and (Right, Bottom) the current cell, then
  // scrolls the current cell into view. The rectangle is not checked against
  // the grid, so a caller may park the selection outside it.
  void SetSelection(const TGridRect& Value);
  int TopRow() const { return FTopLeft.Y; }
  // Clamped to FixedRows..the top row that shows the last row at the bottom.
  void SetTopRow(int Value);
  int LeftCol() const { return FTopLeft.X; }
  void SetLeftCol(int Value);
  // Scrolled rows (columns) wholly in view from TopRow (LeftCol); at least 1.
  int VisibleRowCount() const;
  int VisibleColCount() const;

  // --- Geometry ---------------------------------------------------------------------
  // The cell's rectangle in client coordinates without its grid lines; empty
  // when the cell is not in view.
  TRect CellRect(int ACol, int ARow) const;
  // The cell under a client point; -1 in a coordinate beyond the cells.
  void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
  TGridCoord MouseCoord(int X, int Y) const;
  // The area of the cells, without the scroll bars.
  TRect ClientRect() const override;
  // Height of the fixed rows with their lines.
  int FixedRowsHeight() const;
  int FixedColsWidth() const;

  // --- Editing ------------------------------------------------------------------------
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }
  bool EditorMode() const;
  // Shows (true) or hides (false) the in-place editor, as Enter/F2 and Escape do.
  void SetEditorMode(bool Value);
  void ShowEditor();
  void HideEditor();
  // Hides the editor without storing what it holds.
  void InvalidateEditor();

  void InvalidateCell(int ACol, int ARow);
  void InvalidateRow(int ARow);
  void InvalidateCol(int ACol);
  void InvalidateGrid() { Invalidate(); }

  void WndProc(TMessage& Message) override;

 protected:
  friend class TInplaceEdit;
  friend class TInplaceEditList;

ORV_DECLARE_EXCEPTION(EInvalidGridOperation, Exception);

  // Draws one cell; State tells whether it is fixed, selected or focused.
  // With DefaultDrawing the background is already filled.
  virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) = 0;
  // True when DrawCell fills all of the cell itself, whatever it holds: the
  // default drawing then leaves the background to it.
  virtual bool CellFillsItself(int ACol, int ARow) const {
    (void)ACol;
    (void)ARow;
    return false;
  }
  // Asked before the current cell moves; false keeps it.
  virtual bool SelectCell(int ACol, int ARow);
  virtual void TopLeftChanged();
  virtual void ColWidthsChanged() {}
  virtual void RowHeightsChanged() {}
  virtual String GetEditText(int ACol, int ARow);
  virtual void SetEditText(int ACol, int ARow, const String& Value);
  virtual TEditStyle GetEditStyle(int ACol, int ARow);
  // A new in-place editor; the grid owns it and makes it its child.
  virtual TInplaceEdit* CreateEditor();
  // Whether the editor may show now (goEditing, no row selection, a scrolled cell).
  virtual bool CanEditShow() const;
  virtual int GetEditLimit() { return 0; }
  // Hook for pick-list editors: fill Items for the cell.
  virtual void GetPickListItems(int ACol, int ARow, std::vector<String>& Items) { (void)ACol, (void)ARow, (void)Items; }

  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void Resize() override;

  // Moves the current cell (asking SelectCell); MoveAnchor collapses the
  // selection to it. Scrolls it into view.
  void FocusCell(int ACol, int ARow, bool MoveAnchor);
  void MoveTopLeft(int ALeft, int ATop);
  // The x of column ACol's left edge when it lies at or after the visible
  // start, counted from the fixed area; used by the geometry routines.
  int ColumnLeft(int ACol) const;
  int RowTop(int ARow) const;
  // Last row that can be TopRow (the last row then ends in view).
  int MaxTopRow() const;
  int MaxLeftCol() const;
  // Index of the column whose right border lies within a few pixels of X in
  // the fixed rows (for sizing); -1 when none.
  int ColumnBorderAt(int X) const;
  int RowBorderAt(int Y) const;
  // The editor's text went to the cell (called on each change).
  void UpdateText();
  // Editor follows the current cell after a move or scroll.
  void UpdateEdit();

 private:
  struct TScrollGeometry;
  bool ShowsVertBar() const;
  bool ShowsHorzBar() const;
  void PaintScrollBars();
  void PaintScrollBar(bool Vertical);
  // Handles a press on a scroll bar; false when the point is not on one.
  bool ScrollBarMouseDown(int X, int Y);
  void ScrollBarDrag(int X, int Y);
  void ClampView();
  void AfterResize();

  enum TGridState : uint8_t { gsNormal, gsSelecting, gsColSizing, gsRowSizing, gsVThumb, gsHThumb };

  int FColCount = 5;
  int FRowCount = 5;
  int FFixedCols = 1;
  int FFixedRows = 1;
  int FDefaultColWidth = 64;
  int FDefaultRowHeight = 24;
  int FGridLineWidth = 1;
  std::vector<int> FColWidths;
  // Rows whose height differs from the default.
  std::map<int, int> FRowHeights;
  TGridOptions FOptions;
  bool FDefaultDrawing = true;
  TColor FFixedColor = clBtnFace;
  TScrollStyle FScrollBars = TScrollStyle::ssBoth;
  TGridCoord FCurrent{1, 1};
  TGridCoord FAnchor{1, 1};
  TGridCoord FTopLeft{1, 1};
  TGridState FState = gsNormal;
  int FSizingIndex = -1;
  int FSizingStart = 0;    // mouse position where sizing began
  int FSizingOrigin = 0;   // width or height then
  int FThumbGrab = 0;      // offset of the mouse in the dragged thumb
  TInplaceEdit* FInplaceEdit = nullptr;
  bool FEditorShowing = false;
  String FEditorOriginal;  // cell text when the editor opened, for Escape
};

class TCustomDrawGrid : public TCustomGrid {
 public:
  explicit TCustomDrawGrid(TComponent* AOwner);

  TDrawCellEvent OnDrawCell() const { return FOnDrawCell; }
  void SetOnDrawCell(TDrawCellEvent Value) { FOnDrawCell = std::move(Value); }
  TSelectCellEvent OnSelectCell() const { return FOnSelectCell; }
  void SetOnSelectCell(TSelectCellEvent Value) { FOnSelectCell = std::move(Value); }
  TNotifyEvent OnTopLeftChanged() const { return FOnTopLeftChanged; }
  void SetOnTopLeftChanged(TNotifyEvent Value) { FOnTopLeftChanged = std::move(Value); }
  TGetEditEvent OnGetEditText() const { return FOnGetEditText; }
  void SetOnGetEditText(TGetEditEvent Value) { FOnGetEditText = std::move(Value); }
  TSetEditEvent OnSetEditText() const { return FOnSetEditText; }
  void SetOnSetEditText(TSetEditEvent Value) { FOnSetEditText = std::move(Value); }
  TNotifyEvent OnColWidthsChanged() const { return FOnColWidthsChanged; }
  void SetOnColWidthsChanged(TNotifyEvent Value) { FOnColWidthsChanged = std::move(Value); }

  // The cell's column and row under a client point (-1 outside).
  void CellAt(int X, int Y, int& ACol, int& ARow) const { MouseToCell(X, Y, ACol, ARow); }

 protected:
  // Fires OnDrawCell; with DefaultDrawing and the focused cell, adds the
  // focus rectangle after the handler.
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  void TopLeftChanged() override;
  void ColWidthsChanged() override;
  String GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const String& Value) override;

  TDrawCellEvent FOnDrawCell;
  TSelectCellEvent FOnSelectCell;
  TNotifyEvent FOnTopLeftChanged;
  TGetEditEvent FOnGetEditText;
  TSetEditEvent FOnSetEditText;
  TNotifyEvent FOnColWidthsChanged;
};

class TDrawGrid : public TCustomDrawGrid {
 public:
  explicit TDrawGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}
};

}  // namespace orv
