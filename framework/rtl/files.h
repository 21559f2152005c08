#pragma once
// File names, folders and directory search. Nothing here throws on a file
// system error: the routines report failure by their result.

#include <memory>
#include <string_view>
#include <vector>

#include "types.h"

namespace orv {

inline constexpr Char PathDelim = u'/';
inline constexpr Char PathSep = u':';

// Text of an errno value, e.g. "No such file or directory".
String SysErrorMessage(int ErrorCode);

// --- Names --------------------------------------------------------------------
// Folder part with its trailing delimiter ("a/b/c.txt" -> "a/b/").
String ExtractFilePath(std::u16string_view FileName);
// Folder part without the trailing delimiter, except for the root ("/x" -> "/").
String ExtractFileDir(std::u16string_view FileName);
String ExtractFileName(std::u16string_view FileName);
// From the last dot of the name part, the dot included; empty without a dot.
String ExtractFileExt(std::u16string_view FileName);
String ChangeFileExt(std::u16string_view FileName, std::u16string_view Extension);
String IncludeTrailingPathDelimiter(std::u16string_view S);
// The root "/" keeps its delimiter.
String ExcludeTrailingPathDelimiter(std::u16string_view S);
// An absolute, normalised path (".." and "." resolved by name, links kept).
String ExpandFileName(std::u16string_view FileName);

// --- Files and folders --------------------------------------------------------
// True for an existing file that is not a folder (links are followed).
bool FileExists(std::u16string_view FileName);
bool DirectoryExists(std::u16string_view Directory);
// Size in bytes, -1 when there is no such file.
long long FileSize(std::u16string_view FileName);
// Creates Dir and every missing parent; true when the folder exists afterwards.
// An empty Dir raises EInOutError "Unable to create directory".
bool ForceDirectories(std::u16string_view Dir);
bool CreateDir(std::u16string_view Dir);
// Removes an empty folder.
bool RemoveDir(std::u16string_view Dir);
// Removes a file; never a folder.
bool DeleteFile(std::u16string_view FileName);
// Replaces NewName if it exists and is a file.
bool RenameFile(std::u16string_view OldName, std::u16string_view NewName);
String GetCurrentDir();
bool SetCurrentDir(std::u16string_view Dir);
// The current folder; Drive is accepted for compatibility and ignored.
void GetDir(uint8_t Drive, String& Dir);

// --- Directory search ---------------------------------------------------------
inline constexpr int faReadOnly = 0x01;   // no write permission for the owner
inline constexpr int faHidden = 0x02;     // the name begins with a dot
inline constexpr int faSysFile = 0x04;    // device, pipe or socket
inline constexpr int faVolumeID = 0x08;
inline constexpr int faDirectory = 0x10;
inline constexpr int faArchive = 0x20;    // an ordinary file
inline constexpr int faAnyFile = 0x1FF;

struct TSearchState;

struct TSearchRec {
  String Name;         // the name alone, without the folder
  long long Size = 0;  // bytes; 0 for folders
  int Attr = 0;        // fa* flags
  TDateTime Time = 0;  // last modification, local time
  int ExcludeAttr = 0;
  std::shared_ptr<TSearchState> FindHandle;
};

// Searches the folder of Path for names matching its last part, a mask of
// "*" (any run) and "?" (any one character); "*.*" and a trailing ".*" also
// match names without a dot. Ordinary files are always found; hidden
// entries, system files and folders only when Attr includes faHidden,
// faSysFile and faDirectory. "." and ".." are never reported. Entries come
// in name order. Returns 0 and fills F, or an errno value (ENOENT when
// nothing matches or the folder is missing).
int FindFirst(std::u16string_view Path, int Attr, TSearchRec& F);
int FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);

// Case-sensitive match of Name against a mask of "*" and "?".
bool MatchesWildcard(std::u16string_view Name, std::u16string_view Mask);

// Names (not paths) of the entries of Dir that FindFirst would report.
std::vector<String> ListDirectory(std::u16string_view Dir, std::u16string_view Mask = u"*", int Attr = faAnyFile);

}  // namespace orv
