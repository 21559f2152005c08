#include "framework/controls/memo.h"

#include <algorithm>

#include "framework/graphics/colors.h"
#include "framework/graphics/edges.h"
#include "framework/rtl/clipboard.h"

namespace orv {

namespace {
constexpr int kBorder = 2;
constexpr int kTextLeft = kBorder + 2;
constexpr int kTextTop = kBorder + 1;
}  // namespace

TCustomMemo::TCustomMemo(TComponent* AOwner) : TWinControl(AOwner), FLines(std::make_unique<TStringList>()) {
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
  CreateControlCanvas();
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 185, 89);
  // Lines changed from outside: the caret stays inside the text.
  FLines->SetOnChange([this](TObject*) {
    if (!FEditing) LinesChanged();
  });
}

TCustomMemo::~TCustomMemo() { FLines->SetOnChange(nullptr); }

String TCustomMemo::Text() const {
  String S;
  for (int I = 0; I < FLines->Count(); ++I) {
    if (I > 0) S += u"\r\n";
    S += FLines->Strings(I);
  }
  return S;
}

void TCustomMemo::SetText(const String& Value) {
  if (Value == Text()) return;
  FEditing = true;
  FLines->SetText(Value);
  // A final line break opens one more, empty line.
  if (!Value.empty() && (Value.back() == u'\n' || Value.back() == u'\r')) FLines->Add(String());
  FEditing = false;
  FRow = FCol = FAnchorRow = FAnchorCol = 0;
  FTopLine = FScrollX = 0;
  FModified = false;
  Invalidate();
  Change();
}

void TCustomMemo::LinesChanged() {
  const int Last = std::max(0, FLines->Count() - 1);
  FRow = std::min(FRow, Last);
  FAnchorRow = std::min(FAnchorRow, Last);
  FCol = std::min<int>(FCol, static_cast<int>(FLines->Strings(FRow).size()));
  FAnchorCol = std::min<int>(FAnchorCol, static_cast<int>(FLines->Strings(FAnchorRow).size()));
  FTopLine = std::min(FTopLine, Last);
  Invalidate();
  Change();
}

void TCustomMemo::Change() {
  if (FOnChange) FOnChange(this);
}

void TCustomMemo::SetCaretPos(const TPoint& Value) {
  const int Row = std::clamp(Value.Y, 0, std::max(0, FLines->Count() - 1));
  MoveTo(Row, Value.X, false);
}

void TCustomMemo::SelectionBounds(int& R1, int& C1, int& R2, int& C2) const {
  const bool CaretFirst = FRow < FAnchorRow || (FRow == FAnchorRow && FCol < FAnchorCol);
  R1 = CaretFirst ? FRow : FAnchorRow;
  C1 = CaretFirst ? FCol : FAnchorCol;
  R2 = CaretFirst ? FAnchorRow : FRow;
  C2 = CaretFirst ? FAnchorCol : FCol;
}

String TCustomMemo::SelText() const {
  if (!HasSelection()) return String();
  int R1, C1, R2, C2;
  SelectionBounds(R1, C1, R2, C2);
  if (R1 == R2) return FLines->Strings(R1).substr(static_cast<size_t>(C1), static_cast<size_t>(C2 - C1));
  String S = FLines->Strings(R1).substr(static_cast<size_t>(C1));
  for (int R = R1 + 1; R < R2; ++R) S += u"\r\n" + FLines->Strings(R);
  S += u"\r\n" + FLines->Strings(R2).substr(0, static_cast<size_t>(C2));
  return S;
}

void TCustomMemo::SelectAll() {
  FAnchorRow = 0;
  FAnchorCol = 0;
  FRow = std::max(0, FLines->Count() - 1);
  FCol = static_cast<int>(FLines->Strings(FRow).size());
  Invalidate();
}

void TCustomMemo::DeleteSelection() {
  if (!HasSelection()) return;
  int R1, C1, R2, C2;
  SelectionBounds(R1, C1, R2, C2);
  const String Head = FLines->Strings(R1).substr(0, static_cast<size_t>(C1));
  const String Tail = FLines->Strings(R2).substr(static_cast<size_t>(C2));
  for (int R = R2; R > R1; --R) FLines->Delete(R);
  FLines->SetStrings(R1, Head + Tail);
  FRow = FAnchorRow = R1;
  FCol = FAnchorCol = C1;
}

void TCustomMemo::UserInsert(const String& S) {
  if (FReadOnly) return;
  FEditing = true;
  FLines->BeginUpdate();
  if (FLines->Count() == 0) FLines->Add(String());
  DeleteSelection();
  // The text after the caret moves to the end of the last inserted line.
  const String Line = FLines->Strings(FRow);
  const String Tail = Line.substr(static_cast<size_t>(FCol));
  String Current = Line.substr(0, static_cast<size_t>(FCol));
  for (size_t I = 0; I < S.size(); ++I) {
    const Char C = S[I];
    if (C == u'\r' || C == u'\n') {
      if (C == u'\r' && I + 1 < S.size() && S[I + 1] == u'\n') ++I;
      FLines->SetStrings(FRow, Current);
      FLines->Insert(++FRow, String());
      Current.clear();
    } else {
      Current += C;
    }
  }
  FCol = static_cast<int>(Current.size());
  FLines->SetStrings(FRow, Current + Tail);
  FAnchorRow = FRow;
  FAnchorCol = FCol;
  FLines->EndUpdate();
  FEditing = false;
  FModified = true;
  ScrollToCaret();
  Invalidate();
  Change();
}

