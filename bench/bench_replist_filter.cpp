// Filtering the report list view against its peer, measured in this binary:
// - FilterAndSort with a substring filter on one column of 1,000,000 rows x
//   10 columns (no sort column, so the rows keep their unsorted order) against
//   a plain loop of std::u16string_view::find over the same column's texts
//   that collects the matching row numbers;
// - the same with letter case ignored and as a boolean expression (no peer);
// - painting a 1,000,000-row view filtered down to a few rows against painting
//   a view that holds only those rows: hidden rows must cost the frame nothing.

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "framework/forms/form.h"
#include "replist/replistview.h"

namespace {

using namespace orv;

constexpr int kRows = 1'000'000;
constexpr int kCols = 10;
constexpr int kFilterCol = 3;
const String kNeedle = u"qz";

// Cells of 6..10 letters in mixed case.
String RandomCell(std::mt19937& Rng) {
  String S(6 + Rng() % 5, u'a');
  for (Char& C : S) C = static_cast<Char>((Rng() & 1 ? u'a' : u'A') + Rng() % 26);
  return S;
}

// A shown form with a 1000 x 600 view of kRows random rows; Texts keeps
// column kFilterCol's texts for the peer.
struct TFilterFixture {
  std::unique_ptr<TForm> Form;
  TReportListView* View;
  std::vector<String> Texts;
  TBitmap Frame;

  explicit TFilterFixture(int Rows) {
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
    std::mt19937 Rng(11);
    Texts.reserve(static_cast<size_t>(Rows));
    for (int r = 1; r <= Rows; ++r) {
      for (int c = 1; c <= kCols; ++c) {
        String S = RandomCell(Rng);
        A->SetElem(c, r, S);
        if (c == kFilterCol) Texts.push_back(std::move(S));
      }
    }
    A->SetNotifyChanges(true);
    View->SetSuppressPaint(false);
    Form->Show();
    Frame.SetSize(1000, 600);
  }
  void Render() { View->PaintTo(Frame.Canvas(), 0, 0); }
};

TFilterFixture& Big() {
  static TFilterFixture F(kRows);
  return F;
}

void Filter(benchmark::State& St, const String& Expr, bool IgnoreCase, TFilterMode Mode) {
  TFilterFixture& F = Big();
  const int Cols[] = {kFilterCol};
  for (auto _ : St) F.View->FilterAndSort(Expr, Cols, IgnoreCase, Mode, 0, true);
  St.counters["shown"] = F.View->NrOfShownRows();
}

void BM_FilterAndSort_Substring(benchmark::State& St) { Filter(St, kNeedle, false, fmSimple); }
BENCHMARK(BM_FilterAndSort_Substring)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Peer_U16FindLoop(benchmark::State& St) {
  const std::vector<String>& Texts = Big().Texts;
  std::vector<int> Found;
  Found.reserve(Texts.size());
  for (auto _ : St) {
    Found.clear();
    for (size_t I = 0; I < Texts.size(); ++I)
      if (std::u16string_view(Texts[I]).find(kNeedle) != std::u16string_view::npos) Found.push_back(static_cast<int>(I) + 1);
    benchmark::DoNotOptimize(Found.data());
  }
  St.counters["shown"] = static_cast<double>(Found.size());
}
BENCHMARK(BM_Peer_U16FindLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FilterAndSort_SubstringIgnoreCase(benchmark::State& St) { Filter(St, kNeedle, true, fmSimple); }
BENCHMARK(BM_FilterAndSort_SubstringIgnoreCase)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FilterAndSort_Boolean(benchmark::State& St) { Filter(St, u"qz OR (xy AND NOT Xy)", false, fmBoolean); }
BENCHMARK(BM_FilterAndSort_Boolean)->Unit(benchmark::kMillisecond)->UseRealTime();

// The big view filtered to the rows of one rare run of letters.
int FilterRare() {
  const int Cols[] = {kFilterCol};
  Big().View->FilterAndSort(u"QzQ", Cols, false, fmSimple, 0, true);
  return Big().View->NrOfShownRows();
}

void BM_Render_FilteredMillion(benchmark::State& St) {
  TFilterFixture& F = Big();
  FilterRare();
  F.Render();
  for (auto _ : St) F.Render();
  St.counters["shown"] = F.View->NrOfShownRows();
}
BENCHMARK(BM_Render_FilteredMillion)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Render_SameRowsAlone(benchmark::State& St) {
  TFilterFixture F(FilterRare());
  F.Render();
  for (auto _ : St) F.Render();
  St.counters["shown"] = F.View->NrOfShownRows();
}
BENCHMARK(BM_Render_SameRowsAlone)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
