// TCanvas shapes: rectangles, polygons, ellipses, rounded rectangles and the
// parts of ellipses (arc, pie, chord).

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "framework/graphics/canvas.h"
#include "framework/graphics/canvas_pixelops.h"

namespace orv {

namespace {

void Normalize(int& A, int& B) {
  if (A > B) std::swap(A, B);
}

// Left offset of each row of the ellipse inscribed in a W x H box: row k
// covers offset[k] .. W-1-offset[k]. Pixel centres inside the ellipse count;
// each row keeps at least its middle pixel(s). Computed for the upper half
// and mirrored, so the shape is exactly symmetric.
std::vector<int> EllipseOffsets(int W, int H) {
  std::vector<int> Off(static_cast<size_t>(std::max(H, 0)), 0);
  const double A = W / 2.0, B = H / 2.0;
  for (int K = 0; K < (H + 1) / 2; ++K) {
    const double DY = (K + 0.5) - B;
    const double Q = 1.0 - (DY * DY) / (B * B);
    const double HalfW = A * std::sqrt(std::max(Q, 0.0));
    int O = static_cast<int>(std::ceil(A - HalfW - 0.5 - 1e-9));
    O = std::clamp(O, 0, (W - 1) / 2);
    Off[static_cast<size_t>(K)] = O;
    Off[static_cast<size_t>(H - 1 - K)] = O;
  }
  return Off;
}

// Row spans of a rectangle X1..X2-1 x Y1..Y2-1 with corners cut by quarters
// of a CW x CH ellipse (the whole ellipse when the corners cover the box).
void RoundedSpans(int X1, int Y1, int X2, int Y2, int CW, int CH, std::vector<int>& Lefts,
                  std::vector<int>& Rights) {
  const int W = X2 - X1, H = Y2 - Y1;
  CW = std::clamp(CW, 0, W);
  CH = std::clamp(CH, 0, H);
  Lefts.assign(static_cast<size_t>(H), X1);
  Rights.assign(static_cast<size_t>(H), X2 - 1);
  if (CW == 0 || CH == 0) return;
  const std::vector<int> Off = EllipseOffsets(CW, CH);
  for (int K = 0; K < CH / 2 + CH % 2; ++K) {
    if (K >= (H + 1) / 2) break;
    const int O = Off[static_cast<size_t>(K)];
    Lefts[static_cast<size_t>(K)] = X1 + O;
    Rights[static_cast<size_t>(K)] = X2 - 1 - O;
    Lefts[static_cast<size_t>(H - 1 - K)] = X1 + O;
    Rights[static_cast<size_t>(H - 1 - K)] = X2 - 1 - O;
  }
}

// Classifies an inside mask (Box W x H, 1 = inside) into brush (1) and pen
// (2) pixels: the pen takes the pixels with an outside pixel within Depth
// pixels (four-connected neighbours for a one-pixel border); without pen
// everything inside is brush.
std::vector<uint8_t> Classify(int W, int H, const std::vector<uint8_t>& Mask, int Depth) {
  std::vector<uint8_t> Out(Mask.size(), 0);
  if (Depth <= 0) {
    for (size_t I = 0; I < Mask.size(); ++I) Out[I] = Mask[I] ? 1 : 0;
    return Out;
  }
  auto At = [&](int X, int Y) -> bool {
    return X >= 0 && Y >= 0 && X < W && Y < H && Mask[static_cast<size_t>(Y) * W + X];
  };
  if (Depth == 1) {
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) {
        if (!At(X, Y)) continue;
        const bool Edge = !At(X - 1, Y) || !At(X + 1, Y) || !At(X, Y - 1) || !At(X, Y + 1);
        Out[static_cast<size_t>(Y) * W + X] = Edge ? 2 : 1;
      }
    return Out;
  }
  // Distance to the nearest outside pixel by the 3-4 chamfer (3 per straight
  // step, 4 per diagonal one), which stays within a few percent of the true
  // distance, in two passes.
  const int Inf = std::numeric_limits<int>::max() / 2;
  std::vector<int> D(Mask.size());
  auto Dist = [&](int X, int Y) -> int {
    if (X < 0 || Y < 0 || X >= W || Y >= H) return 0;
    return D[static_cast<size_t>(Y) * W + X];
  };
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      const size_t I = static_cast<size_t>(Y) * W + X;
      if (!Mask[I]) {
        D[I] = 0;
        continue;
      }
      D[I] = std::min({Inf, Dist(X - 1, Y) + 3, Dist(X - 1, Y - 1) + 4, Dist(X, Y - 1) + 3, Dist(X + 1, Y - 1) + 4});
    }
  for (int Y = H - 1; Y >= 0; --Y)
    for (int X = W - 1; X >= 0; --X) {
      const size_t I = static_cast<size_t>(Y) * W + X;
      if (!Mask[I]) continue;
      D[I] = std::min({D[I], Dist(X + 1, Y) + 3, Dist(X + 1, Y + 1) + 4, Dist(X, Y + 1) + 3, Dist(X - 1, Y + 1) + 4});
    }
  for (size_t I = 0; I < Mask.size(); ++I)
    if (Mask[I]) Out[I] = D[I] <= 3 * Depth ? 2 : 1;
  return Out;
}

