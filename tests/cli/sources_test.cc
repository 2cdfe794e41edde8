// The provenance table of extract --sources: its rows against a plain restatement on random
// trees, its replacement, and the refusal of a path that names MailOut.txt.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_runner.h"
#include "cli/random_tree.h"
#include "common/failure_fields.h"
#include "common/line_writer.h"
#include "common/literal_lines.h"
#include "common/read_buffer.h"
#include "common/recording_window_system.h"
#include "common/test_files.h"
#include "common/text_reader.h"
#include "engine/extraction_run.h"
#include "engine/folder_walk.h"
#include "engine/literal_scan.h"

namespace ondrel::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSourcesOverOutput =
    "Il file delle provenienze non puo` essere il file con le mail estratte (MailOut.txt)";

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// The files of `scan` that a run of `kind` reads, in walk order.
std::vector<std::string> WalkOrder(const std::string& scan, std::int16_t kind) {
  RecordingWindowSystem windows;
  WindowProgress progress(windows);
  ScanState state(kind, progress, SystemFileSystem(), std::nullopt);
  std::vector<std::string> files;
  std::string folder = scan;
  ScanFolderTree(folder, state, [&](const FilePlace& place) { files.push_back(place.path); });
  return files;
}

// The table restated: every file read line by line, every line cut into tokens, each token
// with an "@" isolated; store files read as their text copy.
std::string RestatedSources(const std::string& scan, std::int16_t kind,
                            const ScratchFolder& scratch) {
  const std::vector<std::string> files = WalkOrder(scan, kind);
  std::map<std::pair<std::string, std::size_t>, std::pair<std::uint64_t, std::uint64_t>> rows;
  for (std::size_t file = 0; file < files.size(); ++file) {
    std::string read = files[file];
    if (kind == kKindStoreFiles) {
      std::string text = ScratchFolder::Read(read);
      for (char& c : text) {
        if (c == '\0') c = ' ';
        if (c >= 0 && c < 32 && c != '\r' && c != '\n') c = 31;
      }
      read = scratch.Write("copy.txt", text);
    }
    std::uint64_t number = 0;
    for (const std::string& line : LiteralLinesOf(read)) {
      ++number;
      std::vector<std::string> found;
      LiteralLineAddresses(line, kind, found);
      for (const std::string& address : found) {
        auto& [first, count] = rows[{address, file}];
        if (count++ == 0) first = number;
      }
    }
  }
  std::string csv = "address,file,line,count\r\n";
  for (const auto& [key, value] : rows) {
    csv += CsvField(key.first) + "," + CsvField(files[key.second]) + "," +
           std::to_string(value.first) + "," + std::to_string(value.second) + "\r\n";
  }
  return csv;
}

class Sources : public ::testing::Test {
 protected:
  Sources() {
    if (const char* temp = std::getenv("TEMP")) savedTemp_ = temp;
    ::setenv("TEMP", copies_.Path().c_str(), 1);
  }
  ~Sources() override {
    if (savedTemp_) {
      ::setenv("TEMP", savedTemp_->c_str(), 1);
    } else {
      ::unsetenv("TEMP");
    }
  }

  RunResult Run(std::int16_t kind, int append, int jobs, const std::string& sources) {
    RecordingWindowSystem windows;
    RunCounters counters;
    HarvestOptions options;
    options.jobs = jobs;
    options.sourcesPath = sources;
    return RunExtraction(tree_.Path(), out_.Path(), kind, append, counters, windows, options);
  }
  std::string MailOut() const { return out_ / "MailOut.txt"; }

  ScratchFolder tree_, out_, copies_, work_;
  std::optional<std::string> savedTemp_;
};

TEST_F(Sources, RowsAreThoseOfAPlainRestatementForEveryKindAndThreadCount) {
  RandomTree random(99);
  random.Fill(tree_, 70, 1);
  for (const std::int16_t kind : {kKindWebPages, kKindTextFiles, kKindStoreFiles}) {
    const std::string expected = RestatedSources(tree_.Path(), kind, work_);
    out_.Write("MailOut.txt", "");
    ASSERT_EQ(Run(kind, 0, 1, "").outcome, RunOutcome::kCompleted);
    const std::string plainOutput = ScratchFolder::Read(MailOut());
    for (const int jobs : {1, 3}) {
      for (const int append : {0, 1}) {
        SCOPED_TRACE("kind " + std::to_string(kind) + ", jobs " + std::to_string(jobs) +
                     ", append " + std::to_string(append));
        out_.Write("MailOut.txt", "earlier@example.com\r\n");
        ASSERT_EQ(Run(kind, append, jobs, work_ / "sources.csv").outcome, RunOutcome::kCompleted);
        EXPECT_TRUE(ScratchFolder::Read(work_ / "sources.csv") == expected);
        if (append == 0) {
          EXPECT_TRUE(ScratchFolder::Read(MailOut()) == plainOutput);
        }
      }
    }
  }
}

