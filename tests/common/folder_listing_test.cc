#include "common/folder_listing.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "common/test_files.h"

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
  ::symlink("a.txt", (scratch / "to-file").c_str());
  ::symlink("sub", (scratch / "to-folder").c_str());
  ::symlink(".", (scratch / "loop").c_str());
  ::symlink("missing", (scratch / "broken").c_str());
  ::mkfifo((scratch / "pipe").c_str(), 0600);

  std::vector<FolderEntry> entries{{"stale", EntryKind::kFile}};
  ASSERT_TRUE(ReadFolder(scratch.Path(), entries));
  EXPECT_EQ(entries.size(), 7u);
  EXPECT_EQ(KindOf(entries, "a.txt"), EntryKind::kFile);
  EXPECT_EQ(KindOf(entries, "sub"), EntryKind::kFolder);
  EXPECT_EQ(KindOf(entries, "to-file"), EntryKind::kFile);
  EXPECT_EQ(KindOf(entries, "to-folder"), EntryKind::kOther);
  EXPECT_EQ(KindOf(entries, "loop"), EntryKind::kOther);
  EXPECT_EQ(KindOf(entries, "broken"), EntryKind::kOther);
  EXPECT_EQ(KindOf(entries, "pipe"), EntryKind::kOther);

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
