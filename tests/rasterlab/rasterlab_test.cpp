// TRasterLab: the built-in font, dot and raster placement, block modes,
// lengths and auto sizing, scanned fonts, scrolling and unsafe matrices.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/controls/application.h"
#include "framework/controls/sim.h"
#include "framework/forms/form.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/font.h"
#include "rasterlab/rasterfont.h"
#include "rasterlab/rasterlab.h"

namespace orv {
namespace {

constexpr TColor kLime = 0x00FF00, kUnlit = 0x404040, kBack = 0x000000;

std::unique_ptr<TBitmap> Render(TRasterLab* L) {
  auto Shot = std::make_unique<TBitmap>(L->Width(), L->Height());
  L->PaintTo(Shot->Canvas(), 0, 0);
  L->Canvas();  // aim the canvas back at the form before the sheet goes
  return Shot;
}

TColor At(const std::unique_ptr<TBitmap>& B, int X, int Y) { return B->Canvas()->Pixels(X, Y); }

std::array<uint8_t, 12> Rows(int Code) {
  const TRasterFontEntry& E = RasterFontTable()[static_cast<size_t>(Code - 32)];
  std::array<uint8_t, 12> R{};
  for (size_t I = 0; I < 12; ++I) R[I] = E[2 + I];
  return R;
}

TEST(RasterFont, KeepsTheDocumentedGlyphs) {
  const auto& T = RasterFontTable();
  EXPECT_EQ(T[' ' - 32][0], 0);
  EXPECT_EQ(T[' ' - 32][1], 6);
  EXPECT_EQ(Rows(' '), (std::array<uint8_t, 12>{}));
  EXPECT_EQ(T['0' - 32][0], 1);
  EXPECT_EQ(T['0' - 32][1], 5);
  EXPECT_EQ(Rows('0'), (std::array<uint8_t, 12>{0, 28, 34, 34, 34, 34, 34, 34, 34, 28, 0, 0}));
  EXPECT_EQ(T['A' - 32][0], 0);
  EXPECT_EQ(T['A' - 32][1], 6);
  EXPECT_EQ(Rows('A'), (std::array<uint8_t, 12>{0, 8, 8, 20, 20, 34, 62, 34, 34, 119, 0, 0}));
  EXPECT_EQ(T['.' - 32][0], 3);
  EXPECT_EQ(T['.' - 32][1], 3);
  EXPECT_EQ(Rows('.'), (std::array<uint8_t, 12>{0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 0}));
}

TEST(RasterFont, EveryCodeHasItsOwnGlyphWithinSevenColumns) {
  for (int Code = 33; Code < 256; ++Code) {
    if (Code == 160) continue;  // no-break space
    const auto& E = RasterFontTable()[static_cast<size_t>(Code - 32)];
    uint8_t All = 0;
    for (size_t R = 2; R < E.size(); ++R) All = static_cast<uint8_t>(All | E[R]);
    EXPECT_NE(All, 0) << Code;
    EXPECT_EQ(All & 0x80, 0) << Code;
    EXPECT_LE(E[0], E[1]) << Code;
    EXPECT_EQ(All & ((1u << E[0]) - 1), 0u) << Code << ": dots left of the first column";
    EXPECT_EQ(All >> (E[1] + 1), 0) << Code << ": dots right of the last column";
  }
  // Accented letters differ from their base and from each other.
  EXPECT_NE(Rows(0xC4), Rows('A'));
  EXPECT_NE(Rows(0xC0), Rows(0xC1));
  EXPECT_NE(Rows(0xE9), Rows('e'));
  EXPECT_NE(Rows(0xFC), Rows(0xFB));
}

TEST(RasterLabPaint, DefaultsDrawLimeDotsOverARaster) {
  TRasterLab L(nullptr);
  EXPECT_EQ(L.Width(), 400);
  EXPECT_EQ(L.Height(), 68);
  EXPECT_EQ(L.Text(), u"Text");
  EXPECT_EQ(L.Font()->Name(), u"default");
  EXPECT_EQ(L.CharMatrix().CharWidth, 7);
  EXPECT_EQ(L.CharMatrix().CharHeight, 12);
  auto Shot = Render(&L);
  // 'T' from (1, 1), dot step 4: its bar on row 1 covers y 5..7.
  EXPECT_EQ(At(Shot, 2, 6), kLime);
  EXPECT_EQ(At(Shot, 27, 5), kLime);
  EXPECT_EQ(At(Shot, 2, 2), kUnlit) << "row 0 is empty";
  // Raster lines at multiples of 4 in the background colour.
  EXPECT_EQ(At(Shot, 4, 6), kBack);
  EXPECT_EQ(At(Shot, 2, 12), kBack);
  // rdbmOn clears the gap column after 'T' (x 29..31), so the characters stand in blocks.
  EXPECT_EQ(At(Shot, 30, 10), kBack);
  EXPECT_EQ(At(Shot, 30 + 4, 10), kUnlit);
  // Lowered frame.
  EXPECT_EQ(At(Shot, 0, 30), 0x808080);
  EXPECT_EQ(At(Shot, 1, 30), 0x000000);
  EXPECT_EQ(At(Shot, 399, 30), 0xFFFFFF);
  EXPECT_EQ(At(Shot, 200, 67), 0xFFFFFF);

  L.SetCharBlockMode(rdbmRaster);
  Shot = Render(&L);
  EXPECT_EQ(At(Shot, 30, 10), kUnlit);
  L.SetCharBlockMode(rdbmOff);
  Shot = Render(&L);
  EXPECT_EQ(At(Shot, 2, 2), kBack);
  EXPECT_EQ(At(Shot, 4, 6), kBack);
  EXPECT_EQ(At(Shot, 2, 6), kLime);
}

TEST(RasterLabPaint, SinglePixelDotsWithoutSpacing) {
  TRasterLab L(nullptr);
  L.SetDotSize(1);
  L.SetDotSpacing(0);
  L.SetFrameStyle(fsNone);
  auto Shot = Render(&L);
  for (int X = 1; X <= 7; ++X) EXPECT_EQ(At(Shot, X, 2), kLime) << X;
  EXPECT_EQ(At(Shot, 3, 1), kUnlit);
  EXPECT_EQ(At(Shot, 3, 3), kUnlit) << "no raster lines";
  // Limits.
  L.SetDotSize(0);
  EXPECT_EQ(L.DotSize(), 1);
  L.SetDotSize(40);
  EXPECT_EQ(L.DotSize(), 32);
  L.SetDotSpacing(9);
  EXPECT_EQ(L.DotSpacing(), 3);
}

TEST(RasterLabLayout, LengthsAutoHeightAndCentre) {
  TRasterLab L(nullptr);
  // Proportional: used columns + 1 gap column, 4 pixels each.
  EXPECT_EQ(L.TextLength(u"0.A"), (5 + 1 + 1 + 1 + 7 + 1) * 4);
  L.SetProportional(false);
  EXPECT_EQ(L.TextLength(u"ii"), 2 * 8 * 4);
  L.SetProportional(true);
  Render(&L);
  EXPECT_EQ(L.TextBitLength(), L.TextLength(u"Text") + 1);

  L.SetAutoHeight(true);
  EXPECT_EQ(L.Height(), 49);
  L.SetFrameStyle(fsEngraved);
  L.SetDotSize(2);
  EXPECT_EQ(L.Height(), 2 + 3 * 12);

  L.SetAutoCenter(true);
  EXPECT_EQ(L.PosX(), (400 - L.TextLength(u"Text")) / 2 + 2 + 1);
  L.SetText(u"Longer text");
  EXPECT_EQ(L.PosX(), (400 - L.TextLength(u"Longer text")) / 2 + 2 + 1);
  L.SetAutoCenter(false);
  EXPECT_EQ(L.PosX(), 1);
}

TEST(RasterLabFont, ScannedFontsAndTheDefaultName) {
  TRasterLab L(nullptr);
  L.Font()->SetName(u"DejaVu Sans");
  L.Font()->SetHeight(-12);
  const TRDCharMatrix& M = L.CharMatrix();
  EXPECT_GT(M.CharHeight, 6);
  EXPECT_LE(M.CharHeight, 32);
  EXPECT_GT(M.CharWidth, 4);
  EXPECT_LT(M.FirstCol['I'], M.LastCol['W']);
  EXPECT_NE(M.Bits['I'][M.CharHeight / 2], 0u);
  EXPECT_EQ(M.FirstCol[' '], 0);
  EXPECT_EQ(M.LastCol[' '], M.CharWidth / 2);
  L.Font()->SetName(u"DEFAULT");
  EXPECT_EQ(L.CharMatrix().CharHeight, 12);
  EXPECT_EQ(L.CharMatrix().Bits['0'][1], 28u);
  EXPECT_EQ(L.CreateBitFont(nullptr).CharWidth, 7);
}

TEST(RasterLabFont, MatricesOutOfRangeAndEmptyGlyphsAreSafe) {
  TRasterLab L(nullptr);
  TRDCharMatrix M = L.CharMatrix();
  // A glyph without dots, as a scan gives it: first column past the last.
  M.FirstCol['x'] = 31;
  M.LastCol['x'] = 0;
  L.SetCharMatrix(M);
  EXPECT_EQ(L.TextLength(u"x"), 4) << "only its gap counts, never a negative width";
  // Sizes beyond the 32 x 32 a matrix holds.
  M.CharWidth = 500;
  M.CharHeight = 500;
  M.LastCol['T'] = 255;
  M.Bits['T'].fill(0xFFFFFFFF);
  L.SetCharMatrix(M);
  L.SetText(u"Tx");
  auto Shot = Render(&L);
  EXPECT_EQ(At(Shot, 2, 2), kLime);
  L.SetProportional(false);
  Render(&L);
}

struct RasterScrollTest : ::testing::Test {
  std::unique_ptr<TForm> Form;
  TRasterLab* L = nullptr;
  int Ticks = 0, Restarts = 0;
  void SetUp() override {
    sim::SetTimerFailure(false);
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 500, 100);
    L = new TRasterLab(Form.get());
    L->SetName(u"Ticker");
    L->SetParent(Form.get());
    L->SetBounds(0, 0, 100, 68);
    L->SetOnScrollTimer([this](TObject*) { ++Ticks; });
    L->SetOnScrollLoopRestart([this](TObject*) { ++Restarts; });
  }
  void TearDown() override {
    sim::SetTimerFailure(false);
    Form.reset();
  }
};

TEST_F(RasterScrollTest, RightMovesOnePixelPerTickAndLoops) {
  Render(L);
  const int Len = L->TextBitLength();
  L->SetScrollMode(rdsmRight);
  Application->AdvanceTime(100);
  EXPECT_EQ(Ticks, 1);
  EXPECT_EQ(L->ScrollPosX(), 1);
  Application->AdvanceTime(100 * 99);
  EXPECT_EQ(L->ScrollPosX(), 100);
  EXPECT_EQ(Restarts, 0);
  Application->AdvanceTime(100);
  EXPECT_EQ(L->ScrollPosX(), -Len);
  EXPECT_EQ(Restarts, 1);

  L->SetScrollLoop(false);
  Application->AdvanceTime(100 * 300);
  EXPECT_EQ(L->ScrollPosX(), -Len + 300) << "left for good";
  EXPECT_EQ(Restarts, 1);

  L->SetScrollMode(rdsmOff);
  EXPECT_EQ(L->ScrollPosX(), 0);
  Application->AdvanceTime(1000);
  EXPECT_EQ(Ticks, 401);
}

TEST_F(RasterScrollTest, LeftUpAndDownLoopToTheOppositeSide) {
  Render(L);
  const int Len = L->TextBitLength(), TextH = 12 * 4;
  L->SetScrollIncrement(-10);
  EXPECT_EQ(L->ScrollIncrement(), 10);
  L->SetScrollMode(rdsmLeft);
  // The text's right end passes the left edge once 1 + offset + Len < 0.
  const int TicksOut = (1 + Len) / 10 + 1;
  Application->AdvanceTime(100 * TicksOut);
  EXPECT_EQ(Restarts, 1);
  EXPECT_EQ(L->ScrollPosX(), 100 - 1);

  // Down: 70 passes the height 68 on the seventh tick; the text comes back from above.
  L->SetScrollMode(rdsmDown);
  Application->AdvanceTime(100 * 6);
  EXPECT_EQ(L->ScrollPosY(), 60);
  EXPECT_EQ(Restarts, 1);
  Application->AdvanceTime(100);
  EXPECT_EQ(L->ScrollPosY(), -TextH);
  EXPECT_EQ(Restarts, 2);
  // Up: at -58 the text's bottom (1 - 58 + 48) is above the top edge; it comes back from below.
  L->SetScrollMode(rdsmUp);
  Application->AdvanceTime(100);
  EXPECT_EQ(L->ScrollPosY(), 68 - 1);
  EXPECT_EQ(Restarts, 3);
}

TEST_F(RasterScrollTest, IntervalIncrementAndTimerFailure) {
  L->SetScrollInterval(5);
  EXPECT_EQ(L->ScrollInterval(), 10);
  L->SetScrollIncrement(-3);
  EXPECT_EQ(L->ScrollIncrement(), 3);
  L->SetScrollIncrement(0);
  EXPECT_EQ(L->ScrollIncrement(), 1);
  sim::SetTimerFailure(true);
  try {
    L->SetScrollMode(rdsmUp);
    FAIL() << "no exception";
  } catch (const EORVRasterLabError& E) {
    EXPECT_EQ(E.Message(), u"Component \"Ticker\": no timer available");
  }
}

}  // namespace
}  // namespace orv