void TCustomMemo::ClearSelection() {
  if (!HasSelection() || FReadOnly) return;
  UserInsert(String());
}

void TCustomMemo::CopyToClipboard() {
  if (HasSelection()) Clipboard()->SetAsText(SelText());
}

void TCustomMemo::CutToClipboard() {
  if (!HasSelection() || FReadOnly) return;
  CopyToClipboard();
  ClearSelection();
}

void TCustomMemo::PasteFromClipboard() { UserInsert(Clipboard()->AsText()); }

void TCustomMemo::MoveTo(int Row, int Col, bool Extend) {
  if (FLines->Count() == 0) Row = 0, Col = 0;
  else Col = std::clamp(Col, 0, static_cast<int>(FLines->Strings(Row).size()));
  FRow = Row;
  FCol = Col;
  if (!Extend) {
    FAnchorRow = Row;
    FAnchorCol = Col;
  }
  ScrollToCaret();
  Invalidate();
}

int TCustomMemo::LineHeight() {
  TCanvas* C = ControlCanvas();
  C->SetFont(Font());
  return std::max(1, C->TextHeight(u"Wg"));
}

void TCustomMemo::ScrollToCaret() {
  const int Visible = std::max(1, (Height() - 2 * kTextTop) / LineHeight());
  if (FRow < FTopLine) FTopLine = FRow;
  if (FRow >= FTopLine + Visible) FTopLine = FRow - Visible + 1;
  TCanvas* C = ControlCanvas();
  const int X = FLines->Count() ? C->TextWidth(FLines->Strings(FRow).substr(0, static_cast<size_t>(FCol))) : 0;
  const int Room = std::max(1, Width() - kTextLeft - kBorder - 2);
  if (X < FScrollX) FScrollX = std::max(0, X - Room / 4);
  if (X >= FScrollX + Room) FScrollX = X - Room + Room / 4;
}

TPoint TCustomMemo::PosFromPoint(int X, int Y) {
  if (FLines->Count() == 0) return TPoint{0, 0};
  const int Row = std::clamp(FTopLine + (Y - kTextTop) / LineHeight(), 0, FLines->Count() - 1);
  const String& Line = FLines->Items()[static_cast<size_t>(Row)];
  TCanvas* C = ControlCanvas();
  const int Target = X - kTextLeft + FScrollX;
  int Col = 0;
  for (int Prev = 0; Col < static_cast<int>(Line.size()); ++Col) {
    const int Next = C->TextWidth(Line.substr(0, static_cast<size_t>(Col + 1)));
    if (Target < (Prev + Next) / 2) break;
    Prev = Next;
  }
  return TPoint{Col, Row};
}

void TCustomMemo::Paint() {
  TCanvas* C = ControlCanvas();
  TCanvasStateSaver Saver(C);
  const int W = Width(), H = Height();
  C->Brush()->SetStyle(bsSolid);
  DrawEdge(C, TRect{0, 0, W, H}, EdgeSunken);
  const TRect Inner{kBorder, kBorder, W - kBorder, H - kBorder};
  C->Brush()->SetColor(Color());
  C->FillRect(Inner);
  C->SetClipRect(Inner);
  C->SetFont(Font());
  if (!Enabled()) C->Font()->SetColor(clGrayText);
  const int LineH = LineHeight();
  const bool HasFocus = Focused();
  int R1, C1, R2, C2;
  SelectionBounds(R1, C1, R2, C2);
  for (int Row = FTopLine; Row < FLines->Count(); ++Row) {
    const int Y = kTextTop + (Row - FTopLine) * LineH;
    if (Y >= H) break;
    const String& Line = FLines->Items()[static_cast<size_t>(Row)];
    const int X0 = kTextLeft - FScrollX;
    C->Brush()->SetStyle(bsClear);
    C->TextOut(X0, Y, Line);
    if (HasFocus && HasSelection() && Row >= R1 && Row <= R2) {
      const int From = Row == R1 ? C1 : 0;
      const int To = Row == R2 ? C2 : static_cast<int>(Line.size());
      const int XA = X0 + C->TextWidth(Line.substr(0, static_cast<size_t>(From)));
      const String Piece = Line.substr(static_cast<size_t>(From), static_cast<size_t>(To - From));
      // A selected line break shows as a little room after the line's text.
      const int XB = XA + C->TextWidth(Piece) + (Row < R2 ? 4 : 0);
      C->Brush()->SetStyle(bsSolid);
      C->Brush()->SetColor(clHighlight);
      C->FillRect(TRect{XA, Y, XB, Y + LineH});
      C->Brush()->SetStyle(bsClear);
      const TColor Saved = C->Font()->Color();
      C->Font()->SetColor(clHighlightText);
      C->TextOut(XA, Y, Piece);
      C->Font()->SetColor(Saved);
    }
    if (HasFocus && Row == FRow) {
      // The caret inverts what lies under it.
      const int CX = X0 + C->TextWidth(Line.substr(0, static_cast<size_t>(FCol)));
      C->Pen()->SetMode(pmNot);
      C->MoveTo(CX, Y);
      C->LineTo(CX, Y + LineH);
      C->Pen()->SetMode(pmCopy);
    }
  }
  if (HasFocus && FLines->Count() == 0) {
    C->Pen()->SetMode(pmNot);
    C->MoveTo(kTextLeft, kTextTop);
    C->LineTo(kTextLeft, kTextTop + LineH);
  }
}

