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
namespace {

// The 16-bit weights of one destination pixel rounded to 14 bits; the
// largest absorbs the rounding, so they sum to exactly 1 again.
void To14Bits(const uint32_t* W16, int Count, int16_t* Out) {
  int Sum = 0, Largest = 0;
  for (int K = 0; K < Count; ++K) {
    Out[K] = static_cast<int16_t>((W16[K] + 2) >> 2);
    Sum += Out[K];
    if (Out[K] > Out[Largest]) Largest = K;
  }
  Out[Largest] = static_cast<int16_t>(Out[Largest] + (16384 - Sum));
}

}  // namespace

void TAreaAverager::SetUpFast(const TAreaTaps& X, int SX, int SW) {
  constexpr int kTaps = 8;
  if (SW < kTaps || FVisW <= 0 || !__builtin_cpu_supports("avx2")) return;
  for (const int N : X.Count)
    if (N > kTaps) return;
  for (const int N : FY.Count)
    if (N > kTaps) return;
  const auto V = static_cast<size_t>(FVisW);
  FFastFirst.resize(V);
  FFastW.assign(V * 32, 0);
  int Lo = X.First[0], Hi = X.First[0];
  for (size_t J = 0; J < V; ++J) {
    const int First = std::min(X.First[J], SX + SW - kTaps);
    FFastFirst[J] = First;
    Lo = std::min(Lo, First);
    Hi = std::max(Hi, First + kTaps);
    int16_t W14[kTaps];
    To14Bits(&X.Weights[X.Offset[J]], X.Count[J], W14);
    for (int K = 0; K < X.Count[J]; ++K) {
      // Tap t sits in both halves of its pair's slot: pairs (0,1), (2,3)
      // fill the first 16 lanes, (4,5), (6,7) the next 16, each pair
      // repeated for the four channels.
      const int T = X.First[J] - First + K;
      int16_t* Slot = &FFastW[J * 32 + static_cast<size_t>(T / 4) * 16 + static_cast<size_t>((T / 2) % 2) * 8];
      for (int Ch = 0; Ch < 4; ++Ch) Slot[2 * Ch + T % 2] = W14[K];
    }
  }
  for (int& F : FFastFirst) F -= Lo;
  FSrcLo = Lo;
  FSpan = Hi - Lo;
  const size_t Rows = FY.First.size();
  FRowFirst.resize(Rows);
  FRowCount.resize(Rows);
  FRowW.assign(Rows * kTaps, 0);
  for (size_t K = 0; K < Rows; ++K) {
    FRowFirst[K] = FY.First[K];
    // An odd count is made even by a weightless row; it repeats a row of
    // the shape, so it never reads outside the source block.
    FRowCount[K] = FY.Count[K] + FY.Count[K] % 2;
    To14Bits(&FY.Weights[FY.Offset[K]], FY.Count[K], &FRowW[K * kTaps]);
  }
  FV.assign(static_cast<size_t>(FSpan) * 4, 0);
  FFast = true;
}

