// The page view as a child window: shows the page files the session writes and plays each page's
// exit transition when the next page replaces it. Navigation returns at once; the page is read,
// drawn and (when its predecessor asks for it) faded or revealed while the message loop runs.
#pragma once

#include <windows.h>

#include <deque>
#include <optional>
#include <string>

#include "base/WindowBoundsWin32.h"
#include "base/WindowObjectWin32.h"
#include "display/FrameSurfaceWin32.h"
#include "display/TransitionPlayerWin32.h"
#include "pageview/PageReader.h"
#include "transitions/ViewRandom.h"

class TPageView : public TWindowObject, public TWindowGeometry<TPageView> {
public:
  // A child of parent at left, top, size width x height, hidden until Show; never a tab stop,
  // never keeps the keyboard focus (it hands it to its parent), and passes the mouse to its parent.
  TPageView(HWND parent, int left, int top, int width, int height);
  ~TPageView() override;

  // Shows the page file at path (an ANSI path, taken literally) once the message loop runs.
  void Navigate(const std::string& path);

  void SetLeft(int left);
  void SetTop(int top);
  void SetWidth(int width);
  void SetHeight(int height);
  void SetClientWidth(int clientWidth);
  void Show();

private:
  friend struct TTestAccess;
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void WindowDestroyed() override;
  void ShowPage(const std::string& path);
  void Resize(int clientWidth, int clientHeight);

  TFrameSurface FSurface;
  TTransitionPlayer FPlayer{FSurface};
  std::deque<std::string> FNavigations;  // paths given to Navigate, one posted message each
  std::optional<TPage> FPage;  // the page on screen; its exit transition plays when it is left
  TViewRandom FRandom;
};
