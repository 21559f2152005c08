#pragma once
// The gallery's main form: a seven-segment counter driven by auto-repeat
// buttons and a numeric entry box, and a gradient fill whose type, colours,
// grid and band count are switched by speed buttons; below them a button
// for each further component page.

#include <memory>
#include <vector>

#include "framework/controls/label.h"
#include "framework/controls/speedbutton.h"
#include "framework/forms/form.h"
#include "gradfl/gradfl.h"
#include "numio/numioedit.h"
#include "repsbut/repsbut.h"
#include "sevenseg/sevenseg.h"

namespace gallery {

class TGalleryForm : public orv::TForm {
 public:
  explicit TGalleryForm(orv::TComponent* AOwner);

  // The counter shown on the display and in the value box, kept within
  // 0..kMaxCounter.
  static constexpr int kMaxCounter = 9999;
  int Counter() const { return FCounter; }
  void SetCounter(int Value);

  orv::TSevenSeg* Display() const { return FDisplay; }
  orv::TRepSpeedButton* UpButton() const { return FUp; }
  orv::TRepSpeedButton* DownButton() const { return FDown; }
  orv::TNumIO* ValueBox() const { return FValueBox; }
  orv::TGradFill* Gradient() const { return FGradient; }

 private:
  orv::TLabel* AddLabel(int X, int Y, const orv::String& Caption, bool Title);
  // A speed button with a caption, placed on this form.
  orv::TSpeedButton* AddButton(int X, int Y, int W, const orv::String& Caption, int Group);
  orv::TRepSpeedButton* AddRepeatButton(int X, int Y, const orv::String& Name, const orv::String& Caption, int Step);
  void BuildCounter();
  void BuildGradient();
  // A button per registered gallery page that opens that page's form.
  void BuildPageButtons();
  void ApplyPalette();

  int FCounter = 42;
  int FPalette = 0;
  orv::TSevenSeg* FDisplay = nullptr;
  orv::TRepSpeedButton* FUp = nullptr;
  orv::TRepSpeedButton* FDown = nullptr;
  orv::TNumIO* FValueBox = nullptr;
  orv::TGradFill* FGradient = nullptr;
  orv::TLabel* FPaletteLabel = nullptr;
  // Page forms opened from the page buttons, by page index; made on first use.
  std::vector<std::unique_ptr<orv::TForm>> FPages;
  // Set while the counter writes its value into the box, so the box's
  // change does not come back as a new value.
  bool FShowingValue = false;
  // Set once the repeat button being held has stepped on a repeat tick.
  bool FRepeated = false;
};

}  // namespace gallery
