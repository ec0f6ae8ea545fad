// The days users meet: a temporary directory named in characters the ANSI code page lacks, a
// disk that fills mid-session, a session killed and the program started again. On each the saver
// shows pictures or black, ends on the first input without a box, and leaves the machine as it
// found it. (What each part does on its own is proven in-process and natively.)
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/Driver.h"
#include "tests/e2e/Saver.h"
#include "tests/e2e/SlideshowSession.h"

namespace {

const RECT Screen() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

bool ShowsPicture() {
  const RECT screen = Screen();
  return WaitForScreen([&](const TPixels& s) { return ShowsFittedPicture(s, screen); }, PictureTimeout).has_value();
}

std::vector<double> ScreenThumbnail() { return Thumbnail(CaptureScreen(Screen()), Screen()); }

std::wstring In(const std::string& folder, const std::string& name) { return Wide(folder + name); }

long long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Appends to `file` until the volume takes no more.
void FillVolume(HANDLE file) {
  SetFilePointer(file, 0, nullptr, FILE_END);
  const std::string block(4096, 'f');
  DWORD written = 0;
  while (WriteFile(file, block.data(), 4096, &written, nullptr) && written == 4096) {
  }
}

class BadDay;
struct TDay {
  const char* Name;
  const char* Temp;  // the folder below the driver's temporary directory, or a path of its own
  std::function<void(BadDay&)> Live;
};

class BadDay : public SlideshowSessionTest, public testing::WithParamInterface<TDay> {
 public:
  // For the days' own steps.
  using SlideshowSessionTest::ExpectSessionSettings, SlideshowSessionTest::ExpectStillRunning,
      SlideshowSessionTest::FSaver, SlideshowSessionTest::NewTempFiles, SlideshowSessionTest::StartFullScreen;

 protected:
  void SetUp() override {
    FOldTemp = TempDirectory();
    const std::string own = GetParam().Temp;
    const std::string temp = own.size() > 1 && own[1] == ':' ? own : FOldTemp + own;
    if (!CreateDirectoryW(Wide(temp).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
      GTEST_SKIP() << "no folder " << temp;
    // The saver inherits the temporary directory of the driver.
    for (const wchar_t* name : {L"TMP", L"TEMP"}) SetEnvironmentVariableW(name, Wide(temp).c_str());
    SlideshowSessionTest::SetUp();
  }
  void TearDown() override {
    SlideshowSessionTest::TearDown();
    for (const wchar_t* name : {L"TMP", L"TEMP"}) SetEnvironmentVariableW(name, Wide(FOldTemp).c_str());
  }

  std::string FOldTemp;
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
       EXPECT_TRUE(ShowsPicture()) << "no picture";
       SaveShot("bad-day-temp-outside-ansi");
       day.ExpectStillRunning();
     }},
    // C:\small is a 4 MB volume of its own (tests/e2e/small-volume.sh).
    {"DiskFullMidSession", "C:\\small\\",
     [](BadDay& day) {
       day.StartFullScreen();
       ASSERT_TRUE(ShowsPicture()) << "no first picture";
       const std::string picture = TempDirectory() + day.NewTempFiles("ins*.jpg").at(0);
       // The disk fills: room is left for one page of a picture, which the picture file gives up.
       const std::wstring fillerPath = In(TempDirectory(), "filler");
       {
         TFileHandle filler(CreateFileW(fillerPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
         FillVolume(filler.Get());
         TFileHandle(CreateFileW(Wide(picture).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, TRUNCATE_EXISTING, 0, nullptr));
         FillVolume(filler.Get());
         SetFilePointer(filler.Get(), -4096, nullptr, FILE_END);
         SetEndOfFile(filler.Get());
       }
       ASSERT_EQ(FileSize(picture), 0);
       const std::vector<double> shown = ScreenThumbnail();
       // The next change writes what fits and fails: the screen keeps its picture, no box.
       ASSERT_TRUE(WaitUntil([&] { return FileSize(picture) > 0; }, PictureTimeout)) << "no change was tried";
       EXPECT_LE(FileSize(picture), 4096);
       day.ExpectStillRunning();
       EXPECT_LT(MeanDifference(ScreenThumbnail(), shown), 2.0) << "the screen changed";
       SaveShot("bad-day-disk-full");
       // Room again: the change after shows a picture.
       DeleteFileW(fillerPath.c_str());
       ASSERT_TRUE(WaitUntil([&] { return FileSize(picture) > 4096; }, PictureTimeout)) << "no change came after";
       EXPECT_TRUE(ShowsPicture());
       day.ExpectStillRunning();
     }},
    {"KilledAndStartedAgain", "",
     [](BadDay& day) {
       day.StartFullScreen();
       ASSERT_TRUE(WaitUntil([&] { return day.NewTempFiles("ins*.jpg").size() == 1; }, PictureTimeout));
       const std::vector<std::string> left = day.NewTempFiles("ins*");
       const std::string killedRecord = SettingsKey + "\\Sessions\\" + std::to_string(day.FSaver->Id());
       EXPECT_TRUE(KeyExists(killedRecord));
       day.FSaver->Kill();
       day.ExpectSessionSettings();
       EXPECT_EQ(day.NewTempFiles("ins*"), left);
       // The next start puts back what the killed session left before it changes anything.
       day.StartFullScreen();
       for (const std::string& name : left) EXPECT_EQ(FileSize(TempDirectory() + name), -1) << name;
       day.ExpectSessionSettings();  // one marker: the killed session's went
       EXPECT_FALSE(KeyExists(killedRecord));
     }},
};

INSTANTIATE_TEST_SUITE_P(, BadDay, testing::ValuesIn(Days), [](const auto& info) { return info.param.Name; });

}  // namespace
