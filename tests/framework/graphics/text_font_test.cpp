#include <gtest/gtest.h>

#include <cstdint>

#include "framework/graphics/font.h"
#include "framework/graphics/graphobj.h"
#include "framework/rtl/exceptions.h"

namespace orv {
namespace {

// Counts OnChange notifications of a font.
struct TChangeSpy {
  int Count = 0;
  TObject* LastSender = nullptr;
  explicit TChangeSpy(TFont& F) {
    F.SetOnChange([this](TObject* Sender) {
      ++Count;
      LastSender = Sender;
    });
  }
};

TEST(TextFont, SizeAndHeightConvertAtNinetySixDpi) {
  TFont F;
  EXPECT_EQ(F.Name(), u"DejaVu Sans");
  EXPECT_EQ(F.Height(), -12);
  EXPECT_EQ(F.Size(), 9);
  const int Cases[][2] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {7, -9}, {1, -1}, {72, -96}, {0, 0}};
  for (const auto& C : Cases) {
    F.SetSize(C[0]);
    EXPECT_EQ(F.Height(), C[1]) << C[0] << " pt";
  }
  // Heights round to the nearest point, halves away from zero.
  const int Back[][2] = {{-11, 8}, {-13, 10}, {-2, 2}, {-6, 5}, {-15, 11}};
  for (const auto& B : Back) {
    F.SetHeight(B[0]);
    EXPECT_EQ(F.Size(), B[1]) << B[0] << " px";
  }
  // Sizes whose height does not fit an int give the operating system's
  // overflow answer instead of a wrapped value.
  F.SetSize(INT32_MAX);
  EXPECT_EQ(F.Height(), 1);
  F.SetHeight(INT32_MIN);
  EXPECT_EQ(F.Size(), 1610612736);
  // A positive height (cell height) reads as a negative size and comes back unchanged.
  F.SetHeight(16);
  EXPECT_EQ(F.Size(), -12);
  F.SetSize(F.Size());
  EXPECT_EQ(F.Height(), 16);
}

TEST(TextFont, SettersReportRealChangesOnly) {
  TFont F;
  TChangeSpy Spy(F);
  F.SetName(u"DejaVu Sans");
  F.SetSize(9);
  F.SetHeight(-12);
  F.SetColor(F.Color());
  F.SetStyle(TFontStyles{});
  F.SetQuality(fqDefault);
  F.SetOrientation(0);
  F.SetEscapement(0);
  F.SetName(u"");  // an empty name is ignored
  EXPECT_EQ(Spy.Count, 0);
  EXPECT_EQ(F.Name(), u"DejaVu Sans");

  F.SetName(u"Arial");
  F.SetSize(12);
  F.SetColor(0x0000FF);
  F.SetStyle(TFontStyles{fsBold, fsUnderline});
  F.SetQuality(fqNonAntialiased);
  F.SetOrientation(900);
  F.SetEscapement(900);
  F.SetPitch(fpFixed);
  F.SetCharset(ANSI_CHARSET);
  EXPECT_EQ(Spy.Count, 9);
  EXPECT_EQ(Spy.LastSender, &F);
  EXPECT_EQ(F.Height(), -16);
  EXPECT_TRUE(F.Style().Contains(fsUnderline));
}

TEST(TextFont, AssignCopiesEveryValueWithOneNotification) {
  TFont A, B;
  A.SetName(u"Courier New");
  A.SetHeight(20);
  A.SetColor(0x123456);
  A.SetStyle(TFontStyles{fsItalic, fsStrikeOut});
  A.SetQuality(fqAntialiased);
  A.SetOrientation(450);
  A.SetEscapement(450);
  A.SetPitch(fpVariable);
  A.SetCharset(SYMBOL_CHARSET);
  TChangeSpy Spy(B);
  B.Assign(&A);
  EXPECT_EQ(Spy.Count, 1);
  EXPECT_EQ(B.Name(), A.Name());
  EXPECT_EQ(B.Height(), 20);
  EXPECT_EQ(B.Color(), 0x123456u);
  EXPECT_TRUE(B.Style() == A.Style());
  EXPECT_EQ(B.Quality(), fqAntialiased);
  EXPECT_EQ(B.Orientation(), 450);
  EXPECT_EQ(B.Escapement(), 450);
  EXPECT_EQ(B.Pitch(), fpVariable);
  EXPECT_EQ(B.Charset(), SYMBOL_CHARSET);
  B.Assign(&A);  // nothing new
  B.Assign(&B);  // itself
  EXPECT_EQ(Spy.Count, 1);

  TPen Pen;
  EXPECT_THROW(B.Assign(&Pen), EConvertError);
  EXPECT_EQ(B.Name(), u"Courier New");
}

}  // namespace
}  // namespace orv
