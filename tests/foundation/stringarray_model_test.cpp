// Random operation sequences run against TStringArray and a plain model
// (vectors of strings, std::stable_sort); both must agree after every step.
// Also checks that a resize that runs out of memory leaves the matrix intact.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "foundation/stringarray.h"
#include "framework/rtl/sysutils.h"
#include "framework/rtl/unicode.h"

namespace orv {
namespace {

// The model keeps rows in unsorted order and a shown-to-unsorted mapping.
class TModel {
 public:
  TModel(int Cols, int Rows) : FCols(Cols) {
    FCells.assign(static_cast<size_t>(Rows), std::vector<String>(static_cast<size_t>(Cols) + 1));
    FRowAttr.assign(static_cast<size_t>(Rows), 0);
    FColAttr.assign(static_cast<size_t>(Cols) + 1, 0);
    Identity();
  }

  int Cols() const { return FCols; }
  int Rows() const { return static_cast<int>(FCells.size()); }
  const String& Elem(int Col, int Row) const { return FCells[FPerm[Row - 1]][Col]; }
  uint8_t RowAttr(int Row) const { return FRowAttr[FPerm[Row - 1]]; }
  uint8_t ColAttr(int Col) const { return FColAttr[Col]; }
  int Unsorted(int Row) const { return static_cast<int>(FPerm[Row - 1]) + 1; }

  void SetElem(int Col, int Row, String Text) {
    if (Text.size() > 255) {
      const bool SplitsPair = Text[254] >= 0xD800 && Text[254] <= 0xDBFF && Text[255] >= 0xDC00 && Text[255] <= 0xDFFF;
      Text.resize(SplitsPair ? 254 : 255);
    }
    FCells[FPerm[Row - 1]][Col] = Text;
  }
  void SetRowAttr(int Row, uint8_t V) { FRowAttr[FPerm[Row - 1]] = V; }
  void SetColAttr(int Col, uint8_t V) { FColAttr[Col] = V; }

  void InsertRow(int Row) {
    const size_t At = std::min(static_cast<size_t>(Row - 1), FCells.size());
    const size_t P = At < FPerm.size() ? FPerm[At] : FCells.size();
    for (size_t& E : FPerm)
      if (E >= P) ++E;
    FCells.insert(FCells.begin() + static_cast<long>(P), std::vector<String>(static_cast<size_t>(FCols) + 1));
    FRowAttr.insert(FRowAttr.begin() + static_cast<long>(P), 0);
    FPerm.insert(FPerm.begin() + static_cast<long>(At), P);
  }
  void RemoveRow(int Row) {
    const size_t P = FPerm[Row - 1];
    FCells.erase(FCells.begin() + static_cast<long>(P));
    FRowAttr.erase(FRowAttr.begin() + static_cast<long>(P));
    FPerm.erase(FPerm.begin() + Row - 1);
    for (size_t& E : FPerm)
      if (E > P) --E;
  }
  void InsertColumn(int Col) {
    for (auto& R : FCells) R.insert(R.begin() + Col, String());
    FColAttr.insert(FColAttr.begin() + Col, 0);
    ++FCols;
  }
  void RemoveColumn(int Col) {
    for (auto& R : FCells) R.erase(R.begin() + Col);
    FColAttr.erase(FColAttr.begin() + Col);
    --FCols;
  }
  void Resize(int Cols, int Rows) {
    for (auto& R : FCells) R.resize(static_cast<size_t>(Cols) + 1);
    FColAttr.resize(static_cast<size_t>(Cols) + 1, 0);
    FCols = Cols;
    // Cut shown rows from the end, keeping the order of the rest.
    while (this->Rows() > Rows) RemoveRow(this->Rows());
    while (this->Rows() < Rows) {
      FCells.emplace_back(static_cast<size_t>(Cols) + 1);
      FRowAttr.push_back(0);
      FPerm.push_back(FCells.size() - 1);
    }
  }
  void Sort(int Col, int ColSec, bool Ascending) {
    const bool Sec = ColSec >= 0 && ColSec <= FCols && ColSec != Col;
    std::vector<size_t> Shown = FPerm;
    std::stable_sort(Shown.begin(), Shown.end(), [&](size_t A, size_t B) {
      int C = Compare(FCells[A][Col], FCells[B][Col]);
      if (C == 0 && Sec) C = Compare(FCells[A][ColSec], FCells[B][ColSec]);
      return Ascending ? C < 0 : C > 0;
    });
    FPerm = Shown;
  }
  void UnSort() { Identity(); }
  void Commit() {
    std::vector<std::vector<String>> Cells;
    std::vector<uint8_t> Attr;
    for (size_t P : FPerm) {
      Cells.push_back(FCells[P]);
      Attr.push_back(FRowAttr[P]);
    }
    FCells = Cells;
    FRowAttr = Attr;
    Identity();
  }
  void SetUnsorted(int Row, int Pos) {
    const auto Other = std::find(FPerm.begin(), FPerm.end(), static_cast<size_t>(Pos - 1));
    std::swap(*Other, FPerm[Row - 1]);
  }

