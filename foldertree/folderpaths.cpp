#include "foldertree/folderpaths.h"

#include <algorithm>
#include <system_error>

#include "framework/rtl/sysutils.h"
#include "framework/rtl/unicode.h"

namespace orv::foldertree {

namespace fs = std::filesystem;

std::vector<String> PathComponents(std::u16string_view Path) {
  // A drive prefix names the one root.
  if (Path.size() >= 2 && Path[1] == u':') Path.remove_prefix(2);
  std::vector<String> Parts;
  String Part;
  for (Char C : Path) {
    if (C == u'\\' || C == u'/') {
      if (!Part.empty()) Parts.push_back(std::move(Part));
      Part.clear();
    } else {
      Part += C;
    }
  }
  if (!Part.empty()) Parts.push_back(std::move(Part));
  return Parts;
}

String DrivePath(const std::vector<String>& Components) {
  String Result = kRootPath;
  for (const String& C : Components) Result += C + u"\\";
  return Result;
}

fs::path FileSystemPath(std::u16string_view Path) {
  fs::path Result = "/";
  for (const String& C : PathComponents(Path)) Result /= ToUtf8(C);
  return Result;
}

namespace {

// A folder entry the tree can show: visible, a folder (through links), and
// nameable in the drive form.
bool IsShownFolder(const fs::directory_entry& Entry, String& Name) {
  const std::string Leaf = Entry.path().filename().string();
  if (Leaf.empty() || Leaf[0] == '.' || Leaf.find('\\') != std::string::npos) return false;
  std::error_code Ec;
  if (!fs::is_directory(Entry.path(), Ec) || Ec) return false;  // follows links; dangling or looping ones fail
  Name = FromUtf8(Leaf);
  return true;
}

bool HasShownSubFolder(const fs::path& Dir) {
  std::error_code Ec;
  fs::directory_iterator It(Dir, fs::directory_options::skip_permission_denied, Ec);
  for (; !Ec && It != fs::directory_iterator(); It.increment(Ec)) {
    String Name;
    if (IsShownFolder(*It, Name)) return true;
  }
  return false;
}

}  // namespace

bool ReadSubFolders(const fs::path& Dir, std::vector<TSubFolder>& List) {
  List.clear();
  std::error_code Ec;
  if (!fs::is_directory(Dir, Ec) || Ec) return false;
  fs::directory_iterator It(Dir, fs::directory_options::skip_permission_denied, Ec);
  for (; !Ec && It != fs::directory_iterator(); It.increment(Ec)) {
    String Name;
    if (IsShownFolder(*It, Name)) List.push_back(TSubFolder{Name, HasShownSubFolder(It->path())});
  }
  std::stable_sort(List.begin(), List.end(),
                   [](const TSubFolder& A, const TSubFolder& B) { return LowerCase(A.Name) < LowerCase(B.Name); });
  return true;
}

}  // namespace orv::foldertree
