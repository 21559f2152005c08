// The table editor: cell text, layout, editing through simulated input,
// table operations, the popup menus (answered by the popup handler) and the
// clipboard texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <memory>
#include <vector>

#include "framework/controls/application.h"
#include "framework/controls/memo.h"
#include "framework/controls/sim.h"
#include "framework/forms/form.h"
#include "framework/forms/menus.h"
#include "framework/grids/inplaceedit.h"
#include "framework/rtl/clipboard.h"
#include "framework/rtl/unicode.h"
#include "ntabed/ntabed.h"
#include "ntabed/ntabed_clip.h"
#include "numio/numformat.h"

namespace orv {
namespace {

struct NTabTest : ::testing::Test {
  std::unique_ptr<TForm> Form;
  TNTabEd* Ed = nullptr;
  int Changes = 0, Layouts = 0, States = 0, Setups = 0;
  // Names of the items the popup handler saw enabled, per opening.
  std::vector<std::vector<String>> Openings;
  std::function<TMenuItem*(TPopupMenu*)> Answer;

  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 640, 400);
    Ed = new TNTabEd(Form.get());
    Ed->SetParent(Form.get());
    Ed->SetBounds(0, 0, 600, 300);
    Ed->SetOnChange([this](TObject*) { ++Changes; });
    Ed->SetOnLayoutChanged([this](TObject*) { ++Layouts; });
    Ed->SetOnCellStateChanged([this](TObject*) { ++States; });
    Ed->SetOnChangeSetup([this](TObject*) { ++Setups; });
    Application->SetPopupHandler([this](TPopupMenu* M) -> TMenuItem* {
      std::vector<String> On;
      for (int I = 0; I < M->Items()->Count(); ++I) {
        if (M->Items()->Items(I)->Enabled()) On.push_back(M->Items()->Items(I)->Name());
      }
      Openings.push_back(On);
      return Answer ? Answer(M) : nullptr;
    });
    Form->Show();
  }
  void TearDown() override { Application->SetPopupHandler(nullptr); }

  // Client centre of data cell (c, r).
  TPoint At(int C, int R) const {
    const TRect Rc = Ed->CellRect(C + Ed->ColOffset(), R + Ed->RowOffset());
    return TPoint{(Rc.Left + Rc.Right) / 2, (Rc.Top + Rc.Bottom) / 2};
  }
  void Select(int C1, int R1, int C2, int R2) {
    Ed->SetSelection(TGridRect{C1 + Ed->ColOffset(), R1 + Ed->RowOffset(), C2 + Ed->ColOffset(), R2 + Ed->RowOffset()});
  }
  // Answers the next openings with the named items in turn, then dismisses.
  void Choose(std::vector<String> Names) {
    auto Queue = std::make_shared<std::vector<String>>(std::move(Names));
    Answer = [Queue](TPopupMenu* M) -> TMenuItem* {
      if (Queue->empty()) return nullptr;
      const String N = Queue->front();
      Queue->erase(Queue->begin());
      return M->Items()->FindItemByName(N);
    };
  }
  bool WasEnabled(size_t Opening, const String& Name) const {
    const auto& On = Openings.at(Opening);
    return std::find(On.begin(), On.end(), Name) != On.end();
  }
  void RightClickHeader(int GCol, int GRow) {
    const TRect R = Ed->CellRect(GCol, GRow);
    sim::MouseDown(Ed, mbRight, {}, R.Left + 3, R.Top + 3);
    sim::MouseUp(Ed, mbRight, {}, R.Left + 3, R.Top + 3);
  }
  void RightClickData(int C, int R) {
    const TPoint P = At(C, R);
    sim::MouseDown(Ed, mbRight, {}, P.X, P.Y);
    sim::MouseUp(Ed, mbRight, {}, P.X, P.Y);
  }
};

// --- Cell text ---------------------------------------------------------------------------------

