#include "textfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <exception>

#include "exceptions.h"
#include "files.h"
#include "sysutils.h"
#include "unicode.h"

namespace orv {

namespace {

constexpr size_t kChunk = 64 * 1024;
constexpr int kFileNotOpen = 103;
constexpr int kNotOpenForInput = 104;
constexpr int kNotOpenForOutput = 105;

String InOutErrorText(int Code) {
  switch (Code) {
    case 2:
      return u"File not found";
    case 3:
      return u"Path not found";
    case 5:
      return u"Access denied";
    case kFileNotOpen:
      return u"File not open";
    case kNotOpenForInput:
      return u"File not open for input";
    case kNotOpenForOutput:
      return u"File not open for output";
    default:
      return u"I/O error " + IntToStr(Code);
  }
}

[[noreturn]] void RaiseInOut(int Code) { throw EInOutError(InOutErrorText(Code), Code); }

bool WriteAll(int Handle, const std::string& Bytes, int& Error) {
  size_t Done = 0;
  while (Done < Bytes.size()) {
    const ssize_t N = ::write(Handle, Bytes.data() + Done, Bytes.size() - Done);
    if (N < 0 && errno == EINTR) continue;
    if (N <= 0) {
      Error = N < 0 ? errno : EIO;
      return false;
    }
    Done += static_cast<size_t>(N);
  }
  return true;
}

}  // namespace

TextFile::~TextFile() {
  if (FMode == fmOutput && std::uncaught_exceptions() == 0) {
    try {
      Close();
      return;
    } catch (...) {
      // A destructor cannot report the failure; the previous file is kept.
    }
  }
  CloseQuietly();
}

void TextFile::Fail(int Error) const {
  switch (Error) {
    case ENOENT: {
      // Tell a missing folder from a missing file, as callers show these to users.
      const String Folder = ExtractFileDir(FFileName);
      RaiseInOut(!Folder.empty() && !DirectoryExists(Folder) ? 3 : 2);
    }
    case ENOTDIR:
      RaiseInOut(3);
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
      RaiseInOut(5);
    default:
      RaiseInOut(Error);
  }
}

void TextFile::RequireInput() const {
  if (FMode != fmInput) RaiseInOut(FMode == fmOutput ? kNotOpenForInput : kFileNotOpen);
}

void TextFile::RequireOutput() const {
  if (FMode != fmOutput) RaiseInOut(FMode == fmInput ? kNotOpenForOutput : kFileNotOpen);
}

void TextFile::CloseQuietly() {
  if (FHandle >= 0) ::close(FHandle);
  FHandle = -1;
  FAtomic.reset();  // drops an uncommitted temporary
  FBuffer.clear();
  FBufferPos = 0;
  FMode = fmClosed;
}

void TextFile::Assign(const String& FileName) {
  if (FMode != fmClosed) Close();
  FFileName = FileName;
}

void TextFile::Reset() {
  if (FMode != fmClosed) Close();
  const std::string Path = ToUtf8(FFileName);
  if (Path.empty() || Path.find('\0') != std::string::npos) RaiseInOut(2);
  const int Handle = ::open(Path.c_str(), O_RDONLY | O_CLOEXEC);
  if (Handle < 0) Fail(errno);
  struct stat St {};
  if (::fstat(Handle, &St) == 0 && S_ISDIR(St.st_mode)) {
    ::close(Handle);
    Fail(EISDIR);
  }
  FHandle = Handle;
  FMode = fmInput;
  FBuffer.clear();
  FBufferPos = 0;
  while (FBuffer.size() < 3 && Fill()) {
  }
  if (FBuffer.compare(0, 3, "\xEF\xBB\xBF") == 0) FBufferPos = 3;
}

void TextFile::Rewrite() {
  if (FMode != fmClosed) Close();
  auto Writer = std::make_unique<TAtomicFileWriter>();
  const int Error = Writer->Open(FFileName);
  if (Error != 0) Fail(Error);
  FAtomic = std::move(Writer);
  FMode = fmOutput;
  FBuffer.clear();
}

void TextFile::Append() {
  if (FMode != fmClosed) Close();
  const std::string Path = ToUtf8(FFileName);
  if (Path.empty() || Path.find('\0') != std::string::npos) RaiseInOut(2);
  const int Handle = ::open(Path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (Handle < 0) Fail(errno);
  FHandle = Handle;
  FMode = fmOutput;
  FBuffer.clear();
}

void TextFile::Close() {
  if (FMode == fmClosed) RaiseInOut(kFileNotOpen);
  if (FMode == fmInput) {
    CloseQuietly();
    return;
  }
  int Error = 0;
  const int Handle = FAtomic ? FAtomic->Handle() : FHandle;
  if (!FBuffer.empty()) WriteAll(Handle, FBuffer, Error);
  FBuffer.clear();
  if (Error == 0) {
    if (FAtomic) {
      Error = FAtomic->TryCommit();  // removes the temporary itself on failure
    } else if (::close(FHandle) != 0) {
      Error = errno;
    }
    if (!FAtomic) FHandle = -1;
  }
  CloseQuietly();
  if (Error != 0) Fail(Error);
}

bool TextFile::Fill() {
  if (FBufferPos > 0) {
    FBuffer.erase(0, FBufferPos);
    FBufferPos = 0;
  }
  const size_t Old = FBuffer.size();
  FBuffer.resize(Old + kChunk);
  ssize_t N;
  do {
    N = ::read(FHandle, FBuffer.data() + Old, kChunk);
  } while (N < 0 && errno == EINTR);
  const int Error = errno;
  FBuffer.resize(Old + (N > 0 ? static_cast<size_t>(N) : 0));
  if (N < 0) Fail(Error);
  return N > 0;
}

void TextFile::ReadLn(String& Line) {
  RequireInput();
  std::string Bytes;
  for (;;) {
    const size_t Nl = FBuffer.find('\n', FBufferPos);
    if (Nl != std::string::npos) {
      Bytes.append(FBuffer, FBufferPos, Nl - FBufferPos);
      FBufferPos = Nl + 1;
      break;
    }
    Bytes.append(FBuffer, FBufferPos, std::string::npos);
    FBufferPos = FBuffer.size();
    if (!Fill()) break;
  }
  if (!Bytes.empty() && Bytes.back() == '\r') Bytes.pop_back();
  Line = FromUtf8(Bytes);
}

void TextFile::ReadLn() {
  String Ignored;
  ReadLn(Ignored);
}

bool TextFile::Eof() {
  RequireInput();
  return FBufferPos >= FBuffer.size() && !Fill();
}

void TextFile::Write(const String& Text) {
  RequireOutput();
  FBuffer += ToUtf8(Text);
  if (FBuffer.size() >= kChunk) Flush();
}

void TextFile::WriteLn(const String& Text) {
  RequireOutput();
  FBuffer += ToUtf8(Text);
  FBuffer += '\n';
  if (FBuffer.size() >= kChunk) Flush();
}

void TextFile::WriteLn() { WriteLn(String()); }

void TextFile::Flush() {
  RequireOutput();
  int Error = 0;
  const bool Ok = WriteAll(FAtomic ? FAtomic->Handle() : FHandle, FBuffer, Error);
  FBuffer.clear();
  if (!Ok) {
    // Nothing more can be trusted: a Rewrite is dropped (the old file stays)
    // and an Append is closed with what reached the disk.
    CloseQuietly();
    Fail(Error);
  }
}

void AssignFile(TextFile& F, const String& FileName) { F.Assign(FileName); }
void Reset(TextFile& F) { F.Reset(); }
void Rewrite(TextFile& F) { F.Rewrite(); }
void Append(TextFile& F) { F.Append(); }
void CloseFile(TextFile& F) { F.Close(); }
void ReadLn(TextFile& F, String& Line) { F.ReadLn(Line); }
void ReadLn(TextFile& F) { F.ReadLn(); }
bool Eof(TextFile& F) { return F.Eof(); }
void Write(TextFile& F, const String& Text) { F.Write(Text); }
void WriteLn(TextFile& F, const String& Text) { F.WriteLn(Text); }
void WriteLn(TextFile& F) { F.WriteLn(); }

}  // namespace orv
