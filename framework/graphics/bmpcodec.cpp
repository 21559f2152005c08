// BMP reading and writing. The reader validates the whole layout (header,
// masks, palette, pixel rows) against the data length before it touches a
// pixel, using 64-bit arithmetic for every size.

#include "framework/graphics/bmpcodec.h"

#include <algorithm>
#include <bit>
#include <string>
#include <utility>

namespace orv {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiJpeg = 4, kBiPng = 5,
                   kBiAlphaBitfields = 6;
constexpr int32_t kPixelsPerMetre = 3780;  // 96 dots per inch

[[noreturn]] void Fail(const std::string& What) { throw EInvalidGraphic("Invalid BMP image: " + What); }

// Little-endian fields; callers have checked that the bytes exist.
uint16_t U16(std::span<const uint8_t> D, size_t At) { return static_cast<uint16_t>(D[At] | (D[At + 1] << 8)); }
uint32_t U32(std::span<const uint8_t> D, size_t At) {
  return static_cast<uint32_t>(D[At]) | (static_cast<uint32_t>(D[At + 1]) << 8) |
         (static_cast<uint32_t>(D[At + 2]) << 16) | (static_cast<uint32_t>(D[At + 3]) << 24);
}
int32_t I32(std::span<const uint8_t> D, size_t At) { return static_cast<int32_t>(U32(D, At)); }

struct TBmpLayout {
  int64_t Width = 0;
  int64_t Height = 0;  // positive; TopDown tells the row order
  bool TopDown = false;
  int Bits = 0;
  uint32_t Compression = kBiRgb;
  uint32_t HeaderSize = 0;
  uint32_t ColorsUsed = 0;
  uint32_t OffBits = 0;
  uint32_t FileSize = 0;
  uint32_t Masks[3] = {0, 0, 0};  // red, green, blue
  size_t TableStart = 0;          // first byte after header and separate masks
};

bool KnownHeaderSize(uint32_t Size) {
  return Size == kCoreHeaderSize || Size == kInfoHeaderSize || Size == 52 || Size == 56 || Size == 64 ||
         Size == 108 || Size == 124;
}

TBmpLayout ReadLayout(std::span<const uint8_t> D) {
  if (D.size() < kFileHeaderSize + 4) Fail("the file is cut short");
  if (D[0] != 'B' || D[1] != 'M') Fail("no BMP signature");
  TBmpLayout L;
  L.FileSize = U32(D, 2);
  L.OffBits = U32(D, 10);
  L.HeaderSize = U32(D, 14);
  if (!KnownHeaderSize(L.HeaderSize)) Fail("unknown header size " + std::to_string(L.HeaderSize));
  if (D.size() < kFileHeaderSize + L.HeaderSize) Fail("the header is cut short");
  L.TableStart = kFileHeaderSize + L.HeaderSize;

  if (L.HeaderSize == kCoreHeaderSize) {
    L.Width = U16(D, 18);
    L.Height = U16(D, 20);
    L.Bits = U16(D, 24);
    if (L.Bits != 1 && L.Bits != 4 && L.Bits != 8 && L.Bits != 24)
      Fail("unsupported bit depth " + std::to_string(L.Bits));
    return L;
  }

  L.Width = I32(D, 18);
  const int64_t RawHeight = I32(D, 22);
  L.TopDown = RawHeight < 0;
  L.Height = RawHeight < 0 ? -RawHeight : RawHeight;
  L.Bits = U16(D, 28);
  L.Compression = U32(D, 30);
  L.ColorsUsed = U32(D, 46);
  if (L.Width < 0) Fail("negative width");

  switch (L.Compression) {
    case kBiRgb:
      break;
    case kBiBitfields:
    case kBiAlphaBitfields:
      // The larger OS/2 header gives these numbers other meanings.
      if (L.HeaderSize == 64) Fail("unsupported compression " + std::to_string(L.Compression));
      break;
    case kBiRle8:
    case kBiRle4:
      Fail("run-length compressed files are not supported");
    case kBiJpeg:
    case kBiPng:
      Fail("embedded JPEG or PNG data is not supported");
    default:
      Fail("unknown compression " + std::to_string(L.Compression));
  }
  const bool HasMasks = L.Compression != kBiRgb;
  if (L.Bits != 1 && L.Bits != 4 && L.Bits != 8 && L.Bits != 16 && L.Bits != 24 && L.Bits != 32)
    Fail("unsupported bit depth " + std::to_string(L.Bits));
  if (HasMasks && L.Bits != 16 && L.Bits != 32) Fail("bit masks need 16 or 32 bits per pixel");

  if (HasMasks) {
    // Headers of 52 bytes and more carry the masks; the plain info header is
    // followed by them.
    if (L.HeaderSize == kInfoHeaderSize) {
      const size_t MaskBytes = L.Compression == kBiAlphaBitfields ? 16 : 12;
      if (D.size() < L.TableStart + MaskBytes) Fail("the bit masks are cut short");
      L.TableStart += MaskBytes;
    }
    for (int I = 0; I < 3; ++I) L.Masks[I] = U32(D, 54 + 4 * static_cast<size_t>(I));
  } else if (L.Bits == 16) {
    L.Masks[0] = 0x7C00;
    L.Masks[1] = 0x03E0;
    L.Masks[2] = 0x001F;
  } else if (L.Bits == 32) {
    L.Masks[0] = 0xFF0000;
    L.Masks[1] = 0x00FF00;
    L.Masks[2] = 0x0000FF;
  }
  return L;
}

// Turns a masked field into an 8-bit channel value, scaled to full range.
struct TChannel {
  uint32_t Mask = 0;
  int Shift = 0;
  uint64_t Max = 0;

