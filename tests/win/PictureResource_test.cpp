// The program's picture resources are the repository's files, byte for byte (whose sizes the
// native tests check), read in place from the module; numbers that name no picture raise
// EResNotFound with the user's text.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/Errors.h"
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
  for (int32_t id : PictureIds()) {
    SCOPED_TRACE("resource " + std::to_string(id));
    const TResourceStream stream = OpenPictureResource(id);
    const std::vector<uint8_t> file = PictureFileBytes(id);
    ASSERT_EQ(stream.Size, file.size());
    EXPECT_EQ(std::memcmp(stream.Data, file.data(), file.size()), 0);
    EXPECT_TRUE(LiesInTheModuleImage(stream.Data, stream.Size)) << "the bytes were copied";
  }
}

TEST(PictureResource, NumbersThatNameNoPictureRaiseResNotFound) {
  // 65646 would be 110 cut to 16 bits.
  for (int32_t identifier : {106, 109, 104, 160, 0, -1, 65536 + 110})
    EXPECT_EQ(Raised([&] { OpenPictureResource(identifier); }),
              "EResNotFound: Ressource " + std::to_string(identifier) + " wurde nicht gefunden");
}
