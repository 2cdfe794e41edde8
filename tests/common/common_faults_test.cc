// Faults found in the common layer, one test each; the first two show only under the
// sanitizers.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/child_process.h"
#include "common/failure.h"
#include "common/file_handle.h"
#include "common/file_system.h"
#include "common/line_writer.h"
#include "common/paths.h"
#include "common/test_files.h"

namespace ondrel {
namespace {

using testing::RunAs;
using testing::RunInChild;
using testing::ScratchFolder;

// The subtraction took the position of a trimmed line in its buffer; a line of spaces gave
// an empty view with no pointer, and the position came out of a subtraction from null.
TEST(TrimSpaces, AnAllSpaceTextGivesAnEmptyViewInsideIt) {
  for (const std::string_view text : {"   ", " ", ""}) {
    const std::string_view trimmed = TrimSpaces(text);
    EXPECT_TRUE(trimmed.empty());
    EXPECT_EQ(trimmed.data(), text.data() + text.size());
  }
}

// Copying an empty view that carries no pointer is undefined, even for no bytes.
TEST(LineWriter, WritesAnEmptyViewWithoutAPointerAsAnEmptyLine) {
  ScratchFolder scratch;
  LineWriter writer(scratch / "list.txt", WriteMode::kReplace);
  writer.WriteLine(std::string_view());
  writer.Close();
  EXPECT_EQ(ScratchFolder::Read(scratch / "list.txt"), "\r\n");
}

// Opening a pipe for reading waits for a writer, and a device may never end: a reader handed
// either in a file's place (a file replaced after it was listed or checked) never returned.
TEST(FileHandle, OpenToReadRefusesAnythingButARegularFileWithoutWaiting) {
  ScratchFolder scratch;
  ASSERT_EQ(::mkfifo((scratch / "pipe").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/urandom", scratch / "device");
  std::filesystem::create_symlink(scratch / "pipe", scratch / "link-to-pipe");
  std::filesystem::create_directory(scratch / "folder");
  const std::string file = scratch.Write("file", "x");
  const std::string outcomes = RunInChild(RunAs::kSameUser, [&] {
    std::string numbers;
    for (const char* name : {"pipe", "device", "link-to-pipe", "folder", "file"}) {
      try {
        FileStatus status;
        SystemFileSystem().OpenToRead(scratch / name, status);
        numbers += "0 ";
      } catch (const Failure& failure) {
        numbers += std::to_string(failure.Number()) + " ";
      }
    }
    return numbers;
  });
  const std::string refused = std::to_string(kFailureBadPath) + " ";
  EXPECT_EQ(outcomes, refused + refused + refused + std::to_string(kFailureIsFolder) + " 0 ");
}

// A file reached through /proc/self/fd (as /dev/stdin leads there) has no path the program can
// follow part by part once it is deleted: such an open failed, though the kernel opens it.
TEST(FileHandle, OpensAFileOnlyTheKernelCanResolve) {
  ScratchFolder scratch;
  const std::string path = scratch.Write("gone.txt", "a@b.it\r\n");
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  std::filesystem::remove(path);
  FileStatus status;
  FileHandle file = SystemFileSystem().OpenToRead("/proc/self/fd/" + std::to_string(fd), status);
  EXPECT_EQ(status.size, 8u);
  ::close(fd);
}

}  // namespace
}  // namespace ondrel
