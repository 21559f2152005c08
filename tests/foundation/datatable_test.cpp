#include "foundation/datatable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "framework/rtl/sysutils.h"

namespace orv {
namespace {

// A 3 x 4 table whose cell (c, r) holds 10c + r, with hooks that count.
class DataTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Tab = std::make_unique<TDataTable>(nullptr, 3, 4);
    for (int C = 1; C <= 3; ++C)
      for (int R = 1; R <= 4; ++R) Tab->SetElem(C, R, 10 * C + R);
    Tab->SetOnDataChanged([this](TObject* Sender) {
      EXPECT_EQ(Sender, Tab.get());
      ++DataCount;
    });
    Tab->SetOnSetupChanged([this](TObject*) { ++SetupCount; });
    Tab->SetOnResized([this](TObject*, int OC, int OR, int NC, int NR) { Resized.push_back({OC, OR, NC, NR}); });
  }
  void ResetCounts() {
    DataCount = 0;
    SetupCount = 0;
    Resized.clear();
  }
  std::vector<double> Column(int C) const {
    std::vector<double> V;
    for (int R = 1; R <= Tab->NrOfRows(); ++R) V.push_back(Tab->GetElem(C, R));
    return V;
  }
  std::vector<double> Row(int R) const {
    std::vector<double> V;
    for (int C = 1; C <= Tab->NrOfColumns(); ++C) V.push_back(Tab->GetElem(C, R));
    return V;
  }

  std::unique_ptr<TDataTable> Tab;
  int DataCount = 0;
  int SetupCount = 0;
  std::vector<std::vector<int>> Resized;
};

TEST_F(DataTableTest, ResizeKeepsContentThatFitsAndBlanksNewCells) {
  Tab->SetCellState(2, 2, dtsMarkA);
  Tab->SetColName(2, u"Mass");
  Tab->SetRowAttrib(3, 7);
  ResetCounts();
  Tab->Resize(5, 6);
  ASSERT_EQ(Tab->NrOfColumns(), 5);
  ASSERT_EQ(Tab->NrOfRows(), 6);
  EXPECT_EQ(Resized, (std::vector<std::vector<int>>{{3, 4, 5, 6}}));
  EXPECT_EQ(Tab->GetElem(3, 4), 34);
  EXPECT_EQ(Tab->GetElem(1, 1), 11);
  EXPECT_EQ(Tab->GetCellState(2, 2), dtsMarkA);
  EXPECT_EQ(Tab->GetColName(2), u"Mass");
  EXPECT_EQ(Tab->GetRowAttrib(3), 7);
  EXPECT_EQ(Tab->GetElem(4, 1), 0);
  EXPECT_EQ(Tab->GetElem(1, 5), 0);
  EXPECT_EQ(Tab->GetCellState(5, 6), 0);
  EXPECT_EQ(Tab->GetColName(5), u"C-5");
  EXPECT_EQ(Tab->GetRowName(6), u"R-6");

  Tab->Resize(2, 2);
  EXPECT_EQ(Row(2), (std::vector<double>{12, 22}));
  EXPECT_EQ(Tab->GetElem(3, 1), 0);  // gone
  // Growing again brings blank cells, not the dropped values.
  Tab->Resize(3, 3);
  EXPECT_EQ(Tab->GetElem(3, 1), 0);
  EXPECT_EQ(Tab->GetColName(3), u"C-3");

  Tab->Resize(-1, 2);
  EXPECT_EQ(Tab->NrOfColumns(), 0);
  EXPECT_EQ(Tab->GetElem(1, 1), 0);
}

TEST_F(DataTableTest, ImpossibleResizeRaisesAndLeavesTableIntact) {
  Tab->SetCellState(1, 1, dtsEmpty);
  ResetCounts();
  EXPECT_THROW(Tab->Resize(INT_MAX, INT_MAX), EORVDStructError);
  EXPECT_THROW(Tab->Matrix()->Resize(INT_MAX, INT_MAX), EORVDStructError);
  EXPECT_EQ(Tab->NrOfColumns(), 3);
  EXPECT_EQ(Tab->NrOfRows(), 4);
  EXPECT_EQ(Tab->GetElem(3, 4), 34);
  EXPECT_EQ(Tab->GetCellState(1, 1), dtsEmpty);
  EXPECT_TRUE(Resized.empty());
  // Still fully usable afterwards.
  Tab->InsertRow(1);
  EXPECT_EQ(Tab->GetElem(3, 5), 34);
}

