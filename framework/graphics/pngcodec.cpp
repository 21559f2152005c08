// PNG reading and writing through libpng's png_image interface: every call
// reports failure by its result and keeps libpng's own error recovery inside
// the library, so no long jump ever crosses a C++ frame.

#include "framework/graphics/pngcodec.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

namespace orv {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr size_t kHeaderEnd = 33;  // signature, IHDR length, type, 13 data bytes, CRC
constexpr int kColorTypePalette = 3;
constexpr int kAlphaBit = 4;  // gray + alpha (4) and RGBA (6)

[[noreturn]] void Fail(const std::string& What) { throw EInvalidGraphic("Invalid PNG image: " + What); }

uint32_t BigEndian32(std::span<const uint8_t> D, size_t At) {
  return (static_cast<uint32_t>(D[At]) << 24) | (static_cast<uint32_t>(D[At + 1]) << 16) |
         (static_cast<uint32_t>(D[At + 2]) << 8) | D[At + 3];
}

struct TPngHeader {
  int64_t Width = 0;
  int64_t Height = 0;
  int BitDepth = 0;
  int ColorType = 0;
};

TPngHeader ReadHeader(std::span<const uint8_t> D) {
  if (!IsPngData(D)) Fail("no PNG signature");
  if (D.size() < kHeaderEnd) Fail("the file is cut short");
  if (BigEndian32(D, 8) != 13 || std::memcmp(D.data() + 12, "IHDR", 4) != 0) Fail("the header chunk is missing");
  return TPngHeader{BigEndian32(D, 16), BigEndian32(D, 20), D[24], D[25]};
}

// Frees whatever libpng holds for the image on every path out.
struct TImageGuard {
  png_image& Image;
  ~TImageGuard() { png_image_free(&Image); }
};

std::string LibraryMessage(const png_image& Image) {
  return Image.message[0] != '\0' ? std::string(Image.message) : std::string("unknown libpng failure");
}

// Where the IEND chunk ends, or the whole length when it cannot be found.
size_t EndOfChunks(std::span<const uint8_t> D) {
  size_t At = sizeof(kSignature);
  while (D.size() - At >= 12) {
    const uint64_t Length = BigEndian32(D, At);
    const bool IsEnd = std::memcmp(D.data() + At + 4, "IEND", 4) == 0;
    const uint64_t Next = At + 12 + Length;
    if (Next > D.size()) break;
    At = static_cast<size_t>(Next);
    if (IsEnd) return At;
  }
  return D.size();
}

}  // namespace

bool IsPngData(std::span<const uint8_t> Data) {
  return Data.size() >= sizeof(kSignature) && std::memcmp(Data.data(), kSignature, sizeof(kSignature)) == 0;
}

void ReadPngSize(std::span<const uint8_t> Data, int64_t& Width, int64_t& Height) {
  const TPngHeader H = ReadHeader(Data);
  Width = H.Width;
  Height = H.Height;
}

TDecodedImage DecodePng(std::span<const uint8_t> D) {
  const TPngHeader Header = ReadHeader(D);
  // Refuse forged sizes before libpng allocates its row buffers.
  CheckImageSize(Header.Width, Header.Height, "PNG");

  png_image Image;
  std::memset(&Image, 0, sizeof Image);
  Image.version = PNG_IMAGE_VERSION;
  TImageGuard Guard{Image};
  if (png_image_begin_read_from_memory(&Image, D.data(), D.size()) == 0) Fail(LibraryMessage(Image));
  CheckImageSize(Image.width, Image.height, "PNG");

  Image.format = PNG_FORMAT_RGBA;
  // Without a gAMA or sRGB chunk, 16-bit samples would otherwise be taken as
  // linear light and brightened on the way to 8 bits.
  Image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
  const size_t Count = static_cast<size_t>(Image.width) * Image.height;
  std::vector<uint8_t> Rgba(Count * 4);
  if (png_image_finish_read(&Image, nullptr, Rgba.data(), 0, nullptr) == 0) Fail(LibraryMessage(Image));

  TDecodedImage Result;
  Result.Width = static_cast<int>(Image.width);
  Result.Height = static_cast<int>(Image.height);
  Result.Pixels.resize(Count);
  for (size_t I = 0; I < Count; ++I) {
    const uint8_t* P = Rgba.data() + 4 * I;
    // The alpha byte P[3] is dropped: the store holds opaque colours.
    Result.Pixels[I] = (static_cast<uint32_t>(P[0]) << 16) | (static_cast<uint32_t>(P[1]) << 8) | P[2];
  }
  if (Header.BitDepth == 1)
    Result.Format = pf1bit;
  else if (Header.BitDepth < 8)
    Result.Format = pf4bit;
  else if (Header.ColorType == kColorTypePalette || (Header.ColorType & 2) == 0)
    Result.Format = pf8bit;  // palette or gray
  else
    Result.Format = (Header.ColorType & kAlphaBit) != 0 ? pf32bit : pf24bit;
  if ((Header.ColorType & 2) == 0 && (Header.ColorType & kAlphaBit) != 0) Result.Format = pf32bit;  // gray + alpha
  Result.Consumed = EndOfChunks(D);
  return Result;
}

