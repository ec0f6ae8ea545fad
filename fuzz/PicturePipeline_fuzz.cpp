// libFuzzer target: the picture loader on arbitrary bytes: header, DCT-reduced decoding and
// resampling into a frame, including placements that overflow it. Pictures declared larger than
// MaxFuzzPixels are only opened, not decoded: decoding is libjpeg's time, spent on pixels rather
// than on the parsing and the resampling under test, and it made the runs a hundred times slower.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "imaging/JpegDecoder.h"
#include "imaging/Layout.h"
#include "imaging/Resample.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TJpegDecoder decoder(data, size);
  if (!decoder.Valid()) return 0;
  constexpr int64_t MaxFuzzPixels = 64 * 64;
  if (static_cast<int64_t>(decoder.Width()) * decoder.Height() > MaxFuzzPixels) return 0;
  // Ask for a third of the picture, so larger ones go through the DCT reduction.
  TFrame picture = decoder.Decode(decoder.Width() / 3, decoder.Height() / 3);
  if (picture.Pixels.empty()) return 0;
  if (picture.Pixels.size() != static_cast<size_t>(picture.Width) * picture.Height) std::abort();
  TFrame target(48, 32);
  const TRect placements[] = {{0, 0, 48, 32}, {-7, 5, 61, 19}, {3, -2, 5, 90}, {0, 0, picture.Width, picture.Height}};
  for (const TRect& placed : placements)
    if (!DrawResampled(picture, placed, {2, 1, 40, 30}, target)) std::abort();
  for (uint32_t pixel : target.Pixels)
    if ((pixel >> 24) != 0xFF) std::abort();
  return 0;
}
