// Golden frames: a few transitions at a quarter, half and three quarters of their course on two
// fixed 48 x 32 pictures, byte for byte, so any change of a mask, an order or the fade's rounding
// shows, on either build. LUMI_UPDATE_GOLDEN=1 rewrites the files from the current code.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "browser/Transition.h"
#include "tests/unit/TransitionFrames.h"

namespace {

std::string GoldenDir() {
#ifdef LUMI_SOURCE_DIR
  return LUMI_SOURCE_DIR "/tests/unit/golden/";
#else  // the Windows build reads the source tree through Wine's drive Z:
  std::string file = __FILE__;
  file = file.substr(0, file.find_last_of("/\\") + 1) + "golden/";
  return file.front() == '/' ? "Z:" + file : file;
#endif
}

// Portable pixmap (binary RGB): small, viewable, and exact (the frames are opaque).
std::vector<uint8_t> ToPpm(const TFrame& frame) {
  const std::string header = "P6\n" + std::to_string(frame.Width) + " " + std::to_string(frame.Height) + "\n255\n";
  std::vector<uint8_t> bytes(header.begin(), header.end());
  for (uint32_t pixel : frame.Pixels) {
    bytes.push_back(static_cast<uint8_t>(pixel >> 16));
    bytes.push_back(static_cast<uint8_t>(pixel >> 8));
    bytes.push_back(static_cast<uint8_t>(pixel));
  }
  return bytes;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    uint8_t buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
  }
  return bytes;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  EXPECT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
  std::fclose(f);
}

struct TGolden {
  const char* Name;
  TTransitionKind Kind;
  int32_t Pattern;
  uint64_t Seed;
};

TEST(TransitionGolden, FramesMatchTheStoredOnes) {
  const TGolden cases[] = {
      {"fade", TTransitionKind::Fade, 0, 0},
      {"reveal03", TTransitionKind::Reveal, 3, 0},
      {"reveal08", TTransitionKind::Reveal, 8, 0},
      {"reveal10", TTransitionKind::Reveal, 10, 0},
      {"reveal12", TTransitionKind::Reveal, 12, 0x5EED0012},
      {"reveal17", TTransitionKind::Reveal, 17, 0},
      {"reveal21", TTransitionKind::Reveal, 21, 0x5EED0021},
  };
  const bool update = std::getenv("LUMI_UPDATE_GOLDEN") != nullptr;
  const TFrame oldFrame = OldTestFrame(48, 32), newFrame = NewTestFrame(48, 32);
  for (const TGolden& golden : cases) {
    TTransition transition(golden.Kind, golden.Pattern, golden.Seed, oldFrame, newFrame);
    TFrame target = oldFrame;
    for (int quarter = 1; quarter <= 3; ++quarter) {
      transition.Step(quarter / 4.0, TargetOf(target));
      for (uint32_t pixel : target.Pixels) ASSERT_EQ(pixel >> 24, 0xFFu);  // the files hold no alpha
      const std::string path = GoldenDir() + golden.Name + "_p" + std::to_string(25 * quarter) + ".ppm";
      const std::vector<uint8_t> actual = ToPpm(target);
      if (update) {
        WriteFile(path, actual);
        continue;
      }
      const std::vector<uint8_t> stored = ReadFile(path);
      ASSERT_FALSE(stored.empty()) << "missing " << path << " (LUMI_UPDATE_GOLDEN=1 writes it)";
      EXPECT_TRUE(stored == actual) << path << " differs";
    }
  }
}

}  // namespace
