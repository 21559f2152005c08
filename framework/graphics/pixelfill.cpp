#include "framework/graphics/pixelfill.h"

#include <algorithm>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define ORV_FILL_AVX2 1
#endif

namespace orv {

namespace {

#ifdef ORV_FILL_AVX2
// 32-byte stores: one unaligned store covers the ragged head, aligned pairs
// the body and one unaligned store ending at the last pixel the tail (the
// stores may overlap, which is harmless for a fill). Count >= 8.
__attribute__((target("avx2"))) void FillPixelsAvx2(uint32_t* P, size_t Count, uint32_t Pixel) {
  const __m256i V = _mm256_set1_epi32(static_cast<int>(Pixel));
  uint32_t* const End = P + Count;
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(P), V);
  auto* A = reinterpret_cast<uint32_t*>((reinterpret_cast<uintptr_t>(P) + 32) & ~uintptr_t{31});
  for (; End - A >= 16; A += 16) {
    _mm256_store_si256(reinterpret_cast<__m256i*>(A), V);
    _mm256_store_si256(reinterpret_cast<__m256i*>(A + 8), V);
  }
  if (End - A >= 8) _mm256_store_si256(reinterpret_cast<__m256i*>(A), V);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(End - 8), V);
}

const bool kHasAvx2 = __builtin_cpu_supports("avx2");
#endif

}  // namespace

// On x86-64 long runs use the string store instruction: processors with fast
// string operations write whole cache lines without first reading them, which
// plain vector stores cannot, so a large fill runs at the speed of memset.
// Shorter runs (the spans of shapes) take aligned 256-bit stores where the
// processor has them, several times the speed of the compiler's 128-bit loop
// on spans that miss the first-level cache.
void FillPixelRun(uint32_t* P, size_t Count, uint32_t Pixel) {
#ifdef ORV_FILL_AVX2
  constexpr size_t kStringStoreMin = 4096;
  if (Count >= kStringStoreMin) {
    asm volatile("rep stosl" : "+D"(P), "+c"(Count) : "a"(Pixel) : "memory");
    return;
  }
  if (kHasAvx2) {
    FillPixelsAvx2(P, Count, Pixel);
    return;
  }
#endif
  std::fill_n(P, Count, Pixel);
}

}  // namespace orv
