// Parsing the command line: commands, options in any place, "--", and operands as given.
#include "cli/arguments.h"

#include <gtest/gtest.h>

namespace ondrel::cli {
namespace {

std::variant<Arguments, UsageError> Parse(std::vector<const char*> arguments) {
  return ParseArguments(arguments);
}

TEST(ArgumentsTest, ValidCommandLines) {
  struct Case {
    std::vector<const char*> arguments;
    Command command;
    std::int16_t fileKind;
    bool append;
    std::vector<std::string> operands;
  };
  const Case cases[] = {
      {{"extract", "a", "b"}, Command::kExtract, 0, false, {"a", "b"}},
      {{"extract", "--kind", "text", "a", "b"}, Command::kExtract, 1, false, {"a", "b"}},
      {{"extract", "--kind=store", "--append", "a", "b"}, Command::kExtract, 2, true, {"a", "b"}},
      {{"extract", "a", "--append", "b", "--kind", "web"}, Command::kExtract, 0, true, {"a", "b"}},
      {{"extract", "", " b "}, Command::kExtract, 0, false, {"", " b "}},
      {{"extract", "--", "--append", "-"}, Command::kExtract, 0, false, {"--append", "-"}},
      {{"extract", "-", "x"}, Command::kExtract, 0, false, {"-", "x"}},
      {{"dedupe", "list.txt"}, Command::kDedupe, 0, false, {"list.txt"}},
      {{"subtract", "base", "exclusion"}, Command::kSubtract, 0, false, {"base", "exclusion"}},
      {{"--help"}, Command::kHelp, 0, false, {}},
      {{"-h", "whatever"}, Command::kHelp, 0, false, {}},
      {{"dedupe", "--help"}, Command::kHelp, 0, false, {}},
      {{"--version"}, Command::kVersion, 0, false, {}},
  };
  for (const Case& c : cases) {
    const auto parsed = Parse(c.arguments);
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    ASSERT_TRUE(std::holds_alternative<Arguments>(parsed)) << std::get<UsageError>(parsed).reason;
    const auto& arguments = std::get<Arguments>(parsed);
    EXPECT_EQ(arguments.command, c.command);
    EXPECT_EQ(arguments.fileKind, c.fileKind);
    EXPECT_EQ(arguments.append, c.append);
    EXPECT_EQ(arguments.operands, c.operands);
  }
}

TEST(ArgumentsTest, JobsAndSourcesOfAnExtraction) {
  struct Case {
    std::vector<const char*> arguments;
    int jobs;
    std::string sources;
  };
  const Case cases[] = {
      {{"extract", "a", "b"}, 0, ""},
      {{"extract", "--jobs", "1", "a", "b"}, 1, ""},
      {{"extract", "a", "b", "--jobs=64", "--sources", "s.csv"}, 64, "s.csv"},
      {{"extract", "--sources=--x", "--jobs", "007", "a", "b"}, 7, "--x"},
  };
  for (const Case& c : cases) {
    const auto parsed = Parse(c.arguments);
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    ASSERT_TRUE(std::holds_alternative<Arguments>(parsed)) << std::get<UsageError>(parsed).reason;
    EXPECT_EQ(std::get<Arguments>(parsed).jobs, c.jobs);
    EXPECT_EQ(std::get<Arguments>(parsed).sourcesPath, c.sources);
    EXPECT_EQ(std::get<Arguments>(parsed).operands, (std::vector<std::string>{"a", "b"}));
  }
}

TEST(ArgumentsTest, MemoryBudgetOfEachCommandAsSortTakesIt) {
  struct Case {
    std::vector<const char*> arguments;
    std::optional<std::uint64_t> budget;
  };
  const Case cases[] = {
      {{"dedupe", "a"}, std::nullopt},
      {{"dedupe", "--memory", "64M", "a"}, 64u << 20},
      {{"dedupe", "a", "--memory=2g"}, std::uint64_t{2} << 30},
      {{"subtract", "--memory", "1T", "a", "b"}, std::uint64_t{1} << 40},
      {{"extract", "--memory=4096", "a", "b"}, 4096u << 10},  // KiB without a suffix
      {{"extract", "a", "--memory", "1048576b", "b"}, 1u << 20},
      {{"dedupe", "--memory", "1536k", "a"}, 1536u << 10},
  };
  for (const Case& c : cases) {
    const auto parsed = Parse(c.arguments);
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    ASSERT_TRUE(std::holds_alternative<Arguments>(parsed)) << std::get<UsageError>(parsed).reason;
    EXPECT_EQ(std::get<Arguments>(parsed).memoryBudget, c.budget);
  }
  for (const char* size : {"", "M", "64MB", "6.4M", "-1M", "1023K", "64X", "9223372036854775809b",
                           "8388609T", "99999999999999999999"}) {
    const auto parsed = Parse({"dedupe", "--memory", size, "a"});
    SCOPED_TRACE(size);
    ASSERT_TRUE(std::holds_alternative<UsageError>(parsed));
    EXPECT_EQ(std::get<UsageError>(parsed).reason,
              "--memory vuole una dimensione di almeno 1M, come 64M o 2G");
  }
}

TEST(ArgumentsTest, RulesOfASubtractionAndTheDigestOfAList) {
  struct Case {
    std::vector<const char*> arguments;
    std::optional<DigestKind> digest;
    bool ignoreCase;
    std::string domains, removed;
    std::vector<std::string> operands;
  };
  const Case cases[] = {
      {{"subtract", "--hashed", "md5", "b", "e"}, DigestKind::kMd5, false, "", "", {"b", "e"}},
      {{"subtract", "b", "--hashed=sha256", "e", "--removed", "r"},
       DigestKind::kSha256,
       false,
       "",
       "r",
       {"b", "e"}},
      {{"subtract", "--ignore-case", "--domains=d", "b", "e"}, {}, true, "d", "", {"b", "e"}},
      {{"subtract", "--domains", "d", "--removed=r", "b"}, {}, false, "d", "r", {"b"}},
      {{"hash", "--sha256", "l", "o"}, DigestKind::kSha256, false, "", "", {"l", "o"}},
      {{"hash", "l", "o", "--md5", "--md5"}, DigestKind::kMd5, false, "", "", {"l", "o"}},
  };
  for (const Case& c : cases) {
    const auto parsed = Parse(c.arguments);
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    ASSERT_TRUE(std::holds_alternative<Arguments>(parsed)) << std::get<UsageError>(parsed).reason;
    const auto& arguments = std::get<Arguments>(parsed);
    EXPECT_EQ(arguments.digest, c.digest);
    EXPECT_EQ(arguments.ignoreCase, c.ignoreCase);
    EXPECT_EQ(arguments.domainsPath, c.domains);
    EXPECT_EQ(arguments.removedPath, c.removed);
    EXPECT_EQ(arguments.operands, c.operands);
  }
}

TEST(ArgumentsTest, UsageErrorsSayWhatIsWrong) {
  struct Case {
    std::vector<const char*> arguments;
    std::string reason;
  };
  const Case cases[] = {
      {{}, "manca il comando"},
      {{"Extract", "a", "b"}, "comando sconosciuto: Extract"},
      {{"extract", "a"}, "extract vuole due percorsi"},
      {{"extract", "a", "b", "c"}, "extract vuole due percorsi"},
      {{"dedupe"}, "dedupe vuole un percorso"},
      {{"extract", "--kind", "dbx", "a", "b"}, "tipo di file sconosciuto: dbx"},
      {{"extract", "a", "b", "--kind"}, "--kind vuole un valore: web, text o store"},
      {{"extract", "--kinds=web", "a", "b"}, "opzione sconosciuta: --kinds=web"},
      {{"extract", "-a", "a", "b"}, "opzione sconosciuta: -a"},
      {{"subtract", "--append", "a", "b"}, "opzione sconosciuta: --append"},
      {{"dedupe", "--kind", "text", "a"}, "opzione sconosciuta: --kind"},
      {{"extract", "--jobs", "0", "a", "b"}, "--jobs vuole un numero da 1 a 64"},
      {{"extract", "--jobs=65", "a", "b"}, "--jobs vuole un numero da 1 a 64"},
      {{"extract", "--jobs", "-2", "a", "b"}, "--jobs vuole un numero da 1 a 64"},
      {{"extract", "--jobs=", "a", "b"}, "--jobs vuole un numero da 1 a 64"},
      {{"extract", "a", "b", "--jobs"}, "--jobs vuole un numero da 1 a 64"},
      {{"extract", "--sources=", "a", "b"}, "--sources vuole il percorso di un file"},
      {{"extract", "a", "b", "--sources"}, "--sources vuole il percorso di un file"},
      {{"dedupe", "--jobs", "2", "a"}, "opzione sconosciuta: --jobs"},
      {{"subtract", "--hashed", "b", "e"}, "--hashed vuole un tipo di digest: md5 o sha256"},
      {{"subtract", "--hashed=MD5", "b", "e"}, "--hashed vuole un tipo di digest: md5 o sha256"},
      {{"subtract", "--hashed=md5", "--ignore-case", "b", "e"},
       "--hashed e --ignore-case non si usano insieme"},
      {{"subtract", "--domains", "d"}, "subtract --domains vuole uno o due percorsi"},
      {{"subtract", "--domains=d", "a", "b", "c"}, "subtract --domains vuole uno o due percorsi"},
      {{"subtract", "--domains=d", "--hashed=md5", "b"}, "--hashed vuole l'elenco EXCLUSION"},
      {{"subtract", "--ignore-case", "--domains=d", "b"}, "--ignore-case vuole l'elenco EXCLUSION"},
      {{"subtract", "--ignore-case", "b"}, "subtract vuole due percorsi"},
      {{"subtract", "--removed=", "b", "e"}, "--removed vuole il percorso di un file"},
      {{"subtract", "b", "e", "--domains"}, "--domains vuole il percorso di un file"},
      {{"subtract", "--md5", "b", "e"}, "opzione sconosciuta: --md5"},
      {{"hash", "l", "o"}, "hash vuole --md5 o --sha256"},
      {{"hash", "--md5", "--sha256", "l", "o"}, "hash vuole uno solo tra --md5 e --sha256"},
      {{"hash", "--sha256", "l"}, "hash vuole due percorsi"},
      {{"hash", "--hashed=md5", "l", "o"}, "opzione sconosciuta: --hashed=md5"},
  };
  for (const Case& c : cases) {
    const auto parsed = Parse(c.arguments);
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    ASSERT_TRUE(std::holds_alternative<UsageError>(parsed));
    EXPECT_EQ(std::get<UsageError>(parsed).reason, c.reason);
  }
}

}  // namespace
}  // namespace ondrel::cli
