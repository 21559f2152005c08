#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <set>
#include <vector>

#include "framework/graphics/fontmatch.h"
#include "framework/graphics/textengine.h"

namespace orv {
namespace {

constexpr uint32_t Paper = 0xFFFFFF;
constexpr uint32_t Ink = 0x000000;

// A white pixel store with helpers to find what text changed.
struct TPage {
  int W, H;
  std::vector<uint32_t> Px;
  TPage(int AW, int AH, uint32_t Fill = Paper) : W(AW), H(AH), Px(static_cast<size_t>(AW) * AH, Fill) {}
  TPixelSurface Surface() { return TPixelSurface{Px.data(), W, H, W}; }
  uint32_t At(int X, int Y) const { return Px[static_cast<size_t>(Y) * W + X]; }
  TRect All() const { return TRect{0, 0, W, H}; }
  // Bounding box of every pixel that is not Fill (empty rect when none).
  TRect InkBox(uint32_t Fill = Paper) const {
    TRect B{W, H, 0, 0};
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X)
        if (At(X, Y) != Fill) {
          B.Left = std::min(B.Left, X);
          B.Top = std::min(B.Top, Y);
          B.Right = std::max(B.Right, X + 1);
          B.Bottom = std::max(B.Bottom, Y + 1);
        }
    return B.IsEmpty() ? TRect{} : B;
  }
  int Count(uint32_t C) const { return static_cast<int>(std::count(Px.begin(), Px.end(), C)); }
};

TFontRequest Request(int Height, int Angle = 0, bool Mono = false, const String& Name = u"DejaVu Sans") {
  TFontRequest S;
  S.Name = Name;
  S.Height = Height;
  S.Angle = Angle;
  S.Monochrome = Mono;
  return S;
}

// --- Measuring -----------------------------------------------------------

TEST(TextEngineMeasure, WidthIsTheSumOfAdvances) {
  auto F = AcquireFont(Request(-12));
  const String Text = u"Width (8g]}\u00DC\u00C4\u00A7 of 1.25e-3";
  int Sum = 0;
  for (Char C : Text) Sum += F->Advance(C);
  EXPECT_EQ(F->TextWidth(Text), Sum);
  EXPECT_GT(Sum, 0);
  EXPECT_EQ(F->TextWidth(u""), 0);
  // A second measurement is answered from the cache and gives the same result.
  const size_t Cached = F->CachedGlyphs();
  EXPECT_EQ(F->TextWidth(Text), Sum);
  EXPECT_EQ(F->CachedGlyphs(), Cached);
}

TEST(TextEngineMeasure, SurrogatePairsCountOnceAndLoneSurrogatesAsReplacement) {
  auto F = AcquireFont(Request(-16));
  const String Pair = u"a\U0001D400b";  // MATHEMATICAL BOLD CAPITAL A, outside the BMP
  EXPECT_EQ(F->TextWidth(Pair), F->Advance(U'a') + F->Advance(U'\U0001D400') + F->Advance(U'b'));
  const String Lone{u'a', char16_t(0xD835), u'b', char16_t(0xDC00)};
  EXPECT_EQ(F->TextWidth(Lone), F->Advance(U'a') + 2 * F->Advance(0xFFFD) + F->Advance(U'b'));
}

TEST(TextEngineMeasure, WidthGrowsWithSizeAndBoldIsNotNarrower) {
  const String Text = u"The quick brown fox 0123456789";
  int Previous = 0;
  for (int Px = 6; Px <= 48; ++Px) {
    const int W = AcquireFont(Request(-Px))->TextWidth(Text);
    EXPECT_GE(W, Previous) << "at " << Px << " pixels";
    Previous = W;
  }
  EXPECT_GT(AcquireFont(Request(-24))->TextWidth(Text), AcquireFont(Request(-12))->TextWidth(Text) * 3 / 2);

  for (const String& Family : {String(u"DejaVu Sans"), String(u"DejaVu Sans Mono"), String(u"DejaVu Serif")}) {
    TFontRequest Bold = Request(-13, 0, false, Family);
    Bold.Bold = true;
    EXPECT_GE(AcquireFont(Bold)->TextWidth(Text), AcquireFont(Request(-13, 0, false, Family))->TextWidth(Text));
  }
}

TEST(TextEngineMeasure, LineMetricsAreConsistent) {
  for (int H : {-9, -11, -12, -16, -27, 12, 15, 40}) {
    const TTextMetrics& M = AcquireFont(Request(H))->Metrics();
    EXPECT_EQ(M.Height, M.Ascent + M.Descent) << H;
    EXPECT_GT(M.Ascent, M.Descent) << H;
    EXPECT_GE(M.InternalLeading, 0) << H;
    if (H < 0) {
      EXPECT_EQ(M.EmHeight, -H);
      EXPECT_GE(M.Height, -H);
    } else {
      EXPECT_EQ(M.Height, H);  // a positive height is the whole cell
    }
    EXPECT_GE(M.UnderlineTop, 1) << H;
    EXPECT_LE(M.UnderlineTop + M.UnderlineThickness, M.Descent) << H;
    EXPECT_LT(M.StrikeOutTop, 0) << H;
    EXPECT_GT(-M.StrikeOutTop, M.Ascent / 5) << H;
  }
  // Height 0 takes the default size; wild heights are capped, not allocated.
  EXPECT_EQ(AcquireFont(Request(0))->Metrics().EmHeight, DefaultFontPixels);
  auto Huge = AcquireFont(Request(-2000000000));
  EXPECT_EQ(Huge->Metrics().EmHeight, MaxFontPixels);
  EXPECT_GT(Huge->TextWidth(u"W"), 0);
  EXPECT_EQ(AcquireFont(Request(INT_MIN))->Metrics().EmHeight, MaxFontPixels);
  EXPECT_EQ(AcquireFont(Request(INT_MAX))->Metrics().Height, MaxFontPixels);
  // A width beyond the int range saturates instead of wrapping negative.
  EXPECT_EQ(Huge->TextWidth(String(2'000'000, u'W')), INT_MAX);
}

// --- Face lookup -----------------------------------------------------------

TEST(TextEngineFaces, UnknownFamiliesFallBackToDejaVuSans) {
  auto Known = AcquireFont(Request(-14));
  auto Unknown = AcquireFont(Request(-14, 0, false, u"No Such Family 4711"));
  EXPECT_EQ(Unknown->FamilyName(), "DejaVu Sans");
  EXPECT_EQ(Unknown->FilePath(), Known->FilePath());
  EXPECT_EQ(Unknown->TextWidth(u"fallback text"), Known->TextWidth(u"fallback text"));
  // An empty name is no family either.
  EXPECT_EQ(AcquireFont(Request(-14, 0, false, u""))->FamilyName(), "DejaVu Sans");
}

TEST(TextEngineFaces, HostFamiliesMapToMetricCompatibleStandIns) {
  EXPECT_EQ(FontFamilyCandidates(u"arial"),
            (std::vector<std::string>{"arial", "Liberation Sans", "DejaVu Sans"}));
  EXPECT_EQ(FontFamilyCandidates(u"Courier New"),
            (std::vector<std::string>{"Courier New", "Liberation Mono", "DejaVu Sans Mono", "DejaVu Sans"}));
  EXPECT_EQ(FontFamilyCandidates(u"Times New Roman"),
            (std::vector<std::string>{"Times New Roman", "Liberation Serif", "DejaVu Serif", "DejaVu Sans"}));
  EXPECT_EQ(FontFamilyCandidates(u"DejaVu Sans"), (std::vector<std::string>{"DejaVu Sans"}));
  // Whatever is installed, a monospaced request ends on a monospaced face.
  auto Mono = AcquireFont(Request(-12, 0, false, u"Courier New"));
  EXPECT_EQ(Mono->TextWidth(u"iiii"), Mono->TextWidth(u"WWWW"));
}

TEST(TextEngineFaces, ItalicLeansRightWithOrWithoutAnItalicFace) {
  auto FirstInk = [](const TPage& P, int Row) {
    for (int X = 0; X < P.W; ++X)
      if (P.At(X, Row) != Paper) return X;
    return -1;
  };
  // "DejaVu Sans Light" has no slanted face anywhere (and is often missing
  // altogether, which ends at DejaVu Sans without an oblique face too).
  for (const String& Family : {String(u"DejaVu Sans"), String(u"DejaVu Sans Light")}) {
    TFontRequest Italic = Request(-20, 0, false, Family);
    Italic.Italic = true;
    auto Slanted = AcquireFont(Italic);
    if (Family == u"DejaVu Sans Light") {
      EXPECT_TRUE(Slanted->SyntheticItalic());
    }
    TPage A(80, 40), B(80, 40);
    Slanted->Draw(A.Surface(), A.All(), 4, 4, u"Il", Ink);
    AcquireFont(Request(-20, 0, false, Family))->Draw(B.Surface(), B.All(), 4, 4, u"Il", Ink);
    EXPECT_NE(A.Px, B.Px);
    // The top of the strokes lies further right than their foot.
    const TRect Box = A.InkBox();
    EXPECT_GT(FirstInk(A, Box.Top + 1), FirstInk(A, Box.Bottom - 2) + 1);
  }
}

TEST(TextEngineFaces, SyntheticBoldWidensEveryAdvance) {
  TFontRequest Bold = Request(-16, 0, false, u"DejaVu Sans Light");
  Bold.Bold = true;
  auto Heavy = AcquireFont(Bold);
  auto Plain = AcquireFont(Request(-16, 0, false, u"DejaVu Sans Light"));
  if (!Heavy->SyntheticBold()) GTEST_SKIP() << "the family resolved to a face with its own bold";
  for (char32_t C : {U'i', U'W', U'.', U'0'}) EXPECT_GT(Heavy->Advance(C), Plain->Advance(C));
  TPage A(120, 30), B(120, 30);
  Heavy->Draw(A.Surface(), A.All(), 2, 2, u"lllll", Ink);
  Plain->Draw(B.Surface(), B.All(), 2, 2, u"lllll", Ink);
  // More pixels carry ink.
  EXPECT_GT(A.Px.size() - A.Count(Paper), B.Px.size() - B.Count(Paper));
}

TEST(TextEngineFaces, EqualRequestsShareOneInstance) {
  EXPECT_EQ(AcquireFont(Request(-12, 450)).get(), AcquireFont(Request(-12, 4050)).get());
  EXPECT_EQ(AcquireFont(Request(-12, -3150)).get(), AcquireFont(Request(-12, 450)).get());
  EXPECT_NE(AcquireFont(Request(-12, 0, true)).get(), AcquireFont(Request(-12, 0, false)).get());
}

// --- Drawing ---------------------------------------------------------------

TEST(TextEngineDraw, InkStaysInsideTheTextCell) {
  auto F = AcquireFont(Request(-16));
  TPage P(200, 60);
  const String Text = u"Hxg(8g]}";
  F->Draw(P.Surface(), P.All(), 10, 7, Text, Ink);
  const TRect Box = P.InkBox();
  ASSERT_FALSE(Box.IsEmpty());
  EXPECT_GE(Box.Left, 10);
  EXPECT_LE(Box.Right, 10 + F->TextWidth(Text) + 1);
  EXPECT_GE(Box.Top, 7);
  EXPECT_LE(Box.Bottom, 7 + F->Metrics().Height);
  // The capital H sits on the baseline: its foot is the row just above it.
  const int Baseline = 7 + F->Metrics().Ascent;
  bool InkOnFoot = false;
  for (int X = 10; X < 10 + F->Advance(U'H'); ++X) InkOnFoot |= P.At(X, Baseline - 1) == Ink;
  EXPECT_TRUE(InkOnFoot);
}

TEST(TextEngineDraw, NothingOutsideTheClipChanges) {
  auto F = AcquireFont(Request(-20));
  const TRect Clip{30, 12, 70, 25};
  TPage Clipped(120, 40), Full(120, 40);
  F->Draw(Clipped.Surface(), Clip, 5, 5, u"Clipping WWW", Ink, true, true);
  F->Draw(Full.Surface(), Full.All(), 5, 5, u"Clipping WWW", Ink, true, true);
  for (int Y = 0; Y < 40; ++Y)
    for (int X = 0; X < 120; ++X) {
      if (Clip.Contains(Point(X, Y)))
        EXPECT_EQ(Clipped.At(X, Y), Full.At(X, Y)) << X << "," << Y;
      else
        EXPECT_EQ(Clipped.At(X, Y), Paper) << X << "," << Y;
    }
  // Text hanging over the surface's edges shows the part that falls inside;
  // clips reaching past the surface and text far away are harmless.
  TPage Small(10, 10), Large(40, 40);
  F->Draw(Small.Surface(), TRect{-100, -100, 100, 100}, -15, -12, u"edge", Ink);
  F->Draw(Large.Surface(), Large.All(), 5, 8, u"edge", Ink);
  for (int Y = 0; Y < 10; ++Y)
    for (int X = 0; X < 10; ++X) EXPECT_EQ(Small.At(X, Y), Large.At(X + 20, Y + 20)) << X << "," << Y;
  const std::vector<uint32_t> Before = Small.Px;
  F->Draw(Small.Surface(), TRect{-100, -100, 100, 100}, 100000, -100000, u"far", Ink);
  F->Draw(Small.Surface(), TRect{5, 5, 2, 2}, 0, 0, u"inverted clip", Ink);
  F->Draw(TPixelSurface{}, TRect{0, 0, 10, 10}, 0, 0, u"no pixels", Ink);
  EXPECT_EQ(Small.Px, Before);
}

TEST(TextEngineDraw, MonochromeUsesTwoColoursAntialiasedBlends) {
  const String Text = u"Smooth & jagged @ 45%";
  TPage Mono(220, 30), Smooth(220, 30);
  AcquireFont(Request(-15, 0, true))->Draw(Mono.Surface(), Mono.All(), 2, 2, Text, 0x2040C0);
  AcquireFont(Request(-15, 0, false))->Draw(Smooth.Surface(), Smooth.All(), 2, 2, Text, 0x2040C0);
  std::set<uint32_t> MonoColours(Mono.Px.begin(), Mono.Px.end());
  EXPECT_EQ(MonoColours, (std::set<uint32_t>{Paper, 0x2040C0}));
  std::set<uint32_t> SmoothColours(Smooth.Px.begin(), Smooth.Px.end());
  EXPECT_GT(SmoothColours.size(), 4u);
  // Blends lie on the line between paper and ink, channel by channel.
  for (uint32_t C : SmoothColours) {
    EXPECT_GE((C >> 16) & 0xFF, 0x20u);
    EXPECT_GE((C >> 8) & 0xFF, 0x40u);
    EXPECT_GE(C & 0xFF, 0xC0u);
  }
}

TEST(TextEngineDraw, UnderlineAndStrikeOutRunUnderTheWholeString) {
  auto F = AcquireFont(Request(-18));
  const TTextMetrics& M = F->Metrics();
  const String Spaces = u"     ";  // no ink of their own: only the lines show
  const int W = F->TextWidth(Spaces);
  TPage Under(100, 40), Strike(100, 40);
  F->Draw(Under.Surface(), Under.All(), 6, 3, Spaces, Ink, true, false);
  F->Draw(Strike.Surface(), Strike.All(), 6, 3, Spaces, Ink, false, true);
  const int Baseline = 3 + M.Ascent;
  EXPECT_EQ(Under.InkBox(), (TRect{6, Baseline + M.UnderlineTop, 6 + W, Baseline + M.UnderlineTop + M.UnderlineThickness}));
  EXPECT_EQ(Strike.InkBox(),
            (TRect{6, Baseline + M.StrikeOutTop, 6 + W, Baseline + M.StrikeOutTop + M.StrikeOutThickness}));
  EXPECT_EQ(Under.Count(Ink), W * M.UnderlineThickness);
}

// The ink of Text drawn at Angle about (X, Y) must lie in the rotated cell.
TRect DrawTurned(TPage& P, int Angle, int X, int Y, const String& Text, int& W, int& H) {
  auto F = AcquireFont(Request(-16, Angle, true));
  W = F->TextWidth(Text);
  H = F->Metrics().Height;
  F->Draw(P.Surface(), P.All(), X, Y, Text, Ink, true);
  return P.InkBox();
}

TEST(TextEngineDraw, RotatedTextTurnsAboutTheTopLeftOfItsCell) {
  const String Text = u"Rotated label";
  int W = 0, H = 0;
  {
    TPage P(200, 200);
    const TRect Box = DrawTurned(P, 900, 100, 150, Text, W, H);  // reads upwards
    EXPECT_GT(Box.Height(), 2 * Box.Width());
    EXPECT_GE(Box.Left, 100);
    EXPECT_LE(Box.Right, 100 + H);
    EXPECT_GE(Box.Top, 150 - W - 1);
    EXPECT_LE(Box.Bottom, 150);
    EXPECT_GT(Box.Height(), W - 4);
  }
  {
    TPage P(200, 200);
    const TRect Box = DrawTurned(P, 2700, 100, 20, Text, W, H);  // reads downwards
    EXPECT_LE(Box.Right, 100 + 1);
    EXPECT_GE(Box.Left, 100 - H);
    EXPECT_GE(Box.Top, 20);
    EXPECT_LE(Box.Bottom, 20 + W + 1);
  }
  {
    TPage P(200, 200);
    const TRect Box = DrawTurned(P, 1800, 150, 100, Text, W, H);  // upside down
    EXPECT_GT(Box.Width(), 2 * Box.Height());
    EXPECT_LE(Box.Right, 150 + 1);
    EXPECT_GE(Box.Left, 150 - W - 1);
    EXPECT_LE(Box.Bottom, 100 + 1);
    EXPECT_GE(Box.Top, 100 - H);
  }
  {
    // 45 degrees: every ink pixel lies within the rotated cell (one pixel of slack).
    TPage P(200, 200);
    DrawTurned(P, 450, 40, 150, Text, W, H);
    auto F = AcquireFont(Request(-16, 450, true));
    const TPointF A = F->Along(), D = F->Down();
    int Outside = 0, Inked = 0;
    for (int Y = 0; Y < 200; ++Y)
      for (int X = 0; X < 200; ++X) {
        if (P.At(X, Y) == Paper) continue;
        ++Inked;
        const double Dx = X + 0.5 - 40, Dy = Y + 0.5 - 150;
        const double U = Dx * A.X + Dy * A.Y, V = Dx * D.X + Dy * D.Y;
        if (U < -1.5 || U > W + 1.5 || V < -1.5 || V > H + 1.5) ++Outside;
      }
    EXPECT_GT(Inked, 50);
    EXPECT_EQ(Outside, 0);
  }
}

// --- Pixel helpers -----------------------------------------------------------

TEST(TextRaster, ConvexFillCoversPixelCentresOnly) {
  TPage P(20, 20, 0);
  const TPointF Box[4] = {{3, 4}, {9, 4}, {9, 7}, {3, 7}};
  FillConvexPolygon(P.Surface(), P.All(), Box, 0xABCDEF);
  EXPECT_EQ(P.InkBox(0), (TRect{3, 4, 9, 7}));
  EXPECT_EQ(P.Count(0xABCDEF), 18);
  // The clip cuts, degenerate and non-finite corners draw nothing.
  TPage Q(20, 20, 0);
  FillConvexPolygon(Q.Surface(), TRect{5, 0, 7, 20}, Box, 0xABCDEF);
  EXPECT_EQ(Q.InkBox(0), (TRect{5, 4, 7, 7}));
  const TPointF Flat[3] = {{1, 1}, {10, 1}, {15, 1}};
  const TPointF Bad[3] = {{1, 1}, {1e308 * 10, 1}, {5, 9}};
  FillConvexPolygon(Q.Surface(), Q.All(), Flat, 1);
  FillConvexPolygon(Q.Surface(), Q.All(), Bad, 1);
  EXPECT_EQ(Q.Count(1), 0);
}

// Boxes take a shortcut past the edge walk; the same box with a repeated
// corner takes the walk. Both must fill the same pixels, whatever the corner
// order, fraction or clip.
TEST(TextRaster, UprightBoxFillsAsTheEdgeWalk) {
  std::mt19937 Rng(5);
  std::uniform_real_distribution<double> Coord(-4, 36);
  std::uniform_int_distribution<int> Int(-4, 36), Turn(0, 3);
  for (int Round = 0; Round < 400; ++Round) {
    const bool Whole = Round % 2 == 0;
    const auto Pick = [&] { return Whole ? double(Int(Rng)) : Coord(Rng); };
    const double X1 = Pick(), X2 = Pick(), Y1 = Pick(), Y2 = Pick();
    TPointF Ring[4] = {{X1, Y1}, {X2, Y1}, {X2, Y2}, {X1, Y2}};
    if (Round % 3 == 0) std::reverse(std::begin(Ring), std::end(Ring));
    std::rotate(std::begin(Ring), std::begin(Ring) + Turn(Rng), std::end(Ring));
    const TPointF Walked[5] = {Ring[0], Ring[0], Ring[1], Ring[2], Ring[3]};
    const TRect Clip{Int(Rng) / 2, Int(Rng) / 2, 32, 30};
    TPage Fast(32, 32, 0), Slow(32, 32, 0);
    FillConvexPolygon(Fast.Surface(), Clip, Ring, 0x123456);
    FillConvexPolygon(Slow.Surface(), Clip, Walked, 0x123456);
    ASSERT_EQ(Fast.Px, Slow.Px) << "box " << X1 << "," << Y1 << " - " << X2 << "," << Y2;
  }
  // Four axis-aligned edges that fold back on themselves enclose nothing.
  TPage P(8, 8, 0);
  const TPointF Folded[4] = {{0, 0}, {2, 0}, {2, 1}, {2, 0}};
  FillConvexPolygon(P.Surface(), P.All(), Folded, 1);
  EXPECT_EQ(P.Count(1), 0);
}

// Random glyphs with runs of empty, full and partial coverage, blended at
// random places over random pixels, against the rule pixel by pixel, by each
// instruction set the processor has.
TEST(TextRaster, BlendMatchesTheRoundedMixEverywhere) {
  std::mt19937 Rng(9);
  const auto Below = [&](int N) { return static_cast<int>(Rng() % static_cast<unsigned>(N)); };
  for (int Round = 0; Round < 900; ++Round) {
    const TBlendKind Kind = BlendKinds()[size_t(Round) % BlendKinds().size()];
    TGlyphImage G;
    G.Width = 1 + Below(40);
    G.Height = 1 + Below(4);
    G.Left = Below(9) - 4;
    G.Top = Below(4);
    // Every other round of each kind two-level, as monochrome glyphs are.
    G.TwoLevel = Round / 3 % 2 == 1;
    for (int I = 0; I < G.Width * G.Height;) {
      const int Run = 1 + Below(9), Kind = Below(G.TwoLevel ? 2 : 3);
      for (int K = 0; K < Run && I < G.Width * G.Height; ++K, ++I)
        G.Coverage.push_back(Kind == 0 ? 0 : Kind == 1 ? 255 : static_cast<uint8_t>(Rng()));
    }
    TPage P(48, 8, 0);
    for (uint32_t& Px : P.Px) Px = Rng();
    const std::vector<uint32_t> Before = P.Px;
    const uint32_t Rgb = Rng() & 0xFFFFFF;
    const TRect Clip{Below(6), 0, 48 - Below(6), 8};
    const int PenX = Below(12) - 2, PenY = Below(6) + 1;
    BlendGlyph(Kind, P.Surface(), Clip, PenX, PenY, G, Rgb | 0xAB000000);
    for (int Y = 0; Y < P.H; ++Y)
      for (int X = 0; X < P.W; ++X) {
        const int GX = X - PenX - G.Left, GY = Y - PenY + G.Top;
        const bool Inside = GX >= 0 && GX < G.Width && GY >= 0 && GY < G.Height && X >= Clip.Left &&
                            X < Clip.Right;
        const uint32_t A = Inside ? G.Coverage[size_t(GY) * G.Width + GX] : 0;
        const uint32_t D = Before[size_t(Y) * P.W + X];
        uint32_t Want = D;
        if (A != 0) {
          Want = 0;
          for (int Shift = 0; Shift < 24; Shift += 8) {
            const uint32_t S = (Rgb >> Shift) & 0xFF, T = (D >> Shift) & 0xFF;
            Want |= (S * A + T * (255 - A) + 127) / 255 << Shift;
          }
        }
        ASSERT_EQ(P.At(X, Y), Want) << "kind " << int(Kind) << " round " << Round << " at " << X << "," << Y
                                    << " coverage " << A;
      }
  }
}

TEST(TextRaster, CoverageBlendsLinearly) {
  TGlyphImage G;
  G.Width = 3;
  G.Height = 1;
  G.Top = 1;
  G.Coverage = {0, 128, 255};
  TPage P(3, 1, 0x000000);
  BlendGlyph(P.Surface(), P.All(), 0, 1, G, 0xFF8040);
  EXPECT_EQ(P.At(0, 0), 0x000000u);
  EXPECT_EQ(P.At(1, 0), 0x804020u);
  EXPECT_EQ(P.At(2, 0), 0xFF8040u);
}

}  // namespace
}  // namespace orv
