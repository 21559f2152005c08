// TNumLab: defaults and setter rules, the displayed text (separator, sign,
// handler, overflow), placement of the value in the box, empty and disabled
// looks, transparency, mouse areas and Assign.

#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/sim.h"
#include "framework/forms/form.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/sysutils.h"
#include "framework/rtl/unicode.h"
#include "numlab/numlab.h"

namespace orv {
namespace {

constexpr TColor kBox = 0xE0FFE0;
constexpr TColor kOut = 0xFFE0E0;
const String kSample = u"(8g]}\u00DC\u00C4\u00A7";

std::unique_ptr<TBitmap> Render(TControl* C) {
  auto Bmp = std::make_unique<TBitmap>(C->Width(), C->Height());
  C->PaintTo(Bmp->Canvas(), 0, 0);
  return Bmp;
}

std::string U8(const String& S) { return ToUtf8(S); }

TEST(NumLab, DefaultsAndSetterLimits) {
  TNumLab L(nullptr);
  EXPECT_EQ(L.Width(), 160);
  EXPECT_EQ(L.Height(), 28);
  EXPECT_EQ(L.LeftSpace(), 35);
  EXPECT_EQ(L.LabelWidth(), 80);
  EXPECT_EQ(L.Precision(), 2);
  EXPECT_EQ(L.DisplayType(), dtFixP);
  EXPECT_EQ(L.FrameStyle(), fsLowered);
  EXPECT_EQ(U8(L.StateText()), "undefined");
  EXPECT_EQ(U8(L.OverflowIndicator()), "*********");
  EXPECT_EQ(U8(L.DTFormat()), "mmm-dd, yyyy");
  EXPECT_EQ(L.Alignment(), taCenter);
  EXPECT_EQ(L.LeftTextAlignment(), taRightJustify);
  EXPECT_EQ(L.RightTextAlignment(), taLeftJustify);
  EXPECT_EQ(L.ColorLabBakG(), clBtnFace);
  EXPECT_EQ(L.ColorOutBakG(), clBtnFace);

  L.SetLeftSpace(-1);
  EXPECT_EQ(L.LeftSpace(), 35);
  L.SetLeftSpace(500);
  EXPECT_EQ(L.LeftSpace(), 160);
  L.SetPrecision(-3);
  EXPECT_EQ(L.Precision(), 2);
  L.SetPrecision(20);
  EXPECT_EQ(L.Precision(), 15);
  L.SetColorScheme(csSystem);
  EXPECT_EQ(L.ColGrayLine(), clBtnShadow);
  EXPECT_EQ(L.ColWhiteLine(), clBtnHighlight);
}

TEST(NumLab, SeparatorAndSignApplyToNumberTypesOnly) {
  TNumLab L(nullptr);
  EXPECT_EQ(U8(L.DisplayText()), "0.00");
  L.SetForcePlusSign(true);
  EXPECT_EQ(U8(L.DisplayText()), "0.00");  // zero takes no sign
  L.SetValue(1.5);
  EXPECT_EQ(U8(L.DisplayText()), "+1.50");
  L.SetForcePlusSign(false);
  L.SetValue(3.14159);
  L.SetComma(true);
  EXPECT_EQ(U8(L.DisplayText()), "3,14");
  L.SetComma(false);
  const Char Saved = FormatSettings.DecimalSeparator;
  FormatSettings.DecimalSeparator = u',';
  EXPECT_EQ(U8(L.DisplayText()), "3.14");
  FormatSettings.DecimalSeparator = Saved;

  L.SetForcePlusSign(true);
  L.SetValue(255);
  L.SetDisplayType(dtHex);
  EXPECT_EQ(U8(L.DisplayText()), "FF");
  L.SetDisplayType(dtOct);
  EXPECT_EQ(U8(L.DisplayText()), "+377");
  L.SetDisplayType(dtState);
  EXPECT_EQ(U8(L.DisplayText()), "undefined");
}

TEST(NumLab, HandlerRewritesAndWideTextsOverflow) {
  TNumLab L(nullptr);
  L.SetOnBeforeDisplay([&](TObject* Sender, String& Text) {
    EXPECT_EQ(Sender, &L);
    if (Text == u"0.00") Text = u"n/a";
  });
  EXPECT_EQ(U8(L.DisplayText()), "n/a");
  L.SetValue(123456789012.0);
  EXPECT_EQ(U8(L.DisplayText()), "*********");
  // State texts are never replaced, however wide.
  L.SetStateText(u"a state text far wider than the label box is");
  L.SetDisplayType(dtState);
  EXPECT_EQ(U8(L.DisplayText()), "a state text far wider than the label box is");
  // A value with no integer text shows the indicator instead of failing.
  L.SetDisplayType(dtInt);
  L.SetValue(1e300);
  EXPECT_EQ(U8(L.DisplayText()), "*********");
  L.SetEmpty(true);
  EXPECT_EQ(U8(L.DisplayText()), "");
}

// The value drawn in the box matches the same text written at the position
// its alignment defines, over the box colour inside the clip rectangle.
TEST(NumLab, ValueIsPlacedByAlignmentInsideTheBox) {
  TNumLab L(nullptr);
  L.SetColorLabBakG(kBox);
  L.SetValue(-7.25);
  const int LS = 35, LW = 80, H = 28;
  for (TAlignment A : {taLeftJustify, taCenter, taRightJustify}) {
    L.SetAlignment(A);
    const auto Shot = Render(&L);
    TBitmap Ref(L.Width(), H);
    TCanvas* R = Ref.Canvas();
    R->SetFont(L.Font());
    const int TW = R->TextWidth(u"-7.25"), TY = (H - R->TextHeight(kSample)) / 2;
    const int X = A == taLeftJustify ? LS + 4 : A == taRightJustify ? LS + LW - TW - 2 : LS + (LW - TW) / 2 + 2;
    R->Font()->SetColor(clBlack);
    R->Brush()->SetColor(kBox);
    R->TextRect(TRect{LS + 3, 2, LS + LW - 1, H - 3}, X, TY, u"-7.25");
    int Ink = 0;
    for (int Y = 2; Y < H - 3; ++Y)
      for (int XX = LS + 3; XX < LS + LW - 1; ++XX) {
        ASSERT_EQ(Shot->Canvas()->Pixels(XX, Y), R->Pixels(XX, Y)) << "alignment " << int(A) << " at " << XX << "," << Y;
        Ink += R->Pixels(XX, Y) != kBox;
      }
    EXPECT_GT(Ink, 10);
  }
}

TEST(NumLab, EmptyBoxAndFrameless) {
  TNumLab L(nullptr);
  L.SetColorLabBakG(kBox);
  L.SetColorOutBakG(kOut);
  L.SetEmpty(true);
  L.SetFrameStyle(fsNone);
  const auto Shot = Render(&L);
  // The box LS + 1 .. LS + LW by 0 .. H - 2 is plain box colour, the rest outside colour.
  for (int Y = 0; Y < 28; ++Y)
    for (int X = 0; X < 160; ++X) {
      const bool InBox = X >= 36 && X <= 115 && Y <= 26;
      ASSERT_EQ(Shot->Canvas()->Pixels(X, Y), InBox ? kBox : kOut) << X << "," << Y;
    }
}

TEST(NumLab, DisabledCaptionIsEngravedAndValueGrey) {
  TNumLab L(nullptr);
  L.SetColorOutBakG(kOut);
  L.SetColorLabBakG(kBox);
  L.SetLeftText(u"U");
  L.Font()->SetQuality(fqNonAntialiased);
  L.SetEnabled(false);
  const auto Shot = Render(&L);
  int White = 0, Gray = 0, Black = 0, Shadow = 0;
  for (int Y = 0; Y < 28; ++Y) {
    for (int X = 0; X < 35; ++X) {
      const TColor C = Shot->Canvas()->Pixels(X, Y);
      White += C == clWhite;
      Gray += C == clGray;
      Black += C == clBlack;
    }
    for (int X = 38; X < 114; ++X) Shadow += Shot->Canvas()->Pixels(X, Y) == ColorToRGB(clBtnShadow);
  }
  EXPECT_GT(White, 5);
  EXPECT_GT(Gray, 5);
  EXPECT_EQ(Black, 0);
  EXPECT_GT(Shadow, 5);
}

TEST(NumLab, TransparentLabelLetsTheParentThrough) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 200, 60);
  Form.SetColor(0x00FF00);
  auto* L = new TNumLab(&Form);
  L->SetParent(&Form);
  L->SetBounds(10, 10, 160, 28);
  L->SetColorLabBakG(kBox);
  L->SetTransparent(true);
  TBitmap Shot(200, 60);
  Form.PaintTo(Shot.Canvas(), 0, 0);
  // Outside the box the white background leaves the form's colour.
  EXPECT_EQ(Shot.Canvas()->Pixels(10 + 5, 10 + 3), 0x00FF00u);
  EXPECT_EQ(Shot.Canvas()->Pixels(10 + 150, 10 + 25), 0x00FF00u);
  // Black text: the box colour is laid under it first (kBox AND kBox).
  EXPECT_EQ(Shot.Canvas()->Pixels(10 + 40, 10 + 4), kBox);
}