double NormalizeAngle(double A) {
  const double Full = 2 * std::numbers::pi;
  A = std::fmod(A, Full);
  if (A < 0) A += Full;
  return A;
}

}  // namespace

// --- Rectangle ------------------------------------------------------------------

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  Normalize(X1, X2);
  Normalize(Y1, Y2);
  if (X1 == X2 || Y1 == Y2 || FTarget == nullptr) return;
  const uint32_t Brush = BrushPixel(), Pen = PenPixel();
  if (!PenVisible()) {
    if (BrushVisible())
      for (int Y = Y1; Y < Y2; ++Y) CombineSpan(Y, X1, X2 - 1, Brush);
    return;
  }
  const int W = FPen.Width();
  if (W == 1 && FPen.Style() != psSolid && FPen.Style() != psInsideFrame) {
    // Dashed outline: the inside first, then the frame as one closed path.
    if (BrushVisible())
      for (int Y = Y1 + 1; Y < Y2 - 1; ++Y) CombineSpan(Y, X1 + 1, X2 - 2, Brush);
    const TPoint Path[5] = {{X1, Y1}, {X2 - 1, Y1}, {X2 - 1, Y2 - 1}, {X1, Y2 - 1}, {X1, Y1}};
    FDashPhase = 0;
    for (int I = 0; I < 4; ++I) ThinLine(Path[I].X, Path[I].Y, Path[I + 1].X, Path[I + 1].Y);
    // A one-pixel-wide rectangle has no closing segment of its own.
    if (X2 - X1 == 1 || Y2 - Y1 == 1) CombinePixel(X1, Y1, Pen);
    return;
  }
  // Outline and inside of one colour under plain copy: a single block fill.
  if (W == 1 && BrushVisible() && Brush == Pen && FPen.Mode() == pmCopy) {
    FillBlock(X1, Y1, X2, Y2, Pen);
    return;
  }
  // The frame is a band W pixels deep: centred on the one-pixel outline
  // (extra pixel outward on the top-left side for even widths), or inside
  // the box with psInsideFrame. Corners are square.
  int L = X1, T = Y1, R = X2 - 1, B = Y2 - 1;
  if (W > 1 && FPen.Style() != psInsideFrame) {
    L -= W / 2;
    T -= W / 2;
    R += (W - 1) / 2;
    B += (W - 1) / 2;
  }
  for (int Y = T; Y <= B; ++Y) {
    if (Y < T + W || Y > B - W) {
      CombineSpan(Y, L, R, Pen);
      continue;
    }
    CombineSpan(Y, L, std::min(L + W - 1, R), Pen);
    if (R - W + 1 > L + W - 1) CombineSpan(Y, R - W + 1, R, Pen);
    if (BrushVisible() && L + W <= R - W) CombineSpan(Y, L + W, R - W, Brush);
  }
}

