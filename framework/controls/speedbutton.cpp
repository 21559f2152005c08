#include "framework/controls/speedbutton.h"

#include <algorithm>

#include "framework/controls/wincontrol.h"
#include "framework/graphics/colors.h"
#include "framework/graphics/edges.h"

namespace orv {

namespace {

// Gray of engraved (disabled) text and glyphs.
constexpr TColor EngravedGray = 0x808080;

TRect Shrink(const TRect& R, int By) { return TRect{R.Left + By, R.Top + By, R.Right - By, R.Bottom - By}; }

int Luminance(TColor C) {
  const int R = static_cast<int>(C & 0xFF);
  const int G = static_cast<int>((C >> 8) & 0xFF);
  const int B = static_cast<int>((C >> 16) & 0xFF);
  return (R * 30 + G * 59 + B * 11) / 100;
}

}  // namespace

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  // No csClickEvents: the button decides itself when a release is a click.
  FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
  SetColor(clBtnFace);
  SetBounds(0, 0, 23, 22);
  FGlyph->SetOnChange([this](TObject*) { Invalidate(); });
}

TSpeedButton::~TSpeedButton() { FGlyph->SetOnChange(nullptr); }

// --- Group state --------------------------------------------------------------------

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  if (Enabled()) FState = Value ? bsExclusive : bsUp;
  Invalidate();
  if (Value) UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  if (Value == FAllowAllUp) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  if (FGroupIndex == 0 && FDown) {
    FDown = false;
    if (Enabled()) FState = bsUp;
    Invalidate();
  }
  UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !Parent()) return;
  TMessage M{CM_BUTTONPRESSED, static_cast<uintptr_t>(FGroupIndex), reinterpret_cast<intptr_t>(static_cast<TObject*>(this)), 0};
  Parent()->Broadcast(M);
}

void TSpeedButton::CMButtonPressed(TMessage& Message) {
  auto* Sender = dynamic_cast<TSpeedButton*>(reinterpret_cast<TObject*>(Message.LParam));
  if (!Sender || Sender == this || Message.WParam != static_cast<uintptr_t>(FGroupIndex) || FGroupIndex == 0) return;
  if (Sender->FDown && FDown) {
    FDown = false;
    if (Enabled()) FState = bsUp;
    Invalidate();
  }
  FAllowAllUp = Sender->FAllowAllUp;
}

// --- Other properties ----------------------------------------------------------------

void TSpeedButton::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  const int W = FGlyph->Width();
  const int H = FGlyph->Height();
  if (H > 0 && W % H == 0 && W / H >= 1 && W / H <= 4) FNumGlyphs = W / H;
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs Value) {
  Value = std::clamp(Value, 1, 4);
  if (Value == FNumGlyphs) return;
  FNumGlyphs = Value;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TSpeedButton::SetMargin(int Value) {
  Value = std::max(Value, -1);
  if (Value == FMargin) return;
  FMargin = Value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int Value) {
  Value = std::max(Value, -1);
  if (Value == FSpacing) return;
  FSpacing = Value;
  Invalidate();
}

// --- Messages --------------------------------------------------------------------------

void TSpeedButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_BUTTONPRESSED:
      CMButtonPressed(Message);
      return;
    case WM_LBUTTONDBLCLK: {
      const auto Life = LifeToken();
      TGraphicControl::WndProc(Message);
      if (Life.expired()) return;
      // A double click on a button that stays down is a double click; on
      // any other it is two clicks.
      if (FDown) DblClick();
      return;
    }
    default:
      TGraphicControl::WndProc(Message);
  }
}

void TSpeedButton::CMEnabledChanged(TMessage& Message) {
  TGraphicControl::CMEnabledChanged(Message);
  if (!Enabled()) {
    FState = bsDisabled;
    FDragging = false;
    FMouseInControl = false;
  } else {
    FState = FDown ? bsExclusive : bsUp;
  }
}

void TSpeedButton::CMMouseEnter(TMessage& Message) {
  const auto Life = LifeToken();
  TGraphicControl::CMMouseEnter(Message);
  if (Life.expired()) return;
  if (!FMouseInControl && Enabled()) {
    FMouseInControl = true;
    if (FFlat) Invalidate();
  }
}