TEST_F(DataTableTest, OutsideIndicesReadAsZeroAndWritesAreIgnored) {
  ResetCounts();
  for (auto [C, R] : std::vector<std::pair<int, int>>{{0, 1}, {1, 0}, {4, 1}, {1, 5}, {-1, -1}}) {
    Tab->SetElem(C, R, 99);
    Tab->SetCellState(C, R, dtsMarkB);
    EXPECT_EQ(Tab->GetElem(C, R), 0);
    EXPECT_EQ(Tab->GetCellState(C, R), 0);
    EXPECT_FALSE(Tab->GetIsNumber(C, R));
  }
  Tab->SetColName(0, u"x");
  Tab->SetRowName(5, u"x");
  Tab->SetColAttrib(4, 1);
  Tab->SetRowAttrib(0, 1);
  Tab->SetMScaleType(9, mstNominal);
  Tab->SetNominalID(0, 1, u"x");
  Tab->SetNominalID(1, 151, u"x");
  EXPECT_EQ(Tab->GetColName(0), u"");
  EXPECT_EQ(Tab->GetRowName(5), u"");
  EXPECT_EQ(Tab->GetColAttrib(4), 0);
  EXPECT_EQ(Tab->GetRowAttrib(0), 0);
  EXPECT_EQ(Tab->GetMScaleType(9), mstInterval);
  EXPECT_EQ(Tab->GetNominalID(1, 151), u"");
  EXPECT_EQ(Tab->GetNominalID(1, 0), u"");
  EXPECT_EQ(DataCount, 0);
  EXPECT_EQ(SetupCount, 0);
  double Sum = 0;
  for (int C = 1; C <= 3; ++C)
    for (int R = 1; R <= 4; ++R) Sum += Tab->GetElem(C, R);
  EXPECT_EQ(Sum, 4 * (10 + 20 + 30) + 3 * (1 + 2 + 3 + 4));
}

TEST_F(DataTableTest, NumberTestLooksOnlyAtNotANumberAndEmptyBits) {
  const std::vector<std::pair<uint8_t, bool>> Cases{
      {0x00, true}, {0x01, false}, {0x02, false}, {0x03, false}, {0x10, true}, {0x40, true}, {0xFD, false}, {0xFC, true}};
  for (auto [State, Number] : Cases) {
    Tab->SetCellState(2, 3, State);
    EXPECT_EQ(Tab->GetIsNumber(2, 3), Number) << int(State);
  }
}

TEST_F(DataTableTest, NamesAndIdentifiersAreCut) {
  const String Long(60, u'n');
  Tab->SetColName(1, Long);
  Tab->SetRowName(1, Long);
  EXPECT_EQ(Tab->GetColName(1), String(50, u'n'));
  EXPECT_EQ(Tab->GetRowName(1), String(50, u'n'));
  // A cut never leaves half of a surrogate pair behind.
  Tab->SetColName(2, String(49, u'a') + u"\U0001F600" + u"zz");
  EXPECT_EQ(Tab->GetColName(2), String(49, u'a'));
  Tab->SetNominalID(3, 150, u"abcdefghijkl");
  EXPECT_EQ(Tab->GetNominalID(3, 150), u"abcdefghij");
  Tab->SetFComment(u"first line\r\nsecond");
  EXPECT_EQ(Tab->Comment(), u"first line\r\nsecond");
}

