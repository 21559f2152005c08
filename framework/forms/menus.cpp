#include "framework/forms/menus.h"

#include <algorithm>

#include "framework/controls/application.h"
#include "framework/controls/messages.h"
#include "framework/controls/platform.h"
#include "framework/controls/screen.h"
#include "framework/forms/form.h"
#include "framework/graphics/colors.h"

namespace orv {

// --- TMenuItem -------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  if (FParent) FParent->Remove(this);
  Clear();
}

TBitmap* TMenuItem::Bitmap() {
  if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
  return FBitmap.get();
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) return nullptr;
  return FItems[static_cast<size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item || Item == this) return;
  if (Item->FParent) Item->FParent->Remove(Item);
  Index = std::clamp(Index, 0, Count());
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* Item) {
  const auto It = std::find(FItems.begin(), FItems.end(), Item);
  if (It == FItems.end()) return;
  FItems.erase(It);
  Item->FParent = nullptr;
}

void TMenuItem::Delete(int Index) {
  TMenuItem* Item = Items(Index);
  if (!Item) return;
  Remove(Item);
  delete Item;
}

void TMenuItem::Clear() {
  while (!FItems.empty()) Delete(Count() - 1);
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  const auto It = std::find(FItems.begin(), FItems.end(), Item);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

TMenuItem* TMenuItem::FindItemByName(const String& AName) const {
  for (TMenuItem* Item : FItems) {
    if (Item->Name() == AName) return Item;
    if (TMenuItem* Found = Item->FindItemByName(AName)) return Found;
  }
  return nullptr;
}

void TMenuItem::Click() {
  if (FEnabled && FOnClick) FOnClick(this);
}

// --- TPopupMenu ------------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr)) {}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::DoPopup() {
  if (FOnPopup) FOnPopup(this);
}

namespace {

// The form a popup opened at screen point P belongs to: the form of the
// control it pops up for, else the active one.
TCustomForm* HostForm(TComponent* For) {
  if (auto* C = dynamic_cast<TControl*>(For)) {
    if (TCustomForm* F = C->ParentForm()) return F;
  }
  return Screen ? Screen->ActiveForm() : nullptr;
}

}  // namespace

TMenuItem* TPopupMenu::Popup(int X, int Y) {
  DoPopup();
  TMenuItem* Chosen = nullptr;
  if (Application && Application->PopupHandler()) {
    Chosen = Application->PopupHandler()(this);
  } else if (Application && !Application->Backend()->IsHeadless()) {
    TCustomForm* Form = HostForm(FPopupComponent ? FPopupComponent : Owner());
    if (!Form || !Form->Visible()) return nullptr;
    const TPoint At = Form->ScreenToClient(TPoint{X, Y});
    // The window belongs to nobody but this call; the loop below ends when
    // it is done or the application quits.
    std::unique_ptr<TPopupMenuWindow> Window(new TPopupMenuWindow(this, Form, At.X, At.Y));
    TPopupMenuWindow* W = Window.get();
    Application->Backend()->RunLoop([W] { return W->Done() || (Application && Application->Terminated()); });
    Chosen = W->Chosen();
    Window.reset();
    Form->Invalidate();
  }
  if (!Chosen || !Chosen->Enabled()) return nullptr;
  Chosen->Click();
  return Chosen;
}

// A control's menu pops up where its right button was released, unless the
// menu asks to be shown only by its owner's code.
namespace {
void PopUpControlMenu(TPopupMenu* Menu, TControl* Control, TPoint ScreenPos) {
  if (!Menu->AutoPopup()) return;
  Menu->SetPopupComponent(Control);
  Menu->Popup(ScreenPos.X, ScreenPos.Y);
}
// Installed wherever menus are linked in: a program that makes a menu
// links this file.
[[maybe_unused]] const bool kControlMenusInstalled = (TControl::SetPopupMenuRunner(&PopUpControlMenu), true);
}  // namespace

// --- Builders ----------------------------------------------------------------------------

