#pragma once
// TCustomLabel and TLabel: text painted on the parent, without a window of
// its own. An ampersand marks the accelerator character ("&&" shows one
// ampersand) while ShowAccelChar is on.

#include <vector>

#include "framework/controls/graphiccontrol.h"
#include "framework/controls/stdtypes.h"

namespace orv {

class TWinControl;

class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* AOwner);
  ~TCustomLabel() override;

  // Sizes the label to its text (the height only when WordWrap is on).
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  // A transparent label leaves what lies behind it; otherwise it fills its
  // area with Color first.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  // The control that gets the focus when the label's accelerator is used;
  // forgotten when that control is destroyed.
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);

  // The caption as shown: accelerator marks removed.
  String DisplayText() const;
  // The lines the caption is broken into at the current width.
  std::vector<String> Lines();

 protected:
  void Paint() override;
  void CMTextChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Resize() override;
  // Fits the size to the text when AutoSize is on.
  void AdjustBounds();

 private:
  bool FAutoSize = true;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FTransparent = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
  bool FAdjusting = false;
};

class TLabel : public TCustomLabel {
 public:
  explicit TLabel(TComponent* AOwner);
};

}  // namespace orv
