// ondrel-cli meeting a full disk or a folder it may not write, made through the file-system
// double on any machine: it says what failed, exits with 1, and every list is left whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "common/failure.h"
#include "common/faulty_file_system.h"
#include "common/generated_lists.h"
#include "common/path_rules.h"
#include "common/test_files.h"

namespace ondrel::testing {
namespace {

const std::string kFullDisk = "errore " + std::to_string(kFailureNoSpace) + ":";
// A run's failed closing elimination says what the output holds, and prints no counts of
// a sorted list that does not exist.
const std::string kUnsorted = "MailOut.txt contiene gli indirizzi scritti, non ordinati";
const std::string kUnchanged = "Il file non e` stato modificato.";

class CliFaultsTest : public ::testing::Test {
 protected:
  CliRun Run(const std::vector<std::string>& arguments) {
    return RunCommandInProcess(arguments, files_);
  }

  ScratchFolder scratch_;
  FaultyFileSystem files_;
};

TEST_F(CliFaultsTest, AFullDiskWhileExtractingIsReportedAndTheEarlierListStaysWhole) {
  const std::string earlier = "earlier@x.org\r\nolder@x.org\r\n";
  const std::string mail_out = scratch_.Write("out/MailOut.txt", earlier);
  scratch_.Write("scan/a.txt", UnorderedAddresses(10000, " "));
  files_.FillAfter(std::size_t{64} << 10);

  const CliRun run =
      Run({"extract", "--append", "--kind", "text", scratch_ / "scan", scratch_ / "out"});

  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(Contains(run.err, "Elaborazione interrotta, " + kFullDisk)) << run.err;
  const std::string written = ScratchFolder::Read(mail_out);
  EXPECT_TRUE(written.starts_with(earlier));
  EXPECT_TRUE(written.ends_with("\r\n"));
}

TEST_F(CliFaultsTest, AFullDiskDuringTheEliminationLeavesTheHarvestedListUnchanged) {
  // About 38 KiB of addresses: the list fits, its sorted copy beside it not.
  scratch_.Write("scan/a.txt", UnorderedAddresses(2000, " "));
  std::filesystem::create_directory(FsPath(scratch_ / "out"));
  files_.FillAfter(60000);

  const CliRun run = Run({"extract", "--kind", "text", scratch_ / "scan", scratch_ / "out"});

  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Contains(run.err, "Eliminazione doppi non riuscita, " + kFullDisk)) << run.err;
  EXPECT_TRUE(Contains(run.err, kUnsorted)) << run.err;
  EXPECT_FALSE(Contains(run.err, kUnchanged)) << run.err;
  EXPECT_EQ(run.out,
            "Elaborazione finita senza eliminazione dei doppi: il file di output non "
            "e` ordinato\nTrovati: 2000\n");
  EXPECT_TRUE(ScratchFolder::Read(scratch_ / "out/MailOut.txt") ==
              UnorderedAddresses(2000, "\r\n"));
  EXPECT_EQ(NamesIn(scratch_ / "out"), std::vector<std::string>{"MailOut.txt"});
}

TEST_F(CliFaultsTest, DedupeOnAFullDiskLeavesTheListUnchanged) {
  const std::string bytes = UnorderedAddresses(2000, "\r\n");
  const std::string list = scratch_.Write("lists/list.txt", bytes);
  files_.FillAfter(bytes.size() / 2);

  const CliRun run = Run({"dedupe", list});

  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(Contains(run.err, "Eliminazione doppi non riuscita, " + kFullDisk)) << run.err;
  EXPECT_TRUE(Contains(run.err, kUnchanged)) << run.err;
  EXPECT_TRUE(ScratchFolder::Read(list) == bytes);
  EXPECT_EQ(NamesIn(scratch_ / "lists"), std::vector<std::string>{"list.txt"});
}

TEST_F(CliFaultsTest, SubtractOnAFullDiskNamesTheIncompleteListAndKeepsItsInputs) {
  const std::string bytes = UnorderedAddresses(2000, "\r\n");
  const std::string base = scratch_.Write("lists/base.txt", bytes);
  const std::string exclusion = scratch_.Write("exclusion.txt", "address1@x.org\r\n");
  files_.FillAfter(bytes.size() / 2);

  const CliRun run = Run({"subtract", base, exclusion});

  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(Contains(run.err, "Sottrazione non riuscita, " + kFullDisk)) << run.err;
  EXPECT_TRUE(Contains(run.err, "MailNew.txt e` incompleto")) << run.err;
  EXPECT_TRUE(ScratchFolder::Read(base) == bytes);
  EXPECT_EQ(ScratchFolder::Read(exclusion), "address1@x.org\r\n");
  const std::string written = ScratchFolder::Read(scratch_ / "lists/MailNew.txt");
  EXPECT_TRUE(written.empty() || written.ends_with("\r\n")) << "only whole lines";
}

TEST_F(CliFaultsTest, AnOutputFolderItMayNotWriteFailsTheEliminationAndKeepsTheList) {
  scratch_.Write("scan/a.txt", "z@x.org a@x.org z@x.org\n");
  // The list may be rewritten, but nothing new may be made beside it.
  const std::string mail_out = scratch_.Write("out/MailOut.txt", "old@x.org\r\n");
  files_.MakeReadOnly(scratch_ / "out/");

  const CliRun run = Run({"extract", "--kind", "text", scratch_ / "scan", scratch_ / "out"});

  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Contains(run.err, "Eliminazione doppi non riuscita, errore " +
                                    std::to_string(kFailureAccessDenied) + ":"))
      << run.err;
  EXPECT_TRUE(Contains(run.err, kUnsorted)) << run.err;
  EXPECT_FALSE(Contains(run.out, "Fine elaborazione")) << run.out;
  EXPECT_EQ(ScratchFolder::Read(mail_out), "z@x.org\r\na@x.org\r\nz@x.org\r\n");
  EXPECT_EQ(NamesIn(scratch_ / "out"), std::vector<std::string>{"MailOut.txt"});
}

