// Extraction on several threads against the run on one thread: the same MailOut.txt, counts,
// closing texts, messages and failures, whatever the number of threads.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "cli/random_tree.h"
#include "common/child_process.h"
#include "common/failure_fields.h"
#include "common/faulty_file_system.h"
#include "common/recording_window_system.h"
#include "common/test_files.h"
#include "engine/extraction_run.h"

namespace ondrel::testing {
namespace {

namespace fs = std::filesystem;

// Everything a run leaves behind that a user can see.
struct RunRecord {
  RunOutcome outcome;
  std::int32_t failureNumber;
  std::string failureDescription;
  EliminationOutcome elimination;
  std::int32_t found, total, duplicates;
  std::string mail, res;
  std::vector<std::string> messages;
  std::vector<std::string> shown;    // every caption, in order
  std::vector<std::string> skipped;  // path and reason
  std::string output;                // MailOut.txt
};

// `text` with the names of temporary copies, which differ from run to run, left out.
std::string TempNamesMasked(const std::string& text) {
  static const std::regex kTempName("~Qz[^\"]*");
  return std::regex_replace(text, kTempName, "~Qz");
}

void ExpectSame(const RunRecord& one, const RunRecord& many) {
  EXPECT_EQ(one.outcome, many.outcome);
  EXPECT_EQ(one.failureNumber, many.failureNumber);
  EXPECT_EQ(one.failureDescription, many.failureDescription);
  EXPECT_EQ(one.elimination, many.elimination);
  EXPECT_EQ(one.found, many.found);
  EXPECT_EQ(one.total, many.total);
  EXPECT_EQ(one.duplicates, many.duplicates);
  EXPECT_EQ(one.mail, many.mail);
  EXPECT_EQ(one.res, many.res);
  EXPECT_EQ(one.messages, many.messages);
  EXPECT_EQ(one.shown, many.shown);
  EXPECT_EQ(one.skipped, many.skipped);
  EXPECT_TRUE(one.output == many.output) << "MailOut.txt differs: " << one.output.size()
                                         << " bytes on one thread, " << many.output.size();
}

class ParallelExtraction : public ::testing::Test {
 protected:
  ParallelExtraction() {
    if (const char* temp = std::getenv("TEMP")) savedTemp_ = temp;
    // Store files are copied here, not into the machine's temporary folder.
    ::setenv("TEMP", copies_.Path().c_str(), 1);
  }
  ~ParallelExtraction() override {
    if (savedTemp_) {
      ::setenv("TEMP", savedTemp_->c_str(), 1);
    } else {
      ::unsetenv("TEMP");
    }
  }

  // Runs over `tree` with `jobs` threads; MailOut.txt holds `earlier` before the run.
  RunRecord Run(std::int16_t kind, int append, int jobs, const std::string& earlier = "") {
    const std::string mailOut = out_ / "MailOut.txt";
    if (!fs::is_symlink(mailOut)) out_.Write("MailOut.txt", earlier);
    RecordingWindowSystem windows;
    RunCounters counters;
    HarvestOptions options;
    options.jobs = jobs;
    const RunResult result =
        RunExtraction(tree_.Path(), out_.Path(), kind, append, counters, windows, options);
    RunRecord record{result.outcome,
                     NumberOf(result.failure),
                     DescriptionOf(result.failure),
                     result.elimination.outcome,
                     counters.AddressesFound,
                     counters.TotalLines,
                     counters.DuplicatesRemoved,
                     windows.Caption(StatusLabel::kMail),
                     windows.Caption(StatusLabel::kRes),
                     {},
                     {},
                     {},
                     fs::is_symlink(mailOut) ? "" : ScratchFolder::Read(mailOut)};
    for (const auto& message : windows.messages) record.messages.push_back(message.text);
    for (const auto& caption : windows.captions) record.shown.push_back(caption.text);
    for (const SkippedFile& skipped : result.skippedFiles)
      record.skipped.push_back(skipped.path + ": " + TempNamesMasked(skipped.reason));
    return record;
  }

