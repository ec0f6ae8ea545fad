// The end-to-end test driver on Win32: processes, message boxes, a host window, the registry,
// temporary files and screen captures.
#include "tests/e2e/Driver.h"

#include <algorithm>
#include <stdexcept>

namespace {

struct TKeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using TKey = std::unique_ptr<std::remove_pointer_t<HKEY>, TKeyCloser>;

struct TFindCloser {
  void operator()(HANDLE search) const { FindClose(search); }
};
using TFind = std::unique_ptr<std::remove_pointer_t<HANDLE>, TFindCloser>;

struct TScreenDcReleaser {
  void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
using TScreenDc = std::unique_ptr<std::remove_pointer_t<HDC>, TScreenDcReleaser>;

struct TDcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using TMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, TDcDeleter>;

struct TGdiDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using TBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, TGdiDeleter>;
using TBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, TGdiDeleter>;

// A 32-bit top-down DIB section selected into a memory DC. The DC goes first, then the bitmap.
struct TDib {
  TBitmap Bitmap;
  TMemoryDc Dc;
  uint32_t* Bits = nullptr;
  int Width = 0;
  int Height = 0;

  TDib(int width, int height) : Width(width), Height(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    Dc.reset(CreateCompatibleDC(nullptr));
    if (!Bitmap || !Dc) throw std::runtime_error("cannot make a bitmap");
    Bits = static_cast<uint32_t*>(bits);
    SelectObject(Dc.get(), Bitmap.get());
  }

  TPixels Pixels() const {
    GdiFlush();
    TPixels pixels{Width, Height, std::vector<uint32_t>(Bits, Bits + size_t(Width) * size_t(Height))};
    for (uint32_t& p : pixels.Data) p &= 0xFFFFFF;
    return pixels;
  }
};

std::string WindowText(HWND window) {
  int n = GetWindowTextLengthW(window);
  std::wstring text(size_t(n) + 1, L'\0');
  n = GetWindowTextW(window, text.data(), n + 1);
  text.resize(size_t(std::max(n, 0)));
  return Utf8(text);
}

std::wstring ClassName(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

bool IsIconStatic(HWND control) {
  return ClassName(control) == L"Static" && (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

RECT ClientAreaOnScreen(HWND window) {
  RECT area{};
  GetClientRect(window, &area);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

TPixels RenderIcon(HICON icon, int width, int height, COLORREF background) {
  TDib dib(width, height);
  RECT all{0, 0, width, height};
  TBrush brush(CreateSolidBrush(background));
  FillRect(dib.Dc.get(), &all, brush.get());
  DrawIconEx(dib.Dc.get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
  return dib.Pixels();
}

// The box's icon belongs to the other process, and icon handles are not shared between processes
// under Wine, so the icon is recognised by its pixels: each standard icon is drawn at the
// control's size, on black and on white; the pixels that come out the same on both are its
// opaque ones, and all of them must match the screen.
TBoxIcon IdentifyIcon(HWND control) {
  RECT area = ClientAreaOnScreen(control);
  int width = area.right - area.left;
  int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return TBoxIcon::Unknown;
  TPixels screen = CaptureScreen(area);
  const std::pair<TBoxIcon, LPCSTR> candidates[] = {
      {TBoxIcon::Stop, IDI_HAND},
      {TBoxIcon::Warning, IDI_WARNING},
      {TBoxIcon::Information, IDI_INFORMATION},
      {TBoxIcon::Question, IDI_QUESTION},
  };
  for (auto [kind, id] : candidates) {
    HICON icon = LoadIconA(nullptr, id);  // shared: not destroyed
    if (!icon) continue;
    TPixels onBlack = RenderIcon(icon, width, height, RGB(0, 0, 0));
    TPixels onWhite = RenderIcon(icon, width, height, RGB(255, 255, 255));
    size_t opaque = 0, matching = 0;
    for (size_t i = 0; i < screen.Data.size(); ++i) {
      if (onBlack.Data[i] != onWhite.Data[i]) continue;
      ++opaque;
      if (screen.Data[i] == onBlack.Data[i]) ++matching;
    }
    if (opaque > 0 && opaque >= screen.Data.size() / 8 && matching == opaque) return kind;
  }
  return TBoxIcon::Unknown;
}

void DispatchWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Waits for `handle` (or only the time, without one) while dispatching this thread's messages.
bool WaitDispatching(HANDLE handle, TMs timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    DispatchWaitingMessages();
    if (handle && WaitForSingleObject(handle, 0) == WAIT_OBJECT_0) return true;
    auto left = std::chrono::duration_cast<TMs>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    MsgWaitForMultipleObjects(handle ? 1 : 0, handle ? &handle : nullptr, FALSE, DWORD(left.count()), QS_ALLINPUT);
  }
}

TKey OpenKey(const std::string& key, REGSAM access) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(key).c_str(), 0, access, &opened) != ERROR_SUCCESS) return {};
  return TKey(opened);
}

const wchar_t HostClass[] = L"LumivaleTestHost";

}  // namespace

// --- processes ---------------------------------------------------------------------------------

TProcess TProcess::Launch(const std::string& exePath, const std::string& arguments) {
  std::wstring exe = Wide(exePath);
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty()) commandLine += L" " + Wide(arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info))
    throw std::runtime_error("cannot start " + exePath + " (error " + std::to_string(GetLastError()) + ")");
  CloseHandle(info.hThread);
  return TProcess(THandle(info.hProcess), info.dwProcessId);
}

