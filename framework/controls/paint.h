#pragma once
// The painting pipeline shared by the form's paint pass and PaintTo: a
// control and its visible children are painted back to front into a target
// bitmap, each clipped to itself and its parents.

#include "framework/controls/control.h"
#include "framework/graphics/bitmap.h"

namespace orv {

struct TPaintEngine {
  // Paints Control with its top-left corner at Origin of Target, nothing
  // outside Clip (target coordinates). Window controls first get their
  // background in their Color unless they are csOpaque.
  static void PaintTree(TControl* Control, TBitmap* Target, TPoint Origin, const TRect& Clip);
};

}  // namespace orv
