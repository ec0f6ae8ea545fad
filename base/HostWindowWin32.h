// The host's window as a handle, the one place its 32-bit value becomes one.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/RunState.h"

// Handles are 32-bit values, sign-extended on 64-bit Windows.
inline HWND HostWindow(const TRunRequest& run) { return reinterpret_cast<HWND>(static_cast<intptr_t>(run.Window)); }
