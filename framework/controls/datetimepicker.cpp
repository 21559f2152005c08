#include "framework/controls/datetimepicker.h"

#include <algorithm>

#include "framework/controls/dropdownface.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/dateutils.h"

namespace orv {

namespace {

constexpr int kButtonWidth = 17;
constexpr int kBorder = 2;
constexpr int kTextLeft = 4;

// A value split into its calendar fields, put together again with the day
// limited to the month's length.
struct TParts {
  int Year, Month, Day, Hour, Min, Sec, MSec;

  explicit TParts(TDateTime V) {
    uint16_t Y, Mo, D, H, Mi, S, Ms;
    DecodeDateTime(V, Y, Mo, D, H, Mi, S, Ms);
    if (Y == 0) {  // outside the calendar: start from 0001-01-01
      Y = 1;
      Mo = 1;
      D = 1;
    }
    Year = Y, Month = Mo, Day = D, Hour = H, Min = Mi, Sec = S, MSec = Ms;
  }
  int MonthLength() const { return DaysInAMonth(static_cast<uint16_t>(Year), static_cast<uint16_t>(Month)); }
  TDateTime Value() const {
    const int D = std::min(Day, MonthLength());
    return ComposeDateTime(EncodeDate(static_cast<uint16_t>(Year), static_cast<uint16_t>(Month), static_cast<uint16_t>(D)),
                           EncodeTime(static_cast<uint16_t>(Hour), static_cast<uint16_t>(Min),
                                      static_cast<uint16_t>(Sec), static_cast<uint16_t>(MSec)));
  }
};

int Wrap(int V, int Low, int High) {
  const int N = High - Low + 1;
  return Low + ((V - Low) % N + N) % N;
}

bool EditableRun(const TPickerFormatToken& T) { return !T.Literal && !(T.Letter == u'd' && T.Count >= 3); }

}  // namespace

// The dropped month calendar: a layer over the whole form that draws the
// month box and takes every click while it is open, so a click beside the
// box closes it without reaching what lies below.
class TDateTimeCalendar : public TCustomControl {
 public:
  static constexpr int CellW = 24, CellH = 18, HeadH = 22;

  TDateTimeCalendar(TDateTimePicker* Picker, TWinControl* Host) : TCustomControl(nullptr), FPicker(Picker) {
    SetControlStyle(TControlStyle{csOpaque, csCaptureMouse});
    SetParent(Host);
    SetBounds(0, 0, Host->ClientWidth(), Host->ClientHeight());
    FCursor = DateOf(Picker->DateTime());
    const TPoint At = ScreenToClient(Picker->ClientToScreen(TPoint{0, 0}));
    const int W = 7 * CellW + 2, H = HeadH + CellH * 7 + 2;
    // Below the picker, else above it, else as low as the form lets it lie
    // whole (over the picker).
    int Top = At.Y + Picker->Height();
    if (Top + H > Height()) Top = At.Y - H >= 0 ? At.Y - H : std::max(0, Height() - H);
    int Left = std::min(At.X, Width() - W);
    FBox = TRect{std::max(Left, 0), Top, std::max(Left, 0) + W, Top + H};
    BringToFront();
  }

  TDateTime Cursor() const { return FCursor; }
  void MoveCursor(TDateTime To) {
    if (To < MinDateTime || To > MaxDateTime) return;
    FCursor = DateOf(To);
    Invalidate();
  }
  void MoveMonths(int N) { MoveCursor(IncMonth(FCursor, N)); }

