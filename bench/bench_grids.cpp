// The report list view: one frame of a 1000 x 600 view of 10 columns of
// 8-character cells (100 rows and 10,000,000 rows), a page scroll plus a
// frame over a million rows, a header-click sort of a million rows next to
// std::stable_sort of the same keys, and the heap the view takes per row
// beyond its store (counted through this binary's operator new/delete).

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <numeric>
#include <random>
#include <vector>

#include "framework/controls/sim.h"
#include "framework/forms/form.h"
#include "replist/replistview.h"

namespace {
std::atomic<long long> gHeapBytes{0};
}  // namespace

// This binary replaces the global allocation functions on purpose; g++ sees
// the replaced delete's free() after an inlined new and takes it for a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

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

using namespace orv;

constexpr int kCols = 10;

String RandomCell(std::mt19937& Rng) {
  String S(8, u'a');
  for (Char& C : S) C = static_cast<Char>((Rng() & 1 ? u'a' : u'A') + Rng() % 26);
  return S;
}

// A shown form with a 1000 x 600 view; rows 1..Filled get random cells (the
// rest stay empty, which costs the frame nothing either way).
struct TViewFixture {
  std::unique_ptr<TForm> Form;
  TReportListView* View;
  TBitmap Frame;

  TViewFixture(int Rows, int Filled) {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 1000, 600);
    View = new TReportListView(Form.get());
    View->SetParent(Form.get());
    View->SetBounds(0, 0, 1000, 600);
    View->SetSuppressPaint(true);
    View->SetNrOfColumns(kCols);
    View->SetNrOfRows(Rows);
    TStringArray* A = View->Data()->Strings();
    A->SetNotifyChanges(false);
    std::mt19937 Rng(7);
    for (int r = 1; r <= Filled; ++r) {
      for (int c = 1; c <= kCols; ++c) A->SetElem(c, r, RandomCell(Rng));
    }
    A->SetNotifyChanges(true);
    View->SetSuppressPaint(false);
    Form->Show();
    Frame.SetSize(1000, 600);
  }
  void Render() { View->PaintTo(Frame.Canvas(), 0, 0); }
};

void BM_ViewRender(benchmark::State& St) {
  const int Rows = static_cast<int>(St.range(0));
  TViewFixture F(Rows, std::min(Rows, 100));
  F.Render();
  for (auto _ : St) F.Render();
  St.counters["visible_rows"] = F.View->VisibleRowCount();
}
BENCHMARK(BM_ViewRender)->ArgName("rows")->Arg(100)->Arg(10'000'000)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_ViewScrollPage(benchmark::State& St) {
  TViewFixture F(1'000'000, 1'000'000);
  F.Render();
  for (auto _ : St) {
    int Next = F.View->TopRow() + F.View->VisibleRowCount();
    if (Next > 1'000'000 - F.View->VisibleRowCount()) Next = 1;
    F.View->SetTopRow(Next);
    F.Render();
  }
}
BENCHMARK(BM_ViewScrollPage)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A click on the header of column 1 (every click after the first flips the
// direction, so each one sorts again).
void BM_HeaderClickSort(benchmark::State& St) {
  TViewFixture F(1'000'000, 1'000'000);
  const TRect H = F.View->CellRect(0, 0);
  for (auto _ : St) {
    St.PauseTiming();
    F.View->UnSort();
    St.ResumeTiming();
    sim::Click(F.View, H.Left + H.Width() / 2, H.Top + H.Height() / 2);
  }
  if (F.View->LastSortColumn() != 1) St.SkipWithError("no sort");
}
BENCHMARK(BM_HeaderClickSort)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);

// The peer of the sort: std::stable_sort of row indices by the same keys.
void BM_StableSortKeys(benchmark::State& St) {
  std::mt19937 Rng(7);
  std::vector<String> Keys(1'000'000);
  for (String& K : Keys) {
    K = RandomCell(Rng);
    for (int c = 1; c < kCols; ++c) RandomCell(Rng);  // same stream as the view's first column
  }
  std::vector<int> Order(Keys.size());
  for (auto _ : St) {
    St.PauseTiming();
    std::iota(Order.begin(), Order.end(), 0);
    St.ResumeTiming();
    std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) { return Keys[size_t(A)] < Keys[size_t(B)]; });
    benchmark::DoNotOptimize(Order.data());
  }
}
BENCHMARK(BM_StableSortKeys)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);

// Heap a view takes per row beyond its store: what a view over 1,000,000 x 10
// cells holds outside the store, less the same for a view of 100 rows (the
// form, its surface and the frame do not grow with the rows).
long long HeapBeyondStore(int Rows) {
  const long long Before = gHeapBytes;
  auto F = std::make_unique<TViewFixture>(Rows, Rows);
  return gHeapBytes - Before - static_cast<long long>(F->View->Data()->Strings()->MemoryUsed());
}

void BM_ViewMemory(benchmark::State& St) {
  for (auto _ : St) {
    const long long Small = HeapBeyondStore(100);
    const long long Big = HeapBeyondStore(1'000'000);
    St.counters["view_bytes_per_row"] = static_cast<double>(Big - Small) / (1'000'000 - 100);
  }
}
BENCHMARK(BM_ViewMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
