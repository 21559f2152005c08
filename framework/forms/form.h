#pragma once
// TCustomForm and TForm: top-level windows. A form is a window control
// without a parent; it owns the 32-bit surface its controls paint on, keeps
// the focused control and can be shown modally.

#include <memory>
#include <vector>

#include "framework/controls/toplevel.h"
#include "framework/controls/wincontrol.h"
#include "framework/graphics/bitmap.h"

namespace orv {

enum TPosition : uint8_t {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};

enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrClose = 8;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TWinControl, public TTopLevelSurface {
 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value) { FBorderStyle = Value; }
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  bool KeyPreview() const override { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }

  // The focused control of this form (nullptr: the form itself). Setting it
  // on a showing form moves the focus there.
  TWinControl* ActiveControl() const override { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);
  // Moves the focus to Control (nullptr: the form), firing OnExit of the
  // old and OnEnter of the new control.
  void SetFocusedControl(TWinControl* Control) override;
  // Focus the first control in tab order.
  void SelectFirst();

  // Shows the form (makes it visible, brings it to the front, paints it).
  void Show();
  void Hide();
  // Asks OnCloseQuery, then OnClose decides: caHide hides, caFree deletes
  // the form at the next ProcessMessages, caNone and caMinimize keep it.
  // A modal form gets ModalResult mrCancel instead.
  void Close();
  virtual bool CloseQuery();
  // Shows the form modally and returns its ModalResult. Headless, the
  // handler of Application->SetModalHandler acts on the form; its nonzero
  // answer becomes the ModalResult. Without a handler and without a result
  // the answer is mrCancel.
  virtual int ShowModal();
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  bool Modal() const { return FModal; }
  // Deletes the form at the next ProcessMessages.
  void Release();

  // The surface all controls of the form paint on, the form's client size.
  TBitmap* Surface() override { return &FSurface; }
  TCanvas* Canvas() { return ControlCanvas(); }
  // Dirty regions of the surface, form client coordinates.
  void InvalidateRect(const TRect& Rect) override;
  const std::vector<TRect>& DirtyRects() const { return FDirty; }
  // A control drew into Rect outside a paint pass (setters that paint at
  // once); the next pass presents it without painting it again.
  void MarkDrawn(const TRect& Rect) override;
  // Repaints the dirty regions (back to front, clipped) and presents them,
  // then presents what was drawn outside the pass.
  void PaintPending() override;

  TNotifyEvent OnShow() const { return FOnShow; }
  void SetOnShow(TNotifyEvent Value) { FOnShow = std::move(Value); }
  TNotifyEvent OnHide() const { return FOnHide; }
  void SetOnHide(TNotifyEvent Value) { FOnHide = std::move(Value); }
  TNotifyEvent OnPaint() const { return FOnPaint; }
  void SetOnPaint(TNotifyEvent Value) { FOnPaint = std::move(Value); }
  TCloseEvent OnClose() const { return FOnClose; }
  void SetOnClose(TCloseEvent Value) { FOnClose = std::move(Value); }
  TCloseQueryEvent OnCloseQuery() const { return FOnCloseQuery; }
  void SetOnCloseQuery(TCloseQueryEvent Value) { FOnCloseQuery = std::move(Value); }
  TNotifyEvent OnCreate() const { return FOnCreate; }
  void SetOnCreate(TNotifyEvent Value) { FOnCreate = std::move(Value); }
  TNotifyEvent OnDestroy() const { return FOnDestroy; }
  void SetOnDestroy(TNotifyEvent Value) { FOnDestroy = std::move(Value); }

  void WndProc(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetParent(TWinControl* AParent) override;

 protected:
  virtual void Paint();
  virtual void DoShow();
  virtual void DoHide();
  void CMVisibleChanged(TMessage& Message) override;
  TTopLevelSurface* AsTopLevelSurface() override { return this; }

 private:
  TWinControl* Window() override { return this; }
  TCustomForm* Form() override { return this; }
  void ForgetActiveControl() override { FActiveControl = nullptr; }

  TFormBorderStyle FBorderStyle = bsSizeable;
  TPosition FPosition = poDesigned;
  bool FKeyPreview = false;
  TWinControl* FActiveControl = nullptr;
  TModalResult FModalResult = mrNone;
  bool FModal = false;
  TBitmap FSurface;
  std::vector<TRect> FDirty;
  std::vector<TRect> FDrawn;

  TNotifyEvent FOnShow;
  TNotifyEvent FOnHide;
  TNotifyEvent FOnPaint;
  TCloseEvent FOnClose;
  TCloseQueryEvent FOnCloseQuery;
  TNotifyEvent FOnCreate;
  TNotifyEvent FOnDestroy;
};

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* AOwner);
};

}  // namespace orv
