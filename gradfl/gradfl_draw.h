#pragma once
// Painting of a stepped gradient with its grid and frame onto any canvas;
// the gradient control draws through this, and so can other code that wants
// the same look without a control.

#include "foundation/basetypes.h"
#include "framework/graphics/canvas.h"
#include "gradfl/gradfl_bands.h"

namespace orv {

// Everything that decides the picture.
struct TGradLook {
  TGradType GradType = gtHoriz;
  int NrColors = 16;
  TColor ColorFirst = 0x000080;  // colours in use (after any flip)
  TColor ColorLast = 0x00FFFF;
  TFrameStyle FrameStyle = fsNone;
  TGridMode GridMode = gmNone;
  TColor GridColor = 0x800000;
};

// Paints the W x H area at (0, 0) of Canvas: each band with one block fill,
// then the grid lines, then the frame on the outermost pixels. Leaves the
// canvas' brush as it was. Nothing happens for a null canvas or an empty area.
void PaintGradient(TCanvas* Canvas, int W, int H, const TGradLook& Look);

// Copies the whole of Picture to (X, Y) of Canvas with a source-copy block
// transfer, within the canvas' clip.
void CopyPicture(TCanvas* Canvas, int X, int Y, TBitmap* Picture);

}  // namespace orv
