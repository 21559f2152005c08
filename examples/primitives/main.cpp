// Draws one sheet with every canvas primitive, every frame style and all
// marker symbols, some text, and saves it as a PNG image (argument: file
// name, default primitives.png).

#include <cstdio>
#include <string>

#include "foundation/drawing.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/font.h"
#include "framework/rtl/unicode.h"

using namespace orv;

namespace {

void DrawPrimitives(TCanvas* C) {
  C->Pen()->SetColor(0x000000);
  C->Brush()->SetColor(0x80C0FF);
  C->Rectangle(10, 10, 90, 60);
  C->Ellipse(100, 10, 180, 60);
  C->RoundRect(190, 10, 270, 60, 20, 20);
  C->Pie(280, 10, 360, 90, 360, 50, 320, 10);
  C->Chord(370, 10, 450, 90, 450, 50, 370, 50);
  C->Arc(460, 10, 540, 90, 460, 50, 540, 50);
  const TPoint Star[] = {{600, 10}, {625, 85}, {560, 38}, {640, 38}, {575, 85}};
  C->Polygon(Star);
  const TPoint Zig[] = {{10, 100}, {40, 140}, {70, 100}, {100, 140}, {130, 100}};
  C->Polyline(Zig);
  const TPenStyle Styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
  for (int I = 0; I < 5; ++I) {
    C->Pen()->SetStyle(Styles[I]);
    C->MoveTo(150, 100 + 8 * I);
    C->LineTo(350, 100 + 8 * I);
  }
  C->Pen()->SetStyle(psSolid);
  for (int W = 1; W <= 5; ++W) {
    C->Pen()->SetWidth(W);
    C->MoveTo(370 + 20 * W, 100);
    C->LineTo(380 + 20 * W, 150);
  }
  C->Pen()->SetWidth(1);
  C->Brush()->SetColor(0x00C000);
  C->FloodFill(600, 50, 0x000000, fsBorder);
}

void DrawFrames(TCanvas* C) {
  const TFrameStyle Styles[] = {fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved};
  for (int I = 0; I < 6; ++I) DrawFrame(C, Styles[I], 10 + 105 * I, 170, 100 + 105 * I, 220);
}

void DrawMarks(TCanvas* C) {
  C->Pen()->SetColor(0x800000);
  for (int M = 0; M < kMarkCount; ++M) DrawMarkOnCanvas(C, M, 20 + 24 * (M % 26), 250 + 30 * (M / 26));
}

void DrawText(TCanvas* C) {
  C->Brush()->SetStyle(bsClear);
  C->Font()->SetColor(0x000000);
  C->TextOut(10, 325, u"Text 9 pt: The quick brown fox 0123456789 \u00C4\u00D6\u00DC\u00DF");
  C->Font()->SetStyle(TFontStyles{fsBold, fsUnderline});
  C->TextOut(10, 345, u"Bold and underlined");
  C->Font()->SetStyle(TFontStyles{fsItalic, fsStrikeOut});
  C->TextOut(200, 345, u"Italic and struck out");
  C->Font()->SetStyle(TFontStyles{});
  C->Font()->SetQuality(fqNonAntialiased);
  C->TextOut(400, 345, u"Not antialiased");
  C->Font()->SetQuality(fqDefault);
  C->Font()->SetOrientation(900);
  C->TextOut(630, 395, u"Rotated 90\u00B0");
  C->Font()->SetOrientation(0);
}

}  // namespace

int main(int argc, char** argv) {
  TBitmap Sheet(660, 400);
  Sheet.Canvas()->Brush()->SetColor(0xC0C0C0);
  Sheet.Canvas()->FillRect(Rect(0, 0, 660, 400));
  DrawPrimitives(Sheet.Canvas());
  DrawFrames(Sheet.Canvas());
  DrawMarks(Sheet.Canvas());
  DrawText(Sheet.Canvas());
  const std::string Out = argc > 1 ? argv[1] : "primitives.png";
  try {
    Sheet.SaveToFile(FromUtf8(Out));
  } catch (const Exception& E) {
    std::fprintf(stderr, "cannot write %s: %s\n", Out.c_str(), E.what());
    return 1;
  }
  std::printf("%s\n", Out.c_str());
  return 0;
}
