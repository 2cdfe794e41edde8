// ondrel-cli extract: refusals, the closing summary, the failure path, unreadable files and
// the progress line, run on scratch trees.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "cli/cli_runner.h"
#include "common/failure.h"
#include "common/faulty_file_system.h"
#include "common/path_rules.h"
#include "common/test_files.h"
#include "common/test_platform.h"

namespace ondrel::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEqualFolders =
    "Non e` possibile creare il file di output nella stessa cartella contenente i files da cui "
    "estrarre le mail";
constexpr const char* kScanMissing = "Il percorso per la scansione non esiste";
constexpr const char* kOutputMissing =
    "Il percorso dove scrivere il file con le mail estratte non esiste";

class ExtractCommandTest : public ::testing::Test {
 protected:
  ExtractCommandTest() {
    scan_ = scratch_.Path() + "scan";
    output_ = scratch_.Path() + "out";
    fs::create_directories(scan_);
    fs::create_directories(output_);
  }
  std::string MailOut() const { return output_ + "/MailOut.txt"; }

  ScratchFolder scratch_;
  std::string scan_;
  std::string output_;
};

TEST_F(ExtractCommandTest, RefusedRunsExitOneWithTheirMessageAndWriteNothing) {
  const std::string missing = scratch_.Path() + "missing";
  struct Case {
    std::string scan, output;
    const char* message;
  };
  const Case cases[] = {
      {scan_, scan_, kEqualFolders},
      {scan_ + kPathSeparator, scan_, kEqualFolders},
      {"", "", kEqualFolders},
      {missing, output_, kScanMissing},
      {missing, missing + "2", kScanMissing},
      {"", output_, kScanMissing},
      {scan_, missing, kOutputMissing},
      {scan_, "", kOutputMissing},
      {scan_, output_ + " ", kOutputMissing},  // the space stays inside the folder's name
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("scan \"" + c.scan + "\", output \"" + c.output + "\"");
    const CliRun run = RunCli({"extract", "--kind", "text", c.scan, c.output});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(Contains(run.err, c.message)) << run.err;
    EXPECT_FALSE(fs::exists(MailOut()));
  }
}

TEST_F(ExtractCommandTest, PrintsTheTwoStatusTextsAndNothingElse) {
  scratch_.Write("scan/a.txt", "write to anna@example.com today\r\nor bruno@example.org\r\n");
  scratch_.Write("scan/deep/er/b.txt", "anna@example.com\n");
  scratch_.Write("scan/page.htm", "<a href=\"mailto:carla@example.net\">x</a>\n");

  const CliRun run = RunCli({"extract", "--kind", "text", scan_, output_});

  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Fine elaborazione. Totale indirizzi:2\nTrovati: 3   Doppi: 1   Nuovi: 2\n");
  EXPECT_EQ(run.err, "") << "no progress line when standard error is not a terminal";
  EXPECT_EQ(ScratchFolder::Read(MailOut()), "anna@example.com\r\nbruno@example.org\r\n");
}

TEST_F(ExtractCommandTest, WebPagesAreTheDefaultKind) {
  scratch_.Write("scan/page.html",
                 "<p><a href=\"MAILTO:carla@example.net?subject=Ciao\">Carla</a>\n"
                 "<b>dario@example.com</b></p>\n");
  scratch_.Write("scan/notes.txt", "elena@example.org\n");

  const CliRun run = RunCli({"extract", scan_, output_});

  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ScratchFolder::Read(MailOut()), "carla@example.net?subject=Ciao\r\n");
  EXPECT_EQ(run.out, "Fine elaborazione. Totale indirizzi:1\nTrovati: 1   Doppi: 0   Nuovi: 1\n");
}

TEST_F(ExtractCommandTest, AppendKeepsTheEarlierListAndOptionsMayFollowTheFolders) {
  scratch_.Write("out/MailOut.txt", "zeta@example.com\r\nanna@example.com\r\n");
  scratch_.Write("scan/a.txt", "anna@example.com bruno@example.org\n");

  const CliRun run = RunCli({"extract", scan_, output_, "--append", "--kind=text"});

  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Fine elaborazione. Totale indirizzi:3\nTrovati: 2   Doppi: 1   Nuovi: 1\n");
  EXPECT_EQ(ScratchFolder::Read(MailOut()),
            "anna@example.com\r\nbruno@example.org\r\nzeta@example.com\r\n");
}

