#pragma once
// TCustomPanel and TPanel: a container with bevels and a caption. Aligned
// children share out the area inside the bevels and the border.

#include "framework/controls/customcontrol.h"
#include "framework/controls/stdtypes.h"

namespace orv {

class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* AOwner);
  ~TCustomPanel() override;

  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  // Width of each bevel in pixels (at least 1).
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  // Gap in Color between the outer and the inner bevel (0 or more).
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

  void AdjustClientRect(TRect& Rect) const override;

 protected:
  void Paint() override;
  void CMTextChanged(TMessage& Message) override;

 private:
  // Total width of bevels and border on each side.
  int FrameWidth() const;
  void Changed3D();

  TBevelCut FBevelOuter = bvRaised;
  TBevelCut FBevelInner = bvNone;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TAlignment FAlignment = taCenter;
};

class TPanel : public TCustomPanel {
 public:
  explicit TPanel(TComponent* AOwner);
};

}  // namespace orv
