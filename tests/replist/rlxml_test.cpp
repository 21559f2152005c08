// XML exchange: random round trips, several lists in one file or stream,
// selection by identifier, the root-line check and damaged input.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>

#include "framework/rtl/streams.h"
#include "framework/rtl/sysutils.h"
#include "framework/rtl/textfile.h"
#include "framework/rtl/unicode.h"
#include "replist/rldata.h"
#include "replist/rlxml.h"

#include "memory_limit.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

// Limits the size of files this process writes, like a nearly full device.
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t Bytes) {
    ::getrlimit(RLIMIT_FSIZE, &FSaved);
    FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit L = FSaved;
    L.rlim_cur = Bytes;
    ::setrlimit(RLIMIT_FSIZE, &L);
  }
  ~TFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &FSaved);
    std::signal(SIGXFSZ, FOldHandler);
  }
  TFileSizeLimit(const TFileSizeLimit&) = delete;
  TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

 private:
  rlimit FSaved{};
  void (*FOldHandler)(int) = nullptr;
};

String TempPath(const char* Name) {
  return FromUtf8((fs::temp_directory_path() / ("orv_rlxml_" + std::to_string(::getpid()) + "_" + Name)).string());
}

// Text of Length units drawn from blanks, markup characters, control
// characters, Latin-1, CJK and surrogate pairs (occasionally a lone half).
String RandomText(std::mt19937& Rng, size_t Length) {
  static const char16_t kPool[] = u" aZ09&<>\"';|,\t\n\r\x01\x1f\x7f\u00e4\u00df\u20ac\u4e2d\ufffd\ufffe";
  String T;
  while (T.size() < Length) {
    const unsigned Pick = Rng() % 40;
    if (Pick < 30) {
      T += kPool[Rng() % (sizeof kPool / sizeof kPool[0] - 1)];
    } else if (Pick < 38) {
      T += static_cast<Char>(u'a' + Rng() % 26);
    } else if (Pick == 38 && T.size() + 2 <= Length) {
      T += u"\U0001F600";
    } else {
      T += static_cast<Char>(0xD800 + Rng() % 0x800);  // an unpaired surrogate
    }
  }
  return T;
}

void FillRandom(TRLData& D, std::mt19937& Rng) {
  const int Cols = 1 + static_cast<int>(Rng() % 6);
  const int Rows = static_cast<int>(Rng() % 12);
  D.SetNrOfColumns(Cols);
  D.SetNrOfRows(Rows);
  for (int C = 1; C <= Cols; ++C) {
    D.SetHeader(C, RandomText(Rng, Rng() % 8));
    if (Rng() % 2) D.SetColumnFormat(C, RandomText(Rng, Rng() % 20));
    D.Strings()->SetColAttrib(C, static_cast<uint8_t>(Rng() % 3 == 0 ? 0x80 : 0));
  }
  for (int R = 1; R <= Rows; ++R) {
    D.Strings()->SetRowAttrib(R, static_cast<uint8_t>(Rng() % 256));
    for (int C = 0; C <= Cols; ++C) {
      const unsigned Kind = Rng() % 6;
      D.SetElem(C, R, Kind == 0 ? String() : Kind == 1 ? String(255, u'w') : RandomText(Rng, Rng() % 20));
    }
  }
  for (int C = 1; C <= Cols; ++C) {
    const unsigned Mode = Rng() % 3;
    D.SetColumnCheckMode(C, static_cast<TCheckMode>(Mode));
    for (int R = 1; R <= Rows; ++R)
      if (Rng() % 3 == 0) D.SetElemChecked(C, R, true);
  }
  D.SetCommonHeader(RandomText(Rng, Rng() % 30));
  D.SetComment(RandomText(Rng, Rng() % 30));
  if (Rows > 1 && Rng() % 2) D.Sort(1 + static_cast<int>(Rng() % Cols), -1, Rng() % 2 == 0);
}

void ExpectSameStore(const TRLData& A, const TRLData& B) {
  ASSERT_EQ(A.NrOfColumns(), B.NrOfColumns());
  ASSERT_EQ(A.NrOfRows(), B.NrOfRows());
  EXPECT_EQ(A.CommonHeader(), B.CommonHeader());
  EXPECT_EQ(A.Comment(), B.Comment());
  EXPECT_EQ(A.LastSortColumn(), B.LastSortColumn());
  EXPECT_EQ(A.LastSortOrder(), B.LastSortOrder());
  for (int C = 1; C <= A.NrOfColumns(); ++C) {
    EXPECT_EQ(A.Header(C), B.Header(C)) << C;
    EXPECT_EQ(A.ColumnFormat(C), B.ColumnFormat(C)) << C;
    EXPECT_EQ(A.ColumnCheckMode(C), B.ColumnCheckMode(C)) << C;
    EXPECT_EQ(A.Strings()->ColAttrib(C), B.Strings()->ColAttrib(C)) << C;
  }
  for (int R = 1; R <= A.NrOfRows(); ++R) {
    EXPECT_EQ(A.Strings()->RowAttrib(R), B.Strings()->RowAttrib(R)) << R;
    EXPECT_EQ(A.Strings()->UnsortedPosition(R), B.Strings()->UnsortedPosition(R)) << R;
    for (int C = 0; C <= A.NrOfColumns(); ++C)
      EXPECT_EQ(A.Strings()->Elem(C, R), B.Strings()->Elem(C, R)) << C << "," << R;
  }
}

