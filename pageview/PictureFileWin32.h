// What the page view asks of an open picture file on Windows: a plain disk file on a local volume.
#pragma once

#include <windows.h>

// True for a handle to a file (not a directory, pipe, console, device or link) on a volume of
// this machine, not on another machine's share nor on a drive mapped to one.
bool IsLocalDiskFile(HANDLE file);
