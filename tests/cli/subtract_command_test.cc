// ondrel-cli subtract: MailNew.txt beside the base list, the result line, the refusals and a
// failure that must not pass for a finished list.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "cli/cli_runner.h"
#include "common/failure.h"
#include "common/generated_lists.h"
#include "common/path_rules.h"
#include "common/test_files.h"
#include "common/test_platform.h"

namespace ondrel::testing {
namespace {

constexpr const char* kSameNames =
    "I nomi di file base, file di sottrazione e file output non possono essere uguali.";

TEST(SubtractCommandTest, WritesMailNewBesideTheBaseListAndPrintsItsCounts) {
  ScratchFolder scratch;
  const std::string base = scratch.Write("lists/base.txt", "A\r\nB\r\n  A \r\nC\r\nc\r\n");
  const std::string exclusion = scratch.Write("exclusion.txt", "A\r\nC  \r\n");

  const CliRun run = RunCli({"subtract", base, exclusion});

  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Righe lette: 5   Esclusi: 3   Scritte: 2\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ScratchFolder::Read(scratch / "lists/MailNew.txt"), "B\r\nc\r\n");
}

// Spaces are part of names: the folder " sub" is not "sub", whose MailNew.txt stays as it is.
TEST(SubtractCommandTest, MailNewGoesIntoTheFolderOfTheBaseListAsItsNameStands) {
  ScratchFolder scratch;
  scratch.Write(" sub/base.txt", "a\r\nb\r\n");
  scratch.Write(" sub/ex.txt", "a\r\n");
  const std::string other = scratch.Write("sub/MailNew.txt", "another folder's\r\n");
  CliOptions options;
  options.workingFolder = scratch.Path();
  const CliRun run = RunCli({"subtract", Native(" sub/base.txt"), Native(" sub/ex.txt")}, options);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ScratchFolder::Read(scratch / " sub/MailNew.txt"), "b\r\n");
  EXPECT_EQ(ScratchFolder::Read(other), "another folder's\r\n");
}

TEST(SubtractCommandTest, WithLessMemoryThanTheExclusionListWritesTheSameMailNew) {
  const std::string base = UnorderedAddresses(200000, "\r\n");
  const std::string exclusion = UnorderedAddresses(150000, "\n");
  ScratchFolder inMemory, beyond;
  const CliRun reference = RunCli(
      {"subtract", inMemory.Write("base.txt", base), inMemory.Write("exclusion.txt", exclusion)});
  const CliRun run = RunCli({"subtract", "--memory=1M", beyond.Write("base.txt", base),
                             beyond.Write("exclusion.txt", exclusion)});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, reference.out);
  EXPECT_EQ(run.out, "Righe lette: 200000   Esclusi: 150000   Scritte: 50000\n");
  EXPECT_TRUE(ScratchFolder::Read(beyond / "MailNew.txt") ==
              ScratchFolder::Read(inMemory / "MailNew.txt"));
  EXPECT_EQ(NamesIn(beyond.Path()),
            (std::vector<std::string>{"MailNew.txt", "base.txt", "exclusion.txt"}));
}