std::vector<uint8_t> EncodePng(const uint32_t* Pixels, int Width, int Height, TPixelFormat Format, bool Fast) {
  if (Width <= 0 || Height <= 0) throw EInvalidGraphic("An empty image cannot be saved as PNG");
  const size_t Count = static_cast<size_t>(Width) * static_cast<size_t>(Height);
  const std::span<const uint32_t> All(Pixels, Count);

  png_image Image;
  std::memset(&Image, 0, sizeof Image);
  Image.version = PNG_IMAGE_VERSION;
  Image.width = static_cast<png_uint_32>(Width);
  Image.height = static_cast<png_uint_32>(Height);
  if (Fast) Image.flags |= PNG_IMAGE_FLAG_FAST;
  TImageGuard Guard{Image};

  std::vector<uint8_t> Samples;
  std::vector<uint8_t> ColorMap;
  std::optional<std::vector<uint32_t>> Palette;
  bool Threshold = false;  // pf1bit pixels of more than two colours
  if (Format == pf1bit) {
    Palette = FindPalette(All, 2);
    if (!Palette) {
      Palette = std::vector<uint32_t>{0, 0xFFFFFF};
      Threshold = true;
    }
  } else if (Format == pf4bit || Format == pf8bit) {
    Palette = FindPalette(All, Format == pf4bit ? 16 : 256);
  }

  if (Palette) {
    // libpng packs a table of up to 2, 4 or 16 entries into 1, 2 or 4 bits.
    Image.format = PNG_FORMAT_RGB_COLORMAP;
    Image.colormap_entries = static_cast<png_uint_32>(Palette->size());
    for (uint32_t C : *Palette) {
      ColorMap.push_back(static_cast<uint8_t>(C >> 16));
      ColorMap.push_back(static_cast<uint8_t>(C >> 8));
      ColorMap.push_back(static_cast<uint8_t>(C));
    }
    std::vector<std::pair<uint32_t, uint8_t>> Lookup;
    for (size_t I = 0; I < Palette->size(); ++I) Lookup.emplace_back((*Palette)[I], static_cast<uint8_t>(I));
    std::sort(Lookup.begin(), Lookup.end());
    Samples.resize(Count);
    for (size_t I = 0; I < Count; ++I) {
      const uint32_t P = Threshold ? ThresholdToBlackWhite(All[I]) : All[I] & 0xFFFFFF;
      const auto It = std::lower_bound(Lookup.begin(), Lookup.end(), std::pair<uint32_t, uint8_t>(P, 0));
      Samples[I] = It != Lookup.end() ? It->second : 0;
    }
  } else {
    const bool Alpha = Format == pf32bit;
    const size_t Channels = Alpha ? 4 : 3;
    Image.format = Alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    Samples.resize(Count * Channels);
    for (size_t I = 0; I < Count; ++I) {
      uint8_t* Q = Samples.data() + Channels * I;
      Q[0] = static_cast<uint8_t>(All[I] >> 16);
      Q[1] = static_cast<uint8_t>(All[I] >> 8);
      Q[2] = static_cast<uint8_t>(All[I]);
      if (Alpha) Q[3] = 0xFF;
    }
  }

  png_alloc_size_t Size = PNG_IMAGE_PNG_SIZE_MAX(Image);
  if (Size == 0) throw EInvalidGraphic("The image is too large for a PNG file");
  std::vector<uint8_t> Out(Size);
  if (png_image_write_to_memory(&Image, Out.data(), &Size, 0, Samples.data(), 0,
                                ColorMap.empty() ? nullptr : ColorMap.data()) == 0)
    throw EInvalidGraphic("The PNG image could not be written: " + LibraryMessage(Image));
  Out.resize(Size);
  return Out;
}

}  // namespace orv
