#pragma once
// The SDL2 backend: every shown form gets a window of its own that shows the
// form's surface. Mouse, keyboard and text events become the framework's
// input (virtual key codes and shift states as the host reports them), the
// application's timers follow SDL's millisecond clock, the clipboard is the
// system clipboard and modal forms run a nested event loop.
//
// A program selects it once, before it creates forms:
//
//   orv::UseSdl2Backend();
//   auto* Form = new orv::TForm(nullptr);
//   orv::Application->SetMainForm(Form);
//   Form->Show();
//   orv::Application->Run();   // returns when the main form closes
//
// This header does not include SDL's own headers, so a program needs only
// the orvkit::sdl2 target to use it.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "framework/backends/backend.h"
#include "framework/controls/control.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Cursor;
union SDL_Event;

namespace orv {

class TSdl2Backend : public TBackend {
 public:
  // Starts SDL's video subsystem and takes over the clipboard; raises
  // Exception when no display can be opened.
  TSdl2Backend();
  ~TSdl2Backend() override;
  TSdl2Backend(const TSdl2Backend&) = delete;
  TSdl2Backend& operator=(const TSdl2Backend&) = delete;

  bool IsHeadless() const override { return false; }
  void CreateFormWindow(TCustomForm* Form) override;
  void DestroyFormWindow(TCustomForm* Form) override;
  void SetFormCaption(TCustomForm* Form, const String& Caption) override;
  void Present(TCustomForm* Form, const TRect& Rect) override;
  void RunLoop(const std::function<bool()>& Done) override;
  int RunModal(TCustomForm* Form) override;
  void SetCursor(TCursor Cursor) override;
  uint64_t MonotonicMs() override;
  TSize ScreenSize() const override;

  // One pass of the loop: moves the timers on to SDL's clock, handles every
  // pending event (waiting up to TimeoutMs for the first one, or less when a
  // timer is due sooner; 0 does not wait), then frees released forms and
  // paints what is dirty.
  void PumpEvents(int TimeoutMs = 0);
  // Translates one SDL event into input for the form whose window it names.
  // Exceptions from handlers go to Application->HandleException.
  void DispatchEvent(const SDL_Event& Event);

  // SDL's id of the window showing Form; 0 when it has none.
  uint32_t WindowID(TCustomForm* Form) const;
  TCustomForm* FormOfWindow(uint32_t WindowID) const;
  // The colour (0x00RRGGBB) the window of Form shows at client point (X, Y),
  // read back from its renderer. False without a window or outside it.
  bool ReadFramePixel(TCustomForm* Form, int X, int Y, uint32_t& RGB);
  TCursor CurrentCursor() const { return FCursor; }
  // The innermost form shown modally; nullptr when none is.
  TCustomForm* ModalForm() const;

 private:
  struct TFormWindow {
    SDL_Window* Window = nullptr;
    SDL_Renderer* Renderer = nullptr;
    SDL_Texture* Texture = nullptr;
    int TextureWidth = 0;
    int TextureHeight = 0;
    String Caption;
    // The texture holds changes the window does not show yet.
    bool FrameDue = false;
  };
  struct TModalFrame {
    TCustomForm* Form = nullptr;
    bool WindowGone = false;  // hidden or destroyed: the nested loop ends
  };

  void HandleEvent(const SDL_Event& Event);
  void HandleWindowEvent(const SDL_Event& Event);
  void HandleKeyDown(const SDL_Event& Event);
  // The form a window's input goes to: none while another form is modal.
  TCustomForm* InputForm(uint32_t WindowID) const;
  TShiftState MouseShift(uint32_t ButtonMask) const;
  void AdvanceClock();
  void DestroyWindow(TFormWindow& W);
  void ShowFrame(TFormWindow& W);
  // Shows every window whose texture changed: once per paint pass, so a
  // frame never shows one control's change without another's made with it.
  void ShowDueFrames();
  void SyncCaption(TCustomForm* Form, TFormWindow& W);

  std::map<TCustomForm*, TFormWindow> FWindows;
  std::vector<TModalFrame> FModalStack;
  std::map<int, SDL_Cursor*> FCursors;
  TCursor FCursor = crDefault;
  uint64_t FLastTick = 0;
  uint32_t FButtons = 0;  // SDL button mask of the buttons held
  TPoint FPointer;        // last pointer position, client coordinates
};

// Installs a new SDL2 backend into Application (and the system clipboard
// into Clipboard()) and returns it; Application owns it. Raises Exception
// when no display can be opened, among others when there is no window system
// ("Cannot open the display: no window system found (DISPLAY and
// WAYLAND_DISPLAY are not set)"); SDL's invisible offscreen and dummy video
// drivers are taken only when SDL_VIDEODRIVER names them.
TSdl2Backend* UseSdl2Backend();

}  // namespace orv
