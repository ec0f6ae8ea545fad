// The session's files in the real temporary directory: fresh names that leave nothing behind,
// byte-exact copies of the picture resources, page files of exactly their text, quiet deletion
// and the creation error with the system's own description of the cause.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "base/Errors.h"
#include "base/TextWin32.h"
#include "session/TempFiles.h"

namespace {

std::string TempDirectory() {
  char directory[MAX_PATH + 1] = {};
  GetTempPathA(MAX_PATH, directory);
  return directory;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void Put(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ResourceBytes(int identifier) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(identifier), MAKEINTRESOURCEA(10));
  if (!found) return {};
  auto* data = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
  return std::string(data, SizeofResource(nullptr, found));
}

// Width and height from the first start-of-frame marker, read by hand.
std::pair<int, int> FrameSize(const std::string& jpeg) {
  for (size_t i = 2; i + 9 < jpeg.size();) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(jpeg[k]); };
    if (byte(i) != 0xFF) return {-1, -1};
    unsigned marker = byte(i + 1);
    size_t length = byte(i + 2) << 8 | byte(i + 3);
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
      return {byte(i + 7) << 8 | byte(i + 8), byte(i + 5) << 8 | byte(i + 6)};
    i += 2 + length;
  }
  return {-1, -1};
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
  void SetUp() override {
    FDirectory = TempDirectory() + "lumi-tempfiles-test\\";
    CreateDirectoryA(FDirectory.c_str(), nullptr);
  }
  void TearDown() override {
    for (const char* name : {"a.jpg", "a.htm", "b.htm"}) {
      SetFileAttributesA((FDirectory + name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA((FDirectory + name).c_str());
    }
    RemoveDirectoryA(FDirectory.c_str());
  }
  std::string FDirectory;
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
  const std::string path = FDirectory + "a.jpg";
  Put(path, std::string(3'000'000, 'x'));  // left by an earlier run: replaced, not overwritten in part
  for (int n : {0, 49, 7}) {
    SCOPED_TRACE(n);
    const std::string resource = ResourceBytes(110 + n);
    ASSERT_FALSE(resource.empty());
    TJpegSize size = CopyPictureFile(n, path);
    EXPECT_EQ(Contents(path), resource);
    EXPECT_EQ(std::make_pair(size.Width, size.Height), FrameSize(resource));
    EXPECT_GT(size.Width, 0);
  }
  EXPECT_THROW(CopyPictureFile(50, path), EResNotFound);
  EXPECT_THROW(CopyPictureFile(0, FDirectory + "missing\\a.jpg"), EFCreateError);
}

TEST_F(TempFilesSystem, PageFileHoldsExactlyItsText) {
  const std::string path = FDirectory + "a.htm";
  const std::string longer(5000, 'y');
  const std::string page = "<html><head></head><body bgcolor=\"#000000\">\xE4</body></html>";
  WritePageFile(path, longer);
  WritePageFile(path, page);
  EXPECT_EQ(Contents(path), page);
  WritePageFile(path, "");
  EXPECT_EQ(Contents(path), "");
}

TEST_F(TempFilesSystem, UncreatablePageFileNamesTheSystemsCause) {
  const std::string path = FDirectory + "no such directory\\page.htm";
  try {
    WritePageFile(path, "<html></html>");
    FAIL() << "wrote into a directory that does not exist";
  } catch (const EFCreateError& e) {
    const std::string cause = Description(ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(cause.empty());
    EXPECT_EQ(e.Message(), FileCreateErrorText(AnsiToUtf8(path), cause));
    EXPECT_EQ(e.ClassName(), "EFCreateError");
  }
  // A session without a name (no temporary directory to be had) fails the same way.
  EXPECT_THROW(WritePageFile("", "<html></html>"), EFCreateError);
}

TEST_F(TempFilesSystem, DeletionClearsAttributesAndStaysQuiet) {
  const std::string page = FDirectory + "a.htm", picture = FDirectory + "a.jpg";
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
  WritePageFile(FDirectory + "b.htm", "<html></html>");
  DeleteTempFiles(FDirectory + "b.htm", picture);
  EXPECT_FALSE(Exists(FDirectory + "b.htm"));
}
