// Resampling of decoded pictures to their laid-out size: a separable two-pass cubic filter,
// Catmull-Rom when enlarging and Mitchell-Netravali when reducing, with 14-bit fixed-point
// weights. Our own rather than stb_image_resize: at the same filters it is many times as fast on
// the view's sizes (bench/PicturePipeline_bench.cpp), because the horizontal pass runs over the
// fewer rows, four channels at a time, both passes stream row by row, and each is compiled for
// the widest vector unit of the processor.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "imaging/Resample.h"
#include "imaging/VectorUnit.h"

namespace {

constexpr int WeightBits = 14;
constexpr int32_t WeightOne = 1 << WeightBits;

// Interpolating cubic (B = 0, C = 1/2): sharp, used when enlarging.
double CatmullRom(double x) {
  x = std::fabs(x);
  if (x < 1.0) return (1.5 * x - 2.5) * x * x + 1.0;
  if (x < 2.0) return ((-0.5 * x + 2.5) * x - 4.0) * x + 2.0;
  return 0.0;
}

// Mitchell-Netravali (B = C = 1/3): little ringing and aliasing, used when reducing.
double Mitchell(double x) {
  x = std::fabs(x);
  if (x < 1.0) return ((7.0 * x - 12.0) * x * x + 16.0 / 3.0) / 6.0;
  if (x < 2.0) return (((-7.0 / 3.0 * x + 12.0) * x - 20.0) * x + 32.0 / 3.0) / 6.0;
  return 0.0;
}

// The filter along one side: output sample o reads input samples First[o] .. First[o] + Taps - 1
// with the weights Weights[o * Taps ...], which sum to exactly WeightOne.
struct TAxis {
  int32_t Taps = 0;
  std::vector<int32_t> First;
  std::vector<int16_t> Weights;
};

double Kernel(bool enlarging, double x) { return enlarging ? CatmullRom(x) : Mitchell(x); }

// Output samples start .. start + count - 1 of a side scaled from inSize to outSize samples.
// Sample centres sit at index + 1/2 on both sides; beyond the edges the edge sample repeats.
TAxis MakeAxis(int32_t inSize, int32_t outSize, int32_t start, int32_t count) {
  const double scale = static_cast<double>(outSize) / inSize;
  const bool enlarging = scale >= 1.0;
  const double support = enlarging ? 2.0 : 2.0 / scale;
  const double stretch = enlarging ? 1.0 : scale;
  auto centreOf = [&](int32_t i) { return (start + i + 0.5) / scale - 0.5; };
  // The input samples with a nonzero weight, edges repeated: lo .. hi.
  auto span = [&](double centre, int32_t& lo, int32_t& hi) {
    const int64_t from = static_cast<int64_t>(std::floor(centre - support));
    const int64_t to = static_cast<int64_t>(std::ceil(centre + support));
    lo = inSize;
    hi = -1;
    for (int64_t j = from; j <= to; ++j) {
      if (Kernel(enlarging, (j - centre) * stretch) == 0.0) continue;
      const int32_t clamped = static_cast<int32_t>(std::clamp<int64_t>(j, 0, inSize - 1));
      lo = std::min(lo, clamped);
      hi = std::max(hi, clamped);
    }
    if (hi < lo) lo = hi = static_cast<int32_t>(std::clamp<int64_t>(std::llround(centre), 0, inSize - 1));
  };

  // Where a centre falls exactly on an input sample the enlarging filter reads that sample
  // alone, so the spans' lower ends can step back. The windows take the least lower end of
  // their own and every later span: they never step back, which both passes rely on (the
  // widest window sizes the row buffers, the vertical pass keeps only the last Taps rows).
  std::vector<int32_t> spanLows(count), lows, highs(count);
  for (int32_t i = 0; i < count; ++i) span(centreOf(i), spanLows[i], highs[i]);
  lows = spanLows;
  for (int32_t i = count - 2; i >= 0; --i) lows[i] = std::min(lows[i], lows[i + 1]);
  TAxis axis;
  axis.Taps = 1;
  for (int32_t i = 0; i < count; ++i) axis.Taps = std::max(axis.Taps, highs[i] - lows[i] + 1);
  axis.First.resize(count);
  axis.Weights.assign(static_cast<size_t>(count) * axis.Taps, 0);
  std::vector<double> weights(axis.Taps);
  for (int32_t i = 0; i < count; ++i) {
    const double centre = centreOf(i);
    const int32_t first = std::min(lows[i], inSize - axis.Taps);
    std::fill(weights.begin(), weights.end(), 0.0);
    double sum = 0.0;
    for (int64_t j = static_cast<int64_t>(std::floor(centre - support));
         j <= static_cast<int64_t>(std::ceil(centre + support)); ++j) {
      const double w = Kernel(enlarging, (j - centre) * stretch);
      if (w == 0.0) continue;
      weights[std::clamp<int64_t>(j, 0, inSize - 1) - first] += w;
      sum += w;
    }
    int16_t* fixed = &axis.Weights[static_cast<size_t>(i) * axis.Taps];
    if (!(sum > 0.0)) {
      fixed[spanLows[i] - first] = WeightOne;
    } else {
      int32_t total = 0;
      int32_t largest = 0;
      for (int32_t k = 0; k < axis.Taps; ++k) {
        fixed[k] = static_cast<int16_t>(std::lround(weights[k] / sum * WeightOne));
        total += fixed[k];
        if (fixed[k] > fixed[largest]) largest = k;
      }
      // Exact unity gain, so flat areas keep their colour.
      fixed[largest] = static_cast<int16_t>(fixed[largest] + WeightOne - total);
    }
    axis.First[i] = first;
  }
  return axis;
}

// Between the two passes samples are 16-bit with 6 fractional bits, signed, so the filters'
// over- and undershoot at sharp edges survives into the second pass instead of being clipped.
constexpr int IntermediateBits = 6;

template <typename In, typename Out>
constexpr int Shift = WeightBits + (std::is_same_v<In, int16_t> ? IntermediateBits : 0) -
                      (std::is_same_v<Out, int16_t> ? IntermediateBits : 0);

template <typename Out>
Out Store(int32_t value) {
  if constexpr (std::is_same_v<Out, uint8_t>) {
    return static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
  } else {
    return static_cast<int16_t>(std::clamp<int32_t>(value, INT16_MIN, INT16_MAX));
  }
}

using TResample = void (*)(const TFrame&, const TRect&, const TRect&, uint32_t*, size_t);

// The passes for each vector unit (see ResampleRows.inc), given how many pixels the horizontal
// pass filters at once, the vertical pass's multiply-add of 16-bit pairs, and its StorePairs:
// the low 16 bits of two registers' 32-bit lanes, in order, streamed to an aligned out.
namespace ResampleBase {
constexpr int PixelsAtOnce = 1;
constexpr bool IntegerTaps = false;  // SSE2 has no byte shuffle: the float pass is faster
typedef int32_t TPairs __attribute__((vector_size(16)));
// The four channels' sums over four taps of the pixels at p[0], weights as 16-bit pairs.
inline TPairs FourTaps(const uint8_t* const* p, TPairs taps01, TPairs taps23) {
  TPairs sum;
  for (int c = 0; c < 4; ++c)
    sum[c] = (taps01[c] << 16 >> 16) * p[0][c] + (taps01[c] >> 16) * p[0][4 + c] +
             (taps23[c] << 16 >> 16) * p[0][8 + c] + (taps23[c] >> 16) * p[0][12 + c];
  return sum;
}
#if defined(__x86_64__) || defined(__i386__)
inline TPairs MulAddPairs(TPairs a, TPairs b) {
  return reinterpret_cast<TPairs>(_mm_madd_epi16(reinterpret_cast<__m128i>(a), reinterpret_cast<__m128i>(b)));
}
inline void StorePairs(uint8_t* out, TPairs a, TPairs b) {
  // SSE2 packs with signed saturation only: values are moved into the signed range and back.
  const TPairs offset = TPairs{} + 32768;
  const __m128i packed = _mm_packs_epi32(reinterpret_cast<__m128i>(a - offset), reinterpret_cast<__m128i>(b - offset));
  _mm_stream_si128(reinterpret_cast<__m128i*>(out), _mm_xor_si128(packed, _mm_set1_epi16(INT16_MIN)));
}
#else
inline TPairs MulAddPairs(TPairs a, TPairs b) { return ((a << 16) >> 16) * ((b << 16) >> 16) + (a >> 16) * (b >> 16); }
inline void StorePairs(uint8_t* out, TPairs a, TPairs b) {
  uint16_t words[8];
  for (int j = 0; j < 4; ++j) {
    words[j] = static_cast<uint16_t>(a[j]);
    words[j + 4] = static_cast<uint16_t>(b[j]);
  }
  std::memcpy(out, words, sizeof words);
}
#endif
#include "imaging/ResampleRows.inc"
}  // namespace ResampleBase
#if defined(__x86_64__) || defined(__i386__)
#pragma GCC push_options
#pragma GCC target("avx2")
namespace ResampleAvx2 {
constexpr int PixelsAtOnce = 2;
constexpr bool IntegerTaps = true;
typedef int32_t TPairs __attribute__((vector_size(32)));
// Sixteen bytes from each p[j], four pixels' channels, go to 16-bit pairs: the channel of taps 0
// and 1 (then 2 and 3) side by side in each 32-bit lane, for the multiply-add.
inline TPairs FourTaps(const uint8_t* const* p, TPairs taps01, TPairs taps23) {
  const __m256i bytes = _mm256_inserti128_si256(
      _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p[0]))),
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(p[1])), 1);
  // Lane c takes bytes c and 4 + c (zero above each), then bytes 8 + c and 12 + c.
  const int c0 = static_cast<int>(0xFF04FF00u), c1 = static_cast<int>(0xFF05FF01u),
            c2 = static_cast<int>(0xFF06FF02u), c3 = static_cast<int>(0xFF07FF03u);
  const __m256i first = _mm256_setr_epi32(c0, c1, c2, c3, c0, c1, c2, c3);
  const __m256i second = _mm256_add_epi8(first, _mm256_set1_epi32(0x00080008));
  return reinterpret_cast<TPairs>(
      _mm256_add_epi32(_mm256_madd_epi16(_mm256_shuffle_epi8(bytes, first), reinterpret_cast<__m256i>(taps01)),
                       _mm256_madd_epi16(_mm256_shuffle_epi8(bytes, second), reinterpret_cast<__m256i>(taps23))));
}
inline TPairs MulAddPairs(TPairs a, TPairs b) {
  return reinterpret_cast<TPairs>(_mm256_madd_epi16(reinterpret_cast<__m256i>(a), reinterpret_cast<__m256i>(b)));
}
inline void StorePairs(uint8_t* out, TPairs a, TPairs b) {
  // The pack works within 128-bit halves; the permutation puts its four quarters in order.
  const __m256i packed = _mm256_packus_epi32(reinterpret_cast<__m256i>(a), reinterpret_cast<__m256i>(b));
  _mm256_stream_si256(reinterpret_cast<__m256i*>(out), _mm256_permute4x64_epi64(packed, 0xD8));
}
#include "imaging/ResampleRows.inc"
}  // namespace ResampleAvx2
#pragma GCC pop_options
#pragma GCC push_options
#pragma GCC target("avx512bw")
namespace ResampleAvx512 {
constexpr int PixelsAtOnce = 4;
constexpr bool IntegerTaps = true;
typedef int32_t TPairs __attribute__((vector_size(64)));
inline TPairs FourTaps(const uint8_t* const* p, TPairs taps01, TPairs taps23) {
  __m512i bytes = _mm512_castsi128_si512(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p[0])));
  bytes = _mm512_inserti32x4(bytes, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p[1])), 1);
  bytes = _mm512_inserti32x4(bytes, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p[2])), 2);
  bytes = _mm512_inserti32x4(bytes, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p[3])), 3);
  const int c0 = static_cast<int>(0xFF04FF00u), c1 = static_cast<int>(0xFF05FF01u),
            c2 = static_cast<int>(0xFF06FF02u), c3 = static_cast<int>(0xFF07FF03u);  // as for AVX2
  const __m512i first = _mm512_set4_epi32(c3, c2, c1, c0);
  const __m512i second = _mm512_add_epi8(first, _mm512_set1_epi32(0x00080008));
  return reinterpret_cast<TPairs>(
      _mm512_add_epi32(_mm512_madd_epi16(_mm512_shuffle_epi8(bytes, first), reinterpret_cast<__m512i>(taps01)),
                       _mm512_madd_epi16(_mm512_shuffle_epi8(bytes, second), reinterpret_cast<__m512i>(taps23))));
}
inline TPairs MulAddPairs(TPairs a, TPairs b) {
  return reinterpret_cast<TPairs>(_mm512_madd_epi16(reinterpret_cast<__m512i>(a), reinterpret_cast<__m512i>(b)));
}
inline void StorePairs(uint8_t* out, TPairs a, TPairs b) {
  // The pack works within 128-bit quarters; the shuffle puts its eight eighths in order.
  typedef int64_t TQuads __attribute__((vector_size(64)));
  const TQuads packed = reinterpret_cast<TQuads>(_mm512_packus_epi32(reinterpret_cast<__m512i>(a), reinterpret_cast<__m512i>(b)));
  _mm512_stream_si512(reinterpret_cast<__m512i*>(out),
                      reinterpret_cast<__m512i>(__builtin_shufflevector(packed, packed, 0, 2, 4, 6, 1, 3, 5, 7)));
}
#include "imaging/ResampleRows.inc"
}  // namespace ResampleAvx512
#pragma GCC pop_options
#endif

