#include "rotlab/rotlab.h"

#include <cmath>
#include <numbers>

#include "foundation/drawing.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/rtlmath.h"

namespace orv {

TRotLab::TRotLab(TComponent* AOwner) : TCustomLabel(AOwner) {
  // The text is drawn around the anchor, so the label keeps the size it is
  // given instead of fitting its caption.
  SetAutoSize(false);
  TCustomLabel::SetTransparent(FTransparent);
  TControl::SetColor(FBgColor);
  Font()->SetName(u"Arial");
  Font()->SetSize(11);
  SetBounds(Left(), Top(), 200, 200);
  Recenter();
  SetOnResize([this](TObject*) {
    if (Parent() && FAutoCenter) {
      Recenter();
      Refresh();
    }
  });
}

void TRotLab::Refresh() {
  if (FTransparent) {
    Invalidate();
  } else {
    Paint();
  }
}

void TRotLab::Recenter() {
  FTextPosX = Width() / 2;
  FTextPosY = Height() / 2;
}

void TRotLab::SetTextAngle(int Value) {
  if (Value == FTextAngle) return;
  FTextAngle = Value;
  Refresh();
}

void TRotLab::SetPosX(int Value) {
  if (Value == FTextPosX) return;
  if (FAutoCenter) {
    Recenter();
  } else {
    FTextPosX = Value;
  }
  Refresh();
}

void TRotLab::SetPosY(int Value) {
  if (Value == FTextPosY) return;
  if (FAutoCenter) {
    Recenter();
  } else {
    FTextPosY = Value;
  }
  Refresh();
}

void TRotLab::SetAutoCenter(bool Value) {
  if (Value == FAutoCenter) return;
  FAutoCenter = Value;
  if (FAutoCenter) Recenter();
  Refresh();
}

void TRotLab::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Refresh();
}

void TRotLab::SetAntiAlias(bool Value) {
  if (Value == FAntiAlias) return;
  FAntiAlias = Value;
  Refresh();
}

void TRotLab::SetFrameStyle(TFrameStyle Value) {
  if (Value == FFrameStyle) return;
  FFrameStyle = Value;
  Refresh();
}

void TRotLab::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  TCustomLabel::SetTransparent(Value);
  Refresh();
}

void TRotLab::SetColor(TColor Value) {
  if (Value == FBgColor) return;
  FBgColor = Value;
  TControl::SetColor(Value);
  Refresh();
}

void TRotLab::SelectRotatedFont(TCanvas* C) {
  C->SetFont(Font());
  C->Font()->SetEscapement(FTextAngle * 10);
  C->Font()->SetOrientation(FTextAngle * 10);
  // The framework's default quality is already smoothed, so a label that
  // does not ask for smoothing gets plain two-colour glyphs.
  C->Font()->SetQuality(FAntiAlias ? fqAntialiased : fqNonAntialiased);
  C->Brush()->SetStyle(bsClear);
}

TPoint TRotLab::TextOrigin() {
  TCanvas* C = Canvas();
  C->Save();
  SelectRotatedFont(C);
  const String Text = Caption();
  const int M = C->TextWidth(Text) / 2;
  const int H2 = C->TextHeight(Text) / 2;
  C->Restore();
  const double Theta = FTextAngle * std::numbers::pi / 180.0;
  const double S = std::sin(Theta);
  const double Co = std::cos(Theta);
  // The anchor is the middle of the left end, the centre, or the middle of
  // the right end of the text: 0, m or 2m along the baseline direction.
  const int Along = FAlignment == taLeftJustify ? 0 : FAlignment == taCenter ? M : 2 * M;
  return TPoint{FTextPosX + static_cast<int>(Round(-Along * Co - H2 * S)),
                FTextPosY + static_cast<int>(Round(Along * S - H2 * Co))};
}

void TRotLab::Paint() {
  if (!Visible()) return;
  TCanvas* C = Canvas();
  const TPoint At = TextOrigin();
  C->Save();
  if (!FTransparent) {
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(FBgColor);
    C->FillRect(ClientRect());
  }
  SelectRotatedFont(C);
  const String Text = Caption();
  if (Enabled()) {
    C->TextOut(At.X, At.Y, Text);
  } else {
    C->Font()->SetColor(clBtnHighlight);
    C->TextOut(At.X + 1, At.Y + 1, Text);
    C->Font()->SetColor(clBtnShadow);
    C->TextOut(At.X, At.Y, Text);
  }
  DrawFrame(C, FFrameStyle, 0, 0, Width() - 1, Height() - 1, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x000000, 0x000000);
  C->Restore();
}

void TRotLab::Assign(TPersistent* Source) {
  if (auto* Other = dynamic_cast<TRotLab*>(Source)) {
    FAutoCenter = Other->FAutoCenter;
    FFrameStyle = Other->FFrameStyle;
    FTextAngle = Other->FTextAngle;
    FTextPosX = Other->FTextPosX;
    FTextPosY = Other->FTextPosY;
    FAntiAlias = Other->FAntiAlias;
    Invalidate();
    return;
  }
  TCustomLabel::Assign(Source);
}

void TRotLab::AssignTo(TPersistent* Dest) {
  // Another rotated label takes the copy itself.
  if (auto* Other = dynamic_cast<TRotLab*>(Dest)) {
    Other->Assign(this);
    return;
  }
  TCustomLabel::AssignTo(Dest);
}

}  // namespace orv
