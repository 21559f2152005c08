#include "framework/graphics/edges.h"

namespace orv {

namespace {

TRect Inset(const TRect& R) { return TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1}; }

void Fill(TCanvas* C, TColor Color, const TRect& R) {
  if (Color == clNone || R.IsEmpty()) return;
  C->Brush()->SetColor(Color);
  C->FillRect(R);
}

// Draws the ring with the brush already solid; the caller restores it.
void Ring(TCanvas* C, const TRect& R, TColor TopLeft, TColor BottomRight) {
  if (R.IsEmpty()) return;
  Fill(C, TopLeft, TRect{R.Left, R.Top, R.Right - 1, R.Top + 1});
  Fill(C, TopLeft, TRect{R.Left, R.Top, R.Left + 1, R.Bottom - 1});
  Fill(C, BottomRight, TRect{R.Left, R.Bottom - 1, R.Right, R.Bottom});
  Fill(C, BottomRight, TRect{R.Right - 1, R.Top, R.Right, R.Bottom});
}

// Keeps the brush of the canvas across the ring fills.
class TBrushKeeper {
 public:
  explicit TBrushKeeper(TCanvas* C) : FBrush(C->Brush()), FColor(FBrush->Color()), FStyle(FBrush->Style()) {
    FBrush->SetStyle(bsSolid);
  }
  ~TBrushKeeper() {
    FBrush->SetColor(FColor);
    FBrush->SetStyle(FStyle);
  }
  TBrushKeeper(const TBrushKeeper&) = delete;
  TBrushKeeper& operator=(const TBrushKeeper&) = delete;

 private:
  TBrush* FBrush;
  TColor FColor;
  TBrushStyle FStyle;
};

}  // namespace

TRect DrawEdge(TCanvas* Canvas, const TRect& Rect, const TEdgeColors& Colors) {
  if (Canvas && !Rect.IsEmpty()) {
    TBrushKeeper Keep(Canvas);
    Ring(Canvas, Rect, Colors.OuterTopLeft, Colors.OuterBottomRight);
    Ring(Canvas, Inset(Rect), Colors.InnerTopLeft, Colors.InnerBottomRight);
  }
  return Inset(Inset(Rect));
}

TRect DrawEdgeRing(TCanvas* Canvas, const TRect& Rect, TColor TopLeft, TColor BottomRight) {
  if (Canvas && !Rect.IsEmpty()) {
    TBrushKeeper Keep(Canvas);
    Ring(Canvas, Rect, TopLeft, BottomRight);
  }
  return Inset(Rect);
}

}  // namespace orv
