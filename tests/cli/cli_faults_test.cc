// ondrel-cli meeting a full disk or a folder it may not write: it says what failed, exits
// with 1, and every list is left whole.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "common/child_process.h"
#include "common/failure.h"
#include "common/generated_lists.h"
#include "common/test_files.h"
#include "lists/small_file_system.h"

namespace ondrel::testing {
namespace {

namespace fs = std::filesystem;

const std::string kFullDisk = "errore " + std::to_string(kFailureNoSpace) + ":";
// A run's failed closing elimination says what the output holds, and prints no counts of
// a sorted list that does not exist.
const std::string kUnsorted = "MailOut.txt contiene gli indirizzi scritti, non ordinati";
const std::string kUnchanged = "Il file non e` stato modificato.";

// A scratch folder with a small file system on its "small" folder.
class CliFaultsTest : public ::testing::Test {
 protected:
  CliFaultsTest() : small_((fs::create_directory(scratch_ / "small"), scratch_ / "small")) {}
  void SetUp() override {
    if (!small_.Mounted()) GTEST_SKIP() << "mounting a small file system is not permitted here";
  }
  std::string Small() const { return scratch_ / "small"; }

  ScratchFolder scratch_;
  SmallFileSystem small_;
};

TEST_F(CliFaultsTest, AFullDiskWhileExtractingIsReportedAndTheEarlierListStaysWhole) {
  const std::string earlier = "earlier@x.org\r\nolder@x.org\r\n";
  const std::string mail_out = scratch_.Write("small/MailOut.txt", earlier);
  scratch_.Write("scan/a.txt", UnorderedAddresses(10000, " "));

  const CliRun run = RunCli({"extract", "--append", "--kind", "text", scratch_ / "scan", Small()});

  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(Contains(run.err, "Elaborazione interrotta, " + kFullDisk)) << run.err;
  const std::string written = ScratchFolder::Read(mail_out);
  EXPECT_TRUE(written.starts_with(earlier));
  EXPECT_TRUE(written.ends_with("\r\n"));
}

TEST_F(CliFaultsTest, AFullDiskDuringTheEliminationLeavesTheHarvestedListUnchanged) {
  // About 38 KiB of addresses: the list fits on the small disk, its sorted copy beside it not.
  scratch_.Write("scan/a.txt", UnorderedAddresses(2000, " "));

  const CliRun run = RunCli({"extract", "--kind", "text", scratch_ / "scan", Small()});

  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Contains(run.err, "Eliminazione doppi non riuscita, " + kFullDisk)) << run.err;
  EXPECT_TRUE(Contains(run.err, kUnsorted)) << run.err;
  EXPECT_FALSE(Contains(run.err, kUnchanged)) << run.err;
  EXPECT_EQ(run.out,
            "Elaborazione finita senza eliminazione dei doppi: il file di output non "
            "e` ordinato\nTrovati: 2000\n");
  EXPECT_TRUE(ScratchFolder::Read(Small() + "/MailOut.txt") == UnorderedAddresses(2000, "\r\n"));
  EXPECT_EQ(NamesIn(Small()), std::vector<std::string>{"MailOut.txt"});
}

TEST_F(CliFaultsTest, DedupeOnAFullDiskLeavesTheListUnchanged) {
  const std::string bytes = UnorderedAddresses(2000, "\r\n");
  const std::string list = scratch_.Write("small/list.txt", bytes);

  const CliRun run = RunCli({"dedupe", list});

  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(Contains(run.err, "Eliminazione doppi non riuscita, " + kFullDisk)) << run.err;
  EXPECT_TRUE(Contains(run.err, kUnchanged)) << run.err;
  EXPECT_TRUE(ScratchFolder::Read(list) == bytes);
  EXPECT_EQ(NamesIn(Small()), std::vector<std::string>{"list.txt"});
}

TEST_F(CliFaultsTest, SubtractOnAFullDiskNamesTheIncompleteListAndKeepsItsInputs) {
  const std::string bytes = UnorderedAddresses(2000, "\r\n");
  const std::string base = scratch_.Write("small/base.txt", bytes);
  const std::string exclusion = scratch_.Write("exclusion.txt", "address1@x.org\r\n");

  const CliRun run = RunCli({"subtract", base, exclusion});

  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(Contains(run.err, "Sottrazione non riuscita, " + kFullDisk)) << run.err;
  EXPECT_TRUE(Contains(run.err, "MailNew.txt e` incompleto")) << run.err;
  EXPECT_TRUE(ScratchFolder::Read(base) == bytes);
  EXPECT_EQ(ScratchFolder::Read(exclusion), "address1@x.org\r\n");
  const std::string written = ScratchFolder::Read(Small() + "/MailNew.txt");
  EXPECT_TRUE(written.empty() || written.ends_with("\r\n")) << "only whole lines";
}

TEST(CliPermissionFaults, AnOutputFolderItMayNotWriteFailsTheEliminationAndKeepsTheList) {
  ScratchFolder scratch;
  if (!MayActAsOrdinaryUser(scratch.Path()) || !fs::exists("/usr/bin/setpriv"))
    GTEST_SKIP() << "needs root, setpriv, and a scratch folder other users may reach";
  scratch.Write("scan/a.txt", "z@x.org a@x.org z@x.org\n");
  // The list may be rewritten, but nothing new may be made beside it.
  const std::string mail_out = scratch.Write("out/MailOut.txt", "old@x.org\r\n");
  GiveToOrdinaryUser(scratch.Path());
  ::chmod((scratch / "out").c_str(), 0555);
  CliOptions as_ordinary_user;
  as_ordinary_user.prefix = {"setpriv", "--reuid=" + std::to_string(kOrdinaryUser),
                             "--regid=" + std::to_string(kOrdinaryGroup), "--clear-groups"};
  // The build folder may lie where that user cannot go: run a copy.
  as_ordinary_user.program = scratch / "ondrel-cli";
  fs::copy_file(ONDREL_CLI_PATH, as_ordinary_user.program);

  const CliRun run =
      RunCli({"extract", "--kind", "text", scratch / "scan", scratch / "out"}, as_ordinary_user);

  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Contains(run.err, "Eliminazione doppi non riuscita, errore " +
                                    std::to_string(kFailureAccessDenied) + ":"))
      << run.err;
  EXPECT_TRUE(Contains(run.err, kUnsorted)) << run.err;
  EXPECT_FALSE(Contains(run.out, "Fine elaborazione")) << run.out;
  EXPECT_EQ(ScratchFolder::Read(mail_out), "z@x.org\r\na@x.org\r\nz@x.org\r\n");
  EXPECT_EQ(NamesIn(scratch / "out"), std::vector<std::string>{"MailOut.txt"});
}

}  // namespace
}  // namespace ondrel::testing
