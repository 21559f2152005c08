#include "framework/controls/sim.h"

#include "framework/controls/input.h"
#include "framework/controls/timers.h"

namespace orv::sim {

namespace {

struct TKeyStroke {
  uint16_t Key = 0;  // 0: no key of its own, only the character
  bool Shifted = false;
};

// The key of a US keyboard that types Ch.
TKeyStroke KeyFor(Char Ch) {
  if (Ch >= u'a' && Ch <= u'z') return {static_cast<uint16_t>(Ch - u'a' + u'A'), false};
  if (Ch >= u'A' && Ch <= u'Z') return {static_cast<uint16_t>(Ch), true};
  if (Ch >= u'0' && Ch <= u'9') return {static_cast<uint16_t>(Ch), false};
  switch (Ch) {
    case u' ': return {VK_SPACE, false};
    case u'\r':
    case u'\n': return {VK_RETURN, false};
    case u'\t': return {VK_TAB, false};
    case u'\b': return {VK_BACK, false};
    case 0x1B: return {VK_ESCAPE, false};
    case u')': return {u'0', true};
    case u'!': return {u'1', true};
    case u'@': return {u'2', true};
    case u'#': return {u'3', true};
    case u'$': return {u'4', true};
    case u'%': return {u'5', true};
    case u'^': return {u'6', true};
    case u'&': return {u'7', true};
    case u'*': return {u'8', true};
    case u'(': return {u'9', true};
    case u';': return {VK_OEM_1, false};
    case u':': return {VK_OEM_1, true};
    case u'=': return {VK_OEM_PLUS, false};
    case u'+': return {VK_OEM_PLUS, true};
    case u',': return {VK_OEM_COMMA, false};
    case u'<': return {VK_OEM_COMMA, true};
    case u'-': return {VK_OEM_MINUS, false};
    case u'_': return {VK_OEM_MINUS, true};
    case u'.': return {VK_OEM_PERIOD, false};
    case u'>': return {VK_OEM_PERIOD, true};
    case u'/': return {VK_OEM_2, false};
    case u'?': return {VK_OEM_2, true};
    case u'`': return {VK_OEM_3, false};
    case u'~': return {VK_OEM_3, true};
    case u'[': return {VK_OEM_4, false};
    case u'{': return {VK_OEM_4, true};
    case u'\\': return {VK_OEM_5, false};
    case u'|': return {VK_OEM_5, true};
    case u']': return {VK_OEM_6, false};
    case u'}': return {VK_OEM_6, true};
    case u'\'': return {VK_OEM_7, false};
    case u'"': return {VK_OEM_7, true};
    default: return {};
  }
}

}  // namespace

void MouseDown(TControl* Control, TMouseButton Button, TShiftState Shift, int X, int Y) {
  input::MouseDown(Control, Button, Shift, X, Y);
}

void MouseMove(TControl* Control, TShiftState Shift, int X, int Y) { input::MouseMove(Control, Shift, X, Y); }

void MouseUp(TControl* Control, TMouseButton Button, TShiftState Shift, int X, int Y) {
  input::MouseUp(Control, Button, Shift, X, Y);
}

// Each step goes to the control only while it lives: a handler of an
// earlier step may have freed it.
void Click(TControl* Control, int X, int Y) {
  if (!Control) return;
  const auto Life = Control->LifeToken();
  input::MouseDown(Control, mbLeft, TShiftState{}, X, Y);
  if (!Life.expired()) input::MouseUp(Control, mbLeft, TShiftState{}, X, Y);
}

void DblClick(TControl* Control, int X, int Y) {
  if (!Control) return;
  const auto Life = Control->LifeToken();
  Click(Control, X, Y);
  if (!Life.expired()) input::MouseDown(Control, mbLeft, TShiftState{}, X, Y, true);
  if (!Life.expired()) input::MouseUp(Control, mbLeft, TShiftState{}, X, Y);
}

void MouseEnter(TControl* Control) { input::SetHover(Control); }

void MouseLeave(TControl* Control) {
  if (!Control) return;
  if (input::Hover() == Control) {
    input::SetHover(nullptr);
  } else {
    Control->Perform(CM_MOUSELEAVE);
  }
}

void MouseWheel(TControl* Control, TShiftState Shift, int WheelDelta, int X, int Y) {
  input::MouseWheel(Control, Shift, WheelDelta, X, Y);
}

void KeyDown(TWinControl* Control, uint16_t Key, TShiftState Shift) { input::KeyDown(Control, Key, Shift); }

void KeyPress(TWinControl* Control, Char Key) { input::KeyPress(Control, Key); }

void KeyUp(TWinControl* Control, uint16_t Key, TShiftState Shift) { input::KeyUp(Control, Key, Shift); }

void TypeText(TWinControl* Control, const String& Text) {
  if (!Control) return;
  const auto Life = Control->LifeToken();
  for (Char Ch : Text) {
    const TKeyStroke K = KeyFor(Ch);
    const TShiftState Shift = K.Shifted ? TShiftState{ssShift} : TShiftState{};
    bool Navigated = false;
    if (K.Key != 0) Navigated = input::KeyDown(Control, K.Key, Shift);
    if (!Navigated && !Life.expired()) input::KeyPress(Control, Ch == u'\n' ? u'\r' : Ch);
    if (K.Key != 0 && !Life.expired()) input::KeyUp(Control, K.Key, Shift);
    if (Life.expired()) return;
  }
}

void SetTimerFailure(bool Fail) { timers::SetFailing(Fail); }

}  // namespace orv::sim
