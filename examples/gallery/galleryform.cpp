#include "examples/gallery/galleryform.h"

#include <algorithm>
#include <array>
#include <string>

#include "framework/graphics/colors.h"
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

// The number typed into the value box; -1 when it is not a plain number.
int ParseCounter(const String& Text) {
  if (Text.empty() || Text.size() > 4) return -1;
  int Value = 0;
  for (Char Ch : Text) {
    if (Ch < u'0' || Ch > u'9') return -1;
    Value = Value * 10 + (Ch - u'0');
  }
  return Value;
}

String CounterText(int Value) {
  std::string S = std::to_string(Value);
  if (S.size() < 4) S.insert(0, 4 - S.size(), '0');
  return FromUtf8(S);
}

}  // namespace

TGalleryForm::TGalleryForm(TComponent* AOwner) : TForm(AOwner) {
  SetCaption(u"orvkit gallery");
  SetBounds(0, 0, 640, 284);
  SetOnPaint([this](TObject* Sender) { PaintTitles(Sender); });
  BuildCounter();
  BuildGradient();
}

TSpeedButton* TGalleryForm::AddButton(int X, int Y, int W, const String& Caption, int Group) {
  auto* B = new TSpeedButton(this);
  B->SetParent(this);
  B->SetBounds(X, Y, W, kButtonHeight);
  B->SetCaption(Caption);
  B->SetGroupIndex(Group);
  return B;
}

void TGalleryForm::BuildCounter() {
  FDisplay = new TSevenSeg(this);
  FDisplay->SetName(u"Display");
  FDisplay->SetParent(this);
  FDisplay->SetBounds(kMargin, 40, 216, 76);
  FDisplay->SetNumDigits(4);
  FDisplay->SetFrameStyle(fsLowered);

  // Holding a button steps the counter on and on; a click steps it once.
  const int Y = 128;
  FDown = new TRepSpeedButton(this);
  FDown->SetName(u"CountDown");
  FDown->SetParent(this);
  FDown->SetBounds(kMargin, Y, 48, kButtonHeight);
  FDown->SetCaption(u"\u2212");
  FDown->SetOnClick([this](TObject*) { SetCounter(FCounter - 1); });
  FDown->SetOnRepeatClick([this](TObject*) { SetCounter(FCounter - 1); });

  FUp = new TRepSpeedButton(this);
  FUp->SetName(u"CountUp");
  FUp->SetParent(this);
  FUp->SetBounds(kMargin + 54, Y, 48, kButtonHeight);
  FUp->SetCaption(u"+");
  FUp->SetOnClick([this](TObject*) { SetCounter(FCounter + 1); });
  FUp->SetOnRepeatClick([this](TObject*) { SetCounter(FCounter + 1); });

  TSpeedButton* Reset = AddButton(kMargin + 108, Y, 108, u"Reset", 0);
  Reset->SetOnClick([this](TObject*) { SetCounter(0); });

  // Digit colour: a radio group of three.
  const std::array<const char16_t*, 3> Names{u"Red", u"Green", u"Amber"};
  for (size_t I = 0; I < Names.size(); ++I) {
    TSpeedButton* B = AddButton(kMargin + 72 * static_cast<int>(I), Y + 60, 68, Names[I], 1);
    const TColor C = kDigitColours[I];
    B->SetOnClick([this, C](TObject*) { FDisplay->SetColorText(C); });
    if (I == 0) B->SetDown(true);
  }

  // Typing a number shows it at once; anything else leaves the display be.
  FValueEdit = new TEdit(this);
  FValueEdit->SetName(u"ValueEdit");
  FValueEdit->SetParent(this);
  FValueEdit->SetBounds(kMargin + 54, Y + 96, 86, 24);
  FValueEdit->SetMaxLength(4);
  FValueEdit->SetOnChange([this](TObject*) {
    if (FShowingValue) return;
    const int V = ParseCounter(FValueEdit->Text());
    if (V >= 0) SetCounter(V);
  });
  SetCounter(FCounter);
}

void TGalleryForm::BuildGradient() {
  FGradient = new TGradFill(this);
  FGradient->SetName(u"Gradient");
  FGradient->SetParent(this);
  FGradient->SetBounds(kColumn2, 40, 324, 140);
  FGradient->SetNrColors(24);
  FGradient->SetFrameStyle(fsLowered);
  ApplyPalette();

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
    FGradient->SetNrColors(FGradient->NrColors() >= 48 ? 4 : FGradient->NrColors() * 2);
  });
}

void TGalleryForm::ApplyPalette() {
  const TPalette& P = kPalettes[static_cast<size_t>(FPalette)];
  // The flip state swaps whatever pair is set, so set the pair unflipped.
  const bool Flipped = FGradient->ColorFlipped();
  FGradient->SetColorFlipped(false);
  FGradient->SetColorFirst(P.First);
  FGradient->SetColorLast(P.Last);
  FGradient->SetColorFlipped(Flipped);
  Invalidate();
}

void TGalleryForm::SetCounter(int Value) {
  FCounter = std::clamp(Value, 0, 9999);
  FDisplay->SetCaption(CounterText(FCounter));
  // Leave the box alone while it holds what the user is typing.
  if (FValueEdit && ParseCounter(FValueEdit->Text()) != FCounter) {
    FShowingValue = true;
    FValueEdit->SetText(orv::FromUtf8(std::to_string(FCounter)));
    FShowingValue = false;
  }
}

void TGalleryForm::PaintTitles(TObject*) {
  TCanvas* C = Canvas();
  C->Brush()->SetStyle(bsClear);
  C->Font()->SetColor(0x000000);
  C->Font()->SetStyle(TFontStyles{fsBold});
  C->TextOut(kMargin, 14, u"Seven-segment display");
  C->TextOut(kColumn2, 14, u"Gradient fill");
  C->Font()->SetStyle(TFontStyles{});
  C->Font()->SetColor(0x404040);
  C->TextOut(kMargin, 162, u"Hold \u2212 or + to count on and on");
  C->TextOut(kMargin, 228, u"Value:");
  C->TextOut(kColumn2, 256, u"Palette: ");
  C->TextOut(kColumn2 + C->TextWidth(u"Palette: "), 256, kPalettes[static_cast<size_t>(FPalette)].Name);
  C->Brush()->SetStyle(bsSolid);
}

}  // namespace gallery
