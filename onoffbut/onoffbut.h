#pragma once
// TOnOffBut: a two-state switch shown as a glyph, with optional captions on
// its four sides.
//
// The glyph comes from a strip of four pictures (on/off x enabled/disabled):
// one of the package's named strips, or the user glyphs for oobsUser. Pixels
// of the key colour 0xEBBEEB are background. A click on the glyph toggles
// the state; buttons with the same nonzero GroupIndex on one parent act as a
// radio group; oobmSpeedBut makes the button momentary (on while pressed).
// With Transparent set, the parent shows through everywhere except glyph,
// captions and frame.

#include <array>
#include <cstdint>
#include <memory>

#include "foundation/basetypes.h"
#include "framework/controls/graphiccontrol.h"
#include "framework/controls/stdtypes.h"
#include "framework/graphics/bitmap.h"
#include "framework/rtl/types.h"

namespace orv {

enum TOnOffButStyle : uint8_t {
  oobsUser,
  oobsCheckbox,
  oobsRadioBut,
  oobsSlideTB,
  oobsSlideLR,
  oobsColSlideTB,
  oobsColSlideLR,
  oobsLedRedGreen,
  oobsArrowTopRgt,
  oobsArrowUpDown,
  oobsArrowLeftRight,
  oobsTrafficLPed,
  oobsBeveledLed,
  oobsSmileyYellow,
  oobsSmileyRedGrn,
  oobsBulb,
  oobsButLamp,
  oobsHDLeft,
  oobsHDRight,
  oobsUser1,
  oobsUser2,
  oobsUser3,
  oobsUser4,
  oobsUser5
};

// oomaNone: the mouse does not switch; oomaFocused: only presses on the
// glyph count; oomaPlain: presses anywhere on the control count.
enum TOOButMouseAction : uint8_t { oomaNone, oomaFocused, oomaPlain };

// oobmNormalBut toggles; oobmSpeedBut is on only while pressed.
enum TOOButMode : uint8_t { oobmNormalBut, oobmSpeedBut };

// Background colour of the glyph strips.
inline constexpr TColor kOnOffKeyColor = 0xEBBEEB;

class TOnOffBut : public TGraphicControl {
 public:
  // 100 x 50, on, style oobsColSlideLR, glyph centred.
  explicit TOnOffBut(TComponent* AOwner);
  ~TOnOffBut() override;

  // From another TOnOffBut: spaces, centring, captions and alignments, frame,
  // colours and scheme, state, the eight glyphs, style, mouse action, glyph
  // size, transparency and enabling (not GroupIndex, AllowAllOff or Mode).
  void Assign(TPersistent* Source) override;

  bool OnOff() const { return FOnOff; }
  // Switching a grouped button off is refused while AllowAllOff is false;
  // switching one on switches the others of its group off.
  void SetOnOff(bool Value);
  TOnOffButStyle ButtonStyle() const { return FButStyle; }
  void SetButtonStyle(TOnOffButStyle Value);
  bool AutoCenter() const { return FAutoCenter; }
  void SetAutoCenter(bool Value);
  // The glyph's top-left pixel is at (LeftSpace + 1, TopSpace + 1).
  // Negative values are ignored; with AutoCenter any value only re-centres.
  int LeftSpace() const { return FLeftSpace; }
  void SetLeftSpace(int Value);
  int TopSpace() const { return FTopSpace; }
  void SetTopSpace(int Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  // Passed on to every button of the group.
  bool AllowAllOff() const { return FAllowAllOff; }
  void SetAllowAllOff(bool Value);
  TOOButMouseAction MouseAction() const { return FMouseAction; }
  void SetMouseAction(TOOButMouseAction Value);
  TOOButMode Mode() const { return FMode; }
  void SetMode(TOOButMode Value);
  bool Transparent() const { return FTransParent; }
  void SetTransparent(bool Value);
  bool Enabled() const override { return FEnabled; }
  void SetEnabled(bool Value) override;
  TColor ColorBackgnd() const { return FColorBakG; }
  void SetColorBackgnd(TColor Value);
  TColor ColorText() const { return FColorTxt; }
  void SetColorText(TColor Value);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Value);
  // Sets the bevel colours; the frame itself is drawn in fixed colours.
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme Value);

