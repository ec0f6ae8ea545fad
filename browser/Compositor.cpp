// Copying revealed runs and blending whole frames for the page transitions.
#include "browser/Compositor.h"

#include <algorithm>
#include <cstring>

#include "browser/VectorUnit.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

void TDirtyRect::Include(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (left >= right || top >= bottom) return;
  if (Empty()) {
    *this = {left, top, right, bottom};
    return;
  }
  Left = std::min(Left, left);
  Top = std::min(Top, top);
  Right = std::max(Right, right);
  Bottom = std::max(Bottom, bottom);
}

void CopyNewSpans(const TPixelSpans& before, const TPixelSpans& now, const uint32_t* sourceRow,
                  uint32_t* targetRow, int32_t y, TDirtyRect& changed) {
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
  if (left < right) changed.Include(left, y, right, y + 1);
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

// The vector kernels: one source, BlendKernel.inc, compiled once for each vector width with the
// processor features of that width, each in a namespace of its own.
#if defined(__x86_64__) || defined(__i386__)

// Streaming stores: the blended frame goes to memory without the target's old contents being
// read into the cache first, which saves a third of a blend's memory traffic. The frames are far
// larger than the caches, so nothing that would be read again soon is pushed out by them.
namespace BlendSse2 {
typedef uint16_t TLanes __attribute__((vector_size(16)));
inline void Stream(uint32_t* out, TLanes v) { _mm_stream_si128(reinterpret_cast<__m128i*>(out), reinterpret_cast<__m128i>(v)); }
#include "browser/BlendKernel.inc"
}  // namespace BlendSse2

#pragma GCC push_options
#pragma GCC target("avx2")
namespace BlendAvx2 {
typedef uint16_t TLanes __attribute__((vector_size(32)));
inline void Stream(uint32_t* out, TLanes v) { _mm256_stream_si256(reinterpret_cast<__m256i*>(out), reinterpret_cast<__m256i>(v)); }
#include "browser/BlendKernel.inc"
}  // namespace BlendAvx2
#pragma GCC pop_options

#pragma GCC push_options
#pragma GCC target("avx512bw")
namespace BlendAvx512 {
typedef uint16_t TLanes __attribute__((vector_size(64)));
inline void Stream(uint32_t* out, TLanes v) { _mm512_stream_si512(reinterpret_cast<__m512i*>(out), reinterpret_cast<__m512i>(v)); }
#include "browser/BlendKernel.inc"
}  // namespace BlendAvx512
#pragma GCC pop_options

#else

namespace BlendPortable {
typedef uint16_t TLanes __attribute__((vector_size(16)));
inline void Stream(uint32_t* out, TLanes v) { std::memcpy(out, &v, sizeof v); }
#include "browser/BlendKernel.inc"
}  // namespace BlendPortable

#endif

using TBlendFunction = void (*)(const uint32_t*, const uint32_t*, uint32_t*, size_t, uint32_t);

TBlendFunction BlendFunctionOf(TVectorUnit unit) {
#if defined(__x86_64__) || defined(__i386__)
  switch (unit) {
    case TVectorUnit::Avx512: return BlendAvx512::Blend;
    case TVectorUnit::Avx2: return BlendAvx2::Blend;
    default: return BlendSse2::Blend;
  }
#else
  (void)unit;
  return BlendPortable::Blend;
#endif
}

}  // namespace

void BlendPixels(const uint32_t* oldPixels, const uint32_t* newPixels, uint32_t* target,
                 size_t count, uint32_t weight) {
  BlendFunctionOf(WidestVectorUnit())(oldPixels, newPixels, target, count, weight);
}