TEST_F(Sources, LinesAreCountedAcrossReadsAndLineEndsOfEveryKind) {
  // Longer than a read, so that lines and a CR LF fall across two reads.
  std::string text(ReadBuffer::kBlockSize - 1, 'x');
  text += "\r\nfirst@example.com\rsecond@example.com\n\nthird@example.com\r\n";
  text += "first@example.com;\r\n";
  tree_.Write("a.txt", text);
  ASSERT_EQ(Run(kKindTextFiles, 0, 2, work_ / "s.csv").outcome, RunOutcome::kCompleted);
  const std::string path = tree_ / "a.txt";
  EXPECT_EQ(ScratchFolder::Read(work_ / "s.csv"),
            "address,file,line,count\r\nfirst@example.com," + path + ",2,2\r\nsecond@example.com," +
                path + ",3,1\r\nthird@example.com," + path + ",5,1\r\n");
}

TEST_F(Sources, ReplacesTheTableOnlyWhenTheWholeTreeWasHarvested) {
  tree_.Write("a.txt", "anna@example.com\r\n");
  const std::string sources = work_.Write("sources.csv", "old table\r\n");
  ::chmod(sources.c_str(), 0640);
  ASSERT_EQ(Run(kKindTextFiles, 0, 2, sources).outcome, RunOutcome::kCompleted);
  EXPECT_EQ(ScratchFolder::Read(sources),
            "address,file,line,count\r\nanna@example.com," + tree_ / "a.txt" + ",1,1\r\n");
  EXPECT_EQ(fs::status(sources).permissions(), fs::perms(0640));

  // A run that fails at the depth limit leaves the table as it was, and nothing beside it.
  work_.Write("sources.csv", "old table\r\n");
  std::string chain;
  for (int level = 1; level <= 100; ++level) chain += "d/";
  tree_.Write(chain + "b.txt", "bruno@example.com\r\n");
  EXPECT_EQ(Run(kKindTextFiles, 0, 2, sources).outcome, RunOutcome::kFailed);
  EXPECT_EQ(ScratchFolder::Read(sources), "old table\r\n");
  EXPECT_EQ(NamesIn(work_.Path()), std::vector<std::string>{"sources.csv"});
}

TEST_F(Sources, APlaceThatCannotTakeTheTableFailsTheRunBeforeMailOutIsTouched) {
  tree_.Write("a.txt", "anna@example.com\r\n");
  out_.Write("MailOut.txt", "earlier@example.com\r\n");
  fs::create_directory(work_ / "folder");
  const struct {
    std::string sources;
    const char* reason;
  } cases[] = {
      {work_ / "missing/sources.csv", "file o cartella inesistente"},
      {work_ / "folder", "non e` un file normale"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sources);
    const RunResult result = Run(kKindTextFiles, 0, 2, c.sources);
    EXPECT_EQ(result.outcome, RunOutcome::kFailed);
    EXPECT_TRUE(Contains(DescriptionOf(result.failure), c.reason)) << DescriptionOf(result.failure);
    EXPECT_EQ(ScratchFolder::Read(MailOut()), "earlier@example.com\r\n");
  }
}

TEST_F(Sources, APathThatNamesMailOutIsRefusedHoweverSpelled) {
  tree_.Write("a.txt", "anna@example.com\r\n");
  const std::string out = out_.Path();
  fs::create_directory_symlink(out, work_ / "link-to-out");
  fs::create_symlink(MailOut(), work_ / "link-to-mailout");
  struct Case {
    std::string sources;
    bool mailOutExists;
  };
  const Case cases[] = {
      {out + "MailOut.txt", true},
      {out + "MailOut.txt", false},
      {out + "./MailOut.txt", true},
      {out + "../" + fs::path(out).parent_path().filename().string() + "/MailOut.txt", false},
      {work_ / "link-to-out/MailOut.txt", false},
      {work_ / "link-to-mailout", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sources + (c.mailOutExists ? " (MailOut.txt there)" : ""));
    fs::remove(MailOut());
    if (c.mailOutExists) out_.Write("MailOut.txt", "earlier@example.com\r\n");
    const CliRun run =
        RunCli({"extract", "--kind", "text", "--sources", c.sources, tree_.Path(), out});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Contains(run.err, kSourcesOverOutput)) << run.err;
    EXPECT_EQ(run.out, "");
    if (c.mailOutExists) {
      EXPECT_EQ(ScratchFolder::Read(MailOut()), "earlier@example.com\r\n");
    } else {
      EXPECT_FALSE(fs::exists(MailOut()));
    }
  }
  // Another name in the same folder is no clash.
  const CliRun run =
      RunCli({"extract", "--kind", "text", "--sources=" + out + "Sources.csv", tree_.Path(), out});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(fs::exists(out + "Sources.csv"));
}

}  // namespace
}  // namespace ondrel::testing