 private:
  void Identity() {
    FPerm.resize(FCells.size());
    std::iota(FPerm.begin(), FPerm.end(), size_t{0});
  }
  // Empty < numbers (by value) < texts (letter case of ASCII/Latin-1 ignored).
  static int Compare(const String& A, const String& B) {
    const int KA = Kind(A), KB = Kind(B);
    if (KA != KB) return KA < KB ? -1 : 1;
    if (KA == 1) {
      const double X = Value(A), Y = Value(B);
      return X == Y ? 0 : (X < Y ? -1 : 1);
    }
    return KA == 2 ? CompareText(A, B) : 0;
  }
  static int Kind(const String& S) {
    if (S.empty()) return 0;
    return IsNumber(ToUtf8(S)) ? 1 : 2;
  }
  // blanks [sign] (digits [sep digits*] | sep digits) [e [sign] digits] blanks
  static bool IsNumber(const std::string& T) {
    const size_t First = T.find_first_not_of(" \t");
    const size_t Last = T.find_last_not_of(" \t");
    if (First == std::string::npos) return false;
    const std::string Core = T.substr(First, Last - First + 1);
    size_t I = 0;
    auto Digits = [&] {
      const size_t Start = I;
      while (I < Core.size() && std::isdigit(static_cast<unsigned char>(Core[I]))) ++I;
      return I - Start;
    };
    if (I < Core.size() && (Core[I] == '+' || Core[I] == '-')) ++I;
    size_t Mantissa = Digits();
    if (I < Core.size() && (Core[I] == '.' || Core[I] == ',')) {
      ++I;
      Mantissa += Digits();
    }
    if (Mantissa == 0) return false;
    if (I < Core.size() && (Core[I] == 'e' || Core[I] == 'E')) {
      ++I;
      if (I < Core.size() && (Core[I] == '+' || Core[I] == '-')) ++I;
      if (Digits() == 0) return false;
    }
    return I == Core.size();
  }
  static double Value(const String& S) {
    std::string T = ToUtf8(S);
    std::replace(T.begin(), T.end(), ',', '.');
    return std::strtod(T.c_str(), nullptr);
  }