  explicit TChannel(uint32_t AMask) : Mask(AMask) {
    if (Mask == 0) return;
    Shift = std::countr_zero(Mask);
    Max = Mask >> Shift;
  }
  uint32_t operator()(uint32_t V) const {
    if (Max == 0) return 0;
    const uint64_t Field = (V & Mask) >> Shift;
    return static_cast<uint32_t>((Field * 255 + Max / 2) / Max);
  }
};

uint32_t PaletteEntry(std::span<const uint8_t> D, size_t At) {
  return (static_cast<uint32_t>(D[At + 2]) << 16) | (static_cast<uint32_t>(D[At + 1]) << 8) | D[At];
}

void PutU16(std::vector<uint8_t>& Out, size_t At, uint32_t V) {
  Out[At] = static_cast<uint8_t>(V);
  Out[At + 1] = static_cast<uint8_t>(V >> 8);
}
void PutU32(std::vector<uint8_t>& Out, size_t At, uint32_t V) {
  for (int I = 0; I < 4; ++I) Out[At + static_cast<size_t>(I)] = static_cast<uint8_t>(V >> (8 * I));
}

}  // namespace

bool IsBmpData(std::span<const uint8_t> Data) { return Data.size() >= 2 && Data[0] == 'B' && Data[1] == 'M'; }

void ReadBmpSize(std::span<const uint8_t> Data, int64_t& Width, int64_t& Height) {
  const TBmpLayout L = ReadLayout(Data);
  Width = L.Width;
  Height = L.Height;
}

