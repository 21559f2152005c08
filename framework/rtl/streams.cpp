#include "streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <limits>
#include <new>
#include <stdexcept>

#include "atomicfile.h"
#include "exceptions.h"
#include "files.h"
#include "unicode.h"

namespace orv {

namespace {

[[noreturn]] void OutOfMemory() { throw EOutOfMemory(u"Out of memory while expanding memory stream"); }

// Far beyond any real memory; larger requests are refused before the allocator
// sees them (some allocators abort on absurd sizes instead of failing).
constexpr long long kMaxMemorySize = 1LL << 40;

}  // namespace

// --- TStream -------------------------------------------------------------------

long long TStream::Position() { return Seek(0, soCurrent); }

void TStream::SetPosition(long long Pos) { Seek(Pos, soBeginning); }

long long TStream::Size() {
  const long long Pos = Seek(0, soCurrent);
  const long long Result = Seek(0, soEnd);
  Seek(Pos, soBeginning);
  return Result;
}

long long TStream::CopyToEnd(TStream* Source) {
  std::vector<uint8_t> Buffer(64 * 1024);
  long long Total = 0;
  for (;;) {
    const long long N = Source->Read(Buffer.data(), static_cast<long long>(Buffer.size()));
    if (N <= 0) return Total;
    WriteBuffer(Buffer.data(), N);
    Total += N;
  }
}

void TStream::SetSize(long long) { throw EStreamError(u"Stream size cannot be changed"); }

void TStream::ReadBuffer(void* Buffer, long long Count) {
  if (Count < 0 || (Count > 0 && Read(Buffer, Count) != Count)) throw EReadError(u"Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, long long Count) {
  if (Count < 0 || (Count > 0 && Write(Buffer, Count) != Count)) throw EWriteError(WriteErrorText());
}

String TStream::WriteErrorText() const { return u"Stream write error"; }

long long TStream::CopyFrom(TStream* Source, long long Count) {
  if (Source == nullptr) throw EArgumentException(u"No source stream to copy from");
  if (Count <= 0) {
    Source->SetPosition(0);
    Count = Source->Size();
    if (Count < 0 && Source != this) return CopyToEnd(Source);  // a pipe or the like: size unknown
    Count = std::max(Count, 0LL);
  }
  if (Source == this) {
    // Reading and writing share one position: take the bytes out first.
    std::vector<uint8_t> Bytes;
    if (Count > kMaxMemorySize) throw EOutOfMemory(u"Out of memory while copying a stream");
    try {
      Bytes.resize(static_cast<size_t>(Count));
    } catch (const std::exception&) {
      throw EOutOfMemory(u"Out of memory while copying a stream");
    }
    ReadBuffer(Bytes.data(), Count);
    WriteBuffer(Bytes.data(), Count);
    return Count;
  }
  constexpr long long kChunk = 64 * 1024;
  std::vector<uint8_t> Buffer(static_cast<size_t>(std::min(Count, kChunk)));
  long long Left = Count;
  while (Left > 0) {
    const long long N = std::min(Left, kChunk);
    Source->ReadBuffer(Buffer.data(), N);
    WriteBuffer(Buffer.data(), N);
    Left -= N;
  }
  return Count;
}

// --- THandleStream ---------------------------------------------------------------

namespace {

// read() and write() move at most this much per call on Linux anyway.
constexpr long long kMaxIo = 1LL << 30;

}  // namespace

long long THandleStream::Read(void* Buffer, long long Count) {
  if (FHandle < 0 || Buffer == nullptr || Count <= 0) return 0;
  auto* P = static_cast<char*>(Buffer);
  long long Done = 0;
  while (Done < Count) {
    const ssize_t N = ::read(FHandle, P + Done, static_cast<size_t>(std::min(Count - Done, kMaxIo)));
    if (N < 0 && errno == EINTR) continue;
    if (N <= 0) break;
    Done += N;
  }
  return Done;
}

long long THandleStream::Write(const void* Buffer, long long Count) {
  if (Buffer == nullptr || Count <= 0) return 0;
  if (FHandle < 0) {
    FWriteError = EBADF;
    return 0;
  }
  const auto* P = static_cast<const char*>(Buffer);
  long long Done = 0;
  while (Done < Count) {
    const ssize_t N = ::write(FHandle, P + Done, static_cast<size_t>(std::min(Count - Done, kMaxIo)));
    if (N < 0 && errno == EINTR) continue;
    if (N <= 0) {
      // A write that moves nothing without an error cannot go on either.
      FWriteError = N < 0 ? errno : EIO;
      break;
    }
    Done += N;
  }
  return Done;
}

long long THandleStream::Seek(long long Offset, TSeekOrigin Origin) {
  if (FHandle < 0) return -1;
  const int Whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
  return ::lseek(FHandle, static_cast<off_t>(Offset), Whence);
}

long long THandleStream::Size() {
  struct stat St {};
  if (FHandle < 0 || ::fstat(FHandle, &St) != 0) return 0;
  if (S_ISREG(St.st_mode)) return St.st_size;
  return TStream::Size();  // devices and pipes: ask by seeking
}

void THandleStream::SetSize(long long NewSize) {
  if (FHandle < 0 || NewSize < 0 || ::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0) {
    FWriteError = FHandle < 0 ? EBADF : NewSize < 0 ? EINVAL : errno;
    throw EWriteError(WriteErrorText());
  }
  if (Position() > NewSize) Seek(NewSize, soBeginning);
}

String THandleStream::WriteErrorText() const {
  String Text = u"Stream write error";
  const String Name = TargetName();
  if (!Name.empty()) Text += u" on file \"" + ExpandFileName(Name) + u"\"";
  if (FWriteError != 0) Text += u". " + SysErrorMessage(FWriteError);
  return Text;
}

// --- TFileStream -----------------------------------------------------------------

TFileStream::TFileStream(const String& AFileName, uint16_t Mode) : TFileStream(AFileName, Mode, 0666) {}

TFileStream::TFileStream(const String& AFileName, uint16_t Mode, uint32_t Rights)
    : THandleStream(-1), FFileName(AFileName) {
  const bool Create = (Mode & fmCreate) == fmCreate;
  const std::string Path = ToUtf8(AFileName);
  int Flags = O_CLOEXEC;
  switch (Create ? fmOpenReadWrite : Mode & 3) {
    case fmOpenRead:
      Flags |= O_RDONLY;
      break;
    case fmOpenWrite:
      Flags |= O_WRONLY;
      break;
    case fmOpenReadWrite:
      Flags |= O_RDWR;
      break;
    default:
      throw EFOpenError(u"Cannot open file \"" + ExpandFileName(AFileName) + u"\". " + SysErrorMessage(EINVAL));
  }
  if (Create) Flags |= O_CREAT | O_TRUNC;
  int Error = 0;
  if (Path.empty() || Path.find('\0') != std::string::npos) {
    Error = ENOENT;
  } else {
    FHandle = ::open(Path.c_str(), Flags, static_cast<mode_t>(Rights));
    if (FHandle < 0) {
      Error = errno;
    } else {
      struct stat St {};
      if (::fstat(FHandle, &St) == 0 && S_ISDIR(St.st_mode)) {
        ::close(FHandle);
        FHandle = -1;
        Error = EISDIR;
      }
    }
  }
  if (Error != 0) {
    if (Create) throw EFCreateError(CreateErrorText(AFileName, Error));
    throw EFOpenError(u"Cannot open file \"" + ExpandFileName(AFileName) + u"\". " + SysErrorMessage(Error));
  }
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

// --- TMemoryStream ---------------------------------------------------------------

void TMemoryStream::Reserve(long long Needed) {
  if (Needed <= Capacity()) return;
  try {
    // Grow geometrically so that many small writes stay linear overall.
    const long long Doubled = Capacity() > std::numeric_limits<long long>::max() / 2 ? Needed : Capacity() * 2;
    const long long Target = std::max(Needed, Doubled);
    if (Needed > kMaxMemorySize) OutOfMemory();
    try {
      FData.reserve(static_cast<size_t>(std::min(Target, kMaxMemorySize)));
    } catch (const std::bad_alloc&) {
      FData.reserve(static_cast<size_t>(Needed));  // the doubled block may be too much; try the exact need
    }
  } catch (const std::bad_alloc&) {
    OutOfMemory();
  } catch (const std::length_error&) {
    OutOfMemory();
  }
}

void TMemoryStream::SetCapacity(long long NewCapacity) {
  if (NewCapacity <= Capacity()) return;
  try {
    if (NewCapacity > kMaxMemorySize) OutOfMemory();
    FData.reserve(static_cast<size_t>(NewCapacity));
  } catch (const std::bad_alloc&) {
    OutOfMemory();
  }
}

void TMemoryStream::SetSize(long long NewSize) {
  if (NewSize < 0) throw EStreamError(u"Invalid stream size");
  Reserve(NewSize);
  FData.resize(static_cast<size_t>(NewSize));
  if (FPosition > NewSize) FPosition = NewSize;
}

void TMemoryStream::Clear() {
  std::vector<uint8_t>().swap(FData);
  FPosition = 0;
}

long long TMemoryStream::Read(void* Buffer, long long Count) {
  const long long Available = Size() - FPosition;
  if (Buffer == nullptr || Count <= 0 || Available <= 0) return 0;
  const long long N = std::min(Count, Available);
  std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(N));
  FPosition += N;
  return N;
}

long long TMemoryStream::Write(const void* Buffer, long long Count) {
  if (Buffer == nullptr || Count <= 0) return 0;
  if (Count > std::numeric_limits<long long>::max() - FPosition) OutOfMemory();
  const long long End = FPosition + Count;
  if (End > Size()) {
    // Growing may move the block; a source inside it (writing the stream's own
    // bytes) is copied out first so that it does not vanish under the copy.
    const auto* Src = static_cast<const uint8_t*>(Buffer);
    const bool Inside = !FData.empty() && std::less_equal<const uint8_t*>()(FData.data(), Src) &&
                        std::less<const uint8_t*>()(Src, FData.data() + FData.capacity());
    if (Inside && End > Capacity()) {
      const std::vector<uint8_t> Copy(Src, Src + Count);
      Reserve(End);
      FData.resize(static_cast<size_t>(End));
      std::memcpy(FData.data() + FPosition, Copy.data(), Copy.size());
      FPosition = End;
      return Count;
    }
    Reserve(End);
    FData.resize(static_cast<size_t>(End));
  }
  std::memmove(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
  FPosition = End;
  return Count;
}

long long TMemoryStream::Seek(long long Offset, TSeekOrigin Origin) {
  const long long Base = Origin == soBeginning ? 0 : Origin == soCurrent ? FPosition : Size();
  // Offsets that overflow or land before the start leave the position alone.
  if ((Offset > 0 && Base > std::numeric_limits<long long>::max() - Offset) || Base + Offset < 0) return -1;
  FPosition = Base + Offset;
  return FPosition;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  if (Stream == nullptr) throw EArgumentException(u"No stream to load from");
  Stream->SetPosition(0);
  const long long Count = Stream->Size();
  std::vector<uint8_t> Loaded;
  if (Count > kMaxMemorySize) OutOfMemory();
  try {
    Loaded.resize(static_cast<size_t>(std::max(Count, 0LL)));
  } catch (const std::exception&) {
    OutOfMemory();
  }
  // Read into a separate buffer: a short source must not leave half-replaced contents.
  Stream->ReadBuffer(Loaded.data(), static_cast<long long>(Loaded.size()));
  FData.swap(Loaded);
  if (FPosition > Size()) FPosition = Size();
}

void TMemoryStream::LoadFromFile(const String& FileName) {
  TFileStream File(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&File);
}

void TMemoryStream::SaveToStream(TStream* Stream) {
  if (Stream == nullptr) throw EArgumentException(u"No stream to save to");
  if (!FData.empty()) Stream->WriteBuffer(FData.data(), Size());
}

void TMemoryStream::SaveToFile(const String& FileName) { SaveFileAtomically(FileName, FData.data(), FData.size()); }

// --- TStringStream ---------------------------------------------------------------

TStringStream::TStringStream(const std::string& Bytes) {
  WriteBuffer(Bytes.data(), static_cast<long long>(Bytes.size()));
  SetPosition(0);
}

TStringStream::TStringStream(const String& Text) : TStringStream(ToUtf8(Text)) {}

std::string TStringStream::DataString() const {
  const std::vector<uint8_t>& B = Bytes();
  return std::string(B.begin(), B.end());
}

void TStringStream::WriteString(const String& Text) {
  const std::string Utf8 = ToUtf8(Text);
  WriteBuffer(Utf8.data(), static_cast<long long>(Utf8.size()));
}

String TStringStream::ReadString(long long Count) {
  const long long N = std::max(0LL, std::min(Count, Size() - Position()));
  std::string Utf8(static_cast<size_t>(N), '\0');
  ReadBuffer(Utf8.data(), N);
  return FromUtf8(Utf8);
}

}  // namespace orv
