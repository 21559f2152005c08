#pragma once
// Fast paths for the two large curved shapes of the meter face, pixel for
// pixel as TCanvas draws Pie, Arc and Ellipse with a one-pixel pen:
// - the coloured band ring: three pie wedges hollowed out by a disc;
// - the scale arc: the outline of an ellipse between two radials.
// The canvas classifies every pixel of the bounding box by its angle; here
// the sector test is two cross products (exact for pixel and half-pixel
// coordinates), with the canvas' own angle test kept for pixels that lie
// exactly on a radial, and only the pixels inside the clip are visited.

#include <cstdint>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/rtl/types.h"

namespace orv {

// Row spans of the ellipse inscribed in the box X1..X2-1 x Y1..Y2-1: row
// Top + I covers Lefts[I] .. Rights[I]. An empty box has no rows.
struct TEllipseRows {
  TEllipseRows() = default;
  TEllipseRows(int X1, int Y1, int X2, int Y2);
  // Whether these are the rows of that box (as given, before ordering).
  bool Of(const TRect& Box) const { return Box == FBox; }
  int Top = 0;
  std::vector<int> Lefts, Rights;
  int Count() const { return static_cast<int>(Lefts.size()); }

 private:
  TRect FBox{0, 0, -1, -1};
};

// The sector of a Pie or Arc call: counter-clockwise on the screen from the
// radial through (X3, Y3) to the radial through (X4, Y4), about the centre of
// the box; equal directions mean the whole ellipse.
class TArcSector {
 public:
  TArcSector(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  bool Full() const { return FFull; }
  // Whether the centre of pixel (X, Y) lies in the sector, radials included.
  bool Contains(int X, int Y) const;
  // Calls Fill(X1, X2) for each run of pixels From..To of row Y inside the
  // sector. Along a row each radial's side changes once, so only the pixels
  // next to the two crossings are tested one by one.
  template <typename TFill>
  void ForEachRun(int Y, int From, int To, TFill&& Fill) const;

 private:
  bool ContainsByAngle(double PX, double PY) const;

  double FCX, FCY, FA0, FSweep;
  double FU0X, FU0Y, FU1X, FU1Y;
  double FTurn;
  bool FFull;
};

// The band ring onto Bmp inside Clip (bitmap coordinates): the pies with box
// (CX - Ro, CY - Ro, CX + Ro + 1, CY + Ro) between the radials through the
// ray points, in order (later pies over earlier ones; a pie with Draw false
// is left out), without the pixels of the disc with box (CX - Ri, CY - Ri,
// CX + Ri + 1, CY + Ri), which keep what the bitmap had.
struct TRingSector {
  bool Draw;
  TPoint From, To;  // ray points, counter-clockwise from From to To
  TColor Color;
};
void FillRingSectors(TBitmap* Bmp, const TRect& Clip, int CX, int CY, int Ro, int Ri,
                     const std::vector<TRingSector>& Sectors);
// The same with the rows of both ellipses given (kept by a caller that
// draws the same ring again); they must be the rows of the two boxes.
void FillRingSectors(TBitmap* Bmp, const TRect& Clip, int CX, int CY, const TEllipseRows& Outer,
                     const TEllipseRows& Inner, const std::vector<TRingSector>& Sectors);

// TCanvas::Arc(X1, Y1, X2, Y2, X3, Y3, X4, Y4) with a solid one-pixel pen of
// Color in copy mode, onto Bmp inside Clip.
void DrawArcOutline(TBitmap* Bmp, const TRect& Clip, int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4,
                    int Y4, TColor Color);

}  // namespace orv
