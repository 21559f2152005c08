// Thumbnail sheet: one frame (a paint of the 290 x 400 control: two columns,
// six slides in view, each a 160 x 120 picture scaled into its cell) over
// 10 slides and over 100,000 slides in the same binary. Only the slides in
// view are requested, so both frames should cost the same.

#include <benchmark/benchmark.h>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "thumbnails/thumbnails.h"

namespace {

using namespace orv;

void BM_ThumbnailsFrame(benchmark::State& State) {
  TThumbnails T(nullptr);
  T.SetBounds(0, 0, 290, 400);
  T.SetMax(static_cast<int>(State.range(0)));
  TBitmap Picture(160, 120);
  Picture.Canvas()->Brush()->SetColor(0x3080C0);
  Picture.Canvas()->FillRect(TRect{0, 0, 160, 120});
  int Requests = 0;
  T.SetOnImageRequest([&](TObject*, int, TImageRequestProcessing& How, int&, TBitmap*& Img) {
    ++Requests;
    How = irpShowSlide;
    Img = &Picture;
  });
  TBitmap Dest(290, 400);
  T.PaintTo(Dest.Canvas(), 0, 0);
  Requests = 0;
  for (auto _ : State) {
    T.PaintTo(Dest.Canvas(), 0, 0);
    benchmark::DoNotOptimize(Dest.Bits());
  }
  State.counters["requests/frame"] = static_cast<double>(Requests) / static_cast<double>(State.iterations());
}
BENCHMARK(BM_ThumbnailsFrame)->Arg(10)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
