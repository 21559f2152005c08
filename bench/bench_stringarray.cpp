// TStringArray against a plain std::vector<std::vector<std::u16string>> (the
// peer): sorting a million rows by a text column, and the heap memory taken
// by a million rows of ten ~8-character cells. Heap use is measured with
// malloc_usable_size through a global operator new/delete of this binary.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "foundation/stringarray.h"
#include "framework/rtl/sysutils.h"

namespace {

std::atomic<long long> gHeapBytes{0};
std::atomic<long long> gHeapBlocks{0};

}  // namespace

void* operator new(std::size_t Size) {
  void* P = std::malloc(Size ? Size : 1);
  if (!P) throw std::bad_alloc();
  gHeapBytes += static_cast<long long>(malloc_usable_size(P));
  ++gHeapBlocks;
  return P;
}
void operator delete(void* P) noexcept {
  if (!P) return;
  gHeapBytes -= static_cast<long long>(malloc_usable_size(P));
  --gHeapBlocks;
  std::free(P);
}
void operator delete(void* P, std::size_t) noexcept { operator delete(P); }

namespace {

using orv::String;

constexpr int kRows = 1'000'000;
constexpr int kCols = 10;

// Random keys of 6..10 letters in mixed case.
std::vector<String> MakeKeys(int Count, unsigned Seed) {
  std::mt19937 Rng(Seed);
  std::vector<String> Keys(static_cast<size_t>(Count));
  for (String& K : Keys) {
    const unsigned Len = 6 + Rng() % 5;
    for (unsigned I = 0; I < Len; ++I) {
      const auto Letter = static_cast<char16_t>(Rng() % 26);
      K += static_cast<char16_t>((Rng() & 1 ? u'a' : u'A') + Letter);
    }
  }
  return Keys;
}

const std::vector<String>& SortKeys() {
  static const std::vector<String> Keys = MakeKeys(kRows, 7);
  return Keys;
}

void BM_SortTextColumn_StringArray(benchmark::State& State) {
  const auto& Keys = SortKeys();
  orv::TStringArray A(1, kRows);
  for (int Row = 1; Row <= kRows; ++Row) A.SetElem(1, Row, Keys[static_cast<size_t>(Row - 1)]);
  for (auto _ : State) {
    A.Sort(1, -1, true);
    State.PauseTiming();
    A.UnSort();
    State.ResumeTiming();
  }
  State.SetItemsProcessed(State.iterations() * kRows);
}

void BM_SortTextColumn_Peer(benchmark::State& State) {
  const auto& Keys = SortKeys();
  for (auto _ : State) {
    State.PauseTiming();
    std::vector<String> V = Keys;
    State.ResumeTiming();
    std::stable_sort(V.begin(), V.end(), [](const String& A, const String& B) { return orv::CompareText(A, B) < 0; });
    benchmark::DoNotOptimize(V.data());
    State.PauseTiming();
    V = {};
    State.ResumeTiming();
  }
  State.SetItemsProcessed(State.iterations() * kRows);
}

// Fills kRows x kCols cells of ~8 characters and reports the heap it holds.
void BM_Memory_StringArray(benchmark::State& State) {
  const auto Words = MakeKeys(4096, 11);
  for (auto _ : State) {
    const long long Before = gHeapBytes, BlocksBefore = gHeapBlocks;
    auto* A = new orv::TStringArray(kCols, kRows);
    for (int Row = 1; Row <= kRows; ++Row)
      for (int Col = 1; Col <= kCols; ++Col) A->SetElem(Col, Row, Words[static_cast<size_t>(Row * 31 + Col) % 4096]);
    State.counters["heap_bytes"] = static_cast<double>(gHeapBytes - Before);
    State.counters["heap_blocks"] = static_cast<double>(gHeapBlocks - BlocksBefore);
    State.counters["bytes_per_cell"] = static_cast<double>(gHeapBytes - Before) / (double{kRows} * kCols);
    State.PauseTiming();
    delete A;
    State.ResumeTiming();
  }
}

void BM_Memory_Peer(benchmark::State& State) {
  const auto Words = MakeKeys(4096, 11);
  for (auto _ : State) {
    const long long Before = gHeapBytes, BlocksBefore = gHeapBlocks;
    auto* V = new std::vector<std::vector<String>>(kRows, std::vector<String>(kCols));
    for (int Row = 1; Row <= kRows; ++Row)
      for (int Col = 1; Col <= kCols; ++Col)
        (*V)[static_cast<size_t>(Row - 1)][static_cast<size_t>(Col - 1)] = Words[static_cast<size_t>(Row * 31 + Col) % 4096];
    State.counters["heap_bytes"] = static_cast<double>(gHeapBytes - Before);
    State.counters["heap_blocks"] = static_cast<double>(gHeapBlocks - BlocksBefore);
    State.counters["bytes_per_cell"] = static_cast<double>(gHeapBytes - Before) / (double{kRows} * kCols);
    State.PauseTiming();
    delete V;
    State.ResumeTiming();
  }
}

// Cell reads, as a grid drawing its visible cells does.
void BM_ReadCells_StringArray(benchmark::State& State) {
  const auto Words = MakeKeys(4096, 3);
  orv::TStringArray A(kCols, 100000);
  for (int Row = 1; Row <= 100000; ++Row)
    for (int Col = 1; Col <= kCols; ++Col) A.SetElem(Col, Row, Words[static_cast<size_t>(Row + Col) % 4096]);
  int Row = 1;
  for (auto _ : State) {
    for (int Col = 1; Col <= kCols; ++Col) benchmark::DoNotOptimize(A.Elem(Col, Row));
    Row = Row % 100000 + 1;
  }
  State.SetItemsProcessed(State.iterations() * kCols);
}

BENCHMARK(BM_SortTextColumn_StringArray)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SortTextColumn_Peer)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Memory_StringArray)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Memory_Peer)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ReadCells_StringArray);

}  // namespace

BENCHMARK_MAIN();
