// A preview session in a host window of this process: the window system here does not draw a
// child window that belongs to another process, so this is where the preview's pixels are seen,
// and where a tick can be driven by hand.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/RunMode.h"
#include "base/Application.h"
#include "session/Schoner.h"

namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

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

// A white host frame with a 152 x 112 preview child, as the display settings show it; the
// session's run mode points at it. Returns the frame.
HWND OpenPreviewHost() {
  Application.Initialize();
  Application.ResetTerminated();
  WNDCLASSW wc = {};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"PreviewHost";
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  RegisterClassW(&wc);
  HWND frame = CreateWindowExW(0, L"PreviewHost", L"", WS_POPUP | WS_VISIBLE, 10, 10, 200, 160, nullptr, nullptr,
                               wc.hInstance, nullptr);
  HWND preview = CreateWindowExW(0, L"PreviewHost", L"", WS_CHILD | WS_VISIBLE, 20, 20, 152, 112, frame, nullptr,
                                 wc.hInstance, nullptr);
  SaverMode = smPreview;
  ParentWindow = static_cast<int32_t>(reinterpret_cast<intptr_t>(preview));
  return frame;
}

void ClosePreviewHost(HWND frame) {
  Application.ResetTerminated();
  SaverMode = smNone;
  ParentWindow = 0;
  DestroyWindow(frame);
}

// The session's files in the temporary directory.
std::vector<std::string> SessionFiles() {
  char folder[MAX_PATH + 1] = {};
  GetTempPathA(MAX_PATH, folder);
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((std::string(folder) + "ins*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.push_back(found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
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
  HWND frame = OpenPreviewHost();
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
  HWND frame = OpenPreviewHost();
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