// --- Polygon ------------------------------------------------------------------------

void TCanvas::Polygon(std::span<const TPoint> Points) {
  if (Points.size() < 2 || FTarget == nullptr) return;
  if (BrushVisible() && Points.size() >= 3) {
    struct TEdge {
      long long X0, Y0, X1, Y1;
      int Dir;
    };
    std::vector<TEdge> Edges;
    long long MinY = Points[0].Y, MaxY = Points[0].Y;
    for (size_t I = 0; I < Points.size(); ++I) {
      const TPoint& A = Points[I];
      const TPoint& B = Points[(I + 1) % Points.size()];
      MinY = std::min<long long>(MinY, A.Y);
      MaxY = std::max<long long>(MaxY, A.Y);
      if (A.Y == B.Y) continue;  // horizontal edges cross no pixel-centre row
      if (A.Y < B.Y)
        Edges.push_back(TEdge{A.X, A.Y, B.X, B.Y, 1});
      else
        Edges.push_back(TEdge{B.X, B.Y, A.X, A.Y, -1});
    }
    std::sort(Edges.begin(), Edges.end(), [](const TEdge& A, const TEdge& B) { return A.Y0 < B.Y0; });
    const TRect C = DeviceClip();
    const long long Top = std::max<long long>(MinY, C.Top - FOrigin.Y);
    const long long Bottom = std::min<long long>(MaxY, C.Bottom - FOrigin.Y);  // exclusive
    const uint32_t Brush = BrushPixel();
    const bool Winding = FPolyFillMode == WINDING;
    std::vector<const TEdge*> Active;
    std::vector<std::pair<long long, int>> Cross;
    size_t Next = 0;
    for (long long Y = Top; Y < Bottom; ++Y) {
      // Edges covering the pixel-centre row y + 1/2: Y0 <= y < Y1.
      while (Next < Edges.size() && Edges[Next].Y0 <= Y) Active.push_back(&Edges[Next++]);
      std::erase_if(Active, [Y](const TEdge* E) { return E->Y1 <= Y; });
      Cross.clear();
      for (const TEdge* E : Active) {
        // First pixel whose centre is at or right of the crossing:
        // ceil(x - 1/2) with x = X0 + (y + 1/2 - Y0) * DX / DY, exactly.
        const long long DY = E->Y1 - E->Y0, DX = E->X1 - E->X0;
        const long long Num = 2 * E->X0 * DY + (2 * (Y - E->Y0) + 1) * DX - DY;
        const long long Den = 2 * DY;
        long long Q = Num / Den;
        if (Num % Den != 0 && Num > 0) ++Q;
        Cross.emplace_back(Q, E->Dir);
      }
      std::sort(Cross.begin(), Cross.end());
      int Wind = 0;
      for (size_t I = 0; I + 1 < Cross.size(); ++I) {
        Wind += Cross[I].second;
        const bool Inside = Winding ? Wind != 0 : (I % 2 == 0);
        if (!Inside) continue;
        const long long L = Cross[I].first, R = Cross[I + 1].first - 1;
        if (L > R) continue;
        const long long CL = std::max<long long>(L, C.Left - FOrigin.X - 1);
        const long long CR = std::min<long long>(R, C.Right - FOrigin.X);
        if (CL <= CR) CombineSpan(static_cast<int>(Y), static_cast<int>(CL), static_cast<int>(CR), Brush);
      }
    }
  }
  if (!PenVisible()) return;
  if (FPen.Width() > 1) {
    StrokePath(Points, true);
    return;
  }
  FDashPhase = 0;
  for (size_t I = 0; I < Points.size(); ++I) {
    const TPoint& A = Points[I];
    const TPoint& B = Points[(I + 1) % Points.size()];
    ThinLine(A.X, A.Y, B.X, B.Y);
  }
}

// --- Ellipses and rounded rectangles --------------------------------------------