TPopupMenu* NewPopupMenu(TComponent* Owner, const String& AName, TPopupAlignment Alignment, bool AutoPopup,
                         std::span<TMenuItem* const> Items) {
  auto* Menu = new TPopupMenu(Owner);
  Menu->SetName(AName);
  Menu->SetAlignment(Alignment);
  Menu->SetAutoPopup(AutoPopup);
  for (TMenuItem* Item : Items) Menu->Items()->Add(Item);
  return Menu;
}

TMenuItem* NewItem(const String& ACaption, TShortCut AShortCut, bool AChecked, bool AEnabled, TNotifyEvent AOnClick,
                   uint16_t hCtx, const String& AName) {
  (void)hCtx;  // no help contexts here
  auto* Item = new TMenuItem(nullptr);
  Item->SetCaption(ACaption);
  Item->SetShortCut(AShortCut);
  Item->SetChecked(AChecked);
  Item->SetEnabled(AEnabled);
  Item->SetOnClick(std::move(AOnClick));
  Item->SetName(AName);
  return Item;
}

TMenuItem* NewSubMenu(const String& ACaption, uint16_t hCtx, const String& AName, std::span<TMenuItem* const> Items,
                      bool AEnabled) {
  TMenuItem* Item = NewItem(ACaption, 0, false, AEnabled, nullptr, hCtx, AName);
  for (TMenuItem* Sub : Items) Item->Add(Sub);
  return Item;
}

TMenuItem* NewLine() { return NewItem(u"-", 0, false, true, nullptr, 0, String()); }

// --- TPopupMenuWindow ------------------------------------------------------------------------

namespace {
constexpr int kBoxPad = 2;     // frame and gap around the items
constexpr int kGutter = 26;    // bitmap or check mark column
constexpr int kArrowRoom = 18; // sub-menu arrow at the right
constexpr int kMinWidth = 80;

bool IsSeparator(const TMenuItem* Item) { return Item->Caption() == u"-"; }
}  // namespace

TPopupMenuWindow::TPopupMenuWindow(TPopupMenu* Menu, TCustomForm* Form, int X, int Y) : TCustomControl(nullptr) {
  SetControlStyle(TControlStyle{csOpaque, csCaptureMouse});
  SetParent(Form);
  SetBounds(0, 0, Form->ClientWidth(), Form->ClientHeight());
  SetTabStop(true);
  BringToFront();
  OpenLevel(Menu->Items(), X, Y);
  if (CanFocus()) SetFocus();
  Invalidate();
}

bool TPopupMenuWindow::Selectable(const TMenuItem* Item) {
  return Item && Item->Visible() && !IsSeparator(Item);
}

int TPopupMenuWindow::ItemTop(const TLevel& L, int Index) const {
  int Y = L.Box.Top + kBoxPad;
  for (int I = 0; I < Index; ++I) {
    const TMenuItem* It = L.Parent->Items(I);
    if (!It->Visible()) continue;
    Y += IsSeparator(It) ? SeparatorHeight : ItemHeight;
  }
  return Y;
}

void TPopupMenuWindow::OpenLevel(TMenuItem* Parent, int X, int Y) {
  TCanvas* C = Canvas();
  C->Font()->Assign(Font());
  int W = kMinWidth;
  int H = 2 * kBoxPad;
  for (int I = 0; I < Parent->Count(); ++I) {
    const TMenuItem* It = Parent->Items(I);
    if (!It->Visible()) continue;
    H += IsSeparator(It) ? SeparatorHeight : ItemHeight;
    W = std::max(W, kGutter + C->TextWidth(It->Caption()) + kArrowRoom + 2 * kBoxPad);
  }
  // Kept inside the form: moved left or up when it would stick out.
  if (X + W > Width()) X = std::max(0, Width() - W);
  if (Y + H > Height()) Y = std::max(0, Height() - H);
  FLevels.push_back(TLevel{Parent, TRect{X, Y, X + W, Y + H}, -1});
}

void TPopupMenuWindow::CloseLevelsAbove(size_t Level) {
  if (FLevels.size() > Level + 1) {
    FLevels.resize(Level + 1);
    Invalidate();
  }
}

TMenuItem* TPopupMenuWindow::Hot() const {
  if (FLevels.empty()) return nullptr;
  const TLevel& L = FLevels.back();
  return L.Parent->Items(L.Hot);
}

