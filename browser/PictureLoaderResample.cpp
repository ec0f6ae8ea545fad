// Resampling of decoded pictures to their laid-out size: a separable two-pass cubic filter,
// Catmull-Rom when enlarging and Mitchell-Netravali when reducing, with 14-bit fixed-point
// weights. Our own rather than stb_image_resize: at the same filters it is about three times
// as fast on the view's sizes (bench/PictureLoader_bench.cpp), because the horizontal pass runs
// over the fewer rows, four channels at a time, and both passes stream row by row.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>

#include "browser/PictureLoader.h"

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

// Four floats, one pixel's B G R A, as a generic vector of GCC and Clang (no target-specific
// intrinsics: it compiles to SSE2 on x86-64 and to plain code elsewhere).
typedef float TFloat4 __attribute__((vector_size(16)));
typedef int32_t TInt4 __attribute__((vector_size(16)));

// One output row of the horizontal pass from a row of float samples, for a tap count known at
// compile time (Taps > 0) or not (Taps == 0); weights come as four equal lanes each. The four
// channels of a pixel are filtered side by side. The opaque alpha stays exact: every product
// and sum of it is a multiple of 2^-14 well within float's precision.
template <int Taps, typename Out>
void HorizontalRow(const float* in, const TAxis& axis, const TFloat4* weights, Out* out) {
  const int32_t taps = Taps > 0 ? Taps : axis.Taps;
  const int32_t count = static_cast<int32_t>(axis.First.size());
  const TFloat4* w = weights;
  // Rounding half up by shifting into the positive range and truncating.
  const TFloat4 bias = {32768.5f, 32768.5f, 32768.5f, 32768.5f};
  for (int32_t x = 0; x < count; ++x, w += taps, out += 4) {
    const float* p = in + static_cast<size_t>(axis.First[x]) * 4;
    TFloat4 sum = {0.0f, 0.0f, 0.0f, 0.0f};
    for (int32_t k = 0; k < taps; ++k) {
      TFloat4 pixel;
      std::memcpy(&pixel, p + 4 * k, sizeof pixel);
      sum += w[k] * pixel;
    }
    if constexpr (std::is_same_v<Out, uint8_t>) {
      const TFloat4 lowest = {0.0f, 0.0f, 0.0f, 0.0f};
      const TFloat4 highest = {255.0f, 255.0f, 255.0f, 255.0f};
      sum = sum > lowest ? sum : lowest;
      sum = sum < highest ? sum : highest;
    }
    // (A 16-bit result cannot overflow: 8-bit input, weights summing to one.)
    const TInt4 rounded = __builtin_convertvector(sum + bias, TInt4) - 32768;
    for (int c = 0; c < 4; ++c) out[c] = static_cast<Out>(rounded[c]);
  }
}

// Filters rows of B G R A samples along x; each row is first widened to float.
template <typename In, typename Out>
class THorizontalFilter {
public:
  explicit THorizontalFilter(const TAxis& axis)
      : FAxis(axis), FWeights(axis.Weights.size()),
        FRow((static_cast<size_t>(axis.First.back()) + axis.Taps) * 4) {
    // The fixed-point weights, with the samples' scaling folded in (powers of two: exact).
    const float factor = (std::is_same_v<In, int16_t> ? 1.0f / (1 << IntermediateBits) : 1.0f) *
                         (std::is_same_v<Out, int16_t> ? static_cast<float>(1 << IntermediateBits) : 1.0f) /
                         WeightOne;
    for (size_t i = 0; i < FWeights.size(); ++i) {
      const float w = axis.Weights[i] * factor;
      FWeights[i] = TFloat4{w, w, w, w};
    }
  }

  void Run(const In* in, Out* out) {
    for (size_t i = 0; i < FRow.size(); ++i) FRow[i] = in[i];
    switch (FAxis.Taps) {
      case 4: HorizontalRow<4>(FRow.data(), FAxis, FWeights.data(), out); break;
      case 5: HorizontalRow<5>(FRow.data(), FAxis, FWeights.data(), out); break;
      case 6: HorizontalRow<6>(FRow.data(), FAxis, FWeights.data(), out); break;
      case 7: HorizontalRow<7>(FRow.data(), FAxis, FWeights.data(), out); break;
      case 8: HorizontalRow<8>(FRow.data(), FAxis, FWeights.data(), out); break;
      default: HorizontalRow<0>(FRow.data(), FAxis, FWeights.data(), out); break;
    }
  }

private:
  const TAxis& FAxis;
  std::vector<TFloat4> FWeights;
  std::vector<float> FRow;
};

