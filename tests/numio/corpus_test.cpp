// The decimal scanner against an outside corpus of number texts with their
// correctly rounded binary values ("f16 f32 f64 f128 text" per line).
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "framework/rtl/unicode.h"
#include "numio/numio.h"

namespace orv {
namespace {

constexpr uint64_t kPositiveInfinity = 0x7FF0000000000000u;
constexpr uint64_t kNegativeInfinity = 0xFFF0000000000000u;

TEST(ScanFloatNumberCorpus, WholeTextsGiveTheCorrectlyRoundedDouble) {
  const std::filesystem::path Folder = std::filesystem::path(ORV_TESTDATA_DIR) / "number-corpus";
  ASSERT_TRUE(std::filesystem::is_directory(Folder)) << Folder;
  long Checked = 0;
  long Clamped = 0;
  long Mismatches = 0;
  for (const auto& Entry : std::filesystem::directory_iterator(Folder)) {
    if (Entry.path().extension() != ".txt") continue;
    std::ifstream File(Entry.path());
    std::string Line;
    while (std::getline(File, Line)) {
      std::istringstream Fields(Line);
      std::string F16, F32, F64, F128, Text;
      if (!(Fields >> F16 >> F32 >> F64 >> F128 >> Text)) continue;
      const String Wide = FromUtf8(Text);
      int Pos = 1;
      const double Value = ScanFloatNumber(Wide, true, 1, Pos);
      if (Pos != static_cast<int>(Wide.size()) + 1) continue;
      uint64_t Expected = std::stoull(F64, nullptr, 16);
      if (Expected == kPositiveInfinity || Expected == kNegativeInfinity) {
        Expected = std::bit_cast<uint64_t>(Expected == kPositiveInfinity ? uc_MaxDouble : -uc_MaxDouble);
        ++Clamped;
      }
      ++Checked;
      if (std::bit_cast<uint64_t>(Value) != Expected && ++Mismatches <= 20) {
        ADD_FAILURE() << Entry.path().filename() << ": " << Text << " gave " << std::hex
                      << std::bit_cast<uint64_t>(Value) << ", expected " << Expected;
      }
      // The same number followed by a terminator takes the general path.
      Pos = 1;
      const double Terminated = ScanFloatNumber(Wide + u";", true, 1, Pos);
      if ((std::bit_cast<uint64_t>(Terminated) != Expected || Pos != static_cast<int>(Wide.size()) + 1) &&
          ++Mismatches <= 20) {
        ADD_FAILURE() << Entry.path().filename() << ": " << Text << "; gave " << std::hex
                      << std::bit_cast<uint64_t>(Terminated) << ", expected " << Expected;
      }
    }
  }
  EXPECT_EQ(Mismatches, 0);
  // The corpus holds some 21,000 cases; nearly all are plain decimal texts.
  EXPECT_GT(Checked, 19000);
  EXPECT_GT(Clamped, 0);
  RecordProperty("checked", static_cast<int>(Checked));
  std::printf("number corpus: %ld texts checked, %ld clamped overflows\n", Checked, Clamped);
}

// Shortest texts of random doubles, stretched by thousands of zeros that the
// exponent cancels: "d.ddd" becomes "dddd000...0e-N" and "0.000...0dddde+N".
// Each must still read as the double it came from.
TEST(ScanFloatNumberCorpus, StretchedTextsGiveTheSameDouble) {
  std::mt19937_64 Rng(20261210);
  std::uniform_int_distribution<int> Zeros(0, 6000);
  for (int K = 0; K < 300; ++K) {
    double X;
    do X = std::bit_cast<double>(Rng()); while (!std::isfinite(X) || X == 0);
    char Buf[64];
    const auto End = std::to_chars(Buf, Buf + sizeof Buf, X, std::chars_format::scientific).ptr;
    // "-d.ddde±x" into sign, digits and exponent.
    const std::string Short(Buf, End);
    const bool Negative = Short[0] == '-';
    const size_t E = Short.find('e');
    std::string Digits;
    for (size_t I = Negative ? 1 : 0; I < E; ++I)
      if (Short[I] != '.') Digits += Short[I];
    const long Exp = std::stol(Short.substr(E + 1));  // value = d.ddd x 10^Exp
    const int N = Zeros(Rng);
    const long Frac = static_cast<long>(Digits.size()) - 1;
    const std::string Sign = Negative ? "-" : "";
    const std::string Texts[] = {
        Sign + Digits + std::string(static_cast<size_t>(N), '0') + "e" + std::to_string(Exp - Frac - N),
        Sign + "0." + std::string(static_cast<size_t>(N), '0') + Digits + "E" + std::to_string(Exp + N + 1),
    };
    for (const std::string& Text : Texts) {
      const String Wide = FromUtf8(Text);
      int Pos = 1;
      const double Value = ScanFloatNumber(Wide, true, 1, Pos);
      ASSERT_EQ(Pos, static_cast<int>(Wide.size()) + 1) << Short;
      ASSERT_EQ(std::bit_cast<uint64_t>(Value), std::bit_cast<uint64_t>(X)) << Short << " stretched by " << N;
    }
  }
}

}  // namespace
}  // namespace orv
