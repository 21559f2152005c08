#pragma once
// TRasterLab: a dot-matrix display. Text is drawn as square dots from a
// character bit matrix over a raster of unlit dots, and can scroll on a
// window timer in any of four directions.
//
// The bit matrix is the built-in 7 x 12 font (rasterfont.h) while the
// control's font is named "default", and otherwise a scan of that font
// (CreateBitFont). Characters are looked up by the low 8 bits of their code.

#include <array>
#include <cstdint>
#include <memory>

#include "foundation/basetypes.h"
#include "framework/controls/graphiccontrol.h"
#include "framework/controls/messages.h"
#include "framework/graphics/bitmap.h"
#include "framework/rtl/types.h"

namespace orv {

// Dot pattern of 256 character codes. Bit j of Bits[code][row] is a dot in
// column j (bit 0 is the leftmost column).
struct TRDCharMatrix {
  int CharWidth = 0;   // widest glyph, in dot columns
  int CharHeight = 0;  // dot rows used
  std::array<uint8_t, 256> FirstCol{};
  std::array<uint8_t, 256> LastCol{};
  std::array<std::array<uint32_t, 32>, 256> Bits{};
};

// rdbmOff: no raster, text on the background; rdbmRaster: unlit dots under
// the text; rdbmOn: unlit dots, with the column between two characters
// cleared so each character stands in a block of its own.
enum TRDBlockMode : uint8_t { rdbmOff, rdbmOn, rdbmRaster };
enum TRDScrollMode : uint8_t { rdsmOff, rdsmLeft, rdsmRight, rdsmDown, rdsmUp };

class TRasterLab : public TGraphicControl {
 public:
  // 400 x 68, "Text" in lime 3-pixel dots over dark gray unlit dots.
  explicit TRasterLab(TComponent* AOwner);
  ~TRasterLab() override;

  // From another TRasterLab: frame style, text, background and lit colour,
  // bevel colours and scheme. Anything else goes to the inherited Assign.
  void Assign(TPersistent* Source) override;

  // The built-in font for an absent font or one named "default" (any letter
  // case); otherwise the font's glyphs for codes 32..255 drawn and scanned
  // (up to 32 x 32 dots each).
  TRDCharMatrix CreateBitFont(TFont* AFont);

  const TRDCharMatrix& CharMatrix() const { return FCMat; }
  void SetCharMatrix(const TRDCharMatrix& Value);

