// One slideshow session: StartSaver, the saver window's creation and activation, the tick that
// changes the pictures, and following the monitors when they change.
#include "session/Saver.h"

#include "base/RunState.h"
#include "base/ApplicationWin32.h"
#include "base/Random.h"
#include "base/WindowBoundsWin32.h"
#include "host/BrowserGuards.h"
#include "host/RunningFlag.h"
#include "session/PageText.h"
#include "session/SchonerWin32.h"
#include "session/SessionState.h"
#include "session/TempFiles.h"
#include "settings/SettingsStore.h"

namespace {

HWND ParentHandle() { return reinterpret_cast<HWND>(static_cast<intptr_t>(ParentWindow)); }

// The monitor windows' own generator starts apart from the process-wide one.
uint64_t SessionSeed() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<uint64_t>(counter.QuadPart) * 0x9E3779B97F4A7C15ull ^ GetCurrentProcessId();
}

}  // namespace

TSchoner::TSchoner() : TForm(L"TSchoner"), Timer1(*this, 100, [this] { Timer1Timer(); }) {
  Schoner = this;
  KeyPreview = true;
  SetColor(RGB(0, 0, 0));
}

TSchoner::~TSchoner() {
  if (Schoner == this) Schoner = nullptr;
}

void TSchoner::CreateParams(TCreateParams& params) {
  // No border, no caption, above other top-level windows; the design size is replaced in
  // FormCreate.
  params.Style = WS_POPUP | WS_CLIPCHILDREN;
  params.ExStyle = WS_EX_TOPMOST;
  params.X = 774;
  params.Y = 365;
  params.Width = 720;
  params.Height = 664;
  if (ParentWindow != 0) {
    params.WndParent = ParentHandle();
    params.Style = WS_CHILD | WS_VISIBLE;
  }
}

