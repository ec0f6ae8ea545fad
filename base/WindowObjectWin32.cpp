// The one window procedure and the binding of windows to their objects.
#include "base/WindowObjectWin32.h"

#include "base/ApplicationWin32.h"
#include "base/WindowClassWin32.h"

TWindowObject::~TWindowObject() { DestroyWindowObject(); }

TWindowObject* TWindowObject::FromHandle(HWND hwnd) {
  if (hwnd == nullptr ||
      GetWindowLongPtrW(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&TWindowObject::WindowProc))
    return nullptr;
  return reinterpret_cast<TWindowObject*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

HWND TWindowObject::CreateWindowObject(const wchar_t* className, DWORD exStyle, const wchar_t* caption, DWORD style,
                                       int x, int y, int width, int height, HWND parent, UINT classStyle, HICON icon,
                                       int childId) {
  RegisterWindowClass(className, &TWindowObject::WindowProc, classStyle, icon);
  CreateWindowExW(exStyle, className, caption, style, x, y, width, height, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId)), GetModuleHandleW(nullptr), this);
  return FHandle;
}

void TWindowObject::DestroyWindowObject() {
  if (FHandle == nullptr) return;
  const HWND hwnd = FHandle;
  Unbind();
  DestroyWindow(hwnd);
}

void TWindowObject::Unbind() {
  SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
  FHandle = nullptr;
}

LRESULT CALLBACK TWindowObject::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    // Bound at the window's first message, so that its object hears every one after it.
    auto* object = static_cast<TWindowObject*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    object->FHandle = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
  }
  TWindowObject* object = reinterpret_cast<TWindowObject*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (object == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
  LRESULT result = 0;
  try {
    result = object->HandleMessage(msg, wParam, lParam);
  } catch (...) {
    Application.HandleCurrentException();
  }
  if (msg == WM_NCDESTROY) {
    object->Unbind();
    try {
      object->WindowDestroyed();
    } catch (...) {
      Application.HandleCurrentException();
    }
  }
  return result;
}
