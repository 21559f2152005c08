#pragma once
// TControl: the base of every visual control. It keeps the geometry, the
// visual properties (colour, font, visibility, enabling) with their parent
// inheritance, the mouse handlers and the message handling every control
// shares. Controls talk to themselves and to each other through messages:
// Perform sends one to WndProc, which a derived class overrides to handle
// more messages before passing the rest on.

#include <cstdint>
#include <functional>
#include <memory>

#include "framework/controls/cursors.h"
#include "framework/controls/messages.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/font.h"
#include "framework/rtl/classes.h"
#include "framework/rtl/set.h"
#include "framework/rtl/types.h"

namespace orv {

class TWinControl;
class TCustomForm;
class TPopupMenu;
class TTopLevelSurface;

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TAnchorKind : uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

enum TShiftStateItem : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble, ssTouch, ssPen, ssCommand, ssHorizontal };
using TShiftState = TSet<TShiftStateItem>;

enum TStyleElement : uint8_t { seFont, seClient, seBorder };
using TStyleElements = TSet<TStyleElement>;

// Runtime state of a control.
enum TControlStateItem : uint8_t {
  csLButtonDown,
  csClicked,
  csPalette,
  csReadingState,
  csAlignmentNeeded,
  csFocusing,
  csCreating,
  csPaintCopy,
  csCustomPaint,
  csDestroyingHandle,
  csDocking,
  csDesignerHide,
  csPanning,
  csRecreating,
  csAligning,
  csGlassPaint,
  csPrintClient
};
using TControlState = TSet<TControlStateItem>;

// What kind of control this is; set by constructors.
enum TControlStyleItem : uint8_t {
  csAcceptsControls,
  csCaptureMouse,
  csDesignInteractive,
  csClickEvents,
  csFramed,
  csSetCaption,
  csOpaque,
  csDoubleClicks,
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents,
  csDisplayDragImage,
  csReflector,
  csActionClient,
  csMenuEvents,
  csNeedsBorderPaint,
  csParentBackground,
  csPannable,
  csAlignWithMargins,
  csGestures,
  csPaintBlackOpaqueOnGlass,
  csOverrideStylePaint
};
using TControlStyle = TSet<TControlStyleItem>;

// Border of forms (all values) and of edit-like controls (bsNone, bsSingle).
enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, Char& Key)>;

