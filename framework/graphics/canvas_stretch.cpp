// Area-average reduction in fixed point (the HALFTONE stretch mode).

#include "framework/graphics/canvas_stretch.h"

#include <algorithm>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define ORV_STRETCH_AVX2 1
#endif

namespace orv::stretch {

TAreaTaps AreaTaps(int64_t DstLen, int64_t SrcStart, int64_t SrcLen, bool Flip, int64_t First, int Count) {
  // In units of 1 / DstLen source pixel, destination pixel Pos covers
  // [Pos * SrcLen, (Pos + 1) * SrcLen) and source pixel J covers
  // [J * DstLen, (J + 1) * DstLen); a weight is overlap / SrcLen.
  TAreaTaps T;
  const auto N = static_cast<size_t>(Count);
  T.First.resize(N);
  T.Count.resize(N);
  T.Offset.resize(N);
  const int64_t D = DstLen, S = SrcLen;
  for (int K = 0; K < Count; ++K) {
    const int64_t I = First + K;
    const int64_t Pos = Flip ? DstLen - 1 - I : I;
    const int64_t A = Pos * S, B = (Pos + 1) * S;
    const int64_t J0 = A / D;
    const int64_t J1 = std::min((B + D - 1) / D - 1, S - 1);
    const auto Idx = static_cast<size_t>(K);
    T.First[Idx] = static_cast<int>(SrcStart + J0);
    T.Count[Idx] = static_cast<int>(J1 - J0 + 1);
    T.Offset[Idx] = static_cast<uint32_t>(T.Weights.size());
    uint32_t Sum = 0;
    size_t Largest = T.Weights.size();
    for (int64_t J = J0; J <= J1; ++J) {
      const int64_t Overlap = std::max<int64_t>(std::min(B, (J + 1) * D) - std::max(A, J * D), 0);
      // Rounded to nearest, halves up.
      const auto Wt = static_cast<uint32_t>((2 * Overlap * 65536 + S) / (2 * S));
      T.Weights.push_back(Wt);
      Sum += Wt;
      if (Wt > T.Weights[Largest]) Largest = T.Weights.size() - 1;
    }
    // The largest weight absorbs the rounding, so each pixel's weights sum to 1.
    T.Weights[Largest] += 65536u - Sum;
  }
  return T;
}

TAreaAverager::TAreaAverager(const TBitmap* Src, int SX, int SY, int SW, int SH, int64_t W, int64_t H, bool FlipX,
                             bool FlipY, int64_t FirstCol, int VisW, int64_t FirstRow, int VisH)
    : FSrc(Src), FVisW(VisW), FY(AreaTaps(H, SY, SH, FlipY, FirstRow, VisH)) {
  const auto V = static_cast<size_t>(VisW);
  const TAreaTaps X = AreaTaps(W, SX, SW, FlipX, FirstCol, VisW);
#ifdef ORV_STRETCH_AVX2
  SetUpFast(X, SX, SW);
  if (FFast) return;
#endif
  FBR.resize(V);
  FG.resize(V);
  FSumB.resize(V);
  FSumG.resize(V);
  FSumR.resize(V);
  // Every column gets the same number of taps, the largest one needs, so the
  // inner loop has a fixed length the compiler unrolls and the processor
  // predicts. The extra taps weigh 0 and stay inside the source block.
  FTaps = 1;
  for (const int N : X.Count) FTaps = std::max(FTaps, N);
  FFirst.resize(V);
  FWeights.assign(V * static_cast<size_t>(FTaps), 0);
  for (size_t J = 0; J < V; ++J) {
    const int First = std::min(X.First[J], SX + SW - FTaps);
    FFirst[J] = First;
    for (int K = 0; K < X.Count[J]; ++K)
      FWeights[J * static_cast<size_t>(FTaps) + static_cast<size_t>(X.First[J] - First + K)] =
          X.Weights[X.Offset[J] + static_cast<size_t>(K)];
  }
#ifdef ORV_STRETCH_AVX2
  // Two pixels per 256-bit step: their four channels in 32-bit lanes, each
  // lane times its pixel's weight. Needs an even tap count inside the block.
  const int Pairs = (FTaps + 1) / 2;
  if (2 * Pairs <= SW && __builtin_cpu_supports("avx2")) {
    FPairs = Pairs;
    FH4.resize(V * 4);
    FSum4.resize(V * 4);
    FPairFirst.resize(V);
    FPairWeights.assign(V * static_cast<size_t>(Pairs) * 8, 0);
    for (size_t J = 0; J < V; ++J) {
      const int First = std::min(X.First[J], SX + SW - 2 * Pairs);
      FPairFirst[J] = First;
      for (int K = 0; K < X.Count[J]; ++K) {
        const auto Tap = static_cast<size_t>(X.First[J] - First + K);
        uint32_t* Lanes = &FPairWeights[(J * static_cast<size_t>(Pairs) + Tap / 2) * 8 + (Tap % 2) * 4];
        std::fill_n(Lanes, 4, X.Weights[X.Offset[J] + static_cast<size_t>(K)]);
      }
    }
  }
#endif
}

#ifdef ORV_STRETCH_AVX2
void TAreaAverager::SetUpFast(const TAreaTaps& X, int SX, int SW) {
  constexpr int kMaxTaps = 8;
  if (FVisW <= 0 || !__builtin_cpu_supports("avx2")) return;
  int Taps = 1;
  for (const int N : X.Count) Taps = std::max(Taps, N);
  for (const int N : FY.Count)
    if (N > kMaxTaps) return;
  if (Taps > kMaxTaps || Taps > SW) return;
  // Every column reads Taps source pixels, the extra ones weighing 0 and
  // staying inside the source block, so the loop has a fixed length.
  const auto V = static_cast<size_t>(FVisW);
  FFastTaps = Taps;
  FFastFirst.resize(V);
  FFastW.assign(V * static_cast<size_t>(Taps), 0);
  int Lo = X.First[0], Hi = X.First[0];
  for (size_t J = 0; J < V; ++J) {
    const int First = std::min(X.First[J], SX + SW - Taps);
    FFastFirst[J] = First;
    Lo = std::min(Lo, First);
    Hi = std::max(Hi, First + Taps);
    for (int K = 0; K < X.Count[J]; ++K)
      FFastW[J * static_cast<size_t>(Taps) + static_cast<size_t>(X.First[J] - First + K)] =
          X.Weights[X.Offset[J] + static_cast<size_t>(K)];
  }
  for (int& F : FFastFirst) F -= Lo;
  FSrcLo = Lo;
  FSpan = Hi - Lo;
  FV.assign(static_cast<size_t>(FSpan) * 4, 0);
  FFast = true;
}

namespace {

// Vertical pass of the exact route: Out[4i + c] = sum over the rows of
// weight * channel c of pixel i, for N pixels (below 2^24: the weights of a
// row sum to 65536), two pixels per 256-bit step.
__attribute__((target("avx2"))) void VerticalAvx2(const uint32_t* const* Rows, const uint32_t* W, int Count, int N,
                                                  uint32_t* Out) {
  __m256i Wv[8];
  for (int R = 0; R < Count; ++R) Wv[R] = _mm256_set1_epi32(static_cast<int>(W[R]));
  int I = 0;
  for (; I + 2 <= N; I += 2) {
    __m256i Acc = _mm256_setzero_si256();
    for (int R = 0; R < Count; ++R) {
      const __m256i P = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(Rows[R] + I)));
      Acc = _mm256_add_epi32(Acc, _mm256_mullo_epi32(P, Wv[R]));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(Out + 4 * I), Acc);
  }
  for (; I < N; ++I)
    for (int Ch = 0; Ch < 4; ++Ch) {
      uint32_t Sum = 0;
      for (int R = 0; R < Count; ++R) Sum += W[R] * ((Rows[R][I] >> (8 * Ch)) & 0xFFu);
      Out[4 * I + Ch] = Sum;
    }
}