TEST(SubtractCommandTest, RefusalsExitOneWithTheirMessageAndWriteNothing) {
  ScratchFolder scratch;
  const std::string base = scratch.Write("base.txt", "A\r\n");
  const std::string exclusion = scratch.Write("exclusion.txt", "B\r\n");
  const std::string missing = scratch / "missing.txt";
  struct Case {
    std::string base, exclusion;
    const char* message;
  };
  const Case cases[] = {
      {base, base, kSameNames},
      {base, scratch / "./base.txt", kSameNames},  // one file, spelled two ways
      {scratch / "MailNew.txt", exclusion, kSameNames},
      {missing, missing + "2", "Il file base non esiste"},
      {"", exclusion, "Il file base non esiste"},
      {base, missing, "Il file di sottrazione non esiste"},
      {base, "", "Il file di sottrazione non esiste"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("base \"" + c.base + "\", exclusion \"" + c.exclusion + "\"");
    const CliRun run = RunCli({"subtract", c.base, c.exclusion});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(Contains(run.err, c.message)) << run.err;
    EXPECT_EQ(ScratchFolder::Read(base), "A\r\n");
  }
}

// MailNew.txt's name taken by what must not be written through (a folder, and a link to
// another file where the system lets a test make one) is refused before anything is written,
// and the message says so instead of calling the list incomplete.
TEST(SubtractCommandTest, AFailureBeforeWritingSaysMailNewWasNotTouched) {
  const struct {
    bool link;
    const char* refusal;
  } cases[] = {{false, "e` una cartella"}, {true, "e` un collegamento simbolico"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.refusal);
    ScratchFolder scratch;
    const std::string base = scratch.Write("base.txt", "A\r\nB\r\n");
    const std::string exclusion = scratch.Write("exclusion.txt", "C\r\n");
    const std::string victim = scratch.Write("victim.txt", "precious\r\n");
    if (!c.link)
      std::filesystem::create_directory(FsPath(scratch / "MailNew.txt"));
    else if (!MakeSymbolicLink(victim, scratch / "MailNew.txt"))
      continue;

    const CliRun run = RunCli({"subtract", base, exclusion});

    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(Contains(run.err, c.refusal)) << run.err;
    EXPECT_TRUE(Contains(run.err, "MailNew.txt non e` stato creato ne' modificato.")) << run.err;
    EXPECT_FALSE(Contains(run.err, "incompleto")) << run.err;
    EXPECT_EQ(ScratchFolder::Read(victim), "precious\r\n");
  }
}

// Lists of lower-case addresses: the digests `hash` writes of an exclusion list remove what
// the list removes, to the byte.
TEST(SubtractCommandTest, TheDigestsThatHashWritesRemoveWhatTheirListRemoves) {
  ScratchFolder scratch;
  const std::string addresses = "anna@example.com\r\n bruno@example.org\r\ncarla@example.net\r\n";
  const std::string exclusion =
      scratch.Write("exclusion.txt", "bruno@example.org \r\nanna@x.it\r\n");
  const std::string plain = scratch.Write("plain/base.txt", addresses);
  const std::string hashed = scratch.Write("hashed/base.txt", addresses);
  for (const char* kind : {"md5", "sha256"}) {
    SCOPED_TRACE(kind);
    const CliRun hash =
        RunCli({"hash", std::string("--") + kind, exclusion, scratch / "digests.txt"});
    EXPECT_EQ(hash.status, 0) << hash.err;
    EXPECT_EQ(hash.out, "Righe lette: 2   Scritte: 2\n");
    const CliRun byList = RunCli({"subtract", plain, exclusion});
    const CliRun byDigest = RunCli({"subtract", "--hashed", kind, hashed, scratch / "digests.txt"});
    EXPECT_EQ(byDigest.status, 0) << byDigest.err;
    EXPECT_EQ(byDigest.err, "");
    EXPECT_EQ(byDigest.out, byList.out);
    EXPECT_EQ(ScratchFolder::Read(scratch / "hashed/MailNew.txt"),
              ScratchFolder::Read(scratch / "plain/MailNew.txt"));
  }
  EXPECT_EQ(ScratchFolder::Read(scratch / "plain/MailNew.txt"),
            "anna@example.com\r\ncarla@example.net\r\n");
}

// The closing line splits what was removed between the rules, the removed file holds it in
// base order, and together with MailNew.txt it holds the whole base list.
TEST(SubtractCommandTest, DomainsRemoveEveryAddressOfTheDomainAndTheCountsAddUp) {
  ScratchFolder scratch;
  const std::string base =
      scratch.Write("base.txt",
                    "a@Example.COM\r\nB@x.it\r\nc@example.com\r\nd@sub.example.com\r\n"
                    "e@EXAMPLE.com\r\nf@y.it\r\n");
  const std::string exclusion = scratch.Write("exclusion.txt", "b@x.it\r\nc@example.com\r\n");
  const std::string domains = scratch.Write("domains.txt", "@example.com\r\n");
  const std::string removed = scratch / "removed.txt";

  const CliRun run = RunCli(
      {"subtract", "--ignore-case", "--domains", domains, "--removed", removed, base, exclusion});

  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Righe lette: 6   Esclusi: 4 (elenco: 2, domini: 2)   Scritte: 2\n");
  EXPECT_EQ(ScratchFolder::Read(scratch / "MailNew.txt"), "d@sub.example.com\r\nf@y.it\r\n");
  EXPECT_EQ(ScratchFolder::Read(removed),
            "a@Example.COM\r\nB@x.it\r\nc@example.com\r\ne@EXAMPLE.com\r\n");

  const CliRun alone = RunCli({"subtract", "--domains", domains, base});
  EXPECT_EQ(alone.status, 0) << alone.err;
  EXPECT_EQ(alone.out, "Righe lette: 6   Esclusi: 3   Scritte: 3\n");
  const CliRun missing = RunCli({"subtract", "--domains", scratch / "none.txt", base});
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(Contains(missing.err, "Il file dei domini non esiste")) << missing.err;
}

TEST(SubtractCommandTest, LinesThatAreNoDigestAreReportedAndAListOfNoneIsRefused) {
  ScratchFolder scratch;
  const std::string base = scratch.Write("base.txt", "a@x.it\r\n");
  const std::string digest = "0123456789abcdef0123456789ABCDEF";
  const std::string some =
      scratch.Write("some.txt", digest + "\r\n" + digest.substr(1) + "\r\n" + digest + "0\r\n");
  const CliRun run = RunCli({"subtract", "--hashed", "md5", base, some});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Contains(run.err, "2 righe di " + some +
                                    " non sono digest MD5 (32 cifre esadecimali) e non "
                                    "escludono nulla: la prima e` la riga 2"))
      << run.err;
  std::filesystem::remove(FsPath(scratch / "MailNew.txt"));

  const std::string addresses = scratch.Write("addresses.txt", "a@x.it\r\n");
  const CliRun refused = RunCli({"subtract", "--hashed", "sha256", base, addresses});
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.out, "");
  EXPECT_TRUE(Contains(refused.err, "Nessuna riga di " + addresses + " e` un digest SHA-256"))
      << refused.err;
  EXPECT_FALSE(std::filesystem::exists(FsPath(scratch / "MailNew.txt")));
}

