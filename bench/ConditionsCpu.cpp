// What a session costs with the display on and with it off: a session the size of the screen runs
// in this process on its own clock for SECONDS (default 60) each way, and the process's CPU time
// and the frames its view drew are printed for both. The display's switching off is delivered to
// the saver window as the system delivers it.
// Usage (under Wine, e.g. LUMI_SCREEN=1920x1080x24 tools/wine-run.sh conditions_cpu.exe [SECONDS]).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/ApplicationWin32.h"
#include "base/RunState.h"
#include "saver/SchonerWin32.h"
#include "tests/support/TestAccess.h"

namespace {

TSchoner* Session = nullptr;
int Seconds = 60;

double CpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    return static_cast<double>(static_cast<uint64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

void SendDisplayState(DWORD state) {
  struct {
    POWERBROADCAST_SETTING Setting;
    DWORD Rest;
  } notice{{ConsoleDisplayState, sizeof(DWORD), {}}, 0};
  CopyMemory(notice.Setting.Data, &state, sizeof state);
  SendMessageW(Session->Handle(), WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(&notice.Setting));
}

// Runs the session's own loop for the given seconds and prints what it cost.
void Measure(const char* name) {
  const double cpu = CpuSeconds();
  const TTransitionPlayer& player = TTestAccess::Player(*Session->PageView);
  const uint64_t frames = TTestAccess::FramesDrawn(player);
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(Seconds) * 1000;
  // Wakes once a second to look at the clock (the session itself need not).
  const UINT_PTR clock = SetTimer(nullptr, 0, 1000, nullptr);
  while (GetTickCount64() < end) Application.HandleMessage();
  KillTimer(nullptr, clock);
  std::printf("%-12s %6.2f %% of a core, %llu frames drawn in %d s\n", name, 100 * (CpuSeconds() - cpu) / Seconds,
              static_cast<unsigned long long>(TTestAccess::FramesDrawn(player) - frames), Seconds);
  std::fflush(stdout);
}

void CALLBACK Run(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  Measure("display on");
  SendDisplayState(0);
  Measure("display off");
  SendDisplayState(1);
  PostMessageW(Session->Handle(), WM_CLOSE, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) Seconds = std::max(1, std::atoi(argv[1]));
  Application.Initialize();
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  TSchoner schoner({smPreview, static_cast<int32_t>(reinterpret_cast<intptr_t>(host))});
  Session = &schoner;
  schoner.Create();
  SetTimer(nullptr, 0, 10, Run);
  schoner.ShowModal();
  DestroyWindow(host);
  return 0;
}
