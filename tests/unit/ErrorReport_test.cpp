// The texts of the two error reports and the application title they carry.
#include <gtest/gtest.h>

#include "base/ErrorReport.h"
#include "base/Errors.h"

TEST(ErrorReport, ApplicationTitleIsTheFileNameUpToItsFirstStopInTitleCase) {
  const std::pair<const char*, const char*> cases[] = {
      {"Lumivale.scr", "Lumivale"}, {"LUMIVA~1.SCR", "Lumiva~1"}, {"my.SAVER.scr", "my"}, {"NOEXT", "Noext"}, {"", ""}};
  for (auto [file, title] : cases) EXPECT_EQ(ApplicationTitle(file), title) << file;
}

TEST(ErrorReport, AFullStopIsAddedOnlyAfterCharactersSortingAfterIt) {
  for (const char* text : {"Stream-Schreibfehler", "Ends in 7", "Ends in \xC3\xBC"})
    EXPECT_EQ(WithFinalStop(text), std::string(text) + ".");
  // Nothing after what sorts before "." ("'", " "), after a stop, or to nothing.
  for (const char* text : {"Fehler beim Holen der Daten f\xC3\xBCr 'Effect'", "Done.", "Trailing blank ", ""})
    EXPECT_EQ(WithFinalStop(text), text);
}

TEST(ErrorReport, FatalReportNamesClassModuleAndAddress) {
  EXPECT_EQ(FatalReportText("EConvertError", "Lumivale.scr", 0x1400012ABu,
                            InvalidIntegerText("abc")),
            "Exception EConvertError in Modul Lumivale.scr bei 00000001400012AB.\r\n"
            "'abc' ist kein g\xC3\xBCltiger Integerwert.\r\n");
}

// A handle text of any length: the box quotes its first 64 bytes, never half a character.
TEST(ErrorReport, ALongHandleTextIsCut) {
  const std::string x63(63, 'x'), rest = "' ist kein g\xC3\xBCltiger Integerwert";
  EXPECT_EQ(InvalidIntegerText(x63 + "x"), "'" + x63 + "x" + rest);
  EXPECT_EQ(InvalidIntegerText(std::string(30000, 'x')), "'" + x63 + "x\xE2\x80\xA6" + rest);
  EXPECT_EQ(InvalidIntegerText(x63 + "\xC3\xBCyy"), "'" + x63 + "\xE2\x80\xA6" + rest);
}
