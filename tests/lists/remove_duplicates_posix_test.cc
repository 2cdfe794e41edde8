// Duplicate elimination meeting the permissions of POSIX, as an ordinary user.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "common/child_process.h"
#include "common/failure.h"
#include "common/failure_fields.h"
#include "common/recording_window_system.h"
#include "common/test_files.h"
#include "lists/remove_duplicates.h"

namespace ondrel {
namespace {

using testing::NamesIn;
using testing::RecordingWindowSystem;
using testing::ScratchFolder;

// The failure number the elimination of `path` meets when an ordinary user runs it ("0" when
// none): root may write anywhere, so then it runs in a child process that gives up root.
std::string FailureNumberAsOrdinaryUser(const std::string& path) {
  const auto failureNumber = [&path] {
    RecordingWindowSystem windows;
    std::int64_t total = 0, removed = 0;
    const EliminationResult result = RemoveDuplicates(path, total, removed, windows);
    return std::to_string(testing::NumberOf(result.failure));
  };
  if (::geteuid() != 0) return failureNumber();
  return testing::RunInChild(testing::RunAs::kOrdinaryUser, failureNumber);
}

TEST(RemoveDuplicates, AListItsUserMayNotReplaceIsAClearFailureAndStaysIntact) {
  const struct {
    const char* what;
    mode_t folder, list;
  } cases[] = {
      {"read-only folder: no temporary file can be made", 0555, 0666},
      {"read-only list in a writable folder", 0777, 0444},
  };
  for (const auto& c : cases) {
    ScratchFolder scratch;
    const std::string bytes = "b\r\na\r\nb\r\n";
    const std::string path = scratch.Write("locked/list.txt", bytes);
    ::chmod(scratch.Path().c_str(), 0755);
    ::chmod(path.c_str(), c.list);
    ::chmod((scratch / "locked").c_str(), c.folder);
    EXPECT_EQ(FailureNumberAsOrdinaryUser(path), std::to_string(kFailureAccessDenied)) << c.what;
    EXPECT_EQ(ScratchFolder::Read(path), bytes) << c.what;
    EXPECT_EQ(NamesIn(scratch / "locked"), std::vector<std::string>{"list.txt"}) << c.what;
    ::chmod((scratch / "locked").c_str(), 0755);
  }
}

TEST(RemoveDuplicates, KeepsTheSpecialModeBitsAndTheExtendedAttributes) {
  ScratchFolder scratch;
  const std::string list = scratch.Write("list.txt", "b\r\na\r\nb\r\n");
  ASSERT_EQ(::chmod(list.c_str(), 03640), 0);
  const bool attributes = ::setxattr(list.c_str(), "user.origin", "web", 3, 0) == 0;
  RecordingWindowSystem windows;
  std::int64_t total = 0, removed = 0;
  EXPECT_EQ(RemoveDuplicates(list, total, removed, windows).outcome,
            EliminationOutcome::kCompleted);
  EXPECT_EQ(ScratchFolder::Read(list), "a\r\nb\r\n");
  struct stat info;
  ASSERT_EQ(::stat(list.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 03640u);
  if (!attributes) GTEST_SKIP() << "this file system keeps no user attributes";
  char value[8] = {};
  EXPECT_EQ(::getxattr(list.c_str(), "user.origin", value, sizeof value), 3);
  EXPECT_STREQ(value, "web");
}

// A member of the list's group who may not give the rewritten list to its owner keeps at least
// the group, so that the owner's group may still write it; what was kept is told.
TEST(RemoveDuplicates, KeepsTheGroupWhereItCannotKeepTheOwner) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root may make a list of another user's";
  const struct {
    std::vector<gid_t> groups;  // of the user who eliminates
    const char* owners;         // the rewritten list's owner and group, what was kept
  } cases[] = {
      {{4321}, "65534:4321 owner 0 group 1"},
      {{}, "65534:65534 owner 0 group 0"},
  };
  for (const auto& c : cases) {
    ScratchFolder scratch;
    const std::string path = scratch.Write("shared/list.txt", "b\r\na\r\n");
    ::chmod(scratch.Path().c_str(), 0755);
    ::chmod((scratch / "shared").c_str(), 0777);
    ::chown(path.c_str(), 1234, 4321);
    ::chmod(path.c_str(), 0666);
    const std::string outcome = testing::RunInChild(
        testing::RunAs::kOrdinaryUser,
        [&] {
          RecordingWindowSystem windows;
          std::int64_t total = 0, removed = 0;
          const EliminationResult result = RemoveDuplicates(path, total, removed, windows);
          struct stat info;
          ::stat(path.c_str(), &info);
          return std::to_string(info.st_uid) + ":" + std::to_string(info.st_gid) + " owner " +
                 std::to_string(result.ownership.owner) + " group " +
                 std::to_string(result.ownership.group);
        },
        c.groups);
    EXPECT_EQ(outcome, c.owners);
    EXPECT_EQ(ScratchFolder::Read(path), "a\r\nb\r\n");
  }
}

}  // namespace
}  // namespace ondrel
