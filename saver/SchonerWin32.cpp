// The saver window's creation and activation, the tick that changes the pictures, and following
// the monitors when they change.
#include "saver/SchonerWin32.h"

#include "base/ApplicationWin32.h"
#include "base/Random.h"
#include "base/RectWin32.h"
#include "base/TextWin32.h"
#include "base/WindowBoundsWin32.h"
#include "display/FrameClockWin32.h"
#include "host/BrowserGuards.h"
#include "host/RunningFlag.h"
#include "host/SessionRecord.h"
#include "settings/SettingsStore.h"
#include "slides/PageText.h"
#include "slides/PictureChange.h"
#include "slides/TempFiles.h"

namespace {

// Where the window and the page view lie as designed, before FormCreate fits them to the screen
// or the host's preview window.
constexpr TRect DesignBounds = {774, 365, 720, 664};
constexpr TRect DesignBrowserBounds = {88, 412, 257, 185};

}  // namespace

TSchoner::TSchoner(const TRunRequest& run) : TForm(L"TSchoner"), PictureTimer(*this, 100, [this] { PictureTimerTick(); }), FRun(run) {
  KeyPreview = true;
  SetColor(RGB(0, 0, 0));
}

void TSchoner::CreateParams(TCreateParams& params) {
  // No border, no caption, above other top-level windows; the design size is replaced in
  // FormCreate.
  params.Style = WS_POPUP | WS_CLIPCHILDREN;
  params.ExStyle = WS_EX_TOPMOST;
  params.X = DesignBounds.Left;
  params.Y = DesignBounds.Top;
  params.Width = DesignBounds.Width;
  params.Height = DesignBounds.Height;
  if (FRun.Window != 0) {
    params.WndParent = HostWindow(FRun);
    params.Style = WS_CHILD | WS_VISIBLE;
  }
}

