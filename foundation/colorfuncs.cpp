#include "foundation/colorfuncs.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

uint8_t RoundChannel(double V) {
  // nearbyint rounds halves to even in the default rounding mode.
  return static_cast<uint8_t>(std::clamp(std::nearbyint(V * 255.0), 0.0, 255.0));
}

double HueToChannel(double P, double Q, double T) {
  if (T < 0) T += 1;
  if (T > 1) T -= 1;
  if (T < 1.0 / 6) return P + (Q - P) * 6 * T;
  if (T < 0.5) return Q;
  if (T < 2.0 / 3) return P + (Q - P) * (2.0 / 3 - T) * 6;
  return P;
}

}  // namespace

void SchemeLineColors(TColorScheme Scheme, TColor& Gray, TColor& White) {
  Gray = Scheme == csFixed ? TColor{0x808080} : clBtnShadow;
  White = Scheme == csFixed ? TColor{0xFFFFFF} : clBtnHighlight;
}

int ColorToGray(TColor Color) {
  const TColor C = ColorToRGB(Color);
  return (GetRValue(C) * 30 + GetGValue(C) * 59 + GetBValue(C) * 11) / 100;
}

TColor MeanColor(TColor C1, TColor C2) {
  const TColor A = ColorToRGB(C1);
  const TColor B = ColorToRGB(C2);
  return RGB(static_cast<uint8_t>((GetRValue(A) + GetRValue(B)) / 2),
             static_cast<uint8_t>((GetGValue(A) + GetGValue(B)) / 2),
             static_cast<uint8_t>((GetBValue(A) + GetBValue(B)) / 2));
}

void ColorToHSL(TColor Color, double& H, double& S, double& L) {
  const TColor C = ColorToRGB(Color);
  const double R = GetRValue(C) / 255.0;
  const double G = GetGValue(C) / 255.0;
  const double B = GetBValue(C) / 255.0;
  const double Max = std::max({R, G, B});
  const double Min = std::min({R, G, B});
  const double Delta = Max - Min;
  L = (Max + Min) / 2;
  if (Delta == 0) {
    H = 0;
    S = 0;
    return;
  }
  S = L <= 0.5 ? Delta / (Max + Min) : Delta / (2 - Max - Min);
  if (Max == R)
    H = (G - B) / Delta;
  else if (Max == G)
    H = 2 + (B - R) / Delta;
  else
    H = 4 + (R - G) / Delta;
  H *= 60;
  if (H < 0) H += 360;
}

TColor HSLtoColor(double H, double S, double L) {
  if (!std::isfinite(H)) H = 0;
  S = std::isnan(S) ? 0 : std::clamp(S, 0.0, 1.0);
  L = std::isnan(L) ? 0 : std::clamp(L, 0.0, 1.0);
  H = std::fmod(H, 360.0);
  if (H < 0) H += 360;
  if (S == 0) {
    const uint8_t V = RoundChannel(L);
    return RGB(V, V, V);
  }
  const double Q = L < 0.5 ? L * (1 + S) : L + S - L * S;
  const double P = 2 * L - Q;
  const double T = H / 360;
  return RGB(RoundChannel(HueToChannel(P, Q, T + 1.0 / 3)), RoundChannel(HueToChannel(P, Q, T)),
             RoundChannel(HueToChannel(P, Q, T - 1.0 / 3)));
}

namespace {

// The 16 VGA colours, four more, then the system colours by index.
constexpr std::array<TColor, NumPredefinedColors> kPredefinedColors{
    clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray, clSilver, clRed, clLime,
    clYellow, clBlue, clFuchsia, clAqua, clWhite, clMoneyGreen, clSkyBlue, clCream, clMedGray,
    clScrollBar, clBackground, clActiveCaption, clInactiveCaption, clMenu, clWindow, clWindowFrame,
    clMenuText, clWindowText, clCaptionText, clActiveBorder, clInactiveBorder, clAppWorkSpace,
    clHighlight, clHighlightText, clBtnFace, clBtnShadow, clGrayText, clBtnText,
    clInactiveCaptionText, clBtnHighlight, cl3DDkShadow, cl3DLight, clInfoText, clInfoBk,
    clHotLight, clGradientActiveCaption,
};

// Each entry is named as ColorToString names it, so the two never disagree.
std::array<TPredefinedColor, NumPredefinedColors> NamePredefinedColors() {
  std::array<TPredefinedColor, NumPredefinedColors> Named;
  for (size_t I = 0; I < Named.size(); ++I) Named[I] = {kPredefinedColors[I], ColorToString(kPredefinedColors[I])};
  return Named;
}

}  // namespace

const std::array<TPredefinedColor, NumPredefinedColors> PredefinedColors = NamePredefinedColors();

}  // namespace orv
