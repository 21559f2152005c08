// Heap use of the report data store against its peer: 1,000,000 rows x 10
// cells of ~8 characters in a TRLData and in a
// std::vector<std::vector<std::u16string>> holding the same cells. Bytes are
// counted with malloc_usable_size through a global operator new/delete of
// this binary, which is why nothing timed lives here (see bench_replist).

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>
#include <vector>

#include "replist/rldata.h"

namespace {

std::atomic<long long> gHeapBytes{0};

}  // namespace

void* operator new(std::size_t Size) {
  void* P = std::malloc(Size ? Size : 1);
  if (!P) throw std::bad_alloc();
  gHeapBytes += static_cast<long long>(malloc_usable_size(P));
  return P;
}
void operator delete(void* P) noexcept {
  if (!P) return;
  gHeapBytes -= static_cast<long long>(malloc_usable_size(P));
  std::free(P);
}
void operator delete(void* P, std::size_t) noexcept { operator delete(P); }

namespace {

using orv::String;
using orv::TRLData;

constexpr int kCols = 10;
constexpr int kRows = 1'000'000;

// Cells of 6..10 letters in mixed case.
std::vector<std::vector<String>> MakeCells(int Rows, unsigned Seed) {
  std::mt19937 Rng(Seed);
  std::vector<std::vector<String>> Cells(static_cast<size_t>(Rows), std::vector<String>(kCols));
  for (auto& Row : Cells)
    for (String& K : Row) {
      const unsigned Len = 6 + Rng() % 5;
      for (unsigned I = 0; I < Len; ++I) K += static_cast<char16_t>((Rng() & 1 ? u'a' : u'A') + Rng() % 26);
    }
  return Cells;
}

void BM_Memory_Store(benchmark::State& State) {
  const auto Cells = MakeCells(kRows, 1);
  for (auto _ : State) {
    const long long Before = gHeapBytes;
    TRLData D(nullptr);
    D.SetNrOfColumns(kCols);
    D.SetNrOfRows(kRows);
    for (size_t R = 0; R < Cells.size(); ++R)
      for (int C = 0; C < kCols; ++C) D.SetElem(C + 1, static_cast<int>(R + 1), Cells[R][static_cast<size_t>(C)]);
    State.counters["MB"] = static_cast<double>(gHeapBytes - Before) / 1e6;
  }
}
BENCHMARK(BM_Memory_Store)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_Memory_Vectors(benchmark::State& State) {
  const auto Cells = MakeCells(kRows, 1);
  for (auto _ : State) {
    const long long Before = gHeapBytes;
    std::vector<std::vector<String>> Copy(Cells.size());
    for (size_t R = 0; R < Cells.size(); ++R) Copy[R] = Cells[R];
    State.counters["MB"] = static_cast<double>(gHeapBytes - Before) / 1e6;
    benchmark::DoNotOptimize(Copy.data());
  }
}
BENCHMARK(BM_Memory_Vectors)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
