#include "framework/graphics/colors.h"

#include <array>

#include "framework/rtl/sysutils.h"

namespace orv {

namespace {

struct TColorIdent {
  TColor Color;
  std::u16string_view Name;
};

// Basic colours first so that a value two constants share gets the basic name.
constexpr std::array<TColorIdent, 52> kColorIdents{{
    {clBlack, u"clBlack"},
    {clMaroon, u"clMaroon"},
    {clGreen, u"clGreen"},
    {clOlive, u"clOlive"},
    {clNavy, u"clNavy"},
    {clPurple, u"clPurple"},
    {clTeal, u"clTeal"},
    {clGray, u"clGray"},
    {clSilver, u"clSilver"},
    {clRed, u"clRed"},
    {clLime, u"clLime"},
    {clYellow, u"clYellow"},
    {clBlue, u"clBlue"},
    {clFuchsia, u"clFuchsia"},
    {clAqua, u"clAqua"},
    {clWhite, u"clWhite"},
    {clMoneyGreen, u"clMoneyGreen"},
    {clSkyBlue, u"clSkyBlue"},
    {clCream, u"clCream"},
    {clMedGray, u"clMedGray"},
    {clActiveBorder, u"clActiveBorder"},
    {clActiveCaption, u"clActiveCaption"},
    {clAppWorkSpace, u"clAppWorkSpace"},
    {clBackground, u"clBackground"},
    {clBtnFace, u"clBtnFace"},
    {clBtnHighlight, u"clBtnHighlight"},
    {clBtnShadow, u"clBtnShadow"},
    {clBtnText, u"clBtnText"},
    {clCaptionText, u"clCaptionText"},
    {clDefault, u"clDefault"},
    {clGradientActiveCaption, u"clGradientActiveCaption"},
    {clGradientInactiveCaption, u"clGradientInactiveCaption"},
    {clGrayText, u"clGrayText"},
    {clHighlight, u"clHighlight"},
    {clHighlightText, u"clHighlightText"},
    {clHotLight, u"clHotLight"},
    {clInactiveBorder, u"clInactiveBorder"},
    {clInactiveCaption, u"clInactiveCaption"},
    {clInactiveCaptionText, u"clInactiveCaptionText"},
    {clInfoBk, u"clInfoBk"},
    {clInfoText, u"clInfoText"},
    {clMenu, u"clMenu"},
    {clMenuBar, u"clMenuBar"},
    {clMenuHighlight, u"clMenuHighlight"},
    {clMenuText, u"clMenuText"},
    {clNone, u"clNone"},
    {clScrollBar, u"clScrollBar"},
    {cl3DDkShadow, u"cl3DDkShadow"},
    {cl3DLight, u"cl3DLight"},
    {clWindow, u"clWindow"},
    {clWindowFrame, u"clWindowFrame"},
    {clWindowText, u"clWindowText"},
}};

// RGB values of the system colours by index, from the classic grey desktop
// theme. Index 25 has no colour assigned and reads black.
constexpr std::array<TColor, 31> kSystemRGB{{
    0xC0C0C0,  //  0 scroll bar
    0x808000,  //  1 desktop background (teal)
    0x800000,  //  2 active caption (navy)
    0x808080,  //  3 inactive caption
    0xC0C0C0,  //  4 menu
    0xFFFFFF,  //  5 window
    0x000000,  //  6 window frame
    0x000000,  //  7 menu text
    0x000000,  //  8 window text
    0xFFFFFF,  //  9 caption text
    0xC0C0C0,  // 10 active border
    0xC0C0C0,  // 11 inactive border
    0x808080,  // 12 application work space
    0x800000,  // 13 highlight
    0xFFFFFF,  // 14 highlight text
    0xC0C0C0,  // 15 button face
    0x808080,  // 16 button shadow
    0x808080,  // 17 gray text
    0x000000,  // 18 button text
    0xC0C0C0,  // 19 inactive caption text
    0xFFFFFF,  // 20 button highlight
    0x000000,  // 21 3D dark shadow
    0xDFDFDF,  // 22 3D light
    0x000000,  // 23 tooltip text
    0xE1FFFF,  // 24 tooltip background (pale yellow)
    0x000000,  // 25 unassigned
    0x800000,  // 26 hot-tracked item
    0xD08410,  // 27 gradient end of the active caption
    0xC0C0C0,  // 28 gradient end of the inactive caption
    0x800000,  // 29 highlighted menu item
    0xC0C0C0,  // 30 menu bar
}};

}  // namespace

TColor ColorToRGB(TColor Color) {
  if (!IsSystemColor(Color)) return Color;
  const TColor Index = Color & 0xFF;
  return Index < kSystemRGB.size() ? kSystemRGB[Index] : clBlack;
}

bool ColorToIdent(TColor Color, String& Ident) {
  for (const TColorIdent& Entry : kColorIdents) {
    if (Entry.Color == Color) {
      Ident = String(Entry.Name);
      return true;
    }
  }
  return false;
}

bool IdentToColor(std::u16string_view Ident, TColor& Color) {
  for (const TColorIdent& Entry : kColorIdents) {
    if (SameText(Entry.Name, Ident)) {
      Color = Entry.Color;
      return true;
    }
  }
  return false;
}

String ColorToString(TColor Color) {
  String Name;
  if (ColorToIdent(Color, Name)) return Name;
  return u"$" + IntToHex(Color, 8);
}

TColor StringToColor(std::u16string_view S) {
  TColor Color = 0;
  if (IdentToColor(S, Color)) return Color;
  return static_cast<TColor>(StrToInt(S));
}

}  // namespace orv
