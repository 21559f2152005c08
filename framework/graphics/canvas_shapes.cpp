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

// Left offset of row K of the ellipse inscribed in a W x H box: the row
// covers offset .. W-1-offset. Pixel centres inside the ellipse count; each
// row keeps at least its middle pixel(s). The lower half mirrors the upper
// one, so the shape is exactly symmetric.
int64_t EllipseOffset(int64_t W, int64_t H, int64_t K) {
  K = std::min(K, H - 1 - K);
  const double A = static_cast<double>(W) / 2.0, B = static_cast<double>(H) / 2.0;
  const double DY = (static_cast<double>(K) + 0.5) - B;
  const double Q = 1.0 - (DY * DY) / (B * B);
  const double HalfW = A * std::sqrt(std::max(Q, 0.0));
  const auto O = static_cast<int64_t>(std::ceil(A - HalfW - 0.5 - 1e-9));
  return std::clamp<int64_t>(O, 0, (W - 1) / 2);
}

// Row spans First .. First+Count-1 of a rectangle X1..X2-1 x Y1..Y2-1 with
// corners cut by quarters of a CW x CH ellipse (the whole ellipse when the
// corners cover the box).
void RoundedSpans(int X1, int Y1, int X2, int Y2, int64_t CW, int64_t CH, int64_t First, int64_t Count,
                  std::vector<int>& Lefts, std::vector<int>& Rights) {
  const int64_t W = int64_t{X2} - X1, H = int64_t{Y2} - Y1;
  CW = std::clamp<int64_t>(CW, 0, W);
  CH = std::clamp<int64_t>(CH, 0, H);
  Lefts.assign(static_cast<size_t>(Count), X1);
  Rights.assign(static_cast<size_t>(Count), X2 - 1);
  if (CW == 0 || CH == 0) return;
  const int64_t CornerRows = CH / 2 + CH % 2;
  for (int64_t I = 0; I < Count; ++I) {
    const int64_t R = First + I;
    const int64_t K = std::min(R, H - 1 - R);
    if (K >= CornerRows) continue;
    const int64_t O = EllipseOffset(CW, CH, K);
    Lefts[static_cast<size_t>(I)] = static_cast<int>(X1 + O);
    Rights[static_cast<size_t>(I)] = static_cast<int>(X2 - 1 - O);
  }
}

