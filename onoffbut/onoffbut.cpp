// TOnOffBut: properties, glyph strips, group behaviour, mouse and painting.

#include "onoffbut/onoffbut.h"

#include <algorithm>

#include "foundation/colorfuncs.h"
#include "foundation/drawing.h"
#include "framework/controls/wincontrol.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"

namespace orv {

namespace {

// Resource name of each style's strip; oobsUser has none.
constexpr const char16_t* kStripNames[] = {
    nullptr,       u"CHECKBOX",   u"RADIOBUT",   u"SLIDETOPBOT", u"SLIDELFTRGT", u"COLSLIDETB",
    u"COLSLIDELR", u"LEDREDGREEN", u"ARROWTR",   u"ARROWUD",     u"ARROWLR",     u"TRAFFICLGT",
    u"BEVELEDLED", u"SMILEYS",    u"SMILEYRG",   u"BULB",        u"BUTLAMP",     u"HDLEFT",
    u"HDRIGHT",    u"USER1",      u"USER2",      u"USER3",       u"USER4",       u"USER5"};
static_assert(std::size(kStripNames) == oobsUser5 + 1);

// Captions are centred vertically by the height of this sample.
constexpr const char16_t* kTextSample = u"(8g]}\u00DC\u00C4\u00A7";

constexpr int kUserGlyphSize = 20;

// Glyph index of a state: 2 * on + enabled.
int GlyphIndex(bool On, bool Enabled) { return 2 * static_cast<int>(On) + static_cast<int>(Enabled); }

// Cuts a 2 x 2 strip into the four glyphs, indexed as GlyphIndex: the top
// row is enabled, the bottom row disabled, the left column on.
void CutStrip(TBitmap* Strip, std::array<std::unique_ptr<TBitmap>, 4>& Glyphs) {
  const int GW = Strip->Width() / 2, GH = Strip->Height() / 2;
  TCanvas* Src = Strip->Canvas();
  for (int On = 0; On < 2; ++On) {
    for (int Enabled = 0; Enabled < 2; ++Enabled) {
      TBitmap* G = Glyphs[static_cast<size_t>(GlyphIndex(On != 0, Enabled != 0))].get();
      G->SetSize(GW, GH);
      const int SX = On ? 0 : GW, SY = Enabled ? 0 : GH;
      G->Canvas()->SetCopyMode(cmSrcCopy);
      G->Canvas()->CopyRect(TRect{0, 0, GW, GH}, Src, TRect{SX, SY, SX + GW, SY + GH});
    }
  }
}

}  // namespace

TOnOffBut::TOnOffBut(TComponent* AOwner) : TGraphicControl(AOwner), FColorBakG(clBtnFace) {
  for (auto& B : FButImg) B = std::make_unique<TBitmap>();
  for (auto& B : FUserImg) B = std::make_unique<TBitmap>(kUserGlyphSize, kUserGlyphSize);  // white
  FMask = std::make_unique<TBitmap>();
  FBuffer = std::make_unique<TBitmap>();
  // Default user glyphs: a cross for off, a circle for on; the disabled ones stay blank.
  TCanvas* Off = FUserImg[1]->Canvas();
  Off->Pen()->SetColor(clBlack);
  Off->MoveTo(0, 0);
  Off->LineTo(kUserGlyphSize, kUserGlyphSize);
  Off->MoveTo(0, kUserGlyphSize);
  Off->LineTo(kUserGlyphSize, 0);
  TCanvas* On = FUserImg[3]->Canvas();
  On->Pen()->SetColor(clBlack);
  On->Brush()->SetStyle(bsClear);
  On->Ellipse(5, 5, 15, 15);
  LoadGlyphs();
  SetBounds(Left(), Top(), 100, 50);
  Center();
  SetOnResize([this](TObject* Sender) { ResizeHandler(Sender); });
}

TOnOffBut::~TOnOffBut() = default;

void TOnOffBut::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TOnOffBut*>(Source);
  if (Other == nullptr) {
    TGraphicControl::Assign(Source);
    return;
  }
  if (Other == this) return;
  FLeftSpace = Other->FLeftSpace;
  FTopSpace = Other->FTopSpace;
  FAutoCenter = Other->FAutoCenter;
  FLeftText = Other->FLeftText;
  FTopText = Other->FTopText;
  FBottomText = Other->FBottomText;
  FRightText = Other->FRightText;
  FLTAlignment = Other->FLTAlignment;
  FTTAlignment = Other->FTTAlignment;
  FBTAlignment = Other->FBTAlignment;
  FRTAlignment = Other->FRTAlignment;
  FFrameStyle = Other->FFrameStyle;
  FColorBakG = Other->FColorBakG;
  FColBlackLine = Other->FColBlackLine;
  FColGrayLine = Other->FColGrayLine;
  FColWhiteLine = Other->FColWhiteLine;
  FColorScheme = Other->FColorScheme;
  FOnOff = Other->FOnOff;
  for (size_t I = 0; I < 4; ++I) {
    FButImg[I]->Assign(Other->FButImg[I].get());
    FUserImg[I]->Assign(Other->FUserImg[I].get());
  }
  FButStyle = Other->FButStyle;
  FMouseAction = Other->FMouseAction;
  FColorTxt = Other->FColorTxt;
  FGlyphWidth = Other->FGlyphWidth;
  FGlyphHeight = Other->FGlyphHeight;
  FTransParent = Other->FTransParent;
  FEnabled = Other->FEnabled;
  TGraphicControl::SetEnabled(FEnabled);
  Invalidate();
}