// Modifier and button flags of mouse messages <-> shift states.
uintptr_t ShiftStateToMouseFlags(const TShiftState& Shift);
TShiftState MouseFlagsToShiftState(uintptr_t Flags);
// Modifier bits carried in the LParam of key messages <-> shift states.
intptr_t ShiftStateToKeyData(const TShiftState& Shift);
TShiftState KeyDataToShiftState(intptr_t KeyData);

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // --- Parent and geometry ------------------------------------------------
  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  // Moves and sizes the control in its parent's client coordinates; a change
  // of size fires Resize (OnResize) and lets the parent realign its children.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return TRect{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
  virtual TRect ClientRect() const { return TRect{0, 0, FWidth, FHeight}; }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  TPoint ClientOrigin() const;
  // Screen coordinates are the form's position plus form client coordinates.
  TPoint ClientToScreen(const TPoint& P) const;
  TPoint ScreenToClient(const TPoint& P) const;
  // The form this control sits on (itself for a form); nullptr when the
  // control is not on a form.
  TCustomForm* ParentForm() const;
  // The top-level window this control sits on (itself for one), as the
  // surface interface it offers; nullptr when not on such a window.
  TTopLevelSurface* TopLevel() const;

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  const TAnchors& Anchors() const { return FAnchors; }
  void SetAnchors(const TAnchors& Value);

  // --- Visual state -------------------------------------------------------
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible here and in every parent.
  bool Showing() const;
  virtual bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value) { FPopupMenu = Value; }
  // What shows a popup menu after a right click: the forms layer, which
  // knows menus, installs it. Control is the one the menu belongs to,
  // ScreenPos where the button was released.
  using TPopupMenuRunner = void (*)(TPopupMenu* Menu, TControl* Control, TPoint ScreenPos);
  static void SetPopupMenuRunner(TPopupMenuRunner Runner);
  const TStyleElements& StyleElements() const { return FStyleElements; }
  void SetStyleElements(const TStyleElements& Value) { FStyleElements = Value; }
  // Caption and Text are the same string; a change sends CM_TEXTCHANGED.
  String Caption() const { return Text(); }
  void SetCaption(const String& Value) { SetText(Value); }
  virtual String Text() const { return FText; }
  virtual void SetText(const String& Value);

  const TControlState& ControlState() const { return FControlState; }
  void SetControlState(const TControlState& Value) { FControlState = Value; }
  const TControlStyle& ControlStyle() const { return FControlStyle; }
  void SetControlStyle(const TControlStyle& Value) { FControlStyle = Value; }

  // --- Painting -------------------------------------------------------------
  // Marks the control's area dirty; the next paint pass repaints it.
  virtual void Invalidate();
  // Paints whatever is dirty on the control's form now.
  virtual void Update();
  // Invalidate + Update.
  virtual void Repaint();
  void Refresh() { Repaint(); }
  // Renders the control and its children with the control's top-left corner
  // at (X, Y) of Dest, through the same painting code the form uses.
  void PaintTo(TCanvas* Dest, int X, int Y);
  void BringToFront();
  void SendToBack();

  // --- Lifetime ------------------------------------------------------------
  // Expires when the control is destroyed. Event handlers may delete their
  // own sender, so code that calls one holds a token across the call and
  // touches the control afterwards only while the token is alive.
  std::weak_ptr<const void> LifeToken() const { return FLife; }

  // --- Messages --------------------------------------------------------------
  intptr_t Perform(uint32_t Msg, uintptr_t WParam = 0, intptr_t LParam = 0);
  // The message handler; override to handle more messages and pass the
  // others on to the inherited WndProc.
  virtual void WndProc(TMessage& Message);
  // The handlers of the messages WndProc does not know (none by default).
  virtual void DefaultHandler(TMessage& Message);

  bool MouseCapture() const;
  void SetMouseCapture(bool Value);

  // --- Events ----------------------------------------------------------------
  TNotifyEvent OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent Value) { FOnClick = std::move(Value); }
  TNotifyEvent OnDblClick() const { return FOnDblClick; }
  void SetOnDblClick(TNotifyEvent Value) { FOnDblClick = std::move(Value); }
  TMouseEvent OnMouseDown() const { return FOnMouseDown; }
  void SetOnMouseDown(TMouseEvent Value) { FOnMouseDown = std::move(Value); }
  TMouseMoveEvent OnMouseMove() const { return FOnMouseMove; }
  void SetOnMouseMove(TMouseMoveEvent Value) { FOnMouseMove = std::move(Value); }
  TMouseEvent OnMouseUp() const { return FOnMouseUp; }
  void SetOnMouseUp(TMouseEvent Value) { FOnMouseUp = std::move(Value); }
  TNotifyEvent OnMouseEnter() const { return FOnMouseEnter; }
  void SetOnMouseEnter(TNotifyEvent Value) { FOnMouseEnter = std::move(Value); }
  TNotifyEvent OnMouseLeave() const { return FOnMouseLeave; }
  void SetOnMouseLeave(TNotifyEvent Value) { FOnMouseLeave = std::move(Value); }
  TMouseWheelEvent OnMouseWheel() const { return FOnMouseWheel; }
  void SetOnMouseWheel(TMouseWheelEvent Value) { FOnMouseWheel = std::move(Value); }
  TMouseWheelUpDownEvent OnMouseWheelDown() const { return FOnMouseWheelDown; }
  void SetOnMouseWheelDown(TMouseWheelUpDownEvent Value) { FOnMouseWheelDown = std::move(Value); }
  TMouseWheelUpDownEvent OnMouseWheelUp() const { return FOnMouseWheelUp; }
  void SetOnMouseWheelUp(TMouseWheelUpDownEvent Value) { FOnMouseWheelUp = std::move(Value); }
  TNotifyEvent OnResize() const { return FOnResize; }
  void SetOnResize(TNotifyEvent Value) { FOnResize = std::move(Value); }

  // Mouse wheel handling: OnMouseWheel, then DoMouseWheelDown/Up; true when
  // handled. MousePos is in screen coordinates.
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);

 protected:
  friend class TWinControl;
  friend struct TPaintEngine;

  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  virtual void Resize();
  virtual void Changed();

  // Handlers of the control messages; each is reached through WndProc.
  virtual void CMEnabledChanged(TMessage& Message);
  virtual void CMColorChanged(TMessage& Message);
  virtual void CMFontChanged(TMessage& Message);
  virtual void CMTextChanged(TMessage& Message);
  virtual void CMVisibleChanged(TMessage& Message);
  virtual void CMMouseEnter(TMessage& Message);
  virtual void CMMouseLeave(TMessage& Message);
  virtual void CMParentColorChanged(TMessage& Message);
  virtual void CMParentFontChanged(TMessage& Message);
  virtual void CMParentShowHintChanged(TMessage& Message);

  // The canvas a control paints with (graphic and custom controls): a view
  // on the form surface, or on the destination of PaintTo while that runs.
  // Created by the classes that expose Canvas().
  TCanvas* ControlCanvas();
  void CreateControlCanvas();

  // A top-level window answers its surface interface; other controls none.
  virtual TTopLevelSurface* AsTopLevelSurface() { return nullptr; }
  // Called with a new parent (or nullptr) after the control moved there.
  virtual void ParentChanged() {}
  // Where the control lies on its form's surface (form client coordinates),
  // clipped to the control and its parents; empty when not on a form.
  TRect VisibleRectOnForm() const;
  // The control's top-left corner in its form's client coordinates.
  TPoint OriginOnForm() const;

  TControlState FControlState;
  TControlStyle FControlStyle;

 private:
  void PopUpMenuOf(TPoint ClientPos);
  void FontChanged(TObject* Sender);
  void UpdateAnchorRules();
  void AnchorTo(int ParentWidth, int ParentHeight);
  void RequestAlign();

  TWinControl* FParent = nullptr;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  // Bounds and parent client size remembered when the control was last
  // placed by hand; anchoring works from these so no rounding accumulates.
  TRect FAnchorBounds;
  TSize FAnchorParentSize;
  bool FAnchoring = false;
  int FWheelAccumulator = 0;
  bool FVisible = true;
  bool FEnabled = true;
  TColor FColor;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  bool FApplyingParentFont = false;
  TCursor FCursor = crDefault;
  String FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TPopupMenu* FPopupMenu = nullptr;
  TStyleElements FStyleElements{seFont, seClient, seBorder};
  String FText;

  std::shared_ptr<const void> FLife = std::make_shared<char>(0);
  std::unique_ptr<TCanvas> FCanvas;
  // Set while PaintTo or the paint pass draws through a view of their own.
  bool FCanvasRedirected = false;
  TBitmap* FViewTarget = nullptr;
  TPoint FViewOrigin;
  TRect FViewClip;

  TNotifyEvent FOnClick;
  TNotifyEvent FOnDblClick;
  TMouseEvent FOnMouseDown;
  TMouseMoveEvent FOnMouseMove;
  TMouseEvent FOnMouseUp;
  TNotifyEvent FOnMouseEnter;
  TNotifyEvent FOnMouseLeave;
  TMouseWheelEvent FOnMouseWheel;
  TMouseWheelUpDownEvent FOnMouseWheelDown;
  TMouseWheelUpDownEvent FOnMouseWheelUp;
  TNotifyEvent FOnResize;
};

}  // namespace orv
