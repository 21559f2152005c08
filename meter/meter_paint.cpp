// TMeter painting: the static face (background, bands, scale, caption), then
// needles, cover, anchor, lamps and frame on an off-screen bitmap that is
// copied to the control in one block.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/rtlmath.h"
#include "meter/arcshape.h"
#include "meter/meter.h"

namespace orv {

namespace {

constexpr double kDegToRad = std::numbers::pi / 180;

// Nearest integer, halves to even (the rounding mode in force), for the
// pixel coordinates of the drawing, which are always finite and small.
int RoundInt(double X) { return static_cast<int>(std::nearbyint(X)); }

void SetPenAndBrush(TCanvas* C, TColor Color) {
  C->Pen()->SetColor(Color);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Color);
}

void Line(TCanvas* C, int X1, int Y1, int X2, int Y2) {
  C->MoveTo(X1, Y1);
  C->LineTo(X2, Y2);
}

// A path of LineTo steps from Points[0]; the last point is left out, as
// LineTo does.
void Path(TCanvas* C, std::initializer_list<TPoint> Points) {
  const TPoint* P = Points.begin();
  C->MoveTo(P->X, P->Y);
  for (++P; P != Points.end(); ++P) C->LineTo(P->X, P->Y);
}

}  // namespace

void TMeter::Paint() {
  if (!Visible() && !ComponentState().Contains(csDesigning)) return;
  TCanvas* Screen = Canvas();
  const int W = Width(), H = Height();
  if (Screen->Target() == nullptr || W <= 0 || H <= 0) return;
  if (FMeterRadius <= 0) return;  // no room for a scale: nothing is drawn

  if (FOffscreen->Width() != W || FOffscreen->Height() != H) FOffscreen->SetSize(W, H);
  TCanvas* C = FOffscreen->Canvas();
  C->ResetClipRect();
  C->SetCopyMode(cmSrcCopy);
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetWidth(1);
  C->Pen()->SetMode(pmCopy);

  // The static part comes from the copy kept at its last drawing unless
  // something it shows changed; a label handler may draw differently on
  // every paint, so with one assigned it is always drawn. Without handlers
  // the off-screen picture differs from the face only where the needles
  // were, so only that area is put back.
  const bool Keep = !FOnBeforeDrawScaleLabel;
  const bool Quiet = Keep && !FOnBeforeDrawNeedle && !FOnMeterRendered;
  const size_t Pixels = static_cast<size_t>(W) * H;
  if (Keep && FFaceValid && FFace->Width() == W && FFace->Height() == H) {
    if (Quiet && FOffscreenClean && FSpritesValid && FSpritesWidth == W && FSpritesHeight == H) {
      const TRect A = IntersectRect(FNeedleArea, TRect{0, 0, W, H});
      for (int Y = A.Top; Y < A.Bottom; ++Y)
        std::memcpy(FOffscreen->ScanLine(Y) + A.Left, FFace->ScanLine(Y) + A.Left,
                    static_cast<size_t>(A.Right - A.Left) * sizeof(uint32_t));
    } else {
      std::memcpy(FOffscreen->Bits(), FFace->Bits(), Pixels * sizeof(uint32_t));
    }
  } else {
    PaintFace(C);
    if (Keep) {
      if (FFace->Width() != W || FFace->Height() != H) FFace->SetSize(W, H);
      std::memcpy(FFace->Bits(), FOffscreen->Bits(), Pixels * sizeof(uint32_t));
      FFaceValid = true;
    }
  }
  FNeedleArea = TRect{};
  FOffscreenClean = false;  // until this frame is complete
  // The state the face leaves behind, whether drawn or copied.
  C->SetFont(FFontCaption.get());
  C->Brush()->SetStyle(bsClear);
  C->Pen()->SetColor(FColorScale);

  // Needles: the secondary one under the primary, which a handler may draw
  // itself.
  if (FNeedle2Layout->Visible()) PaintNeedle(C, FValue2, FNeedle2Layout.get());
  bool NeedleDrawn = false;
  if (FOnBeforeDrawNeedle) FOnBeforeDrawNeedle(this, C, NeedleDrawn);
  if (!NeedleDrawn) PaintNeedle(C, FValue, FNeedleLayout.get());

  // A handler that resized the meter leaves this picture to the repaint the
  // new size brings.
  if (Width() != W || Height() != H) return;
  if (!FSpritesValid || FSpritesWidth != W || FSpritesHeight != H) BuildSprites();
  FOverlay.Apply(FOffscreen->Bits());
  PaintLamps(C);
  if (FOnMeterRendered) {
    FOnMeterRendered(this, C);
    if (Width() != W || Height() != H || !FSpritesValid) return;
  }
  FFrameRuns.Apply(FOffscreen->Bits());
  FOffscreenClean = Quiet;

  CopyToScreen(Screen);
}

