#pragma once
// TFont: the description of the typeface a canvas writes text with. The text
// engine (glyph lookup, rendering, measuring) reads these values; this class
// only stores them and reports changes.
//
// Sizes are measured at 96 pixels per inch. Size is in points, Height in
// pixels; a negative Height is the character height without internal leading
// (as the host framework counts it), so Height = -MulDiv(Size, 96, 72) and
// Size = -MulDiv(Height, 72, 96). The default font is DejaVu Sans at 9 points
// (Height -12).

#include <cstdint>

#include "framework/graphics/graphobj.h"
#include "framework/rtl/set.h"
#include "framework/rtl/types.h"

namespace orv {

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

enum TFontQuality : uint8_t {
  fqDefault,
  fqDraft,
  fqProof,
  fqNonAntialiased,
  fqAntialiased,
  fqClearType,
  fqClearTypeNatural
};

enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };

using TFontCharset = uint8_t;
inline constexpr TFontCharset ANSI_CHARSET = 0;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;
inline constexpr TFontCharset SYMBOL_CHARSET = 2;
inline constexpr TFontCharset OEM_CHARSET = 255;

class TFont : public TGraphicsObject {
 public:
  TFont();
  ~TFont() override;
  // Copies every value from another TFont; anything else goes to TPersistent.
  void Assign(TPersistent* Source) override;

  const String& Name() const { return FName; }
  void SetName(const String& Value);
  // Points at 96 DPI.
  int Size() const;
  void SetSize(int Value);
  // Pixels; negative = character height, positive = cell height.
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(const TFontStyles& Value);
  TFontQuality Quality() const { return FQuality; }
  void SetQuality(TFontQuality Value);
  // Angle of each glyph, tenths of a degree counter-clockwise.
  int Orientation() const { return FOrientation; }
  void SetOrientation(int Value);
  // Angle of the base line, tenths of a degree counter-clockwise.
  int Escapement() const { return FEscapement; }
  void SetEscapement(int Value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  // Stored only; every face is read as Unicode.
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  int PixelsPerInch() const { return FPixelsPerInch; }

 private:
  String FName = u"DejaVu Sans";
  int FHeight = -12;  // 9 points at 96 DPI
  TColor FColor = 0xFF000008;  // clWindowText
  TFontStyles FStyle;
  TFontQuality FQuality = fqDefault;
  int FOrientation = 0;
  int FEscapement = 0;
  TFontPitch FPitch = fpDefault;
  TFontCharset FCharset = DEFAULT_CHARSET;
  int FPixelsPerInch = 96;
};

}  // namespace orv
