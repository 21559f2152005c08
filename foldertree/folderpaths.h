#pragma once
// The folder tree shows paths in the drive-letter form ("C:\data\x\"). On
// this system the tree has one drive: "C:\" is the root "/", and each
// backslash of a drive path is a "/" of the file system. Any drive letter
// is read as that root; POSIX paths ("/data/x") are accepted as well.

#include <filesystem>
#include <vector>

#include "framework/rtl/types.h"

namespace orv::foldertree {

inline constexpr char16_t kRootPath[] = u"C:\\";

// "C:\data\x\" or "/data/x" -> the folders below the root: {"data", "x"}.
// Empty components ("a\\b", trailing separators) are dropped.
std::vector<String> PathComponents(std::u16string_view Path);
// {"data", "x"} -> "C:\data\x\" (the root alone for none).
String DrivePath(const std::vector<String>& Components);
// The file-system path of a drive-letter or POSIX path.
std::filesystem::path FileSystemPath(std::u16string_view Path);

struct TSubFolder {
  String Name;
  bool HasSubFolders = false;
};
// The visible subfolders of Dir (names not beginning with "."), sorted by
// their lower-cased names, each with whether it has visible subfolders in
// turn. Links to folders count as folders; dangling or looping links and
// names that cannot be shown in the drive form (a backslash) do not.
// Unreadable folders read as empty. False when Dir is not a folder.
bool ReadSubFolders(const std::filesystem::path& Dir, std::vector<TSubFolder>& List);

}  // namespace orv::foldertree