void TCanvas::PaintSpanShape(int Top, const std::vector<int>& Lefts, const std::vector<int>& Rights) {
  const int N = static_cast<int>(Lefts.size());
  const uint32_t Brush = BrushPixel(), Pen = PenPixel();
  const bool Fill = BrushVisible(), Outline = PenVisible();
  auto L = [&](int I) { return I < 0 || I >= N ? 0 : Lefts[static_cast<size_t>(I)]; };
  auto R = [&](int I) { return I < 0 || I >= N ? -1 : Rights[static_cast<size_t>(I)]; };
  for (int I = 0; I < N; ++I) {
    const int Y = Top + I;
    const int SL = L(I), SR = R(I);
    if (SL > SR) continue;
    if (!Outline) {
      if (Fill) CombineSpan(Y, SL, SR, Brush);
      continue;
    }
    // Inside pixels have all four neighbours in the shape; spans are convex,
    // so they form one run.
    int IL = SL + 1, IR = SR - 1;
    if (I == 0 || I == N - 1) {
      IL = 1;
      IR = 0;
    } else {
      IL = std::max({IL, L(I - 1), L(I + 1)});
      IR = std::min({IR, R(I - 1), R(I + 1)});
    }
    if (IL > IR) {
      CombineSpan(Y, SL, SR, Pen);
      continue;
    }
    CombineSpan(Y, SL, IL - 1, Pen);
    if (Fill) CombineSpan(Y, IL, IR, Brush);
    CombineSpan(Y, IR + 1, SR, Pen);
  }
}

void TCanvas::PaintClasses(const TRect& Box, const std::vector<uint8_t>& Classes) {
  const uint32_t Colors[3] = {0, BrushPixel(), PenPixel()};
  const int W = Box.Width();
  for (int Y = 0; Y < Box.Height(); ++Y) {
    const uint8_t* Row = Classes.data() + static_cast<size_t>(Y) * W;
    int X = 0;
    while (X < W) {
      const uint8_t K = Row[X];
      int E = X;
      while (E + 1 < W && Row[E + 1] == K) ++E;
      if (K != 0) CombineSpan(Box.Top + Y, Box.Left + X, Box.Left + E, Colors[K]);
      X = E + 1;
    }
  }
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  Normalize(X1, X2);
  Normalize(Y1, Y2);
  if (X1 == X2 || Y1 == Y2 || FTarget == nullptr) return;
  if (PenVisible() && FPen.Width() > 1) {
    PaintEllipseShape(akEllipse, X1, Y1, X2, Y2, 0, 0, 0, 0, TSize{X2 - X1, Y2 - Y1});
    return;
  }
  std::vector<int> Lefts, Rights;
  RoundedSpans(X1, Y1, X2, Y2, X2 - X1, Y2 - Y1, Lefts, Rights);
  PaintSpanShape(Y1, Lefts, Rights);
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  Normalize(X1, X2);
  Normalize(Y1, Y2);
  if (X1 == X2 || Y1 == Y2 || FTarget == nullptr) return;
  X3 = std::abs(X3);
  Y3 = std::abs(Y3);
  if (PenVisible() && FPen.Width() > 1) {
    PaintEllipseShape(akEllipse, X1, Y1, X2, Y2, 0, 0, 0, 0, TSize{X3, Y3});
    return;
  }
  std::vector<int> Lefts, Rights;
  RoundedSpans(X1, Y1, X2, Y2, X3, Y3, Lefts, Rights);
  PaintSpanShape(Y1, Lefts, Rights);
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  PaintEllipseShape(akArc, X1, Y1, X2, Y2, X3, Y3, X4, Y4, TSize{std::abs(X2 - X1), std::abs(Y2 - Y1)});
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  PaintEllipseShape(akPie, X1, Y1, X2, Y2, X3, Y3, X4, Y4, TSize{std::abs(X2 - X1), std::abs(Y2 - Y1)});
}

void TCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  PaintEllipseShape(akChord, X1, Y1, X2, Y2, X3, Y3, X4, Y4, TSize{std::abs(X2 - X1), std::abs(Y2 - Y1)});
}

