#pragma once
// TColSel: an owner-drawn combo box listing up to 47 colours, each as a
// colour bar and its name. Palettes come from the predefined colour table;
// single entries can be changed by program or, where allowed, by the user
// with the colour dialog (drop the list down with the pointer over the bar).

#include <array>
#include <functional>

#include "framework/controls/combobox.h"
#include "framework/graphics/colors.h"

namespace orv {

using TOnColorNameChangeEvent = std::function<void(TObject* Sender, String& ColorName)>;

class TColSel : public TCustomComboBox {
 public:
  static constexpr int kMaxColors = 47;

  // Created with 20 colours (the predefined entries 1..47 in the slots),
  // colour 1 selected, 30-pixel bars, nothing editable.
  explicit TColSel(TComponent* AOwner);

  // Width of the colour bar; 0 draws names only (and never opens the dialog).
  int ColorBarWidth() const { return FColorBarWidth; }
  void SetColorBarWidth(int Value);
  // Colours listed, 1..47 (others ignored); setting selects colour 1.
  int NumColors() const { return FNumColors; }
  void SetNumColors(int Value);
  // The selected colour. Setting selects the first listed colour of the same
  // RGB value; when none has it, the selected slot takes the colour.
  TColor SelColor() const { return FColors[static_cast<size_t>(FSelColorIx - 1)]; }
  void SetSelColor(TColor Value);
  void SetEnabled(bool Value) override;

  // Slots 1..NumColors; outside, getters give 0, false or "" and setters do nothing.
  TColor GetArrayColor(int Index) const;
  void SetArrayColor(int Index, TColor Color);
  String GetArrayColorName(int Index) const;
  // Renames a slot as given (no OnColorNameChange: the name is not generated).
  void SetArrayColorName(int Index, const String& Name);
  bool GetArrayAllowEdit(int Index) const;
  void SetArrayAllowEdit(int Index, bool Allowed);
  void SetAllColorEditFlags();
  void ResetAllColorEditFlags();
  // Name of the selected colour; "" when no entry is selected.
  String GetSelColorID() const;

  void LoadBasicVGAPalette();       // predefined 1..16
  void LoadExtendedPalette();       // predefined 1..20
  void LoadStandardPalette();       // predefined 1..47
  void LoadWindowsSystemPalette();  // predefined 21..47

  TOnColorNameChangeEvent OnColorNameChange() const { return FOnCNameChange; }
  void SetOnColorNameChange(TOnColorNameChangeEvent Value) { FOnCNameChange = std::move(Value); }

  void Loaded() override;

 protected:
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
  void Select() override;
  void DropDown() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  static bool Valid(int Index, int Count) { return Index >= 1 && Index <= Count; }
  // Stores a colour with its generated name (OnColorNameChange may change it).
  void StoreColor(int Index, TColor Color, TColor NameFrom);
  void LoadPalette(int First, int Count);
  void FillList();
  void Refresh();

  int FColorBarWidth = 30;
  int FSelColorIx = 1;
  int FNumColors = 20;
  bool FEnabled = true;
  int FMouseAreaCode = 0;
  std::array<TColor, kMaxColors> FColors{};
  std::array<String, kMaxColors> FColorNames;
  std::array<bool, kMaxColors> FIsUserEditable{};
  TOnColorNameChangeEvent FOnCNameChange;
};

}  // namespace orv
