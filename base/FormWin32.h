// A window of the program as a form object: creation parameters, its handling of messages (a
// subclass handles what it needs first and passes the rest on), creation/activation/close/key
// handlers, modal showing, and message timers. Every message it
// dispatches runs under the application's default error report: a handler that raises ends there
// and the program goes on.
#pragma once

#include <windows.h>

#include "base/ApplicationWin32.h"
#include "base/WindowBoundsWin32.h"
#include "base/WindowObjectWin32.h"

#include <functional>
#include <string>
#include <vector>

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

struct TCreateParams {
  std::wstring Caption;
  DWORD Style = WS_POPUP | WS_CLIPCHILDREN;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
};

enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

class TForm;

// A window-message timer owned by a form (WM_TIMER on the form's window). It runs from its
// creation whenever the form has a window.
class TMessageTimer {
public:
  TMessageTimer(TForm& owner, UINT intervalMs, std::function<void()> onTimer);
  ~TMessageTimer();
  TMessageTimer(const TMessageTimer&) = delete;
  TMessageTimer& operator=(const TMessageTimer&) = delete;

  void SetEnabled(bool enabled);
  // The timer's id in the WM_TIMER messages of its form.
  UINT Id() const { return FId; }

private:
  friend class TForm;
  void Start();
  TForm& FOwner;
  UINT FId;
  UINT FInterval;
  bool FEnabled = true;
  std::function<void()> FOnTimer;
};

class TForm : public TWindowObject, public TMainWindow, public TWindowGeometry<TForm> {
public:
  explicit TForm(std::wstring windowClassName);
  virtual ~TForm();
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;

  // Creates the window from CreateParams, starts the form's timers, then runs the creation
  // handler; an error in the handler is reported and the form is still created.
  void Create();

  void SetBounds(int left, int top, int width, int height);
  void SetHeight(int height);
  void SetMaximized(bool maximized) { FMaximized = maximized; }
  void SetColor(COLORREF color) { FColor = color; }
  void SetCaption(const std::wstring& caption);

  void Show() override;
  void Hide();
  bool Visible() const;
  // Shows the form and handles messages until it is closed or the quit message is seen; a close
  // runs the close handler, a quit message ends the loop without it. The form is hidden after.
  int ShowModal();
  void Close();
  TModalResult ModalResult() const { return FModalResult; }

  // When set, key-down messages aimed at the form's children reach its key handler first.
  bool KeyPreview = false;
  // When set, the message loop hands this form's messages and its children's to IsDialogMessage:
  // Tab and Shift+Tab move the focus along the z-order (into children with WS_EX_CONTROLPARENT),
  // Enter presses the focused push button or the one DM_GETDEFID names, Escape sends the form
  // WM_COMMAND IDCANCEL.
  bool DialogKeys = false;

  static TForm* FromHandle(HWND hwnd);

  // Runs the end-of-session handler under the error report (also for windows that are not
  // top-level and so never hear of the session's end themselves).
  void EndSession() override;

protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void FormCreate() {}
  virtual void FormActivate() {}
  virtual void FormClose() {}
  virtual void FormKeyDown(WORD key) { (void)key; }
  virtual void WMSysCommand(TMessage& message) { DefaultHandler(message); }
  // The window was destroyed from outside (for instance with its parent or owner). A main form
  // ends the application by default: nothing of it is left to close.
  virtual void FormDestroyedFromOutside();
  // The user's session ends (logoff, restart, shutdown): the process may be ended as soon as
  // this returns, so whatever must be put back is put back here.
  virtual void FormEndSession() {}
  // The form's handling of every message of its window, the last step of the one chain from
  // TWindowObject's window procedure: a subclass takes what it handles and passes the rest to its
  // base's WndProc.
  virtual void WndProc(TMessage& message);
  void DefaultHandler(TMessage& message);

private:
  friend class TMessageTimer;
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void WindowDestroyed() override;
  // The message loop's filter for this form: key preview and dialog keys.
  bool FilterMessage(MSG& msg);
  void Activate();

  std::wstring FClassName;
  int FFilter = 0;  // the filter's number with the message loop, 0 for none
  COLORREF FColor = GetSysColor(COLOR_BTNFACE);
  bool FMaximized = false;
  bool FActive = false;
  bool FModal = false;
  TModalResult FModalResult = mrNone;
  std::vector<TMessageTimer*> FTimers;
};
