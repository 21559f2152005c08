#pragma once
// Bevelled edges: the raised and sunken rings of buttons, panels, edit
// boxes and frames, drawn by one routine so every control bevels alike.

#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"

namespace orv {

// The colours of a two-ring edge. Each ring paints its top row and left
// column in the TopLeft colour, short of their far ends, and its bottom row
// and right column whole in the BottomRight colour, so the top-right and
// bottom-left corner pixels take the BottomRight colour. A ring whose two
// colours are clNone is left out but still takes up its pixel.
struct TEdgeColors {
  TColor OuterTopLeft = clNone;
  TColor OuterBottomRight = clNone;
  TColor InnerTopLeft = clNone;
  TColor InnerBottomRight = clNone;
};

// Sunken (top-left dark) and raised (top-left light) two-ring edges in the
// system button colours.
inline constexpr TEdgeColors EdgeSunken{clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight};
inline constexpr TEdgeColors EdgeRaised{cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow};

// Draws the outer ring on the outermost pixels of Rect (right and bottom
// exclusive) and the inner ring one pixel inside it; returns Rect shrunk by
// the two rings. Only ring pixels change; the pen, brush and clip of the
// canvas are left as they were. A rectangle too small for a ring gets what
// fits; an empty one gets nothing.
TRect DrawEdge(TCanvas* Canvas, const TRect& Rect, const TEdgeColors& Colors);

// One ring only (the outer ring of DrawEdge); returns Rect shrunk by one.
TRect DrawEdgeRing(TCanvas* Canvas, const TRect& Rect, TColor TopLeft, TColor BottomRight);

}  // namespace orv
