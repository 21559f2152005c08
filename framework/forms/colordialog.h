#pragma once
// TColorDialog: a modal dialog to choose a colour. It shows a palette of
// basic colours, red/green/blue and hue/saturation/lightness fields that
// follow each other, and the old and new colour side by side. Headless runs
// answer it through Application->SetColorDialogHandler; without a handler
// it goes through ShowModal like any modal form.

#include <array>

#include "framework/controls/edit.h"
#include "framework/controls/speedbutton.h"
#include "framework/forms/form.h"
#include "framework/rtl/classes.h"

namespace orv {

class TColorDialog : public TComponent {
 public:
  explicit TColorDialog(TComponent* AOwner);

  // The colour shown first and, after a confirmed Execute, the one chosen.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  // Shows the dialog; true when the user confirmed a colour.
  bool Execute();

 private:
  TColor FColor = 0x000000;
};

// The dialog's form; Execute builds one for each run.
class TColorDialogForm : public TForm {
 public:
  TColorDialogForm(TComponent* AOwner, TColor Initial);

  TColor Chosen() const { return FChosen; }
  // Takes Value as the new colour and updates every field.
  void Choose(TColor Value);
  // The fields, in the order red, green, blue, hue (0..359), saturation and
  // lightness (0..100).
  TEdit* Field(int Index) const { return FFields[static_cast<size_t>(Index)]; }
  TSpeedButton* OkButton() const { return FOk; }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void FieldChanged(int Index);
  TRect SwatchRect(int Index) const;
  TRect PreviewRect() const;

  TColor FInitial;
  TColor FChosen;
  std::array<TEdit*, 6> FFields{};
  TSpeedButton* FOk = nullptr;
  bool FUpdating = false;
};

// RGB and HSL conversion of the dialog: hue in degrees 0..359, saturation
// and lightness 0..100 (percent), rounded halves to even.
void ColorToHslParts(TColor Color, int& H, int& S, int& L);
TColor HslPartsToColor(int H, int S, int L);

}  // namespace orv
