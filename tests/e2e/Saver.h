// What every end-to-end test knows of Lumivale.scr: where it is, how long it may take, and the
// registry keys and values it reads and writes.
#pragma once

#include <stdexcept>
#include <string>

#include "tests/e2e/Driver.h"

inline const TMs StartTimeout(20000);  // the first start under a fresh prefix can take several seconds
inline const TMs EndTimeout(10000);
// How long the program may take to answer one thing: an input, a message, a changed monitor.
inline const TMs ReactTimeout(5000);
// The first picture comes about 2 s after the window, each next one 6.1 to 9 s after the last.
inline const TMs PictureTimeout(15000);
// How long input (or another session's end) that must not end a session is given to do so anyway.
inline const TMs Settle(1500);

inline const std::string SoundKey = "AppEvents\\Schemes\\Apps\\Explorer\\Navigating\\.current";
inline const std::string BrowserKey = "Software\\Microsoft\\Internet Explorer\\Main";
inline const std::string SettingsKey = "Software\\Tarnwell\\Tarnwell - Lumivale";
inline const std::string DesktopKey = "Control Panel\\desktop";
inline const std::string AppDefaultsKey = "Software\\Wine\\AppDefaults\\Lumivale.scr";
inline const std::string Sound = "C:\\Windows\\Media\\click.wav";
inline const std::string Marker = "[deactivated]";

inline std::string SaverPath() {
  std::string path = EnvironmentVariable("LUMI_SCR");
  if (path.empty()) throw std::runtime_error("LUMI_SCR must name Lumivale.scr");
  return WindowsPath(path);
}
