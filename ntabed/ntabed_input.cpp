// TNTabEd: in-place editing of cells, keys, mouse and wheel, the name
// editor and the comment editor.

#include <algorithm>
#include <cmath>

#include "foundation/mathfuncs.h"
#include "framework/controls/edit.h"
#include "framework/controls/memo.h"
#include "framework/controls/messages.h"
#include "framework/grids/inplaceedit.h"
#include "framework/rtl/rtlmath.h"
#include "framework/rtl/sysutils.h"
#include "ntabed/ntabed.h"
#include "numio/numscan.h"

namespace orv {

namespace {

constexpr TColor kCommentColor = 0x808000;
constexpr TColor kCommentFont = 0xFFFFFF;
constexpr int kNameEditorWidth = 140;

// A decimal number typed by the user: optional sign, digits with an
// optional "." (a "," counts as one) and an optional exponent, blanks
// around ignored. False when the text is anything else.
bool ReadDecimal(const String& Text, double& Value) {
  String S = Text;
  std::replace(S.begin(), S.end(), u',', u'.');
  S = Trim(S);
  if (S.empty() || std::none_of(S.begin(), S.end(), [](Char C) { return C >= u'0' && C <= u'9'; })) return false;
  int Pos = 1;
  const double V = ScanFloatNumber(S, true, kSepModePoint, Pos);
  if (Pos != static_cast<int>(S.size()) + 1) return false;
  Value = V;
  return true;
}

String WholeNumberText(double V) {
  if (std::isfinite(V) && std::fabs(V) < 9.0e18) return IntToStr(static_cast<long long>(V));
  return u"0";
}

}  // namespace

// --- In-place editing --------------------------------------------------------------------------

String TNTabEd::GetEditText(int ACol, int ARow) {
  const int C = ACol - FColOffset;
  const int R = ARow - FRowOffset;
  String Value;
  const double V = Elem(C, R);
  if (FData->IsCategorical(C)) {
    const double Ord = std::nearbyint(V);
    if (Ord >= 1 && Ord <= MaxNominalOrdinal) Value = FData->GetNominalID(C, static_cast<int>(Ord));
    if (Value.empty()) Value = WholeNumberText(Ord);
  } else {
    Value = NTabNumberText(V, Precision(C), FNumWidth);
  }
  if (FOnGetEditText) FOnGetEditText(this, C, R, Value);
  return Value;
}

void TNTabEd::SetEditText(int ACol, int ARow, const String& Value) {
  const int C = ACol - FColOffset;
  const int R = ARow - FRowOffset;
  if (C >= 1 && C <= NrOfColumns() && R >= 1 && R <= NrOfRows()) {
    const uint8_t S = CellState(C, R);
    FData->BeginUpdate();
    try {
      double V = 0;
      if (FData->IsCategorical(C)) {
        const int Ord = FData->OrdinalOfNominalID(C, Value, true);
        int Whole = 0;
        if (Ord > 0) {
          FData->SetElem(C, R, Ord);
          FData->SetCellState(C, R, 0);
        } else if (IsValidDecInt(Value) && TryStrToInt(Trim(Value), Whole)) {
          FData->SetElem(C, R, Whole);
          FData->SetCellState(C, R, S & ~dtsNotANumber);
        } else {
          FData->SetCellState(C, R, S | dtsNotANumber);
        }
      } else if (ReadDecimal(Value, V)) {
        FData->SetElem(C, R, V);
        FData->SetCellState(C, R, S & ~dtsNotANumber);
      } else {
        FData->SetCellState(C, R, S | dtsNotANumber);
      }
    } catch (...) {
      FData->EndUpdate();
      throw;
    }
    FData->EndUpdate();
  }
  TCustomGrid::SetEditText(ACol, ARow, Value);
  if (FOnSetEditText) FOnSetEditText(this, C, R, Value);
}

TEditStyle TNTabEd::GetEditStyle(int ACol, int ARow) {
  (void)ARow;
  return FData->IsCategorical(ACol - FColOffset) ? esPickList : esSimple;
}

TInplaceEdit* TNTabEd::CreateEditor() {
  auto* E = new TInplaceEditList(this);
  E->SetDropDownRows(FNomEditDropDownCount);
  return E;
}

void TNTabEd::GetPickListItems(int ACol, int ARow, std::vector<String>& Items) {
  (void)ARow;
  const int C = ACol - FColOffset;
  Items.clear();
  if (!FData->IsCategorical(C)) return;
  for (int Ord = 1; Ord <= MaxNominalOrdinal; ++Ord) {
    String Id = FData->GetNominalID(C, Ord);
    if (!Id.empty()) Items.push_back(std::move(Id));
  }
}

bool TNTabEd::CellLocked(int DCol, int DRow) const { return (CellState(DCol, DRow) & dtsLocked) != 0; }

// --- Keys ------------------------------------------------------------------------------------------

void TNTabEd::WndProc(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    TCustomGrid::WndProc(Message);
    Message.Result |= DLGC_WANTTAB;
    return;
  }
  if (Message.Msg == WM_CHAR && !EditorMode()) {
    // A locked cell or a read-only table opens no editor for a typed character.
    const TGridCoord P = CurrentDataCell();
    if (FDataReadOnly || CellLocked(P.X, P.Y)) SetEditing(false);
  }
  TCustomGrid::WndProc(Message);
}

