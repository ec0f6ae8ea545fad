// What must be put back however the process ends: a step registered here runs when an exception
// no handler caught (a crash) or std::terminate ends the process, before it dies. A normal end
// runs the same steps through their owners' destructors and never reaches these.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

// Once, at the program's start: the crash filter and the terminate handler.
void InstallAbnormalEnd();

// Registered for the object's lifetime; the newest step runs first.
class TAbnormalEndStep {
public:
  explicit TAbnormalEndStep(std::function<void()> step);
  ~TAbnormalEndStep();
  TAbnormalEndStep(const TAbnormalEndStep&) = delete;
  TAbnormalEndStep& operator=(const TAbnormalEndStep&) = delete;

private:
  int FId;
};

// Runs every registered step once (each catches what it raises) and unregisters it.
void RunAbnormalEndSteps() noexcept;

// Keeps another program's window disabled while a window of ours is modal over it, and enables
// it again on every way out: Enable, the destructor, or the process ending abnormally.
class TDisabledWindow {
public:
  void Disable(HWND window);
  void Enable() noexcept;
  ~TDisabledWindow() { Enable(); }

private:
  HWND FWindow = nullptr;
  std::unique_ptr<TAbnormalEndStep> FStep;
};
