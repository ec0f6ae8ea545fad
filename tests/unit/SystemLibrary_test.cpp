// Where the password libraries are looked for: the system directory's text as the system
// reports it, the backslash between, and the bare name when the directory cannot be had.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host/SystemLibrary.h"

namespace {

// Answers as GetSystemDirectoryA would for a directory `text` (nothing: the call fails), and
// records the buffer sizes it was asked with.
struct TFakeSystem {
  std::optional<std::string> Text;
  bool Growing;  // the directory grows by 10 characters whenever it is asked for
  std::vector<uint32_t> Sizes;

  uint32_t operator()(char* buffer, uint32_t size) {
    Sizes.push_back(size);
    if (Growing) return size + 10;
    if (!Text) return 0;
    const auto length = static_cast<uint32_t>(Text->size());
    if (length >= size) return length + 1;
    std::memcpy(buffer, Text->c_str(), length + 1);
    return length;
  }
};

}  // namespace

TEST(SystemLibrary, PathFromTheSystemDirectory) {
  const std::string longDirectory = "C:\\" + std::string(300, 'd');
  struct TCase {
    const char* What;
    std::optional<std::string> Directory;
    std::string Path;
    std::vector<uint32_t> Sizes;
    bool Growing = false;
  } cases[] = {
      {"without a final backslash", "C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS\\SYSTEM\\PASSWORD.CPL", {260}},
      {"with a final backslash", "C:\\", "C:\\PASSWORD.CPL", {260}},
      {"empty", "", "PASSWORD.CPL", {260}},
      {"the call fails", std::nullopt, "PASSWORD.CPL", {260}},
      {"259 characters fit", "C:\\" + std::string(256, 'x'), "C:\\" + std::string(256, 'x') + "\\PASSWORD.CPL",
       {260}},
      {"260 characters do not", "C:\\" + std::string(257, 'x'), "C:\\" + std::string(257, 'x') + "\\PASSWORD.CPL",
       {260, 261}},
      {"longer than the path limit", longDirectory, longDirectory + "\\PASSWORD.CPL", {260, 304}},
      {"ever growing: the bare name", "C:\\", "PASSWORD.CPL", {260, 270}, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TFakeSystem system{c.Directory, c.Growing, {}};
    EXPECT_EQ(SystemLibraryPath(std::ref(system), "PASSWORD.CPL"), c.Path);
    EXPECT_EQ(system.Sizes, c.Sizes);
  }
}