void TNTabEd::KeyPress(Char& Key) {
  const TGridCoord P = CurrentDataCell();
  if (CellLocked(P.X, P.Y) || FDataReadOnly) {
    SetEditing(false);
  } else {
    SetEditing(true);
    TCustomGrid::KeyPress(Key);
  }
  if (FAutoAdvance && (Key == 0 || Key == u'\r')) {
    uint16_t Arrow = FAutoAdvanceDir == orDown ? VK_DOWN : VK_RIGHT;
    KeyDown(Arrow, TShiftState{});
  }
  if (Key == 27 && InplaceEditor()) {
    SetEditing(false);
    HideEditor();
  }
}

void TNTabEd::KeyDown(uint16_t& Key, TShiftState Shift) {
  const TGridCoord P = CurrentDataCell();
  const bool Passes = Key == 0 || Key == VK_RETURN || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
  if (CellLocked(P.X, P.Y) && !Passes) {
    SetEditing(false);
    return;
  }
  TCustomGrid::KeyDown(Key, Shift);
  ChangedSelection();
  DrawCellCursor();
  Invalidate();
}

// --- Mouse ---------------------------------------------------------------------------------------------

bool TNTabEd::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  const bool Result = TCustomGrid::DoMouseWheelDown(Shift, MousePos);
  DrawCellCursor();
  ChangedSelection();
  Invalidate();
  return Result;
}

bool TNTabEd::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  const bool Result = TCustomGrid::DoMouseWheelUp(Shift, MousePos);
  DrawCellCursor();
  ChangedSelection();
  Invalidate();
  return Result;
}

void TNTabEd::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FCommentEdActive) {
    TCustomGrid::MouseDown(Button, Shift, X, Y);
    FPopupCell = MouseCoord(X, Y);
    if (FPopupCell.X == 0 && FPopupCell.Y == 0) {
      uint16_t Esc = VK_ESCAPE;
      CommentEditorKey(Esc);
    }
    return;
  }
  if (FNameEdActive) return;
  const TGridCoord Before = MouseCoord(FLastMouseDown.X, FLastMouseDown.Y);
  const TGridCoord Cell = MouseCoord(X, Y);
  FPopupCell = Cell;
  if (!(Before == Cell)) SetEditing(false);
  TCustomGrid::MouseDown(Button, Shift, X, Y);
  Invalidate();
  if (!(X > 0 && X < Width() && Y > 0 && Y < Height())) return;
  FLastMouseDown = TPoint{X, Y};
  if (Cell.X > FColOffset && Cell.Y > FRowOffset) {
    const int C = Cell.X - FColOffset;
    const int R = Cell.Y - FRowOffset;
    if (Before == Cell && !FDataReadOnly) SetEditing(true);
    if (CellLocked(C, R) || FDataReadOnly) SetEditing(false);
    if (Button == mbRight && !PopupMenu() && !FBlockInternalPopup) {
      OpenDataPopup(X + 10, Y - 20);
    } else if (Button == mbLeft) {
      DrawCellCursor();
    }
    return;
  }
  if (Cell.X == 0 && Cell.Y == 0) {
    if (Button == mbRight && !FBlockInternalPopup && FCommentEditingAllowed) OpenCommentEditor();
    return;
  }
  if ((Cell.X > FColOffset || Cell.Y > FRowOffset) && Button == mbRight && !PopupMenu() && !FBlockInternalPopup) {
    PrepareHeaderPopup();
    InvertPopupCellFrame();
    OpenHeaderPopup();
  }
}

void TNTabEd::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomGrid::MouseUp(Button, Shift, X, Y);
  FPopupCell = MouseCoord(X, Y);
  const int C = FPopupCell.X - FColOffset;
  const int R = FPopupCell.Y - FRowOffset;
  SetEditing(!(FDataReadOnly || (C >= 1 && R >= 1 && CellLocked(C, R))));
}

void TNTabEd::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomGrid::MouseMove(Shift, X, Y);
  SelectionCheck();
}

void TNTabEd::TopLeftChanged() {
  TCustomGrid::TopLeftChanged();
  SelectionCheck();
  if (FOnTopLeftChanged) FOnTopLeftChanged(this);
}