TEST_F(NTabTest, CellTextFollowsStatePrecisionAndRange) {
  Ed->SetPrecision(1, 2);
  const struct {
    double V;
    uint8_t State;
    const char16_t* Text;  // nullptr: exponent notation expected
  } Rows[] = {
      {5, dtsEmpty | dtsNotANumber, u""},  // empty wins over not-a-number
      {5, dtsNotANumber, u"-nan-"},
      {999999.99, 0, u"999999.99"},
      {1000000, 0, nullptr},
      {0.005, 0, nullptr},
      {0, 0, u"0.00"},
      {-0.01, 0, u"-0.01"},
  };
  for (const auto& R : Rows) {
    Ed->SetElem(1, 1, R.V);
    Ed->SetCellState(1, 1, R.State);
    const String T = Ed->CellText(1, 1);
    if (R.Text) {
      EXPECT_EQ(T, R.Text) << R.V;
    } else {
      EXPECT_NE(T.find(u'E'), String::npos) << R.V;
      EXPECT_EQ(T.size(), 7u) << R.V;  // NumWidth 1 + 6
    }
  }
  // Precision -1 always writes exponents; a three-digit exponent fills the field with stars.
  EXPECT_EQ(NTabNumberText(1e200, 0, 1), u"*******");
  EXPECT_EQ(NTabNumberText(999999999, 0, 1), u"999999999");
  EXPECT_NE(NTabNumberText(1.5, -1, 1).find(u'E'), String::npos);
}

TEST_F(NTabTest, CategoricalCellsShowIdentifiersOrTypeAndOrdinal) {
  TDataTable* T = Ed->DataTable();
  T->SetMScaleType(2, mstNominal);
  T->SetNominalID(2, 3, u"red");
  Ed->SetElem(2, 1, 2.5);  // halves to even: 2, no identifier
  Ed->SetElem(2, 2, 3.4);
  Ed->SetElem(2, 3, 151);
  EXPECT_EQ(Ed->CellText(2, 1), MScaleTypeNames[mstNominal] + u":2");
  EXPECT_EQ(Ed->CellText(2, 2), u"red");
  EXPECT_EQ(Ed->CellText(2, 3), MScaleTypeNames[mstNominal] + u":151");
}

// --- Properties and layout -----------------------------------------------------------------------

TEST_F(NTabTest, PrecisionAndNumWidthLimits) {
  Ed->SetPrecision(1, -5);
  EXPECT_EQ(Ed->Precision(1), -1);
  Ed->SetPrecision(1, 12);
  EXPECT_EQ(Ed->Precision(1), 10);
  EXPECT_EQ(Ed->Precision(0), 0);
  EXPECT_EQ(Ed->Precision(4), 0);
  Layouts = 0;
  Ed->SetNumWidth(0);
  Ed->SetNumWidth(21);
  EXPECT_EQ(Ed->NumWidth(), 1);
  EXPECT_EQ(Layouts, 2);
}

TEST_F(NTabTest, GrowingTakesLastColumnsPrecisionAndWidth) {
  Ed->SetPrecision(3, 5);
  Ed->SetColWidths(3, 91);
  Ed->SetNrOfColumns(5);
  EXPECT_EQ(Ed->ColCount(), 5 + 2);
  for (int C : {4, 5}) {
    EXPECT_EQ(Ed->Precision(C), 5);
    EXPECT_EQ(Ed->ColWidths(C), 91);
  }
}

TEST_F(NTabTest, InsertedAndRemovedColumnsTakeTheirPrecisionAlong) {
  Ed->SetNrOfColumns(4);
  for (int C = 1; C <= 4; ++C) {
    Ed->SetPrecision(C, C);
    Ed->SetColWidths(C, 60 + C);
  }
  Ed->InsertColumn(2);
  EXPECT_EQ(Ed->NrOfColumns(), 5);
  const int PrecAfterInsert[] = {1, 2, 2, 3, 4};
  const int WidthAfterInsert[] = {61, 62, 62, 63, 64};
  for (int C = 1; C <= 5; ++C) {
    EXPECT_EQ(Ed->Precision(C), PrecAfterInsert[C - 1]) << C;
    EXPECT_EQ(Ed->ColWidths(C), WidthAfterInsert[C - 1]) << C;
  }
  Ed->RemoveColumn(1);
  const int PrecAfterRemove[] = {2, 2, 3, 4};
  for (int C = 1; C <= 4; ++C) EXPECT_EQ(Ed->Precision(C), PrecAfterRemove[C - 1]) << C;
  EXPECT_EQ(Ed->ColWidths(4), 64);
}