void TMeter::CopyToScreen(TCanvas* Screen) {
  // What CopyRect with the source-copy mode does, as one row copy per row:
  // the control's canvas is a view (origin and clip) onto a bitmap.
  TBitmap* Target = Screen->Target();
  const TPoint O = Screen->Origin();
  const TRect Dest = IntersectRect(IntersectRect(TRect{O.X, O.Y, O.X + Width(), O.Y + Height()}, Screen->DeviceClip()),
                                   TRect{0, 0, Target->Width(), Target->Height()});
  if (Dest.Left >= Dest.Right) return;
  const size_t Bytes = static_cast<size_t>(Dest.Right - Dest.Left) * sizeof(uint32_t);
  for (int Y = Dest.Top; Y < Dest.Bottom; ++Y)
    std::memcpy(Target->ScanLine(Y) + Dest.Left, FOffscreen->ScanLine(Y - O.Y) + (Dest.Left - O.X), Bytes);
}

// --- Face ------------------------------------------------------------------------

void TMeter::PaintFace(TCanvas* C) {
  PaintBackground(C);
  if (FScaleBkVis) PaintBands(C);
  C->Brush()->SetStyle(bsClear);
  if (FScaleVis) PaintScale(C);

  // The caption sits a third of the radius above the pivot, whatever the
  // scale shows.
  C->SetFont(FFontCaption.get());
  C->Brush()->SetStyle(bsClear);
  if (!FCaption.empty()) {
    const TSize Ext = C->TextExtent(FCaption);
    C->TextOut(FMeterCenterX - Ext.cx / 2, FMeterCenterY - RoundInt(FMeterRadius / 3) - Ext.cy / 2, FCaption);
  }
}

void TMeter::PaintBackground(TCanvas* C) {
  const int W = Width(), H = Height();
  if (FBakGndFName.empty()) {
    C->SetFont(Font());
    SetPenAndBrush(C, FColorBakG);
    C->Rectangle(0, 0, W, H);
    return;
  }
  TBitmap* Img = AuxBGBmp.get();
  switch (FBGFillMode) {
    case bfStretch:
      C->StretchDraw(TRect{0, 0, W, H}, Img);
      break;
    case bfTile: {
      const int IW = Img->Width(), IH = Img->Height();
      if (IW <= 0 || IH <= 0) break;
      const int NX = (W - 1) / IW + 1, NY = (H - 1) / IH + 1;
      for (int J = 0; J < NY; ++J)
        for (int I = 0; I < NX; ++I) C->Draw(IW * I, IH * J, Img);
      break;
    }
    default:
      C->Brush()->SetStyle(bsSolid);
      C->Brush()->SetColor(clWhite);
      C->FillRect(TRect{0, 0, W, H});
      C->Draw(0, 0, Img);
      break;
  }
}