TEST_F(DataTableTest, NominalIdentifierLookup) {
  Tab->SetMScaleType(2, mstNominal);
  Tab->SetNominalID(2, 1, u"red");
  Tab->SetNominalID(2, 5, u"Green");
  Tab->SetNominalID(2, 150, u"blue");
  Tab->SetNominalID(2, 7, u"green");  // later duplicate in other case
  EXPECT_TRUE(Tab->IsCategorical(2));
  EXPECT_FALSE(Tab->IsCategorical(1));
  EXPECT_EQ(Tab->GetNominalID(2, 2), u"");
  EXPECT_EQ(Tab->OrdinalOfNominalID(2, u"red", true), 1);
  EXPECT_EQ(Tab->OrdinalOfNominalID(2, u"GREEN", true), 5);
  EXPECT_EQ(Tab->OrdinalOfNominalID(2, u"green", false), 7);
  EXPECT_EQ(Tab->OrdinalOfNominalID(2, u"  blue ", true), 150);
  EXPECT_EQ(Tab->OrdinalOfNominalID(2, u"Red", false), 0);
  EXPECT_EQ(Tab->OrdinalOfNominalID(2, u"purple", true), 0);
  // Undefined ordinals never match, not even an empty search text.
  EXPECT_EQ(Tab->OrdinalOfNominalID(2, u"", true), 0);
  EXPECT_EQ(Tab->OrdinalOfNominalID(1, u"red", true), 0);
  EXPECT_LT(Tab->OrdinalOfNominalID(4, u"red", true), 0);
  Tab->SetNominalID(2, 1, u"");
  EXPECT_EQ(Tab->OrdinalOfNominalID(2, u"red", true), 0);
  Tab->ClearNominalIDs(2);
  EXPECT_EQ(Tab->GetNominalID(2, 5), u"");
}

TEST(DataTableScaleTypes, NamesAndCategories) {
  EXPECT_EQ(MScaleTypeNames[mstInterval], u"interval");
  EXPECT_EQ(MScaleTypeNames(mstNominal), u"nominal");
  EXPECT_EQ(TDataTable::MScaleTypeNames[mstOrdinal], u"ordinal");
  EXPECT_EQ(MScaleTypeNames[mstRatio], u"ratio");
  EXPECT_EQ(MScaleTypeNames[MScaleTypeCount], u"undefined");
  EXPECT_EQ(MScaleTypeNames[-1], u"undefined");
  EXPECT_TRUE(IsCategoricalScale(1));
  EXPECT_TRUE(IsCategoricalScale(2));
  EXPECT_FALSE(IsCategoricalScale(0));
  EXPECT_FALSE(IsCategoricalScale(3));
}

TEST_F(DataTableTest, InsertAndRemoveRowsMoveEverythingAlong) {
  Tab->SetRowName(2, u"second");
  Tab->SetRowAttrib(2, 22);
  Tab->SetCellState(1, 2, dtsLocked);
  ResetCounts();
  Tab->InsertRow(2);
  ASSERT_EQ(Tab->NrOfRows(), 5);
  EXPECT_EQ(Resized, (std::vector<std::vector<int>>{{3, 4, 3, 5}}));
  EXPECT_EQ(DataCount, 1);
  EXPECT_EQ(SetupCount, 1);
  EXPECT_EQ(Column(1), (std::vector<double>{11, 0, 12, 13, 14}));
  EXPECT_EQ(Tab->GetRowName(2), u"R-2");
  EXPECT_EQ(Tab->GetRowAttrib(2), 0);
  EXPECT_EQ(Tab->GetCellState(1, 2), 0);
  EXPECT_EQ(Tab->GetRowName(3), u"second");
  EXPECT_EQ(Tab->GetRowAttrib(3), 22);
  EXPECT_EQ(Tab->GetCellState(1, 3), dtsLocked);

  Tab->InsertRow(6);  // append
  EXPECT_EQ(Column(2), (std::vector<double>{21, 0, 22, 23, 24, 0}));
  ResetCounts();
  Tab->InsertRow(0);
  Tab->InsertRow(8);
  Tab->RemoveRow(0);
  Tab->RemoveRow(7);
  EXPECT_EQ(Tab->NrOfRows(), 6);
  EXPECT_TRUE(Resized.empty());
  EXPECT_EQ(DataCount + SetupCount, 0);

  Tab->RemoveRow(2);
  Tab->RemoveRow(5);
  EXPECT_EQ(Column(3), (std::vector<double>{31, 32, 33, 34}));
  EXPECT_EQ(Tab->GetRowName(2), u"second");
  EXPECT_EQ(Tab->GetCellState(1, 2), dtsLocked);
  // Removing down to nothing leaves a consistent empty table.
  for (int I = 0; I < 4; ++I) Tab->RemoveRow(1);
  EXPECT_EQ(Tab->NrOfRows(), 0);
  Tab->InsertRow(1);
  EXPECT_EQ(Row(1), (std::vector<double>{0, 0, 0}));
}