void TSchoner::FormCreate() {
  WebBrowser1 = std::make_unique<TWebBrowser>(Handle(), 88, 412, 257, 185);
  // Each guard on its own: a broken value of one is reported and the other still does its work.
  RunGuarded([] { DisableNavigationSound(); });
  RunGuarded([] { EnablePageTransitions(); });
  WebBrowser1->SetLeft(Width());  // beyond the right edge until the first page is laid out
  FOldWindowProc = WindowProc;
  if (SaverMode == smPreview) {
    RECT parent;
    if (!GetWindowRect(ParentHandle(), &parent)) {
      // The host's window is already gone: nothing to show in, so the session ends at once.
      StopSaver();
      return;
    }
    SetBounds(0, 0, parent.right - parent.left, parent.bottom - parent.top);
  } else {
    SetMaximized(true);
  }
  HWND owner = Application.Handle();
  SetWindowLongA(owner, GWL_EXSTYLE, GetWindowLongA(owner, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
  SetHeight(ClientHeight());
  FCourse.StartCountDown();
  FEffect = ReadEffect(CurrentRegistry());
}

void TSchoner::FormActivate() {
  // Once per session: a later activation, or one after the end, starts nothing over.
  if (!FCourse.Activate()) return;
  Randomize();
  FPlayList.FillPlayList();
  POINT cursor = {};
  GetCursorPos(&cursor);
  StartCursorPos = {cursor.x, cursor.y};
  FJpgFile = MakeTempFileName("jpg");
  FHtmlFile = MakeTempFileName("htm");
  FExitMeta = ChooseExitMeta(FEffect);
  WritePageFile(FHtmlFile, BlankPageText(FExitMeta));
  WebBrowser1->Navigate(FHtmlFile);
  FitBrowser();
  // Shown only once it covers the window, so its frame never appears on the black window.
  WebBrowser1->Show();

  WindowProc = [this](TMessage& message) { SaverWindowProc(message); };
  if (SaverMode == smSaver) {
    SetCapture(Handle());
    // The other monitors go black now and change pictures with this one. Their windows post what
    // they hear to this one, whose handling may close them.
    FMonitors = std::make_unique<TMonitorWindows>(SessionSeed(), [this](UINT message) {
      PostMessageW(Handle(), CM_MONITOREVENT, message, 0);
    });
    FMonitors->Follow();
  }
}

void TSchoner::FitBrowser() {
  // The view's frame and scroll-bar room lie outside the window: its client area starts at the
  // window's top-left corner.
  WebBrowser1->SetHeight(GetSystemMetrics(SM_CYVSCROLL) + Height() + 4);
  WebBrowser1->SetWidth(GetSystemMetrics(SM_CXHSCROLL) + Width() + 4);
  WebBrowser1->SetTop(-2);
  WebBrowser1->SetLeft(-2);
  if (WebBrowser1->ClientWidth() < 700) WebBrowser1->SetClientWidth(700);
}

void TSchoner::WndProc(TMessage& message) {
  if (message.Msg == WM_DISPLAYCHANGE || message.Msg == WM_DPICHANGED) {
    // Handled after the standard handling has seen them; a preview keeps its host's size.
    TForm::WndProc(message);
    if (SaverMode == smSaver && FCourse.Stage() == TSessionStage::Active) FollowDisplays();
    message.Result = 0;
    return;
  }
  if (message.Msg == CM_MONITOREVENT) {
    if (message.WParam == WM_DPICHANGED && FCourse.Stage() == TSessionStage::Active) FollowDisplays();
    return;
  }
  TForm::WndProc(message);
}

void TSchoner::FollowDisplays() {
  const RECT area = PrimaryMonitorArea();
  if (area.right > area.left && area.bottom > area.top)
    SetWindowPos(Handle(), HWND_TOPMOST, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE);
  FitBrowser();
  if (FMonitors) FMonitors->Follow();
}

void TSchoner::Timer1Timer() {
  // The monitors are checked on every tick too: not every system tells of every change at once.
  if (FMonitors && !FCourse.Ended() && FMonitors->LayoutChanged()) FollowDisplays();
  Application.ProcessMessages();
  // The messages just handled may have ended the session: then nothing more is written.
  if (FCourse.Tick()) ChangePicture();
  if (!FCourse.Ended()) Application.ProcessMessages();
}

void TSchoner::ChangePicture() {
  // Without the two file names (not activated yet, or the temporary directory gave none, which
  // activation has reported once) there is nowhere to put a picture: the session stays black.
  if (FHtmlFile.empty() || FJpgFile.empty()) return;
  std::optional<int32_t> n = FPlayList.NextPictureNumber();
  if (!n) return;
  FCourse.SetNextCount(Random(TSessionCourse::CountSpread));
  TJpegSize size = CopyPictureFile(*n, FJpgFile);
  const char* fit = FitAttribute(Width(), Height(), size.Width, size.Height);
  FExitMeta = ChooseExitMeta(FEffect);
  WritePageFile(FHtmlFile, PicturePageText(FExitMeta, Width(), Height(), FJpgFile, fit));
  WebBrowser1->Navigate(FHtmlFile);
  WebBrowser1->Show();
  if (FMonitors) FMonitors->ChangePictures(*n, FEffect);
}

void StartSaver() {
  // A preview lives in the host's window: a handle of 0, or one that names no window, leaves
  // nothing to show in, and the session ends before it has changed anything.
  if (SaverMode == smPreview && !IsWindow(ParentHandle())) return;
  if (SaverMode == smSaver) {
    SetScreenSaverRunning(true);
    ShowCursor(FALSE);
  }
  Application.Initialize();
  auto schoner = std::make_unique<TSchoner>();
  schoner->Create();
  if (schoner->Handle() == nullptr) {
    // The window could not be made (the host's window went away just then): no handler has run
    // and nothing was changed but the running flag.
    if (SaverMode == smSaver) SetScreenSaverRunning(false);
    return;
  }
  schoner->ShowModal();
  Application.ShowMainForm = false;
  Application.Run();
}
