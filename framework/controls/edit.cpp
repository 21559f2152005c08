#include "framework/controls/edit.h"

#include <algorithm>
#include <cstdlib>
#include <cwctype>

#include "framework/graphics/colors.h"
#include "framework/graphics/edges.h"
#include "framework/rtl/clipboard.h"
#include "framework/rtl/sysutils.h"

namespace orv {

namespace {

bool IsHighSurrogate(Char C) { return C >= 0xD800 && C <= 0xDBFF; }
bool IsLowSurrogate(Char C) { return C >= 0xDC00 && C <= 0xDFFF; }

// Letters, digits and the underscore make up words for Ctrl+arrows and
// double clicks; everything else separates them.
bool IsWordChar(Char C) {
  if (C == u'_') return true;
  if (IsHighSurrogate(C) || IsLowSurrogate(C)) return true;
  return std::iswalnum(static_cast<wint_t>(C)) != 0;
}

// Height of a line of text in Font.
int LineHeight(TFont* Font) {
  TCanvas Measure;
  Measure.SetFont(Font);
  return Measure.TextHeight(u"0");
}

// Drops a high surrogate left dangling at the end of a cut string.
void TrimBrokenPair(String& S) {
  if (!S.empty() && IsHighSurrogate(S.back())) S.pop_back();
}

}  // namespace

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csFixedHeight, csOpaque};
  CreateControlCanvas();
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 121, 21);
  AdjustHeight();
}

TCustomEdit::~TCustomEdit() = default;

// --- Text ----------------------------------------------------------------------

void TCustomEdit::SetText(const String& Value) {
  const String V = ApplyCharCase(Value);
  if (V == Text()) return;
  FAnchor = 0;
  FCaret = 0;
  FScrollX = 0;
  FModified = false;
  FCanUndo = false;
  TControl::SetText(V);
}

void TCustomEdit::ReplaceText(const String& NewText, int Anchor, int Caret) {
  const int Len = static_cast<int>(NewText.size());
  FAnchor = std::clamp(Anchor, 0, Len);
  FCaret = std::clamp(Caret, 0, Len);
  if (NewText == Text()) {
    ScrollToCaret();
    Redraw();
    return;
  }
  // CMTextChanged finishes the job and calls Change last.
  TControl::SetText(NewText);
}

void TCustomEdit::CMTextChanged(TMessage& Message) {
  TWinControl::CMTextChanged(Message);
  const int Len = static_cast<int>(Text().size());
  FAnchor = std::clamp(FAnchor, 0, Len);
  FCaret = std::clamp(FCaret, 0, Len);
  FWidthsValid = false;
  ScrollToCaret();
  Redraw();
  Change();
}

void TCustomEdit::Change() {
  if (FOnChange) FOnChange(this);
}

String TCustomEdit::ApplyCharCase(const String& S) const {
  switch (FCharCase) {
    case ecUpperCase: return UpperCase(S);
    case ecLowerCase: return LowerCase(S);
    default: return S;
  }
}

bool TCustomEdit::UserReplaceSelection(String Insert) {
  if (FReadOnly) return false;
  Insert = ApplyCharCase(Insert);
  const String& T = Text();
  const int Start = SelStart();
  const int Length = SelLength();
  if (FMaxLength > 0) {
    const int Room = std::max(0, FMaxLength - (static_cast<int>(T.size()) - Length));
    if (static_cast<int>(Insert.size()) > Room) {
      Insert.resize(static_cast<size_t>(Room));
      TrimBrokenPair(Insert);
    }
  }
  if (Insert.empty() && Length == 0) return false;
  SaveUndo();
  FModified = true;
  const String NewText = T.substr(0, static_cast<size_t>(Start)) + Insert + T.substr(static_cast<size_t>(Start + Length));
  const int Caret = Start + static_cast<int>(Insert.size());
  ReplaceText(NewText, Caret, Caret);
  return true;
}

void TCustomEdit::SaveUndo() {
  FUndoText = Text();
  FUndoAnchor = FAnchor;
  FUndoCaret = FCaret;
  FCanUndo = true;
}

void TCustomEdit::Undo() {
  if (!FCanUndo || FReadOnly) return;
  // Undoing twice redoes, as one step toggles between the two states.
  const String Back = FUndoText;
  const int Anchor = FUndoAnchor;
  const int Caret = FUndoCaret;
  SaveUndo();
  FModified = true;
  ReplaceText(Back, Anchor, Caret);
}

