// Image files from outside: bytes loaded into a TBitmap through a memory
// stream. A load either succeeds with a consistent bitmap or raises an
// orv::Exception; it must never crash, hang or leak.
//
// Besides raw bytes, the first byte can pick a valid BMP or PNG made by the
// writers and apply a few (offset, value) changes from the input to it, so header
// fields get exercised rather than only the signature check; PNG chunk
// checksums can be repaired afterwards so the damage reaches the decoder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/bmpcodec.h"
#include "framework/graphics/imagecodec.h"
#include "framework/graphics/pngcodec.h"
#include "framework/rtl/streams.h"

namespace {

using namespace orv;

std::vector<std::vector<uint8_t>> MakeTemplates() {
  uint32_t Pixels[5 * 3];
  for (uint32_t I = 0; I < 15; ++I) Pixels[I] = (I % 3) * 0x7F3F1Fu;
  std::vector<std::vector<uint8_t>> T;
  for (TPixelFormat F : {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit}) T.push_back(EncodeBmp(Pixels, 5, 3, F));
  for (TPixelFormat F : {pf1bit, pf8bit, pf24bit, pf32bit}) T.push_back(EncodePng(Pixels, 5, 3, F));
  return T;
}

uint32_t Crc32(const uint8_t* Data, size_t Size) {
  uint32_t Crc = 0xFFFFFFFFu;
  for (size_t I = 0; I < Size; ++I) {
    Crc ^= Data[I];
    for (int K = 0; K < 8; ++K) Crc = (Crc >> 1) ^ (0xEDB88320u & (0u - (Crc & 1u)));
  }
  return ~Crc;
}

void RepairPngChecksums(std::vector<uint8_t>& D) {
  size_t At = 8;
  while (D.size() >= At + 12) {
    const uint64_t Length = (uint64_t{D[At]} << 24) | (uint64_t{D[At + 1]} << 16) | (uint64_t{D[At + 2]} << 8) | D[At + 3];
    if (Length > D.size() - At - 12) return;
    const uint32_t Crc = Crc32(D.data() + At + 4, static_cast<size_t>(Length) + 4);
    const size_t CrcAt = At + 8 + static_cast<size_t>(Length);
    for (int K = 0; K < 4; ++K) D[CrcAt + static_cast<size_t>(K)] = static_cast<uint8_t>(Crc >> (24 - 8 * K));
    At = CrcAt + 4;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::vector<std::vector<uint8_t>> Templates = MakeTemplates();
  std::vector<uint8_t> Bytes;
  if (size == 0 || data[0] < 64) {
    Bytes.assign(data, data + size);
  } else {
    const uint8_t Selector = data[0];
    Bytes = Templates[Selector % Templates.size()];
    // A few changes at a time: more would break the file before its header is read.
    const size_t Changes = size > 1 ? 1 + data[1] % 4 : 0;
    for (size_t I = 2, N = 0; I + 1 < size && N < Changes; I += 2, ++N) Bytes[data[I] % Bytes.size()] = data[I + 1];
    if ((Selector & 0x80) != 0 && IsPngData(Bytes)) RepairPngChecksums(Bytes);
  }

  // Keep every input's decoded area small, so a run of many inputs stays fast.
  int64_t Width = 0, Height = 0;
  try {
    if (ProbeImageSize(Bytes, Width, Height) && Width > 0 && Height > 0 &&
        Width > (int64_t{1} << 20) / Height)  // by division: a probed header may hold any size
      return 0;
  } catch (const Exception&) {
    // The load below meets the same damage and must refuse it too.
  }

  TBitmap Bitmap;
  TMemoryStream Stream;
  Stream.WriteBuffer(Bytes.data(), static_cast<long long>(Bytes.size()));
  Stream.SetPosition(0);
  try {
    Bitmap.LoadFromStream(&Stream);
  } catch (const Exception&) {
    if (!Bitmap.Empty()) std::abort();  // a failed load must not change the bitmap
    return 0;
  }
  const int64_t Area = int64_t{Bitmap.Width()} * Bitmap.Height();
  if (Area > 0 && (Bitmap.Bits() == nullptr || Bitmap.ScanLine(Bitmap.Height() - 1) == nullptr)) std::abort();
  if (Stream.Position() > Stream.Size()) std::abort();
  return 0;
}
