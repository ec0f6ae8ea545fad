// The session's files in the real temporary directory: fresh names that leave nothing behind,
// byte-exact copies of the picture resources, page files of exactly their text, quiet deletion
// and the creation error with the system's own description of the cause.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/Errors.h"
#include "base/TextWin32.h"
#include "session/TempFiles.h"
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

TEST(TempFileNames, TwoFreshNamesInTheTemporaryDirectoryAndNoFileLeft) {
  const std::string directory = TempDirectory();
  for (int session = 0; session < 20; ++session) {
    std::string jpg = MakeTempFileName("jpg");
    std::string htm = MakeTempFileName("htm");
    for (const std::string& name : {jpg, htm}) {
      ASSERT_FALSE(name.empty());
      EXPECT_EQ(name.rfind(directory + "ins", 0), 0u) << name;
      EXPECT_FALSE(Exists(name)) << name;
      EXPECT_FALSE(Exists(name.substr(0, name.size() - 3) + "tmp")) << name;
    }
    EXPECT_EQ(jpg.substr(jpg.size() - 4), ".jpg");
    EXPECT_EQ(htm.substr(htm.size() - 4), ".htm");
    EXPECT_NE(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, jpg.c_str(), -1, htm.c_str(), -1), CSTR_EQUAL);
  }
}

TEST_F(TempFilesSystem, PictureCopiesAreByteIdenticalToTheirResources) {
  // Left by an earlier run: replaced, not overwritten in part.
  const std::string path = Folder.Write("a.jpg", std::string(3'000'000, 'x'));
  for (int n : {0, 49, 7}) {
    SCOPED_TRACE(n);
    TJpegSize size = CopyPictureFile(n, path);
    EXPECT_EQ(ReadBytes(path), PictureFileBytes(110 + n));  // the resource's bytes (PictureResource_test.cpp)
    EXPECT_EQ(size.Width, KnownPictureSize(110 + n).Width);
    EXPECT_EQ(size.Height, KnownPictureSize(110 + n).Height);
  }
  EXPECT_THROW(CopyPictureFile(50, path), EResNotFound);
  EXPECT_THROW(CopyPictureFile(0, Folder / "missing\\a.jpg"), EFCreateError);
}

TEST_F(TempFilesSystem, PageFileHoldsExactlyItsText) {
  const std::string path = Folder / "a.htm";
  const std::string longer(5000, 'y');
  const std::string page = "<html><head></head><body bgcolor=\"#000000\">\xE4</body></html>";
  WritePageFile(path, longer);
  WritePageFile(path, page);
  EXPECT_EQ(Contents(path), page);
  WritePageFile(path, "");
  EXPECT_EQ(Contents(path), "");
}

TEST_F(TempFilesSystem, UncreatablePageFileNamesTheSystemsCause) {
  const std::string path = Folder / "no such directory\\page.htm";
  const std::string cause = Description(ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(cause.empty());
  EXPECT_EQ(Raised([&] { WritePageFile(path, "<html></html>"); }),
            "EFCreateError: " + FileCreateErrorText(AnsiToUtf8(path), cause));
  // A session without a name (no temporary directory to be had) fails the same way.
  EXPECT_THROW(WritePageFile("", "<html></html>"), EFCreateError);
}

TEST_F(TempFilesSystem, DeletionClearsAttributesAndStaysQuiet) {
  const std::string page = Folder / "a.htm", picture = Folder / "a.jpg";
  WritePageFile(page, "<html></html>");
  CopyPictureFile(0, picture);
  SetFileAttributesA(page.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA(picture.c_str(), FILE_ATTRIBUTE_READONLY);
  DeleteTempFiles(page, picture);
  EXPECT_FALSE(Exists(page));
  EXPECT_FALSE(Exists(picture));
  DeleteTempFiles(page, picture);  // twice: nothing to report
  DeleteTempFiles("", "");

  // A session that ends before its first picture has only the page file.
  WritePageFile(Folder / "b.htm", "<html></html>");
  DeleteTempFiles(Folder / "b.htm", picture);
  EXPECT_FALSE(Exists(Folder / "b.htm"));
}