void TOnOffBut::AssignTo(TPersistent* Dest) {
  if (auto* Other = dynamic_cast<TOnOffBut*>(Dest)) {
    Other->Assign(this);
    return;
  }
  TGraphicControl::AssignTo(Dest);
}

// --- Glyphs and placement --------------------------------------------------------

void TOnOffBut::LoadGlyphs() {
  if (FButStyle == oobsUser) {
    // The user glyphs replace the pictures; the glyph size stays that of the
    // strip loaded before.
    for (size_t I = 0; I < 4; ++I) FButImg[I]->Assign(FUserImg[I].get());
    return;
  }
  TBitmap Strip;
  Strip.LoadFromResourceName(0, kStripNames[FButStyle]);
  CutStrip(&Strip, FButImg);
  FGlyphWidth = Strip.Width() / 2;
  FGlyphHeight = Strip.Height() / 2;
}

void TOnOffBut::Center() {
  FLeftSpace = (Width() - FGlyphWidth) / 2;
  FTopSpace = (Height() - FGlyphHeight) / 2;
}

void TOnOffBut::Redraw() {
  if (FTransParent) Invalidate();
  else Paint();
}

void TOnOffBut::ResizeHandler(TObject* /*Sender*/) {
  if (Parent() == nullptr || !FAutoCenter) return;
  Center();
  Redraw();
}

void TOnOffBut::SetUserGlyph(TBitmap* Strip) {
  if (Strip == nullptr || Strip->Width() < 2 || Strip->Height() < 2)
    throw EORVError(u"Component \"" + Name() + u"\": a user glyph strip needs at least 2 x 2 pixels");
  CutStrip(Strip, FUserImg);
  if (FButStyle != oobsUser) return;
  for (size_t I = 0; I < 4; ++I) FButImg[I]->Assign(FUserImg[I].get());
  FGlyphWidth = Strip->Width() / 2;
  FGlyphHeight = Strip->Height() / 2;
  if (FAutoCenter) Center();
  Invalidate();
}

void TOnOffBut::LoadUserGlyph(const String& FileName) {
  TBitmap Strip;
  Strip.LoadFromFile(FileName);  // raises on a missing or malformed file
  SetUserGlyph(&Strip);
}

// --- Properties ------------------------------------------------------------------

void TOnOffBut::SetOnOff(bool Value) {
  if (Value == FOnOff) return;
  if (!Value && FGroupIndex != 0 && !FAllowAllOff) return;
  FOnOff = Value;
  Paint();
  if (FOnOff) NotifyGroup();
}

void TOnOffBut::SetButtonStyle(TOnOffButStyle Value) {
  if (Value == FButStyle || Value > oobsUser5) return;
  FButStyle = Value;
  LoadGlyphs();
  if (FAutoCenter) Center();
  Invalidate();
}

void TOnOffBut::SetAutoCenter(bool Value) {
  if (Value == FAutoCenter) return;
  FAutoCenter = Value;
  if (FAutoCenter) Center();
  Redraw();
}

void TOnOffBut::SetLeftSpace(int Value) {
  if (Value == FLeftSpace || Value < 0) return;
  if (FAutoCenter) Center();
  else FLeftSpace = std::min(Value, Width());
  Invalidate();
}

