// The session's files in the real temporary directory: fresh files made exclusively that leave
// nothing behind, names a page can use in any directory, byte-exact copies of the picture
// resources, page files of exactly their text, quiet deletion and the creation error with the
// system's own description of the cause.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/Errors.h"
#include "base/TextWin32.h"
#include "session/TempFiles.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/Raised.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Utf8.h"

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Through the ANSI file functions, as the page view reads the files a page names.
std::string Contents(const std::string& ansiPath) {
  const std::vector<uint8_t> bytes = ReadBytes(ansiPath);
  return {bytes.begin(), bytes.end()};
}

// The system's description of `code` as the creation error shows it.
std::string Description(DWORD code) {
  wchar_t text[512] = {};
  DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, 512,
                           nullptr);
  std::wstring description(text, n);
  while (!description.empty() && (description.back() <= L' ' || description.back() == L'.')) description.pop_back();
  return WideToUtf8(description);
}

class TempFilesSystem : public ::testing::Test {
protected:
  // A path in the folder from a UTF-8 name.
  std::wstring In(const std::string& name) const { return Wide(Folder.Path() + "\\" + name); }
  const TScratchFolder Folder;
};

// The temporary directory is a folder of the test's own for the object's lifetime.
class TTempDirectory {
public:
  explicit TTempDirectory(const std::wstring& path) {
    CreateDirectoryW(path.c_str(), nullptr);
    GetEnvironmentVariableW(L"TMP", FOld, MAX_PATH);
    SetEnvironmentVariableW(L"TMP", path.c_str());
  }
  ~TTempDirectory() { SetEnvironmentVariableW(L"TMP", FOld[0] ? FOld : nullptr); }

private:
  wchar_t FOld[MAX_PATH] = {};
};

}  // namespace

TEST(TempFileNames, FreshEmptyFilesInTheTemporaryDirectoryAndNothingElse) {
  const std::string directory = TempDirectory();
  const std::vector<std::string> before = TempFiles("*");
  std::vector<std::wstring> made;
  for (int session = 0; session < 20; ++session)
    for (const char* extension : {"jpg", "htm"}) {
      const std::wstring path = made.emplace_back(MakeTempFile(extension));
      const std::string name = WideToUtf8(path).substr(directory.size());
      EXPECT_EQ(WideToUtf8(path).substr(0, directory.size()), directory);
      EXPECT_EQ(name, TempFileName(std::stoul(name.substr(3), nullptr, 16), extension));
      WIN32_FILE_ATTRIBUTE_DATA data{};
      EXPECT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow == 0) << name;
    }
  EXPECT_EQ(TempFiles("*").size(), before.size() + made.size());  // no reserved name beside them
  for (const std::wstring& path : made) DeleteTempFiles(path, L"");
  EXPECT_EQ(TempFiles("*"), before);
}

// Names already taken (another session's file, a folder) are stepped over, never opened.
TEST_F(TempFilesSystem, ANameTakenIsSteppedOver) {
  const TTempDirectory temp(Wide(Folder.Path()));
  Folder.Write("insFFFF.jpg", std::string("another session's"));
  CreateDirectoryW(In("ins1.jpg").c_str(), nullptr);
  EXPECT_EQ(MakeTempFile("jpg", 0xFFFF), In("ins2.jpg"));
  EXPECT_EQ(Contents(Folder / "insFFFF.jpg"), "another session's");
  EXPECT_EQ(MakeTempFile("htm", 0xFFFF), In("insFFFF.htm"));  // the extension is part of the name
}

// A temporary directory named in characters the ANSI code page lacks: a page names the files by a
// form that the ANSI file functions open as the same file; an ANSI directory is named as it is.
TEST_F(TempFilesSystem, AnyTemporaryDirectoryGivesNamesAPageCanUse) {
  for (const std::string folder : {"\xC5\x81\xC3\xB3" "d\xC5\xBA \xE6\x97\xA5\xE6\x9C\xAC", "plain"}) {
    const TTempDirectory temp(In(folder));
    const std::wstring path = MakeTempFile("htm");
    EXPECT_EQ(WideToUtf8(path).rfind(Folder.Path() + "\\" + folder + "\\ins", 0), 0u);
    const std::string pagePath = PagePathOf(path);
    if (folder == "plain") {
      EXPECT_EQ(pagePath, WideToUtf8(path));
    }
    WritePageFile(path, "<html>" + folder + "</html>");
    EXPECT_EQ(Contents(pagePath), "<html>" + folder + "</html>") << pagePath;
    DeleteTempFiles(path, L"");
  }
}

TEST_F(TempFilesSystem, PictureCopiesAreByteIdenticalToTheirResources) {
  // Left by an earlier run: replaced, not overwritten in part.
  const std::wstring path = Wide(Folder.Write("a.jpg", std::string(3'000'000, 'x')));
  for (int n : {0, 49, 7}) {
    SCOPED_TRACE(n);
    TJpegSize size = CopyPictureFile(n, path);
    EXPECT_EQ(ReadBytes(Folder / "a.jpg"), PictureFileBytes(110 + n));  // the resource's bytes (PictureResource_test.cpp)
    EXPECT_EQ(size.Width, KnownPictureSize(110 + n).Width);
    EXPECT_EQ(size.Height, KnownPictureSize(110 + n).Height);
  }
  EXPECT_THROW(CopyPictureFile(50, path), EResNotFound);
  EXPECT_THROW(CopyPictureFile(0, In("missing\\a.jpg")), EFCreateError);
}

TEST_F(TempFilesSystem, PageFileHoldsExactlyItsText) {
  const std::string longer(5000, 'y');
  const std::string page = "<html><head></head><body bgcolor=\"#000000\">\xE4</body></html>";
  WritePageFile(In("a.htm"), longer);
  WritePageFile(In("a.htm"), page);
  EXPECT_EQ(Contents(Folder / "a.htm"), page);
  WritePageFile(In("a.htm"), "");
  EXPECT_EQ(Contents(Folder / "a.htm"), "");
}

TEST_F(TempFilesSystem, UncreatablePageFileNamesTheSystemsCause) {
  const std::string path = Folder / "no such directory\\page.htm";
  const std::string cause = Description(ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(cause.empty());
  EXPECT_EQ(Raised([&] { WritePageFile(Wide(path), "<html></html>"); }),
            "EFCreateError: " + FileCreateErrorText(path, cause));
  EXPECT_THROW(WritePageFile(L"", "<html></html>"), EFCreateError);
}

TEST_F(TempFilesSystem, DeletionClearsAttributesAndStaysQuiet) {
  const std::wstring page = In("a.htm"), picture = In("a.jpg");
  WritePageFile(page, "<html></html>");
  CopyPictureFile(0, picture);
  SetFileAttributesW(page.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW(picture.c_str(), FILE_ATTRIBUTE_READONLY);
  DeleteTempFiles(page, picture);
  EXPECT_FALSE(Exists(page));
  EXPECT_FALSE(Exists(picture));
  DeleteTempFiles(page, picture);  // twice: nothing to report
  DeleteTempFiles(L"", L"");

  // A session that ends before its first picture has only the page file.
  WritePageFile(In("b.htm"), "<html></html>");
  DeleteTempFiles(In("b.htm"), picture);
  EXPECT_FALSE(Exists(In("b.htm")));
}