void TMeter::PaintBands(TCanvas* C) {
  const double R = FMeterRadius;
  const int CX = FMeterCenterX, CY = FMeterCenterY;
  const int Ro = RoundInt(R + 4);
  const int Ri = RoundInt((100 - FScaleBakWidth) * R / 100);
  const TMeterScale S = Scale();
  const double PhiMin = 90 + FMeterAngle / 2.0, PhiMax = 90 - FMeterAngle / 2.0;
  const double PhiLow = S.Phi(FLowThreshold), PhiHigh = S.Phi(FHighThreshold);

  // The wedges, hollowed out by the disc: the disc's pixels keep the
  // background, which is what painting it in ColorBakG gives over a plain
  // background, and over an image shows the image instead of covering it.
  auto Ray = [&](double Phi) {
    const double Rad = Phi * kDegToRad;
    return TPoint{CX + RoundInt(R * std::cos(Rad)), CY - RoundInt(R * std::sin(Rad))};
  };
  auto Apart = [](double A, double B) { return std::fabs(A - B) * kDegToRad > 1e-6; };
  const TRect OuterBox{CX - Ro, CY - Ro, CX + Ro + 1, CY + Ro}, InnerBox{CX - Ri, CY - Ri, CX + Ri + 1, CY + Ri};
  if (!FRingOuter.Of(OuterBox)) FRingOuter = TEllipseRows(OuterBox.Left, OuterBox.Top, OuterBox.Right, OuterBox.Bottom);
  if (!FRingInner.Of(InnerBox)) FRingInner = TEllipseRows(InnerBox.Left, InnerBox.Top, InnerBox.Right, InnerBox.Bottom);
  FillRingSectors(FOffscreen.get(), C->ClipRect(), CX, CY, FRingOuter, FRingInner,
                  {{Apart(PhiLow, PhiMin), Ray(PhiLow), Ray(PhiMin), FColorBakGLow},
                   {Apart(PhiHigh, PhiLow), Ray(PhiHigh), Ray(PhiLow), FColorBakGNorm},
                   {Apart(PhiMax, PhiHigh), Ray(PhiMax), Ray(PhiHigh), FColorBakGHigh}});
}

void TMeter::PaintScale(TCanvas* C) {
  const double R = FMeterRadius;
  const int CX = FMeterCenterX, CY = FMeterCenterY;
  const TMeterScale S = Scale();
  C->Pen()->SetColor(FColorScale);

  if (FScaleLine) {
    const int Ri = RoundInt(R);
    const double From = (90 - FMeterAngle / 2.0) * kDegToRad, To = (90 + FMeterAngle / 2.0) * kDegToRad;
    DrawArcOutline(FOffscreen.get(), C->ClipRect(), CX - Ri, CY - Ri, CX + Ri + 1, CY + Ri,
                   CX + RoundInt(Ri * std::cos(From)), CY - RoundInt(Ri * std::sin(From)),
                   CX + RoundInt(Ri * std::cos(To)), CY - RoundInt(Ri * std::sin(To)), FColorScale);
  }
  // A radial tick from the arc inwards to R - Inner.
  auto Tick = [&](double Phi, double Inner) {
    const double Rad = Phi * kDegToRad, Cs = std::cos(Rad), Sn = std::sin(Rad);
    Line(C, RoundInt(CX + R * Cs), RoundInt(CY - R * Sn), RoundInt(CX + (R - Inner) * Cs),
         RoundInt(CY - (R - Inner) * Sn));
  };

  const TMeterTicks Ticks = MeterTicks(S, FNrTicks, FShortTicks);
  for (double V : Ticks.Minor) Tick(S.Phi(V), 4);

  // Label centres lie on an ellipse inside the ticks whose semi-axes leave
  // room for the widest label, the maximum's.
  C->SetFont(Font());
  C->Brush()->SetStyle(bsClear);
  const TSize MaxExt = C->TextExtent(MeterLabelText(FMaxValue, FDecPlaces));
  const double Lx = MaxExt.cx / 2.0 + 15, Ly = MaxExt.cy / 2.0 + 15;
  for (const TMeterTick& T : Ticks.Major) {
    const double Phi = S.Phi(T.Value);
    Tick(Phi, 8);
    if (!T.Labelled) continue;
    const double Rad = Phi * kDegToRad;
    const int X = RoundInt(CX + std::cos(Rad) * (R - Lx)), Y = RoundInt(CY - std::sin(Rad) * (R - Ly));
    String Label = MeterLabelText(T.Value, FDecPlaces);
    if (FOnBeforeDrawScaleLabel) {
      const TSize Ext = C->TextExtent(Label);
      FOnBeforeDrawScaleLabel(this, C, Label, X - Ext.cx / 2, Y - Ext.cy / 2);
      if (Label.empty()) continue;
    }
    const TSize Ext = C->TextExtent(Label);
    C->TextOut(X - Ext.cx / 2, Y - Ext.cy / 2, Label);
  }
}

