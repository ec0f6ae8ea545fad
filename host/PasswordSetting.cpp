// Reading the saver-password switch.
#include "host/PasswordSetting.h"

#include "base/Errors.h"

bool SaverPasswordInUse(TRegistry& registry) {
  std::unique_ptr<TRegistryKey> key = registry.OpenCurrentUserKey(DesktopKeyPath, false);
  if (!key->ValueExists(UsePasswordValueName)) return false;
  try {
    return key->ReadInteger(UsePasswordValueName) != 0;
  } catch (const ERegistryException&) {
    return true;
  }
}