// --- Selection -------------------------------------------------------------------

int TCustomEdit::SelStart() const { return std::min(FAnchor, FCaret); }

int TCustomEdit::SelLength() const { return std::abs(FCaret - FAnchor); }

void TCustomEdit::SetSelStart(int Value) {
  Value = std::clamp(Value, 0, static_cast<int>(Text().size()));
  MoveCaret(Value, false);
}

void TCustomEdit::SetSelLength(int Value) {
  const int Start = SelStart();
  const int End = std::clamp(Start + std::max(Value, 0), Start, static_cast<int>(Text().size()));
  FAnchor = Start;
  MoveCaret(End, true);
}

String TCustomEdit::SelText() const {
  return Text().substr(static_cast<size_t>(SelStart()), static_cast<size_t>(SelLength()));
}

void TCustomEdit::SetSelText(const String& Value) {
  const String& T = Text();
  const int Start = SelStart();
  const String NewText = T.substr(0, static_cast<size_t>(Start)) + Value + T.substr(static_cast<size_t>(Start + SelLength()));
  const int Caret = Start + static_cast<int>(Value.size());
  ReplaceText(NewText, Caret, Caret);
}

void TCustomEdit::SelectAll() {
  FAnchor = 0;
  MoveCaret(static_cast<int>(Text().size()), true);
}

void TCustomEdit::ClearSelection() { UserReplaceSelection(String()); }

void TCustomEdit::CopyToClipboard() {
  if (FPasswordChar != 0 || SelLength() == 0) return;
  Clipboard()->SetAsText(SelText());
}

void TCustomEdit::CutToClipboard() {
  if (FReadOnly || FPasswordChar != 0 || SelLength() == 0) return;
  CopyToClipboard();
  UserReplaceSelection(String());
}

void TCustomEdit::PasteFromClipboard() {
  if (FReadOnly) return;
  String S = Clipboard()->AsText();
  // One line only: the text up to the first line break.
  const size_t Break = S.find_first_of(u"\r\n");
  if (Break != String::npos) S.resize(Break);
  UserReplaceSelection(S);
}

void TCustomEdit::MoveCaret(int NewCaret, bool Extend) {
  FCaret = std::clamp(NewCaret, 0, static_cast<int>(Text().size()));
  if (!Extend) FAnchor = FCaret;
  ScrollToCaret();
  Redraw();
}

int TCustomEdit::PrevBoundary(int Pos) const {
  const String& T = Text();
  if (Pos <= 0) return 0;
  --Pos;
  if (Pos > 0 && IsLowSurrogate(T[static_cast<size_t>(Pos)]) && IsHighSurrogate(T[static_cast<size_t>(Pos - 1)])) --Pos;
  return Pos;
}

int TCustomEdit::NextBoundary(int Pos) const {
  const String& T = Text();
  const int Len = static_cast<int>(T.size());
  if (Pos >= Len) return Len;
  ++Pos;
  if (Pos < Len && IsLowSurrogate(T[static_cast<size_t>(Pos)]) && IsHighSurrogate(T[static_cast<size_t>(Pos - 1)])) ++Pos;
  return Pos;
}

int TCustomEdit::WordLeft(int Pos) const {
  const String& T = Text();
  while (Pos > 0 && !IsWordChar(T[static_cast<size_t>(Pos - 1)])) --Pos;
  while (Pos > 0 && IsWordChar(T[static_cast<size_t>(Pos - 1)])) --Pos;
  return Pos;
}

int TCustomEdit::WordRight(int Pos) const {
  const String& T = Text();
  const int Len = static_cast<int>(T.size());
  while (Pos < Len && IsWordChar(T[static_cast<size_t>(Pos)])) ++Pos;
  while (Pos < Len && !IsWordChar(T[static_cast<size_t>(Pos)])) ++Pos;
  return Pos;
}

void TCustomEdit::SelectWordAt(int Pos) {
  const String& T = Text();
  const int Len = static_cast<int>(T.size());
  if (Len == 0) return;
  // The run of word (or of separator) characters the click fell on.
  const int Probe = Pos < Len ? Pos : Len - 1;
  const bool Word = IsWordChar(T[static_cast<size_t>(Probe)]);
  int Start = Probe;
  int End = Probe;
  while (Start > 0 && IsWordChar(T[static_cast<size_t>(Start - 1)]) == Word) --Start;
  while (End < Len && IsWordChar(T[static_cast<size_t>(End)]) == Word) ++End;
  FAnchor = Start;
  MoveCaret(End, true);
}

