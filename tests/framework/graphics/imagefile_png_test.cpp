// PNG files: sample files of known bytes (gray, 16-bit, alpha, 1-bit palette,
// interlaced) decode to the expected pixels and formats, written files read
// back unchanged, and damaged or forged files are refused.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "framework/graphics/pngcodec.h"
#include "tests/framework/graphics/imagefile_helpers.h"

namespace orv::testing {
namespace {

std::vector<uint8_t> ReadSample(const char* Leaf) {
  std::ifstream In(SampleFile(Leaf), std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
}

struct TSampleCase {
  const char* File;
  int Width;
  TPixelFormat Format;
  std::vector<uint32_t> Pixels;
};

TEST(PngRead, SamplesGiveTheirPixelsAndSourceDepth) {
  const TSampleCase Cases[] = {
      {"gray8.png", 4, pf8bit, {0x000000, 0x404040, 0x808080, 0xFFFFFF, 0x0A0A0A, 0x141414, 0x1E1E1E, 0x282828}},
      // 16-bit samples keep their value: 0x8080 is 0x80, not a brightened linear value.
      {"gray16.png", 2, pf8bit, {0x808080, 0xFFFFFF}},
      // Alpha is dropped: colours stay, whatever their opacity.
      {"rgba.png", 3, pf32bit, {0xFF0000, 0x00FF00, 0x0000FF}},
      {"grayalpha.png", 2, pf32bit, {0xC8C8C8, 0x323232}},
      {"pal1.png", 9, pf1bit,
       {0x0000FF, 0xFF0000, 0x0000FF, 0xFF0000, 0x0000FF, 0xFF0000, 0x0000FF, 0xFF0000, 0x0000FF,
        0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0x0000FF}},
      {"interlaced.png", 3, pf24bit,
       {0x000007, 0x640007, 0xC80007, 0x006407, 0x646407, 0xC86407, 0x00C807, 0x64C807, 0xC8C807}},
  };
  for (const TSampleCase& C : Cases) {
    TBitmap B;
    ASSERT_NO_THROW(B.LoadFromFile(FromUtf8(SampleFile(C.File).string()))) << C.File;
    EXPECT_EQ(B.Width(), C.Width) << C.File;
    EXPECT_EQ(B.PixelFormat(), C.Format) << C.File;
    EXPECT_EQ(StateOf(B).Pixels, C.Pixels) << C.File;
  }
}

TEST(PngWrite, RoundTripsPixelsAndDepthThroughFiles) {
  struct TCase {
    TPixelFormat Format;
    int Colours;  // 0: random colours
    TPixelFormat WantBack;
  } Cases[] = {{pf24bit, 0, pf24bit}, {pf32bit, 0, pf32bit}, {pf1bit, 2, pf1bit},  {pf4bit, 16, pf4bit},
               {pf4bit, 4, pf4bit},   {pf8bit, 200, pf8bit}, {pf8bit, 0, pf24bit}, {pf16bit, 0, pf24bit}};
  TScratchDir Dir;
  for (const TCase& C : Cases) {
    TBitmap B;
    B.SetPixelFormat(C.Format);
    FillRandom(B, 31, 9, 5u + C.Format);
    if (C.Colours > 0)
      for (int I = 0; I < 31 * 9; ++I) B.Bits()[I] = (static_cast<uint32_t>(I % C.Colours) * 0x030507u) & 0xFFFFFF;
    const String Name = Dir.Name("round.png");
    B.SaveToFile(Name);
    TBitmap Back;
    Back.LoadFromFile(Name);
    EXPECT_EQ(Back.PixelFormat(), C.WantBack) << C.Format;
    EXPECT_EQ(StateOf(Back).Pixels, StateOf(B).Pixels) << C.Format;
    // Quick compression changes the bytes, never the pixels.
    TBitmap Quick;
    LoadBytes(Quick, EncodePng(B.Bits(), 31, 9, C.Format, true));
    EXPECT_EQ(Quick.PixelFormat(), C.WantBack) << C.Format;
    EXPECT_EQ(StateOf(Quick).Pixels, StateOf(B).Pixels) << C.Format;
  }
}

TEST(PngWrite, OneBitThresholdsMoreThanTwoColoursAndEmptyIsRefused) {
  const uint32_t Three[] = {0x202020, 0xE0E0E0, 0x808080};
  TBitmap B;
  LoadBytes(B, EncodePng(Three, 3, 1, pf1bit));
  EXPECT_EQ(StateOf(B).Pixels, (std::vector<uint32_t>{0, 0xFFFFFF, 0xFFFFFF}));
  EXPECT_EQ(B.PixelFormat(), pf1bit);
  EXPECT_THROW(EncodePng(nullptr, 0, 0, pf24bit), EInvalidGraphic);
}

TEST(PngRead, LeavesTheStreamAfterTheEndChunk) {
  const std::vector<uint8_t> Png = ReadSample("gray8.png");
  TMemoryStream S;
  S.WriteBuffer(Png.data(), static_cast<long long>(Png.size()));
  S.WriteBuffer("next", 4);
  S.SetPosition(0);
  TBitmap B;
  B.LoadFromStream(&S);
  EXPECT_EQ(S.Position(), static_cast<long long>(Png.size()));
}

void ExpectRefused(const std::vector<uint8_t>& Bytes, const std::string& Why, const char* Fragment = "") {
  TBitmap B(2, 1);
  B.Bits()[1] = 0xABCDEF;
  const TBitmapState Before = StateOf(B);
  try {
    LoadBytes(B, Bytes);
    ADD_FAILURE() << "accepted: " << Why;
  } catch (const EInvalidGraphic& E) {
    EXPECT_NE(std::strstr(E.what(), Fragment), nullptr) << Why << ": " << E.what();
  }
  EXPECT_EQ(StateOf(B), Before) << Why;
}

TEST(PngMalformed, TruncatedCorruptAndForgedFilesAreRefused) {
  const std::vector<uint8_t> Good = ReadSample("interlaced.png");
  // Every prefix that stops before the image data ends is incomplete; the
  // last 12 bytes are the end chunk, which a reader may do without.
  for (size_t Length = 0; Length + 12 < Good.size(); ++Length)
    ExpectRefused(std::vector<uint8_t>(Good.begin(), Good.begin() + static_cast<long>(Length)),
                  "prefix of " + std::to_string(Length));

  // A changed byte inside the compressed data breaks its checksum.
  std::vector<uint8_t> Corrupt = Good;
  Corrupt[Good.size() - 20] ^= 0x55;
  ExpectRefused(Corrupt, "IDAT checksum");

  // Forged sizes are refused from the header alone, checksum or not.
  const auto WithSize = [&Good](uint32_t W, uint32_t H) {
    std::vector<uint8_t> Bytes = Good;
    for (int I = 0; I < 4; ++I) {
      Bytes[16 + static_cast<size_t>(I)] = static_cast<uint8_t>(W >> (24 - 8 * I));
      Bytes[20 + static_cast<size_t>(I)] = static_cast<uint8_t>(H >> (24 - 8 * I));
    }
    return Bytes;
  };
  ExpectRefused(WithSize(1000000, 1), "wide", "too large");
  ExpectRefused(WithSize(20000, 20000), "512 MB", "too large");
  ExpectRefused(WithSize(0xFFFFFFFF, 0xFFFFFFFF), "4G x 4G", "too large");
  ExpectRefused(WithSize(0, 3), "no width", "no pixels");

  std::vector<uint8_t> NoHeader(Good.begin(), Good.begin() + 8);
  NoHeader.insert(NoHeader.end(), 30, 0);
  ExpectRefused(NoHeader, "missing IHDR", "header chunk");
}

TEST(PngMalformed, RandomDamageNeverCrashes) {
  const std::vector<uint8_t> Clean = ReadSample("pal1.png");
  std::mt19937 Rng(5);
  for (int Round = 0; Round < 2000; ++Round) {
    std::vector<uint8_t> Bytes = Clean;
    for (int K = 0; K < 2; ++K) Bytes[8 + Rng() % (Bytes.size() - 8)] = static_cast<uint8_t>(Rng());
    TBitmap B;
    try {
      LoadBytes(B, Bytes);
      EXPECT_EQ(static_cast<size_t>(B.Width()) * B.Height(), StateOf(B).Pixels.size());
    } catch (const EInvalidGraphic&) {
      EXPECT_TRUE(B.Empty());
    }
  }
}

}  // namespace
}  // namespace orv::testing