// What another user may plant in a folder that everyone may write, like /tmp: a link to a
// file of this user's, or a file made ready to receive this user's output. Neither is
// followed or written into, and nothing anywhere changes.
TEST(CliFaults, NothingIsFollowedOrWrittenThatAnotherUserPlantedInASharedFolder) {
  const auto link = &FaultyFileSystem::PlantLink;
  const auto file = &FaultyFileSystem::PlantFile;
  const std::string denied = "errore " + std::to_string(kFailureAccessDenied) + ":";
  const std::string notFollowed = "errore " + std::to_string(kFailureSymbolicLink) + ":";
  const struct {
    const char* what;
    void (FaultyFileSystem::*plant)(const std::string&);
    const char* planted;
    std::vector<std::string> arguments;  // "@" stands for the scratch folder
    std::string said;
  } cases[] = {
      {"a list to rewrite", link, "shared/list.txt", {"dedupe", "@shared/list.txt"}, notFollowed},
      {"a table of provenances",
       link,
       "shared/sources.csv",
       {"extract", "--kind", "text", "--sources", "@shared/sources.csv", "@scan", "@shared"},
       notFollowed},
      {"the run's output",
       file,
       "shared/MailOut.txt",
       {"extract", "--kind", "text", "@scan", "@shared"},
       denied},
      {"the subtraction's output",
       file,
       "shared/MailNew.txt",
       {"subtract", "@shared/base.txt", "@exclusion.txt"},
       denied},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder scratch;
    FaultyFileSystem files;
    const std::vector<std::string> made = {scratch.Write("scan/a.txt", "secret@x.org\n"),
                                           scratch.Write("shared/list.txt", "b\r\na\r\n"),
                                           scratch.Write("shared/sources.csv", "theirs"),
                                           scratch.Write("shared/MailOut.txt", ""),
                                           scratch.Write("shared/MailNew.txt", ""),
                                           scratch.Write("shared/base.txt", "secret@x.org\r\n"),
                                           scratch.Write("exclusion.txt", "")};
    std::vector<std::string> before;
    for (const std::string& path : made) before.push_back(ScratchFolder::Read(path));
    (files.*c.plant)(scratch / c.planted);
    std::vector<std::string> arguments;
    for (const std::string& argument : c.arguments)
      arguments.push_back(argument[0] == '@' ? scratch / argument.substr(1) : argument);

    const CliRun run = RunCommandInProcess(arguments, files);

    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Contains(run.err, c.said)) << run.err;
    for (std::size_t i = 0; i < made.size(); ++i)
      EXPECT_EQ(ScratchFolder::Read(made[i]), before[i]) << made[i];
    EXPECT_EQ(NamesIn(scratch / "shared"),
              (std::vector<std::string>{"MailNew.txt", "MailOut.txt", "base.txt", "list.txt",
                                        "sources.csv"}));
  }
}

}  // namespace
}  // namespace ondrel::testing
