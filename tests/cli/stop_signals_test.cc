// Stop signals sent to a running ondrel-cli at the moment its work is at risk: loops with a
// fixed count, each signal sent once the child is seen at that moment.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "cli/cli_runner.h"
#include "cli/interrupt_as_stop.h"
#include "common/generated_lists.h"
#include "common/test_files.h"

namespace ondrel::testing {
namespace {

namespace fs = std::filesystem;

// The first name in `folder` that starts with `prefix`, or the empty text.
std::string EntryStartingWith(const std::string& folder, const std::string& prefix) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with(prefix)) return name;
  }
  return {};
}

// Whether the child `pid` has not ended yet; an ended one is left to WaitForExit.
bool Running(int pid) {
  siginfo_t info{};
  return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
         info.si_pid == 0;
}

// Runs ondrel-cli with its output thrown away, without waiting.
int Start(const std::vector<std::string>& arguments) {
  const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  const int pid = StartCli(arguments, {}, null, null);
  ::close(null);
  return pid;
}

long SizeOf(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? static_cast<long>(info.st_size) : -1;
}

TEST(InterruptAsStop, TermAndHangUpAreStopRequestsLikeCtrlC) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    cli::InterruptAsStop interrupt;
    EXPECT_FALSE(interrupt.Requested());
    ::raise(signal);
    EXPECT_TRUE(interrupt.Requested()) << signal;
    {
      cli::InterruptAsStop inner;  // a dialog shown later still sees the stop
      EXPECT_TRUE(inner.Requested()) << signal;
    }
  }
}

TEST(StopSignals, DuringDedupeLeaveTheListWholeAndNoTemporaryFile) {
  ScratchFolder scratch;
  std::string bytes;
  for (int i = 0; i < 200000; ++i) bytes += "user" + std::to_string(i * 7 % 200000) + "@x.org\r\n";
  const int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
  int caught = 0;
  for (int round = 0; round < 6; ++round) {
    const std::string list = scratch.Write("list.txt", bytes);
    const int pid = Start({"dedupe", list});
    // The temporary file beside the list exists only while the sorted list is written.
    bool seen = false;
    while (!seen && Running(pid)) seen = !EntryStartingWith(scratch.Path(), ".ondrel-").empty();
    if (seen) {
      ::kill(pid, kSignals[round % 3]);
      ++caught;
    }
    const int status = WaitForExit(pid);
    SCOPED_TRACE("round " + std::to_string(round));
    EXPECT_TRUE(status == 0 || status == 1) << status;
    if (status == 1) {
      EXPECT_TRUE(ScratchFolder::Read(list) == bytes);
    }
    EXPECT_EQ(NamesIn(scratch.Path()), std::vector<std::string>{"list.txt"});
  }
  if (caught == 0) GTEST_SKIP() << "every elimination ended before it was seen writing";
}

// Beyond the memory given, the lists are worked through in temporary files: a signal at any
// moment, sent a little later in each round, leaves none of them.
TEST(StopSignals, BeyondTheMemoryGivenLeaveTheListsWholeAndNoTemporaryFile) {
  ScratchFolder scratch;
  const std::string bytes = UnorderedAddresses(300000, "\r\n") + UnorderedAddresses(100000, "\n");
  const std::string base = scratch.Write("base.txt", UnorderedAddresses(200000, "\r\n"));
  const int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
  int caught = 0;
  for (int round = 0; round < 8; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const std::string list = scratch.Write("list.txt", bytes);
    const bool dedupe = round % 2 == 0;
    const int pid =
        Start(dedupe ? std::vector<std::string>{"dedupe", "--memory", "1M", list}
                     : std::vector<std::string>{"subtract", "--memory", "1M", base, list});
    bool seen = false;
    while (!seen && Running(pid)) seen = !EntryStartingWith(scratch.Path(), ".ondrel-").empty();
    if (seen) {
      ::usleep(static_cast<useconds_t>(round / 2 * 40000));
      ::kill(pid, kSignals[round % 3]);
      ++caught;
    }
    const int status = WaitForExit(pid);
    EXPECT_TRUE(status == 0 || status == 1) << status;
    EXPECT_TRUE(ScratchFolder::Read(list) == bytes || (dedupe && status == 0));
    EXPECT_EQ(EntryStartingWith(scratch.Path(), ".ondrel-"), "");
    fs::remove(scratch / "MailNew.txt");
  }
  if (caught == 0) GTEST_SKIP() << "every run ended before it was seen writing";
}

TEST(StopSignals, CtrlCDuringAnExtractionLeavesWholeLines) {
  ScratchFolder scratch;
  for (int file = 0; file < 40; ++file)
    scratch.Write("scan/f" + std::to_string(file) + ".txt", UnorderedAddresses(5000, " "));
  fs::create_directory(scratch / "out");
  const std::string mail_out = scratch / "out/MailOut.txt";
  int caught = 0;
  for (int round = 0; round < 4; ++round) {
    fs::remove(mail_out);
    const int pid = Start({"extract", "--kind", "text", scratch / "scan", scratch / "out"});
    bool seen = false;
    while (!seen && Running(pid)) seen = SizeOf(mail_out) > 0;
    if (seen) {
      ::kill(pid, SIGINT);
      ++caught;
    }
    const int status = WaitForExit(pid);
    SCOPED_TRACE("round " + std::to_string(round));
    EXPECT_TRUE(status == 0 || status == 1) << status;
    const std::string written = ScratchFolder::Read(mail_out);
    EXPECT_TRUE(written.empty() || written.ends_with("\r\n"));
    EXPECT_EQ(written.find("@\r\n"), std::string::npos);
  }
  if (caught == 0) GTEST_SKIP() << "every run ended before it was seen writing";
}

}  // namespace
}  // namespace ondrel::testing
