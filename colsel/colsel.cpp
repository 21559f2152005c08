#include "colsel/colsel.h"

#include <cmath>
#include <memory>

#include "foundation/colorfuncs.h"
#include "framework/forms/colordialog.h"

namespace orv {

TColSel::TColSel(TComponent* AOwner) : TCustomComboBox(AOwner) {
  SetStyle(csOwnerDrawFixed);
  for (int I = 0; I < kMaxColors; ++I) {
    FColors[static_cast<size_t>(I)] = PredefinedColors[static_cast<size_t>(I)].Color;
    FColorNames[static_cast<size_t>(I)] = ColorToString(FColors[static_cast<size_t>(I)]);
  }
  // A selector made at run time shows its colours at once; one loaded
  // from a form fills its list again in Loaded.
  FillList();
}

void TColSel::Loaded() {
  TCustomComboBox::Loaded();
  FillList();
}

void TColSel::Refresh() { Invalidate(); }

void TColSel::FillList() {
  Items()->BeginUpdate();
  Items()->Clear();
  for (int I = 0; I < FNumColors; ++I) Items()->Add(FColorNames[static_cast<size_t>(I)]);
  Items()->EndUpdate();
  SetItemIndex(FSelColorIx - 1);
}

void TColSel::SetColorBarWidth(int Value) {
  if (Value == FColorBarWidth || Value < 0) return;
  FColorBarWidth = Value;
  Refresh();
}

void TColSel::SetNumColors(int Value) {
  if (Value < 1 || Value > kMaxColors) return;
  FNumColors = Value;
  FSelColorIx = 1;
  FillList();
}

void TColSel::StoreColor(int Index, TColor Color, TColor NameFrom) {
  const size_t I = static_cast<size_t>(Index - 1);
  FColors[I] = Color;
  String Name = ColorToString(NameFrom);
  if (FOnCNameChange) FOnCNameChange(this, Name);
  FColorNames[I] = Name;
  Items()->SetStrings(Index - 1, Name);
}

void TColSel::SetSelColor(TColor Value) {
  const TColor Want = ColorToRGB(Value);
  int Found = 0;
  for (int I = 1; I <= FNumColors && !Found; ++I)
    if (ColorToRGB(FColors[static_cast<size_t>(I - 1)]) == Want) Found = I;
  if (Found) {
    FSelColorIx = Found;
    SetItemIndex(Found - 1);
  } else {
    StoreColor(FSelColorIx, Value, Want);
  }
  Refresh();
}

void TColSel::SetEnabled(bool Value) {
  FEnabled = Value;
  TCustomComboBox::SetEnabled(Value);
  Refresh();
}

TColor TColSel::GetArrayColor(int Index) const {
  return Valid(Index, FNumColors) ? FColors[static_cast<size_t>(Index - 1)] : 0;
}

void TColSel::SetArrayColor(int Index, TColor Color) {
  if (!Valid(Index, FNumColors)) return;
  StoreColor(Index, Color, Color);
  Refresh();
}

String TColSel::GetArrayColorName(int Index) const {
  return Valid(Index, FNumColors) ? FColorNames[static_cast<size_t>(Index - 1)] : String();
}

void TColSel::SetArrayColorName(int Index, const String& Name) {
  if (!Valid(Index, FNumColors)) return;
  FColorNames[static_cast<size_t>(Index - 1)] = Name;
  Items()->SetStrings(Index - 1, Name);
  Refresh();
}

bool TColSel::GetArrayAllowEdit(int Index) const {
  return Valid(Index, FNumColors) && FIsUserEditable[static_cast<size_t>(Index - 1)];
}

void TColSel::SetArrayAllowEdit(int Index, bool Allowed) {
  if (!Valid(Index, FNumColors)) return;
  FIsUserEditable[static_cast<size_t>(Index - 1)] = Allowed;
  Refresh();
}

void TColSel::SetAllColorEditFlags() {
  FIsUserEditable.fill(true);
  Refresh();
}

void TColSel::ResetAllColorEditFlags() {
  FIsUserEditable.fill(false);
  Refresh();
}

String TColSel::GetSelColorID() const {
  return ItemIndex() < 0 ? String() : FColorNames[static_cast<size_t>(FSelColorIx - 1)];
}

void TColSel::LoadPalette(int First, int Count) {
  FSelColorIx = 1;
  FNumColors = Count;
  for (int I = 1; I <= Count; ++I) {
    const TColor C = PredefinedColors[static_cast<size_t>(First + I - 2)].Color;
    StoreColor(I, C, C);
  }
  FillList();
}

void TColSel::LoadBasicVGAPalette() { LoadPalette(1, 16); }
void TColSel::LoadExtendedPalette() { LoadPalette(1, 20); }
void TColSel::LoadStandardPalette() { LoadPalette(1, 47); }
void TColSel::LoadWindowsSystemPalette() { LoadPalette(21, 27); }

void TColSel::DrawItem(int Index, const TRect& Rect, TOwnerDrawState) {
  if (Index < 0 || Index >= FNumColors) return;
  TCanvas* C = Canvas();
  const TColor SavedBrush = C->Brush()->Color();
  const TColor SavedFont = C->Font()->Color();
  const TColor Colour = FColors[static_cast<size_t>(Index)];
  const int L = Rect.Left, T = Rect.Top, R = Rect.Right, B = Rect.Bottom;
  if (FColorBarWidth > 0) {
    C->Brush()->SetStyle(bsSolid);
    if (FEnabled) {
      C->Brush()->SetColor(Colour);
      C->Rectangle(L + 3, T + 2, L + 3 + FColorBarWidth, B - 2);
    } else {
      C->Pen()->SetColor(0xC0C0C0);
      C->Brush()->SetColor(0xC0C0C0);
      C->Rectangle(L - 1, T - 1, L + 3 + FColorBarWidth, B + 1);
      C->Pen()->SetColor(0x808080);
      C->Rectangle(L + 3, T + 2, L + 3 + FColorBarWidth, B - 2);
    }
  }
  if (FIsUserEditable[static_cast<size_t>(Index)] && FColorBarWidth >= 12 && FEnabled) {
    // A sheet with a folded corner, dark on light bars and light on dark ones.
    const TColor RGBValue = ColorToRGB(Colour);
    const double Rd = RGBValue & 0xFF, Gr = (RGBValue >> 8) & 0xFF, Bl = (RGBValue >> 16) & 0xFF;
    const double Brightness = std::sqrt(Rd * Rd + Bl * Bl + 2 * Gr * Gr) / 2;
    C->Pen()->SetColor(Brightness > 180 ? clBlack : clWhite);
    const TPoint Sheet[] = {{L + 5, T + 4},  {L + 5, B - 5},  {L + 8, B - 5}, {L + 11, B - 8},
                            {L + 11, T + 7}, {L + 8, T + 4}, {L + 5, T + 4}};
    C->Polyline(Sheet);
    C->Pen()->SetColor(clBlack);
  }
  if (FEnabled) {
    C->Font()->SetColor(clBlack);
    C->Brush()->SetColor(Color());
  } else {
    C->Font()->SetColor(0x808080);
    C->Brush()->SetColor(0xC0C0C0);
  }
  const TRect Text{L + FColorBarWidth + 3, T, R, B};
  const String& Name = FColorNames[static_cast<size_t>(Index)];
  C->TextRect(Text, Text.Left + 3, T + (B - T - C->TextHeight(Name)) / 2, Name);
  C->Brush()->SetColor(SavedBrush);
  C->Font()->SetColor(SavedFont);
}

void TColSel::Select() {
  if (ItemIndex() >= 0 && ItemIndex() < FNumColors) FSelColorIx = ItemIndex() + 1;
  TCustomComboBox::Select();
}

void TColSel::MouseMove(TShiftState Shift, int X, int Y) {
  FMouseAreaCode = X < FColorBarWidth ? 1 : 0;
  TCustomComboBox::MouseMove(Shift, X, Y);
}

void TColSel::DropDown() {
  const int Entry = ItemIndex();
  if (FMouseAreaCode == 1 && Entry >= 0 && Entry < FNumColors && FIsUserEditable[static_cast<size_t>(Entry)]) {
    auto Dialog = std::make_unique<TColorDialog>(this);
    Dialog->SetColor(SelColor());
    if (Dialog->Execute()) {
      const size_t I = static_cast<size_t>(FSelColorIx - 1);
      FColors[I] = Dialog->Color();
      String Name = ColorToString(ColorToRGB(Dialog->Color()));
      Change();
      if (FOnCNameChange) FOnCNameChange(this, Name);
      FColorNames[I] = Name;
      Items()->SetStrings(FSelColorIx - 1, Name);
    }
    Dialog.reset();
    Refresh();
  }
  TCustomComboBox::DropDown();
}

}  // namespace orv
