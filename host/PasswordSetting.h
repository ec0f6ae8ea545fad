// Whether the user has turned the saver password on: the per-user switch that decides, on the
// Windows 95 family, if ending a full-screen session asks for the password.
#pragma once

#include "registry/Registry.h"

// Below HKEY_CURRENT_USER.
inline constexpr char DesktopKeyPath[] = "Control Panel\\desktop";
inline constexpr char UsePasswordValueName[] = "ScreenSaveUsePassword";

// False when the key cannot be opened, the value does not exist or it is a REG_DWORD of 0.
// Never raises: a value that exists but cannot be read as a REG_DWORD (another type, more than
// 4 bytes) counts as a password in use, so that an odd value never lets anyone past the prompt.
// The key is opened without creating it and closed before the call returns.
bool SaverPasswordInUse(TRegistry& registry);