TRect TPopupMenuWindow::BoxRect(int Level) const {
  if (Level < 0 || Level >= Depth()) return TRect{};
  return FLevels[static_cast<size_t>(Level)].Box;
}

TRect TPopupMenuWindow::ItemRect(int Level, int Index) const {
  if (Level < 0 || Level >= Depth()) return TRect{};
  const TLevel& L = FLevels[static_cast<size_t>(Level)];
  const TMenuItem* It = L.Parent->Items(Index);
  if (!It || !It->Visible()) return TRect{};
  const int Top = ItemTop(L, Index);
  return TRect{L.Box.Left + kBoxPad, Top, L.Box.Right - kBoxPad, Top + (IsSeparator(It) ? SeparatorHeight : ItemHeight)};
}

bool TPopupMenuWindow::ItemAt(int X, int Y, size_t& Level, int& Index) const {
  for (size_t Lv = FLevels.size(); Lv-- > 0;) {
    const TLevel& L = FLevels[Lv];
    if (!L.Box.Contains(TPoint{X, Y})) continue;
    for (int I = 0; I < L.Parent->Count(); ++I) {
      if (ItemRect(static_cast<int>(Lv), I).Contains(TPoint{X, Y})) {
        Level = Lv;
        Index = I;
        return true;
      }
    }
    Level = Lv;
    Index = -1;
    return true;
  }
  return false;
}

void TPopupMenuWindow::Finish(TMenuItem* Item) {
  FChosen = Item;
  FDone = true;
  SetMouseCapture(false);
  Hide();
}

// Opens a sub-menu or takes the item.
void TPopupMenuWindow::Activate(size_t Level, int Index) {
  TLevel& L = FLevels[Level];
  TMenuItem* It = L.Parent->Items(Index);
  if (!Selectable(It) || !It->Enabled()) return;
  L.Hot = Index;
  CloseLevelsAbove(Level);
  if (It->Count() > 0) {
    const TRect R = ItemRect(static_cast<int>(Level), Index);
    OpenLevel(It, L.Box.Right - 2, R.Top - kBoxPad);
    FLevels.back().Hot = -1;
    Invalidate();
    return;
  }
  Finish(It);
}

void TPopupMenuWindow::MoveHot(int Step) {
  TLevel& L = FLevels.back();
  const int N = L.Parent->Count();
  if (N == 0) return;
  int I = L.Hot;
  for (int Tries = 0; Tries < N; ++Tries) {
    I = I < 0 ? (Step > 0 ? 0 : N - 1) : (I + Step + N) % N;
    if (Selectable(L.Parent->Items(I)) && L.Parent->Items(I)->Enabled()) {
      L.Hot = I;
      Invalidate();
      return;
    }
  }
}

void TPopupMenuWindow::WndProc(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    return;
  }
  TCustomControl::WndProc(Message);
}

void TPopupMenuWindow::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (FDone || FLevels.empty()) return;
  switch (Key) {
    case VK_UP: MoveHot(-1); break;
    case VK_DOWN: MoveHot(1); break;
    case VK_RIGHT:
      if (TMenuItem* H = Hot(); H && H->Count() > 0) Activate(FLevels.size() - 1, FLevels.back().Hot);
      break;
    case VK_LEFT:
      if (FLevels.size() > 1) CloseLevelsAbove(FLevels.size() - 2);
      break;
    case VK_RETURN:
      if (FLevels.back().Hot >= 0) Activate(FLevels.size() - 1, FLevels.back().Hot);
      break;
    case VK_ESCAPE:
      if (FLevels.size() > 1) {
        CloseLevelsAbove(FLevels.size() - 2);
      } else {
        Finish(nullptr);
      }
      break;
    default: return;
  }
  Key = 0;
}

void TPopupMenuWindow::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  size_t Level = 0;
  int Index = -1;
  if (!ItemAt(X, Y, Level, Index)) Finish(nullptr);
}

