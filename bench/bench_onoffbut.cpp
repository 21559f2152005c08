// On/off button frames next to the framework's speed button of the same size
// in the same binary: one frame is a paint of the whole control into a
// bitmap (PaintTo). Cases: 100 x 50 without caption, 160 x 60 with a
// caption, and the on/off button transparent (mask combined with AND, then
// the picture with OR).

#include <benchmark/benchmark.h>

#include "framework/controls/speedbutton.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "onoffbut/onoffbut.h"

namespace {

using namespace orv;

void BM_OnOffButFrame(benchmark::State& State) {
  const int W = static_cast<int>(State.range(0)), H = static_cast<int>(State.range(1));
  TOnOffBut B(nullptr);
  B.SetBounds(0, 0, W, H);
  if (State.range(2) != 0) B.SetRightText(u"Pump");
  B.SetTransparent(State.range(3) != 0);
  TBitmap Dest(W, H);
  B.PaintTo(Dest.Canvas(), 0, 0);
  for (auto _ : State) {
    B.PaintTo(Dest.Canvas(), 0, 0);
    benchmark::DoNotOptimize(Dest.Bits());
  }
}
BENCHMARK(BM_OnOffButFrame)
    ->Args({100, 50, 0, 0})
    ->Args({160, 60, 1, 0})
    ->Args({100, 50, 0, 1})
    ->Unit(benchmark::kMicrosecond);

void BM_Peer_SpeedButtonFrame(benchmark::State& State) {
  const int W = static_cast<int>(State.range(0)), H = static_cast<int>(State.range(1));
  TSpeedButton B(nullptr);
  B.SetBounds(0, 0, W, H);
  if (State.range(2) != 0) B.SetCaption(u"Pump");
  TBitmap Dest(W, H);
  B.PaintTo(Dest.Canvas(), 0, 0);
  for (auto _ : State) {
    B.PaintTo(Dest.Canvas(), 0, 0);
    benchmark::DoNotOptimize(Dest.Bits());
  }
}
BENCHMARK(BM_Peer_SpeedButtonFrame)->Args({100, 50, 0})->Args({160, 60, 1})->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
