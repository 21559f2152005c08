// TOnOffBut: the strips, state rules with groups and the mouse, caption and
// glyph placement, transparency and user glyphs.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "framework/controls/sim.h"
#include "framework/forms/form.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"
#include "framework/graphics/resources.h"
#include "onoffbut/onoffbut.h"

namespace orv {
namespace {

TColor At(TBitmap& B, int X, int Y) { return B.Canvas()->Pixels(X, Y); }

// The button rendered through its own Paint onto a sheet of Ground.
std::unique_ptr<TBitmap> Render(TOnOffBut* B, TColor Ground = 0x00FFFF) {
  auto Shot = std::make_unique<TBitmap>(B->Width(), B->Height());
  Shot->Canvas()->Brush()->SetColor(Ground);
  Shot->Canvas()->FillRect(TRect{0, 0, B->Width(), B->Height()});
  B->PaintTo(Shot->Canvas(), 0, 0);
  B->Canvas();  // aim the canvas back at the form before the sheet goes
  return Shot;
}

struct OnOffFormTest : ::testing::Test {
  std::unique_ptr<TForm> Form;
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 400, 300);
  }
  TOnOffBut* Add(int Group = 0, bool AllowAllOff = true) {
    auto* B = new TOnOffBut(Form.get());
    B->SetParent(Form.get());
    B->SetGroupIndex(Group);
    B->SetAllowAllOff(AllowAllOff);
    return B;
  }
  // A press and release in the middle of the glyph.
  static void ClickGlyph(TOnOffBut* B) {
    sim::Click(B, B->LeftSpace() + B->GlyphWidth() / 2, B->TopSpace() + B->GlyphHeight() / 2);
  }
};

TEST(OnOffButStrips, EveryStyleLoadsItsStripOfFourGlyphs) {
  // Style, strip width and height.
  const std::tuple<TOnOffButStyle, int, int> Rows[] = {
      {oobsCheckbox, 32, 32},    {oobsRadioBut, 28, 28},       {oobsSlideTB, 36, 60},     {oobsSlideLR, 60, 36},
      {oobsColSlideTB, 36, 60},  {oobsColSlideLR, 60, 36},     {oobsLedRedGreen, 28, 28}, {oobsArrowTopRgt, 50, 50},
      {oobsArrowUpDown, 50, 50}, {oobsArrowLeftRight, 50, 50}, {oobsTrafficLPed, 62, 62}, {oobsBeveledLed, 34, 34},
      {oobsSmileyYellow, 36, 36}, {oobsSmileyRedGrn, 36, 36},  {oobsBulb, 78, 98},        {oobsButLamp, 98, 48},
      {oobsHDLeft, 96, 32},      {oobsHDRight, 96, 32},        {oobsUser1, 48, 48},       {oobsUser2, 48, 48},
      {oobsUser3, 48, 48},       {oobsUser4, 48, 48},          {oobsUser5, 48, 48}};
  TOnOffBut B(nullptr);
  B.SetButtonStyle(oobsCheckbox);
  for (const auto& [Style, W, H] : Rows) {
    B.SetButtonStyle(Style);
    SCOPED_TRACE(static_cast<int>(Style));
    EXPECT_EQ(B.GlyphWidth(), W / 2);
    EXPECT_EQ(B.GlyphHeight(), H / 2);
    // Each glyph shows the key colour somewhere (background) and something
    // else (the picture); the on and off pictures differ; disabled glyphs are gray.
    for (int I = 0; I < 4; ++I) {
      const TBitmap* G = B.ButtonGlyph(I);
      ASSERT_EQ(G->Width(), W / 2);
      int Key = 0, Colored = 0;
      for (int Y = 0; Y < G->Height(); ++Y) {
        for (int X = 0; X < G->Width(); ++X) {
          const TColor C = PixelToColor(G->ScanLine(Y)[X]);
          if (C == kOnOffKeyColor) ++Key;
          else if ((C & 0xFF) != ((C >> 8) & 0xFF) || (C & 0xFF) != ((C >> 16) & 0xFF)) ++Colored;
        }
      }
      EXPECT_GT(Key, 0) << "glyph " << I;
      EXPECT_LT(Key, W * H / 4) << "glyph " << I;
      if (I % 2 == 0) {
        EXPECT_EQ(Colored, 0) << "disabled glyph " << I << " is gray";
      }
    }
    bool Differ = false;
    for (int Y = 0; Y < H / 2 && !Differ; ++Y)
      for (int X = 0; X < W / 2 && !Differ; ++X) Differ = B.ButtonGlyph(3)->ScanLine(Y)[X] != B.ButtonGlyph(1)->ScanLine(Y)[X];
    EXPECT_TRUE(Differ);
  }
}