void TSchoner::FormCreate() {
  const TRect& b = DesignBrowserBounds;
  PageView = std::make_unique<TPageView>(Handle(), b.Left, b.Top, b.Width, b.Height);
  // The browser settings change only once the record of them is in place, so that a session that
  // ends abnormally loses nothing; from here on such an end still runs the session's end. A
  // setting that cannot be changed stays as it is, without a word: the pictures show either way.
  FEndOnCrash = std::make_unique<TAbnormalEndStep>([this] { StopSaver(); });
  RunQuietly([this] {
    RecordSession(CurrentRegistry(), CurrentProcessStamp());
    FRecorded = true;
  });
  if (FRecorded) {
    RunQuietly([] { DisableNavigationSound(); });
    RunQuietly([this] { FTransitionsWereOff = EnablePageTransitions(); });
  }
  PageView->SetLeft(Width());  // beyond the right edge until the first page is laid out
  if (FRun.Mode == smPreview) {
    RECT parent;
    if (!GetWindowRect(HostWindow(FRun), &parent)) {
      // The host's window is already gone: nothing to show in, so the session ends at once.
      StopSaver();
      return;
    }
    const TRect area = FromRECT(parent);
    SetBounds(0, 0, area.Width, area.Height);
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
  FStartCursor = {cursor.x, cursor.y};
  // The input watch is in place before the session writes or shows anything: input from the
  // first moment on ends it.
  const auto watchInput = [this] {
    if (FRun.Mode != smSaver) return;
    FWatching = true;
    FCapture = CaptureMouse(Handle());
  };
  watchInput();
  // When the files cannot be made (the temporary directory cannot be written) the error is
  // reported once and the session stays black; it still ends like any session. The report's box
  // takes the activation and the input, so the watch stands aside until it is answered. A blank
  // page that cannot be written (a full disk) leaves the view black as it is, and the pictures
  // are tried.
  try {
    MakeSessionFiles();
  } catch (...) {
    FCapture.Reset();
    FWatching = false;
    Application.HandleCurrentException();
    watchInput();
  }
  // From here on the session shows, and nothing that fails may put a box over it.
  Application.Quiet = true;
  if (!FHtmlPage.empty())
    RunQuietly([this] {
      WritePageFile(FHtmlFile, BlankPageText(ChooseExit(FEffect)));
      PageView->Navigate(FHtmlPage);
    });
  FitBrowser();
  // Shown only once it covers the window, so its frame never appears on the black window.
  PageView->Show();

  // Nothing is drawn while nobody can see it.
  FNotices = std::make_unique<TConditionNotices>(Handle(), FConditions);
  ApplyConditions();

  if (FRun.Mode == smSaver) {
    // The other monitors go black now and change pictures with this one. Their windows post what
    // they hear to this one, whose handling may close them.
    FMonitors = std::make_unique<TMonitorWindows>(SessionSeed(), [this](UINT message) {
      PostMessageW(Handle(), CM_MONITOREVENT, message, 0);
    });
    FMonitors->Follow();
  }
}

void TSchoner::MakeSessionFiles() {
  FJpgFile = MakeTempFile("jpg");
  FHtmlFile = MakeTempFile("htm");
  // Recorded at once, so that an abnormal end from here on leaves no file behind.
  if (FRecorded)
    RunQuietly([this] {
      RecordSessionFiles(CurrentRegistry(), CurrentProcessStamp().Id, WideToUtf8(FJpgFile), WideToUtf8(FHtmlFile));
    });
  FJpgPage = PagePathOf(FJpgFile);
  FHtmlPage = PagePathOf(FHtmlFile);
}

void TSchoner::FitBrowser() {
  // The view's frame and scroll-bar room lie outside the window: its client area starts at the
  // window's top-left corner.
  PageView->SetHeight(GetSystemMetrics(SM_CYVSCROLL) + Height() + 4);
  PageView->SetWidth(GetSystemMetrics(SM_CXHSCROLL) + Width() + 4);
  PageView->SetTop(-2);
  PageView->SetLeft(-2);
  if (PageView->ClientWidth() < 700) PageView->SetClientWidth(700);
}

void TSchoner::WndProc(TMessage& message) {
  if (FWatching && TakeWatchedInput(message)) {
    message.Result = 0;
    return;
  }
  if (message.Msg == WM_DISPLAYCHANGE || message.Msg == WM_DPICHANGED) {
    // Handled after the standard handling has seen them; a preview keeps its host's size.
    TForm::WndProc(message);
    FrameClock().DisplayChanged();
    if (FRun.Mode == smSaver && FCourse.Stage() == TSessionStage::Active) FollowDisplays();
    message.Result = 0;
    return;
  }
  if (FNotices && FNotices->Take(message.Msg, message.WParam, message.LParam)) {
    ApplyConditions();
    message.Result = TRUE;
    return;
  }
  if (message.Msg == CM_MONITOREVENT) {
    if (message.WParam == WM_DPICHANGED && FCourse.Stage() == TSessionStage::Active) FollowDisplays();
    return;
  }
  TForm::WndProc(message);
}

void TSchoner::ApplyConditions() {
  const bool wasPaused = FrameClock().Policy().Paused;
  const TFramePolicy policy = FConditions.Policy();
  FrameClock().SetPolicy(policy);
  if (FCourse.Ended()) return;
  // While nobody sees the slideshow it stands still where it is: no tick wakes the process, and
  // no picture changes. Back on, it goes on from there, each window showing what it holds.
  PictureTimer.SetEnabled(!policy.Paused);
  if (!wasPaused || policy.Paused) return;
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  if (FMonitors)
    for (const auto& window : FMonitors->Windows()) InvalidateRect(window->Handle(), nullptr, FALSE);
}

void TSchoner::FollowDisplays() {
  CoverPrimaryMonitor(Handle());
  FitBrowser();
  if (FMonitors) FMonitors->Follow();
}

void TSchoner::PictureTimerTick() {
  // The monitors are checked on every tick too: not every system tells of every change at once.
  if (FMonitors && !FCourse.Ended() && FMonitors->LayoutChanged()) FollowDisplays();
  // One pump per tick, before the change: the messages it handles may end the session, and then
  // the tick writes nothing more.
  Application.ProcessMessages();
  if (FCourse.Tick()) ChangePicture();
}

void TSchoner::ChangePicture() {
  // Without the two file names (not activated yet, or the temporary directory gave none, which
  // activation has reported once) there is nowhere to put a picture: the session stays black.
  if (FHtmlPage.empty() || FJpgPage.empty()) return;
  // Activation filled the play list before it made the files, so it gives a number here.
  const std::optional<int32_t> n = FPlayList.NextPictureNumber();
  FCourse.SetNextCount(Random(TSessionCourse::CountSpread));
  // A change that fails (a full disk, memory short) keeps what every window shows, without a
  // word; the next change tries again.
  RunQuietly([&] {
    TJpegSize size = CopyPictureFile(*n, FJpgFile);
    const TFit fit = ChooseFit(Width(), Height(), size.Width, size.Height);
    const TExitTransition exit = ChooseExit(FEffect);
    WritePageFile(FHtmlFile, PicturePageText(exit, Width(), Height(), FJpgPage, fit));
    PageView->Navigate(FHtmlPage);
    PageView->Show();
    if (FMonitors) FMonitors->ChangePictures(*n, FEffect);
  });
}
