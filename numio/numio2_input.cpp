// TNumIO2: keyboard, mouse, spin buttons and gauge.

#include <algorithm>
#include <cmath>

#include "framework/controls/beep.h"
#include "framework/rtl/clipboard.h"
#include "numio/numio2.h"

namespace orv {

namespace {

// Every refusal sounds the same.
constexpr uint32_t kBeepType = 0xFFFF;

// Index of the pivot nearest to V; the first of equally near ones.
size_t NearestPivot(const TDoubleArray& Pivots, double V) {
  size_t Best = 0;
  for (size_t I = 1; I < Pivots.size(); ++I)
    if (std::fabs(Pivots[I] - V) < std::fabs(Pivots[Best] - V)) Best = I;
  return Best;
}

}  // namespace

void TNumIO2::Refuse() {
  if (FBeep) MessageBeep(kBeepType);
}

// The character a key types, if it types one.
bool TNumIO2::KeyChar(uint16_t Key, bool Shifted, Char& Out) const {
  if (Key >= u'0' && Key <= u'9') {
    Out = static_cast<Char>(Key);
    if (Shifted && Key == u'4') Out = u'$';
    if (Shifted && Key == u'5') Out = u'%';
    if (Shifted && Key == u'6') Out = u'&';
    return true;
  }
  if (Key >= 'A' && Key <= 'F') {
    Out = static_cast<Char>(Key);
    return true;
  }
  if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) {
    Out = static_cast<Char>(u'0' + (Key - VK_NUMPAD0));
    return true;
  }
  switch (Key) {
    case VK_ADD:
    case VK_OEM_PLUS: Out = u'+'; return true;
    case VK_SUBTRACT:
    case VK_OEM_MINUS: Out = u'-'; return true;
    case VK_DECIMAL:
    case VK_OEM_COMMA: Out = u','; return true;
    case VK_OEM_PERIOD: Out = u'.'; return true;
    default: return false;
  }
}

void TNumIO2::DeleteSelection(bool ZeroWhenEmpty) {
  const int B = std::clamp(FSelBegin, 0, static_cast<int>(FInBuffer.size()));
  const int E = std::clamp(FSelEnd, B, static_cast<int>(FInBuffer.size()));
  FInBuffer.erase(static_cast<size_t>(B), static_cast<size_t>(E - B));
  FCaretPos = FSelBegin = FSelEnd = B;
  // An emptied field shows zero in its format rather than nothing.
  if (ZeroWhenEmpty && FInBuffer.empty()) FInBuffer = ValueText(0);
}

void TNumIO2::InsertAtCaret(const String& S) {
  const size_t At = static_cast<size_t>(std::clamp(FCaretPos, 0, static_cast<int>(FInBuffer.size())));
  FInBuffer.insert(At, S);
  FCaretPos = static_cast<int>(At + S.size());
}

void TNumIO2::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);  // OnKeyDown may take the key
  if (Key == 0) return;
  if (Key == VK_SHIFT) {
    FKeyShifted = true;
    return;
  }
  if (Key == VK_CONTROL) {
    FKeyCntrl = true;
    return;
  }
  const bool Ctrl = FKeyCntrl || Shift.Contains(ssCtrl);
  const bool Shifted = FKeyShifted || Shift.Contains(ssShift);
  // A value written since the last edit may have shortened the buffer under
  // a caret or selection that stayed where it was.
  const int Len = static_cast<int>(FInBuffer.size());
  FCaretPos = std::clamp(FCaretPos, 0, Len);
  FSelBegin = std::clamp(FSelBegin, 0, Len);
  FSelEnd = std::clamp(FSelEnd, FSelBegin, Len);
  const bool HasSelection = FSelBegin < FSelEnd;
  if (FReadOnly) {
    if (Ctrl && Key == 'C' && HasSelection) Clipboard()->SetAsText(FInBuffer.substr(FSelBegin, FSelEnd - FSelBegin));
    return;
  }

  TPaintBatch Batch(this);
  const String OldBuffer = FInBuffer;
  const int OldCaret = FCaretPos;
  bool Pasted = false;
  if (Ctrl) {
    switch (Key) {
      case 'C':
        if (HasSelection) Clipboard()->SetAsText(FInBuffer.substr(FSelBegin, FSelEnd - FSelBegin));
        break;
      case 'V':
        if (Clipboard()->HasFormat(CF_TEXT)) {
          InsertAtCaret(Clipboard()->AsText());
          Pasted = true;
        }
        break;
      case 'X':
        if (HasSelection) {
          Clipboard()->SetAsText(FInBuffer.substr(FSelBegin, FSelEnd - FSelBegin));
          DeleteSelection(true);
        }
        break;
      default:
        Refuse();
    }
  } else {
    Char Ch = 0;
    switch (Key) {
      case VK_BACK:
        if (HasSelection) {
          DeleteSelection(true);
        } else if (FCaretPos > 0) {
          FInBuffer.erase(static_cast<size_t>(--FCaretPos), 1);
        }
        break;
      case VK_TAB:
        if (Parent()) Parent()->SelectNext(this, !Shifted, true);
        Key = 0;  // moved on here; the form must not move it again
        return;
      case VK_END: FCaretPos = Len; break;
      case VK_HOME: FCaretPos = 0; break;
      case VK_LEFT:
      case VK_UP:
        if (FCaretPos > 0) --FCaretPos;
        break;
      case VK_RIGHT:
      case VK_DOWN:
        if (FCaretPos < Len) ++FCaretPos;
        break;
      case VK_DELETE:
        if (HasSelection) {
          DeleteSelection(true);
        } else if (FCaretPos < Len) {
          FInBuffer.erase(static_cast<size_t>(FCaretPos), 1);
        }
        break;
      default:
        if (!KeyChar(Key, Shifted, Ch)) {
          Refuse();
          break;
        }
        // Typing replaces the selection.
        if (HasSelection) DeleteSelection(false);
        InsertAtCaret(String(1, Ch));
    }
  }

  bool BufferChanged = Pasted || FInBuffer != OldBuffer;
  if (!FInBuffer.empty() && FInBuffer != u"-" && FInBuffer != u"+" && !CheckValidity(FInBuffer)) {
    FInBuffer = OldBuffer;
    FCaretPos = OldCaret;
    BufferChanged = false;
    Refuse();
  }

  // Fixed-point decimals are overwritten: the character after a caret
  // standing in the decimals is selected, so the next digit replaces it.
  if (FInputFormat == itFixPoint) {
    const int N = static_cast<int>(FInBuffer.size());
    if (FCaretPos > N - FDecP - 1) {
      FSelBegin = FCaretPos;
      FSelEnd = std::min(FCaretPos + 1, N);
    } else {
      FSelBegin = FSelEnd;
    }
  }
  FCaretVisib = true;
  if (BufferChanged) Changed();
  Paint();
}