TEST(OnOffButStrips, StripsAreNamedResources) {
  for (const char16_t* Name : {u"CHECKBOX", u"SLIDETOPBOT", u"SLIDELFTRGT", u"TRAFFICLGT", u"BUTLAMP", u"USER5"}) {
    TBitmap B;
    EXPECT_NO_THROW(B.LoadFromResourceName(0, Name));
  }
}

TEST(OnOffButDefaults, ConstructorValuesAndCentredGlyph) {
  TOnOffBut B(nullptr);
  EXPECT_EQ(B.Width(), 100);
  EXPECT_EQ(B.Height(), 50);
  EXPECT_TRUE(B.OnOff());
  EXPECT_EQ(B.ButtonStyle(), oobsColSlideLR);
  EXPECT_EQ(B.MouseAction(), oomaFocused);
  EXPECT_EQ(B.Mode(), oobmNormalBut);
  EXPECT_TRUE(B.AutoCenter());
  EXPECT_TRUE(B.AllowAllOff());
  EXPECT_EQ(B.GroupIndex(), 0);
  EXPECT_EQ(B.FrameStyle(), fsLowered);
  EXPECT_EQ(B.ColorBackgnd(), clBtnFace);
  EXPECT_EQ(B.LeftTextAlignment(), taRightJustify);
  EXPECT_EQ(B.TopTextAlignment(), taCenter);
  EXPECT_EQ(B.RightTextAlignment(), taLeftJustify);
  // 30 x 18 glyph centred in 100 x 50.
  EXPECT_EQ(B.LeftSpace(), 35);
  EXPECT_EQ(B.TopSpace(), 16);
  // Default user glyphs: 20 x 20, a cross when off, a circle when on.
  EXPECT_EQ(B.UserGlyph(1)->Width(), 20);
  EXPECT_EQ(PixelToColor(B.UserGlyph(1)->ScanLine(10)[10]), clBlack);
  EXPECT_EQ(PixelToColor(B.UserGlyph(3)->ScanLine(10)[5]), clBlack);
  EXPECT_EQ(PixelToColor(B.UserGlyph(3)->ScanLine(10)[10]), clWhite);
  EXPECT_EQ(PixelToColor(B.UserGlyph(0)->ScanLine(10)[10]), clWhite);
}

TEST(OnOffButPlacement, SpacesAreClampedIgnoredOrRecentred) {
  TOnOffBut B(nullptr);
  B.SetLeftSpace(3);  // centred: only re-centres
  EXPECT_EQ(B.LeftSpace(), 35);
  B.SetAutoCenter(false);
  B.SetLeftSpace(-1);
  EXPECT_EQ(B.LeftSpace(), 35);
  B.SetLeftSpace(500);
  EXPECT_EQ(B.LeftSpace(), 100);
  B.SetTopSpace(500);
  EXPECT_EQ(B.TopSpace(), 50);
  B.SetTopSpace(2);
  EXPECT_EQ(B.TopSpace(), 2);
  B.SetAutoCenter(true);
  EXPECT_EQ(B.TopSpace(), 16);
}

TEST_F(OnOffFormTest, ResizeRecentresOnlyWithAParent) {
  TOnOffBut* B = Add();
  B->SetBounds(0, 0, 200, 100);
  EXPECT_EQ(B->LeftSpace(), 85);
  EXPECT_EQ(B->TopSpace(), 41);
  TOnOffBut Loose(nullptr);
  Loose.SetBounds(0, 0, 200, 100);
  EXPECT_EQ(Loose.LeftSpace(), 35);
}

TEST_F(OnOffFormTest, ClicksToggleAndRaiseOnClickOnlyInsideTheGlyph) {
  TOnOffBut* B = Add();
  int Clicks = 0;
  B->SetOnClick([&](TObject*) { ++Clicks; });
  ClickGlyph(B);
  EXPECT_FALSE(B->OnOff());
  EXPECT_EQ(Clicks, 1);
  // The glyph's corner (LeftSpace, TopSpace) lies outside the strict interior.
  sim::Click(B, B->LeftSpace(), B->TopSpace());
  sim::Click(B, 5, 5);
  sim::MouseDown(B, mbRight, TShiftState{}, 50, 25);
  EXPECT_FALSE(B->OnOff());
  EXPECT_EQ(Clicks, 1);
  sim::Click(B, B->LeftSpace() + 1, B->TopSpace() + 1);
  EXPECT_TRUE(B->OnOff());

  B->SetMouseAction(oomaPlain);
  sim::Click(B, 5, 5);
  EXPECT_FALSE(B->OnOff());
  B->SetMouseAction(oomaNone);
  ClickGlyph(B);
  EXPECT_FALSE(B->OnOff());
  EXPECT_EQ(Clicks, 3);
}

