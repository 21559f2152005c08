// Mini calendar frames at 300 x 180: the same month again, and a new
// selected day before each frame (which moves the selection and recomputes
// the hint). The peer, QCalendarWidget at 300 x 180, comes from the peer
// suite, run in the same sitting.

#include <benchmark/benchmark.h>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/rtl/dateutils.h"
#include "minical/minical.h"

namespace {

using namespace orv;

void BM_MiniCalFrame(benchmark::State& State) {
  TMiniCal Cal(nullptr);
  Cal.SetDate(EncodeDate(2024, 5, 15));
  TBitmap Dest(Cal.Width(), Cal.Height());
  Cal.PaintTo(Dest.Canvas(), 0, 0);  // glyphs into the cache first
  const bool NewDay = State.range(0) != 0;
  int I = 0;
  for (auto _ : State) {
    if (NewDay) Cal.SetDay(1 + I++ % 31);
    Cal.PaintTo(Dest.Canvas(), 0, 0);
    benchmark::DoNotOptimize(Dest.Bits());
  }
}
BENCHMARK(BM_MiniCalFrame)->ArgName("newday")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