// Horizontal pass of the exact route: Taps taps per column, the four
// channels of a tap in 64-bit lanes, rounded from 32 fractional bits.
template <int Taps>
__attribute__((target("avx2"))) void HorizontalAvx2(const uint32_t* V, const int* First, const uint32_t* W,
                                                    int VisW, uint32_t* Out) {
  const __m256i Half = _mm256_set1_epi64x(int64_t{1} << 31);
  const __m256i Low = _mm256_setr_epi32(0, 2, 4, 6, 0, 2, 4, 6);
  for (int J = 0; J < VisW; ++J, W += Taps) {
    const uint32_t* P = V + 4 * First[J];
    __m256i Acc = Half;
    for (int K = 0; K < Taps; ++K) {
      const __m256i C = _mm256_cvtepu32_epi64(_mm_loadu_si128(reinterpret_cast<const __m128i*>(P + 4 * K)));
      Acc = _mm256_add_epi64(Acc, _mm256_mul_epu32(C, _mm256_set1_epi64x(W[K])));
    }
    // Each channel is at most 255 after the shift (the weights sum to 1).
    const __m128i Ch = _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(_mm256_srli_epi64(Acc, 32), Low));
    const __m128i Bytes = _mm_packus_epi16(_mm_packus_epi32(Ch, Ch), Ch);
    Out[J] = static_cast<uint32_t>(_mm_cvtsi128_si32(Bytes)) & 0x00FFFFFFu;
  }
}

}  // namespace

