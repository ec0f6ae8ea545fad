// The picture files on disk have the form and sizes the slideshow relies on, and the header reader
// gives their sizes and turns every unreadable stream into EJPEG.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "pictures/JpegHeader.h"
#include "pictures/PictureSet.h"

namespace {

using TBytes = std::vector<uint8_t>;

TBytes ReadPictureFile(int32_t identifier) {
  const std::string path =
      std::string(LUMI_SOURCE_DIR) + "/pictures/" + std::to_string(identifier) + ".jpg";
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << path;
  return TBytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TJpegSize ExpectedSize(int32_t identifier) {
  switch (identifier) {
    case PreviewPictureId: return {445, 241};
    case 117: return {1024, 220};
    case 129: return {576, 768};
    case 130: return {1024, 205};
    case 142: return {1024, 265};
    default: return {1024, 768};
  }
}

std::vector<int32_t> AllPictureIds() {
  std::vector<int32_t> ids{PreviewPictureId};
  for (int32_t n = 0; n < SlideshowPictureCount; ++n) ids.push_back(SlideshowPictureId(n));
  return ids;
}

// What a walk over the file's markers finds, independently of libjpeg.
struct TJpegLayout {
  bool StartsWithImage = false;  // SOI first
  bool JfifFirst = false;        // APP0 "JFIF" right after SOI
  int FrameMarker = -1;          // the SOFn marker byte
  int Precision = 0;
  int Components = 0;
  size_t ImageEnd = 0;  // offset just past the first EOI after the scan
};

TJpegLayout WalkMarkers(const TBytes& d) {
  TJpegLayout layout;
  if (d.size() < 4 || d[0] != 0xFF || d[1] != 0xD8) return layout;
  layout.StartsWithImage = true;
  size_t i = 2;
  bool first = true;
  while (i + 4 <= d.size() && d[i] == 0xFF) {
    const int marker = d[i + 1];
    const size_t length = d[i + 2] * 256u + d[i + 3];
    if (first && marker == 0xE0 && i + 9 <= d.size())
      layout.JfifFirst = std::memcmp(&d[i + 4], "JFIF", 5) == 0;  // with its terminating zero
    first = false;
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC &&
        i + 10 <= d.size()) {
      layout.FrameMarker = marker;
      layout.Precision = d[i + 4];
      layout.Components = d[i + 9];
    }
    i += 2 + length;
    if (marker == 0xDA) {  // entropy-coded data up to the next marker that is not a restart
      while (i + 1 < d.size()) {
        if (d[i] == 0xFF && d[i + 1] != 0x00 && (d[i + 1] < 0xD0 || d[i + 1] > 0xD7)) break;
        ++i;
      }
      if (i + 1 < d.size() && d[i + 1] == 0xD9) layout.ImageEnd = i + 2;
      break;
    }
  }
  return layout;
}

}  // namespace

TEST(PictureFiles, AreCompleteBaselineJfifFilesOfTheirSize) {
  for (int32_t id : AllPictureIds()) {
    SCOPED_TRACE("picture " + std::to_string(id));
    const TBytes bytes = ReadPictureFile(id);
    ASSERT_GT(bytes.size(), 10000u);

    const TJpegLayout layout = WalkMarkers(bytes);
    EXPECT_TRUE(layout.StartsWithImage);
    EXPECT_TRUE(layout.JfifFirst);
    EXPECT_EQ(layout.FrameMarker, 0xC0) << "not baseline";
    EXPECT_EQ(layout.Precision, 8);
    EXPECT_EQ(layout.Components, 3);
    EXPECT_EQ(layout.ImageEnd, bytes.size()) << "the last two bytes must be the end marker";

    const TJpegSize size = ReadJpegSize(bytes.data(), bytes.size());
    const TJpegSize expected = ExpectedSize(id);
    EXPECT_EQ(size.Width, expected.Width);
    EXPECT_EQ(size.Height, expected.Height);
  }
}

TEST(PictureFiles, SetHasOnePortraitThreeStripsAndFiftyDifferentPictures) {
  int landscape = 0, portrait = 0, strips = 0;
  std::set<TBytes> distinct;
  for (int32_t n = 0; n < SlideshowPictureCount; ++n) {
    const TBytes bytes = ReadPictureFile(SlideshowPictureId(n));
    const TJpegSize size = ReadJpegSize(bytes.data(), bytes.size());
    if (size.Width == 1024 && size.Height == 768) ++landscape;
    else if (size.Height > size.Width) ++portrait;
    else if (size.Width > 3 * size.Height) ++strips;
    distinct.insert(bytes);
  }
  EXPECT_EQ(landscape, 46);
  EXPECT_EQ(portrait, 1);
  EXPECT_EQ(strips, 3);
  EXPECT_EQ(distinct.size(), 50u);
}

TEST(JpegHeader, ReadsTheSizeFromTheHeaderAlone) {
  const TBytes bytes = ReadPictureFile(129);
  // Cut well inside the scan data: the header is complete, the pixels are not needed.
  const TJpegSize size = ReadJpegSize(bytes.data(), bytes.size() / 2);
  EXPECT_EQ(size.Width, 576);
  EXPECT_EQ(size.Height, 768);
}

TEST(JpegHeader, RejectsStreamsWithoutACompleteHeader) {
  const TBytes picture = ReadPictureFile(110);
  size_t scanStart = 0;  // offset of the SOS marker
  for (size_t i = 2; i + 1 < picture.size(); i += 2 + picture[i + 2] * 256u + picture[i + 3]) {
    if (picture[i + 1] == 0xDA) {
      scanStart = i;
      break;
    }
  }
  ASSERT_GT(scanStart, 100u);
  auto prefix = [&](size_t n) { return TBytes(picture.begin(), picture.begin() + n); };
  TBytes zeroWidth = picture;
  for (size_t i = 2; i < scanStart; i += 2 + zeroWidth[i + 2] * 256u + zeroWidth[i + 3]) {
    if (zeroWidth[i + 1] == 0xC0) zeroWidth[i + 7] = zeroWidth[i + 8] = 0;
  }
  TBytes noise(4096);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<uint8_t>(i * 7919u >> 3);
  TBytes onlyMarkers{0xFF, 0xD8, 0xFF, 0xD9};
  TBytes gif{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0};

  const struct {
    const char* Name;
    TBytes Data;
  } cases[] = {
      {"empty", {}},
      {"one byte", {0xFF}},
      {"start marker only", prefix(2)},
      {"cut in the JFIF segment", prefix(11)},
      {"cut before the frame", prefix(scanStart / 3)},
      {"cut just before the scan", prefix(scanStart)},
      {"cut inside the scan header", prefix(scanStart + 5)},
      {"no image between start and end", onlyMarkers},
      {"frame of width zero", zeroWidth},
      {"another format", gif},
      {"noise", noise},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    try {
      ReadJpegSize(c.Data.data(), c.Data.size());
      ADD_FAILURE() << "no error";
    } catch (const EJPEG& e) {
      EXPECT_EQ(e.ClassName(), "EJPEG");
      EXPECT_FALSE(e.Message().empty());
    }
  }
}

TEST(JpegHeader, PassesTheDecodersMessageOn) {
  const TBytes gif{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0};
  try {
    ReadJpegSize(gif.data(), gif.size());
    FAIL() << "no error";
  } catch (const EJPEG& e) {
    EXPECT_EQ(e.Message(), "Not a JPEG file: starts with 0x47 0x49");
  }
}
