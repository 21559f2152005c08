#pragma once
// Basic value types shared by every orvkit layer.

#include <cstdint>
#include <functional>
#include <string>

namespace orv {

using Char = char16_t;
using String = std::u16string;  // UTF-16 text, as the components handle it
using TDateTime = double;       // days since 1899-12-30, time as the fraction
// 0x00BBGGRR for RGB colours; a top byte of 0xFF names a system colour.
using TColor = uint32_t;

class TObject;
using TNotifyEvent = std::function<void(TObject* Sender)>;

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// Right and bottom are exclusive: the rectangle covers Left..Right-1 x Top..Bottom-1.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(const TPoint& P) const { return P.X >= Left && P.X < Right && P.Y >= Top && P.Y < Bottom; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int X, int Y) { return TPoint{X, Y}; }

// The part A and B share; the all-zero rectangle when they do not overlap.
inline TRect IntersectRect(const TRect& A, const TRect& B) {
  const TRect R{A.Left > B.Left ? A.Left : B.Left, A.Top > B.Top ? A.Top : B.Top,
                A.Right < B.Right ? A.Right : B.Right, A.Bottom < B.Bottom ? A.Bottom : B.Bottom};
  return R.IsEmpty() ? TRect{} : R;
}

// The smallest rectangle holding both A and B.
inline TRect UnionRect(const TRect& A, const TRect& B) {
  return TRect{A.Left < B.Left ? A.Left : B.Left, A.Top < B.Top ? A.Top : B.Top,
               A.Right > B.Right ? A.Right : B.Right, A.Bottom > B.Bottom ? A.Bottom : B.Bottom};
}

inline bool RectsOverlap(const TRect& A, const TRect& B) {
  return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}
inline TRect Rect(int Left, int Top, int Right, int Bottom) { return TRect{Left, Top, Right, Bottom}; }

}  // namespace orv
