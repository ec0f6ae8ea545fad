// Finds the embedded photographs among the program's own raw-data resources, read in place.
#include "pictures/PictureSet.h"

#include <windows.h>

#include "base/Errors.h"

TResourceStream OpenPictureResource(int32_t identifier) {
  // Integer resource names are 16 bits: anything outside 1..65535 would otherwise be cut down to
  // another picture's number (65646 to 110), or to no name at all (0).
  if (identifier < 1 || identifier > 0xFFFF) throw EResNotFound(ResourceNotFoundText(identifier));
  // The module handle of the running executable is not owned (no reference is taken), and a
  // loaded resource lives as long as its module: nothing here needs releasing.
  const HMODULE module = GetModuleHandleA(nullptr);
  const LPCSTR rawData = MAKEINTRESOURCEA(10);  // RT_RCDATA, whatever the character set
  const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(identifier), rawData);
  if (found == nullptr) throw EResNotFound(ResourceNotFoundText(identifier));
  const HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) throw EResNotFound(ResourceNotFoundText(identifier));
  return TResourceStream{static_cast<const uint8_t*>(bytes), SizeofResource(module, found)};
}