TEST(RLXmlTags, WordsOfTheVocabulary) {
  EXPECT_EQ(RepListXmlTagWord(xmlNumCols), u"numcols");
  EXPECT_EQ(RepListXmlTagWord(xmlCheckedColumn), u"checkedcolumn");
  EXPECT_EQ(RepListXmlTagWord(xmlCommonHd), u"commonheader");
  EXPECT_EQ(RepListXmlTagWord(xmlEndReplist), u"/replist");
  EXPECT_EQ(RepListXmlTagWord(xmlInvalid), u"invalidtag");
  EXPECT_EQ(RepListXmlTagOf(u"ColumnFormat"), xmlColumnFormat);
  EXPECT_EQ(RepListXmlTagOf(u"nothing"), xmlInvalid);
}

TEST(RLXmlRoundTrip, RandomStoresComeBackExactly) {
  std::mt19937 Rng(20240611);
  for (int Round = 0; Round < 150; ++Round) {
    TRLData A(nullptr), B(nullptr);
    FillRandom(A, Rng);
    TMemoryStream S;
    A.WriteToXMLStream(&S, Round % 2 == 0, u"List" + IntToStr(Round));
    S.SetPosition(0);
    ASSERT_TRUE(B.ReadFromXMLStream(&S, u"list" + IntToStr(Round))) << Round;
    EXPECT_EQ(B.DataID(), u"List" + IntToStr(Round));
    ExpectSameStore(A, B);
    if (A.Strings()->Sorted()) {
      A.UnSort();
      B.UnSort();
      ExpectSameStore(A, B);
    }
  }
}

TEST(RLXmlRoundTrip, ZeroRowsZeroColumnsAndTheStringForm) {
  TRLData A(nullptr), B(nullptr);
  A.SetNrOfColumns(3);
  A.SetHeader(2, u"h");
  TStringStream S;
  A.WriteToXMLStream(&S, true, u"x");
  B.SetNrOfRows(4);
  ASSERT_TRUE(B.ReadFromXMLString(FromUtf8(S.DataString()), u"X"));
  ExpectSameStore(A, B);

  A.RemoveColumn(1);
  A.RemoveColumn(1);
  A.RemoveColumn(1);
  ASSERT_EQ(A.NrOfColumns(), 0);
  TStringStream S2;
  A.WriteToXMLStream(&S2, false, u"");
  ASSERT_TRUE(B.ReadFromXMLString(FromUtf8(S2.DataString()), u""));
  EXPECT_EQ(B.NrOfColumns(), 0);
  EXPECT_EQ(B.NrOfRows(), 0);
}

