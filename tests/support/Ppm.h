// Pictures written by the tests for looking at them, or as golden frames: the binary portable
// pixmap (P6), viewable everywhere and exact for opaque pixels.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The bytes of a width x height pixmap whose pixel i (row by row from the top) has the colour
// rgb(i), 0xRRGGBB (higher bits ignored).
template <class TColourOf>
std::vector<uint8_t> PpmBytes(int32_t width, int32_t height, TColourOf rgb) {
  const std::string header = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
  std::vector<uint8_t> bytes(header.begin(), header.end());
  for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
    const uint32_t colour = rgb(i);
    bytes.insert(bytes.end(), {static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8),
                               static_cast<uint8_t>(colour)});
  }
  return bytes;
}

inline bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}
