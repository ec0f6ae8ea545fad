// Forms under the message loops: creation, activation, the timer, modal showing and its two ends,
// and the error report at every dispatch.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ApplicationWin32.h"
#include "base/Errors.h"
#include "base/FormWin32.h"
#include "tests/support/MessageLoop.h"
#include "tests/support/TestAccess.h"

namespace {

class FormTest : public ::testing::Test {
protected:
  void SetUp() override {
    Application.Initialize();
    TTestAccess::ResetTerminated();
    Application.OnException = [this](const std::exception& e) { Reported.push_back(e.what()); };
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  void TearDown() override {
    Application.OnException = nullptr;
    TTestAccess::ResetTerminated();
  }
  std::vector<std::string> Reported;
};

// A form whose timer runs a script of steps, one per tick.
class TScriptForm : public TForm {
public:
  explicit TScriptForm(std::vector<std::function<void(TScriptForm&)>> steps, bool failInCreate = false)
      : TForm(L"TScriptForm"), FSteps(std::move(steps)), FFailInCreate(failInCreate),
        PictureTimer(*this, 10, [this] { Tick(); }) {}
  int Ticks = 0;
  int Activations = 0;
  int Closes = 0;
  bool CreateFinished = false;

protected:
  void CreateParams(TCreateParams& params) override {
    params.Style = WS_POPUP;
    params.Width = 100;
    params.Height = 80;
  }
  void FormCreate() override {
    if (FFailInCreate) throw EWriteError(StreamWriteErrorText());
    CreateFinished = true;
  }
  void FormActivate() override { ++Activations; }
  void FormClose() override { ++Closes; }

private:
  void Tick() {
    size_t step = static_cast<size_t>(Ticks++);
    if (step < FSteps.size()) FSteps[step](*this);
  }
  std::vector<std::function<void(TScriptForm&)>> FSteps;
  bool FFailInCreate;

public:
  TMessageTimer PictureTimer;
};

// Close ends the modal loop through the close handler; the quit message ends it without, and the
// application's loop with it.
TEST_F(FormTest, CloseAndTheQuitMessageEndTheModalLoop) {
  TScriptForm closed({[](TScriptForm&) {}, [](TScriptForm& f) { f.Close(); }});
  closed.Create();
  EXPECT_EQ(closed.ShowModal(), mrCancel);
  EXPECT_EQ(closed.Closes, 1);
  EXPECT_EQ(closed.Activations, 1);
  EXPECT_FALSE(closed.Visible());
  EXPECT_FALSE(Application.Terminated());
  TScriptForm quit({[](TScriptForm&) { PostQuitMessage(0); }});
  quit.Create();
  EXPECT_EQ(quit.ShowModal(), mrCancel);
  EXPECT_EQ(quit.Closes, 0);
  EXPECT_TRUE(Application.Terminated());
  Application.Run();  // returns: the quit message has been seen
  EXPECT_TRUE(Application.Terminated());
}

// An error in a handler is reported and the form goes on: its timer ticks again, and a form whose
// creation handler failed still exists and shows.
TEST_F(FormTest, AHandlerThatRaisesIsReportedAndTheFormGoesOn) {
  TScriptForm ticking({[](TScriptForm&) { throw EResNotFound(ResourceNotFoundText(131)); },
                       [](TScriptForm&) {}, [](TScriptForm& f) { f.Close(); }});
  ticking.Create();
  ticking.ShowModal();
  EXPECT_EQ(ticking.Ticks, 3);
  TScriptForm failed({[](TScriptForm& f) { f.Close(); }}, true);
  failed.Create();
  EXPECT_NE(failed.Handle(), nullptr);
  EXPECT_FALSE(failed.CreateFinished);
  failed.ShowModal();
  EXPECT_EQ(failed.Closes, 1);
  EXPECT_EQ(Reported, (std::vector<std::string>{"Ressource 131 wurde nicht gefunden", "Stream-Schreibfehler"}));
}

// A form that takes WM_APP + 7 itself and passes every other message on.
class TTakingForm : public TScriptForm {
public:
  using TScriptForm::TScriptForm;
  std::vector<UINT> Seen;

protected:
  void WndProc(TMessage& m) override {
    if (m.Msg != WM_APP + 7) return TScriptForm::WndProc(m);
    Seen.push_back(m.Msg);
    m.Result = 0;
  }
};

TEST_F(FormTest, ASubclassSeesMessagesFirstAndCanPassThemOn) {
  TTakingForm form({[](TScriptForm& f) { SendMessageW(f.Handle(), WM_APP + 7, 0, 0); },
                    [](TScriptForm& f) { SendMessageW(f.Handle(), WM_CLOSE, 0, 0); }});
  form.Create();
  form.ShowModal();
  EXPECT_EQ(form.Seen, std::vector<UINT>{WM_APP + 7});
  EXPECT_EQ(form.Closes, 1);  // WM_CLOSE reached the form's own handling
}

TEST_F(FormTest, ADisabledTimerStopsTicking) {
  TScriptForm form({[](TScriptForm& f) { f.PictureTimer.SetEnabled(false); }});
  form.Create();
  form.Show();
  // A thread timer of the same 10 ms period counts the periods that pass: twenty of them, which
  // take far less than the 5 s allowed.
  static int periods;
  periods = 0;
  const UINT_PTR reference = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) { ++periods; });
  const bool counted = PumpUntil([] { return periods >= 20; }, 5);
  KillTimer(nullptr, reference);
  ASSERT_TRUE(counted) << "the reference timer stopped";
  EXPECT_EQ(form.Ticks, 1);
}

}  // namespace
