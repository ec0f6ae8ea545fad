// The settings dialog's self-drawn child windows, and its DPI, font and picture helpers.
#include "settings/ConfigControlsWin32.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/ApplicationWin32.h"
#include "base/OwnersWin32.h"
#include "base/WindowClassWin32.h"
#include "imaging/Resample.h"
#include "settings/AccessibleLinkWin32.h"

namespace {

const wchar_t ControlClassName[] = L"TLumiControl";
// A link's own message: an accessibility client asked for its default action.
constexpr UINT ActivateLinkMessage = WM_USER + 1;

template <class TProc>
TProc User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<TProc>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name))) : nullptr;
}


RECT ClientRect(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return rect;
}

}  // namespace

// --- DPI, fonts, pictures ------------------------------------------------------------------------

int SystemDpi() {
  TWindowDC screen(nullptr);
  const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : DesignDpi;
}

int WindowDpi(HWND window) {
  using TGetDpiForWindow = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<TGetDpiForWindow>("GetDpiForWindow");
  if (getDpiForWindow != nullptr && window != nullptr)
    if (const UINT dpi = getDpiForWindow(window); dpi > 0) return static_cast<int>(dpi);
  return SystemDpi();
}

RECT WindowRectForClient(DWORD style, DWORD exStyle, int width, int height, int dpi) {
  using TAdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = User32Function<TAdjustForDpi>("AdjustWindowRectExForDpi");
  RECT rect{0, 0, width, height};
  if (adjustForDpi == nullptr || !adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  return rect;
}

TFont MakeDialogFont(int dpi, bool underline) {
  LOGFONTW font{};
  font.lfHeight = -MulDiv(ConfigLayout::FontPoints, dpi, 72);
  font.lfWeight = FW_NORMAL;
  font.lfUnderline = underline ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  lstrcpynW(font.lfFaceName, L"MS Shell Dlg", LF_FACESIZE);
  return TFont(CreateFontIndirectW(&font));
}

TFrame LoadBitmapResource(int identifier) {
  TGdiBitmap bitmap(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(identifier),
                                                    IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  BITMAP header{};
  if (!bitmap || !GetObjectW(bitmap.Get(), sizeof header, &header) || header.bmWidth <= 0 || header.bmHeight <= 0)
    return {};
  TFrame frame(header.bmWidth, header.bmHeight);
  BITMAPINFO info = TopDownDibInfo(frame.Width, frame.Height);
  TMemoryDC dc(CreateCompatibleDC(nullptr));
  if (!dc || GetDIBits(dc.Get(), bitmap.Get(), 0, static_cast<UINT>(frame.Height), frame.Pixels.data(), &info,
                       DIB_RGB_COLORS) != frame.Height)
    return {};
  for (uint32_t& pixel : frame.Pixels) pixel |= 0xFF000000u;
  return frame;
}

TFrame Resampled(const TFrame& source, int width, int height) {
  if (source.Pixels.empty() || width <= 0 || height <= 0) return {};
  TFrame target(width, height);
  const TPictureRect whole{0, 0, width, height};
  if (!DrawResampled(source, whole, whole, target)) return {};
  return target;
}

void DrawFrame(HDC dc, const TFrame& frame, int x, int y) {
  if (frame.Pixels.empty()) return;
  BITMAPINFO info = TopDownDibInfo(frame.Width, frame.Height);
  StretchDIBits(dc, x, y, frame.Width, frame.Height, 0, 0, frame.Width, frame.Height, frame.Pixels.data(), &info,
                DIB_RGB_COLORS, SRCCOPY);
}

bool HighContrast() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

TCardColours CardColours(bool highContrast) {
  if (highContrast)
    return {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOWTEXT),
            GetSysColor(COLOR_HOTLIGHT)};
  return {RGB(255, 255, 255), RGB(0, 0, 0), GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 255)};
}

// --- TPaintedControl -----------------------------------------------------------------------------

void TPaintedControl::Create(HWND parent, int id, DWORD style, DWORD exStyle) {
  // A double click opens a link once, not twice.
  CreateWindowObject(ControlClassName, exStyle, L"", WS_CHILD | style, 0, 0, 0, 0, parent, CS_DBLCLKS, nullptr, id);
}

void TPaintedControl::SetLink(std::wstring name, std::function<void()> onClick) {
  FName = std::move(name);
  OnClick = std::move(onClick);
  if (Handle() == nullptr) return;
  SetWindowTextW(Handle(), FName.c_str());
  SetWindowLongW(Handle(), GWL_STYLE, GetWindowLongW(Handle(), GWL_STYLE) | WS_TABSTOP);
}