 protected:
  void Paint() override {
    TCanvas* C = Canvas();
    TCanvasStateSaver Saver(C);
    C->Font()->Assign(FPicker->Font());
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clWindow);
    C->Pen()->SetColor(clBlack);
    C->Rectangle(FBox);
    // Title: month and year between the two arrows.
    const TRect Head{FBox.Left + 1, FBox.Top + 1, FBox.Right - 1, FBox.Top + 1 + HeadH};
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(Head);
    C->Brush()->SetStyle(bsClear);
    C->Font()->SetColor(clWindowText);
    const String Title = FormatPickerDateTime(u"MMMM yyyy", FCursor);
    C->TextOut((Head.Left + Head.Right - C->TextWidth(Title)) / 2, Head.Top + (HeadH - C->TextHeight(Title)) / 2, Title);
    C->TextOut(Head.Left + 6, Head.Top + (HeadH - C->TextHeight(u"<")) / 2, u"<");
    C->TextOut(Head.Right - 6 - C->TextWidth(u">"), Head.Top + (HeadH - C->TextHeight(u">")) / 2, u">");
    // Weekday initials, Monday first, then six weeks.
    static const char16_t* const Names[7] = {u"Mo", u"Tu", u"We", u"Th", u"Fr", u"Sa", u"Su"};
    for (int I = 0; I < 7; ++I) CenterText(C, CellRect(I, -1), Names[I]);
    C->Pen()->SetColor(clBtnShadow);
    C->MoveTo(FBox.Left + 3, Head.Bottom + CellH);
    C->LineTo(FBox.Right - 3, Head.Bottom + CellH);
    const TDateTime First = FirstShown();
    uint16_t Y, M, D;
    DecodeDate(FCursor, Y, M, D);
    for (int I = 0; I < 42; ++I) {
      const TDateTime Day = First + I;
      uint16_t DY, DM, DD;
      DecodeDate(Day, DY, DM, DD);
      const TRect R = CellRect(I % 7, I / 7);
      const bool Hot = Day == FCursor;
      if (Hot) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(clHighlight);
        C->FillRect(R);
        C->Brush()->SetStyle(bsClear);
      }
      C->Font()->SetColor(Hot ? clHighlightText : DM == M ? clWindowText : clGrayText);
      CenterText(C, R, FormatPickerDateTime(u"d", Day));
    }
  }

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (!FBox.Contains(TPoint{X, Y})) {
      FPicker->SetDroppedDown(false);  // frees this layer
      return;
    }
    if (Y < FBox.Top + 1 + HeadH) {
      if (X < FBox.Left + 30) MoveMonths(-1);
      if (X >= FBox.Right - 30) MoveMonths(1);
      return;
    }
    const int Col = (X - FBox.Left - 1) / CellW;
    const int Row = (Y - FBox.Top - 1 - HeadH) / CellH - 1;
    if (Col < 0 || Col > 6 || Row < 0 || Row > 5) return;
    const TDateTime Day = FirstShown() + Row * 7 + Col;
    TDateTimePicker* Picker = FPicker;
    Picker->SetDroppedDown(false);  // frees this layer
    Picker->UserSet(ComposeDateTime(Day, TimeOf(Picker->DateTime())));
  }

  bool DoMouseWheelDown(TShiftState, TPoint) override {
    MoveMonths(1);
    return true;
  }
  bool DoMouseWheelUp(TShiftState, TPoint) override {
    MoveMonths(-1);
    return true;
  }

 private:
  // The Monday on or before the first of the cursor's month.
  TDateTime FirstShown() const {
    const TDateTime First = StartOfTheMonth(FCursor);
    return First - (DayOfTheWeek(First) - 1);
  }
  // Row -1 holds the weekday initials.
  TRect CellRect(int Col, int Row) const {
    const int X = FBox.Left + 1 + Col * CellW, Y = FBox.Top + 1 + HeadH + (Row + 1) * CellH;
    return TRect{X, Y, X + CellW, Y + CellH};
  }
  static void CenterText(TCanvas* C, const TRect& R, const String& S) {
    C->TextOut((R.Left + R.Right - C->TextWidth(S)) / 2, (R.Top + R.Bottom - C->TextHeight(S)) / 2, S);
  }

  TDateTimePicker* FPicker;
  TRect FBox;
  TDateTime FCursor;
};

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TCustomControl(AOwner), FDateTime(Now()) {
  SetBounds(Left(), Top(), 186, 24);
  SetColor(clWindow);
  SetTabStop(true);
  SetControlStyle(ControlStyle() + TControlStyle{csCaptureMouse, csOpaque});
}