TEST_F(DataTableTest, InsertAndRemoveColumnsCarryScaleTypesAndIdentifiers) {
  Tab->SetColName(3, u"Colour");
  Tab->SetColAttrib(3, 3);
  Tab->SetMScaleType(3, mstNominal);
  Tab->SetNominalID(3, 2, u"red");
  Tab->SetCellState(3, 4, dtsMarkB);
  Tab->InsertColumn(1);
  ASSERT_EQ(Tab->NrOfColumns(), 4);
  EXPECT_EQ(Row(1), (std::vector<double>{0, 11, 21, 31}));
  EXPECT_EQ(Tab->GetColName(4), u"Colour");
  EXPECT_EQ(Tab->GetColAttrib(4), 3);
  EXPECT_EQ(Tab->GetMScaleType(4), mstNominal);
  EXPECT_EQ(Tab->OrdinalOfNominalID(4, u"red", true), 2);
  EXPECT_EQ(Tab->GetCellState(4, 4), dtsMarkB);
  EXPECT_EQ(Tab->GetMScaleType(1), mstInterval);

  Tab->InsertColumn(5);
  EXPECT_EQ(Tab->NrOfColumns(), 5);
  Tab->RemoveColumn(2);
  Tab->RemoveColumn(0);
  Tab->RemoveColumn(5);
  EXPECT_EQ(Row(4), (std::vector<double>{0, 24, 34, 0}));
  EXPECT_EQ(Tab->GetColName(3), u"Colour");
  EXPECT_EQ(Tab->GetNominalID(3, 2), u"red");
  EXPECT_EQ(Tab->GetCellState(3, 4), dtsMarkB);
}

TEST_F(DataTableTest, MirrorReversesLinesWithTheirHeaders) {
  Tab->SetColName(1, u"first");
  Tab->SetMScaleType(1, mstOrdinal);
  Tab->SetCellState(1, 2, dtsEmpty);
  Tab->SetRowAttrib(1, 9);
  ResetCounts();
  Tab->MirrorColumns();
  EXPECT_EQ(Row(2), (std::vector<double>{32, 22, 12}));
  EXPECT_EQ(Tab->GetColName(3), u"first");
  EXPECT_EQ(Tab->GetMScaleType(3), mstOrdinal);
  EXPECT_EQ(Tab->GetCellState(3, 2), dtsEmpty);
  EXPECT_EQ(DataCount, 1);
  EXPECT_EQ(SetupCount, 1);
  Tab->MirrorRows();
  EXPECT_EQ(Column(1), (std::vector<double>{34, 33, 32, 31}));
  EXPECT_EQ(Tab->GetRowAttrib(4), 9);
  EXPECT_EQ(Tab->GetCellState(3, 3), dtsEmpty);
  EXPECT_EQ(DataCount, 2);
}

