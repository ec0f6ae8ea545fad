// The days users meet: a temporary directory outside the ANSI code page, a disk that fills
// mid-session, a session killed and the program started again. Each session shows pictures or
// black, ends on the first input without a box, and leaves the machine as it found it.
#include <gtest/gtest.h>

#include <functional>

#include "tests/e2e/SlideshowSession.h"

namespace {

bool ShowsPicture() {
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return WaitForScreen([&](const TPixels& s) { return ShowsFittedPicture(s, screen); }, PictureTimeout).has_value();
}

long long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  return GetFileAttributesExW(Utf8ToWide(path).c_str(), GetFileExInfoStandard, &data) ? static_cast<long long>(data.nFileSizeLow) : -1;
}

// Writes until the volume is full, and never more than 64 MB: only a small volume of the run's own
// is ever filled.
void FillVolume(HANDLE file) {
  const std::string block(4096, 'f');
  DWORD written = 0;
  for (int i = 0; i < 16384 && WriteFile(file, block.data(), 4096, &written, nullptr) && written == 4096; ++i) {
  }
}

class BadDay;
struct TDay {
  const char* Name;
  const char* Temp;  // a folder of its own for TMP, below the driver's or with a drive
  std::function<void(BadDay&)> Live;
};

class BadDay : public SlideshowSessionTest, public testing::WithParamInterface<TDay> {
 public:
  using SlideshowSessionTest::ExpectSessionSettings, SlideshowSessionTest::ExpectStillRunning,
      SlideshowSessionTest::FSaver, SlideshowSessionTest::NewTempFiles, SlideshowSessionTest::StartFullScreen;

 protected:
  void SetUp() override {
    const std::string own = GetParam().Temp, temp = own.find(':') == 1 ? own : TempDirectory() + own;
    ULARGE_INTEGER total{};
    if (own.find(':') == 1 && !(GetDiskFreeSpaceExW(Utf8ToWide(own).c_str(), nullptr, &total, nullptr) && total.QuadPart <= 64 << 20))
      GTEST_SKIP() << "no small volume at " << own;  // the run has no mount namespace of its own
    if (!CreateDirectoryW(Utf8ToWide(temp).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
      GTEST_SKIP() << "no folder " << temp;
    FTemp.emplace("TMP", temp);  // the saver inherits it
    SlideshowSessionTest::SetUp();
  }
  std::optional<TScopedEnvironment> FTemp;
};

TEST_P(BadDay, PicturesOrBlackThenAnEndOnInputLeavingNothing) {
  GetParam().Live(*this);
  PressKey('A');
  ExpectCleanEnd();
  EXPECT_FALSE(KeyExists(SettingsKey + "\\Sessions")) << "a session's record stayed";
}

const TDay Days[] = {
    {"TemporaryDirectoryOutsideTheAnsiCodePage", "\xC5\x81\xC3\xB3" "d\xC5\xBA \xE6\x97\xA5\xE6\x9C\xAC\\",
     [](BadDay& day) {
       day.StartFullScreen();
       EXPECT_TRUE(ShowsPicture());
       SaveShot("bad-day-temp-outside-ansi");
     }},
    // A volume of 4 MB of its own (tests/e2e/small-volume.sh) fills: room is left for one page of a
    // picture, which the picture file gives up. A change then fails, keeping the screen; with room
    // again the next one shows its picture.
    {"DiskFullMidSession", "C:\\small\\",
     [](BadDay& day) {
       day.StartFullScreen();
       ASSERT_TRUE(ShowsPicture());
       const std::string picture = TempDirectory() + day.NewTempFiles("ins*.jpg").at(0);
       const std::wstring filler = Utf8ToWide(TempDirectory() + "filler");
       {
         TFileHandle file(CreateFileW(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
         FillVolume(file.Get());
         TFileHandle(CreateFileW(Utf8ToWide(picture).c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr));
         FillVolume(file.Get());
         SetFilePointer(file.Get(), -4096, nullptr, FILE_END);
         SetEndOfFile(file.Get());
       }
       const std::vector<double> shown = Thumbnail(CaptureScreen(ScreenArea()), ScreenArea());
       ASSERT_TRUE(WaitUntil([&] { return FileSize(picture) > 0; }, PictureTimeout)) << "no change was tried";
       EXPECT_LE(FileSize(picture), 4096);
       day.ExpectStillRunning();
       EXPECT_LT(MeanDifference(Thumbnail(CaptureScreen(ScreenArea()), ScreenArea()), shown), 2.0);
       DeleteFileW(filler.c_str());
       ASSERT_TRUE(WaitUntil([&] { return FileSize(picture) > 4096; }, PictureTimeout)) << "no change came after";
       EXPECT_TRUE(ShowsPicture());
     }},
    // The next start puts back what the killed session left before it changes anything itself.
    {"KilledAndStartedAgain", "",
     [](BadDay& day) {
       day.StartFullScreen();
       const std::vector<std::string> left = day.NewTempFiles("ins*");
       const std::string record = SettingsKey + "\\Sessions\\" + std::to_string(day.FSaver->Id());
       ASSERT_TRUE(WaitUntil([&] { return ReadRegString(record, "Page file").has_value(); }, ReactTimeout));
       day.FSaver->Kill();
       day.StartFullScreen();
       for (const std::string& name : left) EXPECT_EQ(FileSize(TempDirectory() + name), -1) << name;
       day.ExpectSessionSettings();  // one marker: the killed session's went
       EXPECT_FALSE(KeyExists(record));
     }},
};

INSTANTIATE_TEST_SUITE_P(, BadDay, testing::ValuesIn(Days), [](const auto& info) { return info.param.Name; });

}  // namespace
