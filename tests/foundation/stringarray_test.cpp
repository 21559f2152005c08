#include "foundation/stringarray.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/rtl/sysutils.h"

namespace orv {
namespace {

// Column Col of the shown rows, top to bottom.
std::vector<String> ColumnTexts(const TStringArray& A, int Col) {
  std::vector<String> R;
  for (int Row = 1; Row <= A.NrOfRows(); ++Row) R.push_back(A.Elem(Col, Row));
  return R;
}

void FillColumn(TStringArray& A, int Col, const std::vector<String>& Texts) {
  for (size_t I = 0; I < Texts.size(); ++I) A.SetElem(Col, static_cast<int>(I) + 1, Texts[I]);
}

TEST(StringArrayCells, SizeAndOutOfRangeAccess) {
  TStringArray A(3, 2);
  EXPECT_EQ(A.NrOfColumns(), 3);
  EXPECT_EQ(A.NrOfRows(), 2);
  A.SetElem(0, 1, u"zero");
  A.SetElem(3, 2, u"last");
  EXPECT_EQ(A.Elem(0, 1), u"zero");
  EXPECT_EQ(A.Elem(3, 2), u"last");
  EXPECT_EQ(A.Elem(1, 1), u"");
  for (auto [Col, Row] : {std::pair{-1, 1}, {4, 1}, {1, 0}, {1, 3}, {0, -7}}) {
    A.SetElem(Col, Row, u"ignored");
    EXPECT_EQ(A.Elem(Col, Row), u"") << Col << "," << Row;
    EXPECT_EQ(A.ElemLength(Col, Row), 0);
  }
  EXPECT_EQ(A.RowAttrib(0), 0);
  EXPECT_EQ(A.RowAttrib(3), 0);
  EXPECT_EQ(A.ColAttrib(-1), 0);
  EXPECT_EQ(A.ColAttrib(4), 0);
  A.SetRowAttrib(3, 0x80);
  A.SetColAttrib(4, 0x80);
  EXPECT_EQ(A.RowAttrib(3), 0);
  EXPECT_EQ(A.ColAttrib(4), 0);

  TStringArray Negative(-3, -2);
  EXPECT_EQ(Negative.NrOfColumns(), 0);
  EXPECT_EQ(Negative.NrOfRows(), 0);
  EXPECT_EQ(Negative.Elem(0, 1), u"");
}

TEST(StringArrayCells, UnicodeTextRoundTrips) {
  TStringArray A(4, 1);
  const String Latin1 = u"Gr\u00FC\u00DFe \u00E9t\u00E9 \u00FF";
  const String Greek = u"\u0391\u03B2\u03B3 \u03C9";
  const String Emoji = u"ok \U0001F600!";
  const String Controls = String(u"a\0b\tc", 5);
  A.SetElem(1, 1, Latin1);
  A.SetElem(2, 1, Greek);
  A.SetElem(3, 1, Emoji);
  A.SetElem(4, 1, Controls);
  EXPECT_EQ(A.Elem(1, 1), Latin1);
  EXPECT_EQ(A.Elem(2, 1), Greek);
  EXPECT_EQ(A.Elem(3, 1), Emoji);
  EXPECT_EQ(A.Elem(4, 1), Controls);
  // Switching a cell between one- and two-byte storage keeps the neighbours.
  A.SetElem(2, 1, u"plain");
  A.SetElem(1, 1, Greek + Greek);
  EXPECT_EQ(A.Elem(1, 1), Greek + Greek);
  EXPECT_EQ(A.Elem(2, 1), u"plain");
  EXPECT_EQ(A.Elem(3, 1), Emoji);
}

TEST(StringArrayCells, LongTextIsCutWithoutSplittingSurrogatePairs) {
  TStringArray A(2, 1);
  A.SetElem(1, 1, String(300, u'x'));
  EXPECT_EQ(A.Elem(1, 1), String(255, u'x'));
  EXPECT_EQ(A.ElemLength(1, 1), 255);
  A.SetElem(2, 1, String(255, u'y'));
  EXPECT_EQ(A.ElemLength(2, 1), 255);

  // An emoji whose high half is unit 255 would be torn apart by a plain cut.
  const String Pair = u"\U0001F600";
  A.SetElem(1, 1, String(254, u'a') + Pair + u"tail");
  EXPECT_EQ(A.Elem(1, 1), String(254, u'a'));
  // Ending exactly at the limit, the pair fits and is kept.
  A.SetElem(1, 1, String(253, u'a') + Pair + u"tail");
  EXPECT_EQ(A.Elem(1, 1), String(253, u'a') + Pair);
}

TEST(StringArrayCells, OverwritingDoesNotGrowMemoryWithoutBound) {
  TStringArray A(5, 20);
  for (int Row = 1; Row <= 20; ++Row)
    for (int Col = 0; Col <= 5; ++Col) A.SetElem(Col, Row, u"initial");
  const size_t Before = A.MemoryUsed();
  for (int Round = 0; Round < 2000; ++Round) {
    const int Row = Round % 20 + 1;
    const int Col = Round % 6;
    // Alternate lengths and widths so that both in-place and appended writes happen.
    String Text(Round % 3 == 0 ? 40 + Round % 50 : 1 + Round % 7, Round % 3 == 0 ? u'q' : u'\u03A9');
    A.SetElem(Col, Row, Text);
    ASSERT_EQ(A.Elem(Col, Row), Text);
  }
  EXPECT_LT(A.MemoryUsed(), Before * 8);
  for (int Row = 1; Row <= 20; ++Row)
    for (int Col = 0; Col <= 5; ++Col) A.SetElem(Col, Row, u"");
  // Rows without any text give their storage back.
  EXPECT_LT(A.MemoryUsed(), Before / 2);
}

TEST(StringArrayResize, KeepsContentAndDropsWhatFallsOutside) {
  TStringArray A(2, 2);
  A.SetElem(0, 1, u"r1c0");
  A.SetElem(2, 2, u"r2c2");
  A.SetColAttrib(2, 7);
  A.SetRowAttrib(2, 0x40);
  A.Resize(5, 1000);
  EXPECT_EQ(A.NrOfColumns(), 5);
  EXPECT_EQ(A.NrOfRows(), 1000);
  EXPECT_EQ(A.Elem(0, 1), u"r1c0");
  EXPECT_EQ(A.Elem(2, 2), u"r2c2");
  EXPECT_EQ(A.ColAttrib(2), 7);
  EXPECT_EQ(A.RowAttrib(2), 0x40);
  A.SetElem(5, 1000, u"far");
  EXPECT_EQ(A.Elem(5, 1000), u"far");

  // Shrinking and growing again must not bring back the dropped cells.
  A.Resize(1, 1);
  A.Resize(5, 1000);
  EXPECT_EQ(A.Elem(0, 1), u"r1c0");
  EXPECT_EQ(A.Elem(2, 2), u"");
  EXPECT_EQ(A.Elem(5, 1000), u"");
  EXPECT_EQ(A.ColAttrib(2), 0);
  EXPECT_EQ(A.RowAttrib(2), 0);

  A.Resize(-1, -1);
  EXPECT_EQ(A.NrOfColumns(), 0);
  EXPECT_EQ(A.NrOfRows(), 0);
}

TEST(StringArrayResize, ClearEmptiesCellsButKeepsSizeAndAttributes) {
  TStringArray A(2, 3);
  FillColumn(A, 1, {u"a", u"b", u"c"});
  A.SetRowAttrib(3, 0x80);
  A.Clear();
  EXPECT_EQ(A.NrOfColumns(), 2);
  EXPECT_EQ(A.NrOfRows(), 3);
  EXPECT_EQ(ColumnTexts(A, 1), (std::vector<String>{u"", u"", u""}));
  EXPECT_EQ(A.RowAttrib(3), 0x80);
  A.SetElem(1, 2, u"again");
  EXPECT_EQ(A.Elem(1, 2), u"again");
}

TEST(StringArrayResize, GranularityIsAtLeastOne) {
  TStringArray A;
  EXPECT_EQ(A.AllocGranularity(), 10);
  A.SetAllocGranularity(0);
  EXPECT_EQ(A.AllocGranularity(), 1);
  A.SetAllocGranularity(64);
  A.Resize(1, 65);
  EXPECT_EQ(A.NrOfRows(), 65);
}

TEST(StringArrayStructure, InsertAndRemoveRowsAndColumns) {
  TStringArray A(2, 3);
  FillColumn(A, 1, {u"a", u"b", u"c"});
  FillColumn(A, 2, {u"A", u"B", u"C"});
  A.SetRowAttrib(2, 0x80);
  A.InsertRow(2);
  EXPECT_EQ(ColumnTexts(A, 1), (std::vector<String>{u"a", u"", u"b", u"c"}));
  EXPECT_EQ(A.RowAttrib(3), 0x80);
  EXPECT_EQ(A.RowAttrib(2), 0);
  A.InsertRow(99);  // past the end appends
  EXPECT_EQ(A.NrOfRows(), 5);
  A.InsertRow(0);  // ignored
  EXPECT_EQ(A.NrOfRows(), 5);
  A.RemoveRow(1);
  A.RemoveRow(6);  // ignored
  EXPECT_EQ(ColumnTexts(A, 1), (std::vector<String>{u"", u"b", u"c", u""}));
  EXPECT_EQ(ColumnTexts(A, 2), (std::vector<String>{u"", u"B", u"C", u""}));
  EXPECT_EQ(A.RowAttrib(2), 0x80);

  A.SetColAttrib(2, 5);
  A.InsertColumn(1);
  EXPECT_EQ(A.NrOfColumns(), 3);
  EXPECT_EQ(A.Elem(1, 2), u"");
  EXPECT_EQ(A.Elem(2, 2), u"b");
  EXPECT_EQ(A.Elem(3, 2), u"B");
  EXPECT_EQ(A.ColAttrib(3), 5);
  A.InsertColumn(4);  // appends an empty column
  EXPECT_EQ(A.NrOfColumns(), 4);
  A.SetElem(4, 2, u"new");
  A.RemoveColumn(2);
  EXPECT_EQ(A.NrOfColumns(), 3);
  EXPECT_EQ(A.Elem(2, 2), u"B");
  EXPECT_EQ(A.Elem(3, 2), u"new");
  EXPECT_EQ(A.ColAttrib(2), 5);
  // Columns cannot go below column 0 alone.
  A.RemoveColumn(0);
  A.RemoveColumn(0);
  A.RemoveColumn(0);
  EXPECT_EQ(A.NrOfColumns(), 0);
  A.RemoveColumn(0);
  EXPECT_EQ(A.NrOfColumns(), 0);
  EXPECT_EQ(A.Elem(0, 2), u"new");
}

TEST(StringArraySort, NumbersBeforeTextsAndEmptiesFirst) {
  TStringArray A(1, 9);
  FillColumn(A, 1, {u"banana", u"10", u"", u" 9,5 ", u"Apple", u"-2e1", u"1.2.3", u"+.5", u"apple"});
  A.Sort(1, -1, true);
  // Numbers compare by value ("10" after "9,5"), texts ignore letter case and
  // keep their order on ties ("Apple" before "apple"); "1.2.3" is no number.
  EXPECT_EQ(ColumnTexts(A, 1), (std::vector<String>{u"", u"-2e1", u"+.5", u" 9,5 ", u"10", u"1.2.3", u"Apple",
                                                     u"apple", u"banana"}));
  A.Sort(1, -1, false);
  EXPECT_EQ(ColumnTexts(A, 1), (std::vector<String>{u"banana", u"Apple", u"apple", u"1.2.3", u"10", u" 9,5 ",
                                                     u"+.5", u"-2e1", u""}));
}

TEST(StringArraySort, NumberEdgeCases) {
  TStringArray A(1, 7);
  FillColumn(A, 1, {u"1e999", u"-0", u"0", u"-1e999", u"1e-999", u"5.", u"e5"});
  A.Sort(1, -1, true);
  // Overflow sorts as infinity, underflow as zero; -0 ties with 0 and keeps its place.
  EXPECT_EQ(ColumnTexts(A, 1),
            (std::vector<String>{u"-1e999", u"-0", u"0", u"1e-999", u"5.", u"1e999", u"e5"}));
}

TEST(StringArraySort, LongTextsSharingAPrefixAndWideCharacters) {
  TStringArray A(1, 6);
  FillColumn(A, 1, {u"abcdefghZ", u"ABCDEFGHa", u"abcdefgh", u"\u03B2eta", u"\u03B1lpha", u"ABCDEFGH"});
  A.Sort(1, -1, true);
  EXPECT_EQ(ColumnTexts(A, 1), (std::vector<String>{u"abcdefgh", u"ABCDEFGH", u"ABCDEFGHa", u"abcdefghZ",
                                                     u"\u03B1lpha", u"\u03B2eta"}));
}

TEST(StringArraySort, StableWithSecondaryColumnAndAttributesFollow) {
  TStringArray A(3, 6);
  FillColumn(A, 1, {u"b", u"a", u"b", u"a", u"b", u"a"});
  FillColumn(A, 2, {u"2", u"1", u"1", u"2", u"1", u"1"});
  FillColumn(A, 3, {u"r1", u"r2", u"r3", u"r4", u"r5", u"r6"});
  for (int Row = 1; Row <= 6; ++Row) A.SetRowAttrib(Row, static_cast<uint8_t>(Row));

  A.Sort(1, -1, true);
  EXPECT_EQ(ColumnTexts(A, 3), (std::vector<String>{u"r2", u"r4", u"r6", u"r1", u"r3", u"r5"}));
  A.UnSort();
  A.Sort(1, 2, true);
  EXPECT_EQ(ColumnTexts(A, 3), (std::vector<String>{u"r2", u"r6", u"r4", u"r3", u"r5", u"r1"}));
  for (int Row = 1; Row <= 6; ++Row) EXPECT_EQ(A.RowAttrib(Row), A.Elem(3, Row)[1] - u'0');
  A.Sort(1, 2, false);  // descending keeps ties in their current order
  EXPECT_EQ(ColumnTexts(A, 3), (std::vector<String>{u"r1", u"r3", u"r5", u"r4", u"r2", u"r6"}));
  A.Sort(1, 99, true);  // secondary out of range: primary only, stable
  EXPECT_EQ(ColumnTexts(A, 3), (std::vector<String>{u"r4", u"r2", u"r6", u"r1", u"r3", u"r5"}));
  A.Sort(7, -1, true);  // primary out of range: nothing happens
  EXPECT_EQ(ColumnTexts(A, 3), (std::vector<String>{u"r4", u"r2", u"r6", u"r1", u"r3", u"r5"}));
}

TEST(StringArrayOrder, UnSortCommitAndUnsortedPositions) {
  TStringArray A(1, 4);
  FillColumn(A, 1, {u"d", u"b", u"c", u"a"});
  EXPECT_FALSE(A.Sorted());
  A.Sort(1, -1, true);
  EXPECT_TRUE(A.Sorted());
  EXPECT_EQ(ColumnTexts(A, 1), (std::vector<String>{u"a", u"b", u"c", u"d"}));
  EXPECT_EQ(A.UnsortedPosition(1), 4);
  EXPECT_EQ(A.UnsortedPosition(4), 1);
  EXPECT_EQ(A.UnsortedPosition(5), 0);

  // Writing to a shown row reaches the row that is shown there.
  A.SetElem(1, 1, u"a2");
  A.UnSort();
  EXPECT_EQ(ColumnTexts(A, 1), (std::vector<String>{u"d", u"b", u"c", u"a2"}));

  A.Sort(1, -1, false);
  A.CommitSorting();
  EXPECT_FALSE(A.Sorted());
  A.UnSort();
  EXPECT_EQ(ColumnTexts(A, 1), (std::vector<String>{u"d", u"c", u"b", u"a2"}));
  for (int Row = 1; Row <= 4; ++Row) EXPECT_EQ(A.UnsortedPosition(Row), Row);
}

TEST(StringArrayOrder, InsertAndRemoveWhileSorted) {
  TStringArray A(1, 4);
  FillColumn(A, 1, {u"d", u"b", u"c", u"a"});
  A.Sort(1, -1, true);  // shows a b c d
  A.InsertRow(2);       // before "b", which is unsorted row 2
  A.SetElem(1, 2, u"new");
  A.RemoveRow(4);  // "c"
  EXPECT_EQ(ColumnTexts(A, 1), (std::vector<String>{u"a", u"new", u"b", u"d"}));
  A.InsertRow(5);  // appended: last in both orders
  A.SetElem(1, 5, u"end");
  A.UnSort();
  EXPECT_EQ(ColumnTexts(A, 1), (std::vector<String>{u"d", u"new", u"b", u"a", u"end"}));
}

TEST(StringArrayOrder, ResizeWhileSortedCutsShownRows) {
  TStringArray A(1, 5);
  FillColumn(A, 1, {u"e", u"a", u"d", u"b", u"c"});
  A.Sort(1, -1, true);
  A.Resize(1, 3);  // keeps a b c
  EXPECT_EQ(ColumnTexts(A, 1), (std::vector<String>{u"a", u"b", u"c"}));
  A.Resize(1, 4);
  A.SetElem(1, 4, u"z");
  A.UnSort();
  EXPECT_EQ(ColumnTexts(A, 1), (std::vector<String>{u"a", u"b", u"c", u"z"}));
}

TEST(StringArrayOrder, UnsortedPositionsReproduceAnotherArraysOrder) {
  TStringArray Source(2, 5);
  FillColumn(Source, 1, {u"3", u"1", u"5", u"2", u"4"});
  FillColumn(Source, 2, {u"c", u"a", u"e", u"b", u"d"});
  Source.Sort(1, -1, false);

  // Copy the rows into their unsorted places, then take over the positions.
  TStringArray Target(2, 5);
  for (int Row = 1; Row <= 5; ++Row)
    for (int Col = 0; Col <= 2; ++Col) Target.SetElem(Col, Source.UnsortedPosition(Row), Source.Elem(Col, Row));
  for (int Row = 1; Row <= 5; ++Row) Target.SetUnsortedPosition(Row, Source.UnsortedPosition(Row));
  EXPECT_EQ(ColumnTexts(Target, 2), ColumnTexts(Source, 2));
  Target.UnSort();
  Source.UnSort();
  EXPECT_EQ(ColumnTexts(Target, 2), ColumnTexts(Source, 2));

  // Ill-formed requests leave the order a permutation.
  Target.SetUnsortedPosition(1, 9);
  Target.SetUnsortedPosition(1, 3);
  Target.SetUnsortedPosition(2, 3);
  std::vector<int> Seen;
  for (int Row = 1; Row <= 5; ++Row) Seen.push_back(Target.UnsortedPosition(Row));
  std::sort(Seen.begin(), Seen.end());
  EXPECT_EQ(Seen, (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST(StringArrayEvents, ChangeNotificationsFireAndCanBeSuppressed) {
  TStringArray A(2, 3);
  int Changes = 0;
  A.SetOnChange([&](TObject* Sender) {
    EXPECT_EQ(Sender, &A);
    ++Changes;
  });
  A.SetElem(1, 1, u"x");
  A.SetRowAttrib(1, 1);
  A.SetColAttrib(1, 1);
  A.InsertRow(1);
  A.RemoveRow(1);
  EXPECT_EQ(Changes, 5);
  A.SetElem(1, 9, u"outside");
  EXPECT_EQ(Changes, 5);

  A.SetNotifyChanges(false);
  A.SetElem(1, 1, u"y");
  A.Sort(1, -1, true);
  A.SetNotifyChanges(true);
  EXPECT_EQ(Changes, 5);

  A.BeginUpdate();
  A.BeginUpdate();
  A.SetElem(1, 1, u"z");
  A.SetElem(1, 2, u"w");
  A.EndUpdate();
  EXPECT_EQ(Changes, 5);
  A.EndUpdate();
  EXPECT_EQ(Changes, 6);
  A.BeginUpdate();
  A.EndUpdate();  // nothing changed in between
  EXPECT_EQ(Changes, 6);
}

TEST(StringArrayEvents, ProgressOnLargeSort) {
  TStringArray A(1, 50000);
  for (int Row = 1; Row <= 50000; ++Row) A.SetElem(1, Row, IntToStr((Row * 7919) % 50000));
  std::vector<int> Reports;
  A.SetOnPercentDone([&](TObject*, int Percent) { Reports.push_back(Percent); });
  A.Sort(1, -1, true);
  ASSERT_GE(Reports.size(), 2u);
  EXPECT_EQ(Reports.front(), 0);
  EXPECT_EQ(Reports.back(), 100);
  EXPECT_TRUE(std::is_sorted(Reports.begin(), Reports.end()));
  EXPECT_EQ(A.Elem(1, 1), u"0");
  EXPECT_EQ(A.Elem(1, 50000), u"49999");
}

TEST(StringArrayEvents, BeforeSortExchangeSeesEachSwapAndMayChangeText) {
  TStringArray A(2, 4);
  FillColumn(A, 1, {u"c", u"a", u"d", u"b"});
  FillColumn(A, 2, {u"3", u"1", u"4", u"2"});
  std::vector<std::pair<String, String>> Swaps;
  A.SetOnBeforeSortExchange([&](TObject* Sender, int Kind, int Ix1, int Ix2, const String& Text1, String& Text2) {
    EXPECT_EQ(Sender, &A);
    EXPECT_EQ(Kind, 0);
    EXPECT_LT(Ix1, Ix2);
    EXPECT_EQ(A.Elem(1, Ix1), Text1);
    EXPECT_EQ(A.Elem(1, Ix2), Text2);
    Swaps.emplace_back(Text1, Text2);
    Text2 += u"*";  // marks the row that moves up
  });
  A.Sort(1, -1, true);
  // The exchanges replay the stable order: every row ends up where a direct sort puts it.
  EXPECT_EQ(ColumnTexts(A, 2), (std::vector<String>{u"1", u"2", u"3", u"4"}));
  ASSERT_FALSE(Swaps.empty());
  EXPECT_LE(Swaps.size(), 3u);
  EXPECT_EQ(Swaps.front().first, u"c");
  EXPECT_EQ(Swaps.front().second, u"a");
  EXPECT_EQ(A.Elem(1, 1), u"a*");
}

TEST(StringArrayEvents, ThrowingExchangeHandlerLosesNoRowsAndKeepsNotifying) {
  TStringArray A(1, 5);
  FillColumn(A, 1, {u"e", u"d", u"c", u"b", u"a"});
  int Calls = 0, Changes = 0;
  A.SetOnChange([&](TObject*) { ++Changes; });
  A.SetOnBeforeSortExchange([&](TObject*, int, int, int, const String&, String&) {
    if (++Calls == 2) throw EORVError(u"stop");
  });
  EXPECT_THROW(A.Sort(1, -1, true), EORVError);
  std::vector<String> Texts = ColumnTexts(A, 1);
  std::sort(Texts.begin(), Texts.end());
  EXPECT_EQ(Texts, (std::vector<String>{u"a", u"b", u"c", u"d", u"e"}));
  const int Before = Changes;
  A.SetElem(1, 1, u"x");
  EXPECT_EQ(Changes, Before + 1);
}

}  // namespace
}  // namespace orv
