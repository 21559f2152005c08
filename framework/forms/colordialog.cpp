#include "framework/forms/colordialog.h"

#include <algorithm>
#include <cmath>

#include "framework/controls/application.h"
#include "framework/controls/label.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/rtlmath.h"
#include "framework/rtl/sysutils.h"

namespace orv {

namespace {

// Basic colours of the palette, six rows of eight.
constexpr std::array<TColor, 48> kPalette{
    0x8080FF, 0x80FFFF, 0x80FF80, 0x80FF00, 0xFFFF80, 0xFF8000, 0xC080FF, 0xFF80FF,
    0x0000FF, 0x00FFFF, 0x00FF80, 0x40FF00, 0xFFFF00, 0xC08000, 0xC08080, 0xFF00FF,
    0x404080, 0x4080FF, 0x00FF00, 0x808000, 0x804000, 0xFF8080, 0x400080, 0x8000FF,
    0x000080, 0x0080FF, 0x008000, 0x408000, 0xFF0000, 0xA00000, 0x800080, 0xFF0080,
    0x000040, 0x004080, 0x004000, 0x404000, 0x800000, 0x400000, 0x400040, 0x800040,
    0x000000, 0x008080, 0x408080, 0x808080, 0x808040, 0xC0C0C0, 0x400040, 0xFFFFFF,
};
constexpr int kSwatch = 22, kGap = 4, kMargin = 12;
constexpr std::array<int, 6> kLimit{255, 255, 255, 359, 100, 100};
constexpr std::array<const char16_t*, 6> kNames{u"&Red:", u"&Green:", u"&Blue:", u"&Hue:", u"&Sat:", u"&Lum:"};

int Channel(TColor C, int Shift) { return static_cast<int>((C >> Shift) & 0xFF); }

}  // namespace

void ColorToHslParts(TColor Color, int& H, int& S, int& L) {
  const TColor C = ColorToRGB(Color);
  const double R = Channel(C, 0) / 255.0, G = Channel(C, 8) / 255.0, B = Channel(C, 16) / 255.0;
  const double Max = std::max({R, G, B}), Min = std::min({R, G, B});
  const double Light = (Max + Min) / 2;
  double Hue = 0, Sat = 0;
  if (Max > Min) {
    const double D = Max - Min;
    Sat = Light > 0.5 ? D / (2 - Max - Min) : D / (Max + Min);
    if (Max == R) Hue = (G - B) / D + (G < B ? 6 : 0);
    else if (Max == G) Hue = (B - R) / D + 2;
    else Hue = (R - G) / D + 4;
    Hue *= 60;
  }
  H = static_cast<int>(Round(Hue)) % 360;
  S = static_cast<int>(Round(Sat * 100));
  L = static_cast<int>(Round(Light * 100));
}

TColor HslPartsToColor(int H, int S, int L) {
  const double Hue = ((H % 360) + 360) % 360 / 360.0;
  const double Sat = std::clamp(S, 0, 100) / 100.0, Light = std::clamp(L, 0, 100) / 100.0;
  const auto Part = [](double P, double Q, double T) {
    if (T < 0) T += 1;
    if (T > 1) T -= 1;
    if (T < 1.0 / 6) return P + (Q - P) * 6 * T;
    if (T < 0.5) return Q;
    if (T < 2.0 / 3) return P + (Q - P) * (2.0 / 3 - T) * 6;
    return P;
  };
  double R = Light, G = Light, B = Light;
  if (Sat > 0) {
    const double Q = Light < 0.5 ? Light * (1 + Sat) : Light + Sat - Light * Sat;
    const double P = 2 * Light - Q;
    R = Part(P, Q, Hue + 1.0 / 3);
    G = Part(P, Q, Hue);
    B = Part(P, Q, Hue - 1.0 / 3);
  }
  const auto Byte = [](double V) { return static_cast<uint8_t>(std::clamp<long long>(Round(V * 255), 0, 255)); };
  return RGB(Byte(R), Byte(G), Byte(B));
}

TColorDialog::TColorDialog(TComponent* AOwner) : TComponent(AOwner) {}

bool TColorDialog::Execute() {
  if (Application && Application->ColorDialogHandler()) return Application->ColorDialogHandler()(this);
  TColorDialogForm Form(nullptr, FColor);
  if (Form.ShowModal() != mrOk) return false;
  FColor = Form.Chosen();
  return true;
}

TColorDialogForm::TColorDialogForm(TComponent* AOwner, TColor Initial)
    : TForm(AOwner), FInitial(ColorToRGB(Initial)), FChosen(ColorToRGB(Initial)) {
  SetCaption(u"Color");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  const int PaletteWidth = 8 * (kSwatch + kGap) - kGap;
  SetBounds(0, 0, 2 * kMargin + PaletteWidth + 16 + 170, 2 * kMargin + 6 * (kSwatch + kGap) + 40);
  const int FieldsLeft = kMargin + PaletteWidth + 16;
  for (int I = 0; I < 6; ++I) {
    const int Col = I / 3, Row = I % 3;
    auto* Caption = new TLabel(this);
    Caption->SetParent(this);
    Caption->SetBounds(FieldsLeft + Col * 88, 96 + Row * 28 + 4, 46, 18);
    Caption->SetCaption(kNames[static_cast<size_t>(I)]);
    auto* E = new TEdit(this);
    E->SetParent(this);
    E->SetBounds(FieldsLeft + Col * 88 + 46, 96 + Row * 28, 38, 24);
    E->SetMaxLength(3);
    E->SetOnChange([this, I](TObject*) { FieldChanged(I); });
    Caption->SetFocusControl(E);
    FFields[static_cast<size_t>(I)] = E;
  }
  FOk = new TSpeedButton(this);
  FOk->SetParent(this);
  FOk->SetCaption(u"OK");
  FOk->SetBounds(Width() - kMargin - 2 * 72 - 6, Height() - kMargin - 26, 72, 26);
  FOk->SetOnClick([this](TObject*) { SetModalResult(mrOk); });
  auto* Cancel = new TSpeedButton(this);
  Cancel->SetParent(this);
  Cancel->SetCaption(u"Cancel");
  Cancel->SetBounds(Width() - kMargin - 72, Height() - kMargin - 26, 72, 26);
  Cancel->SetOnClick([this](TObject*) { SetModalResult(mrCancel); });
  SetKeyPreview(true);
  SetOnKeyDown([this](TObject*, uint16_t& Key, TShiftState) {
    if (Key == VK_RETURN) SetModalResult(mrOk);
    if (Key == VK_ESCAPE) SetModalResult(mrCancel);
  });
  Choose(FChosen);
}

TRect TColorDialogForm::SwatchRect(int Index) const {
  const int X = kMargin + (Index % 8) * (kSwatch + kGap), Y = kMargin + (Index / 8) * (kSwatch + kGap);
  return TRect{X, Y, X + kSwatch, Y + kSwatch};
}

TRect TColorDialogForm::PreviewRect() const {
  const int Left = kMargin + 8 * (kSwatch + kGap) - kGap + 16;
  return TRect{Left, kMargin, Left + 170, kMargin + 72};
}

void TColorDialogForm::Choose(TColor Value) {
  FChosen = ColorToRGB(Value) & 0xFFFFFF;
  int H = 0, S = 0, L = 0;
  ColorToHslParts(FChosen, H, S, L);
  const std::array<int, 6> Parts{Channel(FChosen, 0), Channel(FChosen, 8), Channel(FChosen, 16), H, S, L};
  FUpdating = true;
  for (size_t I = 0; I < Parts.size(); ++I) {
    if (StrToIntDef(FFields[I]->Text(), -1) != Parts[I]) FFields[I]->SetText(IntToStr(Parts[I]));
  }
  FUpdating = false;
  Invalidate();
}

void TColorDialogForm::FieldChanged(int Index) {
  if (FUpdating) return;
  // Digits only, within the field's range; anything else waits for more typing.
  std::array<int, 6> V{};
  for (size_t I = 0; I < V.size(); ++I) {
    V[I] = StrToIntDef(FFields[I]->Text(), -1);
    if (V[I] < 0 || V[I] > kLimit[I]) return;
  }
  const TColor C = Index < 3 ? RGB(static_cast<uint8_t>(V[0]), static_cast<uint8_t>(V[1]), static_cast<uint8_t>(V[2]))
                             : HslPartsToColor(V[3], V[4], V[5]);
  FChosen = C;
  // The other group follows; the field being typed in keeps its text.
  int H = 0, S = 0, L = 0;
  ColorToHslParts(C, H, S, L);
  const std::array<int, 6> Parts{Channel(C, 0), Channel(C, 8), Channel(C, 16), H, S, L};
  FUpdating = true;
  for (size_t I = (Index < 3 ? 3 : 0); I < (Index < 3 ? 6u : 3u); ++I) FFields[I]->SetText(IntToStr(Parts[I]));
  FUpdating = false;
  Invalidate();
}

void TColorDialogForm::Paint() {
  TForm::Paint();
  TCanvas* C = Canvas();
  C->Save();
  for (int I = 0; I < static_cast<int>(kPalette.size()); ++I) {
    const TRect R = SwatchRect(I);
    const bool Current = kPalette[static_cast<size_t>(I)] == FChosen;
    C->Pen()->SetColor(Current ? clBlack : clBtnShadow);
    C->Pen()->SetWidth(Current ? 2 : 1);
    C->Brush()->SetColor(kPalette[static_cast<size_t>(I)]);
    C->Rectangle(R);
  }
  C->Pen()->SetWidth(1);
  const TRect P = PreviewRect();
  const int Mid = (P.Left + P.Right) / 2;
  C->Pen()->SetColor(clBtnShadow);
  C->Brush()->SetColor(FInitial);
  C->Rectangle(P.Left, P.Top, Mid + 1, P.Bottom);
  C->Brush()->SetColor(FChosen);
  C->Rectangle(Mid, P.Top, P.Right, P.Bottom);
  C->Restore();
}

void TColorDialogForm::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TForm::MouseDown(Button, Shift, X, Y);
  for (int I = 0; I < static_cast<int>(kPalette.size()); ++I) {
    if (SwatchRect(I).Contains(TPoint{X, Y})) {
      Choose(kPalette[static_cast<size_t>(I)]);
      return;
    }
  }
}

}  // namespace orv
