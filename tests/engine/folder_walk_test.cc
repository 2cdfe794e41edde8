#include "engine/folder_walk.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/file_system.h"
#include "common/folder_listing.h"
#include "common/path_rules.h"
#include "common/test_platform.h"
#include "engine/harvest_fixture.h"

namespace ondrel {
namespace {

using testing::HarvestFixture;
using Names = std::vector<std::string>;

// The documented order, by recursion over the same listings.
void ReferenceWalk(const std::string& folder, std::int16_t kind, Names& names) {
  std::vector<FolderEntry> entries;
  SystemFileSystem().ListFolder(folder, entries, nullptr);
  for (const auto& entry : entries)
    if (entry.kind == EntryKind::kFile && KindSelects(kind, entry.name))
      names.push_back(entry.name);
  for (const auto& entry : entries)
    if (entry.kind == EntryKind::kFolder)
      ReferenceWalk(folder + entry.name + kPathSeparator, kind, names);
}

TEST(ScanFolderTree, VisitsFoldersDepthFirstWithEachFoldersOwnFilesFirst) {
  HarvestFixture h;
  for (const char* file : {"r1.txt", "r2.txt", "A/a.txt", "A/A1/a1.txt", "A/A1/x/y/deep.txt",
                           "A/A2/a2.txt", "B/b.txt", "B/B1/b1.txt", ".hidden/h.txt", "C/skip.htm"})
    h.tree.Write(file, "");
  std::filesystem::create_directories(h.tree / "empty");
  Names expected;
  ReferenceWalk(h.tree.Path(), kKindTextFiles, expected);
  ASSERT_EQ(expected.size(), 9u);

  std::string folder = h.tree.Path();
  folder.pop_back();
  h.Walk(folder);
  EXPECT_EQ(folder, h.tree.Path());  // the caller's text gains its separator
  EXPECT_EQ(h.Scanned(), expected);
}

TEST(KindSelects, GoesByTheLowerCasedLastExtension) {
  const struct {
    const char* name;
    int kinds;  // bit k set: kind k selects it
  } cases[] = {
      {"Page.HTML", 1}, {"page.htm", 1},  {"x.Asp", 1}, {".htm", 1},   {"page.htm.bak", 0},
      {"noext", 0},     {"nota.", 0},     {"a.TXT", 2}, {"a.txt ", 2}, {"   ", 0},
      {"posta.DBX", 4}, {"a.txt.dbx", 4}, {"a.tx", 0},
  };
  for (const auto& c : cases) {
    for (std::int16_t kind : {0, 1, 2})
      EXPECT_EQ(KindSelects(kind, c.name), ((c.kinds >> kind) & 1) != 0) << c.name << " " << kind;
    EXPECT_FALSE(KindSelects(3, c.name));
  }
}

TEST(ScanFolderTree, ReadsTheKindAfreshForEveryFile) {
  HarvestFixture h;
  h.tree.Write("first.txt", "");
  h.tree.Write("d/page.htm", "");
  h.tree.Write("d/later.txt", "");
  h.windows.onYield = [&] {
    if (h.windows.Caption(StatusLabel::kProc) == "Analisi di: first.txt") h.kind = kKindWebPages;
  };
  h.WalkTree();
  EXPECT_EQ(h.Scanned(), (Names{"first.txt", "page.htm"}));
}

// A link is no entry of the tree: the file it leads to is read where the walk meets it by its
// own name, and nothing outside the tree is.
TEST(ScanFolderTree, FollowsNoLinks) {
  HarvestFixture h;
  h.tree.Write("sub/real.txt", "a@b");
  // Where ordinary users cannot make links (Windows), a junction stands for the folder links.
  for (const auto& [target, link] : {std::pair<std::string, std::string>{".", "loop"},
                                     {"..", "sub/up"},
                                     {"real.txt", "sub/link.txt"},
                                     {h.out / "MailOut.txt", "out.txt"},
                                     {"missing.txt", "sub/broken.txt"}})
    testing::MakeSymbolicLink(target, h.tree / link);
  testing::MakeFifo(h.tree / "sub/pipe.txt");
  testing::MakeJunction(h.tree.Path(), h.tree / "sub/junction");
  h.WalkTree();
  Names scanned = h.Scanned();
  std::sort(scanned.begin(), scanned.end());
  EXPECT_EQ(scanned, Names{"real.txt"});
  EXPECT_EQ(h.found, 1);
  EXPECT_TRUE(h.state.skipped.empty());
}

// Windows: hidden and system files are scanned, hidden folders visited, folders marked as
// system not. POSIX has neither attribute, so every folder is visited there.
TEST(ScanFolderTree, VisitsHiddenFoldersButNotSystemFoldersWhereFilesHaveAttributes) {
  HarvestFixture h;
  h.tree.Write("hidden.txt", "hidden@file");
  h.tree.Write("system.txt", "system@file");
  h.tree.Write("nascosta/a.txt", "hidden@folder");
  h.tree.Write("sistema/a.txt", "system@folder");
  testing::MarkAttributes(h.tree / "hidden.txt", testing::kHidden);
  testing::MarkAttributes(h.tree / "system.txt", testing::kHidden | testing::kSystem);
  testing::MarkAttributes(h.tree / "nascosta", testing::kHidden);
  testing::MarkAttributes(h.tree / "sistema", testing::kSystem);
  h.WalkTree();
  Names shown = h.Shown();
  std::sort(shown.begin(), shown.end());
  Names expected{"hidden@file", "hidden@folder", "system@file"};
  if (!kWindowsPlatform) expected.push_back("system@folder");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(shown, expected);
}

// POSIX names are any bytes; Windows names are UTF-16, reached from the program's UTF-8, in
// any script whatever the local code page.
TEST(ScanFolderTree, TakesAnyBytesInNames) {
  HarvestFixture h;
  const std::string name = kWindowsPlatform
                               ? "\xce\x95\xce\xbb\xce\xbb\xce\xac\xce\xb4\xce\xb1 \xe6\x97\xa5.txt"
                               : "caf\xe9 x\n.txt";
  const std::string folder =
      kWindowsPlatform ? "\xd0\x9f\xd0\xb0\xd0\xbf\xd0\xba\xd0\xb0" : "d\xff ir\n";
  h.tree.Write(folder + "/" + name, "a@b\r\n");
  h.WalkTree();
  EXPECT_EQ(h.Scanned(), Names{name});
  EXPECT_EQ(h.Shown(), Names{"a@b"});
}

// A chain of `levels` folders, each holding a file named after its level.
std::string MakeChain(const HarvestFixture& h, int levels) {
  std::string relative;
  for (int level = 1; level <= levels; ++level) {
    relative += "d/";
    h.tree.Write(relative + "l" + std::to_string(level) + ".txt", "");
  }
  return relative;
}

TEST(ScanFolderTree, WalksNinetyNineLevelsAndFailsAfterTheFilesOfTheHundredth) {
  HarvestFixture deep_enough;
  MakeChain(deep_enough, kDeepestLevel - 1);
  std::string folder = deep_enough.tree.Path();
  deep_enough.Walk(folder);
  EXPECT_EQ(deep_enough.Scanned().size(), 99u);

  HarvestFixture too_deep;
  MakeChain(too_deep, kDeepestLevel + 1);
  folder = too_deep.tree.Path();
  try {
    too_deep.Walk(folder);
    FAIL();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.Number(), kFailureDepthLimit);
  }
  ASSERT_EQ(too_deep.Scanned().size(), 100u);
  EXPECT_EQ(too_deep.Scanned().back(), "l100.txt");
}

}  // namespace
}  // namespace ondrel