TEST_F(DataTableTest, BulkStateOperations) {
  Tab->SetCellState(1, 1, dtsMarkA);
  Tab->SetCellState(2, 2, dtsMarkB | dtsNotANumber);
  Tab->SetCellState(3, 3, dtsMarkA | dtsMarkB | dtsEmpty | dtsLocked);
  Tab->SetCellState(3, 4, dtsLocked);
  ResetCounts();

  EXPECT_EQ(Tab->FillMarkedCells(-1.5, dtsMarkB), 2);
  EXPECT_EQ(DataCount, 1);
  EXPECT_EQ(Tab->GetElem(2, 2), -1.5);
  EXPECT_EQ(Tab->GetElem(3, 3), -1.5);
  EXPECT_EQ(Tab->GetElem(1, 1), 11);
  // Filled cells become numbers; other bits stay.
  EXPECT_EQ(Tab->GetCellState(2, 2), dtsMarkB);
  EXPECT_EQ(Tab->GetCellState(3, 3), dtsMarkA | dtsMarkB | dtsLocked);
  EXPECT_EQ(Tab->FillMarkedCells(5, 0), 0);
  EXPECT_EQ(Tab->FillMarkedCells(5, 0x20), 0);
  EXPECT_EQ(DataCount, 1);

  Tab->ExchangeMarkings();
  EXPECT_EQ(Tab->GetCellState(1, 1), dtsMarkB);
  EXPECT_EQ(Tab->GetCellState(2, 2), dtsMarkA);
  EXPECT_EQ(Tab->GetCellState(3, 3), dtsMarkA | dtsMarkB | dtsLocked);
  EXPECT_EQ(Tab->GetCellState(3, 4), dtsLocked);

  Tab->InvertCellStates(dtsEmpty | dtsMarkA);
  EXPECT_EQ(Tab->GetCellState(1, 1), dtsMarkB | dtsMarkA | dtsEmpty);
  EXPECT_EQ(Tab->GetCellState(2, 2), dtsEmpty);
  EXPECT_EQ(Tab->GetCellState(1, 4), dtsMarkA | dtsEmpty);
  Tab->InvertCellStates(dtsEmpty | dtsMarkA);
  EXPECT_EQ(Tab->GetCellState(1, 4), 0);

  Tab->UnmarkAllCells();
  EXPECT_EQ(Tab->GetCellState(1, 1), 0);
  EXPECT_EQ(Tab->GetCellState(3, 3), dtsLocked);
  EXPECT_EQ(DataCount, 5);  // one per bulk operation
  Tab->UnmarkAllCells();    // nothing left to change
  EXPECT_EQ(DataCount, 5);
}

TEST_F(DataTableTest, HooksFireForTheirKindOfChangeAndBatchInUpdates) {
  ResetCounts();
  Tab->SetElem(1, 1, 5);
  Tab->SetCellState(1, 1, dtsMarkA);
  EXPECT_EQ(DataCount, 2);
  EXPECT_EQ(SetupCount, 0);
  Tab->SetColName(1, u"a");
  Tab->SetRowName(1, u"b");
  Tab->SetColAttrib(1, 1);
  Tab->SetRowAttrib(1, 1);
  Tab->SetFComment(u"c");
  Tab->SetMScaleType(1, mstNominal);
  Tab->SetNominalID(1, 1, u"x");
  EXPECT_EQ(SetupCount, 7);
  EXPECT_EQ(DataCount, 2);

  ResetCounts();
  Tab->BeginUpdate();
  Tab->BeginUpdate();
  for (int R = 1; R <= 4; ++R) Tab->SetElem(2, R, 0);
  Tab->SetColName(2, u"n");
  Tab->EndUpdate();
  EXPECT_EQ(DataCount + SetupCount, 0);  // still inside the outer update
  Tab->EndUpdate();
  EXPECT_EQ(DataCount, 1);
  EXPECT_EQ(SetupCount, 1);
  Tab->EndUpdate();  // unbalanced: ignored
  Tab->SetElem(2, 1, 1);
  EXPECT_EQ(DataCount, 2);

  ResetCounts();
  Tab->Matrix()->Fill(2.5);
  EXPECT_EQ(DataCount, 1);
  EXPECT_EQ(Tab->GetElem(3, 4), 2.5);
  Tab->Matrix()->SetElem(1, 1, 7);
  EXPECT_EQ(Tab->GetElem(1, 1), 7);
  EXPECT_EQ(DataCount, 2);

  Tab->Clear();
  EXPECT_EQ(DataCount, 3);
  EXPECT_EQ(SetupCount, 1);
}

