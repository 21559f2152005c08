// Draws the glyph strips of the on/off button and writes them as PNG files:
// oobart <output folder> [<sheet.png>] (the sheet shows them all magnified).
//
// A strip is a 2 x 2 grid of equal glyphs: the top row enabled, the bottom
// row disabled; the left column "on", the right column "off". Every glyph is
// drawn once in colour on a ground of the key colour 0xEBBEEB (which the
// button shows as background); the disabled row is a light gray copy of the
// enabled one in which key pixels stay key. All shapes are drawn without
// antialiasing, so no pixel mixes the key colour with a picture colour.

#include <cstdio>
#include <exception>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/rtl/unicode.h"

namespace {

using orv::TBitmap;
using orv::TCanvas;
using orv::TColor;
using orv::TPoint;

constexpr TColor kKey = 0xEBBEEB;

// Colours as TColor (0x00BBGGRR).
constexpr TColor kBlack = 0x000000, kWhite = 0xFFFFFF, kDark = 0x404040, kGray = 0x808080, kSilver = 0xC0C0C0;
constexpr TColor kFace = 0xD8D8D8;
constexpr TColor kGreen = 0x00C000, kDarkGreen = 0x006000, kLightGreen = 0x80FF80;
constexpr TColor kRed = 0x0000E0, kDarkRed = 0x000070, kLightRed = 0x8080FF;
constexpr TColor kYellow = 0x00E8FF, kDarkYellow = 0x0090B0, kLightYellow = 0xC0FFFF;
constexpr TColor kBlue = 0xD07020, kDarkBlue = 0x702000;
constexpr TColor kUserBlue = 0xE0A070, kUserRed = 0x7070E0;

void Ink(TCanvas* C, TColor Pen, TColor Brush) {
  C->Pen()->SetColor(Pen);
  C->Pen()->SetWidth(1);
  C->Brush()->SetStyle(orv::bsSolid);
  C->Brush()->SetColor(Brush);
}

void Fill(TCanvas* C, int X1, int Y1, int X2, int Y2, TColor Color) {
  C->Brush()->SetStyle(orv::bsSolid);
  C->Brush()->SetColor(Color);
  C->FillRect(orv::TRect{X1, Y1, X2, Y2});
}

void Poly(TCanvas* C, TColor Pen, TColor Brush, std::initializer_list<TPoint> Points) {
  Ink(C, Pen, Brush);
  C->Polygon(std::vector<TPoint>(Points));
}

void Line(TCanvas* C, TColor Color, int Width, int X1, int Y1, int X2, int Y2) {
  C->Pen()->SetColor(Color);
  C->Pen()->SetWidth(Width);
  C->MoveTo(X1, Y1);
  C->LineTo(X2, Y2);
  C->Pen()->SetWidth(1);
}

// Raised bevel inside (X1, Y1)..(X2 - 1, Y2 - 1): light top and left, dark
// bottom and right, face in between.
// Clears the four corner pixels of a W x H glyph to the key colour, which
// rounds a square picture a little and lets the ground show at the corners.
void RoundCorners(TCanvas* C, int W, int H) {
  for (const TPoint& P : {TPoint{0, 0}, TPoint{W - 1, 0}, TPoint{0, H - 1}, TPoint{W - 1, H - 1}}) C->SetPixels(P.X, P.Y, kKey);
}

void Bevel(TCanvas* C, int X1, int Y1, int X2, int Y2, TColor Light, TColor Face, TColor Shadow) {
  Fill(C, X1, Y1, X2, Y2, Shadow);
  Fill(C, X1, Y1, X2 - 1, Y2 - 1, Light);
  Fill(C, X1 + 1, Y1 + 1, X2 - 1, Y2 - 1, Face);
}

// --- A 3 x 5 pixel font for the few labels the strips carry ----------------

struct TTinyGlyph {
  char Ch;
  const char* Rows[5];
};

constexpr TTinyGlyph kTiny[] = {
    {'O', {"###", "#.#", "#.#", "#.#", "###"}}, {'N', {"#.#", "###", "###", "###", "#.#"}},
    {'F', {"###", "#..", "##.", "#..", "#.."}}, {'U', {"#.#", "#.#", "#.#", "#.#", "###"}},
    {'1', {".#.", "##.", ".#.", ".#.", "###"}}, {'2', {"##.", "..#", ".#.", "#..", "###"}},
    {'3', {"##.", "..#", ".#.", "..#", "##."}}, {'4', {"#.#", "#.#", "###", "..#", "..#"}},
    {'5', {"###", "#..", "##.", "..#", "##."}},
};

int TinyWidth(const std::string& Text, int Scale) {
  return Text.empty() ? 0 : static_cast<int>(Text.size()) * 4 * Scale - Scale;
}

// Text with its top-left corner at (X, Y), each font pixel Scale x Scale.
void Tiny(TCanvas* C, int X, int Y, const std::string& Text, TColor Color, int Scale = 1) {
  for (char Ch : Text) {
    for (const TTinyGlyph& G : kTiny) {
      if (G.Ch != Ch) continue;
      for (int R = 0; R < 5; ++R)
        for (int K = 0; K < 3; ++K)
          if (G.Rows[R][K] == '#') Fill(C, X + K * Scale, Y + R * Scale, X + (K + 1) * Scale, Y + (R + 1) * Scale, Color);
    }
    X += 4 * Scale;
  }
}

// --- The pictures: Draw(canvas, glyph width, glyph height, on) ----------------

void CheckBox(TCanvas* C, int, int, bool On) {
  Fill(C, 1, 1, 15, 15, kGray);
  Fill(C, 2, 2, 15, 15, kWhite);
  Fill(C, 2, 2, 14, 14, kBlack);
  Fill(C, 3, 3, 14, 14, kWhite);
  Fill(C, 3, 3, 13, 13, kWhite);
  if (!On) return;
  // A tick three pixels thick: down-right from (4, 7) to (6, 9), then up to (11, 4).
  for (int D = 0; D < 3; ++D) {
    Line(C, kBlack, 1, 4, 7 + D, 6, 9 + D);
    Line(C, kBlack, 1, 6, 9 + D, 12, 3 + D);
  }
}

void RadioBut(TCanvas* C, int, int, bool On) {
  Ink(C, kGray, kWhite);
  C->Ellipse(1, 1, 13, 13);
  Ink(C, kBlack, kWhite);
  C->Arc(2, 2, 12, 12, 12, 2, 2, 12);
  if (On) {
    Ink(C, kBlack, kBlack);
    C->Ellipse(4, 4, 10, 10);
  }
}

// Slide switch: a dark slot with a light knob carrying the label.
void SlideTB(TCanvas* C, int W, int H, bool On) {
  Bevel(C, 0, 0, W, H, kWhite, kSilver, kDark);
  Fill(C, 2, 2, W - 2, H - 2, kDark);
  const int KnobTop = On ? H / 2 : 2, KnobBottom = On ? H - 2 : H / 2;
  Bevel(C, 2, KnobTop, W - 2, KnobBottom, kWhite, kFace, kGray);
  const std::string Label = On ? "ON" : "OFF";
  Tiny(C, (W - TinyWidth(Label, 1)) / 2, (KnobTop + KnobBottom - 5) / 2, Label, kBlack);
  RoundCorners(C, W, H);
}

void SlideLR(TCanvas* C, int W, int H, bool On) {
  Bevel(C, 0, 0, W, H, kWhite, kSilver, kDark);
  Fill(C, 2, 2, W - 2, H - 2, kDark);
  const int KnobLeft = On ? 2 : W / 2, KnobRight = On ? W / 2 : W - 2;
  Bevel(C, KnobLeft, 2, KnobRight, H - 2, kWhite, kFace, kGray);
  const std::string Label = On ? "ON" : "OFF";
  Tiny(C, (KnobLeft + KnobRight - TinyWidth(Label, 1)) / 2, (H - 5) / 2, Label, kBlack);
  RoundCorners(C, W, H);
}

// Coloured slider: a narrow groove and a knob, green at one end, red at the other.
void ColSlideTB(TCanvas* C, int W, int H, bool On) {
  Fill(C, W / 2 - 2, 2, W / 2 + 2, H - 2, kBlack);
  Fill(C, W / 2 - 1, 3, W / 2 + 1, H - 3, kDark);
  const int Top = On ? H - 12 : 1;
  const TColor Light = On ? kLightGreen : kLightRed, Face = On ? kGreen : kRed, Shadow = On ? kDarkGreen : kDarkRed;
  Bevel(C, 2, Top, W - 2, Top + 11, Light, Face, Shadow);
  Line(C, Shadow, 1, 4, Top + 5, W - 4, Top + 5);
}

void ColSlideLR(TCanvas* C, int W, int H, bool On) {
  Fill(C, 2, H / 2 - 2, W - 2, H / 2 + 2, kBlack);
  Fill(C, 3, H / 2 - 1, W - 3, H / 2 + 1, kDark);
  const int Left = On ? 1 : W - 12;
  const TColor Light = On ? kLightGreen : kLightRed, Face = On ? kGreen : kRed, Shadow = On ? kDarkGreen : kDarkRed;
  Bevel(C, Left, 2, Left + 11, H - 2, Light, Face, Shadow);
  Line(C, Shadow, 1, Left + 5, 4, Left + 5, H - 4);
}

void LedRedGreen(TCanvas* C, int, int, bool On) {
  Ink(C, kDark, On ? kGreen : kRed);
  C->Ellipse(1, 1, 13, 13);
  Ink(C, On ? kLightGreen : kLightRed, On ? kLightGreen : kLightRed);
  C->Ellipse(4, 4, 7, 7);
}

// Blue disc with a white arrow pointing up, right, down or left (quarter
// turns clockwise). The arrow is set pixel by pixel, so each turn is exact.
void ArrowDisc(TCanvas* C, int Turns) {
  Ink(C, kDarkBlue, kBlue);
  C->Ellipse(0, 0, 25, 25);
  const auto Put = [&](int X, int Y) {
    for (int T = 0; T < Turns; ++T) X = std::exchange(Y, X), X = 24 - X;
    C->SetPixels(X, Y, kWhite);
  };
  for (int Y = 3; Y <= 11; ++Y)  // head, tip at (12, 3)
    for (int X = 12 - (Y - 3); X <= 12 + (Y - 3); ++X) Put(X, Y);
  for (int Y = 12; Y <= 20; ++Y)  // shaft
    for (int X = 9; X <= 15; ++X) Put(X, Y);
}

void ArrowTR(TCanvas* C, int, int, bool On) { ArrowDisc(C, On ? 0 : 1); }
void ArrowUD(TCanvas* C, int, int, bool On) { ArrowDisc(C, On ? 0 : 2); }
void ArrowLR(TCanvas* C, int, int, bool On) { ArrowDisc(C, On ? 3 : 1); }

// Pedestrian light: a figure on black, green and walking or red and standing.
void TrafficLgt(TCanvas* C, int W, int H, bool On) {
  Ink(C, kGray, kBlack);
  C->RoundRect(0, 0, W, H, 6, 6);
  const TColor F = On ? kGreen : kRed;
  Ink(C, F, F);
  if (On) {
    C->Ellipse(15, 3, 21, 9);                                            // head
    Poly(C, F, F, {{14, 10}, {19, 10}, {18, 19}, {13, 19}});             // leaning body
    Line(C, F, 2, 14, 12, 9, 17);                                        // back arm
    Line(C, F, 2, 18, 12, 22, 17);                                       // front arm
    Line(C, F, 3, 15, 19, 21, 27);                                       // front leg
    Line(C, F, 3, 14, 19, 9, 27);                                        // back leg
  } else {
    C->Ellipse(12, 2, 19, 9);                                            // head
    Fill(C, 12, 10, 19, 20, F);                                          // body
    Fill(C, 9, 11, 11, 19, F);                                           // arms at the sides
    Fill(C, 20, 11, 22, 19, F);
    Fill(C, 12, 20, 15, 28, F);                                          // legs together
    Fill(C, 16, 20, 19, 28, F);
  }
}

void BeveledLed(TCanvas* C, int W, int H, bool On) {
  Bevel(C, 0, 0, W, H, kWhite, kSilver, kDark);
  Fill(C, 2, 2, W - 2, H - 2, kDark);
  Fill(C, 3, 3, W - 2, H - 2, On ? kDarkGreen : kDarkRed);
  Fill(C, 3, 3, W - 3, H - 3, On ? kGreen : kRed);
  Fill(C, 5, 5, 8, 7, On ? kLightGreen : kLightRed);
  RoundCorners(C, W, H);
}

void Smiley(TCanvas* C, bool On, TColor Face) {
  Ink(C, kBlack, Face);
  C->Ellipse(0, 0, 18, 18);
  Fill(C, 5, 5, 7, 8, kBlack);
  Fill(C, 11, 5, 13, 8, kBlack);
  if (On) {
    Poly(C, kBlack, kBlack, {{4, 11}, {6, 13}, {11, 13}, {13, 11}, {11, 14}, {6, 14}});
  } else {
    Poly(C, kBlack, kBlack, {{4, 14}, {6, 12}, {11, 12}, {13, 14}, {11, 13}, {6, 13}});
  }
}

void Smileys(TCanvas* C, int, int, bool On) { Smiley(C, On, kYellow); }
void SmileyRG(TCanvas* C, int, int, bool On) { Smiley(C, On, On ? kGreen : kRed); }

// Light bulb: a round glass over a neck and a gray screw base; lit, it glows
// yellow with rays around it.
void Bulb(TCanvas* C, int, int, bool On) {
  if (On) {
    for (const auto& R : {TPoint{19, 0}, TPoint{3, 6}, TPoint{35, 6}, TPoint{0, 20}, TPoint{38, 20}})
      Line(C, kDarkYellow, 2, R.X, R.Y, 19 + (R.X - 19) / 2, 18 + (R.Y - 18) / 2);
  }
  const TColor Glass = On ? kYellow : kWhite, Edge = On ? kDarkYellow : kGray;
  Ink(C, Edge, Glass);
  C->Ellipse(6, 4, 33, 31);
  Poly(C, Edge, Glass, {{12, 26}, {27, 26}, {25, 35}, {14, 35}});
  Fill(C, 13, 27, 26, 35, Glass);
  if (On) Fill(C, 12, 10, 16, 16, kLightYellow);
  // Filament.
  Line(C, On ? kDarkRed : kDark, 1, 15, 34, 17, 22);
  Line(C, On ? kDarkRed : kDark, 1, 17, 22, 22, 22);
  Line(C, On ? kDarkRed : kDark, 1, 22, 22, 24, 34);
  // Screw base with threads.
  Fill(C, 13, 35, 26, 45, kSilver);
  for (int Y = 36; Y < 45; Y += 3) Line(C, kGray, 1, 13, Y, 26, Y);
  Fill(C, 16, 45, 23, 48, kDark);
}

// Push button with a round lamp in its middle.
void ButLamp(TCanvas* C, int W, int H, bool On) {
  Fill(C, 0, 0, W, H, kBlack);
  Bevel(C, 1, 1, W - 1, H - 1, kWhite, kSilver, kGray);
  Ink(C, kDark, On ? kYellow : 0x205050);
  C->Ellipse(W / 2 - 8, H / 2 - 8, W / 2 + 8, H / 2 + 8);
  if (On) Fill(C, W / 2 - 4, H / 2 - 5, W / 2 - 1, H / 2 - 3, kLightYellow);
  RoundCorners(C, W, H);
}

// Drive: a box with a slot and a lamp, and an arrow that enters it from one side.
void Drive(TCanvas* C, int W, int H, bool On, bool FromLeft) {
  const int BoxL = FromLeft ? 20 : 0, BoxR = FromLeft ? W : W - 20;
  Fill(C, BoxL, 1, BoxR, H - 1, kBlack);
  Bevel(C, BoxL + 1, 2, BoxR - 1, H - 2, kWhite, kSilver, kGray);
  Fill(C, BoxL + 4, 6, BoxR - 10, 8, kDark);          // slot
  Fill(C, BoxR - 7, 9, BoxR - 4, 12, On ? kGreen : kDarkGreen);  // lamp
  const TColor A = On ? kGreen : kGray, Rim = On ? kDarkGreen : kDark;
  if (FromLeft) {
    Poly(C, Rim, A, {{0, 5}, {14, 5}, {14, 1}, {22, 7}, {14, 13}, {14, 9}, {0, 9}});
  } else {
    Poly(C, Rim, A, {{W - 1, 5}, {W - 15, 5}, {W - 15, 1}, {W - 23, 7}, {W - 15, 13}, {W - 15, 9}, {W - 1, 9}});
  }
}

void HDLeft(TCanvas* C, int W, int H, bool On) { Drive(C, W, H, On, true); }
void HDRight(TCanvas* C, int W, int H, bool On) { Drive(C, W, H, On, false); }

// Placeholder tile "U<n>", bluish on and reddish off.
void UserTile(TCanvas* C, int W, int H, bool On, int N) {
  Fill(C, 0, 0, W, H, kBlack);
  Fill(C, 1, 1, W - 1, H - 1, On ? kUserBlue : kUserRed);
  const std::string Label{'U', static_cast<char>('0' + N)};
  Tiny(C, (W - TinyWidth(Label, 2)) / 2, (H - 10) / 2, Label, kBlack, 2);
  RoundCorners(C, W, H);
}

using TDrawGlyph = void (*)(TCanvas*, int, int, bool);

template <int N>
void User(TCanvas* C, int W, int H, bool On) {
  UserTile(C, W, H, On, N);
}

struct TStrip {
  const char* File;
  int GlyphWidth, GlyphHeight;
  TDrawGlyph Draw;
};

constexpr TStrip kStrips[] = {
    {"CheckBox.png", 16, 16, CheckBox},       {"RadioBut.png", 14, 14, RadioBut},
    {"SlideTopBot.png", 18, 30, SlideTB},     {"SlideLftRgt.png", 30, 18, SlideLR},
    {"ColSlideTB.png", 18, 30, ColSlideTB},   {"ColSlideLR.png", 30, 18, ColSlideLR},
    {"LedRedGreen.png", 14, 14, LedRedGreen}, {"ArrowTR.png", 25, 25, ArrowTR},
    {"ArrowUD.png", 25, 25, ArrowUD},         {"ArrowLR.png", 25, 25, ArrowLR},
    {"TrafficLgt.png", 31, 31, TrafficLgt},   {"BeveledLed.png", 17, 17, BeveledLed},
    {"Smileys.png", 18, 18, Smileys},         {"SmileyRG.png", 18, 18, SmileyRG},
    {"Bulb.png", 39, 49, Bulb},               {"ButLamp.png", 49, 24, ButLamp},
    {"HDLeft.png", 48, 16, HDLeft},           {"HDRight.png", 48, 16, HDRight},
    {"User1.png", 24, 24, User<1>},           {"User2.png", 24, 24, User<2>},
    {"User3.png", 24, 24, User<3>},           {"User4.png", 24, 24, User<4>},
    {"User5.png", 24, 24, User<5>},
};

// Light gray of the same lightness, for the disabled row: 100..230, never the key.
uint32_t Grayed(uint32_t Pixel) {
  const uint32_t R = (Pixel >> 16) & 0xFF, G = (Pixel >> 8) & 0xFF, B = Pixel & 0xFF;
  const uint32_t L = 100 + (299 * R + 587 * G + 114 * B) / 1000 * 130 / 255;
  return (L << 16) | (L << 8) | L;
}

std::unique_ptr<TBitmap> BuildStrip(const TStrip& S) {
  const int W = S.GlyphWidth, H = S.GlyphHeight;
  auto Strip = std::make_unique<TBitmap>(2 * W, 2 * H);
  for (int Column = 0; Column < 2; ++Column) {
    const bool On = Column == 0;
    TBitmap G(W, H);
    Fill(G.Canvas(), 0, 0, W, H, kKey);
    S.Draw(G.Canvas(), W, H, On);
    for (int Y = 0; Y < H; ++Y) {
      const uint32_t* Src = G.ScanLine(Y);
      uint32_t* Enabled = Strip->ScanLine(Y) + Column * W;
      uint32_t* Disabled = Strip->ScanLine(H + Y) + Column * W;
      for (int X = 0; X < W; ++X) {
        Enabled[X] = Src[X];
        Disabled[X] = Src[X] == orv::ColorToPixel(kKey) ? Src[X] : Grayed(Src[X]);
      }
    }
  }
  return Strip;
}

// Every strip magnified Scale times, with its file name, on a white sheet:
// for looking at the artwork.
void SaveSheet(const std::string& File) {
  constexpr int Scale = 3, Columns = 6, CellW = 2 * 49 * Scale + 16, CellH = 2 * 49 * Scale + 30;
  const int Rows = (static_cast<int>(std::size(kStrips)) + Columns - 1) / Columns;
  TBitmap Sheet(Columns * CellW, Rows * CellH);
  TCanvas* C = Sheet.Canvas();
  C->Font()->SetName(u"DejaVu Sans");
  C->Font()->SetHeight(-14);
  int I = 0;
  for (const TStrip& S : kStrips) {
    const std::unique_ptr<TBitmap> B = BuildStrip(S);
    const int X = I % Columns * CellW + 8, Y = I / Columns * CellH + 6;
    C->Brush()->SetColor(kWhite);
    C->TextOut(X, Y, orv::FromUtf8(S.File));
    for (int SY = 0; SY < B->Height(); ++SY)
      for (int SX = 0; SX < B->Width(); ++SX)
        Fill(C, X + SX * Scale, Y + 22 + SY * Scale, X + (SX + 1) * Scale, Y + 22 + (SY + 1) * Scale,
             orv::PixelToColor(B->ScanLine(SY)[SX]));
    ++I;
  }
  Sheet.SetPixelFormat(orv::pf24bit);
  Sheet.SaveToFile(orv::FromUtf8(File));
  std::printf("%s %d x %d\n", File.c_str(), Sheet.Width(), Sheet.Height());
}

}  // namespace

// oobart <output folder> [<sheet.png>]
int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: oobart <output folder> [<sheet.png>]\n");
    return 2;
  }
  const std::string Out = argv[1];
  try {
    if (argc == 3) SaveSheet(argv[2]);
    for (const TStrip& S : kStrips) {
      const std::unique_ptr<TBitmap> B = BuildStrip(S);
      B->SetPixelFormat(orv::pf24bit);
      B->SaveToFile(orv::FromUtf8(Out + "/" + S.File));
      std::printf("%s/%s %d x %d\n", Out.c_str(), S.File, B->Width(), B->Height());
    }
  } catch (const std::exception& E) {
    std::fprintf(stderr, "oobart: %s\n", E.what());
    return 1;
  }
  return 0;
}
