// Progress bar and numeric label frames, next to their peers in this binary.
//   A 300 x 28 progress bar frame (value 10 of 0..100, text shown) and a
//   1000 x 40 gradient bar frame, with and without its text, against memset
//   of the 1000 x 40 pixels. A numeric label frame with a new value each
//   time at 216 x 76 against memset of its pixels.
// The Qt figures (QProgressBar, QLCDNumber) come from the peer suite, run
// in the same sitting.

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "numlab/numlab.h"
#include "progbar/progbar.h"

namespace {

using namespace orv;

void BM_ProgBarFrame(benchmark::State& State) {
  TProgBar Bar(nullptr);
  TBitmap Dest(Bar.Width(), Bar.Height());
  Bar.PaintTo(Dest.Canvas(), 0, 0);  // glyphs into the cache first
  for (auto _ : State) {
    Bar.PaintTo(Dest.Canvas(), 0, 0);
    benchmark::DoNotOptimize(Dest.Bits());
  }
}
BENCHMARK(BM_ProgBarFrame)->Unit(benchmark::kMicrosecond);

void BM_ProgBarGradient(benchmark::State& State) {
  TProgBar Bar(nullptr);
  Bar.SetBounds(0, 0, 1000, 40);
  Bar.SetShowColorGradient(true);
  Bar.SetColorMapMode(cgmCover);
  Bar.SetValue(100);
  Bar.SetTextVisible(State.range(0) != 0);
  TBitmap Dest(1000, 40);
  Bar.PaintTo(Dest.Canvas(), 0, 0);
  for (auto _ : State) {
    Bar.PaintTo(Dest.Canvas(), 0, 0);
    benchmark::DoNotOptimize(Dest.Bits());
  }
}
BENCHMARK(BM_ProgBarGradient)->ArgName("text")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_Peer_MemsetPixels(benchmark::State& State) {
  std::vector<uint32_t> Pixels(static_cast<size_t>(State.range(0) * State.range(1)));
  for (auto _ : State) {
    std::memset(Pixels.data(), 0xC0, Pixels.size() * sizeof(uint32_t));
    benchmark::DoNotOptimize(Pixels.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Peer_MemsetPixels)->Args({1000, 40})->Args({216, 76})->Unit(benchmark::kMicrosecond);

void BM_NumLabNewValue(benchmark::State& State) {
  TNumLab Lab(nullptr);
  Lab.SetBounds(0, 0, 216, 76);
  Lab.SetLabelWidth(140);
  TBitmap Dest(216, 76);
  Lab.PaintTo(Dest.Canvas(), 0, 0);
  int I = 0;
  for (auto _ : State) {
    Lab.SetValue((I++ % 10000) / 100.0);
    Lab.PaintTo(Dest.Canvas(), 0, 0);
    benchmark::DoNotOptimize(Dest.Bits());
  }
}
BENCHMARK(BM_NumLabNewValue)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
