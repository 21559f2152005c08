// TNumIO2: layout and painting. Everything is drawn into an off-screen
// bitmap of the control's size, which is then copied to the control in one
// operation, so the field never flickers through its drawing steps.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "framework/rtl/rtlmath.h"
#include "numio/numio2.h"

namespace orv {

namespace {

// Measured for the height of every text line: it reaches from the highest
// accent to the lowest descender of the fonts in use.
const String kSampleText = u"(8g]}\u00DC\u00C4\u00A7";
constexpr TColor kGray = 0x808080;
constexpr TColor kSilver = 0xC0C0C0;
constexpr TColor kWhite = 0xFFFFFF;

// Colour of the lines that follow (they are filled as runs of pixels).
void LineColour(TCanvas* C, TColor Colour) {
  C->Pen()->SetColor(Colour);
  C->Brush()->SetColor(Colour);
  C->Brush()->SetStyle(bsSolid);
}

// A line as LineTo draws it, from (X1, Y1) up to but not including
// (X2, Y2). Every line of the field is horizontal or vertical, so it is
// filled as one run instead of being stepped pixel by pixel.
void Line(TCanvas* C, int X1, int Y1, int X2, int Y2) {
  if (Y1 == Y2) {
    if (X1 != X2) C->FillRect(X2 > X1 ? TRect{X1, Y1, X2, Y1 + 1} : TRect{X2 + 1, Y1, X1 + 1, Y1 + 1});
  } else if (X1 == X2) {
    C->FillRect(Y2 > Y1 ? TRect{X1, Y1, X1 + 1, Y2} : TRect{X1, Y2 + 1, X1 + 1, Y1 + 1});
  } else {
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
  }
}

// Copies the whole of Src to (0, 0) of Dest, clipped to Dest's view: the
// rows go over as they are, both being 32-bit images of the same layout.
void CopyToCanvas(TCanvas* Dest, TBitmap* Src) {
  TBitmap* Target = Dest->Target();
  if (Target == nullptr) return;
  const TRect Clip = Dest->DeviceClip();
  const TPoint O = Dest->Origin();
  const int X0 = std::max(O.X, Clip.Left), X1 = std::min(O.X + Src->Width(), Clip.Right);
  const int Y0 = std::max(O.Y, Clip.Top), Y1 = std::min(O.Y + Src->Height(), Clip.Bottom);
  if (X0 >= X1 || Y0 >= Y1) return;
  const size_t Bytes = static_cast<size_t>(X1 - X0) * sizeof(uint32_t);
  for (int Y = Y0; Y < Y1; ++Y) std::memcpy(Target->ScanLine(Y) + X0, Src->ScanLine(Y - O.Y) + (X0 - O.X), Bytes);
}

void Polyline3(TCanvas* C, const TPoint (&P)[3]) {
  Line(C, P[0].X, P[0].Y, P[1].X, P[1].Y);
  Line(C, P[1].X, P[1].Y, P[2].X, P[2].Y);
}

}  // namespace

TCanvas* TNumIO2::MeasureCanvas() {
  TCanvas* C = FBitmap->Canvas();
  C->SetFont(Font());
  return C;
}

int TNumIO2::TextWidthOf(const String& S) { return S.empty() ? 0 : MeasureCanvas()->TextWidth(S); }

TNumIO2::TLayout TNumIO2::Layout() {
  TLayout L{};
  L.W = Width();
  L.H = Height();
  L.LS = FLeftSpace;
  L.TBW = FTextBoxWidth;
  L.G = FGaugeVisib ? FGaugeHeight + FGaugeTopMarg + 1 : 0;
  L.Th = MeasureCanvas()->TextHeight(kSampleText);
  L.Ty = (L.H - L.G - L.Th) / 2;
  L.B = FButVisible ? FButWidth + FButSpace : 0;
  L.S = L.H - L.G - 4;
  L.Bx = L.LS + L.TBW + FButSpace;
  return L;
}

int TNumIO2::CharPosToX(int N) {
  const int Tw = TextWidthOf(FInBuffer);
  const int W = TextWidthOf(FInBuffer.substr(0, static_cast<size_t>(std::clamp(N, 0, static_cast<int>(FInBuffer.size())))));
  switch (FAlignment) {
    case taLeftJustify: return W + FLeftSpace + 4;
    case taRightJustify: return W + FLeftSpace + FTextBoxWidth - Tw - 2;
    default: return W + FLeftSpace + (FTextBoxWidth - Tw) / 2 + 2;
  }
}

int TNumIO2::XToCharPos(int X) {
  const int Len = static_cast<int>(FInBuffer.size());
  if (Len == 0) return 0;
  const int Tw = TextWidthOf(FInBuffer);
  const int A = Tw / Len;  // average character width
  int C = 0;
  switch (FAlignment) {
    case taLeftJustify: C = X - FLeftSpace - 3; break;
    case taRightJustify: C = X + Tw - FLeftSpace - FTextBoxWidth + 3; break;
    default: C = X - FLeftSpace - (FTextBoxWidth - Tw) / 2 - 1; break;
  }
  C = std::clamp(C, 0, Tw);
  if (A == 0) return 0;
  // With narrow glyphs the average can overshoot the text; stay inside it.
  return std::min((C + A / 2) / A, Len);
}

void TNumIO2::Paint() {
  if (FPaintLock > 0) {
    FPaintPending = true;
    return;
  }
  FPaintPending = false;
  if (FSuppressPaint || !(Visible() || Designing())) return;
  if (FAutoSize) {
    const int H = MeasureCanvas()->TextHeight(u"E0") + 6;
    if (H != Height()) {
      FAutoSizing = true;
      SetBounds(Left(), Top(), Width(), H);
      FAutoSizing = false;
    }
  }
  const TLayout L = Layout();
  if (L.W <= 0 || L.H <= 0) return;
  if (FBitmap->Width() != L.W || FBitmap->Height() != L.H) FBitmap->SetSize(L.W, L.H);
  TCanvas* C = FBitmap->Canvas();
  C->SetFont(Font());
  C->SetCopyMode(cmSrcCopy);
  const bool En = Enabled();
  const double V = Value();
  const bool Warn = V < FMinimum || V > FMaximum;

  // Background.
  C->Pen()->SetColor(FColorOutBG);
  C->Brush()->SetColor(FColorOutBG);
  C->Brush()->SetStyle(bsSolid);
  C->Rectangle(0, 0, L.W, L.H);

  // Left caption.
  {
    const int Tw = TextWidthOf(FLeftText);
    int X = 7;
    if (FLTAlignment == taRightJustify) X = L.LS - Tw - 5;
    if (FLTAlignment == taCenter) X = (L.LS - Tw) / 2;
    PaintCaption(C, FLeftText, X, L.Ty, En);
  }

  if (FButVisible) PaintButtons(C, L, En);

  // Right caption.
  {
    const int Tw = TextWidthOf(FRightText);
    const int Start = L.LS + L.B + L.TBW;
    int X = Start + 7;
    if (FRTAlignment == taRightJustify) X = L.W - Tw - 6;
    if (FRTAlignment == taCenter) X = (L.W - (Start + Tw)) / 2 + Start + 1;
    C->Brush()->SetColor(FColorOutBG);
    PaintCaption(C, FRightText, X, L.Ty, En);
  }

  if (FGaugeVisib) PaintGauge(C, L, En, V);
  PaintBox(C, L, En, Warn);
  PaintValueText(C, L, En, Warn);

  CopyToCanvas(Canvas(), FBitmap.get());
}

void TNumIO2::PaintCaption(TCanvas* C, const String& S, int X, int Y, bool Enabled) {
  if (S.empty()) return;
  // The background already has the caption's brush colour, so the text is
  // drawn transparent: the same pixels without filling its cells again.
  C->Brush()->SetStyle(bsClear);
  if (Enabled) {
    C->Font()->SetColor(FColorOutText);
    C->TextOut(X, Y, S);
    C->Brush()->SetStyle(bsSolid);
    return;
  }
  // Engraved: a white copy one pixel down and right under the gray text.
  C->Font()->SetColor(kWhite);
  C->TextOut(X + 1, Y + 1, S);
  C->Font()->SetColor(kGray);
  C->TextOut(X, Y, S);
  C->Brush()->SetStyle(bsSolid);
}

void TNumIO2::PaintButtons(TCanvas* C, const TLayout& L, bool Enabled) {
  const int Hb = FButHeight / 2;
  const int Bw = FButWidth;
  const int Bx = L.Bx;
  C->Pen()->SetColor(kGray);
  C->Brush()->SetColor(FButColor);
  C->Brush()->SetStyle(bsSolid);
  C->Rectangle(Bx, 0, Bx + Bw + 1, 2 * Hb - 1);
  LineColour(C, kGray);
  Line(C, Bx, Hb - 1, Bx + Bw, Hb - 1);
  if (FBut3D) {
    LineColour(C, FColWhiteLine);
    Polyline3(C, {{Bx + 1, 2 * Hb - 3}, {Bx + 1, Hb}, {Bx + Bw, Hb}});
    Polyline3(C, {{Bx + 1, Hb - 2}, {Bx + 1, 1}, {Bx + Bw, 1}});
    LineColour(C, FColBlackLine);
    Polyline3(C, {{Bx + 1, 2 * Hb - 1}, {Bx + Bw + 1, 2 * Hb - 1}, {Bx + Bw + 1, 1}});
  }
  // Two small triangles of three lines each, pointing up and down.
  LineColour(C, Enabled ? FColBlackLine : kGray);
  const int Cx = Bx + Bw / 2;
  const int Cu = Hb / 2;
  const int D = Hb + Cu;
  for (int I = 0; I < 3; ++I) {
    Line(C, Cx - I, Cu - 1 + I, Cx + 2 + I, Cu - 1 + I);
    Line(C, Cx - I, D - I, Cx + 2 + I, D - I);
  }
}

void TNumIO2::Bevel(TCanvas* C, TFrameStyle Style, const TPoint (&TopLeft)[3], const TPoint (&BottomRight)[3]) {
  TColor Tl = 0, Br = 0;
  switch (Style) {
    case fsLowered: Tl = FColBlackLine; Br = FColWhiteLine; break;
    case fsRaised: Tl = FColWhiteLine; Br = FColBlackLine; break;
    case fsEmbossed: Tl = Br = FColGrayLine; break;
    case fsEngraved: Tl = Br = FColWhiteLine; break;
    default: return;
  }
  LineColour(C, Tl);
  Polyline3(C, TopLeft);
  LineColour(C, Br);
  Polyline3(C, BottomRight);
}

void TNumIO2::PaintGauge(TCanvas* C, const TLayout& L, bool Enabled, double V) {
  const int Gl = FGaugeLeftMarg;
  const int Gw = FGaugeWidth;
  const int Gh = FGaugeHeight;
  const int Top = L.H - Gh - 1;
  C->Pen()->SetColor(FGaugeFrameSt != fsNone ? FGaugeColorFrm : FGaugeColorBg);
  C->Brush()->SetColor(FGaugeColorBg);
  C->Brush()->SetStyle(bsSolid);
  C->Rectangle(Gl, Top, Gl + Gw, L.H - 1);

  double F = 1;
  if (FMaximum != FMinimum) F = (V - FMinimum) / (FMaximum - FMinimum);
  if (!(F >= 0)) F = 0;  // also catches NaN
  F = std::min(F, 1.0);
  const TColor Bar = Enabled ? FGaugeColor : kGray;
  C->Pen()->SetColor(Bar);
  C->Brush()->SetColor(Bar);
  C->Rectangle(Gl, Top, Gl + static_cast<int>(Round(Gw * F)), L.H - 1);

  TColor Frame = FColGrayLine;
  if (FGaugeFrameSt == fsSimple) Frame = FGaugeColorFrm;
  if (FGaugeFrameSt == fsEmbossed) Frame = FColWhiteLine;
  if (FGaugeFrameSt == fsNone) Frame = FGaugeColorBg;
  C->Pen()->SetColor(Frame);
  C->Brush()->SetStyle(bsClear);
  C->Rectangle(Gl, Top, Gl + Gw, L.H - 1);
  C->Brush()->SetStyle(bsSolid);
  Bevel(C, FGaugeFrameSt, {{Gl + 1, L.H - 3}, {Gl + 1, L.H - Gh}, {Gl + Gw - 1, L.H - Gh}},
        {{Gl + 1, L.H - 1}, {Gl + Gw, L.H - 1}, {Gl + Gw, L.H - Gh - 1}});
}

void TNumIO2::PaintBox(TCanvas* C, const TLayout& L, bool Enabled, bool Warn) {
  TColor Pen = FColGrayLine;
  if (FFrameStyle == fsNone) Pen = Enabled ? FColorBoxBG : kSilver;
  if (FFrameStyle == fsEmbossed) Pen = FColWhiteLine;
  TColor Brush = Warn ? FColorWarnBG : FColorBoxBG;
  if (Warn && FFrameStyle == fsNone && Enabled) Pen = FColorWarnBG;
  if (!Enabled) Brush = kSilver;
  C->Pen()->SetColor(Pen);
  C->Brush()->SetColor(Brush);
  C->Brush()->SetStyle(bsSolid);
  const int Right = L.LS + L.TBW + 2;
  if (FFrameStyle == fsNone || FFrameStyle == fsSimple) {
    C->Rectangle(L.LS, 0, Right, L.H - L.G);
    return;
  }
  C->Rectangle(L.LS, 0, Right, L.H - L.G - 1);
  Bevel(C, FFrameStyle, {{L.LS + 1, L.S + 1}, {L.LS + 1, 1}, {L.LS + L.TBW + 1, 1}},
        {{L.LS + 1, L.S + 3}, {Right, L.S + 3}, {Right, 0}});
}

void TNumIO2::PaintValueText(TCanvas* C, const TLayout& L, bool Enabled, bool Warn) {
  const int Tw = TextWidthOf(FInBuffer);
  const int Cw = TextWidthOf(FInBuffer.substr(0, static_cast<size_t>(std::clamp(FCaretPos, 0, static_cast<int>(FInBuffer.size())))));
  int X = 0, K = 0;
  switch (FAlignment) {
    case taLeftJustify: X = L.LS + 4; K = Cw + 3; break;
    case taRightJustify: X = L.LS + L.TBW - Tw - 2; K = L.TBW + Cw - Tw - 3; break;
    default: X = L.LS + (L.TBW - Tw) / 2 + 2; K = Cw + (L.TBW - Tw) / 2 + 1; break;
  }
  TColor Text = Warn ? FColorWarnTxt : FColorBoxText;
  if (!Enabled) Text = kGray;
  C->Font()->SetColor(Text);
  // The clip area lies inside the box, which is filled already.
  C->Brush()->SetStyle(bsClear);
  C->TextRect(TRect{L.LS + 3, 2, L.LS + L.TBW - 1, L.S + 1}, X, L.Ty, FInBuffer);
  C->Brush()->SetStyle(bsSolid);

  const int Bottom = L.H - L.G - 3;
  if (K > 0 && K < L.TBW && FCaretVisib) {
    LineColour(C, 0x000000);
    Line(C, L.LS + K, 3, L.LS + K, Bottom);
  }
  if (FSelBegin < FSelEnd && (Focused() || !FHideSel)) {
    const int X1 = std::clamp(CharPosToX(FSelBegin), L.LS, L.LS + L.TBW);
    const int X2 = std::clamp(CharPosToX(FSelEnd), L.LS, L.LS + L.TBW);
    const TRect R{X1, 3, X2, Bottom};
    C->SetCopyMode(cmDstInvert);
    C->CopyRect(R, C, R);
    C->SetCopyMode(cmSrcCopy);
  }
}

}  // namespace orv
