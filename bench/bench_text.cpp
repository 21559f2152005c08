// Text output and measuring of the canvas next to Cairo, both drawing a
// 20-character string in the same font file at the same pixel size onto a
// 32-bit image in memory.

#include <benchmark/benchmark.h>
#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <string>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/textengine.h"
#include "framework/rtl/unicode.h"

namespace {

using namespace orv;

const String Text16 = u"Channel 7: 42.125 mV";  // 20 characters
const std::string Text8 = ToUtf8(Text16);
constexpr int EmPixels = 12;  // 9 points at 96 DPI
constexpr int Width = 320, Height = 32;

struct TOrvSetup {
  TBitmap Bitmap{Width, Height};
  TCanvas* Canvas = Bitmap.Canvas();
  explicit TOrvSetup(bool Antialiased) {
    Canvas->Font()->SetHeight(-EmPixels);
    Canvas->Font()->SetQuality(Antialiased ? fqAntialiased : fqNonAntialiased);
    Canvas->Brush()->SetStyle(bsClear);
  }
};

// A Cairo image surface with the very face file the text engine picked.
struct TCairoSetup {
  FT_Library Library = nullptr;
  FT_Face Face = nullptr;
  cairo_surface_t* Surface = nullptr;
  cairo_t* Cr = nullptr;
  cairo_font_face_t* FontFace = nullptr;
  double Ascent = 0;

  explicit TCairoSetup(bool Antialiased) {
    TFontRequest Request;
    Request.Height = -EmPixels;
    const std::string Path = AcquireFont(Request)->FilePath();
    FT_Init_FreeType(&Library);
    FT_New_Face(Library, Path.c_str(), 0, &Face);
    Surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, Width, Height);
    Cr = cairo_create(Surface);
    FontFace = cairo_ft_font_face_create_for_ft_face(Face, 0);
    cairo_set_font_face(Cr, FontFace);
    cairo_set_font_size(Cr, EmPixels);
    cairo_font_options_t* Options = cairo_font_options_create();
    cairo_font_options_set_antialias(Options, Antialiased ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_set_font_options(Cr, Options);
    cairo_font_options_destroy(Options);
    cairo_set_source_rgb(Cr, 0, 0, 0);
    cairo_font_extents_t FontExtents;
    cairo_font_extents(Cr, &FontExtents);
    Ascent = FontExtents.ascent;
  }
  ~TCairoSetup() {
    cairo_destroy(Cr);
    cairo_surface_destroy(Surface);
    cairo_font_face_destroy(FontFace);
    FT_Done_Face(Face);
    FT_Done_FreeType(Library);
  }
  TCairoSetup(const TCairoSetup&) = delete;
  TCairoSetup& operator=(const TCairoSetup&) = delete;
};

void OrvTextOut(benchmark::State& State, bool Antialiased) {
  TOrvSetup S(Antialiased);
  for (auto _ : State) {
    S.Canvas->TextOut(4, 6, Text16);
    benchmark::DoNotOptimize(S.Bitmap.Bits());
  }
}

void CairoShowText(benchmark::State& State, bool Antialiased) {
  TCairoSetup S(Antialiased);
  for (auto _ : State) {
    cairo_move_to(S.Cr, 4, 6 + S.Ascent);
    cairo_show_text(S.Cr, Text8.c_str());
    benchmark::DoNotOptimize(cairo_image_surface_get_data(S.Surface));
  }
}

void BM_OrvTextOutMono(benchmark::State& State) { OrvTextOut(State, false); }
void BM_CairoShowTextMono(benchmark::State& State) { CairoShowText(State, false); }
void BM_OrvTextOutAntialiased(benchmark::State& State) { OrvTextOut(State, true); }
void BM_CairoShowTextAntialiased(benchmark::State& State) { CairoShowText(State, true); }

void BM_OrvTextWidth(benchmark::State& State) {
  TOrvSetup S(false);
  for (auto _ : State) benchmark::DoNotOptimize(S.Canvas->TextWidth(Text16));
}

void BM_CairoTextExtents(benchmark::State& State) {
  TCairoSetup S(false);
  cairo_text_extents_t Extents;
  for (auto _ : State) {
    cairo_text_extents(S.Cr, Text8.c_str(), &Extents);
    benchmark::DoNotOptimize(Extents.x_advance);
  }
}

BENCHMARK(BM_OrvTextOutMono);
BENCHMARK(BM_CairoShowTextMono);
BENCHMARK(BM_OrvTextOutAntialiased);
BENCHMARK(BM_CairoShowTextAntialiased);
BENCHMARK(BM_OrvTextWidth);
BENCHMARK(BM_CairoTextExtents);

}  // namespace

BENCHMARK_MAIN();
