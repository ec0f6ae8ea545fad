// Copying revealed runs and blending whole frames for the page transitions.
#include "transitions/Compositor.h"

#include <algorithm>
#include <cstring>

#include "imaging/VectorUnit.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

void CopyNewSpans(const TPixelSpans& before, const TPixelSpans& now, const uint32_t* sourceRow,
                  uint32_t* targetRow, int32_t y, TRect& changed) {
  int32_t left = INT32_MAX, right = INT32_MIN;
  auto copy = [&](int32_t begin, int32_t end) {
    if (end - begin <= 8) {  // most runs of a frame are a pixel or two wide: no call for those
      for (int32_t x = begin; x < end; ++x) targetRow[x] = sourceRow[x];
    } else {
      std::memcpy(targetRow + begin, sourceRow + begin, static_cast<size_t>(end - begin) * 4);
    }
    left = std::min(left, begin);
    right = std::max(right, end);
  };
  int32_t j = 0;
  for (int32_t i = 0; i < now.Count; ++i) {
    int32_t cursor = now.Items[i].Begin;
    const int32_t end = now.Items[i].End;
    while (j < before.Count && before.Items[j].End <= cursor) ++j;
    for (int32_t k = j; k < before.Count && before.Items[k].Begin < end; ++k) {
      if (before.Items[k].Begin > cursor) copy(cursor, before.Items[k].Begin);
      cursor = std::max(cursor, before.Items[k].End);
    }
    if (cursor < end) copy(cursor, end);
  }
  if (left < right) changed = Union(changed, TRect::FromEdges(left, y, right, y + 1));
}

uint32_t FadeWeight(uint64_t progress) {
  return static_cast<uint32_t>((progress + (uint64_t{1} << 23)) >> 24);
}

namespace {

void BlendTail(const uint32_t* oldPixels, const uint32_t* newPixels, uint32_t* target, size_t count,
               uint32_t weight) {
  for (size_t i = 0; i < count; ++i) {  // channel by channel
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      const uint32_t sum = ((oldPixels[i] >> shift) & 255) * (256 - weight) + ((newPixels[i] >> shift) & 255) * weight;
      out |= ((sum + 128) >> 8) << shift;
    }
    target[i] = out;
  }
}

uint32_t Unpacked(const uint8_t* p) {
  return 0xFF000000u | static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16;
}

void BlendPackedTail(const uint8_t* oldPixels, const uint8_t* newPixels, uint32_t* target, size_t count,
                     uint32_t weight) {
  for (size_t i = 0; i < count; ++i) {
    const uint32_t a = Unpacked(oldPixels + 3 * i), b = Unpacked(newPixels + 3 * i);
    BlendTail(&a, &b, target + i, 1, weight);
  }
}

// Four packed pixels into 128 bits, one pixel at a time: for the units without a byte shuffle.
typedef uint16_t TLanes128 __attribute__((vector_size(16)));
inline TLanes128 LoadPackedOneByOne(const uint8_t* p) {
  uint32_t pixels[4];
  for (int j = 0; j < 4; ++j) pixels[j] = Unpacked(p + 3 * j) & 0xFFFFFFu;
  TLanes128 lanes;
  std::memcpy(&lanes, pixels, sizeof lanes);
  return lanes;
}

// The vector kernels: one source, BlendKernel.inc, compiled once for each vector width with the
// processor features of that width, each in a namespace of its own.
#if defined(__x86_64__) || defined(__i386__)

// Streaming stores: the blended frame goes to memory without the target's old contents being
// read into the cache first, which saves a third of a blend's memory traffic. The frames are far
// larger than the caches, so nothing that would be read again soon is pushed out by them.
namespace BlendSse2 {
using TLanes = TLanes128;
inline void Stream(uint32_t* out, TLanes v) { _mm_stream_si128(reinterpret_cast<__m128i*>(out), reinterpret_cast<__m128i>(v)); }
inline TLanes LoadPacked(const uint8_t* p) { return LoadPackedOneByOne(p); }  // SSE2 has no byte shuffle
#include "transitions/BlendKernel.inc"
}  // namespace BlendSse2

