#include "framework/controls/paint.h"

#include <algorithm>

#include "framework/controls/wincontrol.h"
#include "framework/graphics/colors.h"

namespace orv {

namespace {

void FillTarget(TBitmap* Target, const TRect& R, TColor Color) {
  const uint32_t Pixel = ColorToPixel(ColorToRGB(Color) & 0x00FFFFFF);
  for (int Y = R.Top; Y < R.Bottom; ++Y) std::fill_n(Target->ScanLine(Y) + R.Left, R.Width(), Pixel);
}

// Points the control's canvas at the target for the time of its painting and
// back at the form surface afterwards, even when Paint throws.
class TCanvasRedirect {
 public:
  TCanvasRedirect(bool& Flag, TCanvas* Canvas, TBitmap*& ViewTarget) : FFlag(Flag), FViewTarget(ViewTarget) {
    FWasRedirected = Flag;
    FSavedTarget = Canvas ? Canvas->Target() : nullptr;
    FCanvas = Canvas;
    if (Canvas) {
      FSavedOrigin = Canvas->Origin();
      FSavedClip = Canvas->DeviceClip();
    }
  }
  ~TCanvasRedirect() {
    FFlag = FWasRedirected;
    if (FCanvas && FWasRedirected) {
      FCanvas->SetTarget(FSavedTarget);
      FCanvas->SetView(FSavedOrigin, FSavedClip);
    } else if (FCanvas) {
      // The paint target may be a caller's short-lived bitmap: never keep it.
      FCanvas->SetTarget(nullptr);
    }
    FViewTarget = nullptr;  // the next Canvas() call sets the screen view again
  }
  TCanvasRedirect(const TCanvasRedirect&) = delete;
  TCanvasRedirect& operator=(const TCanvasRedirect&) = delete;

 private:
  bool& FFlag;
  TBitmap*& FViewTarget;
  bool FWasRedirected;
  TCanvas* FCanvas;
  TBitmap* FSavedTarget;
  TPoint FSavedOrigin;
  TRect FSavedClip;
};

}  // namespace

void TPaintEngine::PaintTree(TControl* Control, TBitmap* Target, TPoint Origin, const TRect& Clip) {
  if (!Control || !Target) return;
  TRect R{Origin.X, Origin.Y, Origin.X + Control->Width(), Origin.Y + Control->Height()};
  R = IntersectRect(IntersectRect(R, Clip), TRect{0, 0, Target->Width(), Target->Height()});
  if (R.IsEmpty()) return;
  auto* Win = dynamic_cast<TWinControl*>(Control);
  if (Win && !Control->ControlStyle().Contains(csOpaque)) FillTarget(Target, R, Control->Color());
  {
    TCanvasRedirect Redirect(Control->FCanvasRedirected, Control->FCanvas.get(), Control->FViewTarget);
    if (Control->FCanvas) {
      Control->FCanvasRedirected = true;
      Control->FCanvas->SetTarget(Target);
      Control->FCanvas->SetView(Origin, R);
    }
    Control->Perform(WM_PAINT);
  }
  if (!Win) return;
  const std::vector<TControl*> Children = Win->FControls;
  for (TControl* C : Children) {
    if (!C->Visible() || C->Parent() != Win) continue;
    PaintTree(C, Target, TPoint{Origin.X + C->Left(), Origin.Y + C->Top()}, R);
  }
}

void TControl::PaintTo(TCanvas* Dest, int X, int Y) {
  if (!Dest || !Dest->Target()) return;
  const TPoint O = Dest->Origin();
  TPaintEngine::PaintTree(this, Dest->Target(), TPoint{O.X + X, O.Y + Y}, Dest->DeviceClip());
}

}  // namespace orv
