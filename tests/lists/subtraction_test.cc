#include "lists/subtraction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/failure_fields.h"
#include "common/faulty_file_system.h"
#include "common/literal_lines.h"
#include "common/path_rules.h"
#include "common/paths.h"
#include "common/recording_window_system.h"
#include "common/test_files.h"
#include "common/test_platform.h"
#include "common/text_reader.h"

namespace ondrel {
namespace {

using testing::RecordedMessage;
using testing::RecordingWindowSystem;
using testing::ScratchFolder;

const char* const kEqualNames =
    "I nomi di file base, file di sottrazione e file output non possono essere uguali.";

TEST(SubtractLists, WritesTheTrimmedBaseLinesThatAreNotExcluded) {
  const struct {
    const char* what;
    std::string base, exclusion, output;
    std::int64_t baseLines, exclusionLines, written;
  } cases[] = {
      {"documented example", "A\r\nB\r\nA\r\nC\r\n", "A\r\n", "B\r\nC\r\n", 4, 1, 2},
      {"letter case counts", "Mario@X.it\r\n", "mario@x.it\r\n", "Mario@X.it\r\n", 1, 1, 1},
      {"spaces trimmed on both sides", "  a@x  \r\nb@x\r\n", " b@x \r\n", "a@x\r\n", 2, 1, 1},
      {"a tab stays and prevents the match", "\ta@x\r\n", "a@x\r\n", "\ta@x\r\n", 1, 1, 1},
      {"empty base lines are written", "a\r\n\r\n   \r\nb", "z", "a\r\n\r\n\r\nb\r\n", 4, 1, 4},
      {"an all-space exclusion line removes them", "a\r\n\r\n   \r\nb", "z\r\n  \r\n", "a\r\nb\r\n",
       4, 2, 2},
      {"no exclusion lines: the whole trimmed base", " a \r\nb", "", "a\r\nb\r\n", 2, 0, 2},
      {"LF-only line ends", "a\nb\nc\n", "b\n", "a\r\nc\r\n", 3, 1, 2},
      {"empty base", "", "a\r\n", "", 0, 1, 0},
      {"repeated exclusion lines", "a\r\nb\r\n", "a\r\na\r\n a\r\n", "b\r\n", 2, 3, 1},
  };
  for (const auto& c : cases) {
    ScratchFolder scratch;
    const std::string base = scratch.Write("base.txt", c.base);
    const std::string exclusion = scratch.Write("exclusion.txt", c.exclusion);
    const std::string output = scratch.Write("MailNew.txt", "old content\r\n");
    const SubtractionResult result = SubtractLists(base, exclusion, output);
    EXPECT_TRUE(result.completed) << c.what;
    EXPECT_EQ(ScratchFolder::Read(output), c.output) << c.what;
    EXPECT_EQ(result.baseLinesRead, c.baseLines) << c.what;
    EXPECT_EQ(result.exclusionLines, c.exclusionLines) << c.what;
    EXPECT_EQ(result.linesWritten, c.written) << c.what;
  }
}

std::string TrimmedText(std::string_view line) {
  return std::string(TrimSpaces(line));
}

// The documented routine: the trimmed exclusion lines in a table, searched from the start
// for each trimmed base line.
std::string LiteralSubtraction(const std::string& base, const std::string& exclusion) {
  std::vector<std::string> table;
  for (const std::string& line : testing::LiteralLinesOf(exclusion))
    table.push_back(TrimmedText(line));
  std::string output;
  for (const std::string& line : testing::LiteralLinesOf(base)) {
    const std::string current = TrimmedText(line);
    if (std::find(table.begin(), table.end(), current) == table.end())
      output.append(current).append("\r\n");
  }
  return output;
}

TEST(SubtractLists, MatchesTheLinearSearchOnGeneratedLists) {
  std::mt19937 random(11);
  const char* const pieces[] = {"a", "b", " ", "\t", "@x.it", "", "B"};
  const char* const ends[] = {"\r\n", "\n", "\r"};
  const auto generate = [&](int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
      for (int k = static_cast<int>(random() % 4); k > 0; --k) text += pieces[random() % 7];
      text += ends[random() % 3];
    }
    return text;
  };
  for (int round = 0; round < 30; ++round) {
    ScratchFolder scratch;
    const std::string base = scratch.Write("base.txt", generate(static_cast<int>(random() % 500)));
    const std::string exclusion =
        scratch.Write("exclusion.txt", generate(static_cast<int>(random() % 300)));
    const SubtractionResult result = SubtractLists(base, exclusion, scratch / "MailNew.txt");
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(ScratchFolder::Read(scratch / "MailNew.txt"), LiteralSubtraction(base, exclusion));
  }
}

TEST(SubtractLists, ALineEndAcrossTwoReadBlocksIsOneLineEnd) {
  // The base list is read in blocks of 1 MiB: put a CR LF across the first boundary.
  const std::size_t block = TextFileReader::kBlockSize;
  std::string base(block - 1, 'a');
  base += "\r\nb\r\n";
  ScratchFolder scratch;
  const std::string basePath = scratch.Write("base.txt", base);
  const std::string exclusion = scratch.Write("exclusion.txt", "b\r\n");
  const SubtractionResult result = SubtractLists(basePath, exclusion, scratch / "MailNew.txt");
  EXPECT_TRUE(result.completed);
  EXPECT_EQ(result.baseLinesRead, 2);
  EXPECT_TRUE(ScratchFolder::Read(scratch / "MailNew.txt") ==
              LiteralSubtraction(basePath, exclusion));
}

TEST(SubtractLists, AFailureIsReportedAndNoInputIsTouched) {
  ScratchFolder scratch;
  const std::string base = scratch.Write("base.txt", "a\r\nb\r\n");
  const std::string exclusion = scratch.Write("exclusion.txt", "a\r\n");
  struct Case {
    const char* what;
    std::string base, exclusion, output;
    int number;
  };
  std::vector<Case> cases = {
      {"missing base", scratch / "none.txt", exclusion, scratch / "out1.txt", kFailureNotFound},
      {"missing exclusion", base, scratch / "none.txt", scratch / "out2.txt", kFailureNotFound},
      {"output in a missing folder", base, exclusion, scratch / "no/MailNew.txt", kFailureNotFound},
      {"output is the base", base, exclusion, scratch / "./base.txt", kFailureBadPath},
  };
  if (!kWindowsPlatform)
    cases.push_back({"output is a device", base, exclusion, "/dev/full", kFailureBadPath});
  for (const auto& c : cases) {
    const SubtractionResult result = SubtractLists(c.base, c.exclusion, c.output);
    EXPECT_FALSE(result.completed) << c.what;
    EXPECT_EQ(testing::NumberOf(result.failure), c.number) << c.what;
    EXPECT_FALSE(testing::DescriptionOf(result.failure).empty()) << c.what;
    EXPECT_FALSE(result.outputWritten) << c.what;
  }
  EXPECT_EQ(ScratchFolder::Read(base), "a\r\nb\r\n");
  EXPECT_EQ(ScratchFolder::Read(exclusion), "a\r\n");
  EXPECT_FALSE(std::filesystem::exists(scratch / "out1.txt"));  // base opened before output
}

TEST(SubtractLists, AFullDiskKeepsTheLinesWrittenAndIsNoSuccess) {
  ScratchFolder scratch;
  std::string bytes;
  for (int i = 0; i < 10000; ++i) bytes += "address" + std::to_string(i) + "@example.org\r\n";
  const std::string base = scratch.Write("base.txt", bytes);
  const std::string exclusion = scratch.Write("exclusion.txt", "");
  const std::string output = scratch / "MailNew.txt";
  testing::FaultyFileSystem disk;
  disk.FillAfter(bytes.size() / 2);
  const SubtractionResult result = SubtractLists(base, exclusion, output, disk);
  EXPECT_FALSE(result.completed);
  EXPECT_EQ(testing::NumberOf(result.failure), kFailureNoSpace);
  EXPECT_TRUE(result.outputWritten);
  const std::string written = ScratchFolder::Read(output);
  EXPECT_GT(written.size(), 0u);
  EXPECT_LT(written.size(), bytes.size());
  EXPECT_EQ(bytes.compare(0, written.size(), written), 0);
  EXPECT_TRUE(written.ends_with("\r\n"));
}

struct Press {
  CreateNewFileResult result;
  std::string newFilePath;
  RecordingWindowSystem windows;
};

void PressCreateNewFile(Press& press, const std::string& base, const std::string& exclusion) {
  press.newFilePath = "unchanged";
  press.result = CreateNewFile(base, exclusion, press.newFilePath, press.windows);
}

void ExpectOneMessage(const Press& press, const std::string& text, int style,
                      const std::string& what) {
  ASSERT_EQ(press.windows.messages.size(), 1u) << what;
  EXPECT_EQ(press.windows.messages[0].text, text) << what;
  EXPECT_EQ(press.windows.messages[0].style, style) << what;
  EXPECT_EQ(press.windows.messages[0].title, "") << what;
  EXPECT_EQ(press.result.outcome, CreateNewFileOutcome::kRefused) << what;
  EXPECT_TRUE(press.windows.busyCalls.empty()) << what;
}

TEST(CreateNewFile, NewFilePathIsMailNewBesideTheBaseList) {
  ScratchFolder scratch;
  const struct {
    std::string base, newFilePath;
  } cases[] = {
      {scratch / "Liste/base.txt", scratch / "Liste/MailNew.txt"},
      {"  " + scratch / "base.txt  ", scratch / "MailNew.txt"},
      {testing::Native("/base.txt"), testing::Native("/MailNew.txt")},
      {"base.txt", "MailNew.txt"},
  };
  for (const auto& c : cases) {
    Press press;
    PressCreateNewFile(press, c.base, scratch / "missing-exclusion.txt");
    EXPECT_EQ(press.newFilePath, c.newFilePath);
  }
}

TEST(CreateNewFile, AnEmptyBaseBoxIsReportedByPathInfoThenAsMissing) {
  Press press;
  PressCreateNewFile(press, "", "exclusion.txt");
  EXPECT_EQ(press.newFilePath, "MailNew.txt");
  ASSERT_EQ(press.windows.messages.size(), 2u);
  EXPECT_EQ(press.windows.messages[0].text, "Manca un parametro indispensabile");
  EXPECT_EQ(press.windows.messages[1].text, "Il file base non esiste");
  EXPECT_EQ(press.result.outcome, CreateNewFileOutcome::kRefused);
}

TEST(CreateNewFile, RefusesAnyTwoNamesForOneFile) {
  ScratchFolder scratch;
  const std::string base = scratch.Write("base.txt", "a\r\n");
  const std::string exclusion = scratch.Write("exclusion.txt", "b\r\n");
  scratch.Write("other/list.txt", "c\r\n");
  const bool links = testing::MakeSymbolicLink("base.txt", scratch / "link-to-base.txt") &&
                     testing::MakeSymbolicLink("../exclusion.txt", scratch / "other/MailNew.txt");
  std::filesystem::create_directory(testing::FsPath(scratch / "hard"));
  ASSERT_TRUE(testing::MakeHardLink(base, scratch / "hard/MailNew.txt"));
  scratch.Write("hard/list.txt", "d\r\n");
  struct Case {
    const char* what;
    std::string base, exclusion;
  };
  std::vector<Case> cases = {
      {"same text, no such file", scratch / "x.txt", scratch / "x.txt"},
      {"the base is the output", scratch / "MailNew.txt", exclusion},
      {"the exclusion is the output", base, scratch / "MailNew.txt"},
      {"another spelling of the base", base, scratch / ".//base.txt"},
      {"the output name is a hard link to the base", scratch / "hard/list.txt", base},
  };
  if (links) {
    cases.push_back({"a link to the base", base, scratch / "link-to-base.txt"});
    cases.push_back(
        {"the output name links to the exclusion", scratch / "other/list.txt", exclusion});
  }
  for (const auto& c : cases) {
    Press press;
    PressCreateNewFile(press, c.base, c.exclusion);
    ExpectOneMessage(press, kEqualNames, 0, c.what);
  }
  EXPECT_EQ(ScratchFolder::Read(base), "a\r\n");
  EXPECT_EQ(ScratchFolder::Read(exclusion), "b\r\n");
  EXPECT_FALSE(std::filesystem::exists(scratch / "MailNew.txt"));
}

TEST(CreateNewFile, ReportsAMissingBaseBeforeAMissingExclusion) {
  ScratchFolder scratch;
  const std::string base = scratch.Write("base.txt", "a\r\n");
  std::filesystem::create_directory(scratch / "folder");
  const struct {
    const char* what;
    std::string base, exclusion, message;
  } cases[] = {
      {"both missing", scratch / "b.txt", scratch / "e.txt", "Il file base non esiste"},
      {"a folder is no base", scratch / "folder", scratch / "e.txt", "Il file base non esiste"},
      {"exclusion missing", base, scratch / "e.txt", "Il file di sottrazione non esiste"},
      {"empty exclusion box", base, "", "Il file di sottrazione non esiste"},
  };
  for (const auto& c : cases) {
    Press press;
    PressCreateNewFile(press, c.base, c.exclusion);
    ExpectOneMessage(press, c.message, 64, c.what);
  }
  EXPECT_FALSE(std::filesystem::exists(scratch / "MailNew.txt"));
}

TEST(CreateNewFile, RunsTheSubtractionWithTheBusyPointer) {
  ScratchFolder scratch;
  const std::string base = scratch.Write("base.txt", "a\r\nb\r\n");
  const std::string exclusion = scratch.Write("exclusion.txt", "a\r\n");
  Press done;
  PressCreateNewFile(done, base, exclusion);
  EXPECT_EQ(done.result.outcome, CreateNewFileOutcome::kCompleted);
  EXPECT_EQ(done.windows.busyCalls, (std::vector<bool>{true, false}));
  EXPECT_TRUE(done.windows.messages.empty());
  EXPECT_EQ(ScratchFolder::Read(scratch / "MailNew.txt"), "b\r\n");

  // An output that cannot be created: a failure, reported in the result only.
  std::filesystem::remove(scratch / "MailNew.txt");
  std::filesystem::create_directory(scratch / "MailNew.txt");
  Press failed;
  PressCreateNewFile(failed, base, exclusion);
  EXPECT_EQ(failed.result.outcome, CreateNewFileOutcome::kFailed);
  EXPECT_FALSE(failed.result.subtraction.completed);
  EXPECT_EQ(testing::NumberOf(failed.result.subtraction.failure), kFailureIsFolder);
  EXPECT_EQ(failed.windows.busyCalls, (std::vector<bool>{true, false}));
  EXPECT_TRUE(failed.windows.messages.empty());
}

}  // namespace
}  // namespace ondrel
