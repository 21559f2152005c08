#include "framework/graphics/colors.h"

#include <gtest/gtest.h>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/unicode.h"

namespace orv {
namespace {

TEST(ColorConstants, ChannelOrderAndSystemIndices) {
  EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x563412u);
  EXPECT_EQ(GetRValue(clRed), 0xFF);
  EXPECT_EQ(GetBValue(clBlue), 0xFF);
  EXPECT_EQ(RGB(0x00, 0x80, 0x80), clTeal);
  EXPECT_EQ(clBtnFace, 0xFF00000Fu);
  EXPECT_EQ(clHotLight, 0xFF00001Au);
  EXPECT_TRUE(IsSystemColor(clMenuBar));
  EXPECT_FALSE(IsSystemColor(clNone));
  EXPECT_FALSE(IsSystemColor(clDefault));
}

TEST(ColorToRGB, ResolvesSystemColoursToTheClassicTheme) {
  EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0u);
  EXPECT_EQ(ColorToRGB(clBtnShadow), 0x808080u);
  EXPECT_EQ(ColorToRGB(clBtnHighlight), 0xFFFFFFu);
  EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFFu);
  EXPECT_EQ(ColorToRGB(clWindowText), 0x000000u);
  EXPECT_EQ(ColorToRGB(clHighlight), 0x800000u);
  EXPECT_EQ(ColorToRGB(clHighlightText), 0xFFFFFFu);
  EXPECT_EQ(ColorToRGB(cl3DDkShadow), 0x000000u);
  EXPECT_EQ(ColorToRGB(cl3DLight), 0xDFDFDFu);
  EXPECT_EQ(ColorToRGB(clInfoBk), 0xE1FFFFu);
  EXPECT_EQ(ColorToRGB(clMenuBar), 0xC0C0C0u);
  // Every value the table covers is a plain RGB colour.
  for (TColor Index = 0; Index <= 30; ++Index) EXPECT_FALSE(IsSystemColor(ColorToRGB(clSystemColor | Index)));
}

TEST(ColorToRGB, LeavesOtherValuesAloneAndUnknownSystemIndicesBlack) {
  EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  EXPECT_EQ(ColorToRGB(clDefault), clDefault);
  EXPECT_EQ(ColorToRGB(clSystemColor | 25), clBlack);
  EXPECT_EQ(ColorToRGB(clSystemColor | 31), clBlack);
  EXPECT_EQ(ColorToRGB(0xFF0000FF), clBlack);
}

TEST(ColorToString, NamesConstantsAndFormatsOthersAsHex) {
  EXPECT_EQ(ColorToString(clRed), u"clRed");
  EXPECT_EQ(ColorToString(clBtnFace), u"clBtnFace");
  EXPECT_EQ(ColorToString(cl3DDkShadow), u"cl3DDkShadow");
  EXPECT_EQ(ColorToString(clNone), u"clNone");
  EXPECT_EQ(ColorToString(clDefault), u"clDefault");
  EXPECT_EQ(ColorToString(clMedGray), u"clMedGray");
  // Shared values take the basic colour's name.
  EXPECT_EQ(ColorToString(0x808080), u"clGray");
  EXPECT_EQ(ColorToString(0xC0C0C0), u"clSilver");
  EXPECT_EQ(ColorToString(0x00ABCDEF), u"$00ABCDEF");
  EXPECT_EQ(ColorToString(0x000001), u"$00000001");
  EXPECT_EQ(ColorToString(clSystemColor | 25), u"$FF000019");
}

TEST(StringToColor, ReadsNamesHexAndDecimal) {
  EXPECT_EQ(StringToColor(u"clRed"), clRed);
  EXPECT_EQ(StringToColor(u"CLBTNFACE"), clBtnFace);
  EXPECT_EQ(StringToColor(u"clnone"), clNone);
  EXPECT_EQ(StringToColor(u"$00ABCDEF"), 0xABCDEFu);
  EXPECT_EQ(StringToColor(u"$FF00000F"), clBtnFace);
  EXPECT_EQ(StringToColor(u"0x10"), 0x10u);
  EXPECT_EQ(StringToColor(u"255"), 255u);
  EXPECT_EQ(StringToColor(u"-1"), 0xFFFFFFFFu);
}

TEST(StringToColor, RoundTripsEveryNamedAndUnnamedValue) {
  for (TColor C : {clBlack, clWhite, clMoneyGreen, clCream, clBtnShadow, clGradientInactiveCaption, clMenuHighlight,
                   clNone, clDefault, TColor{0x00010203}, TColor{0x7FFFFFFF}, TColor{0xFF000019}})
    EXPECT_EQ(StringToColor(ColorToString(C)), C) << ToUtf8(ColorToString(C));
}

TEST(StringToColor, RejectsUnknownText) {
  for (const char16_t* Bad : {u"clNoSuchColour", u"", u"red", u"$", u"12 ", u"$1FFFFFFFF"}) {
    try {
      StringToColor(Bad);
      ADD_FAILURE() << "accepted " << ToUtf8(Bad);
    } catch (const EConvertError& E) {
      EXPECT_EQ(E.Message(), u"'" + String(Bad) + u"' is not a valid integer value");
    }
  }
}

}  // namespace
}  // namespace orv
