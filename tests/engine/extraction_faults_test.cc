// Faults during an extraction made for real with POSIX means: files that become pipes, links
// or devices under the walk, folders swapped for links to a look-alike tree, locks, and a
// temporary folder that is missing. The file system is changed at a chosen yield. The faults
// that any machine can make through the file-system double are in walk_faults_test.cc.
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
std::string WalkInChild(HarvestFixture& h) {
  return RunInChild(RunAs::kSameUser, [&h] {
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

// Locks on POSIX are advisory: another program's lock does not keep the walk out.
TEST(ExtractionFaults, ALockedStoreFileIsRead) {
  HarvestFixture h;
  h.kind = kKindStoreFiles;
  const std::string locked = h.tree.Write("b/locked.dbx", "cd@efghij.com");
  const std::string shown = RunInChild(RunAs::kSameUser, [&] {
    const int holder = ::open(locked.c_str(), O_RDWR);
    if (holder < 0 || ::flock(holder, LOCK_EX) != 0) return std::string("no lock");
    h.WalkTree();
    return Joined(h.Shown());
  });
  EXPECT_EQ(shown, "cd@efghij.com");
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
