// A window of the program as an object. Every kind of window (forms, the page view, the other
// monitors' windows) goes through one window procedure, which takes each message to the object
// that made the window, under the application's default error report: no exception crosses the
// system's frames.
#pragma once

#include <windows.h>

class TWindowObject {
public:
  TWindowObject() = default;
  virtual ~TWindowObject();
  TWindowObject(const TWindowObject&) = delete;
  TWindowObject& operator=(const TWindowObject&) = delete;

  HWND Handle() const { return FHandle; }
  // The object of a window made by CreateWindowObject; null for any other window, and for one
  // whose object has let go of it.
  static TWindowObject* FromHandle(HWND hwnd);

protected:
  // Registers the window class `className` once, then creates the window bound to this object
  // (Handle() is set from its first message on). Null when the system made no window.
  HWND CreateWindowObject(const wchar_t* className, DWORD exStyle, const wchar_t* caption, DWORD style, int x, int y,
                          int width, int height, HWND parent, UINT classStyle = 0, HICON icon = nullptr, int childId = 0);
  // The object's answer to one message; what it raises goes to the error report and answers 0.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(FHandle, msg, wParam, lParam);
  }
  // The window is gone (destroyed from outside, or by DestroyWindowObject): Handle() is null now,
  // and no message reaches the object any more.
  virtual void WindowDestroyed() {}
  // Destroys the window; its messages from now on reach no object.
  void DestroyWindowObject();

private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Unbind();

  HWND FHandle = nullptr;
};
