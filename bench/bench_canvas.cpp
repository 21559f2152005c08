// Canvas drawing next to its peers in one binary: a full-screen fill against
// memset, lines, ellipses and a polygon against Cairo without antialiasing,
// an area-averaging reduction against pixman's GOOD (bilinear) filter and its
// separable box convolution, and shapes mostly outside a small canvas
// against the same shapes that fit on it.

#include <benchmark/benchmark.h>
#include <cairo.h>
#include <pixman.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"

namespace {

constexpr int kW = 1920, kH = 1080;

// --- Full-screen rectangle fill ----------------------------------------------

void BM_CanvasFillScreen(benchmark::State& State) {
  orv::TBitmap B(kW, kH);
  orv::TCanvas* C = B.Canvas();
  C->Pen()->SetColor(0x336699);
  C->Brush()->SetColor(0x336699);
  for (auto _ : State) {
    C->Rectangle(0, 0, kW, kH);
    benchmark::DoNotOptimize(B.Bits());
    benchmark::ClobberMemory();
  }
  State.SetBytesProcessed(State.iterations() * int64_t{kW} * kH * 4);
}
BENCHMARK(BM_CanvasFillScreen);

void BM_MemsetFillScreen(benchmark::State& State) {
  std::vector<uint32_t> Pixels(static_cast<size_t>(kW) * kH);
  for (auto _ : State) {
    std::memset(Pixels.data(), 0x33, Pixels.size() * 4);
    benchmark::DoNotOptimize(Pixels.data());
    benchmark::ClobberMemory();
  }
  State.SetBytesProcessed(State.iterations() * int64_t{kW} * kH * 4);
}
BENCHMARK(BM_MemsetFillScreen);

// --- Shapes: the same random input for both sides ---------------------------------

struct TLine {
  int X1, Y1, X2, Y2;
};

std::vector<TLine> RandomLines(int N, int W, int H) {
  std::mt19937 Rng(42);
  std::vector<TLine> L(static_cast<size_t>(N));
  for (TLine& E : L) E = TLine{int(Rng() % W), int(Rng() % H), int(Rng() % W), int(Rng() % H)};
  return L;
}

constexpr int kShapeW = 1024, kShapeH = 768;

void BM_CanvasLines(benchmark::State& State) {
  const auto Lines = RandomLines(10000, kShapeW, kShapeH);
  orv::TBitmap B(kShapeW, kShapeH);
  orv::TCanvas* C = B.Canvas();
  for (auto _ : State) {
    for (const TLine& L : Lines) {
      C->MoveTo(L.X1, L.Y1);
      C->LineTo(L.X2, L.Y2);
    }
    benchmark::DoNotOptimize(B.Bits());
  }
  State.SetItemsProcessed(State.iterations() * 10000);
}
BENCHMARK(BM_CanvasLines);

struct TCairo {
  TCairo(int W, int H)
      : Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, W, H)), Cr(cairo_create(Surface)) {
    cairo_set_antialias(Cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgb(Cr, 0.2, 0.4, 0.6);
  }
  ~TCairo() {
    cairo_destroy(Cr);
    cairo_surface_destroy(Surface);
  }
  cairo_surface_t* Surface;
  cairo_t* Cr;
};

void BM_CairoLines(benchmark::State& State) {
  const auto Lines = RandomLines(10000, kShapeW, kShapeH);
  TCairo K(kShapeW, kShapeH);
  cairo_set_line_width(K.Cr, 1.0);
  for (auto _ : State) {
    for (const TLine& L : Lines) {
      cairo_move_to(K.Cr, L.X1 + 0.5, L.Y1 + 0.5);
      cairo_line_to(K.Cr, L.X2 + 0.5, L.Y2 + 0.5);
      cairo_stroke(K.Cr);
    }
    cairo_surface_flush(K.Surface);
  }
  State.SetItemsProcessed(State.iterations() * 10000);
}
BENCHMARK(BM_CairoLines);

