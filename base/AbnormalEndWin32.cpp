// The crash filter and terminate handler that run the registered end steps.
#include "base/AbnormalEndWin32.h"

#include <windows.h>

#include <cstdlib>
#include <exception>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<int, std::function<void()>>>& Steps() {
  static std::vector<std::pair<int, std::function<void()>>> steps;
  return steps;
}

int LastId = 0;

LONG WINAPI CrashFilter(EXCEPTION_POINTERS*) {
  RunAbnormalEndSteps();
  return EXCEPTION_CONTINUE_SEARCH;  // the process dies as it would have
}

}  // namespace

void InstallAbnormalEnd() {
  SetUnhandledExceptionFilter(CrashFilter);
  std::set_terminate([] {
    RunAbnormalEndSteps();
    std::abort();
  });
}

TAbnormalEndStep::TAbnormalEndStep(std::function<void()> step) : FId(++LastId) {
  Steps().emplace_back(FId, std::move(step));
}

TAbnormalEndStep::~TAbnormalEndStep() {
  std::erase_if(Steps(), [this](const auto& entry) { return entry.first == FId; });
}

void RunAbnormalEndSteps() noexcept {
  // A step may end a session whose objects unregister steps: take them out first.
  std::vector<std::pair<int, std::function<void()>>> steps = std::exchange(Steps(), {});
  for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
    try {
      step->second();
    } catch (...) {
    }
  }
}

void TDisabledWindow::Disable(HWND window) {
  Enable();
  EnableWindow(window, FALSE);
  FWindow = window;
  FStep = std::make_unique<TAbnormalEndStep>([this] { Enable(); });
}

void TDisabledWindow::Enable() noexcept {
  if (FWindow == nullptr) return;
  EnableWindow(std::exchange(FWindow, nullptr), TRUE);
  FStep.reset();
}