  int FCols;
  std::vector<std::vector<String>> FCells;
  std::vector<uint8_t> FRowAttr, FColAttr;
  std::vector<size_t> FPerm;
};

void ExpectSame(const TStringArray& A, const TModel& M, int Step) {
  ASSERT_EQ(A.NrOfColumns(), M.Cols()) << "step " << Step;
  ASSERT_EQ(A.NrOfRows(), M.Rows()) << "step " << Step;
  for (int Col = 0; Col <= M.Cols(); ++Col) ASSERT_EQ(A.ColAttrib(Col), M.ColAttr(Col)) << "step " << Step;
  for (int Row = 1; Row <= M.Rows(); ++Row) {
    ASSERT_EQ(A.RowAttrib(Row), M.RowAttr(Row)) << "step " << Step << " row " << Row;
    ASSERT_EQ(A.UnsortedPosition(Row), M.Unsorted(Row)) << "step " << Step << " row " << Row;
    for (int Col = 0; Col <= M.Cols(); ++Col)
      ASSERT_EQ(A.Elem(Col, Row), M.Elem(Col, Row)) << "step " << Step << " cell " << Col << "," << Row;
  }
}

String RandomText(std::mt19937& Rng) {
  static const std::vector<String> Words{u"",         u"apple",     u"Apple",    u"APPLE",         u"banana",
                                         u"10",       u"9,5",       u" -3.25 ",  u"1e3",           u"+.5",
                                         u"007",      u"abcdefgh",  u"ABCDEFGHx", u"abcdefghij",   u"\u00E9t\u00E9",
                                         u"\u00C9T\u00C9", u"\u03A9mega", u"x\U0001F600", u"1.2.3", u"-0"};
  std::uniform_int_distribution<int> Pick(0, 24);
  const int K = Pick(Rng);
  if (K < static_cast<int>(Words.size())) return Words[static_cast<size_t>(K)];
  if (K == 20) return String(250 + Rng() % 20, static_cast<Char>(u'a' + Rng() % 3));  // around the length limit
  if (K == 21) return String(254, u'z') + u"\U0001F600";                                // pair across the limit
  if (K == 22) return IntToStr(static_cast<int>(Rng() % 2001) - 1000);
  String S;
  for (unsigned I = 0, N = 1 + Rng() % 12; I < N; ++I) S += static_cast<Char>(u"aAbBzZ\u00E4\u00C4\u03B1 "[Rng() % 10]);
  return S;
}

TEST(StringArrayModel, RandomOperationsAgreeWithModel) {
  for (unsigned Seed = 1; Seed <= 12; ++Seed) {
    std::mt19937 Rng(Seed);
    TStringArray A(3, 5);
    A.SetAllocGranularity(1 + static_cast<int>(Seed % 4));
    TModel M(3, 5);
    for (int Step = 0; Step < 600; ++Step) {
      const int Rows = M.Rows(), Cols = M.Cols();
      auto AnyRow = [&] { return 1 + static_cast<int>(Rng() % static_cast<unsigned>(std::max(Rows, 1))); };
      auto AnyCol = [&] { return static_cast<int>(Rng() % static_cast<unsigned>(Cols + 1)); };
      switch (Rng() % 16) {
        case 0: case 1: case 2: case 3: case 4: {
          if (Rows == 0) break;
          const int Col = AnyCol(), Row = AnyRow();
          const String T = RandomText(Rng);
          A.SetElem(Col, Row, T);
          M.SetElem(Col, Row, T);
          break;
        }
        case 5: {
          if (Rows == 0) break;
          const int Row = AnyRow();
          const auto V = static_cast<uint8_t>(Rng());
          A.SetRowAttrib(Row, V);
          M.SetRowAttr(Row, V);
          const int Col = AnyCol();
          A.SetColAttrib(Col, V);
          M.SetColAttr(Col, V);
          break;
        }
        case 6: {
          const int Row = 1 + static_cast<int>(Rng() % static_cast<unsigned>(Rows + 1));
          A.InsertRow(Row);
          M.InsertRow(Row);
          break;
        }
        case 7:
          if (Rows == 0) break;
          {
            const int Row = AnyRow();
            A.RemoveRow(Row);
            M.RemoveRow(Row);
          }
          break;
        case 8: {
          if (Cols >= 6) break;
          const int Col = static_cast<int>(Rng() % static_cast<unsigned>(Cols + 2));
          A.InsertColumn(Col);
          M.InsertColumn(Col);
          break;
        }
        case 9:
          if (Cols < 1) break;
          {
            const int Col = AnyCol();
            A.RemoveColumn(Col);
            M.RemoveColumn(Col);
          }
          break;
        case 10: case 11: {
          const int Col = AnyCol();
          const int Sec = static_cast<int>(Rng() % static_cast<unsigned>(Cols + 2)) - 1;
          const bool Asc = Rng() % 2 == 0;
          A.Sort(Col, Sec, Asc);
          M.Sort(Col, Sec, Asc);
          break;
        }
        case 12:
          A.UnSort();
          M.UnSort();
          break;
        case 13:
          A.CommitSorting();
          M.Commit();
          break;
        case 14: {
          const int NewCols = static_cast<int>(Rng() % 6), NewRows = static_cast<int>(Rng() % 12);
          A.Resize(NewCols, NewRows);
          M.Resize(NewCols, NewRows);
          break;
        }
        case 15:
          if (Rows == 0) break;
          {
            const int Row = AnyRow(), Pos = AnyRow();
            A.SetUnsortedPosition(Row, Pos);
            M.SetUnsorted(Row, Pos);
          }
          break;
      }
      ExpectSame(A, M, Step);
      if (HasFatalFailure()) {
        ADD_FAILURE() << "seed " << Seed;
        return;
      }
    }
  }
}

TEST(StringArrayModel, LargeSortMatchesStableSortOfTheSameKeys) {
  std::mt19937 Rng(42);
  const int N = 30000;
  TStringArray A(2, N);
  TModel M(2, N);
  for (int Row = 1; Row <= N; ++Row) {
    const String Key = Row % 5 == 0 ? IntToStr(static_cast<int>(Rng() % 1000)) : RandomText(Rng);
    A.SetElem(1, Row, Key);
    M.SetElem(1, Row, Key);
    A.SetElem(2, Row, IntToStr(Row));
    M.SetElem(2, Row, IntToStr(Row));
  }
  A.Sort(1, -1, false);
  M.Sort(1, -1, false);
  ExpectSame(A, M, 0);
}

#if defined(__SANITIZE_ADDRESS__)
#define ORV_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORV_UNDER_ASAN 1
#endif
#endif

TEST(StringArrayMemory, FailedResizeLeavesContentIntact) {
#ifdef ORV_UNDER_ASAN
  GTEST_SKIP() << "the sanitizer's allocator does not report exhaustion as std::bad_alloc";
#else
  // Address space in use by this process, from /proc.
  auto VirtualBytes = [] {
    std::ifstream Statm("/proc/self/statm");
    long Pages = 0;
    Statm >> Pages;
    return Pages * sysconf(_SC_PAGESIZE);
  };
  // Runs in a child whose address space is capped just above what it uses.
  const pid_t Child = fork();
  ASSERT_GE(Child, 0);
  if (Child == 0) {
    TStringArray A(3, 100);
    for (int Row = 1; Row <= 100; ++Row) A.SetElem(2, Row, u"row " + IntToStr(Row));
    A.SetRowAttrib(7, 0x40);
    A.Sort(2, -1, false);
    const String Top = A.Elem(2, 1);
    rlimit Limit{static_cast<rlim_t>(VirtualBytes() + (64 << 20)), RLIM_INFINITY};
    if (setrlimit(RLIMIT_AS, &Limit) != 0) _exit(2);
    int Result = 3;
    try {
      A.Resize(3, 200'000'000);  // 1.6 GB of row handles cannot fit
      Result = 4;
    } catch (const EORVDStructError&) {
      const bool Intact = A.NrOfRows() == 100 && A.NrOfColumns() == 3 && A.Elem(2, 1) == Top &&
                          A.Elem(2, 100) == u"row 1" && A.UnsortedPosition(1) != 1;
      int Flagged = 0;
      for (int Row = 1; Row <= 100; ++Row) Flagged += A.RowAttrib(Row) == 0x40 && A.UnsortedPosition(Row) == 7;
      Result = Intact && Flagged == 1 ? 0 : 5;
    } catch (...) {
      Result = 6;
    }
    _exit(Result);
  }
  int Status = 0;
  ASSERT_EQ(waitpid(Child, &Status, 0), Child);
  ASSERT_TRUE(WIFEXITED(Status));
  EXPECT_EQ(WEXITSTATUS(Status), 0);
#endif
}

}  // namespace
}  // namespace orv
