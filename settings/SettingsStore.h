// The per-user settings key: the effect the slideshow plays, and the dialog page that was open at
// OK. Each accessor opens the key (creating it when missing) and closes it again within its call,
// so even a run that only reads leaves the empty key behind.
#pragma once

#include <cstdint>

#include "registry/Registry.h"

// Below HKEY_CURRENT_USER.
inline constexpr char SettingsKeyPath[] = "Software\\Tarnwell\\Tarnwell - Lumivale";
inline constexpr char EffectValueName[] = "Effect";
inline constexpr char ActiveTabSheetValueName[] = "ActiveTabSheet";

// The configuration dialog's pages, in their order.
enum class TConfigPage { Options, Links, About, Tips };

// The page the dialog opens on whatever is stored: ActiveTabSheet is written, never read back.
inline constexpr TConfigPage OpeningConfigPage = TConfigPage::Tips;

// The saver's effect index: the stored Effect unchanged (no range check), DefaultEffect (23) when
// there is none or the key cannot be opened. A stored value that is not a 4-byte REG_DWORD raises
// the registry's read error (longer than 4 bytes: the get error, else the type error).
int32_t ReadEffect(TRegistry& registry);

// The dialog's OK: writes ActiveTabSheet 1, 2 or 3 when Options, Links or About is shown (nothing
// for Tips, so an earlier value stays), then Effect = selectedEffect (-1 when nothing is selected).
// A failed write raises the registry's set error naming its value; nothing after it is written.
void SaveSettings(TRegistry& registry, TConfigPage shownPage, int32_t selectedEffect);
