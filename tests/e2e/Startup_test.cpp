// Lumivale.scr started as the screen-saver host starts it: the exit codes, and the last-chance
// error report of a window-handle text that is not a number.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "tests/e2e/Driver.h"
#include "tests/e2e/Saver.h"

namespace {

std::vector<HWND> VisibleWindows(const TProcess& process) {
  std::vector<HWND> windows = process.TopLevelWindows();
  std::erase_if(windows, [](HWND window) { return !IsWindowVisible(window); });
  return windows;
}

// The report names the address at which the error was raised; it differs between builds, so it
// is checked for its form (16 upper-case hexadecimal digits) and then left out of the comparison.
std::string WithoutAddress(std::string text) {
  const std::string head = "Exception EConvertError in Modul Lumivale.scr bei ";
  if (text.compare(0, head.size(), head) != 0 || text.size() < head.size() + 16) return text;
  std::string address = text.substr(head.size(), 16);
  bool upperHex = std::all_of(address.begin(), address.end(),
                              [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); });
  return upperHex ? text.replace(head.size(), 16, "<address>") : text;
}

struct TBadHandleCase {
  const char* Name;
  const char* Arguments;
  const char* HandleText;  // as the report quotes it
};

void PrintTo(const TBadHandleCase& c, std::ostream* out) { *out << '"' << c.Arguments << '"'; }

class BadHandleText : public testing::TestWithParam<TBadHandleCase> {};

TEST_P(BadHandleText, ShowsTheLastChanceReportAndExitsWith1) {
  const TBadHandleCase& c = GetParam();
  TProcess scr = TProcess::Launch(SaverPath(), c.Arguments);
  TRunResult run = RunAnsweringBoxes(scr, StartTimeout, [&](HWND box, const TMessageBox& read) {
    // Neither the dialog nor the saver window comes up beside the report.
    EXPECT_EQ(VisibleWindows(scr), std::vector<HWND>{box});
    SaveShot(std::string("bad-handle-") + c.Name, read.Area);
  });

  ASSERT_EQ(run.ExitCode, std::optional<DWORD>(1)) << "no exit code: still running at the time-out";
  ASSERT_EQ(run.Boxes.size(), 1u);
  const TMessageBox& box = run.Boxes[0];
  EXPECT_EQ(box.Caption, "Anwendungsfehler");
  EXPECT_EQ(WithoutAddress(box.Text), "Exception EConvertError in Modul Lumivale.scr bei <address>.\r\n'" +
                                          std::string(c.HandleText) + "' ist kein g\xC3\xBCltiger Integerwert.\r\n");
  EXPECT_STREQ(ToString(box.Icon), ToString(TBoxIcon::Stop));
  EXPECT_EQ(box.Buttons, std::vector<std::string>{"OK"});
  // Task-modal with no owner; a system-modal box would be topmost.
  EXPECT_FALSE(box.Owned);
  EXPECT_FALSE(box.Topmost);
}

INSTANTIATE_TEST_SUITE_P(, BadHandleText,
                         testing::Values(TBadHandleCase{"PreviewLetters", "/p abc", "abc"},
                                         TBadHandleCase{"PreviewUmlaut", "/p \xC3\xA4", "\xC3\xA4"},
                                         TBadHandleCase{"PreviewWithoutHandle", "/p", ""},
                                         TBadHandleCase{"PreviewEmptyAfterColon", "/p:", ""},
                                         TBadHandleCase{"PasswordWithoutHandle", "/a", ""},
                                         TBadHandleCase{"ConfigLetters", "/c xyz", "xyz"}),
                         [](const auto& info) { return std::string(info.param.Name); });

