#include "framework/forms/form.h"

#include <algorithm>

#include "framework/controls/application.h"
#include "framework/controls/paint.h"
#include "framework/controls/platform.h"
#include "framework/controls/screen.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/exceptions.h"

namespace orv {

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  SetVisible(false);
  SetParentColor(false);
  SetParentFont(false);
  SetColor(clBtnFace);
  SetParentColor(false);
  CreateControlCanvas();
  SetBounds(0, 0, 320, 240);
  if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  if (FOnDestroy) {
    try {
      FOnDestroy(this);
    } catch (...) {
      if (Application) Application->HandleException(this);
    }
  }
  DestroyComponents();
  if (Visible() && Application) Application->Backend()->DestroyFormWindow(this);
  if (Application) Application->FormDestroying(this);
  if (Screen) Screen->RemoveForm(this);
}

void TCustomForm::SetParent(TWinControl* AParent) {
  if (AParent) throw EInvalidOperation(u"A form cannot have a parent");
}

void TCustomForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FSurface.Width() != Width() || FSurface.Height() != Height()) {
    FSurface.SetSize(Width(), Height());
    FDirty.clear();
    InvalidateRect(TRect{0, 0, Width(), Height()});
  }
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (Control == FActiveControl) return;
  if (Control && (Control == this || Control->ParentForm() != this)) {
    throw EInvalidOperation(u"Cannot focus a disabled or invisible window");
  }
  if (Control && !ComponentState().Contains(csLoading)) {
    Control->SetFocus();  // checks the control and moves the focus
    return;
  }
  FActiveControl = Control;
}

void TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (Control == FActiveControl) return;
  TWinControl* Old = FActiveControl;
  FActiveControl = Control;
  if (Old) Old->Perform(WM_KILLFOCUS);
  // Leave the old control and its containers up to the one holding both.
  TWinControl* Common = Old;
  while (Common && Common != this && !(Control && Common->ContainsControl(Control))) {
    Common->Perform(CM_EXIT);
    Common = Common->Parent();
  }
  if (!Common) Common = this;
  // Enter the containers of the new control from the outside in, then it.
  std::vector<TWinControl*> Path;
  for (TWinControl* C = Control; C && C != Common && C != this; C = C->Parent()) Path.push_back(C);
  for (auto It = Path.rbegin(); It != Path.rend(); ++It) {
    if (FActiveControl != Control) return;  // a handler moved the focus elsewhere
    (*It)->Perform(CM_ENTER);
  }
  if (Control && FActiveControl == Control) Control->Perform(WM_SETFOCUS);
}

void TCustomForm::SelectFirst() {
  if (TWinControl* C = FindNextControl(nullptr, true, true, false)) SetFocusedControl(C);
}

void TCustomForm::Show() {
  SetVisible(true);
  if (Screen) Screen->SetActiveForm(this);
  if (!FActiveControl) SelectFirst();
  PaintPending();
}

void TCustomForm::Hide() { SetVisible(false); }

bool TCustomForm::CloseQuery() {
  bool CanClose = true;
  if (FOnCloseQuery) FOnCloseQuery(this, CanClose);
  return CanClose;
}

void TCustomForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction Action = caHide;
  if (FOnClose) FOnClose(this, Action);
  switch (Action) {
    case caHide:
      Hide();
      if (Application && Application->MainForm() == this) Application->Terminate();
      break;
    case caFree:
      Hide();
      if (Application && Application->MainForm() == this) Application->Terminate();
      Release();
      break;
    default:
      break;
  }
}

int TCustomForm::ShowModal() {
  if (Visible() || FModal) throw EInvalidOperation(u"Cannot make a visible window modal");
  FModal = true;
  FModalResult = mrNone;
  try {
    Show();
    int Answer = 0;
    auto* AsForm = dynamic_cast<TForm*>(this);
    if (Application && Application->ModalHandler() && AsForm) {
      Answer = Application->ModalHandler()(AsForm);
      if (Answer != mrNone) FModalResult = Answer;
    } else if (Application) {
      Application->Backend()->RunModal(this);
    }
    if (FModalResult == mrNone) FModalResult = mrCancel;
    TCloseAction Action = caHide;
    if (FOnClose) FOnClose(this, Action);
    FModal = false;
    Hide();
    if (Action == caFree) Release();
  } catch (...) {
    FModal = false;
    Hide();
    throw;
  }
  return FModalResult;
}

void TCustomForm::Release() {
  if (Application) Application->ReleaseForm(this);
}

namespace {

// Adds R (clipped to the surface) to a list of regions; overlapping regions
// merge, so no area is painted or presented twice in one pass.
void AddRegion(std::vector<TRect>& Regions, const TRect& Rect, const TBitmap& Surface) {
  TRect R{std::max(Rect.Left, 0), std::max(Rect.Top, 0), std::min(Rect.Right, Surface.Width()),
          std::min(Rect.Bottom, Surface.Height())};
  if (R.IsEmpty()) return;
  for (;;) {
    auto It = std::find_if(Regions.begin(), Regions.end(), [&](const TRect& D) { return RectsOverlap(D, R); });
    if (It == Regions.end()) break;
    R = UnionRect(R, *It);
    Regions.erase(It);
  }
  Regions.push_back(R);
}

}  // namespace

void TCustomForm::InvalidateRect(const TRect& Rect) { AddRegion(FDirty, Rect, FSurface); }

void TCustomForm::MarkDrawn(const TRect& Rect) { AddRegion(FDrawn, Rect, FSurface); }

void TCustomForm::PaintPending() {
  std::vector<TRect> Work;
  Work.swap(FDirty);  // painting may invalidate again; that waits for the next pass
  for (const TRect& R : Work) {
    TPaintEngine::PaintTree(this, &FSurface, TPoint{0, 0}, R);
    if (Application && Visible()) Application->Backend()->Present(this, R);
  }
  std::vector<TRect> Drawn;
  Drawn.swap(FDrawn);
  if (!Application || !Visible()) return;
  for (const TRect& R : Drawn) Application->Backend()->Present(this, R);
}

void TCustomForm::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      Paint();
      return;
    case CM_DIALOGKEY:
      if (Message.WParam == VK_TAB) {
        const TShiftState Shift = KeyDataToShiftState(Message.LParam);
        SelectNext(FActiveControl, !Shift.Contains(ssShift), true);
        Message.Result = 1;
        return;
      }
      break;
    case WM_CLOSE:
      Close();
      return;
    default:
      break;
  }
  TWinControl::WndProc(Message);
}

void TCustomForm::Paint() {
  if (FOnPaint) FOnPaint(this);
}

void TCustomForm::DoShow() {
  if (FOnShow) FOnShow(this);
}

void TCustomForm::DoHide() {
  if (FOnHide) FOnHide(this);
}

void TCustomForm::CMVisibleChanged(TMessage& Message) {
  TWinControl::CMVisibleChanged(Message);
  if (Visible()) {
    if (Application) Application->Backend()->CreateFormWindow(this);
    InvalidateRect(TRect{0, 0, Width(), Height()});
    DoShow();
  } else {
    if (Application) Application->Backend()->DestroyFormWindow(this);
    if (Screen && Screen->ActiveForm() == this) Screen->SetActiveForm(nullptr);
    DoHide();
  }
}

TForm::TForm(TComponent* AOwner) : TCustomForm(AOwner) {}

}  // namespace orv