void TOnOffBut::SetTopSpace(int Value) {
  if (Value == FTopSpace || Value < 0) return;
  if (FAutoCenter) Center();
  else FTopSpace = std::min(Value, Height());
  Invalidate();
}

void TOnOffBut::SetGroupIndex(int Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  NotifyGroup();
}

void TOnOffBut::SetAllowAllOff(bool Value) {
  if (Value == FAllowAllOff) return;
  FAllowAllOff = Value;
  NotifyGroup();
}

void TOnOffBut::SetMouseAction(TOOButMouseAction Value) { FMouseAction = Value; }

void TOnOffBut::SetMode(TOOButMode Value) {
  FMode = Value;
  if (FMode == oobmSpeedBut) FOnOff = false;
  Invalidate();
}

void TOnOffBut::SetTransparent(bool Value) { FTransParent = Value; }

void TOnOffBut::SetEnabled(bool Value) {
  FEnabled = Value;
  TGraphicControl::SetEnabled(Value);
  Invalidate();
}

void TOnOffBut::SetColorBackgnd(TColor Value) {
  if (Value == FColorBakG) return;
  FColorBakG = Value;
  Paint();
}

void TOnOffBut::SetColorText(TColor Value) {
  if (Value == FColorTxt) return;
  FColorTxt = Value;
  Paint();
}

void TOnOffBut::SetFrameStyle(TFrameStyle Value) {
  if (Value == FFrameStyle) return;
  FFrameStyle = Value;
  Paint();
}

void TOnOffBut::SetColorScheme(TColorScheme Value) {
  if (Value == FColorScheme) return;
  FColorScheme = Value;
  SchemeLineColors(Value, FColGrayLine, FColWhiteLine);
  Invalidate();
}

namespace {

template <typename T>
void StoreAndInvalidate(TControl* C, T& Field, const T& Value) {
  if (Field == Value) return;
  Field = Value;
  C->Invalidate();
}

}  // namespace

void TOnOffBut::SetLeftText(const String& Value) { StoreAndInvalidate(this, FLeftText, Value); }
void TOnOffBut::SetTopText(const String& Value) { StoreAndInvalidate(this, FTopText, Value); }
void TOnOffBut::SetBottomText(const String& Value) { StoreAndInvalidate(this, FBottomText, Value); }
void TOnOffBut::SetRightText(const String& Value) { StoreAndInvalidate(this, FRightText, Value); }
void TOnOffBut::SetLeftTextAlignment(TAlignment Value) { StoreAndInvalidate(this, FLTAlignment, Value); }
void TOnOffBut::SetTopTextAlignment(TAlignment Value) { StoreAndInvalidate(this, FTTAlignment, Value); }
void TOnOffBut::SetBottomTextAlignment(TAlignment Value) { StoreAndInvalidate(this, FBTAlignment, Value); }
void TOnOffBut::SetRightTextAlignment(TAlignment Value) { StoreAndInvalidate(this, FRTAlignment, Value); }

// --- Group -------------------------------------------------------------------------

void TOnOffBut::NotifyGroup() {
  if (FGroupIndex == 0 || Parent() == nullptr) return;
  TMessage M{CM_BUTTONPRESSED, static_cast<uintptr_t>(FGroupIndex),
             reinterpret_cast<intptr_t>(static_cast<TObject*>(this)), 0};
  Parent()->Broadcast(M);
}

void TOnOffBut::WndProc(TMessage& Message) {
  if (Message.Msg == CM_BUTTONPRESSED) {
    CMButtonPressed(Message);
    return;
  }
  TGraphicControl::WndProc(Message);
}

void TOnOffBut::CMButtonPressed(TMessage& Message) {
  auto* Sender = dynamic_cast<TOnOffBut*>(reinterpret_cast<TObject*>(Message.LParam));
  if (Sender == nullptr || Sender == this || Message.WParam != static_cast<uintptr_t>(FGroupIndex)) return;
  if (Sender->FOnOff && FOnOff) {
    FOnOff = false;
    Paint();
  }
  FAllowAllOff = Sender->FAllowAllOff;
}

// --- Mouse -------------------------------------------------------------------------

void TOnOffBut::Click() {}

