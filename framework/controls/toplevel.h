#pragma once
// TTopLevelSurface: what a top-level window offers the controls on it. The
// controls layer reaches the window above it only through this interface,
// so it needs nothing of the forms built on top of it.

#include "framework/graphics/bitmap.h"
#include "framework/rtl/types.h"

namespace orv {

class TCustomForm;
class TWinControl;

class TTopLevelSurface {
 public:
  // The window itself, as a window control and as a form.
  virtual TWinControl* Window() = 0;
  virtual TCustomForm* Form() = 0;

  // The surface every control on the window paints on (window client size).
  virtual TBitmap* Surface() = 0;
  // Rect (window client coordinates) needs painting in the next pass.
  virtual void InvalidateRect(const TRect& Rect) = 0;
  // A control drew into Rect outside a paint pass; it still has to be shown.
  virtual void MarkDrawn(const TRect& Rect) = 0;
  // Paints what is dirty now and shows it.
  virtual void PaintPending() = 0;

  // Keys go to the window first when this is set.
  virtual bool KeyPreview() const = 0;
  // The focused control (nullptr: the window itself).
  virtual TWinControl* ActiveControl() const = 0;
  // Moves the focus, firing the exit and enter events.
  virtual void SetFocusedControl(TWinControl* Control) = 0;
  // Drops the focused control without events: it is leaving the window.
  virtual void ForgetActiveControl() = 0;

 protected:
  TTopLevelSurface() = default;
  ~TTopLevelSurface() = default;
  TTopLevelSurface(const TTopLevelSurface&) = default;
  TTopLevelSurface& operator=(const TTopLevelSurface&) = default;
};

}  // namespace orv
