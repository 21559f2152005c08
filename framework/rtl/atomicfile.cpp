#include "atomicfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>

#include "exceptions.h"
#include "files.h"
#include "unicode.h"

namespace orv {

namespace {

// A name no other writer in this or another process will pick at the same time.
std::string TempSuffix() {
  static std::atomic<unsigned> Counter{0};
  static const unsigned Seed = std::random_device{}();
  static constexpr char kHex[] = "0123456789abcdef";
  unsigned long long Bits = (static_cast<unsigned long long>(Seed) << 32) ^
                            (static_cast<unsigned long long>(::getpid()) << 16) ^ Counter.fetch_add(1) * 2654435761ULL;
  std::string S;
  for (int I = 0; I < 12; ++I, Bits >>= 4) S += kHex[Bits & 15];
  return S;
}

// A link is followed to the file it names, so the link survives the save.
std::string ResolveLinks(const std::string& Path) {
  std::string Current = Path;
  for (int Hop = 0; Hop < 40; ++Hop) {
    struct stat St {};
    if (::lstat(Current.c_str(), &St) != 0 || !S_ISLNK(St.st_mode)) return Current;
    std::string Link(static_cast<size_t>(PATH_MAX), '\0');
    const ssize_t N = ::readlink(Current.c_str(), Link.data(), Link.size());
    if (N <= 0) return Current;
    Link.resize(static_cast<size_t>(N));
    if (Link[0] != '/') {
      const size_t Slash = Current.rfind('/');
      if (Slash != std::string::npos) Link = Current.substr(0, Slash + 1) + Link;
    }
    Current = Link;
  }
  return Current;
}

void SyncFolderOf(const std::string& Path) {
  const size_t Slash = Path.rfind('/');
  const std::string Folder = Slash == std::string::npos ? "." : Slash == 0 ? "/" : Path.substr(0, Slash);
  const int Fd = ::open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (Fd < 0) return;
  ::fsync(Fd);  // best effort: makes the rename itself durable
  ::close(Fd);
}

}  // namespace

String CreateErrorText(const String& FileName, int Error) {
  return u"Cannot create file \"" + ExpandFileName(FileName) + u"\". " + SysErrorMessage(Error);
}

TAtomicFileWriter::TAtomicFileWriter(const String& AFileName) : THandleStream(-1) {
  const int Error = Open(AFileName);
  if (Error != 0) throw EFCreateError(CreateErrorText(AFileName, Error));
}

TAtomicFileWriter::~TAtomicFileWriter() { Discard(); }

int TAtomicFileWriter::Open(const String& AFileName) {
  Discard();
  FFileName = AFileName;
  const std::string Path = ToUtf8(AFileName);
  if (Path.empty() || Path.find('\0') != std::string::npos) return ENOENT;
  if (Path.back() == '/') return EISDIR;
  FTarget = ResolveLinks(Path);

  struct stat Old {};
  const bool Exists = ::stat(FTarget.c_str(), &Old) == 0;
  if (Exists && S_ISDIR(Old.st_mode)) return EISDIR;
  // Devices, pipes and the like cannot be replaced by renaming; they are not ours to swap.
  if (Exists && !S_ISREG(Old.st_mode)) return EPERM;

  const size_t Slash = FTarget.rfind('/');
  const std::string Folder = Slash == std::string::npos ? "" : FTarget.substr(0, Slash + 1);
  const std::string Base = Slash == std::string::npos ? FTarget : FTarget.substr(Slash + 1);
  int Error = 0;
  for (int Attempt = 0; Attempt < 100; ++Attempt) {
    std::string Temp = Folder + "." + Base + "." + TempSuffix() + ".tmp";
    // The mode 0666 lets the umask decide the permissions of a new file.
    const int Fd = ::open(Temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (Fd >= 0) {
      FHandle = Fd;
      FTempName = std::move(Temp);
      if (Exists) {
        // Keep the replaced file's permissions and, where allowed, its owner.
        ::fchmod(Fd, Old.st_mode & 07777);
        if (::fchown(Fd, Old.st_uid, Old.st_gid) != 0) {
          // Not permitted for ordinary users; the file then belongs to the writer.
        }
      }
      return 0;
    }
    Error = errno;
    if (Error != EEXIST) break;
  }
  return Error;
}

int TAtomicFileWriter::TryCommit() {
  if (FHandle < 0) return EBADF;
  int Error = 0;
  if (::fsync(FHandle) != 0) Error = errno;
  if (::close(FHandle) != 0 && Error == 0) Error = errno;
  FHandle = -1;
  if (Error == 0 && ::rename(FTempName.c_str(), FTarget.c_str()) != 0) Error = errno;
  if (Error != 0) {
    ::unlink(FTempName.c_str());
  } else {
    SyncFolderOf(FTarget);
  }
  FTempName.clear();
  return Error;
}

void TAtomicFileWriter::Commit() {
  const int Error = TryCommit();
  if (Error != 0) throw EFCreateError(CreateErrorText(FFileName, Error));
}

void TAtomicFileWriter::Discard() {
  if (FHandle >= 0) {
    ::close(FHandle);
    FHandle = -1;
  }
  if (!FTempName.empty()) {
    ::unlink(FTempName.c_str());
    FTempName.clear();
  }
}

void SaveFileAtomically(const String& FileName, const void* Data, size_t Size) {
  TAtomicFileWriter Writer(FileName);
  Writer.WriteBuffer(Data, static_cast<long long>(Size));
  Writer.Commit();
}

void SaveFileAtomically(const String& FileName, std::string_view Bytes) {
  SaveFileAtomically(FileName, Bytes.data(), Bytes.size());
}

}  // namespace orv