TEST_F(DataTableTest, MatrixResizeKeepsStatesAndNamesInStep) {
  Tab->SetCellState(3, 4, dtsMarkA);
  Tab->Matrix()->Resize(4, 5);
  EXPECT_EQ(Tab->NrOfColumns(), 4);
  EXPECT_EQ(Tab->NrOfRows(), 5);
  EXPECT_EQ(Resized.size(), 1u);
  EXPECT_EQ(Tab->GetCellState(3, 4), dtsMarkA);
  Tab->SetCellState(4, 5, dtsEmpty);
  EXPECT_EQ(Tab->GetCellState(4, 5), dtsEmpty);
  EXPECT_EQ(Tab->GetColName(4), u"C-4");
}

TEST_F(DataTableTest, ClearResetsContentButKeepsDimensions) {
  Tab->SetCellState(1, 1, 0xFF);
  Tab->SetColName(1, u"x");
  Tab->SetRowAttrib(2, 4);
  Tab->SetMScaleType(3, mstOrdinal);
  Tab->SetNominalID(3, 1, u"low");
  Tab->SetFComment(u"note");
  Tab->Clear();
  EXPECT_EQ(Tab->NrOfColumns(), 3);
  EXPECT_EQ(Tab->NrOfRows(), 4);
  EXPECT_EQ(Tab->GetElem(3, 4), 0);
  EXPECT_EQ(Tab->GetCellState(1, 1), 0);
  EXPECT_EQ(Tab->GetColName(1), u"C-1");
  EXPECT_EQ(Tab->GetRowAttrib(2), 0);
  EXPECT_EQ(Tab->GetMScaleType(3), mstInterval);
  EXPECT_EQ(Tab->GetNominalID(3, 1), u"");
  EXPECT_EQ(Tab->Comment(), u"");
}

TEST_F(DataTableTest, AssignCopiesContentNotHooks) {
  Tab->SetCellState(2, 3, dtsMarkA);
  Tab->SetRowName(4, u"last");
  Tab->SetMScaleType(1, mstNominal);
  Tab->SetNominalID(1, 3, u"three");
  Tab->SetFComment(u"copied");
  TDataTable Copy(nullptr, 1, 1);
  int CopyResized = 0;
  Copy.SetOnResized([&](TObject*, int, int, int NC, int NR) {
    ++CopyResized;
    EXPECT_EQ(NC, 3);
    EXPECT_EQ(NR, 4);
  });
  Copy.Assign(Tab.get());
  EXPECT_EQ(CopyResized, 1);
  EXPECT_EQ(Copy.GetElem(3, 4), 34);
  EXPECT_EQ(Copy.GetCellState(2, 3), dtsMarkA);
  EXPECT_EQ(Copy.GetRowName(4), u"last");
  EXPECT_EQ(Copy.OrdinalOfNominalID(1, u"three", true), 3);
  EXPECT_EQ(Copy.Comment(), u"copied");
  // The copy is independent and keeps its own hooks.
  ResetCounts();
  Copy.SetElem(1, 1, -1);
  EXPECT_EQ(Tab->GetElem(1, 1), 11);
  EXPECT_EQ(DataCount, 0);
  EXPECT_FALSE(static_cast<bool>(Copy.OnDataChanged()));
  TIntMatrix NotATable(nullptr);
  EXPECT_THROW(Copy.Assign(&NotATable), EConvertError);
  EXPECT_EQ(Copy.NrOfColumns(), 3);
}

// ---------------------------------------------------------------- sorting

