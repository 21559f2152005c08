#include "framework/controls/dropdownface.h"

#include "framework/graphics/colors.h"

namespace orv {

void PaintDropDownFace(TCanvas* C, const TRect& B, bool Dropped, bool Enabled, int W, int H) {
  // The drop button: a raised face with a small down arrow.
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(clBtnFace);
  C->FillRect(B);
  C->Pen()->SetColor(Dropped ? clBtnShadow : clBtnHighlight);
  C->MoveTo(B.Left, B.Bottom - 1); C->LineTo(B.Left, B.Top); C->LineTo(B.Right, B.Top);
  C->Pen()->SetColor(Dropped ? clBtnHighlight : clBtnShadow);
  C->MoveTo(B.Right - 1, B.Top + 1); C->LineTo(B.Right - 1, B.Bottom - 1); C->LineTo(B.Left, B.Bottom - 1);
  const int AX = (B.Left + B.Right) / 2, AY = (B.Top + B.Bottom) / 2 - 1;
  C->Pen()->SetColor(Enabled ? clBlack : clGrayText);
  for (int I = 0; I < 4; ++I) {
    C->MoveTo(AX - 3 + I, AY + I);
    C->LineTo(AX + 4 - I, AY + I);
  }
  // The sunken edge around the whole box.
  C->Pen()->SetColor(clBtnShadow);
  C->MoveTo(0, H - 1); C->LineTo(0, 0); C->LineTo(W - 1, 0);
  C->Pen()->SetColor(clBtnHighlight);
  C->LineTo(W - 1, H - 1); C->LineTo(-1, H - 1);
  C->Pen()->SetColor(cl3DDkShadow);
  C->MoveTo(1, H - 2); C->LineTo(1, 1); C->LineTo(W - 2, 1);
  C->Pen()->SetColor(cl3DLight);
  C->LineTo(W - 2, H - 2); C->LineTo(0, H - 2);
}

}  // namespace orv
