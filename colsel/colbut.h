#pragma once
// TColorButton: a panel whose colour is the value it stands for. It
// lightens while the pointer is over it; a click opens the associated colour
// dialog, and a confirmed colour becomes the panel's, with a caption colour
// that stays readable on it.

#include "framework/controls/panel.h"
#include "framework/graphics/colors.h"
#include "framework/forms/colordialog.h"

namespace orv {

class TColorButton : public TCustomPanel {
 public:
  explicit TColorButton(TComponent* AOwner);
  ~TColorButton() override;

  // The dialog a click opens; placed elsewhere, not owned, forgotten when freed.
  TColorDialog* ColorDialog() const { return FColorDialog; }
  void SetColorDialog(TColorDialog* Value);
  // With ParentBackground the caption takes the window text colour after a
  // choice instead of black or white.
  bool ParentBackground() const { return FParentBackground; }
  void SetParentBackground(bool Value) { FParentBackground = Value; }

  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

 protected:
  void Click() override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TColor FBakColor = clBtnFace;
  TColorDialog* FColorDialog = nullptr;
  bool FParentBackground = false;
  bool FHovered = false;
  TNotifyEvent FOnChange;
};

}  // namespace orv