  String Text() const override { return FLabText; }
  void SetText(const String& Value) override;
  // 1..32 pixels.
  int DotSize() const { return FDotSize; }
  void SetDotSize(int Value);
  // 0..3 pixels between dots.
  int DotSpacing() const { return FDotSpacing; }
  void SetDotSpacing(int Value);
  // Height follows the font: frame width + dot step x rows used.
  bool AutoHeight() const { return FAutoHeight; }
  void SetAutoHeight(bool Value);
  // PosX centres the text; switching it off puts PosX back to 1.
  bool AutoCenter() const { return FAutoCenter; }
  void SetAutoCenter(bool Value);
  bool Proportional() const { return FProportional; }
  void SetProportional(bool Value);
  TRDBlockMode CharBlockMode() const { return FCharBlockMode; }
  void SetCharBlockMode(TRDBlockMode Value);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Value);
  // Text origin in pixels.
  int PosX() const { return FXPos; }
  void SetPosX(int Value);
  int PosY() const { return FYPos; }
  void SetPosY(int Value);
  TColor ColorDotOn() const { return FColorDotOn; }
  void SetColorDotOn(TColor Value);
  TColor ColorDotOff() const { return FColorDotOff; }
  void SetColorDotOff(TColor Value);
  TColor ColorLabBakG() const { return FColorLabBakG; }
  void SetColorLabBakG(TColor Value);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme Value);
  TColor ColBlackLine() const { return FColBlackLine; }
  TColor ColGrayLine() const { return FColGrayLine; }
  TColor ColWhiteLine() const { return FColWhiteLine; }

  // Scrolling. Each tick moves the text by ScrollIncrement pixels: right,
  // left, down or up. With ScrollLoop, text that has left the control
  // re-enters from the opposite side and OnScrollLoopRestart fires:
  //   right: once the offset passes Width, it restarts at minus the painted
  //          text length (the text ends where it normally starts);
  //   left:  once the text's right end passes the left edge, the text
  //          restarts with its left end on the right edge;
  //   down:  once the offset passes Height, it restarts at minus the text
  //          height (rows used x dot step);
  //   up:    once the text's bottom passes the top edge, the text restarts
  //          with its top on the bottom edge.
  // Without ScrollLoop the text leaves for good.
  TRDScrollMode ScrollMode() const { return FScrollMode; }
  void SetScrollMode(TRDScrollMode Value);
  // Milliseconds, at least 10.
  int ScrollInterval() const { return FScrollIv; }
  void SetScrollInterval(int Value);
  // Pixels per tick; stored as its absolute value, 0 taken as 1.
  int ScrollIncrement() const { return FScrollInc; }
  void SetScrollIncrement(int Value);
  bool ScrollLoop() const { return FScrollLoop; }
  void SetScrollLoop(bool Value);
  TNotifyEvent OnScrollTimer() const { return FOnScrollTimer; }
  void SetOnScrollTimer(TNotifyEvent Value);
  TNotifyEvent OnScrollLoopRestart() const { return FOnScrLoopRestart; }
  void SetOnScrollLoopRestart(TNotifyEvent Value) { FOnScrLoopRestart = std::move(Value); }

  // Scroll offsets in pixels, the pixel length of the text last painted and
  // the hidden window that receives the scroll timer; for inspection.
  int ScrollPosX() const { return FScrollPosX; }
  int ScrollPosY() const { return FScrollPosY; }
  int TextBitLength() const { return FTextBitLength; }
  HWND TimerHandle() const { return FScrTimerHandle; }

  // Pixel length of Value as the current matrix and dots lay it out.
  int TextLength(const String& Value) const;

 protected:
  void Paint() override;
  void CMFontChanged(TMessage& Message) override;

 private:
  int DotStep() const { return FDotSize + FDotSpacing; }
  // The matrix's width and height limited to the 32 dots a glyph can have,
  // so a matrix handed in with larger values never reads past its bits.
  int CharColumns() const;
  int CharRows() const;
  int FrameWidth() const;
  void ApplyAutoHeight();
  void ApplyAutoCenter();
  void RestartTimer();
  void TimerWndProc(TMessage& Message);
  void ScrollStep();
  // Paints one character at (X, Y); returns its width in pixels.
  int PaintChar(TCanvas* C, int X, int Y, Char Ch, int W, int H);
  void PaintString(TCanvas* C, int X, int Y, int W, int H);
  void PaintRaster(TCanvas* C, int W, int H);
  void PaintFrame(TCanvas* C, int W, int H);

  TRDCharMatrix FCMat;
  TFrameStyle FFrameStyle = fsLowered;
  TRDScrollMode FScrollMode = rdsmOff;
  int FScrollPosX = 0;
  int FScrollPosY = 0;
  bool FScrollLoop = true;
  HWND FScrTimerHandle = 0;
  bool FScrTimerEnabled = false;
  bool FAutoCenter = false;
  int FTextBitLength = 0;
  TNotifyEvent FOnScrollTimer;
  int FScrollIv = 100;
  int FScrollInc = 1;
  String FLabText = u"Text";
  TColor FColorLabBakG = 0x000000;
  TColor FColorDotOn = 0x00FF00;
  TColor FColorDotOff = 0x404040;
  TColor FColBlackLine = 0x000000;
  TColor FColGrayLine = 0x808080;
  TColor FColWhiteLine = 0xFFFFFF;
  TColorScheme FColorScheme = csFixed;
  bool FAutoHeight = false;
  TRDBlockMode FCharBlockMode = rdbmOn;
  TNotifyEvent FOnScrLoopRestart;
  bool FProportional = true;
  int FDotSize = 3;
  int FDotSpacing = 1;
  int FXPos = 1;
  int FYPos = 1;
  // Off-screen picture, kept between paints.
  std::unique_ptr<TBitmap> FBuffer;
};

}  // namespace orv
