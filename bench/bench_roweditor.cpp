// Opening the report list's row editor for a 20-column row: building the
// form and its editors, laying them out, the first paint and closing it
// again (the modal answer is Cancel, so nothing is written back).
//
// Its peer in this binary is the same dialog put together by hand: a form
// with the same 20 labels and editors at the same places, shown, painted
// and freed, without formats, names or the view in between.

#include <benchmark/benchmark.h>

#include <memory>

#include "framework/controls/application.h"
#include "framework/controls/combobox.h"
#include "framework/controls/datetimepicker.h"
#include "framework/controls/edit.h"
#include "framework/controls/label.h"
#include "framework/controls/speedbutton.h"
#include "framework/forms/form.h"
#include "framework/rtl/sysutils.h"
#include "numio/numioedit.h"
#include "replist/replistview.h"

namespace {

using namespace orv;

constexpr int kCols = 20;
// Four kinds of editor, five columns each.
const char16_t* const kFormats[4] = {u"[s][150]", u"[l:6][120]red|green|blue|cyan|magenta|yellow",
                                     u"[ddd.MM.yyyy][100]", u"[i][80]rix4"};

struct TRowFixture {
  TForm Host{nullptr};
  TReportListView* View;
  TRowFixture() {
    View = new TReportListView(&Host);
    View->SetParent(&Host);
    View->SetNrOfColumns(kCols);
    View->SetNrOfRows(3);
    for (int c = 1; c <= kCols; ++c) {
      String Head = u"Column ";
      Head += IntToStr(c);
      View->SetHeader(c, Head);
      View->SetColumnFormat(c, kFormats[(c - 1) % 4]);
      const int Kind = (c - 1) % 4;
      View->SetElem(c, 2, Kind == 0 ? u"some text" : Kind == 1 ? u"blue" : Kind == 2 ? u"07.03.2021" : u"42");
    }
    Application->SetModalHandler([](TForm*) { return mrCancel; });
  }
  ~TRowFixture() { Application->SetModalHandler(nullptr); }
};

void BM_RowEditorOpen(benchmark::State& State) {
  TRowFixture F;
  for (auto _ : State) benchmark::DoNotOptimize(F.View->EditRowEntries(2, 0, 0));
}
BENCHMARK(BM_RowEditorOpen)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_HandBuiltDialog(benchmark::State& State) {
  Application->SetModalHandler([](TForm*) { return mrCancel; });
  for (auto _ : State) {
    auto Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 150 + 90 + 28, kCols * 25 + 45 + 38);
    for (int c = 1; c <= kCols; ++c) {
      const int y = 45 + (c - 1) * 25;
      auto* Label = new TLabel(Form.get());
      Label->SetParent(Form.get());
      Label->SetAutoSize(false);
      Label->SetAlignment(taRightJustify);
      String Caption = u"Column ";
      Caption += IntToStr(c);
      Caption += u":";
      Label->SetCaption(Caption);
      Label->SetBounds(8, y + 3, 90, Label->Height());
      TControl* Editor = nullptr;
      switch ((c - 1) % 4) {
        case 0: {
          auto* E = new TEdit(Form.get());
          E->SetParent(Form.get());
          E->SetText(u"some text");
          Editor = E;
          break;
        }
        case 1: {
          auto* B = new TComboBox(Form.get());
          B->SetParent(Form.get());
          B->SetStyle(csDropDownList);
          for (const char16_t* S : {u"red", u"green", u"blue", u"cyan", u"magenta", u"yellow"}) B->Items()->Add(S);
          B->SetItemIndex(2);
          Editor = B;
          break;
        }
        case 2: {
          auto* P = new TDateTimePicker(Form.get());
          P->SetParent(Form.get());
          P->SetFormat(u"dd.MM.yyyy");
          Editor = P;
          break;
        }
        default: {
          auto* N = new TNumIO(Form.get());
          N->SetParent(Form.get());
          N->SetInputFormat(itInt);
          N->SetText(u"42");
          Editor = N;
          break;
        }
      }
      Editor->SetBounds(102, y, 120, Editor->Height());
    }
    for (int I = 0; I < 2; ++I) {
      auto* B = new TSpeedButton(Form.get());
      B->SetParent(Form.get());
      B->SetCaption(I ? u"OK" : u"Cancel");
      B->SetBounds(100 + I * 85, 4, 81, 29);
    }
    benchmark::DoNotOptimize(Form->ShowModal());
  }
  Application->SetModalHandler(nullptr);
}
BENCHMARK(BM_HandBuiltDialog)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
