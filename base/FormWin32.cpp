// Window creation, message dispatch under the error report, modal showing and timers of forms.
#include "base/FormWin32.h"

#include "base/ApplicationWin32.h"
#include "base/OwnersWin32.h"
#include "base/WindowClassWin32.h"
#include "base/WindowBoundsWin32.h"

namespace {

constexpr UINT CM_ACTIVATE = WM_APP + 0x3FF0;  // runs the activation handler through dispatch

}  // namespace

TMessageTimer::TMessageTimer(TForm& owner, UINT intervalMs, std::function<void()> onTimer)
    : FOwner(owner), FId(static_cast<UINT>(owner.FTimers.size()) + 1), FInterval(intervalMs),
      FOnTimer(std::move(onTimer)) {
  owner.FTimers.push_back(this);
  Start();
}

TMessageTimer::~TMessageTimer() {
  if (FOwner.FHandle != nullptr) KillTimer(FOwner.FHandle, FId);
  std::erase(FOwner.FTimers, this);
}

void TMessageTimer::Start() {
  if (FEnabled && FOwner.FHandle != nullptr) SetTimer(FOwner.FHandle, FId, FInterval, nullptr);
}

void TMessageTimer::SetEnabled(bool enabled) {
  FEnabled = enabled;
  if (FOwner.FHandle == nullptr) return;
  if (enabled)
    SetTimer(FOwner.FHandle, FId, FInterval, nullptr);
  else
    KillTimer(FOwner.FHandle, FId);
}

TForm::TForm(std::wstring windowClassName) : FClassName(std::move(windowClassName)) {
  WindowProc = StandardWindowProc();
}

TForm::~TForm() {
  if (FHandle != nullptr) {
    FDestroying = true;
    UnbindWindowObject(FHandle);
    DestroyWindow(FHandle);
  }
}

TForm* TForm::FromHandle(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  if (GetWindowLongPtrW(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&TForm::StaticWndProc)) return nullptr;
  return reinterpret_cast<TForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void TForm::CreateParams(TCreateParams& params) { (void)params; }

void TForm::Create() {
  Application.SetMainForm(this);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindowClass(FClassName.c_str(), &TForm::StaticWndProc, CS_DBLCLKS, LoadIconW(instance, L"MAINICON"));
  TCreateParams params;
  params.WndParent = Application.Handle();
  CreateParams(params);
  CreateWindowExW(params.ExStyle, FClassName.c_str(), params.Caption.c_str(), params.Style, params.X, params.Y,
                  params.Width, params.Height, params.WndParent, nullptr, instance, this);
  // No window (its parent went away, the system refused it): no handler runs on nothing.
  if (FHandle == nullptr) return;
  for (TMessageTimer* timer : FTimers) timer->Start();
  try {
    FormCreate();
  } catch (...) {
    Application.HandleCurrentException();
  }
}

LRESULT CALLBACK TForm::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* form = WindowObject(hwnd, msg, lParam, &TForm::FHandle);
  if (form == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  try {
    form->WindowProc(message);
  } catch (...) {
    Application.HandleCurrentException();
    message.Result = 0;
  }
  if (msg == WM_NCDESTROY) {
    UnbindWindowObject(hwnd);
    form->FHandle = nullptr;
    if (!form->FDestroying) {
      try {
        form->FormDestroyedFromOutside();
      } catch (...) {
        Application.HandleCurrentException();
      }
    }
  }
  return message.Result;
}

void TForm::FormDestroyedFromOutside() {
  if (Application.MainForm() == this) Application.Terminate();
}

void TForm::EndSession() {
  try {
    FormEndSession();
  } catch (...) {
    Application.HandleCurrentException();
  }
}

void TForm::DefaultHandler(TMessage& message) {
  message.Result = DefWindowProcW(FHandle, message.Msg, message.WParam, message.LParam);
}

void TForm::Activate() {
  if (FActive) return;
  FActive = true;
  FormActivate();
}

void TForm::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_ACTIVATE:
      // The form stays the application's active form until another form of the program takes
      // the activation: a message box, a prompt or another program's window that takes it and
      // gives it back makes no new activation.
      if (LOWORD(message.WParam) != WA_INACTIVE) {
        Activate();
      } else if (TForm* next = FromHandle(reinterpret_cast<HWND>(message.LParam)); next != nullptr && next != this) {
        FActive = false;
      }
      DefaultHandler(message);
      return;
    case CM_ACTIVATE:
      Activate();
      return;
    case WM_CLOSE:
      Close();
      return;
    case WM_QUERYENDSESSION:
      message.Result = TRUE;  // never holds up a logoff
      return;
    case WM_ENDSESSION:
      if (message.WParam) EndSession();
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      FormKeyDown(static_cast<WORD>(message.WParam));
      DefaultHandler(message);
      return;
    case WM_SYSCOMMAND:
      WMSysCommand(message);
      return;
    case WM_TIMER:
      for (TMessageTimer* timer : FTimers)
        if (timer->FId == message.WParam && timer->FEnabled) {
          timer->FOnTimer();
          return;
        }
      return;
    case WM_ERASEBKGND: {
      RECT rect;
      GetClientRect(FHandle, &rect);
      TGdiObject brush(CreateSolidBrush(FColor));
      FillRect(reinterpret_cast<HDC>(message.WParam), &rect, static_cast<HBRUSH>(brush.Get()));
      message.Result = 1;
      return;
    }
    case WM_GETMINMAXINFO:
      // A borderless maximised form covers the whole primary monitor, not just the work area, and
      // not whichever monitor its design rectangle happens to overlap most.
      if ((GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD) == 0) {
        const RECT r = PrimaryMonitorArea();
        if (r.right > r.left && r.bottom > r.top) {
          auto* mmi = reinterpret_cast<MINMAXINFO*>(message.LParam);
          mmi->ptMaxPosition = {0, 0};
          mmi->ptMaxSize = {r.right - r.left, r.bottom - r.top};
        }
      }
      DefaultHandler(message);
      return;
    default:
      DefaultHandler(message);
  }
}

