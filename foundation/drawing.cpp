// Bevel frames, marker symbols and outlines on a canvas.

#include "foundation/drawing.h"

#include <array>

#include "framework/graphics/edges.h"

namespace orv {

namespace {

enum TMarkShape : uint8_t {
  mkDot,
  mkSquare,
  mkCircle,
  mkDiamond,
  mkTriUp,
  mkTriDown,
  mkTriLeft,
  mkTriRight,
  mkCross,
  mkPlus,
  mkStar
};

struct TMark {
  TMarkShape Shape;
  int8_t Size;  // half-width in pixels
  bool Filled;
};

// The open shapes of one size, then the filled ones.
constexpr std::array<TMarkShape, 10> kOpenShapes{mkSquare, mkCircle, mkDiamond, mkTriUp, mkTriDown,
                                                 mkTriLeft, mkTriRight, mkCross, mkPlus, mkStar};
constexpr std::array<TMarkShape, 7> kFilledShapes{mkSquare, mkCircle, mkDiamond, mkTriUp, mkTriDown, mkTriLeft,
                                                  mkTriRight};
constexpr std::array<int8_t, 3> kSizes{3, 2, 4};

constexpr std::array<TMark, kMarkCount> BuildMarks() {
  std::array<TMark, kMarkCount> M{};
  size_t N = 0;
  M[N++] = TMark{mkDot, 0, false};
  for (int8_t Size : kSizes) {
    for (TMarkShape S : kOpenShapes) M[N++] = TMark{S, Size, false};
    for (TMarkShape S : kFilledShapes) M[N++] = TMark{S, Size, true};
  }
  return M;
}

constexpr std::array<TMark, kMarkCount> kMarks = BuildMarks();
static_assert(kMarks[kMarkCount - 1].Filled && kMarks[kMarkCount - 1].Size == 4);

int Sign(int V) { return (V > 0) - (V < 0); }

// A horizontal, vertical or diagonal line that includes both end points
// (LineTo one step further), drawn in the pen and its mode.
void Segment(TCanvas* C, int X1, int Y1, int X2, int Y2) {
  const int SX = Sign(X2 - X1), SY = Sign(Y2 - Y1);
  C->MoveTo(X1, Y1);
  if (SX == 0 && SY == 0)
    C->LineTo(X1 + 1, Y1);
  else
    C->LineTo(X2 + SX, Y2 + SY);
}

}  // namespace

void DrawFrame(TCanvas* Canvas, TFrameStyle Style, int Left, int Top, int Right, int Bottom, TColor C1,
               TColor /*C2*/, TColor C3, TColor C4, TColor /*C5*/) {
  if (Canvas == nullptr || Left > Right || Top > Bottom) return;
  const TRect Box{Left, Top, Right + 1, Bottom + 1};
  switch (Style) {
    case fsNone:
      break;
    case fsSimple:
      DrawEdgeRing(Canvas, Box, C4, C4);
      break;
    case fsLowered:
      DrawEdgeRing(Canvas, Box, C3, C1);
      break;
    case fsRaised:
      DrawEdgeRing(Canvas, Box, C1, C3);
      break;
    case fsEmbossed:
      DrawEdge(Canvas, Box, TEdgeColors{C1, C3, C3, C1});
      break;
    case fsEngraved:
      DrawEdge(Canvas, Box, TEdgeColors{C3, C1, C1, C3});
      break;
  }
}

void DrawMarkOnCanvas(TCanvas* Canvas, int MarkType, int X, int Y) {
  if (Canvas == nullptr || MarkType < 0 || MarkType >= kMarkCount) return;
  const TMark M = kMarks[static_cast<size_t>(MarkType)];
  const int R = M.Size;
  TBrush* Brush = Canvas->Brush();
  const TColor OldColor = Brush->Color();
  const TBrushStyle OldStyle = Brush->Style();
  const TPoint OldPos = Canvas->PenPos();
  if (M.Filled)
    Brush->SetColor(Canvas->Pen()->Color());
  else
    Brush->SetStyle(bsClear);

  auto Poly = [&](std::initializer_list<TPoint> Pts) {
    Canvas->Polygon(std::span<const TPoint>(Pts.begin(), Pts.size()));
  };
  switch (M.Shape) {
    case mkDot:
      Segment(Canvas, X, Y, X, Y);
      break;
    case mkSquare:
      Canvas->Rectangle(X - R, Y - R, X + R + 1, Y + R + 1);
      break;
    case mkCircle:
      Canvas->Ellipse(X - R, Y - R, X + R + 1, Y + R + 1);
      break;
    case mkDiamond:
      Poly({{X, Y - R}, {X + R, Y}, {X, Y + R}, {X - R, Y}});
      break;
    case mkTriUp:
      Poly({{X, Y - R}, {X + R, Y + R}, {X - R, Y + R}});
      break;
    case mkTriDown:
      Poly({{X - R, Y - R}, {X + R, Y - R}, {X, Y + R}});
      break;
    case mkTriLeft:
      Poly({{X - R, Y}, {X + R, Y - R}, {X + R, Y + R}});
      break;
    case mkTriRight:
      Poly({{X - R, Y - R}, {X + R, Y}, {X - R, Y + R}});
      break;
    case mkCross:
      Segment(Canvas, X - R, Y - R, X + R, Y + R);
      Segment(Canvas, X + R, Y - R, X - R, Y + R);
      break;
    case mkPlus:
      Segment(Canvas, X - R, Y, X + R, Y);
      Segment(Canvas, X, Y - R, X, Y + R);
      break;
    case mkStar: {
      // Diagonals one pixel shorter than the arms; at the smallest size that
      // would close the star into the filled diamond, so they reach the corners.
      const int D = R > 2 ? R - 1 : R;
      Segment(Canvas, X - R, Y, X + R, Y);
      Segment(Canvas, X, Y - R, X, Y + R);
      Segment(Canvas, X - D, Y - D, X + D, Y + D);
      Segment(Canvas, X + D, Y - D, X - D, Y + D);
      break;
    }
  }
  Brush->SetColor(OldColor);
  Brush->SetStyle(OldStyle);
  Canvas->MoveTo(OldPos.X, OldPos.Y);
}

void DrawRectangle(TCanvas* Canvas, int X1, int Y1, int X2, int Y2) {
  if (Canvas == nullptr) return;
  const TPoint OldPos = Canvas->PenPos();
  const TPoint Path[5] = {{X1, Y1}, {X2, Y1}, {X2, Y2}, {X1, Y2}, {X1, Y1}};
  Canvas->Polyline(Path);
  // A degenerate box (a point) still shows its pixel.
  if (X1 == X2 && Y1 == Y2) Segment(Canvas, X1, Y1, X1, Y1);
  Canvas->MoveTo(OldPos.X, OldPos.Y);
}

}  // namespace orv
