#include "colsel/colbut.h"

#include "foundation/colorfuncs.h"

namespace orv {

TColorButton::TColorButton(TComponent* AOwner) : TCustomPanel(AOwner) {}

TColorButton::~TColorButton() { SetColorDialog(nullptr); }

void TColorButton::SetColorDialog(TColorDialog* Value) {
  if (Value == FColorDialog) return;
  if (FColorDialog) FColorDialog->RemoveFreeNotification(this);
  FColorDialog = Value;
  if (FColorDialog) FColorDialog->FreeNotification(this);
}

void TColorButton::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomPanel::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FColorDialog) FColorDialog = nullptr;
}

void TColorButton::CMMouseEnter(TMessage& Message) {
  TCustomPanel::CMMouseEnter(Message);
  FBakColor = Color();
  FHovered = true;
  double H = 0, S = 0, L = 0;
  ColorToHSL(Color(), H, S, L);
  L = L <= 0.3 ? L + 0.2 : (L + 1) / 2;
  if (L > 1) L = 1;
  SetColor(HSLtoColor(H, S, L));
}

void TColorButton::CMMouseLeave(TMessage& Message) {
  TCustomPanel::CMMouseLeave(Message);
  FHovered = false;
  SetColor(FBakColor);
}

void TColorButton::Click() {
  TCustomPanel::Click();
  if (!FColorDialog) return;
  FColorDialog->SetColor(Color());
  if (!FColorDialog->Execute()) return;
  const TColor Chosen = FColorDialog->Color();
  SetColor(Chosen);
  // The choice is the colour to return to when the pointer leaves, or the
  // lightened hover colour would win over it.
  if (FHovered) FBakColor = Chosen;
  if (FParentBackground) {
    Font()->SetColor(clWindowText);
  } else {
    Font()->SetColor(ColorToGray(Chosen) <= 96 ? clWhite : clBlack);
  }
  if (FOnChange) FOnChange(this);
}

}  // namespace orv
