// A small console demonstration of orvkit's number text conversion.
#include <orvkit.h>

#include <cstdio>
#include <tuple>

namespace {

void ShowScan(const orv::String& Text, int SepMode) {
  int Pos = 1;
  const double Value = orv::ScanFloatNumber(Text, true, SepMode, Pos);
  const bool Whole = Pos == static_cast<int>(Text.size()) + 1;
  std::printf("scan \"%s\"%*s mode %d -> %s %s\n", orv::ToUtf8(Text).c_str(), 12 - static_cast<int>(Text.size()), "", SepMode,
              orv::ToUtf8(orv::FormatRealText(16, -1, Value)).c_str(), Whole ? "(whole text)" : "(stopped early)");
}

}  // namespace

int main() {
  ShowScan(u"  -1,5e3", 3);
  ShowScan(u"  -1,5e3", 1);
  ShowScan(u"1E5000", 1);
  ShowScan(u"1.5.", 1);

  int Pos = 1;
  std::printf("hex \"$FFFFFFFF\" -> %d\n", orv::ScanHexNumber(u"$FFFFFFFF", Pos));
  Pos = 1;
  std::printf("dec \"4294967297\" -> %d\n", orv::ScanDecInteger(u"4294967297", Pos));

  for (const auto& [Width, Decimals, Value] : {std::tuple{12, -2, 1234.5L}, std::tuple{12, -2, 1e150L},
                                               std::tuple{1, 2, 3.14159L}, std::tuple{-6, 1, -1.5L},
                                               std::tuple{14, -1, 6.02214076e23L}}) {
    std::printf("FormatRealText(%d, %d, %Lg) = \"%s\"\n", Width, Decimals, Value,
                orv::ToUtf8(orv::FormatRealText(Width, Decimals, Value)).c_str());
  }
  std::printf("HexDigitsText(255, 8) = %s, OctDigitsText(8, 0) = %s, BinDigitsText(5, 8) = %s\n",
              orv::ToUtf8(orv::HexDigitsText(255, 8)).c_str(), orv::ToUtf8(orv::OctDigitsText(8, 0)).c_str(),
              orv::ToUtf8(orv::BinDigitsText(5, 8)).c_str());
  return 0;
}
