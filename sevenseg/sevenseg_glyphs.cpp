// Composition of seven-segment glyphs and the cache strip.

#include "sevenseg/sevenseg_glyphs.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <tuple>
#include <vector>

#include "framework/graphics/canvas.h"
#include "framework/graphics/canvas_stretch.h"
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

// The area average is linear, and the parts of a glyph never overlap, so a
// shrunk glyph is the background plus the shrunk difference each of its parts
// makes to it. Each part's difference is averaged once per build over the
// cells it reaches, as exact 64-bit sums; a glyph adds up the sums of its
// parts and rounds once, giving what shrinking the composed glyph gives.
namespace {

struct TPartSums {
  int Col0 = 0, Col1 = 0, Row0 = 0, Row1 = 0;  // cell pixels the part reaches, end-exclusive
  std::vector<int64_t> Sum;                    // b, g, r per reached pixel
};

// Destination indices whose taps meet source indices [Lo, Hi).
std::pair<int, int> Reach(const stretch::TAreaTaps& T, int Lo, int Hi) {
  int First = -1, Last = -1;
  for (size_t I = 0; I < T.First.size(); ++I) {
    if (T.First[I] < Hi && T.First[I] + T.Count[I] > Lo) {
      if (First < 0) First = static_cast<int>(I);
      Last = static_cast<int>(I);
    }
  }
  return First < 0 ? std::pair{0, 0} : std::pair{First, Last + 1};
}

TPartSums AveragePart(const TBitmap* Img, int PX, int PY, const stretch::TAreaTaps& TX,
                      const stretch::TAreaTaps& TY, uint32_t BackPixel) {
  TPartSums R;
  const int X0 = std::max(PX, 0), X1 = std::min(PX + Img->Width(), kSevenSegMasterWidth);
  const int Y0 = std::max(PY, 0), Y1 = std::min(PY + Img->Height(), kSevenSegMasterHeight);
  if (X0 >= X1 || Y0 >= Y1) return R;
  std::tie(R.Col0, R.Col1) = Reach(TX, X0, X1);
  std::tie(R.Row0, R.Row1) = Reach(TY, Y0, Y1);
  const int FW = R.Col1 - R.Col0;
  R.Sum.assign(static_cast<size_t>(FW) * static_cast<size_t>(R.Row1 - R.Row0) * 3, 0);
  const int BB = BackPixel & 0xFF, BG = (BackPixel >> 8) & 0xFF, BR = (BackPixel >> 16) & 0xFF;
  std::vector<int32_t> Row(static_cast<size_t>(FW) * 3);
  for (int I = R.Row0; I < R.Row1; ++I) {
    const auto Ti = static_cast<size_t>(I);
    int64_t* Out = R.Sum.data() + static_cast<size_t>(I - R.Row0) * static_cast<size_t>(FW) * 3;
    for (int K = 0; K < TY.Count[Ti]; ++K) {
      const int SY = TY.First[Ti] + K;
      const int64_t Wy = TY.Weights[TY.Offset[Ti] + static_cast<size_t>(K)];
      if (SY < Y0 || SY >= Y1 || Wy == 0) continue;
      const uint32_t* Line = Img->ScanLine(SY - PY);
      for (int J = 0; J < FW; ++J) {
        const auto Tj = static_cast<size_t>(R.Col0 + J);
        const int C0 = std::max(TX.First[Tj], X0), C1 = std::min(TX.First[Tj] + TX.Count[Tj], X1);
        const uint32_t* Wx = TX.Weights.data() + TX.Offset[Tj];
        int32_t B = 0, G = 0, Rd = 0;
        for (int C = C0; C < C1; ++C) {
          const uint32_t P = Line[C - PX];
          // White (whatever the unused top byte holds) is background in the composed glyph.
          if ((P & 0xFFFFFFu) == kWhitePixel) continue;
          const auto W = static_cast<int32_t>(Wx[C - TX.First[Tj]]);
          B += W * (static_cast<int>(P & 0xFF) - BB);
          G += W * (static_cast<int>((P >> 8) & 0xFF) - BG);
          Rd += W * (static_cast<int>((P >> 16) & 0xFF) - BR);
        }
        Out[3 * J] += Wy * B;
        Out[3 * J + 1] += Wy * G;
        Out[3 * J + 2] += Wy * Rd;
      }
    }
  }
  return R;
}

}  // namespace

