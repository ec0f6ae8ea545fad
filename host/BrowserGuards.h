// The two browser settings a saver session changes for its length: the navigation click is
// silenced by a marker appended to its sound file, and page transitions are switched on.
#pragma once

#include "registry/Registry.h"

// Below HKEY_CURRENT_USER.
inline constexpr char NavigationSoundKeyPath[] = "AppEvents\\Schemes\\Apps\\Explorer\\Navigating\\.current";
inline constexpr char NavigationSoundValueName[] = "";  // the key's default value
inline constexpr char BrowserMainKeyPath[] = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr char PageTransitionsValueName[] = "Page_Transitions";
// Appended to the sound file's name so that it names no file; matched case-sensitively.
inline constexpr char DeactivatedMarker[] = "[deactivated]";

// Each guard opens its key without creating it, acts only when its value exists with the
// setting's type, and closes the key before it returns: nothing is held open during a session,
// and a missing key or value is never created. A value of another type (a sound that is no text,
// "Page_Transitions" that is no 4-byte REG_DWORD) is not the setting and is left alone, as if
// missing. A failed write raises the set error; the caller decides what becomes of it.

// Whether a stored value is the setting named `valueName` (one of the two above).
bool IsSettingValue(const std::string& valueName, const std::optional<TRegRaw>& value);

// Appends the marker, also to a value that already carries one; writes the text back as
// REG_EXPAND_SZ when it was that, else as REG_SZ.
void DisableNavigationSound(TRegistry& registry = CurrentRegistry());
// Cuts the value at the first marker (all later markers and text go with it); writes the text
// back, as Disable does, even when it held no marker.
void RestoreNavigationSound(TRegistry& registry = CurrentRegistry());
// Writes 1 where "Page_Transitions" is; true when it was 0 (transitions were off), false without
// the value. The session keeps the answer for its end.
bool EnablePageTransitions(TRegistry& registry = CurrentRegistry());
// Writes 0; the session's end calls it only when transitions were off before it.
void RestorePageTransitions(TRegistry& registry = CurrentRegistry());
