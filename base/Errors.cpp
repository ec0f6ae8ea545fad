// The exact texts of the program's errors, in the language the program shows them.
#include "base/Errors.h"

Exception::Exception(std::string className, std::string message)
    : FClassName(std::move(className)),
      FMessage(std::move(message)),
      FAddress(reinterpret_cast<uintptr_t>(__builtin_return_address(0))) {}

std::string InvalidIntegerText(const std::string& text) {
  return "'" + text + "' ist kein g\xC3\xBCltiger Integerwert";
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