void TCanvas::PaintEllipseShape(TArcKind Kind, int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4,
                                TSize Corner) {
  Normalize(X1, X2);
  Normalize(Y1, Y2);
  if (X1 == X2 || Y1 == Y2 || FTarget == nullptr) return;
  if (Kind == akArc && !PenVisible()) return;
  // Angles are measured around the centre of the bounding box in pixel-centre
  // coordinates, counter-clockwise on the screen (y grows downwards).
  const double CX = (X1 + X2 - 1) / 2.0, CY = (Y1 + Y2 - 1) / 2.0;
  const double A0 = NormalizeAngle(std::atan2(CY - Y3, X3 - CX));
  double Sweep = NormalizeAngle(std::atan2(CY - Y4, X4 - CX) - A0);
  if (Sweep == 0) Sweep = 2 * std::numbers::pi;
  const bool Full = Kind == akEllipse || Sweep >= 2 * std::numbers::pi;
  auto InSector = [&](double X, double Y) {
    if (X == CX && Y == CY) return true;
    return NormalizeAngle(std::atan2(CY - Y, X - CX) - A0) <= Sweep + 1e-12;
  };

  // Wide outlines are centred on the one-pixel outline unless kept inside.
  const int PW = PenVisible() ? FPen.Width() : 0;
  int Grow = 0, Grow2 = 0;
  if (PW > 1 && FPen.Style() != psInsideFrame) {
    Grow = PW / 2;
    Grow2 = (PW - 1) / 2;
  }
  const TRect Box{X1 - Grow, Y1 - Grow, X2 + Grow2, Y2 + Grow2};
  const int W = Box.Width(), H = Box.Height();
  std::vector<int> Lefts, Rights;
  RoundedSpans(Box.Left, Box.Top, Box.Right, Box.Bottom, Corner.cx + Grow + Grow2, Corner.cy + Grow + Grow2, Lefts,
               Rights);
  std::vector<uint8_t> Mask(static_cast<size_t>(W) * H, 0);
  // The chord's line joins the points where the two radials meet the ellipse.
  const double RA = (X2 - X1) / 2.0, RB = (Y2 - Y1) / 2.0;
  auto OnEllipse = [&](double Angle) {
    const double UX = std::cos(Angle), UY = -std::sin(Angle);
    const double T = 1.0 / std::sqrt((UX * UX) / (RA * RA) + (UY * UY) / (RB * RB));
    return std::pair{CX + T * UX, CY + T * UY};
  };
  const std::pair<double, double> P0 = OnEllipse(A0), P1 = OnEllipse(A0 + Sweep), Mid = OnEllipse(A0 + Sweep / 2);
  auto Side = [&](double X, double Y) {
    return (P1.first - P0.first) * (Y - P0.second) - (P1.second - P0.second) * (X - P0.first);
  };
  const double MidSide = Side(Mid.first, Mid.second);
  for (int Y = 0; Y < H; ++Y) {
    for (int X = Lefts[static_cast<size_t>(Y)] - Box.Left; X <= Rights[static_cast<size_t>(Y)] - Box.Left; ++X) {
      const double GX = Box.Left + X, GY = Box.Top + Y;
      bool In = true;
      if (!Full && Kind == akPie) In = InSector(GX, GY);
      if (!Full && Kind == akChord) {
        const double S = Side(GX, GY);
        In = (MidSide > 0 ? S : -S) >= -1e-7;  // points on the chord count
      }
      Mask[static_cast<size_t>(Y) * W + X] = In ? 1 : 0;
    }
  }
  std::vector<uint8_t> Classes = Classify(W, H, Mask, PW);
  if (Kind == akArc) {
    // The arc is the outline alone, between the radials.
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) {
        uint8_t& K = Classes[static_cast<size_t>(Y) * W + X];
        if (K == 2 && !Full && !InSector(Box.Left + X, Box.Top + Y)) K = 0;
        if (K == 1) K = 0;
      }
  } else if (!BrushVisible()) {
    for (uint8_t& K : Classes)
      if (K == 1) K = 0;
  }
  PaintClasses(Box, Classes);
}

}  // namespace orv
