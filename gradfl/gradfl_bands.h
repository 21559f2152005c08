#pragma once
// Band geometry and band colours of the gradient fill, as pure functions so
// they can be checked without painting.

#include <cstdint>

#include "framework/rtl/types.h"

namespace orv {

// gtHoriz / gtVert run from the first colour at one edge towards the last
// colour at the other; the mid-band types run from the first colour at both
// edges to the last colour in the middle. "Horiz" means horizontal bands
// (stacked top to bottom), "Vert" vertical bands (left to right).
enum TGradType : uint8_t { gtHoriz, gtVert, gtMidBandHoriz, gtMidBandVert };

// Grid lines drawn over the gradient: none, horizontal lines, vertical lines
// or both.
enum TGridMode : uint8_t { gmNone, gmHoriz, gmVert, gmBoth };

// Allowed band counts.
inline constexpr int kGradMinColors = 1;
inline constexpr int kGradMaxColors = 255;

// A band count forced into kGradMinColors..kGradMaxColors.
constexpr int EnsureBandCount(int NrColors) {
  return NrColors < kGradMinColors ? kGradMinColors : (NrColors > kGradMaxColors ? kGradMaxColors : NrColors);
}

// Distance in pixels between neighbouring grid lines; the first line lies
// one pitch in from the top or left edge.
inline constexpr int kGradGridPitch = 10;

// A * B / C rounded to the nearest integer, exact halves to the even
// neighbour, with a 64-bit intermediate. 0 when C is 0; results beyond the
// int range are clamped.
int GradMulDiv(int A, int B, int C);

// True for the types whose bands are stacked top to bottom.
constexpr bool GradBandsStacked(TGradType GradType) { return GradType == gtHoriz || GradType == gtMidBandHoriz; }

// Pixel rectangle of band Band (0-based) of NrColors bands over a W x H
// area. Neighbouring bands share no pixel and together cover the area.
// Band counts below 1 are taken as 1.
TRect GradBandRect(TGradType GradType, int W, int H, int NrColors, int Band);

// Colour of band Band of NrColors between First and Last (RGB colours,
// 0x00BBGGRR; system colours must be resolved by the caller). For the
// edge-to-edge types the last band stops one step short of Last; for the
// mid-band types the middle band (NrColors div 2) takes Last.
TColor GradBandColor(TGradType GradType, TColor First, TColor Last, int NrColors, int Band);

}  // namespace orv