// A failed start-up has changed nothing: no browser setting is touched, no settings key is made
// and no temporary file is left.
TEST(BadHandleTextLeavesTheSystemAlone, RegistryAndTemporaryFiles) {
  TSavedRegValue keepSound(SoundKey, "");
  TSavedRegValue keepTransitions(BrowserKey, "Page_Transitions");
  WriteRegString(SoundKey, "", "C:\\Windows\\Media\\Navigate.wav");
  WriteRegDword(BrowserKey, "Page_Transitions", 0);
  DeleteRegKey(SettingsKey);
  const auto soundBefore = ReadRegValue(SoundKey, "");
  const auto transitionsBefore = ReadRegValue(BrowserKey, "Page_Transitions");
  const auto tempBefore = TempFiles("ins*");

  TProcess scr = TProcess::Launch(SaverPath(), "/p abc");
  TRunResult run = RunAnsweringBoxes(scr, StartTimeout);
  ASSERT_EQ(run.ExitCode, std::optional<DWORD>(1));

  EXPECT_EQ(ReadRegValue(SoundKey, ""), soundBefore);
  EXPECT_EQ(ReadRegValue(BrowserKey, "Page_Transitions"), transitionsBefore);
  EXPECT_FALSE(KeyExists(SettingsKey));
  EXPECT_EQ(TempFiles("ins*"), tempBefore);
}

// Command lines whose handle text is good (or not needed): each ends with 0 and shows nothing.
// "{preview}" and "{frame}" stand for the handles of a host window of ours. The two slideshow
// modes run until their session is ended: the full-screen one by a key, the preview by the host
// taking its window away; the settings dialog when it is cancelled.
enum class TEnding { ByItself, Key, HostGone, DialogCancelled };

struct TGoodCase {
  const char* Name;
  const char* Arguments;
  TEnding Ending = TEnding::ByItself;
};

void PrintTo(const TGoodCase& c, std::ostream* out) { *out << '"' << c.Arguments << '"'; }

class GoodCommandLine : public testing::TestWithParam<TGoodCase> {};

std::string WithHandles(std::string text, const THostWindow& host) {
  const std::pair<std::string, HWND> marks[] = {{"{preview}", host.Preview()}, {"{frame}", host.Frame()}};
  for (const auto& [mark, window] : marks)
    if (size_t at = text.find(mark); at != std::string::npos) text.replace(at, mark.size(), HandleText(window));
  return text;
}

TEST_P(GoodCommandLine, EndsWith0AndNoBox) {
  const TGoodCase& c = GetParam();
  std::optional<THostWindow> host(std::in_place);
  TProcess scr = TProcess::Launch(SaverPath(), WithHandles(c.Arguments, *host));
  if (c.Ending == TEnding::DialogCancelled) {
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
          for (HWND window : VisibleWindows(scr))
            if (GetDlgItem(window, 310) != nullptr) dialog = window;  // the settings dialog's Cancel
          return dialog != nullptr || !scr.Running();
        },
        StartTimeout));
    ASSERT_NE(dialog, nullptr) << "no settings dialog came up";
    PressButton(dialog, 310);
  } else if (c.Ending != TEnding::ByItself) {
    ASSERT_TRUE(WaitForSlideshow(scr, StartTimeout)) << "no slideshow came up";
    if (c.Ending == TEnding::Key)
      PressKey(VK_SPACE);
    else
      host.reset();
  }
  TRunResult run = RunAnsweringBoxes(scr, StartTimeout);
  EXPECT_EQ(run.ExitCode, std::optional<DWORD>(0)) << "no exit code: still running at the time-out";
  EXPECT_TRUE(run.Boxes.empty()) << run.Boxes.front().Caption << ": " << run.Boxes.front().Text;
}

INSTANTIATE_TEST_SUITE_P(, GoodCommandLine,
                         testing::Values(TGoodCase{"Saver", "/s", TEnding::Key}, TGoodCase{"Config", "/c", TEnding::DialogCancelled},
                                         TGoodCase{"NoArgument", "", TEnding::DialogCancelled}, TGoodCase{"PasswordWithHandle", "/a 12"},
                                         TGoodCase{"PreviewInHost", "/p {preview}", TEnding::HostGone},
                                         TGoodCase{"ConfigInHost", "/c:{frame}", TEnding::DialogCancelled}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
