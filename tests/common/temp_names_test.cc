#include "common/temp_names.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "common/environment.h"
#include "common/path_rules.h"
#include "common/test_platform.h"

namespace ondrel {
namespace {

TEST(TempFileName, JoinsPrefixDateHundredthsAndRandomDigits) {
  struct Case {
    int month, day;
    double seconds, fraction;
    const char* separator;
    const char* name;
  };
  const Case cases[] = {
      {12, 6, 5.5, 0.705, ".", "~Qz1206550704"},
      {1, 2, 0.0, 0.0, ".", "~Qz01020000"},
      {1, 2, 0.0, 0.99999, ".", "~Qz01020998"},
      // Fractions of a hundredth show within seven significant digits, with the system's
      // decimal separator.
      {3, 4, 1234.5678, 0.5, ".", "~Qz0304123456.8499"},
      {12, 8, 5556.746, 0.3325, ",", "~Qz1208555674,6332"},
      // From 02:46:40 on the hundredths have seven digits and no decimals.
      {3, 4, 10000.004, 0.5, ",", "~Qz03041000000499"},
      {3, 4, 86399.99, 0.5, ".", "~Qz03048639999499"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TempFileNameFrom(c.month, c.day, c.seconds, c.fraction, c.separator), c.name);
}

TEST(TempFileName, NamesOfOneProgramRunFollowTheSamePattern) {
  // Digits after "~Qz", and at most one decimal separator, the system's.
  for (std::string name : {TempFileName(), TempFileName()}) {
    const std::string separator = DecimalSeparator();
    if (const auto at = name.find(separator); at != std::string::npos)
      name.erase(at, separator.size());
    EXPECT_TRUE(std::regex_match(name, std::regex(R"(~Qz\d{8,14})"))) << name;
  }
}

// Under Wine the user's number format follows LC_ALL, and a second run of this test sets an
// Italian one (tests/common/CMakeLists.txt), which writes "1,5".
TEST(DecimalSeparator, IsTheOneTheSystemWritesNumbersWith) {
  EXPECT_EQ(DecimalSeparator(), testing::SystemDecimalSeparator());
  if (const char* expected = std::getenv("ONDREL_TEST_DECIMAL_SEPARATOR")) {
    EXPECT_EQ(DecimalSeparator(), expected);
  }
}

class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kNames) {
      if (const char* value = std::getenv(name)) saved_.emplace_back(name, value);
      testing::SetEnvironment(name, std::nullopt);
    }
  }
  void TearDown() override {
    for (const char* name : kNames) testing::SetEnvironment(name, std::nullopt);
    for (const auto& [name, value] : saved_) testing::SetEnvironment(name, value);
  }
  static constexpr const char* kNames[] = {"Temp", "TEMP", "temp", "Tmp", "TMP", "tmp", "TMPDIR"};
  std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_F(TempFolderTest, PrefersTempThenTmpThenTheFallback) {
  const std::string sep(1, kPathSeparator);
  const std::string fallback = FallbackTempFolder();
  ASSERT_FALSE(fallback.empty());
  EXPECT_EQ(fallback.back(), kPathSeparator);
  EXPECT_EQ(TempFolder(), fallback);
  testing::SetEnvironment("tmp", "b");
  EXPECT_EQ(TempFolder(), "b" + sep);
  testing::SetEnvironment("TEMP", "a" + sep);
  EXPECT_EQ(TempFolder(), "a" + sep);
  testing::SetEnvironment("TEMP", "");
  EXPECT_EQ(TempFolder(), "b" + sep);
}

// POSIX has no "Temp" of its own: TMPDIR, then /tmp. Windows asks GetTempPath.
TEST_F(TempFolderTest, TheFallbackOfPosixIsTmpdirThenTmp) {
  if (kWindowsPlatform) GTEST_SKIP() << "GetTempPath is the fallback on Windows";
  EXPECT_EQ(TempFolder(), "/tmp/");
  testing::SetEnvironment("TMPDIR", "/var/tmp");
  EXPECT_EQ(TempFolder(), "/var/tmp/");
}

}  // namespace
}  // namespace ondrel
