#pragma once
// TNumIO: a single-line edit box that only holds text converting to a number
// of its input format within its range. Every change of the text is checked
// at once; a change that does not pass is undone, the caret steps back one
// place and the box beeps when Beep is set. The value is read and written as
// a double through Value.
//
// A box created in code starts with the range 0 to 0, which accepts only 0:
// a host sets RangeLow and RangeHigh before the user types. One created in the
// form designer (owner designing) starts with the widest range.

#include "foundation/basetypes.h"
#include "framework/controls/edit.h"
#include "numio/informat.h"

namespace orv {

class TNumIO : public TCustomEdit {
 public:
  explicit TNumIO(TComponent* AOwner);
  ~TNumIO() override;

  // Changing it forgets the last accepted text and checks the current one.
  TInFormat InputFormat() const { return FInFormat; }
  void SetInputFormat(TInFormat Value);
  // Decimal places of itFixPoint, kept within 1..8; the text is not re-checked.
  int FixPointDecPlaces() const { return FFixPDecPl; }
  void SetFixPointDecPlaces(int Value);
  // The accepted range. A bound set past the other one swaps places with it,
  // so RangeLow <= RangeHigh always holds. Either setter forgets the last
  // accepted text and checks the current one.
  double RangeLow() const { return FMinimum; }
  void SetRangeLow(double Value);
  double RangeHigh() const { return FMaximum; }
  void SetRangeHigh(double Value);
  // Changing it forgets the last accepted text and checks the current one.
  TDecPSep DecPlaceSep() const { return FDecPSep; }
  void SetDecPlaceSep(TDecPSep Value);
  bool Beep() const { return FBeep; }
  void SetBeep(bool Value) { FBeep = Value; }

  // The number in the box; a text that is not a number reads as 0. Writing
  // shows the value in the notation of the input format without checking it,
  // and that text becomes the one a refused change restores.
  double Value() const;
  void SetValue(double X);

  // From another TNumIO: InputFormat, Beep, RangeLow, RangeHigh and
  // DecPlaceSep (not the text, not FixPointDecPlaces). Anything else goes to
  // the inherited Assign.
  void Assign(TPersistent* Source) override;

  // Checks the text streamed in, once every property is in place.
  void Loaded() override;

 protected:
  void AssignTo(TPersistent* Dest) override;
  // Whether Text is a number of the current format; Value gets it.
  bool ConvertNumString(const String& Text, double& Value) const;
  // The check of every text change; fires OnChange only for accepted text.
  void Change() override;

  TInFormat FInFormat = itDynamic;
  int FFixPDecPl = 2;
  String FOldText;          // the last text that passed; restored on refusal
  bool FInternalChg = false;  // set while the box replaces its own text
  bool FBeep = false;
  double FMinimum = 0;
  double FMaximum = 0;
  TDecPSep FDecPSep = dpsSystem;

 private:
  bool Designing() const;
  // Shows Text as the box's own change, with the caret at SelStart.
  void PutText(const String& Text, int SelStart);
  // Forgets the last accepted text and checks the current one.
  void Recheck();
};

}  // namespace orv
