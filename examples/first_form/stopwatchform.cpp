#include "stopwatchform.h"

using namespace orv;

TStopwatchForm::TStopwatchForm(TComponent* AOwner) : TForm(AOwner) {
  SetCaption(u"Stopwatch");
  SetBounds(0, 0, 252, 150);
  SetColor(RGB(240, 240, 232));

  // Every component gets an owner, which frees it, and a visual one a
  // parent, which shows it.
  FDisplay = new TSevenSeg(this);
  FDisplay->SetParent(this);
  FDisplay->SetBounds(16, 16, 220, 76);
  FDisplay->SetNumDigits(5);
  FDisplay->SetColorText(RGB(0, 200, 255));  // colours are 0x00BBGGRR

  FStart = new TSpeedButton(this);
  FStart->SetParent(this);
  FStart->SetBounds(16, 104, 106, 28);
  FStart->SetCaption(u"Start");
  FStart->SetGroupIndex(1);  // a group of one that may be released: a toggle
  FStart->SetAllowAllUp(true);
  FStart->SetOnClick([this](TObject*) {
    FTimer->SetEnabled(FStart->Down());
    FStart->SetCaption(FStart->Down() ? u"Stop" : u"Start");
  });

  FReset = new TSpeedButton(this);
  FReset->SetParent(this);
  FReset->SetBounds(130, 104, 106, 28);
  FReset->SetCaption(u"Reset");
  FReset->SetOnClick([this](TObject*) {
    FTenths = 0;
    ShowTime();
  });

  FTimer = new TTimer(this);
  FTimer->SetEnabled(false);
  FTimer->SetInterval(100);
  FTimer->SetOnTimer([this](TObject*) {
    ++FTenths;
    ShowTime();
  });
  ShowTime();
}

void TStopwatchForm::ShowTime() {
  // Text is orv::String (UTF-16); Format works as the run-time library's.
  FDisplay->SetCaption(Format(u"%4d.%d", {FTenths / 10, FTenths % 10}));
}
