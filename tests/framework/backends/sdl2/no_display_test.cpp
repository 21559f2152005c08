#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "framework/backends/sdl2/sdl2backend.h"
#include "framework/controls/application.h"
#include "framework/rtl/exceptions.h"

namespace orv {
namespace {

// Unsets an environment variable for the life of the guard.
class TUnsetEnv {
 public:
  explicit TUnsetEnv(const char* Name) : FName(Name) {
    if (const char* V = std::getenv(Name)) FOld = V;
    unsetenv(Name);
  }
  ~TUnsetEnv() {
    if (FOld) setenv(FName, FOld->c_str(), 1);
  }

 private:
  const char* FName;
  std::optional<std::string> FOld;
};

// SDL would fall back to a driver that shows nothing; the program must hear
// that there is no display instead of running invisibly.
TEST(Sdl2NoDisplay, RefusesToRunWithoutAWindowSystem) {
  TUnsetEnv Display("DISPLAY"), Wayland("WAYLAND_DISPLAY"), Driver("SDL_VIDEODRIVER");
  try {
    UseSdl2Backend();
    FAIL() << "a backend without a display";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), u"Cannot open the display: no window system found (DISPLAY and WAYLAND_DISPLAY are not set)");
  }
  // The application goes on headless.
  EXPECT_TRUE(Application->Backend()->IsHeadless());
}

}  // namespace
}  // namespace orv
