/* The stand-ins' side of their registry channel with the tests. */
#pragma once

#include <windows.h>

#include "tests/standins/StandIns.h"

static HKEY OpenStandInKey(void) {
  HKEY key = NULL;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, StandInKeyPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) !=
      ERROR_SUCCESS)
    return NULL;
  return key;
}

/* The REG_DWORD `name`, or `fallback` when there is none. */
static DWORD ReadDword(HKEY key, const char* name, DWORD fallback) {
  DWORD type = REG_NONE;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExA(key, name, NULL, &type, (BYTE*)&value, &size) != ERROR_SUCCESS || type != REG_DWORD)
    return fallback;
  return value;
}

static void WriteDword(HKEY key, const char* name, DWORD value) {
  RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE*)&value, sizeof value);
}

static void WriteQword(HKEY key, const char* name, ULONGLONG value) {
  RegSetValueExA(key, name, 0, REG_QWORD, (const BYTE*)&value, sizeof value);
}

static void CountCall(HKEY key, const char* name) { WriteDword(key, name, ReadDword(key, name, 0) + 1); }
