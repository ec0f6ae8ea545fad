// The end-to-end test driver: starts the real program as a process and watches, reads and
// answers what it shows, the way a user or the screen-saver host would. Texts are UTF-8.
#pragma once

#include <windows.h>

#include "base/OwnersWin32.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/TestWindows.h"

using TMs = std::chrono::milliseconds;


// A started program. The destructor kills it if it still runs, so that no test leaves a
// process behind for the next one.
class TProcess {
 public:
  // Starts `exePath` with the command line `"exePath" arguments`. Throws std::runtime_error.
  // Wine now and then fails to start a process with ERROR_INTERNAL_ERROR (1359) under load: that
  // one error is met by starting it again, a few times at most, each time printed and counted.
  static TProcess Launch(const std::string& exePath, const std::string& arguments);

  TProcess(TProcess&&) = default;
  TProcess& operator=(TProcess&&) = default;
  ~TProcess();

  DWORD Id() const { return FId; }
  bool Running() const;
  // The exit code, or nothing when the process still runs after `timeout`. Keeps this thread's
  // windows (a host window) answering while it waits.
  std::optional<DWORD> WaitForExit(TMs timeout) const;
  void Kill();

  // The process's top-level windows, visible or not, in z-order.
  std::vector<HWND> TopLevelWindows() const;
  // Its visible top-level dialog windows (class #32770): message boxes and the like.
  std::vector<HWND> Dialogs() const;

  // The page file (ins*.htm) of its session, by full path, once there is one: a file of its
  // temporary directory that was not there when it started and that no other process of this
  // driver has taken as its own. A process started while another one's first page is still to
  // come may take that one's: such sessions are started one after the other.
  std::optional<std::string> Page() const;

 private:
  TProcess(TKernelHandle process, DWORD id, std::string tempFolder, std::vector<std::string> pagesBefore)
      : FProcess(std::move(process)), FId(id), FTempFolder(std::move(tempFolder)), FPagesBefore(std::move(pagesBefore)) {}
  TKernelHandle FProcess;
  DWORD FId = 0;
  std::string FTempFolder;  // as the program inherited it
  std::vector<std::string> FPagesBefore;
  mutable std::string FPage;
};

// Which standard icon a message box shows. Stop stands for MB_ICONSTOP = MB_ICONERROR = MB_ICONHAND,
// Warning for MB_ICONWARNING, Information for MB_ICONINFORMATION, Question for MB_ICONQUESTION.
enum class TBoxIcon { None, Stop, Warning, Information, Question, Unknown };
const char* ToString(TBoxIcon icon);

struct TMessageBox {
  std::string Caption;
  std::string Text;  // of the static control with id 0xFFFF
  TBoxIcon Icon = TBoxIcon::None;
  std::vector<std::string> Buttons;  // button captions, in creation order
  bool Owned = false;    // has an owner window (MB_TASKMODAL and a null owner give none)
  bool Topmost = false;  // MB_SYSTEMMODAL and MB_TOPMOST make the box topmost
  RECT Area{};           // on the screen
};

// Reads a shown message box. Identifying the icon needs the box painted on the screen: it waits
// up to `paintTimeout` for the icon to match one of the standard icons, else reports Unknown.
TMessageBox ReadMessageBox(HWND box, TMs paintTimeout = TMs(3000));

// Clicks the dialog button with this id (asynchronously, as a click would). False if none.
bool PressButton(HWND dialog, int id);

// The first visible dialog of `process`, waiting up to `timeout`; nothing if the process ended
// or the time ran out.
std::optional<HWND> WaitForDialog(const TProcess& process, TMs timeout);

// Runs `process` to its end: every message box it shows is read, handed to `beforeAnswer` (while
// it is still on the screen) and answered with OK, or closed when it has no OK button. ExitCode is
// empty when the process did not end within `timeout`; it is then killed.
struct TRunResult {
  std::optional<DWORD> ExitCode;
  std::vector<TMessageBox> Boxes;
};
using TBoxHook = std::function<void(HWND box, const TMessageBox& read)>;
TRunResult RunAnsweringBoxes(TProcess& process, TMs timeout, const TBoxHook& beforeAnswer = {});
// Runs `process` to its end as above and expects exit code 0 and no box; `what` names it in a failure.
void ExpectEndsWith0AndNoBox(TProcess& process, TMs timeout, const std::string& what = "the program");

// Waits while dispatching this thread's messages.
void Pause(TMs duration);
// Polls `condition` every `period` (dispatching messages) until it holds or `timeout` passes.
template <class F>
bool WaitUntil(F condition, TMs timeout, TMs period = TMs(20)) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Pause(period);
  }
  return true;
}

bool RunningUnderWine();

// A host of our own for the preview and configuration switches: a visible top-level frame (a
// bordered pop-up) with a black child window standing for the display settings' preview screen.
class THostWindow {
 public:
  explicit THostWindow(int previewWidth = 152, int previewHeight = 112);
  THostWindow(const THostWindow&) = delete;
  THostWindow& operator=(const THostWindow&) = delete;
  ~THostWindow();
  HWND Frame() const { return FFrame; }
  HWND Preview() const { return FPreview; }

