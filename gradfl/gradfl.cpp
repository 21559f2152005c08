#include "gradfl/gradfl.h"

#include "framework/graphics/canvas.h"

namespace orv {

TGradFill::TGradFill(TComponent* AOwner) : TGraphicControl(AOwner) {
  // Every pixel is painted, so nothing behind the control needs drawing.
  TControlStyle Style = ControlStyle();
  Style.Include(csOpaque);
  SetControlStyle(Style);
  SetBounds(Left(), Top(), 121, 121);
}

TGradFill::~TGradFill() = default;

void TGradFill::SetNrColors(int Value) {
  Value = EnsureBandCount(Value);
  if (Value == FNrColors) return;
  FNrColors = Value;
  Invalidate();
}

void TGradFill::SetFillType(TGradType Value) {
  if (Value == FGradType) return;
  FGradType = Value;
  Invalidate();
}

void TGradFill::SetColorFirst(TColor Value) {
  if (Value == FColorFirst) return;
  FColorFirst = Value;
  // While flipped the colour shown first is the one set as last.
  (FColorsFlipped ? FColLastOrg : FColFirstOrg) = Value;
  Invalidate();
}

void TGradFill::SetColorLast(TColor Value) {
  if (Value == FColorLast) return;
  FColorLast = Value;
  (FColorsFlipped ? FColFirstOrg : FColLastOrg) = Value;
  Invalidate();
}

void TGradFill::SetColorFlipped(bool Value) {
  if (Value == FColorsFlipped) return;
  FColorsFlipped = Value;
  ApplyFlip();
  Invalidate();
}

void TGradFill::ApplyFlip() {
  FColorFirst = FColorsFlipped ? FColLastOrg : FColFirstOrg;
  FColorLast = FColorsFlipped ? FColFirstOrg : FColLastOrg;
}

void TGradFill::SetFrameStyle(TFrameStyle Value) {
  if (Value == FFrameStyle) return;
  FFrameStyle = Value;
  Invalidate();
}

void TGradFill::SetGridMode(TGridMode Value) {
  if (Value == FGridMode) return;
  FGridMode = Value;
  Invalidate();
}

void TGradFill::SetGridColor(TColor Value) {
  if (Value == FGridColor) return;
  FGridColor = Value;
  Invalidate();
}

TGradLook TGradFill::Look() const {
  TGradLook L;
  L.GradType = FGradType;
  L.NrColors = FNrColors;
  L.ColorFirst = FColorFirst;
  L.ColorLast = FColorLast;
  L.FrameStyle = FFrameStyle;
  L.GridMode = FGridMode;
  L.GridColor = FGridColor;
  return L;
}

void TGradFill::DrawGradient(TBitmap*& Bmp) {
  if (Bmp == nullptr) Bmp = new TBitmap();
  const int W = Width() > 0 ? Width() : 0;
  const int H = Height() > 0 ? Height() : 0;
  if (Bmp->Width() != W || Bmp->Height() != H) Bmp->SetSize(W, H);
  PaintGradient(Bmp->Canvas(), W, H, Look());
  Bmp->Modified();
}

void TGradFill::Paint() {
  if (!FBuffer) FBuffer = std::make_unique<TBitmap>();
  TBitmap* Bmp = FBuffer.get();
  DrawGradient(Bmp);
  CopyPicture(Canvas(), 0, 0, Bmp);
  if (FOnPaint) FOnPaint(this);
}

void TGradFill::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TGradFill*>(Source);
  if (Other == nullptr) {
    TGraphicControl::Assign(Source);
    return;
  }
  if (Other == this) return;
  FNrColors = Other->FNrColors;
  FGradType = Other->FGradType;
  FColFirstOrg = Other->FColFirstOrg;
  FColLastOrg = Other->FColLastOrg;
  FColorsFlipped = Other->FColorsFlipped;
  ApplyFlip();
  FFrameStyle = Other->FFrameStyle;
  FGridMode = Other->FGridMode;
  FGridColor = Other->FGridColor;
  FOnPaint = Other->FOnPaint;
  Invalidate();
}

}  // namespace orv
