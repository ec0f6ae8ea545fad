// The application object: COM for the UI thread, the hidden owner window of the program's forms,
// the message loops, and the default error report at every place a message is dispatched.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <utility>
#include <vector>

#include "base/OwnersWin32.h"

// What the application asks of its main window: to be shown by Run, and to put back what it
// changed when the user's session ends (logoff, restart, shutdown).
class TMainWindow {
public:
  virtual ~TMainWindow() = default;
  virtual void Show() = 0;
  virtual void EndSession() = 0;
};

// Looks at a message before it is dispatched; true when it took the message (it is then not
// dispatched).
using TMessageFilter = std::function<bool(MSG& msg)>;

// The frame clock as the main loops see it: while anything animates, a beat is due when its
// handle is signalled, and the loops wait for it beside their messages. Between animations it
// costs nothing: the loops then simply wait for messages.
struct TFrameBeat {
  std::function<HANDLE()> Due;  // signalled at the next beat; null while nothing animates
  std::function<void()> Beat;   // draws every animating window's frame of the beat
};

class TApplication {
public:
  TApplication() = default;
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;
  ~TApplication();

  // Initialises COM (single-threaded apartment) and creates the hidden owner window.
  void Initialize();
  HWND Handle() const { return FOwner.Get(); }

  // The first form created becomes the main form; closing it terminates the application.
  TMainWindow* MainForm() const { return FMainForm; }
  void SetMainForm(TMainWindow* form) { if (FMainForm == nullptr) FMainForm = form; }

  // Filters every message goes through, in the order they were added; AddMessageFilter returns a
  // number for RemoveMessageFilter (which ignores 0 and numbers it does not know).
  int AddMessageFilter(TMessageFilter filter);
  void RemoveMessageFilter(int id);

  bool Terminated() const { return FTerminated; }
  void Terminate() { PostQuitMessage(0); }

  // The process's frame clock (there is one).
  void SetFrameBeat(TFrameBeat beat) { FBeat = std::move(beat); }
  bool AnyAnimates() const { return FBeat.Due && FBeat.Due() != nullptr; }

  // Handles one message, waiting for one when the queue is empty; while anything animates, the
  // wait also ends at the frame clock's next beat, which then draws every window's frame.
  void HandleMessage();
  // Handles every waiting message, then returns.
  void ProcessMessages();
  // Whether Run shows the main form first (a form shown modally before needs no second showing).
  bool ShowMainForm = true;

  // The main loop: shows the main form (see ShowMainForm) and handles messages until the quit
  // message has been seen; when it was seen already, handles at most one more waiting message.
  void Run();

  // The default error report: what a handler raised is shown (or handed to OnException when set;
  // dropped while Quiet), and the program goes on.
  void HandleException(const std::exception& error) noexcept;
  std::function<void(const std::exception&)> OnException;
  // No box may come up: a session is on the screen, and a box would take its activation.
  bool Quiet = false;

  void HandleCurrentException() noexcept;

private:
  friend struct TTestAccess;
  bool ProcessMessage();
  void WaitForMessageOrBeat();

  TPairedRelease FCom;  // given back after the owner window has gone
  TWindow FOwner;
  TMainWindow* FMainForm = nullptr;
  std::vector<std::pair<int, TMessageFilter>> FFilters;
  int FLastFilter = 0;
  TFrameBeat FBeat;
  bool FTerminated = false;
};

extern TApplication Application;

// Runs one step of a sequence under the default error report, so that the steps after it run
// whatever this one raised.
template <typename F>
void RunGuarded(F&& step) noexcept {
  try {
    step();
  } catch (...) {
    Application.HandleCurrentException();
  }
}

// Runs a step whose failure the user need not hear of: what it raises is dropped.
template <typename F>
void RunQuietly(F&& step) noexcept {
  try {
    step();
  } catch (...) {
  }
}
