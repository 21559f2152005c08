#pragma once
// The clipboard as the components see it: plain text only. By default the
// text lives inside the process (headless runs and tests); a windowing
// backend installs its own TClipboardBackend to reach the system clipboard.

#include <cstdint>
#include <memory>

#include "classes.h"
#include "types.h"

namespace orv {

// Clipboard format of plain text.
inline constexpr uint16_t CF_TEXT = 1;

// Where the clipboard text is really kept.
class TClipboardBackend {
 public:
  virtual ~TClipboardBackend() = default;
  virtual String GetText() = 0;
  virtual void SetText(const String& Text) = 0;
  // True while the clipboard holds text (an empty text counts as none).
  virtual bool HasText() = 0;
  virtual void Clear() = 0;
};

class TClipboard : public TPersistent {
 public:
  TClipboard();
  ~TClipboard() override;

  // The text on the clipboard; empty when it holds none.
  String AsText();
  void SetAsText(const String& Value);
  // Only CF_TEXT is known; true while the clipboard holds text.
  bool HasFormat(uint16_t Format);
  void Clear();

  // Replaces the backend; nullptr returns to the in-process one.
  void SetBackend(std::unique_ptr<TClipboardBackend> Backend);

 private:
  std::unique_ptr<TClipboardBackend> FBackend;
};

// The process-wide clipboard.
TClipboard* Clipboard();

}  // namespace orv