void TPaintedControl::SetBounds(const TLayoutRect& bounds) {
  FBounds = bounds;
  if (Handle() != nullptr)
    SetWindowPos(Handle(), nullptr, bounds.Left, bounds.Top, bounds.Width, bounds.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TPaintedControl::Invalidate() const {
  if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT TPaintedControl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      TPaintDC paint(Handle());
      Paint(paint.Get());
      if (OnClick) PaintFocus(paint.Get());
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // Paint covers the whole control
    case WM_SETCURSOR:
      if (OnClick && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // IDC_HAND
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      if (OnClick) {
        FPressed = true;
        SetCapture(Handle());
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      if (FPressed) {
        FPressed = false;
        ReleaseCapture();
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const RECT client = ClientRect(Handle());
        if (PtInRect(&client, at) && OnClick) OnClick();
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      FPressed = false;
      break;
    default:
      break;
  }
  return OnClick ? LinkMessage(msg, wParam, lParam) : ControlMessage(msg, wParam, lParam);
}

// The keyboard's and the screen readers' way to a link. The mouse leaves the focus where it is.
LRESULT TPaintedControl::LinkMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_GETDLGCODE: {
      // Enter opens the focused link, as with the system's own links, rather than pressing OK.
      const auto* key = reinterpret_cast<const MSG*>(lParam);
      if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) return DLGC_WANTMESSAGE;
      break;
    }
    case WM_KEYDOWN:
      // Enter opens the link at once, held down only once; Space when it is let go, as a button.
      if (wParam == VK_RETURN) {
        if ((lParam & (1 << 30)) == 0) OnClick();
        return 0;
      }
      if (wParam != VK_SPACE) break;
      FSpacePressed = true;
      return 0;
    case WM_KEYUP:
      if (wParam != VK_SPACE || !FSpacePressed) break;
      FSpacePressed = false;
      OnClick();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      FSpacePressed = false;
      Invalidate();
      break;
    case WM_UPDATEUISTATE:  // keyboard cues shown or hidden
      Invalidate();
      break;
    case WM_GETOBJECT:
      if (const LRESULT object = AccessibleLinkResult(Handle(), wParam, static_cast<LONG>(static_cast<DWORD>(lParam)),
                                                      FName, ActivateLinkMessage))
        return object;
      break;
    case ActivateLinkMessage:
      OnClick();
      return 0;
    default:
      break;
  }
  return ControlMessage(msg, wParam, lParam);
}

// The dotted focus frame, while the link has the focus and the window shows keyboard cues. It
// keeps a pixel inside the edge, which neighbouring click areas may share.
void TPaintedControl::PaintFocus(HDC dc) {
  if (GetFocus() != Handle() || (SendMessageW(Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0) return;
  RECT client = ClientRect(Handle());
  InflateRect(&client, -1, -1);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  DrawFocusRect(dc, &client);
}

LRESULT TPaintedControl::ControlMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(Handle(), msg, wParam, lParam);
}

// --- TSheet, TImage, TLinkLabel ------------------------------------------------------------------

void TSheet::Paint(HDC dc) {
  const RECT client = ClientRect(Handle());
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (OnPaint) OnPaint(dc);
}

LRESULT TSheet::ControlMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND || msg == WM_NOTIFY) return SendMessageW(GetAncestor(Handle(), GA_ROOT), msg, wParam, lParam);
  return TPaintedControl::ControlMessage(msg, wParam, lParam);
}

void TImage::SetPicture(TFrame picture) {
  FPicture = std::move(picture);
  Invalidate();
}

void TImage::Paint(HDC dc) {
  const RECT client = ClientRect(Handle());
  const TFrame* shown = &FPicture;
  int x = 0;
  int y = 0;
  if (FPicture.Pixels.empty() && Under != nullptr) {
    shown = &Under->FPicture;
    x = Under->Bounds().Left - Bounds().Left;
    y = Under->Bounds().Top - Bounds().Top;
  }
  const bool covered = !shown->Pixels.empty() && x <= 0 && y <= 0 && x + shown->Width >= client.right &&
                       y + shown->Height >= client.bottom;
  if (!covered) FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  DrawFrame(dc, *shown, x, y);
}

void TLinkLabel::Paint(HDC dc) {
  RECT client = ClientRect(Handle());
  const TCardColours colours = CardColours(HighContrast());
  const TGdiObject back(CreateSolidBrush(colours.Back));
  FillRect(dc, &client, static_cast<HBRUSH>(back.Get()));
  TSelectedObject font(dc, Font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colours.Link);
  RECT text{TextLeft, 0, TextRight, client.bottom};
  DrawTextW(dc, Caption.c_str(), static_cast<int>(Caption.size()), &text,
            DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}