// --- Properties --------------------------------------------------------------------

void TCustomEdit::SetMaxLength(int Value) { FMaxLength = std::max(Value, 0); }

void TCustomEdit::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  FReadOnly = Value;
  Redraw();
}

void TCustomEdit::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  AdjustHeight();
}

void TCustomEdit::SetHideSelection(bool Value) {
  if (Value == FHideSelection) return;
  FHideSelection = Value;
  Redraw();
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (Value == FCharCase) return;
  FCharCase = Value;
  ReplaceText(ApplyCharCase(Text()), FAnchor, FCaret);
}

void TCustomEdit::SetPasswordChar(Char Value) {
  if (Value == FPasswordChar) return;
  FPasswordChar = Value;
  FWidthsValid = false;
  ScrollToCaret();
  Redraw();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  AdjustHeight();
  ScrollToCaret();
  Redraw();
}

void TCustomEdit::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Redraw();
}

void TCustomEdit::AdjustHeight() {
  if (!FAutoSize || ComponentState().Contains(csLoading)) return;
  SetHeight(LineHeight(Font()) + (BorderWidth() > 0 ? 8 : 2));
}

void TCustomEdit::CMFontChanged(TMessage& Message) {
  TWinControl::CMFontChanged(Message);
  FWidthsValid = false;
  AdjustHeight();
  ScrollToCaret();
  Redraw();
}

void TCustomEdit::CMEnabledChanged(TMessage& Message) {
  TWinControl::CMEnabledChanged(Message);
  Redraw();
}

void TCustomEdit::Resize() {
  TWinControl::Resize();
  ScrollToCaret();
  Redraw();
}

void TCustomEdit::Redraw() { Invalidate(); }

// --- Geometry -----------------------------------------------------------------------

int TCustomEdit::BorderWidth() const { return FBorderStyle == bsNone ? 0 : 2; }

TRect TCustomEdit::TextArea() const {
  const int B = BorderWidth();
  // One pixel of margin left and right keeps the caret off the frame.
  return TRect{B + 1, B, std::max(B + 1, Width() - B - 1), std::max(B, Height() - B)};
}

String TCustomEdit::DisplayText() const {
  if (FPasswordChar == 0) return Text();
  return String(Text().size(), FPasswordChar);
}

const std::vector<int>& TCustomEdit::PrefixWidths() {
  if (FWidthsValid) return FWidths;
  const String Shown = DisplayText();
  TCanvas Measure;
  Measure.SetFont(Font());
  FWidths.assign(Shown.size() + 1, 0);
  // Text width is the sum of the characters' advances, so prefix sums of
  // single characters (surrogate pairs measured whole) give every boundary.
  size_t I = 0;
  int Sum = 0;
  while (I < Shown.size()) {
    size_t N = 1;
    if (IsHighSurrogate(Shown[I]) && I + 1 < Shown.size() && IsLowSurrogate(Shown[I + 1])) N = 2;
    Sum += Measure.TextWidth(Shown.substr(I, N));
    for (size_t K = 1; K <= N; ++K) FWidths[I + K] = Sum;
    I += N;
  }
  FWidthsValid = true;
  return FWidths;
}

void TCustomEdit::ScrollToCaret() {
  const std::vector<int>& W = PrefixWidths();
  const int Visible = std::max(1, TextArea().Width());
  const int CaretPx = W[static_cast<size_t>(std::clamp(FCaret, 0, static_cast<int>(W.size()) - 1))];
  if (CaretPx < FScrollX) {
    FScrollX = CaretPx;
  } else if (CaretPx - FScrollX > Visible - 1) {
    FScrollX = CaretPx - Visible + 1;
  }
  // Never leave blank space behind the end of the text while text is hidden.
  FScrollX = std::clamp(FScrollX, 0, std::max(0, W.back() - Visible + 1));
}