bool TSevenSegGlyphs::PartsApart() {
  if (FPartsApart == 0) {
    // Parts that never share a glyph may overlap (the plus crosses the
    // middle segment); the parts of one glyph must not both put a non-white
    // pixel on the same master pixel.
    const std::array<TBitmap*, 6> Images = {SegHorz.get(), SegVert.get(),  SegDot.get(),
                                            SegPlus.get(), SegColon.get(), SegDeg.get()};
    auto Ink = [&](size_t I, int X, int Y) {
      const TBitmap* Img = Images[kParts[I].Image];
      return (Img->ScanLine(Y - kParts[I].Y)[X - kParts[I].X] & 0xFFFFFFu) != kWhitePixel;
    };
    std::array<uint16_t, kParts.size()> Touching{};
    for (size_t I = 0; I < kParts.size(); ++I)
      for (size_t J = I + 1; J < kParts.size(); ++J) {
        const TBitmap *A = Images[kParts[I].Image], *B = Images[kParts[J].Image];
        const int X0 = std::max({kParts[I].X, kParts[J].X, 0});
        const int X1 = std::min({kParts[I].X + A->Width(), kParts[J].X + B->Width(), kSevenSegMasterWidth});
        const int Y0 = std::max({kParts[I].Y, kParts[J].Y, 0});
        const int Y1 = std::min({kParts[I].Y + A->Height(), kParts[J].Y + B->Height(), kSevenSegMasterHeight});
        for (int Y = Y0; Y < Y1 && (Touching[I] & (1u << J)) == 0; ++Y)
          for (int X = X0; X < X1; ++X)
            if (Ink(I, X, Y) && Ink(J, X, Y)) {
              Touching[I] = static_cast<uint16_t>(Touching[I] | (1u << J));
              break;
            }
      }
    bool Apart = true;
    for (const uint16_t Parts : kGlyphParts)
      for (size_t I = 0; I < kParts.size(); ++I)
        if ((Parts & (1u << I)) != 0 && (Touching[I] & Parts) != 0) Apart = false;
    FPartsApart = Apart ? 1 : -1;
  }
  return FPartsApart > 0;
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
  ColorSegments(TextColor);
  if (!PartsApart()) {
    BuildByComposing(BackColor);
    return;
  }

  const uint32_t BackPixel = ColorToPixel(ColorToRGB(BackColor) & 0xFFFFFFu);
  const auto TX = stretch::AreaTaps(CellWidth, 0, kSevenSegMasterWidth, false, 0, CellWidth);
  const auto TY = stretch::AreaTaps(CellHeight, 0, kSevenSegMasterHeight, false, 0, CellHeight);
  const std::array<TBitmap*, 6> Images = {SegHorz.get(), SegVert.get(),  SegDot.get(),
                                          SegPlus.get(), SegColon.get(), SegDeg.get()};
  std::array<TPartSums, kParts.size()> Sums;
  for (size_t I = 0; I < kParts.size(); ++I)
    Sums[I] = AveragePart(Images[kParts[I].Image], kParts[I].X, kParts[I].Y, TX, TY, BackPixel);

  // Weights sum to 65536 in each direction: the background alone is Back << 32.
  const auto Cells = static_cast<size_t>(CellWidth) * static_cast<size_t>(CellHeight);
  std::vector<int64_t> Acc(Cells * 3);
  const int64_t Back[3] = {int64_t{BackPixel & 0xFF} << 32, int64_t{(BackPixel >> 8) & 0xFF} << 32,
                           int64_t{(BackPixel >> 16) & 0xFF} << 32};
  for (int K = 0; K < kSevenSegGlyphCount; ++K) {
    for (size_t P = 0; P < Cells; ++P) {
      Acc[3 * P] = Back[0];
      Acc[3 * P + 1] = Back[1];
      Acc[3 * P + 2] = Back[2];
    }
    const uint16_t Parts = kGlyphParts[static_cast<size_t>(K)];
    for (size_t I = 0; I < kParts.size(); ++I) {
      if ((Parts & (1u << I)) == 0 || Sums[I].Sum.empty()) continue;
      const TPartSums& S = Sums[I];
      const int FW = S.Col1 - S.Col0;
      for (int Y = S.Row0; Y < S.Row1; ++Y) {
        int64_t* A = Acc.data() + (static_cast<size_t>(Y) * static_cast<size_t>(CellWidth) + S.Col0) * 3;
        const int64_t* From = S.Sum.data() + static_cast<size_t>(Y - S.Row0) * static_cast<size_t>(FW) * 3;
        for (int J = 0; J < FW * 3; ++J) A[J] += From[J];
      }
    }
    auto Channel = [](int64_t V) {
      return static_cast<uint32_t>(std::clamp<int64_t>((V + (int64_t{1} << 31)) >> 32, 0, 255));
    };
    for (int Y = 0; Y < CellHeight; ++Y) {
      uint32_t* Out = ImgCache->ScanLine(Y) + static_cast<size_t>(K) * static_cast<size_t>(CellWidth);
      const int64_t* A = Acc.data() + static_cast<size_t>(Y) * static_cast<size_t>(CellWidth) * 3;
      for (int X = 0; X < CellWidth; ++X)
        Out[X] = Channel(A[3 * X]) | Channel(A[3 * X + 1]) << 8 | Channel(A[3 * X + 2]) << 16;
    }
  }
  ImgCache->Modified();
}

void TSevenSegGlyphs::BuildByComposing(TColor BackColor) {
  TCanvas* Cache = ImgCache->Canvas();
  Cache->Brush()->SetStyle(bsSolid);
  Cache->Brush()->SetColor(ColorToRGB(BackColor) & 0xFFFFFFu);
  Cache->FillRect(TRect{0, 0, ImgCache->Width(), FCellHeight});
  SetStretchBltMode(Cache, HALFTONE);
  for (int K = 1; K <= kSevenSegGlyphCount; ++K) {
    Compose(SevenSegCharList[static_cast<size_t>(K - 1)], false, BackColor);
    StretchBlt(Cache, (K - 1) * FCellWidth, 0, FCellWidth, FCellHeight, DigImg->Canvas(), 0, 0,
               kSevenSegMasterWidth, kSevenSegMasterHeight, SRCCOPY);
  }
  ImgCache->Modified();
}

}  // namespace orv