TProcess::~TProcess() {
  if (FProcess) Kill();
}

bool TProcess::Running() const { return WaitForSingleObject(FProcess.get(), 0) == WAIT_TIMEOUT; }

std::optional<DWORD> TProcess::WaitForExit(TMs timeout) const {
  if (!WaitDispatching(FProcess.get(), timeout)) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(FProcess.get(), &code);
  return code;
}

void TProcess::Kill() {
  if (Running()) {
    TerminateProcess(FProcess.get(), 0xDEAD);
    WaitDispatching(FProcess.get(), TMs(5000));
  }
}

std::vector<HWND> TProcess::TopLevelWindows() const {
  struct TSearch {
    DWORD Id;
    std::vector<HWND> Found;
  } search{FId, {}};
  EnumWindows(
      [](HWND window, LPARAM context) {
        auto* s = reinterpret_cast<TSearch*>(context);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->Id) s->Found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

std::vector<HWND> TProcess::Dialogs() const {
  std::vector<HWND> dialogs;
  for (HWND window : TopLevelWindows())
    if (IsWindowVisible(window) && ClassName(window) == L"#32770") dialogs.push_back(window);
  return dialogs;
}

// --- message boxes -----------------------------------------------------------------------------

const char* ToString(TBoxIcon icon) {
  switch (icon) {
    case TBoxIcon::None: return "none";
    case TBoxIcon::Stop: return "stop";
    case TBoxIcon::Warning: return "warning";
    case TBoxIcon::Information: return "information";
    case TBoxIcon::Question: return "question";
    case TBoxIcon::Unknown: break;
  }
  return "unknown";
}

TMessageBox ReadMessageBox(HWND box, TMs paintTimeout) {
  TMessageBox result;
  result.Caption = WindowText(box);
  result.Owned = GetWindow(box, GW_OWNER) != nullptr;
  result.Topmost = (GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  GetWindowRect(box, &result.Area);
  HWND iconControl = nullptr;
  for (HWND child : Children(box)) {
    std::wstring kind = ClassName(child);
    if (kind == L"Button") {
      result.Buttons.push_back(WindowText(child));
    } else if (IsIconStatic(child)) {
      if (IsWindowVisible(child)) iconControl = child;
    } else if (kind == L"Static" && (GetDlgCtrlID(child) & 0xFFFF) == 0xFFFF) {
      result.Text = WindowText(child);
    }
  }
  // An icon control that holds no icon (Wine keeps it for boxes without one) shows none.
  DWORD_PTR icon = 0;
  if (iconControl && (!SendMessageTimeoutW(iconControl, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000, &icon) || !icon))
    iconControl = nullptr;
  if (iconControl)
    WaitUntil([&] { return (result.Icon = IdentifyIcon(iconControl)) != TBoxIcon::Unknown; }, paintTimeout);
  return result;
}

bool PressButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (!button) return false;
  // What the button itself sends to its dialog when clicked; posting it needs no activation.
  return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

std::optional<HWND> WaitForDialog(const TProcess& process, TMs timeout) {
  std::optional<HWND> found;
  WaitUntil(
      [&] {
        std::vector<HWND> dialogs = process.Dialogs();
        if (!dialogs.empty()) found = dialogs.front();
        return found || !process.Running();
      },
      timeout);
  return found;
}

TRunResult RunAnsweringBoxes(TProcess& process, TMs timeout, const TBoxHook& beforeAnswer) {
  TRunResult result;
  std::vector<HWND> answered;
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    std::erase_if(answered, [](HWND box) { return !IsWindow(box); });
    for (HWND box : process.Dialogs()) {
      if (std::find(answered.begin(), answered.end(), box) != answered.end()) continue;
      result.Boxes.push_back(ReadMessageBox(box));
      if (beforeAnswer) beforeAnswer(box, result.Boxes.back());
      if (!PressButton(box, IDOK)) PostMessageW(box, WM_CLOSE, 0, 0);
      answered.push_back(box);
    }
    if ((result.ExitCode = process.WaitForExit(TMs(50)))) return result;
    if (std::chrono::steady_clock::now() >= deadline) {
      process.Kill();
      return result;
    }
  }
}

void Pause(TMs duration) { WaitDispatching(nullptr, duration); }

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

void UseUnmanagedWineWindows() {
  if (RunningUnderWine()) WriteRegString("Software\\Wine\\X11 Driver", "Managed", "N");
}

// --- host window -------------------------------------------------------------------------------

THostWindow::THostWindow(int previewWidth, int previewHeight) {
  static const bool registered = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = HostClass;
    return RegisterClassW(&windowClass) != 0;
  }();
  if (!registered) throw std::runtime_error("cannot register the host window class");
  // Without a caption the frame is not handed to a window manager, so under Wine on a bare X
  // display its destruction does not wait for one (see UseUnmanagedWineWindows).
  FFrame = CreateWindowExW(0, HostClass, L"Lumivale test host", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN | WS_VISIBLE,
                           40, 40, previewWidth + 120, previewHeight + 120, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  if (FFrame)
    FPreview = CreateWindowExW(0, HostClass, L"preview", WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 40, 40,
                               previewWidth, previewHeight, FFrame, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!FPreview) {
    if (FFrame) DestroyWindow(FFrame);
    throw std::runtime_error("cannot create the host window");
  }
  UpdateWindow(FFrame);
  DispatchWaitingMessages();
}

THostWindow::~THostWindow() {
  DestroyWindow(FFrame);  // and the preview with it
  DispatchWaitingMessages();
}

std::string HandleText(HWND window) {
  return std::to_string(static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
}

// --- registry ----------------------------------------------------------------------------------

std::optional<TRegValue> ReadRegValue(const std::string& key, const std::string& name) {
  TKey opened = OpenKey(key, KEY_QUERY_VALUE);
  if (!opened) return std::nullopt;
  std::wstring valueName = Wide(name);
  TRegValue value;
  DWORD size = 0;
  if (RegQueryValueExW(opened.get(), valueName.c_str(), nullptr, &value.Type, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  value.Data.resize(size);
  if (RegQueryValueExW(opened.get(), valueName.c_str(), nullptr, &value.Type, value.Data.data(), &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  value.Data.resize(size);
  return value;
}

std::optional<DWORD> ReadRegDword(const std::string& key, const std::string& name) {
  auto value = ReadRegValue(key, name);
  if (!value || value->Type != REG_DWORD || value->Data.size() != 4) return std::nullopt;
  DWORD number = 0;
  std::copy(value->Data.begin(), value->Data.end(), reinterpret_cast<BYTE*>(&number));
  return number;
}

std::optional<std::string> ReadRegString(const std::string& key, const std::string& name) {
  auto value = ReadRegValue(key, name);
  if (!value || (value->Type != REG_SZ && value->Type != REG_EXPAND_SZ)) return std::nullopt;
  std::wstring text(value->Data.size() / 2, L'\0');
  std::copy(value->Data.begin(), value->Data.begin() + text.size() * 2, reinterpret_cast<BYTE*>(text.data()));
  text.resize(std::min(text.size(), text.find(L'\0')));
  return Utf8(text);
}

TSavedRegValue::TSavedRegValue(std::string key, std::string name)
    : FKey(std::move(key)), FName(std::move(name)), FValue(ReadRegValue(FKey, FName)) {}

TSavedRegValue::~TSavedRegValue() {
  try {
    if (FValue)
      WriteRegValue(FKey, FName, *FValue);
    else
      DeleteRegValue(FKey, FName);
  } catch (const std::exception&) {
  }
}

bool KeyExists(const std::string& key) { return OpenKey(key, KEY_QUERY_VALUE) != nullptr; }

void WriteRegValue(const std::string& key, const std::string& name, const TRegValue& value) {
  HKEY created = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, Wide(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                      nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot create HKCU\\" + key);
  TKey opened(created);
  if (RegSetValueExW(opened.get(), Wide(name).c_str(), 0, value.Type, value.Data.data(), DWORD(value.Data.size())) !=
      ERROR_SUCCESS)
    throw std::runtime_error("cannot write HKCU\\" + key + " " + name);
}

void WriteRegDword(const std::string& key, const std::string& name, DWORD number) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(&number);
  WriteRegValue(key, name, {REG_DWORD, {bytes, bytes + 4}});
}

void WriteRegString(const std::string& key, const std::string& name, const std::string& text) {
  std::wstring wide = Wide(text);
  const BYTE* bytes = reinterpret_cast<const BYTE*>(wide.c_str());
  WriteRegValue(key, name, {REG_SZ, {bytes, bytes + (wide.size() + 1) * 2}});
}

void DeleteRegValue(const std::string& key, const std::string& name) {
  if (TKey opened = OpenKey(key, KEY_SET_VALUE)) RegDeleteValueW(opened.get(), Wide(name).c_str());
}

void DeleteRegKey(const std::string& key) { RegDeleteTreeW(HKEY_CURRENT_USER, Wide(key).c_str()); }

// --- temporary files ---------------------------------------------------------------------------

std::string TempDirectory() {
  wchar_t path[MAX_PATH + 1] = {};
  DWORD n = GetTempPathW(MAX_PATH + 1, path);
  return Utf8(std::wstring(path, n));
}

std::vector<std::string> TempFiles(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW entry;
  TFind search(FindFirstFileW(Wide(TempDirectory() + pattern).c_str(), &entry));
  if (search.get() == INVALID_HANDLE_VALUE) {
    search.release();
    return names;
  }
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(Utf8(entry.cFileName));
  } while (FindNextFileW(search.get(), &entry));
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> TempFilesSince(const std::string& pattern, const std::vector<std::string>& before) {
  std::vector<std::string> names = TempFiles(pattern);
  std::erase_if(names, [&](const std::string& name) { return std::find(before.begin(), before.end(), name) != before.end(); });
  return names;
}

// --- screen ------------------------------------------------------------------------------------

RECT ScreenArea() {
  int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

TPixels CaptureScreen(const RECT& area) {
  int width = area.right - area.left;
  int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return {};
  TDib dib(width, height);
  TScreenDc screen(GetDC(nullptr));
  if (!screen) throw std::runtime_error("cannot open the screen");
  BitBlt(dib.Dc.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY | CAPTUREBLT);
  return dib.Pixels();
}

bool SaveBmp(const TPixels& pixels, const std::string& path) {
  const DWORD stride = (DWORD(pixels.Width) * 3 + 3) & ~3u;
  const DWORD imageSize = stride * DWORD(pixels.Height);
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + imageSize;
  info.biSize = sizeof info;
  info.biWidth = pixels.Width;
  info.biHeight = pixels.Height;  // rows bottom-up
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = imageSize;
  std::vector<BYTE> data(file.bfSize, 0);
  std::copy_n(reinterpret_cast<const BYTE*>(&file), sizeof file, data.begin());
  std::copy_n(reinterpret_cast<const BYTE*>(&info), sizeof info, data.begin() + sizeof file);
  for (int y = 0; y < pixels.Height; ++y) {
    BYTE* row = data.data() + file.bfOffBits + stride * DWORD(pixels.Height - 1 - y);
    for (int x = 0; x < pixels.Width; ++x) {
      uint32_t p = pixels.Data[size_t(y) * size_t(pixels.Width) + size_t(x)];
      row[3 * x] = BYTE(p);
      row[3 * x + 1] = BYTE(p >> 8);
      row[3 * x + 2] = BYTE(p >> 16);
    }
  }
  THandle out(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (out.get() == INVALID_HANDLE_VALUE) {
    out.release();
    return false;
  }
  DWORD written = 0;
  return WriteFile(out.get(), data.data(), DWORD(data.size()), &written, nullptr) && written == data.size();
}

bool SaveShot(const std::string& name, std::optional<RECT> area) {
  std::string folder = EnvironmentVariable("LUMI_SHOTS");
  if (folder.empty()) return false;
  folder = WindowsPath(folder);
  CreateDirectoryW(Wide(folder).c_str(), nullptr);
  return SaveBmp(CaptureScreen(area.value_or(ScreenArea())), folder + "\\" + name + ".bmp");
}

// --- input ------------------------------------------------------------------------------------

namespace {

void SendOne(INPUT input) { SendInput(1, &input, sizeof input); }

INPUT MouseInput(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return input;
}

// The normalised coordinate whose pixel is `pixel` on an axis of `extent` pixels: the system maps
// n to n * extent / 65536 (rounded down), so the smallest n that lands on the pixel is taken.
LONG Normalised(int pixel, int extent) {
  return extent > 0 ? LONG((int64_t(pixel) * 65536 + extent - 1) / extent) : 0;
}

}  // namespace

POINT CursorPosition() {
  POINT position{};
  GetCursorPos(&position);
  return position;
}

POINT MoveMouseTo(POINT target) {
  INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
  input.mi.dx = Normalised(target.x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = Normalised(target.y, GetSystemMetrics(SM_CYSCREEN));
  SendOne(input);
  return CursorPosition();
}

void SendMouseButton(TMouseButton button, bool down) {
  DWORD flags = 0;
  switch (button) {
    case TMouseButton::Left: flags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP; break;
    case TMouseButton::Right: flags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP; break;
    case TMouseButton::Middle: flags = down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP; break;
  }
  SendOne(MouseInput(flags));
}

void TurnMouseWheel(int delta) {
  INPUT input = MouseInput(MOUSEEVENTF_WHEEL);
  input.mi.mouseData = DWORD(delta);
  SendOne(input);
}

void PressKey(WORD virtualKey) {
  INPUT keys[2]{};
  for (INPUT& key : keys) {
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = virtualKey;
    key.ki.wScan = WORD(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  }
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof keys[0]);
}

// --- windows of another process ----------------------------------------------------------------

TWindowInfo ReadWindowInfo(HWND window) {
  TWindowInfo info;
  info.Class = ClassName(window);
  info.Style = DWORD(GetWindowLongW(window, GWL_STYLE));
  info.ExStyle = DWORD(GetWindowLongW(window, GWL_EXSTYLE));
  info.Parent = GetAncestor(window, GA_PARENT);
  GetWindowRect(window, &info.Window);
  GetClientRect(window, &info.Client);
  info.Visible = IsWindowVisible(window) != FALSE;
  return info;
}

std::vector<HWND> ProcessWindows(const TProcess& process) {
  std::vector<HWND> all;
  EnumWindows(
      [](HWND window, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  std::vector<HWND> topLevel = all;
  for (HWND window : topLevel)
    for (HWND child : Children(window)) all.push_back(child);
  std::erase_if(all, [&](HWND window) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner != process.Id();
  });
  return all;
}

std::vector<HWND> ProcessWindowsOfClass(const TProcess& process, const std::wstring& className) {
  std::vector<HWND> windows = ProcessWindows(process);
  std::erase_if(windows, [&](HWND window) { return ClassName(window) != className; });
  return windows;
}

bool PostClose(HWND window) { return PostMessageW(window, WM_CLOSE, 0, 0) != FALSE; }

// --- files -------------------------------------------------------------------------------------

std::optional<std::string> ReadFileBytes(const std::string& path) {
  THandle in(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (in.get() == INVALID_HANDLE_VALUE) {
    in.release();
    return std::nullopt;
  }
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(in.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  return bytes;
}

std::optional<std::string> ReadTempFile(const std::string& name) { return ReadFileBytes(TempDirectory() + name); }

// --- the slideshow -----------------------------------------------------------------------------

std::optional<HWND> WaitForSlideshow(const TProcess& process, TMs timeout) {
  std::optional<HWND> found;
  WaitUntil(
      [&] {
        if (!process.Running()) return true;
        for (HWND window : ProcessWindowsOfClass(process, L"TSchoner"))
          if (IsWindowVisible(window) && !TempFiles("ins*.htm").empty()) found = window;
        return found.has_value();
      },
      timeout);
  return found;
}

// --- text and paths ----------------------------------------------------------------------------

std::string EnvironmentVariable(const std::string& name) {
  std::wstring wideName = Wide(name);
  DWORD n = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  if (n == 0) return {};
  std::wstring value(n, L'\0');
  n = GetEnvironmentVariableW(wideName.c_str(), value.data(), n);
  value.resize(n);
  return Utf8(value);
}

std::string WindowsPath(const std::string& unixPath) {
  std::string path = unixPath;
  std::replace(path.begin(), path.end(), '/', '\\');
  return unixPath.starts_with('/') ? "Z:" + path : path;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), utf8.data(), n, nullptr, nullptr);
  return utf8;
}

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring wide(size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), n);
  return wide;
}
