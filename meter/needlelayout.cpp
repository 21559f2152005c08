// TNeedleLayout: setters and Assign.

#include "meter/needlelayout.h"

#include <algorithm>

namespace orv {

template <typename T>
void TNeedleLayout::Store(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TNeedleLayout::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TNeedleLayout*>(Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  FColorFill = Other->FColorFill;
  FColorLine = Other->FColorLine;
  FSize1 = Other->FSize1;
  FThickness = Other->FThickness;
  FPctNeedleLeng = Other->FPctNeedleLeng;
  FAngle1 = Other->FAngle1;
  FBackShift1 = Other->FBackShift1;
  FShadowDx = Other->FShadowDx;
  FShadowDy = Other->FShadowDy;
  FShadowColor = Other->FShadowColor;
  FVisible = Other->FVisible;
  Changed();
}

void TNeedleLayout::Changed() {
  if (FOnChange) FOnChange(this);
}

void TNeedleLayout::SetColorBody(TColor Value) { Store(FColorFill, Value); }
void TNeedleLayout::SetColorOutline(TColor Value) { Store(FColorLine, Value); }
void TNeedleLayout::SetHeadSize(int Value) { Store(FSize1, Value); }
void TNeedleLayout::SetThickness(int Value) { Store(FThickness, Value); }
void TNeedleLayout::SetPercentNeedleLength(int Value) { Store(FPctNeedleLeng, std::clamp(Value, 0, 100)); }
void TNeedleLayout::SetHeadAngle(int Value) { Store(FAngle1, std::clamp(Value, 0, 180)); }
void TNeedleLayout::SetHeadMidLeng(int Value) { Store(FBackShift1, Value); }
void TNeedleLayout::SetShadowDx(int Value) { Store(FShadowDx, Value); }
void TNeedleLayout::SetShadowDy(int Value) { Store(FShadowDy, Value); }
void TNeedleLayout::SetShadowColor(TColor Value) { Store(FShadowColor, Value); }
void TNeedleLayout::SetVisible(bool Value) { Store(FVisible, Value); }

}  // namespace orv