TDecodedImage DecodeBmp(std::span<const uint8_t> D) {
  const TBmpLayout L = ReadLayout(D);
  TDecodedImage Image;
  switch (L.Bits) {
    case 1: Image.Format = pf1bit; break;
    case 4: Image.Format = pf4bit; break;
    case 8: Image.Format = pf8bit; break;
    case 16:
      Image.Format = L.Masks[0] == 0x7C00 && L.Masks[1] == 0x03E0 && L.Masks[2] == 0x001F ? pf15bit : pf16bit;
      break;
    case 24: Image.Format = pf24bit; break;
    default: Image.Format = pf32bit; break;
  }

  // The colour table: 3-byte entries after a core header, 4-byte ones otherwise.
  std::vector<uint32_t> Palette;
  size_t TableEnd = L.TableStart;
  if (L.Bits <= 8) {
    const size_t Entry = L.HeaderSize == kCoreHeaderSize ? 3 : 4;
    const uint64_t Full = uint64_t{1} << L.Bits;
    const uint64_t Count = L.ColorsUsed == 0 ? Full : std::min<uint64_t>(L.ColorsUsed, Full);
    if (L.TableStart + Count * Entry > D.size()) Fail("the colour table is cut short");
    Palette.reserve(Count);
    for (uint64_t I = 0; I < Count; ++I) Palette.push_back(PaletteEntry(D, L.TableStart + I * Entry));
    TableEnd = L.TableStart + Count * Entry;
  }

  // Some writers leave the pixel offset 0: the rows then follow the table.
  const uint64_t PixelStart = L.OffBits == 0 ? TableEnd : L.OffBits;
  if (PixelStart < kFileHeaderSize + L.HeaderSize) Fail("the pixel data overlaps the header");

  if (L.Width == 0 || L.Height == 0) {
    // A valid file of an empty bitmap.
    Image.Consumed = static_cast<size_t>(std::min<uint64_t>(std::max<uint64_t>(PixelStart, L.FileSize), D.size()));
    return Image;
  }
  CheckImageSize(L.Width, L.Height, "BMP");

  const uint64_t RowBits = static_cast<uint64_t>(L.Width) * static_cast<uint64_t>(L.Bits);
  const uint64_t Stride = (RowBits + 31) / 32 * 4;
  // The padding of the last row may be missing; its pixels may not.
  const uint64_t Needed = Stride * static_cast<uint64_t>(L.Height - 1) + (RowBits + 7) / 8;
  if (PixelStart > D.size() || Needed > D.size() - PixelStart) Fail("the pixel data is cut short");

  const int W = static_cast<int>(L.Width);
  const int H = static_cast<int>(L.Height);
  Image.Width = W;
  Image.Height = H;
  Image.Pixels.resize(static_cast<size_t>(W) * static_cast<size_t>(H));
  const TChannel Red(L.Masks[0]), Green(L.Masks[1]), Blue(L.Masks[2]);
  const size_t PaletteSize = Palette.size();
  const auto FromPalette = [&](unsigned Index) { return Index < PaletteSize ? Palette[Index] : 0u; };

  for (int Row = 0; Row < H; ++Row) {
    const uint8_t* Src = D.data() + PixelStart + Stride * static_cast<uint64_t>(Row);
    uint32_t* Dst = Image.Pixels.data() + static_cast<size_t>(L.TopDown ? Row : H - 1 - Row) * static_cast<size_t>(W);
    switch (L.Bits) {
      case 1:
        for (int X = 0; X < W; ++X) Dst[X] = FromPalette((Src[X >> 3] >> (7 - (X & 7))) & 1u);
        break;
      case 4:
        for (int X = 0; X < W; ++X) Dst[X] = FromPalette((X & 1) != 0 ? Src[X >> 1] & 0x0Fu : Src[X >> 1] >> 4);
        break;
      case 8:
        for (int X = 0; X < W; ++X) Dst[X] = FromPalette(Src[X]);
        break;
      case 16:
        for (int X = 0; X < W; ++X) {
          const uint32_t V = static_cast<uint32_t>(Src[2 * X] | (Src[2 * X + 1] << 8));
          Dst[X] = (Red(V) << 16) | (Green(V) << 8) | Blue(V);
        }
        break;
      case 24:
        for (int X = 0; X < W; ++X)
          Dst[X] = (static_cast<uint32_t>(Src[3 * X + 2]) << 16) | (static_cast<uint32_t>(Src[3 * X + 1]) << 8) |
                   Src[3 * X];
        break;
      default:
        for (int X = 0; X < W; ++X) {
          const uint8_t* P = Src + 4 * static_cast<size_t>(X);
          const uint32_t V = static_cast<uint32_t>(P[0]) | (static_cast<uint32_t>(P[1]) << 8) |
                             (static_cast<uint32_t>(P[2]) << 16) | (static_cast<uint32_t>(P[3]) << 24);
          Dst[X] = (Red(V) << 16) | (Green(V) << 8) | Blue(V);
        }
        break;
    }
  }
  const uint64_t End = PixelStart + Needed;
  Image.Consumed = static_cast<size_t>(L.FileSize >= End && L.FileSize <= D.size() ? L.FileSize : End);
  return Image;
}

