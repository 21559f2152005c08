#include "framework/backends/headless/headless.h"

#include "framework/controls/application.h"
#include "framework/controls/timers.h"
#include "framework/forms/form.h"
#include "framework/graphics/pngcodec.h"
#include "framework/rtl/atomicfile.h"
#include "framework/rtl/files.h"
#include "framework/rtl/sysutils.h"

namespace orv {

void THeadlessBackend::CreateFormWindow(TCustomForm*) {}
void THeadlessBackend::DestroyFormWindow(TCustomForm*) {}
void THeadlessBackend::SetFormCaption(TCustomForm*, const String&) {}

void THeadlessBackend::Present(TCustomForm*, const TRect&) { ++FPresentCount; }

void THeadlessBackend::RunLoop(const std::function<bool()>&) {
  // Nothing ever arrives without a display: handle what is pending once.
  Application->ProcessMessages();
}

int THeadlessBackend::RunModal(TCustomForm* Form) {
  Application->ProcessMessages();
  return Form->ModalResult();
}

void THeadlessBackend::SetCursor(TCursor Cursor) { FCursor = Cursor; }

uint64_t THeadlessBackend::MonotonicMs() { return static_cast<uint64_t>(timers::Now()); }

// Without a display there is nothing else to pick: programs and tests run
// headless until they install a windowing backend.
std::unique_ptr<TBackend> CreateDefaultBackend() { return std::make_unique<THeadlessBackend>(); }

void SnapshotForm(TCustomForm* Form, const String& FileName) {
  if (!Form) return;
  Form->PaintPending();
  TBitmap* Surface = Form->Surface();
  // Snapshots are written often and read rarely: PNG with quick compression.
  if (SameText(ExtractFileExt(FileName), u".png") && Surface->Width() > 0 && Surface->Height() > 0) {
    const std::vector<uint8_t> Bytes =
        EncodePng(Surface->Bits(), Surface->Width(), Surface->Height(), Surface->PixelFormat(), true);
    SaveFileAtomically(FileName, Bytes.data(), Bytes.size());
    return;
  }
  Surface->SaveToFile(FileName);
}

}  // namespace orv
