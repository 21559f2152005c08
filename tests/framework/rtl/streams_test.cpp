#include "framework/rtl/streams.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>
#include <fstream>
#include <iterator>
#include <numeric>

#include "framework/rtl/atomicfile.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/unicode.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

// A fresh folder under the system temporary folder, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::string Templ = (fs::temp_directory_path() / "orv_streams_XXXXXX").string();
    FPath = ::mkdtemp(Templ.data());
  }
  ~TempFolder() {
    std::error_code Ec;
    fs::remove_all(FPath, Ec);
  }
  String operator/(std::string_view Name) const { return FromUtf8((FPath / Name).string()); }
  const fs::path& Path() const { return FPath; }

 private:
  fs::path FPath;
};

std::string ReadAll(const String& Name) {
  std::ifstream In(ToUtf8(Name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

void WriteAll(const String& Name, std::string_view Bytes) {
  std::ofstream Out(ToUtf8(Name), std::ios::binary);
  Out << Bytes;
}

TEST(MemoryStream, WritesGrowReadsStopAtTheEnd) {
  TMemoryStream M;
  EXPECT_EQ(M.Size(), 0);
  std::vector<uint8_t> Data(100000);
  std::iota(Data.begin(), Data.end(), 0);
  for (size_t I = 0; I < Data.size(); I += 1000) M.WriteBuffer(Data.data() + I, 1000);
  EXPECT_EQ(M.Size(), 100000);
  EXPECT_EQ(M.Position(), 100000);
  EXPECT_GE(M.Capacity(), M.Size());
  EXPECT_EQ(std::memcmp(M.Memory(), Data.data(), Data.size()), 0);

  M.SetPosition(99990);
  uint8_t Buf[32] = {};
  EXPECT_EQ(M.Read(Buf, 32), 10);
  EXPECT_EQ(Buf[9], Data[99999]);
  EXPECT_EQ(M.Read(Buf, 32), 0);
  M.SetPosition(99990);
  EXPECT_THROW(M.ReadBuffer(Buf, 32), EReadError);
}

TEST(MemoryStream, SeekingPastTheEndThenWritingFillsTheGapWithZeros) {
  TMemoryStream M;
  M.WriteBuffer("ab", 2);
  EXPECT_EQ(M.Seek(3, soEnd), 5);
  M.WriteBuffer("z", 1);
  ASSERT_EQ(M.Size(), 6);
  const auto* P = static_cast<const char*>(M.Memory());
  EXPECT_EQ(std::string(P, 6), std::string("ab\0\0\0z", 6));
  EXPECT_EQ(M.Seek(-2, soCurrent), 4);
  EXPECT_EQ(M.Seek(-1, soBeginning), -1);  // refused, position kept
  EXPECT_EQ(M.Position(), 4);
}

TEST(MemoryStream, SetSizeKeepsThePositionInsideTheData) {
  TMemoryStream M;
  M.WriteBuffer("hello world", 11);
  M.SetSize(5);
  EXPECT_EQ(M.Position(), 5);
  M.SetSize(8);
  EXPECT_EQ(M.Position(), 5);
  EXPECT_EQ(std::string(static_cast<const char*>(M.Memory()), 8), std::string("hello\0\0\0", 8));
  EXPECT_THROW(M.SetSize(-1), EStreamError);
  M.Clear();
  EXPECT_EQ(M.Size(), 0);
  EXPECT_EQ(M.Position(), 0);
}

TEST(MemoryStream, ImpossibleSizesRaiseOutOfMemoryAndLeaveTheStreamUsable) {
  TMemoryStream M;
  M.WriteBuffer("abc", 3);
  try {
    M.SetSize(1LL << 62);
    ADD_FAILURE();
  } catch (const EOutOfMemory& E) {
    EXPECT_EQ(E.Message(), u"Out of memory while expanding memory stream");
  }
  EXPECT_EQ(M.Size(), 3);
  M.SetPosition(std::numeric_limits<long long>::max() - 1);
  EXPECT_THROW(M.Write("xy", 2), EOutOfMemory);  // position + count would overflow
  EXPECT_EQ(M.Size(), 3);
}

TEST(Stream, CopyFromCopiesACountOrTheWholeSource) {
  TStringStream Source(std::string("0123456789"));
  TMemoryStream Dest;
  Source.SetPosition(2);
  EXPECT_EQ(Dest.CopyFrom(&Source, 3), 3);
  EXPECT_EQ(std::string(static_cast<const char*>(Dest.Memory()), 3), "234");
  EXPECT_EQ(Dest.CopyFrom(&Source, 0), 10);  // the whole source, from its start
  EXPECT_EQ(Dest.Size(), 13);
  Source.SetPosition(8);
  EXPECT_THROW(Dest.CopyFrom(&Source, 5), EReadError);

  // Larger than the internal chunk.
  std::string Big(300000, 'x');
  Big[299999] = 'y';
  TStringStream BigSource(Big);
  TStringStream BigDest;
  BigDest.CopyFrom(&BigSource, 0);
  EXPECT_EQ(BigDest.DataString(), Big);
}

TEST(Stream, CopyingAStreamIntoItselfAppendsACleanCopy) {
  // Larger than the copy chunk, so a shared read/write position would corrupt it.
  std::string Text(200000, '.');
  for (size_t I = 0; I < Text.size(); I += 7) Text[I] = static_cast<char>('a' + I % 26);
  TStringStream S(Text);
  S.Seek(0, soEnd);
  EXPECT_EQ(S.CopyFrom(&S, 0), 200000);
  EXPECT_EQ(S.DataString(), Text + Text);
}

TEST(Stream, CopyFromAPipeReadsUpToItsEnd) {
  int Fds[2];
  ASSERT_EQ(::pipe(Fds), 0);
  ASSERT_EQ(::write(Fds[1], "through a pipe", 14), 14);
  ::close(Fds[1]);
  THandleStream Pipe(Fds[0]);
  TMemoryStream Dest;
  EXPECT_EQ(Dest.CopyFrom(&Pipe, 0), 14);
  EXPECT_EQ(std::string(static_cast<const char*>(Dest.Memory()), 14), "through a pipe");
  ::close(Fds[0]);
}

TEST(MemoryStream, WritingItsOwnBytesWhileGrowingKeepsThemIntact) {
  TMemoryStream M;
  M.WriteBuffer("0123456789", 10);
  for (int I = 0; I < 12; ++I) {
    M.Seek(0, soEnd);
    M.WriteBuffer(M.Memory(), M.Size());  // the block moves while this copies from it
  }
  ASSERT_EQ(M.Size(), 10 << 12);
  const auto* P = static_cast<const char*>(M.Memory());
  EXPECT_EQ(std::string(P + M.Size() - 10, 10), "0123456789");
  M.SetPosition(5);
  M.WriteBuffer(P, 10);  // overlapping, no growth
  EXPECT_EQ(std::string(static_cast<const char*>(M.Memory()), 16), "012340123456789" "5");
}

TEST(StringStream, CarriesUtf8TextBothWays) {
  TStringStream S(String(u"Grüße €"));
  EXPECT_EQ(S.DataString(), "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC");
  EXPECT_EQ(S.Position(), 0);
  EXPECT_EQ(S.ReadString(2), u"Gr");
  S.Seek(0, soEnd);
  S.WriteString(u"!");
  EXPECT_EQ(FromUtf8(S.DataString()), u"Grüße €!");
  EXPECT_EQ(S.ReadString(10), u"");
  TStringStream Raw(std::string("\xFF\x00z", 3));
  EXPECT_EQ(Raw.Size(), 3);
}

TEST(FileStream, CreateWriteReopenAndRead) {
  TempFolder Dir;
  const String Name = Dir / "data.bin";
  {
    TFileStream F(Name, fmCreate);
    F.WriteBuffer("abcdef", 6);
    EXPECT_EQ(F.Size(), 6);
    F.SetSize(4);
    EXPECT_EQ(F.Position(), 4);
  }
  EXPECT_EQ(ReadAll(Name), "abcd");
  {
    TFileStream F(Name, fmOpenReadWrite | fmShareDenyNone);
    EXPECT_EQ(F.Seek(-2, soEnd), 2);
    F.WriteBuffer("XYZ", 3);
    F.SetPosition(0);
    char Buf[5];
    F.ReadBuffer(Buf, 5);
    EXPECT_EQ(std::string(Buf, 5), "abXYZ");
  }
  TFileStream R(Name, fmOpenRead);
  EXPECT_EQ(R.Write("q", 1), 0);  // read-only handle
  EXPECT_THROW(R.WriteBuffer("q", 1), EWriteError);
  TMemoryStream M;
  M.LoadFromFile(Name);
  EXPECT_EQ(M.Size(), 5);
}

TEST(FileStream, FailuresNameTheFileAndTheReason) {
  TempFolder Dir;
  const String Missing = Dir / "missing.txt";
  try {
    TFileStream F(Missing, fmOpenRead);
    ADD_FAILURE();
  } catch (const EFOpenError& E) {
    EXPECT_EQ(E.Message(), u"Cannot open file \"" + Missing + u"\". No such file or directory");
  }
  const String InMissingFolder = Dir / "no/such/folder.txt";
  try {
    TFileStream F(InMissingFolder, fmCreate);
    ADD_FAILURE();
  } catch (const EFCreateError& E) {
    EXPECT_EQ(E.Message(), u"Cannot create file \"" + InMissingFolder + u"\". No such file or directory");
  }
  // A folder is not a file, even for reading.
  EXPECT_THROW(TFileStream(FromUtf8(Dir.Path().string()), fmOpenRead), EFOpenError);
}

TEST(FileStream, WriteErrorsNameTheFileAndTheReason) {
  if (::access("/dev/full", W_OK) == 0) {
    TFileStream F(u"/dev/full", fmOpenWrite);
    try {
      F.WriteBuffer("data", 4);
      ADD_FAILURE();
    } catch (const EWriteError& E) {
      EXPECT_EQ(E.Message(), u"Stream write error on file \"/dev/full\". No space left on device");
    }
  }
  TempFolder Dir;
  const String Name = Dir / "ro.txt";
  WriteAll(Name, "abc");
  TFileStream R(Name, fmOpenRead);
  try {
    R.SetSize(1);
    ADD_FAILURE();
  } catch (const EWriteError& E) {
    EXPECT_EQ(E.Message(), u"Stream write error on file \"" + Name + u"\". Invalid argument");
  }
  // The atomic writer names the file it replaces, not its temporary.
  TAtomicFileWriter W(Dir / "doc.txt");
  const int ReadOnly = ::open(ToUtf8(Name).c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(ReadOnly, 0);
  ::dup2(ReadOnly, W.Handle());  // the writer's descriptor can no longer write
  ::close(ReadOnly);
  try {
    W.WriteBuffer("x", 1);
    ADD_FAILURE();
  } catch (const EWriteError& E) {
    EXPECT_EQ(E.Message(), u"Stream write error on file \"" + (Dir / "doc.txt") + u"\". Bad file descriptor");
  }
}

TEST(AtomicSave, ReplacesTheFileAndLeavesNoTemporary) {
  TempFolder Dir;
  const String Name = Dir / "out.txt";
  WriteAll(Name, "old contents");
  ::chmod(ToUtf8(Name).c_str(), 0640);
  TMemoryStream M;
  M.WriteBuffer("new", 3);
  M.SaveToFile(Name);
  EXPECT_EQ(ReadAll(Name), "new");
  EXPECT_EQ(fs::status(ToUtf8(Name)).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(std::distance(fs::directory_iterator(Dir.Path()), fs::directory_iterator()), 1);
}

TEST(AtomicSave, WritesThroughALinkToItsTarget) {
  TempFolder Dir;
  WriteAll(Dir / "real.txt", "old");
  fs::create_symlink("real.txt", Dir.Path() / "link.txt");
  SaveFileAtomically(Dir / "link.txt", std::string_view("new"));
  EXPECT_TRUE(fs::is_symlink(Dir.Path() / "link.txt"));
  EXPECT_EQ(ReadAll(Dir / "real.txt"), "new");
}

TEST(AtomicSave, AFailedSaveKeepsTheOldFile) {
  TempFolder Dir;
  // The target is a folder: nothing may be created or removed.
  fs::create_directory(Dir.Path() / "folder");
  WriteAll(Dir / "folder/inside.txt", "keep");
  EXPECT_THROW(SaveFileAtomically(Dir / "folder", std::string_view("x")), EFCreateError);
  EXPECT_EQ(ReadAll(Dir / "folder/inside.txt"), "keep");
  // The folder of the target does not exist.
  EXPECT_THROW(SaveFileAtomically(Dir / "none/file.txt", std::string_view("x")), EFCreateError);

  // A writer abandoned half-way (an exception while producing the data) leaves the old file.
  const String Name = Dir / "doc.txt";
  WriteAll(Name, "previous");
  try {
    TAtomicFileWriter W(Name);
    W.WriteBuffer("partial", 7);
    throw EWriteError(u"Stream write error");
  } catch (const EWriteError&) {
  }
  EXPECT_EQ(ReadAll(Name), "previous");
  // The rename itself fails when the target is replaced by a folder meanwhile.
  {
    TAtomicFileWriter W(Dir / "late");
    W.WriteBuffer("data", 4);
    fs::create_directory(Dir.Path() / "late");
    WriteAll(Dir / "late/x", "x");
    try {
      W.Commit();
      ADD_FAILURE();
    } catch (const EFCreateError& E) {
      EXPECT_EQ(E.Message().rfind(u"Cannot create file \"" + (Dir / "late") + u"\". ", 0), 0u);
    }
  }
  // Only the original entries remain: no temporaries are left behind.
  std::vector<std::string> Names;
  for (const auto& E : fs::directory_iterator(Dir.Path())) Names.push_back(E.path().filename().string());
  std::sort(Names.begin(), Names.end());
  EXPECT_EQ(Names, (std::vector<std::string>{"doc.txt", "folder", "late"}));
}

TEST(AtomicSave, DevicesAreNotReplaced) {
  if (::access("/dev/null", W_OK) != 0) GTEST_SKIP();
  EXPECT_THROW(SaveFileAtomically(u"/dev/null", std::string_view("x")), EFCreateError);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

}  // namespace
}  // namespace orv
