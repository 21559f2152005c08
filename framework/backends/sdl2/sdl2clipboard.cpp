#include "framework/backends/sdl2/sdl2clipboard.h"

#include <SDL.h>

#include <string>

#include "framework/rtl/unicode.h"

namespace orv::sdl2 {

String TSystemClipboard::GetText() {
  char* Text = SDL_GetClipboardText();
  if (!Text) return String();
  const String Result = FromUtf8(Text);
  SDL_free(Text);
  return Result;
}

void TSystemClipboard::SetText(const String& Text) {
  const std::string Utf8 = ToUtf8(Text);
  SDL_SetClipboardText(Utf8.c_str());
}

// Asks for the text itself: an empty text counts as none.
bool TSystemClipboard::HasText() { return !GetText().empty(); }

void TSystemClipboard::Clear() { SDL_SetClipboardText(""); }

}  // namespace orv::sdl2
