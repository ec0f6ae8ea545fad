// A preview session in a host window of this process: the window system here does not draw a
// child window that belongs to another process, so this is where the preview's pixels are seen,
// and where a tick can be driven by hand.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/RunState.h"
#include "base/ApplicationWin32.h"
#include "session/SchonerWin32.h"
#include "tests/win/PreviewHost.h"

namespace {

TSchoner* Session = nullptr;
std::vector<uint32_t> Seen;

// The host's preview pixels, read while the session runs; then the host closes the session.
void CALLBACK LookAndClose(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
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
  KillTimer(saver, 1);  // only the ticks sent here count
  for (int tick = 0; tick < 20; ++tick) SendMessageW(saver, WM_TIMER, 1, 0);  // the count runs down
  PostMessageW(saver, WM_ENDSESSION, TRUE, 0);
  SendMessageW(saver, WM_TIMER, 1, 0);
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
    // The first picture comes on the 21st tick and takes its 3-second transition.
    SetTimer(nullptr, 0, 6500, LookAndClose);
    schoner.ShowModal();
    EXPECT_EQ(schoner.ModalResult(), mrCancel);
  }
  ClosePreviewHost(frame);

  ASSERT_EQ(Seen.size(), size_t{152 * 112});
  if (const char* shots = std::getenv("LUMI_SHOTS")) {  // for looking at it
    std::string path = std::string(shots) + "\\preview.ppm";
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
      std::fprintf(file, "P6 152 112 255\n");
      for (uint32_t pixel : Seen) {
        unsigned char rgb[3] = {GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)};
        std::fwrite(rgb, 1, 3, file);
      }
      std::fclose(file);
    }
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