void TSpeedButton::CMMouseLeave(TMessage& Message) {
  const auto Life = LifeToken();
  TGraphicControl::CMMouseLeave(Message);
  if (Life.expired()) return;
  if (FMouseInControl) {
    FMouseInControl = false;
    if (FFlat) Invalidate();
  }
}

void TSpeedButton::CMTextChanged(TMessage& Message) {
  TGraphicControl::CMTextChanged(Message);
  Invalidate();
}

// --- Mouse -------------------------------------------------------------------------------

// The inherited mouse handlers run the user's events first, which may free
// the button; what follows them looks at the button only while it lives.
void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const auto Life = LifeToken();
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Life.expired()) return;
  if (Button == mbLeft && Enabled()) {
    if (!FDown) {
      FState = bsDown;
      Invalidate();
    }
    FDragging = true;
  }
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  const auto Life = LifeToken();
  TGraphicControl::MouseMove(Shift, X, Y);
  if (Life.expired() || !FDragging) return;
  // Pressed look only while the pointer is over the button.
  TButtonState NewState = FDown ? bsExclusive : bsUp;
  if (ClientRect().Contains(TPoint{X, Y})) NewState = FDown ? bsExclusive : bsDown;
  if (NewState != FState) {
    FState = NewState;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const auto Life = LifeToken();
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Life.expired() || !FDragging || Button != mbLeft) return;
  FDragging = false;
  const bool DoClick = ClientRect().Contains(TPoint{X, Y});
  if (FGroupIndex == 0) {
    FState = bsUp;
    Invalidate();
  } else if (DoClick) {
    SetDown(!FDown);
    // A refused release (last button of a group without AllowAllUp) must
    // still lose the pressed look.
    FState = FDown ? bsExclusive : bsUp;
    Invalidate();
  } else {
    FState = FDown ? bsExclusive : bsUp;
    Invalidate();
  }
  if (!Enabled()) FState = bsDisabled;
  if (DoClick) Click();
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

// --- Painting ------------------------------------------------------------------------------

void TSpeedButton::DrawFace(TCanvas* C, const TRect& R) {
  const bool Pressed = FState == bsDown || FState == bsExclusive;
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Color());
  C->FillRect(R);
  if (FFlat) {
    // Flat buttons show a thin border only while hovered or pressed.
    if (Pressed || FDown) {
      DrawEdgeRing(C, R, clBtnShadow, clBtnHighlight);
    } else if (FMouseInControl && Enabled()) {
      DrawEdgeRing(C, R, clBtnHighlight, clBtnShadow);
    }
  } else {
    DrawEdge(C, R, Pressed ? EdgeSunken : EdgeRaised);
  }
  if (FState == bsExclusive && !FMouseInControl) {
    // A button that stays down shows a checkered face.
    const TRect In = Shrink(R, 2);
    const TColor Light = ColorToRGB(clBtnHighlight) & 0x00FFFFFF;
    for (int Y = In.Top; Y < In.Bottom; ++Y) {
      for (int X = In.Left + ((Y + In.Left) & 1); X < In.Right; X += 2) C->SetPixels(X, Y, Light);
    }
  }
}

void TSpeedButton::DrawGlyph(TCanvas* C, int X, int Y) {
  const int CellW = FGlyph->Width() / FNumGlyphs;
  const int H = FGlyph->Height();
  if (CellW <= 0 || H <= 0) return;
  int Index = static_cast<int>(FState);
  if (Index >= FNumGlyphs) Index = 0;
  const bool Engrave = FState == bsDisabled && FNumGlyphs < 2;
  const uint32_t Transparent = FGlyph->ScanLine(H - 1)[0];
  const int Left = Index * CellW;
  // Engraved glyphs: the dark pixels in white one pixel down and right, then
  // in gray in place.
  for (int Pass = Engrave ? 0 : 1; Pass < 2; ++Pass) {
    for (int GY = 0; GY < H; ++GY) {
      const uint32_t* Row = FGlyph->ScanLine(GY);
      for (int GX = 0; GX < CellW; ++GX) {
        const uint32_t P = Row[Left + GX];
        if (P == Transparent) continue;
        const TColor Col = PixelToColor(P);
        if (!Engrave) {
          C->SetPixels(X + GX, Y + GY, Col);
        } else if (Luminance(Col) < 192) {
          if (Pass == 0) {
            C->SetPixels(X + GX + 1, Y + GY + 1, clWhite);
          } else {
            C->SetPixels(X + GX, Y + GY, EngravedGray);
          }
        }
      }
    }
  }
}

