#include "framework/grids/inplaceedit.h"

#include <algorithm>

#include "framework/controls/customcontrol.h"

namespace orv {

// --- TInplaceEdit --------------------------------------------------------------------------

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetBorderStyle(bsNone);
  SetAutoSize(false);
  SetParentColor(false);
  SetVisible(false);
  SetTabStop(false);
}

void TInplaceEdit::Move(const TRect& Rect) {
  SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
  if (FGrid) {
    SetColor(FGrid->Color());
    Font()->Assign(FGrid->Font());
  }
  Show();
}

void TInplaceEdit::UpdateContents() {
  if (!FGrid) return;
  FLoading = true;
  SetMaxLength(FGrid->GetEditLimit());
  SetText(FGrid->GetEditText(FGrid->Col(), FGrid->Row()));
  FLoading = false;
}

void TInplaceEdit::Change() {
  TCustomEdit::Change();
  if (!FLoading && FGrid) FGrid->UpdateText();
}

void TInplaceEdit::WndProc(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
    return;
  }
  TCustomEdit::WndProc(Message);
}

void TInplaceEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (Key == 0 || !FGrid) return;
  const bool NoSel = SelLength() == 0;
  const int Len = static_cast<int>(Text().size());
  bool ToGrid = false;
  switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_TAB:
      ToGrid = true;
      break;
    case VK_LEFT: ToGrid = NoSel && SelStart() == 0 && !Shift.Contains(ssShift); break;
    case VK_RIGHT: ToGrid = NoSel && SelStart() == Len && !Shift.Contains(ssShift); break;
    case VK_ESCAPE:
      // Put the cell's text back and close.
      SetText(FGrid->FEditorOriginal);
      FGrid->HideEditor();
      Key = 0;
      return;
    default: break;
  }
  if (ToGrid) {
    TCustomGrid* G = FGrid;
    G->KeyDown(Key, Shift);
    Key = 0;
  }
}

void TInplaceEdit::KeyPress(Char& Key) {
  if (FGrid) {
    // The grid sees every character first, as it would without the editor.
    FGrid->KeyPress(Key);
    if (Key == 0) return;
  }
  if (Key == u'\r') {
    Key = 0;  // a single-line editor has no use for it
    return;
  }
  TCustomEdit::KeyPress(Key);
}

// --- The drop-down list ------------------------------------------------------------------------

// The open pick list: a plain list of lines under the editor, inside the grid.
class TPickListBox : public TCustomControl {
 public:
  TPickListBox(TInplaceEditList* AEditor) : TCustomControl(nullptr), FEditor(AEditor) {
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csOpaque};
    SetVisible(false);
  }
  int ItemHeight() { return Canvas()->TextHeight(u"Ag") + 2; }

 protected:
  void Paint() override {
    TCanvas* C = Canvas();
    C->Font()->Assign(FEditor->Font());
    const int H = ItemHeight();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clWindow);
    C->FillRect(TRect{0, 0, Width(), Height()});
    const auto& Items = FEditor->PickList();
    for (size_t I = 0; I < Items.size(); ++I) {
      const int Y = 1 + static_cast<int>(I) * H;
      if (Y >= Height()) break;
      const bool Hot = static_cast<int>(I) == FEditor->ItemIndex();
      C->Brush()->SetColor(Hot ? clHighlight : clWindow);
      C->Font()->SetColor(Hot ? clHighlightText : clWindowText);
      C->TextRect(TRect{1, Y, Width() - 1, Y + H}, 3, Y + 1, Items[I]);
    }
    C->Brush()->SetColor(clBlack);
    C->FrameRect(TRect{0, 0, Width(), Height()});
  }
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    const int I = (Y - 1) / std::max(ItemHeight(), 1);
    if (Button == mbLeft && X >= 0 && X < Width() && Y >= 1 && I < static_cast<int>(FEditor->PickList().size())) {
      FEditor->SetItemIndex(I);
      FEditor->CloseUp(true);
    }
  }

 private:
  TInplaceEditList* FEditor;
};

// --- TInplaceEditList ------------------------------------------------------------------------------

TInplaceEditList::TInplaceEditList(TComponent* AOwner) : TInplaceEdit(AOwner) {}

TInplaceEditList::~TInplaceEditList() { delete FList; }

void TInplaceEditList::SetEditStyle(TEditStyle Value) {
  if (Value == FEditStyle) return;
  FEditStyle = Value;
  if (FEditStyle != esPickList) CloseUp(false);
  Invalidate();
}

bool TInplaceEditList::ListVisible() const { return FList && FList->Visible(); }

