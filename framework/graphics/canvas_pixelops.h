#pragma once
// Pixel combination rules of the canvas: pen modes (binary raster
// operations) and block-transfer raster operations of pattern, source and
// destination. Pixels are 0x00RRGGBB; the top byte of a result is always 0.

#include <cstdint>

#include "framework/graphics/graphobj.h"

namespace orv::pixelops {

inline constexpr uint32_t kRgbMask = 0x00FFFFFF;

// Pen colour P combined with destination D under Mode.
constexpr uint32_t PenMode(TPenMode Mode, uint32_t P, uint32_t D) {
  switch (Mode) {
    case pmBlack: return 0;
    case pmWhite: return kRgbMask;
    case pmNop: return D;
    case pmNot: return ~D & kRgbMask;
    case pmCopy: return P;
    case pmNotCopy: return ~P & kRgbMask;
    case pmMergePenNot: return (P | ~D) & kRgbMask;
    case pmMaskPenNot: return P & ~D & kRgbMask;
    case pmMergeNotPen: return (~P | D) & kRgbMask;
    case pmMaskNotPen: return ~P & D & kRgbMask;
    case pmMerge: return P | D;
    case pmNotMerge: return ~(P | D) & kRgbMask;
    case pmMask: return P & D;
    case pmNotMask: return ~(P & D) & kRgbMask;
    case pmXor: return P ^ D;
    case pmNotXor: return ~(P ^ D) & kRgbMask;
  }
  return D;
}

// The truth-table byte of a raster operation code (bits of P = 0xF0,
// S = 0xCC, D = 0xAA).
constexpr uint8_t RopIndex(uint32_t Rop) { return static_cast<uint8_t>((Rop >> 16) & 0xFF); }

// Whether the operation reads the source at all.
constexpr bool RopUsesSource(uint8_t Code) { return ((Code >> 2) & 0x33) != (Code & 0x33); }

// Evaluates the truth table bit by bit over whole pixels.
constexpr uint32_t Rop3(uint8_t Code, uint32_t P, uint32_t S, uint32_t D) {
  switch (Code) {
    case 0x00: return 0;
    case 0xFF: return kRgbMask;
    case 0xCC: return S;
    case 0x88: return S & D;
    case 0xEE: return S | D;
    case 0x66: return S ^ D;
    case 0x55: return ~D & kRgbMask;
    case 0x33: return ~S & kRgbMask;
    case 0xF0: return P;
    default: break;
  }
  uint32_t R = 0;
  for (int I = 0; I < 8; ++I) {
    if (!(Code & (1u << I))) continue;
    const uint32_t TP = (I & 4) ? P : ~P;
    const uint32_t TS = (I & 2) ? S : ~S;
    const uint32_t TD = (I & 1) ? D : ~D;
    R |= TP & TS & TD;
  }
  return R & kRgbMask;
}

}  // namespace orv::pixelops