int TCustomEdit::TextOrigin() {
  const TRect Area = TextArea();
  const std::vector<int>& W = PrefixWidths();
  const int Free = Area.Width() - 1 - W.back();
  int Offset = 0;
  if (FScrollX == 0 && Free > 0) {
    if (FAlignment == taRightJustify) Offset = Free;
    if (FAlignment == taCenter) Offset = Free / 2;
  }
  return Area.Left - FScrollX + Offset;
}

int TCustomEdit::CaretX() {
  const std::vector<int>& W = PrefixWidths();
  return TextOrigin() + W[static_cast<size_t>(std::clamp(FCaret, 0, static_cast<int>(W.size()) - 1))];
}

int TCustomEdit::PosFromX(int X) {
  const std::vector<int>& W = PrefixWidths();
  const int Rel = X - TextOrigin();
  // First boundary at or right of Rel, then whichever neighbour is nearer.
  auto It = std::lower_bound(W.begin(), W.end(), Rel);
  if (It == W.end()) return static_cast<int>(W.size()) - 1;
  int Pos = static_cast<int>(It - W.begin());
  if (Pos > 0 && Rel - W[static_cast<size_t>(Pos - 1)] < *It - Rel) --Pos;
  // Step off the middle of a surrogate pair.
  const String& T = Text();
  if (Pos > 0 && Pos < static_cast<int>(T.size()) && IsLowSurrogate(T[static_cast<size_t>(Pos)]) &&
      IsHighSurrogate(T[static_cast<size_t>(Pos - 1)])) {
    --Pos;
  }
  return Pos;
}

// --- Painting -----------------------------------------------------------------------

void TCustomEdit::Paint() {
  TCanvas* C = ControlCanvas();
  C->Save();
  const int W = Width();
  const int H = Height();
  const int B = BorderWidth();
  C->Pen()->SetMode(pmCopy);
  C->Brush()->SetStyle(bsSolid);
  if (B > 0) DrawEdge(C, TRect{0, 0, W, H}, EdgeSunken);
  const TRect Inner{B, B, W - B, H - B};
  C->Brush()->SetColor(Color());
  C->FillRect(Inner);
  C->SetClipRect(Inner);

  C->SetFont(Font());
  if (!Enabled()) C->Font()->SetColor(clGrayText);
  const String Shown = DisplayText();
  const std::vector<int>& Widths = PrefixWidths();
  const int X0 = TextOrigin();
  const int Y0 = B + 1;
  const int LineH = C->TextHeight(u"0");
  C->Brush()->SetStyle(bsClear);
  C->TextOut(X0, Y0, Shown);

  const bool HasFocus = Focused();
  if (SelLength() > 0 && (HasFocus || !FHideSelection)) {
    const int S = SelStart();
    const int E = S + SelLength();
    const TRect Sel{X0 + Widths[static_cast<size_t>(S)], Y0, X0 + Widths[static_cast<size_t>(E)], Y0 + LineH};
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clHighlight);
    C->FillRect(Sel);
    C->Brush()->SetStyle(bsClear);
    C->Font()->SetColor(clHighlightText);
    C->TextOut(Sel.Left, Y0, Shown.substr(static_cast<size_t>(S), static_cast<size_t>(E - S)));
  }
  if (HasFocus) {
    // The caret inverts what lies under it, so it shows on text, selection
    // and background alike.
    const int CX = CaretX();
    C->Pen()->SetMode(pmNot);
    C->Pen()->SetWidth(1);
    C->MoveTo(CX, Y0);
    C->LineTo(CX, Y0 + LineH);
  }
  C->Restore();
}

// --- Focus and mouse -------------------------------------------------------------------

void TCustomEdit::DoEnter() {
  // Entering by keyboard selects everything; a click places the caret instead.
  if (FAutoSelect && !FControlState.Contains(csLButtonDown)) SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::DoExit() {
  FSelecting = false;
  Redraw();
  TWinControl::DoExit();
}

void TCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    const auto Life = LifeToken();
    if (!Focused() && CanFocus()) SetFocus();
    if (Life.expired()) return;  // an exit or enter handler freed the edit
    const int Pos = PosFromX(X);
    if (Shift.Contains(ssDouble)) {
      SelectWordAt(Pos);
      FSelecting = false;
    } else {
      MoveCaret(Pos, Shift.Contains(ssShift));
      FSelecting = true;
    }
  }
  TWinControl::MouseDown(Button, Shift, X, Y);
}

