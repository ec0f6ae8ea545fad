// Texts reach the wide API intact whatever the ANSI code page; the UTF-8 round trip keeps them.
#include <gtest/gtest.h>

#include "base/TextWin32.h"

TEST(WinText, RoundTripsTheProgramsTexts) {
  const std::string text = "'abc' ist kein g\xC3\xBCltiger Integerwert";
  std::wstring wide = Utf8ToWide(text);
  EXPECT_EQ(wide, L"'abc' ist kein g\u00FCltiger Integerwert");
  EXPECT_EQ(WideToUtf8(wide), text);
  EXPECT_EQ(AnsiToUtf8("plain"), "plain");
  EXPECT_EQ(Utf8ToWide(""), L"");
}
