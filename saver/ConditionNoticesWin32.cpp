// Power-setting and session-change notices into viewing conditions.
#include "saver/ConditionNoticesWin32.h"

#include <wtsapi32.h>

namespace {

// Spelled out here: not every header set declares them.
constexpr GUID MonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};
constexpr GUID PowerSavingStatus = {0xe00958c0, 0xc213, 0x4ace, {0xac, 0x77, 0xfe, 0xcc, 0xed, 0x2e, 0xee, 0xa5}};

bool IsRemoteSession() { return GetSystemMetrics(SM_REMOTESESSION) != 0; }

}  // namespace

TConditionNotices::TConditionNotices(HWND window, TViewingConditions& conditions) : FConditions(conditions) {
  FDisplay.Reset(RegisterPowerSettingNotification(window, &ConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE));
  if (!FDisplay)  // before Windows 8
    FDisplay.Reset(RegisterPowerSettingNotification(window, &MonitorPowerOn, DEVICE_NOTIFY_WINDOW_HANDLE));
  FBatterySaver.Reset(RegisterPowerSettingNotification(window, &PowerSavingStatus, DEVICE_NOTIFY_WINDOW_HANDLE));
  if (WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION))
    FSessionNotices = TPairedRelease([window] { WTSUnRegisterSessionNotification(window); });
  FConditions.SetRemote(IsRemoteSession());
}

bool TConditionNotices::Take(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_WTSSESSION_CHANGE) {
    FConditions.SessionChanged(static_cast<TSessionEvent>(wParam), IsRemoteSession());
    return true;
  }
  if (msg != WM_POWERBROADCAST || wParam != PBT_POWERSETTINGCHANGE || lParam == 0) return false;
  const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
  if (setting->DataLength < sizeof(DWORD)) return false;
  DWORD value;
  CopyMemory(&value, setting->Data, sizeof value);
  if (IsEqualGUID(setting->PowerSetting, ConsoleDisplayState) || IsEqualGUID(setting->PowerSetting, MonitorPowerOn)) {
    FConditions.SetDisplayPower(value == 0 ? TDisplayPower::Off : TDisplayPower::On);
    return true;
  }
  if (IsEqualGUID(setting->PowerSetting, PowerSavingStatus)) {
    FConditions.SetBatterySaver(value != 0);
    return true;
  }
  return false;
}
