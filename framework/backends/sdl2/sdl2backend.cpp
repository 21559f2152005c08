#include "framework/backends/sdl2/sdl2backend.h"

#include <SDL.h>

#include <algorithm>
#include <memory>
#include <string>

#include "framework/backends/sdl2/sdl2clipboard.h"
#include "framework/backends/sdl2/sdl2keys.h"
#include "framework/controls/application.h"
#include "framework/controls/input.h"
#include "framework/controls/screen.h"
#include "framework/controls/timers.h"
#include "framework/forms/form.h"
#include "framework/rtl/clipboard.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/unicode.h"

namespace orv {

namespace {

// The loop looks again at least this often even when nothing arrives, so a
// Done condition set from outside the event handlers is noticed.
constexpr int IdleWaitMs = 250;
constexpr int WheelDeltaPerNotch = 120;

bool ButtonOf(uint8_t SdlButton, TMouseButton& Button) {
  switch (SdlButton) {
    case SDL_BUTTON_LEFT: Button = mbLeft; return true;
    case SDL_BUTTON_RIGHT: Button = mbRight; return true;
    case SDL_BUTTON_MIDDLE: Button = mbMiddle; return true;
    default: return false;
  }
}

}  // namespace

TSdl2Backend::TSdl2Backend() {
  // Closing the last window is the form's decision (OnCloseQuery may
  // refuse), not a reason for SDL to ask the program to quit.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // Our windows are ordinary application windows; keep the desktop's
  // compositor running.
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  const auto Named = [](const char* Var) {
    const char* V = SDL_getenv(Var);
    return V && *V;
  };
  const String NoWindowSystem = u"Cannot open the display: no window system found (DISPLAY and WAYLAND_DISPLAY are not set)";
  const bool WindowSystem = Named("DISPLAY") || Named("WAYLAND_DISPLAY");
  const char* Wanted = SDL_getenv("SDL_VIDEODRIVER");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
    throw Exception(WindowSystem || Wanted ? u"Cannot open the display: " + FromUtf8(SDL_GetError()) : NoWindowSystem);
  }
  // Without a display SDL may fall back to drivers that show nothing; a
  // program would then run invisibly for ever. Take them only when asked for
  // by name.
  const char* Driver = SDL_GetCurrentVideoDriver();
  const bool Invisible = Driver && (SDL_strcmp(Driver, "offscreen") == 0 || SDL_strcmp(Driver, "dummy") == 0);
  if (Invisible && !(Wanted && SDL_strcmp(Wanted, Driver) == 0)) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER);
    throw Exception(WindowSystem ? u"Cannot open the display: only an invisible video driver is available" : NoWindowSystem);
  }
  FLastTick = SDL_GetTicks64();
  Clipboard()->SetBackend(std::make_unique<sdl2::TSystemClipboard>());
}

TSdl2Backend::~TSdl2Backend() {
  // Hand the clipboard's text back to an in-process clipboard so it is not
  // lost with the display connection.
  const String Kept = Clipboard()->AsText();
  Clipboard()->SetBackend(nullptr);
  if (!Kept.empty()) Clipboard()->SetAsText(Kept);
  for (auto& [Form, W] : FWindows) DestroyWindow(W);
  FWindows.clear();
  for (auto& [Id, C] : FCursors) SDL_FreeCursor(C);
  FCursors.clear();
  SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER);
}

uint64_t TSdl2Backend::MonotonicMs() { return SDL_GetTicks64(); }

void TSdl2Backend::AdvanceClock() {
  const uint64_t Now = SDL_GetTicks64();
  if (Now <= FLastTick) return;
  const auto Elapsed = static_cast<int64_t>(Now - FLastTick);
  FLastTick = Now;
  timers::Advance(Elapsed);
}

void TSdl2Backend::PumpEvents(int TimeoutMs) {
  AdvanceClock();
  if (Application) Application->ProcessMessages();
  ShowDueFrames();
  int Wait = std::max(TimeoutMs, 0);
  const int64_t Due = timers::NextDue();
  if (Due >= 0 && Due < Wait) Wait = static_cast<int>(Due);
  SDL_Event Event;
  bool Got = Wait > 0 ? SDL_WaitEventTimeout(&Event, Wait) != 0 : SDL_PollEvent(&Event) != 0;
  while (Got) {
    // Handlers that arm timers arm them from the current time.
    AdvanceClock();
    DispatchEvent(Event);
    Got = SDL_PollEvent(&Event) != 0;
  }
  AdvanceClock();
  if (Application) Application->ProcessMessages();
  ShowDueFrames();
}