// Records every exchange the table reports and replays it on a shadow list,
// the way a listener keeps per-line data of its own in step.
struct TExchangeLog {
  void Attach(TDataTable& Tab, int Lines) {
    Shadow.resize(static_cast<size_t>(Lines) + 1);
    for (int I = 0; I <= Lines; ++I) Shadow[static_cast<size_t>(I)] = I;
    Tab.SetOnBeforeSortExchange([this](TObject*, int Kind, int Ix1, int Ix2, const String& T1, String& T2) {
      Kinds.push_back(Kind);
      Texts.push_back(T1 + u"|" + T2);
      std::swap(Shadow[static_cast<size_t>(Ix1)], Shadow[static_cast<size_t>(Ix2)]);
      T2 = u"ignored";
    });
    Tab.SetOnProgress([this](TObject*, int Percent) { Progress.push_back(Percent); });
  }
  std::vector<int> Kinds;
  std::vector<String> Texts;
  std::vector<int> Shadow;  // Shadow[i]: original index of the line now at i
  std::vector<int> Progress;
};

TEST_F(DataTableTest, SortRowsOrdersByColumnWithNonNumbersLast) {
  Tab->Resize(2, 6);
  const std::vector<double> Keys{5, 3, 9, 3, 1, 7};
  for (int R = 1; R <= 6; ++R) {
    Tab->SetElem(1, R, Keys[static_cast<size_t>(R - 1)]);
    Tab->SetElem(2, R, R);  // remembers the original row
    Tab->SetRowName(R, u"row" + IntToStr(R));
  }
  Tab->SetCellState(1, 3, dtsEmpty);                                        // 9, but empty
  Tab->SetElem(1, 6, std::numeric_limits<double>::quiet_NaN());             // not comparable
  TExchangeLog Log;
  Log.Attach(*Tab, 6);
  ResetCounts();
  Tab->SortRows(1, true);
  // 1 3 3 5, then the empty cell and the NaN in their old order; equal keys stay in order.
  EXPECT_EQ(Column(2), (std::vector<double>{5, 2, 4, 1, 3, 6}));
  EXPECT_EQ(Tab->GetCellState(1, 5), dtsEmpty);
  EXPECT_EQ(Tab->GetRowName(1), u"row5");
  EXPECT_EQ(Tab->GetRowName(5), u"row3");
  for (int R = 1; R <= 6; ++R) EXPECT_EQ(Log.Shadow[static_cast<size_t>(R)], Tab->GetElem(2, R));
  ASSERT_FALSE(Log.Kinds.empty());
  EXPECT_LE(Log.Kinds.size(), 5u);
  for (int K : Log.Kinds) EXPECT_EQ(K, 0);
  EXPECT_EQ(Log.Texts.front(), u"row1|row5");
  EXPECT_EQ(Log.Progress.front(), 0);
  EXPECT_EQ(Log.Progress.back(), 100);
  EXPECT_TRUE(std::is_sorted(Log.Progress.begin(), Log.Progress.end()));
  EXPECT_EQ(DataCount, 1);
  EXPECT_EQ(SetupCount, 1);

  Tab->SortRows(1, false);
  // Descending: 5 3 3 1, the two 3s in their order, then the empty cell and the NaN.
  EXPECT_EQ(Column(2), (std::vector<double>{1, 2, 4, 5, 3, 6}));
}

TEST_F(DataTableTest, SortColsWithAndWithoutHeaders) {
  // Row 2 as key: 12, 22, 32 -> descending puts column 3 first.
  for (int C = 1; C <= 3; ++C) Tab->SetColName(C, u"col" + IntToStr(C));
  Tab->SetMScaleType(3, mstNominal);
  TExchangeLog Log;
  Log.Attach(*Tab, 3);
  Tab->SortCols(2, false, 1, 1, 3, 4, true);
  EXPECT_EQ(Row(1), (std::vector<double>{31, 21, 11}));
  EXPECT_EQ(Tab->GetColName(1), u"col3");
  EXPECT_EQ(Tab->GetMScaleType(1), mstNominal);
  for (int K : Log.Kinds) EXPECT_EQ(K, 1);
  for (int C = 1; C <= 3; ++C) EXPECT_EQ(Tab->GetColName(C), u"col" + IntToStr(Log.Shadow[static_cast<size_t>(C)]));

  // Without headers only the cells move; names stay where they were.
  Tab->SortCols(2, true, 1, 1, 3, 4, false);
  EXPECT_EQ(Row(4), (std::vector<double>{14, 24, 34}));
  EXPECT_EQ(Tab->GetColName(1), u"col3");
}

