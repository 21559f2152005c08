#pragma once
// Area-average reduction used by the HALFTONE stretch mode: each destination
// pixel is the mean of the source area it covers, every source pixel weighted
// by the length of its overlap in each direction.
//
// The weights are 16-bit fixed point and sum to exactly 65536 per destination
// pixel in each direction. Rows are averaged in two passes: a horizontal pass
// turns each source row into one value per destination column (blue and red
// share one 64-bit multiply, green takes a 32-bit one; with AVX2 two pixels'
// channels go through one vector multiply), and a vertical pass
// accumulates those rows with their row weights. A source row that borders
// two destination rows is reduced once and reused. The result is the rounded
// weighted sum (sum + 2^31) >> 32 per channel, with no division per pixel.
//
// Where both directions need at most eight taps and the processor has AVX2,
// a shorter route runs the passes the other way round on the same weights:
// the vertical pass sums the weighted rows of each source column in 32-bit
// lanes (exact: below 2^24 per channel), the horizontal pass takes those
// sums times the column weights in 64-bit lanes. The sums are the same
// integers in another order, so both routes give identical pixels.

#include <cstdint>
#include <vector>

#include "framework/graphics/bitmap.h"

namespace orv::stretch {

// Fixed-point area weights of one direction: destination index I takes
// Count[I] source indices from First[I] with the weights Weights[Offset[I]..].
struct TAreaTaps {
  std::vector<int> First;
  std::vector<int> Count;
  std::vector<uint32_t> Offset;
  std::vector<uint32_t> Weights;
};

// Weights of destination pixels First .. First + Count - 1 of DstLen over
// SrcLen source pixels starting at SrcStart; Flip mirrors the destination
// order. Needs DstLen, SrcLen > 0; source indices must fit an int.
TAreaTaps AreaTaps(int64_t DstLen, int64_t SrcStart, int64_t SrcLen, bool Flip, int64_t First, int Count);

// Produces destination rows of an area-average reduction of the SW x SH block
// at (SX, SY) of Src (which must lie wholly inside Src) to W x H, for the
// visible part: VisW columns from FirstCol and VisH rows from FirstRow.
class TAreaAverager {
 public:
  TAreaAverager(const TBitmap* Src, int SX, int SY, int SW, int SH, int64_t W, int64_t H, bool FlipX, bool FlipY,
                int64_t FirstCol, int VisW, int64_t FirstRow, int VisH);
  // Writes visible row K (0 .. VisH-1) into Out[0 .. VisW-1] as 0x00RRGGBB.
  // Rows are cheapest when asked for in order.
  void Row(int K, uint32_t* Out);

 private:
  // The horizontal pass of source row SrcRow into IntoBR / IntoG (VisW
  // entries), or into FH4 with AVX2.
  void ReduceRow(int SrcRow, uint64_t* IntoBR, uint32_t* IntoG);

  const TBitmap* FSrc;
  int FVisW;
  // Columns: FTaps taps each from FFirst[j], weights FWeights[j * FTaps ..].
  int FTaps = 1;
  std::vector<int> FFirst;
  std::vector<uint32_t> FWeights;
  // The same as pairs of taps for processors with 256-bit integer vectors:
  // FPairs pairs from FPairFirst[j], 8 lanes of weights per pair (0: unused).
  int FPairs = 0;
  std::vector<int> FPairFirst;
  std::vector<uint32_t> FPairWeights;
  std::vector<uint32_t> FH4;  // a reduced row as b, g, r, x per column
  std::vector<uint64_t> FSum4;
  TAreaTaps FY;
  std::vector<uint64_t> FBR, FSumB, FSumR, FSumG;  // per visible column
  std::vector<uint32_t> FG;
  int FCachedRow = -1;  // source row held in FBR / FG

  // The exact route (FFast): source columns FSrcLo .. FSrcLo + FSpan - 1
  // feed the visible columns; column j reads FFastTaps of them from
  // FFastFirst[j] (relative to FSrcLo) with the weights FFastW[j * FFastTaps ..];
  // FV holds the vertical pass of one row, b, g, r, x per column.
  bool FFast = false;
  int FFastTaps = 0, FSrcLo = 0, FSpan = 0;
  std::vector<int> FFastFirst;
  std::vector<uint32_t> FFastW;
  std::vector<uint32_t> FV;
  void SetUpFast(const TAreaTaps& X, int SX, int SW);
  void FastRow(int K, uint32_t* Out);
};

}  // namespace orv::stretch
