// Number text conversion next to the standard library's conversions on the
// same inputs: ScanFloatNumber vs std::from_chars, FormatRealText vs snprintf.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "numio/numio.h"

namespace {

constexpr size_t kTexts = 1000000;

// Integers, fractions, exponents and negatives in equal shares.
const std::vector<std::string>& NarrowTexts() {
  static const std::vector<std::string> Texts = [] {
    std::mt19937_64 Rng(1234);
    std::uniform_real_distribution<double> Unit(0.0, 1.0);
    std::uniform_int_distribution<int> Exp(-300, 300);
    std::vector<std::string> Result;
    Result.reserve(kTexts);
    char Buf[64];
    for (size_t I = 0; I < kTexts; ++I) {
      int N = 0;
      switch (I % 4) {
        case 0:
          N = std::snprintf(Buf, sizeof(Buf), "%llu", static_cast<unsigned long long>(Rng() % 100000000));
          break;
        case 1:
          N = std::snprintf(Buf, sizeof(Buf), "%.*f", static_cast<int>(Rng() % 10), Unit(Rng) * 1000);
          break;
        case 2:
          N = std::snprintf(Buf, sizeof(Buf), "%.*e", static_cast<int>(Rng() % 17), Unit(Rng) * std::pow(10.0, Exp(Rng)));
          break;
        default:
          N = std::snprintf(Buf, sizeof(Buf), "-%.*g", static_cast<int>(1 + Rng() % 16), Unit(Rng) * 1e6);
          break;
      }
      Result.emplace_back(Buf, static_cast<size_t>(N));
    }
    return Result;
  }();
  return Texts;
}

const std::vector<orv::String>& WideTexts() {
  static const std::vector<orv::String> Texts = [] {
    std::vector<orv::String> Result;
    Result.reserve(kTexts);
    for (const std::string& T : NarrowTexts()) Result.emplace_back(T.begin(), T.end());
    return Result;
  }();
  return Texts;
}

const std::vector<double>& Values() {
  static const std::vector<double> V = [] {
    std::mt19937_64 Rng(99);
    std::uniform_real_distribution<double> Dist(-1e6, 1e6);
    std::vector<double> Result(kTexts);
    for (double& X : Result) X = Dist(Rng);
    return Result;
  }();
  return V;
}

void BM_ScanFloatNumber(benchmark::State& State) {
  const auto& Texts = WideTexts();
  size_t I = 0;
  for (auto _ : State) {
    int Pos = 1;
    benchmark::DoNotOptimize(orv::ScanFloatNumber(Texts[I], true, 1, Pos));
    benchmark::DoNotOptimize(Pos);
    if (++I == Texts.size()) I = 0;
  }
  State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_ScanFloatNumber);

void BM_FromChars(benchmark::State& State) {
  const auto& Texts = NarrowTexts();
  size_t I = 0;
  for (auto _ : State) {
    const std::string& T = Texts[I];
    double Value = 0;
    const auto R = std::from_chars(T.data(), T.data() + T.size(), Value);
    benchmark::DoNotOptimize(Value);
    benchmark::DoNotOptimize(R.ptr);
    if (++I == Texts.size()) I = 0;
  }
  State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_FromChars);

// The same texts packed end to end in one buffer per character width, so that
// both sides read memory in the same pattern: std::u16string keeps only 7
// characters inline and std::string 15, which puts most wide texts of the
// String vector on the heap and most narrow ones inside the vector.
template <class CharT>
struct TTextPool {
  std::basic_string<CharT> Chars;
  std::vector<std::pair<uint32_t, uint32_t>> Spans;  // offset, length
};

template <class CharT>
const TTextPool<CharT>& Pool() {
  static const TTextPool<CharT> P = [] {
    TTextPool<CharT> Result;
    Result.Spans.reserve(kTexts);
    for (const std::string& T : NarrowTexts()) {
      Result.Spans.emplace_back(static_cast<uint32_t>(Result.Chars.size()), static_cast<uint32_t>(T.size()));
      Result.Chars.append(T.begin(), T.end());
    }
    return Result;
  }();
  return P;
}

void BM_ScanFloatNumber_Packed(benchmark::State& State) {
  const auto& P = Pool<char16_t>();
  size_t I = 0;
  for (auto _ : State) {
    const auto [Offset, Length] = P.Spans[I];
    int Pos = 1;
    benchmark::DoNotOptimize(orv::ScanFloatNumber(std::u16string_view(P.Chars).substr(Offset, Length), true, 1, Pos));
    benchmark::DoNotOptimize(Pos);
    if (++I == P.Spans.size()) I = 0;
  }
  State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_ScanFloatNumber_Packed);

void BM_FromChars_Packed(benchmark::State& State) {
  const auto& P = Pool<char>();
  size_t I = 0;
  for (auto _ : State) {
    const auto [Offset, Length] = P.Spans[I];
    const char* First = P.Chars.data() + Offset;
    double Value = 0;
    const auto R = std::from_chars(First, First + Length, Value);
    benchmark::DoNotOptimize(Value);
    benchmark::DoNotOptimize(R.ptr);
    if (++I == P.Spans.size()) I = 0;
  }
  State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_FromChars_Packed);

void BM_FormatRealText(benchmark::State& State) {
  const auto& V = Values();
  size_t I = 0;
  for (auto _ : State) {
    benchmark::DoNotOptimize(orv::FormatRealText(1, 8, V[I]));
    if (++I == V.size()) I = 0;
  }
  State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_FormatRealText);

void BM_Snprintf(benchmark::State& State) {
  const auto& V = Values();
  size_t I = 0;
  char Buf[64];
  for (auto _ : State) {
    benchmark::DoNotOptimize(std::snprintf(Buf, sizeof(Buf), "%.8f", V[I]));
    benchmark::DoNotOptimize(Buf);
    if (++I == V.size()) I = 0;
  }
  State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_Snprintf);

}  // namespace

BENCHMARK_MAIN();
