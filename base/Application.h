// The application object: COM for the UI thread, the hidden owner window of the program's forms,
// the message loops, and the default error report at every place a message is dispatched.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>

class TForm;

class TApplication {
public:
  TApplication() = default;
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;
  ~TApplication();

  // Initialises COM (single-threaded apartment) and creates the hidden owner window.
  void Initialize();
  HWND Handle() const { return FHandle; }

  // The first form created becomes the main form; closing it terminates the application.
  TForm* MainForm() const { return FMainForm; }
  void SetMainForm(TForm* form) { if (FMainForm == nullptr) FMainForm = form; }

  bool Terminated() const { return FTerminated; }
  void Terminate() { PostQuitMessage(0); }

  // Handles one message, waiting for one when the queue is empty.
  void HandleMessage();
  // Handles every waiting message, then returns.
  void ProcessMessages();
  // The main loop: shows the main form (when not shown yet) and handles messages until the quit
  // message has been seen; when it was seen already, handles at most one more waiting message.
  void Run();

  // The default error report: what a handler raised is shown (or handed to OnException when set),
  // and the program goes on.
  void HandleException(const std::exception& error) noexcept;
  std::function<void(const std::exception&)> OnException;

  // Starts a new life of the loops after a quit message was seen (used between in-process tests).
  void ResetTerminated() { FTerminated = false; }
  void HandleCurrentException() noexcept;

private:
  bool ProcessMessage();

  HWND FHandle = nullptr;
  TForm* FMainForm = nullptr;
  bool FTerminated = false;
  bool FComInitialized = false;
};

extern TApplication Application;
