// A preview session in a host window of this process: the window system here does not draw a
// child window that belongs to another process, so this is where the preview's pixels are seen,
// and where a tick can be driven by hand.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/ApplicationWin32.h"
#include "base/RunState.h"
#include "saver/SchonerWin32.h"
#include "tests/support/Ppm.h"
#include "tests/support/TestAccess.h"
#include "tests/win/PreviewHost.h"

namespace {

TSchoner* Session = nullptr;

// The picture is due on this tick, and the messages it handles first end the session (here the
// user logs off): the tick then writes nothing, and the session leaves no file behind.
void CALLBACK EndInsideADueTick(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  const HWND saver = Session->Handle();
  KillTimer(saver, Session->PictureTimer.Id());  // only the ticks sent here count
  for (int tick = 0; tick < 20; ++tick) SendMessageW(saver, WM_TIMER, Session->PictureTimer.Id(), 0);  // the count runs down
  PostMessageW(saver, WM_ENDSESSION, TRUE, 0);
  SendMessageW(saver, WM_TIMER, Session->PictureTimer.Id(), 0);
}

TEST(SaverPreview, NothingIsWrittenAfterTheEnd) {
  HWND frame = OpenPreviewHost(152, 112);
  const std::vector<std::string> before = SessionFiles();
  {
    TSchoner schoner(PreviewIn(frame));
    Session = &schoner;
    schoner.Create();
    SetTimer(nullptr, 0, 10, EndInsideADueTick);
    schoner.ShowModal();
    EXPECT_EQ(TTestAccess::Stage(schoner), TSessionStage::Ended);
  }
  EXPECT_EQ(SessionFiles(), before);
  ClosePreviewHost(frame);
}

TEST(SaverPreview, ShowsThePictureLetterboxedInTheHostsPreview) {
  // The first picture, its transition played to the end; then the host reads its preview's pixels.
  std::vector<uint32_t> seen;
  RunSession(152, 112, 100, [&](TSchoner& session) {
    const HWND preview = GetParent(session.Handle());
    ASSERT_EQ(preview, GetWindow(GetAncestor(preview, GA_ROOT), GW_CHILD));
    EXPECT_TRUE(NextPicture(session));
    HDC dc = GetDC(preview);
    for (int y = 0; y < 112; ++y)
      for (int x = 0; x < 152; ++x) seen.push_back(GetPixel(dc, x, y));
    ReleaseDC(preview, dc);
  });
  ASSERT_EQ(seen.size(), size_t{152 * 112});
  if (const char* shots = std::getenv("LUMI_SHOTS")) {  // for looking at it
    WriteBytes(std::string(shots) + "\\preview.ppm", PpmBytes(152, 112, [&](size_t i) {
                 return uint32_t{GetRValue(seen[i])} << 16 | GetGValue(seen[i]) << 8 | GetBValue(seen[i]);
               }));
  }
  auto at = [&](int x, int y) { return seen[static_cast<size_t>(y) * 152 + x]; };
  // No picture of the set has the preview's exact shape, so its corners are the page's black and
  // not the host's white.
  EXPECT_EQ(at(0, 0), 0u);
  EXPECT_EQ(at(151, 0), 0u);
  EXPECT_EQ(at(0, 111), 0u);
  EXPECT_EQ(at(151, 111), 0u);
  // Whatever its shape, every picture of the set covers the middle of the preview.
  int lit = 0;
  for (int y = 40; y < 72; ++y)
    for (int x = 56; x < 96; ++x) lit += at(x, y) != 0;
  EXPECT_GT(lit, 40 * 32 / 2);
}

}  // namespace
