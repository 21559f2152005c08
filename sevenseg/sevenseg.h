#pragma once
// TSevenSeg: a caption shown as a row of slanted seven-segment digits.
//
// The glyphs are composed once per cell size and colour pair into a cache
// strip (see sevenseg_glyphs.h); painting only copies cells from it, so a
// caption change costs a few block copies. Digits fill from the left: a
// caption character takes one position, a following "." or "," lights that
// position's dot, and characters beyond NumDigits are not shown.

#include <memory>
#include <vector>

#include "foundation/basetypes.h"
#include "framework/controls/graphiccontrol.h"
#include "framework/graphics/bitmap.h"
#include "framework/rtl/types.h"
#include "sevenseg/sevenseg_glyphs.h"

namespace orv {

class TSevenSeg : public TGraphicControl {
 public:
  // Created 216 x 76 with the caption "8.8.8.8." on four red digits.
  explicit TSevenSeg(TComponent* AOwner);
  ~TSevenSeg() override;

  // From another TSevenSeg: colours, digits, caption, frame, bevel colours
  // and scheme, margin and digit distance; the cache is rebuilt here, never
  // shared. Anything else goes to the inherited Assign.
  void Assign(TPersistent* Source) override;

  TColor ColorBackGnd() const { return FColorBakG; }
  void SetColorBackGnd(TColor Value);
  // Segment colour; white is drawn as 0xFEFEFE.
  TColor ColorText() const { return FColorTxt; }
  void SetColorText(TColor Value);
  // 1..32; other values are ignored.
  int NumDigits() const { return FNumDigits; }
  void SetNumDigits(int Value);
  // Caption (also reached through TControl::Caption/SetCaption).
  String Text() const override { return FCaption; }
  void SetText(const String& Value) override;
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Value);
  // Sets the bevel colours; the frame itself always uses fixed colours.
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme Value);
  // Blank border around the digits, at most Height div 2 - 1 (and not negative).
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  // Pixels between neighbouring digits, 0..255.
  int InterDigDist() const { return FInterDigDist; }
  void SetInterDigDist(int Value);

  // Bevel colours kept for the colour scheme.
  TColor ColBlackLine() const { return FColBlackLine; }
  TColor ColGrayLine() const { return FColGrayLine; }
  TColor ColWhiteLine() const { return FColWhiteLine; }

  // The cache strip of the 21 glyphs and how often it was built; for
  // inspection and tests.
  const TBitmap* GlyphCache() const { return FGlyphs->Cache(); }
  int CacheBuildCount() const { return FGlyphs->BuildCount(); }

  void Loaded() override;

 protected:
  void Paint() override;

 private:
  // The handler the control puts on its own OnResize.
  void ResizeHandler(TObject* Sender);
  // Cell width and height for the current size, margin, digits and distance.
  int CellWidth() const;
  int CellHeight() const;
  // Rebuilds the cache for the current size and colours and remembers the
  // size it was built for.
  void BuildCache();
  // A shown position: its left edge, its 1-based cache cell (0: none) and
  // whether its dot is lit.
  struct TCellPaint {
    int X;
    int Glyph;
    bool Dot;
  };
  // The positions the caption lights; empty when the cache does not fit.
  std::vector<TCellPaint> Layout() const;
  // Background everywhere but the cells of Cells that take a whole glyph.
  void PaintBackground(TCanvas* Dest, const std::vector<TCellPaint>& Cells);
  // The glyphs and dots of Cells copied from the cache onto Dest.
  void PaintDigits(TCanvas* Dest, const std::vector<TCellPaint>& Cells);

  TColor FColorBakG = 0x333333;
  TColor FColorTxt = 0x0000FF;
  int FNumDigits = 4;
  String FCaption = u"8.8.8.8.";
  TFrameStyle FFrameStyle = fsLowered;
  int FMargin = 8;
  int FInterDigDist = 2;
  int FWidth = 216;  // size the cache was built for
  int FHeight = 76;
  TColor FColBlackLine = 0x000000;
  TColor FColGrayLine = 0x808080;
  TColor FColWhiteLine = 0xFFFFFF;
  TColorScheme FColorScheme = csFixed;
  // Segment images, master canvas and cache strip.
  std::unique_ptr<TSevenSegGlyphs> FGlyphs;
};

}  // namespace orv
