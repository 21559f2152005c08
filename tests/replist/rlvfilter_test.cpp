// Row filters: the three expression forms and their errors, FilterAndSort
// hiding rows behind the shown ones with OnBeforeFilter's verdicts, sorting
// with hidden rows, and the view's exchange methods updating the grid.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "framework/forms/form.h"
#include "framework/rtl/streams.h"
#include "framework/rtl/unicode.h"
#include "replist/replistview.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

struct TMatchCase {
  TFilterMode Mode;
  const char16_t* Expr;
  bool IgnoreCase;
  bool Expected;
};

// Cells searched by every case: two narrow texts and one with a character
// beyond Latin-1.
const std::u16string_view kCells[] = {u"Red apple", u"Green pear", u"3 \u20AC for \u00E9clair"};

TEST(RowFilter, MatchesExpressionsOfEachMode) {
  const TMatchCase Cases[] = {
      {fmSimple, u"apple", false, true},
      {fmSimple, u"APPLE", false, false},
      {fmSimple, u"APPLE", true, true},
      {fmSimple, u"d a", false, true},  // blanks are part of the text
      {fmSimple, u"\u20AC for", false, true},
      {fmSimple, u"\u00C9CLAIR", true, true},  // Latin-1 folds in a wide cell
      {fmSimple, u"plum", false, false},
      {fmSimple, u"", false, true},
      {fmBoolean, u"apple pear", false, true},  // juxtaposed terms: AND, over all cells
      {fmBoolean, u"apple AND plum", false, false},
      {fmBoolean, u"plum or pear", false, true},
      {fmBoolean, u"NOT plum", false, true},
      {fmBoolean, u"!(apple | plum)", false, false},
      {fmBoolean, u"apple & !pear", false, false},
      {fmBoolean, u"plum OR apple AND pear", false, true},  // AND binds tighter
      {fmBoolean, u"(plum OR apple) AND NOT (pear AND plum)", false, true},
      {fmBoolean, u"\"red apple\"", true, true},
      {fmBoolean, u"\"red apple\"", false, false},
      {fmBoolean, u"\"or\"", false, true},  // a quoted keyword is a search word ("for")
      {fmBoolean, u"   ", false, true},
      {fmGrep, u"^Red", false, true},
      {fmGrep, u"^red", false, false},
      {fmGrep, u"^red", true, true},
      {fmGrep, u"p+le$", false, true},
      {fmGrep, u"p+?l{1}?e$", false, true},
      {fmGrep, u"^apple", false, false},
      {fmGrep, u"\u20AC \\w+", false, true},
  };
  for (const TMatchCase& C : Cases) {
    const TRowFilter F(C.Expr, C.Mode, C.IgnoreCase);
    EXPECT_EQ(F.Matches(std::span<const std::u16string_view>(kCells)), C.Expected)
        << "mode " << int(C.Mode) << " expr " << ToUtf8(C.Expr) << " icase " << C.IgnoreCase;
  }
  // Texts longer than a stored cell, from callers without a store.
  const std::u16string Long = std::u16string(1000, u'x') + u"\u20ACnd";
  const std::u16string_view LongCells[] = {Long};
  for (TFilterMode Mode : {fmSimple, fmBoolean, fmGrep})
    EXPECT_TRUE(TRowFilter(u"\u20ACND", Mode, true).Matches(std::span<const std::u16string_view>(LongCells)));
}

struct TErrorCase {
  TFilterMode Mode;
  std::u16string Expr;
  const char16_t* Reason;
  int Position;
};

TEST(RowFilter, MalformedExpressionsTellPositionAndReason) {
  const std::u16string Deep = std::u16string(101, u'(') + u"a" + std::u16string(101, u')');
  const TErrorCase Cases[] = {
      {fmBoolean, u"(apple", u"missing closing parenthesis", 1},
      {fmBoolean, u"a (b (c)", u"missing closing parenthesis", 3},
      {fmBoolean, u"apple)", u"unmatched closing parenthesis", 6},
      {fmBoolean, u"apple AND", u"search term expected", 10},
      {fmBoolean, u"OR apple", u"search term expected", 1},
      {fmBoolean, u"a ()", u"search term expected", 4},
      {fmBoolean, u"a \"b", u"missing closing quote", 3},
      {fmBoolean, Deep, u"nesting too deep", 101},
      {fmGrep, u"x(ab", u"unmatched parenthesis", 2},
      {fmGrep, u"a[b", u"unmatched bracket", 2},
      {fmGrep, u"*a", u"nothing to repeat", 1},
      {fmGrep, u"a|+b", u"nothing to repeat", 3},
      {fmGrep, u"(a)\\12345678901", u"number too large", 5},
      {fmGrep, u"a{1,99999999999}", u"number too large", 5},
      {fmGrep, u"a++", u"nothing to repeat", 3},
      {fmGrep, u"a*??", u"nothing to repeat", 4},
      {fmGrep, u"a{2}*", u"nothing to repeat", 5},
      {fmGrep, u"a{2", u"unmatched brace", 0},
      {fmGrep, Deep, u"nesting too deep", 101},
  };
  for (const TErrorCase& C : Cases) {
    try {
      TRowFilter F(C.Expr, C.Mode, false);
      ADD_FAILURE() << "no error for " << ToUtf8(C.Expr);
    } catch (const EORVFilterError& E) {
      EXPECT_EQ(ToUtf8(E.Reason()), ToUtf8(C.Reason)) << ToUtf8(C.Expr);
      EXPECT_EQ(E.Position(), C.Position) << ToUtf8(C.Expr);
    }
  }
  try {
    TRowFilter F(u"(apple", fmBoolean, false);
  } catch (const EORVRepListError& E) {
    EXPECT_EQ(ToUtf8(E.Message()), "Filter expression: missing closing parenthesis at position 1");
  }
}

