#pragma once
// Raster images: TGraphic, the base every image kind derives from, and
// TBitmap, a 32-bit pixel store with its own canvas.
//
// TBitmap keeps one uint32_t per pixel in the form 0x00RRGGBB (note: TColor is
// 0x00BBGGRR; use PixelToColor / ColorToPixel), rows top to bottom without
// padding. PixelFormat only remembers the depth an image was loaded with (or
// should be saved with); the store itself is always 32 bits per pixel.

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/rtl/classes.h"
#include "framework/rtl/types.h"

namespace orv {

class TCanvas;
class TStream;

enum TPixelFormat : uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// tmAuto takes the colour of the bottom-left pixel as transparent colour.
enum TTransparentMode : uint8_t { tmAuto, tmFixed };

// Conversions between a TColor (0x00BBGGRR, RGB values only) and a stored pixel.
constexpr uint32_t ColorToPixel(TColor C) {
  return ((C & 0xFFu) << 16) | (C & 0xFF00u) | ((C >> 16) & 0xFFu);
}
constexpr TColor PixelToColor(uint32_t P) {
  return ((P & 0xFFu) << 16) | (P & 0xFF00u) | ((P >> 16) & 0xFFu);
}

class TGraphic : public TPersistent {
 public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int Value) = 0;
  virtual void SetHeight(int Value) = 0;
  virtual bool Empty() const { return Width() <= 0 || Height() <= 0; }

  // A transparent graphic leaves its transparent pixels out when drawn.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);

  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

 protected:
  friend class TCanvas;
  // Paints the whole image scaled into Rect of ACanvas (canvas coordinates),
  // combined with ACanvas->CopyMode().
  virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
  // Fires OnChange with this graphic as sender.
  virtual void Changed();

  bool FTransparent = false;
  TNotifyEvent FOnChange;
};

class TBitmap : public TGraphic {
 public:
  TBitmap();
  // A new bitmap of the given size, filled white.
  TBitmap(int AWidth, int AHeight);
  ~TBitmap() override;

  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  // Resizing keeps the pixels that stay inside the new size and fills the
  // new area white. Negative sizes are taken as 0.
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;
  void SetSize(int AWidth, int AHeight);

  TPixelFormat PixelFormat() const { return FPixelFormat; }
  // Reducing the depth to 1 bit (black/white), 4 or 8 bits (gray levels are
  // not implied: colours are kept) only changes how the image will be saved,
  // except pf1bit, which thresholds the pixels to black and white.
  void SetPixelFormat(TPixelFormat Value);

  // Canvas drawing onto this bitmap, created on first use, owned by the bitmap.
  TCanvas* Canvas();

  // First pixel of Row (0-based); nullptr for rows outside the bitmap.
  uint32_t* ScanLine(int Row);
  const uint32_t* ScanLine(int Row) const;
  // The whole pixel store, Width() * Height() values, rows top to bottom.
  uint32_t* Bits() { return FPixels.data(); }
  const uint32_t* Bits() const { return FPixels.data(); }

  TColor TransparentColor() const;
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);

  // Copies size, pixels, pixel format and transparency from another TBitmap;
  // a null Source empties this bitmap.
  void Assign(TPersistent* Source) override;

  // BMP (1, 4, 8, 24, 32 bits) and PNG files; a malformed file raises an
  // exception and leaves the bitmap unchanged.
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream);
  // One of the library's named image resources.
  void LoadFromResourceName(uintptr_t Instance, const String& ResName);

  // Drops the pixels, size 0 x 0.
  void Dormant();
  // Tells the bitmap (and its OnChange handler) that its pixels were changed
  // directly, e.g. through ScanLine or the canvas.
  void Modified() { Changed(); }

 protected:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

 private:
  void Resize(int AWidth, int AHeight);

  int FWidth = 0;
  int FHeight = 0;
  std::vector<uint32_t> FPixels;
  TPixelFormat FPixelFormat = pf32bit;
  TColor FTransparentColor = 0;
  TTransparentMode FTransparentMode = tmAuto;
  std::unique_ptr<TCanvas> FCanvas;
};

}  // namespace orv
