// Test pictures made on the spot with libjpeg's encoder, so that the tests do not depend on the
// picture set, and the distance of two colours.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

// Four flat quadrants: red, green / blue, white.
inline uint32_t Quadrants(int32_t x, int32_t y, int32_t width, int32_t height) {
  bool right = x >= width / 2;
  bool bottom = y >= height / 2;
  if (!bottom) return right ? 0x00FF00u : 0xFF0000u;
  return right ? 0xFFFFFFu : 0x0000FFu;
}

// A baseline (or progressive) 4:4:4 JPEG of the given size, pixel (x, y) of colour(x, y) (0xRRGGBB);
// the encoder's errors end the test process, as they only happen for a broken test.
inline std::vector<uint8_t> MakeJpeg(int32_t width, int32_t height, const std::function<uint32_t(int32_t, int32_t)>& colour,
                                     bool progressive = false) {
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  for (int c = 0; c < 3; ++c) info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
  while (info.next_scanline < info.image_height) {
    for (int32_t x = 0; x < width; ++x) {
      uint32_t rgb = colour(x, static_cast<int32_t>(info.next_scanline));
      row[x * 3] = static_cast<unsigned char>(rgb >> 16);
      row[x * 3 + 1] = static_cast<unsigned char>(rgb >> 8);
      row[x * 3 + 2] = static_cast<unsigned char>(rgb);
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<uint8_t> bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

inline std::vector<uint8_t> MakeQuadrantJpeg(int32_t width, int32_t height, bool progressive = false) {
  return MakeJpeg(width, height, [=](int32_t x, int32_t y) { return Quadrants(x, y, width, height); },
                  progressive);
}

// Per-channel distance of two 0x..RRGGBB colours.
inline int ColourDistance(uint32_t a, uint32_t b) {
  int most = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    most = std::max(most, d < 0 ? -d : d);
  }
  return most;
}
