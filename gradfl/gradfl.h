#pragma once
// TGradFill: a decorative background control that fills its area with a
// stepped colour gradient in horizontal or vertical bands, optionally with a
// grid of lines over it and a bevelled frame around it.

#include <memory>

#include "foundation/basetypes.h"
#include "framework/controls/graphiccontrol.h"
#include "framework/graphics/bitmap.h"
#include "gradfl/gradfl_bands.h"
#include "gradfl/gradfl_draw.h"

namespace orv {

class TGradFill : public TGraphicControl {
 public:
  // Created 121 x 121 with sixteen horizontal bands from 0x000080 to 0x00FFFF.
  explicit TGradFill(TComponent* AOwner);
  ~TGradFill() override;

  // Number of bands, kept within 1..255.
  int NrColors() const { return FNrColors; }
  void SetNrColors(int Value);

  TGradType FillType() const { return FGradType; }
  void SetFillType(TGradType Value);

  // The colours as currently drawn: while ColorFlipped is on, ColorFirst is
  // the colour that was set as last and the other way round.
  TColor ColorFirst() const { return FColorFirst; }
  void SetColorFirst(TColor Value);
  TColor ColorLast() const { return FColorLast; }
  void SetColorLast(TColor Value);

  // Swaps the two colours in use without forgetting which one was set as
  // first; switching it off restores the order they were set in.
  bool ColorFlipped() const { return FColorsFlipped; }
  void SetColorFlipped(bool Value);

  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Value);

  // Grid lines kGradGridPitch pixels apart, drawn in GridColor over the bands.
  TGridMode GridMode() const { return FGridMode; }
  void SetGridMode(TGridMode Value);
  TColor GridColor() const { return FGridColor; }
  void SetGridColor(TColor Value);

  // Fired at the end of every Paint, after the picture is on the canvas.
  TNotifyEvent OnPaint() const { return FOnPaint; }
  void SetOnPaint(TNotifyEvent Value) { FOnPaint = std::move(Value); }

  // Draws the gradient, grid and frame into Bmp, sized to the control first.
  // A null Bmp receives a new bitmap, which the caller then owns.
  void DrawGradient(TBitmap*& Bmp);

  // Copies every gradient property and OnPaint from another TGradFill;
  // other sources go to the inherited behaviour.
  void Assign(TPersistent* Source) override;

 protected:
  // Draws off screen, copies the result to (0, 0) and fires OnPaint.
  void Paint() override;

 private:
  // The picture the current property values describe.
  TGradLook Look() const;
  // Puts the set colours in use in the order the flip state asks for.
  void ApplyFlip();

  int FNrColors = 16;
  TGradType FGradType = gtHoriz;
  TColor FColorFirst = 0x000080;
  TColor FColorLast = 0x00FFFF;
  TColor FColFirstOrg = 0x000080;
  TColor FColLastOrg = 0x00FFFF;
  bool FColorsFlipped = false;
  TFrameStyle FFrameStyle = fsNone;
  TGridMode FGridMode = gmNone;
  TColor FGridColor = 0x800000;
  TNotifyEvent FOnPaint;

  // Off-screen picture, kept between paints so a repaint allocates nothing.
  std::unique_ptr<TBitmap> FBuffer;
};

}  // namespace orv
