// The source tree's files as the tests read them, and the sizes of the pictures the program
// carries (by resource number), the known answers for the tests that read, fit or lay them out.
// Header-only and free of the program's code, so that the end-to-end driver can use it too.
#pragma once

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A file's bytes; empty when it cannot be read.
inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

// A file of the source tree by its path below the root; the Windows builds see the tree through
// Wine's drive Z:.
inline std::string SourcePath(const std::string& relative) {
#ifdef _WIN32
  std::string path = "Z:" LUMI_SOURCE_DIR "/" + relative;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
#else
  return LUMI_SOURCE_DIR "/" + relative;
#endif
}

// The picture file of resource `identifier` (pictures/105.jpg, 110.jpg to 159.jpg).
inline std::string PictureFilePath(int32_t identifier) {
  return SourcePath("pictures/" + std::to_string(identifier) + ".jpg");
}

inline std::vector<uint8_t> PictureFileBytes(int32_t identifier) { return ReadBytes(PictureFilePath(identifier)); }

// The pictures the program carries: the dialog's preview collage, then the slideshow's fifty.
inline std::vector<int32_t> PictureIds() {
  std::vector<int32_t> ids{105};
  for (int32_t id = 110; id < 160; ++id) ids.push_back(id);
  return ids;
}

struct TPictureSize {
  int32_t Width;
  int32_t Height;
};

// Resource 105 is the dialog's preview collage, 110 to 159 the slideshow's pictures: all
// 1024 x 768 but one portrait and three strips.
inline TPictureSize KnownPictureSize(int32_t identifier) {
  switch (identifier) {
    case 105: return {445, 241};
    case 117: return {1024, 220};
    case 129: return {576, 768};
    case 130: return {1024, 205};
    case 142: return {1024, 265};
    default: return {1024, 768};
  }
}
