#include "random.h"

#include <chrono>

namespace orv {

uint32_t RandSeed = 0;

namespace {

// Advances the sequence: RandSeed * 0x08088405 + 1, modulo 2^32.
uint32_t NextSeed() {
  RandSeed = RandSeed * 0x08088405U + 1U;
  return RandSeed;
}

// 0 .. Range - 1: the high bits of the product scale the seed evenly.
uint32_t Scaled(uint32_t Range) { return static_cast<uint32_t>((static_cast<uint64_t>(NextSeed()) * Range) >> 32); }

}  // namespace

void Randomize() {
  const auto Ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  RandSeed = static_cast<uint32_t>(Ticks) ^ static_cast<uint32_t>(static_cast<unsigned long long>(Ticks) >> 32);
}

int Random(int Range) { return static_cast<int>(Scaled(Range <= 0 ? 0U : static_cast<uint32_t>(Range))); }

double Random() { return NextSeed() * (1.0 / 4294967296.0); }

int RandomRange(int AFrom, int ATo) {
  const long long Low = AFrom < ATo ? AFrom : ATo;
  const long long High = AFrom < ATo ? ATo : AFrom;
  // The span may exceed the int range (INT_MIN .. INT_MAX); it always fits 32 unsigned bits.
  return static_cast<int>(Low + Scaled(static_cast<uint32_t>(High - Low)));
}

}  // namespace orv