TDateTimePicker::~TDateTimePicker() {
  delete FCalendar;
  delete FSpentCalendar;
}

void TDateTimePicker::SetDateTime(TDateTime Value) {
  if (Value == FDateTime) return;
  FDateTime = Value;
  FTyped.clear();
  Invalidate();
}

TDateTime TDateTimePicker::Date() const { return DateOf(FDateTime); }
void TDateTimePicker::SetDate(TDateTime Value) { SetDateTime(ComposeDateTime(DateOf(Value), TimeOf(FDateTime))); }
TDateTime TDateTimePicker::Time() const { return TimeOf(FDateTime); }
void TDateTimePicker::SetTime(TDateTime Value) { SetDateTime(ComposeDateTime(DateOf(FDateTime), TimeOf(Value))); }

void TDateTimePicker::SetKind(TDateTimeKind Value) {
  if (Value == FKind) return;
  FKind = Value;
  FField = 0;
  Invalidate();
}

void TDateTimePicker::SetFormat(const String& Value) {
  if (Value == FFormat) return;
  FFormat = Value;
  FField = 0;
  FTyped.clear();
  Invalidate();
}

String TDateTimePicker::EffectiveFormat() const {
  if (!FFormat.empty()) return FFormat;
  if (FKind == dtkTime) return u"HH:mm:ss";
  // The short date of the settings, with its month letters in picker terms.
  String F = FormatSettings.ShortDateFormat;
  for (Char& C : F)
    if (C == u'm') C = u'M';
  return F;
}

std::vector<TDateTimePicker::TField> TDateTimePicker::Fields() const {
  std::vector<TField> Out;
  const auto Tokens = TokenizePickerFormat(EffectiveFormat());
  int At = 0;
  for (size_t I = 0; I < Tokens.size(); ++I) {
    const int Len = static_cast<int>((Tokens[I].Literal ? Tokens[I].Text : FormatPickerRun(Tokens[I], FDateTime)).size());
    if (EditableRun(Tokens[I])) Out.push_back(TField{I, At, Len});
    At += Len;
  }
  return Out;
}

int TDateTimePicker::FieldCount() const { return static_cast<int>(Fields().size()); }

void TDateTimePicker::SelectField(int Index) {
  const int N = FieldCount();
  if (N == 0) return;
  FField = std::clamp(Index, 0, N - 1);
  FTyped.clear();
  Invalidate();
}

void TDateTimePicker::UserSet(TDateTime Value) {
  if (Value == FDateTime) return;
  FDateTime = Value;
  Invalidate();
  Change();
}

void TDateTimePicker::Change() {
  if (FOnChange) FOnChange(this);
}

void TDateTimePicker::StepField(int Delta) {
  const auto F = Fields();
  if (F.empty()) return;
  const Char Letter = TokenizePickerFormat(EffectiveFormat())[F[static_cast<size_t>(std::min<int>(FField, static_cast<int>(F.size()) - 1))].Token].Letter;
  TParts P(FDateTime);
  switch (Letter) {
    case u'y': P.Year = std::clamp(P.Year + Delta, 1, 9999); break;
    case u'M': P.Month = Wrap(P.Month + Delta, 1, 12); break;
    case u'd': P.Day = Wrap(std::min(P.Day, P.MonthLength()) + Delta, 1, P.MonthLength()); break;
    case u'H':
    case u'h': P.Hour = Wrap(P.Hour + Delta, 0, 23); break;
    case u'm': P.Min = Wrap(P.Min + Delta, 0, 59); break;
    case u's': P.Sec = Wrap(P.Sec + Delta, 0, 59); break;
    case u't': P.Hour = (P.Hour + 12) % 24; break;
    default: return;
  }
  FTyped.clear();
  UserSet(P.Value());
}

