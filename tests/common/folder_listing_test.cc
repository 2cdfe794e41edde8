#include "common/folder_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(ListFolder, SaysWhatEachEntryIsWithoutFollowingFolderLinks) {
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
    EXPECT_EQ(KindOf(entries, "to-file"), EntryKind::kFile);
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

}  // namespace
}  // namespace ondrel
