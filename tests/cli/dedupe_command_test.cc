// ondrel-cli dedupe: the result line, with the memory it may take too, a missing list, Ctrl-C
// while the progress dialog is up, and the gauge on a terminal.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_runner.h"
#include "common/generated_lists.h"
#include "common/path_rules.h"
#include "common/test_files.h"
#include "common/test_platform.h"

namespace ondrel::testing {
namespace {

TEST(DedupeCommandTest, SortsTheListInPlaceAndPrintsItsCounts) {
  struct Case {
    const char* list;
    const char* sorted;
    const char* counts;
  };
  const Case cases[] = {
      {"b\r\na\r\nb\r\nC\r\na\r\n", "C\r\na\r\nb\r\n", "Righe lette: 5   Doppi: 2   Scritte: 3"},
      {"b\n*\na", "a\r\nb\r\n", "Righe lette: 3   Doppi: 0   Scritte: 2"},
      {"", "", "Righe lette: 0   Doppi: 0   Scritte: 0"},
  };
  for (const Case& c : cases) {
    ScratchFolder scratch;
    const std::string list = scratch.Write("list.txt", c.list);
    const CliRun run = RunCli({"dedupe", list});
    SCOPED_TRACE(c.list);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string(c.counts) + "\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ScratchFolder::Read(list), c.sorted);
  }
}

// The same list and counts, through temporary files, with less memory than the list takes.
TEST(DedupeCommandTest, WithLessMemoryThanTheListSortsItTheSame) {
  const std::string bytes = UnorderedAddresses(120000, "\r\n") + UnorderedAddresses(60000, "\n");
  ScratchFolder inMemory, beyond;
  const std::string expected = inMemory.Write("list.txt", bytes);
  const std::string list = beyond.Write("list.txt", bytes);
  const CliRun reference = RunCli({"dedupe", expected});
  const CliRun run = RunCli({"dedupe", "--memory", "1M", list});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Righe lette: 180000   Doppi: 60000   Scritte: 120000\n");
  EXPECT_EQ(run.out, reference.out);
  EXPECT_TRUE(ScratchFolder::Read(list) == ScratchFolder::Read(expected));
  EXPECT_EQ(NamesIn(beyond.Path()), std::vector<std::string>{"list.txt"});
}

TEST(DedupeCommandTest, AMissingListOrOneThatIsNoPlainFileIsRefusedAsWhatItIs) {
  ScratchFolder scratch;
  const std::string missing = "Il file da ordinare non esiste";
  const std::string notPlain = "Il file da ordinare non e` un file normale";
  std::vector<std::pair<std::string, std::string>> cases = {
      {scratch / "missing.txt", missing}, {"", missing}, {scratch.Path(), notPlain}};
  if (MakeFifo(scratch / "pipe")) cases.push_back({scratch / "pipe", notPlain});
  for (const auto& [list, said] : cases) {
    const CliRun run = RunCli({"dedupe", list});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(Contains(run.err, said)) << run.err;
  }
  EXPECT_EQ(NamesIn(scratch.Path()).size(), cases.size() - 3);
}

TEST(DedupeCommandTest, CtrlCWhileTheDialogIsUpStopsAndLeavesTheListAsItWas) {
  if (kWindowsPlatform) GTEST_SKIP() << "no pseudo-terminal to stop the program's output on";
  ScratchFolder scratch;
  const std::string original = "b\r\na\r\nb\r\nC\r\na\n";
  const std::string list = scratch.Write("list.txt", original);
  std::FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);

  // With the terminal's output stopped, the program's first drawing of the dialog blocks:
  // the dialog is up and its Ctrl-C handling in place when the interrupt arrives.
  PseudoTerminal terminal;
  terminal.StopOutput();
  const int pid =
      StartCli({"dedupe", list}, OnTerminal({"TERM=xterm"}), ::fileno(out), terminal.Child());
  terminal.CloseChildEnd();
  ASSERT_TRUE(WaitUntilBlockedWriting(pid, 2));
  ASSERT_TRUE(SendInterrupt(pid));
  terminal.ResumeOutput();
  const std::string shown = terminal.ReadAll();
  const int status = WaitForExit(pid);
  std::fclose(out);

  EXPECT_EQ(status, 1) << shown;
  EXPECT_TRUE(Contains(shown, "Eliminazione doppi annullata")) << shown;
  EXPECT_EQ(ScratchFolder::Read(list), original);
  EXPECT_EQ(NamesIn(scratch.Path()), std::vector<std::string>{"list.txt"});
}

TEST(DedupeCommandTest, OnATerminalTheGaugeIsDrawnInColourUnlessColoursAreOff) {
  if (kWindowsPlatform) GTEST_SKIP() << "no pseudo-terminal for the program's standard error";
  struct Case {
    const char* term;
    const char* noColor;
    const char* emptyBar;  // how the bar looks before anything is painted
    bool colours;
    bool escapes;  // whether any escape sequence may appear at all
  };
  const Case cases[] = {
      {"TERM=xterm", "NO_COLOR=", "ordinamento \x1b[47m   ", true, true},
      {"TERM=xterm", "NO_COLOR=1", "ordinamento ....", false, true},
      {"TERM=dumb", "NO_COLOR=", "ordinamento ....", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.term) + " " + c.noColor);
    ScratchFolder scratch;
    const std::string list = scratch.Write("list.txt", "b\r\na\r\n");
    const CliRun run = RunCli({"dedupe", list}, OnTerminal({c.term, c.noColor}));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Righe lette: 2   Doppi: 0   Scritte: 2\n");
    EXPECT_TRUE(Contains(run.terminal, "\rEliminazione doppi ed ordinamento ")) << run.terminal;
    EXPECT_TRUE(Contains(run.terminal, c.emptyBar)) << run.terminal;
    EXPECT_EQ(Contains(run.terminal, "\x1b[4"), c.colours) << run.terminal;
    EXPECT_EQ(Contains(run.terminal, "\x1b"), c.escapes) << run.terminal;
  }
}

}  // namespace
}  // namespace ondrel::testing