std::vector<TLine> RandomBoxes(int N) {
  std::mt19937 Rng(7);
  std::vector<TLine> Boxes(static_cast<size_t>(N));
  for (TLine& E : Boxes) {
    const int X = int(Rng() % (kShapeW - 120)), Y = int(Rng() % (kShapeH - 120));
    E = TLine{X, Y, X + 10 + int(Rng() % 110), Y + 10 + int(Rng() % 110)};
  }
  return Boxes;
}

void BM_CanvasEllipses(benchmark::State& State) {
  const auto Boxes = RandomBoxes(1000);
  orv::TBitmap B(kShapeW, kShapeH);
  orv::TCanvas* C = B.Canvas();
  C->Brush()->SetColor(0x996633);
  for (auto _ : State) {
    for (const TLine& E : Boxes) C->Ellipse(E.X1, E.Y1, E.X2, E.Y2);
    benchmark::DoNotOptimize(B.Bits());
  }
  State.SetItemsProcessed(State.iterations() * 1000);
}
BENCHMARK(BM_CanvasEllipses);

void BM_CairoEllipses(benchmark::State& State) {
  const auto Boxes = RandomBoxes(1000);
  TCairo K(kShapeW, kShapeH);
  cairo_set_line_width(K.Cr, 1.0);
  for (auto _ : State) {
    for (const TLine& E : Boxes) {
      const double W = E.X2 - E.X1, H = E.Y2 - E.Y1;
      cairo_save(K.Cr);
      cairo_translate(K.Cr, E.X1 + W / 2, E.Y1 + H / 2);
      cairo_scale(K.Cr, W / 2, H / 2);
      cairo_arc(K.Cr, 0, 0, 1, 0, 6.283185307179586);
      cairo_restore(K.Cr);
      cairo_set_source_rgb(K.Cr, 0.2, 0.4, 0.6);
      cairo_fill_preserve(K.Cr);
      cairo_set_source_rgb(K.Cr, 0, 0, 0);
      cairo_stroke(K.Cr);
    }
    cairo_surface_flush(K.Surface);
  }
  State.SetItemsProcessed(State.iterations() * 1000);
}
BENCHMARK(BM_CairoEllipses);

const orv::TPoint kHeptagon[7] = {{512, 40}, {900, 220}, {980, 560}, {700, 740}, {300, 720}, {60, 500}, {150, 180}};

void BM_CanvasPolygon(benchmark::State& State) {
  orv::TBitmap B(kShapeW, kShapeH);
  orv::TCanvas* C = B.Canvas();
  C->Brush()->SetColor(0x996633);
  for (auto _ : State) {
    C->Polygon(kHeptagon);
    benchmark::DoNotOptimize(B.Bits());
  }
}
BENCHMARK(BM_CanvasPolygon);

void BM_CairoPolygon(benchmark::State& State) {
  TCairo K(kShapeW, kShapeH);
  cairo_set_line_width(K.Cr, 1.0);
  for (auto _ : State) {
    cairo_move_to(K.Cr, kHeptagon[0].X, kHeptagon[0].Y);
    for (int I = 1; I < 7; ++I) cairo_line_to(K.Cr, kHeptagon[I].X, kHeptagon[I].Y);
    cairo_close_path(K.Cr);
    cairo_set_source_rgb(K.Cr, 0.2, 0.4, 0.6);
    cairo_fill_preserve(K.Cr);
    cairo_set_source_rgb(K.Cr, 0, 0, 0);
    cairo_stroke(K.Cr);
    cairo_surface_flush(K.Surface);
  }
}
BENCHMARK(BM_CairoPolygon);

// --- Area-averaging reduction 312 x 432 -> 70 x 90 ------------------------------

constexpr int kSrcW = 312, kSrcH = 432, kDstW = 70, kDstH = 90;