  // Runs with 1, 2 and 7 threads and expects the same of all three.
  void ExpectSameForEveryThreadCount(std::int16_t kind, int append,
                                     const std::string& earlier = "") {
    const RunRecord one = Run(kind, append, 1, earlier);
    for (const int jobs : {2, 7}) {
      SCOPED_TRACE("kind " + std::to_string(kind) + ", append " + std::to_string(append) +
                   ", jobs " + std::to_string(jobs));
      ExpectSame(one, Run(kind, append, jobs, earlier));
    }
  }

  // Runs ondrel-cli extract --kind text with --jobs 1, 2 and 7 and expects the same status
  // (`status` the first time), output, messages and MailOut.txt of all three.
  // The built program, or, with `files`, the command run in this process through them.
  void ExpectSameCommandForEveryThreadCount(int status, FaultyFileSystem* files = nullptr) {
    CliRun first;
    std::string firstOutput;
    for (const char* jobs : {"1", "2", "7"}) {
      SCOPED_TRACE(std::string("--jobs ") + jobs);
      const std::vector<std::string> arguments = {"extract", "--kind",     "text",     "--jobs",
                                                  jobs,      tree_.Path(), out_.Path()};
      const CliRun run = files ? RunCommandInProcess(arguments, *files) : RunCli(arguments);
      const std::string output = ScratchFolder::Read(out_ / "MailOut.txt");
      if (first.status == -1) {
        EXPECT_EQ(run.status, status) << run.err;
        first = run;
        firstOutput = output;
        continue;
      }
      EXPECT_EQ(run.status, first.status);
      EXPECT_EQ(run.out, first.out);
      EXPECT_EQ(run.err, first.err);
      EXPECT_TRUE(output == firstOutput);
    }
  }

