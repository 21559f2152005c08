// Seven-segment display: rebuilding the glyph cache and painting from it,
// each next to a peer in the same binary.
//   Cache rebuild (21 glyphs composed at 312 x 432, coloured and shrunk with
//   area averaging) against the shrinking alone (21 halftone StretchBlt calls
//   of a ready master into the same strip) and against memset of the strip's
//   bytes. Painting a caption from the cache against memset of the control's
//   pixels.
// Sizes: the default control (216 x 76, four digits: cells 48 x 60) and a
// large one (1000 x 300: cells 244 x 284).

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "sevenseg/sevenseg.h"
#include "sevenseg/sevenseg_glyphs.h"

namespace {

using namespace orv;

constexpr TColor kText = 0x0000FF, kBack = 0x333333;

// Cell size of a four-digit display of the given size with margin 8 and distance 2.
int CellW(int W) { return (W - 16) / 4 - 2; }
int CellH(int H) { return H - 16; }

void BM_CacheRebuild(benchmark::State& State) {
  const int CW = CellW(static_cast<int>(State.range(0))), CH = CellH(static_cast<int>(State.range(1)));
  TSevenSegGlyphs G;
  for (auto _ : State) {
    G.Build(CW, CH, kText, kBack);
    benchmark::DoNotOptimize(G.Cache()->Bits());
  }
}
BENCHMARK(BM_CacheRebuild)->Args({216, 76})->Args({1000, 300})->Unit(benchmark::kMicrosecond);

void BM_Peer_HalftoneStretchOnly(benchmark::State& State) {
  const int CW = CellW(static_cast<int>(State.range(0))), CH = CellH(static_cast<int>(State.range(1)));
  TSevenSegGlyphs G;
  G.ColorSegments(kText);
  G.Compose(u'8', false, kBack);
  TBitmap Strip(kSevenSegGlyphCount * CW, CH);
  SetStretchBltMode(Strip.Canvas(), HALFTONE);
  for (auto _ : State) {
    for (int K = 0; K < kSevenSegGlyphCount; ++K)
      StretchBlt(Strip.Canvas(), K * CW, 0, CW, CH, G.Master()->Canvas(), 0, 0, kSevenSegMasterWidth,
                 kSevenSegMasterHeight, SRCCOPY);
    benchmark::DoNotOptimize(Strip.Bits());
  }
}
BENCHMARK(BM_Peer_HalftoneStretchOnly)->Args({216, 76})->Args({1000, 300})->Unit(benchmark::kMicrosecond);

void BM_Peer_MemsetStrip(benchmark::State& State) {
  const int CW = CellW(static_cast<int>(State.range(0))), CH = CellH(static_cast<int>(State.range(1)));
  std::vector<uint32_t> Strip(static_cast<size_t>(kSevenSegGlyphCount) * CW * CH);
  for (auto _ : State) {
    std::memset(Strip.data(), 0x33, Strip.size() * sizeof(uint32_t));
    benchmark::DoNotOptimize(Strip.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Peer_MemsetStrip)->Args({216, 76})->Args({1000, 300})->Unit(benchmark::kMicrosecond);

void BM_PaintFromCache(benchmark::State& State) {
  const int W = static_cast<int>(State.range(0)), H = static_cast<int>(State.range(1));
  TSevenSeg S(nullptr);
  S.SetBounds(0, 0, W, H);
  S.SetCaption(u"-1.5:");
  TBitmap Dest(W, H);
  for (auto _ : State) {
    S.PaintTo(Dest.Canvas(), 0, 0);
    benchmark::DoNotOptimize(Dest.Bits());
  }
}
BENCHMARK(BM_PaintFromCache)->Args({216, 76})->Args({1000, 300})->Unit(benchmark::kMicrosecond);

void BM_Peer_MemsetControl(benchmark::State& State) {
  std::vector<uint32_t> Pixels(static_cast<size_t>(State.range(0)) * State.range(1));
  for (auto _ : State) {
    std::memset(Pixels.data(), 0x33, Pixels.size() * sizeof(uint32_t));
    benchmark::DoNotOptimize(Pixels.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Peer_MemsetControl)->Args({216, 76})->Args({1000, 300})->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
