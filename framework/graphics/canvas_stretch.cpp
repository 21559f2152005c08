// Area-average reduction in fixed point (the HALFTONE stretch mode).

#include "framework/graphics/canvas_stretch.h"

#include <algorithm>

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
    : FSrc(Src),
      FVisW(VisW),
      FX(AreaTaps(W, SX, SW, FlipX, FirstCol, VisW)),
      FY(AreaTaps(H, SY, SH, FlipY, FirstRow, VisH)) {
  const auto V = static_cast<size_t>(VisW);
  FBR.resize(V);
  FG.resize(V);
  FSumB.resize(V);
  FSumG.resize(V);
  FSumR.resize(V);
}

void TAreaAverager::ReduceRow(int SrcRow, uint64_t* IntoBR, uint32_t* IntoG) {
  const uint32_t* Line = FSrc->ScanLine(SrcRow);
  const uint32_t* Weights = FX.Weights.data();
  for (int J = 0; J < FVisW; ++J) {
    const auto Col = static_cast<size_t>(J);
    const uint32_t* P = Line + FX.First[Col];
    const uint32_t* Wt = Weights + FX.Offset[Col];
    const int N = FX.Count[Col];
    // Blue in bits 0..31 and red in bits 32..63: each sum stays below 2^24.
    uint64_t BR = 0;
    uint32_t G = 0;
    for (int K = 0; K < N; ++K) {
      const uint32_t Px = P[K], W = Wt[K];
      BR += W * ((Px & 0xFFu) | (static_cast<uint64_t>(Px & 0xFF0000u) << 16));
      G += W * ((Px >> 8) & 0xFFu);
    }
    IntoBR[Col] = BR;
    IntoG[Col] = G;
  }
}

void TAreaAverager::Row(int K0, uint32_t* Out) {
  const auto Idx = static_cast<size_t>(K0);
  const auto V = static_cast<size_t>(FVisW);
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
  constexpr uint64_t Half = uint64_t{1} << 31;
  auto Channel = [](uint64_t Sum) { return static_cast<uint32_t>(std::min<uint64_t>((Sum + Half) >> 32, 255)); };
  for (size_t J = 0; J < V; ++J)
    Out[J] = Channel(FSumB[J]) | Channel(FSumG[J]) << 8 | Channel(FSumR[J]) << 16;
}

}  // namespace orv::stretch
