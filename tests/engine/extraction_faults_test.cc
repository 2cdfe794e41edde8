// Faults during an extraction: files and folders that change under the walk, files that
// cannot be read, an output folder that turns read-only and a disk that fills up. The file
// system is changed at a chosen yield; permission cases run as an ordinary user.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/child_process.h"
#include "common/failure.h"
#include "common/failure_fields.h"
#include "common/recording_window_system.h"
#include "common/test_files.h"
#include "engine/extraction_run.h"
#include "engine/folder_walk.h"
#include "engine/harvest_fixture.h"

namespace ondrel {
namespace {

namespace fs = std::filesystem;
using testing::HarvestFixture;
using testing::RecordingWindowSystem;
using testing::RunAs;
using testing::RunInChild;
using testing::ScratchFolder;

std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const auto& text : texts) joined += (joined.empty() ? "" : " ") + text;
  return joined;
}

void Overwrite(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Runs `change` once, at the yield after "Analisi di: " and `name` is shown.
void WhenScanOf(HarvestFixture& h, const std::string& name, std::function<void()> change) {
  h.windows.onYield = [&h, name, change, done = false]() mutable {
    if (!done && h.windows.Caption(StatusLabel::kProc) == "Analisi di: " + name) {
      done = true;
      change();
    }
  };
}

// Walks the fixture's tree in a child process and returns the addresses it showed.
std::string WalkInChild(HarvestFixture& h, RunAs user = RunAs::kSameUser) {
  return RunInChild(user, [&h] {
    h.WalkTree();
    return Joined(h.Shown());
  });
}

TEST(ExtractionFaults, AFileChangedAfterTheListingIsReadAsItIsThenOrSkipped) {
  const std::string long_text(3 << 20, 'x');  // more than a block of the reader
  const auto become_pipe = [](const std::string& p) {
    fs::remove(p);
    ::mkfifo(p.c_str(), 0600);
  };
  const struct {
    const char* what;
    std::int16_t kind;
    std::function<void(const std::string&)> change;
    std::string found;
  } cases[] = {
      {"vanishes", kKindTextFiles, [](const std::string& p) { fs::remove(p); }, ""},
      {"shrinks", kKindTextFiles, [](const std::string& p) { Overwrite(p, "n@a"); }, "n@a"},
      {"grows", kKindTextFiles,
       [&](const std::string& p) { Overwrite(p, "o@a " + long_text + " n@b"); }, "o@a n@b"},
      {"becomes a folder", kKindTextFiles,
       [](const std::string& p) {
         fs::remove(p);
         fs::create_directory(p);
       },
       ""},
      // A pipe would block the reader until someone wrote to it; a device would never end.
      {"becomes a pipe", kKindTextFiles, become_pipe, ""},
      {"becomes a link to an endless device", kKindTextFiles,
       [](const std::string& p) {
         fs::remove(p);
         fs::create_symlink("/dev/urandom", p);
       },
       ""},
      {"store file shrinks", kKindStoreFiles,
       [](const std::string& p) { Overwrite(p, "ab@cdefgh.com"); }, "ab@cdefgh.com"},
      {"store file grows", kKindStoreFiles,
       [&](const std::string& p) { Overwrite(p, "ab@cdefgh.com " + long_text + " cd@efghij.com"); },
       "ab@cdefgh.com cd@efghij.com"},
      {"store file becomes a pipe", kKindStoreFiles, become_pipe, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    HarvestFixture h;
    h.kind = c.kind;
    const std::string name = c.kind == kKindStoreFiles ? "f.dbx" : "f.txt";
    const std::string file = h.tree.Write("a/" + name, "old@a old@b wx@yzabcd.com");
    WhenScanOf(h, name, [&] { c.change(file); });
    // The walk goes on after the changed file, whatever became of it.
    h.tree.Write(c.kind == kKindStoreFiles ? "b/g.dbx" : "b/g.txt", "ok@example.com");
    const std::string shown = WalkInChild(h);
    EXPECT_TRUE(shown == Joined({c.found, "ok@example.com"}) ||
                shown == Joined({"ok@example.com", c.found}))
        << shown;
  }
}

TEST(ExtractionFaults, AFolderRemovedDuringTheWalkCountsAsEmpty) {
  HarvestFixture h;
  // The scan folder's own files come first: the folders below are listed, not yet entered.
  h.tree.Write("first.txt", "");
  h.tree.Write("a/gone.txt", "lost@a");
  h.tree.Write("a/below/gone.txt", "lost@b");
  h.tree.Write("b/kept.txt", "kept@b");
  h.tree.Write("b/below/gone.txt", "lost@c");
  WhenScanOf(h, "first.txt", [&] {
    fs::remove_all(h.tree / "a");
    fs::remove_all(h.tree / "b/below");
  });
  h.WalkTree();
  EXPECT_EQ(h.Shown(), std::vector<std::string>{"kept@b"});
}

// The walk entered a folder by its path: one replaced by a link after its parent was listed
// led the walk out of the tree, up to the whole file system.
TEST(ExtractionFaults, AFolderReplacedByALinkAfterTheListingIsNotFollowed) {
  HarvestFixture h;
  ScratchFolder elsewhere;
  elsewhere.Write("outside.txt", "outside@x");
  elsewhere.Write("below/outside.txt", "outside@y");
  h.tree.Write("first.txt", "");
  h.tree.Write("a/inside.txt", "inside@a");
  h.tree.Write("b/kept.txt", "kept@b");
  WhenScanOf(h, "first.txt", [&] {
    fs::remove_all(h.tree / "a");
    fs::create_directory_symlink(elsewhere.Path(), h.tree / "a");
  });
  h.WalkTree();
  EXPECT_EQ(h.Shown(), std::vector<std::string>{"kept@b"});
}

// Files were opened by their whole path: a folder moved away and replaced by a link while
// its files were being read had the rest of them read from wherever the link led.
TEST(ExtractionFaults, TheFilesOfAFolderAreReadFromTheFolderAsListed) {
  HarvestFixture h;
  ScratchFolder elsewhere;
  for (const char* name : {"1.txt", "2.txt", "3.txt"}) {
    h.tree.Write(std::string("a/") + name, std::string("in") + name[0] + "@a");
    elsewhere.Write(name, std::string("out") + name[0] + "@x");
  }
  h.windows.onYield = [&, done = false]() mutable {
    if (done || h.windows.Caption(StatusLabel::kProc).rfind("Analisi di: ", 0) != 0) return;
    done = true;
    fs::rename(h.tree / "a", h.tree / "moved");
    fs::create_directory_symlink(elsewhere.Path(), h.tree / "a");
  };
  h.WalkTree();
  std::vector<std::string> shown = h.Shown();
  std::sort(shown.begin(), shown.end());
  EXPECT_EQ(shown, (std::vector<std::string>{"in1@a", "in2@a", "in3@a"}));
}

TEST(ExtractionFaults, AFolderMadeUnreadableDuringTheWalkCountsAsEmpty) {
  HarvestFixture h;
  if (!testing::MayActAsOrdinaryUser(h.tree.Path()))
    GTEST_SKIP() << "needs root, and a scratch folder other users may reach";
  h.tree.Write("a/first.txt", "first@a");
  h.tree.Write("a/closed/hidden.txt", "lost@a");
  h.tree.Write("a/unlisted/hidden.txt", "lost@b");
  h.tree.Write("a/unlisted/deeper/hidden.txt", "lost@c");
  h.tree.Write("a/unopenable/listed.txt", "lost@d");
  testing::GiveToOrdinaryUser(h.tree.Path());
  WhenScanOf(h, "first.txt", [&] {
    ::chmod((h.tree / "a/closed").c_str(), 0);
    ::chmod((h.tree / "a/unlisted").c_str(), 0300);    // may be entered, not listed
    ::chmod((h.tree / "a/unopenable").c_str(), 0600);  // may be listed, not entered
  });
  EXPECT_EQ(WalkInChild(h, RunAs::kOrdinaryUser), "first@a");
}

TEST(ExtractionFaults, AStoreFileThatCannotBeReadIsSkippedALockedOneIsRead) {
  HarvestFixture h;
  if (!testing::MayActAsOrdinaryUser(h.tree.Path()))
    GTEST_SKIP() << "needs root, and a scratch folder other users may reach";
  h.kind = kKindStoreFiles;
  const std::string unreadable = h.tree.Write("a/unreadable.dbx", "ab@cdefgh.com");
  const std::string locked = h.tree.Write("b/locked.dbx", "cd@efghij.com");
  testing::GiveToOrdinaryUser(h.tree.Path());
  testing::GiveToOrdinaryUser(h.out.Path());
  ::chmod(unreadable.c_str(), 0);
  const std::string shown = RunInChild(RunAs::kOrdinaryUser, [&] {
    // Locks on POSIX are advisory: another program's lock does not keep a reader out.
    const int holder = ::open(locked.c_str(), O_RDWR);
    if (holder < 0 || ::flock(holder, LOCK_EX) != 0) return std::string("no lock");
    h.WalkTree();
    return Joined(h.Shown());
  });
  EXPECT_EQ(shown, "cd@efghij.com");
  // The readable store file's copy stays; the unreadable one's is removed.
  std::vector<std::uintmax_t> sizes;
  for (const auto& entry : fs::directory_iterator(h.out.Path()))
    if (entry.path().filename().string().rfind("copy", 0) == 0) sizes.push_back(entry.file_size());
  EXPECT_EQ(sizes, (std::vector<std::uintmax_t>{13}));
}

// One extraction run of text files from `scan` into `output`.
struct Extraction {
  RunResult Extract(const std::string& scan, const std::string& output, int append = 0) {
    return RunExtraction(scan, output, kind, append, counters, windows);
  }
  RecordingWindowSystem windows;
  std::int16_t kind = kKindTextFiles;
  RunCounters counters;
};

// The files of `folder` other than `except`: what a failed rewrite might leave behind.
std::vector<std::string> Leftovers(const std::string& folder, const std::string& except) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename() != except) names.push_back(entry.path().filename());
  return names;
}