void TSpeedButton::DrawCaption(TCanvas* C, int X, int Y) {
  C->Brush()->SetStyle(bsClear);
  C->SetFont(Font());
  if (FState == bsDisabled) {
    C->Font()->SetColor(clWhite);
    C->TextOut(X + 1, Y + 1, Caption());
    C->Font()->SetColor(EngravedGray);
  }
  C->TextOut(X, Y, Caption());
}

void TSpeedButton::Paint() {
  TCanvas* C = ControlCanvas();
  C->Save();
  C->Pen()->SetMode(pmCopy);
  const TRect R = ClientRect();
  DrawFace(C, R);

  C->SetFont(Font());
  const String Text = Caption();
  const TSize TextSize = Text.empty() ? TSize{} : C->TextExtent(Text);
  const TSize GlyphSize = FGlyph->Width() > 0 ? TSize{FGlyph->Width() / FNumGlyphs, FGlyph->Height()} : TSize{};
  const bool Horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
  // Lay glyph and caption out along the layout's axis, centred across it.
  const int Client = Horizontal ? R.Width() : R.Height();
  const int GlyphLen = Horizontal ? GlyphSize.cx : GlyphSize.cy;
  const int TextLen = Horizontal ? TextSize.cx : TextSize.cy;
  int Margin = FMargin;
  int Spacing = (Text.empty() || GlyphLen == 0) ? 0 : FSpacing;
  if (Margin == -1) {
    if (Spacing == -1) {
      Margin = (Client - GlyphLen - TextLen) / 3;
      Spacing = Margin;
    } else {
      Margin = (Client - GlyphLen - Spacing - TextLen + 1) / 2;
    }
  } else if (Spacing == -1) {
    Spacing = (Client - Margin - GlyphLen - TextLen) / 2;
  }
  TPoint GlyphPos;
  TPoint TextPos;
  switch (FLayout) {
    case blGlyphLeft:
      GlyphPos.X = Margin;
      TextPos.X = GlyphPos.X + GlyphLen + Spacing;
      break;
    case blGlyphRight:
      GlyphPos.X = Client - Margin - GlyphLen;
      TextPos.X = GlyphPos.X - Spacing - TextLen;
      break;
    case blGlyphTop:
      GlyphPos.Y = Margin;
      TextPos.Y = GlyphPos.Y + GlyphLen + Spacing;
      break;
    case blGlyphBottom:
      GlyphPos.Y = Client - Margin - GlyphLen;
      TextPos.Y = GlyphPos.Y - Spacing - TextLen;
      break;
  }
  if (Horizontal) {
    GlyphPos.Y = (R.Height() - GlyphSize.cy + 1) / 2;
    TextPos.Y = (R.Height() - TextSize.cy + 1) / 2;
  } else {
    GlyphPos.X = (R.Width() - GlyphSize.cx + 1) / 2;
    TextPos.X = (R.Width() - TextSize.cx + 1) / 2;
  }
  // Pressed contents move one pixel down and right.
  const int Shift = (FState == bsDown || FState == bsExclusive) ? 1 : 0;
  C->SetClipRect(Shrink(R, 1));
  if (GlyphLen > 0) DrawGlyph(C, GlyphPos.X + Shift, GlyphPos.Y + Shift);
  if (!Text.empty()) DrawCaption(C, TextPos.X + Shift, TextPos.Y + Shift);
  C->Restore();
}

}  // namespace orv