void TNumIO2::KeyUp(uint16_t& Key, TShiftState Shift) {
  if (Key == VK_SHIFT) FKeyShifted = false;
  if (Key == VK_CONTROL) FKeyCntrl = false;
  TCustomControl::KeyUp(Key, Shift);
}

// --- Mouse -------------------------------------------------------------------------

double TNumIO2::SnapToPivot(double V) const {
  if (ButtonPivots.empty()) return V;
  return ButtonPivots[NearestPivot(ButtonPivots, V)];
}

double TNumIO2::GaugeValueAt(int X) const {
  const double F = FGaugeWidth != 0 ? static_cast<double>(X - FGaugeLeftMarg) / FGaugeWidth : 0.0;
  const double V = SnapToPivot(FMinimum + F * (FMaximum - FMinimum));
  return std::clamp(V, FMinimum, FMaximum);
}

void TNumIO2::SpinStep(bool Up) {
  const double Cur = Value();
  double V = 0;
  if (ButtonPivots.empty()) {
    V = std::clamp(Up ? Cur + FButIncrem : Cur - FButIncrem, FMinimum, FMaximum);
  } else {
    const double E = std::pow(10.0, -FDecP);
    const size_t I = NearestPivot(ButtonPivots, Cur);
    const size_t Last = ButtonPivots.size() - 1;
    if (Up) {
      V = (Cur >= ButtonPivots[I] - E && I != Last) ? ButtonPivots[I + 1] : ButtonPivots[I];
      // Past the last pivot there is nothing further up: stay.
      if (V < Cur) V = Cur;
    } else {
      V = (Cur <= ButtonPivots[I] + E && I > 0) ? ButtonPivots[I - 1] : ButtonPivots[I];
      // Below the first pivot there is nothing further down: stay.
      if (V > Cur) V = Cur;
    }
  }
  SetValue(V);
  Changed();
}

void TNumIO2::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TPaintBatch Batch(this);
  if (CanFocus() && !Focused()) SetFocus();
  if (Button == mbLeft) {
    if (!FReadOnly && !FCaretVisib) {
      FCaretVisib = true;
      Paint();
    }
    const TLayout L = Layout();
    if (Y > 0 && Y < L.H - L.G) {
      FCaretPos = FSelBegin = FSelEnd = XToCharPos(X);
      Paint();
    }
    if (FGaugeVisib && Y > L.H - L.G && X >= FGaugeLeftMarg && X <= FGaugeLeftMarg + FGaugeWidth) {
      SetValue(GaugeValueAt(X));
      FValueChanged = true;
    }
    const int Bx = L.LS + L.TBW + FButSpace;
    if (FButVisible && X > Bx && X < Bx + FButWidth && Y > 0 && Y < FButHeight) SpinStep(Y <= FButHeight / 2);
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TNumIO2::MouseMove(TShiftState Shift, int X, int Y) {
  TPaintBatch Batch(this);
  FMouseAreaCode = 0;
  if (X > FLeftSpace) FMouseAreaCode = 1;
  if (X > FLeftSpace + FTextBoxWidth) FMouseAreaCode = 2;
  if (Shift.Contains(ssLeft)) {
    const TLayout L = Layout();
    if (Y > 0 && Y < L.H - L.G) {
      const int P = XToCharPos(X);
      if (P > FSelBegin) {
        FSelEnd = P;
      } else {
        FSelBegin = P;
      }
      FCaretPos = P;
      Paint();
    } else if (FGaugeVisib && Y > L.H - L.G && X >= FGaugeLeftMarg - 1 && X <= FGaugeLeftMarg + FGaugeWidth + 1) {
      const double V = GaugeValueAt(X);
      SetValue(V);
      FValueChanged = true;
      if (TOnGaugeChangeEvent Handler = FOnGaugeChange) Handler(this, Shift, V);
    }
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TNumIO2::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FValueChanged) {
    FValueChanged = false;
    Changed();
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TNumIO2::Click() {
  if (!FReadOnly) RestartCaretTimer();
  TCustomControl::Click();
}

}  // namespace orv
