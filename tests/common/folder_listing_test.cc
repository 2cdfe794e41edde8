#include "common/folder_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

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

TEST(ReadFolder, SaysWhatEachEntryIsWithoutFollowingFolderLinks) {
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
  ASSERT_TRUE(ReadFolder(scratch.Path(), entries));
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

  EXPECT_FALSE(ReadFolder(scratch / "missing/", entries));
  EXPECT_TRUE(entries.empty());
}

TEST(NextSubFolder, HandsOutSubFoldersOfTheListingStartedLast) {
  ScratchFolder scratch;
  for (const char* name : {"x/1", "y/2", "z"}) std::filesystem::create_directories(scratch / name);
  scratch.Write("file.txt", "x");

  std::vector<std::string> names;
  for (auto name = NextSubFolder(scratch.Path()); !name.empty(); name = NextSubFolder(""))
    names.push_back(name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"x", "y", "z"}));
  EXPECT_EQ(NextSubFolder(""), "");

  // A new listing replaces the one in progress.
  NextSubFolder(scratch.Path());
  EXPECT_EQ(NextSubFolder(scratch / "x/"), "1");
  EXPECT_EQ(NextSubFolder(""), "");
  EXPECT_EQ(NextSubFolder(scratch / "missing/"), "");
}

}  // namespace
}  // namespace ondrel
