#pragma once
// TScreen: the display as the application sees it: the cursor shown over
// every form, the forms and the active one.

#include <vector>

#include "framework/controls/cursors.h"
#include "framework/rtl/classes.h"

namespace orv {

class TCustomForm;
class TTopLevelSurface;

class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  // A cursor other than crDefault overrides every control's own cursor.
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  int Width() const;
  int Height() const;
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int Index) const;
  TCustomForm* ActiveForm() const { return FActiveForm; }
  void SetActiveForm(TCustomForm* Form) { FActiveForm = Form; }

  // The window surface of Forms(Index).
  TTopLevelSurface* FormSurfaces(int Index) const;

  // Forms register themselves here while they exist.
  void AddForm(TTopLevelSurface* Form);
  void RemoveForm(TTopLevelSurface* Form);

 private:
  TCursor FCursor = crDefault;
  std::vector<TTopLevelSurface*> FForms;
  TCustomForm* FActiveForm = nullptr;
};

extern TScreen* Screen;

}  // namespace orv