// --- Needles -----------------------------------------------------------------------

void TMeter::PaintNeedle(TCanvas* C, double V, const TNeedleLayout* Layout) {
  const double R = FMeterRadius;
  const int CX = FMeterCenterX, CY = FMeterCenterY;
  const double Phi = Scale().Phi(Scale().Clamp(V)) * kDegToRad;
  const double L = Layout->PercentNeedleLength() * (R - 4) * 0.01;
  const double Tx = RoundInt(CX + L * std::cos(Phi)), Ty = RoundInt(CY - L * std::sin(Phi));
  const double Beta = Layout->HeadAngle() * kDegToRad;
  const double Sz = Layout->HeadSize(), M = Layout->HeadMidLeng();
  const double Cs = std::sin(Phi) * Layout->Thickness() / 2, Ds = std::cos(Phi) * Layout->Thickness() / 2;
  auto P = [](double X, double Y) { return TPoint{RoundInt(X), RoundInt(Y)}; };
  TPoint Poly[7] = {
      P(Tx - std::cos(Phi + Beta / 2) * Sz, Ty + std::sin(Phi + Beta / 2) * Sz),
      P(Tx, Ty),
      P(Tx - std::cos(Phi - Beta / 2) * Sz, Ty + std::sin(Phi - Beta / 2) * Sz),
      P(Tx - Cs - std::cos(Phi) * M, Ty - Ds + std::sin(Phi) * M),
      P(CX - Cs, CY - Ds),
      P(CX + Cs, CY + Ds),
      P(Tx + Cs - std::cos(Phi) * M, Ty + Ds + std::sin(Phi) * M),
  };
  C->Brush()->SetStyle(bsSolid);
  if (Layout->ShadowDx() != 0 || Layout->ShadowDy() != 0) {
    TPoint Shadow[7];
    for (int I = 0; I < 7; ++I) Shadow[I] = TPoint{Poly[I].X - Layout->ShadowDx(), Poly[I].Y - Layout->ShadowDy()};
    SetPenAndBrush(C, Layout->ShadowColor());
    C->Polygon(Shadow);
    AddNeedleArea(Shadow);
  }
  C->Pen()->SetColor(Layout->ColorOutline());
  C->Brush()->SetColor(Layout->ColorBody());
  C->Polygon(Poly);
  AddNeedleArea(Poly);
}

void TMeter::AddNeedleArea(std::span<const TPoint> Points) {
  TRect Box{Points[0].X, Points[0].Y, Points[0].X + 1, Points[0].Y + 1};
  for (const TPoint& P : Points) {
    Box.Left = std::min(Box.Left, P.X);
    Box.Top = std::min(Box.Top, P.Y);
    Box.Right = std::max(Box.Right, P.X + 1);
    Box.Bottom = std::max(Box.Bottom, P.Y + 1);
  }
  FNeedleArea = FNeedleArea.IsEmpty() ? Box : UnionRect(FNeedleArea, Box);
}

// --- Cover, anchor, lamps, frame ---------------------------------------------------