// A view of 2 columns and 6 rows: column 1 fruit names, column 2 a check
// column (every mark set) with the row's number.
struct FilterView : ::testing::Test {
  std::unique_ptr<TForm> Form;
  TReportListView* V = nullptr;
  const std::vector<String> Fruit{u"pear", u"apple", u"plum", u"apricot", u"cherry", u"grape"};

  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 320, 240);
    V = new TReportListView(Form.get());
    V->SetParent(Form.get());
    V->SetBounds(0, 0, 300, 200);
    V->SetNrOfColumns(2);
    V->SetNrOfRows(6);
    V->SetColumnCheckMode(2, cmBox);
    for (int r = 1; r <= 6; ++r) {
      V->SetElem(1, r, Fruit[static_cast<size_t>(r - 1)]);
      V->SetElem(2, r, String(1, static_cast<Char>(u'0' + r)));
      V->SetElemChecked(2, r, true);
    }
    Form->Show();
  }
  std::vector<String> Shown() const {
    std::vector<String> Out;
    for (int r = 1; r <= V->NrOfShownRows(); ++r) Out.push_back(V->Elem(1, r));
    return Out;
  }
  void Filter(const String& Expr, std::vector<int> Cols = {}, TFilterMode Mode = fmSimple, int SortCol = 0) {
    V->FilterAndSort(Expr, Cols, false, Mode, SortCol, true);
  }
};

TEST_F(FilterView, HidesRowsThatDoNotMatchAndShowsThemAgain) {
  Filter(u"p", {1}, fmSimple, 1);
  EXPECT_EQ(Shown(), (std::vector<String>{u"apple", u"apricot", u"grape", u"pear", u"plum"}));
  EXPECT_EQ(V->NrOfRows(), 6);
  EXPECT_EQ(V->RowCount(), V->CountHeadRows() + 5);
  EXPECT_EQ(V->Elem(1, 6), u"cherry");  // hidden, still in the store
  EXPECT_EQ(V->LastSortColumn(), 1);

  // The check mark stored in front of column 2's text is not searched.
  Filter(u"X");
  EXPECT_EQ(V->NrOfShownRows(), 0);
  EXPECT_EQ(V->RowCount(), V->CountHeadRows() + 1);
  Filter(u"3", {2});
  EXPECT_EQ(Shown(), (std::vector<String>{u"plum"}));

  // Without a sort column the rows come back in their unsorted order.
  Filter(u"");
  EXPECT_EQ(Shown(), Fruit);
  EXPECT_FALSE(V->RowsHidden());
  EXPECT_EQ(V->RowCount(), V->CountHeadRows() + 6);
}

TEST_F(FilterView, MalformedExpressionChangesNothing) {
  Filter(u"ap", {1});
  EXPECT_THROW(Filter(u"(ap", {1}, fmBoolean), EORVFilterError);
  EXPECT_EQ(Shown(), (std::vector<String>{u"apple", u"apricot", u"grape"}));
}

TEST_F(FilterView, OnBeforeFilterVerdictCombinesByLogicOp) {
  // Own match: rows containing "p" (1, 2, 3, 4, 6). Handler verdict: odd rows.
  struct TOpCase {
    TLogicOp Op;
    std::vector<String> Expected;
  };
  const TOpCase Cases[] = {
      {loAND, {u"pear", u"plum"}},
      {loOR, {u"pear", u"apple", u"plum", u"apricot", u"cherry", u"grape"}},
      {loXOR, {u"apple", u"apricot", u"cherry", u"grape"}},
      {loANDNot, {u"apple", u"apricot", u"grape"}},
      {loORNot, {u"pear", u"apple", u"plum", u"apricot", u"grape"}},
      {loReplace, {u"pear", u"plum", u"cherry"}},
  };
  for (const TOpCase& C : Cases) {
    bool OwnSeen = true;
    V->SetOnBeforeFilter([&](TObject* Sender, int Row, bool& Found, TLogicOp& Op) {
      EXPECT_EQ(Sender, V);
      OwnSeen = OwnSeen && Found == (V->Elem(1, Row).find(u'p') != String::npos);
      // Rows are numbered as they stand before the filter: the unsorted order.
      Found = Row % 2 == 1;
      Op = C.Op;
    });
    Filter(u"p", {1});
    EXPECT_EQ(Shown(), C.Expected) << "op " << int(C.Op);
    EXPECT_TRUE(OwnSeen);
  }
}