bool TForm::PreviewKey(const MSG& msg) {
  for (HWND parent = GetParent(msg.hwnd); parent != nullptr; parent = GetParent(parent)) {
    TForm* form = FromHandle(parent);
    if (form == nullptr) continue;
    if (form->KeyPreview) {
      try {
        form->FormKeyDown(static_cast<WORD>(msg.wParam));
      } catch (...) {
        Application.HandleCurrentException();
      }
    }
    break;
  }
  return false;
}

bool TForm::HandleDialogMessage(MSG& msg) {
  if (msg.hwnd == nullptr) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  TForm* form = FromHandle(root);
  return form != nullptr && form->DialogKeys && IsDialogMessageW(root, &msg);
}


void TForm::SetBounds(int left, int top, int width, int height) { PlaceWindow(FHandle, left, top, width, height); }

void TForm::SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

void TForm::SetCaption(const std::wstring& caption) { SetWindowTextW(FHandle, caption.c_str()); }

void TForm::Show() {
  if (FHandle == nullptr) return;
  if (FMaximized && (GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD) == 0) {
    // Cover the primary monitor before the window appears, so that its first activation already
    // sees the final size (not every window system maximises a borderless popup by itself), and
    // the maximising keeps it there.
    const RECT r = PrimaryMonitorArea();
    if (r.right > r.left && r.bottom > r.top)
      SetWindowPos(FHandle, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(FHandle, FMaximized ? SW_SHOWMAXIMIZED : SW_SHOW);
  if ((GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD) == 0) SetForegroundWindow(FHandle);
}

void TForm::Hide() {
  if (FHandle != nullptr) ShowWindow(FHandle, SW_HIDE);
}

bool TForm::Visible() const { return FHandle != nullptr && IsWindowVisible(FHandle); }

int TForm::ShowModal() {
  FModal = true;
  FModalResult = mrNone;
  Show();
  if (FHandle != nullptr) SendMessageW(FHandle, CM_ACTIVATE, 0, 0);
  do {
    Application.HandleMessage();
    if (Application.Terminated()) {
      FModalResult = mrCancel;
    } else if (FModalResult != mrNone) {
      try {
        FormClose();
      } catch (...) {
        Application.HandleCurrentException();
      }
    }
  } while (FModalResult == mrNone);
  Hide();
  FModal = false;
  return FModalResult;
}

void TForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  FormClose();
  Hide();
  if (Application.MainForm() == this) Application.Terminate();
}