TEST(RLXmlSelection, SeveralListsInOneStreamAndFile) {
  TRLData A(nullptr), B(nullptr), C(nullptr), R(nullptr);
  A.SetNrOfRows(1);
  A.SetElem(1, 1, u"first");
  B.SetNrOfRows(2);
  B.SetElem(1, 2, u"second");
  C.SetNrOfRows(1);
  C.SetElem(1, 1, u"third");
  TMemoryStream S;
  A.WriteToXMLStream(&S, true, u"alpha");
  B.WriteToXMLStream(&S, false, u"Beta");
  C.WriteToXMLStream(&S, false, u"gamma");

  S.SetPosition(0);
  ASSERT_TRUE(R.ReadFromXMLStream(&S, u"BETA"));
  EXPECT_EQ(R.Elem(1, 2), u"second");
  // The stream is left behind the list that was read.
  ASSERT_TRUE(R.ReadFromXMLStream(&S, u""));
  EXPECT_EQ(R.Elem(1, 1), u"third");
  EXPECT_EQ(R.DataID(), u"gamma");
  S.SetPosition(0);
  ASSERT_TRUE(R.ReadFromXMLStream(&S, u""));
  EXPECT_EQ(R.Elem(1, 1), u"first");
  S.SetPosition(0);
  EXPECT_FALSE(R.ReadFromXMLStream(&S, u"delta"));
  EXPECT_EQ(R.Elem(1, 1), u"first");  // unchanged after a miss

  // Text files opened by the caller: lists follow each other.
  const String Path = TempPath("multi.xml");
  {
    TextFile F;
    AssignFile(F, Path);
    Rewrite(F);
    A.WriteToOpenXMLFile(F, true, u"alpha");
    B.WriteToOpenXMLFile(F, false, u"beta");
    C.WriteToOpenXMLFile(F, false, u"gamma");
    CloseFile(F);
  }
  {
    TextFile F;
    AssignFile(F, Path);
    Reset(F);
    ASSERT_TRUE(R.ReadFromOpenXMLFile(F, u"beta"));
    EXPECT_EQ(R.Elem(1, 2), u"second");
    ASSERT_TRUE(R.ReadFromOpenXMLFile(F, u"gamma"));
    EXPECT_EQ(R.Elem(1, 1), u"third");
    EXPECT_FALSE(R.ReadFromOpenXMLFile(F, u"alpha"));  // already passed
    CloseFile(F);
  }
  EXPECT_TRUE(R.LoadFromXMLFile(Path, u"Alpha"));
  EXPECT_EQ(R.Elem(1, 1), u"first");
  EXPECT_TRUE(CheckIfValidReplist(Path, u"GAMMA"));
  EXPECT_FALSE(CheckIfValidReplist(Path, u"delta"));
  fs::remove(ToUtf8(Path));
  EXPECT_THROW(R.LoadFromXMLFile(Path, u""), EFOpenError);
  EXPECT_THROW(CheckIfValidReplist(Path, u""), EInOutError);
}

TEST(RLXmlCheck, RootLineRules) {
  auto Check = [](const char* Text, const char16_t* Id) {
    TStringStream S{std::string(Text)};
    return CheckIfValidReplist(&S, Id);
  };
  EXPECT_TRUE(Check("<replist format=\"orvkitset\" id=\"  My List  \">\n", u"my list"));
  EXPECT_TRUE(Check("<REPLIST ORVKITSET ID=\"Abc\">", u"aBC"));
  EXPECT_TRUE(Check("<replist orvkitset>", u""));
  EXPECT_FALSE(Check("<replist orvkitset>", u"a"));  // no id: empty identifier
  EXPECT_FALSE(Check("<replist id=\"a\">\n", u"a"));   // the word is missing
  EXPECT_FALSE(Check("orvkitset id=\"a\"\n<replist\n", u"a"));  // not on one line
  // A root line that does not match does not end the search.
  EXPECT_TRUE(Check("<replist orvkitset id=\"x\">\n</replist>\r\n<replist orvkitset id=\"y\">\r\n", u"y"));
  EXPECT_FALSE(Check("", u""));
  EXPECT_FALSE(CheckIfValidReplist(static_cast<TStream*>(nullptr), u""));
  String Id;
  EXPECT_TRUE(IsReplistRootLine(u"<replist orvkitset id=\" a&amp;b \">", u"A&B", &Id));
  EXPECT_EQ(Id, u"a&b");
}