TEST_F(DataTableTest, SortWithinABlockMovesOnlyTheBlock) {
  // Rows 2..4 by column 1 descending, only columns 1..2 move; bounds given reversed and too wide.
  Tab->SortRows(1, false, 2, 4, 0, 2, false);
  EXPECT_EQ(Column(1), (std::vector<double>{11, 14, 13, 12}));
  EXPECT_EQ(Column(2), (std::vector<double>{21, 24, 23, 22}));
  EXPECT_EQ(Column(3), (std::vector<double>{31, 32, 33, 34}));
  ResetCounts();
  Tab->SortRows(4, true, 1, 1, 3, 4, true);  // key column outside: nothing
  Tab->SortRows(1, true, 1, 3, 3, 3, true);  // a single row: nothing to do
  Tab->SortCols(1, true, 5, 1, 9, 4, true);  // block outside the table
  EXPECT_EQ(DataCount + SetupCount, 0);
}

TEST_F(DataTableTest, SortByNamesAndAttributes) {
  const std::vector<String> Names{u"beta", u"Alpha", u"alpha2", u"Gamma"};
  for (int R = 1; R <= 4; ++R) {
    Tab->SetRowName(R, Names[static_cast<size_t>(R - 1)]);
    Tab->SetRowAttrib(R, static_cast<uint8_t>(10 - R));
  }
  Tab->SortRowNames(true, true, 1, 1, 3, 4);
  EXPECT_EQ(Tab->GetRowName(1), u"Alpha");
  EXPECT_EQ(Tab->GetRowName(2), u"alpha2");
  EXPECT_EQ(Tab->GetRowName(4), u"Gamma");
  EXPECT_EQ(Column(1), (std::vector<double>{12, 13, 11, 14}));
  Tab->SortRowNames(true, false, 1, 1, 3, 4);  // code order: upper case first
  EXPECT_EQ(Tab->GetRowName(1), u"Alpha");
  EXPECT_EQ(Tab->GetRowName(2), u"Gamma");
  Tab->SortRowAttributes(false, 1, 1, 3, 4);
  EXPECT_EQ(Tab->GetRowAttrib(1), 9);
  EXPECT_EQ(Column(3), (std::vector<double>{31, 32, 33, 34}));

  Tab->SetColAttrib(1, 5);
  Tab->SetColAttrib(2, 1);
  Tab->SetColAttrib(3, 3);
  Tab->SortColAttributes(true, 1, 1, 3, 4);
  EXPECT_EQ(Row(1), (std::vector<double>{21, 31, 11}));
  Tab->SetColName(1, u"b");
  Tab->SetColName(2, u"c");
  Tab->SetColName(3, u"a");
  Tab->SortColNames(false, true, 1, 1, 3, 4);
  EXPECT_EQ(Tab->GetColName(1), u"c");
  EXPECT_EQ(Row(1), (std::vector<double>{31, 21, 11}));
}

TEST_F(DataTableTest, FailingExchangeHandlerLeavesCellsPairedAndReportsChanges) {
  Tab->Resize(1, 4);
  for (int R = 1; R <= 4; ++R) {
    Tab->SetElem(1, R, 5 - R);
    Tab->SetCellState(1, R, static_cast<uint8_t>(R << 4));
  }
  int Exchanges = 0;
  Tab->SetOnBeforeSortExchange([&](TObject*, int, int, int, const String&, String&) {
    if (++Exchanges == 2) throw EORVError(String(u"stop"));
  });
  ResetCounts();
  EXPECT_THROW(Tab->SortRows(1, true), EORVError);
  EXPECT_EQ(DataCount, 1);  // the first exchange happened and is reported
  EXPECT_EQ(Tab->UpdateCount(), 0);
  for (int R = 1; R <= 4; ++R) EXPECT_EQ(Tab->GetCellState(1, R), static_cast<int>(5 - Tab->GetElem(1, R)) << 4);
}

}  // namespace
}  // namespace orv