TEST_F(OnOffFormTest, SpeedModeIsOnOnlyWhilePressed) {
  TOnOffBut* B = Add();
  B->SetMode(oobmSpeedBut);
  EXPECT_FALSE(B->OnOff());
  const int X = B->LeftSpace() + 5, Y = B->TopSpace() + 5;
  sim::MouseDown(B, mbLeft, TShiftState{}, X, Y);
  EXPECT_TRUE(B->OnOff());
  sim::MouseUp(B, mbLeft, TShiftState{}, X, Y);
  EXPECT_FALSE(B->OnOff());
}

TEST_F(OnOffFormTest, GroupsActAsRadioButtons) {
  TOnOffBut* A = Add(1, false);
  TOnOffBut* B = Add(1, false);
  TOnOffBut* Other = Add(2, true);
  // B went on last when its group was set: A was switched off then.
  A->SetOnOff(true);
  EXPECT_TRUE(A->OnOff());
  EXPECT_FALSE(B->OnOff());
  EXPECT_TRUE(Other->OnOff());
  // The last one on cannot be switched off, by property or by click.
  A->SetOnOff(false);
  ClickGlyph(A);
  EXPECT_TRUE(A->OnOff());
  ClickGlyph(B);
  EXPECT_TRUE(B->OnOff());
  EXPECT_FALSE(A->OnOff());
  // AllowAllOff set on one member reaches the whole group, not other groups.
  Other->SetAllowAllOff(false);
  B->SetAllowAllOff(true);
  EXPECT_TRUE(A->AllowAllOff());
  EXPECT_FALSE(Other->AllowAllOff());
  B->SetOnOff(false);
  EXPECT_FALSE(A->OnOff());
  EXPECT_FALSE(B->OnOff());
}

TEST_F(OnOffFormTest, UserStyleKeepsTheGlyphSizeOfTheStripBefore) {
  TOnOffBut* B = Add();
  B->SetButtonStyle(oobsBulb);
  B->SetButtonStyle(oobsUser);
  EXPECT_EQ(B->GlyphWidth(), 39);
  EXPECT_EQ(B->GlyphHeight(), 49);
  EXPECT_EQ(B->ButtonGlyph(3)->Width(), 20);
  // Hit testing works on the kept size.
  B->SetAutoCenter(false);
  B->SetLeftSpace(0);
  B->SetTopSpace(0);
  sim::Click(B, 38, 48);
  EXPECT_FALSE(B->OnOff());
  // Outside the 20 x 20 picture the glyph area shows background.
  auto Shot = Render(B);
  EXPECT_EQ(At(*Shot, 1 + 10, 1 + 10), clBlack);  // the cross
  EXPECT_EQ(At(*Shot, 1 + 30, 1 + 30), ColorToRGB(clBtnFace));
}

TEST_F(OnOffFormTest, UserGlyphStripsAreCutAndSized) {
  TOnOffBut* B = Add();
  TBitmap Strip(40, 30);
  const TColor Quarter[4] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};  // on/en, off/en, on/dis, off/dis
  for (int Q = 0; Q < 4; ++Q) {
    Strip.Canvas()->Brush()->SetColor(Quarter[Q]);
    Strip.Canvas()->FillRect(TRect{Q % 2 * 20, Q / 2 * 15, Q % 2 * 20 + 20, Q / 2 * 15 + 15});
  }
  B->SetUserGlyph(&Strip);
  EXPECT_EQ(B->GlyphWidth(), 30) << "not the user style yet";
  EXPECT_EQ(PixelToColor(B->UserGlyph(3)->ScanLine(0)[0]), Quarter[0]);
  EXPECT_EQ(PixelToColor(B->UserGlyph(1)->ScanLine(0)[0]), Quarter[1]);
  EXPECT_EQ(PixelToColor(B->UserGlyph(2)->ScanLine(0)[0]), Quarter[2]);
  EXPECT_EQ(PixelToColor(B->UserGlyph(0)->ScanLine(0)[0]), Quarter[3]);
  B->SetButtonStyle(oobsUser);
  B->SetUserGlyph(&Strip);
  EXPECT_EQ(B->GlyphWidth(), 20);
  EXPECT_EQ(B->GlyphHeight(), 15);
  EXPECT_EQ(B->LeftSpace(), 40);

  TBitmap Tiny(1, 8);
  EXPECT_THROW(B->SetUserGlyph(&Tiny), EORVError);
  EXPECT_THROW(B->SetUserGlyph(nullptr), EORVError);
  EXPECT_THROW(B->LoadUserGlyph(u"/nonexistent/strip.png"), Exception);
  EXPECT_EQ(B->GlyphWidth(), 20);
}

