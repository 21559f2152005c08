#include "foundation/bitfld.h"

#include <gtest/gtest.h>

#include <climits>

#include "framework/rtl/exceptions.h"

namespace orv {
namespace {

TEST(BitFld, OutsideIndicesReadFalseAndIgnoreWrites) {
  TBitFld B(10);
  EXPECT_EQ(B.Size(), 10);
  for (int Ix : {-1, 10, 11, INT_MAX, INT_MIN}) {
    B.SetBit(Ix, true);
    B.Toggle(Ix);
    EXPECT_FALSE(B.Bit(Ix));
  }
  EXPECT_EQ(B.Count(), 0);
  B.SetBit(0, true);
  B.SetBit(9, true);
  EXPECT_TRUE(B.Bit(0));
  EXPECT_TRUE(B.Bit(9));
  EXPECT_EQ(B.Count(), 2);
  TBitFld Empty;
  EXPECT_EQ(Empty.Size(), 0);
  EXPECT_FALSE(Empty.Bit(0));
  EXPECT_EQ(Empty.FirstSet(), -1);
  EXPECT_EQ(TBitFld(-5).Size(), 0);
}

TEST(BitFld, ResizingKeepsBitsAndNeverRevivesDroppedOnes) {
  TBitFld B(130);
  B.SetAll();
  EXPECT_EQ(B.Count(), 130);
  B.SetSize(70);
  EXPECT_EQ(B.Count(), 70);
  B.SetSize(200);  // bits 70..199 come back cleared
  EXPECT_EQ(B.Count(), 70);
  EXPECT_TRUE(B.Bit(69));
  EXPECT_FALSE(B.Bit(70));
  EXPECT_FALSE(B.Bit(129));
  B.SetSize(3);
  B.Invert();
  EXPECT_EQ(B.Count(), 0);
  B.SetSize(64);
  EXPECT_EQ(B.Count(), 0);
  B.Invert();
  EXPECT_EQ(B.Count(), 64);
  B.SetSize(-1);
  EXPECT_EQ(B.Size(), 0);
  EXPECT_EQ(B.Count(), 0);
}

TEST(BitFld, SearchAcrossWordBoundaries) {
  TBitFld B(300);
  for (int Ix : {5, 63, 64, 127, 128, 299}) B.SetBit(Ix, true);
  std::vector<int> Found;
  for (int Ix = B.FirstSet(); Ix >= 0; Ix = B.NextSet(Ix)) Found.push_back(Ix);
  EXPECT_EQ(Found, (std::vector<int>{5, 63, 64, 127, 128, 299}));
  EXPECT_EQ(B.NextSet(-100), 5);
  EXPECT_EQ(B.NextSet(299), -1);
  EXPECT_EQ(B.NextSet(INT_MAX), -1);
  B.Toggle(5);
  B.Toggle(6);
  EXPECT_EQ(B.FirstSet(), 6);
  B.SetBit(6, false);
  EXPECT_EQ(B.FirstSet(), 63);
  B.Clear();
  EXPECT_EQ(B.FirstSet(), -1);
  EXPECT_EQ(B.Size(), 300);
}

TEST(BitFld, AssignCopiesSizeAndBits) {
  TBitFld A(77);
  A.SetBit(76, true);
  A.SetBit(1, true);
  TBitFld B(5);
  B.SetAll();
  B.Assign(&A);
  EXPECT_EQ(B.Size(), 77);
  EXPECT_TRUE(B == A);
  A.SetBit(2, true);  // independent copies
  EXPECT_FALSE(B.Bit(2));
  B.Assign(&B);
  EXPECT_EQ(B.Count(), 2);
  TPersistent Other;
  EXPECT_THROW(B.Assign(&Other), EConvertError);
  EXPECT_EQ(B.Count(), 2);
}

}  // namespace
}  // namespace orv
