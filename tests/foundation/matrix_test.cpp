#include "foundation/matrix.h"

#include <gtest/gtest.h>

#include <climits>

#include "foundation/basetypes.h"

namespace orv {
namespace {

TEST(Matrix, ResizeKeepsValuesThatStillFit) {
  TMatrix M(3, 2);
  for (int C = 1; C <= 3; ++C)
    for (int R = 1; R <= 2; ++R) M.SetElem(C, R, C * 10 + R);
  M.Resize(2, 4);
  EXPECT_EQ(M.NrOfColumns(), 2);
  EXPECT_EQ(M.NrOfRows(), 4);
  EXPECT_EQ(M.Elem(1, 1), 11);
  EXPECT_EQ(M.Elem(2, 2), 22);
  EXPECT_EQ(M.Elem(2, 3), 0);
  EXPECT_EQ(M.Elem(3, 1), 0);  // dropped column reads as outside
  M.Resize(4, 1);
  EXPECT_EQ(M.Elem(1, 1), 11);
  EXPECT_EQ(M.Elem(2, 1), 21);
  EXPECT_EQ(M.Elem(3, 1), 0);
  M.Fill(-2);
  EXPECT_EQ(M.Elem(4, 1), -2);
  M.Resize(-3, 5);
  EXPECT_EQ(M.NrOfColumns(), 0);
  EXPECT_EQ(M.NrOfRows(), 5);
}

TEST(Matrix, OutsideIndicesAreHarmless) {
  TMatrix M(2, 2);
  M.Fill(1);
  for (auto [C, R] : std::vector<std::pair<int, int>>{{0, 1}, {3, 1}, {1, 0}, {1, 3}, {INT_MIN, INT_MAX}}) {
    M.SetElem(C, R, 9);
    EXPECT_EQ(M.Elem(C, R), 0);
  }
  EXPECT_EQ(M.Elem(1, 1) + M.Elem(1, 2) + M.Elem(2, 1) + M.Elem(2, 2), 4);
  TMatrix Empty;
  EXPECT_EQ(Empty.Elem(1, 1), 0);
  Empty.Fill(3);
}

TEST(Matrix, ImpossibleSizeRaisesAndKeepsContent) {
  TMatrix M(2, 2);
  M.SetElem(2, 2, 5);
  EXPECT_THROW(M.Resize(INT_MAX, INT_MAX), EORVDStructError);
  EXPECT_EQ(M.NrOfColumns(), 2);
  EXPECT_EQ(M.Elem(2, 2), 5);
  TIntMatrix I(nullptr, 3, 1);
  I.SetVal(3, 1, 8);
  EXPECT_THROW(I.Resize(INT_MAX, INT_MAX), EORVDStructError);
  EXPECT_EQ(I.NrOfRows(), 1);
  EXPECT_EQ(I.GetVal(3, 1), 8);
}

TEST(IntMatrix, SetNRowsKeepsColumnsAndContent) {
  // A holiday list: day, month, year per row.
  TIntMatrix H(nullptr);
  EXPECT_EQ(H.NrOfColumns(), 0);
  EXPECT_EQ(H.NrOfRows(), 0);
  H.Resize(3, 1);
  H.SetVal(1, 1, 25);
  H.SetVal(2, 1, 12);
  H.SetVal(3, 1, -99999);
  H.SetNRows(2);
  H.SetVal(1, 2, 1);
  H.SetVal(2, 2, 5);
  H.SetVal(3, 2, 2025);
  H.SetNRows(3);
  EXPECT_EQ(H.NrOfColumns(), 3);
  EXPECT_EQ(H.NrOfRows(), 3);
  EXPECT_EQ(H.GetVal(3, 1), -99999);
  EXPECT_EQ(H.GetVal(1, 2), 1);
  EXPECT_EQ(H.GetVal(3, 2), 2025);
  EXPECT_EQ(H.GetVal(2, 3), 0);
  H.SetNRows(1);
  EXPECT_EQ(H.GetVal(1, 2), 0);
  EXPECT_EQ(H.GetVal(2, 1), 12);
  H.SetNRows(0);
  EXPECT_EQ(H.NrOfColumns(), 3);
  H.SetNRows(1);
  EXPECT_EQ(H.GetVal(1, 1), 0);  // a removed row does not come back
}

TEST(IntMatrix, OutsideIndicesAndOwnership) {
  TComponent Owner(nullptr);
  auto* M = new TIntMatrix(&Owner, 2, 2);  // freed by its owner
  EXPECT_EQ(Owner.ComponentCount(), 1);
  M->Fill(4);
  M->SetVal(0, 1, 1);
  M->SetVal(3, 1, 1);
  M->SetVal(1, 3, 1);
  EXPECT_EQ(M->GetVal(0, 1), 0);
  EXPECT_EQ(M->GetVal(1, -1), 0);
  EXPECT_EQ(M->GetVal(2, 2), 4);
  M->Resize(3, 2);
  EXPECT_EQ(M->GetVal(2, 2), 4);
  EXPECT_EQ(M->GetVal(3, 2), 0);
}

}  // namespace
}  // namespace orv
