#pragma once
// TNeedleLayout: the shape and colours of one meter needle.
//
// A needle is an arrow from the pivot to a point at PercentNeedleLength of
// the scale radius: a head HeadSize long with HeadAngle between its barbs,
// a shaft Thickness wide that meets the head HeadMidLeng behind the tip, and
// an optional shadow offset by (-ShadowDx, -ShadowDy). Every setter stores a
// changed value and calls Changed, which fires OnChange; the meter that owns
// the layout repaints from there.

#include "framework/graphics/colors.h"
#include "framework/rtl/classes.h"
#include "framework/rtl/types.h"

namespace orv {

class TNeedleLayout : public TPersistent {
 public:
  TNeedleLayout() = default;

  // Copies every value but OnChange from another TNeedleLayout, then calls
  // Changed once; anything else goes to the inherited Assign.
  void Assign(TPersistent* Source) override;

  TColor ColorBody() const { return FColorFill; }
  void SetColorBody(TColor Value);
  TColor ColorOutline() const { return FColorLine; }
  void SetColorOutline(TColor Value);
  int HeadSize() const { return FSize1; }
  void SetHeadSize(int Value);
  int Thickness() const { return FThickness; }
  void SetThickness(int Value);
  // Clamped to 0..100.
  int PercentNeedleLength() const { return FPctNeedleLeng; }
  void SetPercentNeedleLength(int Value);
  // Degrees between the barbs, clamped to 0..180.
  int HeadAngle() const { return FAngle1; }
  void SetHeadAngle(int Value);
  int HeadMidLeng() const { return FBackShift1; }
  void SetHeadMidLeng(int Value);
  int ShadowDx() const { return FShadowDx; }
  void SetShadowDx(int Value);
  int ShadowDy() const { return FShadowDy; }
  void SetShadowDy(int Value);
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);

  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

 protected:
  virtual void Changed();

 private:
  template <typename T>
  void Store(T& Field, T Value);

  TColor FColorFill = clSilver;
  TColor FColorLine = clBlack;
  int FSize1 = 20;
  int FThickness = 0;
  int FPctNeedleLeng = 100;
  int FAngle1 = 30;
  int FBackShift1 = 20;
  int FShadowDx = 0;
  int FShadowDy = 0;
  TColor FShadowColor = clGray;
  TNotifyEvent FOnChange;
  bool FVisible = true;
};

}  // namespace orv
