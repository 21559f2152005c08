#include "examples/gallery/galleryform.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "examples/gallery/pages.h"
#include "framework/rtl/unicode.h"

using namespace orv;

namespace gallery {

namespace {

constexpr int kMargin = 16;
constexpr int kColumn2 = 300;
constexpr int kButtonHeight = 26;

// Colour pairs the gradient cycles through.
struct TPalette {
  const char16_t* Name;
  TColor First;
  TColor Last;
};
constexpr std::array<TPalette, 4> kPalettes{{
    {u"Sunset", 0x000080, 0x00FFFF},
    {u"Ocean", 0x400000, 0xFFC080},
    {u"Forest", 0x004000, 0x80FFC0},
    {u"Steel", 0x202020, 0xF0F0F0},
}};

// Digit colours of the display: red, green, amber.
constexpr std::array<TColor, 3> kDigitColours{0x0000FF, 0x00FF00, 0x00B0FF};

String CounterText(int Value) {
  std::string S = std::to_string(Value);
  if (S.size() < 4) S.insert(0, 4 - S.size(), '0');
  return FromUtf8(S);
}

}  // namespace

TGalleryForm::TGalleryForm(TComponent* AOwner) : TForm(AOwner) {
  SetCaption(u"orvkit gallery");
  SetBounds(0, 0, 640, 284);
  BuildCounter();
  BuildGradient();
  BuildPageButtons();
}

TLabel* TGalleryForm::AddLabel(int X, int Y, const String& Caption, bool Title) {
  auto* L = new TLabel(this);
  L->SetParent(this);
  L->SetLeft(X);
  L->SetTop(Y);
  L->SetCaption(Caption);
  if (Title) {
    L->Font()->SetStyle(TFontStyles{fsBold});
  } else {
    L->Font()->SetColor(0x404040);
  }
  return L;
}

TSpeedButton* TGalleryForm::AddButton(int X, int Y, int W, const String& Caption, int Group) {
  auto* B = new TSpeedButton(this);
  B->SetParent(this);
  B->SetBounds(X, Y, W, kButtonHeight);
  B->SetCaption(Caption);
  B->SetGroupIndex(Group);
  return B;
}

// A click steps the counter once; holding the button steps it on and on.
TRepSpeedButton* TGalleryForm::AddRepeatButton(int X, int Y, const String& Name, const String& Caption, int Step) {
  auto* B = new TRepSpeedButton(this);
  B->SetName(Name);
  B->SetParent(this);
  B->SetBounds(X, Y, 48, kButtonHeight);
  B->SetCaption(Caption);
  // The button clicks on release as every speed button does; after a hold
  // that already stepped on its repeats, that click must not step once more.
  B->SetOnMouseDown([this](TObject*, TMouseButton, TShiftState, int, int) { FRepeated = false; });
  B->SetOnRepeatClick([this, Step](TObject*) {
    FRepeated = true;
    SetCounter(FCounter + Step);
  });
  B->SetOnClick([this, Step](TObject*) {
    if (!FRepeated) SetCounter(FCounter + Step);
  });
  return B;
}

void TGalleryForm::BuildCounter() {
  AddLabel(kMargin, 14, u"Seven-segment display", true);
  FDisplay = new TSevenSeg(this);
  FDisplay->SetName(u"Display");
  FDisplay->SetParent(this);
  FDisplay->SetBounds(kMargin, 40, 216, 76);
  FDisplay->SetNumDigits(4);
  FDisplay->SetFrameStyle(fsLowered);

  const int Y = 128;
  FDown = AddRepeatButton(kMargin, Y, u"CountDown", u"\u2212", -1);
  FUp = AddRepeatButton(kMargin + 54, Y, u"CountUp", u"+", 1);
  TSpeedButton* Reset = AddButton(kMargin + 108, Y, 108, u"Reset", 0);
  Reset->SetOnClick([this](TObject*) { SetCounter(0); });
  AddLabel(kMargin, 162, u"Hold \u2212 or + to count on and on", false);

  // Digit colour: a radio group of three.
  const std::array<const char16_t*, 3> Names{u"Red", u"Green", u"Amber"};
  for (size_t I = 0; I < Names.size(); ++I) {
    TSpeedButton* B = AddButton(kMargin + 72 * static_cast<int>(I), Y + 60, 68, Names[I], 1);
    const TColor C = kDigitColours[I];
    B->SetOnClick([this, C](TObject*) { FDisplay->SetColorText(C); });
    if (I == 0) B->SetDown(true);
  }

  // The box takes whole numbers of the counter's range only; what it holds
  // is shown on the display as it is typed.
  FValueBox = new TNumIO(this);
  FValueBox->SetName(u"ValueBox");
  FValueBox->SetParent(this);
  FValueBox->SetBounds(kMargin + 54, Y + 96, 86, 24);
  FValueBox->SetInputFormat(itInt);
  FValueBox->SetRangeHigh(kMaxCounter);
  FValueBox->SetBeep(true);
  FValueBox->SetOnChange([this](TObject*) {
    if (!FShowingValue) SetCounter(static_cast<int>(std::lround(FValueBox->Value())));
  });
  TLabel* Caption = AddLabel(kMargin, Y + 100, u"&Value:", false);
  Caption->SetFocusControl(FValueBox);
  SetCounter(FCounter);
}

void TGalleryForm::BuildGradient() {
  AddLabel(kColumn2, 14, u"Gradient fill", true);
  FGradient = new TGradFill(this);
  FGradient->SetName(u"Gradient");
  FGradient->SetParent(this);
  FGradient->SetBounds(kColumn2, 40, 324, 140);
  FGradient->SetNrColors(24);
  FGradient->SetFrameStyle(fsLowered);

  // Gradient type: a radio group.
  const std::array<const char16_t*, 4> Types{u"Horizontal", u"Vertical", u"Mid band H", u"Mid band V"};
  for (size_t I = 0; I < Types.size(); ++I) {
    TSpeedButton* B = AddButton(kColumn2 + 82 * static_cast<int>(I), 188, 78, Types[I], 2);
    const auto T = static_cast<TGradType>(I);
    B->SetOnClick([this, T](TObject*) { FGradient->SetFillType(T); });
    if (I == 0) B->SetDown(true);
  }

  // Flip is a toggle: a group of one that may be released again.
  TSpeedButton* Flip = AddButton(kColumn2, 220, 78, u"Flip", 3);
  Flip->SetAllowAllUp(true);
  Flip->SetOnClick([this, Flip](TObject*) { FGradient->SetColorFlipped(Flip->Down()); });

  TSpeedButton* Colours = AddButton(kColumn2 + 82, 220, 78, u"Colours", 0);
  Colours->SetOnClick([this](TObject*) {
    FPalette = (FPalette + 1) % static_cast<int>(kPalettes.size());
    ApplyPalette();
  });

  TSpeedButton* Grid = AddButton(kColumn2 + 164, 220, 78, u"Grid", 0);
  Grid->SetOnClick([this](TObject*) {
    FGradient->SetGridMode(static_cast<TGridMode>((FGradient->GridMode() + 1) % 4));
  });

  TSpeedButton* Bands = AddButton(kColumn2 + 246, 220, 78, u"Bands", 0);
  Bands->SetOnClick([this](TObject*) {
    FGradient->SetNrColors(FGradient->NrColors() >= 48 ? 3 : FGradient->NrColors() * 2);
  });

  FPaletteLabel = AddLabel(kColumn2, 256, String(), false);
  ApplyPalette();
}

void TGalleryForm::BuildPageButtons() {
  const auto& Pages = GalleryPages();
  if (Pages.empty()) return;
  constexpr int kTop = 284, kWidth = 98, kGap = 4, kPerRow = 6;
  AddLabel(kMargin, kTop, u"More components", true);
  FPages.resize(Pages.size());
  for (size_t I = 0; I < Pages.size(); ++I) {
    const int Row = static_cast<int>(I) / kPerRow, Col = static_cast<int>(I) % kPerRow;
    TSpeedButton* B = AddButton(kMargin + Col * (kWidth + kGap), kTop + 24 + Row * (kButtonHeight + kGap), kWidth,
                                Pages[I].Title, 0);
    B->SetOnClick([this, I](TObject*) {
      if (!FPages[I]) FPages[I].reset(GalleryPages()[I].Create());
      FPages[I]->Show();
    });
  }
  const int Rows = (static_cast<int>(Pages.size()) + kPerRow - 1) / kPerRow;
  SetBounds(0, 0, Width(), kTop + 24 + Rows * (kButtonHeight + kGap) + kMargin);
}

void TGalleryForm::ApplyPalette() {
  const TPalette& P = kPalettes[static_cast<size_t>(FPalette)];
  // The flip state swaps whatever pair is set, so set the pair unflipped.
  const bool Flipped = FGradient->ColorFlipped();
  FGradient->SetColorFlipped(false);
  FGradient->SetColorFirst(P.First);
  FGradient->SetColorLast(P.Last);
  FGradient->SetColorFlipped(Flipped);
  FPaletteLabel->SetCaption(String(u"Palette: ") + P.Name);
}

void TGalleryForm::SetCounter(int Value) {
  FCounter = std::clamp(Value, 0, kMaxCounter);
  FDisplay->SetCaption(CounterText(FCounter));
  // Leave the box alone while it holds the number being typed.
  if (FValueBox && std::lround(FValueBox->Value()) != FCounter) {
    FShowingValue = true;
    FValueBox->SetValue(FCounter);
    FShowingValue = false;
  }
}

}  // namespace gallery