TEST_F(NTabTest, AttributeColumnAndRowSwitchKeepDataWidths) {
  Ed->SetColWidths(1, 70);
  Ed->SetColWidths(2, 55);
  Ed->SetAttribRowVisible(false);
  EXPECT_EQ(Ed->ColOffset(), 0);
  EXPECT_EQ(Ed->FixedCols(), 1);
  EXPECT_EQ(Ed->ColWidths(-1), 0);
  EXPECT_EQ(Ed->ColWidths(1), 70);
  EXPECT_EQ(Ed->ColWidths(2), 55);
  Ed->SetAttribRowVisible(true);
  EXPECT_EQ(Ed->ColWidths(-1), 32);
  EXPECT_EQ(Ed->ColWidths(1), 70);
  EXPECT_EQ(Ed->ColWidths(2), 55);
  Ed->SetAttribColVisible(true);
  EXPECT_EQ(Ed->RowCount(), Ed->NrOfRows() + 2);
  EXPECT_EQ(Ed->FixedRows(), 2);
}

TEST_F(NTabTest, SuppressionSilencesEventsAndFillMarkedCellsEndsIt) {
  Ed->SetSuppressPaint(true);
  Ed->SetElem(1, 1, 7);
  EXPECT_EQ(Changes, 0);
  Ed->SetElemMarkedA(1, 1, true);
  EXPECT_EQ(Ed->FillMarkedCells(2, dtsMarkA), 1);
  EXPECT_FALSE(Ed->SuppressPaint());
  EXPECT_EQ(Ed->Elem(1, 1), 2);
  Ed->SetElem(1, 2, 1);
  EXPECT_EQ(Changes, 1);
}

// --- Editing --------------------------------------------------------------------------------------

TEST_F(NTabTest, TypedNumbersAreReadOrFlagged) {
  const TPoint P = At(1, 1);
  sim::Click(Ed, P.X, P.Y);
  Ed->SetElem(1, 1, 9);
  sim::TypeText(Ed, u"1");
  ASSERT_TRUE(Ed->EditorMode());
  sim::TypeText(Ed->InplaceEditor(), u",5");
  sim::KeyPress(Ed->InplaceEditor(), u'\r');
  EXPECT_EQ(Ed->Elem(1, 1), 1.5);
  EXPECT_FALSE(Ed->EditorMode());
  EXPECT_EQ(Ed->Row(), 2);  // AutoAdvance moved down
  Ed->SetCellState(1, 2, 0);
  Ed->SetElem(1, 2, 4);
  sim::TypeText(Ed, u"a");
  sim::TypeText(Ed->InplaceEditor(), u"bc");
  sim::KeyPress(Ed->InplaceEditor(), u'\r');
  EXPECT_EQ(Ed->Elem(1, 2), 4);
  EXPECT_EQ(Ed->CellText(1, 2), u"-nan-");
}

TEST_F(NTabTest, CategoricalEditTakesIdentifiersOrIntegers) {
  TDataTable* T = Ed->DataTable();
  T->SetMScaleType(1, mstOrdinal);
  T->SetNominalID(1, 2, u"low");
  T->SetNominalID(1, 4, u"high");
  Ed->SetCellState(1, 1, dtsMarkA | dtsNotANumber);
  Ed->SetCellState(1, 2, dtsMarkB | dtsNotANumber);
  const TPoint P = At(1, 1);
  sim::Click(Ed, P.X, P.Y);
  sim::TypeText(Ed, u"h");
  auto* E = dynamic_cast<TInplaceEditList*>(Ed->InplaceEditor());
  ASSERT_NE(E, nullptr);
  EXPECT_EQ(E->EditStyle(), esPickList);
  EXPECT_EQ(E->PickList(), (std::vector<String>{u"low", u"high"}));
  sim::TypeText(E, u"igh");
  sim::KeyPress(E, u'\r');
  EXPECT_EQ(Ed->Elem(1, 1), 4);
  EXPECT_EQ(Ed->CellState(1, 1), 0);
  sim::TypeText(Ed, u"7");
  sim::KeyPress(Ed->InplaceEditor(), u'\r');
  EXPECT_EQ(Ed->Elem(1, 2), 7);
  EXPECT_EQ(Ed->CellState(1, 2), dtsMarkB);
}

