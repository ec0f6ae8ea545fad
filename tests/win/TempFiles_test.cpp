// The session's files in the real temporary directory: fresh files made exclusively in any
// directory, byte-exact copies of the picture resources, page files of exactly their text, quiet
// deletion and the creation error with the system's own description of the cause.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/Errors.h"
#include "base/TextWin32.h"
#include "slides/TempFiles.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/Raised.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/TempFolder.h"

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Contents(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadBytes(path);
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
  const TScratchFolder Folder;
};

}  // namespace

TEST(TempFileNames, FreshEmptyFilesInTheTemporaryDirectoryAndNothingElse) {
  const std::string directory = TempDirectory();
  const size_t before = TempFiles("*").size();
  std::vector<std::wstring> made;
  for (int session = 0; session < 20; ++session)
    for (const char* extension : {"jpg", "htm"}) {
      const std::string name = WideToUtf8(made.emplace_back(MakeTempFile(extension)));
      EXPECT_EQ(name, directory + TempFileName(std::stoul(name.substr(directory.size() + 3), nullptr, 16), extension));
      EXPECT_EQ(ReadBytes(name).size(), 0u) << name;
    }
  EXPECT_EQ(TempFiles("*").size(), before + made.size());  // 40 distinct names, nothing beside them
  for (const std::wstring& path : made) DeleteTempFiles(path, L"");
}

// Another session's file and a folder under the first names tried are stepped over, never opened;
// a directory outside the ANSI code page gives names that a page and the ANSI functions can use.
TEST_F(TempFilesSystem, TakenNamesAreSteppedOverInAnyDirectory) {
  Folder.Write("insFFFF.jpg", std::string("another's"));
  CreateDirectoryA((Folder / "ins1.jpg").c_str(), nullptr);
  const std::string other = Folder.Path() + "\\\xC5\x81\xC3\xB3" "d\xC5\xBA \xE6\x97\xA5\xE6\x9C\xAC";
  CreateDirectoryW(Utf8ToWide(other).c_str(), nullptr);
  for (const std::string& directory : {Folder.Path(), other}) {
    TScopedEnvironment tmp("TMP", directory);
    const std::wstring path = MakeTempFile("jpg", 0xFFFF);
    EXPECT_EQ(WideToUtf8(path), directory + (directory == other ? "\\insFFFF.jpg" : "\\ins2.jpg"));
    CopyPictureFile(0, path);
    EXPECT_EQ(ReadBytes(PagePathOf(path)), PictureFileBytes(110));
    EXPECT_TRUE(directory == other || PagePathOf(path) == WideToUtf8(path));  // the page's bytes as they were
  }
  EXPECT_EQ(Contents(Folder / "insFFFF.jpg"), "another's");
}

TEST_F(TempFilesSystem, PictureCopiesAreByteIdenticalToTheirResources) {
  // Left by an earlier run: replaced, not overwritten in part.
  const std::string path = Folder.Write("a.jpg", std::string(3'000'000, 'x'));
  for (int n : {0, 49, 7}) {
    SCOPED_TRACE(n);
    TJpegSize size = CopyPictureFile(n, Utf8ToWide(path));
    EXPECT_EQ(ReadBytes(path), PictureFileBytes(110 + n));  // the resource's bytes (PictureResource_test.cpp)
    EXPECT_EQ(size.Width, KnownPictureSize(110 + n).Width);
    EXPECT_EQ(size.Height, KnownPictureSize(110 + n).Height);
  }
  EXPECT_THROW(CopyPictureFile(50, Utf8ToWide(path)), EResNotFound);
  EXPECT_THROW(CopyPictureFile(0, Utf8ToWide(Folder / "missing\\a.jpg")), EFCreateError);
}

TEST_F(TempFilesSystem, PageFileHoldsExactlyItsText) {
  const std::string path = Folder / "a.htm";
  const std::string longer(5000, 'y');
  const std::string page = "<html><head></head><body bgcolor=\"#000000\">\xE4</body></html>";
  WritePageFile(Utf8ToWide(path), longer);
  WritePageFile(Utf8ToWide(path), page);
  EXPECT_EQ(Contents(path), page);
  WritePageFile(Utf8ToWide(path), "");
  EXPECT_EQ(Contents(path), "");
}

TEST_F(TempFilesSystem, UncreatablePageFileNamesTheSystemsCause) {
  const std::string path = Folder / "no such directory\\page.htm";
  const std::string cause = Description(ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(cause.empty());
  EXPECT_EQ(Raised([&] { WritePageFile(Utf8ToWide(path), "<html></html>"); }),
            "EFCreateError: " + FileCreateErrorText(AnsiToUtf8(path), cause));
  // A session without a name (no temporary directory to be had) fails the same way.
  EXPECT_THROW(WritePageFile(L"", "<html></html>"), EFCreateError);
}

TEST_F(TempFilesSystem, DeletionClearsAttributesAndStaysQuiet) {
  const std::string page = Folder / "a.htm", picture = Folder / "a.jpg";
  WritePageFile(Utf8ToWide(page), "<html></html>");
  CopyPictureFile(0, Utf8ToWide(picture));
  SetFileAttributesA(page.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA(picture.c_str(), FILE_ATTRIBUTE_READONLY);
  DeleteTempFiles(Utf8ToWide(page), Utf8ToWide(picture));
  EXPECT_FALSE(Exists(page));
  EXPECT_FALSE(Exists(picture));
  DeleteTempFiles(Utf8ToWide(page), Utf8ToWide(picture));  // twice: nothing to report
  DeleteTempFiles(L"", L"");

  // A session that ends before its first picture has only the page file.
  WritePageFile(Utf8ToWide(Folder / "b.htm"), "<html></html>");
  DeleteTempFiles(Utf8ToWide(Folder / "b.htm"), Utf8ToWide(picture));
  EXPECT_FALSE(Exists(Folder / "b.htm"));
}
