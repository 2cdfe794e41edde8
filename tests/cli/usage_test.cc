// The command line as a user meets it: usage errors, --help and --version.
#include <gtest/gtest.h>

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

TEST(UsageTest, VersionIsTheProjectVersion) {
  const CliRun run = RunCli({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, std::string("ondrel-cli ") + kVersionText + "\n");
}

}  // namespace
}  // namespace ondrel::testing
