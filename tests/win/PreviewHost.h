// A host for in-process preview sessions: a white frame with a preview child, as the display
// settings show it, and the session's files in the temporary directory.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/RunState.h"
#include "base/ApplicationWin32.h"
#include "base/WindowClassWin32.h"

// Opens the host with a width x height preview child and points the run mode at it; returns
// the frame.
inline HWND OpenPreviewHost(int width, int height) {
  Application.Initialize();
  Application.ResetTerminated();
  RegisterWindowClass(L"PreviewHost", DefWindowProcW, 0, nullptr, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HWND frame = CreateWindowExW(0, L"PreviewHost", L"", WS_POPUP | WS_VISIBLE, 0, 0, width + 40, height + 40, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND preview = CreateWindowExW(0, L"PreviewHost", L"", WS_CHILD | WS_VISIBLE, 20, 20, width, height, frame, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
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
inline std::vector<std::string> SessionFiles() {
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
