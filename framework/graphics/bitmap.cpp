// TGraphic basics and the TBitmap pixel store (file formats live in their
// own files).

#include "framework/graphics/bitmap.h"

#include <algorithm>

#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"

namespace orv {

namespace {
constexpr uint32_t kWhitePixel = 0x00FFFFFF;
}  // namespace

void TGraphic::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Changed();
}

void TGraphic::Changed() {
  if (FOnChange) FOnChange(this);
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int AWidth, int AHeight) { Resize(AWidth, AHeight); }

TBitmap::~TBitmap() = default;

void TBitmap::Resize(int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == FWidth && AHeight == FHeight) return;
  // A width or height of zero leaves no pixels at all.
  if (AWidth == 0 || AHeight == 0) {
    FPixels.clear();
    FPixels.shrink_to_fit();
  } else {
    std::vector<uint32_t> Fresh(static_cast<size_t>(AWidth) * static_cast<size_t>(AHeight), kWhitePixel);
    const int KeepW = std::min(AWidth, FWidth);
    const int KeepH = std::min(AHeight, FHeight);
    for (int Y = 0; Y < KeepH; ++Y)
      std::copy_n(FPixels.data() + static_cast<size_t>(Y) * FWidth, KeepW,
                  Fresh.data() + static_cast<size_t>(Y) * AWidth);
    FPixels.swap(Fresh);
  }
  FWidth = AWidth;
  FHeight = AHeight;
  Changed();
}

void TBitmap::SetWidth(int Value) { Resize(Value, FHeight); }
void TBitmap::SetHeight(int Value) { Resize(FWidth, Value); }
void TBitmap::SetSize(int AWidth, int AHeight) { Resize(AWidth, AHeight); }

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == FPixelFormat) return;
  FPixelFormat = Value;
  if (Value == pf1bit) {
    // Two colours only: pixels at least half bright become white.
    for (uint32_t& P : FPixels) {
      const unsigned Sum = ((P >> 16) & 0xFF) + ((P >> 8) & 0xFF) + (P & 0xFF);
      P = Sum >= 384 ? kWhitePixel : 0;
    }
  }
  Changed();
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TCanvas>(this);
  return FCanvas.get();
}

uint32_t* TBitmap::ScanLine(int Row) {
  if (Row < 0 || Row >= FHeight || FWidth == 0) return nullptr;
  return FPixels.data() + static_cast<size_t>(Row) * FWidth;
}

const uint32_t* TBitmap::ScanLine(int Row) const {
  if (Row < 0 || Row >= FHeight || FWidth == 0) return nullptr;
  return FPixels.data() + static_cast<size_t>(Row) * FWidth;
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentMode == tmFixed) return FTransparentColor;
  if (FWidth == 0 || FHeight == 0) return clNone;
  return PixelToColor(FPixels[static_cast<size_t>(FHeight - 1) * FWidth]);
}

void TBitmap::SetTransparentColor(TColor Value) {
  if (FTransparentMode == tmFixed && Value == FTransparentColor) return;
  FTransparentColor = Value;
  FTransparentMode = tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == FTransparentMode) return;
  FTransparentMode = Value;
  Changed();
}

void TBitmap::Assign(TPersistent* Source) {
  if (Source == nullptr) {
    Dormant();
    return;
  }
  if (auto* B = dynamic_cast<TBitmap*>(Source)) {
    if (B == this) return;
    FPixels = B->FPixels;
    FWidth = B->FWidth;
    FHeight = B->FHeight;
    FPixelFormat = B->FPixelFormat;
    FTransparent = B->FTransparent;
    FTransparentColor = B->FTransparentColor;
    FTransparentMode = B->FTransparentMode;
    Changed();
    return;
  }
  TGraphic::Assign(Source);
}

void TBitmap::Dormant() {
  if (FWidth == 0 && FHeight == 0) return;
  FPixels.clear();
  FPixels.shrink_to_fit();
  FWidth = 0;
  FHeight = 0;
  Changed();
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (Empty()) return;
  const bool Clear = FTransparent;
  const uint32_t Key = ColorToPixel(ColorToRGB(TransparentColor()) & 0xFFFFFF);
  // Images are scaled by nearest sample, whatever the canvas' stretch mode.
  ACanvas->BlitPixels(Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), this, 0, 0, FWidth, FHeight,
                      ACanvas->CopyMode(), COLORONCOLOR, Clear, Key);
}

}  // namespace orv
