#pragma once
// TApplication: the running program. It owns the backend, runs the event
// loop, paints what is dirty, moves the clock of headless runs and handles
// exceptions nobody caught.

#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "framework/rtl/classes.h"
#include "framework/rtl/exceptions.h"

namespace orv {

class TBackend;
class TCustomForm;
class TTopLevelSurface;
class TForm;
class TPopupMenu;
class TMenuItem;
class TColorDialog;

using TExceptionEvent = std::function<void(TObject* Sender, Exception* E)>;
using TModalHandler = std::function<int(TForm* Form)>;
using TPopupHandler = std::function<TMenuItem*(TPopupMenu* Menu)>;
using TColorDialogHandler = std::function<bool(TColorDialog* Dialog)>;

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // The backend in use: headless unless another one was installed.
  TBackend* Backend();
  void SetBackend(std::unique_ptr<TBackend> Value);

  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }
  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* Value) { FMainForm = Value; }

  // Runs the backend's event loop until Terminate (headless: one pass).
  void Run();
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }
  // Handles pending work: frees released forms and paints dirty regions.
  void ProcessMessages();
  // Paints the dirty regions of every form and presents them.
  void PaintPending();

  // Moves the headless clock on, firing due timer ticks in time order, then
  // processes messages.
  void AdvanceTime(int Milliseconds);

  // Call from inside a catch block: the current exception goes to
  // OnException, or without a handler to ShowException.
  void HandleException(TObject* Sender);
  void HandleException(TObject* Sender, std::exception_ptr E);
  // Headless: prints the message to stderr.
  void ShowException(Exception* E);
  TExceptionEvent OnException() const { return FOnException; }
  void SetOnException(TExceptionEvent Value) { FOnException = std::move(Value); }

  // Headless answers to modal forms, popup menus and colour dialogs.
  void SetModalHandler(TModalHandler Handler) { FModalHandler = std::move(Handler); }
  const TModalHandler& ModalHandler() const { return FModalHandler; }
  void SetPopupHandler(TPopupHandler Handler) { FPopupHandler = std::move(Handler); }
  const TPopupHandler& PopupHandler() const { return FPopupHandler; }
  void SetColorDialogHandler(TColorDialogHandler Handler) { FColorDialogHandler = std::move(Handler); }
  const TColorDialogHandler& ColorDialogHandler() const { return FColorDialogHandler; }

  // Forms closed with caFree are deleted at the next ProcessMessages.
  void ReleaseForm(TTopLevelSurface* Form);
  void FormDestroying(TTopLevelSurface* Form);

 private:
  std::unique_ptr<TBackend> FBackend;
  String FTitle;
  TCustomForm* FMainForm = nullptr;
  bool FTerminated = false;
  TExceptionEvent FOnException;
  TModalHandler FModalHandler;
  TPopupHandler FPopupHandler;
  TColorDialogHandler FColorDialogHandler;
  std::vector<TTopLevelSurface*> FReleased;
};

extern TApplication* Application;

}  // namespace orv