#pragma GCC push_options
#pragma GCC target("avx2")
namespace BlendAvx2 {
typedef uint16_t TLanes __attribute__((vector_size(32)));
inline void Stream(uint32_t* out, TLanes v) { _mm256_stream_si256(reinterpret_cast<__m256i*>(out), reinterpret_cast<__m256i>(v)); }
// Eight pixels from 24 bytes: each 128-bit half unpacks four of them from 16 loaded bytes.
inline TLanes LoadPacked(const uint8_t* p) {
  const __m256i bytes = _mm256_inserti128_si256(
      _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))),
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 12)), 1);
  const __m256i spread = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1,
                                          0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  return reinterpret_cast<TLanes>(_mm256_shuffle_epi8(bytes, spread));
}
#include "transitions/BlendKernel.inc"
}  // namespace BlendAvx2
#pragma GCC pop_options

#pragma GCC push_options
#pragma GCC target("avx512bw,avx512vbmi")
namespace BlendAvx512 {
typedef uint16_t TLanes __attribute__((vector_size(64)));
inline void Stream(uint32_t* out, TLanes v) { _mm512_stream_si512(reinterpret_cast<__m512i*>(out), reinterpret_cast<__m512i>(v)); }
// Sixteen pixels from 48 bytes: one load (of 64: PackedSlack covers the rest), one permutation.
inline TLanes LoadPacked(const uint8_t* p) {
  const __m512i bytes = _mm512_loadu_si512(p);
  // Byte 4j + c of the result is byte 3j + c of the pixels (the alpha bytes are masked off).
  const __m512i spread = _mm512_set_epi32(0x002F2E2D, 0x002C2B2A, 0x00292827, 0x00262524, 0x00232221, 0x00201F1E,
                                          0x001D1C1B, 0x001A1918, 0x00171615, 0x00141312, 0x0011100F, 0x000E0D0C,
                                          0x000B0A09, 0x00080706, 0x00050403, 0x00020100);
  return reinterpret_cast<TLanes>(_mm512_maskz_permutexvar_epi8(0x7777777777777777ull, spread, bytes));
}
#include "transitions/BlendKernel.inc"
}  // namespace BlendAvx512
#pragma GCC pop_options

#else

namespace BlendPortable {
using TLanes = TLanes128;
inline void Stream(uint32_t* out, TLanes v) { std::memcpy(out, &v, sizeof v); }
inline TLanes LoadPacked(const uint8_t* p) { return LoadPackedOneByOne(p); }
#include "transitions/BlendKernel.inc"
}  // namespace BlendPortable

#endif

#if defined(__x86_64__) || defined(__i386__)
namespace BlendBase = BlendSse2;
#else
namespace BlendBase = BlendPortable;
#endif

}  // namespace

void BlendPixels(const uint32_t* oldPixels, const uint32_t* newPixels, uint32_t* target,
                 size_t count, uint32_t weight) {
  switch (WidestVectorUnit()) {
#if defined(__x86_64__) || defined(__i386__)
    case TVectorUnit::Avx512: return BlendAvx512::BlendSpan(oldPixels, newPixels, target, count, weight);
    case TVectorUnit::Avx2: return BlendAvx2::BlendSpan(oldPixels, newPixels, target, count, weight);
#endif
    default: return BlendBase::BlendSpan(oldPixels, newPixels, target, count, weight);
  }
}

void BlendPackedPixels(const uint8_t* oldPixels, const uint8_t* newPixels, uint32_t* target, size_t count,
                       uint32_t weight) {
  switch (WidestVectorUnit()) {
#if defined(__x86_64__) || defined(__i386__)
    case TVectorUnit::Avx512: return BlendAvx512::BlendPackedSpan(oldPixels, newPixels, target, count, weight);
    case TVectorUnit::Avx2: return BlendAvx2::BlendPackedSpan(oldPixels, newPixels, target, count, weight);
#endif
    default: return BlendBase::BlendPackedSpan(oldPixels, newPixels, target, count, weight);
  }
}

