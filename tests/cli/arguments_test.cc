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
