#include "framework/rtl/textfile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <fstream>
#include <iterator>
#include <vector>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/sysutils.h"
#include "framework/rtl/unicode.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string Templ = (fs::temp_directory_path() / "orv_text_XXXXXX").string();
    FDir = ::mkdtemp(Templ.data());
  }
  void TearDown() override {
    std::error_code Ec;
    fs::remove_all(FDir, Ec);
  }
  String Path(std::string_view Name) const { return FromUtf8((FDir / Name).string()); }
  void Put(std::string_view Name, std::string_view Bytes) const {
    std::ofstream Out(FDir / Name, std::ios::binary);
    Out << Bytes;
  }
  std::string Get(std::string_view Name) const {
    std::ifstream In(FDir / Name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
  }
  std::vector<String> Lines(std::string_view Name) const {
    TextFile F;
    AssignFile(F, Path(Name));
    Reset(F);
    std::vector<String> Result;
    while (!Eof(F)) {
      String L;
      ReadLn(F, L);
      Result.push_back(L);
    }
    CloseFile(F);
    return Result;
  }
  static int CodeOf(const std::function<void()>& Action, String* Message = nullptr) {
    try {
      Action();
    } catch (const EInOutError& E) {
      if (Message) *Message = E.Message();
      return E.ErrorCode;
    }
    return 0;
  }

  fs::path FDir;
};

TEST_F(TextFileTest, WrittenLinesReadBackUnchanged) {
  TextFile F;
  AssignFile(F, Path("a.txt"));
  Rewrite(F);
  WriteLn(F, u"first");
  Write(F, u"sec");
  WriteLn(F, u"ond – ünïcode");
  WriteLn(F);
  WriteLn(F, u"last");
  CloseFile(F);
  EXPECT_EQ(Get("a.txt"), "first\nsecond \xE2\x80\x93 \xC3\xBCn\xC3\xAF" "code\n\nlast\n");
  EXPECT_EQ(Lines("a.txt"), (std::vector<String>{u"first", u"second – ünïcode", u"", u"last"}));
}

TEST_F(TextFileTest, CrLfEndsAByteOrderMarkAndAMissingFinalNewline) {
  Put("win.txt", "\xEF\xBB\xBFone\r\ntwo\r\n\r\nthree");
  EXPECT_EQ(Lines("win.txt"), (std::vector<String>{u"one", u"two", u"", u"three"}));
  Put("bom_only.txt", "\xEF\xBB\xBF");
  EXPECT_TRUE(Lines("bom_only.txt").empty());
  Put("mid_bom.txt", "a\n\xEF\xBB\xBF" "b\n");  // only a leading mark is skipped
  EXPECT_EQ(Lines("mid_bom.txt")[1], u"\uFEFFb");
}

TEST_F(TextFileTest, LongLinesSpanningManyBuffersStayWhole) {
  const std::string Long(200000, 'q');
  Put("long.txt", Long + "\r\nshort\n");
  const std::vector<String> Got = Lines("long.txt");
  ASSERT_EQ(Got.size(), 2u);
  EXPECT_EQ(Got[0].size(), Long.size());
  EXPECT_EQ(Got[1], u"short");
}

TEST_F(TextFileTest, ReadingPastTheEndGivesEmptyLines) {
  Put("one.txt", "x\n");
  TextFile F;
  F.Assign(Path("one.txt"));
  F.Reset();
  String L;
  F.ReadLn(L);
  EXPECT_TRUE(F.Eof());
  F.ReadLn(L);
  EXPECT_EQ(L, u"");
  F.Close();
}

TEST_F(TextFileTest, AppendAddsToTheEnd) {
  Put("log.txt", "a\n");
  TextFile F;
  AssignFile(F, Path("log.txt"));
  Append(F);
  WriteLn(F, u"b");
  CloseFile(F);
  EXPECT_EQ(Get("log.txt"), "a\nb\n");
  AssignFile(F, Path("nope.txt"));
  EXPECT_EQ(CodeOf([&] { Append(F); }), 2);
}

TEST_F(TextFileTest, RewriteReplacesTheFileOnlyWhenClosed) {
  Put("doc.txt", "old\n");
  {
    TextFile F;
    AssignFile(F, Path("doc.txt"));
    Rewrite(F);
    WriteLn(F, u"new");
    EXPECT_EQ(Get("doc.txt"), "old\n");  // still the previous version
    CloseFile(F);
  }
  EXPECT_EQ(Get("doc.txt"), "new\n");
  // Left open: the destructor completes the save.
  {
    TextFile F;
    AssignFile(F, Path("doc.txt"));
    Rewrite(F);
    WriteLn(F, u"newer");
  }
  EXPECT_EQ(Get("doc.txt"), "newer\n");
}

TEST_F(TextFileTest, AnExceptionWhileWritingKeepsThePreviousFile) {
  Put("doc.txt", "precious\n");
  try {
    TextFile F;
    AssignFile(F, Path("doc.txt"));
    Rewrite(F);
    WriteLn(F, u"half");
    throw std::runtime_error("producer failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(Get("doc.txt"), "precious\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(FDir), fs::directory_iterator()), 1);
}

TEST_F(TextFileTest, ErrorsCarryTheClassicCodesAndTexts) {
  TextFile F;
  String Msg;
  AssignFile(F, Path("missing.txt"));
  EXPECT_EQ(CodeOf([&] { Reset(F); }, &Msg), 2);
  EXPECT_EQ(Msg, u"File not found");
  AssignFile(F, Path("no_folder/x.txt"));
  EXPECT_EQ(CodeOf([&] { Reset(F); }, &Msg), 3);
  EXPECT_EQ(Msg, u"Path not found");
  EXPECT_EQ(CodeOf([&] { Rewrite(F); }), 3);
  AssignFile(F, FromUtf8(FDir.string()));
  EXPECT_EQ(CodeOf([&] { Reset(F); }, &Msg), 5);
  EXPECT_EQ(Msg, u"Access denied");
  EXPECT_EQ(CodeOf([&] { Rewrite(F); }), 5);

  Put("r.txt", "x\n");
  AssignFile(F, Path("r.txt"));
  Reset(F);
  EXPECT_EQ(CodeOf([&] { WriteLn(F, u"y"); }, &Msg), 105);
  EXPECT_EQ(Msg, u"File not open for output");
  CloseFile(F);
  EXPECT_EQ(CodeOf([&] { CloseFile(F); }), 103);
  String L;
  EXPECT_EQ(CodeOf([&] { ReadLn(F, L); }), 103);

  AssignFile(F, Path("w.txt"));
  Rewrite(F);
  EXPECT_EQ(CodeOf([&] { ReadLn(F, L); }, &Msg), 104);
  EXPECT_EQ(Msg, u"File not open for input");
  EXPECT_EQ(CodeOf([&] { (void)Eof(F); }), 104);
  CloseFile(F);
}

TEST_F(TextFileTest, AFullDeviceIsReportedNotSwallowed) {
  if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  TextFile F;
  AssignFile(F, u"/dev/full");
  Append(F);
  WriteLn(F, u"lost");
  String Msg;
  EXPECT_EQ(CodeOf([&] { CloseFile(F); }, &Msg), ENOSPC);
  EXPECT_EQ(Msg, u"I/O error " + IntToStr(ENOSPC));
  EXPECT_FALSE(F.IsOpen());
}

}  // namespace
}  // namespace orv