void FillPattern(uint32_t* Pixels, int W, int H) {
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) Pixels[Y * W + X] = ((X * 7) & 0xFF) << 16 | ((Y * 5) & 0xFF) << 8 | ((X ^ Y) & 0xFF);
}

void BM_CanvasHalftone(benchmark::State& State) {
  orv::TBitmap Src(kSrcW, kSrcH), Dst(kDstW, kDstH);
  FillPattern(Src.Bits(), kSrcW, kSrcH);
  orv::SetStretchBltMode(Dst.Canvas(), orv::HALFTONE);
  for (auto _ : State) {
    orv::StretchBlt(Dst.Canvas(), 0, 0, kDstW, kDstH, Src.Canvas(), 0, 0, kSrcW, kSrcH, orv::SRCCOPY);
    benchmark::DoNotOptimize(Dst.Bits());
  }
}
BENCHMARK(BM_CanvasHalftone);

void BM_PixmanGoodFilter(benchmark::State& State) {
  std::vector<uint32_t> SrcPixels(static_cast<size_t>(kSrcW) * kSrcH), DstPixels(static_cast<size_t>(kDstW) * kDstH);
  FillPattern(SrcPixels.data(), kSrcW, kSrcH);
  pixman_image_t* Src = pixman_image_create_bits(PIXMAN_x8r8g8b8, kSrcW, kSrcH, SrcPixels.data(), kSrcW * 4);
  pixman_image_t* Dst = pixman_image_create_bits(PIXMAN_x8r8g8b8, kDstW, kDstH, DstPixels.data(), kDstW * 4);
  pixman_transform_t T;
  pixman_transform_init_scale(&T, pixman_double_to_fixed(double(kSrcW) / kDstW),
                              pixman_double_to_fixed(double(kSrcH) / kDstH));
  pixman_image_set_transform(Src, &T);
  pixman_image_set_filter(Src, PIXMAN_FILTER_GOOD, nullptr, 0);
  for (auto _ : State) {
    pixman_image_composite32(PIXMAN_OP_SRC, Src, nullptr, Dst, 0, 0, 0, 0, 0, 0, kDstW, kDstH);
    benchmark::DoNotOptimize(DstPixels.data());
  }
  pixman_image_unref(Src);
  pixman_image_unref(Dst);
}
BENCHMARK(BM_PixmanGoodFilter);

// A true area average in pixman: separable convolution with a box
// reconstruction and a box sample of the scale's width.
void BM_PixmanBoxConvolution(benchmark::State& State) {
  std::vector<uint32_t> SrcPixels(static_cast<size_t>(kSrcW) * kSrcH), DstPixels(static_cast<size_t>(kDstW) * kDstH);
  FillPattern(SrcPixels.data(), kSrcW, kSrcH);
  pixman_image_t* Src = pixman_image_create_bits(PIXMAN_x8r8g8b8, kSrcW, kSrcH, SrcPixels.data(), kSrcW * 4);
  pixman_image_t* Dst = pixman_image_create_bits(PIXMAN_x8r8g8b8, kDstW, kDstH, DstPixels.data(), kDstW * 4);
  const double SX = double(kSrcW) / kDstW, SY = double(kSrcH) / kDstH;
  pixman_transform_t T;
  pixman_transform_init_scale(&T, pixman_double_to_fixed(SX), pixman_double_to_fixed(SY));
  pixman_image_set_transform(Src, &T);
  int NParams = 0;
  pixman_fixed_t* Params = pixman_filter_create_separable_convolution(
      &NParams, pixman_double_to_fixed(SX), pixman_double_to_fixed(SY), PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX,
      PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, 0, 0);
  pixman_image_set_filter(Src, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, Params, NParams);
  free(Params);
  for (auto _ : State) {
    pixman_image_composite32(PIXMAN_OP_SRC, Src, nullptr, Dst, 0, 0, 0, 0, 0, 0, kDstW, kDstH);
    benchmark::DoNotOptimize(DstPixels.data());
  }
  pixman_image_unref(Src);
  pixman_image_unref(Dst);
}
BENCHMARK(BM_PixmanBoxConvolution);