void TSdl2Backend::RunLoop(const std::function<bool()>& Done) {
  while (!(Done && Done())) PumpEvents(IdleWaitMs);
}

TCustomForm* TSdl2Backend::ModalForm() const { return FModalStack.empty() ? nullptr : FModalStack.back().Form; }

int TSdl2Backend::RunModal(TCustomForm* Form) {
  if (!Form) return mrNone;
  const size_t Level = FModalStack.size();
  FModalStack.push_back(TModalFrame{Form, false});
  auto It = FWindows.find(Form);
  if (It != FWindows.end()) SDL_RaiseWindow(It->second.Window);
  // The frame is looked up by index each round: nested modal forms may grow
  // the stack meanwhile.
  auto Running = [&] {
    if (FModalStack[Level].WindowGone) return false;
    if (Application && Application->Terminated()) {
      if (Form->ModalResult() == mrNone) Form->SetModalResult(mrCancel);
      return false;
    }
    return Form->ModalResult() == mrNone;
  };
  try {
    while (Running()) PumpEvents(IdleWaitMs);
  } catch (...) {
    FModalStack.resize(Level);
    throw;
  }
  const bool Gone = FModalStack[Level].WindowGone;
  FModalStack.resize(Level);
  // A form hidden or freed meanwhile must not be touched again.
  return Gone ? mrCancel : Form->ModalResult();
}

TCustomForm* TSdl2Backend::InputForm(uint32_t WindowID) const {
  TCustomForm* Form = FormOfWindow(WindowID);
  if (!Form) return nullptr;
  TCustomForm* Modal = ModalForm();
  return Modal && Modal != Form ? nullptr : Form;
}

TShiftState TSdl2Backend::MouseShift(uint32_t ButtonMask) const {
  return sdl2::ModShiftState(static_cast<uint16_t>(SDL_GetModState())) + sdl2::ButtonShiftState(ButtonMask);
}

void TSdl2Backend::DispatchEvent(const SDL_Event& Event) {
  try {
    HandleEvent(Event);
  } catch (...) {
    if (Application) Application->HandleException(nullptr, std::current_exception());
  }
}

void TSdl2Backend::HandleEvent(const SDL_Event& Event) {
  switch (Event.type) {
    case SDL_QUIT:
      // Asked from outside (a signal, the session ending): close the main
      // form the ordinary way, so OnCloseQuery still has its say.
      if (Application && Application->MainForm()) {
        Application->MainForm()->Close();
      } else if (Application) {
        Application->Terminate();
      }
      return;
    case SDL_WINDOWEVENT:
      HandleWindowEvent(Event);
      return;
    case SDL_MOUSEMOTION: {
      TCustomForm* Form = InputForm(Event.motion.windowID);
      if (!Form) return;
      FPointer = TPoint{Event.motion.x, Event.motion.y};
      input::FormMouseMove(Form, MouseShift(Event.motion.state | FButtons), Event.motion.x, Event.motion.y);
      return;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      TCustomForm* Form = InputForm(Event.button.windowID);
      TMouseButton Button = mbLeft;
      if (!Form || !ButtonOf(Event.button.button, Button)) return;
      FPointer = TPoint{Event.button.x, Event.button.y};
      if (Event.type == SDL_MOUSEBUTTONDOWN) {
        FButtons |= SDL_BUTTON(Event.button.button);
        // Every second click of a series is the double click, as the host
        // counts them: down, up, double down, up, down, ...
        const bool Double = Event.button.clicks >= 2 && Event.button.clicks % 2 == 0;
        input::FormMouseDown(Form, Button, MouseShift(FButtons), Event.button.x, Event.button.y, Double);
      } else {
        FButtons &= ~SDL_BUTTON(Event.button.button);
        input::FormMouseUp(Form, Button, MouseShift(FButtons), Event.button.x, Event.button.y);
      }
      return;
    }
    case SDL_MOUSEWHEEL: {
      TCustomForm* Form = InputForm(Event.wheel.windowID);
      if (!Form) return;
      int Notches = Event.wheel.y;
      if (Event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) Notches = -Notches;
      if (Notches == 0) return;
      input::FormMouseWheel(Form, MouseShift(FButtons), Notches * WheelDeltaPerNotch, FPointer.X, FPointer.Y);
      return;
    }
    case SDL_KEYDOWN:
      HandleKeyDown(Event);
      return;
    case SDL_KEYUP: {
      TCustomForm* Form = InputForm(Event.key.windowID);
      if (!Form) return;
      const SDL_Keysym& K = Event.key.keysym;
      const uint16_t Key = sdl2::VirtualKey(K.scancode, K.sym, K.mod);
      if (Key != 0) input::FormKeyUp(Form, Key, sdl2::ModShiftState(K.mod));
      return;
    }
    case SDL_TEXTINPUT: {
      TCustomForm* Form = InputForm(Event.text.windowID);
      if (!Form) return;
      // Ctrl combinations type nothing on the host (their control
      // characters came with the key-down); AltGr (Ctrl+Alt) types text.
      const TShiftState Mods = sdl2::ModShiftState(static_cast<uint16_t>(SDL_GetModState()));
      if (Mods.Contains(ssCtrl) && !Mods.Contains(ssAlt)) return;
      for (Char Ch : FromUtf8(Event.text.text)) input::FormKeyPress(Form, Ch);
      return;
    }
    default:
      return;
  }
}

