#pragma once
// The gallery's one form: a seven-segment counter driven by auto-repeat
// buttons and an edit box, and a gradient fill whose type, colours and grid are switched by
// speed buttons. Section titles and hints are painted on the form itself.

#include <vector>

#include "framework/controls/edit.h"
#include "framework/controls/speedbutton.h"
#include "framework/forms/form.h"
#include "gradfl/gradfl.h"
#include "repsbut/repsbut.h"
#include "sevenseg/sevenseg.h"

namespace gallery {

class TGalleryForm : public orv::TForm {
 public:
  explicit TGalleryForm(orv::TComponent* AOwner);

  // The counter shown on the display, kept within 0..9999.
  int Counter() const { return FCounter; }
  void SetCounter(int Value);

  orv::TSevenSeg* Display() const { return FDisplay; }
  orv::TRepSpeedButton* UpButton() const { return FUp; }
  orv::TRepSpeedButton* DownButton() const { return FDown; }
  orv::TGradFill* Gradient() const { return FGradient; }
  orv::TEdit* ValueEdit() const { return FValueEdit; }

 private:
  // A speed button with a caption, placed on this form.
  orv::TSpeedButton* AddButton(int X, int Y, int W, const orv::String& Caption, int Group);
  void BuildCounter();
  void BuildGradient();
  void PaintTitles(orv::TObject* Sender);
  void ApplyPalette();

  int FCounter = 42;
  int FPalette = 0;
  orv::TSevenSeg* FDisplay = nullptr;
  orv::TRepSpeedButton* FUp = nullptr;
  orv::TRepSpeedButton* FDown = nullptr;
  orv::TGradFill* FGradient = nullptr;
  orv::TEdit* FValueEdit = nullptr;
  // Set while the counter writes its value into the edit box, so the edit's
  // change does not come back as a new value.
  bool FShowingValue = false;
};

}  // namespace gallery