template <typename TPaintStep>
TMeter::TPixelRuns TMeter::CapturePixels(TPaintStep&& Step) {
  // Painted over white and over black: the pixels that come out the same
  // are the ones the step paints.
  const int W = Width(), H = Height();
  TBitmap OnWhite(W, H), OnBlack(W, H);
  std::fill(OnBlack.Bits(), OnBlack.Bits() + static_cast<size_t>(W) * H, 0u);
  Step(OnWhite.Canvas());
  Step(OnBlack.Canvas());
  TPixelRuns Out;
  const uint32_t* A = OnWhite.Bits();
  const uint32_t* B = OnBlack.Bits();
  const size_t Width = static_cast<size_t>(W);
  for (size_t Row = 0; Row < static_cast<size_t>(H) * Width; Row += Width) {
    for (size_t X = 0; X < Width;) {
      if (A[Row + X] != B[Row + X]) {
        ++X;
        continue;
      }
      const size_t From = X;
      while (X < Width && A[Row + X] == B[Row + X]) ++X;
      Out.Runs.push_back({Row + From, X - From, Out.Pixels.size()});
      Out.Pixels.insert(Out.Pixels.end(), A + Row + From, A + Row + X);
    }
  }
  return Out;
}

void TMeter::TPixelRuns::Apply(uint32_t* Bits) const {
  for (const TRun& Run : Runs) std::memcpy(Bits + Run.Start, Pixels.data() + Run.Source, Run.Length * sizeof(uint32_t));
}

void TMeter::BuildSprites() {
  FOverlay = CapturePixels([this](TCanvas* C) {
    PaintCover(C);
    PaintAnchor(C);
  });
  FFrameRuns = CapturePixels([this](TCanvas* C) { PaintFrame(C); });
  FSpritesWidth = Width();
  FSpritesHeight = Height();
  FSpritesValid = true;
}

void TMeter::PaintCover(TCanvas* C) {
  const int W = Width(), H = Height();
  SetPenAndBrush(C, FColorCover);
  C->Rectangle(0, 0, FSRim - 1, H);
  C->Rectangle(0, 0, W, FTRim);
  C->Rectangle(W - FSRim, 0, W, H);
  C->Rectangle(0, H - FBRim, W, H);
}

void TMeter::PaintWindowEdge(TCanvas* C) {
  const int W = Width(), H = Height();
  C->Pen()->SetColor(clWhite);
  Path(C, {{FSRim - 1, H - FBRim}, {W - FSRim, H - FBRim}, {W - FSRim, FTRim}});
  C->Pen()->SetColor(clGray);
  C->LineTo(FSRim - 1, FTRim);
  C->LineTo(FSRim - 1, H - FBRim);
}

void TMeter::PaintAnchor(TCanvas* C) {
  const int W = Width(), H = Height();
  const int CX = FMeterCenterX, CY = FMeterCenterY, SA = FSizeAnchor;
  if (!FAnchorCovrd) {
    PaintWindowEdge(C);
    return;
  }
  if (!FACoverFName.empty()) {
    PaintWindowEdge(C);
    const int X = CX - AuxACBmp->Width() / 2, Y = CY - AuxACBmp->Height() / 2;
    C->SetCopyMode(cmSrcAnd);
    C->Draw(X, Y, AuxACMaskBmp.get());
    C->SetCopyMode(cmSrcPaint);
    C->Draw(X, Y, AuxACBmp.get());
    C->SetCopyMode(cmSrcCopy);
    return;
  }
  if (FMeterLayout == mlCirc270 || FMeterLayout == mlCirc300 || FMeterLayout == mlCirc360) {
    // A round cap about the pivot, lit from the upper left.
    SetPenAndBrush(C, FColorCover);
    C->Ellipse(CX - SA, CY - SA, CX + SA, CY + SA);
    PaintWindowEdge(C);
    C->Pen()->SetColor(clWhite);
    C->Arc(CX - SA, CY - SA, CX + SA, CY + SA, CX + SA, CY - SA, CX - SA, CY + SA);
    C->Pen()->SetColor(clGray);
    C->Arc(CX - SA, CY - SA, CX + SA, CY + SA, CX - SA, CY + SA, CX + SA, CY - SA);
    return;
  }
  // A cap rising from the bottom rim: a half disc on a block, its outline
  // running on into the window edge.
  const int Bottom = H - FBRim;
  SetPenAndBrush(C, FColorCover);
  C->Pie(CX - SA, CY - SA, CX + SA, CY + SA, W, CY, 0, CY);
  C->Rectangle(CX - SA, CY, CX + SA, Bottom);
  C->Pen()->SetColor(clGray);
  Path(C, {{CX + SA - 1, CY}, {CX + SA - 1, Bottom}});
  C->Pen()->SetColor(clWhite);
  C->LineTo(W - FSRim, Bottom);
  C->LineTo(W - FSRim, FTRim);
  C->Pen()->SetColor(clGray);
  C->LineTo(FSRim - 1, FTRim);
  C->LineTo(FSRim - 1, Bottom);
  C->Pen()->SetColor(clWhite);
  C->LineTo(CX - SA, Bottom);
  C->LineTo(CX - SA, CY - 1);
  C->Arc(CX - SA, CY - SA, CX + SA, CY + SA, W, CY, 0, CY);
  C->Pen()->SetColor(clGray);
  C->Arc(CX - SA, CY - SA, CX + SA, CY + SA, CX + SA, CY, CX + SA, CY - SA);
}

