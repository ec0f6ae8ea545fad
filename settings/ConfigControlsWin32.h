// The settings dialog's own child windows: the pages of its tab control, pictures, transparent
// click areas and link labels, all drawn by the program; plus the DPI, font and picture helpers
// they share. Win32 only.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>

#include "base/OwnersWin32.h"
#include "base/WindowObjectWin32.h"
#include "imaging/Frame.h"
#include "settings/ConfigLayout.h"


// The DPI of the monitor the window is on (per-monitor aware); the system DPI where the system
// cannot tell one monitor from another.
int WindowDpi(HWND window);
// The system DPI, before any window exists.
int SystemDpi();
// The window rectangle (around the origin) of a window of these styles whose client area is
// width x height at `dpi`.
TRect WindowRectForClient(DWORD style, DWORD exStyle, int width, int height, int dpi);

// The dialog font, 8 pt at `dpi`: "MS Shell Dlg", which every Windows and Wine maps to a font it
// has whose lines are 13 pixels at 96 DPI.
TFont MakeDialogFont(int dpi, bool underline);

// The picture of a bitmap resource as 0xFFRRGGBB pixels; empty when it cannot be loaded.
TFrame LoadBitmapResource(int identifier);
// `source` resampled smoothly to width x height; an empty frame when either is empty.
TFrame Resampled(const TFrame& source, int width, int height);
// Draws `frame` with its top left corner at (x, y) of `dc`, clipped by the DC.
void DrawFrame(HDC dc, const TFrame& frame, int x, int y);

// Whether the user has chosen a high-contrast colour scheme.
bool HighContrast();
// The colours of the white About card and its links: white, black and blue, or the system's
// window, text and link colours in a high-contrast scheme.
struct TCardColours {
  COLORREF Back, Frame, Text, Link;
};
TCardColours CardColours(bool highContrast);

// A child window the program draws itself. Its owner object lives as long as the window; clicks
// (a press and release over it) call OnClick under the default error report, and a clickable
// control shows the hand cursor.
class TPaintedControl : public TWindowObject {
public:
  void Create(HWND parent, int id, DWORD style, DWORD exStyle = 0);
  // Makes the control a link that opens with `onClick`: besides the mouse, the Tab key reaches it,
  // Enter or Space opens it as a click does, and screen readers know it by `name`.
  void SetLink(std::wstring name, std::function<void()> onClick);
  // Position and size in the parent's client area, in device pixels.
  void SetBounds(const TRect& bounds);
  const TRect& Bounds() const { return FBounds; }
  void Invalidate() const;

  std::function<void()> OnClick;

protected:
  virtual void Paint(HDC dc) = 0;
  // Messages not handled here; the default passes them to DefWindowProc.
  virtual LRESULT ControlMessage(UINT msg, WPARAM wParam, LPARAM lParam);

private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) final;
  LRESULT LinkMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void PaintFocus(HDC dc);

  TRect FBounds;
  std::wstring FName;
  bool FPressed = false;
  bool FSpacePressed = false;
};

// A page of the tab control: button-face background, then OnPaint. Commands and notifications of
// its children go on to the form, which handles them.
class TSheet : public TPaintedControl {
public:
  std::function<void(HDC)> OnPaint;

protected:
  void Paint(HDC dc) override;
  LRESULT ControlMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// A picture. Without a picture of its own it shows the part of `Under` (a sibling picture) that
// lies beneath it, so it looks transparent over it.
class TImage : public TPaintedControl {
public:
  void SetPicture(TFrame picture);
  const TFrame& Picture() const { return FPicture; }
  const TImage* Under = nullptr;

protected:
  void Paint(HDC dc) override;

private:
  TFrame FPicture;
};

// A label that looks like a link: blue text in an underlined font on white, at the label's top,
// centred between TextLeft and TextRight (label pixels, which may lie outside the label) as the
// About text centres its lines, so that it covers its line exactly.
class TLinkLabel : public TPaintedControl {
public:
  std::wstring Caption;
  HFONT Font = nullptr;
  int TextLeft = 0;
  int TextRight = 0;

protected:
  void Paint(HDC dc) override;
};