void TAreaAverager::FastRow(int K, uint32_t* Out) {
  const auto Idx = static_cast<size_t>(K);
  const uint32_t* Rows[8];
  const int Count = FY.Count[Idx];
  for (int R = 0; R < Count; ++R) Rows[R] = FSrc->ScanLine(FY.First[Idx] + R) + FSrcLo;
  VerticalAvx2(Rows, FY.Weights.data() + FY.Offset[Idx], Count, FSpan, FV.data());
  const uint32_t* V = FV.data();
  const int* First = FFastFirst.data();
  const uint32_t* W = FFastW.data();
  switch (FFastTaps) {
    case 1: HorizontalAvx2<1>(V, First, W, FVisW, Out); break;
    case 2: HorizontalAvx2<2>(V, First, W, FVisW, Out); break;
    case 3: HorizontalAvx2<3>(V, First, W, FVisW, Out); break;
    case 4: HorizontalAvx2<4>(V, First, W, FVisW, Out); break;
    case 5: HorizontalAvx2<5>(V, First, W, FVisW, Out); break;
    case 6: HorizontalAvx2<6>(V, First, W, FVisW, Out); break;
    case 7: HorizontalAvx2<7>(V, First, W, FVisW, Out); break;
    default: HorizontalAvx2<8>(V, First, W, FVisW, Out); break;
  }
}
#endif

namespace {

// The horizontal pass with Taps taps per column (Taps > 0 fixed at compile
// time, or 0: read from N).
template <int Taps>
void Reduce(const uint32_t* Line, const int* First, const uint32_t* Weights, int VisW, int N, uint64_t* IntoBR,
            uint32_t* IntoG) {
  const int M = Taps > 0 ? Taps : N;
  for (int J = 0; J < VisW; ++J, Weights += M) {
    const uint32_t* P = Line + First[J];
    // Blue in bits 0..31 and red in bits 32..63: each sum stays below 2^24.
    uint64_t BR = 0;
    uint32_t G = 0;
    for (int K = 0; K < M; ++K) {
      const uint32_t Px = P[K], W = Weights[K];
      BR += W * ((Px & 0xFFu) | (static_cast<uint64_t>(Px & 0xFF0000u) << 16));
      G += W * ((Px >> 8) & 0xFFu);
    }
    IntoBR[J] = BR;
    IntoG[J] = G;
  }
}

#ifdef ORV_STRETCH_AVX2
__attribute__((target("avx2"))) void ReduceAvx2(const uint32_t* Line, const int* First, const uint32_t* Weights,
                                                int VisW, int Pairs, uint32_t* Into) {
  for (int J = 0; J < VisW; ++J) {
    const uint32_t* P = Line + First[J];
    __m256i Acc = _mm256_setzero_si256();
    for (int K = 0; K < Pairs; ++K, Weights += 8) {
      const __m256i Px = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(P + 2 * K)));
      const __m256i W = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Weights));
      Acc = _mm256_add_epi32(Acc, _mm256_mullo_epi32(Px, W));
    }
    // Lanes 0..3 and 4..7 hold b, g, r, x of the even and the odd taps.
    const __m128i Sum = _mm_add_epi32(_mm256_castsi256_si128(Acc), _mm256_extracti128_si256(Acc, 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Into + 4 * J), Sum);
  }
}

// Sums[4j..4j+3] += W * Rows[4j..4j+3] in 64-bit lanes.
__attribute__((target("avx2"))) void AccumulateAvx2(const uint32_t* Rows, uint32_t W, int VisW, uint64_t* Sums) {
  const __m256i Wv = _mm256_set1_epi64x(W);
  for (int J = 0; J < VisW; ++J) {
    const __m256i H = _mm256_cvtepu32_epi64(_mm_loadu_si128(reinterpret_cast<const __m128i*>(Rows + 4 * J)));
    __m256i* S = reinterpret_cast<__m256i*>(Sums + 4 * J);
    _mm256_storeu_si256(S, _mm256_add_epi64(_mm256_loadu_si256(S), _mm256_mul_epu32(H, Wv)));
  }
}
#endif

}  // namespace

