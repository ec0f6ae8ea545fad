// A host for in-process preview sessions: a white frame with a preview child, as the display
// settings show it, and the session's files in the temporary directory.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/RunState.h"
#include "base/Application.h"

inline LRESULT CALLBACK PreviewHostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Opens the host with a width x height preview child and points the run mode at it; returns
// the frame.
inline HWND OpenPreviewHost(int width, int height) {
  Application.Initialize();
  Application.ResetTerminated();
  WNDCLASSW wc = {};
  wc.lpfnWndProc = PreviewHostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"PreviewHost";
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  RegisterClassW(&wc);
  HWND frame = CreateWindowExW(0, L"PreviewHost", L"", WS_POPUP | WS_VISIBLE, 0, 0, width + 40, height + 40, nullptr,
                               nullptr, wc.hInstance, nullptr);
  HWND preview = CreateWindowExW(0, L"PreviewHost", L"", WS_CHILD | WS_VISIBLE, 20, 20, width, height, frame, nullptr,
                                 wc.hInstance, nullptr);
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
