// The Windows Installer package as an administrator and a user meet it: installed with
// `msiexec /i … /qn`, the installed saver run, an older release upgraded, and `msiexec /x`
// leaving nothing behind in the system folder or the installed-programs list.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/e2e/Driver.h"
#include "tests/e2e/Saver.h"

namespace {

const TMs InstallTimeout(120000);

std::string Required(const std::string& name) {
  std::string value = EnvironmentVariable(name);
  if (value.empty()) throw std::runtime_error(name + " must be set");
  return value;
}

std::string SystemFolder() {
  wchar_t path[MAX_PATH];
  UINT n = GetSystemDirectoryW(path, MAX_PATH);
  return WideToUtf8(std::wstring(path, n));
}

std::string InstalledSaver() { return SystemFolder() + "\\Lumivale.scr"; }

// Runs `msiexec <action> "<package>" /qn` to its end: its exit code, or nothing at the time-out.
std::optional<DWORD> MsiExec(const std::string& action, const std::string& msiUnixPath) {
  TProcess msiexec = TProcess::Launch(SystemFolder() + "\\msiexec.exe",
                                      action + " \"" + WindowsPath(msiUnixPath) + "\" /qn");
  return msiexec.WaitForExit(InstallTimeout);
}

// One entry of the installed-programs list (HKLM\...\Uninstall) with this program's name.
struct TProgramEntry {
  std::string Version;
  std::string Publisher;
  std::string UninstallCommand;
};

std::vector<TProgramEntry> LumivaleEntries() {
  const std::wstring list = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
  auto read = [&](const std::wstring& entry, const wchar_t* name) {
    wchar_t text[1024] = L"";
    DWORD size = sizeof text - sizeof(wchar_t);
    RegGetValueW(HKEY_LOCAL_MACHINE, (list + L"\\" + entry).c_str(), name,
                 RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, text, &size);
    return WideToUtf8(text);
  };
  std::vector<TProgramEntry> entries;
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, list.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return entries;
  TRegistryKeyHandle key(raw);
  wchar_t name[256];
  for (DWORD i = 0, length = 256;
       RegEnumKeyExW(key.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++i, length = 256)
    if (read(name, L"DisplayName") == "Lumivale")
      entries.push_back({read(name, L"DisplayVersion"), read(name, L"Publisher"), read(name, L"UninstallString")});
  return entries;
}

bool FileExists(const std::string& path) { return GetFileAttributesW(Utf8ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

class InstallerPackage : public testing::Test {
 protected:
  // A user's chosen effect: the package must leave it alone through install, upgrade and removal.
  void SetUp() override { WriteRegDword(SettingsKey, "Effect", 5); }
  void TearDown() override {
    // A case that failed half way may leave a release installed.
    if (!LumivaleEntries().empty()) {
      MsiExec("/x", Msi);
      MsiExec("/x", OlderMsi);
    }
    EXPECT_EQ(ReadRegDword(SettingsKey, "Effect"), std::optional<DWORD>(5)) << "the user's setting was touched";
    DeleteRegKey("Software\\Tarnwell");
  }

  const std::string Msi = Required("LUMI_MSI");
  const std::string OlderMsi = Required("LUMI_OLDER_MSI");
  const std::string Version = Required("LUMI_VERSION");
  const std::string OlderVersion = Required("LUMI_OLDER_VERSION");
};

TEST_F(InstallerPackage, InstallsTheSaverRunsItAndRemovesItCleanly) {
  ASSERT_FALSE(FileExists(InstalledSaver()));
  ASSERT_EQ(MsiExec("/i", Msi), std::optional<DWORD>(0));

  std::optional<std::string> installed = ReadFileBytes(InstalledSaver());
  ASSERT_TRUE(installed.has_value()) << "no Lumivale.scr in " << SystemFolder();
  EXPECT_TRUE(installed == ReadFileBytes(WindowsPath(Required("LUMI_SCR")))) << "not the built Lumivale.scr";
  std::vector<TProgramEntry> entries = LumivaleEntries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Version, Version);
  EXPECT_EQ(entries[0].Publisher, "Tarnwell");
  EXPECT_NE(entries[0].UninstallCommand.find("/X{"), std::string::npos) << entries[0].UninstallCommand;

  // The installed copy is the saver the system starts: full screen, ended by a key.
  MoveMouseTo({400, 300});
  TProcess saver = TProcess::Launch(InstalledSaver(), "/s");
  ASSERT_TRUE(WaitForSlideshow(saver, StartTimeout).has_value()) << "no slideshow from the installed copy";
  PressKey(VK_SPACE);
  EXPECT_EQ(saver.WaitForExit(EndTimeout), std::optional<DWORD>(0));

  ASSERT_EQ(MsiExec("/x", Msi), std::optional<DWORD>(0));
  EXPECT_FALSE(FileExists(InstalledSaver()));
  EXPECT_TRUE(LumivaleEntries().empty());
}

TEST_F(InstallerPackage, ReplacesAnOlderReleaseLeavingOneEntry) {
  ASSERT_EQ(MsiExec("/i", OlderMsi), std::optional<DWORD>(0));
  std::vector<TProgramEntry> before = LumivaleEntries();
  ASSERT_EQ(before.size(), 1u);
  EXPECT_EQ(before[0].Version, OlderVersion);

  ASSERT_EQ(MsiExec("/i", Msi), std::optional<DWORD>(0));
  std::vector<TProgramEntry> after = LumivaleEntries();
  ASSERT_EQ(after.size(), 1u) << "the older release was not replaced";
  EXPECT_EQ(after[0].Version, Version);
  EXPECT_TRUE(FileExists(InstalledSaver()));

  // The newer package's rule refuses to put the older release back over it.
  EXPECT_NE(MsiExec("/i", OlderMsi), std::optional<DWORD>(0));
  EXPECT_EQ(LumivaleEntries().size(), 1u);

  ASSERT_EQ(MsiExec("/x", Msi), std::optional<DWORD>(0));
  EXPECT_FALSE(FileExists(InstalledSaver()));
  EXPECT_TRUE(LumivaleEntries().empty());
}

}  // namespace
