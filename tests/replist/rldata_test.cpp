// The report data store: sizes and names, check columns and radio logic,
// numbers, defaults, lookup, removal, clipboard text, Assign and sorting.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "framework/rtl/clipboard.h"
#include "framework/rtl/sysutils.h"
#include "replist/rldata.h"

namespace orv {
namespace {

// A store of Cols x Rows with cell (c, r) = "<c>.<r>".
std::unique_ptr<TRLData> Numbered(int Cols, int Rows) {
  auto D = std::make_unique<TRLData>(nullptr);
  D->SetNrOfColumns(Cols);
  D->SetNrOfRows(Rows);
  for (int C = 0; C <= Cols; ++C)
    for (int R = 1; R <= Rows; ++R) D->SetElem(C, R, IntToStr(C) + u"." + IntToStr(R));
  return D;
}

TEST(RLDataSize, NewStoreAndClampedCounts) {
  TRLData D(nullptr);
  EXPECT_EQ(D.NrOfColumns(), 1);
  EXPECT_EQ(D.NrOfRows(), 0);
  EXPECT_EQ(D.Header(1), u"C-1");
  EXPECT_EQ(D.CommonHeader(), u"ORV Report Listview");
  EXPECT_EQ(D.LastSortColumn(), -1);
  EXPECT_TRUE(D.LastSortOrder());
  EXPECT_EQ(D.FeedbkNumCells(), 1);
  EXPECT_EQ(D.FeedbkStep(), 1);
  D.SetNrOfColumns(0);
  EXPECT_EQ(D.NrOfColumns(), 1);
  D.SetNrOfColumns(-5);
  EXPECT_EQ(D.NrOfColumns(), 1);
  D.SetNrOfRows(-1);
  EXPECT_EQ(D.NrOfRows(), 0);
}

TEST(RLDataSize, GrowingNamesNewColumnsAndKeepsOldMetadata) {
  TRLData D(nullptr);
  D.SetNrOfColumns(2);
  D.SetHeader(1, u"Name");
  D.SetColumnFormat(2, u"[i][60]");
  D.SetNrOfColumns(4);
  EXPECT_EQ(D.Header(1), u"Name");
  EXPECT_EQ(D.Header(2), u"C-2");
  EXPECT_EQ(D.ColumnFormat(2), u"[i][60]");
  EXPECT_EQ(D.Header(3), u"C-3");
  EXPECT_EQ(D.Header(4), u"C-4");
  EXPECT_EQ(D.ColumnFormat(4), u"");
  // Progress granularity: rows (at least 1) times columns + 1.
  D.SetNrOfRows(1000);
  EXPECT_EQ(D.FeedbkNumCells(), 5000);
  EXPECT_EQ(D.FeedbkStep(), 51);
}

TEST(RLDataSize, ShrinkingToZeroRowsForgetsTheLastRow) {
  auto D = Numbered(2, 3);
  D->Strings()->SetRowAttrib(1, 0x80);
  D->SetNrOfRows(0);
  D->SetNrOfRows(1);
  EXPECT_EQ(D->Elem(1, 1), u"");
  EXPECT_EQ(D->Elem(0, 1), u"");
  EXPECT_EQ(D->Strings()->RowAttrib(1), 0);
}

TEST(RLDataCells, OutOfRangeAccessIsHarmlessAndLongTextIsCut) {
  auto D = Numbered(2, 2);
  EXPECT_EQ(D->Elem(3, 1), u"");
  EXPECT_EQ(D->Elem(1, 0), u"");
  EXPECT_EQ(D->Elem(-1, 1), u"");
  D->SetElem(3, 1, u"x");
  D->SetElem(1, 3, u"x");
  EXPECT_EQ(D->NrOfRows(), 2);
  EXPECT_FALSE(D->ElemChecked(5, 5));
  D->SetElem(1, 1, String(300, u'a'));
  EXPECT_EQ(D->Elem(1, 1).size(), 255u);
  D->SetIsCheckedColumn(2, true);
  D->SetElem(2, 1, String(300, u'b'));
  EXPECT_EQ(D->Elem(2, 1).size(), 254u);  // the mark counts towards 255
  EXPECT_EQ(D->Header(0), u"");
  D->SetHeader(1, String(60, u'n'));
  EXPECT_EQ(D->Header(1).size(), 50u);
  D->SetColumnFormat(1, String(90, u'f'));
  EXPECT_EQ(D->ColumnFormat(1).size(), 80u);
}

TEST(RLDataCheck, MarkIsKeptInTheStoredTextAndDroppedWithTheMode) {
  TRLData D(nullptr);
  D.SetNrOfRows(2);
  D.SetElem(1, 1, u"a");
  D.SetColumnCheckMode(1, cmBox);
  EXPECT_EQ(D.Strings()->Elem(1, 1), u" a");
  EXPECT_EQ(D.Strings()->Elem(1, 2), u"");  // empty cells get no prefix
  EXPECT_EQ(D.Elem(1, 1), u"a");
  D.SetElemChecked(1, 1, true);
  D.SetElem(1, 1, u"abc");
  EXPECT_EQ(D.Elem(1, 1), u"abc");
  EXPECT_TRUE(D.ElemChecked(1, 1));
  D.SetElemChecked(1, 2, true);
  EXPECT_EQ(D.Strings()->Elem(1, 2), u"X");
  EXPECT_EQ(D.Elem(1, 2), u"");
  D.SetColumnCheckMode(1, cmNone);
  EXPECT_EQ(D.Elem(1, 1), u"abc");
  EXPECT_EQ(D.Strings()->Elem(1, 1), u"abc");
  EXPECT_FALSE(D.ElemChecked(1, 1));
  // Any non-blank first character counts as checked.
  D.SetColumnCheckMode(1, cmBox);
  D.Strings()->SetElem(1, 1, u"*z");
  EXPECT_TRUE(D.ElemChecked(1, 1));
  EXPECT_TRUE(D.IsCheckedColumn(1));
  D.SetColumnCheckMode(1, cmRadio);
  EXPECT_FALSE(D.IsCheckedColumn(1));
  EXPECT_FALSE(D.ElemChecked(1, 1));  // box to radio clears the marks
  D.SetElemChecked(1, 2, true);
  D.SetIsCheckedColumn(1, false);
  EXPECT_EQ(D.ColumnCheckMode(1), cmNone);
}

TEST(RLDataCheck, ModeChangeRaisesNoPerCellNotifications) {
  auto D = Numbered(1, 50);
  int Changes = 0;
  D->Strings()->SetOnChange([&](TObject*) { ++Changes; });
  D->SetColumnCheckMode(1, cmBox);
  EXPECT_EQ(Changes, 0);
  D->SetAllCheckmarksOfCol(1, true);
  EXPECT_EQ(Changes, 1);  // a bulk change reports once
}

TEST(RLDataCheck, RadioColumnKeepsAtMostOneMark) {
  auto D = Numbered(2, 5);
  D->SetColumnCheckMode(2, cmRadio);
  D->SetElemChecked(2, 1, true);
  D->SetElemChecked(2, 3, true);
  EXPECT_EQ(D->CountCheckedElemsInCol(2), 1);
  EXPECT_EQ(D->FirstCheckedElemInCol(2), 3);
  D->SetAllCheckmarksOfCol(2, true);  // not for radio columns
  EXPECT_EQ(D->CountCheckedElemsInCol(2), 1);
  D->SetElemChecked(2, 3, false);  // clears the whole column
  EXPECT_EQ(D->CountCheckedElemsInCol(2), 0);
  D->SetElemChecked(2, 4, true);
  D->SetAllCheckmarksOfCol(2, false);
  EXPECT_EQ(D->FirstCheckedElemInCol(2), 0);
  EXPECT_EQ(D->Elem(2, 4), u"2.4");
}

TEST(RLDataCheck, QueriesAndBulkOperations) {
  auto D = Numbered(4, 4);
  D->SetColumnCheckMode(2, cmBox);
  D->SetColumnCheckMode(4, cmBox);
  D->SetElemChecked(4, 2, true);
  D->SetElemChecked(2, 3, true);
  D->SetElemChecked(4, 3, true);
  EXPECT_EQ(D->FirstCheckedElemInRow(3), 2);
  EXPECT_EQ(D->FirstCheckedElemInRow(2), 4);
  EXPECT_EQ(D->FirstCheckedElemInRow(1), 0);
  EXPECT_EQ(D->FirstCheckedElemInRow(9), 0);
  EXPECT_EQ(D->CountCheckedElemsInRow(3), 2);
  EXPECT_EQ(D->CountCheckedElemsInCol(4), 2);
  EXPECT_EQ(D->CountCheckedElemsInCol(1), 0);
  EXPECT_EQ(D->CountCheckedElemsInCol(7), 0);
  EXPECT_EQ(D->FirstCheckedElemInCol(1), 0);
  // Invert: empty cell -> "X", "X" -> blank, other first characters -> "X".
  D->Strings()->SetElem(4, 1, u"");
  D->Strings()->SetElem(4, 4, u"?q");
  D->InvertAllCheckmarksOfCol(4);
  EXPECT_EQ(D->Strings()->Elem(4, 1), u"X");
  EXPECT_EQ(D->Strings()->Elem(4, 2), u" 4.2");
  EXPECT_EQ(D->Strings()->Elem(4, 4), u"Xq");
  D->InvertAllCheckmarksOfCol(1);  // no check mode: unchanged
  EXPECT_EQ(D->Strings()->Elem(1, 1), u"1.1");
  // Disabled rows are skipped when only enabled rows are affected.
  D->Strings()->SetRowAttrib(2, RowAttrDisabled);
  D->SetColumnCheckmarks(2, true, true);
  EXPECT_EQ(D->CountCheckedElemsInCol(2), 3);
  EXPECT_FALSE(D->ElemChecked(2, 2));
  D->SetAllCheckmarksOfCol(2, false);
  EXPECT_EQ(D->CountCheckedElemsInCol(2), 0);
}

TEST(RLDataNumbers, AsNumberTrimsBlanksReadsCommasAndNamesBadCells) {
  TRLData D(nullptr);
  D.SetNrOfColumns(2);
  D.SetNrOfRows(7);
  D.SetElem(1, 1, u" 3,5 ");
  EXPECT_DOUBLE_EQ(D.AsNumber(1, 1), 3.5);
  EXPECT_DOUBLE_EQ(D.AsNumber(1, 2), 0.0);
  EXPECT_DOUBLE_EQ(D.AsNumber(9, 9), 0.0);
  D.SetElem(1, 3, u"-1.5e2");
  EXPECT_DOUBLE_EQ(D.AsNumber(1, 3), -150.0);
  D.SetElem(2, 7, u"1.2.3");
  try {
    (void)D.AsNumber(2, 7);
    FAIL() << "no error";
  } catch (const EORVDStructError& E) {
    EXPECT_EQ(E.Message(), u"Class TRLData: invalid numeric string: [2,7]: 1.2.3");
  }
  // The message shows the stored text, mark included; the number ignores the mark.
  D.SetColumnCheckMode(1, cmBox);
  D.SetElemChecked(1, 1, true);
  EXPECT_DOUBLE_EQ(D.AsNumber(1, 1), 3.5);
  D.SetElem(1, 4, u"abc");
  try {
    (void)D.AsNumber(1, 4);
    FAIL() << "no error";
  } catch (const EORVError& E) {
    EXPECT_EQ(E.Message(), u"Class TRLData: invalid numeric string: [1,4]:  abc");
  }
}

TEST(RLDataDefaults, DefaultValueFollowsTheColumnFormat) {
  TRLData D(nullptr);
  D.SetNrOfColumns(9);
  const std::array<const char16_t*, 9> Formats = {u"[i][80]rix4",  u"[h][80]rix2", u"[l][100]red|green|blue",
                                                  u"[s][120]$pwd$8", u"abc",       u"[f][50]RIX2",
                                                  u"[d][90]2021-01-02", u"[#s][10]text", u"[i]"};
  for (int C = 1; C <= 9; ++C) D.SetColumnFormat(C, Formats[static_cast<size_t>(C - 1)]);
  EXPECT_EQ(D.DefaultValue(1, 7), u"0007");
  EXPECT_EQ(D.DefaultValue(1, 12345), u"2345");  // only the lowest digits
  EXPECT_EQ(D.DefaultValue(2, 255), u"FF");
  EXPECT_EQ(D.DefaultValue(3, 1), u"red");
  const String P1 = D.DefaultValue(4, 1), P2 = D.DefaultValue(4, 1);
  EXPECT_EQ(P1.size(), 8u);
  EXPECT_EQ(P2.size(), 8u);
  EXPECT_NE(P1, P2);
  EXPECT_EQ(D.DefaultValue(5, 1), u"");
  EXPECT_EQ(D.DefaultValue(6, 3), u"3.00");
  EXPECT_EQ(D.DefaultValue(7, 3), u"2021-01-02");
  EXPECT_EQ(D.DefaultValue(8, 3), u"");  // a "#" type group has no default
  EXPECT_EQ(D.DefaultValue(9, 3), u"");  // nothing after the type group
  EXPECT_EQ(D.DefaultValue(10, 3), u"");
  D.SetColumnFormat(1, u"[i][9]rix3");
  EXPECT_EQ(D.DefaultValue(1, -5), u"-005");
  D.SetColumnFormat(1, u"[h][9]rix0");
  EXPECT_EQ(D.DefaultValue(1, 0x1234), u"4");
  D.SetColumnFormat(1, u"[e][9]42");
  EXPECT_EQ(D.DefaultValue(1, 5), u"42");
}

TEST(RLDataLookup, ColumnIndexTakesTheHighestMatch) {
  TRLData D(nullptr);
  D.SetNrOfColumns(2);
  D.SetHeader(1, u"Name");
  D.SetHeader(2, u"Surname");
  EXPECT_EQ(D.ColumnIndex(u"name", true), 2);
  EXPECT_EQ(D.ColumnIndex(u"name", false), 1);
  EXPECT_EQ(D.ColumnIndex(u"NAME", false), 1);
  EXPECT_EQ(D.ColumnIndex(u"zzz", true), -1);
  EXPECT_EQ(D.ColumnIndex(u"", true), -1);
}

TEST(RLDataRows, InsertRemoveCopyAndEmptyRows) {
  auto D = Numbered(2, 4);
  D->Strings()->SetRowAttrib(2, 0x80);
  D->CopyRow(2, 4);
  EXPECT_EQ(D->Elem(0, 4), u"0.2");
  EXPECT_EQ(D->Elem(2, 4), u"2.2");
  EXPECT_EQ(D->Strings()->RowAttrib(4), 0x80);
  D->CopyRow(2, 5);  // outside: nothing
  D->InsertRow(2);
  EXPECT_EQ(D->NrOfRows(), 5);
  EXPECT_EQ(D->Elem(1, 2), u"");
  EXPECT_EQ(D->Elem(1, 3), u"1.2");
  D->InsertRow(6);
  EXPECT_EQ(D->NrOfRows(), 5);
  D->SetElem(0, 2, u"");
  D->SetIsCheckedColumn(1, true);
  D->SetElemChecked(1, 2, true);  // a cell holding only its mark counts as empty
  D->RemoveEmptyRows();
  EXPECT_EQ(D->NrOfRows(), 4);
  EXPECT_EQ(D->Elem(1, 2), u"1.2");
  D->RemoveRow(1);
  EXPECT_EQ(D->NrOfRows(), 3);
  EXPECT_EQ(D->Elem(2, 1), u"2.2");
}

TEST(RLDataRows, RemovingTheOnlyRowOrColumnLeavesEmptyStore) {
  auto D = Numbered(2, 1);
  D->RemoveRow(1);
  EXPECT_EQ(D->NrOfRows(), 0);
  D->SetNrOfRows(1);
  EXPECT_EQ(D->Elem(1, 1), u"");
  EXPECT_EQ(D->Elem(0, 1), u"");

  auto E = Numbered(1, 3);
  E->SetHeader(1, u"Only");
  E->SetColumnCheckMode(1, cmBox);
  E->RemoveColumn(1);
  EXPECT_EQ(E->NrOfColumns(), 0);
  EXPECT_EQ(E->Header(1), u"");
  EXPECT_EQ(E->Elem(1, 1), u"");
  E->SetNrOfColumns(1);
  EXPECT_EQ(E->Header(1), u"C-1");
  EXPECT_EQ(E->ColumnCheckMode(1), cmNone);
  EXPECT_EQ(E->Elem(1, 2), u"");
}

TEST(RLDataColumns, InsertAndRemoveShiftMetadata) {
  auto D = Numbered(3, 2);
  D->SetHeader(2, u"B");
  D->SetColumnCheckMode(3, cmBox);
  D->InsertColumn(2);
  EXPECT_EQ(D->NrOfColumns(), 4);
  EXPECT_EQ(D->Header(2), u"");
  EXPECT_EQ(D->Header(3), u"B");
  EXPECT_EQ(D->ColumnCheckMode(4), cmBox);
  EXPECT_EQ(D->Elem(3, 1), u"2.1");
  EXPECT_EQ(D->Elem(2, 1), u"");
  D->RemoveColumn(1);
  EXPECT_EQ(D->Header(2), u"B");
  EXPECT_EQ(D->Elem(2, 2), u"2.2");
  EXPECT_EQ(D->NrOfColumns(), 3);
  D->InsertColumn(0);
  D->RemoveColumn(4);
  EXPECT_EQ(D->NrOfColumns(), 3);
}

TEST(RLDataRows, InsertingIntoSortedStoreCommitsTheOrder) {
  auto D = Numbered(1, 3);
  D->SetElem(1, 1, u"c");
  D->SetElem(1, 2, u"a");
  D->SetElem(1, 3, u"b");
  D->Sort(1, -1, true);
  D->InsertRow(1);
  D->UnSort();  // the sorted order has become the unsorted one
  EXPECT_EQ(D->Elem(1, 2), u"a");
  EXPECT_EQ(D->Elem(1, 4), u"c");
}

TEST(RLDataBulk, FillKeepsMarksAndClearResetsMetadata) {
  auto D = Numbered(2, 3);
  D->SetColumnCheckMode(2, cmBox);
  D->SetElemChecked(2, 2, true);
  D->Strings()->SetElem(2, 3, u"");
  D->Fill(u"z");
  EXPECT_EQ(D->Elem(1, 1), u"z");
  EXPECT_EQ(D->Elem(0, 1), u"0.1");  // column 0 is not filled
  EXPECT_TRUE(D->ElemChecked(2, 2));
  EXPECT_FALSE(D->ElemChecked(2, 3));
  EXPECT_EQ(D->Elem(2, 3), u"z");
  D->SetHeader(1, u"H");
  D->SetColumnFormat(1, u"[i]");
  D->Clear();
  EXPECT_EQ(D->NrOfRows(), 3);
  EXPECT_EQ(D->NrOfColumns(), 2);
  EXPECT_EQ(D->Header(1), u"C-1");
  EXPECT_EQ(D->ColumnFormat(1), u"");
  EXPECT_EQ(D->ColumnCheckMode(2), cmNone);
  EXPECT_EQ(D->Elem(1, 1), u"");
}

TEST(RLDataClipboard, SeparatorTabAndFixedWidthForms) {
  TRLData D(nullptr);
  D.SetNrOfColumns(2);
  D.SetNrOfRows(2);
  D.SetHeader(1, u"A");
  D.SetHeader(2, u"B");
  D.SetElem(1, 1, u"1");
  D.SetElem(2, 1, u"2");
  D.SetElem(1, 2, u"3");
  D.SetElem(2, 2, u"4");
  D.CopyToClipBoard(1, 1, 2, 2, true, u";");
  EXPECT_EQ(Clipboard()->AsText(), u"A;B\n\n1;2\n3;4\n");
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  D.CopyToClipBoard(1, 1, 2, 2, false, true);
  EXPECT_EQ(Clipboard()->AsText(), u"1\t2\n3\t4\n");
  // Fixed width: longest stored length (mark included) plus one; outside cells empty.
  D.SetColumnCheckMode(2, cmBox);
  D.SetElem(1, 2, u"long");
  D.CopyToClipBoard(1, 1, 3, 2, true, false);
  EXPECT_EQ(Clipboard()->AsText(), u"A    B   \n\n1    2   \nlong 4   \n");
  D.CopyToClipBoard(1, 1, 0, 1, false, String(u","));
  EXPECT_EQ(Clipboard()->AsText(), u"\n");
  Clipboard()->Clear();
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
}

TEST(RLDataAssign, CopiesEverythingAndKeepsTheSourcesSortedOrder) {
  auto S = Numbered(3, 5);
  const std::array<const char16_t*, 5> Keys = {u"d", u"b", u"e", u"a", u"c"};
  for (int R = 1; R <= 5; ++R) S->SetElem(1, R, Keys[static_cast<size_t>(R - 1)]);
  S->SetHeader(2, u"Second");
  S->SetColumnFormat(3, u"[i][40]");
  S->SetColumnCheckMode(3, cmRadio);
  S->SetElemChecked(3, 2, true);
  S->Strings()->SetRowAttrib(1, RowAttrSelected);  // the row holding "d"
  S->Strings()->SetColAttrib(2, ColAttrSelected);
  S->SetComment(u"note");
  S->SetDataID(u"id7");
  S->SetCommonHeader(u"Common");
  int Exchanges = 0;
  S->SetOnBeforeSortExchange([&](TObject*, int, int, int, const String&, String&) { ++Exchanges; });
  S->Sort(1, -1, true);
  ASSERT_EQ(S->Elem(1, 1), u"a");

  TRLData T(nullptr);
  int Changes = 0;
  T.Strings()->SetOnChange([&](TObject*) { ++Changes; });
  T.Assign(S.get());
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(T.NrOfColumns(), 3);
  EXPECT_EQ(T.NrOfRows(), 5);
  for (int R = 1; R <= 5; ++R)
    for (int C = 0; C <= 3; ++C) EXPECT_EQ(T.Elem(C, R), S->Elem(C, R)) << C << "," << R;
  EXPECT_EQ(T.Elem(1, 4), u"d");
  EXPECT_EQ(T.Strings()->RowAttrib(4), RowAttrSelected);  // flags stay with their rows
  EXPECT_EQ(T.Strings()->RowAttrib(1), 0);
  EXPECT_EQ(T.Strings()->ColAttrib(2), ColAttrSelected);
  EXPECT_TRUE(T.ElemChecked(3, 2));
  EXPECT_EQ(T.ColumnCheckMode(3), cmRadio);
  EXPECT_EQ(T.Header(2), u"Second");
  EXPECT_EQ(T.ColumnFormat(3), u"[i][40]");
  EXPECT_EQ(T.Comment(), u"note");
  EXPECT_EQ(T.DataID(), u"id7");
  EXPECT_EQ(T.CommonHeader(), u"Common");
  EXPECT_EQ(T.LastSortColumn(), 1);
  EXPECT_EQ(T.FeedbkNumCells(), 20);
  T.UnSort();
  for (int R = 1; R <= 5; ++R) EXPECT_EQ(T.Elem(1, R), Keys[static_cast<size_t>(R - 1)]);
  EXPECT_EQ(T.Strings()->RowAttrib(1), RowAttrSelected);
  EXPECT_EQ(T.Strings()->RowAttrib(4), 0);
  EXPECT_EQ(T.LastSortColumn(), -1);
  // The exchange handler came along and reports the target as sender.
  TObject* Sender = nullptr;
  T.SetOnBeforeSortExchange([&](TObject* Who, int, int, int, const String&, String&) { Sender = Who; });
  T.Sort(1, -1, false);
  EXPECT_EQ(Sender, &T);
  EXPECT_EQ(T.Elem(1, 1), u"e");
}

TEST(RLDataAssign, OtherSourcesAreRefused) {
  TRLData D(nullptr);
  TComponent Other(nullptr);
  EXPECT_THROW(D.Assign(&Other), EConvertError);
}

TEST(RLDataSort, SortRecordsStateAndForwardsExchanges) {
  auto D = Numbered(2, 3);
  D->SetElem(2, 1, u"b");
  D->SetElem(2, 2, u"c");
  D->SetElem(2, 3, u"a");
  std::vector<String> Seen;
  D->SetOnBeforeSortExchange([&](TObject* Sender, int Kind, int, int, const String& T1, String&) {
    EXPECT_EQ(Sender, D.get());
    EXPECT_EQ(Kind, 0);
    Seen.push_back(T1);
  });
  D->Sort(2, 1, false);
  EXPECT_FALSE(Seen.empty());
  EXPECT_EQ(D->LastSortColumn(), 2);
  EXPECT_EQ(D->SortColumnSec(), 1);
  EXPECT_FALSE(D->LastSortOrder());
  EXPECT_EQ(D->Elem(2, 1), u"c");
  D->UnSort();
  EXPECT_EQ(D->LastSortColumn(), -1);
  EXPECT_EQ(D->SortColumnSec(), -1);
  EXPECT_FALSE(D->LastSortOrder());
  EXPECT_EQ(D->Elem(2, 1), u"b");
}

}  // namespace
}  // namespace orv
