#pragma once
// The face shared by the drop-down boxes (combo box, date-time picker): the
// drop button with its arrow and the sunken edge around the whole box.

#include "framework/graphics/canvas.h"

namespace orv {

// Paints the drop button in Button (pressed while Dropped; the arrow greyed
// when not Enabled) and the two-pixel sunken edge of a Width x Height box.
void PaintDropDownFace(TCanvas* C, const TRect& Button, bool Dropped, bool Enabled, int Width, int Height);

}  // namespace orv
