// The gallery's window backend as a module loaded at run time: only a run
// that opens a window maps SDL2 and the forty-odd libraries it pulls in.
// The framework itself is not in the module; its symbols come from the
// gallery executable, which exports them.

#include <exception>
#include <string>

#include "framework/backends/sdl2/sdl2backend.h"

// Selects the SDL2 backend; returns nullptr, or why no window can be opened.
extern "C" __attribute__((visibility("default"))) const char* orv_gallery_use_sdl2() {
  static std::string Error;
  try {
    orv::UseSdl2Backend();
    return nullptr;
  } catch (const std::exception& E) {
    Error = E.what();
    return Error.c_str();
  }
}
