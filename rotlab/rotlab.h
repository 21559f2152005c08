#pragma once
// TRotLab: a label that writes its caption at any angle around an anchor
// point, smoothed or not, engraved when disabled, with a bevel frame. The
// background is the label's own (filled with Color unless Transparent).

#include "foundation/basetypes.h"
#include "framework/controls/label.h"
#include "framework/graphics/colors.h"

namespace orv {

class TRotLab : public TCustomLabel {
 public:
  // Created 200 x 200, transparent, anchor centred, text at 0 degrees centred
  // on the anchor in Arial 11, smoothed, with a lowered frame.
  explicit TRotLab(TComponent* AOwner);

  // Counter-clockwise degrees, any value (450 draws as 90).
  int TextAngle() const { return FTextAngle; }
  void SetTextAngle(int Value);
  // The anchor in control pixels. While AutoCenter is on, setting either is
  // discarded and the anchor stays at (Width div 2, Height div 2).
  int PosX() const { return FTextPosX; }
  void SetPosX(int Value);
  int PosY() const { return FTextPosY; }
  void SetPosY(int Value);
  bool AutoCenter() const { return FAutoCenter; }
  void SetAutoCenter(bool Value);
  // Which point of the text lies on the anchor: the middle of its left end,
  // its centre, or the middle of its right end.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // Smoothed glyphs when set, plain two-colour glyphs otherwise.
  bool AntiAlias() const { return FAntiAlias; }
  void SetAntiAlias(bool Value);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  TColor Color() const { return FBgColor; }
  void SetColor(TColor Value);

  // The top-left point the caption is written at for the current anchor,
  // angle, alignment and font.
  TPoint TextOrigin();

  // From another TRotLab: AutoCenter, FrameStyle, TextAngle, PosX, PosY and
  // AntiAlias; other sources go to the inherited behaviour.
  void Assign(TPersistent* Source) override;
  void AssignTo(TPersistent* Dest) override;

 protected:
  void Paint() override;

 private:
  // Invalidates a transparent label (its parent paints underneath), paints
  // an opaque one at once.
  void Refresh();
  void Recenter();
  // Sets the canvas font: Font turned by TextAngle, in the asked quality.
  void SelectRotatedFont(TCanvas* C);

  int FTextAngle = 0;
  int FTextPosX = 10;
  int FTextPosY = 10;
  bool FAntiAlias = true;
  bool FAutoCenter = true;
  TColor FBgColor = clBtnFace;
  bool FTransparent = true;
  TAlignment FAlignment = taCenter;
  TFrameStyle FFrameStyle = fsLowered;
};

}  // namespace orv
