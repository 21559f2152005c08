#pragma once
// The system clipboard through SDL (plain text, UTF-8 on the SDL side).

#include "framework/rtl/clipboard.h"

namespace orv::sdl2 {

class TSystemClipboard : public TClipboardBackend {
 public:
  String GetText() override;
  void SetText(const String& Text) override;
  bool HasText() override;
  void Clear() override;
};

}  // namespace orv::sdl2