void TCustomMemo::KeyDown(uint16_t& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  const bool Ext = Shift.Contains(ssShift);
  const bool Ctrl = Shift.Contains(ssCtrl);
  const int Last = std::max(0, FLines->Count() - 1);
  const int Page = std::max(1, (Height() - 2 * kTextTop) / LineHeight() - 1);
  auto LineLen = [this](int Row) { return FLines->Count() ? static_cast<int>(FLines->Strings(Row).size()) : 0; };
  switch (Key) {
    case VK_LEFT:
      if (FCol > 0) MoveTo(FRow, FCol - 1, Ext);
      else if (FRow > 0) MoveTo(FRow - 1, LineLen(FRow - 1), Ext);
      break;
    case VK_RIGHT:
      if (FCol < LineLen(FRow)) MoveTo(FRow, FCol + 1, Ext);
      else if (FRow < Last) MoveTo(FRow + 1, 0, Ext);
      break;
    case VK_UP: MoveTo(std::max(0, FRow - 1), FCol, Ext); break;
    case VK_DOWN: MoveTo(std::min(Last, FRow + 1), FCol, Ext); break;
    case VK_PRIOR: MoveTo(std::max(0, FRow - Page), FCol, Ext); break;
    case VK_NEXT: MoveTo(std::min(Last, FRow + Page), FCol, Ext); break;
    case VK_HOME: MoveTo(Ctrl ? 0 : FRow, 0, Ext); break;
    case VK_END: MoveTo(Ctrl ? Last : FRow, LineLen(Ctrl ? Last : FRow), Ext); break;
    case VK_DELETE:
      if (FReadOnly) break;
      if (!HasSelection()) {
        if (FCol < LineLen(FRow)) MoveTo(FRow, FCol + 1, true);
        else if (FRow < Last) MoveTo(FRow + 1, 0, true);
      }
      ClearSelection();
      break;
    default:
      return;
  }
  Key = 0;
}

void TCustomMemo::KeyPress(Char& Key) {
  TWinControl::KeyPress(Key);
  const Char K = Key;
  switch (K) {
    case 0: return;
    case 1: SelectAll(); break;             // Ctrl+A
    case 3: CopyToClipboard(); break;       // Ctrl+C
    case 22: PasteFromClipboard(); break;   // Ctrl+V
    case 24: CutToClipboard(); break;       // Ctrl+X
    case 8:                                 // Backspace
      if (FReadOnly) break;
      if (!HasSelection()) {
        if (FCol > 0) MoveTo(FRow, FCol - 1, true);
        else if (FRow > 0) MoveTo(FRow - 1, static_cast<int>(FLines->Strings(FRow - 1).size()), true);
      }
      ClearSelection();
      break;
    case u'\r':
      if (!FWantReturns) return;
      UserInsert(u"\r\n");
      break;
    case u'\t':
      if (!FWantTabs) return;
      UserInsert(u"\t");
      break;
    default:
      if (K < 32) return;
      UserInsert(String(1, K));
      break;
  }
  Key = 0;
}

void TCustomMemo::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    if (!Focused() && CanFocus()) SetFocus();
    const TPoint P = PosFromPoint(X, Y);
    MoveTo(P.Y, P.X, Shift.Contains(ssShift));
    FSelecting = true;
  }
  TWinControl::MouseDown(Button, Shift, X, Y);
}

void TCustomMemo::MouseMove(TShiftState Shift, int X, int Y) {
  if (FSelecting) {
    const TPoint P = PosFromPoint(X, Y);
    MoveTo(P.Y, P.X, true);
  }
  TWinControl::MouseMove(Shift, X, Y);
}

void TCustomMemo::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) FSelecting = false;
  TWinControl::MouseUp(Button, Shift, X, Y);
}

void TCustomMemo::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      Paint();
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
    default:
      break;
  }
  TWinControl::WndProc(Message);
}

}  // namespace orv