 private:
  HWND FFrame = nullptr;
  HWND FPreview = nullptr;
};

// The decimal text of a window handle as the host puts it on a command line.
std::string HandleText(HWND window);


// Screen pixels as 0x00RRGGBB, row by row from the top.
struct TPixels {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Data;
};
TPixels CaptureScreen(const RECT& area);
RECT ScreenArea();  // the whole virtual screen
// Saves a capture of `area` (default: the whole screen), once it has settled, as <name>.ppm into
// the folder named by the environment variable LUMI_SHOTS (a Unix path); does nothing and returns
// false without it.
bool SaveShot(const std::string& name, std::optional<RECT> area = std::nullopt);
// Captures the whole screen until `shows` holds for a capture, which is returned; nothing when
// `timeout` passes first.
std::optional<TPixels> WaitForScreen(const std::function<bool(const TPixels&)>& shows, TMs timeout);

// What a monitor shows, read from a whole-screen capture; `area` is in the capture's coordinates.
// The rectangle of the pixels brighter than black, relative to `area` (right == LONG_MIN: none).
RECT LitBounds(const TPixels& shot, const RECT& area);
// A picture fitted to `area` as the slideshow fits it: as wide or as high as the area and centred
// on black (a few pixels of tolerance for photographs whose edges are nearly black).
bool ShowsFittedPicture(const TPixels& shot, const RECT& area);
// The mean brightness of a grid of cells over `area`: a small picture of what it shows,
// comparable between areas of different sizes; and how far two of them differ (0 to 255).
std::vector<double> Thumbnail(const TPixels& shot, const RECT& area);
double MeanDifference(const std::vector<double>& a, const std::vector<double>& b);

// --- input, as the user gives it (SendInput; it reaches whatever window the system routes it to) ---

// Moves the pointer to the screen point by an absolute move (MOUSEEVENTF_ABSOLUTE, coordinates
// normalised to 0..65535 over the primary screen, or over the virtual screen for a point beyond
// the primary monitor), so that no pointer acceleration applies.
// Returns where the cursor then stands, once the system reports it there (Wine may report the
// move a moment late) or a second has passed.
POINT MoveMouseTo(POINT target);
// The same move for a program that judges a move by where GetCursorPos puts the cursor when it
// handles it. Under Wine a full-screen window on the only monitor holds the display's pointer, so
// the display does not follow moves sent by another program, and Wine answers GetCursorPos from
// the display once the last report of the pointer is 100 ms old. So, until the next move or
// ReleaseMouse, every wait of the driver reports the pointer where it stands (a move of nothing)
// every 50 ms and tells the window under it of a move, so that a program that handled the move
// late, when Wine answered from the display, looks again and finds the cursor where it was moved.
POINT MoveMouseToAndHold(POINT target);
void ReleaseMouse();
POINT CursorPosition();
enum class TMouseButton { Left, Right, Middle };
// One button transition (down or up) where the pointer stands, without moving it.
void SendMouseButton(TMouseButton button, bool down);
// A left click at the screen point, as a user gives it on a window that is not full screen. Wine
// moves the display's pointer after a move sent by this program, and the process of the window
// under it reports that move back in its own time, maybe after a later move: so the button's down
// and up carry the point too, and a late report of where the pointer was cannot take them elsewhere.
void ClickAt(POINT at);
// Turns the wheel by `delta` (WHEEL_DELTA is one notch away from the user).
void TurnMouseWheel(int delta);
// A key press: down and up of the virtual key.
void PressKey(WORD virtualKey);

// --- windows of another process ---

struct TWindowInfo {
  std::wstring Class;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  HWND Parent = nullptr;  // GetAncestor(GA_PARENT): the desktop window for a top-level window
  RECT Window{};          // on the screen
  RECT Client{};          // client coordinates: left and top are 0
  bool Visible = false;
};
TWindowInfo ReadWindowInfo(HWND window);
std::string WindowText(HWND window);
std::wstring ClassName(HWND window);
// Every window of the process, top-level ones and children, also those that are children of
// another process's windows (a preview in a host window).
std::vector<HWND> ProcessWindows(const TProcess& process);
std::vector<HWND> ProcessWindowsOfClass(const TProcess& process, const std::wstring& className);
// Posts a close request (WM_CLOSE), as the system or another program would.
bool PostClose(HWND window);

// --- files ---

// A file's bytes, or nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);
// A file of the user's temporary directory, by its name.
std::optional<std::string> ReadTempFile(const std::string& name);

// --- the slideshow ---

// The saver window of a running session (a visible window of class TSchoner) once the session is
// activated: its own first page file exists (TProcess::Page). Nothing when the process ended or
// the time ran out.
std::optional<HWND> WaitForSlideshow(const TProcess& process, TMs timeout);

// Helpers for the test programs.
std::string EnvironmentVariable(const std::string& name);  // empty when unset
std::string WindowsPath(const std::string& unixPath);      // "/a/b" gives "Z:\a\b"
