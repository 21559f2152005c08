// Line reading, paths and passwords: the helpers that touch streams, the file
// system and the random generator.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "foundation/strhelpers.h"
#include "framework/rtl/random.h"
#include "framework/rtl/streams.h"
#include "framework/rtl/unicode.h"

namespace orv {
namespace {

// A stream that can only be read forwards, like a pipe.
class TForwardOnlyStream : public TStream {
 public:
  explicit TForwardOnlyStream(std::string Bytes) : FBytes(std::move(Bytes)) {}
  long long Read(void* Buffer, long long Count) override {
    const long long N = std::min<long long>(Count, static_cast<long long>(FBytes.size() - FPos));
    if (N <= 0) return 0;
    FBytes.copy(static_cast<char*>(Buffer), static_cast<size_t>(N), FPos);
    FPos += static_cast<size_t>(N);
    return N;
  }
  long long Write(const void*, long long) override { return 0; }
  long long Seek(long long, TSeekOrigin) override { return -1; }

 private:
  std::string FBytes;
  size_t FPos = 0;
};

std::vector<String> ReadAll(TStream* S, int Mode = rlmUtf8) {
  std::vector<String> Lines;
  bool AtEnd = false;
  for (int Guard = 0; !AtEnd && Guard < 100000; ++Guard) Lines.push_back(ReadLnStream(S, AtEnd, Mode));
  return Lines;
}

using Lines = std::vector<String>;

TEST(ReadLnStream, AllThreeLineEndsAndTheEndFlag) {
  TStringStream S(std::string("one\ntwo\r\nthree\rfour"));
  bool AtEnd = true;
  EXPECT_EQ(ReadLnStream(&S, AtEnd, 0), u"one");
  EXPECT_FALSE(AtEnd);
  EXPECT_EQ(ReadLnStream(&S, AtEnd, 0), u"two");
  EXPECT_FALSE(AtEnd);
  EXPECT_EQ(ReadLnStream(&S, AtEnd, 0), u"three");
  EXPECT_FALSE(AtEnd);
  EXPECT_EQ(ReadLnStream(&S, AtEnd, 0), u"four");
  EXPECT_TRUE(AtEnd);
}

TEST(ReadLnStream, TrailingLineEndDoesNotAddAnEmptyLine) {
  TStringStream A(std::string("a\n"));
  EXPECT_EQ(ReadAll(&A), (Lines{u"a"}));
  TStringStream B(std::string("a\r\n\r\nb\n"));
  EXPECT_EQ(ReadAll(&B), (Lines{u"a", u"", u"b"}));
  TStringStream C(std::string("\n\n"));
  EXPECT_EQ(ReadAll(&C), (Lines{u"", u""}));
  TStringStream Empty(std::string(""));
  EXPECT_EQ(ReadAll(&Empty), (Lines{u""}));
  bool AtEnd = false;
  EXPECT_EQ(ReadLnStream(nullptr, AtEnd, 0), u"");
  EXPECT_TRUE(AtEnd);
}

TEST(ReadLnStream, LeavesThePositionRightAfterTheLineEnd) {
  TStringStream S(std::string("ab\r\ncd"));
  bool AtEnd = false;
  ReadLnStream(&S, AtEnd, 0);
  EXPECT_EQ(S.Position(), 4);
  // A second reader of the same stream continues from there.
  char C = 0;
  S.ReadBuffer(&C, 1);
  EXPECT_EQ(C, 'c');
}

TEST(ReadLnStream, LinesLongerThanOneBlockAndCrAtABlockBoundary) {
  // Lines of many lengths so that CR, LF and CR LF fall on every offset of
  // the internal blocks.
  std::string Text;
  Lines Expected;
  const char* Ends[] = {"\n", "\r\n", "\r"};
  for (int I = 0; I < 300; ++I) {
    const std::string Line(static_cast<size_t>(I * 7 % 1100), static_cast<char>('a' + I % 26));
    Text += Line;
    Text += Ends[I % 3];
    Expected.push_back(FromUtf8(Line));
  }
  Text += "tail";
  Expected.push_back(u"tail");
  TStringStream S(Text);
  EXPECT_EQ(ReadAll(&S), Expected);
}

TEST(ReadLnStream, DecodesUtf8AndFallsBackToLatin1) {
  TStringStream S(std::string("\xEF\xBB\xBFgr\xC3\xBC\xC3\x9F\n\xE4\xF6\xFC\nx\xE2\x82\xAC"));
  bool AtEnd = false;
  EXPECT_EQ(ReadLnStream(&S, AtEnd, 0), u"gr\u00FC\u00DF");  // byte-order mark skipped
  EXPECT_EQ(ReadLnStream(&S, AtEnd, 0), u"\u00E4\u00F6\u00FC");  // not UTF-8: Latin-1
  EXPECT_EQ(ReadLnStream(&S, AtEnd, 0), u"x\u20AC");
  EXPECT_TRUE(AtEnd);
}

TEST(ReadLnStream, Latin1ModeTakesEveryByteAsACharacter) {
  TStringStream S(std::string("gr\xC3\xBC\n\xFF"));
  EXPECT_EQ(ReadAll(&S, rlmLatin1), (Lines{u"gr\u00C3\u00BC", u"\u00FF"}));
}

TEST(ReadLnStream, OnlyTheFirstLineOfTheStreamMayCarryAByteOrderMark) {
  TStringStream S(std::string("a\n\xEF\xBB\xBF" "b"));
  EXPECT_EQ(ReadAll(&S), (Lines{u"a", u"\uFEFFb"}));
}

TEST(ReadLnStream, ForwardOnlyStreamsLoseNoBytes) {
  TForwardOnlyStream S("one\r\ntwo\rstill two\nthree");
  EXPECT_EQ(ReadAll(&S), (Lines{u"one", u"two\rstill two", u"three"}));
}

TEST(ParentDir, ClimbsOneLevelKeepingTheSeparator) {
  EXPECT_EQ(ParentDir(u"/a/b/c"), u"/a/b/");
  EXPECT_EQ(ParentDir(u"/a/b/"), u"/a/");
  EXPECT_EQ(ParentDir(u"/a"), u"/");
  EXPECT_EQ(ParentDir(u"/a//"), u"/");
  EXPECT_EQ(ParentDir(u"C:\\data\\x\\"), u"C:\\data\\");
  EXPECT_EQ(ParentDir(u"C:\\data"), u"C:\\");
  EXPECT_EQ(ParentDir(u"rel/sub"), u"rel/");
}

TEST(ParentDir, RootsStayAndSingleNamesHaveNoParent) {
  EXPECT_EQ(ParentDir(u"/"), u"/");
  EXPECT_EQ(ParentDir(u"C:\\"), u"C:\\");
  EXPECT_EQ(ParentDir(u"c:"), u"c:");
  EXPECT_EQ(ParentDir(u"C:data"), u"C:");
  EXPECT_EQ(ParentDir(u"data"), u"");
  EXPECT_EQ(ParentDir(u""), u"");
  // Climbing always ends: at a root the result stops changing, else at "".
  for (const char16_t* Start : {u"/x/y/z/", u"C:\\x\\y", u"p/q/r"}) {
    String P = Start;
    int Steps = 0;
    while (!P.empty() && ParentDir(P) != P && Steps < 10) {
      P = ParentDir(P);
      ++Steps;
    }
    EXPECT_LT(Steps, 10) << ToUtf8(Start);
  }
}

TEST(DirExists, TellsFoldersFromFilesAndMissingPaths) {
  namespace fs = std::filesystem;
  const fs::path Dir = fs::temp_directory_path() / ("orv_direxists_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  fs::remove_all(Dir);
  fs::create_directories(Dir / "sub");
  { std::FILE* F = std::fopen((Dir / "file.txt").c_str(), "w"); ASSERT_NE(F, nullptr); std::fclose(F); }
  EXPECT_TRUE(DirExists(FromUtf8(Dir.string())));
  EXPECT_TRUE(DirExists(FromUtf8((Dir / "sub").string() + "/")));
  EXPECT_FALSE(DirExists(FromUtf8((Dir / "file.txt").string())));
  EXPECT_FALSE(DirExists(FromUtf8((Dir / "missing").string())));
  EXPECT_FALSE(DirExists(u""));
  fs::remove_all(Dir);
}

TEST(InventPassword, LengthAlphabetAndRepeatability) {
  RandSeed = 12345;
  const String A = InventPassword(40);
  RandSeed = 12345;
  const String B = InventPassword(40);
  EXPECT_EQ(A, B);
  EXPECT_EQ(A.size(), 40u);
  const String C = InventPassword(40);
  EXPECT_NE(A, C);
  for (Char Ch : A + C) {
    EXPECT_TRUE((Ch >= u'a' && Ch <= u'z') || (Ch >= u'A' && Ch <= u'Z') || (Ch >= u'2' && Ch <= u'9'));
    EXPECT_EQ(String(u"0Oo1lI").find(Ch), String::npos) << static_cast<char>(Ch);
  }
  EXPECT_EQ(InventPassword(0), u"");
  EXPECT_EQ(InventPassword(-5), u"");
  EXPECT_EQ(InventPassword(1000000).size(), 255u);
}

TEST(InventPassword, UsesTheWholeAlphabet) {
  RandSeed = 1;
  std::set<Char> Seen;
  for (int I = 0; I < 40; ++I)
    for (Char Ch : InventPassword(100)) Seen.insert(Ch);
  EXPECT_EQ(Seen.size(), 56u);
}

}  // namespace
}  // namespace orv
