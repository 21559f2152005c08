#pragma once
// TDateTimePicker: a box showing a date and time in a display format whose
// fields can be edited from the keyboard, with a month calendar that drops
// down below it (above it when there is no room).
//
// Keys: Left and Right choose the field, Up and Down step it (wrapping
// within its range; the day within the month), digits type a new value
// (the field is left for the next one when it is full), "a" and "p" set
// the half of the day, F4 or Alt+Down drop the calendar. In the calendar
// the arrows move the day, Page Up and Page Down the month, Enter chooses
// and Escape closes it. Every change the user makes ends in OnChange;
// values set by the program fire nothing.

#include <functional>

#include "framework/controls/customcontrol.h"
#include "framework/controls/dtpformat.h"

namespace orv {

class TDateTimeCalendar;

enum TDateTimeKind : uint8_t { dtkDate, dtkTime };

class TDateTimePicker : public TCustomControl {
 public:
  explicit TDateTimePicker(TComponent* AOwner);
  ~TDateTimePicker() override;

  // The value shown; it starts at the current date and time.
  TDateTime DateTime() const { return FDateTime; }
  void SetDateTime(TDateTime Value);
  TDateTime Date() const;
  void SetDate(TDateTime Value);
  TDateTime Time() const;
  void SetTime(TDateTime Value);
  // With an empty Format, dtkDate shows the short date and dtkTime "HH:mm:ss".
  TDateTimeKind Kind() const { return FKind; }
  void SetKind(TDateTimeKind Value);
  // The display format (picker letters, see dtpformat.h).
  const String& Format() const { return FFormat; }
  void SetFormat(const String& Value);
  // The format in use: Format, or the default of Kind when it is empty.
  String EffectiveFormat() const;
  // The text the box shows.
  String DisplayText() const { return FormatPickerDateTime(EffectiveFormat(), FDateTime); }
  // Index of the field the keys act on among the editable fields.
  int FieldIndex() const { return FField; }
  int FieldCount() const;
  bool DroppedDown() const { return FCalendar != nullptr; }
  void SetDroppedDown(bool Value);

  void WndProc(TMessage& Message) override;

  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
  TNotifyEvent OnDropDown() const { return FOnDropDown; }
  void SetOnDropDown(TNotifyEvent Value) { FOnDropDown = std::move(Value); }
  TNotifyEvent OnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TNotifyEvent Value) { FOnCloseUp = std::move(Value); }

 protected:
  friend class TDateTimeCalendar;
  virtual void Change();
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DoExit() override;

 private:
  struct TField {
    size_t Token;   // index into the format's tokens
    int Start;      // first character in the display text
    int Length;     // characters in the display text
  };
  std::vector<TField> Fields() const;
  TRect ButtonRect() const;
  // The user set a new value: stored, shown, OnChange when it differs.
  void UserSet(TDateTime Value);
  // Steps the current field by Delta, wrapping in its range.
  void StepField(int Delta);
  void TypeDigit(int Digit);
  void SelectField(int Index);

  TDateTime FDateTime = 0;
  TDateTimeKind FKind = dtkDate;
  String FFormat;
  int FField = 0;
  String FTyped;  // digits typed into the current field so far
  TDateTimeCalendar* FCalendar = nullptr;
  TDateTimeCalendar* FSpentCalendar = nullptr;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnDropDown;
  TNotifyEvent FOnCloseUp;
};

}  // namespace orv