void TDateTimePicker::TypeDigit(int Digit) {
  const auto F = Fields();
  if (F.empty()) return;
  const size_t FieldIx = static_cast<size_t>(std::min<int>(FField, static_cast<int>(F.size()) - 1));
  const TPickerFormatToken T = TokenizePickerFormat(EffectiveFormat())[F[FieldIx].Token];
  TParts P(FDateTime);
  int Low = 0, High = 59, MaxDigits = 2;
  switch (T.Letter) {
    case u'y':
      Low = 1, High = 9999, MaxDigits = T.Count >= 3 ? 4 : 2;
      if (MaxDigits == 2) Low = 0, High = 99;
      break;
    case u'M': Low = 1, High = 12; break;
    case u'd': Low = 1, High = P.MonthLength(); break;
    case u'H': High = 23; break;
    case u'h': Low = 1, High = 12; break;
    case u'm':
    case u's': break;
    default: return;
  }
  // A digit that makes the typed number too big starts a new number.
  FTyped += static_cast<Char>(u'0' + Digit);
  int V = 0;
  for (Char C : FTyped) V = V * 10 + (C - u'0');
  if (V > High && FTyped.size() > 1) {
    FTyped.assign(1, static_cast<Char>(u'0' + Digit));
    V = Digit;
  }
  if (V >= Low && V <= High) {
    switch (T.Letter) {
      case u'y': P.Year = MaxDigits == 2 ? P.Year / 100 * 100 + V : V; break;
      case u'M': P.Month = V; break;
      case u'd': P.Day = V; break;
      case u'H': P.Hour = V; break;
      case u'h': P.Hour = V % 12 + (P.Hour >= 12 ? 12 : 0); break;
      case u'm': P.Min = V; break;
      case u's': P.Sec = V; break;
      default: break;
    }
    if (P.Year >= 1) UserSet(P.Value());
  }
  const bool Full = static_cast<int>(FTyped.size()) >= MaxDigits || V * 10 > High;
  if (Full) {
    FTyped.clear();
    if (FField + 1 < static_cast<int>(F.size())) ++FField;
    Invalidate();
  }
}

void TDateTimePicker::SetDroppedDown(bool Value) {
  if (Value == DroppedDown()) return;
  // A calendar closed from inside its own mouse handler is freed only here
  // or with the picker, never while its handler still runs.
  delete FSpentCalendar;
  FSpentCalendar = nullptr;
  if (Value) {
    if (FOnDropDown) FOnDropDown(this);
    TWinControl* Host = Parent();
    if (!Host) return;
    while (Host->Parent()) Host = Host->Parent();
    FCalendar = new TDateTimeCalendar(this, Host);
  } else {
    FSpentCalendar = FCalendar;
    FCalendar = nullptr;
    FSpentCalendar->SetVisible(false);
    if (FOnCloseUp) FOnCloseUp(this);
  }
  Invalidate();
}

TRect TDateTimePicker::ButtonRect() const {
  return TRect{Width() - kBorder - kButtonWidth, kBorder, Width() - kBorder, Height() - kBorder};
}

void TDateTimePicker::Paint() {
  TCanvas* C = ControlCanvas();
  TCanvasStateSaver Saver(C);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Color());
  C->FillRect(ClientRect());
  C->Font()->Assign(Font());
  if (!Enabled()) C->Font()->SetColor(clGrayText);
  const TRect TextArea{kBorder, kBorder, Width() - kBorder - kButtonWidth, Height() - kBorder};
  C->SetClipRect(TextArea);
  const String Text = DisplayText();
  const int Y = (Height() - C->TextHeight(Text)) / 2;
  C->Brush()->SetStyle(bsClear);
  C->TextOut(kTextLeft, Y, Text);
  const auto F = Fields();
  if (Focused() && !F.empty()) {
    const TField& Cur = F[static_cast<size_t>(std::min<int>(FField, static_cast<int>(F.size()) - 1))];
    const String Piece = Text.substr(static_cast<size_t>(Cur.Start), static_cast<size_t>(Cur.Length));
    const int X = kTextLeft + C->TextWidth(Text.substr(0, static_cast<size_t>(Cur.Start)));
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clHighlight);
    C->FillRect(TRect{X, Y, X + C->TextWidth(Piece), Y + C->TextHeight(Piece)});
    C->Brush()->SetStyle(bsClear);
    C->Font()->SetColor(clHighlightText);
    C->TextOut(X, Y, Piece);
  }
  C->SetClipRect(ClientRect());
  PaintDropDownFace(C, ButtonRect(), DroppedDown(), Enabled(), Width(), Height());
}

