#pragma once
// TNumLab: a read-only numeric display. A caption at the left, a framed box
// with the value formatted by one of fifteen display types (numlab_text.h),
// and a caption at the right. OnBeforeDisplay may rewrite the text; a text
// too wide for the box is replaced by OverflowIndicator. With Transparent set
// the label is combined with what its parent drew by a bitwise AND, so its
// white background lets the parent show through.

#include <functional>

#include "foundation/basetypes.h"
#include "framework/controls/graphiccontrol.h"
#include "framework/controls/stdtypes.h"
#include "numlab/numlab_text.h"

namespace orv {

using TBeforeDisplayEvent = std::function<void(TObject* Sender, String& Text)>;

class TNumLab : public TGraphicControl {
 public:
  // Created 160 x 28, showing 0 as "0.00".
  explicit TNumLab(TComponent* AOwner);
  ~TNumLab() override;

  // From another TNumLab: layout, texts, frame, alignments, value, colours,
  // scheme, display type and transparency (not Comma, ForcePlusSign and
  // DTFormat). Other sources go to the inherited Assign.
  void Assign(TPersistent* Source) override;

  // x where the label box starts: negative values are ignored, values over
  // Width become Width.
  int LeftSpace() const { return FLeftSpace; }
  void SetLeftSpace(int Value);
  int LabelWidth() const { return FLabWidth; }
  void SetLabelWidth(int Value);
  // Decimals or digits of the display types that take them; negative values
  // are ignored, values over 15 become 15.
  int Precision() const { return FDecP; }
  void SetPrecision(int Value);
  double Value() const { return FLabValue; }
  void SetValue(double Value);
  TDisplay DisplayType() const { return FDisplayType; }
  void SetDisplayType(TDisplay Value);
  // Draws the box without a value.
  bool Empty() const { return FEmpty; }
  void SetEmpty(bool Value);
  // "," instead of "." as the decimal separator of the number types.
  bool Comma() const { return FComma; }
  void SetComma(bool Value);
  // "+" in front of positive values of the number types.
  bool ForcePlusSign() const { return FPlusSign; }
  void SetForcePlusSign(bool Value);
  bool Transparent() const { return FTransParent; }
  void SetTransparent(bool Value);
  const String& LeftText() const { return FLeftText; }
  void SetLeftText(const String& Value);
  const String& RightText() const { return FRightText; }
  void SetRightText(const String& Value);
  // Text of dtState; several states separated by "|" are picked by the value.
  const String& StateText() const { return FStateText; }
  void SetStateText(const String& Value);
  // Date-time pattern of dtDateTime.
  const String& DTFormat() const { return FDtFormat; }
  void SetDTFormat(const String& Value);
  const String& OverflowIndicator() const { return FOverFlowIndi; }
  void SetOverflowIndicator(const String& Value);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TAlignment LeftTextAlignment() const { return FLTAlignment; }
  void SetLeftTextAlignment(TAlignment Value);
  TAlignment RightTextAlignment() const { return FRTAlignment; }
  void SetRightTextAlignment(TAlignment Value);
  TColor ColorLabBakG() const { return FColorLabBakG; }
  void SetColorLabBakG(TColor Value);
  TColor ColorLabText() const { return FColorLabText; }
  void SetColorLabText(TColor Value);
  TColor ColorOutBakG() const { return FColorOutBakG; }
  void SetColorOutBakG(TColor Value);
  TColor ColorOutText() const { return FColorOutText; }
  void SetColorOutText(TColor Value);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme Value);
  TColor ColBlackLine() const { return FColBlackLine; }
  TColor ColGrayLine() const { return FColGrayLine; }
  TColor ColWhiteLine() const { return FColWhiteLine; }

  void SetEnabled(bool Value) override;

  // Where the pointer was last: 0 left caption, 1 label box, 2 right caption.
  int MouseAreaCode() const { return FMouseAreaCode; }

  TBeforeDisplayEvent OnBeforeDisplay() const { return FOnBeforeDisplay; }
  void SetOnBeforeDisplay(TBeforeDisplayEvent Value) { FOnBeforeDisplay = std::move(Value); }

  // The text the box shows for the current value and settings (empty while
  // Empty is set): formatted, separator and sign applied, passed through
  // OnBeforeDisplay and replaced by OverflowIndicator when wider than the
  // box, measured in the control's font.
  String DisplayText();

 protected:
  void Paint() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  // The text before the width check.
  String ValueText();
  // DisplayText measured on Measure, which holds the control's font.
  String DisplayText(TCanvas* Measure);
  void PaintCaptions(TCanvas* C, int TY);
  void PaintBox(TCanvas* C, int TY);

  int FLeftSpace = 35;
  bool FEmpty = false;
  int FLabWidth = 80;
  int FDecP = 2;
  bool FComma = false;
  bool FPlusSign = false;
  bool FTransParent = false;
  String FLeftText;
  String FRightText;
  TFrameStyle FFrameStyle = fsLowered;
  String FStateText = u"undefined";
  TAlignment FAlignment = taCenter;
  TAlignment FLTAlignment = taRightJustify;
  TAlignment FRTAlignment = taLeftJustify;
  int FMouseAreaCode = 0;
  String FOverFlowIndi = u"*********";
  double FLabValue = 0;
  TColor FColorLabBakG;
  TColor FColorLabText = 0x000000;
  TColor FColorOutBakG;
  TColor FColorOutText = 0x000000;
  TColor FColBlackLine = 0x000000;
  TColor FColGrayLine = 0x808080;
  TColor FColWhiteLine = 0xFFFFFF;
  TColorScheme FColorScheme = csFixed;
  TDisplay FDisplayType = dtFixP;
  String FDtFormat = u"mmm-dd, yyyy";
  TBeforeDisplayEvent FOnBeforeDisplay;
};

}  // namespace orv
