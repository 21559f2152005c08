// Numeric field TNumIO2 at its default size (160 x 28, value with two
// decimals, range -1e6..1e6), measured the way the spin box of another
// toolkit is measured in the peer suite:
//   Frame      one full render of the field into a bitmap;
//   TypedKey   a typed digit or a Backspace through the input dispatch:
//              validity check of the new buffer, OnChange, repaint;
//   SpinStep   a click on the upper or lower spin button: step, format,
//              OnChange, repaint.
// Next to each, in the same binary, a memset of the field's pixels as the
// floor any renderer has to pay. Wall-clock time, as the peer suite reports.

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "framework/controls/sim.h"
#include "framework/forms/form.h"
#include "framework/graphics/bitmap.h"
#include "numio/numio2.h"

namespace {

using namespace orv;

struct TField {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TNumIO2* N = nullptr;
  TBitmap Target{160, 28};
  TField() {
    Form->SetBounds(0, 0, 300, 100);
    N = new TNumIO2(Form.get());
    N->SetParent(Form.get());
    N->SetRangeLow(-1e6);
    N->SetRangeHigh(1e6);
    N->SetButVisible(true);
    N->SetValue(1234.56);
    Form->Show();
    N->SetFocus();
  }
};

void BM_NumIO2Frame(benchmark::State& State) {
  TField F;
  for (auto _ : State) {
    F.N->PaintTo(F.Target.Canvas(), 0, 0);
    benchmark::DoNotOptimize(F.Target.Bits());
  }
}
BENCHMARK(BM_NumIO2Frame)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_NumIO2TypedKey(benchmark::State& State) {
  TField F;
  sim::KeyDown(F.N, VK_END, TShiftState{});
  bool Digit = true;
  for (auto _ : State) {
    sim::KeyDown(F.N, Digit ? uint16_t('7') : VK_BACK, TShiftState{});
    Digit = !Digit;
  }
  if (F.N->Text().size() < 7) State.SkipWithError("keys were not applied");
}
BENCHMARK(BM_NumIO2TypedKey)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_NumIO2SpinStep(benchmark::State& State) {
  TField F;
  const int X = F.N->LeftSpace() + F.N->TextBoxWidth() + F.N->ButSpace() + 9;
  bool Up = true;
  for (auto _ : State) {
    sim::MouseDown(F.N, mbLeft, TShiftState{}, X, Up ? 6 : 20);
    sim::MouseUp(F.N, mbLeft, TShiftState{}, X, Up ? 6 : 20);
    Up = !Up;
  }
  if (F.N->Value() < 1234 || F.N->Value() > 1236) State.SkipWithError("steps went astray");
}
BENCHMARK(BM_NumIO2SpinStep)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Peer_MemsetField(benchmark::State& State) {
  std::vector<uint32_t> Pixels(160 * 28);
  for (auto _ : State) {
    std::memset(Pixels.data(), 0x7F, Pixels.size() * sizeof(uint32_t));
    benchmark::DoNotOptimize(Pixels.data());
  }
}
BENCHMARK(BM_Peer_MemsetField)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
