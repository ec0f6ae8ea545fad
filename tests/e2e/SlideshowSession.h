// The slideshow sessions of the end-to-end tests: the effect they set, and a fixture that starts
// Lumivale.scr, keeps the user's settings as they were and checks that a session ends leaving
// nothing behind.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/e2e/Driver.h"
#include "tests/e2e/Saver.h"

// Effect 5 ("Wipe down") makes every page's transition tag known in advance.
inline const DWORD Effect = 5;
inline const std::string ExitTag = "<meta http-equiv=Page-Exit content=revealTrans(Duration=3,transition=5)>";

// Where the cursor stands when a full-screen session starts: movement counts from here.
inline const POINT StartPoint{400, 300};

inline POINT Offset(POINT p, int dx, int dy) { return {p.x + dx, p.y + dy}; }

// Points and rectangles as text, for comparing and for the failure message.
inline std::string Text(POINT p) { return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")"; }
inline std::string Text(const RECT& r) { return Text(POINT{r.left, r.top}) + "-" + Text(POINT{r.right, r.bottom}); }

// Moves the cursor and checks that it landed exactly where asked: the thresholds are exact pixels.
inline void MoveExactly(POINT target) {
  ASSERT_EQ(Text(MoveMouseToAndHold(target)), Text(target)) << "the absolute move did not land on the pixel";
}

inline std::vector<std::string> Without(std::vector<std::string> names, const std::vector<std::string>& old) {
  std::erase_if(names, [&](const std::string& name) { return std::find(old.begin(), old.end(), name) != old.end(); });
  return names;
}

inline void Click(TMouseButton button) {
  SendMouseButton(button, true);
  SendMouseButton(button, false);
}

// Every case seeds the browser settings and the effect and puts them back afterwards; files a
// failed case leaves in the temporary directory are removed.
class SlideshowSessionTest : public testing::Test {
 protected:
  void SetUp() override {
    WriteRegString(SoundKey, "", Sound);
    WriteRegDword(BrowserKey, "Page_Transitions", 0);
    WriteRegDword(SettingsKey, "Effect", Effect);
    FTempBefore = TempFiles("ins*");
  }

  void TearDown() override {
    ReleaseMouse();
    if (FSaver) FSaver->Kill();
    for (const std::string& name : Without(TempFiles("ins*"), FTempBefore)) DeleteFileW(Utf8ToWide(TempDirectory() + name).c_str());
  }

  // Starts a full-screen session with the cursor at StartPoint; returns its window. Wine holds the
  // pointer for a full-screen window once the display has confirmed its activation, and then
  // takes the pointer's position from the display: a move sent before that may be undone. Input
  // comes once the saver has handled the activation, as a user's would.
  HWND StartFullScreen() {
    MoveExactly(StartPoint);
    HWND saver = Start("/s");
    if (saver && WaitUntil([&] { return GetForegroundWindow() == saver; }, StartTimeout))
      SendMessageTimeoutW(saver, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    return saver;
  }

  HWND Start(const std::string& arguments) {
    FSaver.emplace(TProcess::Launch(SaverPath(), arguments));
    std::optional<HWND> window = WaitForSlideshow(*FSaver, StartTimeout);
    if (!window) ADD_FAILURE() << "no slideshow came up";
    return window.value_or(nullptr);
  }

  std::vector<std::string> NewTempFiles(const char* pattern) const { return Without(TempFiles(pattern), FTempBefore); }

  void ExpectSessionSettings() const {
    EXPECT_EQ(ReadRegString(SoundKey, ""), Sound + Marker);
    EXPECT_EQ(ReadRegDword(BrowserKey, "Page_Transitions"), std::optional<DWORD>(1));
  }

  void ExpectStillRunning() const {
    Pause(Settle);
    EXPECT_TRUE(FSaver->Running()) << "the session ended";
    EXPECT_TRUE(FSaver->Dialogs().empty());
  }

  // The session has ended or is ending: exit code 0, no box, no file left, settings back.
  void ExpectCleanEnd() {
    ExpectEndsWith0AndNoBox(*FSaver, EndTimeout, "the session");
    ExpectSystemAsBefore();
  }

  // No temporary file left, the browser settings as the case seeded them.
  void ExpectSystemAsBefore() const {
    EXPECT_EQ(TempFiles("ins*"), FTempBefore);
    EXPECT_EQ(ReadRegString(SoundKey, ""), Sound);
    EXPECT_EQ(ReadRegDword(BrowserKey, "Page_Transitions"), std::optional<DWORD>(0));
  }

  std::optional<TProcess> FSaver;

 private:
  TSavedRegValue FKeepSound{SoundKey, ""};
  TSavedRegValue FKeepTransitions{BrowserKey, "Page_Transitions"};
  TSavedRegValue FKeepEffect{SettingsKey, "Effect"};
  std::vector<std::string> FTempBefore;
};