// --- Shapes mostly outside a 100 x 100 canvas ------------------------------------

void BM_CanvasEllipse100(benchmark::State& State) {
  orv::TBitmap B(100, 100);
  orv::TCanvas* C = B.Canvas();
  C->Brush()->SetColor(0x996633);
  for (auto _ : State) {
    C->Ellipse(0, 0, 100, 100);
    benchmark::DoNotOptimize(B.Bits());
  }
}
BENCHMARK(BM_CanvasEllipse100);

void BM_CanvasEllipseMillion(benchmark::State& State) {
  orv::TBitmap B(100, 100);
  orv::TCanvas* C = B.Canvas();
  C->Brush()->SetColor(0x996633);
  for (auto _ : State) {
    C->Ellipse(-450000, -450000, 550000, 550000);
    benchmark::DoNotOptimize(B.Bits());
  }
}
BENCHMARK(BM_CanvasEllipseMillion);

void BM_CanvasLine141(benchmark::State& State) {
  orv::TBitmap B(100, 100);
  orv::TCanvas* C = B.Canvas();
  for (auto _ : State) {
    C->MoveTo(0, 0);
    C->LineTo(100, 100);
    C->MoveTo(100, 0);
    C->LineTo(0, 100);
    benchmark::DoNotOptimize(B.Bits());
  }
}
BENCHMARK(BM_CanvasLine141);

void BM_CanvasLineFar(benchmark::State& State) {
  orv::TBitmap B(100, 100);
  orv::TCanvas* C = B.Canvas();
  for (auto _ : State) {
    C->MoveTo(-(1 << 30), -(1 << 30));
    C->LineTo(1 << 30, 1 << 30);
    C->MoveTo((1 << 30) + 100, -(1 << 30));
    C->LineTo(-(1 << 30) + 100, 1 << 30);
    benchmark::DoNotOptimize(B.Bits());
  }
}
BENCHMARK(BM_CanvasLineFar);

// Wide pens and parts of ellipses go through a pixel map; it covers the
// visible part (and a pen-deep margin), not the shape's box.
void WidePie(benchmark::State& State, int X1, int Y1, int X2, int Y2) {
  orv::TBitmap B(100, 100);
  orv::TCanvas* C = B.Canvas();
  C->Brush()->SetColor(0x996633);
  C->Pen()->SetWidth(5);
  for (auto _ : State) {
    C->Pie(X1, Y1, X2, Y2, X2, Y1, X1, Y2);
    benchmark::DoNotOptimize(B.Bits());
  }
}
void BM_CanvasWidePie100(benchmark::State& State) { WidePie(State, 0, 0, 100, 100); }
BENCHMARK(BM_CanvasWidePie100);
void BM_CanvasWidePieMillion(benchmark::State& State) { WidePie(State, -450000, -450000, 550000, 550000); }
BENCHMARK(BM_CanvasWidePieMillion);

void WideLine(benchmark::State& State, int From, int To) {
  orv::TBitmap B(100, 100);
  orv::TCanvas* C = B.Canvas();
  C->Pen()->SetWidth(5);
  for (auto _ : State) {
    C->MoveTo(From, From);
    C->LineTo(To, To);
    benchmark::DoNotOptimize(B.Bits());
  }
}
void BM_CanvasWideLine141(benchmark::State& State) { WideLine(State, 0, 100); }
BENCHMARK(BM_CanvasWideLine141);
void BM_CanvasWideLineFar(benchmark::State& State) { WideLine(State, -(1 << 30), 1 << 30); }
BENCHMARK(BM_CanvasWideLineFar);

}  // namespace

BENCHMARK_MAIN();