void TPopupMenuWindow::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  size_t Level = 0;
  int Index = -1;
  if (FDone || !ItemAt(X, Y, Level, Index) || Index < 0) return;
  TLevel& L = FLevels[Level];
  if (L.Hot == Index && FLevels.size() == Level + 1) return;
  TMenuItem* It = L.Parent->Items(Index);
  if (!Selectable(It)) return;
  L.Hot = Index;
  CloseLevelsAbove(Level);
  // Resting on an enabled sub-menu opens it.
  if (It->Count() > 0 && It->Enabled()) Activate(Level, Index);
  Invalidate();
}

void TPopupMenuWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  size_t Level = 0;
  int Index = -1;
  if (FDone || !ItemAt(X, Y, Level, Index) || Index < 0) return;
  TMenuItem* It = FLevels[Level].Parent->Items(Index);
  if (It->Count() == 0) Activate(Level, Index);
}

void TPopupMenuWindow::Paint() {
  TCanvas* C = Canvas();
  TCanvasStateSaver Saver(C);
  for (size_t Lv = 0; Lv < FLevels.size(); ++Lv) {
    const TLevel& L = FLevels[Lv];
    // A plain box with a shadow line right and below.
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clBtnShadow);
    C->FillRect(TRect{L.Box.Left + 2, L.Box.Top + 2, L.Box.Right + 2, L.Box.Bottom + 2});
    C->Brush()->SetColor(clMenu);
    C->Pen()->SetColor(clBtnShadow);
    C->Pen()->SetMode(pmCopy);
    C->Rectangle(L.Box);
    for (int I = 0; I < L.Parent->Count(); ++I) {
      TMenuItem* It = L.Parent->Items(I);
      const TRect R = ItemRect(static_cast<int>(Lv), I);
      if (R.IsEmpty()) continue;
      if (IsSeparator(It)) {
        C->Brush()->SetColor(clBtnShadow);
        C->FillRect(TRect{R.Left + 4, R.Top + SeparatorHeight / 2 - 1, R.Right - 4, R.Top + SeparatorHeight / 2});
        C->Brush()->SetColor(clBtnHighlight);
        C->FillRect(TRect{R.Left + 4, R.Top + SeparatorHeight / 2, R.Right - 4, R.Top + SeparatorHeight / 2 + 1});
        continue;
      }
      const bool HotItem = L.Hot == I && It->Enabled();
      C->Brush()->SetColor(HotItem ? clHighlight : clMenu);
      C->FillRect(R);
      if (It->HasBitmap()) {
        TBitmap* B = It->Bitmap();
        C->Draw(R.Left + (kGutter - B->Width()) / 2, R.Top + (ItemHeight - B->Height()) / 2, B);
      } else if (It->Checked()) {
        // A check mark drawn with short lines.
        const TColor Ink = HotItem ? clHighlightText : clMenuText;
        C->Pen()->SetColor(Ink);
        const int Cx = R.Left + 8, Cy = R.Top + ItemHeight / 2;
        for (int D = 0; D < 2; ++D) {
          C->MoveTo(Cx, Cy - 1 + D);
          C->LineTo(Cx + 3, Cy + 2 + D);
          C->LineTo(Cx + 9, Cy - 4 + D);
        }
      }
      C->Font()->Assign(Font());
      C->Brush()->SetStyle(bsClear);
      const int Ty = R.Top + (ItemHeight - C->TextHeight(It->Caption())) / 2;
      if (!It->Enabled()) {
        C->Font()->SetColor(clBtnHighlight);
        C->TextOut(R.Left + kGutter + 1, Ty + 1, It->Caption());
        C->Font()->SetColor(clGrayText);
      } else {
        C->Font()->SetColor(HotItem ? clHighlightText : clMenuText);
      }
      C->TextOut(R.Left + kGutter, Ty, It->Caption());
      C->Brush()->SetStyle(bsSolid);
      if (It->Count() > 0) {
        // A small right-pointing triangle.
        C->Brush()->SetColor(HotItem ? clHighlightText : clMenuText);
        const int Ax = R.Right - 10, Ay = R.Top + ItemHeight / 2;
        for (int D = 0; D < 4; ++D) C->FillRect(TRect{Ax + D, Ay - 3 + D, Ax + D + 1, Ay + 4 - D});
      }
    }
  }
}

}  // namespace orv
