// Message loops and the application's hidden owner window.
#include "base/ApplicationWin32.h"

#include <objbase.h>

#include <algorithm>

#include "base/ErrorReport.h"
#include "base/Errors.h"
#include "base/WindowClassWin32.h"

TApplication Application;

namespace {

// The hidden owner is the program's one top-level window even when its form is the child of
// another program's window (a preview): it hears of the user's session ending for the main form.
LRESULT CALLBACK OwnerWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_QUERYENDSESSION) return TRUE;
  if (msg == WM_ENDSESSION) {
    if (wParam && Application.MainForm() != nullptr) Application.MainForm()->EndSession();
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

TApplication::~TApplication() = default;

void TApplication::Initialize() {
  if (FOwner) return;
  if (SUCCEEDED(CoInitialize(nullptr))) FCom = TPairedRelease([] { CoUninitialize(); });
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindowClass(L"TApplication", OwnerWindowProc, 0, LoadIconW(instance, L"MAINICON"));
  // A zero-size, never-shown top-level window: the owner of the program's top-level forms.
  FOwner.Reset(CreateWindowExW(0, L"TApplication", L"", WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU |
                               WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr));
}

bool TApplication::ProcessMessage() {
  MSG msg;
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  // A filter may remove itself or another while it runs: each is looked up afresh.
  for (size_t i = 0; i < FFilters.size(); ++i) {
    const TMessageFilter filter = FFilters[i].second;
    if (filter(msg)) return true;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

int TApplication::AddMessageFilter(TMessageFilter filter) {
  FFilters.emplace_back(++FLastFilter, std::move(filter));
  return FLastFilter;
}

void TApplication::RemoveMessageFilter(int id) {
  std::erase_if(FFilters, [id](const auto& entry) { return entry.first == id; });
}

void TApplication::HandleMessage() {
  if (ProcessMessage()) return;
  WaitForMessageOrBeat();
}

void TApplication::WaitForMessageOrBeat() {
  HANDLE due = FBeat.Due ? FBeat.Due() : nullptr;
  if (due == nullptr) {
    WaitMessage();
    return;
  }
  // The beat's timer resets itself when the wait ends on it.
  if (MsgWaitForMultipleObjectsEx(1, &due, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE) != WAIT_OBJECT_0) return;
  try {
    FBeat.Beat();
  } catch (...) {
    HandleCurrentException();
  }
}

void TApplication::ProcessMessages() {
  while (ProcessMessage()) {
  }
}

void TApplication::Run() {
  if (ShowMainForm && FMainForm != nullptr && !FTerminated) FMainForm->Show();
  if (FTerminated) {
    ProcessMessage();
    return;
  }
  while (!FTerminated) HandleMessage();
}

void TApplication::HandleException(const std::exception& error) noexcept {
  if (OnException) {
    try {
      OnException(error);
    } catch (...) {
    }
    return;
  }
  if (!Quiet) ShowException(error);
}

void TApplication::HandleCurrentException() noexcept {
  try {
    throw;
  } catch (const std::exception& error) {
    HandleException(error);
  } catch (...) {
    HandleException(Exception("Exception", "Unbekannter Fehler"));
  }
}
