#pragma once
// TCustomComboBox and TComboBox: a box showing one item of a list, with a
// list that drops down below it (above it when there is no room) to choose
// another. Styles: csDropDown (the text can be typed too), csDropDownList
// (choice only), csOwnerDrawFixed (choice only, items drawn by DrawItem or
// OnDrawItem on Canvas, which is the list's while the list is drawn).

#include <functional>
#include <memory>

#include "framework/controls/customcontrol.h"
#include "framework/rtl/set.h"
#include "framework/rtl/stringlist.h"

namespace orv {

class TCustomEdit;
class TComboDropList;

enum TComboBoxStyle : uint8_t { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TOwnerDrawStateItem : uint8_t {
  odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive,
  odNoAccel, odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State)>;

class TCustomComboBox : public TCustomControl {
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  TStringList* Items() const { return FItems.get(); }
  // The chosen item, -1 for none; out-of-range values choose none.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  // The text shown: the chosen item's, or what was typed (csDropDown).
  String Text() const override;
  void SetText(const String& Value) override;
  // Items the dropped list shows at once (8).
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value) { FDropDownCount = Value < 1 ? 1 : Value; }
  // Height of an item in the list (and of an owner-drawn face); from the
  // font unless set.
  int ItemHeight();
  void SetItemHeight(int Value);
  bool DroppedDown() const { return FList != nullptr; }
  void SetDroppedDown(bool Value);
  // The canvas to draw items on: the list's while the list is drawn.
  TCanvas* Canvas();

  void WndProc(TMessage& Message) override;

  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
  TNotifyEvent OnSelect() const { return FOnSelect; }
  void SetOnSelect(TNotifyEvent Value) { FOnSelect = std::move(Value); }
  TNotifyEvent OnDropDown() const { return FOnDropDown; }
  void SetOnDropDown(TNotifyEvent Value) { FOnDropDown = std::move(Value); }
  TNotifyEvent OnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TNotifyEvent Value) { FOnCloseUp = std::move(Value); }
  TDrawItemEvent OnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TDrawItemEvent Value) { FOnDrawItem = std::move(Value); }

 protected:
  friend class TComboDropList;
  // Draws item Index in Rect of Canvas(): OnDrawItem for owner-drawn
  // styles when set, otherwise the item's text.
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  // The list is about to drop down (OnDropDown).
  virtual void DropDown();
  virtual void CloseUp();
  // The text or the chosen item changed through the user (OnChange).
  virtual void Change();
  // The user chose an item from the list: OnSelect, then Click (OnClick).
  virtual void Select();

  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void DoExit() override;
  void Resize() override;

 private:
  bool Editable() const { return FStyle == csDropDown || FStyle == csSimple; }
  bool OwnerDrawn() const { return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable; }
  TRect ButtonRect() const;
  void UpdateEdit();
  // The user moved the choice to Index: chosen, shown, Select and Change.
  void UserChoose(int Index);

  TComboBoxStyle FStyle = csDropDown;
  std::unique_ptr<TStringList> FItems;
  int FItemIndex = -1;
  String FText;
  int FDropDownCount = 8;
  int FItemHeight = 0;  // 0: from the font
  TCustomEdit* FEdit = nullptr;
  TComboDropList* FList = nullptr;
  TComboDropList* FSpentList = nullptr;
  TCanvas* FDrawCanvas = nullptr;
  bool FSettingEdit = false;

  TNotifyEvent FOnChange;
  TNotifyEvent FOnSelect;
  TNotifyEvent FOnDropDown;
  TNotifyEvent FOnCloseUp;
  TDrawItemEvent FOnDrawItem;
};

class TComboBox : public TCustomComboBox {
 public:
  using TCustomComboBox::TCustomComboBox;
};

}  // namespace orv
