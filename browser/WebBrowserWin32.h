// The page view as a child window: shows the page files the session writes and plays each page's
// exit transition when the next page replaces it. Navigation returns at once; the page is read,
// drawn and (when its predecessor asks for it) faded or revealed while the message loop runs.
#pragma once

#include <windows.h>

#include <deque>
#include <optional>
#include <string>

#include "base/ApplicationWin32.h"
#include "base/OwnersWin32.h"
#include "base/WindowBoundsWin32.h"
#include "browser/Frame.h"
#include "browser/Layout.h"
#include "browser/PageReader.h"
#include "browser/Transition.h"
#include "browser/ViewRandom.h"

class TWebBrowser : public TFrameClient, public TWindowGeometry<TWebBrowser> {
public:
  // A child of parent at left, top, size width x height, hidden until Show; never a tab stop,
  // never keeps the keyboard focus (it hands it to its parent), and passes the mouse to its parent.
  TWebBrowser(HWND parent, int left, int top, int width, int height);
  ~TWebBrowser() override;
  TWebBrowser(const TWebBrowser&) = delete;
  TWebBrowser& operator=(const TWebBrowser&) = delete;

  HWND Handle() const { return FHandle; }

  // Shows the page file at path (an ANSI path, taken literally) once the message loop runs.
  void Navigate(const std::string& path);

  void SetLeft(int left);
  void SetTop(int top);
  void SetWidth(int width);
  void SetHeight(int height);
  void SetClientWidth(int clientWidth);
  void Show();

  // A copy of what is on screen (for tests).
  TFrame CopyScreen() const;
  // Seconds of transition that pass per second of the clock: 1 in the program; tests that play
  // thousands of transitions in a row run them faster, each still to its end.
  void SetTimeScale(double scale) { FTimeScale = scale; }
  bool Animating() const override { return FTransition.has_value(); }
  HANDLE FrameDueEvent() const override;
  void NextFrame() override;

private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void ShowPage(const std::string& path);
  void FinishTransition();
  void EndTransition();
  void RaiseTimerResolution(bool raise);
  void Resize(int clientWidth, int clientHeight);
  void Present(int left, int top, int right, int bottom);
  void ScheduleFrame();

  HWND FHandle = nullptr;
  // The area of the frame on screen that the transition draws into.
  TFrameTarget AreaTarget() { return {FBits, FArea.Width, FArea.Height, FScreenWidth}; }

  // The frame on screen lives in a top-down 32-bit DIB section selected into FMemoryDC.
  TMemoryDC FMemoryDC;
  TGdiBitmap FBitmap;
  std::optional<TSelectedObject> FSelected;  // FBitmap in FMemoryDC
  uint32_t* FBits = nullptr;
  int FScreenWidth = 0;
  int FScreenHeight = 0;

  std::deque<std::string> FNavigations;  // paths given to Navigate, one posted message each
  std::optional<TPage> FPage;  // the page on screen; its exit transition plays when it is left
  TViewRandom FRandom;
  std::optional<TTransition> FTransition;
  TPictureRect FArea;  // where the transition is laid: the page's visible cell
  TFrame FFrom;        // both of the area's size
  TFrame FTo;
  LARGE_INTEGER FStart = {};
  double FDurationSeconds = 0;
  double FTimeScale = 1.0;

  TKernelHandle FFrameTimer;     // high-resolution waitable timer when the display cannot pace
  bool FDisplayPaces = false;    // DwmFlush waits for the next composition
  bool FCoarseTimer = false;     // an ordinary waitable timer: 1 ms resolution while animating
  bool FResolutionRaised = false;
  double FFrameSeconds = 1.0 / 60;
  LARGE_INTEGER FFrequency = {};
};
