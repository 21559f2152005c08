#include "numio/numioedit.h"

#include <algorithm>

#include "framework/controls/beep.h"
#include "numio/numiotext.h"

namespace orv {

TNumIO::TNumIO(TComponent* AOwner) : TCustomEdit(AOwner) {
  // In the designer the box must take any value a developer tries out.
  if (Designing()) {
    FMinimum = -uc_MaxDouble;
    FMaximum = uc_MaxDouble;
  }
  PutText(String(), 0);
}

TNumIO::~TNumIO() = default;

bool TNumIO::Designing() const {
  if (ComponentState().Contains(csDesigning)) return true;
  return Owner() != nullptr && Owner()->ComponentState().Contains(csDesigning);
}

void TNumIO::PutText(const String& NewText, int Caret) {
  // The edit raises no change notification for an unchanged text, so the flag
  // is cleared here as well: it must never swallow the user's next change.
  FInternalChg = true;
  SetText(NewText);
  FInternalChg = false;
  SetSelStart(Caret);
}

void TNumIO::Recheck() {
  FOldText.clear();
  Change();
}

void TNumIO::SetInputFormat(TInFormat Value) {
  if (Value == FInFormat) return;
  FInFormat = Value;
  Recheck();
}

void TNumIO::SetFixPointDecPlaces(int Value) { FFixPDecPl = std::clamp(Value, 1, 8); }

void TNumIO::SetRangeLow(double Value) {
  if (Value >= FMaximum) {
    FMinimum = FMaximum;
    FMaximum = Value;
  } else {
    FMinimum = Value;
  }
  Recheck();
}

void TNumIO::SetRangeHigh(double Value) {
  if (Value > FMinimum) {
    FMaximum = Value;
  } else {
    FMaximum = FMinimum;
    FMinimum = Value;
  }
  Recheck();
}

void TNumIO::SetDecPlaceSep(TDecPSep Value) {
  if (Value == FDecPSep) return;
  FDecPSep = Value;
  Recheck();
}

bool TNumIO::ConvertNumString(const String& Text, double& Value) const {
  return NumIOConvertText(Text, FInFormat, NumIOSepMode(FInFormat, FDecPSep), Value);
}

double TNumIO::Value() const { return NumIOReadValue(Text(), FInFormat); }

void TNumIO::SetValue(double X) {
  const String NewText = NumIOValueText(FInFormat, FFixPDecPl, X);
  PutText(NewText, 0);
  // A refused keystroke brings back what the program put in, not an older
  // text the box showed before it.
  FOldText = NewText;
}

void TNumIO::Change() {
  if (Designing()) return;
  if (FInternalChg) {
    FInternalChg = false;
    return;
  }
  // Streamed text waits for the range and format that follow it: Loaded checks it.
  if (ComponentState().Contains(csLoading)) return;

  TNumIOEdit Edit;
  Edit.Text = Text();
  Edit.SelStart = SelStart();
  Edit.OldText = FOldText;
  Edit.InFormat = FInFormat;
  Edit.DecPSep = FDecPSep;
  Edit.FixPDecPl = FFixPDecPl;
  Edit.RangeLow = FMinimum;
  Edit.RangeHigh = FMaximum;
  const TNumIOVerdict Verdict = CheckNumIOEdit(Edit);

  FOldText = Verdict.NewOldText;
  if (Verdict.Replace) PutText(Verdict.NewText, Verdict.NewSelStart);
  if (Verdict.Accepted) {
    // After the replacement, so that a handler sees the text as shown and
    // what it writes into the box is not overwritten.
    TCustomEdit::Change();
    return;
  }
  Update();
  if (FBeep) MessageBeep(0);
}

void TNumIO::Loaded() {
  TCustomEdit::Loaded();
  Change();
}

void TNumIO::Assign(TPersistent* Source) {
  if (auto* Other = dynamic_cast<TNumIO*>(Source)) {
    // Field copies and one check at the end: through the setters a range
    // would be merged with this box's old one (a low bound above the old high
    // one swaps with it) and the text checked against half-copied settings.
    FInFormat = Other->FInFormat;
    FBeep = Other->FBeep;
    FMinimum = Other->FMinimum;
    FMaximum = Other->FMaximum;
    FDecPSep = Other->FDecPSep;
    Recheck();
    return;
  }
  TCustomEdit::Assign(Source);
}

void TNumIO::AssignTo(TPersistent* Dest) {
  if (auto* Other = dynamic_cast<TNumIO*>(Dest)) {
    Other->Assign(this);
    return;
  }
  TCustomEdit::AssignTo(Dest);
}

}  // namespace orv
