#pragma once
// Saving a file so that a failure never destroys the previous version: the
// data goes to a temporary file in the target's folder, which is flushed to
// the disk and then renamed over the target in one step.

#include <string_view>

#include "streams.h"
#include "types.h"

namespace orv {

class TAtomicFileWriter : public THandleStream {
 public:
  // Not open; call Open.
  TAtomicFileWriter() : THandleStream(-1) {}
  // Opens at once; EFCreateError "Cannot create file "<name>". <reason>" on failure.
  explicit TAtomicFileWriter(const String& AFileName);
  // Removes the temporary file unless Commit succeeded.
  ~TAtomicFileWriter() override;

  TAtomicFileWriter(const TAtomicFileWriter&) = delete;
  TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;

  // Creates the temporary file for AFileName (a symbolic link is followed, so
  // the file it points to is replaced). Returns 0 or the errno value.
  int Open(const String& AFileName);
  // Flushes the data to the disk and renames the temporary over the target.
  // On failure the temporary is removed, the target is left as it was and
  // EFCreateError "Cannot create file "<name>". <reason>" is raised.
  void Commit();
  // The same, returning 0 or the errno value instead of raising.
  int TryCommit();
  // Drops the temporary file; the target is not touched.
  void Discard();

  bool IsOpen() const { return FHandle >= 0; }
  const String& FileName() const { return FFileName; }
  const std::string& TempName() const { return FTempName; }

 protected:
  // Write errors name the file being replaced, not the temporary.
  String TargetName() const override { return FFileName; }

 private:
  String FFileName;
  std::string FTarget;    // the path that is replaced (UTF-8)
  std::string FTempName;  // the temporary file (UTF-8)
};

// Writes Size bytes as the new contents of FileName through a
// TAtomicFileWriter. Raises EFCreateError or EWriteError; on failure the
// previous file is intact.
void SaveFileAtomically(const String& FileName, const void* Data, size_t Size);
void SaveFileAtomically(const String& FileName, std::string_view Bytes);

// "Cannot create file "<expanded name>". <system message for Error>".
String CreateErrorText(const String& FileName, int Error);

}  // namespace orv
