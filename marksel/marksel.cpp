// TMarkSel: grid layout, painting, highlight and selection.

#include "marksel/marksel.h"

#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"

namespace orv {

namespace {

constexpr int kLastMark = kMarkCount - 1;

}  // namespace

TMarkSel::TMarkSel(TComponent* AOwner) : TGraphicControl(AOwner), FColorBG(clBtnFace) {
  FControlStyle.Include(csOpaque);
  SetBounds(Left(), Top(), 236, 178);
  FMarkVis.fill(true);
  LayOut();
}

TMarkSel::~TMarkSel() = default;

// --- Properties --------------------------------------------------------------

#define ORV_MARKSEL_COLOR_SETTER(Name, Field) \
  void TMarkSel::Set##Name(TColor Value) {    \
    if (Field == Value) return;               \
    Field = Value;                            \
    Paint();                                  \
  }

ORV_MARKSEL_COLOR_SETTER(ColorBackGnd, FColorBG)
ORV_MARKSEL_COLOR_SETTER(ColorMarks, FColorFG)
ORV_MARKSEL_COLOR_SETTER(ColorSelBG, FColorSelBG)
ORV_MARKSEL_COLOR_SETTER(ColorSelFG, FColorSelFG)
ORV_MARKSEL_COLOR_SETTER(ColorHiLiteBG, FColorHiLite)
ORV_MARKSEL_COLOR_SETTER(ColorHiLiteSymbol, FColorHiSymb)

#undef ORV_MARKSEL_COLOR_SETTER

void TMarkSel::SetNrOfColumns(int Value) {
  if (Value == FNrCols || Value < 1 || Value > kLastMark) return;
  FNrCols = Value;
  Paint();
}

void TMarkSel::SetNrOfRows(int Value) {
  if (Value == FNrRows || Value < 1 || Value > kLastMark) return;
  FNrRows = Value;
  Paint();
}

void TMarkSel::SetSelected(int Value) {
  if (Value == FSelected || Value < -1 || Value > kLastMark) return;
  FSelected = Value;
  Paint();
}

void TMarkSel::SetFrameStyle(TFrameStyle Value) {
  if (Value == FFrameStyle) return;
  FFrameStyle = Value;
  Paint();
}

void TMarkSel::SetShowZeroAsCross(bool Value) {
  FZeroAsCross = Value;
  Invalidate();
}

void TMarkSel::SetEnabled(bool Value) {
  TGraphicControl::SetEnabled(Value);
  Invalidate();
}

bool TMarkSel::GetVis(int Index) const {
  if (Index < 0 || Index > kLastMark) Index = 0;
  return FMarkVis[static_cast<size_t>(Index)];
}

void TMarkSel::SetVis(int Index, bool Visible) {
  if (Index < 1 || Index > kLastMark) return;
  FMarkVis[static_cast<size_t>(Index)] = Visible;
  Paint();
}

void TMarkSel::ShowAllMarks() {
  FMarkVis.fill(true);
  Paint();
}

void TMarkSel::HideAllMarks() {
  FMarkVis.fill(false);
  FMarkVis[0] = true;
  Paint();
}

// --- Layout ------------------------------------------------------------------

void TMarkSel::LayOut() {
  FMarkDistHorz = (Width() - 4) / FNrCols;
  FMarkDistVert = (Height() - 4) / FNrRows;
  FMarkMarginHorz = FMarkDistHorz / 2;
  FMarkMarginVert = FMarkDistVert / 2;
  int K = 0;
  for (int I = 0; I < kMarkCount; ++I) {
    if (!FMarkVis[static_cast<size_t>(I)]) {
      FMarkCoords[static_cast<size_t>(I)] = TPoint{0, 0};
      continue;
    }
    FMarkCoords[static_cast<size_t>(I)] =
        TPoint{FMarkMarginHorz + (K % FNrCols) * FMarkDistHorz, FMarkMarginVert + (K / FNrCols) * FMarkDistVert};
    ++K;
  }
}

TPoint TMarkSel::MarkCoord(int Index) const {
  if (Index < 0 || Index > kLastMark) return TPoint{0, 0};
  return FMarkCoords[static_cast<size_t>(Index)];
}

int TMarkSel::NearestMark(int X, int Y) const {
  double Best = 1e10;
  int Mark = 0;
  for (int I = 0; I < kMarkCount; ++I) {
    if (!FMarkVis[static_cast<size_t>(I)]) continue;
    const TPoint P = FMarkCoords[static_cast<size_t>(I)];
    const double DX = X - P.X, DY = Y - P.Y;
    if (const double D = DX * DX + DY * DY; D < Best) {
      Best = D;
      Mark = I;
    }
  }
  return Mark;
}

// --- Painting ----------------------------------------------------------------

