// libFuzzer target: the JPEG header reader on arbitrary bytes. It either gives a size or raises
// EJPEG; a size it gives must be the one the page view's decoder reads from the same header.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "base/Errors.h"
#include "imaging/JpegDecoder.h"
#include "imaging/JpegHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TJpegSize jpegSize;
  try {
    jpegSize = ReadJpegSize(data, size);
  } catch (const EJPEG&) {
    return 0;
  }
  if (jpegSize.Width < 0 || jpegSize.Height < 0) std::abort();
  const TJpegDecoder decoder(data, size);
  if (decoder.Valid() && (decoder.Width() != jpegSize.Width || decoder.Height() != jpegSize.Height))
    std::abort();
  return 0;
}
