// Gradient painting at full-screen size next to memset of the same bytes in
// the same binary: the painter fills each band with one block fill, so it
// should stay within a small factor of writing the pixels once.

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "gradfl/gradfl.h"
#include "gradfl/gradfl_draw.h"

namespace {

constexpr int kW = 1920, kH = 1080;

void Paint(benchmark::State& State, orv::TGradLook Look) {
  orv::TBitmap B(kW, kH);
  for (auto _ : State) {
    orv::PaintGradient(B.Canvas(), kW, kH, Look);
    benchmark::DoNotOptimize(B.Bits());
    benchmark::ClobberMemory();
  }
  State.SetBytesProcessed(State.iterations() * int64_t{kW} * kH * 4);
}

void BM_GradientHoriz16(benchmark::State& State) { Paint(State, orv::TGradLook{}); }
BENCHMARK(BM_GradientHoriz16);

void BM_GradientVert255(benchmark::State& State) {
  orv::TGradLook Look;
  Look.GradType = orv::gtVert;
  Look.NrColors = 255;
  Paint(State, Look);
}
BENCHMARK(BM_GradientVert255);

void BM_GradientMidBandGridFrame(benchmark::State& State) {
  orv::TGradLook Look;
  Look.GradType = orv::gtMidBandHoriz;
  Look.NrColors = 64;
  Look.GridMode = orv::gmBoth;
  Look.FrameStyle = orv::fsEngraved;
  Paint(State, Look);
}
BENCHMARK(BM_GradientMidBandGridFrame);

// The whole control paint: off-screen picture, copy to the destination, OnPaint.
void BM_GradFillPaintTo(benchmark::State& State) {
  orv::TBitmap Dest(kW, kH);
  orv::TGradFill G(nullptr);
  G.SetBounds(0, 0, kW, kH);
  for (auto _ : State) {
    G.PaintTo(Dest.Canvas(), 0, 0);
    benchmark::DoNotOptimize(Dest.Bits());
    benchmark::ClobberMemory();
  }
  State.SetBytesProcessed(State.iterations() * int64_t{kW} * kH * 4);
}
BENCHMARK(BM_GradFillPaintTo);

void BM_MemsetScreen(benchmark::State& State) {
  std::vector<uint32_t> Pixels(static_cast<size_t>(kW) * kH);
  for (auto _ : State) {
    std::memset(Pixels.data(), 0x33, Pixels.size() * 4);
    benchmark::DoNotOptimize(Pixels.data());
    benchmark::ClobberMemory();
  }
  State.SetBytesProcessed(State.iterations() * int64_t{kW} * kH * 4);
}
BENCHMARK(BM_MemsetScreen);

}  // namespace

BENCHMARK_MAIN();
