// The windows of a full-screen session on the monitors beside the primary one: each covers its
// monitor in physical pixels and shows the slideshow from the embedded pictures, without files,
// without ever taking the activation or the focus, and hands mouse input to the session.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "base/ApplicationWin32.h"
#include "base/OwnersWin32.h"
#include "browser/Frame.h"
#include "browser/Transition.h"
#include "session/MonitorShow.h"

// What a monitor window hands to the session: mouse input (WM_MOUSEMOVE, a button going down) and
// its monitor's new DPI (WM_DPICHANGED). Called from the window's own message handling, so the
// session must not close the window from inside it.
using TMonitorEvent = std::function<void(UINT message)>;

class TMonitorWindow : public TFrameClient {
public:
  // A black, topmost, unactivated pop-up over area, owned by the application's hidden window.
  TMonitorWindow(const RECT& area, TMonitorEvent onEvent);
  ~TMonitorWindow() override;
  TMonitorWindow(const TMonitorWindow&) = delete;
  TMonitorWindow& operator=(const TMonitorWindow&) = delete;

  HWND Handle() const { return FHandle; }
  RECT Area() const { return FArea; }
  int32_t Picture() const { return FPicture; }

  // Covers area; a new size shows the current picture fitted anew, at once.
  void Place(const RECT& area);
  // Plays exit from what is shown to picture number n, fitted to the window.
  void ShowPicture(int32_t n, const TMonitorExit& exit, uint64_t seed);

  bool Animating() const override { return FTransition.has_value(); }
  HANDLE FrameDueEvent() const override { return FFrameTimer.Get(); }
  void NextFrame() override;

private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void Resize(int width, int height);
  void Present(const TDirtyRect& changed);
  void FinishTransition();
  void ScheduleFrame();
  TFrameTarget ScreenTarget() { return {FBits, FWidth, FHeight, FWidth}; }

  HWND FHandle = nullptr;
  RECT FArea = {};
  TMonitorEvent FOnEvent;
  int32_t FPicture = -1;

  TMemoryDC FMemoryDC;  // the frame on screen: a top-down 32-bit DIB section selected into it
  TGdiBitmap FBitmap;
  std::optional<TSelectedObject> FSelected;  // FBitmap in FMemoryDC
  uint32_t* FBits = nullptr;
  int32_t FWidth = 0;
  int32_t FHeight = 0;

  std::optional<TTransition> FTransition;
  TFrame FFrom;
  TFrame FTo;
  LARGE_INTEGER FStart = {};
  double FDurationSeconds = 0;
  TKernelHandle FFrameTimer;
  double FFrameSeconds = 1.0 / 60;
  LARGE_INTEGER FFrequency = {};
};

// All monitor windows of a session, one per monitor beside the primary.
class TMonitorWindows {
public:
  TMonitorWindows(uint64_t seed, TMonitorEvent onEvent) : FShow(seed), FOnEvent(std::move(onEvent)) {}

  // Matches the windows to the monitors as they are now: a window per monitor beside the
  // primary, on it and of its size; windows of monitors that went away are closed. Once the
  // pictures have begun, a window for a monitor that came shows one of its own at once.
  void Follow();
  // Whether the monitors lie otherwise than at the last Follow (a change of layout whose notice
  // has not come, or came before the system's list of monitors had it).
  bool LayoutChanged() const;
  // The picture change of the session's tick: every window plays into a picture of its own.
  void ChangePictures(int32_t primaryPicture, int32_t effect);
  const std::vector<std::unique_ptr<TMonitorWindow>>& Windows() const { return FWindows; }

private:
  TMonitorShow FShow;
  TMonitorEvent FOnEvent;
  RECT FPrimary = {};  // the primary monitor at the last Follow
  int32_t FPrimaryPicture = -1;  // the primary's picture at the last change; -1 before the first
  std::vector<std::unique_ptr<TMonitorWindow>> FWindows;
};

// The areas of the monitors beside the primary one, in physical pixels, in the system's order.
std::vector<RECT> SecondaryMonitorAreas();
