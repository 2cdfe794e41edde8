// Small versions of the limits an extraction meets: paths longer than the system allows and
// names holding every byte. The large ones (folders of 100,000 entries, a tree of a million
// files, a 2 GiB line) are measured by bench/limits.sh.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/extraction_run.h"
#include "engine/folder_walk.h"
#include "engine/harvest_fixture.h"

namespace ondrel {
namespace {

using testing::HarvestFixture;
using Names = std::vector<std::string>;

// Removes the tree `name` inside the open folder `parent` by handles, as paths may be too
// long to name its deeper entries.
void RemoveTreeAt(int parent, const char* name) {
  const int folder = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (folder >= 0) {
    if (DIR* listing = ::fdopendir(folder)) {
      std::vector<std::string> entries;
      while (const dirent* entry = ::readdir(listing))
        if (std::string_view(entry->d_name) != "." && std::string_view(entry->d_name) != "..")
          entries.emplace_back(entry->d_name);
      for (const auto& entry : entries)
        if (::unlinkat(::dirfd(listing), entry.c_str(), 0) != 0)
          RemoveTreeAt(::dirfd(listing), entry.c_str());
      ::closedir(listing);
    } else {
      ::close(folder);
    }
  }
  ::unlinkat(parent, name, AT_REMOVEDIR);
}

// `levels` nested folders below `root` named by `names`, made by handles, each holding
// "a.txt" with an address naming its level.
void MakeNestedFolders(const std::string& root, const Names& names) {
  int folder = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  for (std::size_t level = 0; level < names.size(); ++level) {
    ASSERT_EQ(::mkdirat(folder, names[level].c_str(), 0755), 0);
    const int below = ::openat(folder, names[level].c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::close(folder);
    folder = below;
    const int file = ::openat(folder, "a.txt", O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    const std::string address = "level" + std::to_string(level + 1) + "@x ";
    ASSERT_EQ(::write(file, address.data(), address.size()), static_cast<ssize_t>(address.size()));
    ::close(file);
  }
  ::close(folder);
}

TEST(ExtractionLimits, FoldersPastTheSystemsPathLimitAreWalkedLikeAnyOther) {
  HarvestFixture h;
  const int kLevels = 20;
  const std::size_t kNameLength = 250;  // 20 levels of these make about 5,000 bytes
  Names names;
  for (int level = 1; level <= kLevels; ++level) names.push_back(std::string(kNameLength, 'n'));
  MakeNestedFolders(h.tree.Path(), names);
  h.tree.Write("z/after.txt", "after@x");

  h.WalkTree();
  const int tree_folder = ::open(h.tree.Path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  RemoveTreeAt(tree_folder, names[0].c_str());
  ::close(tree_folder);

  // Each folder is opened in its parent, so the length of its full path does not matter.
  ASSERT_GT(h.tree.Path().size() + kLevels * (kNameLength + 1), std::size_t{PATH_MAX});
  Names expected;
  for (int level = 1; level <= kLevels; ++level)
    expected.push_back("level" + std::to_string(level) + "@x");
  expected.push_back("after@x");
  Names shown = h.Shown();
  std::sort(shown.begin(), shown.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(shown, expected);
  EXPECT_TRUE(h.windows.messages.empty());
  EXPECT_TRUE(h.state.skipped.empty());
}

TEST(ExtractionLimits, NamesMayHoldEveryByteButZeroAndTheSeparator) {
  HarvestFixture h;
  std::string every_byte;
  for (int byte = 1; byte < 256; ++byte)
    if (byte != '/') every_byte += static_cast<char>(byte);
  Names expected;
  for (const char byte : every_byte) {
    const std::string address = std::to_string(static_cast<unsigned char>(byte)) + "@x";
    h.tree.Write(every_byte + "/" + byte + ".txt", address);
    expected.push_back(address);
  }
  h.WalkTree();
  Names shown = h.Shown();
  std::sort(shown.begin(), shown.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(h.Scanned().size(), every_byte.size());
}

}  // namespace
}  // namespace ondrel