bool TOnOffBut::MouseCounts(TMouseButton Button, int X, int Y) const {
  if (Button != mbLeft) return false;
  switch (FMouseAction) {
    case oomaNone:
      return false;
    case oomaFocused:
      return FLeftSpace < X && X < FLeftSpace + FGlyphWidth && FTopSpace < Y && Y < FTopSpace + FGlyphHeight;
    case oomaPlain:
      return true;
  }
  return false;
}

void TOnOffBut::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (!MouseCounts(Button, X, Y)) return;
  if (FGroupIndex != 0 && !FAllowAllOff && FOnOff) return;
  FOnOff = !FOnOff;
  Paint();
  if (FOnOff) NotifyGroup();
}

void TOnOffBut::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!MouseCounts(Button, X, Y)) return;
  if (FMode == oobmSpeedBut) {
    FOnOff = false;
    Paint();
  }
  TGraphicControl::Click();
}

// --- Painting ----------------------------------------------------------------------

void TOnOffBut::DrawCaption(TCanvas* Bmp, TCanvas* Mask, int X, int Y, const String& Text) {
  if (FEnabled) {
    Bmp->Font()->SetColor(FColorTxt);
    Bmp->TextOut(X, Y, Text);
  } else {
    // Engraved: white one pixel right and down, then gray in place.
    Bmp->Brush()->SetStyle(bsClear);
    Bmp->Font()->SetColor(clWhite);
    Bmp->TextOut(X + 1, Y + 1, Text);
    Bmp->Font()->SetColor(clGray);
    Bmp->TextOut(X, Y, Text);
  }
  if (Mask != nullptr) Mask->TextOut(X, Y, Text);
}

void TOnOffBut::DrawCaptions(TCanvas* Bmp, TCanvas* Mask, int W) {
  if (FLeftText.empty() && FRightText.empty() && FTopText.empty() && FBottomText.empty()) return;
  Bmp->SetFont(Font());
  if (Mask != nullptr) {
    Mask->SetFont(Font());
    Mask->Font()->SetColor(clBlack);
  }
  const int TextH = Bmp->TextHeight(kTextSample);
  const int GW = FGlyphWidth, GH = FGlyphHeight, LS = FLeftSpace;
  const int Ym = FTopSpace + (GH - TextH) / 2;
  const int Yt = FTopSpace - TextH - 4;
  const int Yb = FTopSpace + GH + 4;
  if (!FLeftText.empty()) {
    const int Tw = Bmp->TextWidth(FLeftText);
    const int X = FLTAlignment == taLeftJustify ? 4 : FLTAlignment == taRightJustify ? LS - Tw - 3 : (LS - Tw) / 2;
    DrawCaption(Bmp, Mask, X, Ym, FLeftText);
  }
  if (!FRightText.empty()) {
    const int Tw = Bmp->TextWidth(FRightText);
    const int X = FRTAlignment == taLeftJustify    ? LS + GW + 4
                  : FRTAlignment == taRightJustify ? W - Tw - 4
                                                   : (W - LS - GW - Tw) / 2 + LS + GW + 1;
    DrawCaption(Bmp, Mask, X, Ym, FRightText);
  }
  const auto AcrossX = [&](TAlignment A, int Tw) {
    return A == taLeftJustify ? 4 : A == taRightJustify ? W - Tw - 4 : LS + (GW - Tw) / 2;
  };
  if (!FTopText.empty()) DrawCaption(Bmp, Mask, AcrossX(FTTAlignment, Bmp->TextWidth(FTopText)), Yt, FTopText);
  if (!FBottomText.empty())
    DrawCaption(Bmp, Mask, AcrossX(FBTAlignment, Bmp->TextWidth(FBottomText)), Yb, FBottomText);
}

