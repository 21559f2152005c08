#pragma once
// Frame, marker and outline drawing of the base support library.

#include "foundation/basetypes.h"
#include "framework/graphics/canvas.h"

namespace orv {

// Draws a bevel of Style on the outermost pixels of the box Left..Right x
// Top..Bottom; here Right and Bottom are INCLUSIVE (callers pass W - 1 and
// H - 1 to frame a whole W x H area). Only the frame pixels change:
//   fsNone      nothing;
//   fsSimple    a one-pixel outline in C4 (dark);
//   fsLowered   one ring: top row and left column in C3 (shadow), bottom row
//               and right column in C1 (highlight), so the top-right and
//               bottom-left corner pixels are C1;
//   fsRaised    the same with C1 and C3 exchanged;
//   fsEmbossed  two rings, a ridge: the outer ring as fsRaised, the ring
//               inside it as fsLowered;
//   fsEngraved  two rings, a groove: the outer ring as fsLowered, the inner
//               ring as fsRaised.
// C2 (light) and C5 (fill / mark colour) are accepted for the callers'
// signature; no style uses them. Boxes too small for a ring draw what fits.
void DrawFrame(TCanvas* Canvas, TFrameStyle Style, int Left, int Top, int Right, int Bottom,
               TColor C1 = 0xFFFFFF, TColor C2 = 0xC0C0C0, TColor C3 = 0x808080, TColor C4 = 0x000000,
               TColor C5 = 0x000000);

// Number of marker symbols DrawMarkOnCanvas knows (0 .. kMarkCount - 1).
inline constexpr int kMarkCount = 52;

// Draws marker symbol MarkType centred at (X, Y) in the canvas' pen colour
// (filled symbols are filled in the pen colour too); the canvas' brush is left
// as it was. Symbols: 0 a single dot; then three sizes (half-widths 3, 2 and
// 4 pixels), each with open square, circle, diamond and triangles pointing up,
// down, left and right, the diagonal cross, the plus and the star, followed by
// the filled square, circle, diamond and four triangles. Other values draw
// nothing.
void DrawMarkOnCanvas(TCanvas* Canvas, int MarkType, int X, int Y);

// One-pixel outline in the pen through the corners (X1, Y1) and (X2, Y2),
// both INCLUSIVE (unlike TCanvas::Rectangle, which stops at X2 - 1).
void DrawRectangle(TCanvas* Canvas, int X1, int Y1, int X2, int Y2);

}  // namespace orv
