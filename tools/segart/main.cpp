// Draws the segment images of the seven-segment display and writes them as
// PNG files: segart <output folder>.
//
// The digit is designed upright in (u, y) coordinates of the 312 x 432 glyph
// canvas and then leaned to the right: a point (u, y) lies at
// x = u + Lean * (410 - y), so the bottom row stays put and the top moves
// right by 77 pixels. The lean matches the positions the images are placed
// at (upper verticals 37 pixels right of the lower ones, 197 rows higher), so
// one image per segment kind serves every place it is copied to.
//
// Upright digit: verticals centred on u = 17 and u = 224, horizontals on
// y = 19, 216 and 413; segments are 28 pixels thick with pointed ends and
// keep a gap of about 7 pixels at every joint, so a flood fill of one segment
// never runs into its neighbour. Shapes are pure black on white.

#include <cmath>
#include <cstdio>
#include <exception>
#include <initializer_list>
#include <string>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/rtl/unicode.h"

namespace {

using orv::TBitmap;
using orv::TCanvas;
using orv::TPoint;

constexpr double kLean = 37.0 / 197.0;  // x shift per row upwards
constexpr double kBaseRow = 410.0;      // the row that is not shifted
constexpr double kHalf = 14.0;          // half the segment thickness
constexpr double kGap = 5.0;            // tip distance from a joint centre

constexpr double kLeftU = 17.0, kRightU = 224.0;
constexpr double kTopY = 19.0, kMidY = 216.0;

struct TUY {
  double U, Y;
};

// A polygon given in upright glyph coordinates, leaned and moved into an
// image whose top-left corner sits at (PlaceX, PlaceY) of the glyph canvas.
void LeanedPolygon(TCanvas* Canvas, int PlaceX, int PlaceY, std::initializer_list<TUY> Points) {
  std::vector<TPoint> P;
  for (const TUY& Q : Points) {
    const double X = Q.U + kLean * (kBaseRow - Q.Y) - PlaceX;
    P.push_back(TPoint{static_cast<int>(std::lround(X)), static_cast<int>(std::lround(Q.Y - PlaceY))});
  }
  Canvas->Polygon(P);
}

void Ink(TCanvas* Canvas, orv::TColor Color) {
  Canvas->Pen()->SetColor(Color);
  Canvas->Brush()->SetColor(Color);
}

TBitmap* NewImage(int W, int H) {
  auto* B = new TBitmap(W, H);  // white
  Ink(B->Canvas(), 0x000000);
  return B;
}

// Horizontal segment, drawn where the top one goes (94, 0); its centre row is 19.
void DrawHorizontal(TBitmap* B) {
  const double L = kLeftU + kGap, R = kRightU - kGap, Y = kTopY;
  LeanedPolygon(B->Canvas(), 94, 0,
                {{L, Y}, {L + kHalf, Y - kHalf}, {R - kHalf, Y - kHalf}, {R, Y}, {R - kHalf, Y + kHalf},
                 {L + kHalf, Y + kHalf}});
}

// Vertical segment, drawn where the lower left one goes (0, 220).
void DrawVertical(TBitmap* B) {
  const double T = kMidY + kGap, Bot = 413.0 - kGap, U = kLeftU;
  LeanedPolygon(B->Canvas(), 0, 220,
                {{U, T}, {U + kHalf, T + kHalf}, {U + kHalf, Bot - kHalf}, {U, Bot}, {U - kHalf, Bot - kHalf},
                 {U - kHalf, T + kHalf}});
}

// Plus: two crossing bars about the digit's middle, drawn at (57, 120).
void DrawPlus(TBitmap* B) {
  const double CU = (kLeftU + kRightU) / 2, CY = kMidY, Arm = 80.0;
  LeanedPolygon(B->Canvas(), 57, 120,
                {{CU - Arm, CY - kHalf}, {CU + Arm, CY - kHalf}, {CU + Arm, CY + kHalf}, {CU - Arm, CY + kHalf}});
  LeanedPolygon(B->Canvas(), 57, 120,
                {{CU - kHalf, CY - Arm}, {CU + kHalf, CY - Arm}, {CU + kHalf, CY + Arm}, {CU - kHalf, CY + Arm}});
}

// Round dot centred on pixel (19, 19).
void DrawDot(TBitmap* B) { B->Canvas()->Ellipse(4, 4, 35, 35); }

// Two dots, lower left and upper right as the digit leans, centred on the
// pixels (18, 172) and (50, 18) where the colouring seeds them.
void DrawColon(TBitmap* B) {
  B->Canvas()->Ellipse(3, 157, 34, 188);
  B->Canvas()->Ellipse(35, 3, 66, 34);
}

// A ring 30 pixels thick; its left side crosses (25, 69).
void DrawDegree(TBitmap* B) {
  TCanvas* C = B->Canvas();
  C->Ellipse(12, 6, 148, 132);
  Ink(C, 0xFFFFFF);
  C->Ellipse(42, 36, 118, 102);
}

// Keeps only the black pixels a four-connected fill from the seeds reaches:
// the display colours a shape by such a fill, and a pixel joined to its shape
// by a corner alone (as polygon outlines leave at steep tips) would stay black.
void KeepFillable(TBitmap* B, std::initializer_list<TPoint> Seeds) {
  TCanvas* C = B->Canvas();
  constexpr orv::TColor kMark = 0x00FF00;
  C->Brush()->SetColor(kMark);
  for (const TPoint& S : Seeds) C->FloodFill(S.X, S.Y, 0x000000, orv::fsSurface);
  for (int Y = 0; Y < B->Height(); ++Y) {
    uint32_t* Row = B->ScanLine(Y);
    for (int X = 0; X < B->Width(); ++X) Row[X] = Row[X] == orv::ColorToPixel(kMark) ? 0x000000 : 0xFFFFFF;
  }
}

void Save(TBitmap* B, orv::TPixelFormat Format, const std::string& Folder, const char* Name) {
  B->SetPixelFormat(Format);
  B->SaveToFile(orv::FromUtf8(Folder + "/" + Name));
  std::printf("%s/%s %d x %d\n", Folder.c_str(), Name, B->Width(), B->Height());
  delete B;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: segart <output folder>\n");
    return 2;
  }
  const std::string Out = argv[1];
  try {
    TBitmap* B = NewImage(200, 38);
    DrawHorizontal(B);
    KeepFillable(B, {{100, 19}});
    Save(B, orv::pf1bit, Out, "SegHorz.png");
    B = NewImage(68, 190);
    DrawVertical(B);
    KeepFillable(B, {{34, 95}});
    Save(B, orv::pf1bit, Out, "SegVert.png");
    B = NewImage(38, 38);
    DrawDot(B);
    KeepFillable(B, {{19, 19}});
    Save(B, orv::pf1bit, Out, "SegDot.png");
    B = NewImage(200, 190);
    DrawPlus(B);
    KeepFillable(B, {{100, 95}});
    Save(B, orv::pf24bit, Out, "SegPlus.png");
    B = NewImage(68, 190);
    DrawColon(B);
    KeepFillable(B, {{18, 172}, {50, 18}});
    Save(B, orv::pf24bit, Out, "SegColon.png");
    B = NewImage(160, 138);
    DrawDegree(B);
    KeepFillable(B, {{25, 69}});
    Save(B, orv::pf24bit, Out, "SegDeg.png");
  } catch (const std::exception& E) {
    std::fprintf(stderr, "segart: %s\n", E.what());
    return 1;
  }
  return 0;
}