TEST_F(NTabTest, LockedCellTakesOnlyArrowsAndReadOnlyNoEditor) {
  Ed->SetCellState(1, 1, dtsLocked);
  const TPoint P = At(1, 1);
  sim::Click(Ed, P.X, P.Y);
  sim::TypeText(Ed, u"5");
  EXPECT_FALSE(Ed->EditorMode());
  EXPECT_EQ(Ed->Elem(1, 1), 0);
  sim::KeyDown(Ed, VK_RIGHT, {});
  EXPECT_EQ(Ed->Col(), 2 + Ed->ColOffset());
  Ed->SetDataReadOnly(true);
  sim::Click(Ed, At(2, 1).X, At(2, 1).Y);
  sim::TypeText(Ed, u"5");
  EXPECT_FALSE(Ed->EditorMode());
  EXPECT_FALSE(Ed->Options().Contains(goEditing));
}

TEST_F(NTabTest, SecondClickOnSameCellStartsEditing) {
  sim::Click(Ed, At(2, 2).X, At(2, 2).Y);
  sim::Click(Ed, At(3, 2).X, At(3, 2).Y);
  EXPECT_FALSE(Ed->EditorMode());
  sim::Click(Ed, At(3, 2).X, At(3, 2).Y);
  EXPECT_TRUE(Ed->EditorMode());
}

// --- Table operations and marks ----------------------------------------------------------------------

TEST_F(NTabTest, RowOperationsAndMarkCounts) {
  Ed->SetNrOfRows(1);
  Ed->RemoveRow(1);
  EXPECT_EQ(Ed->NrOfRows(), 1);
  Ed->InsertRow(2);
  EXPECT_EQ(Ed->NrOfRows(), 2);
  EXPECT_EQ(Ed->RowCount(), 3);
  Ed->InsertRow(4);
  EXPECT_EQ(Ed->NrOfRows(), 2);
  EXPECT_FALSE(Ed->IfRowMarked(0));
  EXPECT_FALSE(Ed->IfAnyMarked());
  States = 0;
  Ed->MarkAllElemsA();
  EXPECT_EQ(States, 1);
  EXPECT_EQ(Ed->NrOfMarkedDataA(), Ed->NrOfColumns() * Ed->NrOfRows());
  EXPECT_EQ(Ed->NrOfMarkedDataB(), 0);
  EXPECT_TRUE(Ed->IfAnyMarked());
  EXPECT_TRUE(Ed->IfColumnMarked(3));
  Ed->UnMarkAllElems();
  EXPECT_FALSE(Ed->IfAnyMarked());
}

TEST_F(NTabTest, ColumnSortWithHeadersCarriesPrecisions) {
  for (int C = 1; C <= 3; ++C) {
    Ed->SetElem(C, 1, 4 - C);
    Ed->SetPrecision(C, C);
  }
  Ed->SortCols(1, true, 1, 1, 3, 4, true);
  EXPECT_EQ(Ed->Elem(1, 1), 1);
  EXPECT_EQ(Ed->Precision(1), 3);
  EXPECT_EQ(Ed->Precision(3), 1);
  EXPECT_EQ(Ed->FindColIndex(u"c-3"), 1);
  Ed->SortCols(1, false, 1, 1, 3, 4, false);
  EXPECT_EQ(Ed->Elem(1, 1), 3);
  EXPECT_EQ(Ed->Precision(1), 3);
}

TEST_F(NTabTest, ExternalTableIsShownAndLeftAliveWithoutHooks) {
  auto Ext = std::make_unique<TDataTable>(nullptr, 6, 2);
  Ext->SetElem(6, 2, 42);
  Ed->AssignAnotherDataMatrix(Ext.get());
  EXPECT_EQ(Ed->ColCount(), 6 + 2);
  EXPECT_EQ(Ed->Precision(6), 3);
  EXPECT_EQ(Ed->Elem(6, 2), 42);
  Changes = 0;
  Ext->SetElem(1, 1, 1);
  EXPECT_EQ(Changes, 1);
  Form.reset();
  EXPECT_FALSE(Ext->OnDataChanged());
  EXPECT_FALSE(Ext->OnResized());
  Ext->Resize(2, 2);  // no hook into the deleted editor
}

TEST_F(NTabTest, CopyContentsAndCellStatesFromAnotherEditor) {
  auto* Other = new TNTabEd(Form.get());
  Other->SetNrOfColumns(5);
  Other->SetPrecision(5, 7);
  Other->SetElem(5, 4, 3.25);
  Ed->CopyContentsFrom(Other);
  EXPECT_EQ(Ed->NrOfColumns(), 5);
  EXPECT_EQ(Ed->Precision(5), 7);
  EXPECT_EQ(Ed->Elem(5, 4), 3.25);
  Other->SetElemMarkedB(2, 2, true);
  EXPECT_TRUE(Ed->CopyCellStatesFrom(Other));
  EXPECT_TRUE(Ed->ElemMarkedB(2, 2));
  Other->SetNrOfRows(9);
  EXPECT_FALSE(Ed->CopyCellStatesFrom(Other));
}