std::vector<uint8_t> EncodeBmp(const uint32_t* Pixels, int Width, int Height, TPixelFormat Format) {
  if (Width <= 0 || Height <= 0) Width = Height = 0;
  const size_t Count = static_cast<size_t>(Width) * static_cast<size_t>(Height);
  const std::span<const uint32_t> All(Pixels, Count);

  // Choose the depth and, for the palette depths, the colour table.
  int Bits = Format == pf32bit || Format == pfDevice || Format == pfCustom ? 32 : 24;
  std::vector<uint32_t> Palette;
  std::vector<uint32_t> Thresholded;  // pf1bit pixels of more than two colours
  if (Format == pf1bit) {
    Bits = 1;
    auto Found = FindPalette(All, 2);
    const bool BlackWhite = !Found || std::all_of(Found->begin(), Found->end(),
                                                  [](uint32_t C) { return C == 0 || C == 0xFFFFFF; });
    if (!Found) {
      Thresholded.reserve(Count);
      for (uint32_t P : All) Thresholded.push_back(ThresholdToBlackWhite(P));
    }
    Palette = BlackWhite ? std::vector<uint32_t>{0, 0xFFFFFF} : *Found;
  } else if (Format == pf4bit || Format == pf8bit) {
    if (auto Found = FindPalette(All, Format == pf4bit ? 16 : 256)) {
      Bits = Format == pf4bit ? 4 : 8;
      Palette = std::move(*Found);
    }
  }
  const uint32_t* Source = Thresholded.empty() ? Pixels : Thresholded.data();

  const uint64_t Stride = (static_cast<uint64_t>(Width) * static_cast<uint64_t>(Bits) + 31) / 32 * 4;
  const uint64_t TableBytes = Palette.size() * 4;
  const uint64_t OffBits = kFileHeaderSize + kInfoHeaderSize + TableBytes;
  const uint64_t ImageBytes = Stride * static_cast<uint64_t>(Height);
  const uint64_t FileSize = OffBits + ImageBytes;
  if (FileSize > 0xFFFFFFFFu) throw EInvalidGraphic("The image is too large for a BMP file");

  std::vector<uint8_t> Out(static_cast<size_t>(FileSize), 0);
  Out[0] = 'B';
  Out[1] = 'M';
  PutU32(Out, 2, static_cast<uint32_t>(FileSize));
  PutU32(Out, 10, static_cast<uint32_t>(OffBits));
  PutU32(Out, 14, kInfoHeaderSize);
  PutU32(Out, 18, static_cast<uint32_t>(Width));
  PutU32(Out, 22, static_cast<uint32_t>(Height));
  PutU16(Out, 26, 1);
  PutU16(Out, 28, static_cast<uint32_t>(Bits));
  PutU32(Out, 30, kBiRgb);
  PutU32(Out, 34, static_cast<uint32_t>(ImageBytes));
  PutU32(Out, 38, kPixelsPerMetre);
  PutU32(Out, 42, kPixelsPerMetre);
  PutU32(Out, 46, static_cast<uint32_t>(Palette.size()));
  for (size_t I = 0; I < Palette.size(); ++I) {
    const size_t At = kFileHeaderSize + kInfoHeaderSize + 4 * I;
    Out[At] = static_cast<uint8_t>(Palette[I]);
    Out[At + 1] = static_cast<uint8_t>(Palette[I] >> 8);
    Out[At + 2] = static_cast<uint8_t>(Palette[I] >> 16);
  }

  // Colour -> index by binary search over the table sorted by colour; the
  // palette holds every colour of the image, so the search always succeeds.
  std::vector<std::pair<uint32_t, uint8_t>> Lookup;
  for (size_t I = 0; I < Palette.size(); ++I) Lookup.emplace_back(Palette[I], static_cast<uint8_t>(I));
  std::sort(Lookup.begin(), Lookup.end());
  const auto IndexOf = [&Lookup](uint32_t P) {
    const auto It = std::lower_bound(Lookup.begin(), Lookup.end(), std::pair<uint32_t, uint8_t>(P & 0xFFFFFF, 0));
    return It != Lookup.end() ? It->second : uint8_t{0};
  };
  for (int Row = 0; Row < Height; ++Row) {
    const uint32_t* Src = Source + static_cast<size_t>(Row) * static_cast<size_t>(Width);
    uint8_t* Dst = Out.data() + OffBits + Stride * static_cast<uint64_t>(Height - 1 - Row);
    for (int X = 0; X < Width; ++X) {
      const uint32_t P = Src[X];
      switch (Bits) {
        case 1:
          if (IndexOf(P) != 0) Dst[X >> 3] = static_cast<uint8_t>(Dst[X >> 3] | (0x80u >> (X & 7)));
          break;
        case 4:
          Dst[X >> 1] = static_cast<uint8_t>(Dst[X >> 1] | ((X & 1) != 0 ? IndexOf(P) : IndexOf(P) << 4));
          break;
        case 8:
          Dst[X] = IndexOf(P);
          break;
        case 24:
          Dst[3 * X] = static_cast<uint8_t>(P);
          Dst[3 * X + 1] = static_cast<uint8_t>(P >> 8);
          Dst[3 * X + 2] = static_cast<uint8_t>(P >> 16);
          break;
        default:
          Dst[4 * X] = static_cast<uint8_t>(P);
          Dst[4 * X + 1] = static_cast<uint8_t>(P >> 8);
          Dst[4 * X + 2] = static_cast<uint8_t>(P >> 16);
          break;
      }
    }
  }
  return Out;
}

}  // namespace orv
