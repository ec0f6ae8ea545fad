// The program's picture resources are the repository's files, byte for byte, read in place from
// the module; numbers that name no picture raise EResNotFound with the user's text.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "imaging/JpegHeader.h"
#include "pictures/PictureSet.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/Raised.h"

namespace {

bool LiesInTheModuleImage(const uint8_t* data, size_t size) {
  const auto* base = reinterpret_cast<const uint8_t*>(GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  return data >= base && data + size <= base + nt->OptionalHeader.SizeOfImage;
}

}  // namespace

TEST(PictureResource, EveryPictureIsItsFileReadInPlace) {
  std::vector<int32_t> ids{PreviewPictureId};
  for (int32_t n = 0; n < SlideshowPictureCount; ++n) ids.push_back(SlideshowPictureId(n));
  for (int32_t id : ids) {
    SCOPED_TRACE("resource " + std::to_string(id));
    const TResourceStream stream = OpenPictureResource(id);
    const std::vector<uint8_t> file = PictureFileBytes(id);
    ASSERT_EQ(stream.Size, file.size());
    EXPECT_EQ(std::memcmp(stream.Data, file.data(), file.size()), 0);
    EXPECT_TRUE(LiesInTheModuleImage(stream.Data, stream.Size)) << "the bytes were copied";

    const TJpegSize size = ReadJpegSize(stream.Data, stream.Size);
    EXPECT_EQ(size.Width, KnownPictureSize(id).Width);
    EXPECT_EQ(size.Height, KnownPictureSize(id).Height);
  }
}

TEST(PictureResource, NumbersThatNameNoPictureRaiseResNotFound) {
  const struct {
    int32_t Identifier;
    const char* Text;
  } cases[] = {
      {106, "Ressource 106 wurde nicht gefunden"},
      {109, "Ressource 109 wurde nicht gefunden"},
      {104, "Ressource 104 wurde nicht gefunden"},
      {160, "Ressource 160 wurde nicht gefunden"},
      {0, "Ressource 0 wurde nicht gefunden"},
      {-1, "Ressource -1 wurde nicht gefunden"},
      {65536 + 110, "Ressource 65646 wurde nicht gefunden"},  // would be 110 cut to 16 bits
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Raised([&] { OpenPictureResource(c.Identifier); }), std::string("EResNotFound: ") + c.Text)
        << c.Identifier;
  }
}