TResample ResampleWith(TVectorUnit unit) {
#if defined(__x86_64__) || defined(__i386__)
  if (unit == TVectorUnit::Avx512) return ResampleAvx512::Resample;
  if (unit == TVectorUnit::Avx2) return ResampleAvx2::Resample;
#endif
  (void)unit;
  return ResampleBase::Resample;
}

}  // namespace

bool DrawResampled(const TFrame& source, const TRect& placed, const TRect& clip, TFrame& target) {
  const TRect visible = Intersect(Intersect(placed, clip), TRect{0, 0, target.Width, target.Height});
  if (visible.Empty() || source.Width <= 0 || source.Height <= 0) return true;
  const int32_t offsetX = visible.Left - placed.Left;
  const int32_t offsetY = visible.Top - placed.Top;
  uint32_t* out = target.Row(visible.Top) + visible.Left;
  const size_t outStride = static_cast<size_t>(target.Width);

  if (source.Width == placed.Width && source.Height == placed.Height) {
    for (int32_t y = 0; y < visible.Height; ++y)
      std::memcpy(out + y * outStride, source.Row(offsetY + y) + offsetX,
                  visible.Width * sizeof(uint32_t));
    return true;
  }

  try {
    ResampleWith(WidestVectorUnit())(source, placed, visible, out, outStride);
#if defined(__x86_64__) || defined(__i386__)
    _mm_sfence();  // the streamed rows are seen before anything that follows
#endif
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}