// --- Popup menus -----------------------------------------------------------------------------------

TEST_F(NTabTest, DataPopupMarksRangeAndPasteFollowsCopyAndReadOnly) {
  Select(1, 1, 2, 2);
  Choose({u"M1It1"});
  RightClickData(1, 1);
  ASSERT_EQ(Openings.size(), 1u);
  EXPECT_FALSE(WasEnabled(0, u"DIt8"));  // nothing copied yet
  EXPECT_EQ(Ed->NrOfMarkedDataA(), 4);  // a right click keeps the selection
  Ed->PopupMenuClickMarkBRange(nullptr);
  EXPECT_EQ(Ed->NrOfMarkedDataB(), 4);
  Ed->PopupMenuClickCopy(nullptr);
  Choose({});
  RightClickData(1, 1);
  EXPECT_TRUE(WasEnabled(1, u"DIt8"));
  Ed->SetDataReadOnly(true);
  RightClickData(1, 1);
  EXPECT_FALSE(WasEnabled(2, u"DIt8"));
  EXPECT_FALSE(WasEnabled(2, u"DIt6"));
  EXPECT_FALSE(Ed->PopupD()->Items()->Items(8)->Bitmap()->Empty());  // the read-only box
}

TEST_F(NTabTest, MaskDisablesItemsButOpeningRestoresClearAndExtract) {
  Ed->SetPopupDMask(0);
  for (int I = 0; I < 12; ++I) EXPECT_FALSE(Ed->PopupD()->Items()->Items(I)->Enabled());
  RightClickData(2, 2);
  EXPECT_EQ(Openings.at(0), (std::vector<String>{u"DIt6", u"DIt10"}));
  EXPECT_EQ(Setups, 1);
}

TEST_F(NTabTest, HeaderPopupStepsPrecisionAndRewritesCaptions) {
  Ed->SetPrecision(2, 0);
  Ed->SetPopupHCaptions(3, u"Mine");
  Layouts = 0;
  Choose({u"HIt2", u"HIt2"});
  RightClickHeader(2 + Ed->ColOffset(), 0);
  EXPECT_EQ(Ed->Precision(2), 10);  // 0, -1, then round to 10
  EXPECT_EQ(Layouts, 2);
  EXPECT_EQ(Ed->PopupHCaptions(3), u"Select Column");
  ASSERT_EQ(Openings.size(), 3u);
  EXPECT_TRUE(WasEnabled(0, u"HIt2"));
  // On a row header precision cannot change, and the captions speak of rows.
  RightClickHeader(0, 3);
  EXPECT_FALSE(WasEnabled(3, u"HIt2"));
  EXPECT_EQ(Ed->PopupHCaptions(5), u"Delete Row");
}

TEST_F(NTabTest, HeaderPopupInsertsNamedColumnAndDeletesRow) {
  Choose({u"HIt4"});
  RightClickHeader(2 + Ed->ColOffset(), 0);
  EXPECT_EQ(Ed->NrOfColumns(), 4);
  EXPECT_EQ(Ed->ColName(2), u"(...)");
  Choose({u"HIt5"});
  Setups = 0;
  RightClickHeader(0, 4);
  EXPECT_EQ(Ed->NrOfRows(), 3);
  EXPECT_GE(Setups, 1);
}

TEST_F(NTabTest, NoHeaderPopupOnAttribHeaderCommentCellOrWhenBlocked) {
  RightClickHeader(1, 0);  // "Attrib"
  EXPECT_TRUE(Openings.empty());
  RightClickHeader(0, 0);
  EXPECT_TRUE(Openings.empty());
  EXPECT_TRUE(Ed->CommentEditorActive());
  sim::KeyDown(Ed->CommentEditor(), VK_ESCAPE, {});
  EXPECT_FALSE(Ed->CommentEditorActive());
  Ed->SetBlockInternalPopup(true);
  RightClickData(1, 1);
  RightClickHeader(2, 0);
  RightClickHeader(0, 0);
  EXPECT_TRUE(Openings.empty());
  EXPECT_FALSE(Ed->CommentEditorActive());
}

