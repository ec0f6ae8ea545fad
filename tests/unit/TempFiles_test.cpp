// From the system's reserved name to the session's file name: the last three characters are
// replaced by position, whatever their case.
#include <gtest/gtest.h>

#include "session/TempFiles.h"

TEST(TempFiles, FinalNameReplacesTheLastThreeCharacters) {
  struct TCase {
    const char* Reserved;
    const char* Extension;
    const char* Final;
  } cases[] = {
      {"C:\\TEMP\\ins1A2B.tmp", "jpg", "C:\\TEMP\\ins1A2B.jpg"},
      {"C:\\TEMP\\ins1A2B.TMP", "jpg", "C:\\TEMP\\ins1A2B.jpg"},
      {"C:\\TEMP\\ins1A2B.tmp", "htm", "C:\\TEMP\\ins1A2B.htm"},
      {"C:\\Users\\A.B\\AppData\\Local\\Temp\\insFFFF.tmp", "htm", "C:\\Users\\A.B\\AppData\\Local\\Temp\\insFFFF.htm"},
      {"", "jpg", ""},  // no name reserved: none made
  };
  for (const TCase& c : cases) EXPECT_EQ(FinalTempName(c.Reserved, c.Extension), c.Final) << c.Reserved;
}
