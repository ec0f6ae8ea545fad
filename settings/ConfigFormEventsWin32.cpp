// The settings dialog at work: its settings and pages, the buttons and links, and the routing of
// its messages.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <string>

#include "base/ApplicationWin32.h"
#include "base/Registry.h"
#include "base/TextWin32.h"
#include "settings/ConfigFormWin32.h"
#include "settings/SettingsStore.h"

// --- settings and pages --------------------------------------------------------------------------

void TConfig::LoadSettings() {
  ShowPage(OpeningConfigPage);
  // A stored index outside the list clears the selection.
  const int32_t effect = ::LoadSettings(CurrentRegistry());
  SendMessageW(comboEffekt, CB_SETCURSEL, static_cast<WPARAM>(static_cast<intptr_t>(effect)), 0);
}

void TConfig::SaveSettings() {
  const auto selected = static_cast<int32_t>(SendMessageW(comboEffekt, CB_GETCURSEL, 0, 0));  // CB_ERR is -1
  ::SaveSettings(CurrentRegistry(), ShownPage(), selected);
}

void TConfig::ShowPage(TConfigPage page) {
  const auto index = static_cast<size_t>(page);
  SendMessageW(PageControl1, TCM_SETCURSEL, index, 0);
  HWND focus = GetFocus();
  for (size_t i = 0; i < 4; ++i) {
    HWND sheet = Sheets()[i]->Handle();
    if (i != index && focus != nullptr && (focus == sheet || IsChild(sheet, focus))) SetFocus(PageControl1);
  }
  for (size_t i = 0; i < 4; ++i) ShowWindow(Sheets()[i]->Handle(), i == index ? SW_SHOW : SW_HIDE);
}

TConfigPage TConfig::ShownPage() const {
  const auto index = static_cast<int>(SendMessageW(PageControl1, TCM_GETCURSEL, 0, 0));
  return static_cast<TConfigPage>(std::clamp(index, 0, 3));
}

// --- handlers --------------------------------------------------------------------------------------

// OK: a failed write is reported and the dialog stays open.
void TConfig::Button9Click() {
  SaveSettings();
  Close();
}

void TConfig::Button10Click() { Close(); }

void TConfig::WatchOwner() {
  if (FOwner != nullptr && !IsWindow(FOwner)) Close();
}

void TConfig::FormClose() {
  if (ParentWindow == 0) return;
  EnableWindow(HostWindow(), TRUE);
  SetForegroundWindow(HostWindow());
}

// A page that cannot be opened gives no message; the dialog stays as it is.
void TConfig::OpenLink(TLinkHandler handler) {
  const std::wstring address = Utf8ToWide(LinkAddress(handler));
  ShellExecuteW(Handle(), L"open", address.c_str(), nullptr, nullptr, SW_SHOW);
}

// --- messages --------------------------------------------------------------------------------------

void TConfig::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_CREATE:
      TForm::WndProc(message);
      CreateComponents();
      return;
    case WM_COMMAND:
      WMCommand(message);
      return;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
      if (header->hwndFrom == PageControl1 && header->code == static_cast<UINT>(TCN_SELCHANGE))
        ShowPage(ShownPage());
      return;
    }
    case DM_GETDEFID:
      message.Result = MAKELRESULT(ButtonIdBase + 9, DC_HASDEFID);
      return;
    case WM_NEXTDLGCTL: {
      // The system's dialog keys move the focus themselves; this is for those that ask the form.
      HWND target = LOWORD(message.LParam) ? reinterpret_cast<HWND>(message.WParam)
                                           : GetNextDlgTabItem(Handle(), GetFocus(), message.WParam != 0);
      if (target != nullptr) SetFocus(target);
      return;
    }
    case WM_ACTIVATE:
      if (LOWORD(message.WParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(Handle(), focus)) FFocused = focus;
      }
      TForm::WndProc(message);  // an activation focuses the form, see WM_SETFOCUS
      return;
    case WM_SETFOCUS:
      // The form itself takes no keys: the focus goes on to the control that had it last.
      SetFocus(FFocused != nullptr && IsWindowVisible(FFocused) ? FFocused : PageControl1);
      return;
    case WM_DPICHANGED:
      ApplyLayout(LOWORD(message.WParam), reinterpret_cast<const RECT*>(message.LParam));
      return;
    default:
      TForm::WndProc(message);
  }
}

// Button clicks. Escape's IDCANCEL names no control here, so it does nothing.
void TConfig::WMCommand(TMessage& message) {
  if (HIWORD(message.WParam) != BN_CLICKED) return;
  switch (LOWORD(message.WParam)) {
    case ButtonIdBase + 9:
      Button9Click();
      break;
    case ButtonIdBase + 10:
      Button10Click();
      break;
    case ButtonIdBase + 1:
      OpenLink(TLinkHandler::Button1Click);
      break;
    default:
      break;
  }
}
