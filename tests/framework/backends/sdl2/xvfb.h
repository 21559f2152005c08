#pragma once
// A private X server for the window tests: started when DISPLAY is unset.

#include <string>
#include <sys/types.h>

namespace orv::testing {

class TXvfb {
 public:
  ~TXvfb() { Stop(); }
  // Makes a display available (the one in DISPLAY, or a new Xvfb); false
  // with the reason in Why when there is none.
  bool Start(std::string& Why);
  void Stop();

 private:
  pid_t FPid = -1;
};

}  // namespace orv::testing
