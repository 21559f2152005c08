#include "framework/controls/combobox.h"

#include <algorithm>

#include "framework/controls/edit.h"
#include "framework/controls/dropdownface.h"
#include "framework/graphics/colors.h"

namespace orv {

namespace {
constexpr int kButtonWidth = 17;
constexpr int kBorder = 2;
}  // namespace

// The dropped list: a layer over the whole form that draws the list box
// and takes every click while it is open, so a click beside the list closes
// it without reaching what lies below.
class TComboDropList : public TCustomControl {
 public:
  TComboDropList(TCustomComboBox* Combo, TWinControl* Host) : TCustomControl(nullptr), FCombo(Combo) {
    SetControlStyle(TControlStyle{csOpaque, csCaptureMouse});
    SetParent(Host);
    SetBounds(0, 0, Host->ClientWidth(), Host->ClientHeight());
    FHot = std::max(Combo->ItemIndex(), 0);
    Place();
    BringToFront();
  }

  int Hot() const { return FHot; }
  void SetHot(int Index) {
    const int Count = FCombo->Items()->Count();
    if (Count == 0) return;
    FHot = std::clamp(Index, 0, Count - 1);
    if (FHot < FTop) FTop = FHot;
    if (FHot >= FTop + Rows()) FTop = FHot - Rows() + 1;
    Invalidate();
  }

 protected:
  void Paint() override {
    TCanvas* C = Canvas();
    C->Save();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clWindow);
    C->FillRect(FBox);
    C->Pen()->SetColor(clBlack);
    C->Brush()->SetStyle(bsClear);
    C->Rectangle(FBox);
    C->SetClipRect(TRect{FBox.Left + 1, FBox.Top + 1, FBox.Right - 1, FBox.Bottom - 1});
    const int H = FRowHeight;
    const int Count = FCombo->Items()->Count();
    for (int I = FTop; I < std::min(Count, FTop + Rows()); ++I) {
      const TRect R{FBox.Left + 1, FBox.Top + 1 + (I - FTop) * H, FBox.Right - 1, FBox.Top + 1 + (I - FTop + 1) * H};
      TOwnerDrawState State;
      if (I == FHot) State = TOwnerDrawState{odSelected, odFocused};
      C->Brush()->SetStyle(bsSolid);
      C->Brush()->SetColor(I == FHot ? clHighlight : clWindow);
      C->FillRect(R);
      C->Font()->Assign(FCombo->Font());
      C->Font()->SetColor(I == FHot ? clHighlightText : clWindowText);
      FCombo->FDrawCanvas = C;
      FCombo->DrawItem(I, R, State);
      FCombo->FDrawCanvas = nullptr;
    }
    C->Restore();
  }

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (!FBox.Contains(TPoint{X, Y})) {
      FCombo->SetDroppedDown(false);  // frees this list
      return;
    }
    FPressed = true;
  }

  void MouseMove(TShiftState Shift, int X, int Y) override {
    TCustomControl::MouseMove(Shift, X, Y);
    const int Index = IndexAt(X, Y);
    if (Index >= 0 && Index != FHot) SetHot(Index);
  }

  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (!FPressed) return;
    FPressed = false;
    const int Index = IndexAt(X, Y);
    if (Index < 0) return;
    TCustomComboBox* Combo = FCombo;
    Combo->SetDroppedDown(false);  // frees this list
    Combo->UserChoose(Index);
  }

  bool DoMouseWheelDown(TShiftState, TPoint) override {
    Scroll(3);
    return true;
  }
  bool DoMouseWheelUp(TShiftState, TPoint) override {
    Scroll(-3);
    return true;
  }

 private:
  int Rows() const {
    return std::max(1, std::min(FCombo->Items()->Count(), FCombo->DropDownCount()));
  }
  void Scroll(int By) {
    FTop = std::clamp(FTop + By, 0, std::max(0, FCombo->Items()->Count() - Rows()));
    Invalidate();
  }
  int IndexAt(int X, int Y) const {
    if (!FBox.Contains(TPoint{X, Y})) return -1;
    const int I = FTop + (Y - FBox.Top - 1) / std::max(1, FRowHeight);
    return I < FCombo->Items()->Count() ? I : -1;
  }
  // Below the combo box when it fits on the form, else above it.
  void Place() {
    FRowHeight = FCombo->ItemHeight();
    const TPoint At = ScreenToClient(FCombo->ClientToScreen(TPoint{0, 0}));
    const int H = Rows() * FRowHeight + 2;
    int Top = At.Y + FCombo->Height();
    if (Top + H > Height() && At.Y - H >= 0) Top = At.Y - H;
    FBox = TRect{At.X, Top, At.X + FCombo->Width(), Top + H};
    FTop = std::clamp(FHot - Rows() + 1, 0, std::max(0, FCombo->Items()->Count() - Rows()));
  }

  TCustomComboBox* FCombo;
  TRect FBox;
  int FTop = 0;
  int FHot = 0;
  int FRowHeight = 16;
  bool FPressed = false;
};

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TCustomControl(AOwner), FItems(std::make_unique<TStringList>()) {
  SetBounds(Left(), Top(), 145, 24);
  SetColor(clWindow);
  SetTabStop(true);
  // OnClick means a choice from the list, not a press on the box.
  SetControlStyle(ControlStyle() + TControlStyle{csCaptureMouse, csOpaque} - TControlStyle{csClickEvents});
  FItems->SetOnChange([this](TObject*) {
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    Invalidate();
  });
  UpdateEdit();
}

