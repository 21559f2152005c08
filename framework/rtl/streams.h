#pragma once
// Byte streams: the abstract TStream, streams over file handles and files,
// and growable streams in memory (TMemoryStream, TStringStream).

#include <cstdint>
#include <string>
#include <vector>

#include "classes.h"
#include "types.h"

namespace orv {

enum TSeekOrigin : uint8_t { soBeginning, soCurrent, soEnd };

// Open modes of TFileStream: one access mode, optionally or-ed with a share
// flag (share flags are accepted for compatibility and have no effect).
inline constexpr uint16_t fmCreate = 0xFF00;
inline constexpr uint16_t fmOpenRead = 0x0000;
inline constexpr uint16_t fmOpenWrite = 0x0001;
inline constexpr uint16_t fmOpenReadWrite = 0x0002;
inline constexpr uint16_t fmShareCompat = 0x0000;
inline constexpr uint16_t fmShareExclusive = 0x0010;
inline constexpr uint16_t fmShareDenyWrite = 0x0020;
inline constexpr uint16_t fmShareDenyRead = 0x0030;
inline constexpr uint16_t fmShareDenyNone = 0x0040;

class TStream : public TObject {
 public:
  // Read and Write move up to Count bytes and return how many moved (0 at
  // the end of the data, on an error or for Count <= 0).
  virtual long long Read(void* Buffer, long long Count) = 0;
  virtual long long Write(const void* Buffer, long long Count) = 0;
  // Returns the new position, or -1 (position unchanged) when the target
  // would be negative or the device cannot seek.
  virtual long long Seek(long long Offset, TSeekOrigin Origin) = 0;

  long long Position();
  void SetPosition(long long Pos);
  virtual long long Size();
  // Raises EStreamError on a stream whose size cannot be changed; the
  // position is kept unless it lies past the new end.
  virtual void SetSize(long long NewSize);

  // Exactly Count bytes or EReadError "Stream read error" / EWriteError (see
  // WriteErrorText).
  void ReadBuffer(void* Buffer, long long Count);
  void WriteBuffer(const void* Buffer, long long Count);
  // Copies Count bytes from Source's position; Count <= 0 copies the whole of
  // Source from its start (a source of unknown size, such as a pipe, up to its
  // end). Returns the number of bytes copied.
  long long CopyFrom(TStream* Source, long long Count);

 protected:
  // Message of the EWriteError raised when a write falls short: "Stream write
  // error" here; streams over files add the file and the system's reason.
  virtual String WriteErrorText() const;

 private:
  long long CopyToEnd(TStream* Source);
};

// A stream over an open file descriptor it does not own.
class THandleStream : public TStream {
 public:
  explicit THandleStream(int AHandle) : FHandle(AHandle) {}

  long long Read(void* Buffer, long long Count) override;
  long long Write(const void* Buffer, long long Count) override;
  long long Seek(long long Offset, TSeekOrigin Origin) override;
  long long Size() override;
  void SetSize(long long NewSize) override;  // EWriteError when the file cannot be resized

  int Handle() const { return FHandle; }

 protected:
  // "Stream write error on file "<name>". <reason>", the name expanded to a
  // full path (left out when TargetName is empty), the reason being the
  // system's message for the failed write or resize.
  String WriteErrorText() const override;
  // The file the written bytes are meant for; empty for a bare handle.
  virtual String TargetName() const { return String(); }

  int FHandle;
  int FWriteError = 0;  // errno of the last failed write or resize
};

// A file opened by name. fmCreate creates or empties the file (read and
// write access); otherwise the low bits choose fmOpenRead, fmOpenWrite or
// fmOpenReadWrite. Failures raise EFCreateError "Cannot create file "<name>".
// <reason>" or EFOpenError "Cannot open file "<name>". <reason>", the name
// expanded to a full path. A folder cannot be opened as a file stream.
class TFileStream : public THandleStream {
 public:
  TFileStream(const String& AFileName, uint16_t Mode);
  // Rights: permission bits of a newly created file (before the umask).
  TFileStream(const String& AFileName, uint16_t Mode, uint32_t Rights);
  ~TFileStream() override;

  const String& FileName() const { return FFileName; }

 protected:
  String TargetName() const override { return FFileName; }

 private:
  String FFileName;
};

// Bytes in memory that grow as they are written. Seeking past the end is
// allowed; a write there fills the gap with zeros.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;

  long long Read(void* Buffer, long long Count) override;
  long long Write(const void* Buffer, long long Count) override;
  long long Seek(long long Offset, TSeekOrigin Origin) override;
  long long Size() override { return static_cast<long long>(FData.size()); }
  // EOutOfMemory "Out of memory while expanding memory stream" when the
  // memory cannot be had; EStreamError for a negative size.
  void SetSize(long long NewSize) override;

  // The bytes; valid until the next change of size.
  void* Memory() { return FData.data(); }
  const void* Memory() const { return FData.data(); }
  long long Capacity() const { return static_cast<long long>(FData.capacity()); }
  void SetCapacity(long long NewCapacity);
  void Clear();

  // Replaces the contents with the whole of Stream (read from its start);
  // the position is kept unless it lies past the new end.
  void LoadFromStream(TStream* Stream);
  void LoadFromFile(const String& FileName);
  // Writes the whole contents at Stream's position.
  void SaveToStream(TStream* Stream);
  // Written to a temporary file renamed over FileName, so a failed save
  // leaves the previous file as it was.
  void SaveToFile(const String& FileName);

 protected:
  const std::vector<uint8_t>& Bytes() const { return FData; }

 private:
  void Reserve(long long Needed);

  std::vector<uint8_t> FData;
  long long FPosition = 0;
};

// A memory stream of text. The bytes are UTF-8 when made from a String.
class TStringStream : public TMemoryStream {
 public:
  TStringStream() = default;
  explicit TStringStream(const std::string& Bytes);
  explicit TStringStream(const String& Text);

  // All bytes of the stream, whatever the position.
  std::string DataString() const;
  // Writes Text as UTF-8 at the position.
  void WriteString(const String& Text);
  // Reads up to Count bytes from the position and decodes them as UTF-8.
  String ReadString(long long Count);
};

}  // namespace orv
