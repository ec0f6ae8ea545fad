// The picture files on disk have the form and sizes the slideshow relies on and pass the page
// view's strict loader, and the header reader gives their sizes and turns every unreadable stream
// into EJPEG.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "imaging/JpegDecoder.h"
#include "imaging/JpegHeader.h"
#include "imaging/PicturePipeline.h"
#include "pageview/PictureFile.h"
#include "tests/support/JpegMarkers.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/Raised.h"

namespace {

using TBytes = std::vector<uint8_t>;

}  // namespace

// The sizes (KnownPictureSize) make the set: 46 landscapes, one portrait and three strips, and the
// preview's collage; no two files are alike.
TEST(PictureFiles, AreDistinctCompleteBaselineJfifFilesOfTheirSizeThatTheLoaderTakes) {
  std::set<TBytes> distinct;
  for (int32_t id : PictureIds()) {
    SCOPED_TRACE("picture " + std::to_string(id));
    const TBytes bytes = PictureFileBytes(id);
    ASSERT_GT(bytes.size(), 10000u);

    // Walked by hand, independently of libjpeg: SOI, then the JFIF APP0, a baseline frame of
    // three 8-bit components, and the end marker as the last two bytes.
    const std::vector<TJpegSegment> segments = JpegSegments(bytes);
    ASSERT_FALSE(segments.empty()) << "no start of image";
    EXPECT_TRUE(segments[0].Marker == 0xE0 && std::memcmp(&bytes[segments[0].At + 4], "JFIF", 5) == 0);
    const std::optional<TJpegSegment> frame = FindSegment(bytes, -1);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->Marker, 0xC0) << "not baseline";
    EXPECT_EQ(bytes[frame->At + 4], 8);
    EXPECT_EQ(bytes[frame->At + 9], 3);
    EXPECT_EQ(ImageEnd(bytes), bytes.size()) << "the last two bytes must be the end marker";

    const TJpegSize size = ReadJpegSize(bytes.data(), bytes.size());
    const TPictureSize expected = KnownPictureSize(id);
    EXPECT_EQ(std::pair(size.Width, size.Height), std::pair(expected.Width, expected.Height));
    // The header alone gives the size: half the file, cut well inside the scan data, will do.
    const TJpegSize half = ReadJpegSize(bytes.data(), bytes.size() / 2);
    EXPECT_TRUE(half.Width == size.Width && half.Height == size.Height);

    // The page view's loader reads and decodes it at its own size and reduced for a preview.
    EXPECT_EQ(ReadPictureFile(PictureFilePath(id)), bytes);
    TJpegDecoder decoder(bytes.data(), bytes.size());
    ASSERT_TRUE(decoder.Valid());
    const TFrame decoded = decoder.Decode(expected.Width, expected.Height);
    EXPECT_TRUE(decoded.Width == expected.Width && decoded.Height == expected.Height);
    EXPECT_EQ(PreparePicture(bytes.data(), bytes.size(), 149, 112).Width, 149);
    distinct.insert(bytes);
  }
  EXPECT_EQ(distinct.size(), 51u);
}

TEST(JpegHeader, RejectsStreamsWithoutACompleteHeaderPassingTheDecodersMessageOn) {
  const TBytes picture = PictureFileBytes(110);
  const std::optional<TJpegSegment> scan = FindSegment(picture, 0xDA), frame = FindSegment(picture, 0xC0);
  ASSERT_TRUE(scan && frame);
  const size_t scanStart = scan->At;
  ASSERT_GT(scanStart, 100u);
  auto prefix = [&](size_t n) { return TBytes(picture.begin(), picture.begin() + n); };
  TBytes zeroWidth = picture;
  zeroWidth[frame->At + 7] = zeroWidth[frame->At + 8] = 0;
  TBytes noise(4096);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<uint8_t>(i * 7919u >> 3);
  const struct {
    const char* Name;
    TBytes Data;
    std::string Message = "";  // when it is known
  } cases[] = {
      {"empty", {}},                                {"one byte", {0xFF}},
      {"start marker only", prefix(2)},             {"cut in the JFIF segment", prefix(11)},
      {"cut before the frame", prefix(scanStart / 3)}, {"cut just before the scan", prefix(scanStart)},
      {"cut inside the scan header", prefix(scanStart + 5)}, {"no image between start and end", {0xFF, 0xD8, 0xFF, 0xD9}},
      {"frame of width zero", zeroWidth},           {"noise", noise},
      {"another format", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, "Not a JPEG file: starts with 0x47 0x49"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string raised = Raised([&] { ReadJpegSize(c.Data.data(), c.Data.size()); });
    EXPECT_EQ(raised.rfind("EJPEG: ", 0), 0u) << raised;
    EXPECT_GT(raised.size(), 7u) << "a message";
    if (!c.Message.empty()) {
      EXPECT_EQ(raised, "EJPEG: " + c.Message);
    }
  }
}
