// Measures what a full-screen session keeps in memory: starts Lumivale.scr /s on this screen,
// samples its private bytes while the blank page, the first transition and the first picture are
// shown, and lists the large private regions it holds after that transition, in screen frames.
// Usage (under Wine, see bench/session-memory.sh): session_memory.exe SCR-PATH [EFFECT]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/Driver.h"

namespace {

using TClock = std::chrono::steady_clock;

double Mib(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// Private bytes: the committed memory that belongs to the process alone, region by region
// (Wine's GetProcessMemoryInfo gives no PrivateUsage for another process).
SIZE_T PrivateBytes(HANDLE process, std::vector<MEMORY_BASIC_INFORMATION>* large = nullptr) {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION info;
  for (char* at = nullptr; VirtualQueryEx(process, at, &info, sizeof info) == sizeof info;
       at = static_cast<char*>(info.BaseAddress) + info.RegionSize) {
    if (large && info.RegionSize >= (1u << 20) && info.State != MEM_FREE) large->push_back(info);
    if (info.State != MEM_COMMIT || info.Type != MEM_PRIVATE) continue;
    total += info.RegionSize;
  }
  return total;
}

// Whether the session has written its first picture page (the page file names the picture).
bool PicturePageWritten() {
  for (const std::string& page : TempFiles("ins*.htm"))
    if (ReadTempFile(page).value_or("").find("<img") != std::string::npos) return true;
  return false;
}

// Committed private memory of the process, and its regions of at least 1 MiB of any kind.
void ListPrivateRegions(HANDLE process, SIZE_T frameBytes) {
  std::vector<MEMORY_BASIC_INFORMATION> regions;
  const SIZE_T total = PrivateBytes(process, &regions);
  std::printf("committed private: %.1f MiB; regions of 1 MiB or more:\n", Mib(total));
  for (const MEMORY_BASIC_INFORMATION& r : regions) {
    const char* state = r.State == MEM_COMMIT ? "committed" : "reserved";
    const char* type = r.Type == MEM_PRIVATE ? "private" : r.Type == MEM_MAPPED ? "mapped" : "image";
    std::printf("  %p  %8.2f MiB  %6.3f frames  %s %s\n", r.BaseAddress, Mib(r.RegionSize),
                static_cast<double>(r.RegionSize) / frameBytes, state, type);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: session_memory SCR-PATH [EFFECT]\n");
    return 2;
  }
  const DWORD effect = argc > 2 ? std::stoul(argv[2]) : 23;
  WriteRegDword("Software\\Tarnwell\\Tarnwell - Lumivale", "Effect", effect);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  const SIZE_T frameBytes = static_cast<SIZE_T>(width) * height * 4;

  TProcess saver = TProcess::Launch(argv[1], "/s");
  const TKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, saver.Id()));
  const auto start = TClock::now();
  auto seconds = [&] { return std::chrono::duration<double>(TClock::now() - start).count(); };
  // The blank page comes at once, the first picture about 2 s later behind a 3 s transition.
  SIZE_T blank = 0, peak = 0, after = 0;
  double pictureAt = -1;
  std::printf("screen %d x %d, effect %lu, one frame %.2f MiB\n  time  private MiB\n", width, height, effect,
              Mib(frameBytes));
  while (seconds() < 30.0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (!saver.Running()) {
      std::fprintf(stderr, "the session ended early\n");
      return 1;
    }
    const SIZE_T bytes = PrivateBytes(process.Get());
    if (pictureAt < 0 && PicturePageWritten()) pictureAt = seconds();
    if (pictureAt < 0) blank = bytes;
    else peak = std::max(peak, bytes);
    std::printf("  %5.1f %9.1f%s\n", seconds(), Mib(bytes), pictureAt < 0 ? "  blank page" : "");
    if (pictureAt >= 0 && seconds() > pictureAt + 4.0) {
      after = bytes;
      break;
    }
  }
  if (after == 0) {
    std::fprintf(stderr, "no picture within 30 s\n");
    return 1;
  }
  std::printf("blank page %.1f MiB, peak %.1f MiB (+%.2f frames), after the first transition %.1f MiB "
              "(+%.2f frames over the blank page)\n",
              Mib(blank), Mib(peak), static_cast<double>(peak - blank) / frameBytes, Mib(after),
              (static_cast<double>(after) - static_cast<double>(blank)) / frameBytes);
  ListPrivateRegions(process.Get(), frameBytes);
  return 0;
}