// Classifies an inside mask (W x H, 1 = inside) into brush (1) and pen (2)
// pixels: the pen takes the pixels with an outside pixel within Depth pixels
// (four-connected neighbours for a one-pixel border); without pen
// everything inside is brush. The mask may be a window of a larger shape:
// a pixel beyond the window counts as outside where BeyondIsOutside says
// so (it is beyond the shape) and as far inside otherwise, which is exact
// for the pixels at least Depth + 1 from the window's cut sides.
template <typename TBeyond>
std::vector<uint8_t> Classify(int W, int H, const std::vector<uint8_t>& Mask, int Depth,
                              const TBeyond& BeyondIsOutside) {
  std::vector<uint8_t> Out(Mask.size(), 0);
  if (Depth <= 0) {
    for (size_t I = 0; I < Mask.size(); ++I) Out[I] = Mask[I] ? 1 : 0;
    return Out;
  }
  auto At = [&](int X, int Y) -> bool {
    if (X < 0 || Y < 0 || X >= W || Y >= H) return !BeyondIsOutside(X, Y);
    return Mask[static_cast<size_t>(Y) * W + X] != 0;
  };
  if (Depth == 1) {
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) {
        if (!Mask[static_cast<size_t>(Y) * W + X]) continue;
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
    if (X < 0 || Y < 0 || X >= W || Y >= H) return BeyondIsOutside(X, Y) ? 0 : Inf;
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

// Corners covering any box, however wide: the whole ellipse.
constexpr TSize kWholeEllipse{std::numeric_limits<int>::max(), std::numeric_limits<int>::max()};

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

namespace {

// A polygon edge on its way down the pixel rows y with Y0 <= y < Y1. The
// rows are sampled either through the pixel centres (y + 1/2), where X is
// the first pixel whose centre is at or right of the crossing x, ceil(x - 1/2),
// or along the pixels' top-left corners (y), where X is ceil(x). X moves by a
// whole step and a remainder per row, so no row needs a division.
__extension__ using Int128 = __int128;

struct TPolyEdge {
  TPolyEdge(int64_t AY0, int64_t AY1, int64_t AX0, int64_t ADX, int ADir)
      : Y0(AY0), Y1(AY1), X0(AX0), DX(ADX), Dir(ADir) {}
  int64_t Y0, Y1, X0, DX;
  int Dir;
  int64_t X = 0, Err = 0;      // X * Den - Err is the crossing numerator, 0 <= Err < Den
  int64_t Den = 0, Step = 0, StepRem = 0;

  // Sets X for row Y: numerator 2*X0*DY + (2*(Y - Y0) + 1)*DX - DY over 2*DY
  // through the centres, 2*X0*DY + 2*(Y - Y0)*DX over 2*DY at the corners.
  void Start(int64_t Y, bool AtCorners) {
    const int64_t DY = Y1 - Y0;
    Den = 2 * DY;
    const Int128 Num = AtCorners ? Int128{2} * X0 * DY + Int128{2 * (Y - Y0)} * DX
                                 : Int128{2} * X0 * DY + Int128{2 * (Y - Y0) + 1} * DX - DY;
    X = static_cast<int64_t>(Num / Den);
    const auto R = static_cast<int64_t>(Num % Den);  // truncated: R has the sign of Num
    if (R > 0) ++X;
    Err = R > 0 ? Den - R : -R;
    // Per row the numerator grows by 2*DX = Step*Den + StepRem, 0 <= StepRem < Den.
    Step = (2 * DX) / Den;
    StepRem = (2 * DX) % Den;
    if (StepRem < 0) {
      StepRem += Den;
      --Step;
    }
  }
  void NextRow() {
    X += Step;
    Err -= StepRem;
    if (Err < 0) {
      Err += Den;
      ++X;
    }
  }
};

}  // namespace

void TCanvas::FillPolygon(std::span<const TPoint> Points, bool AtCorners) {
  std::vector<TPolyEdge> Edges;
  Edges.reserve(Points.size());
  int64_t MinY = Points[0].Y, MaxY = Points[0].Y;
  for (size_t I = 0; I < Points.size(); ++I) {
    const TPoint& A = Points[I];
    const TPoint& B = Points[(I + 1) % Points.size()];
    MinY = std::min<int64_t>(MinY, A.Y);
    MaxY = std::max<int64_t>(MaxY, A.Y);
    if (A.Y == B.Y) continue;  // horizontal edges cross no pixel-centre row
    if (A.Y < B.Y)
      Edges.emplace_back(A.Y, B.Y, A.X, int64_t{B.X} - A.X, 1);
    else
      Edges.emplace_back(B.Y, A.Y, B.X, int64_t{A.X} - B.X, -1);
  }
  std::sort(Edges.begin(), Edges.end(), [](const TPolyEdge& A, const TPolyEdge& B) { return A.Y0 < B.Y0; });
  const TRect C = DeviceClip();
  if (C.IsEmpty()) return;
  const int64_t Top = std::max<int64_t>(MinY, int64_t{C.Top} - FOrigin.Y);
  const int64_t Bottom = std::min<int64_t>(MaxY, int64_t{C.Bottom} - FOrigin.Y);  // exclusive
  const int64_t VisL = int64_t{C.Left} - FOrigin.X, VisR = int64_t{C.Right} - 1 - FOrigin.X;
  const uint32_t Brush = BrushPixel();
  const bool Winding = FPolyFillMode == WINDING;
  std::vector<TPolyEdge*> Active;
  std::vector<std::pair<int64_t, int>> Cross;
  size_t Next = 0;
  for (int64_t Y = Top; Y < Bottom; ++Y) {
    // The active edge table: edges covering this row, entering in order of Y0.
    while (Next < Edges.size() && Edges[Next].Y0 <= Y) {
      TPolyEdge& E = Edges[Next++];
      if (E.Y1 <= Y) continue;
      E.Start(Y, AtCorners);
      Active.push_back(&E);
    }
    Cross.clear();
    for (size_t I = 0; I < Active.size();) {
      TPolyEdge* E = Active[I];
      if (E->Y1 <= Y) {
        Active[I] = Active.back();
        Active.pop_back();
        continue;
      }
      Cross.emplace_back(E->X, E->Dir);
      E->NextRow();
      ++I;
    }
    // Few crossings per row: insertion sort.
    for (size_t I = 1; I < Cross.size(); ++I)
      for (size_t J = I; J > 0 && Cross[J] < Cross[J - 1]; --J) std::swap(Cross[J], Cross[J - 1]);
    int Wind = 0;
    for (size_t I = 0; I + 1 < Cross.size(); ++I) {
      Wind += Cross[I].second;
      const bool Inside = Winding ? Wind != 0 : (I % 2 == 0);
      if (!Inside) continue;
      const int64_t L = std::max(Cross[I].first, VisL), R = std::min(Cross[I + 1].first - 1, VisR);
      if (L <= R) CombineSpan(static_cast<int>(Y), static_cast<int>(L), static_cast<int>(R), Brush);
    }
  }
}

void TCanvas::Polygon(std::span<const TPoint> Points) {
  if (Points.size() < 2 || FTarget == nullptr) return;
  // A one-pixel outline runs through the centres of the vertex pixels; the
  // fill under it is sampled on the same lattice, so it meets the outline
  // on every side. Sampled at the centres it would fall half a pixel short
  // on the right of edges sloping down to the left and leave a diagonal of
  // unfilled pixels there (and overhang the outline on the left of such
  // edges). Without an outline, or under a wider one, the centres are kept.
  const bool ThinOutline = PenVisible() && FPen.Width() <= 1;
  if (BrushVisible() && Points.size() >= 3) FillPolygon(Points, ThinOutline);
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

void TCanvas::PaintSpanShape(int Top, int64_t Rows, int64_t First, const std::vector<int>& Lefts,
                             const std::vector<int>& Rights) {
  const auto N = static_cast<int64_t>(Lefts.size());
  const uint32_t Brush = BrushPixel(), Pen = PenPixel();
  const bool Fill = BrushVisible(), Outline = PenVisible();
  const TRect C = DeviceClip();
  if (C.IsEmpty()) return;
  // Spans are cut to the clip here, so that far-away ends never reach the
  // span routines' own arithmetic.
  const int64_t VisL = int64_t{C.Left} - FOrigin.X, VisR = int64_t{C.Right} - 1 - FOrigin.X;
  auto Span = [&](int Y, int64_t L, int64_t R, uint32_t Pixel) {
    L = std::max(L, VisL);
    R = std::min(R, VisR);
    if (L <= R) CombineSpan(Y, static_cast<int>(L), static_cast<int>(R), Pixel);
  };
  // Row R of the shape (R - First indexes the spans); rows outside have no span.
  auto L = [&](int64_t R) { return R < 0 || R >= Rows ? 0 : Lefts[static_cast<size_t>(R - First)]; };
  auto Rt = [&](int64_t R) { return R < 0 || R >= Rows ? -1 : Rights[static_cast<size_t>(R - First)]; };
  const int64_t RowLo = std::max<int64_t>(First, int64_t{C.Top} - FOrigin.Y - Top);
  const int64_t RowHi = std::min<int64_t>(First + N, int64_t{C.Bottom} - FOrigin.Y - Top);
  for (int64_t R = RowLo; R < RowHi; ++R) {
    // A border row's neighbour must be among the spans given.
    if ((R > 0 && R - 1 < First) || (R + 1 < Rows && R + 1 >= First + N)) continue;
    const int Y = static_cast<int>(Top + R);
    const int64_t SL = L(R), SR = Rt(R);
    if (SL > SR) continue;
    if (!Outline) {
      if (Fill) Span(Y, SL, SR, Brush);
      continue;
    }
    // Inside pixels have all four neighbours in the shape; spans are convex,
    // so they form one run.
    int64_t IL = SL + 1, IR = SR - 1;
    if (R == 0 || R == Rows - 1) {
      IL = 1;
      IR = 0;
    } else {
      IL = std::max<int64_t>({IL, L(R - 1), L(R + 1)});
      IR = std::min<int64_t>({IR, Rt(R - 1), Rt(R + 1)});
    }
    if (IL > IR) {
      Span(Y, SL, SR, Pen);
      continue;
    }
    Span(Y, SL, IL - 1, Pen);
    if (Fill) Span(Y, IL, IR, Brush);
    Span(Y, IR + 1, SR, Pen);
  }
}

// The rows of a Height-row shape at Top that the clip shows, with one more
// row on each side where the shape has one: [First, First + Count).
static void VisibleRows(const TRect& Clip, const TPoint& Origin, int Top, int64_t Height, int64_t& First,
                        int64_t& Count) {
  const int64_t Lo = std::max<int64_t>(0, int64_t{Clip.Top} - Origin.Y - Top - 1);
  const int64_t Hi = std::min<int64_t>(Height, int64_t{Clip.Bottom} - Origin.Y - Top + 1);
  First = Lo;
  Count = std::max<int64_t>(0, Hi - Lo);
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
    PaintEllipseShape(akEllipse, X1, Y1, X2, Y2, 0, 0, 0, 0, kWholeEllipse);
    return;
  }
  // Only the rows the clip shows are worked out.
  int64_t First = 0, Count = 0;
  const int64_t W = int64_t{X2} - X1, H = int64_t{Y2} - Y1;
  VisibleRows(DeviceClip(), FOrigin, Y1, H, First, Count);
  if (Count == 0) return;
  std::vector<int> Lefts, Rights;
  RoundedSpans(X1, Y1, X2, Y2, W, H, First, Count, Lefts, Rights);
  PaintSpanShape(Y1, H, First, Lefts, Rights);
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
  int64_t First = 0, Count = 0;
  const int64_t H = int64_t{Y2} - Y1;
  VisibleRows(DeviceClip(), FOrigin, Y1, H, First, Count);
  if (Count == 0) return;
  std::vector<int> Lefts, Rights;
  RoundedSpans(X1, Y1, X2, Y2, X3, Y3, First, Count, Lefts, Rights);
  PaintSpanShape(Y1, H, First, Lefts, Rights);
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  PaintEllipseShape(akArc, X1, Y1, X2, Y2, X3, Y3, X4, Y4, kWholeEllipse);
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  PaintEllipseShape(akPie, X1, Y1, X2, Y2, X3, Y3, X4, Y4, kWholeEllipse);
}

void TCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  PaintEllipseShape(akChord, X1, Y1, X2, Y2, X3, Y3, X4, Y4, kWholeEllipse);
}

void TCanvas::PaintEllipseShape(TArcKind Kind, int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4,
                                TSize Corner) {
  Normalize(X1, X2);
  Normalize(Y1, Y2);
  if (X1 == X2 || Y1 == Y2 || FTarget == nullptr) return;
  if (Kind == akArc && !PenVisible()) return;
  // Angles are measured around the centre of the bounding box in pixel-centre
  // coordinates, counter-clockwise on the screen (y grows downwards).
  const double CX = (static_cast<double>(X1) + X2 - 1) / 2.0, CY = (static_cast<double>(Y1) + Y2 - 1) / 2.0;
  const double A0 = NormalizeAngle(std::atan2(CY - Y3, X3 - CX));
  double Sweep = NormalizeAngle(std::atan2(CY - Y4, X4 - CX) - A0);
  if (Sweep == 0) Sweep = 2 * std::numbers::pi;
  // Whether a pixel lies in the sector from the start radial counter-
  // clockwise to the end radial (both included), decided exactly on twice
  // the offsets from the centre by the signs of cross products.
  using TVec = std::pair<int64_t, int64_t>;
  const int64_t C2X = int64_t{X1} + X2 - 1, C2Y = int64_t{Y1} + Y2 - 1;
  auto Offset = [&](int64_t X, int64_t Y) { return TVec{2 * X - C2X, C2Y - 2 * Y}; };
  auto Cross = [](const TVec& A, const TVec& B) {
    return Int128{A.first} * B.second - Int128{A.second} * B.first;
  };
  TVec S = Offset(X3, Y3), E = Offset(X4, Y4);
  if (S == TVec{0, 0}) S = TVec{1, 0};  // a radial through the centre points east
  if (E == TVec{0, 0}) E = TVec{1, 0};
  const Int128 SE = Cross(S, E);
  const Int128 Dot = Int128{S.first} * E.first + Int128{S.second} * E.second;
  const bool Full = Kind == akEllipse || (SE == 0 && Dot > 0);
  auto InSector = [&](int64_t X, int64_t Y) {
    const TVec V = Offset(X, Y);
    if (V == TVec{0, 0}) return true;
    const bool AfterStart = Cross(S, V) >= 0, BeforeEnd = Cross(V, E) >= 0;
    if (SE > 0) return AfterStart && BeforeEnd;  // less than a half turn
    if (SE < 0) return AfterStart || BeforeEnd;  // more than a half turn
    return AfterStart;                           // exactly a half turn
  };

  // Wide outlines are centred on the one-pixel outline unless kept inside.
  const int PW = PenVisible() ? FPen.Width() : 0;
  int Grow = 0, Grow2 = 0;
  if (PW > 1 && FPen.Style() != psInsideFrame) {
    Grow = PW / 2;
    Grow2 = (PW - 1) / 2;
  }
  // The shape's box in 64 bits (it may reach past the ends of int), and the
  // window of it that is worked out: the visible part and a margin as deep
  // as the pen, so the pixels shown are classified as in the whole shape.
  const int64_t BL = int64_t{X1} - Grow, BT = int64_t{Y1} - Grow, BR = int64_t{X2} + Grow2, BB = int64_t{Y2} + Grow2;
  const TRect C = DeviceClip();
  if (C.IsEmpty()) return;
  const int64_t VL = int64_t{C.Left} - FOrigin.X, VT = int64_t{C.Top} - FOrigin.Y;
  const int64_t VR = int64_t{C.Right} - FOrigin.X, VB = int64_t{C.Bottom} - FOrigin.Y;
  if (std::max(BL, VL) >= std::min(BR, VR) || std::max(BT, VT) >= std::min(BB, VB)) return;
  const int64_t Margin = std::max(PW, 1) + 1;
  const int64_t WL = std::max(BL, VL - Margin), WT = std::max(BT, VT - Margin);
  const int64_t WR = std::min(BR, VR + Margin), WB = std::min(BB, VB + Margin);
  const int W = static_cast<int>(WR - WL), H = static_cast<int>(WB - WT);
  const int64_t BoxW = BR - BL, BoxH = BB - BT;
  const bool Whole = Corner.cx == kWholeEllipse.cx && Corner.cy == kWholeEllipse.cy;
  const int64_t CW = Whole ? BoxW : std::clamp<int64_t>(int64_t{Corner.cx} + Grow + Grow2, 0, BoxW);
  const int64_t CH = Whole ? BoxH : std::clamp<int64_t>(int64_t{Corner.cy} + Grow + Grow2, 0, BoxH);
  const int64_t CornerRows = CH / 2 + CH % 2;
  // The chord's line joins the points where the two radials meet the ellipse.
  const double RA = (static_cast<double>(X2) - X1) / 2.0, RB = (static_cast<double>(Y2) - Y1) / 2.0;
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
  std::vector<uint8_t> Mask(static_cast<size_t>(W) * H, 0);
  for (int Y = 0; Y < H; ++Y) {
    // Row R of the box: the rounded corners cut its ends (see RoundedSpans).
    const int64_t R = WT - BT + Y;
    int64_t O = 0;
    const int64_t K = std::min(R, BoxH - 1 - R);
    if (CW > 0 && CH > 0 && K < CornerRows) O = EllipseOffset(CW, CH, K);
    const int64_t L = std::max(BL + O, WL), Rt = std::min(BR - 1 - O, WR - 1);
    for (int64_t GX = L; GX <= Rt; ++GX) {
      const auto GY = static_cast<double>(WT + Y);
      bool In = true;
      if (!Full && Kind == akPie) In = InSector(GX, WT + Y);
      if (!Full && Kind == akChord) {
        const double S = Side(static_cast<double>(GX), GY);
        In = (MidSide > 0 ? S : -S) >= -1e-7;  // points on the chord count
      }
      Mask[static_cast<size_t>(Y) * W + static_cast<size_t>(GX - WL)] = In ? 1 : 0;
    }
  }
  auto BeyondBox = [&](int X, int Y) {
    const int64_t GX = WL + X, GY = WT + Y;
    return GX < BL || GX >= BR || GY < BT || GY >= BB;
  };
  std::vector<uint8_t> Classes = Classify(W, H, Mask, PW, BeyondBox);
  if (Kind == akArc) {
    // The arc is the outline alone, between the radials.
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) {
        uint8_t& K = Classes[static_cast<size_t>(Y) * W + X];
        if (K == 2 && !Full && !InSector(WL + X, WT + Y)) K = 0;
        if (K == 1) K = 0;
      }
  } else if (!BrushVisible()) {
    for (uint8_t& K : Classes)
      if (K == 1) K = 0;
  }
  PaintClasses(TRect{static_cast<int>(WL), static_cast<int>(WT), static_cast<int>(WR), static_cast<int>(WB)},
               Classes);
}

}  // namespace orv
