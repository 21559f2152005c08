// Raster label: one scroll step of a 400 x 40 label (a timer tick: the text
// moves by one pixel and the label repaints), next to a memset of the same
// number of pixels in the same binary; and building the dot matrix of a
// scanned font.

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "framework/controls/application.h"
#include "framework/forms/form.h"
#include "framework/graphics/font.h"
#include "rasterlab/rasterlab.h"

namespace {

using namespace orv;

void BM_ScrollStep(benchmark::State& State) {
  auto Form = std::make_unique<TForm>(nullptr);
  Form->SetBounds(0, 0, 420, 60);
  auto* L = new TRasterLab(Form.get());
  L->SetParent(Form.get());
  L->SetBounds(0, 0, 400, 40);
  L->SetDotSize(2);
  L->SetText(u"Pressure 1.013 bar  Temperature 21.5\u00B0C");
  L->SetScrollInterval(25);
  L->SetScrollMode(static_cast<TRDScrollMode>(State.range(0)));
  for (auto _ : State) {
    Application->AdvanceTime(25);
    benchmark::DoNotOptimize(L->ScrollPosX());
  }
  L->SetScrollMode(rdsmOff);
}
BENCHMARK(BM_ScrollStep)->Arg(rdsmLeft)->Arg(rdsmRight)->Unit(benchmark::kMicrosecond);

void BM_Peer_Memset400x40(benchmark::State& State) {
  std::vector<uint32_t> Pixels(400 * 40);
  for (auto _ : State) {
    std::memset(Pixels.data(), 0x40, Pixels.size() * sizeof(uint32_t));
    benchmark::DoNotOptimize(Pixels.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Peer_Memset400x40)->Unit(benchmark::kMicrosecond);

void BM_CreateBitFontScanned(benchmark::State& State) {
  TRasterLab L(nullptr);
  TFont F;
  F.SetName(u"DejaVu Sans");
  F.SetHeight(-12);
  for (auto _ : State) {
    TRDCharMatrix M = L.CreateBitFont(&F);
    benchmark::DoNotOptimize(M.CharWidth);
  }
}
BENCHMARK(BM_CreateBitFontScanned)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
