#pragma once
// The headless backend: no windows, no display, a clock that moves only
// through Application->AdvanceTime. Forms still paint onto their surfaces,
// which SnapshotForm writes to PNG files.

#include "framework/backends/backend.h"

namespace orv {

class TForm;

class THeadlessBackend : public TBackend {
 public:
  bool IsHeadless() const override { return true; }
  void CreateFormWindow(TCustomForm* Form) override;
  void DestroyFormWindow(TCustomForm* Form) override;
  void SetFormCaption(TCustomForm* Form, const String& Caption) override;
  void Present(TCustomForm* Form, const TRect& Rect) override;
  void RunLoop(const std::function<bool()>& Done) override;
  int RunModal(TCustomForm* Form) override;
  void SetCursor(TCursor Cursor) override;
  uint64_t MonotonicMs() override;
  TSize ScreenSize() const override { return TSize{1920, 1080}; }

  TCursor CurrentCursor() const { return FCursor; }
  int PresentCount() const { return FPresentCount; }

 private:
  TCursor FCursor = 0;
  int FPresentCount = 0;
};

// Paints what is pending on Form and writes its surface to a PNG file.
void SnapshotForm(TCustomForm* Form, const String& FileName);

}  // namespace orv
