#pragma once
// Helpers of the image file tests: a scratch folder, BMP files assembled
// field by field, bitmap snapshots to prove a failed load changed nothing,
// and the folder of the sample PNGs.

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/rtl/streams.h"
#include "framework/rtl/unicode.h"

namespace orv::testing {

namespace fs = std::filesystem;

class TScratchDir {
 public:
  TScratchDir() {
    std::string Templ = (fs::temp_directory_path() / "orv_images_XXXXXX").string();
    if (mkdtemp(Templ.data()) != nullptr) FPath = Templ;
  }
  ~TScratchDir() {
    std::error_code Ignored;
    fs::remove_all(FPath, Ignored);
  }
  const fs::path& Path() const { return FPath; }
  String Name(const std::string& Leaf) const { return FromUtf8((FPath / Leaf).string()); }
  std::vector<std::string> Entries() const {
    std::vector<std::string> Names;
    for (const auto& E : fs::directory_iterator(FPath)) Names.push_back(E.path().filename().string());
    return Names;
  }

 private:
  fs::path FPath;
};

inline fs::path SampleFile(const char* Leaf) { return fs::path(__FILE__).parent_path() / "data" / Leaf; }

// Everything a load may change, to compare before and after a failed one.
struct TBitmapState {
  int Width = 0;
  int Height = 0;
  TPixelFormat Format = pfDevice;
  std::vector<uint32_t> Pixels;
  friend bool operator==(const TBitmapState&, const TBitmapState&) = default;
};

inline TBitmapState StateOf(const TBitmap& B) {
  TBitmapState S{B.Width(), B.Height(), B.PixelFormat(), {}};
  if (B.Bits() != nullptr) S.Pixels.assign(B.Bits(), B.Bits() + static_cast<size_t>(B.Width()) * B.Height());
  return S;
}

// A bitmap of seeded random colours.
inline void FillRandom(TBitmap& B, int W, int H, unsigned Seed) {
  B.SetSize(W, H);
  std::mt19937 Rng(Seed);
  for (int I = 0; I < W * H; ++I) B.Bits()[I] = Rng() & 0xFFFFFF;
}

inline std::vector<uint8_t> StreamBytes(TMemoryStream& S) {
  const auto* P = static_cast<const uint8_t*>(S.Memory());
  return std::vector<uint8_t>(P, P + S.Size());
}

inline void LoadBytes(TBitmap& B, std::span<const uint8_t> Bytes) {
  TMemoryStream S;
  S.WriteBuffer(Bytes.data(), static_cast<long long>(Bytes.size()));
  S.SetPosition(0);
  B.LoadFromStream(&S);
}

// A BMP file laid out field by field. Rows are given as stored (bottom row
// first unless Height is negative) and padded to four bytes here.
struct TBmpLayout {
  int32_t Width = 1;
  int32_t Height = 1;
  uint16_t Bits = 24;
  uint32_t Compression = 0;
  uint32_t HeaderSize = 40;
  uint32_t ColorsUsed = 0;
  std::vector<uint32_t> Palette;  // 0x00RRGGBB
  std::vector<uint32_t> Masks;    // inside a header of 52+ bytes, else after it
  std::vector<std::vector<uint8_t>> Rows;
};

inline TBmpLayout Bmp(int32_t Width, int32_t Height, uint16_t Bits, std::vector<std::vector<uint8_t>> Rows) {
  TBmpLayout S;
  S.Width = Width;
  S.Height = Height;
  S.Bits = Bits;
  S.Rows = std::move(Rows);
  return S;
}

inline std::vector<uint8_t> BuildBmp(const TBmpLayout& S) {
  std::vector<uint8_t> H;
  const auto Put = [&H](uint64_t V, int Bytes) {
    for (int I = 0; I < Bytes; ++I) H.push_back(static_cast<uint8_t>(V >> (8 * I)));
  };
  const bool Core = S.HeaderSize == 12;
  std::vector<uint8_t> Table;
  for (uint32_t C : S.Palette) {
    Table.push_back(static_cast<uint8_t>(C));
    Table.push_back(static_cast<uint8_t>(C >> 8));
    Table.push_back(static_cast<uint8_t>(C >> 16));
    if (!Core) Table.push_back(0);
  }
  std::vector<uint8_t> Pixels;
  for (const auto& Row : S.Rows) {
    Pixels.insert(Pixels.end(), Row.begin(), Row.end());
    while (Pixels.size() % 4 != 0) Pixels.push_back(0);
  }
  const size_t AfterHeader = S.HeaderSize == 40 ? 4 * S.Masks.size() : 0;
  const size_t Off = 14 + S.HeaderSize + AfterHeader + Table.size();
  H.push_back('B');
  H.push_back('M');
  Put(Off + Pixels.size(), 4);
  Put(0, 4);
  Put(Off, 4);
  Put(S.HeaderSize, 4);
  if (Core) {
    Put(static_cast<uint16_t>(S.Width), 2);
    Put(static_cast<uint16_t>(S.Height), 2);
    Put(1, 2);
    Put(S.Bits, 2);
  } else {
    Put(static_cast<uint32_t>(S.Width), 4);
    Put(static_cast<uint32_t>(S.Height), 4);
    Put(1, 2);
    Put(S.Bits, 2);
    Put(S.Compression, 4);
    Put(Pixels.size(), 4);
    Put(3780, 4);
    Put(3780, 4);
    Put(S.ColorsUsed, 4);
    Put(0, 4);
    for (uint32_t M : S.Masks) Put(M, 4);
    while (H.size() < 14 + S.HeaderSize + AfterHeader) H.push_back(0);
  }
  H.insert(H.end(), Table.begin(), Table.end());
  H.insert(H.end(), Pixels.begin(), Pixels.end());
  return H;
}

}  // namespace orv::testing
