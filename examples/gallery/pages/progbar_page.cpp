// Gallery page of the progress bar: plain, the three gradient mappings, a
// grid, a right-to-left bar, two vertical bars with rotated text, and one
// that advances by its own timer.

#include "examples/gallery/pages.h"
#include "framework/controls/application.h"
#include "progbar/progbar.h"

using namespace orv;

namespace {

class TProgBarPage : public TForm {
 public:
  explicit TProgBarPage(TComponent* AOwner) : TForm(AOwner) {
    SetCaption(u"Progress bar");
    SetBounds(0, 0, 480, 330);
    Add(16, 16, 300, 28)->SetValue(35);
    TProgBar* Cover = Add(16, 52, 300, 28);
    Cover->SetShowColorGradient(true);
    Cover->SetColorMapMode(cgmCover);
    Cover->SetValue(60);
    TProgBar* Stretch = Add(16, 88, 300, 28);
    Stretch->SetShowColorGradient(true);
    Stretch->SetValue(60);
    TProgBar* Move = Add(16, 124, 300, 28);
    Move->SetShowColorGradient(true);
    Move->SetColorMapMode(cgmMove);
    Move->SetColorMin(0x204000);
    Move->SetColorMax(0x40FFC0);
    Move->SetValue(60);
    TProgBar* Grid = Add(16, 160, 300, 28);
    Grid->SetGridDist(8);
    Grid->SetColorGrid(0xC0C0C0);
    Grid->SetColorBackGnd(0x303030);
    Grid->SetColorMin(0x00C000);
    Grid->SetValue(45);
    Grid->Font()->SetColor(0xFFFFFF);
    TProgBar* Left = Add(16, 196, 300, 28);
    Left->SetDirection(dirLeft);
    Left->SetFrameStyleOuter(fsEngraved);
    Left->SetTextPosX(286);
    Left->SetTextAlignment(taRightJustify);
    Left->SetTextDecPlaces(-1);
    Left->SetValue(72.5);
    Auto = Add(16, 232, 300, 28);
    Auto->SetTextDecPlaces(1);
    Auto->SetAutoIncStep(2.5);
    Auto->SetValue(0);
    Auto->SetOnAutoInc([](TObject* Sender) {
      auto* B = static_cast<TProgBar*>(Sender);
      if (B->Value() >= B->Max()) B->SetValue(B->Min());
    });
    Auto->SetStartInterval(200);
    Auto->SetRepeatInterval(50);
    Auto->SetAutoInc(true);
    for (int I = 0; I < 2; ++I) {
      TProgBar* Up = Add(340 + I * 64, 16, 48, 244);
      Up->SetDirection(I == 0 ? dirUp : dirDown);
      Up->SetShowColorGradient(true);
      Up->SetColorMapMode(I == 0 ? cgmCover : cgmStretch);
      Up->SetValue(I == 0 ? 80 : 40);
      Up->SetTextAngle(90);
      Up->SetTextPosX(24);
      Up->SetTextPosY(122);
    }
  }

  // Drive: half a second of the timer.
  void Step() { Application->AdvanceTime(500); }

 private:
  TProgBar* Add(int X, int Y, int W, int H) {
    auto* B = new TProgBar(this);
    B->SetParent(this);
    B->SetBounds(X, Y, W, H);
    B->SetTextPosX(W / 2);
    B->SetTextPosY(H / 2);
    return B;
  }

  TProgBar* Auto = nullptr;
};

}  // namespace

ORV_GALLERY_PAGE(progbar, u"Progress bar", [] { return new TProgBarPage(nullptr); },
                 [](TForm* Page) { static_cast<TProgBarPage*>(Page)->Step(); });
