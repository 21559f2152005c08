#include "framework/controls/wincontrol.h"

#include <algorithm>

#include "framework/controls/input.h"
#include "framework/controls/toplevel.h"
#include "framework/rtl/exceptions.h"

namespace orv {

namespace {

// Visible and enabled from the control up to its form (the form's own
// visibility aside): what keyboard navigation and SetFocus require.
bool FocusableInForm(const TWinControl* C) {
  for (const TControl* X = C; X; X = X->Parent()) {
    if (!X->Enabled()) return false;
    if (X->Parent() && !X->Visible()) return false;
  }
  return true;
}

}  // namespace

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  // From here on children leave without realigning the rest: a parent that
  // is going away lays out nothing and fires no resize events.
  Destroying();
  // Owned components go first, while this is still a window control, so they
  // leave their parent cleanly.
  DestroyComponents();
  if (Parent()) Parent()->RemoveControl(this);
  FDestroyingChildren = true;
  for (TControl* C : FControls) {
    C->FParent = nullptr;
    C->ParentChanged();
  }
  FControls.clear();
  FTabList.clear();
}

TControl* TWinControl::Controls(int Index) const {
  if (Index < 0 || Index >= ControlCount()) return nullptr;
  return FControls[static_cast<size_t>(Index)];
}

void TWinControl::InsertControl(TControl* AControl) {
  if (!AControl || AControl == this || AControl->FParent == this) return;
  if (auto* W = dynamic_cast<TWinControl*>(AControl); W && W->ContainsControl(this)) {
    throw EInvalidOperation(u"A control cannot be made a child of its own child");
  }
  if (AControl->FParent) AControl->FParent->RemoveControl(AControl);
  FControls.push_back(AControl);
  if (auto* W = dynamic_cast<TWinControl*>(AControl)) FTabList.push_back(W);
  AControl->FParent = this;
  AControl->ParentChanged();
  AControl->Perform(CM_PARENTCOLORCHANGED);
  AControl->Perform(CM_PARENTFONTCHANGED);
  AControl->Perform(CM_PARENTSHOWHINTCHANGED);
  AControl->UpdateAnchorRules();
  Realign();
  AControl->Invalidate();
}

void TWinControl::RemoveControl(TControl* AControl) {
  if (!AControl || AControl->FParent != this) return;
  AControl->Invalidate();
  if (TTopLevelSurface* Window = TopLevel()) {
    TWinControl* Active = Window->ActiveControl();
    if (Active && (Active == AControl || AControl == Active->Parent() ||
                   (dynamic_cast<TWinControl*>(AControl) &&
                    static_cast<TWinControl*>(AControl)->ContainsControl(Active)))) {
      Window->ForgetActiveControl();
    }
  }
  FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
  FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), AControl), FTabList.end());
  AControl->FParent = nullptr;
  AControl->ParentChanged();
  if (!ComponentState().Contains(csDestroying)) Realign();
}

