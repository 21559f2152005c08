// The folder tree over a scratch folder: reading and sorting subfolders,
// selecting by path, creating and removing folders, refreshing.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "foldertree/folderpaths.h"
#include "foldertree/foldertree.h"
#include "framework/forms/form.h"
#include "framework/rtl/unicode.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

struct FolderTree : ::testing::Test {
  fs::path Root;
  std::unique_ptr<TForm> Form;
  TFolderTree* Tree = nullptr;
  int DirChanges = 0;

  void SetUp() override {
    Root = fs::temp_directory_path() / ("orv-foldertree-" + std::to_string(std::random_device{}()));
    fs::create_directories(Root);
    Form = std::make_unique<TForm>(nullptr);
    Tree = new TFolderTree(Form.get());
    Tree->SetParent(Form.get());
    Tree->SetOnDirChanged([this](TObject*) { ++DirChanges; });
  }
  void TearDown() override {
    Form.reset();
    std::error_code Ec;
    fs::remove_all(Root, Ec);
  }
  void Make(const char* Rel) { fs::create_directories(Root / Rel); }
  // The drive-letter path of a folder below the scratch root.
  String Drive(const std::string& Rel = "") const {
    const fs::path P = Rel.empty() ? Root : Root / Rel;
    return foldertree::DrivePath(foldertree::PathComponents(FromUtf8(P.string())));
  }
  std::vector<String> Names(const std::string& Rel = "") {
    std::vector<String> L;
    Tree->GetSubDirs(Drive(Rel), L);
    return L;
  }
};

TEST_F(FolderTree, ShowsVisibleFoldersSortedWithoutLetterCase) {
  for (const char* D : {"beta", "Alpha", "gamma", ".git", "only-hidden/.cache"}) Make(D);
  std::ofstream(Root / "file.txt") << "x";
  fs::create_symlink(Root / "beta", Root / "link-to-beta");
  fs::create_symlink(Root / "missing", Root / "dangling");
  fs::create_symlink(Root / "self", Root / "self");
  EXPECT_EQ(Names(), (std::vector<String>{u"Alpha", u"beta", u"gamma", u"link-to-beta", u"only-hidden"}));
  EXPECT_TRUE(Names("only-hidden").empty());
  std::vector<String> None;
  EXPECT_FALSE(Tree->GetSubDirs(Drive("nowhere"), None));
}

TEST_F(FolderTree, SelectPathLoadsTheWayAndNamesTheFolderExactly) {
  Make("Data/x");
  Make("data/y");
  Make("other/z");
  ASSERT_TRUE(Tree->SelectPath(Drive("data")));
  EXPECT_EQ(Tree->Directory(), Drive("data"));
  EXPECT_EQ(Tree->Selected()->Text(), u"data");
  EXPECT_GE(DirChanges, 1);
  // Loaded nodes carry the marker; a sibling not opened yet shows only its
  // placeholder, so its expand button is there.
  EXPECT_EQ(Tree->Selected()->Data(), TFolderTree::kLoadedMarker);
  TTreeNode* Other = Tree->Selected()->Parent()->GetLastChild();
  ASSERT_NE(Other, nullptr);
  EXPECT_EQ(Other->Text(), u"other");
  ASSERT_EQ(Other->Count(), 1);
  EXPECT_EQ(Other->Item(0)->Text(), u"Child");
  // POSIX paths work as well; a folder that is not there is refused.
  EXPECT_TRUE(Tree->SelectPath(FromUtf8((Root / "Data").string())));
  EXPECT_EQ(Tree->Selected()->Text(), u"Data");
  EXPECT_FALSE(Tree->SelectPath(Drive("nowhere")));
  EXPECT_EQ(Tree->Directory(), Drive("Data"));
}

TEST_F(FolderTree, MakeSubFolderCreatesNestedFoldersInsideTheSelectedOne) {
  Make("data");
  ASSERT_TRUE(Tree->SelectPath(Drive("data")));
  EXPECT_TRUE(Tree->MakeSubFolder(u"a/b"));
  EXPECT_TRUE(fs::is_directory(Root / "data/a/b"));
  EXPECT_EQ(Tree->Directory(), Drive("data/a/b"));
  for (const char16_t* Bad : {u"x|y", u"a\"b", u"tab\there", u"../escape", u"a/../../b", u""}) {
    EXPECT_FALSE(Tree->MakeSubFolder(Bad)) << ToUtf8(Bad);
  }
  EXPECT_FALSE(fs::exists(Root / "data/a/escape"));
  EXPECT_FALSE(fs::exists(Root / "escape"));
}

TEST_F(FolderTree, RemoveSelectedFolderTakesOnlyAnEmptyRealFolder) {
  Make("keep/inner");
  Make("empty");
  Make("target");
  fs::create_symlink(Root / "target", Root / "link");
  ASSERT_TRUE(Tree->SelectPath(Drive("keep")));
  EXPECT_FALSE(Tree->RemoveSelectedFolder());  // not empty
  EXPECT_TRUE(fs::is_directory(Root / "keep/inner"));
  ASSERT_TRUE(Tree->SelectPath(Drive("link")));
  EXPECT_FALSE(Tree->RemoveSelectedFolder());  // a link is not followed
  EXPECT_TRUE(fs::is_directory(Root / "target"));
  ASSERT_TRUE(Tree->SelectPath(Drive("empty")));
  EXPECT_TRUE(Tree->RemoveSelectedFolder());
  EXPECT_FALSE(fs::exists(Root / "empty"));
  EXPECT_EQ(Tree->Directory(), Drive());
  Tree->Reset();
  Tree->SetSelected(Tree->Items()->GetFirstNode());
  EXPECT_FALSE(Tree->RemoveSelectedFolder());  // the root stays
}

TEST_F(FolderTree, RefreshTreeFallsBackToTheNearestExistingAncestor) {
  Make("a/b/c");
  ASSERT_TRUE(Tree->SelectPath(Drive("a/b/c")));
  fs::remove_all(Root / "a/b");
  DirChanges = 0;
  EXPECT_TRUE(Tree->RefreshTree());
  EXPECT_EQ(Tree->Directory(), Drive("a"));
  EXPECT_EQ(DirChanges, 1);
  Tree->Reset();
  EXPECT_EQ(Tree->Directory(), u"C:\\");
}

}  // namespace
}  // namespace orv
