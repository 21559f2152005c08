// The segment artwork and the glyph engine: composition on the master
// canvas and the cache strip.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"
#include "sevenseg/sevenseg_glyphs.h"
#include "tests/sevenseg/segment_points.h"

namespace orv {
namespace {

using namespace sevenseg_testing;

int CountPixels(TBitmap* Bmp, TColor Color) {
  int N = 0;
  for (int Y = 0; Y < Bmp->Height(); ++Y)
    for (int X = 0; X < Bmp->Width(); ++X) N += Bmp->Canvas()->Pixels(X, Y) == Color ? 1 : 0;
  return N;
}

std::unique_ptr<TBitmap> Resource(const char16_t* Name) {
  auto Bmp = std::make_unique<TBitmap>();
  Bmp->LoadFromResourceName(0, Name);
  return Bmp;
}

TEST(SevenSegArtwork, ImagesHaveTheirSizesAreBlackOnWhiteAndHoldTheirSeeds) {
  struct TCase {
    const char16_t* Name;
    int W, H;
    std::vector<TPoint> Seeds;
  };
  const TCase Cases[] = {
      {u"SEGHORZ", 200, 38, {{100, 19}}},          {u"SEGVERT", 68, 190, {{34, 95}}},
      {u"SEGDOT", 38, 38, {{19, 19}}},             {u"SEGPLUS", 200, 190, {{100, 95}}},
      {u"SEGCOLON", 68, 190, {{18, 172}, {50, 18}}}, {u"SEGDEG", 160, 138, {{25, 69}}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(std::string(C.Name, C.Name + std::char_traits<char16_t>::length(C.Name)));
    auto Bmp = Resource(C.Name);
    ASSERT_EQ(Bmp->Width(), C.W);
    ASSERT_EQ(Bmp->Height(), C.H);
    const int Black = CountPixels(Bmp.get(), clBlack), White = CountPixels(Bmp.get(), clWhite);
    EXPECT_EQ(Black + White, C.W * C.H) << "only pure black and white";
    EXPECT_GT(Black, 0);
    for (const TPoint& S : C.Seeds) EXPECT_EQ(Bmp->Canvas()->Pixels(S.X, S.Y), clBlack);
    // The frame of every image is white, so shapes placed side by side cannot join.
    for (int X = 0; X < C.W; ++X) {
      EXPECT_EQ(Bmp->Canvas()->Pixels(X, 0), clWhite);
      EXPECT_EQ(Bmp->Canvas()->Pixels(X, C.H - 1), clWhite);
    }
  }
  EXPECT_EQ(Resource(u"SEGHORZ")->PixelFormat(), pf1bit);
  EXPECT_EQ(Resource(u"SEGDEG")->PixelFormat(), pf24bit);
}

// Every part of a composed glyph is a separate shape: filling one from its
// seed colours exactly as many pixels as its image has black ones.
TEST(SevenSegArtwork, ComposedPartsNeverTouch) {
  const std::map<std::u16string, int> BlackOf = {
      {u"H", CountPixels(Resource(u"SEGHORZ").get(), clBlack)},
      {u"V", CountPixels(Resource(u"SEGVERT").get(), clBlack)},
      {u"D", CountPixels(Resource(u"SEGDOT").get(), clBlack)},
      {u"P", CountPixels(Resource(u"SEGPLUS").get(), clBlack)},
      {u"C", CountPixels(Resource(u"SEGCOLON").get(), clBlack)},
      {u"G", CountPixels(Resource(u"SEGDEG").get(), clBlack)},
  };
  struct TCase {
    Char Ch;
    bool Dot;
    std::vector<std::pair<TPoint, std::u16string>> Parts;  // seed, image kind
  };
  const TCase Cases[] = {
      {u'8',
       true,
       {{kSegSeed[0], u"H"}, {kSegSeed[1], u"V"}, {kSegSeed[2], u"V"}, {kSegSeed[3], u"H"}, {kSegSeed[4], u"V"},
        {kSegSeed[5], u"V"}, {kSegSeed[6], u"H"}, {kDotSeed, u"D"}}},
      {u'+', true, {{kPlusSeed, u"P"}, {kDotSeed, u"D"}}},
      {u'\u00B0', true, {{kDegreeSeed, u"G"}, {kDotSeed, u"D"}}},
  };
  for (const TCase& C : Cases) {
    TSevenSegGlyphs G;  // fresh images: black shapes
    G.Compose(C.Ch, C.Dot, clWhite);
    TCanvas* M = G.Master()->Canvas();
    TColor Mark = 0x010203;
    for (const auto& [Seed, Kind] : C.Parts) {
      ASSERT_EQ(M->Pixels(Seed.X, Seed.Y), clBlack) << "seed " << Seed.X << "," << Seed.Y;
      M->Brush()->SetColor(Mark);
      M->FloodFill(Seed.X, Seed.Y, clBlack, fsSurface);
      EXPECT_EQ(CountPixels(G.Master(), Mark), BlackOf.at(Kind)) << "seed " << Seed.X << "," << Seed.Y;
      Mark += 0x010101;
    }
    EXPECT_EQ(CountPixels(G.Master(), clBlack), 0) << "every black pixel belongs to a listed part";
  }
  // The colon is two separate dots of equal size.
  TSevenSegGlyphs G;
  G.Compose(u':', false, clWhite);
  TCanvas* M = G.Master()->Canvas();
  M->Brush()->SetColor(clRed);
  M->FloodFill(kColonSeeds[0].X, kColonSeeds[0].Y, clBlack, fsSurface);
  EXPECT_EQ(CountPixels(G.Master(), clRed) * 2, BlackOf.at(u"C"));
  EXPECT_EQ(M->Pixels(kColonSeeds[1].X, kColonSeeds[1].Y), clBlack);
}

// Lit parts of a composed glyph, read at the seed of each segment and the dot.
std::string LitSegments(TSevenSegGlyphs& G, TColor Text, TColor Back) {
  std::string S;
  for (int I = 0; I < 7; ++I) {
    const TColor P = G.Master()->Canvas()->Pixels(kSegSeed[I].X, kSegSeed[I].Y);
    if (P == Text) S += static_cast<char>('1' + I);
    else if (P != Back) S += '?';
  }
  const TColor D = G.Master()->Canvas()->Pixels(kDotSeed.X, kDotSeed.Y);
  if (D == Text) S += '.';
  else if (D != Back) S += '?';
  return S;
}

TEST(SevenSegGlyphs, SegmentsOfEveryGlyph) {
  const TColor Text = 0x0000FF, Back = 0x333333;
  const std::map<Char, std::string> Expected = {
      {u'0', "123567"}, {u'1', "36"},     {u'2', "13457"},   {u'3', "13467"},   {u'4', "2346"},
      {u'5', "12467"},  {u'6', "124567"}, {u'7', "136"},     {u'8', "1234567"}, {u'9', "123467"},
      {u'-', "4"},      {u'A', "123456"}, {u'B', "24567"},   {u'C', "1257"},    {u'D', "34567"},
      {u'E', "12457"},  {u'F', "1245"},   {u'.', "."},       {u',', "."},       {u'a', "123456"},
      {u'f', "1245"},   {u'x', ""},       {u' ', ""},        {u'G', ""},
  };
  TSevenSegGlyphs G;
  G.ColorSegments(Text);
  for (const auto& [Ch, Segs] : Expected) {
    G.Compose(Ch, false, Back);
    EXPECT_EQ(LitSegments(G, Text, Back), Segs) << "glyph " << static_cast<int>(Ch);
    G.Compose(Ch, true, Back);
    EXPECT_EQ(LitSegments(G, Text, Back), Segs == "." ? Segs : Segs + ".") << "glyph with dot " << static_cast<int>(Ch);
  }
  // The signs with images of their own.
  const std::pair<Char, std::vector<TPoint>> Signs[] = {
      {u'+', {kPlusSeed}}, {u':', {kColonSeeds[0], kColonSeeds[1]}}, {u'\u00B0', {kDegreeSeed}}};
  for (const auto& [Ch, Seeds] : Signs) {
    G.Compose(Ch, false, Back);
    TCanvas* M = G.Master()->Canvas();
    for (const TPoint& S : Seeds) EXPECT_EQ(M->Pixels(S.X, S.Y), Text) << "sign " << static_cast<int>(Ch);
    for (int I : {4, 5, 6}) EXPECT_EQ(M->Pixels(kSegSeed[I].X, kSegSeed[I].Y), Back);
    EXPECT_EQ(M->Pixels(kDotSeed.X, kDotSeed.Y), Back);
  }
}

TEST(SevenSegGlyphs, ColoursOfComposedGlyphs) {
  TSevenSegGlyphs G;
  // White text is kept apart from the white the glyph is composed on.
  G.ColorSegments(clWhite);
  G.Compose(u'8', true, 0x333333);
  EXPECT_EQ(LitSegments(G, 0xFEFEFE, 0x333333), "1234567.");
  EXPECT_EQ(G.Master()->Canvas()->Pixels(1, 1), 0x333333u);
  EXPECT_EQ(CountPixels(G.Master(), clWhite), 0);

  // Recolouring takes over every shape coloured before.
  G.ColorSegments(clLime);
  G.Compose(u'8', true, clBlack);
  EXPECT_EQ(LitSegments(G, clLime, clBlack), "1234567.");
  EXPECT_EQ(CountPixels(G.Master(), 0xFEFEFE), 0);

  // System colours are drawn as their RGB value.
  G.ColorSegments(clBtnShadow);
  G.Compose(u'1', false, clBtnFace);
  EXPECT_EQ(LitSegments(G, ColorToRGB(clBtnShadow), ColorToRGB(clBtnFace)), "36");

  // The hole of the degree ring, which no fill from the outside reaches, is background too.
  G.ColorSegments(clRed);
  G.Compose(u'\u00B0', false, 0x333333);
  EXPECT_EQ(G.Master()->Canvas()->Pixels(kDegreeHole.X, kDegreeHole.Y), 0x333333u);
  EXPECT_EQ(CountPixels(G.Master(), clWhite), 0);
}

TEST(SevenSegGlyphs, CacheHoldsEveryGlyphAtTheCellSize) {
  TSevenSegGlyphs G;
  EXPECT_EQ(G.BuildCount(), 0);
  const int CW = 49, CH = 60;
  G.Build(CW, CH, clRed, 0x333333);
  EXPECT_EQ(G.BuildCount(), 1);
  ASSERT_EQ(G.Cache()->Width(), 21 * CW);
  ASSERT_EQ(G.Cache()->Height(), CH);
  TCanvas* C = G.Cache()->Canvas();
  // Master point (X, Y) of cell K shrunk into the strip.
  auto At = [&](int K, TPoint P) {
    return C->Pixels((K - 1) * CW + P.X * CW / kSevenSegMasterWidth, P.Y * CH / kSevenSegMasterHeight);
  };
  for (int K = 1; K <= 21; ++K) {
    EXPECT_EQ(At(K, TPoint{0, 0}), 0x333333u) << "cell " << K;
    EXPECT_EQ(At(K, TPoint{311, 431}), 0x333333u) << "cell " << K;
  }
  for (int I = 0; I < 7; ++I) EXPECT_EQ(At(9, kSegSeed[I]), clRed) << "8, segment " << I + 1;
  EXPECT_EQ(At(9, kDotSeed), 0x333333u) << "cells hold no dot";
  EXPECT_EQ(At(2, kSegSeed[0]), 0x333333u) << "1 has no top";
  EXPECT_EQ(At(2, kSegSeed[2]), clRed);
  EXPECT_EQ(At(11, kSegSeed[3]), clRed) << "-";
  EXPECT_EQ(At(11, kSegSeed[0]), 0x333333u);
  EXPECT_EQ(At(12, kPlusSeed), clRed) << "+";
  EXPECT_EQ(At(14, kDegreeSeed), clRed) << "degree";
  EXPECT_EQ(At(21, kDotSeed), clRed) << "the last cell is the dot";
  EXPECT_EQ(At(21, kSegSeed[6]), 0x333333u);
  // Edges are averaged between the two colours, never anything else.
  for (int X = 0; X < G.Cache()->Width(); ++X) {
    const TColor P = C->Pixels(X, CH / 2);
    ASSERT_GE(GetRValue(P), 0x33) << X;
    ASSERT_NEAR(GetGValue(P), 0x33 * (255 - GetRValue(P)) / (255 - 0x33), 3) << X;
    ASSERT_EQ(GetGValue(P), GetBValue(P)) << X;
  }

  // A rebuild in other colours replaces everything.
  G.Build(CW, CH, clLime, clBlack);
  EXPECT_EQ(G.BuildCount(), 2);
  EXPECT_EQ(At(9, kSegSeed[3]), clLime);
  EXPECT_EQ(At(9, TPoint{0, 0}), clBlack);
}

// The cache is built from the shrunk parts; it must hold exactly what
// composing each glyph and shrinking it with area averaging gives.
TEST(SevenSegGlyphs, CacheEqualsEachComposedGlyphShrunk) {
  struct TCase {
    int CW, CH;
    TColor Text, Back;
  } Cases[] = {{48, 60, clRed, 0x333333},
               {13, 97, clWhite, clNavy},
               {244, 284, 0x12AB34, clBlack},
               {20, 500, clBtnFace, clYellow}};
  for (const TCase& C : Cases) {
    TSevenSegGlyphs G;
    G.Build(C.CW, C.CH, C.Text, C.Back);
    TBitmap Want(kSevenSegGlyphCount * C.CW, C.CH);
    SetStretchBltMode(Want.Canvas(), HALFTONE);
    for (int K = 0; K < kSevenSegGlyphCount; ++K) {
      G.Compose(SevenSegCharList[static_cast<size_t>(K)], false, C.Back);
      StretchBlt(Want.Canvas(), K * C.CW, 0, C.CW, C.CH, G.Master()->Canvas(), 0, 0, kSevenSegMasterWidth,
                 kSevenSegMasterHeight, SRCCOPY);
    }
    for (int Y = 0; Y < C.CH; ++Y)
      for (int X = 0; X < Want.Width(); ++X)
        ASSERT_EQ(G.Cache()->ScanLine(Y)[X], Want.ScanLine(Y)[X])
            << C.CW << "x" << C.CH << " cell " << X / C.CW + 1 << " at " << X % C.CW << "," << Y;
  }
}

TEST(SevenSegGlyphs, DegenerateCellsLeaveAnEmptyCache) {
  TSevenSegGlyphs G;
  G.Build(0, 60, clRed, clBlack);
  EXPECT_TRUE(G.Cache()->Empty());
  G.Build(-3, -5, clRed, clBlack);
  EXPECT_TRUE(G.Cache()->Empty());
  EXPECT_EQ(G.CellWidth(), 0);
  G.Build(1, 1, clRed, clBlack);  // one pixel per glyph still works
  EXPECT_EQ(G.Cache()->Width(), 21);
}

TEST(SevenSegGlyphs, GlyphIndexFollowsTheList) {
  EXPECT_EQ(TSevenSegGlyphs::GlyphIndex(u'0'), 1);
  EXPECT_EQ(TSevenSegGlyphs::GlyphIndex(u'9'), 10);
  EXPECT_EQ(TSevenSegGlyphs::GlyphIndex(u':'), 13);
  EXPECT_EQ(TSevenSegGlyphs::GlyphIndex(u'\u00B0'), 14);
  EXPECT_EQ(TSevenSegGlyphs::GlyphIndex(u'b'), 16);
  EXPECT_EQ(TSevenSegGlyphs::GlyphIndex(u'.'), 21);
  EXPECT_EQ(TSevenSegGlyphs::GlyphIndex(u','), 0);
  EXPECT_EQ(TSevenSegGlyphs::GlyphIndex(u'x'), 0);
}

}  // namespace
}  // namespace orv