TEST_F(NTabTest, NameEditorStoresNamesAndClampedAttributes) {
  int Headings = 0;
  Ed->SetOnHeadingChanged([&](TObject*) { ++Headings; });
  Choose({u"HIt1"});
  RightClickHeader(3 + Ed->ColOffset(), 0);
  ASSERT_TRUE(Ed->NameEditorActive());
  Ed->NameEditor()->SetText(u"Speed");
  sim::KeyDown(Ed->NameEditor(), VK_RETURN, {});
  EXPECT_FALSE(Ed->NameEditorActive());
  EXPECT_EQ(Ed->ColName(3), u"Speed");
  EXPECT_EQ(Headings, 2);
  Choose({u"HIt1"});
  RightClickHeader(1, 2);  // attribute of row 2
  Ed->NameEditor()->SetText(u"300");
  sim::KeyDown(Ed->NameEditor(), VK_RETURN, {});
  EXPECT_EQ(Ed->RowAttrib(2), 255);
}

TEST_F(NTabTest, CommentEditorStoresOnEnter) {
  RightClickHeader(0, 0);
  ASSERT_TRUE(Ed->CommentEditorActive());
  Ed->CommentEditor()->SetText(u"run 7");
  Changes = 0;
  sim::KeyDown(Ed->CommentEditor(), VK_RETURN, {});
  EXPECT_EQ(Ed->Comment(), u"run 7");
  EXPECT_EQ(Changes, 1);
  Ed->SetComment(u"a\tb\r\n");
  EXPECT_EQ(Ed->Comment(), u"ab");
}

// --- Clipboard ------------------------------------------------------------------------------------------

TEST_F(NTabTest, CopyWritesExactTextAndPasteRestoresBlock) {
  Ed->SetClipboardUseFullPrec(false);
  Ed->SetPrecision(1, 1);
  Ed->SetPrecision(2, 1);
  Ed->SetElem(1, 1, 1);
  Ed->SetElem(2, 1, 2);
  Ed->SetElem(1, 2, 3);
  Ed->SetIsEmpty(2, 2, true);
  Select(1, 1, 2, 2);
  Ed->PopupMenuClickCopy(nullptr);
  EXPECT_EQ(Clipboard()->AsText(), u" 1.0\t2.0\r\n 3.0\t####\r\n");
  Ed->SetClipboardUseFullPrec(true);
  Select(1, 1, 1, 1);
  Ed->PopupMenuClickCopy(nullptr);
  EXPECT_EQ(Clipboard()->AsText(), u"  1.0000000000000E+0000\r\n");
  Select(1, 1, 2, 2);
  Ed->PopupMenuClickCopy(nullptr);
  int Pastes = 0;
  Ed->SetOnPaste([&](TObject*) { ++Pastes; });
  Select(2, 3, 2, 3);
  Ed->PopupMenuClickPaste(nullptr);
  EXPECT_EQ(Ed->Elem(2, 3), 1);
  EXPECT_EQ(Ed->Elem(3, 3), 2);
  EXPECT_TRUE(Ed->IsEmpty(3, 4));
  EXPECT_EQ(Ed->Elem(2, 4), 3);
  EXPECT_EQ(Pastes, 1);
  EXPECT_EQ(Ed->Selection(), (TGridRect{2 + 1, 3, 3 + 1, 4}));
}

TEST_F(NTabTest, ExtractReadsNumbersLineByLine) {
  Clipboard()->SetAsText(u"1,5\r\n-2\t3e1\r\n");
  Select(1, 1, 1, 1);
  Ed->PopupMenuClickExtClip(nullptr);
  EXPECT_EQ(Ed->Elem(1, 1), 1);
  EXPECT_EQ(Ed->Elem(2, 1), 5);
  EXPECT_EQ(Ed->Elem(1, 2), -2);
  EXPECT_EQ(Ed->Elem(2, 2), 30);
  EXPECT_EQ(Ed->Selection(), (TGridRect{2, 1, 3, 2}));
}

