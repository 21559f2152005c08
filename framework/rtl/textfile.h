#pragma once
// Line-oriented UTF-8 text files with the classic Assign / Reset / Rewrite /
// Append / ReadLn / WriteLn / CloseFile routines.
//
// Reading accepts LF and CRLF line ends and skips a UTF-8 byte-order mark at
// the start. Writing produces UTF-8 with LF line ends. Rewrite replaces the
// file safely: the text goes to a temporary file that CloseFile renames over
// the target, so an interrupted save leaves the previous file intact.
//
// Errors raise EInOutError: "File not found" (2), "Path not found" (3),
// "Access denied" (5), "File not open" (103), "File not open for input" (104),
// "File not open for output" (105), otherwise "I/O error <n>" with the errno
// value n.

#include <memory>
#include <string>

#include "atomicfile.h"
#include "types.h"

namespace orv {

class TextFile {
 public:
  TextFile() = default;
  // A file still open for writing is closed (and a Rewrite committed) unless
  // the destructor runs during exception unwinding: then the temporary of a
  // Rewrite is dropped and the previous file stays as it was.
  ~TextFile();
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  void Assign(const String& FileName);
  void Reset();    // open for reading
  void Rewrite();  // create or replace, for writing
  void Append();   // open an existing file for writing at its end
  void Close();

  // The next line without its line end; an empty string at the end of the file.
  void ReadLn(String& Line);
  void ReadLn();  // skips a line
  bool Eof();
  void Write(const String& Text);
  void WriteLn(const String& Text);
  void WriteLn();
  // Writes buffered text to the file (a Rewrite still becomes visible only on Close).
  void Flush();

  const String& FileName() const { return FFileName; }
  bool IsOpen() const { return FMode != fmClosed; }

 private:
  enum TMode : uint8_t { fmClosed, fmInput, fmOutput };

  [[noreturn]] void Fail(int Error) const;
  void RequireInput() const;
  void RequireOutput() const;
  bool Fill();  // reads more input; false at the end
  void CloseQuietly();

  String FFileName;
  TMode FMode = fmClosed;
  int FHandle = -1;  // input or Append output; a Rewrite writes through FAtomic
  std::unique_ptr<TAtomicFileWriter> FAtomic;
  std::string FBuffer;
  size_t FBufferPos = 0;
};

// The routines under their traditional names.
void AssignFile(TextFile& F, const String& FileName);
void Reset(TextFile& F);
void Rewrite(TextFile& F);
void Append(TextFile& F);
void CloseFile(TextFile& F);
void ReadLn(TextFile& F, String& Line);
void ReadLn(TextFile& F);
bool Eof(TextFile& F);
void Write(TextFile& F, const String& Text);
void WriteLn(TextFile& F, const String& Text);
void WriteLn(TextFile& F);

}  // namespace orv
