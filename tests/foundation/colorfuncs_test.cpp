#include "foundation/colorfuncs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "framework/graphics/colors.h"

namespace orv {
namespace {

TEST(ColorToGray, UsesIntegerLumaWeights) {
  EXPECT_EQ(ColorToGray(clBlack), 0);
  EXPECT_EQ(ColorToGray(clWhite), 255);
  EXPECT_EQ(ColorToGray(clRed), 76);     // 255 * 30 / 100 = 76.5, truncated
  EXPECT_EQ(ColorToGray(clLime), 150);   // 255 * 59 / 100 = 150.45
  EXPECT_EQ(ColorToGray(clBlue), 28);    // 255 * 11 / 100 = 28.05
  EXPECT_EQ(ColorToGray(clGray), 128);
  EXPECT_EQ(ColorToGray(RGB(10, 20, 30)), (10 * 30 + 20 * 59 + 30 * 11) / 100);
}

TEST(ColorToGray, ResolvesSystemColoursFirst) {
  // A button face is light grey, not the dark value its raw index would give.
  EXPECT_EQ(ColorToGray(clBtnFace), 192);
  EXPECT_EQ(ColorToGray(clWindowText), 0);
  EXPECT_EQ(ColorToGray(clHighlight), ColorToGray(clNavy));
}

TEST(MeanColor, AveragesEachChannelTruncating) {
  EXPECT_EQ(MeanColor(clBlack, clWhite), 0x7F7F7Fu);
  EXPECT_EQ(MeanColor(clRed, clBlue), 0x7F007Fu);
  EXPECT_EQ(MeanColor(RGB(1, 2, 3), RGB(2, 4, 7)), RGB(1, 3, 5));
  EXPECT_EQ(MeanColor(0x9BD8F1, 0xD0A040), RGB((0xF1 + 0x40) / 2, (0xD8 + 0xA0) / 2, (0x9B + 0xD0) / 2));
  EXPECT_EQ(MeanColor(clBtnFace, clWhite), 0xDFDFDFu);
  EXPECT_EQ(MeanColor(clTeal, clTeal), clTeal);
}

TEST(ColorToHSL, GivesDegreesAndUnitFractions) {
  double H, S, L;
  ColorToHSL(clRed, H, S, L);
  EXPECT_DOUBLE_EQ(H, 0);
  EXPECT_DOUBLE_EQ(S, 1);
  EXPECT_DOUBLE_EQ(L, 0.5);
  ColorToHSL(clLime, H, S, L);
  EXPECT_DOUBLE_EQ(H, 120);
  ColorToHSL(clBlue, H, S, L);
  EXPECT_DOUBLE_EQ(H, 240);
  ColorToHSL(clFuchsia, H, S, L);
  EXPECT_DOUBLE_EQ(H, 300);
  ColorToHSL(clWhite, H, S, L);
  EXPECT_DOUBLE_EQ(S, 0);
  EXPECT_DOUBLE_EQ(L, 1);
  ColorToHSL(clGray, H, S, L);
  EXPECT_DOUBLE_EQ(H, 0);
  EXPECT_DOUBLE_EQ(S, 0);
  EXPECT_NEAR(L, 128 / 255.0, 1e-12);
  ColorToHSL(clNavy, H, S, L);  // 0,0,128
  EXPECT_DOUBLE_EQ(H, 240);
  EXPECT_DOUBLE_EQ(S, 1);
  EXPECT_NEAR(L, 64 / 255.0, 1e-12);
  ColorToHSL(clBtnFace, H, S, L);
  EXPECT_NEAR(L, 192 / 255.0, 1e-12);
}

TEST(HSLtoColor, BuildsTheExpectedColours) {
  EXPECT_EQ(HSLtoColor(0, 1, 0.5), clRed);
  EXPECT_EQ(HSLtoColor(120, 1, 0.5), clLime);
  EXPECT_EQ(HSLtoColor(240, 1, 0.5), clBlue);
  EXPECT_EQ(HSLtoColor(60, 1, 0.5), clYellow);
  EXPECT_EQ(HSLtoColor(180, 1, 0.5), clAqua);
  EXPECT_EQ(HSLtoColor(200, 0, 1), clWhite);
  EXPECT_EQ(HSLtoColor(200, 0.7, 0), clBlack);
  EXPECT_EQ(HSLtoColor(0, 0, 0.5), RGB(128, 128, 128));  // 127.5 rounds to even
  // Hue wraps, saturation and lightness are clamped.
  EXPECT_EQ(HSLtoColor(360 + 120, 1, 0.5), clLime);
  EXPECT_EQ(HSLtoColor(-120, 1, 0.5), clBlue);
  EXPECT_EQ(HSLtoColor(0, 2, 0.5), clRed);
  EXPECT_EQ(HSLtoColor(0, 1, 1.5), clWhite);
  EXPECT_EQ(HSLtoColor(0, 1, -1), clBlack);
  EXPECT_EQ(HSLtoColor(NAN, NAN, NAN), clBlack);
}

TEST(HSLtoColor, RoundTripsEveryRgbColourOnAGrid) {
  for (int R = 0; R < 256; R += 15)
    for (int G = 0; G < 256; G += 17)
      for (int B = 0; B < 256; B += 5) {
        const TColor C = RGB(static_cast<uint8_t>(R), static_cast<uint8_t>(G), static_cast<uint8_t>(B));
        double H, S, L;
        ColorToHSL(C, H, S, L);
        ASSERT_GE(H, 0);
        ASSERT_LT(H, 360);
        ASSERT_GE(S, 0);
        ASSERT_LE(S, 1);
        ASSERT_GE(L, 0);
        ASSERT_LE(L, 1);
        ASSERT_EQ(HSLtoColor(H, S, L), C) << R << "," << G << "," << B;
      }
}

TEST(HSLtoColor, HoverBrighteningOfTheColourButton) {
  // The colour button lightens a dark colour by 0.2 and a light one halfway to
  // white; hue and saturation survive.
  double H, S, L;
  const TColor Dark = HSLtoColor(210, 0.6, 0.1);
  ColorToHSL(Dark, H, S, L);
  EXPECT_NEAR(L, 0.1, 0.5 / 255);
  const TColor Hovered = HSLtoColor(H, S, L + 0.2);
  double H2, S2, L2;
  ColorToHSL(Hovered, H2, S2, L2);
  EXPECT_NEAR(L2, 0.3, 1.0 / 255);
  EXPECT_NEAR(H2, 210, 2);
  EXPECT_NEAR(S2, 0.6, 0.02);
  ColorToHSL(clWhite, H, S, L);
  EXPECT_EQ(HSLtoColor(H, S, (L + 1) / 2), clWhite);
}

TEST(PredefinedColors, ListsBasicExtraAndSystemColoursInOrder) {
  ASSERT_EQ(PredefinedColors.size(), 47u);
  const TColor Vga[16] = {clBlack, clMaroon, clGreen, clOlive, clNavy,    clPurple, clTeal, clGray,
                          clSilver, clRed,   clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
  for (int I = 0; I < 16; ++I) EXPECT_EQ(PredefinedColors[static_cast<size_t>(I)].Color, Vga[I]) << I;
  EXPECT_EQ(PredefinedColors[16].Color, clMoneyGreen);
  EXPECT_EQ(PredefinedColors[17].Color, clSkyBlue);
  EXPECT_EQ(PredefinedColors[18].Color, clCream);
  EXPECT_EQ(PredefinedColors[19].Color, clMedGray);
  for (size_t I = 20; I < 47; ++I) EXPECT_TRUE(IsSystemColor(PredefinedColors[I].Color)) << I;
  EXPECT_EQ(PredefinedColors[20].Color, clScrollBar);
  EXPECT_EQ(PredefinedColors[46].Color, clGradientActiveCaption);
}

TEST(PredefinedColors, NamesMatchTheTextFormAndAreUnique) {
  std::set<TColor> Seen;
  for (const TPredefinedColor& Entry : PredefinedColors) {
    EXPECT_EQ(String(Entry.Name), ColorToString(Entry.Color));
    EXPECT_EQ(StringToColor(Entry.Name), Entry.Color);
    EXPECT_TRUE(Seen.insert(Entry.Color).second) << "duplicate " << std::hex << Entry.Color;
  }
}

}  // namespace
}  // namespace orv
