#pragma once
// TMarkSel: the 52 marker symbols of DrawMarkOnCanvas in a grid. The symbol
// nearest to the pointer is highlighted, a click selects it. Hidden symbols
// are left out of the grid, so the ones after them move up a cell. Symbol 0
// (no marker) is always shown, as a cross while ShowZeroAsCross is set.

#include <array>
#include <functional>

#include "foundation/basetypes.h"
#include "foundation/drawing.h"
#include "framework/controls/graphiccontrol.h"

namespace orv {

using TMarkClickEvent = std::function<void(TObject* Sender, int X, int Y, int Mark)>;

class TMarkSel : public TGraphicControl {
 public:
  // Created 236 x 178 with 8 columns and 6 rows, nothing selected.
  explicit TMarkSel(TComponent* AOwner);
  ~TMarkSel() override;

  // 1..51; other values are ignored.
  int NrOfColumns() const { return FNrCols; }
  void SetNrOfColumns(int Value);
  int NrOfRows() const { return FNrRows; }
  void SetNrOfRows(int Value);
  // -1 (none) .. 51; other values are ignored.
  int Selected() const { return FSelected; }
  void SetSelected(int Value);

  TColor ColorBackGnd() const { return FColorBG; }
  void SetColorBackGnd(TColor Value);
  TColor ColorMarks() const { return FColorFG; }
  void SetColorMarks(TColor Value);
  TColor ColorSelBG() const { return FColorSelBG; }
  void SetColorSelBG(TColor Value);
  TColor ColorSelFG() const { return FColorSelFG; }
  void SetColorSelFG(TColor Value);
  TColor ColorHiLiteBG() const { return FColorHiLite; }
  void SetColorHiLiteBG(TColor Value);
  TColor ColorHiLiteSymbol() const { return FColorHiSymb; }
  void SetColorHiLiteSymbol(TColor Value);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Value);
  bool ShowZeroAsCross() const { return FZeroAsCross; }
  void SetShowZeroAsCross(bool Value);
  void SetEnabled(bool Value) override;

  // Visibility of a symbol; indices outside 0..51 read symbol 0 (always
  // visible). SetVis acts on 1..51 only: anything else is ignored.
  bool GetVis(int Index) const;
  void SetVis(int Index, bool Visible);
  void ShowAllMarks();
  void HideAllMarks();

  // The symbol under the highlight.
  int HighLighted() const { return FLastHiLite; }
  // Grid position of symbol Index as of the last paint (the symbol is drawn
  // at this point + (2, 2)); (0, 0) for a hidden symbol or a bad index.
  TPoint MarkCoord(int Index) const;
  // The visible symbol nearest to (X, Y) by the grid of the last paint;
  // ties go to the lower number.
  int NearestMark(int X, int Y) const;

  TMarkClickEvent OnMarkClick() const { return FOnMarkClick; }
  void SetOnMarkClick(TMarkClickEvent Value) { FOnMarkClick = std::move(Value); }
  TMarkClickEvent OnMarkDblClick() const { return FOnMarkDblClick; }
  void SetOnMarkDblClick(TMarkClickEvent Value) { FOnMarkDblClick = std::move(Value); }
  // Fired after every paint.
  TNotifyEvent OnPaint() const { return FOnPaint; }
  void SetOnPaint(TNotifyEvent Value) { FOnPaint = std::move(Value); }

 protected:
  void Paint() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  // Cell size and grid positions for the current size and visibility.
  void LayOut();
  // Symbol Index (or the cross) in the pen colour at its grid position.
  void DrawSymbol(TCanvas* C, int Index);
  // Moves the highlight to Index, restoring the cell it leaves.
  void HiLite(int Index);
  // Selection by a click at (X, Y) and its event.
  void PickAt(int X, int Y, const TMarkClickEvent& Event);

  std::array<bool, kMarkCount> FMarkVis{};
  std::array<TPoint, kMarkCount> FMarkCoords{};
  TColor FColorBG;
  TColor FColorFG = 0x000000;
  TColor FColorSelFG = 0x800000;
  TColor FColorSelBG = 0xFFFFFF;
  int FSelected = -1;
  TFrameStyle FFrameStyle = fsEngraved;
  int FLastHiLite = 0;
  TColor FColorHiLite = 0x0000FF;
  TColor FColorHiSymb = 0xFFFFFF;
  int FNrCols = 8;
  int FNrRows = 6;
  bool FZeroAsCross = true;
  int FMarkMarginHorz = 0, FMarkMarginVert = 0;
  int FMarkDistHorz = 0, FMarkDistVert = 0;
  TMarkClickEvent FOnMarkClick, FOnMarkDblClick;
  TNotifyEvent FOnPaint;
};

}  // namespace orv
