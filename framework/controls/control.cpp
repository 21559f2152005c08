#include "framework/controls/control.h"

#include <algorithm>

#include "framework/controls/input.h"
#include "framework/controls/toplevel.h"
#include "framework/controls/wincontrol.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/exceptions.h"

namespace orv {

namespace {

constexpr int WHEEL_DELTA = 120;

}  // namespace

uintptr_t ShiftStateToMouseFlags(const TShiftState& Shift) {
  uintptr_t Flags = 0;
  if (Shift.Contains(ssShift)) Flags |= MK_SHIFT;
  if (Shift.Contains(ssCtrl)) Flags |= MK_CONTROL;
  if (Shift.Contains(ssAlt)) Flags |= MK_ALT;
  if (Shift.Contains(ssLeft)) Flags |= MK_LBUTTON;
  if (Shift.Contains(ssRight)) Flags |= MK_RBUTTON;
  if (Shift.Contains(ssMiddle)) Flags |= MK_MBUTTON;
  return Flags;
}

TShiftState MouseFlagsToShiftState(uintptr_t Flags) {
  TShiftState S;
  if (Flags & MK_SHIFT) S.Include(ssShift);
  if (Flags & MK_CONTROL) S.Include(ssCtrl);
  if (Flags & MK_ALT) S.Include(ssAlt);
  if (Flags & MK_LBUTTON) S.Include(ssLeft);
  if (Flags & MK_RBUTTON) S.Include(ssRight);
  if (Flags & MK_MBUTTON) S.Include(ssMiddle);
  return S;
}

intptr_t ShiftStateToKeyData(const TShiftState& Shift) {
  intptr_t Data = 0;
  for (int I = ssShift; I <= ssHorizontal; ++I) {
    if (Shift.Contains(static_cast<TShiftStateItem>(I))) Data |= intptr_t{1} << I;
  }
  return Data;
}

TShiftState KeyDataToShiftState(intptr_t KeyData) {
  TShiftState S;
  for (int I = ssShift; I <= ssHorizontal; ++I) {
    if (KeyData & (intptr_t{1} << I)) S.Include(static_cast<TShiftStateItem>(I));
  }
  return S;
}

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner),
      FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks},
      FColor(clWindow),
      FFont(std::make_unique<TFont>()) {
  FFont->SetOnChange([this](TObject* Sender) { FontChanged(Sender); });
}

TControl::~TControl() {
  FLife.reset();
  input::ControlDestroying(this);
  if (FParent) FParent->RemoveControl(this);
  FFont->SetOnChange(nullptr);
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (AParent == this) throw EInvalidOperation(u"A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool Moved = ALeft != FLeft || ATop != FTop;
  const bool Sized = AWidth != FWidth || AHeight != FHeight;
  Invalidate();
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (!FAnchoring) UpdateAnchorRules();
  Invalidate();
  if (Moved) Perform(WM_MOVE, 0, MakeMouseLParam(FLeft, FTop));
  if (Sized) Perform(WM_SIZE, SIZE_RESTORED, MakeMouseLParam(FWidth, FHeight));
  RequestAlign();
}

void TControl::SetClientWidth(int Value) { SetWidth(FWidth - ClientWidth() + Value); }
void TControl::SetClientHeight(int Value) { SetHeight(FHeight - ClientHeight() + Value); }

TPoint TControl::ClientOrigin() const {
  if (!FParent) return TPoint{FLeft, FTop};
  const TPoint P = FParent->ClientOrigin();
  return TPoint{P.X + FLeft, P.Y + FTop};
}

TPoint TControl::ClientToScreen(const TPoint& P) const {
  const TPoint O = ClientOrigin();
  return TPoint{P.X + O.X, P.Y + O.Y};
}

TPoint TControl::ScreenToClient(const TPoint& P) const {
  const TPoint O = ClientOrigin();
  return TPoint{P.X - O.X, P.Y - O.Y};
}

TCustomForm* TControl::ParentForm() const {
  TTopLevelSurface* T = TopLevel();
  return T ? T->Form() : nullptr;
}

TTopLevelSurface* TControl::TopLevel() const {
  TControl* C = const_cast<TControl*>(this);
  while (C->FParent) C = C->FParent;
  return C->AsTopLevelSurface();
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  FAlign = Value;
  RequestAlign();
}

void TControl::SetAnchors(const TAnchors& Value) {
  if (Value == FAnchors) return;
  FAnchors = Value;
  UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
  FAnchorBounds = BoundsRect();
  if (FParent) {
    TRect R = FParent->ClientRect();
    FParent->AdjustClientRect(R);
    FAnchorParentSize = TSize{R.Width(), R.Height()};
  }
}

void TControl::AnchorTo(int ParentWidth, int ParentHeight) {
  if (FAlign != alNone) return;
  if (FAnchors.Contains(akLeft) && FAnchors.Contains(akTop) && !FAnchors.Contains(akRight) &&
      !FAnchors.Contains(akBottom))
    return;
  const TRect& B = FAnchorBounds;
  auto Axis = [](bool Near, bool Far, int Pos, int Size, int Delta, int& NewPos, int& NewSize) {
    NewPos = Pos;
    NewSize = Size;
    if (Near && Far) {
      NewSize = std::max(Size + Delta, 0);
    } else if (Far) {
      NewPos = Pos + Delta;
    } else if (!Near) {
      NewPos = Pos + Delta / 2;  // unanchored: keep the centre in the middle share
    }
  };
  int L, W, T, H;
  Axis(FAnchors.Contains(akLeft), FAnchors.Contains(akRight), B.Left, B.Width(), ParentWidth - FAnchorParentSize.cx, L, W);
  Axis(FAnchors.Contains(akTop), FAnchors.Contains(akBottom), B.Top, B.Height(), ParentHeight - FAnchorParentSize.cy,
       T, H);
  FAnchoring = true;
  try {
    SetBounds(L, T, W, H);
  } catch (...) {
    FAnchoring = false;
    throw;
  }
  FAnchoring = false;
}

void TControl::RequestAlign() {
  if (FParent) FParent->Realign();
}

void TControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  if (!Value) Invalidate();
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
  RequestAlign();
  if (Value) Invalidate();
}