void TCustomEdit::MouseMove(TShiftState Shift, int X, int Y) {
  if (FSelecting) MoveCaret(PosFromX(X), true);
  TWinControl::MouseMove(Shift, X, Y);
}

void TCustomEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) FSelecting = false;
  TWinControl::MouseUp(Button, Shift, X, Y);
}

// --- Keys ------------------------------------------------------------------------------

void TCustomEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      Paint();
      return;
    case WM_KEYDOWN: {
      FHandledChar = 0;
      // The key handlers may free the edit; then the key does nothing more.
      const auto Life = LifeToken();
      TWinControl::WndProc(Message);
      if (!Life.expired() && Message.Result == 0 && Message.WParam != 0) {
        DefaultKeyDown(static_cast<uint16_t>(Message.WParam), KeyDataToShiftState(Message.LParam));
      }
      return;
    }
    case WM_CHAR: {
      const auto Life = LifeToken();
      TWinControl::WndProc(Message);
      if (!Life.expired() && Message.Result == 0 && Message.WParam != 0) DefaultChar(static_cast<Char>(Message.WParam));
      return;
    }
    case WM_KEYUP:
      FHandledChar = 0;
      TWinControl::WndProc(Message);
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Redraw();
      TWinControl::WndProc(Message);
      return;
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
    default:
      TWinControl::WndProc(Message);
  }
}

void TCustomEdit::DefaultKeyDown(uint16_t Key, TShiftState Shift) {
  const bool Ctrl = Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
  const bool Extend = Shift.Contains(ssShift);
  const int Len = static_cast<int>(Text().size());
  switch (Key) {
    case VK_LEFT:
      if (Ctrl) {
        MoveCaret(WordLeft(FCaret), Extend);
      } else if (!Extend && SelLength() > 0) {
        MoveCaret(SelStart(), false);
      } else {
        MoveCaret(PrevBoundary(FCaret), Extend);
      }
      return;
    case VK_RIGHT:
      if (Ctrl) {
        MoveCaret(WordRight(FCaret), Extend);
      } else if (!Extend && SelLength() > 0) {
        MoveCaret(SelStart() + SelLength(), false);
      } else {
        MoveCaret(NextBoundary(FCaret), Extend);
      }
      return;
    case VK_HOME:
      MoveCaret(0, Extend);
      return;
    case VK_END:
      MoveCaret(Len, Extend);
      return;
    case VK_DELETE:
      if (Extend && !Ctrl) {
        CutToClipboard();
      } else if (!FReadOnly) {
        if (SelLength() == 0) {
          FAnchor = FCaret;
          FCaret = Ctrl ? WordRight(FCaret) : NextBoundary(FCaret);
        }
        UserReplaceSelection(String());
      }
      return;
    case VK_INSERT:
      if (Ctrl && !Extend) CopyToClipboard();
      if (Extend && !Ctrl) PasteFromClipboard();
      return;
    default:
      break;
  }
  if (!Ctrl || Extend) return;
  const auto Life = LifeToken();  // OnChange of the edits below may free the edit
  switch (Key) {
    case u'A': SelectAll(); break;
    case u'C': CopyToClipboard(); break;
    case u'V': PasteFromClipboard(); break;
    case u'X': CutToClipboard(); break;
    case u'Z': Undo(); break;
    default: return;
  }
  // The keyboard follows with the control character of the letter.
  if (Life.expired()) return;
  FHandledChar = static_cast<Char>(Key - u'A' + 1);
}

void TCustomEdit::DefaultChar(Char Key) {
  if (Key == FHandledChar) {
    FHandledChar = 0;
    return;
  }
  switch (Key) {
    case 1: SelectAll(); return;
    case 3: CopyToClipboard(); return;
    case 22: PasteFromClipboard(); return;
    case 24: CutToClipboard(); return;
    case 26: Undo(); return;
    case 8:
    case 127:
      // Backspace deletes the selection or what lies before the caret;
      // Ctrl+Backspace (#127) the word before it.
      if (FReadOnly) return;
      if (SelLength() == 0) {
        FAnchor = FCaret;
        FCaret = Key == 8 ? PrevBoundary(FCaret) : WordLeft(FCaret);
      }
      UserReplaceSelection(String());
      return;
    default:
      break;
  }
  if (Key < 32) return;  // Enter, Escape, Tab and other control characters
  UserReplaceSelection(String(1, Key));
}

TEdit::TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

}  // namespace orv
