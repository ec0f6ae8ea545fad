// The one way the program reaches the per-user registry: open a key below HKEY_CURRENT_USER, test,
// read and write its values, close it when the key object goes. Windows and the tests each
// provide an implementation; portable code only sees these interfaces.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Registry value types, numbered as the system numbers them.
enum class TRegType : uint32_t {
  None = 0,
  String = 1,        // REG_SZ
  ExpandString = 2,  // REG_EXPAND_SZ
  Binary = 3,        // REG_BINARY
  Dword = 4,         // REG_DWORD
  DwordBigEndian = 5,
  Link = 6,
  MultiString = 7,
  Qword = 11,
};

// A text value with the type it is stored as. An expandable text is kept as it is stored: its
// "%NAME%" references are never expanded here.
struct TRegString {
  std::string Text;
  bool Expandable = false;  // REG_EXPAND_SZ rather than REG_SZ
  bool operator==(const TRegString&) const = default;
};

// A value exactly as stored, for putting it back later: its type and its bytes. The bytes are the
// implementation's own form (the system's registry hands texts over in UTF-16), so they are only
// ever written back through the same registry.
struct TRegRaw {
  TRegType Type = TRegType::None;
  std::string Data;
  bool operator==(const TRegRaw&) const = default;
};

// An opened (or not openable) key. Names and texts are byte strings in the system's ANSI code
// page; the empty name is the key's default value. Destroying the object closes the key.
//
// A key that could not be opened behaves as a key without values: ValueExists is false, reads
// raise the get error, writes raise the set error. Every failure is an ERegistryException
// carrying the value's name: RegistryTypeErrorText, RegistryGetErrorText, RegistrySetErrorText.
class TRegistryKey {
public:
  TRegistryKey() = default;
  TRegistryKey(const TRegistryKey&) = delete;
  TRegistryKey& operator=(const TRegistryKey&) = delete;
  virtual ~TRegistryKey() = default;

  virtual bool IsOpen() const = 0;
  // True when a query of the value's type and size succeeds, whatever its type.
  virtual bool ValueExists(const std::string& name) = 0;
  // Fetches at most 4 bytes: a longer value raises the get error, a value that fits but is not
  // REG_DWORD the type error. A missing value raises the get error.
  virtual int32_t ReadInteger(const std::string& name) = 0;
  // A value of size 0 reads as empty text whatever its type; otherwise it must be REG_SZ or
  // REG_EXPAND_SZ (else the type error) and the text ends at its first NUL. A missing value
  // raises the get error. Expandable is whether the value is REG_EXPAND_SZ (so an empty value
  // of another type reads as plain text).
  virtual TRegString ReadTypedString(const std::string& name) = 0;
  // The text alone.
  std::string ReadString(const std::string& name) { return ReadTypedString(name).Text; }
  // REG_DWORD, 4 bytes.
  virtual void WriteInteger(const std::string& name, int32_t value) = 0;
  // REG_SZ, the text's bytes and a terminating NUL.
  virtual void WriteString(const std::string& name, const std::string& value) = 0;
  // REG_EXPAND_SZ, stored as WriteString stores REG_SZ.
  virtual void WriteExpandString(const std::string& name, const std::string& value) = 0;

  // The value as stored, nothing when it is missing or the key is not open. Never raises.
  virtual std::optional<TRegRaw> ReadRaw(const std::string& name) = 0;
  // Stores `value` as it was read; raises the set error.
  virtual void WriteRaw(const std::string& name, const TRegRaw& value) = 0;
  // A text of the program's own in UTF-8, kept whole whatever the ANSI code page (REG_SZ).
  // Writing raises the set error; reading gives nothing for a missing value or another type.
  virtual void WriteUnicodeString(const std::string& name, const std::string& utf8) = 0;
  virtual std::optional<std::string> ReadUnicodeString(const std::string& name) = 0;
  // Removes the value; a missing one is passed over.
  virtual void DeleteValue(const std::string& name) = 0;
};

class TRegistry {
public:
  virtual ~TRegistry() = default;
  // Opens `path` (relative, backslash-separated) below HKEY_CURRENT_USER with full access. With
  // `create` a missing key is created first (non-volatile, default security). Never fails: a key
  // that can be neither opened nor created gives a key object that is not open.
  virtual std::unique_ptr<TRegistryKey> OpenCurrentUserKey(const std::string& path, bool create) = 0;
  // The names of the keys directly below `path`; none when it cannot be opened.
  virtual std::vector<std::string> SubKeyNames(const std::string& path) = 0;
  // Deletes `path` when it holds neither values nor keys; otherwise, or when missing, nothing.
  virtual void DeleteKeyIfEmpty(const std::string& path) = 0;
};

// "The" registry of the process: the system's in the program (an in-memory one in the native
// build), or whatever a TUseRegistry currently puts in its place.
TRegistry& CurrentRegistry();

// The platform's own registry (defined per platform).
TRegistry& SystemRegistry();

// Puts `registry` in place of the current one for the object's lifetime (tests).
class TUseRegistry {
public:
  explicit TUseRegistry(TRegistry& registry);
  ~TUseRegistry();
  TUseRegistry(const TUseRegistry&) = delete;
  TUseRegistry& operator=(const TUseRegistry&) = delete;

private:
  TRegistry* FPrevious;
};
