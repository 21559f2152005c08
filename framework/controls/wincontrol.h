#pragma once
// TWinControl: a control that holds child controls (in z-order, last on
// top), can take the keyboard focus and receives keys.

#include <vector>

#include "framework/controls/control.h"

namespace orv {

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  // Children this control does not own are detached, not deleted.
  ~TWinControl() override;

  // --- Children -------------------------------------------------------------
  int ControlCount() const { return static_cast<int>(FControls.size()); }
  // Child at 0-based Index in z-order (0 at the back); nullptr outside.
  TControl* Controls(int Index) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(const TControl* AControl) const;
  // The topmost visible, enabled child under Pos (client coordinates);
  // nullptr when there is none.
  TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled = false) const;
  // Sends Message to every child.
  void Broadcast(TMessage& Message);
  // Repositions the aligned children (top, bottom, left, right, client)
  // and the anchored ones.
  void Realign();
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  // The area alignment shares out; a bordered control narrows it.
  virtual void AdjustClientRect(TRect& Rect) const { (void)Rect; }

  // --- Focus and tab order ----------------------------------------------------
  // Visible and enabled here and up to the form, and the form is showing.
  virtual bool CanFocus() const;
  bool Focused() const;
  // Raises EInvalidOperation "Cannot focus a disabled or invisible window"
  // when the control or a parent is hidden or disabled.
  virtual void SetFocus();
  int TabOrder() const;
  void SetTabOrder(int Value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value) { FTabStop = Value; }
  // Every descendant window control in tab order (depth first).
  void GetTabOrderList(std::vector<TWinControl*>& List) const;
  // The next (or previous) control in tab order after CurControl; wraps.
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) const;
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

  TNotifyEvent OnEnter() const { return FOnEnter; }
  void SetOnEnter(TNotifyEvent Value) { FOnEnter = std::move(Value); }
  TNotifyEvent OnExit() const { return FOnExit; }
  void SetOnExit(TNotifyEvent Value) { FOnExit = std::move(Value); }
  TKeyEvent OnKeyDown() const { return FOnKeyDown; }
  void SetOnKeyDown(TKeyEvent Value) { FOnKeyDown = std::move(Value); }
  TKeyPressEvent OnKeyPress() const { return FOnKeyPress; }
  void SetOnKeyPress(TKeyPressEvent Value) { FOnKeyPress = std::move(Value); }
  TKeyEvent OnKeyUp() const { return FOnKeyUp; }
  void SetOnKeyUp(TKeyEvent Value) { FOnKeyUp = std::move(Value); }

  void WndProc(TMessage& Message) override;
  HWND Handle() const { return FHandle; }
  bool HandleAllocated() const { return FHandle != 0; }

 protected:
  friend class TControl;
  friend struct TPaintEngine;

  virtual void KeyDown(uint16_t& Key, TShiftState Shift);
  virtual void KeyPress(Char& Key);
  virtual void KeyUp(uint16_t& Key, TShiftState Shift);
  // Key handling of WM_KEYDOWN/WM_CHAR/WM_KEYUP: the form sees the key first
  // when its KeyPreview is on; true when the key was consumed (set to 0).
  bool DoKeyDown(uint16_t& Key, TShiftState Shift);
  bool DoKeyPress(Char& Key);
  bool DoKeyUp(uint16_t& Key, TShiftState Shift);
  virtual void DoEnter();
  virtual void DoExit();
  // Positions the aligned children inside Rect; override for custom layouts.
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  void Resize() override;

  void CMEnabledChanged(TMessage& Message) override;
  void CMColorChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;
  void CMParentShowHintChanged(TMessage& Message) override;
  void CMShowHintChanged(TMessage& Message);

  HWND FHandle = 0;

 private:
  void NotifyChildren(uint32_t Msg);

  std::vector<TControl*> FControls;  // z-order, back to front
  std::vector<TWinControl*> FTabList;
  bool FTabStop = false;
  int FAlignLevel = 0;
  bool FAligning = false;
  bool FDestroyingChildren = false;
  TSize FLastClientSize;

  TNotifyEvent FOnEnter;
  TNotifyEvent FOnExit;
  TKeyEvent FOnKeyDown;
  TKeyPressEvent FOnKeyPress;
  TKeyEvent FOnKeyUp;
};

}  // namespace orv
