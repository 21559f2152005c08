#include "framework/graphics/textraster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#endif

#include "framework/graphics/pixelfill.h"

namespace orv {

namespace {

// Channel-wise (Src * A + Dst * (255 - A)) / 255, rounded. Red and blue share
// one multiply: each product stays below 2^16, so the lanes never carry.
inline uint32_t Mix(uint32_t Dst, uint32_t Src, uint32_t A) {
  const uint32_t InvA = 255 - A;
  uint32_t RB = (Src & 0xFF00FF) * A + (Dst & 0xFF00FF) * InvA + 0x800080;
  RB = ((RB + ((RB >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
  uint32_t G = (Src & 0xFF00) * A + (Dst & 0xFF00) * InvA + 0x8000;
  G = ((G + ((G >> 8) & 0xFF00)) >> 8) & 0xFF00;
  return RB | G;
}

// Rows pixels high, N wide, of a glyph's coverage over the pixels they blend.
struct TBlendArea {
  uint32_t* Dst;
  ptrdiff_t DstStride;
  const uint8_t* Cov;
  ptrdiff_t CovStride;
  const uint8_t* CovEnd;  // the end of the coverage store
  int N;
  int Room;  // pixels from Dst to the right edge of the clip, N or more
  int Rows;
  uint32_t Rgb;
};

// Blends N pixels of one row: no coverage leaves a pixel as it is (its top
// byte too), full coverage stores Rgb, anything between mixes. Rgb has a zero
// top byte.
void BlendRowScalar(uint32_t* Dst, const uint8_t* Cov, int N, uint32_t Rgb) {
  for (int X = 0; X < N; ++X) {
    const uint32_t A = Cov[X];
    if (A == 0) continue;
    Dst[X] = A == 255 ? Rgb : Mix(Dst[X] & 0xFFFFFF, Rgb, A);
  }
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define ORV_BLEND_SIMD 1

// The vector rows compute Mix in 16-bit lanes, one lane per channel: the sum
// S * A + D * (255 - A) + 128 stays below 2^16, and so does the sum plus its
// high byte, so the lanes give Mix's exact results. The top byte of each
// pixel is weighed by 255 where the coverage is not zero (a zero top byte
// results, as Mix gives) and by 0 where it is (the pixel keeps its byte), so
// no pixel needs a branch.

// Per-channel weights of four pixels from their coverage bytes spread to all
// four bytes of each pixel.
inline __m128i ChannelWeights(__m128i Spread) {
  const __m128i None = _mm_cmpeq_epi8(Spread, _mm_setzero_si128());
  return _mm_or_si128(_mm_and_si128(Spread, _mm_set1_epi32(0x00FFFFFF)),
                      _mm_andnot_si128(None, _mm_set1_epi32(static_cast<int>(0xFF000000u))));
}

inline __m128i MixLanes(__m128i D16, __m128i S16, __m128i A16) {
  const __m128i Inv = _mm_sub_epi16(_mm_set1_epi16(255), A16);
  __m128i T = _mm_add_epi16(_mm_mullo_epi16(S16, A16), _mm_mullo_epi16(D16, Inv));
  T = _mm_add_epi16(T, _mm_set1_epi16(128));
  return _mm_srli_epi16(_mm_add_epi16(T, _mm_srli_epi16(T, 8)), 8);
}

// Four pixels at a time, then one by one.
void BlendRowSse2(uint32_t* Dst, const uint8_t* Cov, int N, uint32_t Rgb) {
  const __m128i Zero = _mm_setzero_si128();
  const __m128i Solid = _mm_set1_epi32(static_cast<int>(Rgb));
  const __m128i S16 = _mm_unpacklo_epi8(Solid, Zero);
  int X = 0;
  for (; X + 4 <= N; X += 4) {
    uint32_t C;
    std::memcpy(&C, Cov + X, 4);
    if (C == 0) continue;
    auto* P = reinterpret_cast<__m128i*>(Dst + X);
    if (C == 0xFFFFFFFFu) {
      _mm_storeu_si128(P, Solid);
      continue;
    }
    __m128i A = _mm_cvtsi32_si128(static_cast<int>(C));
    A = _mm_unpacklo_epi8(A, A);
    A = ChannelWeights(_mm_unpacklo_epi16(A, A));
    const __m128i D = _mm_loadu_si128(P);
    const __m128i Lo = MixLanes(_mm_unpacklo_epi8(D, Zero), S16, _mm_unpacklo_epi8(A, Zero));
    const __m128i Hi = MixLanes(_mm_unpackhi_epi8(D, Zero), S16, _mm_unpackhi_epi8(A, Zero));
    _mm_storeu_si128(P, _mm_packus_epi16(Lo, Hi));
  }
  BlendRowScalar(Dst + X, Cov + X, N - X, Rgb);
}

__attribute__((target("avx2"))) inline __m256i MixLanesAvx2(__m256i D16, __m256i S16, __m256i A16) {
  const __m256i Inv = _mm256_sub_epi16(_mm256_set1_epi16(255), A16);
  __m256i T = _mm256_add_epi16(_mm256_mullo_epi16(S16, A16), _mm256_mullo_epi16(D16, Inv));
  T = _mm256_add_epi16(T, _mm256_set1_epi16(128));
  return _mm256_srli_epi16(_mm256_add_epi16(T, _mm256_srli_epi16(T, 8)), 8);
}

// Eight pixels D blended towards Solid (S16: two of its pixels spread to
// 16-bit lanes) by the eight coverage bytes of C, the first in the lowest
// byte. Two-level coverage (0 or 255 only) needs no arithmetic: each pixel
// stays or takes the colour.
template <bool TwoLevel>
__attribute__((target("avx2"))) inline __m256i Mix8(__m256i D, uint64_t C, __m256i Solid, __m256i S16) {
  const __m256i Zero = _mm256_setzero_si256();
  // Coverage byte I of each 128-bit half (0-3 low, 4-7 high) to all bytes of pixel I.
  const __m256i Spread = _mm256_setr_epi8(0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3,  //
                                          4, 4, 4, 4, 5, 5, 5, 5, 6, 6, 6, 6, 7, 7, 7, 7);
  __m256i A = _mm256_shuffle_epi8(_mm256_set1_epi64x(static_cast<long long>(C)), Spread);
  if constexpr (TwoLevel) return _mm256_blendv_epi8(D, Solid, A);
  const __m256i None = _mm256_cmpeq_epi8(A, Zero);
  A = _mm256_or_si256(_mm256_and_si256(A, _mm256_set1_epi32(0x00FFFFFF)),
                      _mm256_andnot_si256(None, _mm256_set1_epi32(static_cast<int>(0xFF000000u))));
  const __m256i Lo = MixLanesAvx2(_mm256_unpacklo_epi8(D, Zero), S16, _mm256_unpacklo_epi8(A, Zero));
  const __m256i Hi = MixLanesAvx2(_mm256_unpackhi_epi8(D, Zero), S16, _mm256_unpackhi_epi8(A, Zero));
  return _mm256_packus_epi16(Lo, Hi);
}

// Eight pixels at a time, the last up to seven too: their coverage is read
// as eight bytes with the lanes past the row cleared, and their pixels are
// blended eight at a time where the clip leaves room for it, else loaded and
// stored under a lane mask, which touches no memory past the clip.
template <bool TwoLevel>
__attribute__((target("avx2"), always_inline)) inline void BlendRowAvx2(uint32_t* Dst, const uint8_t* Cov,
                                                                        const uint8_t* CovEnd, int N, int Room,
                                                                        uint32_t Rgb) {
  const __m256i Solid = _mm256_set1_epi32(static_cast<int>(Rgb));
  const __m256i S16 = _mm256_unpacklo_epi8(Solid, _mm256_setzero_si256());
  int X = 0;
  for (; X + 8 <= N; X += 8) {
    uint64_t C;
    std::memcpy(&C, Cov + X, 8);
    if (C == 0) continue;
    auto* P = reinterpret_cast<__m256i*>(Dst + X);
    _mm256_storeu_si256(P, C == ~uint64_t{0} ? Solid : Mix8<TwoLevel>(_mm256_loadu_si256(P), C, Solid, S16));
  }
  const int Rest = N - X;
  if (Rest == 0) return;
  uint64_t C = 0;
  if (CovEnd - (Cov + X) >= 8) {
    std::memcpy(&C, Cov + X, 8);
    C &= ~uint64_t{0} >> (64 - 8 * Rest);
  } else {
    for (int I = Rest - 1; I >= 0; --I) C = C << 8 | Cov[X + I];
  }
  if (C == 0) return;
  if (X + 8 <= Room) {
    // The pixels past the glyph are inside the clip; with no coverage they
    // are written back as they were.
    auto* P = reinterpret_cast<__m256i*>(Dst + X);
    _mm256_storeu_si256(P, Mix8<TwoLevel>(_mm256_loadu_si256(P), C, Solid, S16));
    return;
  }
  const __m256i Lanes = _mm256_cmpgt_epi32(_mm256_set1_epi32(Rest), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
  auto* P = reinterpret_cast<int*>(Dst + X);
  _mm256_maskstore_epi32(P, Lanes, Mix8<TwoLevel>(_mm256_maskload_epi32(P, Lanes), C, Solid, S16));
}

// The rows of a glyph: the loop lives inside the target function so the
// constants of a row are set up once per glyph.
template <bool TwoLevel>
__attribute__((target("avx2"))) void BlendRowsAvx2(const TBlendArea& A) {
  for (int Y = 0; Y < A.Rows; ++Y) {
    BlendRowAvx2<TwoLevel>(A.Dst + Y * A.DstStride, A.Cov + Y * A.CovStride, A.CovEnd, A.N, A.Room, A.Rgb);
  }
}

void BlendRowsSse2(const TBlendArea& A) {
  for (int Y = 0; Y < A.Rows; ++Y) BlendRowSse2(A.Dst + Y * A.DstStride, A.Cov + Y * A.CovStride, A.N, A.Rgb);
}

#endif

void BlendRowsScalar(const TBlendArea& A) {
  for (int Y = 0; Y < A.Rows; ++Y) BlendRowScalar(A.Dst + Y * A.DstStride, A.Cov + Y * A.CovStride, A.N, A.Rgb);
}

}  // namespace

std::span<const TBlendKind> BlendKinds() {
#ifdef ORV_BLEND_SIMD
  static constexpr TBlendKind WithAvx2[] = {bkAvx2, bkSse2, bkScalar};
  static const bool HasAvx2 = __builtin_cpu_supports("avx2");
  return HasAvx2 ? std::span<const TBlendKind>(WithAvx2) : std::span<const TBlendKind>(WithAvx2).subspan(1);
#else
  static constexpr TBlendKind Plain[] = {bkScalar};
  return Plain;
#endif
}

namespace {

// Whether the four corners run round an axis-aligned box: each edge
// horizontal and the next vertical, or the other way round.
bool IsUprightBox(std::span<const TPointF> C) {
  if (C.size() != 4) return false;
  return (C[0].Y == C[1].Y && C[1].X == C[2].X && C[2].Y == C[3].Y && C[3].X == C[0].X) ||
         (C[0].X == C[1].X && C[1].Y == C[2].Y && C[2].X == C[3].X && C[3].Y == C[0].Y);
}

}  // namespace

TRect ClipToSurface(const TPixelSurface& Surface, const TRect& Clip) {
  TRect R{std::max(Clip.Left, 0), std::max(Clip.Top, 0), std::min(Clip.Right, Surface.Width),
          std::min(Clip.Bottom, Surface.Height)};
  if (R.IsEmpty() || !Surface.Pixels) return TRect{};
  return R;
}

void BlendGlyph(const TPixelSurface& Surface, const TRect& Clip, int PenX, int PenY, const TGlyphImage& Glyph,
                uint32_t Rgb) {
  BlendGlyph(BlendKinds().front(), Surface, Clip, PenX, PenY, Glyph, Rgb);
}

void BlendGlyph(TBlendKind Kind, const TPixelSurface& Surface, const TRect& Clip, int PenX, int PenY,
                const TGlyphImage& Glyph, uint32_t Rgb) {
  const TRect Box = ClipToSurface(Surface, Clip);
  if (Box.IsEmpty() || Glyph.Width <= 0 || Glyph.Height <= 0) return;
  const int X0 = PenX + Glyph.Left;
  const int Y0 = PenY - Glyph.Top;
  const int FromX = std::max(X0, Box.Left);
  const int ToX = std::min(X0 + Glyph.Width, Box.Right);
  const int FromY = std::max(Y0, Box.Top);
  const int ToY = std::min(Y0 + Glyph.Height, Box.Bottom);
  if (FromX >= ToX || FromY >= ToY) return;
  const TBlendArea Area{Surface.Row(FromY) + FromX,
                        Surface.Stride,
                        Glyph.Coverage.data() + static_cast<size_t>(FromY - Y0) * Glyph.Width + (FromX - X0),
                        Glyph.Width,
                        Glyph.Coverage.data() + Glyph.Coverage.size(),
                        ToX - FromX,
                        Box.Right - FromX,
                        ToY - FromY,
                        Rgb & 0xFFFFFF};
  switch (Kind) {
#ifdef ORV_BLEND_SIMD
    case bkAvx2: Glyph.TwoLevel ? BlendRowsAvx2<true>(Area) : BlendRowsAvx2<false>(Area); break;
    case bkSse2: BlendRowsSse2(Area); break;
#endif
    default: BlendRowsScalar(Area); break;
  }
}

void FillConvexPolygon(const TPixelSurface& Surface, const TRect& Clip, std::span<const TPointF> Corners,
                       uint32_t Rgb) {
  const TRect Box = ClipToSurface(Surface, Clip);
  if (Box.IsEmpty() || Corners.size() < 3) return;
  double MinY = Corners[0].Y, MaxY = Corners[0].Y;
  for (const TPointF& P : Corners) {
    if (!std::isfinite(P.X) || !std::isfinite(P.Y)) return;
    MinY = std::min(MinY, P.Y);
    MaxY = std::max(MaxY, P.Y);
  }
  // Rows whose centre line Y + 0.5 lies in [MinY, MaxY).
  const double FirstRow = std::max(std::ceil(MinY - 0.5), static_cast<double>(Box.Top));
  const double EndRow = std::min(std::ceil(MaxY - 0.5), static_cast<double>(Box.Bottom));
  Rgb &= 0xFFFFFF;
  if (IsUprightBox(Corners)) {
    // Every row crosses the same two vertical edges: one column range for all.
    const double MinX = std::min({Corners[0].X, Corners[1].X, Corners[2].X});
    const double MaxX = std::max({Corners[0].X, Corners[1].X, Corners[2].X});
    const double FromX = std::max(std::ceil(MinX - 0.5), static_cast<double>(Box.Left));
    const double ToX = std::min(std::ceil(MaxX - 0.5), static_cast<double>(Box.Right));
    if (FromX >= ToX) return;
    const int X = static_cast<int>(FromX);
    const auto Count = static_cast<size_t>(static_cast<int>(ToX) - X);
    for (int Y = static_cast<int>(FirstRow); Y < static_cast<int>(EndRow); ++Y) {
      FillPixels(Surface.Row(Y) + X, Count, Rgb);
    }
    return;
  }
  for (int Y = static_cast<int>(FirstRow); Y < static_cast<int>(EndRow); ++Y) {
    const double Yc = Y + 0.5;
    double Left = 0, Right = 0;
    bool Any = false;
    for (size_t I = 0; I < Corners.size(); ++I) {
      const TPointF& A = Corners[I];
      const TPointF& B = Corners[(I + 1) % Corners.size()];
      if (A.Y == B.Y) continue;
      const double Lo = std::min(A.Y, B.Y), Hi = std::max(A.Y, B.Y);
      if (Yc < Lo || Yc >= Hi) continue;
      const double X = A.X + (Yc - A.Y) * (B.X - A.X) / (B.Y - A.Y);
      if (!Any) {
        Left = Right = X;
        Any = true;
      } else {
        Left = std::min(Left, X);
        Right = std::max(Right, X);
      }
    }
    if (!Any) continue;
    // Columns whose centre X + 0.5 lies in [Left, Right).
    const double FromX = std::max(std::ceil(Left - 0.5), static_cast<double>(Box.Left));
    const double ToX = std::min(std::ceil(Right - 0.5), static_cast<double>(Box.Right));
    if (FromX >= ToX) continue;
    std::fill(Surface.Row(Y) + static_cast<int>(FromX), Surface.Row(Y) + static_cast<int>(ToX), Rgb);
  }
}

}  // namespace orv
