// A preview session in a host window of this process: the window system here does not draw a
// child window that belongs to another process, so this is where the preview's pixels are seen.
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

TEST(SaverPreview, ShowsThePictureLetterboxedInTheHostsPreview) {
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
  {
    TSchoner schoner;
    Session = &schoner;
    schoner.Create();
    ASSERT_EQ(GetParent(schoner.Handle()), preview);
    // The first picture comes on the 21st tick and takes its 3-second transition.
    SetTimer(nullptr, 0, 6500, LookAndClose);
    schoner.ShowModal();
    EXPECT_EQ(schoner.ModalResult(), mrCancel);
  }
  Application.ResetTerminated();
  SaverMode = smNone;
  ParentWindow = 0;
  DestroyWindow(frame);

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
