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

TApplication::~TApplication() {
  if (FHandle != nullptr) DestroyWindow(FHandle);
  if (FComInitialized) CoUninitialize();
}

void TApplication::Initialize() {
  if (FHandle != nullptr) return;
  FComInitialized = SUCCEEDED(CoInitialize(nullptr));
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindowClass(L"TApplication", OwnerWindowProc, 0, LoadIconW(instance, L"MAINICON"));
  // A zero-size, never-shown top-level window: the owner of the program's top-level forms.
  FHandle = CreateWindowExW(0, L"TApplication", L"", WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU |
                            WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
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

int TApplication::AddFrameClient(TFrameClient client) {
  FFrameClients.emplace_back(++FLastFrameClient, std::move(client));
  return FLastFrameClient;
}

void TApplication::RemoveFrameClient(int id) {
  std::erase_if(FFrameClients, [id](const auto& entry) { return entry.first == id; });
}

bool TApplication::AnyAnimates() const {
  return std::any_of(FFrameClients.begin(), FFrameClients.end(), [](const auto& entry) { return entry.second.Animates(); });
}

void TApplication::HandleMessage() {
  if (ProcessMessage()) return;
  DrawDueFrames();
}

void TApplication::DrawDueFrames() {
  // A client without a due event paces itself (it waits for the display inside DrawNextFrame):
  // its frame is always due, and the others' frames that are due by then are drawn beside it.
  std::vector<int> animating;
  std::vector<HANDLE> events;
  bool selfPaced = false;
  for (const auto& [id, client] : FFrameClients) {
    if (!client.Animates()) continue;
    animating.push_back(id);
    if (HANDLE due = client.FrameDue(); due != nullptr && events.size() < MAXIMUM_WAIT_OBJECTS - 1)
      events.push_back(due);
    else if (due == nullptr)
      selfPaced = true;
  }
  if (animating.empty()) {
    WaitMessage();
    return;
  }
  HANDLE signalled = nullptr;  // the due timers reset themselves when a wait ends on them
  if (!selfPaced) {
    DWORD count = static_cast<DWORD>(events.size());
    DWORD result = MsgWaitForMultipleObjectsEx(count, events.data(), INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (result >= WAIT_OBJECT_0 + count) return;  // a message came first
    signalled = events[result - WAIT_OBJECT_0];
  }
  for (int id : animating) {
    // A client that a frame before ended or removed is left alone.
    const auto entry = std::find_if(FFrameClients.begin(), FFrameClients.end(), [id](const auto& e) { return e.first == id; });
    if (entry == FFrameClients.end()) continue;
    const TFrameClient client = entry->second;  // the client may remove itself while it draws
    try {
      HANDLE due = client.FrameDue();
      if (due == nullptr || due == signalled || WaitForSingleObject(due, 0) == WAIT_OBJECT_0) client.DrawNextFrame();
    } catch (...) {
      HandleCurrentException();
    }
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
