// TProgBar: defaults and setter rules, the bar in all four directions,
// gradient mapping, grid, frames, value text placement, the colour table
// accessors, the background image, the automatic increment and Assign.

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <memory>
#include <string>

#include "framework/controls/application.h"
#include "framework/controls/sim.h"
#include "framework/forms/form.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/unicode.h"
#include "progbar/progbar.h"

namespace orv {
namespace {

constexpr TColor kBlue = 0xFF0000, kRed = 0x0000FF, kSilver = 0xC0C0C0;

struct ProgBarTest : ::testing::Test {
  std::unique_ptr<TProgBar> Bar = std::make_unique<TProgBar>(nullptr);
  std::unique_ptr<TBitmap> Shot;
  int Paints = 0;

  void SetUp() override {
    Bar->SetName(u"Bar");
    Bar->SetTextVisible(false);
    // OnShowValue runs on every paint: it counts them.
    Bar->SetOnShowValue([this](TObject*, String&) { ++Paints; });
  }
  void TearDown() override {
    sim::SetTimerFailure(false);
    Application->SetOnException(nullptr);
  }
  TColor At(int X, int Y) {
    Shot = std::make_unique<TBitmap>(Bar->Width(), Bar->Height());
    Bar->PaintTo(Shot->Canvas(), 0, 0);
    return Shot->Canvas()->Pixels(X, Y);
  }
  TColor Again(int X, int Y) const { return Shot->Canvas()->Pixels(X, Y); }
};

TEST_F(ProgBarTest, DefaultsAndSetterLimits) {
  TProgBar B(nullptr);
  EXPECT_EQ(B.Width(), 300);
  EXPECT_EQ(B.Height(), 28);
  EXPECT_EQ(B.Value(), 10.0);
  EXPECT_EQ(B.Max(), 100.0);
  EXPECT_EQ(B.Direction(), dirRight);
  EXPECT_EQ(B.ColorMin(), kBlue);
  EXPECT_EQ(B.ColorMax(), kRed);
  EXPECT_EQ(B.GetBarColorElem(512), 0x7F007Fu);
  EXPECT_EQ(B.ColorMapMode(), cgmStretch);
  EXPECT_EQ(B.FrameStyleOuter(), fsRaised);
  EXPECT_EQ(B.FrameStyleInner(), fsLowered);
  EXPECT_EQ(B.StartInterval(), 1500);
  EXPECT_EQ(B.RepeatInterval(), 700);
  EXPECT_FALSE(B.AutoInc());
  EXPECT_TRUE(B.TextVisible());
  EXPECT_EQ(B.TextPosX(), 14);
  EXPECT_EQ(B.TextAlignment(), taCenter);
  EXPECT_EQ(B.MarginLeft(), 4);

  B.SetTextDecPlaces(11);
  EXPECT_EQ(B.TextDecPlaces(), 10);
  B.SetTextDecPlaces(-5);
  EXPECT_EQ(B.TextDecPlaces(), -2);
  B.SetTextAngle(-10);
  EXPECT_EQ(B.TextAngle(), 0);
  B.SetTextAngle(400);
  EXPECT_EQ(B.TextAngle(), 360);
  B.SetTextPosX(1000);
  EXPECT_EQ(B.TextPosX(), 300);
  B.SetTextPosY(-4);
  EXPECT_EQ(B.TextPosY(), 0);
  B.SetAutoIncStep(0);
  EXPECT_EQ(B.AutoIncStep(), 1.0);
  B.SetStartInterval(3);
  EXPECT_EQ(B.StartInterval(), 10);
  B.SetRange(5, 1);
  EXPECT_EQ(B.Min(), 1);
  EXPECT_EQ(B.Max(), 5);
  B.SetColorScheme(csSystem);
  EXPECT_EQ(B.ColGrayLine(), clBtnShadow);
}

// 300 x 28 with margins 4: the bar area is x 4..295, y 4..23; 292 wide, 20 high.
TEST_F(ProgBarTest, BarGrowsInItsDirection) {
  Bar->SetFrameStyleInner(fsNone);
  // Right: Round(292 * 0.1) = 29 columns from x = 4.
  EXPECT_EQ(At(32, 14), kBlue);
  EXPECT_EQ(Again(33, 14), kSilver);
  EXPECT_EQ(Again(32, 4), kBlue);
  EXPECT_EQ(Again(32, 24), kSilver);  // bottom margin
  Bar->SetDirection(dirLeft);
  EXPECT_EQ(At(296 - 29, 14), kBlue);
  EXPECT_EQ(Again(296 - 30, 14), kSilver);
  Bar->SetValue(50);  // 10 rows of 20
  Bar->SetDirection(dirUp);
  EXPECT_EQ(At(100, 14), kBlue);
  EXPECT_EQ(Again(100, 13), kSilver);
  EXPECT_EQ(Again(4, 23), kBlue);
  Bar->SetDirection(dirDown);
  EXPECT_EQ(At(100, 13), kBlue);
  EXPECT_EQ(Again(100, 14), kSilver);
  EXPECT_EQ(Again(100, 4), kBlue);
}

TEST_F(ProgBarTest, EmptyRangeDrawsNoBarAndValuesPastMaxOverrunTheArea) {
  Bar->SetFrameStyleInner(fsNone);
  Bar->SetFrameStyleOuter(fsNone);
  Bar->SetRange(3, 3);
  EXPECT_EQ(At(5, 14), kSilver);
  Bar->SetRange(0, 100);
  Bar->SetValue(1e12);
  EXPECT_EQ(At(298, 14), kBlue);
  EXPECT_EQ(Again(298, 2), kSilver);
  // In gradient mode the overrun takes the last table colour.
  Bar->SetShowColorGradient(true);
  Bar->SetColorMapMode(cgmCover);
  EXPECT_EQ(At(298, 14), kRed);
  EXPECT_EQ(Again(4, 14), kBlue);
}

TEST_F(ProgBarTest, GradientMappingModes) {
  Bar->SetShowColorGradient(true);
  Bar->SetFrameStyleInner(fsNone);
  Bar->SetValue(100);
  Bar->SetColorMapMode(cgmCover);
  // Column 146 of 292 takes entry Round(511.5) = 512.
  EXPECT_EQ(At(4 + 146, 10), Bar->GetBarColorElem(512));
  Bar->SetValue(50);
  Bar->SetColorMapMode(cgmMove);
  EXPECT_EQ(At(4 + 145, 10), kRed);
  EXPECT_EQ(Again(4 + 146, 10), kSilver);
  Bar->SetColorMapMode(cgmStretch);
  EXPECT_EQ(At(4, 10), kBlue);
  Bar->SetDirection(dirUp);
  EXPECT_EQ(At(10, 23), kBlue);
  // Row 9 of 10 from the bottom: entry Round(1023 * 9 / 10) = 921.
  EXPECT_EQ(Again(10, 14), Bar->GetBarColorElem(921));
}

// A repaint maps the colours again when the table, the length or the
// direction changed since the last one.
TEST_F(ProgBarTest, RepaintedGradientFollowsTableLengthAndDirection) {
  Bar->SetShowColorGradient(true);
  Bar->SetFrameStyleInner(fsNone);
  // Stretched over 146 of 292 columns, column 145 takes Round(1023 * 145 / 146) = 1016.
  Bar->SetValue(50);
  EXPECT_EQ(At(4 + 145, 10), Bar->GetBarColorElem(1016));
  const TColor Before = Bar->GetBarColorElem(1016);
  Bar->SetColorMax(0x00FF00);
  ASSERT_NE(Bar->GetBarColorElem(1016), Before);
  EXPECT_EQ(At(4 + 145, 10), Bar->GetBarColorElem(1016));
  // Over all 292 columns: Round(1023 * 145 / 292) = 508.
  Bar->SetValue(100);
  EXPECT_EQ(At(4 + 145, 10), Bar->GetBarColorElem(508));
  Bar->SetDirection(dirLeft);
  EXPECT_EQ(At(295, 10), kBlue);
  EXPECT_EQ(Again(295 - 145, 10), Bar->GetBarColorElem(508));
}

TEST_F(ProgBarTest, GridLinesRunOverTheBar) {
  Bar->SetFrameStyleInner(fsNone);
  Bar->SetColorGrid(0x00FF00);
  Bar->SetGridDist(10);
  Bar->SetValue(50);  // bar x 4..149
  EXPECT_EQ(At(14, 10), 0x00FF00u);
  EXPECT_EQ(Again(15, 10), kBlue);
  EXPECT_EQ(Again(144, 10), 0x00FF00u);
  EXPECT_EQ(Again(154, 10), kSilver);
  EXPECT_EQ(Again(14, 24), kSilver);  // lines end at the bar area
  Bar->SetGridDist(1);
  EXPECT_EQ(At(14, 10), kBlue);
}

struct TFrameRow {
  TFrameStyle Style;
  TColor Left, Inner, Right, Corner;  // (0, 5), (1, 5), (299, 5), (0, 27)
};

TEST_F(ProgBarTest, OuterFrameStyles) {
  Bar->SetColorMargin(0x123456);
  const TColor G = 0x808080, W = 0xFFFFFF, B = 0x000000, M = 0x123456;
  for (const TFrameRow& R : {TFrameRow{fsSimple, G, M, G, G}, TFrameRow{fsLowered, G, B, W, M},
                             TFrameRow{fsRaised, G, W, B, M}, TFrameRow{fsEmbossed, W, G, G, M},
                             TFrameRow{fsEngraved, G, W, W, M}, TFrameRow{fsNone, M, M, M, M}}) {
    Bar->SetFrameStyleOuter(R.Style);
    EXPECT_EQ(At(0, 5), R.Left) << int(R.Style);
    EXPECT_EQ(Again(1, 5), R.Inner) << int(R.Style);
    EXPECT_EQ(Again(299, 5), R.Right) << int(R.Style);
    EXPECT_EQ(Again(0, 27), R.Corner) << int(R.Style);
  }
}

// The ink of the text is centred on the anchor at any angle with taCenter.
TEST_F(ProgBarTest, CentredTextStaysOnItsAnchorWhenRotated) {
  Bar->SetBounds(0, 0, 200, 200);
  Bar->SetFrameStyleInner(fsNone);
  Bar->SetFrameStyleOuter(fsNone);
  Bar->SetValue(0);
  Bar->Font()->SetColor(0x00FF00);
  Bar->SetTextVisible(true);
  Bar->SetOnShowValue([](TObject*, String& Text) { Text = u"HHHHHH"; });
  Bar->SetTextPosX(100);
  Bar->SetTextPosY(100);
  for (int Angle : {0, 90, 180, 270}) {
    Bar->SetTextAngle(Angle);
    At(0, 0);
    int X1 = 200, X2 = -1, Y1 = 200, Y2 = -1;
    for (int Y = 0; Y < 200; ++Y)
      for (int X = 0; X < 200; ++X)
        if (Again(X, Y) != kSilver) {
          X1 = std::min(X1, X), X2 = std::max(X2, X), Y1 = std::min(Y1, Y), Y2 = std::max(Y2, Y);
        }
    ASSERT_GE(X2, 0) << Angle;
    EXPECT_NEAR((X1 + X2) / 2.0, 100, 3) << Angle;
    EXPECT_NEAR((Y1 + Y2) / 2.0, 100, 3) << Angle;
    EXPECT_EQ(X2 - X1 > Y2 - Y1, Angle % 180 == 0) << Angle;
  }
}

TEST_F(ProgBarTest, TableAccessorsIgnoreIndicesOutOfRange) {
  Bar->SetBarColorElem(5, 0x010203);
  EXPECT_EQ(Bar->GetBarColorElem(5), 0x010203u);
  const int Before = Paints;
  for (int I : {-1, 1024, INT_MIN, INT_MAX}) {
    Bar->SetBarColorElem(I, 0x00FF00);
    EXPECT_EQ(Bar->GetBarColorElem(I), 0u) << I;
  }
  EXPECT_EQ(Paints, Before);
  EXPECT_EQ(Bar->GetBarColorElem(0), kBlue);
  EXPECT_EQ(Bar->GetBarColorElem(1023), kRed);
  // A new end colour recomputes the entries between, overwriting entry 5.
  Bar->SetColorMin(0x000000);
  EXPECT_EQ(Bar->GetBarColorElem(5), InterpolateColor(0x000000, kRed, 5.0 / 1023));
  EXPECT_EQ(Bar->GetBarColorElem(1023), kRed);
}

TEST_F(ProgBarTest, BackgroundImageLoadsOrKeepsThePreviousOne) {
  Bar->SetFrameStyleInner(fsNone);
  Bar->SetValue(0);
  const std::string Path = ::testing::TempDir() + "progbar_bkg.png";
  TBitmap Img(8, 8);
  Img.Canvas()->Brush()->SetColor(0x00FF00);
  Img.Canvas()->FillRect(TRect{0, 0, 8, 8});
  Img.SaveToFile(FromUtf8(Path));
  Bar->SetBackGroundImg(FromUtf8(Path));
  EXPECT_EQ(ToUtf8(Bar->BackGroundImg()), Path);
  EXPECT_EQ(At(150, 14), 0x00FF00u);
  EXPECT_EQ(Again(2, 14), kSilver);
  Bar->SetBackGroundImg(u"/nonexistent/none.png");
  EXPECT_EQ(ToUtf8(Bar->BackGroundImg()), Path);
  EXPECT_EQ(At(150, 14), 0x00FF00u);
  Bar->SetBackGroundImg(u"");
  EXPECT_TRUE(Bar->BackGroundImg().empty());
  EXPECT_EQ(At(150, 14), kSilver);
  std::remove(Path.c_str());
}

TEST_F(ProgBarTest, AutoIncrementStepsAfterTheStartThenTheRepeatInterval) {
  int Ticks = 0;
  Bar->SetOnAutoInc([&](TObject* Sender) {
    EXPECT_EQ(Sender, Bar.get());
    ++Ticks;
  });
  Bar->SetAutoIncStep(2.5);
  Bar->SetAutoInc(true);
  EXPECT_TRUE(Bar->InStartPhase());
  Application->AdvanceTime(1499);
  EXPECT_EQ(Bar->Value(), 10.0);
  Application->AdvanceTime(1);
  EXPECT_EQ(Bar->Value(), 12.5);
  EXPECT_FALSE(Bar->InStartPhase());
  Application->AdvanceTime(1400);
  EXPECT_EQ(Bar->Value(), 17.5);
  EXPECT_EQ(Ticks, 3);
  Bar->SetAutoInc(false);
  Application->AdvanceTime(5000);
  EXPECT_EQ(Ticks, 3);
}

TEST_F(ProgBarTest, RefusedTimerRaisesAndLeavesAutoIncOff) {
  sim::SetTimerFailure(true);
  try {
    Bar->SetAutoInc(true);
    FAIL() << "no exception";
  } catch (const EORVProgBar& E) {
    EXPECT_EQ(ToUtf8(E.Message()), "Component \"Bar\": no timer available");
  }
  EXPECT_FALSE(Bar->AutoInc());
}

TEST_F(ProgBarTest, ErrorInATickGoesToTheApplication) {
  int Seen = 0;
  Application->SetOnException([&](TObject* Sender, Exception*) {
    EXPECT_EQ(Sender, Bar.get());
    ++Seen;
  });
  Bar->SetOnAutoInc([](TObject*) { throw EORVError(u"tick"); });
  Bar->SetAutoInc(true);
  Application->AdvanceTime(1500 + 700);
  EXPECT_EQ(Seen, 2);
  Bar->SetAutoInc(false);
}

TEST_F(ProgBarTest, AssignCopiesLookButNotTimer) {
  TProgBar Src(nullptr);
  Src.SetValue(42);
  Src.SetRange(-5, 50);
  Src.SetBarColorElem(300, 0x0A0B0C);
  Src.SetDirection(dirUp);
  Src.SetTextAngle(45);
  Src.SetRepeatInterval(99);
  Src.SetAutoIncStep(3);
  Bar->Assign(&Src);
  EXPECT_EQ(Bar->Value(), 42);
  EXPECT_EQ(Bar->Min(), -5);
  EXPECT_EQ(Bar->GetBarColorElem(300), 0x0A0B0Cu);
  EXPECT_EQ(Bar->Direction(), dirUp);
  EXPECT_EQ(Bar->TextAngle(), 45);
  EXPECT_EQ(Bar->RepeatInterval(), 700);
  EXPECT_EQ(Bar->AutoIncStep(), 1.0);
  TProgBar Dest(nullptr);
  Src.AssignTo(&Dest);
  EXPECT_EQ(Dest.Value(), 42);
}

}  // namespace
}  // namespace orv
