// The saver window: one slideshow session, in the host's preview window or full screen. It owns
// the page view, the 100 ms timer that changes the pictures, the play list and the session's two
// temporary files, and (full screen) watches the user's input to end the session.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "base/Form.h"
#include "browser/WebBrowser.h"
#include "session/PlayList.h"

class TSchoner : public TForm {
public:
  TSchoner();
  ~TSchoner() override;

  TMessageTimer Timer1;
  std::unique_ptr<TWebBrowser> WebBrowser1;

  // The one teardown of a session: running flag, timer, browser settings, temporary files, quit.
  // Every step runs whatever an earlier one raised; safe to run twice.
  void StopSaver();

protected:
  void CreateParams(TCreateParams& params) override;
  void FormCreate() override;
  void FormActivate() override;
  void FormClose() override;
  void FormKeyDown(WORD key) override;
  void WMSysCommand(TMessage& message) override;
  void FormDestroyedFromOutside() override;

private:
  void Timer1Timer();
  void ChangePicture();
  void SaverWindowProc(TMessage& message);
  void TryEndSaver();

  std::string FHtmlFile;
  std::string FJpgFile;
  int32_t FTicksLeft = 0;
  int32_t FEffect = 0;
  TPlayList FPlayList;  // the play list and FIndex
  std::string FExitMeta;
  TWindowProc FOldWindowProc;
};
