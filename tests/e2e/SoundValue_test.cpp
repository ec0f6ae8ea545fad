// The navigation sound in its usual form, a path through an environment variable, keeps its type
// through a session: written back as plain text it would name no file.
#include "tests/e2e/SlideshowSession.h"

using SoundValue = SlideshowSessionTest;

TEST_F(SoundValue, AnExpandableSoundStaysExpandableDuringAndAfterAFullScreenSession) {
  const std::string sound = "%SystemRoot%\\media\\Windows Navigation Start.wav";
  WriteRegString(SoundKey, "", sound, REG_EXPAND_SZ);
  const std::optional<TRawRegValue> before = ReadRegValue(SoundKey, "");
  ASSERT_TRUE(StartFullScreen());
  EXPECT_EQ(ReadRegValue(SoundKey, "").value_or(TRawRegValue{}).Type, DWORD(REG_EXPAND_SZ));
  EXPECT_EQ(ReadRegString(SoundKey, ""), sound + Marker);
  PressKey('A');
  EXPECT_EQ(RunAnsweringBoxes(*FSaver, EndTimeout).ExitCode, std::optional<DWORD>(0));
  EXPECT_EQ(ReadRegValue(SoundKey, ""), before);
}
