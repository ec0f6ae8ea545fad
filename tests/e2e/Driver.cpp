// The end-to-end test driver on Win32: processes, message boxes, a host window, the registry,
// temporary files and screen captures.
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include "base/WindowClassWin32.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <stdexcept>

#include "tests/support/Ppm.h"

namespace {

// A 32-bit top-down DIB section selected into a memory DC.
struct TDib {
  TDibSection Section;
  TMemoryDC Dc;
  std::optional<TSelectedObject> Selected;
  int Width = 0;
  int Height = 0;

  TDib(int width, int height) : Section(CreateTopDownDib(width, height)), Dc(CreateCompatibleDC(nullptr)),
                                Width(width), Height(height) {
    if (!Section.Bitmap || !Dc) throw std::runtime_error("cannot make a bitmap");
    Selected.emplace(Dc.Get(), Section.Bitmap.Get());
  }

  TPixels Pixels() const {
    GdiFlush();
    TPixels pixels{Width, Height, std::vector<uint32_t>(Section.Bits, Section.Bits + size_t(Width) * size_t(Height))};
    for (uint32_t& p : pixels.Data) p &= 0xFFFFFF;
    return pixels;
  }
};

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
  TGdiObject brush(CreateSolidBrush(background));
  FillRect(dib.Dc.Get(), &all, static_cast<HBRUSH>(brush.Get()));
  DrawIconEx(dib.Dc.Get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
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

void SendOne(INPUT input) { SendInput(1, &input, sizeof input); }

INPUT MouseInput(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return input;
}

// While the pointer is held (MoveMouseToAndHold), every wait reports it this often.
constexpr TMs HeldPointerReport(50);
bool PointerHeld = false;

void ReportHeldPointer() {
  static std::chrono::steady_clock::time_point last;
  const auto now = std::chrono::steady_clock::now();
  if (!PointerHeld || now - last < HeldPointerReport) return;
  SendOne(MouseInput(MOUSEEVENTF_MOVE));  // a move of nothing
  last = now;
  // Wine queues no message for a move of nothing: a program that handled the last real move late,
  // when Wine already answered from the display, would never look again. Its window under the
  // pointer is told of a move, so it reads the cursor again while the report is fresh.
  POINT at{};
  if (GetCursorPos(&at))
    if (HWND under = WindowFromPoint(at)) PostMessageW(GetAncestor(under, GA_ROOT), WM_MOUSEMOVE, 0, 0);
}

// Waits for `handle` (or only the time, without one) while dispatching this thread's messages.
bool WaitDispatching(HANDLE handle, TMs timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    DispatchWaitingMessages();
    ReportHeldPointer();
    if (handle && WaitForSingleObject(handle, 0) == WAIT_OBJECT_0) return true;
    auto left = std::chrono::duration_cast<TMs>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    if (PointerHeld) left = std::min(left, HeldPointerReport);
    MsgWaitForMultipleObjects(handle ? 1 : 0, handle ? &handle : nullptr, FALSE, DWORD(left.count()), QS_ALLINPUT);
  }
}

}  // namespace

std::string WindowText(HWND window) {
  int n = GetWindowTextLengthW(window);
  std::wstring text(size_t(n) + 1, L'\0');
  n = GetWindowTextW(window, text.data(), n + 1);
  text.resize(size_t(std::max(n, 0)));
  return WideToUtf8(text);
}

std::wstring ClassName(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}

// --- processes ---------------------------------------------------------------------------------

namespace {

// How often this run has started a program again after Wine's error 1359.
int StartRetries = 0;

// The page files that a process of this driver has taken as its session's, by full path.
std::set<std::string> TakenPages;

}  // namespace

TProcess TProcess::Launch(const std::string& exePath, const std::string& arguments) {
  std::wstring exe = Utf8ToWide(exePath);
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty()) commandLine += L" " + Utf8ToWide(arguments);
  // The program inherits this process's temporary directory as it stands now.
  std::string tempFolder = TempDirectory();
  std::vector<std::string> pagesBefore = FolderFiles(tempFolder, "ins*.htm");
  constexpr int MaxStarts = 5;
  for (int start = 1;; ++start) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
      CloseHandle(info.hThread);
      return TProcess(TKernelHandle(info.hProcess), info.dwProcessId, std::move(tempFolder), std::move(pagesBefore));
    }
    const DWORD error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR || start == MaxStarts)
      throw std::runtime_error("cannot start " + exePath + " (error " + std::to_string(error) + ")");
    ++StartRetries;
    std::printf("[driver] Wine did not start %s (error 1359): starting it again (%d in this run)\n", exePath.c_str(),
                StartRetries);
    std::fflush(stdout);
  }
}

TProcess::~TProcess() {
  if (!FProcess) return;  // moved from
  Kill();
  TakenPages.erase(FPage);
}

