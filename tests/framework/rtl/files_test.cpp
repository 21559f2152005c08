#include "framework/rtl/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "framework/rtl/dateutils.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/unicode.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

TEST(FileNames, PartsOfAPath) {
  EXPECT_EQ(ExtractFilePath(u"/a/b/c.txt"), u"/a/b/");
  EXPECT_EQ(ExtractFilePath(u"c.txt"), u"");
  EXPECT_EQ(ExtractFileDir(u"/a/b/c.txt"), u"/a/b");
  EXPECT_EQ(ExtractFileDir(u"/c.txt"), u"/");
  EXPECT_EQ(ExtractFileName(u"/a/b/c.txt"), u"c.txt");
  EXPECT_EQ(ExtractFileName(u"/a/b/"), u"");
  EXPECT_EQ(ExtractFileExt(u"/a/b/c.tar.gz"), u".gz");
  EXPECT_EQ(ExtractFileExt(u"/a.d/noext"), u"");  // a dot in a folder name is no extension
  EXPECT_EQ(ExtractFileExt(u".profile"), u".profile");
  EXPECT_EQ(ChangeFileExt(u"/a/b/c.txt", u".csv"), u"/a/b/c.csv");
  EXPECT_EQ(ChangeFileExt(u"/a.d/noext", u".csv"), u"/a.d/noext.csv");
  EXPECT_EQ(ChangeFileExt(u"x.txt", u""), u"x");
}

TEST(FileNames, TrailingDelimiters) {
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"/a"), u"/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"/a/"), u"/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u""), u"/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/a/"), u"/a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/a"), u"/a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/"), u"/");  // the root stays the root
}

TEST(FileNames, ExpandFileNameResolvesAgainstTheCurrentFolder) {
  EXPECT_EQ(ExpandFileName(u"/a/./b/../c"), u"/a/c");
  EXPECT_EQ(ExpandFileName(u"x.txt"), IncludeTrailingPathDelimiter(GetCurrentDir()) + u"x.txt");
  EXPECT_EQ(ExpandFileName(u""), u"");
}

class FolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string Templ = (fs::temp_directory_path() / "orv_files_XXXXXX").string();
    FDir = ::mkdtemp(Templ.data());
    FRoot = FromUtf8(FDir.string()) + u"/";
  }
  void TearDown() override {
    std::error_code Ec;
    fs::permissions(FDir / "ro.txt", fs::perms::owner_all, Ec);
    fs::remove_all(FDir, Ec);
  }
  void Put(std::string_view Name, std::string_view Bytes) const {
    std::ofstream Out(FDir / Name, std::ios::binary);
    Out << Bytes;
  }
  std::vector<String> Found(std::u16string_view Mask, int Attr) {
    std::vector<String> Names;
    TSearchRec F;
    for (int R = FindFirst(FRoot + String(Mask), Attr, F); R == 0; R = FindNext(F)) Names.push_back(F.Name);
    FindClose(F);
    return Names;
  }

  fs::path FDir;
  String FRoot;
};

TEST_F(FolderTest, CreateRemoveRenameAndTest) {
  EXPECT_TRUE(DirectoryExists(FRoot));
  EXPECT_FALSE(FileExists(FRoot));  // a folder is not a file
  EXPECT_TRUE(ForceDirectories(FRoot + u"a/b/c/"));
  EXPECT_TRUE(DirectoryExists(FRoot + u"a/b/c"));
  EXPECT_TRUE(ForceDirectories(FRoot + u"a/b/c"));  // already there: still true
  EXPECT_THROW(ForceDirectories(u""), EInOutError);
  EXPECT_FALSE(CreateDir(FRoot + u"a"));
  EXPECT_TRUE(CreateDir(FRoot + u"d"));
  EXPECT_FALSE(RemoveDir(FRoot + u"a"));  // not empty
  EXPECT_TRUE(RemoveDir(FRoot + u"d"));

  Put("f.txt", "12345");
  EXPECT_TRUE(FileExists(FRoot + u"f.txt"));
  EXPECT_EQ(FileSize(FRoot + u"f.txt"), 5);
  EXPECT_EQ(FileSize(FRoot + u"none"), -1);
  EXPECT_TRUE(RenameFile(FRoot + u"f.txt", FRoot + u"g.txt"));
  EXPECT_FALSE(FileExists(FRoot + u"f.txt"));
  EXPECT_FALSE(DeleteFile(FRoot + u"a"));  // folders are not deleted as files
  EXPECT_TRUE(DirectoryExists(FRoot + u"a"));
  EXPECT_TRUE(DeleteFile(FRoot + u"g.txt"));
  EXPECT_FALSE(DeleteFile(FRoot + u"g.txt"));
  EXPECT_FALSE(FileExists(String(u"x\0y", 3)));  // an embedded NUL names nothing
}