TEST(ExtractionFaults, AnOutputFolderMadeReadOnlyMidRunKeepsTheHarvestedList) {
  ScratchFolder scratch;
  if (!testing::MayActAsOrdinaryUser(scratch.Path()))
    GTEST_SKIP() << "needs root, and a scratch folder other users may reach";
  scratch.Write("scan/a.txt", "z@z a@a z@z");
  fs::create_directory(scratch / "out");
  testing::GiveToOrdinaryUser(scratch.Path());
  Extraction run;
  run.windows.onYield = [&] { ::chmod((scratch / "out").c_str(), 0555); };
  const std::string outcome = RunInChild(RunAs::kOrdinaryUser, [&] {
    const RunResult result = run.Extract(scratch / "scan", scratch / "out");
    return std::to_string(static_cast<int>(result.outcome)) + " " +
           std::to_string(static_cast<int>(result.elimination.outcome)) + " " +
           std::to_string(testing::NumberOf(result.elimination.failure));
  });
  EXPECT_EQ(outcome, std::to_string(static_cast<int>(RunOutcome::kCompleted)) + " " +
                         std::to_string(static_cast<int>(EliminationOutcome::kFailed)) + " " +
                         std::to_string(kFailureAccessDenied));
  EXPECT_EQ(ScratchFolder::Read(scratch / "out/MailOut.txt"), "z@z\r\na@a\r\nz@z\r\n");
  EXPECT_TRUE(Leftovers(scratch / "out", "MailOut.txt").empty());
}

}  // namespace
}  // namespace ondrel

