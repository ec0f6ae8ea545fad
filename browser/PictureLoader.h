// Turns a page's picture file into pixels: reads the file, decodes the JPEG with libjpeg-turbo
// (letting its DCT scaling do most of a large reduction) and resamples it to the laid-out size.
// Every failure (missing file, not a JPEG, truncated data, absurd dimensions) gives "no picture"
// and nothing else: no exception, no message, memory bounded by the limits below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "browser/Frame.h"
#include "browser/Layout.h"

// Pictures with more pixels than this are refused before anything is allocated for them.
inline constexpr uint64_t MaxPicturePixels = 100'000'000;
// Picture files longer than this are refused unread.
inline constexpr size_t MaxPictureFileBytes = 64u << 20;

// True for a path naming a local file: not a UNC or device path ("\\server\...", "\\.\..."),
// not a URL, not a reserved device name such as CON or COM1.
bool IsLocalFilePath(std::string_view path);

// The file's bytes, read with the path as given (ANSI on Windows). Nothing for a path that is
// not local, a file that cannot be opened or read, or one longer than MaxPictureFileBytes.
std::optional<std::vector<uint8_t>> ReadPictureFile(const std::string& path);

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

private:
  std::unique_ptr<TJpegJob> FJob;
  int32_t FWidth = 0;
  int32_t FHeight = 0;
  bool FUsed = false;
};

// Draws the opaque picture source scaled to placed.Width x placed.Height at placed.Left,
// placed.Top into target, writing only the pixels inside clip and inside target, all with alpha
// 0xFF. Separable cubic filtering, each side on its own: Catmull-Rom when enlarging (it keeps
// the samples at a scale of 1), Mitchell-Netravali when reducing; an exact copy when the sizes
// match. False when it runs out of memory; target is then unchanged.
bool DrawResampled(const TFrame& source, const TPictureRect& placed, const TPictureRect& clip,
                   TFrame& target);

// Decodes the JPEG bytes and resamples them to exactly width x height; an empty frame when the
// data does not decode.
TFrame PreparePicture(const uint8_t* data, size_t size, int32_t width, int32_t height);
