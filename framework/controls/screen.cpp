#include "framework/controls/screen.h"

#include <algorithm>

#include "framework/controls/application.h"
#include "framework/controls/input.h"
#include "framework/controls/platform.h"
#include "framework/controls/toplevel.h"

namespace orv {

// Lives as long as the process; forms may still talk to it while statics go.
TScreen* Screen = new TScreen(nullptr);

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}
TScreen::~TScreen() = default;

void TScreen::SetCursor(TCursor Value) {
  if (Value == FCursor) return;
  FCursor = Value;
  if (!Application) return;
  TControl* Hover = input::Hover();
  Application->Backend()->SetCursor(Value != crDefault ? Value : Hover ? Hover->Cursor() : crDefault);
}

int TScreen::Width() const { return Application ? Application->Backend()->ScreenSize().cx : 0; }
int TScreen::Height() const { return Application ? Application->Backend()->ScreenSize().cy : 0; }

TCustomForm* TScreen::Forms(int Index) const {
  TTopLevelSurface* S = FormSurfaces(Index);
  return S ? S->Form() : nullptr;
}

TTopLevelSurface* TScreen::FormSurfaces(int Index) const {
  if (Index < 0 || Index >= FormCount()) return nullptr;
  return FForms[static_cast<size_t>(Index)];
}

void TScreen::AddForm(TTopLevelSurface* Form) {
  if (Form && std::find(FForms.begin(), FForms.end(), Form) == FForms.end()) FForms.push_back(Form);
}

void TScreen::RemoveForm(TTopLevelSurface* Form) {
  if (!Form) return;
  std::erase(FForms, Form);
  if (FActiveForm == Form->Form()) FActiveForm = nullptr;
}

}  // namespace orv
