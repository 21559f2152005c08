// BMP files: hand-built files of every depth and header kind decode to the
// right pixels and pixel format, what the writer produces reads back
// unchanged, and malformed files are refused without touching the bitmap.

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "framework/graphics/bmpcodec.h"
#include "tests/framework/graphics/imagefile_helpers.h"

namespace orv::testing {
namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhitePx = 0xFFFFFF;

std::vector<uint32_t> Pixels(const TBitmap& B) { return StateOf(B).Pixels; }

std::vector<uint32_t> LoadPixels(const TBmpLayout& Request, TPixelFormat* Format = nullptr) {
  TBitmap B;
  LoadBytes(B, BuildBmp(Request));
  if (Format != nullptr) *Format = B.PixelFormat();
  return Pixels(B);
}

TEST(BmpRead, PaletteDepthsBottomUpAndTopDown) {
  // 1 bit, 10 wide (a row spills into a second byte), bottom-up: the first
  // stored row is the bottom one.
  TBmpLayout One = Bmp(10, 2, 1, {{0b11000000, 0b01000000}, {0b10101010, 0b10000000}});
  One.Palette = {kRed, kGreen};
  TPixelFormat Format = pfDevice;
  EXPECT_EQ(LoadPixels(One, &Format), (std::vector<uint32_t>{kGreen, kRed, kGreen, kRed, kGreen, kRed, kGreen, kRed, kGreen, kRed,
                                               kGreen, kGreen, kRed, kRed, kRed, kRed, kRed, kRed, kRed, kGreen}));
  EXPECT_EQ(Format, pf1bit);

  // 4 bits, top-down (negative height), odd width.
  std::vector<uint32_t> Sixteen;
  for (uint32_t I = 0; I < 16; ++I) Sixteen.push_back(I * 0x111111);
  TBmpLayout Four = Bmp(3, -2, 4, {{0x0F, 0x30}, {0x12, 0xA0}});
  Four.Palette = Sixteen;
  EXPECT_EQ(LoadPixels(Four, &Format),
            (std::vector<uint32_t>{0x000000, 0xFFFFFF, 0x333333, 0x111111, 0x222222, 0xAAAAAA}));
  EXPECT_EQ(Format, pf4bit);

  // 8 bits with a three-colour table: an index past the table reads black.
  TBmpLayout Eight = Bmp(4, 1, 8, {{2, 1, 0, 200}});
  Eight.ColorsUsed = 3;
  Eight.Palette = {kRed, kGreen, kBlue};
  EXPECT_EQ(LoadPixels(Eight, &Format), (std::vector<uint32_t>{kBlue, kGreen, kRed, 0}));
  EXPECT_EQ(Format, pf8bit);

  // The old 12-byte header with three-byte table entries.
  TBmpLayout Core = Bmp(2, 1, 8, {{1, 255}});
  Core.HeaderSize = 12;
  Core.Palette.assign(256, 0);
  Core.Palette[1] = 0x123456;
  Core.Palette[255] = 0xABCDEF;
  EXPECT_EQ(LoadPixels(Core), (std::vector<uint32_t>{0x123456, 0xABCDEF}));
}

TEST(BmpRead, DirectColourDepthsAndMasks) {
  // 24 bits, 3 wide: nine bytes of pixels and three of padding per row.
  TPixelFormat Format = pfDevice;
  const TBmpLayout Rgb = Bmp(3, 2, 24, {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF}});
  EXPECT_EQ(LoadPixels(Rgb, &Format), (std::vector<uint32_t>{kBlue, kGreen, kRed, 0x030201, 0x060504, 0x090807}));
  EXPECT_EQ(Format, pf24bit);

  // 32 bits without masks: the fourth byte is not part of the colour.
  const TBmpLayout Rgbx = Bmp(2, 1, 32, {{0x33, 0x22, 0x11, 0xFF, 0x66, 0x55, 0x44, 0x80}});
  EXPECT_EQ(LoadPixels(Rgbx, &Format), (std::vector<uint32_t>{0x112233, 0x445566}));
  EXPECT_EQ(Format, pf32bit);

  // 16 bits without masks are 5-5-5; full fields scale to 255.
  const TBmpLayout Rgb555 = Bmp(3, 1, 16, {{0x00, 0x7C, 0xE0, 0x03, 0x10, 0x42}});
  EXPECT_EQ(LoadPixels(Rgb555, &Format), (std::vector<uint32_t>{kRed, kGreen, 0x848484}));
  EXPECT_EQ(Format, pf15bit);

