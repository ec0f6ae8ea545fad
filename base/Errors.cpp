// The exact texts of the program's errors, in the language the program shows them.
#include "base/Errors.h"

Exception::Exception(std::string className, std::string message)
    : FClassName(std::move(className)),
      FMessage(std::move(message)),
      FAddress(reinterpret_cast<uintptr_t>(__builtin_return_address(0))) {}

std::string InvalidIntegerText(const std::string& text) {
  // A handle text of any length can come in on a command line; the box shows its start. The cut
  // never splits a UTF-8 sequence.
  constexpr size_t shown = 64;
  std::string quoted = text;
  if (quoted.size() > shown) {
    size_t cut = shown;
    while (cut > 0 && (static_cast<unsigned char>(quoted[cut]) & 0xC0) == 0x80) --cut;
    quoted = quoted.substr(0, cut) + "\xE2\x80\xA6";  // an ellipsis
  }
  return "'" + quoted + "' ist kein g\xC3\xBCltiger Integerwert";
}
std::string RegistryTypeErrorText(const std::string& valueName) {
  return "Ung\xC3\xBCltiger Datentyp f\xC3\xBCr '" + valueName + "'";
}
std::string RegistryGetErrorText(const std::string& valueName) {
  return "Fehler beim Holen der Daten f\xC3\xBCr '" + valueName + "'";
}
std::string RegistrySetErrorText(const std::string& valueName) {
  return "Fehler beim Setzen der Daten f\xC3\xBCr '" + valueName + "'";
}
std::string ResourceNotFoundText(int32_t identifier) {
  return "Ressource " + std::to_string(identifier) + " wurde nicht gefunden";
}
std::string FileCreateErrorText(const std::string& path, const std::string& cause) {
  return "Datei \"" + path + "\" kann nicht erstellt werden. " + cause;
}
std::string StreamWriteErrorText() { return "Stream-Schreibfehler"; }

std::string WithFinalStop(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
    return message + ".";
  return message;
}
