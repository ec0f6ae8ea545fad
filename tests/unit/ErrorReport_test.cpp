// The texts of the two error reports and the application title they carry.
#include <gtest/gtest.h>

#include "base/ErrorReport.h"
#include "base/Errors.h"

TEST(ErrorReport, ApplicationTitleIsTheFileNameUpToItsFirstStopInTitleCase) {
  EXPECT_EQ(ApplicationTitle("Lumivale.scr"), "Lumivale");
  EXPECT_EQ(ApplicationTitle("LUMIVA~1.SCR"), "Lumiva~1");
  EXPECT_EQ(ApplicationTitle("my.SAVER.scr"), "my");
  EXPECT_EQ(ApplicationTitle("NOEXT"), "Noext");
  EXPECT_EQ(ApplicationTitle(""), "");
}

TEST(ErrorReport, AFullStopIsAddedOnlyAfterCharactersSortingAfterIt) {
  EXPECT_EQ(WithFinalStop("Stream-Schreibfehler"), "Stream-Schreibfehler.");
  EXPECT_EQ(WithFinalStop("Fehler beim Holen der Daten f\xC3\xBCr 'Effect'"),
            "Fehler beim Holen der Daten f\xC3\xBCr 'Effect'");  // "'" sorts before "."
  EXPECT_EQ(WithFinalStop("Done."), "Done.");
  EXPECT_EQ(WithFinalStop("Trailing blank "), "Trailing blank ");
  EXPECT_EQ(WithFinalStop("Ends in 7"), "Ends in 7.");
  EXPECT_EQ(WithFinalStop("Ends in \xC3\xBC"), "Ends in \xC3\xBC.");
  EXPECT_EQ(WithFinalStop(""), "");
}

TEST(ErrorReport, FatalReportNamesClassModuleAndAddress) {
  EXPECT_EQ(FatalReportText("EConvertError", "Lumivale.scr", 0x1400012ABu,
                            InvalidIntegerText("abc")),
            "Exception EConvertError in Modul Lumivale.scr bei 00000001400012AB.\r\n"
            "'abc' ist kein g\xC3\xBCltiger Integerwert.\r\n");
}
