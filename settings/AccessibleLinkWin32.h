// How a link the program draws itself is named for screen readers and other accessibility
// clients: the system's own description of the window, with the link's name, role and action.
#pragma once

#include <windows.h>

#include <string>

// The answer to WM_GETOBJECT (`wParam`, `objectId` as it came) for `link`: for its client area, an
// accessible object named `name` with the role of a link, whose default action posts
// `activateMessage` to the window; 0 for any other object, and where the system has no
// accessibility library, so that the system answers for the window itself.
LRESULT AccessibleLinkResult(HWND link, WPARAM wParam, LONG objectId, const std::wstring& name, UINT activateMessage);
