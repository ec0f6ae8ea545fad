// Reads a JPEG's width and height from its header with libjpeg, without decoding any pixel.
#pragma once

#include <cstddef>
#include <cstdint>

struct TJpegSize {
  int32_t Width = 0;
  int32_t Height = 0;
};

// Raises EJPEG with the decoder's message when the header cannot be read.
TJpegSize ReadJpegSize(const uint8_t* data, size_t size);