void TAreaAverager::ReduceRow(int SrcRow, uint64_t* IntoBR, uint32_t* IntoG) {
  const uint32_t* Line = FSrc->ScanLine(SrcRow);
#ifdef ORV_STRETCH_AVX2
  if (FPairs > 0) {
    ReduceAvx2(Line, FPairFirst.data(), FPairWeights.data(), FVisW, FPairs, FH4.data());
    return;
  }
#endif
  const int* First = FFirst.data();
  const uint32_t* W = FWeights.data();
  switch (FTaps) {
    case 1: Reduce<1>(Line, First, W, FVisW, 1, IntoBR, IntoG); break;
    case 2: Reduce<2>(Line, First, W, FVisW, 2, IntoBR, IntoG); break;
    case 3: Reduce<3>(Line, First, W, FVisW, 3, IntoBR, IntoG); break;
    case 4: Reduce<4>(Line, First, W, FVisW, 4, IntoBR, IntoG); break;
    case 5: Reduce<5>(Line, First, W, FVisW, 5, IntoBR, IntoG); break;
    case 6: Reduce<6>(Line, First, W, FVisW, 6, IntoBR, IntoG); break;
    case 7: Reduce<7>(Line, First, W, FVisW, 7, IntoBR, IntoG); break;
    case 8: Reduce<8>(Line, First, W, FVisW, 8, IntoBR, IntoG); break;
    default: Reduce<0>(Line, First, W, FVisW, FTaps, IntoBR, IntoG); break;
  }
}

void TAreaAverager::Row(int K0, uint32_t* Out) {
#ifdef ORV_STRETCH_AVX2
  if (FFast) {
    FastRow(K0, Out);
    return;
  }
#endif
  const auto Idx = static_cast<size_t>(K0);
  const auto V = static_cast<size_t>(FVisW);
  constexpr uint64_t Half = uint64_t{1} << 31;
  auto Channel = [](uint64_t Sum) { return static_cast<uint32_t>(std::min<uint64_t>((Sum + Half) >> 32, 255)); };
#ifdef ORV_STRETCH_AVX2
  if (FPairs > 0) {
    std::fill(FSum4.begin(), FSum4.end(), 0);
    const int First = FY.First[Idx];
    const uint32_t* Wy = FY.Weights.data() + FY.Offset[Idx];
    for (int K = 0; K < FY.Count[Idx]; ++K) {
      if (Wy[K] == 0) continue;
      if (First + K != FCachedRow) {
        ReduceRow(First + K, nullptr, nullptr);
        FCachedRow = First + K;
      }
      AccumulateAvx2(FH4.data(), Wy[K], FVisW, FSum4.data());
    }
    for (size_t J = 0; J < V; ++J)
      Out[J] = Channel(FSum4[4 * J]) | Channel(FSum4[4 * J + 1]) << 8 | Channel(FSum4[4 * J + 2]) << 16;
    return;
  }
#endif
  std::fill(FSumB.begin(), FSumB.end(), 0);
  std::fill(FSumG.begin(), FSumG.end(), 0);
  std::fill(FSumR.begin(), FSumR.end(), 0);
  const int First = FY.First[Idx];
  const uint32_t* Wy = FY.Weights.data() + FY.Offset[Idx];
  for (int K = 0; K < FY.Count[Idx]; ++K) {
    const uint64_t W = Wy[K];
    if (W == 0) continue;
    if (First + K != FCachedRow) {
      ReduceRow(First + K, FBR.data(), FG.data());
      FCachedRow = First + K;
    }
    for (size_t J = 0; J < V; ++J) {
      FSumB[J] += W * (FBR[J] & 0xFFFFFFFFu);
      FSumR[J] += W * (FBR[J] >> 32);
      FSumG[J] += W * FG[J];
    }
  }
  for (size_t J = 0; J < V; ++J)
    Out[J] = Channel(FSumB[J]) | Channel(FSumG[J]) << 8 | Channel(FSumR[J]) << 16;
}

}  // namespace orv::stretch
