// TFont: value setters that report every real change, and the conversion
// between point sizes and pixel heights.

#include "framework/graphics/font.h"

#include <cstdint>
#include <cstdlib>

namespace orv {

namespace {

// A * B / C rounded to the nearest integer, halves away from zero, as the
// operating system's MulDiv computes it; -1 when the result does not fit.
int MulDivRounded(int A, int B, int C) {
  if (C == 0) return -1;
  const int64_t N = static_cast<int64_t>(A) * B;
  const int64_t Q = (std::llabs(N) * 2 + std::llabs(C)) / (std::llabs(static_cast<int64_t>(C)) * 2);
  const int64_t R = (N < 0) != (C < 0) ? -Q : Q;
  // Also refuse INT_MIN, whose negation (size <-> height) would not fit.
  if (R > INT32_MAX || R <= INT32_MIN) return -1;
  return static_cast<int>(R);
}

}  // namespace

TFont::TFont() = default;
TFont::~TFont() = default;

void TFont::Assign(TPersistent* Source) {
  if (auto* F = dynamic_cast<TFont*>(Source)) {
    if (F == this) return;
    const bool Same = FName == F->FName && FHeight == F->FHeight && FColor == F->FColor && FStyle == F->FStyle &&
                      FQuality == F->FQuality && FOrientation == F->FOrientation &&
                      FEscapement == F->FEscapement && FPitch == F->FPitch && FCharset == F->FCharset;
    FName = F->FName;
    FHeight = F->FHeight;
    FColor = F->FColor;
    FStyle = F->FStyle;
    FQuality = F->FQuality;
    FOrientation = F->FOrientation;
    FEscapement = F->FEscapement;
    FPitch = F->FPitch;
    FCharset = F->FCharset;
    if (!Same) Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TFont::SetName(const String& Value) {
  // An empty name would leave nothing to look up; the font keeps its face.
  if (Value.empty() || Value == FName) return;
  FName = Value;
  Changed();
}

// A positive height (cell height) gives a negative size, so size and height
// convert back and forth without loss of sign.
int TFont::Size() const { return -MulDivRounded(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int Value) { SetHeight(-MulDivRounded(Value, FPixelsPerInch, 72)); }

void TFont::SetHeight(int Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  Changed();
}

void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TFont::SetStyle(const TFontStyles& Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TFont::SetQuality(TFontQuality Value) {
  if (Value == FQuality) return;
  FQuality = Value;
  Changed();
}

void TFont::SetOrientation(int Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  Changed();
}

void TFont::SetEscapement(int Value) {
  if (Value == FEscapement) return;
  FEscapement = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == FPitch) return;
  FPitch = Value;
  Changed();
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == FCharset) return;
  FCharset = Value;
  Changed();
}

}  // namespace orv