TEST(NTabClip, MatrixSizeCountsLineFeedsBetweenNumbers) {
  const struct {
    const char16_t* Text;
    bool Any;
    int Cols, Rows;
  } Rows[] = {
      {u"1,5", true, 1, 1},  // a comma is a decimal separator here
      {u"1 2 3", true, 1, 1},
      {u"1 2\r\n3 4\r\n", true, 2, 3},
      {u"1\n2", true, 1, 1},  // a line feed right after a number is passed over
      {u"abc", false, 1, 1},
  };
  for (const auto& R : Rows) {
    int C = 0, N = 0;
    EXPECT_EQ(NTabClipMatrixSize(R.Text, C, N), R.Any) << ToUtf8(R.Text);
    EXPECT_EQ(C, R.Cols) << ToUtf8(R.Text);
    EXPECT_EQ(N, R.Rows) << ToUtf8(R.Text);
  }
}

// The fast number texts of the copy agree with the formatter on random values
// of every magnitude, ties and zeros included.
TEST(NTabClip, CopyNumberTextsMatchTheFormatter) {
  std::mt19937_64 Rng(3);
  std::vector<double> Values = {0.0,      -0.0,  0.5,   2.5,     -0.0004, 1e-320, 1e308, -1e-5, 123456.5, 0.125,
                                1e14,     1e-14, 99999999999999.5, 9.99999999999995, 0.30000000000000004};
  for (int I = 0; I < 50000; ++I) {
    const double M = std::uniform_real_distribution<double>(-10, 10)(Rng);
    Values.push_back(M * std::pow(10.0, static_cast<int>(Rng() % 70) - 25));
  }
  for (const double V : Values) {
    String Full, Fixed;
    NTabAppendFullPrec(Full, V);
    ASSERT_EQ(Full, FormatRealText(22, -1, V)) << V;
    const int D = static_cast<int>(Rng() % 11);
    NTabAppendFixed(Fixed, V, D);
    ASSERT_EQ(Fixed, FormatRealText(1, D, V)) << V << " " << D;
  }
}

// Numbers the quick reader takes come out as the scanner reads them; what
// it declines is left to the scanner.
TEST(NTabClip, QuickNumbersAgreeWithTheScanner) {
  const char16_t* Texts[] = {u"1.5 ", u"-2e3\t", u".5\r", u"-.25,", u"7", u"1e400 ", u"1e-400 ", u"+3 ",
                             u"1-2 ", u"1e ", u"0.30000000000000004 ", u"123456789012345678901234567890 ",
                             u"-inf ", u"Nan ", u"0x10 ", u"2\u00B2 ", u"1234567890123456789012345678901234567890123456.5 "};
  for (const char16_t* T : Texts) {
    int Quick = 1, Slow = 1;
    double V = 0;
    if (detail::QuickNumber(T, true, Quick, V)) {
      EXPECT_EQ(V, ScanFloatNumber(T, true, kSepModePoint, Slow)) << ToUtf8(T);
      EXPECT_EQ(Quick, Slow) << ToUtf8(T);
    }
  }
  int P = 1;
  double V = 0;
  EXPECT_FALSE(detail::QuickNumber(u"1e400 ", true, P, V));  // clamped by the scanner instead
  EXPECT_FALSE(detail::QuickNumber(u"1,5", false, P, V));
  for (const char16_t* Declined : {u"-inf", u"2\u00B2", u"1234567890123456789012345678901234567890123456.5 "}) {
    EXPECT_FALSE(detail::QuickNumber(Declined, true, P, V)) << ToUtf8(Declined);
  }
}

// --- Painting ------------------------------------------------------------------------------------------

TEST_F(NTabTest, PaintsSelectionBackgroundAndCommentCell) {
  Select(2, 2, 2, 2);
  Form->PaintPending();
  const TRect Sel = Ed->CellRect(2 + 1, 2);
  const TRect Other = Ed->CellRect(3 + 1, 3);
  auto Pixel = [&](int X, int Y) { return PixelToColor(Form->Surface()->ScanLine(Y)[X]); };
  EXPECT_EQ(Pixel(Sel.Right - 2, Sel.Bottom - 2), Ed->ColorRangeSelBG());
  EXPECT_EQ(Pixel(Other.Right - 2, Other.Bottom - 2), ColorToRGB(clWindow));
  RightClickHeader(0, 0);
  Form->PaintPending();
  const TRect C0 = Ed->CellRect(0, 0);
  EXPECT_EQ(Pixel(C0.Right - 2, C0.Bottom - 2), 0x808000u);
}

}  // namespace
}  // namespace orv
