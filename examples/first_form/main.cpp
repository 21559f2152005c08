// The stopwatch in a window of its own (SDL2 backend). Without a display it
// says why and writes a snapshot instead.
#include <orvkit.h>

#include <cstdio>
#include <exception>

#include "framework/backends/sdl2/sdl2backend.h"
#include "stopwatchform.h"

int main() {
  try {
    orv::UseSdl2Backend();
  } catch (const std::exception& E) {
    std::fprintf(stderr, "stopwatch: %s; writing stopwatch.png instead\n", E.what());
    TStopwatchForm Form(nullptr);
    Form.Show();
    orv::SnapshotForm(&Form, u"stopwatch.png");
    return 0;
  }
  auto* Form = new TStopwatchForm(nullptr);
  orv::Application->SetMainForm(Form);
  Form->Show();
  orv::Application->Run();  // returns when the main form closes
  delete Form;
  return 0;
}
