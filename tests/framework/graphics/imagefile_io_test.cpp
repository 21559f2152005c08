// Image files and named resources through TBitmap: the format follows the
// bytes on loading and the extension on saving, saving is atomic, failures
// leave the bitmap and files alone, and resources are found by name.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "framework/graphics/imagecodec.h"
#include "framework/graphics/resources.h"
#include "framework/rtl/files.h"
#include "framework/rtl/sysutils.h"
#include "tests/framework/graphics/imagefile_helpers.h"

namespace orv::testing {
namespace {

std::vector<uint8_t> FileBytes(const fs::path& Path) {
  std::ifstream In(Path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
}

bool StartsWith(const std::vector<uint8_t>& Bytes, std::string_view Prefix) {
  return Bytes.size() >= Prefix.size() &&
         std::equal(Prefix.begin(), Prefix.end(), Bytes.begin(),
                    [](char C, uint8_t B) { return static_cast<uint8_t>(C) == B; });
}

TEST(ImageFile, ExtensionChoosesTheWrittenFormatAndBytesTheReadOne) {
  TScratchDir Dir;
  TBitmap B;
  FillRandom(B, 6, 4, 1);
  B.SetPixelFormat(pf24bit);
  B.SaveToFile(Dir.Name("a.png"));
  B.SaveToFile(Dir.Name("b.PNG"));
  B.SaveToFile(Dir.Name("c.bmp"));
  B.SaveToFile(Dir.Name("d.jpg"));  // no writer of its own: BMP
  B.SaveToFile(Dir.Name("noextension"));
  EXPECT_TRUE(StartsWith(FileBytes(Dir.Path() / "a.png"), "\x89PNG"));
  EXPECT_TRUE(StartsWith(FileBytes(Dir.Path() / "b.PNG"), "\x89PNG"));
  EXPECT_TRUE(StartsWith(FileBytes(Dir.Path() / "c.bmp"), "BM"));
  EXPECT_TRUE(StartsWith(FileBytes(Dir.Path() / "d.jpg"), "BM"));
  EXPECT_TRUE(StartsWith(FileBytes(Dir.Path() / "noextension"), "BM"));

  // A PNG under a BMP name (and the reverse) loads by what it holds.
  fs::rename(Dir.Path() / "a.png", Dir.Path() / "png-inside.bmp");
  fs::rename(Dir.Path() / "c.bmp", Dir.Path() / "bmp-inside.png");
  for (const char* Name : {"png-inside.bmp", "bmp-inside.png", "d.jpg"}) {
    TBitmap Back;
    Back.LoadFromFile(Dir.Name(Name));
    EXPECT_EQ(StateOf(Back), StateOf(B)) << Name;
  }
}

TEST(ImageFile, FailedSavesKeepThePreviousFileAndLeaveNoTemporary) {
  TScratchDir Dir;
  TBitmap B(3, 3);
  B.SaveToFile(Dir.Name("keep.png"));
  const std::vector<uint8_t> Previous = FileBytes(Dir.Path() / "keep.png");

  // An empty bitmap cannot become a PNG: the old file stays as it was.
  TBitmap Empty;
  EXPECT_THROW(Empty.SaveToFile(Dir.Name("keep.png")), EInvalidGraphic);
  EXPECT_EQ(FileBytes(Dir.Path() / "keep.png"), Previous);

  // A folder that does not exist: the save fails with a file error.
  EXPECT_THROW(B.SaveToFile(Dir.Name("missing/sub/x.bmp")), EFCreateError);
  EXPECT_FALSE(fs::exists(Dir.Path() / "missing"));
  EXPECT_EQ(Dir.Entries(), std::vector<std::string>{"keep.png"});
}

TEST(ImageFile, FailedLoadsLeaveTheBitmapAndItsObserversAlone) {
  TScratchDir Dir;
  {
    std::ofstream Out(Dir.Path() / "text.bmp", std::ios::binary);
    Out << "this is not an image";
  }
  TBitmap B;
  FillRandom(B, 4, 4, 9);
  B.SetPixelFormat(pf8bit);
  const TBitmapState Before = StateOf(B);
  int Changes = 0;
  B.SetOnChange([&Changes](TObject*) { ++Changes; });
  EXPECT_THROW(B.LoadFromFile(Dir.Name("absent.png")), EFOpenError);
  EXPECT_THROW(B.LoadFromFile(Dir.Name("text.bmp")), EInvalidGraphic);
  EXPECT_THROW(B.LoadFromStream(nullptr), EInvalidGraphic);
  EXPECT_EQ(StateOf(B), Before);
  EXPECT_EQ(Changes, 0);

  // A successful load tells the observers once.
  B.LoadFromFile(FromUtf8(SampleFile("gray8.png").string()));
  EXPECT_EQ(Changes, 1);
}

TEST(ImageFile, ProbeReadsTheSizeWithoutDecoding) {
  int64_t W = 0, H = 0;
  const std::vector<uint8_t> Png = FileBytes(SampleFile("pal1.png"));
  ASSERT_TRUE(ProbeImageSize(Png, W, H));
  EXPECT_EQ(W, 9);
  EXPECT_EQ(H, 2);
  TBitmap B(5, 7);
  TMemoryStream S;
  B.SaveToStream(&S);
  const std::vector<uint8_t> Bmp = StreamBytes(S);
  ASSERT_TRUE(ProbeImageSize(Bmp, W, H));
  EXPECT_EQ(W, 5);
  EXPECT_EQ(H, 7);
  const uint8_t Text[] = {'h', 'e', 'l', 'l', 'o'};
  EXPECT_FALSE(ProbeImageSize(Text, W, H));
}

TEST(ImageResources, MissingNamesRaiseWithTheirName) {
  TBitmap B(2, 2);
  try {
    B.LoadFromResourceName(0, u"NoSuchImage");
    ADD_FAILURE() << "a missing resource was found";
  } catch (const EResNotFound& E) {
    EXPECT_EQ(E.Message(), u"Resource NoSuchImage not found");
  }
  EXPECT_EQ(B.Width(), 2);
  std::span<const uint8_t> Data;
  EXPECT_FALSE(TryFindResource(u"NoSuchImage", Data));
}

TEST(ImageResources, RegisteredImagesLoadByNameInAnyLetterCase) {
  const std::vector<uint8_t> Png = FileBytes(SampleFile("pal1.png"));
  RegisterResource(u"TestStrip", Png);
  TBitmap B;
  B.LoadFromResourceName(0, u"teststrip");
  EXPECT_EQ(B.Width(), 9);
  EXPECT_EQ(B.PixelFormat(), pf1bit);
  EXPECT_EQ(B.Bits()[0], 0x0000FFu);
  const std::vector<String> Names = ResourceNames();
  EXPECT_NE(std::find(Names.begin(), Names.end(), u"TESTSTRIP"), Names.end());

  // Registering again replaces the bytes; unregistering removes the name.
  RegisterResource(u"TESTSTRIP", FileBytes(SampleFile("gray8.png")));
  B.LoadFromResourceName(0, u"TestStrip");
  EXPECT_EQ(B.Width(), 4);
  EXPECT_TRUE(UnregisterResource(u"teststrip"));
  EXPECT_FALSE(UnregisterResource(u"teststrip"));
  EXPECT_THROW(FindResource(u"TESTSTRIP"), EResNotFound);
}

TEST(ImageResources, EveryEmbeddedResourceIsAReadableImage) {
  // The artwork of resources/ as built into the library (none is fine).
  for (const String& Name : ResourceNames()) {
    EXPECT_EQ(Name, UpperCase(Name));
    TBitmap B;
    EXPECT_NO_THROW(B.LoadFromResourceName(0, Name)) << ToUtf8(Name);
    EXPECT_FALSE(B.Empty()) << ToUtf8(Name);
  }
}

}  // namespace
}  // namespace orv::testing
