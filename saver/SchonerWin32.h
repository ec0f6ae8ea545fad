// The saver window: one slideshow session, in the host's preview window or full screen. It owns
// the page view, the 100 ms timer that changes the pictures, the play list and the session's two
// temporary files, and (full screen) watches the user's input to end the session and keeps the
// other monitors' windows in step with its pictures and the monitors' layout.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "base/AbnormalEndWin32.h"
#include "base/FormWin32.h"
#include "base/HostWindowWin32.h"
#include "monitors/MonitorWindowsWin32.h"
#include "pageview/PageViewWin32.h"
#include "saver/ConditionNoticesWin32.h"
#include "saver/SessionCourse.h"
#include "slides/PlayList.h"

// Posted to the saver window by a monitor window: WParam is the message it heard.
constexpr UINT CM_MONITOREVENT = WM_APP + 0x3FF1;

class TSchoner : public TForm {
public:
  // A session of the request's mode (smPreview in the host's window, or smSaver).
  explicit TSchoner(const TRunRequest& run);
  // The window goes first, while everything its messages reach is still there.
  ~TSchoner() override { DestroyWindowObject(); }

  TMessageTimer PictureTimer;
  std::unique_ptr<TPageView> PageView;

  // The one teardown of a session: the input watch out, running flag, timer, browser settings,
  // temporary files, quit. Every step runs whatever an earlier one raised; the steps run once,
  // however often the session is ended.
  void StopSaver();

protected:
  void CreateParams(TCreateParams& params) override;
  void FormCreate() override;
  void FormActivate() override;
  void FormClose() override;
  void FormKeyDown(WORD key) override;
  void WMSysCommand(TMessage& message) override;
  void FormDestroyedFromOutside() override;
  void FormEndSession() override;
  void WndProc(TMessage& message) override;

private:
  friend struct TTestAccess;
  void PictureTimerTick();
  void ChangePicture();
  // The full-screen input watch, the first step of WndProc while FWatching: a key, a button, the
  // cursor moved beyond the threshold or the activation lost (here or on another monitor's
  // window) asks to end the session. True when the message was the watch's, which takes it
  // whether or not the session ends.
  bool TakeWatchedInput(TMessage& message);
  bool MovedBeyondThreshold() const;
  void TryEndSaver();
  void FitBrowser();
  // The monitors changed (resolution, layout, DPI): the saver window covers the primary monitor
  // again, the page view the window, and the monitor windows the other monitors.
  void FollowDisplays();
  // Follows what the system told of the display and the session: pauses or paces every window's
  // transitions, and stops or restarts the slideshow's clock.
  void ApplyConditions();

  // Makes the two files and their names for the pages; raises the creation error.
  void MakeSessionFiles();

  const TRunRequest FRun;
  std::wstring FHtmlFile;
  std::wstring FJpgFile;
  std::string FHtmlPage;  // the files' paths as a page and the page view name them
  std::string FJpgPage;
  bool FRecorded = false;  // the session's record is in place: the browser settings may change
  std::unique_ptr<TAbnormalEndStep> FEndOnCrash;
  TSessionCourse FCourse;  // the stages and the ticks left before the next picture
  int32_t FEffect = 0;
  TPlayList FPlayList;  // the play list and FIndex
  // The input watch is on: full screen, from the activation to the end, except while the
  // password is asked (the prompt's activation and input must not start it again).
  bool FWatching = false;
  TPairedRelease FCapture;  // the mouse, held while the watch is on
  TPoint FStartCursor;  // where the watch measures movement from: set at activation and after each password prompt
  bool FTransitionsWereOff = false;  // the page-transition guard found them off: the end switches them off again
  std::unique_ptr<TMonitorWindows> FMonitors;
  TViewingConditions FConditions;
  std::unique_ptr<TConditionNotices> FNotices;  // from the activation to the end
};
