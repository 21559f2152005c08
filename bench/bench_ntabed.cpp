// The table editor: one frame of a 1000 x 600 editor over a 1,000 x
// 1,000,000 table next to the same frame over a 10 x 10 table (which leaves
// most of the view empty) and over a 20 x 30 table (which fills it, so both
// draw the same cells); the copy of a
// 1,000 x 1,000 block to clipboard text next to snprintf("%.*f") of the same
// numbers into one buffer; the import of that text back into the table next
// to std::from_chars over the same numbers with the same split.

#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "framework/forms/form.h"
#include "framework/rtl/clipboard.h"
#include "framework/rtl/unicode.h"
#include "ntabed/ntabed.h"

namespace {

using namespace orv;

// A 1000 x 600 form filled by an editor of Cols x Rows, painting suppressed
// while the caller fills it.
std::unique_ptr<TForm> MakeForm() {
  auto Form = std::make_unique<TForm>(nullptr);
  Form->SetBounds(0, 0, 1000, 600);
  return Form;
}

TNTabEd* PlaceEditor(TForm& Form, int Cols, int Rows) {
  auto* Ed = new TNTabEd(&Form);
  Ed->SetParent(&Form);
  Ed->SetBounds(0, 0, 1000, 600);
  Ed->SetSuppressPaint(true);
  Ed->Redimension(Cols, Rows);
  return Ed;
}

struct TEditorFixture {
  std::unique_ptr<TForm> Form;
  TNTabEd* Ed;
  TBitmap Frame;

  TEditorFixture(int Cols, int Rows) : Form(MakeForm()), Ed(PlaceEditor(*Form, Cols, Rows)) {
    std::mt19937 Rng(7);
    std::uniform_real_distribution<double> D(-1000, 1000);
    // The cells in view (and a little more) get values; the rest stay 0.
    for (int C = 1; C <= std::min(Cols, 40); ++C) {
      for (int R = 1; R <= std::min(Rows, 40); ++R) Ed->SetElem(C, R, D(Rng));
    }
    Ed->SetSuppressPaint(false);
    Form->Show();
    Frame.SetSize(1000, 600);
  }
  void Render() { Ed->PaintTo(Frame.Canvas(), 0, 0); }
};

void BM_NTabEdFrame(benchmark::State& St) {
  const int Cols = static_cast<int>(St.range(0));
  const int Rows = static_cast<int>(St.range(1));
  TEditorFixture F(Cols, Rows);
  F.Render();
  for (auto _ : St) F.Render();
  St.counters["visible_rows"] = F.Ed->VisibleRowCount();
}
BENCHMARK(BM_NTabEdFrame)->ArgNames({"cols", "rows"})->Args({10, 10})->Args({20, 30})->Args({1000, 1000})->Args({20, 1'000'000})->Args({1000, 1'000'000})
    ->Unit(benchmark::kMicrosecond)->UseRealTime();

constexpr int kBlock = 1000;

// A 1000 x 1000 table of random values with the whole table selected.
struct TBlockFixture {
  std::unique_ptr<TForm> Form;
  TNTabEd* Ed;
  std::vector<double> Values;  // row by row, as the copy reads them

  TBlockFixture() : Form(MakeForm()), Ed(PlaceEditor(*Form, kBlock, kBlock)) {
    std::mt19937 Rng(11);
    std::uniform_real_distribution<double> D(-1000, 1000);
    Values.resize(size_t(kBlock) * kBlock);
    for (int R = 1; R <= kBlock; ++R) {
      for (int C = 1; C <= kBlock; ++C) {
        const double V = D(Rng);
        Values[size_t(R - 1) * kBlock + size_t(C - 1)] = V;
        Ed->SetElem(C, R, V);
      }
    }
    Ed->PopupMenuClickSelAll(nullptr);
    Ed->SetSuppressPaint(false);
  }
};

void BM_NTabEdCopy(benchmark::State& St) {
  TBlockFixture F;
  F.Ed->SetClipboardUseFullPrec(St.range(0) != 0);
  F.Ed->PopupMenuClickCopy(nullptr);  // the text's room, as after any earlier copy
  for (auto _ : St) F.Ed->PopupMenuClickCopy(nullptr);
  St.SetItemsProcessed(St.iterations() * kBlock * kBlock);
}
BENCHMARK(BM_NTabEdCopy)->ArgName("fullprec")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(5);

// The peer of the copy: snprintf("%.*f") of the same numbers, TAB and CR LF
// between them, into one buffer.
void BM_SnprintfBlock(benchmark::State& St) {
  TBlockFixture F;
  const int Prec = static_cast<int>(St.range(0));
  std::string Buf(size_t(kBlock) * kBlock * 24, ' ');  // the room, touched once
  for (auto _ : St) {
    Buf.clear();
    Buf.reserve(size_t(kBlock) * kBlock * 24);
    char Cell[64];
    for (int R = 0; R < kBlock; ++R) {
      for (int C = 0; C < kBlock; ++C) {
        Buf.push_back(C == 0 ? ' ' : '\t');
        const int N = std::snprintf(Cell, sizeof Cell, "%.*f", Prec, F.Values[size_t(R) * kBlock + size_t(C)]);
        Buf.append(Cell, size_t(N));
      }
      Buf += "\r\n";
    }
    benchmark::DoNotOptimize(Buf.data());
  }
  St.SetItemsProcessed(St.iterations() * kBlock * kBlock);
}
BENCHMARK(BM_SnprintfBlock)->ArgName("prec")->Arg(13)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(5);

// Import of the copied text back into the table from its first cell.
void BM_NTabEdPaste(benchmark::State& St) {
  TBlockFixture F;
  F.Ed->PopupMenuClickCopy(nullptr);
  const TGridRect All = F.Ed->Selection();
  for (auto _ : St) {
    F.Ed->SetSelection(All);
    F.Ed->PopupMenuClickExtClip(nullptr);
  }
  // 14 significant digits come back.
  if (std::fabs(F.Ed->Elem(kBlock, kBlock) - F.Values.back()) > 1e-9 * std::fabs(F.Values.back())) {
    St.SkipWithError("values differ");
  }
  St.SetItemsProcessed(St.iterations() * kBlock * kBlock);
}
BENCHMARK(BM_NTabEdPaste)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The peer of the import: the same text split at blanks, TABs and line ends
// and read with std::from_chars into a matrix.
void BM_FromCharsBlock(benchmark::State& St) {
  TBlockFixture F;
  F.Ed->PopupMenuClickCopy(nullptr);
  const std::string Text = ToUtf8(Clipboard()->AsText());
  std::vector<double> Out(size_t(kBlock) * kBlock);
  for (auto _ : St) {
    const char* P = Text.data();
    const char* End = P + Text.size();
    size_t I = 0;
    while (P < End) {
      while (P < End && (*P == ' ' || *P == '\t' || *P == '\r' || *P == '\n')) ++P;
      if (P == End) break;
      double V = 0;
      const auto Res = std::from_chars(P, End, V);
      P = Res.ptr == P ? P + 1 : Res.ptr;
      if (I < Out.size()) Out[I++] = V;
    }
    benchmark::DoNotOptimize(Out.data());
  }
  St.SetItemsProcessed(St.iterations() * kBlock * kBlock);
}
BENCHMARK(BM_FromCharsBlock)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