void TNTabEd::SelectionCheck() {
  const TGridRect S = Selection();
  if (S == FLastSel) return;
  FLastSel = S;
  ChangedSelection();
}

// --- Name editor -----------------------------------------------------------------------------------------

TEdit* TNTabEd::NameEditor() const { return FNameEditor; }

void TNTabEd::OpenNameEditor() {
  if (!FNameEditor) return;
  const TGridCoord P = FPopupCell;
  const bool ColHead = P.X > FColOffset && P.Y >= 0 && P.Y <= FRowOffset;
  const bool RowHead = P.Y > FRowOffset && P.X >= 0 && P.X <= FColOffset;
  if (!ColHead && !RowHead) return;
  const bool Attrib = (ColHead && P.Y == 1) || (RowHead && P.X == 1);
  String Text;
  if (ColHead) {
    Text = Attrib ? IntToStr(ColAttrib(P.X - FColOffset)) : ColName(P.X - FColOffset);
  } else {
    Text = Attrib ? IntToStr(RowAttrib(P.Y - FRowOffset)) : RowName(P.Y - FRowOffset);
  }
  const TRect R = CellRect(P.X, P.Y);
  FNameEditor->SetBounds(R.Left + 30, R.Top + 5, kNameEditorWidth, FNameEditor->Height());
  FNameEditor->SetText(Text);
  FNameEditor->SetVisible(true);
  FNameEditor->BringToFront();
  if (FNameEditor->CanFocus()) FNameEditor->SetFocus();
  FNameEditor->SelectAll();
  FNameEdActive = true;
}

void TNTabEd::NameEditorKey(uint16_t& Key) {
  if (Key != VK_RETURN && Key != VK_ESCAPE) return;
  const bool Store = Key == VK_RETURN;
  Key = 0;
  FNameEditor->SetVisible(false);
  FNameEdActive = false;
  if (CanFocus()) SetFocus();
  Invalidate();
  if (!Store) return;
  const TGridCoord P = FPopupCell;
  const bool ColHead = P.X > FColOffset;
  const bool Attrib = ColHead ? P.Y == 1 && FRowOffset == 1 : P.X == 1 && FColOffset == 1;
  const String Text = FNameEditor->Text();
  if (Attrib) {
    double V = 0;
    if (!ReadDecimal(Text, V)) return;
    const auto A = static_cast<uint8_t>(Round(std::clamp(V, 0.0, 255.0)));
    if (ColHead) {
      SetColAttrib(P.X - FColOffset, A);
    } else {
      SetRowAttrib(P.Y - FRowOffset, A);
    }
    ChangedHeading();
    return;
  }
  if (ColHead) {
    SetColName(P.X - FColOffset, Text.substr(0, DTNameLength));
  } else {
    SetRowName(P.Y - FRowOffset, Text.substr(0, DTNameLength));
  }
  ChangedHeading();
}

// --- Comment editor ----------------------------------------------------------------------------------------

void TNTabEd::OpenCommentEditor() {
  if (!FCommentEditor) return;
  FCommentEdActive = true;
  const TRect R = CellRect(0, 0);
  if (!R.IsEmpty() && !Suppressed()) {
    TCanvas* Cv = Canvas();
    TCanvasStateSaver Saver(Cv);
    Cv->Font()->Assign(Font());
    Cv->Font()->SetStyle(TFontStyles{});
    Cv->Font()->SetColor(kCommentFont);
    Cv->Brush()->SetStyle(bsSolid);
    Cv->Brush()->SetColor(kCommentColor);
    Cv->TextRect(R, R.Left + 3, R.Top + 2, u"Comment:");
  }
  const int Left = TCustomGrid::ColWidths(0);
  FCommentEditor->SetBounds(Left, 0, std::max(Width() - Left - 20, 20), 80);
  FCommentEditor->SetText(Comment());
  FCommentEditor->SetColor(kCommentColor);
  FCommentEditor->Font()->SetColor(kCommentFont);
  FCommentEditor->SetVisible(true);
  FCommentEditor->BringToFront();
  if (FCommentEditor->CanFocus()) FCommentEditor->SetFocus();
  Invalidate();
}

void TNTabEd::CommentEditorKey(uint16_t& Key) {
  if (Key != VK_RETURN && Key != VK_ESCAPE) return;
  const bool Store = Key == VK_RETURN;
  Key = 0;
  FCommentEditor->SetVisible(false);
  FCommentEdActive = false;
  if (CanFocus()) SetFocus();
  if (Store) {
    FData->SetComment(FCommentEditor->Text());
    ChangedData();
  }
  Invalidate();
  DrawCellCursor();
}

}  // namespace orv
