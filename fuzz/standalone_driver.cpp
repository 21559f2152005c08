// Runs a fuzz target without libFuzzer: first over every file named on the
// command line (a crash input, or every file of a named corpus folder), then
// over pseudo-random inputs
// built from a fixed seed, so a failure is reproducible run after run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

// Bytes that make parsers take interesting paths more often than uniform noise.
constexpr char kAlphabet[] = "0123456789+-.,eE $%&abcdefABCDEFxX\t\r\n\"';<>/=[]|";

std::vector<uint8_t> RandomInput(std::mt19937& rng) {
  std::uniform_int_distribution<int> length(0, 64);
  std::uniform_int_distribution<int> pick(0, 9);
  std::uniform_int_distribution<int> letter(0, sizeof(kAlphabet) - 2);
  std::uniform_int_distribution<int> byte(0, 255);
  std::vector<uint8_t> input(static_cast<size_t>(length(rng)));
  for (auto& b : input) {
    b = pick(rng) < 8 ? static_cast<uint8_t>(kAlphabet[letter(rng)]) : static_cast<uint8_t>(byte(rng));
  }
  return input;
}

}  // namespace

int main(int argc, char** argv) {
  long iterations = 10000;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--iterations=", 13) == 0) {
      iterations = std::strtol(argv[i] + 13, nullptr, 10);
      continue;
    }
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(argv[i])) {
      for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
        if (entry.is_regular_file()) files.push_back(entry.path());
    } else {
      files.emplace_back(argv[i]);
    }
    for (const auto& path : files) {
      std::ifstream file(path, std::ios::binary);
      std::vector<uint8_t> input((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
      LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%zu inputs from %s run\n", files.size(), argv[i]);
  }
  std::mt19937 rng(20261208);
  for (long i = 0; i < iterations; ++i) {
    const std::vector<uint8_t> input = RandomInput(rng);
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
  std::printf("%ld random inputs run\n", iterations);
  return 0;
}