TEST_F(FolderTest, CurrentFolderCanBeChangedAndRestored) {
  const String Old = GetCurrentDir();
  ASSERT_TRUE(SetCurrentDir(FRoot));
  String Dir;
  GetDir(0, Dir);
  EXPECT_EQ(Dir, ExcludeTrailingPathDelimiter(FRoot));
  EXPECT_FALSE(SetCurrentDir(FRoot + u"nope"));
  ASSERT_TRUE(SetCurrentDir(Old));
}

TEST_F(FolderTest, MasksSelectNamesInOrder) {
  for (const char* N : {"b.txt", "a.txt", "c.csv", "readme", "x1.txt", "x22.txt"}) Put(N, "x");
  EXPECT_EQ(Found(u"*.txt", faAnyFile), (std::vector<String>{u"a.txt", u"b.txt", u"x1.txt", u"x22.txt"}));
  EXPECT_EQ(Found(u"x?.txt", faAnyFile), (std::vector<String>{u"x1.txt"}));
  EXPECT_EQ(Found(u"*", 0).size(), 6u);
  EXPECT_EQ(Found(u"*.*", 0).size(), 6u);  // names without a dot too
  EXPECT_EQ(Found(u"readme.*", 0), (std::vector<String>{u"readme"}));
  EXPECT_TRUE(Found(u"*.doc", faAnyFile).empty());
  TSearchRec F;
  EXPECT_EQ(FindFirst(FRoot + u"*.doc", faAnyFile, F), ENOENT);
  EXPECT_EQ(FindFirst(FRoot + u"nofolder/*", faAnyFile, F), ENOENT);
}

TEST_F(FolderTest, AttributesDecideWhatIsFound) {
  Put("plain.txt", "abc");
  Put(".hidden", "h");
  Put("ro.txt", "r");
  ::chmod((FDir / "ro.txt").c_str(), 0444);
  fs::create_directory(FDir / "sub");
  fs::create_directory(FDir / ".git");

  EXPECT_EQ(Found(u"*", 0), (std::vector<String>{u"plain.txt", u"ro.txt"}));
  EXPECT_EQ(Found(u"*", faDirectory), (std::vector<String>{u"plain.txt", u"ro.txt", u"sub"}));
  EXPECT_EQ(Found(u"*", faHidden), (std::vector<String>{u".hidden", u"plain.txt", u"ro.txt"}));
  EXPECT_EQ(Found(u"*", faAnyFile), (std::vector<String>{u".git", u".hidden", u"plain.txt", u"ro.txt", u"sub"}));

  TSearchRec F;
  ASSERT_EQ(FindFirst(FRoot + u"p*", faAnyFile, F), 0);
  EXPECT_EQ(F.Name, u"plain.txt");
  EXPECT_EQ(F.Size, 3);
  EXPECT_EQ(F.Attr, faArchive);
  EXPECT_LT(std::fabs(F.Time - Now()), 1.0 / 24);  // written moments ago
  EXPECT_NE(FindNext(F), 0);
  FindClose(F);

  ASSERT_EQ(FindFirst(FRoot + u"sub", faDirectory, F), 0);
  EXPECT_EQ(F.Attr & faDirectory, faDirectory);
  ASSERT_EQ(FindFirst(FRoot + u"ro.txt", 0, F), 0);  // FindFirst on a used record starts afresh
  EXPECT_EQ(F.Attr & faReadOnly, faReadOnly);
  ASSERT_EQ(FindFirst(FRoot + u".git", faDirectory | faHidden, F), 0);
  EXPECT_EQ(F.Attr, faDirectory | faHidden);
  FindClose(F);
  EXPECT_NE(FindNext(F), 0);  // closed: nothing more
}

TEST_F(FolderTest, ListDirectoryUsesTheSameRules) {
  Put("one.txt", "");
  fs::create_directory(FDir / "two");
  EXPECT_EQ(ListDirectory(FRoot), (std::vector<String>{u"one.txt", u"two"}));
  EXPECT_EQ(ListDirectory(FRoot, u"*.txt"), (std::vector<String>{u"one.txt"}));
  EXPECT_EQ(ListDirectory(FRoot, u"*", 0), (std::vector<String>{u"one.txt"}));
}

TEST(Wildcards, StarsAndQuestionMarks) {
  EXPECT_TRUE(MatchesWildcard(u"", u"*"));
  EXPECT_FALSE(MatchesWildcard(u"", u"?"));
  EXPECT_TRUE(MatchesWildcard(u"abc", u"a*c"));
  EXPECT_TRUE(MatchesWildcard(u"ac", u"a*c"));
  EXPECT_FALSE(MatchesWildcard(u"abd", u"a*c"));
  EXPECT_TRUE(MatchesWildcard(u"aXbYc", u"a*b*c"));
  EXPECT_FALSE(MatchesWildcard(u"ABC", u"abc"));  // names are case-sensitive here
  // Backtracking stays cheap on a pathological mask.
  const String Name(5000, u'a');
  EXPECT_FALSE(MatchesWildcard(Name, u"*a*a*a*a*a*a*a*a*b"));
}

}  // namespace
}  // namespace orv
