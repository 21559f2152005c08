// TBitmap's files, streams and named resources. The format is told by the
// data's signature, never by a file name, so a PNG saved as "x.bmp" still
// loads. Saving writes PNG for a ".png" extension (any letter case) and BMP
// for every other name; SaveToStream always writes BMP.
//
// Loading decodes the whole image into a separate buffer first and only then
// replaces the bitmap's pixels, so a damaged file leaves the bitmap as it was.

#include <cstring>
#include <span>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/bmpcodec.h"
#include "framework/graphics/imagecodec.h"
#include "framework/graphics/pngcodec.h"
#include "framework/graphics/resources.h"
#include "framework/rtl/atomicfile.h"
#include "framework/rtl/files.h"
#include "framework/rtl/streams.h"
#include "framework/rtl/sysutils.h"

namespace orv {

namespace {

// No supported image comes near this; a longer stream is not read into memory.
constexpr long long kMaxImageFileBytes = 1LL << 30;

std::vector<uint8_t> ReadToEnd(TStream* Stream) {
  std::vector<uint8_t> Bytes;
  // Read in blocks rather than trusting Size(): pipes and sockets have none.
  constexpr size_t kBlock = 64 * 1024;
  for (;;) {
    const size_t Old = Bytes.size();
    if (static_cast<long long>(Old) >= kMaxImageFileBytes) throw EInvalidGraphic("The image data is too large");
    Bytes.resize(Old + kBlock);
    const long long Got = Stream->Read(Bytes.data() + Old, static_cast<long long>(kBlock));
    Bytes.resize(Old + static_cast<size_t>(Got > 0 ? Got : 0));
    if (Got <= 0) break;
  }
  return Bytes;
}

TDecodedImage DecodeImage(std::span<const uint8_t> Data) {
  if (IsBmpData(Data)) return DecodeBmp(Data);
  if (IsPngData(Data)) return DecodePng(Data);
  throw EInvalidGraphic("Unknown image format: the data is neither BMP nor PNG");
}

}  // namespace

void TBitmap::LoadFromStream(TStream* Stream) {
  if (Stream == nullptr) throw EInvalidGraphic("No stream to load the image from");
  const long long Start = Stream->Position();
  const std::vector<uint8_t> Bytes = ReadToEnd(Stream);
  TDecodedImage Image;
  try {
    Image = DecodeImage(Bytes);
  } catch (...) {
    Stream->Seek(Start, soBeginning);  // nothing was taken from the stream
    throw;
  }
  // Leave the stream just past the image, for whatever follows it.
  if (Start >= 0) Stream->Seek(Start + static_cast<long long>(Image.Consumed), soBeginning);

  FPixels = std::move(Image.Pixels);
  FWidth = Image.Width;
  FHeight = Image.Height;
  FPixelFormat = Image.Format;
  Changed();
}

void TBitmap::LoadFromFile(const String& FileName) {
  TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&Stream);
}

void TBitmap::SaveToStream(TStream* Stream) {
  if (Stream == nullptr) throw EInvalidGraphic("No stream to save the image to");
  const std::vector<uint8_t> Bytes = EncodeBmp(FPixels.data(), FWidth, FHeight, FPixelFormat);
  Stream->WriteBuffer(Bytes.data(), static_cast<long long>(Bytes.size()));
}

void TBitmap::SaveToFile(const String& FileName) {
  // Encoded completely before the file is touched; the file is then replaced
  // in one step, so a failure keeps the previous one.
  const std::vector<uint8_t> Bytes = SameText(ExtractFileExt(FileName), u".png")
                                         ? EncodePng(FPixels.data(), FWidth, FHeight, FPixelFormat)
                                         : EncodeBmp(FPixels.data(), FWidth, FHeight, FPixelFormat);
  SaveFileAtomically(FileName, Bytes.data(), Bytes.size());
}

void TBitmap::LoadFromResourceName(uintptr_t /*Instance*/, const String& ResName) {
  // Every resource lives in this library, so the module handle plays no part.
  const std::span<const uint8_t> Data = FindResource(ResName);
  TMemoryStream Stream;
  Stream.WriteBuffer(Data.data(), static_cast<long long>(Data.size()));
  Stream.SetPosition(0);
  LoadFromStream(&Stream);
}

}  // namespace orv
