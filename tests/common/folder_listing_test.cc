#include "common/folder_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "common/file_system.h"
#include "common/test_files.h"
#include "common/test_platform.h"

namespace ondrel {
namespace {

using testing::ScratchFolder;

EntryKind KindOf(const std::vector<FolderEntry>& entries, const std::string& name) {
  const auto it = std::find_if(entries.begin(), entries.end(),
                               [&](const FolderEntry& e) { return e.name == name; });
  EXPECT_NE(it, entries.end()) << name;
  return it == entries.end() ? EntryKind::kOther : it->kind;
}

TEST(ListFolder, SaysWhatEachEntryIsWithoutFollowingLinks) {
  ScratchFolder scratch;
  scratch.Write("a.txt", "x");
  scratch.Write("sub/b.txt", "x");
  // Links and pipes where the platform has them; their kinds are checked only then.
  const bool links = testing::MakeSymbolicLink("a.txt", scratch / "to-file") &&
                     testing::MakeSymbolicLink("sub", scratch / "to-folder") &&
                     testing::MakeSymbolicLink(".", scratch / "loop") &&
                     testing::MakeSymbolicLink("missing", scratch / "broken");
  const bool pipe = testing::MakeFifo(scratch / "pipe");

  std::vector<FolderEntry> entries{{"stale", EntryKind::kFile}};
  SystemFileSystem().ListFolder(scratch.Path(), entries, nullptr);
  EXPECT_EQ(entries.size(), 2u + (links ? 4 : 0) + (pipe ? 1 : 0));
  EXPECT_EQ(KindOf(entries, "a.txt"), EntryKind::kFile);
  EXPECT_EQ(KindOf(entries, "sub"), EntryKind::kFolder);
  if (links) {
    EXPECT_EQ(KindOf(entries, "to-file"), EntryKind::kOther);
    EXPECT_EQ(KindOf(entries, "to-folder"), EntryKind::kOther);
    EXPECT_EQ(KindOf(entries, "loop"), EntryKind::kOther);
    EXPECT_EQ(KindOf(entries, "broken"), EntryKind::kOther);
  }
  if (pipe) {
    EXPECT_EQ(KindOf(entries, "pipe"), EntryKind::kOther);
  }

  EXPECT_THROW(SystemFileSystem().ListFolder(scratch / "missing/", entries, nullptr), Failure);
  EXPECT_TRUE(entries.empty());
}

// What a 32-bit program's C library cannot tell in 32-bit file offsets and times.
TEST(ListFolder, AFileOfMoreThanFourGigabytesAndOneDatedAfter2038AreListedAndOpened) {
  ScratchFolder scratch;
  const std::string large = scratch.Write("grande.txt", "");
  std::filesystem::resize_file(testing::FsPath(large), std::uintmax_t{5} << 30);  // sparse
  const std::string later = scratch.Write("futuro.txt", "a@b");
  std::filesystem::last_write_time(
      testing::FsPath(later),
      std::filesystem::last_write_time(testing::FsPath(later)) + std::chrono::hours(24 * 365 * 30));
  std::vector<FolderEntry> entries;
  SystemFileSystem().ListFolder(scratch.Path(), entries, nullptr);
  EXPECT_EQ(entries.size(), 2u);
  EXPECT_EQ(SystemFileSystem().StatusOf(large).size, std::uint64_t{5} << 30);
  FileStatus status;
  FileHandle file = SystemFileSystem().OpenToRead(FilePlace{later}, status);
  char bytes[8];
  EXPECT_EQ(SystemFileSystem().Read(file, bytes, sizeof bytes, later), 3u);
}

}  // namespace
}  // namespace ondrel