  // 16 bits with 5-6-5 masks after a plain info header.
  TBmpLayout Rgb565 = Bmp(3, 1, 16, {{0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00}});
  Rgb565.Compression = 3;
  Rgb565.Masks = {0xF800, 0x07E0, 0x001F};
  EXPECT_EQ(LoadPixels(Rgb565, &Format), (std::vector<uint32_t>{kRed, kGreen, kBlue}));
  EXPECT_EQ(Format, pf16bit);

  // 32 bits with the masks inside a V5 header, channels in an unusual order.
  for (uint32_t HeaderSize : {56u, 108u, 124u}) {
    TBmpLayout V5 = Bmp(1, 1, 32, {{0x00, 0x11, 0x22, 0x33}});
    V5.Compression = 3;
    V5.HeaderSize = HeaderSize;
    V5.Masks = {0x0000FF00, 0x00FF0000, 0xFF000000};
    EXPECT_EQ(LoadPixels(V5), (std::vector<uint32_t>{0x112233})) << HeaderSize;
  }
}

TEST(BmpRead, LeavesTheStreamAfterTheImageAndKeepsFollowingData) {
  TBitmap Source;
  FillRandom(Source, 3, 3, 7);
  TMemoryStream S;
  S.WriteBuffer("head", 4);
  Source.SaveToStream(&S);
  const long long End = S.Position();
  S.WriteBuffer("tail", 4);
  S.SetPosition(4);
  TBitmap B;
  B.LoadFromStream(&S);
  EXPECT_EQ(S.Position(), End);
  EXPECT_EQ(StateOf(B), StateOf(Source));
}

TEST(BmpWrite, RoundTripsEveryWrittenDepthThroughMemory) {
  struct TCase {
    TPixelFormat Format;
    int Colours;        // distinct colours, 0 for random ones (391 pixels: too many for a palette)
    uint16_t WantBits;  // bits per pixel in the file
  } Cases[] = {{pf24bit, 0, 24}, {pf32bit, 0, 32}, {pf1bit, 2, 1}, {pf4bit, 16, 4}, {pf8bit, 256, 8},
               {pf8bit, 0, 24}, {pf4bit, 17, 24}, {pf15bit, 0, 24}, {pf16bit, 0, 24}};
  for (const TCase& C : Cases) {
    TBitmap B;
    B.SetPixelFormat(C.Format);  // before the pixels, so pf1bit thresholds nothing
    FillRandom(B, 23, 17, C.Format * 31u + C.Colours);
    if (C.Colours > 0)
      for (int I = 0; I < 23 * 17; ++I) B.Bits()[I] = (static_cast<uint32_t>(I % C.Colours) * 0x010305u) & 0xFFFFFF;
    TMemoryStream S;
    B.SaveToStream(&S);
    const std::vector<uint8_t> Bytes = StreamBytes(S);
    ASSERT_GE(Bytes.size(), 54u);
    EXPECT_EQ(Bytes[28] | (Bytes[29] << 8), C.WantBits) << C.Format;
    TBitmap Back;
    S.SetPosition(0);
    Back.LoadFromStream(&S);
    EXPECT_EQ(Pixels(Back), Pixels(B)) << C.Format;
    EXPECT_EQ(S.Position(), S.Size());
  }
}

TEST(BmpWrite, OneBitKeepsTwoColoursAndThresholdsMore) {
  // Two colours that are not black and white stay as they are.
  TBitmap Two(4, 1);
  Two.Bits()[0] = kRed;
  Two.Bits()[1] = kBlue;
  Two.Bits()[2] = kRed;
  Two.Bits()[3] = kRed;
  const std::vector<uint8_t> Bytes = EncodeBmp(Two.Bits(), 4, 1, pf1bit);
  TBitmap Back;
  LoadBytes(Back, Bytes);
  EXPECT_EQ(Back.PixelFormat(), pf1bit);
  EXPECT_EQ(Pixels(Back), Pixels(Two));

  // Three colours cannot be kept in one bit: they become black or white.
  const uint32_t Three[] = {0x202020, 0xE0E0E0, 0x808080};
  TBitmap Thresholded;
  LoadBytes(Thresholded, EncodeBmp(Three, 3, 1, pf1bit));
  EXPECT_EQ(Pixels(Thresholded), (std::vector<uint32_t>{0, kWhitePx, kWhitePx}));
}

TEST(BmpWrite, EmptyBitmapWritesAFileThatReadsBackEmpty) {
  TBitmap Empty;
  TMemoryStream S;
  Empty.SaveToStream(&S);
  TBitmap B(3, 3);
  S.SetPosition(0);
  B.LoadFromStream(&S);
  EXPECT_TRUE(B.Empty());
  EXPECT_EQ(B.Width(), 0);
}

