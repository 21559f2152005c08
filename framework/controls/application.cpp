#include "framework/controls/application.h"

#include <algorithm>
#include <iostream>

#include "framework/controls/platform.h"
#include "framework/controls/screen.h"
#include "framework/controls/timers.h"
#include "framework/controls/toplevel.h"
#include "framework/controls/wincontrol.h"
#include "framework/rtl/unicode.h"

namespace orv {

// Lives as long as the process; forms may still talk to it while statics go.
TApplication* Application = new TApplication(nullptr);

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() = default;

TBackend* TApplication::Backend() {
  if (!FBackend) FBackend = CreateDefaultBackend();
  return FBackend.get();
}

void TApplication::SetBackend(std::unique_ptr<TBackend> Value) { FBackend = std::move(Value); }

void TApplication::Run() {
  FTerminated = false;
  Backend()->RunLoop([this] { return FTerminated; });
}

void TApplication::PaintPending() {
  if (!Screen) return;
  for (int I = 0; I < Screen->FormCount(); ++I) Screen->FormSurfaces(I)->PaintPending();
}

void TApplication::ProcessMessages() {
  // Released forms go first: nothing may paint them any more.
  while (!FReleased.empty()) {
    TTopLevelSurface* Form = FReleased.back();
    FReleased.pop_back();
    delete Form->Window();
  }
  PaintPending();
}

void TApplication::AdvanceTime(int Milliseconds) {
  timers::Advance(Milliseconds);
  ProcessMessages();
}

void TApplication::HandleException(TObject* Sender) { HandleException(Sender, std::current_exception()); }

void TApplication::HandleException(TObject* Sender, std::exception_ptr E) {
  if (!E) return;
  try {
    std::rethrow_exception(E);
  } catch (Exception& Ex) {
    if (FOnException) {
      FOnException(Sender, &Ex);
    } else {
      ShowException(&Ex);
    }
  } catch (std::exception& Ex) {
    Exception Wrapped{std::string_view(Ex.what())};
    if (FOnException) {
      FOnException(Sender, &Wrapped);
    } else {
      ShowException(&Wrapped);
    }
  } catch (...) {
    Exception Wrapped{String(u"Unknown exception")};
    if (FOnException) {
      FOnException(Sender, &Wrapped);
    } else {
      ShowException(&Wrapped);
    }
  }
}

void TApplication::ShowException(Exception* E) {
  if (E) std::cerr << ToUtf8(E->Message()) << std::endl;
}

void TApplication::ReleaseForm(TTopLevelSurface* Form) {
  if (std::find(FReleased.begin(), FReleased.end(), Form) == FReleased.end()) FReleased.push_back(Form);
}

void TApplication::FormDestroying(TTopLevelSurface* Form) {
  std::erase(FReleased, Form);
  if (FMainForm == Form->Form()) FMainForm = nullptr;
}

}  // namespace orv