// The removed lines' file is never an input, nor MailNew.txt, however spelled; a link in its
// place is refused before MailNew.txt is emptied.
TEST(SubtractCommandTest, TheRemovedFileIsRefusedWhereItWouldWriteOverAFile) {
  ScratchFolder scratch;
  const std::string base = scratch.Write("base.txt", "a\r\nb\r\n");
  const std::string exclusion = scratch.Write("exclusion.txt", "a\r\n");
  const std::string mailNew = scratch.Write("MailNew.txt", "old\r\n");
  const std::string victim = scratch.Write("victim.txt", "precious\r\n");
  std::vector<std::string> removed = {scratch / "./base.txt", exclusion, scratch / "MailNew.txt",
                                      scratch / "no/such/folder.txt"};
  if (MakeSymbolicLink(victim, scratch / "link.txt")) removed.push_back(scratch / "link.txt");
  for (const std::string& path : removed) {
    SCOPED_TRACE(path);
    const CliRun run = RunCli({"subtract", "--removed", path, base, exclusion});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ScratchFolder::Read(mailNew), "old\r\n");
    EXPECT_FALSE(Contains(run.err, "incomplet")) << run.err;
  }
  EXPECT_EQ(ScratchFolder::Read(base), "a\r\nb\r\n");
  EXPECT_EQ(ScratchFolder::Read(exclusion), "a\r\n");
  EXPECT_EQ(ScratchFolder::Read(victim), "precious\r\n");
}

TEST(SubtractCommandTest, HashNeverWritesOverItsList) {
  ScratchFolder scratch;
  const std::string list = scratch.Write("list.txt", "a@x.it\r\n");
  const CliRun over = RunCli({"hash", "--md5", list, scratch / "./list.txt"});
  EXPECT_EQ(over.status, 1);
  EXPECT_TRUE(Contains(over.err, "e` uno degli elenchi da leggere")) << over.err;
  EXPECT_EQ(ScratchFolder::Read(list), "a@x.it\r\n");
  const CliRun missing = RunCli({"hash", "--md5", scratch / "none.txt", scratch / "out.txt"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(Contains(missing.err, "Il file dell'elenco non esiste")) << missing.err;
}

}  // namespace
}  // namespace ondrel::testing