// A 4 x 2 24-bit image has no row padding, so every shorter prefix is damaged.
TBmpLayout Valid24() {
  return Bmp(4, 2, 24, {std::vector<uint8_t>(12, 0x40), std::vector<uint8_t>(12, 0x80)});
}

void ExpectRefused(const std::vector<uint8_t>& Bytes, const char* Why, const char* Fragment = "") {
  TBitmap B(2, 2);
  B.Bits()[0] = 0x123456;
  B.SetPixelFormat(pf24bit);
  const TBitmapState Before = StateOf(B);
  int Changes = 0;
  B.SetOnChange([&Changes](TObject*) { ++Changes; });
  TMemoryStream S;
  S.WriteBuffer(Bytes.data(), static_cast<long long>(Bytes.size()));
  S.SetPosition(0);
  try {
    B.LoadFromStream(&S);
    ADD_FAILURE() << "accepted: " << Why;
  } catch (const EInvalidGraphic& E) {
    EXPECT_NE(std::strstr(E.what(), Fragment), nullptr) << Why << ": " << E.what();
  }
  EXPECT_EQ(StateOf(B), Before) << Why;
  EXPECT_EQ(Changes, 0) << Why;
  EXPECT_EQ(S.Position(), 0) << Why;
}

TEST(BmpMalformed, EveryTruncationIsRefused) {
  const std::vector<uint8_t> Full = BuildBmp(Valid24());
  for (size_t Length = 0; Length < Full.size(); ++Length)
    ExpectRefused(std::vector<uint8_t>(Full.begin(), Full.begin() + static_cast<long>(Length)), "truncated");
}

TEST(BmpMalformed, ForgedHeaderFieldsAreRefusedBeforeAnyAllocation) {
  const auto With = [](auto Change) {
    TBmpLayout S = Valid24();
    Change(S);
    return BuildBmp(S);
  };
  ExpectRefused(With([](TBmpLayout& S) { S.Width = 40000; }), "wide", "too large");
  ExpectRefused(With([](TBmpLayout& S) { S.Width = 30000, S.Height = 30000; }), "512 MB", "too large");
  ExpectRefused(With([](TBmpLayout& S) { S.Height = INT32_MIN; }), "INT_MIN height", "too large");
  ExpectRefused(With([](TBmpLayout& S) { S.Width = -4; }), "negative width", "negative");
  ExpectRefused(With([](TBmpLayout& S) { S.HeaderSize = 44; }), "header size", "header size");
  ExpectRefused(With([](TBmpLayout& S) { S.Bits = 2; }), "2 bits", "bit depth");
  ExpectRefused(With([](TBmpLayout& S) { S.Compression = 1; }), "RLE8", "run-length");
  ExpectRefused(With([](TBmpLayout& S) { S.Compression = 4; }), "JPEG", "JPEG");
  ExpectRefused(With([](TBmpLayout& S) { S.Compression = 3, S.Masks = {1, 2, 4}; }), "masks on 24 bits", "masks");
  ExpectRefused(With([](TBmpLayout& S) { S.Bits = 8, S.ColorsUsed = 0; }), "missing table", "cut short");

  // Pixel offsets past the end, inside the header and near 4 GB.
  for (uint32_t Offset : {0x7FFFFFFFu, 0xFFFFFFF0u, 20u}) {
    std::vector<uint8_t> Bytes = BuildBmp(Valid24());
    std::memcpy(Bytes.data() + 10, &Offset, 4);
    ExpectRefused(Bytes, "pixel offset");
  }
  ExpectRefused({'B', 'M'}, "signature only", "cut short");
  ExpectRefused({'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, "other format", "neither BMP nor PNG");
}

TEST(BmpMalformed, HugeColourCountIsClampedToTheDepth) {
  // A count of 2^32 - 1 must not be trusted as the table length.
  TBmpLayout S = Bmp(1, 1, 8, {{5}});
  S.ColorsUsed = 0xFFFFFFFF;
  S.Palette.assign(256, kGreen);
  EXPECT_EQ(LoadPixels(S), (std::vector<uint32_t>{kGreen}));
}

TEST(BmpMalformed, RandomDamageNeverCrashes) {
  TBitmap Source;
  FillRandom(Source, 5, 4, 3);
  Source.SetPixelFormat(pf8bit);
  TMemoryStream S;
  Source.SaveToStream(&S);
  const std::vector<uint8_t> Clean = StreamBytes(S);
  std::mt19937 Rng(11);
  for (int Round = 0; Round < 2000; ++Round) {
    std::vector<uint8_t> Bytes = Clean;
    for (int K = 0; K < 3; ++K) Bytes[2 + Rng() % (Bytes.size() - 2)] = static_cast<uint8_t>(Rng());
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