namespace ondrel {
namespace {

// A folder of the tree swapped for a link to a look-alike tree outside, while the walk is
// reading a file in it: the walk goes on in the folder it opened, never outside.
TEST(ExtractionFaults, AFolderSwappedForALinkDuringTheWalkNeverLeadsOutOfTheTree) {
  const std::vector<std::string> levels = {"a/", "a/b/", "a/b/c/"};
  for (std::size_t swapped = 0; swapped < levels.size(); ++swapped) {
    SCOPED_TRACE(levels[swapped]);
    HarvestFixture h;
    ScratchFolder outside;
    for (std::size_t level = 0; level < levels.size(); ++level) {
      h.tree.Write(levels[level] + "f" + std::to_string(level) + ".txt",
                   "in" + std::to_string(level) + "@x.org");
      outside.Write(levels[level] + "f" + std::to_string(level) + ".txt",
                    "out" + std::to_string(level) + "@x.org");
    }
    const std::string folder = h.tree / levels[swapped];
    const std::string trigger = "Analisi di: f" + std::to_string(swapped) + ".txt";
    bool done = false;
    h.windows.onYield = [&] {
      if (done || h.windows.Caption(StatusLabel::kProc) != trigger) return;
      done = true;
      const std::string name = folder.substr(0, folder.size() - 1);
      fs::rename(name, name + "-moved");
      fs::create_directory_symlink(outside / levels[swapped], name);
    };
    h.WalkTree();
    ASSERT_TRUE(done);
    EXPECT_EQ(h.Shown(), (std::vector<std::string>{"in0@x.org", "in1@x.org", "in2@x.org"}));
  }
}

// A file that cannot be read costs its addresses: the run goes on, and says which and why.
TEST(ExtractionFaults, EveryFileThatCannotBeReadIsReportedWithItsReason) {
  ScratchFolder scratch;
  scratch.Write("scan/a.dbx", "a@b.org");
  scratch.Write("scan/sub/b.dbx", "c@d.org");
  fs::create_directory(scratch / "out");
  const char* saved = std::getenv("TEMP");
  const std::string kept = saved != nullptr ? saved : "";
  ::setenv("TEMP", (scratch / "missing").c_str(), 1);  // no room for the copies
  RecordingWindowSystem windows;
  RunCounters counters;
  const std::int16_t kind = kKindStoreFiles;
  const RunResult result =
      RunExtraction(scratch / "scan", scratch / "out", kind, 0, counters, windows);
  if (saved != nullptr) {
    ::setenv("TEMP", kept.c_str(), 1);
  } else {
    ::unsetenv("TEMP");
  }
  EXPECT_EQ(result.outcome, RunOutcome::kCompleted);
  ASSERT_EQ(result.skippedFiles.size(), 2u);
  EXPECT_EQ(result.skippedFiles[0].path, scratch / "scan/a.dbx");
  EXPECT_EQ(result.skippedFiles[1].path, scratch / "scan/sub/b.dbx");
  for (const SkippedFile& skipped : result.skippedFiles)
    EXPECT_TRUE(testing::Contains(skipped.reason, "Impossibile creare la copia temporanea"))
        << skipped.reason;
}

}  // namespace
}  // namespace ondrel
