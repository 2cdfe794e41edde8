// Files and folders that change under the walk after their folder was listed, made through
// the file-system double so that every machine sees them: a change costs the addresses of
// what changed only, and what the run loses is reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/harvest_fixture.h"

namespace ondrel {
namespace {

using testing::FaultyFileSystem;
using testing::HarvestFixture;

TEST(WalkFaults, AChangeAfterTheListingCostsOnlyWhatChangedAndEveryLossIsReported) {
  const auto vanish = &FaultyFileSystem::Vanish;
  const auto link = &FaultyFileSystem::ReplaceByLink;
  const auto deny = &FaultyFileSystem::Deny;
  const struct {
    const char* what;
    void (FaultyFileSystem::*change)(const std::string&);
    const char* changed;  // "/" ends a folder; "" is the scan folder
    bool store;
    std::vector<std::string> shown;  // sorted: the order of a listing is the system's
    std::vector<std::string> reported;
  } cases[] = {
      {"a file gone", vanish, "a/f.txt", false, {"below@a.org", "ok@b.org"}, {"a/f.txt"}},
      {"a store file gone", vanish, "a/f.dbx", true, {"below@a.org", "ok@b.org"}, {"a/f.dbx"}},
      // Neither is a folder of the tree any more: nothing of it is lost.
      {"a folder gone", vanish, "a/", false, {"ok@b.org"}, {}},
      {"a folder become a link", link, "a/", false, {"ok@b.org"}, {}},
      // A file become a link is not followed out of the tree, and is reported as not read.
      {"a file become a link", link, "a/f.txt", false, {"below@a.org", "ok@b.org"}, {"a/f.txt"}},
      {"a folder that may not be listed", deny, "a/", false, {"ok@b.org"}, {"a/"}},
      {"a file that may not be read",
       deny,
       "a/f.txt",
       false,
       {"below@a.org", "ok@b.org"},
       {"a/f.txt"}},
      {"a store file that may not be read",
       deny,
       "a/f.dbx",
       true,
       {"below@a.org", "ok@b.org"},
       {"a/f.dbx"}},
      {"a scan folder that may not be listed", deny, "", false, {}, {""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    HarvestFixture h;
    const std::string extension = c.store ? ".dbx" : ".txt";
    h.kind = c.store ? kKindStoreFiles : kKindTextFiles;
    h.tree.Write("a/f" + extension, "lost@a.org");
    h.tree.Write("a/below/f" + extension, "below@a.org");
    h.tree.Write("b/g" + extension, "ok@b.org");
    (h.files.*c.change)(h.tree / c.changed);
    h.WalkTree();
    std::vector<std::string> shown = h.Shown();
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, c.shown);
    std::vector<std::string> reported;
    for (const SkippedFile& skipped : h.state.skipped) reported.push_back(skipped.path);
    std::vector<std::string> expected;
    for (const std::string& path : c.reported) expected.push_back(h.tree / path);
    EXPECT_EQ(reported, expected);
    // The copy of a store file that could not be read is removed; the others stay.
    EXPECT_EQ(testing::NamesIn(h.out.Path()).size(), 1 + (c.store ? c.shown.size() : 0));
  }
}

}  // namespace
}  // namespace ondrel
