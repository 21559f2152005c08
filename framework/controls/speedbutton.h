#pragma once
// TSpeedButton: a button without a window of its own, with a caption and an
// optional glyph, that can stay down. Buttons with the same nonzero
// GroupIndex under one parent act as a radio group (AllowAllUp lets the
// last one be released again).
//
// Mouse: pressing the left button shows the button pressed while the
// pointer stays inside; releasing it inside fires Click (OnClick) after
// the state has been updated, releasing it outside fires nothing.

#include <cstdint>
#include <memory>

#include "framework/controls/graphiccontrol.h"
#include "framework/graphics/bitmap.h"

namespace orv {

enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Look of the button: up, disabled, pressed while held (bsDown) and staying
// down (bsExclusive). Also the index of the glyph cell drawn for the state.
enum TButtonState : uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };

using TNumGlyphs = int;

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;

  bool AllowAllUp() const { return FAllowAllUp; }
  // Passed on to the other buttons of the group.
  void SetAllowAllUp(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool Down() const { return FDown; }
  // Ignored (stays false) outside a group; releasing the down button of a
  // group is refused unless AllowAllUp. Pressing one releases the others.
  void SetDown(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  // The glyph image (never nullptr; empty when there is none). The bottom-
  // left pixel gives the transparent colour. With NumGlyphs > 1 the image is
  // cut into equal cells side by side: up, disabled, clicked, down.
  TBitmap* Glyph() const { return FGlyph.get(); }
  // Copies Value; an image a whole number (1..4) of squares wide sets
  // NumGlyphs to that number.
  void SetGlyph(TBitmap* Value);
  TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
  // 1..4; other values are clamped.
  void SetNumGlyphs(TNumGlyphs Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  // Distance from the edge to the glyph (-1: centre glyph and caption).
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  // Pixels between glyph and caption (-1: spread them evenly).
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  // True while the mouse pointer is over the button.
  bool MouseInControl() const { return FMouseInControl; }
  TButtonState State() const { return FState; }

  void Click() override;
  void WndProc(TMessage& Message) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  // Another button of the parent was pressed (WParam = its GroupIndex,
  // LParam = the button as a TObject*).
  virtual void CMButtonPressed(TMessage& Message);

  TButtonState FState = bsUp;
  bool FDragging = false;

 private:
  // Tells the other buttons of the parent about this one's group state.
  void UpdateExclusive();
  void DrawFace(TCanvas* C, const TRect& R);
  void DrawGlyph(TCanvas* C, int X, int Y);
  void DrawCaption(TCanvas* C, int X, int Y);

  bool FAllowAllUp = false;
  int FGroupIndex = 0;
  bool FDown = false;
  bool FFlat = false;
  std::unique_ptr<TBitmap> FGlyph;
  TNumGlyphs FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  bool FMouseInControl = false;
};

}  // namespace orv
