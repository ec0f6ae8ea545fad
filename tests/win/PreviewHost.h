// A host for in-process preview sessions: a white frame with a preview child, as the display
// settings show it, and the session's files in the temporary directory.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/ApplicationWin32.h"
#include "base/RunState.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestWindows.h"

// Opens the host with a width x height preview child and points the run mode at it; returns
// the frame.
inline HWND OpenPreviewHost(int width, int height) {
  Application.Initialize();
  Application.ResetTerminated();
  HWND frame = CreateHostWindow(0, WS_POPUP | WS_VISIBLE, 0, 0, width + 40, height + 40, nullptr, WHITE_BRUSH);
  HWND preview = CreateHostWindow(0, WS_CHILD | WS_VISIBLE, 20, 20, width, height, frame, WHITE_BRUSH);
  SaverMode = smPreview;
  ParentWindow = static_cast<int32_t>(reinterpret_cast<intptr_t>(preview));
  return frame;
}

inline void ClosePreviewHost(HWND frame) {
  Application.ResetTerminated();
  SaverMode = smNone;
  ParentWindow = 0;
  DestroyWindow(frame);
}

// The names of the session's files ("ins*") in the temporary directory.
inline std::vector<std::string> SessionFiles() { return TempFiles("ins*"); }
