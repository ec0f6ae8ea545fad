// The page view reads its picture only from a plain file on a local disk, judged by the open handle.
#include <gtest/gtest.h>

#include <windows.h>

#include "base/OwnersWin32.h"
#include "pageview/PictureFile.h"
#include "pageview/PictureFileWin32.h"
#include "tests/support/ScratchFolder.h"

TEST(PictureFileWin, OnlyAPlainFileOnALocalDiskIsRead) {
  const TScratchFolder folder;
  const std::string path = folder.Write("p.jpg", std::string("jpg"));
  EXPECT_EQ(ReadPictureFile(path), std::vector<uint8_t>({'j', 'p', 'g'}));
  HANDLE pipe[2] = {};
  ASSERT_TRUE(CreatePipe(&pipe[0], &pipe[1], nullptr, 0));
  const TKernelHandle pipeEnds[] = {TKernelHandle(pipe[0]), TKernelHandle(pipe[1])};
  auto open = [](const std::string& name, DWORD flags) {
    return TFileHandle(CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, flags, nullptr));
  };
  const TFileHandle file = open(path, 0), notFiles[] = {open(folder.Path(), FILE_FLAG_BACKUP_SEMANTICS), open("NUL", 0)};
  EXPECT_TRUE(IsLocalDiskFile(file.Get()));
  for (HANDLE other : {notFiles[0].Get(), notFiles[1].Get(), pipeEnds[0].Get()}) {
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(IsLocalDiskFile(other));
  }
}