// One output row of the vertical pass: every sample of the row from Taps source rows. Written
// as 16 x 16 -> 32-bit products with the sum in a register, which vectorises well. Alpha passes
// through exactly, as the weights sum to one.
template <int Taps, typename In, typename Out>
void VerticalRow(const In* const* rows, const int16_t* weights, int32_t runtimeTaps,
                 size_t samples, Out* __restrict out) {
  constexpr int shift = Shift<In, Out>;
  if constexpr (Taps > 0) {
    const In* __restrict r[Taps];
    int16_t w[Taps];
    for (int k = 0; k < Taps; ++k) {
      r[k] = rows[k];
      w[k] = weights[k];
    }
    for (size_t i = 0; i < samples; ++i) {
      int32_t sum = 1 << (shift - 1);
      for (int k = 0; k < Taps; ++k) sum += static_cast<int32_t>(w[k]) * static_cast<int16_t>(r[k][i]);
      out[i] = Store<Out>(sum >> shift);
    }
  } else {
    for (size_t i = 0; i < samples; ++i) {
      int32_t sum = 1 << (shift - 1);
      for (int k = 0; k < runtimeTaps; ++k) sum += weights[k] * static_cast<int16_t>(rows[k][i]);
      out[i] = Store<Out>(sum >> shift);
    }
  }
}

template <typename In, typename Out>
void VerticalFilter(const In* const* rows, const int16_t* weights, int32_t taps, size_t samples, Out* out) {
  switch (taps) {
    case 4: VerticalRow<4>(rows, weights, 4, samples, out); break;
    case 5: VerticalRow<5>(rows, weights, 5, samples, out); break;
    case 6: VerticalRow<6>(rows, weights, 6, samples, out); break;
    case 7: VerticalRow<7>(rows, weights, 7, samples, out); break;
    case 8: VerticalRow<8>(rows, weights, 8, samples, out); break;
    default: VerticalRow<0>(rows, weights, taps, samples, out); break;
  }
}

}  // namespace

bool DrawResampled(const TFrame& source, const TPictureRect& placed, const TPictureRect& clip,
                   TFrame& target) {
  const TPictureRect visible =
      Intersect(Intersect(placed, clip), TPictureRect{0, 0, target.Width, target.Height});
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

  // Both orders run row by row, so what lies between the passes is a few rows that stay in
  // the cache, not a second picture.
  try {
    const TAxis axisX = MakeAxis(source.Width, placed.Width, offsetX, visible.Width);
    const TAxis axisY = MakeAxis(source.Height, placed.Height, offsetY, visible.Height);
    const int32_t taps = axisY.Taps;
    const uint8_t* in = reinterpret_cast<const uint8_t*>(source.Pixels.data());
    const size_t inStride = static_cast<size_t>(source.Width) * 4;
    uint8_t* outBytes = reinterpret_cast<uint8_t*>(out);
    const size_t outBytesStride = outStride * 4;
    std::vector<const int16_t*> rows16(taps);
    if (placed.Height >= source.Height) {
      // Enlarging vertically: each needed source row is filtered along x once, into a ring of
      // the last Taps rows, and every output row is filtered along y from the ring. The
      // costlier horizontal pass so runs over the fewer rows.
      THorizontalFilter<uint8_t, int16_t> horizontal(axisX);
      const size_t stride = static_cast<size_t>(visible.Width) * 4;
      std::vector<int16_t> ring(static_cast<size_t>(taps) * stride);
      int32_t filtered = -1;
      for (int32_t y = 0; y < visible.Height; ++y) {
        const int32_t first = axisY.First[y];
        for (int32_t r = std::max(filtered + 1, first); r < first + taps; ++r) {
          horizontal.Run(in + r * inStride, ring.data() + (r % taps) * stride);
          filtered = r;
        }
        for (int32_t k = 0; k < taps; ++k) rows16[k] = ring.data() + ((first + k) % taps) * stride;
        VerticalFilter(rows16.data(), &axisY.Weights[static_cast<size_t>(y) * taps], taps, stride,
                       outBytes + y * outBytesStride);
      }
    } else {
      // Reducing vertically: each output row is filtered along y from the needed source
      // columns, then along x.
      const int32_t columnLo = axisX.First.front();
      const int32_t columnHi = axisX.First.back() + axisX.Taps;
      const size_t stride = static_cast<size_t>(columnHi - columnLo) * 4;
      TAxis shifted = axisX;
      for (int32_t& first : shifted.First) first -= columnLo;
      THorizontalFilter<int16_t, uint8_t> horizontal(shifted);
      std::vector<int16_t> row(stride);
      std::vector<const uint8_t*> rows8(taps);
      for (int32_t y = 0; y < visible.Height; ++y) {
        for (int32_t k = 0; k < taps; ++k)
          rows8[k] = in + (axisY.First[y] + k) * inStride + static_cast<size_t>(columnLo) * 4;
        VerticalFilter(rows8.data(), &axisY.Weights[static_cast<size_t>(y) * taps], taps, stride,
                       row.data());
        horizontal.Run(row.data(), outBytes + y * outBytesStride);
      }
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}
