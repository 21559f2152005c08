// Draws the raster label's built-in dot font as a sheet of 14 rows of 16
// characters (codes 32..255), each dot a square, with the code of the first
// character of each row: fontsheet <sheet.png>.

#include <cstdio>
#include <exception>
#include <string>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/rtl/unicode.h"
#include "rasterlab/rasterfont.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fontsheet <sheet.png>\n");
    return 2;
  }
  constexpr int Dot = 4, Step = 5, CellW = 9 * Step, CellH = 14 * Step, Left = 44;
  try {
    orv::TBitmap Sheet(Left + 16 * CellW, 14 * CellH + 8);
    orv::TCanvas* C = Sheet.Canvas();
    C->Brush()->SetColor(0x202020);
    C->FillRect(orv::TRect{0, 0, Sheet.Width(), Sheet.Height()});
    C->Font()->SetName(u"DejaVu Sans Mono");
    C->Font()->SetHeight(-13);
    C->Font()->SetColor(0xFFFFFF);
    const orv::TRasterFontTable& Table = orv::RasterFontTable();
    for (int Code = orv::kRasterFontFirstCode; Code < 256; ++Code) {
      const int I = Code - orv::kRasterFontFirstCode;
      const int X = Left + I % 16 * CellW, Y = 4 + I / 16 * CellH;
      if (I % 16 == 0) C->TextOut(4, Y + 4 * Step, orv::FromUtf8(std::to_string(Code)));
      const orv::TRasterFontEntry& E = Table[static_cast<size_t>(I)];
      for (int R = 0; R < orv::kRasterFontRows; ++R) {
        for (int J = 0; J < orv::kRasterFontColumns; ++J) {
          const bool On = (E[2 + static_cast<size_t>(R)] >> J) & 1;
          // Used columns in dark gray, the rest darker, dots in lime.
          const orv::TColor Color = On ? 0x00FF00 : (J >= E[0] && J <= E[1]) ? 0x505050 : 0x383838;
          C->Brush()->SetColor(Color);
          C->FillRect(orv::TRect{X + J * Step, Y + R * Step, X + J * Step + Dot, Y + R * Step + Dot});
        }
      }
      C->Brush()->SetColor(0x202020);
    }
    Sheet.SetPixelFormat(orv::pf24bit);
    Sheet.SaveToFile(orv::FromUtf8(argv[1]));
    std::printf("%s %d x %d\n", argv[1], Sheet.Width(), Sheet.Height());
  } catch (const std::exception& E) {
    std::fprintf(stderr, "fontsheet: %s\n", E.what());
    return 1;
  }
  return 0;
}