  const String& LeftText() const { return FLeftText; }
  void SetLeftText(const String& Value);
  const String& TopText() const { return FTopText; }
  void SetTopText(const String& Value);
  const String& BottomText() const { return FBottomText; }
  void SetBottomText(const String& Value);
  const String& RightText() const { return FRightText; }
  void SetRightText(const String& Value);
  TAlignment LeftTextAlignment() const { return FLTAlignment; }
  void SetLeftTextAlignment(TAlignment Value);
  TAlignment TopTextAlignment() const { return FTTAlignment; }
  void SetTopTextAlignment(TAlignment Value);
  TAlignment BottomTextAlignment() const { return FBTAlignment; }
  void SetBottomTextAlignment(TAlignment Value);
  TAlignment RightTextAlignment() const { return FRTAlignment; }
  void SetRightTextAlignment(TAlignment Value);

  // Size of one glyph of the strip in use.
  int GlyphWidth() const { return FGlyphWidth; }
  int GlyphHeight() const { return FGlyphHeight; }
  // Glyph Index (2 * state + enabled) in use, and the user glyph of oobsUser.
  const TBitmap* ButtonGlyph(int Index) const { return FButImg.at(static_cast<size_t>(Index)).get(); }
  const TBitmap* UserGlyph(int Index) const { return FUserImg.at(static_cast<size_t>(Index)).get(); }

  // Installs the glyphs of oobsUser from a strip laid out as the built-in
  // ones: a 2 x 2 grid of equal glyphs, top row enabled, bottom row
  // disabled, left column on, right column off (an odd last column or row is
  // left out). While the style is oobsUser the new glyphs are used at once
  // and their size becomes the glyph size (re-centred with AutoCenter), so
  // hit testing and captions follow the picture. A strip smaller than 2 x 2
  // raises EORVError and changes nothing.
  void SetUserGlyph(TBitmap* Strip);
  // The same from a BMP or PNG file; a missing or malformed file raises and
  // changes nothing.
  void LoadUserGlyph(const String& FileName);

  // Does nothing: OnClick is raised by the mouse-up handling only.
  void Click() override;
  void WndProc(TMessage& Message) override;

 protected:
  // Hands this button to another TOnOffBut's Assign.
  void AssignTo(TPersistent* Dest) override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Another control of the parent announced its group state (WParam = its
  // GroupIndex, LParam = the sender as a TObject*).
  virtual void CMButtonPressed(TMessage& Message);

 private:
  void ResizeHandler(TObject* Sender);
  void LoadGlyphs();
  void Center();
  void NotifyGroup();
  // Whether a mouse event at (X, Y) may switch the button.
  bool MouseCounts(TMouseButton Button, int X, int Y) const;
  // Repaints at once, or asks for a repaint when transparent (the parent
  // must be drawn first for the see-through parts).
  void Redraw();
  // Captions on Bmp and, when given, on the mask.
  void DrawCaptions(TCanvas* Bmp, TCanvas* Mask, int W);
  void DrawCaption(TCanvas* Bmp, TCanvas* Mask, int X, int Y, const String& Text);
  // The glyph in use, key pixels replaced by the background (black when
  // transparent), into Dest where the control's (0, 0) lies at Origin, within
  // Clip (Dest coordinates); the mask, when given, is control-sized.
  void DrawGlyph(TBitmap* Dest, const TPoint& Origin, const TRect& Clip, TBitmap* Mask);

  bool FOnOff = true;
  std::array<std::unique_ptr<TBitmap>, 4> FButImg;
  std::array<std::unique_ptr<TBitmap>, 4> FUserImg;
  std::unique_ptr<TBitmap> FMask;
  // Picture of the transparent painting, kept between paints.
  std::unique_ptr<TBitmap> FBuffer;
  bool FAutoCenter = true;
  TOnOffButStyle FButStyle = oobsColSlideLR;
  int FGroupIndex = 0;
  TOOButMouseAction FMouseAction = oomaFocused;
  bool FAllowAllOff = true;
  TColor FColorBakG;
  TColor FColorTxt = 0x000000;
  int FGlyphWidth = 0;
  int FGlyphHeight = 0;
  int FLeftSpace = 35;
  int FTopSpace = 18;
  String FLeftText, FTopText, FBottomText, FRightText;
  TOOButMode FMode = oobmNormalBut;
  TFrameStyle FFrameStyle = fsLowered;
  bool FTransParent = false;
  TAlignment FLTAlignment = taRightJustify;
  TAlignment FTTAlignment = taCenter;
  TAlignment FBTAlignment = taCenter;
  TAlignment FRTAlignment = taLeftJustify;
  bool FEnabled = true;
  TColor FColBlackLine = 0x000000;
  TColor FColGrayLine = 0x808080;
  TColor FColWhiteLine = 0xFFFFFF;
  TColorScheme FColorScheme = csFixed;
};

}  // namespace orv