TEST(NumLab, MouseAreaFollowsThePointer) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 200, 60);
  auto* L = new TNumLab(&Form);
  L->SetParent(&Form);
  int Moves = 0;
  L->SetOnMouseMove([&](TObject*, TShiftState, int, int) { ++Moves; });
  sim::MouseMove(L, TShiftState{}, 35, 5);
  EXPECT_EQ(L->MouseAreaCode(), 0);
  sim::MouseMove(L, TShiftState{}, 36, 5);
  EXPECT_EQ(L->MouseAreaCode(), 1);
  sim::MouseMove(L, TShiftState{}, 116, 5);
  EXPECT_EQ(L->MouseAreaCode(), 2);
  EXPECT_EQ(Moves, 3);
}

TEST(NumLab, AssignCopiesAllButSeparatorSignAndPattern) {
  TNumLab A(nullptr), B(nullptr);
  A.SetValue(42);
  A.SetDisplayType(dtHex);
  A.SetPrecision(4);
  A.SetLeftText(u"L");
  A.SetColorScheme(csSystem);
  A.SetComma(true);
  A.SetForcePlusSign(true);
  A.SetDTFormat(u"yyyy");
  B.Assign(&A);
  EXPECT_EQ(B.Value(), 42);
  EXPECT_EQ(B.DisplayType(), dtHex);
  EXPECT_EQ(B.Precision(), 4);
  EXPECT_EQ(U8(B.LeftText()), "L");
  EXPECT_EQ(B.ColGrayLine(), clBtnShadow);
  EXPECT_FALSE(B.Comma());
  EXPECT_FALSE(B.ForcePlusSign());
  EXPECT_EQ(U8(B.DTFormat()), "mmm-dd, yyyy");
}

}  // namespace
}  // namespace orv