TCustomComboBox::~TCustomComboBox() {
  delete FList;
  delete FSpentList;
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  UpdateEdit();
  Invalidate();
}

void TCustomComboBox::UpdateEdit() {
  if (Editable() && !FEdit) {
    FEdit = new TEdit(this);
    FEdit->SetParent(this);
    FEdit->SetBorderStyle(bsNone);
    // The arrow keys and F4 step through the items while typing, too.
    FEdit->SetOnKeyDown([this](TObject*, uint16_t& Key, TShiftState Shift) {
      if (Key == VK_UP || Key == VK_DOWN || Key == VK_F4 || (DroppedDown() && (Key == VK_RETURN || Key == VK_ESCAPE)))
        KeyDown(Key, Shift);
    });
    // Characters typed into the edit are the box's own key presses too.
    FEdit->SetOnKeyPress([this](TObject*, Char& Key) { KeyPress(Key); });
    FEdit->SetOnChange([this](TObject*) {
      if (FSettingEdit) return;
      FText = FEdit->Text();
      FItemIndex = FItems->IndexOf(FText);
      Change();
    });
    Resize();
  } else if (!Editable() && FEdit) {
    delete FEdit;
    FEdit = nullptr;
  }
  if (FEdit) {
    FSettingEdit = true;
    FEdit->SetText(FText);
    FSettingEdit = false;
  }
}

void TCustomComboBox::Resize() {
  if (FEdit) FEdit->SetBounds(kBorder + 1, kBorder + 1, std::max(0, Width() - kButtonWidth - 2 * kBorder - 2),
                              std::max(0, Height() - 2 * kBorder - 2));
  TCustomControl::Resize();
}

String TCustomComboBox::Text() const {
  if (Editable()) return FText;
  return FItems->Strings(FItemIndex);
}

void TCustomComboBox::SetText(const String& Value) {
  if (Editable()) {
    FText = Value;
    FItemIndex = FItems->IndexOf(Value);
    UpdateEdit();
  } else {
    // A choice-only box shows an item: the one with that text, if any.
    const int I = FItems->IndexOf(Value);
    if (I >= 0) FItemIndex = I;
  }
  Invalidate();
}

void TCustomComboBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems->Count()) Value = -1;
  if (Value == FItemIndex) return;
  FItemIndex = Value;
  if (Editable()) {
    FText = FItems->Strings(Value);
    UpdateEdit();
  }
  Invalidate();
}

int TCustomComboBox::ItemHeight() {
  if (FItemHeight > 0) return FItemHeight;
  TCanvas* C = ControlCanvas();
  C->SetFont(Font());
  return C->TextHeight(u"Wg") + 2;
}

void TCustomComboBox::SetItemHeight(int Value) {
  if (Value < 0 || Value == FItemHeight) return;
  FItemHeight = Value;
  Invalidate();
}

TCanvas* TCustomComboBox::Canvas() { return FDrawCanvas ? FDrawCanvas : ControlCanvas(); }

void TCustomComboBox::SetDroppedDown(bool Value) {
  if (Value == DroppedDown()) return;
  // A list closed from inside its own mouse handler is freed only here or
  // with the box, never while its handler still runs.
  delete FSpentList;
  FSpentList = nullptr;
  if (Value) {
    DropDown();
    // The list lies over the top-level window that holds the box.
    TWinControl* Host = Parent();
    if (!Host) return;
    while (Host->Parent()) Host = Host->Parent();
    FList = new TComboDropList(this, Host);
  } else {
    FSpentList = FList;
    FList = nullptr;
    FSpentList->SetVisible(false);
    CloseUp();
  }
  Invalidate();
}

void TCustomComboBox::UserChoose(int Index) {
  if (Index < 0 || Index >= FItems->Count()) return;
  const bool Changed = Index != FItemIndex;
  SetItemIndex(Index);
  if (Editable() && FEdit) FEdit->SelectAll();
  Select();
  if (Changed) Change();
}

void TCustomComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (OwnerDrawn() && FOnDrawItem) {
    FOnDrawItem(this, Index, Rect, State);
    return;
  }
  TCanvas* C = Canvas();
  C->Brush()->SetStyle(bsClear);
  const String S = FItems->Strings(Index);
  C->TextRect(Rect, Rect.Left + 2, Rect.Top + (Rect.Height() - C->TextHeight(S)) / 2, S);
}

void TCustomComboBox::DropDown() {
  if (FOnDropDown) FOnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (FOnCloseUp) FOnCloseUp(this);
}

void TCustomComboBox::Change() {
  if (FOnChange) FOnChange(this);
}

void TCustomComboBox::Select() {
  if (FOnSelect) FOnSelect(this);
  Click();  // a choice from the list is the box's click
}

TRect TCustomComboBox::ButtonRect() const {
  return TRect{Width() - kBorder - kButtonWidth, kBorder, Width() - kBorder, Height() - kBorder};
}

void TCustomComboBox::Paint() {
  TCanvas* C = ControlCanvas();
  C->Save();
  const TRect Face{kBorder, kBorder, Width() - kBorder - kButtonWidth, Height() - kBorder};
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
  C->FillRect(ClientRect());
  if (!Editable() && FItemIndex >= 0) {
    const bool Mark = Focused() && !DroppedDown();
    const TRect R{Face.Left + 1, Face.Top + 1, Face.Right - 1, Face.Bottom - 1};
    if (Mark) {
      C->Brush()->SetColor(clHighlight);
      C->FillRect(R);
    }
    C->Font()->Assign(Font());
    C->Font()->SetColor(!Enabled() ? clGrayText : Mark ? clHighlightText : Font()->Color());
    C->SetClipRect(R);
    TOwnerDrawState State{odComboBoxEdit};
    if (Mark) State = State + TOwnerDrawState{odSelected, odFocused};
    DrawItem(FItemIndex, R, State);
    C->Restore();
    C->Save();
  }
  PaintDropDownFace(C, ButtonRect(), DroppedDown(), Enabled(), Width(), Height());
  C->Restore();
}

void TCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus() && !Focused()) SetFocus();
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && (!Editable() || ButtonRect().Contains(TPoint{X, Y}))) SetDroppedDown(!DroppedDown());
}

void TCustomComboBox::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  const bool AltDown = Key == VK_DOWN && Shift.Contains(ssAlt);
  if (Key == VK_F4 || AltDown) {
    SetDroppedDown(!DroppedDown());
    Key = 0;
    return;
  }
  if (DroppedDown()) {
    switch (Key) {
      case VK_UP: FList->SetHot(FList->Hot() - 1); break;
      case VK_DOWN: FList->SetHot(FList->Hot() + 1); break;
      case VK_PRIOR: FList->SetHot(FList->Hot() - (FDropDownCount - 1)); break;
      case VK_NEXT: FList->SetHot(FList->Hot() + FDropDownCount - 1); break;
      case VK_RETURN: {
        const int Chosen = FList->Hot();
        SetDroppedDown(false);
        UserChoose(Chosen);
        break;
      }
      case VK_ESCAPE: SetDroppedDown(false); break;
      default: return;
    }
    Key = 0;
    return;
  }
  const int Last = FItems->Count() - 1;
  switch (Key) {
    case VK_UP: UserChoose(std::max(FItemIndex - 1, 0)); break;
    case VK_DOWN: UserChoose(std::min(FItemIndex + 1, Last)); break;
    case VK_HOME: UserChoose(0); break;
    case VK_END: UserChoose(Last); break;
    default: return;
  }
  Key = 0;
}

bool TCustomComboBox::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (!TCustomControl::DoMouseWheelDown(Shift, MousePos) && !DroppedDown())
    UserChoose(std::min(FItemIndex + 1, FItems->Count() - 1));
  return true;
}

bool TCustomComboBox::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (!TCustomControl::DoMouseWheelUp(Shift, MousePos) && !DroppedDown()) UserChoose(std::max(FItemIndex - 1, 0));
  return true;
}

void TCustomComboBox::WndProc(TMessage& Message) {
  TCustomControl::WndProc(Message);
  // An editable box types into its edit: the focus goes on to it.
  if (Message.Msg == WM_SETFOCUS && FEdit && FEdit->CanFocus()) FEdit->SetFocus();
}

void TCustomComboBox::DoExit() {
  SetDroppedDown(false);
  TCustomControl::DoExit();
}

}  // namespace orv