TEST_F(FilterView, SortingAndRowChangesKeepHiddenRowsBehind) {
  Filter(u"ap", {1});
  V->Sort(1, -1, false);
  EXPECT_EQ(Shown(), (std::vector<String>{u"grape", u"apricot", u"apple"}));
  V->UnSort();
  EXPECT_EQ(Shown(), (std::vector<String>{u"apple", u"apricot", u"grape"}));

  V->RemoveRow(1);
  EXPECT_EQ(Shown(), (std::vector<String>{u"apricot", u"grape"}));
  V->InsertRow(1);
  EXPECT_EQ(V->NrOfShownRows(), 3);
  EXPECT_EQ(V->RowCount(), V->CountHeadRows() + 3);

  V->AddRow();
  EXPECT_FALSE(V->RowsHidden());
  EXPECT_EQ(V->RowCount(), V->CountHeadRows() + 7);
}

TEST_F(FilterView, SortEnabledStatePutsDisabledRowsAfterEnabled) {
  V->SetRowEnabled(2, false);  // apple
  V->SetRowEnabled(5, false);  // cherry
  V->SortEnabledState(1, 2, true);
  EXPECT_EQ(Shown(), (std::vector<String>{u"apricot", u"grape", u"pear", u"plum", u"apple", u"cherry"}));
  V->SortEnabledState(1, 2, false);
  EXPECT_EQ(Shown(), (std::vector<String>{u"plum", u"pear", u"grape", u"apricot", u"cherry", u"apple"}));
  Filter(u"r", {1});  // pear, apricot, cherry, grape
  V->SortEnabledState(1, 2, true);
  EXPECT_EQ(Shown(), (std::vector<String>{u"apricot", u"grape", u"pear", u"cherry"}));
}

String TempPath(const std::string& Name) {
  return FromUtf8((fs::temp_directory_path() / ("orv_rlvx_" + std::to_string(::getpid()) + "_" + Name)).string());
}

TEST_F(FilterView, ExchangeReadsUpdateTheGrid) {
  V->SetHeader(1, u"Fruit");
  TStringStream Xml;
  V->WriteToXMLStream(&Xml, true, u"fruit");

  auto* W = new TReportListView(Form.get());
  W->SetParent(Form.get());
  W->SetBounds(0, 0, 300, 200);
  Xml.SetPosition(0);
  EXPECT_FALSE(W->ReadFromXMLStream(&Xml, u"other"));
  EXPECT_EQ(W->NrOfRows(), 4);
  Xml.SetPosition(0);
  ASSERT_TRUE(W->ReadFromXMLStream(&Xml, u"FRUIT"));
  EXPECT_EQ(W->NrOfColumns(), 2);
  EXPECT_EQ(W->ColCount(), 2);
  EXPECT_EQ(W->RowCount(), W->CountHeadRows() + 6);
  EXPECT_EQ(W->Header(1), u"Fruit");
  EXPECT_TRUE(W->ElemChecked(2, 6));

  // A read ends a filter; CSV through a file, then lines appended below.
  W->FilterAndSort(u"apple", {}, false, fmSimple, 0, true);
  const String Csv = TempPath("fruit.csv");
  EXPECT_EQ(V->ExportCSV(Csv, csvSemicolon, true, false, 1, 1, 1, 3), 3);
  EXPECT_EQ(W->ImportCSV(Csv, csvSemicolon, true), 3);
  EXPECT_FALSE(W->RowsHidden());
  EXPECT_EQ(W->NrOfColumns(), 1);
  EXPECT_EQ(W->ColCount(), 1);
  EXPECT_EQ(W->RowCount(), W->CountHeadRows() + 3);
  EXPECT_EQ(W->Elem(1, 3), u"plum");

  const String Lines = TempPath("lines.txt");
  std::ofstream(ToUtf8(Lines)) << "fig\nlime\n";
  EXPECT_EQ(W->LoadLinesFromFile(1, 4, Lines), 2);
  EXPECT_EQ(W->RowCount(), W->CountHeadRows() + 5);
  EXPECT_EQ(W->Elem(1, 5), u"lime");
  fs::remove(ToUtf8(Csv));
  fs::remove(ToUtf8(Lines));
}

TEST_F(FilterView, HTMLExportAsksTheViewsHandler) {
  std::vector<TObject*> Senders;
  V->SetOnBeforeHTMLExport([&](TObject* Sender, String& Text, int Col, int Row) {
    Senders.push_back(Sender);
    if (Col == 1 && Row == 2) Text = u"<b>";
  });
  const String Html = TempPath("fruit.html");
  V->ExportHTMLTable(Html, 1, 1, 1, 2, {}, 0, 0, 0, false, u"", u"", u"");
  EXPECT_EQ(Senders, (std::vector<TObject*>{V, V}));
  std::ifstream In(ToUtf8(Html));
  const std::string Text((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
  EXPECT_NE(Text.find("&lt;b&gt;"), std::string::npos);
  fs::remove(ToUtf8(Html));
}

}  // namespace
}  // namespace orv
