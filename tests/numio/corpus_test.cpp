// The decimal scanner against an outside corpus of number texts with their
// correctly rounded binary values ("f16 f32 f64 f128 text" per line).
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "framework/rtl/unicode.h"
#include "numio/numio.h"

namespace orv {
namespace {

constexpr uint64_t kPositiveInfinity = 0x7FF0000000000000u;
constexpr uint64_t kNegativeInfinity = 0xFFF0000000000000u;

// The exponent value a text carries, saturated; texts whose exponent is
// beyond what the scanner takes are read differently on purpose.
long ExponentMagnitude(const std::string& Text) {
  const size_t Mark = Text.find_first_of("eE");
  if (Mark == std::string::npos) return 0;
  long Value = 0;
  for (size_t I = Mark + 1; I < Text.size(); ++I) {
    if (Text[I] >= '0' && Text[I] <= '9') Value = Value > 100000 ? Value : Value * 10 + (Text[I] - '0');
  }
  return Value;
}

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
      if (ExponentMagnitude(Text) > 4200) continue;
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

}  // namespace
}  // namespace orv
