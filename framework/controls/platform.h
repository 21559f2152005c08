#pragma once
// The platform port: what a backend gives the application and its controls.
// The controls layer owns this interface; backends implement it. The
// headless backend has no windows and a virtual clock; a windowing backend
// shows each top-level form in a window of its own and presents the form's
// surface there.

#include <cstdint>
#include <functional>
#include <memory>

#include "framework/controls/cursors.h"
#include "framework/rtl/types.h"

namespace orv {

class TCustomForm;

class TBackend {
 public:
  virtual ~TBackend() = default;

  virtual bool IsHeadless() const = 0;
  // A form became visible / was hidden or destroyed.
  virtual void CreateFormWindow(TCustomForm* Form) = 0;
  virtual void DestroyFormWindow(TCustomForm* Form) = 0;
  virtual void SetFormCaption(TCustomForm* Form, const String& Caption) = 0;
  // Form surface pixels inside Rect (form client coordinates) changed.
  virtual void Present(TCustomForm* Form, const TRect& Rect) = 0;
  // Runs the event loop until Done answers true (headless: handles what is
  // pending once and returns).
  virtual void RunLoop(const std::function<bool()>& Done) = 0;
  // Shows Form modally until its ModalResult is set; returns it. Headless:
  // returns at once with the form's ModalResult.
  virtual int RunModal(TCustomForm* Form) = 0;
  virtual void SetCursor(TCursor Cursor) = 0;
  // Milliseconds the timers should move on by before the loop looks again;
  // a headless clock never moves on its own.
  virtual uint64_t MonotonicMs() = 0;
  virtual TSize ScreenSize() const = 0;
};

// The backend an application uses until another is installed. The backend
// library linked in as the default provides it.
std::unique_ptr<TBackend> CreateDefaultBackend();

}  // namespace orv
