// The command line as a user meets it: usage errors, --help and --version.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/cli_runner.h"
#include "ondrel/version.h"

namespace ondrel::testing {
namespace {

TEST(UsageTest, BadCommandLinesExitTwoWithTheUsageOnStandardError) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"estrai", "a", "b"},
      {"extract", "only-one"},
      {"extract", "a", "b", "c"},
      {"extract", "--kind", "xml", "a", "b"},
      {"extract", "--kind"},
      {"extract", "--colour", "a", "b"},
      {"dedupe"},
      {"dedupe", "--append", "list"},
      {"subtract", "base"},
      {"subtract", "--kind=text", "base", "exclusion"},
      {"extract", "--\x1b]0;titolo\x07", "a", "b"},
  };
  for (const auto& arguments : cases) {
    const CliRun run = RunCli(arguments);
    SCOPED_TRACE(::testing::PrintToString(arguments));
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Uso: ondrel-cli extract"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\x1b'), std::string::npos) << "no control byte reaches the terminal";
  }
}

TEST(UsageTest, HelpDescribesEveryCommandAndExitsZero) {
  for (const auto& arguments : std::vector<std::vector<std::string>>{
           {"--help"}, {"-h"}, {"extract", "--help"}, {"subtract", "a", "--help"}}) {
    const CliRun run = RunCli(arguments);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    for (const char* word :
         {"extract", "--kind web|text|store", "--append", "--memory SIZE", "dedupe", "subtract",
          "MailOut.txt", "MailNew.txt", "Stato di uscita", "3 eseguito ma con file non letti",
          "--hashed md5|sha256", "--ignore-case", "--domains FILE", "--removed FILE",
          "hash --md5|--sha256 LIST OUTPUT"})
      EXPECT_NE(run.out.find(word), std::string::npos) << word;
  }
}

std::string SourceFile(const std::string& name) {
  std::ifstream in(std::string(ONDREL_SOURCE_DIR) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  return {std::istream_iterator<std::string>(in), {}};
}

// The words a section of roff shows: .B and .I join their arguments with spaces, the
// alternating font macros (.RB, .BR, .IR) without them; "\-" is a hyphen.
std::vector<std::string> RoffWords(const std::string& roff) {
  std::istringstream lines(roff);
  std::string shown;
  for (std::string line; std::getline(lines, line);) {
    for (std::size_t at; (at = line.find("\\-")) != std::string::npos;) line.erase(at, 1);
    const std::string macro = line.substr(0, line.find(' '));
    if (macro == ".br" || line.size() <= macro.size()) continue;
    const bool alternating = macro.size() == 3;
    std::string rest = line.substr(macro.size() + 1), text;
    for (std::size_t i = 0; i < rest.size();) {
      if (rest[i] == ' ') {
        if (!alternating) text += ' ';
        ++i;
      } else if (rest[i] == '"') {
        const std::size_t end = rest.find('"', i + 1);
        text += rest.substr(i + 1, end - i - 1);
        i = end + 1;
      } else {
        const std::size_t end = std::min(rest.find(' ', i), rest.size());
        text += rest.substr(i, end - i);
        i = end;
      }
    }
    shown += text + ' ';
  }
  return Words(shown);
}

// The usage is written once, in the program: the README and the manual page show it word for
// word.
TEST(UsageTest, TheReadmeAndTheManualPageShowTheUsageOfTheProgram) {
  std::vector<std::string> usage = Words(std::string(cli::kUsageText));
  ASSERT_EQ(usage.front(), "Uso:");
  usage.erase(usage.begin());

  const std::string readme = SourceFile("README.md");
  const std::size_t console = readme.find("## The console program");
  const std::size_t block = readme.find("```\n", console) + 4;
  EXPECT_EQ(Words(readme.substr(block, readme.find("```", block) - block)), usage);

  const std::string manual = SourceFile("man/ondrel-cli.1");
  const std::size_t synopsis = manual.find(".SH SINTASSI\n") + 13;
  EXPECT_EQ(RoffWords(manual.substr(synopsis, manual.find(".SH", synopsis) - synopsis)), usage);
}

TEST(UsageTest, VersionIsTheProjectVersion) {
  const CliRun run = RunCli({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, std::string("ondrel-cli ") + kVersionText + "\n");
}

}  // namespace
}  // namespace ondrel::testing