TEST(RLXmlDamage, MalformedListsAreRefusedAndLeaveTheStore) {
  TRLData D(nullptr);
  D.SetNrOfRows(1);
  D.SetElem(1, 1, u"keep");
  const char* Bad[] = {
      "<replist format=\"orvkitset\" id=\"a\">\n<numcols>1</numcols>\n<numrows>1</numrows>\n",  // never closed
      "<replist format=\"orvkitset\" id=\"a\">\n<numcols>1</numcols>\n</replist>\n",  // no row count
      "<replist format=\"orvkitset\" id=\"a\">\n<numcols>x</numcols><numrows>1</numrows>\n</replist>\n",
      "<replist format=\"orvkitset\" id=\"a\">\n<numcols>1</numcols><numrows>1</numrows><cell c=\"2\" r=\"1\">a</cell>\n</replist>\n",
      "<replist format=\"orvkitset\" id=\"a\">\n<numcols>1</numcols><numrows>1</numrows><cell c=\"1\" r=\"0\">a</cell>\n</replist>\n",
      "<replist format=\"orvkitset\" id=\"a\">\n<numcols>1</numcols><numrows>1</numrows><cell c=\"1\">a</cell>\n</replist>\n",
      "<replist format=\"orvkitset\" id=\"a\">\n<numcols>1</numcols><numrows>1</numrows><cell c=\"1\" r=\"1\" enc=\"u16\">12</cell>\n</replist>\n",
      "<replist format=\"orvkitset\" id=\"a\">\n<numcols>1</numcols><numrows>1</numrows><cell c=\"1\" r=\"1\">a</cel>\n</replist>\n",
      "<replist format=\"orvkitset\" id=\"a\">\n<numcols>1</numcols><numrows>99999999999</numrows>\n</replist>\n",
      "<replist format=\"orvkitset\" id=\"a\">\n<numcols>1</numcols><numrows>2</numrows><sorting col=\"1\" sec=\"-1\" ascending=\"1\" toggle=\"1\">1 1</sorting>\n</replist>\n",
      "<replist format=\"orvkitset\" id=\"a\">\n<numcols>1</numcols><numrows>1</numrows><rowflags r=\"1\">300</rowflags>\n</replist>\n",
      "<replist format=\"orvkitset\" id=\"a\">\n<numcols>1</numcols><numrows>1</numrows><checkedcolumn c=\"1\">maybe</checkedcolumn>\n</replist>\n",
  };
  // The same list well formed is taken: each damaged one fails for its own flaw.
  const char* Good = "<replist format=\"orvkitset\" id=\"a\">\n<numcols>1</numcols><numrows>1</numrows>"
                     "<cell c=\"1\" r=\"1\">a</cell>\n</replist>\n";
  TRLData Probe(nullptr);
  ASSERT_TRUE(Probe.ReadFromXMLString(FromUtf8(Good), u"a"));
  EXPECT_EQ(Probe.Elem(1, 1), u"a");
  for (const char* Text : Bad) {
    EXPECT_FALSE(D.ReadFromXMLString(FromUtf8(Text), u"a")) << Text;
    EXPECT_EQ(D.NrOfRows(), 1);
    EXPECT_EQ(D.Elem(1, 1), u"keep");
  }
}

TEST(RLXmlDamage, RunningOutOfMemoryHalfWayLeavesTheStore) {
#ifdef ORV_MEMORY_LIMIT_UNAVAILABLE
  GTEST_SKIP() << "an address space limit cannot coexist with the sanitizer's shadow memory";
#else
  const int Result = testing_support::RunInChild([] {
    std::mt19937 Rng(12);
    TRLData D(nullptr);
    FillRandom(D, Rng);
    TStringStream Before;
    D.WriteToXMLStream(&Before, false, u"x");
    std::string Doc = "<replist format=\"orvkitset\" id=\"big\">\n<numcols>1</numcols><numrows>300000</numrows>\n";
    for (int R = 1; R <= 300'000; ++R) Doc += "<cell c=\"1\" r=\"" + std::to_string(R) + "\">v</cell>\n";
    Doc += "</replist>\n";
    TStringStream In(Doc);
    // Once the load has begun filling cells, memory runs out.
    bool Capped = false;
    D.SetOnPercentDone([&Capped](TObject*, int) {
      if (!Capped) Capped = testing_support::CapAddressSpace(1 << 20);
    });
    try {
      D.ReadFromXMLStream(&In, u"big");
      return 2;
    } catch (...) {
    }
    if (!Capped) return 3;
    D.SetOnPercentDone(nullptr);
    TStringStream After;
    D.WriteToXMLStream(&After, false, u"x");
    return After.DataString() == Before.DataString() ? 0 : 4;
  });
  EXPECT_EQ(Result, 0);
#endif
}

TEST(RLXmlFiles, FailedSaveKeepsThePreviousFile) {
  TRLData D(nullptr);
  D.SetNrOfRows(1);
  D.SetElem(1, 1, u"v1");
  const String Path = TempPath("atomic.xml");
  D.SaveAsXMLFile(Path, u"id");
  TRLData R(nullptr);
  ASSERT_TRUE(R.LoadFromXMLFile(Path, u"ID"));
  EXPECT_EQ(R.Elem(1, 1), u"v1");
  EXPECT_THROW(D.SaveAsXMLFile(TempPath("no_such_folder/x.xml"), u"id"), Exception);
  EXPECT_THROW(D.SaveAsXMLFile(u"/dev/full", u"id"), Exception);
  // A device that fills up while the new version is written.
  D.SetNrOfRows(2000);
  D.Fill(String(200, u'f'));
  {
    TFileSizeLimit Limit(4096);
    EXPECT_THROW(D.SaveAsXMLFile(Path, u"id"), Exception);
  }
  ASSERT_TRUE(R.LoadFromXMLFile(Path, u"id"));
  EXPECT_EQ(R.Elem(1, 1), u"v1");
  // No temporary file is left behind.
  const fs::path Target(ToUtf8(Path));
  for (const auto& Entry : fs::directory_iterator(Target.parent_path()))
    EXPECT_NE(Entry.path().filename().string().rfind("." + Target.filename().string(), 0), 0u) << Entry.path();
  fs::remove(Target);
}

}  // namespace
}  // namespace orv
