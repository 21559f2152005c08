#pragma once
// The run-time library's pseudo-random numbers: one process-wide linear
// congruential sequence, reproducible by setting RandSeed.

#include <cstdint>

namespace orv {

// State of the sequence; assign it to replay the same numbers.
extern uint32_t RandSeed;

// Seeds the sequence from the clock.
void Randomize();
// 0 .. Range - 1; 0 when Range <= 0.
int Random(int Range);
// A real in [0, 1).
double Random();
// From the smaller bound up to, not including, the larger; the bound itself when they are equal.
int RandomRange(int AFrom, int ATo);

}  // namespace orv