bool TProcess::Running() const { return WaitForSingleObject(FProcess.Get(), 0) == WAIT_TIMEOUT; }

std::optional<DWORD> TProcess::WaitForExit(TMs timeout) const {
  if (!WaitDispatching(FProcess.Get(), timeout)) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(FProcess.Get(), &code);
  return code;
}

void TProcess::Kill() {
  if (Running()) {
    TerminateProcess(FProcess.Get(), 0xDEAD);
    WaitDispatching(FProcess.Get(), TMs(5000));
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

std::optional<std::string> TProcess::Page() const {
  const std::vector<std::string> pages = FolderFiles(FTempFolder, "ins*.htm");
  // A taken page that is gone frees its name for a later session.
  std::erase_if(TakenPages, [&](const std::string& path) {
    const size_t name = path.rfind('\\') + 1;
    return path.substr(0, name) == FTempFolder && !std::binary_search(pages.begin(), pages.end(), path.substr(name));
  });
  for (const std::string& name : pages) {
    if (!FPage.empty()) break;
    if (std::binary_search(FPagesBefore.begin(), FPagesBefore.end(), name)) continue;
    if (TakenPages.insert(FTempFolder + name).second) FPage = FTempFolder + name;
  }
  if (FPage.empty()) return std::nullopt;
  return FPage;
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

void ExpectEndsWith0AndNoBox(TProcess& process, TMs timeout, const std::string& what) {
  TRunResult run = RunAnsweringBoxes(process, timeout);
  EXPECT_EQ(run.ExitCode, std::optional<DWORD>(0)) << what << ": no exit code 0 (none: still running at the time-out)";
  for (const TMessageBox& box : run.Boxes) ADD_FAILURE() << what << " showed a box: " << box.Caption << ": " << box.Text;
}

void Pause(TMs duration) { WaitDispatching(nullptr, duration); }

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// --- host window -------------------------------------------------------------------------------

THostWindow::THostWindow(int previewWidth, int previewHeight) {
  // Without a caption the frame is not handed to a window manager, so under Wine on a bare X
  // display its destruction does not wait for one, whatever the prefix says.
  FFrame = CreateHostWindow(0, WS_POPUP | WS_BORDER | WS_CLIPCHILDREN | WS_VISIBLE, 40, 40, previewWidth + 120,
                            previewHeight + 120, nullptr, BLACK_BRUSH, L"Lumivale test host");
  if (FFrame)
    FPreview = CreateHostWindow(0, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 40, 40, previewWidth, previewHeight, FFrame,
                                BLACK_BRUSH, L"preview");
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
  TWindowDC screen(nullptr);
  if (!screen.Get()) throw std::runtime_error("cannot open the screen");
  BitBlt(dib.Dc.Get(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY | CAPTUREBLT);
  return dib.Pixels();
}

bool SaveShot(const std::string& name, std::optional<RECT> area) {
  std::string folder = EnvironmentVariable("LUMI_SHOTS");
  if (folder.empty()) return false;
  folder = WindowsPath(folder);
  CreateDirectoryW(Utf8ToWide(folder).c_str(), nullptr);
  // What was painted last may reach the screen a moment later: the capture is taken once two in
  // a row agree.
  TPixels shot = CaptureScreen(area.value_or(ScreenArea()));
  WaitUntil(
      [&] {
        TPixels again = CaptureScreen(area.value_or(ScreenArea()));
        const bool settled = again.Data == shot.Data;
        shot = std::move(again);
        return settled;
      },
      TMs(1000));
  return WriteBytes(folder + "\\" + name + ".ppm", PpmBytes(shot.Width, shot.Height, [&](size_t i) { return shot.Data[i]; }));
}

std::optional<TPixels> WaitForScreen(const std::function<bool(const TPixels&)>& shows, TMs timeout) {
  std::optional<TPixels> shot;
  // A capture costs the program on the screen its processor time: a few a second will do.
  if (WaitUntil([&] { return shows(*(shot = CaptureScreen(ScreenArea()))); }, timeout, TMs(100))) return shot;
  return std::nullopt;
}

namespace {

// The sum of the three channels, 0 to 765.
int Channels(uint32_t p) { return int((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)); }

}  // namespace

RECT LitBounds(const TPixels& shot, const RECT& area) {
  RECT lit{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
  for (LONG y = area.top; y < area.bottom; ++y)
    for (LONG x = area.left; x < area.right; ++x) {
      if (Channels(shot.Data[size_t(y) * shot.Width + size_t(x)]) <= 3 * 12) continue;
      lit = {std::min(lit.left, x - area.left), std::min(lit.top, y - area.top), std::max(lit.right, x - area.left + 1),
             std::max(lit.bottom, y - area.top + 1)};
    }
  return lit;
}

bool ShowsFittedPicture(const TPixels& shot, const RECT& area) {
  const RECT lit = LitBounds(shot, area);
  const LONG width = area.right - area.left, height = area.bottom - area.top;
  const bool fullWidth = lit.left <= 4 && lit.right >= width - 4, fullHeight = lit.top <= 4 && lit.bottom >= height - 4;
  return (fullWidth && std::abs(lit.top - (height - lit.bottom)) <= 8) ||
         (fullHeight && std::abs(lit.left - (width - lit.right)) <= 8);
}

std::vector<double> Thumbnail(const TPixels& shot, const RECT& area) {
  constexpr int columns = 16, rows = 12;
  std::vector<double> cells(size_t(columns * rows), 0.0);
  const int width = area.right - area.left, height = area.bottom - area.top;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      cells[size_t((y * rows / height) * columns + x * columns / width)] +=
          Channels(shot.Data[size_t(area.top + y) * shot.Width + size_t(area.left + x)]) / 3.0;
  const double perCell = double(width) * height / (columns * rows);
  for (double& cell : cells) cell /= perCell;
  return cells;
}

double MeanDifference(const std::vector<double>& a, const std::vector<double>& b) {
  double sum = 0;
  for (size_t i = 0; i < a.size(); ++i) sum += std::abs(a[i] - b[i]);
  return sum / double(a.size());
}

// --- input ------------------------------------------------------------------------------------

namespace {

// The normalised coordinate whose pixel is `pixel` on an axis of `extent` pixels: the system maps
// n to n * extent / 65536 (rounded down), so the smallest n that lands on the pixel is taken.
LONG Normalised(int pixel, int extent) {
  return extent > 0 ? LONG((int64_t(pixel) * 65536 + extent - 1) / extent) : 0;
}

INPUT AbsoluteMove(POINT target) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
  if (target.x >= 0 && target.y >= 0 && target.x < width && target.y < height) {
    input.mi.dx = Normalised(target.x, width);
    input.mi.dy = Normalised(target.y, height);
  } else {
    // Beyond the primary monitor: normalised over the whole virtual screen.
    const RECT all = ScreenArea();
    input.mi.dwFlags |= MOUSEEVENTF_VIRTUALDESK;
    input.mi.dx = Normalised(target.x - all.left, all.right - all.left);
    input.mi.dy = Normalised(target.y - all.top, all.bottom - all.top);
  }
  return input;
}

DWORD ButtonFlags(TMouseButton button, bool down) {
  switch (button) {
    case TMouseButton::Left: return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    case TMouseButton::Right: return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    case TMouseButton::Middle: return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
  }
  return 0;
}

}  // namespace

POINT CursorPosition() {
  POINT position{};
  GetCursorPos(&position);
  return position;
}

POINT MoveMouseTo(POINT target) {
  PointerHeld = false;
  SendOne(AbsoluteMove(target));
  WaitUntil([&] { return CursorPosition().x == target.x && CursorPosition().y == target.y; }, TMs(1000));
  return CursorPosition();
}

POINT MoveMouseToAndHold(POINT target) {
  const POINT landed = MoveMouseTo(target);
  PointerHeld = true;
  return landed;
}

void ReleaseMouse() { PointerHeld = false; }

void SendMouseButton(TMouseButton button, bool down) { SendOne(MouseInput(ButtonFlags(button, down))); }

void ClickAt(POINT at) {
  MoveMouseTo(at);
  for (bool down : {true, false}) {
    INPUT input = AbsoluteMove(at);
    input.mi.dwFlags |= ButtonFlags(TMouseButton::Left, down);
    SendOne(input);
  }
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
  TFileHandle in(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!in) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(in.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  return bytes;
}

std::optional<std::string> ReadTempFile(const std::string& name) { return ReadFileBytes(TempDirectory() + name); }

// --- the slideshow -----------------------------------------------------------------------------

std::optional<HWND> WaitForSlideshow(const TProcess& process, TMs timeout) {
  std::optional<HWND> found;
  WaitUntil(
      [&] {
        if (!process.Running()) return true;
        if (!process.Page()) return false;
        for (HWND window : ProcessWindowsOfClass(process, L"TSchoner"))
          if (IsWindowVisible(window)) found = window;
        return found.has_value();
      },
      timeout);
  return found;
}

// --- text and paths ----------------------------------------------------------------------------

std::string EnvironmentVariable(const std::string& name) {
  std::wstring wideName = Utf8ToWide(name);
  DWORD n = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  if (n == 0) return {};
  std::wstring value(n, L'\0');
  n = GetEnvironmentVariableW(wideName.c_str(), value.data(), n);
  value.resize(n);
  return WideToUtf8(value);
}

std::string WindowsPath(const std::string& unixPath) {
  std::string path = unixPath;
  std::replace(path.begin(), path.end(), '/', '\\');
  return unixPath.starts_with('/') ? "Z:" + path : path;
}
