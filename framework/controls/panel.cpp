#include "framework/controls/panel.h"

#include <algorithm>

#include "framework/graphics/colors.h"
#include "framework/graphics/edges.h"

namespace orv {

namespace {

constexpr TColor EngravedGray = 0x808080;

// Width rings of a bevel, each Light on the top and left and Dark on the
// bottom and right (a space cut only takes up the room); Rect shrinks past
// them.
void Bevel(TCanvas* C, TRect& R, TBevelCut Cut, int Width) {
  if (Cut == bvNone) return;
  TColor Light = clBtnHighlight;
  TColor Dark = clBtnShadow;
  if (Cut == bvLowered) std::swap(Light, Dark);
  if (Cut == bvSpace) Light = Dark = clNone;
  for (int I = 0; I < Width && !R.IsEmpty(); ++I) R = DrawEdgeRing(C, R, Light, Dark);
}

}  // namespace

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csOpaque};
  SetColor(clBtnFace);
  SetBounds(0, 0, 185, 41);
}

TCustomPanel::~TCustomPanel() = default;

int TCustomPanel::FrameWidth() const {
  int W = FBorderWidth;
  if (FBevelOuter != bvNone) W += FBevelWidth;
  if (FBevelInner != bvNone) W += FBevelWidth;
  return W;
}

void TCustomPanel::AdjustClientRect(TRect& Rect) const {
  const int F = FrameWidth();
  Rect = TRect{Rect.Left + F, Rect.Top + F, std::max(Rect.Left + F, Rect.Right - F), std::max(Rect.Top + F, Rect.Bottom - F)};
}

void TCustomPanel::Changed3D() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
  if (Value == FBevelOuter) return;
  FBevelOuter = Value;
  Changed3D();
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
  if (Value == FBevelInner) return;
  FBevelInner = Value;
  Changed3D();
}

void TCustomPanel::SetBevelWidth(int Value) {
  Value = std::max(Value, 1);
  if (Value == FBevelWidth) return;
  FBevelWidth = Value;
  Changed3D();
}

void TCustomPanel::SetBorderWidth(int Value) {
  Value = std::max(Value, 0);
  if (Value == FBorderWidth) return;
  FBorderWidth = Value;
  Changed3D();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomPanel::CMTextChanged(TMessage& Message) {
  TCustomControl::CMTextChanged(Message);
  Invalidate();
}

void TCustomPanel::Paint() {
  TCanvas* C = Canvas();
  C->Save();
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Color());
  C->FillRect(ClientRect());
  TRect R = ClientRect();
  Bevel(C, R, FBevelOuter, FBevelWidth);
  R = TRect{R.Left + FBorderWidth, R.Top + FBorderWidth, R.Right - FBorderWidth, R.Bottom - FBorderWidth};
  Bevel(C, R, FBevelInner, FBevelWidth);
  const String Text = Caption();
  if (!Text.empty() && !R.IsEmpty()) {
    C->SetClipRect(R);
    C->SetFont(Font());
    C->Brush()->SetStyle(bsClear);
    const TSize Size = C->TextExtent(Text);
    int X = R.Left;
    if (FAlignment == taRightJustify) X = R.Right - Size.cx;
    if (FAlignment == taCenter) X = R.Left + (R.Width() - Size.cx) / 2;
    const int Y = R.Top + (R.Height() - Size.cy) / 2;
    if (!Enabled()) {
      C->Font()->SetColor(clWhite);
      C->TextOut(X + 1, Y + 1, Text);
      C->Font()->SetColor(EngravedGray);
    }
    C->TextOut(X, Y, Text);
  }
  C->Restore();
}

TPanel::TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}

}  // namespace orv