namespace {

// Vertical pass of the 14-bit route: Out[4i + c] = (sum over the rows of
// weight * channel c of pixel i + 64) >> 7 for N pixels, over Pairs pairs
// of rows, each pair's weights in one lane as (W[2p], W[2p+1]). The pair
// count is fixed at compile time, so the weights and row pointers stay in
// registers.
template <int Pairs>
__attribute__((target("avx2"))) void VerticalAvx2(const uint32_t* const* Rows, const int16_t* W, int N,
                                                  int16_t* Out) {
  __m256i Wv[Pairs];
  const uint32_t* R[2 * Pairs];
  for (int P = 0; P < Pairs; ++P) {
    Wv[P] = _mm256_set1_epi32(static_cast<int>(static_cast<uint16_t>(W[2 * P]) |
                                               static_cast<uint32_t>(static_cast<uint16_t>(W[2 * P + 1])) << 16));
    R[2 * P] = Rows[2 * P];
    R[2 * P + 1] = Rows[2 * P + 1];
  }
  const __m256i Round = _mm256_set1_epi32(64);
  const int Groups = N / 4;
  for (int G = 0; G < Groups; ++G) {
    __m256i Lo = _mm256_setzero_si256(), Hi = _mm256_setzero_si256();
    for (int P = 0; P < Pairs; ++P) {
      const __m256i A = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(R[2 * P] + 4 * G)));
      const __m256i B =
          _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(R[2 * P + 1] + 4 * G)));
      Lo = _mm256_add_epi32(Lo, _mm256_madd_epi16(_mm256_unpacklo_epi16(A, B), Wv[P]));  // pixels 0 and 2
      Hi = _mm256_add_epi32(Hi, _mm256_madd_epi16(_mm256_unpackhi_epi16(A, B), Wv[P]));  // pixels 1 and 3
    }
    Lo = _mm256_srli_epi32(_mm256_add_epi32(Lo, Round), 7);
    Hi = _mm256_srli_epi32(_mm256_add_epi32(Hi, Round), 7);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(Out + 16 * G), _mm256_packs_epi32(Lo, Hi));
  }
  for (int I = 4 * Groups; I < N; ++I)
    for (int Ch = 0; Ch < 4; ++Ch) {
      int32_t Sum = 0;
      for (int K = 0; K < 2 * Pairs; ++K) Sum += W[K] * static_cast<int32_t>((R[K][I] >> (8 * Ch)) & 0xFF);
      Out[4 * I + Ch] = static_cast<int16_t>((Sum + 64) >> 7);
    }
}

// Horizontal pass of the 14-bit route: eight taps per column in two
// 256-bit multiply-adds, rounded from 21 fractional bits to 0x00RRGGBB.
__attribute__((target("avx2"))) void HorizontalAvx2(const int16_t* V, const int* First, const int16_t* W, int VisW,
                                                    uint32_t* Out) {
  // Within each 128-bit lane, interleave the channels of its two pixels.
  const __m256i Pairs = _mm256_setr_epi8(0, 1, 8, 9, 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15, 0, 1, 8, 9, 2, 3,
                                         10, 11, 4, 5, 12, 13, 6, 7, 14, 15);
  const __m128i Round = _mm_set1_epi32(1 << 20);
  for (int J = 0; J < VisW; ++J, W += 32) {
    const int16_t* P = V + 4 * First[J];
    const __m256i A = _mm256_shuffle_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(P)), Pairs);
    const __m256i B = _mm256_shuffle_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(P + 16)), Pairs);
    const __m256i Sum =
        _mm256_add_epi32(_mm256_madd_epi16(A, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(W))),
                         _mm256_madd_epi16(B, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(W + 16))));
    __m128i C = _mm_add_epi32(_mm256_castsi256_si128(Sum), _mm256_extracti128_si256(Sum, 1));
    C = _mm_srli_epi32(_mm_add_epi32(C, Round), 21);
    C = _mm_packus_epi16(_mm_packus_epi32(C, C), C);
    Out[J] = static_cast<uint32_t>(_mm_cvtsi128_si32(C)) & 0x00FFFFFFu;
  }
}

}  // namespace

void TAreaAverager::FastRow(int K, uint32_t* Out) {
  const auto Idx = static_cast<size_t>(K);
  const uint32_t* Rows[8];
  const int Count = FRowCount[Idx], Real = FY.Count[Idx];
  for (int R = 0; R < Count; ++R) Rows[R] = FSrc->ScanLine(FRowFirst[Idx] + std::min(R, Real - 1)) + FSrcLo;
  const int16_t* W = &FRowW[Idx * 8];
  switch (Count / 2) {
    case 1: VerticalAvx2<1>(Rows, W, FSpan, FV.data()); break;
    case 2: VerticalAvx2<2>(Rows, W, FSpan, FV.data()); break;
    case 3: VerticalAvx2<3>(Rows, W, FSpan, FV.data()); break;
    default: VerticalAvx2<4>(Rows, W, FSpan, FV.data()); break;
  }
  HorizontalAvx2(FV.data(), FFastFirst.data(), FFastW.data(), FVisW, Out);
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