TEST(OnOffButPaint, GlyphCaptionsAndFrameLandWhereDefined) {
  TOnOffBut B(nullptr);
  B.SetBounds(0, 0, 160, 80);
  B.SetButtonStyle(oobsCheckbox);
  B.SetAutoCenter(false);
  B.SetLeftSpace(60);
  B.SetTopSpace(30);
  auto Shot = Render(&B);
  // The checkbox glyph's top-left pixel is key colour, so background.
  EXPECT_EQ(At(*Shot, 61, 31), ColorToRGB(clBtnFace));
  // Its box outline (gray at glyph pixel (1, 1)) lands at (62, 32).
  EXPECT_EQ(At(*Shot, 62, 32), PixelToColor(B.ButtonGlyph(3)->ScanLine(1)[1]));
  EXPECT_EQ(At(*Shot, 60, 40), ColorToRGB(clBtnFace));
  // Lowered frame: gray top, white bottom.
  EXPECT_EQ(At(*Shot, 50, 0), clGray);
  EXPECT_EQ(At(*Shot, 50, 79), clWhite);

  // A left caption, right-justified, ends 3 pixels before LeftSpace.
  B.SetLeftText(u"IIII");
  B.SetColorText(0x0000FF);
  Shot = Render(&B);
  // The ink may be smoothed: any clearly red pixel counts.
  const auto Red = [](TColor C) { return (C & 0xFF) > 0xA0 && ((C >> 8) & 0xFF) < 0x60 && (C >> 16) < 0x60; };
  int LastRed = -1;
  for (int X = 0; X < 60; ++X)
    for (int Y = 20; Y < 60; ++Y)
      if (Red(At(*Shot, X, Y))) LastRed = std::max(LastRed, X);
  EXPECT_GE(LastRed, 50);
  EXPECT_LE(LastRed, 56);
}

TEST(OnOffButPaint, DisabledShowsTheGrayGlyph) {
  TOnOffBut B(nullptr);
  B.SetButtonStyle(oobsLedRedGreen);
  const int CX = B.LeftSpace() + 1 + 7, CY = B.TopSpace() + 1 + 7;
  auto Shot = Render(&B);
  EXPECT_EQ(At(*Shot, CX, CY), PixelToColor(B.ButtonGlyph(3)->ScanLine(7)[7]));
  B.SetEnabled(false);
  EXPECT_FALSE(B.Enabled());
  Shot = Render(&B);
  EXPECT_EQ(At(*Shot, CX, CY), PixelToColor(B.ButtonGlyph(2)->ScanLine(7)[7]));
}

TEST(OnOffButPaint, TransparentLetsTheGroundThroughOutsideGlyphAndFrame) {
  TOnOffBut B(nullptr);
  B.SetButtonStyle(oobsRadioBut);
  B.SetTransparent(true);
  const TColor Ground = 0x123456;
  auto Shot = Render(&B, Ground);
  EXPECT_EQ(At(*Shot, 20, 25), Ground);
  EXPECT_EQ(At(*Shot, B.LeftSpace() + 1, B.TopSpace() + 1), Ground) << "key pixel of the glyph";
  const int CX = B.LeftSpace() + 1 + 7, CY = B.TopSpace() + 1 + 7;
  EXPECT_EQ(At(*Shot, CX, CY), clBlack) << "the radio dot";
  EXPECT_EQ(At(*Shot, 50, 0), clGray);
}

TEST(OnOffButAssign, CopiesLookAndStateButNotGroupOrMode) {
  TOnOffBut A(nullptr), B(nullptr);
  A.SetButtonStyle(oobsBulb);
  A.SetLeftText(u"L");
  A.SetOnOff(false);
  A.SetGroupIndex(4);
  A.SetMode(oobmSpeedBut);
  A.SetColorScheme(csSystem);
  B.Assign(&A);
  EXPECT_EQ(B.ButtonStyle(), oobsBulb);
  EXPECT_EQ(B.GlyphWidth(), 39);
  EXPECT_EQ(B.LeftText(), u"L");
  EXPECT_FALSE(B.OnOff());
  EXPECT_EQ(B.ColorScheme(), csSystem);
  EXPECT_EQ(B.GroupIndex(), 0);
  EXPECT_EQ(B.Mode(), oobmNormalBut);
  EXPECT_EQ(B.ButtonGlyph(3)->Width(), 39);
}

}  // namespace
}  // namespace orv
