// The page view reads its picture only from a plain file on a local disk, judged by the open handle.
#include <gtest/gtest.h>

#include <windows.h>

#include "base/OwnersWin32.h"
#include "pageview/PictureFile.h"
#include "pageview/PictureFileWin32.h"
#include "tests/support/ScratchFolder.h"

TEST(PictureFileWin, OnlyAPlainFileOnALocalDiskIsRead) {
  const TScratchFolder folder;
  const std::string path = folder.Write("p.jpg", std::string("picture"));
  EXPECT_EQ(ReadPictureFile(path), std::vector<uint8_t>({'p', 'i', 'c', 't', 'u', 'r', 'e'}));
  HANDLE pipeRead = nullptr, pipeWrite = nullptr;
  ASSERT_TRUE(CreatePipe(&pipeRead, &pipeWrite, nullptr, 0));
  const TKernelHandle pipeEnds[] = {TKernelHandle(pipeRead), TKernelHandle(pipeWrite)};
  const auto open = [](const std::string& name, DWORD flags) {
    return TFileHandle(CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, flags, nullptr));
  };
  const TFileHandle file = open(path, 0), folderHandle = open(folder.Path(), FILE_FLAG_BACKUP_SEMANTICS),
                    device = open("NUL", 0);
  const struct {
    HANDLE Handle;
    bool Local;
  } cases[] = {{file.Get(), true}, {folderHandle.Get(), false}, {device.Get(), false}, {pipeEnds[0].Get(), false}};
  for (const auto& c : cases) {
    ASSERT_NE(c.Handle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(IsLocalDiskFile(c.Handle), c.Local) << &c - cases;
  }
}
