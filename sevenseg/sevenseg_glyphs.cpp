// Composition of seven-segment glyphs and the cache strip.

#include "sevenseg/sevenseg_glyphs.h"

#include <array>
#include <initializer_list>

#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/sysutils.h"

namespace orv {

namespace {

// The parts a glyph is made of: the seven segments (bits 0..6: top, upper
// left, upper right, middle, lower left, lower right, bottom), then the dot,
// the plus, the colon and the degree ring.
enum TSegImage : uint8_t { siHorz, siVert, siDot, siPlus, siColon, siDeg };

struct TPart {
  TSegImage Image;
  int X, Y;  // top-left corner on the master canvas
};

constexpr std::array<TPart, 11> kParts = {{
    {siHorz, 94, 0},     // 1 top
    {siVert, 37, 23},    // 2 upper left
    {siVert, 244, 23},   // 3 upper right
    {siHorz, 57, 197},   // 4 middle
    {siVert, 0, 220},    // 5 lower left
    {siVert, 207, 220},  // 6 lower right
    {siHorz, 20, 394},   // 7 bottom
    {siDot, 269, 394},   // dot
    {siPlus, 57, 120},   // plus
    {siColon, 122, 121}, // colon
    {siDeg, 150, 0},     // degree
}};

constexpr uint16_t kDotBit = 1u << 7;
constexpr uint16_t kPlusBit = 1u << 8;
constexpr uint16_t kColonBit = 1u << 9;
constexpr uint16_t kDegreeBit = 1u << 10;

// Bit mask of segments given by their numbers 1..7.
constexpr uint16_t Segments(std::initializer_list<int> Numbers) {
  uint16_t Mask = 0;
  for (int N : Numbers) Mask = static_cast<uint16_t>(Mask | (1u << (N - 1)));
  return Mask;
}

// Parts of each glyph of SevenSegCharList, in the same order.
constexpr std::array<uint16_t, kSevenSegGlyphCount> kGlyphParts = {{
    Segments({1, 2, 3, 5, 6, 7}),     // 0
    Segments({3, 6}),                 // 1
    Segments({1, 3, 4, 5, 7}),        // 2
    Segments({1, 3, 4, 6, 7}),        // 3
    Segments({2, 3, 4, 6}),           // 4
    Segments({1, 2, 4, 6, 7}),        // 5
    Segments({1, 2, 4, 5, 6, 7}),     // 6
    Segments({1, 3, 6}),              // 7
    Segments({1, 2, 3, 4, 5, 6, 7}),  // 8
    Segments({1, 2, 3, 4, 6, 7}),     // 9
    Segments({4}),                    // -
    kPlusBit,                         // +
    kColonBit,                        // :
    kDegreeBit,                       // degree sign
    Segments({1, 2, 3, 4, 5, 6}),     // A
    Segments({2, 4, 5, 6, 7}),        // B
    Segments({1, 2, 5, 7}),           // C
    Segments({3, 4, 5, 6, 7}),        // D
    Segments({1, 2, 4, 5, 7}),        // E
    Segments({1, 2, 4, 5}),           // F
    kDotBit,                          // .
}};

constexpr uint32_t kWhitePixel = 0xFFFFFF;

uint16_t PartsOf(Char Ch) {
  if (Ch == u',') return kDotBit;
  const int K = TSevenSegGlyphs::GlyphIndex(Ch);
  return K == 0 ? 0 : kGlyphParts[K - 1];
}

// Loads a segment image and keeps it at 32 bits per pixel whatever depth it
// was stored with.
std::unique_ptr<TBitmap> LoadSegment(const char16_t* Name) {
  auto Bmp = std::make_unique<TBitmap>();
  Bmp->LoadFromResourceName(0, Name);
  Bmp->SetPixelFormat(pf32bit);
  return Bmp;
}

// Fills the shape under (X, Y) with Color; a white seed means the artwork has
// no shape there, and filling would paint the whole background instead.
void ColorShape(TBitmap* Bmp, int X, int Y, TColor Color) {
  TCanvas* C = Bmp->Canvas();
  const TColor Under = C->Pixels(X, Y);
  if (Under == CLR_INVALID || Under == clWhite) return;
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Color);
  C->FloodFill(X, Y, Under, fsSurface);
}

}  // namespace

