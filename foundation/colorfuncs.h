#pragma once
// Colour arithmetic of the base library: gray level, mean colour, HSL
// conversion, and the table of predefined colours the colour selectors list.
//
// System colours (top byte 0xFF) are resolved to their RGB value first, so a
// button face colour has the gray level of the grey it is drawn in.

#include <array>
#include <cstdint>
#include <string_view>

#include "foundation/basetypes.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/types.h"

namespace orv {

// The two bevel line colours of a colour scheme: csFixed gives gray
// 0x808080 and white 0xFFFFFF, csSystem the system colours clBtnShadow and
// clBtnHighlight.
void SchemeLineColors(TColorScheme Scheme, TColor& Gray, TColor& White);

// Perceived brightness 0..255 with the integer luma weights
// (30 R + 59 G + 11 B) div 100.
int ColorToGray(TColor Color);

// Channel-wise mean of two colours, each channel (C1 + C2) div 2.
TColor MeanColor(TColor C1, TColor C2);

// Hue H in degrees 0 <= H < 360 (0 for grays), saturation S and lightness L
// in 0..1.
void ColorToHSL(TColor Color, double& H, double& S, double& L);

// Inverse of ColorToHSL. H is taken modulo 360; S and L are clamped to 0..1.
// Channels are rounded to the nearest integer, halves to even.
TColor HSLtoColor(double H, double S, double L);

struct TPredefinedColor {
  TColor Color;
  String Name;  // the colour constant's name, e.g. u"clBtnFace"
};

inline constexpr int NumPredefinedColors = 47;

// The colours the selectors offer, in this order: the 16 basic VGA colours
// (entries 1..16), four extra pastels (17..20: money green, sky blue, cream,
// medium gray), then 27 system colours (21..47): the first 27 system colour
// constants by index, clScrollBar .. clGradientActiveCaption.
// The array is 0-based: entry k of the 1-based numbering is PredefinedColors[k - 1].
extern const std::array<TPredefinedColor, NumPredefinedColors> PredefinedColors;

}  // namespace orv
