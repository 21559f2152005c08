// Analog meter: painting a whole frame, next to copying a frame's pixels
// (the floor any double-buffered widget pays) in the same binary.
//   Static frame: PaintTo of an unchanged meter (face kept from the last paint).
//   Value change: SetValue, which repaints at once on the form.
//   Full repaint: a scale colour change, which redraws the face (background,
//   bands, arc, ticks, labels, caption) and the rest.
// The meter shows bands, a linear scale with labels, a needle with shadow
// and thickness, and the cap; sizes 297 x 209 (the default) and 1000 x 700.

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "framework/forms/form.h"
#include "framework/graphics/bitmap.h"
#include "meter/meter.h"

namespace {

using namespace orv;

struct TBenchMeter {
  std::unique_ptr<TForm> Form;
  TMeter* M;
  TBenchMeter(int W, int H) : Form(std::make_unique<TForm>(nullptr)) {
    Form->SetBounds(0, 0, W, H);
    M = new TMeter(Form.get());
    M->SetParent(Form.get());
    M->SetBounds(0, 0, W, H);
    M->SetMeterMaxValue(100);
    M->SetThresholdLow(20);
    M->SetThresholdHigh(80);
    M->SetScaleBkWidth(12);
    M->SetScaleBkVisible(true);
    M->SetMeterNrTicks(5);
    M->SetCaption(u"kPa");
    M->NeedleLayout()->SetThickness(4);
    M->NeedleLayout()->SetShadowDx(-3);
    M->NeedleLayout()->SetShadowDy(-3);
    M->SetValue(42);
    Form->Show();
  }
};

void BM_MeterStaticFrame(benchmark::State& State) {
  TBenchMeter B(static_cast<int>(State.range(0)), static_cast<int>(State.range(1)));
  TBitmap Dest(B.M->Width(), B.M->Height());
  for (auto _ : State) {
    B.M->PaintTo(Dest.Canvas(), 0, 0);
    benchmark::DoNotOptimize(Dest.Bits());
  }
}
BENCHMARK(BM_MeterStaticFrame)->Args({297, 209})->Args({1000, 700})->Unit(benchmark::kMicrosecond);

void BM_MeterValueChange(benchmark::State& State) {
  TBenchMeter B(static_cast<int>(State.range(0)), static_cast<int>(State.range(1)));
  int K = 0;
  for (auto _ : State) {
    B.M->SetValue(++K % 2 ? 37.5 : 61.25);
    benchmark::DoNotOptimize(B.Form->Surface()->Bits());
  }
}
BENCHMARK(BM_MeterValueChange)->Args({297, 209})->Args({1000, 700})->Unit(benchmark::kMicrosecond);

void BM_MeterFullRepaint(benchmark::State& State) {
  TBenchMeter B(static_cast<int>(State.range(0)), static_cast<int>(State.range(1)));
  int K = 0;
  for (auto _ : State) {
    B.M->SetColorScale(++K % 2 ? 0x800000 : 0x400000);
    benchmark::DoNotOptimize(B.Form->Surface()->Bits());
  }
}
BENCHMARK(BM_MeterFullRepaint)->Args({297, 209})->Args({1000, 700})->Unit(benchmark::kMicrosecond);

void BM_Peer_MemcpyFrame(benchmark::State& State) {
  const size_t N = static_cast<size_t>(State.range(0)) * static_cast<size_t>(State.range(1));
  std::vector<uint32_t> Src(N, 0x00FFFFFF), Dst(N);
  for (auto _ : State) {
    std::memcpy(Dst.data(), Src.data(), N * sizeof(uint32_t));
    benchmark::DoNotOptimize(Dst.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Peer_MemcpyFrame)->Args({297, 209})->Args({1000, 700})->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