  ScratchFolder tree_, out_, copies_;
  std::optional<std::string> savedTemp_;
};

constexpr const char* kEarlier = "zeta@example.com\r\nanna@example.com\r\nold";

TEST_F(ParallelExtraction, GivesWhatOneThreadGivesForEveryKind) {
  RandomTree random(7);
  random.Fill(tree_, 80, 2);
  for (const std::int16_t kind : {kKindWebPages, kKindTextFiles, kKindStoreFiles}) {
    for (const int append : {0, 1}) ExpectSameForEveryThreadCount(kind, append, kEarlier);
  }
}

TEST_F(ParallelExtraction, AtTheDepthLimitHarvestsTheFilesBeforeTheFailingFolderAndNoMore) {
  RandomTree random(11);
  std::string chain = "m/";
  tree_.Write("m/before.txt", random.Content(200));
  for (int level = 2; level <= 101; ++level) {
    chain += "d/";
    tree_.Write(chain + "f.txt", random.Content(30));
  }
  tree_.Write("z/after.txt", random.Content(200));  // walked after "m" or before it
  tree_.Write("top.txt", random.Content(200));
  const RunRecord one = Run(kKindTextFiles, 0, 1);
  ASSERT_EQ(one.outcome, RunOutcome::kFailed);
  ASSERT_NE(one.output, "");
  for (const int jobs : {2, 7}) ExpectSame(one, Run(kKindTextFiles, 0, jobs));
}

TEST_F(ParallelExtraction, AWriteFailurePartWayLeavesTheSameWholeLines) {
  RandomTree random(5);
  random.Fill(tree_, 40, 3);
  // Writes past 150 KiB fail with EFBIG instead of ending the process.
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit limited = saved;
  limited.rlim_cur = 150 * 1024;
  ::setrlimit(RLIMIT_FSIZE, &limited);
  const RunRecord one = Run(kKindTextFiles, 0, 1);
  const RunRecord two = Run(kKindTextFiles, 0, 2);
  const RunRecord seven = Run(kKindTextFiles, 0, 7);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  ASSERT_EQ(one.outcome, RunOutcome::kFailed);
  ASSERT_GT(one.output.size(), 64u * 1024);
  ExpectSame(one, two);
  ExpectSame(one, seven);
}

TEST_F(ParallelExtraction, AnOutputThatTakesNothingFailsAlike) {
  RandomTree random(3);
  random.Fill(tree_, 20);
  ASSERT_EQ(::symlink("/dev/full", (out_ / "MailOut.txt").c_str()), 0);
  const RunRecord one = Run(kKindTextFiles, 0, 1);
  ASSERT_EQ(one.outcome, RunOutcome::kFailed);
  ExpectSame(one, Run(kKindTextFiles, 0, 2));
}

TEST_F(ParallelExtraction, StoreFilesWithoutACopyAreSkippedAlike) {
  RandomTree random(13);
  random.Fill(tree_, 40);
  ::setenv("TEMP", (copies_ / "missing").c_str(), 1);
  ASSERT_FALSE(Run(kKindStoreFiles, 0, 1).skipped.empty());
  ExpectSameForEveryThreadCount(kKindStoreFiles, 0);
}

TEST_F(ParallelExtraction, FilesAndFoldersThatCannotBeReadAreReportedAlike) {
  RandomTree random(23);
  random.Fill(tree_, 60, 1);
  FaultyFileSystem files;
  for (const auto& entry : fs::recursive_directory_iterator(tree_.Path())) {
    if (random.Pick(6) == 0) files.Deny(entry.path().string() + (entry.is_directory() ? "/" : ""));
  }
  ExpectSameCommandForEveryThreadCount(3, &files);
}

TEST_F(ParallelExtraction, RandomTreesKindsAndThreadCounts) {
  RandomTree random(2024);
  for (int round = 0; round < 12; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    fs::remove_all(tree_.Path());
    fs::create_directories(tree_.Path());
    random.Fill(tree_, 1 + random.Pick(40), random.Pick(2));
    const auto kind = static_cast<std::int16_t>(random.Pick(3));
    const int append = random.Pick(2);
    const int jobs = 2 + random.Pick(7);
    SCOPED_TRACE("kind " + std::to_string(kind) + ", append " + std::to_string(append) + ", jobs " +
                 std::to_string(jobs));
    ExpectSame(Run(kind, append, 1, kEarlier), Run(kind, append, jobs, kEarlier));
  }
}

TEST_F(ParallelExtraction, TheCommandPrintsAndLeavesTheSameForAnyJobs) {
  RandomTree random(31);
  random.Fill(tree_, 30, 1);
  ExpectSameCommandForEveryThreadCount(0);
}

// What the line shows in between is what a run on one thread shows (see the captions above).
TEST_F(ParallelExtraction, OnATerminalTheLineShowsTheFileRead) {
  tree_.Write("a.txt", "anna@example.com\n");
  const CliRun run = RunCli({"extract", "--kind", "text", "--jobs", "2", tree_.Path(), out_.Path()},
                            OnTerminal({"TERM=xterm"}));
  EXPECT_EQ(run.status, 0) << run.terminal;
  EXPECT_TRUE(Contains(run.terminal, "\rAnalisi di: a.txt")) << run.terminal;
}

TEST_F(ParallelExtraction, CtrlCEndsTheRunAsOnOneThreadLeavingWholeLines) {
  RandomTree random(41);
  random.Fill(tree_, 30, 2);
  std::vector<int> statuses;
  for (const char* jobs : {"1", "2"}) {
    SCOPED_TRACE(std::string("--jobs ") + jobs);
    out_.Write("MailOut.txt", "");
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    // With the terminal's output stopped, the first drawing of the progress line blocks: the
    // harvest is under way when the interrupt arrives.
    PseudoTerminal terminal;
    terminal.StopOutput();
    const int pid =
        StartCli({"extract", "--kind", "text", "--jobs", jobs, tree_.Path(), out_.Path()},
                 OnTerminal({"TERM=xterm"}), ::fileno(out), terminal.Child());
    terminal.CloseChildEnd();
    ASSERT_TRUE(WaitUntilBlockedWriting(pid, 2));
    ASSERT_EQ(::kill(pid, SIGINT), 0);
    terminal.ResumeOutput();
    terminal.ReadAll();
    statuses.push_back(WaitForExit(pid));
    std::fclose(out);
    const std::string output = ScratchFolder::Read(out_ / "MailOut.txt");
    EXPECT_TRUE(output.empty() || output.ends_with("\r\n"));
  }
  EXPECT_EQ(statuses[0], statuses[1]);
  EXPECT_NE(statuses[0], 0);
}

}  // namespace
}  // namespace ondrel::testing