bool TWinControl::ContainsControl(const TControl* AControl) const {
  for (const TControl* C = AControl; C; C = C->Parent()) {
    if (C == this) return true;
  }
  return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled) const {
  for (auto It = FControls.rbegin(); It != FControls.rend(); ++It) {
    TControl* C = *It;
    if (!C->Visible() || (!AllowDisabled && !C->Enabled())) continue;
    if (C->BoundsRect().Contains(Pos)) return C;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  // A handler may add or remove children; work on a snapshot.
  const std::vector<TControl*> Children = FControls;
  for (TControl* C : Children) {
    if (std::find(FControls.begin(), FControls.end(), C) == FControls.end()) continue;
    C->WndProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyChildren(uint32_t Msg) {
  const std::vector<TControl*> Children = FControls;
  for (TControl* C : Children) {
    if (std::find(FControls.begin(), FControls.end(), C) != FControls.end()) C->Perform(Msg);
  }
}

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0) Realign();
}

void TWinControl::Realign() {
  if (FAlignLevel > 0 || FAligning || FDestroyingChildren) return;
  FAligning = true;
  try {
    TRect R = ClientRect();
    AdjustClientRect(R);
    AlignControls(nullptr, R);
  } catch (...) {
    FAligning = false;
    throw;
  }
  FAligning = false;
}

void TWinControl::AlignControls(TControl*, TRect& Rect) {
  const int ClientW = Rect.Width();
  const int ClientH = Rect.Height();
  static constexpr TAlign Order[] = {alTop, alBottom, alLeft, alRight, alClient};
  for (TAlign A : Order) {
    std::vector<TControl*> List;
    for (TControl* C : FControls) {
      if (C->Align() == A && C->Visible()) List.push_back(C);
    }
    // Within one side, the control nearest that side goes first.
    std::stable_sort(List.begin(), List.end(), [A](TControl* X, TControl* Y) {
      switch (A) {
        case alTop: return X->Top() < Y->Top();
        case alBottom: return X->Top() + X->Height() > Y->Top() + Y->Height();
        case alLeft: return X->Left() < Y->Left();
        case alRight: return X->Left() + X->Width() > Y->Left() + Y->Width();
        default: return false;
      }
    });
    for (TControl* C : List) {
      const int W = std::max(Rect.Width(), 0);
      const int H = std::max(Rect.Height(), 0);
      switch (A) {
        case alTop:
          C->SetBounds(Rect.Left, Rect.Top, W, C->Height());
          Rect.Top += C->Height();
          break;
        case alBottom:
          C->SetBounds(Rect.Left, Rect.Bottom - C->Height(), W, C->Height());
          Rect.Bottom -= C->Height();
          break;
        case alLeft:
          C->SetBounds(Rect.Left, Rect.Top, C->Width(), H);
          Rect.Left += C->Width();
          break;
        case alRight:
          C->SetBounds(Rect.Right - C->Width(), Rect.Top, C->Width(), H);
          Rect.Right -= C->Width();
          break;
        default:
          C->SetBounds(Rect.Left, Rect.Top, W, H);
          break;
      }
    }
  }
  for (TControl* C : FControls) {
    if (C->Align() == alNone) C->AnchorTo(ClientW, ClientH);
  }
}

void TWinControl::Resize() {
  Realign();
  TControl::Resize();
}

bool TWinControl::CanFocus() const {
  TTopLevelSurface* Window = TopLevel();
  if (!Window || !Window->Window()->Visible()) return false;
  return FocusableInForm(this);
}

bool TWinControl::Focused() const {
  TTopLevelSurface* Window = TopLevel();
  if (!Window) return false;
  if (Window->Window() == this) return Window->ActiveControl() == nullptr && Visible();
  return Window->ActiveControl() == this;
}

void TWinControl::SetFocus() {
  TTopLevelSurface* Window = TopLevel();
  if (!Window) throw EInvalidOperation(u"Control '" + Name() + u"' has no parent window");
  if (!FocusableInForm(this)) throw EInvalidOperation(u"Cannot focus a disabled or invisible window");
  Window->SetFocusedControl(Window->Window() == this ? nullptr : this);
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& L = Parent()->FTabList;
  auto It = std::find(L.begin(), L.end(), this);
  return It == L.end() ? -1 : static_cast<int>(It - L.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (!Parent()) return;
  auto& L = Parent()->FTabList;
  auto It = std::find(L.begin(), L.end(), this);
  if (It == L.end()) return;
  L.erase(It);
  if (Value < 0 || Value >= static_cast<int>(L.size())) {
    L.push_back(this);
  } else {
    L.insert(L.begin() + Value, this);
  }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
  for (TWinControl* C : FTabList) {
    List.push_back(C);
    C->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
  std::vector<TWinControl*> List;
  GetTabOrderList(List);
  if (List.empty()) return nullptr;
  const int Count = static_cast<int>(List.size());
  auto It = std::find(List.begin(), List.end(), CurControl);
  int Start = It == List.end() ? (GoForward ? Count - 1 : 0) : static_cast<int>(It - List.begin());
  int I = Start;
  do {
    if (GoForward) {
      if (++I == Count) I = 0;
    } else {
      if (I == 0) I = Count;
      --I;
    }
    TWinControl* C = List[static_cast<size_t>(I)];
    if (C != CurControl && FocusableInForm(C) && (!CheckTabStop || C->TabStop()) && (!CheckParent || C->Parent() == this)) {
      return C;
    }
  } while (I != Start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* Next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) Next->SetFocus();
}

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN: {
      uint16_t Key = static_cast<uint16_t>(Message.WParam);
      if (DoKeyDown(Key, KeyDataToShiftState(Message.LParam))) Message.Result = 1;
      Message.WParam = Key;
      return;
    }
    case WM_CHAR: {
      Char Key = static_cast<Char>(Message.WParam);
      if (DoKeyPress(Key)) Message.Result = 1;
      Message.WParam = Key;
      return;
    }
    case WM_KEYUP: {
      uint16_t Key = static_cast<uint16_t>(Message.WParam);
      if (DoKeyUp(Key, KeyDataToShiftState(Message.LParam))) Message.Result = 1;
      Message.WParam = Key;
      return;
    }
    case CM_ENTER:
      DoEnter();
      return;
    case CM_EXIT:
      DoExit();
      return;
    case CM_SHOWHINTCHANGED:
      CMShowHintChanged(Message);
      return;
    case WM_GETDLGCODE:
      Message.Result = 0;
      return;
    default:
      TControl::WndProc(Message);
  }
}

bool TWinControl::DoKeyDown(uint16_t& Key, TShiftState Shift) {
  // The window sees the key first when it previews keys; its handler may
  // free this control.
  if (TTopLevelSurface* Window = TopLevel(); Window && Window->Window() != this && Window->KeyPreview()) {
    const auto Life = LifeToken();
    if (Window->Window()->DoKeyDown(Key, Shift)) return true;
    if (Life.expired()) return true;
  }
  if (Key == 0) return true;
  if (!FControlStyle.Contains(csNoStdEvents)) KeyDown(Key, Shift);
  return Key == 0;
}

bool TWinControl::DoKeyPress(Char& Key) {
  // The window sees the key first when it previews keys; its handler may
  // free this control.
  if (TTopLevelSurface* Window = TopLevel(); Window && Window->Window() != this && Window->KeyPreview()) {
    const auto Life = LifeToken();
    if (Window->Window()->DoKeyPress(Key)) return true;
    if (Life.expired()) return true;
  }
  if (Key == 0) return true;
  if (!FControlStyle.Contains(csNoStdEvents)) KeyPress(Key);
  return Key == 0;
}

bool TWinControl::DoKeyUp(uint16_t& Key, TShiftState Shift) {
  // The window sees the key first when it previews keys; its handler may
  // free this control.
  if (TTopLevelSurface* Window = TopLevel(); Window && Window->Window() != this && Window->KeyPreview()) {
    const auto Life = LifeToken();
    if (Window->Window()->DoKeyUp(Key, Shift)) return true;
    if (Life.expired()) return true;
  }
  if (Key == 0) return true;
  if (!FControlStyle.Contains(csNoStdEvents)) KeyUp(Key, Shift);
  return Key == 0;
}

void TWinControl::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (FOnKeyDown) FOnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(Char& Key) {
  if (FOnKeyPress) FOnKeyPress(this, Key);
}

void TWinControl::KeyUp(uint16_t& Key, TShiftState Shift) {
  if (FOnKeyUp) FOnKeyUp(this, Key, Shift);
}

void TWinControl::DoEnter() {
  if (FOnEnter) FOnEnter(this);
}

void TWinControl::DoExit() {
  if (FOnExit) FOnExit(this);
}

void TWinControl::CMEnabledChanged(TMessage& Message) {
  if (!Enabled()) {
    // A disabled control gives the focus back to its form.
    TTopLevelSurface* Window = TopLevel();
    if (Window && Window->Window() != this && Window->ActiveControl() && ContainsControl(Window->ActiveControl())) {
      Window->SetFocusedControl(nullptr);
    }
  }
  TControl::CMEnabledChanged(Message);
}

void TWinControl::CMColorChanged(TMessage& Message) {
  TControl::CMColorChanged(Message);
  NotifyChildren(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& Message) {
  TControl::CMFontChanged(Message);
  NotifyChildren(CM_PARENTFONTCHANGED);
}

void TWinControl::CMVisibleChanged(TMessage& Message) {
  if (!Visible() && Parent()) {
    TTopLevelSurface* Window = TopLevel();
    if (Window && Window->ActiveControl() && ContainsControl(Window->ActiveControl())) Window->SetFocusedControl(nullptr);
  }
  TControl::CMVisibleChanged(Message);
}

void TWinControl::CMParentShowHintChanged(TMessage& Message) { TControl::CMParentShowHintChanged(Message); }

void TWinControl::CMShowHintChanged(TMessage&) { NotifyChildren(CM_PARENTSHOWHINTCHANGED); }

}  // namespace orv
