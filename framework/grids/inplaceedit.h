#pragma once
// The in-place editors of the grids: TInplaceEdit is a borderless
// single-line edit laid over the current cell; every change of its text is
// handed to the grid's SetEditText. Enter closes it (unless the grid keeps
// it shown), Escape puts the original text back and closes it, and the
// cursor keys that leave the text go to the grid.
//
// TInplaceEditList adds a button at the right edge: for esPickList it drops
// a list of the grid's pick-list items below the cell (Alt+Down, F4 or a
// click on the button open it; a click or Enter takes an item, Escape
// closes it); for esEllipsis it fires OnEditButtonClick.

#include <functional>
#include <vector>

#include "framework/controls/edit.h"
#include "framework/grids/grids.h"

namespace orv {

class TInplaceEdit : public TCustomEdit {
 public:
  explicit TInplaceEdit(TComponent* AOwner);

  TCustomGrid* Grid() const { return FGrid; }
  // Places the editor over Rect (grid client coordinates) and shows it.
  virtual void Move(const TRect& Rect);
  void WndProc(TMessage& Message) override;

 protected:
  friend class TCustomGrid;
  void Change() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  // Called by the grid before the editor shows for the cell.
  virtual void UpdateContents();

  TCustomGrid* FGrid = nullptr;
  bool FLoading = false;  // set while the grid loads the cell text
};

class TPickListBox;

using TEditButtonClickEvent = std::function<void(TObject* Sender)>;

class TInplaceEditList : public TInplaceEdit {
 public:
  explicit TInplaceEditList(TComponent* AOwner);
  ~TInplaceEditList() override;

  static constexpr int ButtonWidth = 16;

  TEditStyle EditStyle() const { return FEditStyle; }
  void SetEditStyle(TEditStyle Value);
  std::vector<String>& PickList() { return FPickList; }
  bool ListVisible() const;
  void DropDown();
  void CloseUp(bool Accept);
  // Index of the highlighted item in the open list (-1 none).
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int DropDownRows() const { return FDropDownRows; }
  void SetDropDownRows(int Value) { FDropDownRows = Value < 1 ? 1 : Value; }
  TEditButtonClickEvent OnEditButtonClick() const { return FOnEditButtonClick; }
  void SetOnEditButtonClick(TEditButtonClickEvent Value) { FOnEditButtonClick = std::move(Value); }

 protected:
  friend class TPickListBox;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void UpdateContents() override;
  void DoExit() override;
  TRect ButtonRect() const;

 private:
  TEditStyle FEditStyle = esSimple;
  std::vector<String> FPickList;
  TPickListBox* FList = nullptr;
  int FItemIndex = -1;
  int FDropDownRows = 8;
  TEditButtonClickEvent FOnEditButtonClick;
};

}  // namespace orv
