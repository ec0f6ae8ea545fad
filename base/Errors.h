// The program's error types. Each carries its class name and the exact text the user sees
// (UTF-8, German as the program shows it); the text builders below are the only place for them.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

class Exception : public std::exception {
public:
  // Records the code address that raised the error (the return address into the raising code).
  [[gnu::noinline]] Exception(std::string className, std::string message);
  const std::string& ClassName() const noexcept { return FClassName; }
  const std::string& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return FMessage.c_str(); }
  uintptr_t Address() const noexcept { return FAddress; }

private:
  std::string FClassName;
  std::string FMessage;
  uintptr_t FAddress;
};

#define LUMI_DECLARE_ERROR(Name)                                                \
  class Name : public Exception {                                               \
  public:                                                                       \
    explicit Name(std::string message) : Exception(#Name, std::move(message)) {} \
  }

LUMI_DECLARE_ERROR(EConvertError);        // a text that is not an integer
LUMI_DECLARE_ERROR(ERegistryException);   // registry value of the wrong type, too long, or not writable
LUMI_DECLARE_ERROR(EResNotFound);         // a picture resource that is not there
LUMI_DECLARE_ERROR(EFCreateError);        // a file that cannot be created
LUMI_DECLARE_ERROR(EWriteError);          // a file that takes fewer bytes than written
LUMI_DECLARE_ERROR(EJPEG);                // a JPEG stream the decoder rejects

// The texts. Arguments are UTF-8; callers convert ANSI data (paths, command-line words) first.
std::string InvalidIntegerText(const std::string& text);         // '%s' ist kein gültiger Integerwert, %s cut after 64 bytes
std::string RegistryTypeErrorText(const std::string& valueName);  // Ungültiger Datentyp für '%s'
std::string RegistryGetErrorText(const std::string& valueName);   // Fehler beim Holen der Daten für '%s'
std::string RegistrySetErrorText(const std::string& valueName);   // Fehler beim Setzen der Daten für '%s'
std::string ResourceNotFoundText(int32_t identifier);             // Ressource %s wurde nicht gefunden
std::string FileCreateErrorText(const std::string& path, const std::string& cause);
std::string StreamWriteErrorText();                               // Stream-Schreibfehler

// The default error report's text: a full stop is appended when the last byte sorts after ".".
std::string WithFinalStop(const std::string& message);
