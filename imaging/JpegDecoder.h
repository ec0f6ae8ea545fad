// JPEG bytes into pixels with libjpeg-turbo, letting its DCT scaling do most of a large
// reduction. Every failure (not a JPEG, truncated data, absurd dimensions) gives "no picture"
// and nothing else: no exception, no message, memory bounded by the limits below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "imaging/Frame.h"

// Pictures with more pixels than this are refused before anything is allocated for them.
inline constexpr uint64_t MaxPicturePixels = 100'000'000;
// Picture data longer than this is refused unread.
inline constexpr size_t MaxPictureFileBytes = 64u << 20;

struct TJpegJob;

// One decoding of one JPEG in memory. The constructor reads the header only; Decode then
// produces the pixels once. The bytes must outlive the decoder.
class TJpegDecoder {
public:
  TJpegDecoder(const uint8_t* data, size_t size);
  ~TJpegDecoder();
  TJpegDecoder(const TJpegDecoder&) = delete;
  TJpegDecoder& operator=(const TJpegDecoder&) = delete;

  // The header was read and the picture is within MaxPicturePixels.
  bool Valid() const { return FWidth > 0; }
  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }

  // The picture as 0xFFRRGGBB pixels. When wantWidth x wantHeight is at most half the picture
  // in both directions, the result is reduced by 1/2, 1/4 or 1/8 while staying at least that
  // size; otherwise it has the picture's own size. An empty frame for data that does not
  // decode, including data that ends before the last row or before the end marker, and when
  // memory runs out.
  TFrame Decode(int32_t wantWidth, int32_t wantHeight);
  // The header or the last Decode gave nothing because memory ran out (in libjpeg or for the
  // frame), not because of the data.
  bool OutOfMemory() const { return FOutOfMemory; }

private:
  std::unique_ptr<TJpegJob> FJob;
  int32_t FWidth = 0;
  int32_t FHeight = 0;
  bool FUsed = false;
  bool FOutOfMemory = false;
};
