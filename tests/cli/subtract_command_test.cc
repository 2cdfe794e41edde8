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

}  // namespace
}  // namespace ondrel::testing
