// A preview session in a host window of this process: the window system here does not draw a
// child window that belongs to another process, so this is where the preview's pixels are seen,
// and where a tick can be driven by hand.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/ApplicationWin32.h"
#include "base/RunState.h"
#include "session/SchonerWin32.h"
#include "tests/support/Ppm.h"
#include "tests/win/PreviewHost.h"

namespace {

TSchoner* Session = nullptr;
std::vector<uint32_t> Seen;

// The first picture, its ticks given by hand and its transition played to the end (a hundred
// times faster); then the host reads its preview's pixels and closes the session.
void CALLBACK ShowThePictureLookAndClose(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  KillTimer(Session->Handle(), Session->Timer1.Id());
  Session->WebBrowser1->Player().SetTimeScale(100);
  EXPECT_TRUE(NextPicture(*Session));
  HWND preview = GetParent(Session->Handle());
  HDC dc = GetDC(preview);
  Seen.clear();
  for (int y = 0; y < 112; ++y)
    for (int x = 0; x < 152; ++x) Seen.push_back(GetPixel(dc, x, y));
  ReleaseDC(preview, dc);
  PostMessageW(Session->Handle(), WM_CLOSE, 0, 0);
}

// The picture is due on this tick, and the messages it handles first end the session (here the
// user logs off): the tick then writes nothing, and the session leaves no file behind.
void CALLBACK EndInsideADueTick(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  const HWND saver = Session->Handle();
  KillTimer(saver, Session->Timer1.Id());  // only the ticks sent here count
  for (int tick = 0; tick < 20; ++tick) SendMessageW(saver, WM_TIMER, Session->Timer1.Id(), 0);  // the count runs down
  PostMessageW(saver, WM_ENDSESSION, TRUE, 0);
  SendMessageW(saver, WM_TIMER, Session->Timer1.Id(), 0);
}

TEST(SaverPreview, NothingIsWrittenAfterTheEnd) {
  HWND frame = OpenPreviewHost(152, 112);
  const std::vector<std::string> before = SessionFiles();
  {
    TSchoner schoner;
    Session = &schoner;
    schoner.Create();
    SetTimer(nullptr, 0, 10, EndInsideADueTick);
    schoner.ShowModal();
    EXPECT_EQ(schoner.Stage(), TSessionStage::Ended);
  }
  EXPECT_EQ(SessionFiles(), before);
  ClosePreviewHost(frame);
}

TEST(SaverPreview, ShowsThePictureLetterboxedInTheHostsPreview) {
  HWND frame = OpenPreviewHost(152, 112);
  {
    TSchoner schoner;
    Session = &schoner;
    schoner.Create();
    ASSERT_EQ(GetParent(schoner.Handle()), GetWindow(frame, GW_CHILD));
    SetTimer(nullptr, 0, 10, ShowThePictureLookAndClose);
    schoner.ShowModal();
    EXPECT_EQ(schoner.ModalResult(), mrCancel);
  }
  ClosePreviewHost(frame);

  ASSERT_EQ(Seen.size(), size_t{152 * 112});
  if (const char* shots = std::getenv("LUMI_SHOTS")) {  // for looking at it
    WriteBytes(std::string(shots) + "\\preview.ppm", PpmBytes(152, 112, [](size_t i) {
                 return uint32_t{GetRValue(Seen[i])} << 16 | GetGValue(Seen[i]) << 8 | GetBValue(Seen[i]);
               }));
  }
  auto at = [](int x, int y) { return Seen[static_cast<size_t>(y) * 152 + x]; };
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
