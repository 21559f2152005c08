#pragma once
// TCustomMemo and TMemo: a multi-line text box drawn by the framework.
//
// The text is kept as Lines, one string per line; Text joins them with
// CR LF. Lines are not wrapped: the view scrolls sideways and up and down
// to keep the caret in sight.
//
// Keys: the arrows, Home and End (with Ctrl: the whole text), Page Up and
// Page Down move the caret, with Shift extending the selection; Backspace
// and Delete remove the selection or one character (joining lines at their
// ends); Enter breaks the line (when WantReturns), Tab inserts a tab (when
// WantTabs); Ctrl+A, C, X and V select all and use the clipboard. Every
// change of the text, typed or set, ends in OnChange.

#include <memory>

#include "framework/controls/wincontrol.h"
#include "framework/rtl/stringlist.h"

namespace orv {

class TCustomMemo : public TWinControl {
 public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;

  // The lines; changing them through this list updates the box.
  TStringList* Lines() const { return FLines.get(); }
  String Text() const override;
  void SetText(const String& Value) override;

  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

  // The caret as (character, line), both 0-based.
  TPoint CaretPos() const { return TPoint{FCol, FRow}; }
  void SetCaretPos(const TPoint& Value);
  String SelText() const;
  void SelectAll();
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Clear() { SetText(String()); }

  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

  void WndProc(TMessage& Message) override;

 protected:
  virtual void Change();
  virtual void Paint();
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  bool HasSelection() const { return FRow != FAnchorRow || FCol != FAnchorCol; }
  // The selection's ends in text order.
  void SelectionBounds(int& R1, int& C1, int& R2, int& C2) const;
  // Replaces the selection with S (which may hold line breaks) as a user
  // edit: honours ReadOnly, sets Modified.
  void UserInsert(const String& S);
  void DeleteSelection();
  void MoveTo(int Row, int Col, bool Extend);
  int LineHeight();
  TPoint PosFromPoint(int X, int Y);
  void ScrollToCaret();
  void LinesChanged();

  std::unique_ptr<TStringList> FLines;
  int FRow = 0, FCol = 0;              // caret
  int FAnchorRow = 0, FAnchorCol = 0;  // fixed end of the selection
  int FTopLine = 0;
  int FScrollX = 0;
  bool FReadOnly = false;
  bool FWantReturns = true;
  bool FWantTabs = false;
  bool FModified = false;
  bool FSelecting = false;
  bool FEditing = false;  // the box itself is changing FLines
  TNotifyEvent FOnChange;
};

class TMemo : public TCustomMemo {
 public:
  using TCustomMemo::TCustomMemo;
};

}  // namespace orv
