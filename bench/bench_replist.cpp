// The report data store against its peers, measured in this binary:
// - Sort by one column against std::stable_sort of that column's keys;
// - WriteToXMLStream + ReadFromXMLStream of 100,000 rows x 10 columns against
//   pugixml saving the same document to a string and parsing it, each the
//   best of 7 single round trips;
// - ExportCSV and ImportCSV throughput (bytes per second of CSV text).
// Memory use is measured apart, in bench_replist_memory: the heap counting
// it needs would slow the timed loops here.

#include <benchmark/benchmark.h>

#include <pugixml.hpp>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "framework/rtl/streams.h"
#include "framework/rtl/sysutils.h"
#include "replist/rlcsv.h"
#include "replist/rldata.h"

namespace {

using orv::String;
using orv::TRLData;

constexpr int kCols = 10;

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

void FillStore(TRLData& D, const std::vector<std::vector<String>>& Cells) {
  D.SetNrOfColumns(kCols);
  D.SetNrOfRows(static_cast<int>(Cells.size()));
  for (size_t R = 0; R < Cells.size(); ++R)
    for (int C = 0; C < kCols; ++C) D.SetElem(C + 1, static_cast<int>(R + 1), Cells[R][static_cast<size_t>(C)]);
}

void BM_Sort_Store(benchmark::State& State) {
  const auto Cells = MakeCells(1'000'000, 2);
  TRLData D(nullptr);
  FillStore(D, Cells);
  for (auto _ : State) {
    D.Sort(3, -1, true);
    State.PauseTiming();
    D.UnSort();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_Sort_Store)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_Sort_StableSortKeys(benchmark::State& State) {
  const auto Cells = MakeCells(1'000'000, 2);
  std::vector<std::pair<String, uint32_t>> Base;
  for (size_t R = 0; R < Cells.size(); ++R) Base.emplace_back(Cells[R][2], static_cast<uint32_t>(R));
  for (auto _ : State) {
    State.PauseTiming();
    auto Keys = Base;
    State.ResumeTiming();
    std::stable_sort(Keys.begin(), Keys.end(),
                     [](const auto& A, const auto& B) { return orv::CompareText(A.first, B.first) < 0; });
    benchmark::DoNotOptimize(Keys.data());
  }
}
BENCHMARK(BM_Sort_StableSortKeys)->Iterations(3)->Unit(benchmark::kMillisecond);

constexpr int kXmlRows = 100'000;

// Both sides of the XML comparison run the same way: single round trips,
// seven times, the fastest one reported.
void XmlRuns(benchmark::internal::Benchmark* B) {
  B->Iterations(1)->Repetitions(7)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
  B->ComputeStatistics("min", [](const std::vector<double>& V) { return *std::min_element(V.begin(), V.end()); });
}

void BM_Xml_Store(benchmark::State& State) {
  const auto Cells = MakeCells(kXmlRows, 3);
  TRLData D(nullptr), E(nullptr);
  FillStore(D, Cells);
  size_t Bytes = 0;
  for (auto _ : State) {
    orv::TMemoryStream S;
    D.WriteToXMLStream(&S, true, u"bench");
    S.SetPosition(0);
    if (!E.ReadFromXMLStream(&S, u"bench")) State.SkipWithError("read failed");
    Bytes = static_cast<size_t>(S.Size());
  }
  State.SetBytesProcessed(static_cast<int64_t>(Bytes * State.iterations()));
}
BENCHMARK(BM_Xml_Store)->Apply(XmlRuns);

// The same document as a pugixml tree, saved to memory and parsed again.
void BM_Xml_Pugixml(benchmark::State& State) {
  const auto Cells = MakeCells(kXmlRows, 3);
  TRLData D(nullptr);
  FillStore(D, Cells);
  orv::TStringStream S;
  D.WriteToXMLStream(&S, true, u"bench");
  pugi::xml_document Doc;
  Doc.load_string(S.DataString().c_str(), pugi::parse_default | pugi::parse_ws_pcdata_single);
  size_t Bytes = 0;
  // pugixml's writer interface straight into a string, its fastest way to memory.
  struct TStringWriter : pugi::xml_writer {
    std::string Text;
    void write(const void* Data, size_t Size) override { Text.append(static_cast<const char*>(Data), Size); }
  };
  for (auto _ : State) {
    TStringWriter Out;
    Doc.save(Out, "", pugi::format_raw);
    const std::string& Text = Out.Text;
    pugi::xml_document Back;
    if (!Back.load_buffer(Text.data(), Text.size(), pugi::parse_default | pugi::parse_ws_pcdata_single))
      State.SkipWithError("parse failed");
    Bytes = Text.size();
  }
  State.SetBytesProcessed(static_cast<int64_t>(Bytes * State.iterations()));
}
BENCHMARK(BM_Xml_Pugixml)->Apply(XmlRuns);

void BM_Csv_Export(benchmark::State& State) {
  const auto Cells = MakeCells(kXmlRows, 4);
  TRLData D(nullptr);
  FillStore(D, Cells);
  std::string Out;
  for (auto _ : State) orv::ExportCSVBytes(D, Out, orv::csvComma, true, false, 1, 1, kCols, kXmlRows);
  State.SetBytesProcessed(static_cast<int64_t>(Out.size() * State.iterations()));
}
BENCHMARK(BM_Csv_Export)->Unit(benchmark::kMillisecond);

void BM_Csv_Import(benchmark::State& State) {
  const auto Cells = MakeCells(kXmlRows, 4);
  TRLData D(nullptr), E(nullptr);
  FillStore(D, Cells);
  std::string Text;
  orv::ExportCSVBytes(D, Text, orv::csvComma, true, false, 1, 1, kCols, kXmlRows);
  for (auto _ : State)
    if (orv::ImportCSVBytes(E, Text, orv::csvComma, true) != kXmlRows) State.SkipWithError("import failed");
  State.SetBytesProcessed(static_cast<int64_t>(Text.size() * State.iterations()));
}
BENCHMARK(BM_Csv_Import)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