void TMarkSel::DrawSymbol(TCanvas* C, int Index) {
  const TPoint P = FMarkCoords[static_cast<size_t>(Index)];
  if (Index == 0 && FZeroAsCross) {
    // Symbol 0 always holds the first cell.
    C->MoveTo(4, 4);
    C->LineTo(FMarkDistHorz + 1, FMarkDistVert + 1);
    C->MoveTo(4, FMarkDistVert);
    C->LineTo(FMarkDistHorz + 1, 3);
  } else {
    DrawMarkOnCanvas(C, Index, P.X + 2, P.Y + 2);
  }
}

// Drawn straight onto the control's canvas: the form surface is already an
// off-screen picture that the backend presents whole.
void TMarkSel::Paint() {
  if (!Visible() && !ComponentState().Contains(csDesigning)) return;
  TCanvas* C = Canvas();
  const int W = Width(), H = Height();
  if (C->Target() == nullptr || W <= 0 || H <= 0) return;  // nowhere to draw
  LayOut();
  const bool On = Enabled();
  const TColor Fore = On ? FColorFG : clGray, SelFore = On ? FColorSelFG : clGray;
  const TColor Back = On ? FColorBG : clSilver, SelBack = On ? FColorSelBG : 0xDEDEDE;
  {
    TCanvasStateSaver Saver(C);
    C->SetCopyMode(cmSrcCopy);
    C->Pen()->SetColor(Back);
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetMode(pmCopy);
    C->Pen()->SetWidth(1);
    C->Brush()->SetColor(Back);
    C->Brush()->SetStyle(bsSolid);
    C->Rectangle(0, 0, W, H);
    const int HalfH = FMarkDistHorz / 2, HalfV = FMarkDistVert / 2;
    for (int I = 0; I < kMarkCount; ++I) {
      if (!FMarkVis[static_cast<size_t>(I)]) continue;
      const TPoint P = FMarkCoords[static_cast<size_t>(I)];
      if (I == FSelected) {
        C->Pen()->SetColor(SelFore);
        C->Brush()->SetColor(SelBack);
        C->Rectangle(P.X + 3 - HalfH, P.Y + 3 - HalfV, P.X + 3 + HalfH, P.Y + 3 + HalfV);
      } else {
        C->Pen()->SetColor(Fore);
        C->Brush()->SetColor(Back);
      }
      DrawSymbol(C, I);
    }
    DrawFrame(C, FFrameStyle, 0, 0, W - 1, H - 1, clWhite, clSilver, clGray, clBlack, Fore);
  }
  if (TNotifyEvent Handler = FOnPaint) Handler(this);
}

void TMarkSel::HiLite(int Index) {
  TCanvas* C = Canvas();
  if (C->Target() == nullptr) {
    FLastHiLite = Index;
    return;
  }
  TCanvasStateSaver Saver(C);
  C->SetCopyMode(cmSrcCopy);
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetMode(pmCopy);
  C->Pen()->SetWidth(1);
  C->Brush()->SetStyle(bsSolid);
  const int HalfH = FMarkDistHorz / 2, HalfV = FMarkDistVert / 2;
  const int Old = FLastHiLite;
  if (Old >= 0 && Old <= kLastMark && FMarkVis[static_cast<size_t>(Old)]) {
    const TPoint P = FMarkCoords[static_cast<size_t>(Old)];
    const bool Sel = Old == FSelected;
    C->Pen()->SetColor(Sel ? FColorSelFG : FColorBG);
    C->Brush()->SetColor(Sel ? FColorSelBG : FColorBG);
    C->Rectangle(P.X + 3 - HalfH, P.Y + 3 - HalfV, P.X + 3 + HalfH, P.Y + 3 + HalfV);
    C->Pen()->SetColor(Sel ? FColorSelFG : FColorFG);
    DrawSymbol(C, Old);
  }
  const TPoint P = FMarkCoords[static_cast<size_t>(Index)];
  C->Pen()->SetColor(FColorHiLite);
  C->Brush()->SetColor(FColorHiLite);
  C->Rectangle(P.X + 4 - HalfH, P.Y + 4 - HalfV, P.X + 2 + HalfH, P.Y + 2 + HalfV);
  C->Pen()->SetColor(FColorHiSymb);
  DrawSymbol(C, Index);
  FLastHiLite = Index;
}

// --- Mouse -------------------------------------------------------------------

void TMarkSel::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  LayOut();
  const int Mark = NearestMark(X, Y);
  if (Mark != FLastHiLite) HiLite(Mark);
}

void TMarkSel::PickAt(int X, int Y, const TMarkClickEvent& Event) {
  // (-1, -1) stands for a release that was no click on the control.
  if (X == -1 && Y == -1) return;
  LayOut();
  const int Mark = NearestMark(X, Y);
  FSelected = Mark;
  if (Event) Event(this, X, Y, Mark);
  Paint();
  // The repaint covered the old highlight; draw it afresh on the choice.
  FLastHiLite = -1;
  HiLite(Mark);
}

void TMarkSel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft) PickAt(X, Y, TMarkClickEvent(FOnMarkClick));
}

void TMarkSel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && Shift.Contains(ssDouble)) PickAt(X, Y, TMarkClickEvent(FOnMarkDblClick));
}

}  // namespace orv
