// The names of the session's files: "ins", the number in upper-case hexadecimal, the extension;
// the numbers tried go round 1 to 0xFFFF.
#include <gtest/gtest.h>

#include "session/TempFiles.h"

TEST(TempFiles, NamesAndTheNumbersTriedInTurn) {
  struct TCase {
    uint32_t Number;
    const char* Extension;
    const char* Name;
    uint32_t Next;
  } cases[] = {
      {0x1A2B, "jpg", "ins1A2B.jpg", 0x1A2C}, {1, "htm", "ins1.htm", 2},
      {0xFFFF, "htm", "insFFFF.htm", 1},      {0xFFFE, "jpg", "insFFFE.jpg", 0xFFFF},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(TempFileName(c.Number, c.Extension), c.Name);
    EXPECT_EQ(NextTempNumber(c.Number), c.Next) << c.Number;
  }
  EXPECT_EQ(NextTempNumber(0x12345678) - 1, 0x12345678u % 0xFFFF);  // any start lands in the circle
}