TSevenSegGlyphs::TSevenSegGlyphs()
    : SegHorz(LoadSegment(u"SEGHORZ")),
      SegVert(LoadSegment(u"SEGVERT")),
      SegDot(LoadSegment(u"SEGDOT")),
      SegPlus(LoadSegment(u"SEGPLUS")),
      SegColon(LoadSegment(u"SEGCOLON")),
      SegDeg(LoadSegment(u"SEGDEG")),
      DigImg(std::make_unique<TBitmap>(kSevenSegMasterWidth, kSevenSegMasterHeight)),
      ImgCache(std::make_unique<TBitmap>()) {}

TSevenSegGlyphs::~TSevenSegGlyphs() = default;

int TSevenSegGlyphs::GlyphIndex(Char C) {
  const size_t Pos = SevenSegCharList.find(UpCase(C));
  return Pos == std::u16string_view::npos ? 0 : static_cast<int>(Pos) + 1;
}

void TSevenSegGlyphs::ColorSegments(TColor TextColor) {
  TColor C = ColorToRGB(TextColor) & 0xFFFFFFu;
  if (C == 0xFFFFFF) C = 0xFEFEFE;
  for (TBitmap* Bmp : {SegVert.get(), SegHorz.get(), SegDot.get(), SegPlus.get()})
    ColorShape(Bmp, Bmp->Width() / 2, Bmp->Height() / 2, C);
  ColorShape(SegColon.get(), 18, SegColon->Height() - 18, C);
  ColorShape(SegColon.get(), SegColon->Width() - 18, 18, C);
  ColorShape(SegDeg.get(), 25, SegDeg->Height() / 2, C);
}

void TSevenSegGlyphs::Compose(Char Ch, bool Dot, TColor BackColor) {
  uint16_t Parts = PartsOf(Ch);
  if (Dot) Parts |= kDotBit;

  TCanvas* C = DigImg->Canvas();
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(clWhite);
  C->FillRect(TRect{0, 0, kSevenSegMasterWidth, kSevenSegMasterHeight});
  C->SetCopyMode(cmSrcAnd);
  const std::array<TBitmap*, 6> Images = {SegHorz.get(), SegVert.get(),  SegDot.get(),
                                          SegPlus.get(), SegColon.get(), SegDeg.get()};
  for (size_t I = 0; I < kParts.size(); ++I) {
    if ((Parts & (1u << I)) == 0) continue;
    TBitmap* Img = Images[kParts[I].Image];
    const TRect Whole{0, 0, Img->Width(), Img->Height()};
    C->CopyRect(TRect{kParts[I].X, kParts[I].Y, kParts[I].X + Img->Width(), kParts[I].Y + Img->Height()},
                Img->Canvas(), Whole);
  }
  C->SetCopyMode(cmSrcCopy);

  // Every white pixel becomes background: the area around the shapes, which
  // a surface fill from (1, 1) would reach, and also the hole of the degree
  // ring, which it would not. No segment is ever white, so one pass over the
  // pixels gives the fill's result and the hole at half the cost.
  const uint32_t BackPixel = ColorToPixel(ColorToRGB(BackColor) & 0xFFFFFFu);
  uint32_t* P = DigImg->Bits();
  for (int I = 0, N = kSevenSegMasterWidth * kSevenSegMasterHeight; I < N; ++I)
    if (P[I] == kWhitePixel) P[I] = BackPixel;
}

void TSevenSegGlyphs::Build(int CellWidth, int CellHeight, TColor TextColor, TColor BackColor) {
  ++FBuildCount;
  if (CellWidth <= 0 || CellHeight <= 0) {
    FCellWidth = FCellHeight = 0;
    ImgCache->SetSize(0, 0);
    return;
  }
  FCellWidth = CellWidth;
  FCellHeight = CellHeight;
  ImgCache->SetSize(kSevenSegGlyphCount * CellWidth, CellHeight);
  TCanvas* Cache = ImgCache->Canvas();
  Cache->Brush()->SetStyle(bsSolid);
  Cache->Brush()->SetColor(ColorToRGB(BackColor) & 0xFFFFFFu);
  Cache->FillRect(TRect{0, 0, ImgCache->Width(), CellHeight});

  ColorSegments(TextColor);
  SetStretchBltMode(Cache, HALFTONE);
  for (int K = 1; K <= kSevenSegGlyphCount; ++K) {
    Compose(SevenSegCharList[static_cast<size_t>(K - 1)], false, BackColor);
    StretchBlt(Cache, (K - 1) * CellWidth, 0, CellWidth, CellHeight, DigImg->Canvas(), 0, 0, kSevenSegMasterWidth,
               kSevenSegMasterHeight, SRCCOPY);
  }
  ImgCache->Modified();
}

}  // namespace orv
