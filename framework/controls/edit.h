#pragma once
// TCustomEdit and TEdit: a single-line text box drawn by the framework.
//
// Key order, as a keyboard delivers it:
//   1. WM_KEYDOWN: KeyDown (OnKeyDown). When the key is still nonzero
//      afterwards the edit acts on it: caret movement and selection (Home,
//      End, Left, Right, with Shift and Ctrl), Delete, the clipboard keys
//      (Ctrl+C/V/X/A/Z, Ctrl+Insert, Shift+Insert, Shift+Delete).
//   2. WM_CHAR: KeyPress (OnKeyPress) sees every character, control
//      characters included (#8 for Backspace, #3 for Ctrl+C, ...). A handler
//      or a descendant's override that sets Key to 0 cancels it; otherwise the
//      edit applies it after the whole KeyPress chain has run: a printable
//      character replaces the selection, #8 deletes the selection or the
//      character before the caret, #1/#3/#22/#24/#26 select all, copy, paste,
//      cut and undo (unless the key-down already did).
//   3. Every change of the text, typed or set, ends in Change (OnChange),
//      called last, after text and caret are in their new state, so a
//      descendant's Change may replace the text and move the caret.
//
// Positions are 0-based code-unit offsets (SelStart 0 = before the first
// character); surrogate pairs are never split by the caret.

#include <cstdint>
#include <vector>

#include "framework/controls/stdtypes.h"
#include "framework/controls/wincontrol.h"

namespace orv {

enum TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* AOwner);
  ~TCustomEdit() override;

  // Setting the text puts the caret at 0, clears Modified and the undo step,
  // and calls Change when the text differs. MaxLength does not limit it.
  void SetText(const String& Value) override;

  // --- Selection --------------------------------------------------------
  int SelStart() const;
  // Collapses the selection to the caret at Value (clamped to the text).
  void SetSelStart(int Value);
  int SelLength() const;
  // Selects Value characters from SelStart (clamped; negative means 0).
  void SetSelLength(int Value);
  String SelText() const;
  // Replaces the selection with Value (even when ReadOnly, as a program may);
  // the caret goes after the inserted text.
  void SetSelText(const String& Value);
  void SelectAll();
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Clear() { SetText(String()); }
  // One step of undo: the text and selection before the last user change.
  bool CanUndo() const { return FCanUndo; }
  void Undo();
  void ClearUndo() { FCanUndo = false; }

  // --- Properties ---------------------------------------------------------
  // 0: unlimited. Typing and pasting are cut to it; existing text is kept.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }
  TEditCharCase CharCase() const { return FCharCase; }
  // Converts the current text too (a change like any other).
  void SetCharCase(TEditCharCase Value);
  // Shown instead of every character when nonzero; copy and cut are then
  // refused so the hidden text cannot leave through the clipboard.
  Char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(Char Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  // bsSingle (a sunken two-pixel frame) or bsNone; other values act as bsSingle.
  void SetBorderStyle(TBorderStyle Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

  // The caret position (0-based) and the client x where it is drawn.
  int CaretPos() const { return FCaret; }
  int CaretX();
  // The character boundary nearest to client x X.
  int PosFromX(int X);

  void WndProc(TMessage& Message) override;

 protected:
  virtual void Change();
  virtual void Paint();
  void DoEnter() override;
  void DoExit() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMTextChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void Resize() override;
  // Sets Height from the font and the border when AutoSize is on.
  void AdjustHeight();

 private:
  // The edit's own reaction to a key the KeyDown chain left nonzero.
  void DefaultKeyDown(uint16_t Key, TShiftState Shift);
  // The edit's own reaction to a character the KeyPress chain left nonzero.
  void DefaultChar(Char Key);
  // Replaces the selection by user action: honours ReadOnly, MaxLength and
  // CharCase, keeps the undo step, sets Modified. False when nothing changed.
  bool UserReplaceSelection(String Insert);
  // Puts NewText in place with the caret at Caret (selection collapsed) and
  // calls Change through CM_TEXTCHANGED.
  void ReplaceText(const String& NewText, int Anchor, int Caret);
  void MoveCaret(int NewCaret, bool Extend);
  void SaveUndo();
  String ApplyCharCase(const String& S) const;
  String DisplayText() const;
  int BorderWidth() const;
  TRect TextArea() const;
  // Left x of the text in client coordinates (scrolling and alignment applied).
  int TextOrigin();
  // Cumulative pixel widths of the shown text: Widths[i] = width of the first i units.
  const std::vector<int>& PrefixWidths();
  void ScrollToCaret();
  int PrevBoundary(int Pos) const;
  int NextBoundary(int Pos) const;
  int WordLeft(int Pos) const;
  int WordRight(int Pos) const;
  void SelectWordAt(int Pos);
  void Redraw();

  int FAnchor = 0;  // the fixed end of the selection
  int FCaret = 0;   // the moving end, where the caret stands
  int FScrollX = 0;
  int FMaxLength = 0;
  bool FReadOnly = false;
  bool FAutoSelect = true;
  bool FAutoSize = true;
  bool FHideSelection = true;
  bool FModified = false;
  TEditCharCase FCharCase = ecNormal;
  Char FPasswordChar = 0;
  TBorderStyle FBorderStyle = bsSingle;
  TAlignment FAlignment = taLeftJustify;
  bool FSelecting = false;
  // Control character the key-down already acted on (Ctrl+C sends #3 next).
  Char FHandledChar = 0;
  bool FCanUndo = false;
  String FUndoText;
  int FUndoAnchor = 0;
  int FUndoCaret = 0;
  std::vector<int> FWidths;
  bool FWidthsValid = false;
  TNotifyEvent FOnChange;
};

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* AOwner);
};

}  // namespace orv