void TDateTimePicker::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus() && !Focused()) SetFocus();
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  if (ButtonRect().Contains(TPoint{X, Y})) {
    SetDroppedDown(!DroppedDown());
    return;
  }
  // A click on a field chooses it.
  TCanvas* C = ControlCanvas();
  C->SetFont(Font());
  const String Text = DisplayText();
  const auto F = Fields();
  for (size_t I = 0; I < F.size(); ++I) {
    const int Right = kTextLeft + C->TextWidth(Text.substr(0, static_cast<size_t>(F[I].Start + F[I].Length)));
    if (X < Right || I + 1 == F.size()) {
      SelectField(static_cast<int>(I));
      return;
    }
  }
}

void TDateTimePicker::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == VK_F4 || (Key == VK_DOWN && Shift.Contains(ssAlt))) {
    SetDroppedDown(!DroppedDown());
    Key = 0;
    return;
  }
  if (FCalendar) {
    switch (Key) {
      case VK_LEFT: FCalendar->MoveCursor(FCalendar->Cursor() - 1); break;
      case VK_RIGHT: FCalendar->MoveCursor(FCalendar->Cursor() + 1); break;
      case VK_UP: FCalendar->MoveCursor(FCalendar->Cursor() - 7); break;
      case VK_DOWN: FCalendar->MoveCursor(FCalendar->Cursor() + 7); break;
      case VK_PRIOR: FCalendar->MoveMonths(-1); break;
      case VK_NEXT: FCalendar->MoveMonths(1); break;
      case VK_RETURN: {
        const TDateTime Day = FCalendar->Cursor();
        SetDroppedDown(false);
        UserSet(ComposeDateTime(Day, TimeOf(FDateTime)));
        break;
      }
      case VK_ESCAPE: SetDroppedDown(false); break;
      default: return;
    }
    Key = 0;
    return;
  }
  switch (Key) {
    case VK_LEFT: SelectField(FField - 1); break;
    case VK_RIGHT: SelectField(FField + 1); break;
    case VK_UP: StepField(1); break;
    case VK_DOWN: StepField(-1); break;
    default: return;
  }
  Key = 0;
}

void TDateTimePicker::KeyPress(Char& Key) {
  TCustomControl::KeyPress(Key);
  if (Key >= u'0' && Key <= u'9') {
    TypeDigit(Key - u'0');
    Key = 0;
    return;
  }
  const Char Lower = Key >= u'A' && Key <= u'Z' ? static_cast<Char>(Key + 32) : Key;
  if (Lower != u'a' && Lower != u'p') return;
  const auto F = Fields();
  if (F.empty()) return;
  const auto Tokens = TokenizePickerFormat(EffectiveFormat());
  if (Tokens[F[static_cast<size_t>(std::min<int>(FField, static_cast<int>(F.size()) - 1))].Token].Letter != u't') return;
  TParts P(FDateTime);
  if ((Lower == u'a') == (P.Hour >= 12)) P.Hour = (P.Hour + 12) % 24;
  UserSet(P.Value());
  Key = 0;
}

void TDateTimePicker::DoExit() {
  SetDroppedDown(false);
  FTyped.clear();
  TCustomControl::DoExit();
}

void TDateTimePicker::WndProc(TMessage& Message) {
  TCustomControl::WndProc(Message);
  if (Message.Msg == WM_SETFOCUS || Message.Msg == WM_KILLFOCUS) Invalidate();
}

}  // namespace orv
