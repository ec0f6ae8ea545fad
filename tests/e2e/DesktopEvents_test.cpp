// What happens on a real desk while the saver runs or is asked to: a temporary directory that
// cannot be written, host handles that name no window, another window taking the foreground, the
// user logging off, and the display settings going away under the configuration dialog. Every
// case ends with exit code 0, one box at most and the machine as it was.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "tests/e2e/Driver.h"
#include "tests/e2e/SlideshowSession.h"

namespace {

class DesktopEvents : public SlideshowSessionTest {};

// The temporary directory takes no file: activation reports it once, and dismissing the box
// brings no second one (the window getting the activation back starts nothing over). The
// session stays black and ends like any session: on a key, a mouse movement or a click.
TEST_F(DesktopEvents, AnUnwritableTemporaryDirectoryGivesOneBoxAndTheSessionStillEnds) {
  const std::string missing = TempDirectory() + "no-such-folder\\";
  const std::pair<const char*, std::function<void()>> ends[] = {
      {"key", [] { PressKey('A'); }},
      {"mouse movement", [] { MoveExactly({StartPoint.x + 12, StartPoint.y}); }},
      {"click", [] { Click(TMouseButton::Left); }},
  };
  for (const auto& [name, end] : ends) {
    SCOPED_TRACE(name);
    {
      TScopedEnvironment tmp("TMP", missing), temp("TEMP", missing);
      MoveExactly(StartPoint);
      FSaver.emplace(TProcess::Launch(SaverPath(), "/s"));
    }
    std::optional<HWND> box = WaitForDialog(*FSaver, StartTimeout);
    ASSERT_TRUE(box) << "no error box";
    TMessageBox read = ReadMessageBox(*box);
    EXPECT_EQ(read.Caption, "Lumivale");
    // It names the file it tried to make there.
    EXPECT_TRUE(read.Text.starts_with("Datei \"" + missing + "ins") &&
                read.Text.find(".jpg\" kann nicht erstellt werden.") != std::string::npos)
        << read.Text;
    EXPECT_STREQ(ToString(read.Icon), ToString(TBoxIcon::Stop));
    PressButton(*box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(*box); }, EndTimeout));
    ExpectStillRunning();  // no second box, no loop

    end();
    ExpectCleanEnd();
  }
}

// A preview handle of 0, or one that names no window, leaves nothing to show in: the process ends
// at once, showing no window and changing nothing.
class DeadPreviewHandle : public DesktopEvents, public testing::WithParamInterface<const char*> {};

TEST_P(DeadPreviewHandle, EndsAtOnceWithNoWindowNoFileAndNoChange) {
  std::string arguments = GetParam();
  if (arguments.ends_with("{gone}")) {
    HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(gone);
    DestroyWindow(gone);
    arguments.replace(arguments.size() - 6, 6, HandleText(gone));
  }
  FSaver.emplace(TProcess::Launch(SaverPath(), arguments));
  bool windowSeen = false;
  ASSERT_TRUE(WaitUntil(
      [&] {
        for (HWND window : FSaver->TopLevelWindows()) windowSeen |= IsWindowVisible(window) != FALSE;
        return !FSaver->Running();
      },
      StartTimeout));
  EXPECT_EQ(FSaver->WaitForExit(TMs(0)), std::optional<DWORD>(0));
  EXPECT_FALSE(windowSeen);
  ExpectSystemAsBefore();
}

INSTANTIATE_TEST_SUITE_P(, DeadPreviewHandle, testing::Values("/p 0", "/l 0", "0", "/p {gone}"));

// Events from outside the session that end it as the user's input does.
TEST_F(DesktopEvents, LogoffEndsTheSessionAndPutsEverythingBack) {
  HWND saver = StartFullScreen();
  ASSERT_TRUE(saver);
  ExpectSessionSettings();
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutW(saver, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer));
  EXPECT_EQ(answer, DWORD_PTR(TRUE)) << "the saver held up the logoff";
  // The system may end the process as soon as WM_ENDSESSION has been answered.
  ASSERT_TRUE(SendMessageTimeoutW(saver, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer));
  ExpectSystemAsBefore();
  ExpectCleanEnd();
}

TEST_F(DesktopEvents, AnotherWindowTakingTheForegroundEndsTheSession) {
  HWND saver = StartFullScreen();
  ASSERT_TRUE(saver);
  // The display server confirms the saver's activation after the session has started; the switch
  // comes once the saver has handled it, as a user's would.
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == saver; }, StartTimeout));
  ASSERT_TRUE(SendMessageTimeoutW(saver, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr));
  THostWindow other;  // a visible window of another program
  ASSERT_TRUE(SetForegroundWindow(other.Frame()));
  ExpectCleanEnd();
}

// The display settings go away while the configuration dialog they opened is up: the dialog
// ends as if cancelled.
TEST_F(DesktopEvents, TheConfigurationDialogEndsWithItsHostsWindow) {
  std::optional<THostWindow> host(std::in_place);
  FSaver.emplace(TProcess::Launch(SaverPath(), "/c:" + HandleText(host->Frame())));
  ASSERT_TRUE(WaitUntil(
      [&] {
        for (HWND window : FSaver->TopLevelWindows())
          if (IsWindowVisible(window) && GetDlgItem(window, 310) != nullptr) return true;  // its Cancel button
        return !FSaver->Running();
      },
      StartTimeout));
  ASSERT_TRUE(FSaver->Running()) << "no settings dialog came up";
  host.reset();
  ExpectEndsWith0AndNoBox(*FSaver, EndTimeout, "the dialog with its host gone");
  EXPECT_EQ(ReadRegDword(SettingsKey, "Effect"), std::optional<DWORD>(Effect));
}

}  // namespace