void TOnOffBut::DrawGlyph(TBitmap* Dest, const TPoint& Origin, const TRect& Clip, TBitmap* Mask) {
  const TBitmap* G = FButImg[static_cast<size_t>(GlyphIndex(FOnOff, FEnabled))].get();
  // The glyph rectangle in Dest coordinates, cut to the clip.
  const int GX = Origin.X + FLeftSpace + 1, GY = Origin.Y + FTopSpace + 1;
  const int X1 = std::max(GX, Clip.Left), X2 = std::min(GX + FGlyphWidth, Clip.Right);
  const int Y1 = std::max(GY, Clip.Top), Y2 = std::min(GY + FGlyphHeight, Clip.Bottom);
  const uint32_t Key = ColorToPixel(kOnOffKeyColor);
  const uint32_t Back = FTransParent ? 0 : ColorToPixel(ColorToRGB(FColorBakG));
  for (int Y = Y1; Y < Y2; ++Y) {
    uint32_t* Row = Dest->ScanLine(Y);
    const int GRow = Y - GY;
    // A user glyph smaller than the glyph size leaves background around it.
    const uint32_t* Src = GRow < G->Height() ? G->ScanLine(GRow) : nullptr;
    const int XPic = Src != nullptr ? std::max(X1, std::min(X2, GX + G->Width())) : X1;
    for (int X = X1; X < XPic; ++X) Row[X] = Src[X - GX] == Key ? Back : Src[X - GX];
    for (int X = XPic; X < X2; ++X) Row[X] = Back;
    if (Mask == nullptr) continue;
    uint32_t* M = Mask->ScanLine(Y - Origin.Y);
    for (int X = X1; X < XPic; ++X) M[X - Origin.X] = Src[X - GX] == Key ? 0xFFFFFF : 0;
    for (int X = XPic; X < X2; ++X) M[X - Origin.X] = 0xFFFFFF;
  }
}

void TOnOffBut::Paint() {
  if (!Visible() && !ComponentState().Contains(csDesigning)) return;
  TCanvas* Screen = Canvas();
  const int W = Width(), H = Height();
  if (Screen->Target() == nullptr || W <= 0 || H <= 0) return;  // nowhere to draw
  Screen->Brush()->SetStyle(bsSolid);
  if (!FTransParent) {
    // Opaque, the picture is drawn straight onto the control: what an
    // off-screen copy would give, without the copy.
    Screen->Brush()->SetColor(FColorBakG);
    Screen->FillRect(TRect{0, 0, W, H});
    DrawCaptions(Screen, nullptr, W);
    TRect Clip = Screen->DeviceClip();
    const TPoint Origin = Screen->Origin();
    Clip = IntersectRect(Clip, TRect{Origin.X, Origin.Y, Origin.X + W, Origin.Y + H});
    DrawGlyph(Screen->Target(), Origin, Clip, nullptr);
    DrawFrame(Screen, FFrameStyle, 0, 0, W - 1, H - 1, clWhite, clSilver, clGray, clBlack, 0);
    return;
  }

  // Transparent: a picture on black and a mask, white where the parent
  // shows through and black where the picture does.
  if (FMask->Width() != W || FMask->Height() != H) FMask->SetSize(W, H);
  if (FBuffer->Width() != W || FBuffer->Height() != H) FBuffer->SetSize(W, H);
  TCanvas* M = FMask->Canvas();
  M->Brush()->SetStyle(bsSolid);
  M->Brush()->SetColor(clWhite);
  M->FillRect(TRect{0, 0, W, H});
  TCanvas* C = FBuffer->Canvas();
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(clBlack);
  C->FillRect(TRect{0, 0, W, H});
  DrawCaptions(C, M, W);
  DrawGlyph(FBuffer.get(), TPoint{0, 0}, TRect{0, 0, W, H}, FMask.get());
  DrawFrame(C, FFrameStyle, 0, 0, W - 1, H - 1, clWhite, clSilver, clGray, clBlack, 0);
  DrawFrame(M, FFrameStyle, 0, 0, W - 1, H - 1, clBlack, clBlack, clBlack, clBlack, clBlack);

  // The mask combined with the control's pixels by AND, then the picture by
  // OR: white mask pixels keep the parent, black ones take the picture.
  const TPoint Origin = Screen->Origin();
  const TRect Clip = IntersectRect(Screen->DeviceClip(), TRect{Origin.X, Origin.Y, Origin.X + W, Origin.Y + H});
  TBitmap* Dest = Screen->Target();
  for (int Y = Clip.Top; Y < Clip.Bottom; ++Y) {
    uint32_t* Row = Dest->ScanLine(Y) + Clip.Left;
    const uint32_t* MaskRow = FMask->ScanLine(Y - Origin.Y) + (Clip.Left - Origin.X);
    const uint32_t* PicRow = FBuffer->ScanLine(Y - Origin.Y) + (Clip.Left - Origin.X);
    for (int X = 0; X < Clip.Right - Clip.Left; ++X) Row[X] = (Row[X] & MaskRow[X]) | PicRow[X];
  }
}

}  // namespace orv