void TMeter::PaintLamps(TCanvas* C) {
  const int W = Width(), T = FTRim;
  C->Brush()->SetStyle(bsSolid);
  if (FLimWatHighOn) {
    const int X = W - FSRim;
    C->Pen()->SetColor(clBlack);
    C->Brush()->SetColor(FOFL ? FLimWatActCol : FLimWatPsvCol);
    C->Rectangle(X - 18, T + 8, X - 8, T + 18);
    C->Pen()->SetColor(clWhite);
    Path(C, {{X - 17, T + 17}, {X - 9, T + 17}, {X - 9, T + 8}});
    C->Pen()->SetColor(clSilver);
    Path(C, {{X - 16, T + 16}, {X - 10, T + 16}, {X - 10, T + 9}});
    C->Pen()->SetColor(clGray);
    Path(C, {{X - 17, T + 16}, {X - 17, T + 9}, {X - 9, T + 9}});
  }
  if (FLimWatLowOn) {
    const int X = FSRim;
    C->Pen()->SetColor(clBlack);
    C->Brush()->SetColor(FUFL ? FLimWatActCol : FLimWatPsvCol);
    C->Rectangle(X + 8, T + 8, X + 18, T + 18);
    C->Pen()->SetColor(clWhite);
    Path(C, {{X + 9, T + 17}, {X + 17, T + 17}, {X + 17, T + 8}});
    C->Pen()->SetColor(clSilver);
    Path(C, {{X + 10, T + 16}, {X + 16, T + 16}, {X + 16, T + 9}});
    C->Pen()->SetColor(clGray);
    Path(C, {{X + 9, T + 16}, {X + 9, T + 9}, {X + 17, T + 9}});
  }
}

void TMeter::PaintFrame(TCanvas* C) {
  const int W = Width(), H = Height();
  const TColor White = FColWhiteLine, Gray = FColGrayLine;
  auto Bevel = [&](TColor First, TColor Second) {
    C->Pen()->SetColor(First);
    Path(C, {{0, H - 1}, {0, 0}, {W - 1, 0}});
    C->Pen()->SetColor(Second);
    C->LineTo(W - 1, H - 1);
    C->LineTo(0, H - 1);
  };
  auto Ridge = [&](TColor Outer, TColor Inner) {
    C->Pen()->SetColor(Outer);
    Path(C, {{0, 0}, {W - 2, 0}, {W - 2, H - 2}, {0, H - 2}, {0, 0}});
    C->Pen()->SetColor(Inner);
    Path(C, {{1, H - 3}, {1, 1}, {W - 2, 1}});
    Path(C, {{1, H - 1}, {W - 1, H - 1}, {W - 1, 0}});
  };
  switch (FFrameStyle) {
    case fsNone:
      break;
    case fsSimple:
      C->Pen()->SetColor(FColorBakG);
      Path(C, {{0, H - 1}, {0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}});
      break;
    case fsLowered:
      Bevel(Gray, White);
      break;
    case fsRaised:
      Bevel(White, Gray);
      break;
    case fsEmbossed:
      Ridge(White, Gray);
      break;
    case fsEngraved:
      Ridge(Gray, White);
      break;
  }
}

}  // namespace orv