TEST_F(ExtractCommandTest, OperandsAfterDoubleDashMayStartWithADash) {
  scratch_.Write("-scan/a.txt", "anna@example.com\n");
  CliOptions inScratch;
  inScratch.workingFolder = scratch_.Path();
  const CliRun run = RunCli({"extract", "--kind", "text", "--", "-scan", output_}, inScratch);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ScratchFolder::Read(MailOut()), "anna@example.com\r\n");
}

TEST_F(ExtractCommandTest, AFailedRunReportsItsFailureInItalianAndIsNoSuccess) {
  scratch_.Write("scan/a.txt", "anna@example.com\n");
  fs::create_directory(MailOut());
  const CliRun folder = RunCli({"extract", "--kind", "text", scan_, output_});
  EXPECT_EQ(folder.status, 1);
  EXPECT_FALSE(Contains(folder.out, "Fine elaborazione")) << folder.out;
  EXPECT_TRUE(Contains(folder.err, "Elaborazione interrotta, errore ")) << folder.err;
  EXPECT_TRUE(Contains(folder.err, "\": e` una cartella.")) << folder.err;
  EXPECT_FALSE(Contains(folder.err, std::strerror(EISDIR))) << folder.err;

  fs::remove(MailOut());
  const std::string victim = scratch_.Write("victim.txt", "precious\r\n");
  if (!MakeSymbolicLink(victim, MailOut())) return;  // no links for a test to make here
  const CliRun link = RunCli({"extract", "--kind", "text", scan_, output_});
  EXPECT_EQ(link.status, 1);
  EXPECT_TRUE(Contains(link.err, "MailOut.txt\" e` un collegamento simbolico")) << link.err;
  EXPECT_EQ(ScratchFolder::Read(victim), "precious\r\n");
}

TEST_F(ExtractCommandTest, AnUnreadableFileIsSkippedAndTheRunGoesOn) {
  scratch_.Write("scan/a.txt", "anna@example.com\n");
  const std::string unreadable = scratch_.Write("scan/b.txt", "segreto@example.com\n");
  scratch_.Write("scan/c.txt", "carla@example.net\n");
  FaultyFileSystem files;
  files.Deny(unreadable);

  const CliRun run = RunCommandInProcess({"extract", "--kind", "text", scan_, output_}, files);

  // Done, but not whole: status 3, the file named with its reason, the count after the summary.
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_EQ(run.out,
            "Fine elaborazione. Totale indirizzi:2\nTrovati: 2   Doppi: 0   Nuovi: 2\n"
            "File non letti: 1\n");
  // Named by the run's own spelling of the folder, lower-cased where names ignore case.
  EXPECT_TRUE(Contains(run.err, "File non letto: " + FoldFolderCase(unreadable) + " (")) << run.err;
  EXPECT_TRUE(Contains(run.err, "permesso negato")) << run.err;
  EXPECT_EQ(ScratchFolder::Read(MailOut()), "anna@example.com\r\ncarla@example.net\r\n");
}

TEST_F(ExtractCommandTest, ATemporaryFolderThatIsAFileIsSaidToBeOne) {
  scratch_.Write("scan/a.dbx", "anna@example.com\n");
  const std::string notAFolder = scratch_.Write("temp-file", "");
  CliOptions options;
  options.environment = {"TEMP=" + notAFolder, "TMP="};
  const CliRun copies = RunCli({"extract", "--kind", "store", scan_, output_}, options);
  EXPECT_EQ(copies.status, 3);
  EXPECT_TRUE(Contains(copies.err,
                       "la cartella temporanea (variabile TEMP o TMP) non e` una "
                       "cartella"))
      << copies.err;
}

TEST_F(ExtractCommandTest, OnATerminalOneLineShowsProgressAndIsClearedBeforeTheSummary) {
  if (kWindowsPlatform) GTEST_SKIP() << "no pseudo-terminal for the program's standard error";
  scratch_.Write("scan/a.txt", "anna@example.com\n");

  const CliRun run =
      RunCli({"extract", "--kind", "text", scan_, output_}, OnTerminal({"TERM=xterm"}));

  EXPECT_EQ(run.status, 0) << run.terminal;
  EXPECT_TRUE(Contains(run.terminal, "\rAnalisi di: a.txt")) << run.terminal;
  EXPECT_FALSE(Contains(run.terminal, "\n")) << "one line, updated in place";
  EXPECT_TRUE(run.terminal.ends_with("\r\x1b[K")) << run.terminal;
  EXPECT_EQ(run.out, "Fine elaborazione. Totale indirizzi:1\nTrovati: 1   Doppi: 0   Nuovi: 1\n");
}

}  // namespace
}  // namespace ondrel::testing
