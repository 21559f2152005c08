// TProgBar painting: bar area, bar, grid, frames and the value text.
//
// The bar is drawn straight onto the control's canvas: the form surface is
// already an off-screen picture that the backend presents whole, so a
// private bitmap would only add a copy.

#include <algorithm>
#include <cmath>
#include <exception>
#include <numbers>
#include <vector>

#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"
#include "framework/graphics/font.h"
#include "framework/rtl/rtlmath.h"
#include "progbar/progbar.h"

namespace orv {

namespace {

// Longest bar length worked with; anything longer lies far outside the
// control and looks the same.
constexpr int kBarLimit = 1 << 24;

void SolidTools(TCanvas* C, TColor Color) {
  C->Pen()->SetColor(Color);
  C->Pen()->SetStyle(psSolid);
  C->Brush()->SetColor(Color);
  C->Brush()->SetStyle(bsSolid);
}

// Writes the pixels of Strip into the canvas at X.. on every row Top..Bottom-1
// (canvas coordinates), cut to the canvas' clip. Equals drawing each column
// as a line in its colour with the pen in copy mode.
void PaintStripRows(TCanvas* C, int X, int Top, int Bottom, const std::vector<uint32_t>& Strip) {
  TBitmap* Target = C->Target();
  const TPoint O = C->Origin();
  const TRect Clip = C->DeviceClip();
  const int Count = static_cast<int>(Strip.size());
  const int Left = std::max(O.X + X, Clip.Left), Right = std::min(O.X + X + Count, Clip.Right);
  const int Y1 = std::max(O.Y + Top, Clip.Top), Y2 = std::min(O.Y + Bottom, Clip.Bottom);
  if (Target == nullptr || Left >= Right || Y1 >= Y2) return;
  const uint32_t* Src = Strip.data() + (Left - (O.X + X));
  for (int Row = Y1; Row < Y2; ++Row) std::copy(Src, Src + (Right - Left), Target->ScanLine(Row) + Left);
  Target->Modified();
}

// Fills R (control coordinates, cut to the clip) with Color: the pixels of
// FillRect with a solid brush. Narrow boxes, the frames' vertical lines and
// the side margins, are written here through one row pointer stepping down
// the rows, which spares a clip and a row look-up per one-pixel row; wider
// ones go to FillRect, whose row fill is the faster.
void FillBox(TCanvas* C, const TRect& R, TColor Color) {
  constexpr int kNarrow = 8;
  TBitmap* Target = C->Target();
  if (Target == nullptr || R.Right - R.Left > kNarrow) {
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->FillRect(R);
    return;
  }
  const TPoint O = C->Origin();
  const TRect Clip = C->DeviceClip();
  const int Left = std::max(O.X + R.Left, Clip.Left), Right = std::min(O.X + R.Right, Clip.Right);
  const int Top = std::max(O.Y + R.Top, Clip.Top), Bottom = std::min(O.Y + R.Bottom, Clip.Bottom);
  if (Left >= Right || Top >= Bottom) return;
  const uint32_t Pixel = ColorToPixel(ColorToRGB(Color) & 0x00FFFFFF);
  // The store holds the rows one after the other, Width() pixels each.
  const size_t Stride = static_cast<size_t>(Target->Width());
  uint32_t* Row = Target->ScanLine(Top) + Left;
  for (int Y = Top; Y < Bottom; ++Y, Row += Stride) std::fill(Row, Row + (Right - Left), Pixel);
  Target->Modified();
}

}  // namespace

TProgBar::TBarExtent TProgBar::BarExtent(int W, int H) const {
  const int ML = FMarginLeft, MR = FMarginRight, MT = FMarginTop, MB = FMarginBottom;
  TBarExtent E;
  E.Horizontal = FDirection == dirRight || FDirection == dirLeft;
  E.Usable = E.Horizontal ? W - ML - MR : H - MT - MB;
  E.Len = BarLength(FProgValue, FProgMin, FProgMax, E.Usable, kBarLimit);
  switch (FDirection) {
    case dirRight: E.Start = ML; E.End = ML + E.Len; break;
    case dirLeft: E.Start = W - MR; E.End = W - MR - E.Len; break;
    case dirUp: E.Start = H - MB; E.End = H - MB - E.Len; break;
    case dirDown: E.Start = MT; E.End = MT + E.Len; break;
  }
  return E;
}

void TProgBar::Paint() {
  if (!Visible() && !Designing()) return;
  TCanvas* C = Canvas();
  const int W = Width(), H = Height();
  if (C->Target() == nullptr || W <= 0 || H <= 0) return;  // nowhere to draw
  TCanvasStateSaver Saver(C);
  C->SetCopyMode(cmSrcCopy);
  C->Pen()->SetMode(pmCopy);
  C->Pen()->SetWidth(1);

  const TRect Area{FMarginLeft, FMarginTop, W - FMarginRight, H - FMarginBottom};
  const TBarExtent Bar = BarExtent(W, H);
  // Pixels painted over later are not filled first: with the bar area
  // inside the control only the margin ring takes the margin colour, and
  // without an image only the part of the bar area the bar leaves free takes
  // the background colour. The picture is the same as filling both whole.
  const bool Inside = 0 <= Area.Left && Area.Left < Area.Right && Area.Right <= W && 0 <= Area.Top &&
                      Area.Top < Area.Bottom && Area.Bottom <= H;
  SolidTools(C, FColorMargin);
  if (Inside) {
    C->FillRect(TRect{0, 0, W, Area.Top});
    C->FillRect(TRect{0, Area.Bottom, W, H});
    FillBox(C, TRect{0, Area.Top, Area.Left, Area.Bottom}, FColorMargin);
    FillBox(C, TRect{Area.Right, Area.Top, W, Area.Bottom}, FColorMargin);
  } else {
    C->Rectangle(0, 0, W, H);
  }
  SolidTools(C, FColorBakG);
  const bool BarCovers = !FColorGrad || Bar.Len > 0;
  if (Inside && FBakGndFile.empty() && BarCovers) {
    const int Lo = std::min(Bar.Start, Bar.End), Hi = std::max(Bar.Start, Bar.End);
    if (Bar.Horizontal) {
      C->FillRect(TRect{Area.Left, Area.Top, std::clamp(Lo, Area.Left, Area.Right), Area.Bottom});
      C->FillRect(TRect{std::clamp(Hi, Area.Left, Area.Right), Area.Top, Area.Right, Area.Bottom});
    } else {
      C->FillRect(TRect{Area.Left, Area.Top, Area.Right, std::clamp(Lo, Area.Top, Area.Bottom)});
      C->FillRect(TRect{Area.Left, std::clamp(Hi, Area.Top, Area.Bottom), Area.Right, Area.Bottom});
    }
  } else {
    C->Rectangle(Area);
  }
  if (!FBakGndFile.empty()) {
    try {
      C->StretchDraw(Area, AuxBmp.get());
    } catch (const std::exception&) {
      // An image that cannot be drawn leaves the bar area in its colour.
      SolidTools(C, FColorBakG);
      C->Rectangle(Area);
    }
  }
  DrawBar(C, W, H, Bar);
  PaintFrame(C, FInnerFrameSt, Area.Left, Area.Top, Area.Right, Area.Bottom);
  PaintFrame(C, FOuterFrameSt, 0, 0, W, H);
  if (FShowValue) DrawValueText(C);
}

void TProgBar::DrawBar(TCanvas* C, int W, int H, const TBarExtent& Bar) {
  const int ML = FMarginLeft, MR = FMarginRight, MT = FMarginTop, MB = FMarginBottom;
  const int Start = Bar.Start, End = Bar.End, Len = Bar.Len;
  if (!FColorGrad) {
    SolidTools(C, FBarColorArray[0]);
    if (Bar.Horizontal)
      C->Rectangle(Start, MT, End, H - MB);
    else
      C->Rectangle(ML, Start, W - MR, End);
  } else if (Len > 0) {
    // Only the part of the bar inside the control is coloured; the colour of
    // a pixel still depends on the whole length.
    const int Visible = std::min(Len, Bar.Horizontal ? W : H);
    TBarColorWalk Walk(FColorMapMode, Len, Bar.Usable);
    if (Bar.Horizontal) {
      const auto& Pixels = BarPixels();
      const TStripKey Key{FColorMapMode, Len, Bar.Usable, Visible, FDirection};
      if (FStripStale || !(Key == FStripKey)) {
        FStrip.resize(static_cast<size_t>(Visible));
        for (int F = 0; F < Visible; ++F) FStrip[static_cast<size_t>(F)] = Pixels[static_cast<size_t>(Walk.Next())];
        if (FDirection == dirLeft) std::reverse(FStrip.begin(), FStrip.end());
        FStripKey = Key;
        FStripStale = false;
      }
      PaintStripRows(C, FDirection == dirRight ? Start : Start - Visible, MT, H - MB, FStrip);
    } else {
      C->Brush()->SetStyle(bsSolid);
      for (int F = 0; F < Visible; ++F) {
        C->Brush()->SetColor(FBarColorArray[static_cast<size_t>(Walk.Next())]);
        const int Y = FDirection == dirUp ? Start - F - 1 : Start + F;
        C->FillRect(TRect{ML, Y, W - MR, Y + 1});
      }
    }
  }
  if (FGridDist > 1) DrawGrid(C, W, H, Start, End);
}

// Lines across the bar every GridDist pixels from its start: up to and
// including the end column of a bar growing right or down, and down to its
// last row of a bar growing up or left.
void TProgBar::DrawGrid(TCanvas* C, int W, int H, int Start, int End) {
  C->Pen()->SetColor(FColorGrid);
  C->Pen()->SetStyle(psSolid);
  const int ML = FMarginLeft, MR = FMarginRight, MT = FMarginTop, MB = FMarginBottom;
  switch (FDirection) {
    case dirRight:
      for (int X = Start; X <= std::min(End, W); X += FGridDist) {
        C->MoveTo(X, MT);
        C->LineTo(X, H - MB);
      }
      break;
    case dirLeft:
      for (int X = Start - 1; X >= std::max(End, -1); X -= FGridDist) {
        C->MoveTo(X, MT);
        C->LineTo(X, H - MB);
      }
      break;
    case dirUp:
      for (int Y = Start - 1; Y >= std::max(End, -1); Y -= FGridDist) {
        C->MoveTo(ML, Y);
        C->LineTo(W - MR, Y);
      }
      break;
    case dirDown:
      for (int Y = Start; Y <= std::min(End, H); Y += FGridDist) {
        C->MoveTo(ML, Y);
        C->LineTo(W - MR, Y);
      }
      break;
  }
}

// Every frame line is horizontal or vertical, so each is filled as a
// one-pixel rectangle: the same pixels as the pen's lines and outlines.
void TProgBar::PaintFrame(TCanvas* C, TFrameStyle Style, int L, int T, int R, int B) {
  if (Style == fsNone) return;
  auto Fill = [C](TColor Color, int X1, int Y1, int X2, int Y2) { FillBox(C, TRect{X1, Y1, X2, Y2}, Color); };
  // The outline of Rectangle(X1, Y1, X2, Y2) with a clear brush.
  auto Outline = [&Fill](TColor Color, int X1, int Y1, int X2, int Y2) {
    if (X2 <= X1 || Y2 <= Y1) return;
    Fill(Color, X1, Y1, X2, Y1 + 1);
    Fill(Color, X1, Y2 - 1, X2, Y2);
    Fill(Color, X1, Y1, X1 + 1, Y2);
    Fill(Color, X2 - 1, Y1, X2, Y2);
  };
  switch (Style) {
    case fsSimple:
      Outline(FColGrayLine, L, T, R, B);
      return;
    case fsLowered:
    case fsRaised: {
      const bool Lowered = Style == fsLowered;
      const TColor First = Lowered ? FColBlackLine : FColWhiteLine;
      const TColor Second = Lowered ? FColWhiteLine : FColBlackLine;
      // (L + 1, B - 3) to (L + 1, T + 1) to (R - 1, T + 1), end points excluded.
      Fill(First, L + 1, T + 2, L + 2, B - 2);
      Fill(First, L + 1, T + 1, R - 1, T + 2);
      // (L + 1, B - 1) to (R - 1, B - 1) to (R - 1, T).
      Fill(Second, L + 1, B - 1, R - 1, B);
      Fill(Second, R - 1, T + 1, R, B);
      Outline(FColGrayLine, L, T, R - 1, B - 1);
      break;
    }
    case fsEmbossed:
      Outline(FColGrayLine, L + 1, T + 1, R, B);
      Outline(FColWhiteLine, L, T, R - 1, B - 1);
      break;
    case fsEngraved:
      Outline(FColWhiteLine, L + 1, T + 1, R, B);
      Outline(FColGrayLine, L, T, R - 1, B - 1);
      break;
    default:
      return;
  }
  C->SetPixels(L, B - 1, FColorMargin);
  C->SetPixels(R - 1, T, FColorMargin);
}

// The text is written in a rotated copy of Font with the default character
// set, quality and pitch.
void TProgBar::DrawValueText(TCanvas* C) {
  C->SetFont(Font());
  TFont* Rotated = C->Font();
  Rotated->SetEscapement(FTextAngle * 10);
  Rotated->SetOrientation(FTextAngle * 10);
  Rotated->SetCharset(DEFAULT_CHARSET);
  Rotated->SetQuality(fqDefault);
  Rotated->SetPitch(fpDefault);
  C->Brush()->SetStyle(bsClear);
  String Text = ProgBarValueText(FProgValue, FTextDecPlaces);
  if (TBeforeShowValueEvent Handler = FOnShowValue) Handler(this, Text);
  const int TW = C->TextWidth(Text), H2 = C->TextHeight(Text) / 2;
  // Distance from the text's left edge to the anchor along the base line.
  const int M = FAlignment == taLeftJustify ? 0 : FAlignment == taCenter ? TW / 2 : 2 * (TW / 2);
  const double Theta = FTextAngle * std::numbers::pi / 180.0;
  const double S = std::sin(Theta), Co = std::cos(Theta);
  C->TextOut(FTextPosX + static_cast<int>(Round(-M * Co - H2 * S)),
             FTextPosY + static_cast<int>(Round(M * S - H2 * Co)), Text);
}

}  // namespace orv