void TSdl2Backend::HandleKeyDown(const SDL_Event& Event) {
  TCustomForm* Form = InputForm(Event.key.windowID);
  if (!Form) return;
  const SDL_Keysym& K = Event.key.keysym;
  const uint16_t Key = sdl2::VirtualKey(K.scancode, K.sym, K.mod);
  if (Key == 0) return;
  const TShiftState Shift = sdl2::ModShiftState(K.mod);
  // A key the form used to move the focus types nothing.
  if (input::FormKeyDown(Form, Key, Shift)) return;
  if (const Char Ch = sdl2::ControlChar(Key, Shift)) {
    // The key-down handler may have closed and hidden the form.
    if (FormOfWindow(Event.key.windowID) == Form) input::FormKeyPress(Form, Ch);
  }
}

void TSdl2Backend::HandleWindowEvent(const SDL_Event& Event) {
  TCustomForm* Form = FormOfWindow(Event.window.windowID);
  if (!Form) return;
  auto It = FWindows.find(Form);
  switch (Event.window.event) {
    case SDL_WINDOWEVENT_CLOSE: {
      TCustomForm* Modal = ModalForm();
      if (Modal && Modal != Form) return;  // only the modal form may close now
      Form->Close();
      return;
    }
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_RESIZED:
      if (Event.window.data1 > 0 && Event.window.data2 > 0 &&
          (Event.window.data1 != Form->Width() || Event.window.data2 != Form->Height())) {
        Form->SetBounds(Form->Left(), Form->Top(), Event.window.data1, Event.window.data2);
      }
      return;
    case SDL_WINDOWEVENT_MOVED:
      Form->SetBounds(Event.window.data1, Event.window.data2, Form->Width(), Form->Height());
      return;
    case SDL_WINDOWEVENT_EXPOSED:
      if (It != FWindows.end()) ShowFrame(It->second);
      return;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (Screen) Screen->SetActiveForm(Form);
      return;
    case SDL_WINDOWEVENT_LEAVE:
      if (TControl* Hover = input::Hover(); Hover && (Hover == Form || Hover->ParentForm() == Form)) {
        input::SetHover(nullptr);
      }
      return;
    default:
      return;
  }
}

TSdl2Backend* UseSdl2Backend() {
  // The old backend goes first: an SDL backend being replaced shuts its
  // display connection down before the new one opens its own.
  Application->SetBackend(nullptr);
  auto Backend = std::make_unique<TSdl2Backend>();
  TSdl2Backend* Result = Backend.get();
  Application->SetBackend(std::move(Backend));
  return Result;
}

}  // namespace orv
