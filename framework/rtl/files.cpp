#include "files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "dateutils.h"
#include "exceptions.h"
#include "unicode.h"

namespace orv {

namespace fs = std::filesystem;

namespace {

std::string Native(std::u16string_view Name) { return ToUtf8(Name); }

// A name with an embedded NUL would silently name another file; refuse it.
bool Usable(const std::string& Path) { return !Path.empty() && Path.find('\0') == std::string::npos; }

size_t NameStart(std::u16string_view FileName) {
  const size_t Slash = FileName.rfind(PathDelim);
  return Slash == std::u16string_view::npos ? 0 : Slash + 1;
}

}  // namespace

String SysErrorMessage(int ErrorCode) { return FromUtf8(std::generic_category().message(ErrorCode)); }

// --- Names --------------------------------------------------------------------

String ExtractFilePath(std::u16string_view FileName) { return String(FileName.substr(0, NameStart(FileName))); }

String ExtractFileDir(std::u16string_view FileName) {
  size_t End = NameStart(FileName);
  if (End > 1) --End;  // drop the delimiter unless it is the root itself
  return String(FileName.substr(0, End));
}

String ExtractFileName(std::u16string_view FileName) { return String(FileName.substr(NameStart(FileName))); }

String ExtractFileExt(std::u16string_view FileName) {
  const size_t Dot = FileName.rfind(u'.');
  if (Dot == std::u16string_view::npos || Dot < NameStart(FileName)) return String();
  return String(FileName.substr(Dot));
}

String ChangeFileExt(std::u16string_view FileName, std::u16string_view Extension) {
  const size_t Dot = FileName.rfind(u'.');
  const size_t Keep = Dot == std::u16string_view::npos || Dot < NameStart(FileName) ? FileName.size() : Dot;
  return String(FileName.substr(0, Keep)) + String(Extension);
}

String IncludeTrailingPathDelimiter(std::u16string_view S) {
  String R(S);
  if (R.empty() || R.back() != PathDelim) R += PathDelim;
  return R;
}

String ExcludeTrailingPathDelimiter(std::u16string_view S) {
  String R(S);
  if (R.size() > 1 && R.back() == PathDelim) R.pop_back();
  return R;
}

String ExpandFileName(std::u16string_view FileName) {
  if (FileName.empty()) return String();
  fs::path Path(Native(FileName));
  if (Path.is_relative()) {
    std::error_code Ec;
    const fs::path Cwd = fs::current_path(Ec);
    if (!Ec) Path = Cwd / Path;
  }
  return FromUtf8(Path.lexically_normal().string());
}

// --- Files and folders --------------------------------------------------------

namespace {

bool StatOf(std::u16string_view Name, struct stat& St) {
  const std::string Path = Native(Name);
  return Usable(Path) && ::stat(Path.c_str(), &St) == 0;
}

}  // namespace

bool FileExists(std::u16string_view FileName) {
  struct stat St {};
  return StatOf(FileName, St) && !S_ISDIR(St.st_mode);
}

bool DirectoryExists(std::u16string_view Directory) {
  struct stat St {};
  return StatOf(Directory, St) && S_ISDIR(St.st_mode);
}

long long FileSize(std::u16string_view FileName) {
  struct stat St {};
  if (!StatOf(FileName, St) || S_ISDIR(St.st_mode)) return -1;
  return St.st_size;
}

bool ForceDirectories(std::u16string_view Dir) {
  if (Dir.empty()) throw EInOutError(u"Unable to create directory", ENOENT);
  const std::string Path = Native(Dir);
  if (!Usable(Path)) return false;
  std::error_code Ec;
  fs::create_directories(fs::path(Path), Ec);
  return DirectoryExists(Dir);
}

bool CreateDir(std::u16string_view Dir) {
  const std::string Path = Native(Dir);
  return Usable(Path) && ::mkdir(Path.c_str(), 0777) == 0;
}

bool RemoveDir(std::u16string_view Dir) {
  const std::string Path = Native(Dir);
  return Usable(Path) && ::rmdir(Path.c_str()) == 0;
}

bool DeleteFile(std::u16string_view FileName) {
  const std::string Path = Native(FileName);
  struct stat St {};
  if (!Usable(Path) || ::lstat(Path.c_str(), &St) != 0 || S_ISDIR(St.st_mode)) return false;
  return ::unlink(Path.c_str()) == 0;
}

bool RenameFile(std::u16string_view OldName, std::u16string_view NewName) {
  const std::string From = Native(OldName);
  const std::string To = Native(NewName);
  return Usable(From) && Usable(To) && ::rename(From.c_str(), To.c_str()) == 0;
}

String GetCurrentDir() {
  std::error_code Ec;
  const fs::path Cwd = fs::current_path(Ec);
  return Ec ? String() : FromUtf8(Cwd.string());
}

bool SetCurrentDir(std::u16string_view Dir) {
  const std::string Path = Native(Dir);
  return Usable(Path) && ::chdir(Path.c_str()) == 0;
}

void GetDir(uint8_t, String& Dir) { Dir = GetCurrentDir(); }

// --- Directory search ---------------------------------------------------------

bool MatchesWildcard(std::u16string_view Name, std::u16string_view Mask) {
  // Greedy matching with one remembered star: linear in practice, quadratic at worst.
  size_t N = 0, M = 0;
  size_t StarMask = std::u16string_view::npos, StarName = 0;
  while (N < Name.size()) {
    if (M < Mask.size() && (Mask[M] == u'?' || Mask[M] == Name[N])) {
      ++N;
      ++M;
    } else if (M < Mask.size() && Mask[M] == u'*') {
      StarMask = M++;
      StarName = N;
    } else if (StarMask != std::u16string_view::npos) {
      M = StarMask + 1;
      N = ++StarName;
    } else {
      return false;
    }
  }
  while (M < Mask.size() && Mask[M] == u'*') ++M;
  return M == Mask.size();
}

struct TSearchState {
  std::string Folder;  // with a trailing delimiter, or empty for the current folder
  std::vector<std::string> Names;
  size_t Next = 0;
};

namespace {

bool MaskAccepts(std::u16string_view Name, std::u16string_view Mask) {
  if (MatchesWildcard(Name, Mask)) return true;
  // "name.*" also finds "name" itself, so "*.*" finds everything.
  return Mask.size() >= 2 && Mask.substr(Mask.size() - 2) == u".*" &&
         MatchesWildcard(Name, Mask.substr(0, Mask.size() - 2));
}

TDateTime LocalDateTime(const struct timespec& When) {
  std::tm Local{};
  const std::time_t Seconds = When.tv_sec;
  if (localtime_r(&Seconds, &Local) == nullptr) return 0;
  TDateTime Day, Clock;
  const int Year = Local.tm_year + 1900;
  if (Year < 1 || Year > 9999 ||
      !TryEncodeDate(static_cast<uint16_t>(Year), static_cast<uint16_t>(Local.tm_mon + 1),
                     static_cast<uint16_t>(Local.tm_mday), Day) ||
      !TryEncodeTime(static_cast<uint16_t>(Local.tm_hour), static_cast<uint16_t>(Local.tm_min),
                     static_cast<uint16_t>(std::min(Local.tm_sec, 59)),
                     static_cast<uint16_t>(When.tv_nsec / 1000000), Clock))
    return 0;
  return ComposeDateTime(Day, Clock);
}

int AttributesOf(const std::string& Name, const struct stat& St) {
  int Attr = 0;
  if (S_ISDIR(St.st_mode)) {
    Attr |= faDirectory;
  } else if (S_ISREG(St.st_mode)) {
    Attr |= faArchive;
  } else {
    Attr |= faSysFile;
  }
  if ((St.st_mode & S_IWUSR) == 0) Attr |= faReadOnly;
  if (!Name.empty() && Name[0] == '.') Attr |= faHidden;
  return Attr;
}

// Moves F to the next acceptable entry; ENOENT when there is none.
int FindMatching(TSearchRec& F) {
  TSearchState* State = F.FindHandle.get();
  if (State == nullptr) return EBADF;
  while (State->Next < State->Names.size()) {
    const std::string& Name = State->Names[State->Next++];
    const std::string Full = State->Folder + Name;
    struct stat St {};
    // A dangling link is still listed, as the link itself.
    if (::stat(Full.c_str(), &St) != 0 && ::lstat(Full.c_str(), &St) != 0) continue;
    const int Attr = AttributesOf(Name, St);
    if ((Attr & F.ExcludeAttr) != 0) continue;
    F.Name = FromUtf8(Name);
    F.Attr = Attr;
    F.Size = S_ISDIR(St.st_mode) ? 0 : St.st_size;
    F.Time = LocalDateTime(St.st_mtim);
    return 0;
  }
  return ENOENT;
}

}  // namespace

int FindFirst(std::u16string_view Path, int Attr, TSearchRec& F) {
  FindClose(F);
  const size_t Start = NameStart(Path);
  const std::u16string_view Mask = Path.substr(Start);
  auto State = std::make_shared<TSearchState>();
  State->Folder = Native(Path.substr(0, Start));
  if (Mask.empty() || State->Folder.find('\0') != std::string::npos) return ENOENT;

  DIR* Dir = ::opendir(State->Folder.empty() ? "." : State->Folder.c_str());
  if (Dir == nullptr) return errno;
  while (const dirent* Entry = ::readdir(Dir)) {
    const std::string Name = Entry->d_name;
    if (Name == "." || Name == "..") continue;
    if (MaskAccepts(FromUtf8(Name), Mask)) State->Names.push_back(Name);
  }
  ::closedir(Dir);
  std::sort(State->Names.begin(), State->Names.end());

  F.ExcludeAttr = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory);
  F.FindHandle = std::move(State);
  const int Result = FindMatching(F);
  if (Result != 0) FindClose(F);
  return Result;
}

int FindNext(TSearchRec& F) { return FindMatching(F); }

void FindClose(TSearchRec& F) { F.FindHandle.reset(); }

std::vector<String> ListDirectory(std::u16string_view Dir, std::u16string_view Mask, int Attr) {
  std::vector<String> Names;
  TSearchRec F;
  String Path = Dir.empty() ? String() : IncludeTrailingPathDelimiter(Dir);
  Path += Mask;
  for (int Result = FindFirst(Path, Attr, F); Result == 0; Result = FindNext(F)) Names.push_back(F.Name);
  FindClose(F);
  return Names;
}

}  // namespace orv
