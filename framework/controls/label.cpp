#include "framework/controls/label.h"

#include <algorithm>

#include "framework/controls/wincontrol.h"
#include "framework/graphics/colors.h"

namespace orv {

namespace {

// Gray of engraved (disabled) text.
constexpr TColor EngravedGray = 0x808080;

std::vector<String> SplitLines(const String& S) {
  std::vector<String> Out;
  String Line;
  for (size_t I = 0; I < S.size(); ++I) {
    const Char C = S[I];
    if (C == u'\r' || C == u'\n') {
      Out.push_back(Line);
      Line.clear();
      if (C == u'\r' && I + 1 < S.size() && S[I + 1] == u'\n') ++I;
    } else {
      Line.push_back(C);
    }
  }
  Out.push_back(Line);
  return Out;
}

}  // namespace

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csOpaque);
  SetBounds(0, 0, 65, 17);
  AdjustBounds();
}

TCustomLabel::~TCustomLabel() {
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
}

String TCustomLabel::DisplayText() const {
  const String S = Caption();
  if (!FShowAccelChar) return S;
  String Out;
  for (size_t I = 0; I < S.size(); ++I) {
    if (S[I] == u'&') {
      if (I + 1 < S.size() && S[I + 1] == u'&') {
        Out.push_back(u'&');
        ++I;
      }
      continue;
    }
    Out.push_back(S[I]);
  }
  return Out;
}

std::vector<String> TCustomLabel::Lines() {
  std::vector<String> Raw = SplitLines(DisplayText());
  if (!FWordWrap) return Raw;
  TCanvas Measure;
  Measure.SetFont(Font());
  std::vector<String> Out;
  for (const String& Para : Raw) {
    // Greedy wrapping at blanks; a word wider than the label keeps a line
    // of its own rather than being cut.
    String Line;
    size_t I = 0;
    while (I < Para.size()) {
      size_t End = Para.find(u' ', I);
      if (End == String::npos) End = Para.size();
      const String Word = Para.substr(I, End - I);
      const String Candidate = Line.empty() ? Word : Line + u' ' + Word;
      if (!Line.empty() && Measure.TextWidth(Candidate) > Width()) {
        Out.push_back(Line);
        Line = Word;
      } else {
        Line = Candidate;
      }
      I = End + 1;
    }
    Out.push_back(Line);
  }
  return Out;
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || FAdjusting || ComponentState().Contains(csLoading)) return;
  FAdjusting = true;
  TCanvas Measure;
  Measure.SetFont(Font());
  const std::vector<String> L = Lines();
  int W = 0;
  for (const String& S : L) W = std::max(W, Measure.TextWidth(S));
  const int H = static_cast<int>(L.size()) * Measure.TextHeight(u"0");
  if (FWordWrap) W = Width();
  // Right-aligned labels keep their right edge, centred ones their middle.
  int X = Left();
  if (FAlignment == taRightJustify) X = Left() + Width() - W;
  if (FAlignment == taCenter) X = Left() + (Width() - W) / 2;
  SetBounds(X, Top(), W, H);
  FAdjusting = false;
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  if (Value) {
    FControlStyle.Exclude(csOpaque);
  } else {
    FControlStyle.Include(csOpaque);
  }
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (Value == FShowAccelChar) return;
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (Value == FFocusControl) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::CMTextChanged(TMessage& Message) {
  TGraphicControl::CMTextChanged(Message);
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
  TGraphicControl::CMFontChanged(Message);
  AdjustBounds();
}

void TCustomLabel::Resize() {
  TGraphicControl::Resize();
  // A wrapped label rewraps at its new width.
  if (FWordWrap) AdjustBounds();
}

void TCustomLabel::Paint() {
  TCanvas* C = Canvas();
  C->Save();
  if (!FTransparent) {
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->FillRect(ClientRect());
  }
  C->SetFont(Font());
  C->Brush()->SetStyle(bsClear);
  const std::vector<String> L = Lines();
  const int LineH = C->TextHeight(u"0");
  const int Total = static_cast<int>(L.size()) * LineH;
  int Y = 0;
  if (FLayout == tlCenter) Y = (Height() - Total) / 2;
  if (FLayout == tlBottom) Y = Height() - Total;
  const bool Engrave = !Enabled();
  for (const String& S : L) {
    const int W = C->TextWidth(S);
    int X = 0;
    if (FAlignment == taRightJustify) X = Width() - W;
    if (FAlignment == taCenter) X = (Width() - W) / 2;
    if (Engrave) {
      C->Font()->SetColor(clWhite);
      C->TextOut(X + 1, Y + 1, S);
      C->Font()->SetColor(EngravedGray);
    }
    C->TextOut(X, Y, S);
    Y += LineH;
  }
  C->Restore();
}

TLabel::TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}

}  // namespace orv