void TInplaceEditList::SetItemIndex(int Value) {
  FItemIndex = std::clamp(Value, -1, static_cast<int>(FPickList.size()) - 1);
  if (ListVisible()) FList->Invalidate();
}

TRect TInplaceEditList::ButtonRect() const {
  if (FEditStyle == esSimple) return TRect{};
  return TRect{std::max(Width() - ButtonWidth, 0), 0, Width(), Height()};
}

void TInplaceEditList::UpdateContents() {
  CloseUp(false);
  if (FGrid) {
    SetEditStyle(FGrid->GetEditStyle(FGrid->Col(), FGrid->Row()));
    FPickList.clear();
    FGrid->GetPickListItems(FGrid->Col(), FGrid->Row(), FPickList);
  }
  TInplaceEdit::UpdateContents();
}

void TInplaceEditList::DropDown() {
  if (FEditStyle != esPickList || ListVisible() || !FGrid) return;
  if (!FList) FList = new TPickListBox(this);
  FList->SetParent(FGrid);
  const auto It = std::find(FPickList.begin(), FPickList.end(), Text());
  FItemIndex = It == FPickList.end() ? -1 : static_cast<int>(It - FPickList.begin());
  const int Rows = std::clamp(static_cast<int>(FPickList.size()), 1, FDropDownRows);
  const int H = Rows * FList->ItemHeight() + 2;
  int Y = Top() + Height();
  if (Y + H > FGrid->Height() && Top() - H >= 0) Y = Top() - H;  // open upwards when there is no room below
  FList->SetBounds(Left(), Y, std::max(Width(), 60), H);
  FList->Show();
  FList->BringToFront();
  FList->Invalidate();
}

void TInplaceEditList::CloseUp(bool Accept) {
  if (!ListVisible()) return;
  FList->Hide();
  if (FGrid) FGrid->Invalidate();
  if (Accept && FItemIndex >= 0 && FItemIndex < static_cast<int>(FPickList.size())) {
    SetText(FPickList[static_cast<size_t>(FItemIndex)]);
    SelectAll();
  }
}

void TInplaceEditList::Paint() {
  TInplaceEdit::Paint();
  const TRect B = ButtonRect();
  if (B.IsEmpty()) return;
  TCanvas* C = ControlCanvas();
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(clBtnFace);
  C->FillRect(B);
  C->Brush()->SetColor(clBtnShadow);
  C->FillRect(TRect{B.Right - 1, B.Top, B.Right, B.Bottom});
  C->FillRect(TRect{B.Left, B.Bottom - 1, B.Right, B.Bottom});
  C->Brush()->SetColor(clBlack);
  const int Cx = (B.Left + B.Right) / 2;
  const int Cy = (B.Top + B.Bottom) / 2;
  if (FEditStyle == esPickList) {
    for (int I = 0; I < 4; ++I) C->FillRect(TRect{Cx - 3 + I, Cy - 1 + I, Cx + 4 - I, Cy + I});
  } else {
    for (int D = -4; D <= 4; D += 4) C->FillRect(TRect{Cx + D - 1, Cy + 2, Cx + D + 1, Cy + 4});
  }
}

void TInplaceEditList::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && ButtonRect().Contains(TPoint{X, Y})) {
    if (FEditStyle == esPickList) {
      if (ListVisible()) {
        CloseUp(false);
      } else {
        DropDown();
      }
    } else if (FOnEditButtonClick) {
      FOnEditButtonClick(this);
    }
    return;
  }
  TInplaceEdit::MouseDown(Button, Shift, X, Y);
}

void TInplaceEditList::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (FEditStyle == esPickList) {
    if ((Key == VK_DOWN && Shift.Contains(ssAlt)) || Key == VK_F4) {
      if (ListVisible()) {
        CloseUp(true);
      } else {
        DropDown();
      }
      Key = 0;
      return;
    }
    if (ListVisible()) {
      const int N = static_cast<int>(FPickList.size());
      switch (Key) {
        case VK_DOWN: SetItemIndex(std::min(FItemIndex + 1, N - 1)); break;
        case VK_UP: SetItemIndex(std::max(FItemIndex - 1, 0)); break;
        case VK_RETURN: CloseUp(true); break;
        case VK_ESCAPE: CloseUp(false); break;
        default: return;
      }
      Key = 0;
      return;
    }
  }
  if (FEditStyle == esEllipsis && Key == VK_RETURN && Shift.Contains(ssCtrl)) {
    if (FOnEditButtonClick) FOnEditButtonClick(this);
    Key = 0;
    return;
  }
  TInplaceEdit::KeyDown(Key, Shift);
}

void TInplaceEditList::DoExit() {
  CloseUp(false);
  TInplaceEdit::DoExit();
}

}  // namespace orv
