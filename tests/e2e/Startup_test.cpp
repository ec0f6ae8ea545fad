// Lumivale.scr started with a window-handle text that is not a number: the last-chance error
// report, exit code 1, and nothing changed. Good command lines end with 0 and show no box in the
// cases of each mode (Slideshow, ConfigDialog, Password).
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
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
std::string WithoutAddress(const std::string& text) {
  return std::regex_replace(text, std::regex("^(Exception EConvertError in Modul Lumivale\\.scr bei )[0-9A-F]{16}"),
                            "$1<address>");
}

struct TBadHandleCase {
  const char* Name;
  const char* Arguments;
  const char* HandleText;  // as the report quotes it
};

void PrintTo(const TBadHandleCase& c, std::ostream* out) { *out << '"' << c.Arguments << '"'; }

// A failed start-up changes nothing: no browser setting is touched, no settings key is made and
// no temporary file is left.
class BadHandleText : public testing::TestWithParam<TBadHandleCase> {
 protected:
  void SetUp() override {
    WriteRegString(SoundKey, "", "C:\\Windows\\Media\\Navigate.wav");
    WriteRegDword(BrowserKey, "Page_Transitions", 0);
    DeleteRegKey(SettingsKey);
    FSoundBefore = ReadRegValue(SoundKey, "");
    FTransitionsBefore = ReadRegValue(BrowserKey, "Page_Transitions");
    FTempBefore = TempFiles("ins*");
  }

  void ExpectSystemAlone() const {
    EXPECT_EQ(ReadRegValue(SoundKey, ""), FSoundBefore);
    EXPECT_EQ(ReadRegValue(BrowserKey, "Page_Transitions"), FTransitionsBefore);
    EXPECT_FALSE(KeyExists(SettingsKey));
    EXPECT_EQ(TempFiles("ins*"), FTempBefore);
  }

 private:
  TSavedRegValue FKeepSound{SoundKey, ""};
  TSavedRegValue FKeepTransitions{BrowserKey, "Page_Transitions"};
  std::optional<TRawRegValue> FSoundBefore, FTransitionsBefore;
  std::vector<std::string> FTempBefore;
};

TEST_P(BadHandleText, ShowsTheLastChanceReportExitsWith1AndChangesNothing) {
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
  ExpectSystemAlone();
}

INSTANTIATE_TEST_SUITE_P(, BadHandleText,
                         testing::Values(TBadHandleCase{"PreviewLetters", "/p abc", "abc"},
                                         TBadHandleCase{"PreviewUmlaut", "/p \xC3\xA4", "\xC3\xA4"},
                                         TBadHandleCase{"PreviewWithoutHandle", "/p", ""},
                                         TBadHandleCase{"PreviewEmptyAfterColon", "/p:", ""},
                                         TBadHandleCase{"PasswordWithoutHandle", "/a", ""},
                                         TBadHandleCase{"ConfigLetters", "/c xyz", "xyz"}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