bool TControl::Showing() const {
  for (const TControl* C = this; C; C = C->FParent) {
    if (!C->FVisible) return false;
  }
  return true;
}

void TControl::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor Value) {
  if (Value != FColor) {
    FColor = Value;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
  } else {
    FParentColor = false;
  }
}

void TControl::SetParentColor(bool Value) {
  if (Value == FParentColor) return;
  FParentColor = Value;
  if (FParent) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentFont(bool Value) {
  if (Value == FParentFont) return;
  FParentFont = Value;
  if (FParent) Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged(TObject*) {
  FParentFont = false;
  Perform(CM_FONTCHANGED);
}

void TControl::SetCursor(TCursor Value) {
  if (Value == FCursor) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetShowHint(bool Value) {
  FParentShowHint = false;
  if (Value == FShowHint) return;
  FShowHint = Value;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool Value) {
  if (Value == FParentShowHint) return;
  FParentShowHint = Value;
  if (FParent) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetText(const String& Value) {
  if (Value == FText) return;
  FText = Value;
  Perform(CM_TEXTCHANGED);
}

TPoint TControl::OriginOnForm() const {
  TPoint P;
  for (const TControl* C = this; C->FParent; C = C->FParent) {
    P.X += C->FLeft;
    P.Y += C->FTop;
  }
  return P;
}

TRect TControl::VisibleRectOnForm() const {
  if (!TopLevel()) return TRect{};
  if (!FParent) return TRect{0, 0, FWidth, FHeight};  // the form itself
  TRect R{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
  for (const TControl* C = this; C->FParent; C = C->FParent) {
    if (!C->FVisible) return TRect{};
    const TWinControl* P = C->FParent;
    R = IntersectRect(R, TRect{0, 0, P->FWidth, P->FHeight});
    if (R.IsEmpty()) return TRect{};
    if (P->FParent) R = TRect{R.Left + P->FLeft, R.Top + P->FTop, R.Right + P->FLeft, R.Bottom + P->FTop};
  }
  return R;
}

void TControl::Invalidate() {
  TTopLevelSurface* Window = TopLevel();
  if (!Window) return;
  const TRect R = VisibleRectOnForm();
  if (!R.IsEmpty()) Window->InvalidateRect(R);
}

void TControl::Update() {
  if (TTopLevelSurface* Window = TopLevel()) Window->PaintPending();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (FParent) {
    auto& L = FParent->FControls;
    L.erase(std::find(L.begin(), L.end(), this));
    L.push_back(this);
    Invalidate();
  }
}

void TControl::SendToBack() {
  if (FParent) {
    auto& L = FParent->FControls;
    L.erase(std::find(L.begin(), L.end(), this));
    L.insert(L.begin(), this);
    if (FParent) FParent->Invalidate();
  }
}

void TControl::CreateControlCanvas() {
  if (!FCanvas) FCanvas = std::make_unique<TCanvas>();
}

TCanvas* TControl::ControlCanvas() {
  if (!FCanvas) CreateControlCanvas();
  if (FCanvasRedirected) return FCanvas.get();
  TTopLevelSurface* Window = TopLevel();
  TBitmap* Target = Window ? Window->Surface() : nullptr;
  const TPoint Origin = OriginOnForm();
  const TRect Clip = VisibleRectOnForm();
  if (Target != FViewTarget || Target != FCanvas->Target() || !(Origin == FViewOrigin) || !(Clip == FViewClip)) {
    if (FCanvas->Target() != Target) FCanvas->SetTarget(Target);
    FCanvas->SetView(Origin, Clip);
    FViewTarget = Target;
    FViewOrigin = Origin;
    FViewClip = Clip;
  }
  // Drawing through this canvas outside a paint pass changes the surface
  // directly; the window must still be shown the change.
  if (Window && Window->Window()->Visible()) Window->MarkDrawn(Clip);
  return FCanvas.get();
}

intptr_t TControl::Perform(uint32_t Msg, uintptr_t WParam, intptr_t LParam) {
  TMessage M{Msg, WParam, LParam, 0};
  WndProc(M);
  return M.Result;
}

bool TControl::MouseCapture() const { return input::CaptureControl() == this; }

void TControl::SetMouseCapture(bool Value) {
  if (Value) {
    input::SetCaptureControl(this);
  } else if (MouseCapture()) {
    input::SetCaptureControl(nullptr);
  }
}

void TControl::WndProc(TMessage& Message) {
  const auto Shift = [&] { return MouseFlagsToShiftState(Message.WParam); };
  const int X = MouseX(Message.LParam);
  const int Y = MouseY(Message.LParam);
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      if (FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
      FControlState.Include(csLButtonDown);
      MouseDown(mbLeft, Shift(), X, Y);
      return;
    case WM_LBUTTONDBLCLK:
      if (!FControlStyle.Contains(csDoubleClicks)) {
        Message.Msg = WM_LBUTTONDOWN;
        WndProc(Message);
        return;
      }
      FControlState.Include(csLButtonDown);
      if (FControlStyle.Contains(csClickEvents)) {
        const auto Life = LifeToken();
        DblClick();
        if (Life.expired()) return;
      }
      MouseDown(mbLeft, Shift() + TShiftState{ssDouble}, X, Y);
      return;
    case WM_LBUTTONUP:
      FControlState.Exclude(csLButtonDown);
      if (FControlState.Contains(csClicked)) {
        FControlState.Exclude(csClicked);
        if (ClientRect().Contains(TPoint{X, Y})) {
          // The click handler may free this control: then there is no one
          // left to hear of the release.
          const auto Life = LifeToken();
          Click();
          if (Life.expired()) return;
        }
      }
      MouseUp(mbLeft, Shift(), X, Y);
      return;
    case WM_RBUTTONDOWN:
      MouseDown(mbRight, Shift(), X, Y);
      return;
    case WM_RBUTTONDBLCLK:
      MouseDown(mbRight, Shift() + TShiftState{ssDouble}, X, Y);
      return;
    case WM_RBUTTONUP: {
      const auto Life = LifeToken();
      MouseUp(mbRight, Shift(), X, Y);
      if (!Life.expired()) PopUpMenuOf(TPoint{X, Y});
      return;
    }
    case WM_MBUTTONDOWN:
      MouseDown(mbMiddle, Shift(), X, Y);
      return;
    case WM_MBUTTONDBLCLK:
      MouseDown(mbMiddle, Shift() + TShiftState{ssDouble}, X, Y);
      return;
    case WM_MBUTTONUP:
      MouseUp(mbMiddle, Shift(), X, Y);
      return;
    case WM_MOUSEMOVE:
      MouseMove(Shift(), X, Y);
      return;
    case WM_MOUSEWHEEL: {
      const int Delta = static_cast<int16_t>((Message.WParam >> 16) & 0xFFFF);
      Message.Result = DoMouseWheel(MouseFlagsToShiftState(Message.WParam & 0xFFFF), Delta, TPoint{X, Y}) ? 1 : 0;
      return;
    }
    case WM_SIZE:
      if (!ComponentState().Contains(csLoading)) Resize();
      return;
    case CM_ENABLEDCHANGED:
      CMEnabledChanged(Message);
      return;
    case CM_COLORCHANGED:
      CMColorChanged(Message);
      return;
    case CM_FONTCHANGED:
      CMFontChanged(Message);
      return;
    case CM_TEXTCHANGED:
      CMTextChanged(Message);
      return;
    case CM_VISIBLECHANGED:
      CMVisibleChanged(Message);
      return;
    case CM_MOUSEENTER:
      CMMouseEnter(Message);
      return;
    case CM_MOUSELEAVE:
      CMMouseLeave(Message);
      return;
    case CM_PARENTCOLORCHANGED:
      CMParentColorChanged(Message);
      return;
    case CM_PARENTFONTCHANGED:
      CMParentFontChanged(Message);
      return;
    case CM_PARENTSHOWHINTCHANGED:
      CMParentShowHintChanged(Message);
      return;
    default:
      DefaultHandler(Message);
  }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMTextChanged(TMessage&) {}
void TControl::CMVisibleChanged(TMessage&) {}

void TControl::CMMouseEnter(TMessage&) {
  if (FOnMouseEnter) FOnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage&) {
  if (FOnMouseLeave) FOnMouseLeave(this);
}

void TControl::CMParentColorChanged(TMessage&) {
  if (FParentColor && FParent) {
    SetColor(FParent->FColor);
    FParentColor = true;
  }
}

void TControl::CMParentFontChanged(TMessage&) {
  if (FParentFont && FParent) {
    FFont->Assign(FParent->FFont.get());
    FParentFont = true;
  }
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (FParentShowHint && FParent) {
    SetShowHint(FParent->FShowHint);
    FParentShowHint = true;
  }
}

void TControl::Click() {
  if (FOnClick) FOnClick(this);
}

namespace {
TControl::TPopupMenuRunner GPopupMenuRunner = nullptr;
}  // namespace

void TControl::SetPopupMenuRunner(TPopupMenuRunner Runner) { GPopupMenuRunner = Runner; }

// A right click shows the popup menu of this control or, when it has none,
// of its nearest parent that has one.
void TControl::PopUpMenuOf(TPoint ClientPos) {
  if (!GPopupMenuRunner) return;
  for (TControl* C = this; C; C = C->Parent()) {
    if (C->PopupMenu()) {
      GPopupMenuRunner(C->PopupMenu(), C, ClientToScreen(ClientPos));
      return;
    }
  }
}

void TControl::DblClick() {
  if (FOnDblClick) FOnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOnMouseDown) FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (FOnMouseMove) FOnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOnMouseUp) FOnMouseUp(this, Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool Handled = false;
  const auto Life = LifeToken();
  if (FOnMouseWheel) FOnMouseWheel(this, Shift, WheelDelta, MousePos, Handled);
  if (Handled || Life.expired()) return true;
  // Whole notches turn into wheel-down/up steps; a remainder waits for more.
  int& Accumulator = FWheelAccumulator;
  Accumulator += WheelDelta;
  while (std::abs(Accumulator) >= WHEEL_DELTA) {
    if (Accumulator < 0) {
      Accumulator += WHEEL_DELTA;
      Handled = DoMouseWheelDown(Shift, MousePos);
    } else {
      Accumulator -= WHEEL_DELTA;
      Handled = DoMouseWheelUp(Shift, MousePos);
    }
    if (Life.expired()) return true;
  }
  return Handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool Handled = false;
  if (FOnMouseWheelDown) FOnMouseWheelDown(this, Shift, MousePos, Handled);
  return Handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool Handled = false;
  if (FOnMouseWheelUp) FOnMouseWheelUp(this, Shift, MousePos, Handled);
  return Handled;
}

void TControl::Resize() {
  if (FOnResize) FOnResize(this);
}

void TControl::Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<intptr_t>(this)); }

}  // namespace orv
