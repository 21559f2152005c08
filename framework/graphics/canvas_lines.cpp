// TCanvas lines: one-pixel Bresenham lines with dash patterns, and wide
// strokes as the union of round-capped segments.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "framework/graphics/canvas.h"
#include "framework/graphics/canvas_pixelops.h"

namespace orv {

using namespace pixelops;

namespace {

__extension__ using Int128 = __int128;

// Dash patterns in pixels, alternating on and off, starting with on.
struct TDashPattern {
  int Count;
  int Lengths[6];
};

const TDashPattern* DashPattern(TPenStyle Style) {
  static constexpr TDashPattern Dash{2, {18, 6}};
  static constexpr TDashPattern Dot{2, {3, 3}};
  static constexpr TDashPattern DashDot{4, {9, 6, 3, 6}};
  static constexpr TDashPattern DashDotDot{6, {9, 3, 3, 3, 3, 3}};
  switch (Style) {
    case psDash: return &Dash;
    case psDot: return &Dot;
    case psDashDot: return &DashDot;
    case psDashDotDot: return &DashDotDot;
    default: return nullptr;
  }
}

bool DashOn(const TDashPattern& P, int Phase) {
  int Period = 0;
  for (int I = 0; I < P.Count; ++I) Period += P.Lengths[I];
  int T = Phase % Period;
  for (int I = 0; I < P.Count; ++I) {
    if (T < P.Lengths[I]) return I % 2 == 0;
    T -= P.Lengths[I];
  }
  return false;
}

}  // namespace

void TCanvas::MoveTo(int X, int Y) {
  FPenPos = TPoint{X, Y};
  FDashPhase = 0;
}

void TCanvas::LineTo(int X, int Y) {
  if (PenVisible()) {
    if (FPen.Width() > 1) {
      const TPoint Path[2] = {FPenPos, TPoint{X, Y}};
      StrokePath(Path, false);
    } else {
      ThinLine(FPenPos.X, FPenPos.Y, X, Y);
    }
  }
  FPenPos = TPoint{X, Y};
}

void TCanvas::Polyline(std::span<const TPoint> Points) {
  if (Points.empty()) return;
  if (PenVisible()) {
    if (FPen.Width() > 1) {
      StrokePath(Points, false);
    } else {
      FDashPhase = 0;
      for (size_t I = 1; I < Points.size(); ++I)
        ThinLine(Points[I - 1].X, Points[I - 1].Y, Points[I].X, Points[I].Y);
    }
  }
}

void TCanvas::ThinLine(int X1, int Y1, int X2, int Y2) {
  if (FTarget == nullptr) return;
  const int64_t DX = int64_t{X2} - X1, DY = int64_t{Y2} - Y1;
  const int64_t ADX = DX < 0 ? -DX : DX, ADY = DY < 0 ? -DY : DY;
  const int64_t N = std::max(ADX, ADY);  // pixels drawn: the end point is left out
  if (N == 0) return;
  const bool XMajor = ADX >= ADY;
  const int64_t A = XMajor ? ADY : ADX;  // minor extent
  const int SMajor = (XMajor ? DX : DY) < 0 ? -1 : 1;
  const int SMinor = (XMajor ? DY : DX) < 0 ? -1 : 1;

  const TDashPattern* Dash = DashPattern(FPen.Style());
  int Period = 0;
  if (Dash != nullptr)
    for (int I = 0; I < Dash->Count; ++I) Period += Dash->Lengths[I];
  const int64_t Phase = FDashPhase;
  // The pattern runs on over the whole line, seen or not.
  if (Dash != nullptr) FDashPhase = static_cast<int>((Phase + N) % Period);

  // Pixel i lies at minor offset m(i) = ceil(i*A/N - 1/2): where the ideal
  // line is exactly halfway, the pixel nearer the start wins; exactly,
  // m(i) = (2*i*A + N - 1) div (2*N), which never decreases with i.
  // Clip first: the range of i whose pixel lies inside the clip, from the
  // major axis directly and from the minor axis by inverting m; only that
  // part of the line is walked.
  const TRect C = DeviceClip();
  if (C.IsEmpty()) return;
  const int64_t MajorStart = XMajor ? int64_t{X1} + FOrigin.X : int64_t{Y1} + FOrigin.Y;
  const int64_t MinorStart = XMajor ? int64_t{Y1} + FOrigin.Y : int64_t{X1} + FOrigin.X;
  const int64_t MajLo = XMajor ? C.Left : C.Top, MajHi = (XMajor ? C.Right : C.Bottom) - 1;
  const int64_t MinLo = XMajor ? C.Top : C.Left, MinHi = (XMajor ? C.Bottom : C.Right) - 1;
  int64_t ILo = 0, IHi = N - 1;
  if (SMajor > 0) {
    ILo = std::max(ILo, MajLo - MajorStart);
    IHi = std::min(IHi, MajHi - MajorStart);
  } else {
    ILo = std::max(ILo, MajorStart - MajHi);
    IHi = std::min(IHi, MajorStart - MajLo);
  }
  const int64_t MLo = std::max<int64_t>(0, SMinor > 0 ? MinLo - MinorStart : MinorStart - MinHi);
  const int64_t MHi = SMinor > 0 ? MinHi - MinorStart : MinorStart - MinLo;
  if (MHi < MLo || ILo > IHi) return;
  if (A == 0) {
    if (MLo > 0) return;  // m(i) is 0 all along
  } else {
    // m(i) >= MLo  <=>  2*i*A >= 2*N*MLo - N + 1, and
    // m(i) <= MHi  <=>  2*i*A <= 2*N*(MHi + 1) - N; the products need 128 bits.
    const Int128 TwoA = 2 * A;
    const Int128 First = Int128{2} * N * MLo - N + 1;
    const Int128 Last = Int128{2} * N * (Int128{MHi} + 1) - N;
    const Int128 IFirst = First <= 0 ? 0 : (First + TwoA - 1) / TwoA;
    const Int128 ILast = Last < 0 ? -1 : Last / TwoA;
    if (IFirst > ILo) ILo = IFirst > IHi ? IHi + 1 : static_cast<int64_t>(IFirst);
    if (ILast < IHi) IHi = ILast < ILo ? ILo - 1 : static_cast<int64_t>(ILast);
  }
  if (ILo > IHi) return;

  const uint32_t Pen = PenPixel();
  const bool GapsFilled = Dash != nullptr && BrushVisible();
  const uint32_t Gap = GapsFilled ? BrushPixel() : 0;
  const TPenMode Mode = FPen.Mode();
  // m(ILo) and the remainder of its division, then one Bresenham step per pixel.
  const Int128 Start = Int128{2} * ILo * A + N - 1;
  int64_t Minor = static_cast<int64_t>(Start / (2 * N));
  int64_t Rem = static_cast<int64_t>(Start % (2 * N));
  for (int64_t I = ILo; I <= IHi; ++I) {
    const int64_t Maj = MajorStart + I * SMajor;
    const int64_t Min = MinorStart + Minor * SMinor;
    const int64_t PX = XMajor ? Maj : Min, PY = XMajor ? Min : Maj;
    bool Draw = true;
    uint32_t Color = Pen;
    if (Dash != nullptr && !DashOn(*Dash, static_cast<int>((Phase + I) % Period))) {
      Draw = GapsFilled;
      Color = Gap;
    }
    if (Draw && PX >= C.Left && PX < C.Right && PY >= C.Top && PY < C.Bottom) {
      uint32_t& D = FTarget->ScanLine(static_cast<int>(PY))[PX];
      D = Mode == pmCopy ? Color : PenMode(Mode, Color, D);
    }
    Rem += 2 * A;
    if (Rem >= 2 * N) {
      Rem -= 2 * N;
      ++Minor;
    }
  }
}

// Wide pens: every pixel whose centre lies within Width/2 of a segment of the
// path. Odd widths put the ideal path through pixel centres, even widths
// through the top-left corners of the pixels, so a horizontal stroke covers
// exactly Width rows. Each pixel is combined once even where segments meet.
void TCanvas::StrokePath(std::span<const TPoint> Points, bool Closed) {
  if (Points.empty() || FTarget == nullptr) return;
  const int W = FPen.Width();
  const double R = W / 2.0;
  const double Shift = (W % 2 == 0) ? -0.5 : 0.0;
  const double Eps = 1e-9;

  struct TSeg {
    double AX, AY, BX, BY;
  };
  std::vector<TSeg> Segs;
  const size_t Count = Points.size();
  const size_t SegCount = Count == 1 ? 1 : (Closed ? Count : Count - 1);
  for (size_t I = 0; I < SegCount; ++I) {
    const TPoint& A = Points[I];
    const TPoint& B = Points[(I + 1) % Count];
    Segs.push_back(TSeg{A.X + Shift, A.Y + Shift, B.X + Shift, B.Y + Shift});
  }
  double MinY = Segs[0].AY, MaxY = Segs[0].AY;
  for (const TSeg& S : Segs) {
    MinY = std::min({MinY, S.AY, S.BY});
    MaxY = std::max({MaxY, S.AY, S.BY});
  }
  // Only the rows and columns the clip shows are worked out; the bounds are
  // taken in floating point before any conversion, so ends far outside int
  // never overflow.
  const TRect C = DeviceClip();
  if (C.IsEmpty()) return;
  const double VisL = static_cast<double>(int64_t{C.Left} - FOrigin.X);
  const double VisR = static_cast<double>(int64_t{C.Right} - 1 - FOrigin.X);
  const double TopD = std::max(std::ceil(MinY - R - Eps), static_cast<double>(int64_t{C.Top} - FOrigin.Y));
  const double BottomD = std::min(std::floor(MaxY + R + Eps), static_cast<double>(int64_t{C.Bottom} - 1 - FOrigin.Y));
  if (TopD > BottomD) return;
  const int Top = static_cast<int>(TopD), Bottom = static_cast<int>(BottomD);
  const uint32_t Pen = PenPixel();

  std::vector<std::pair<double, double>> Spans;
  for (int Y = Top; Y <= Bottom; ++Y) {
    Spans.clear();
    for (const TSeg& S : Segs) {
      double Lo = 1e300, Hi = -1e300;
      // Round caps: the disks around both ends.
      for (const auto& [CX, CY] : {std::pair{S.AX, S.AY}, std::pair{S.BX, S.BY}}) {
        const double DY = Y - CY;
        const double Q = R * R - DY * DY;
        if (Q < -Eps) continue;
        const double H = std::sqrt(std::max(Q, 0.0));
        Lo = std::min(Lo, CX - H);
        Hi = std::max(Hi, CX + H);
      }
      // The body: projection onto the segment within [0, 1] and distance to
      // its line within R, both linear in x.
      const double DX = S.BX - S.AX, DY = S.BY - S.AY;
      const double L2 = DX * DX + DY * DY;
      if (L2 > 0) {
        const double L = std::sqrt(L2);
        double BLo = -1e300, BHi = 1e300;
        const double Proj0 = (Y - S.AY) * DY;  // projection numerator at x = AX
        if (DX != 0) {
          double T0 = S.AX + (0 - Proj0) / DX, T1 = S.AX + (L2 - Proj0) / DX;
          if (T0 > T1) std::swap(T0, T1);
          BLo = std::max(BLo, T0);
          BHi = std::min(BHi, T1);
        } else if (Proj0 < -Eps || Proj0 > L2 + Eps) {
          BLo = 1, BHi = 0;
        }
        const double Cross0 = -(Y - S.AY) * DX;  // (x - AX)*DY - (y - AY)*DX at x = AX
        if (DY != 0) {
          double T0 = S.AX + (-R * L - Cross0) / DY, T1 = S.AX + (R * L - Cross0) / DY;
          if (T0 > T1) std::swap(T0, T1);
          BLo = std::max(BLo, T0);
          BHi = std::min(BHi, T1);
        } else if (std::abs(Cross0) > R * L + Eps) {
          BLo = 1, BHi = 0;
        }
        if (BLo <= BHi) {
          Lo = std::min(Lo, BLo);
          Hi = std::max(Hi, BHi);
        }
      }
      if (Lo <= Hi) Spans.emplace_back(Lo, Hi);
    }
    if (Spans.empty()) continue;
    std::sort(Spans.begin(), Spans.end());
    // Merge overlapping pixel ranges, then combine each range once.
    int CurL = 0, CurR = -1;
    bool Open = false;
    for (const auto& [Lo, Hi] : Spans) {
      const int PL = static_cast<int>(std::ceil(std::max(Lo, VisL - 1) - Eps));
      const int PR = static_cast<int>(std::floor(std::min(Hi, VisR + 1) + Eps));
      if (PL > PR) continue;
      if (Open && PL <= CurR + 1) {
        CurR = std::max(CurR, PR);
      } else {
        if (Open) CombineSpan(Y, CurL, CurR, Pen);
        CurL = PL;
        CurR = PR;
        Open = true;
      }
    }
    if (Open) CombineSpan(Y, CurL, CurR, Pen);
  }
}

}  // namespace orv
