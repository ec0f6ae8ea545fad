// Window creation, message dispatch under the error report, modal showing and timers of forms.
#include "base/FormWin32.h"

#include "base/ApplicationWin32.h"
#include "base/OwnersWin32.h"
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
  if (FOwner.Handle() != nullptr) KillTimer(FOwner.Handle(), FId);
  std::erase(FOwner.FTimers, this);
}

void TMessageTimer::Start() {
  if (FEnabled && FOwner.Handle() != nullptr) SetTimer(FOwner.Handle(), FId, FInterval, nullptr);
}

void TMessageTimer::SetEnabled(bool enabled) {
  FEnabled = enabled;
  if (FOwner.Handle() == nullptr) return;
  if (enabled)
    SetTimer(FOwner.Handle(), FId, FInterval, nullptr);
  else
    KillTimer(FOwner.Handle(), FId);
}

TForm::TForm(std::wstring windowClassName) : FClassName(std::move(windowClassName)) {}

TForm::~TForm() {
  Application.RemoveMessageFilter(FFilter);
  DestroyWindowObject();
}

TForm* TForm::FromHandle(HWND hwnd) { return dynamic_cast<TForm*>(TWindowObject::FromHandle(hwnd)); }

void TForm::CreateParams(TCreateParams& params) { (void)params; }

void TForm::Create() {
  Application.SetMainForm(this);
  TCreateParams params;
  params.WndParent = Application.Handle();
  CreateParams(params);
  CreateWindowObject(FClassName.c_str(), params.ExStyle, params.Caption.c_str(), params.Style, params.X, params.Y,
                     params.Width, params.Height, params.WndParent, CS_DBLCLKS,
                     LoadIconW(GetModuleHandleW(nullptr), L"MAINICON"));
  // No window (its parent went away, the system refused it): no handler runs on nothing.
  if (Handle() == nullptr) return;
  if (KeyPreview || DialogKeys) FFilter = Application.AddMessageFilter([this](MSG& msg) { return FilterMessage(msg); });
  for (TMessageTimer* timer : FTimers) timer->Start();
  try {
    FormCreate();
  } catch (...) {
    Application.HandleCurrentException();
  }
}

LRESULT TForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  WndProc(message);
  return message.Result;
}

// Only a window destroyed from outside comes here: the form's own destruction lets go of the
// window first.
void TForm::WindowDestroyed() { FormDestroyedFromOutside(); }

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
  message.Result = DefWindowProcW(Handle(), message.Msg, message.WParam, message.LParam);
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
      GetClientRect(Handle(), &rect);
      TGdiObject brush(CreateSolidBrush(FColor));
      FillRect(reinterpret_cast<HDC>(message.WParam), &rect, static_cast<HBRUSH>(brush.Get()));
      message.Result = 1;
      return;
    }
    case WM_GETMINMAXINFO:
      // A borderless maximised form covers the whole primary monitor, not just the work area, and
      // not whichever monitor its design rectangle happens to overlap most.
      if ((GetWindowLongW(Handle(), GWL_STYLE) & WS_CHILD) == 0) {
        const TRect r = PrimaryMonitorArea();
        if (!r.Empty()) {
          auto* mmi = reinterpret_cast<MINMAXINFO*>(message.LParam);
          mmi->ptMaxPosition = {0, 0};
          mmi->ptMaxSize = {r.Width, r.Height};
        }
      }
      DefaultHandler(message);
      return;
    default:
      DefaultHandler(message);
  }
}

bool TForm::FilterMessage(MSG& msg) {
  if (KeyPreview && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && msg.hwnd != Handle() &&
      IsChild(Handle(), msg.hwnd)) {
    // The child still gets the key afterwards.
    try {
      FormKeyDown(static_cast<WORD>(msg.wParam));
    } catch (...) {
      Application.HandleCurrentException();
    }
  }
  return DialogKeys && msg.hwnd != nullptr && GetAncestor(msg.hwnd, GA_ROOT) == Handle() &&
         IsDialogMessageW(Handle(), &msg);
}

void TForm::SetBounds(int left, int top, int width, int height) { PlaceWindow(Handle(), {left, top, width, height}); }

void TForm::SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

void TForm::SetCaption(const std::wstring& caption) { SetWindowTextW(Handle(), caption.c_str()); }

void TForm::Show() {
  if (Handle() == nullptr) return;
  if (FMaximized && (GetWindowLongW(Handle(), GWL_STYLE) & WS_CHILD) == 0) {
    // Cover the primary monitor before the window appears, so that its first activation already
    // sees the final size (not every window system maximises a borderless popup by itself), and
    // the maximising keeps it there.
    CoverPrimaryMonitor(Handle());
  }
  ShowWindow(Handle(), FMaximized ? SW_SHOWMAXIMIZED : SW_SHOW);
  if ((GetWindowLongW(Handle(), GWL_STYLE) & WS_CHILD) == 0) SetForegroundWindow(Handle());
}

void TForm::Hide() {
  if (Handle() != nullptr) ShowWindow(Handle(), SW_HIDE);
}

bool TForm::Visible() const { return Handle() != nullptr && IsWindowVisible(Handle()); }

int TForm::ShowModal() {
  FModal = true;
  FModalResult = mrNone;
  Show();
  if (Handle() != nullptr) SendMessageW(Handle(), CM_ACTIVATE, 0, 0);
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
