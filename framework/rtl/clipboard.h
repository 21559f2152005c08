#pragma once
// The clipboard as the components see it: plain text only. By default the
// text lives inside the process (headless runs and tests); a windowing
// backend installs its own TClipboardBackend to reach the system clipboard.

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

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
  // Shows the text to Reader for the length of the call. Backends that keep
  // the text in this process lend it without a copy; the default copies.
  virtual void ReadText(const std::function<void(std::u16string_view)>& Reader);
  virtual void SetText(const String& Text) = 0;
  // Lets Writer fill the new text into a cleared string. Backends that keep
  // the text in this process hand over their own (its room is reused); the
  // default fills a fresh one and sets it.
  virtual void WriteText(const std::function<void(String&)>& Writer);
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
  // Shows the text (empty when none) to Reader without copying it where the
  // backend allows: large texts are read in place. Reader must not change
  // the clipboard.
  void ReadText(const std::function<void(std::u16string_view)>& Reader);
  void SetAsText(const String& Value);
  // Puts the text Writer fills (into a cleared string) on the clipboard,
  // without copying it where the backend allows. When Writer throws, the
  // clipboard is left empty.
  void WriteText(const std::function<void(String&)>& Writer);
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
