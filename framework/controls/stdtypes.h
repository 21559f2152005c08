#pragma once
// Small enumerations the standard controls share: horizontal alignment of
// text, its vertical layout, and the cut of a bevel.

#include <cstdint>

namespace orv {

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

}  // namespace orv
