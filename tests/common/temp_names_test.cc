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
  EXPECT_EQ(TempFileNameFrom(12, 6, 5.5, 0.705), "~Qz1206550704");
  EXPECT_EQ(TempFileNameFrom(1, 2, 0.0, 0.0), "~Qz01020000");
  EXPECT_EQ(TempFileNameFrom(1, 2, 0.0, 0.99999), "~Qz01020998");
  // Fractions of a hundredth show within seven significant digits.
  EXPECT_EQ(TempFileNameFrom(3, 4, 1234.5678, 0.5), "~Qz0304123456.8499");
  // From 02:46:40 on the hundredths have seven digits and no decimals.
  EXPECT_EQ(TempFileNameFrom(3, 4, 10000.004, 0.5), "~Qz03041000000499");
  EXPECT_EQ(TempFileNameFrom(3, 4, 86399.99, 0.5), "~Qz03048639999499");
}

TEST(TempFileName, NamesOfOneProgramRunFollowTheSamePattern) {
  const std::regex pattern(R"(~Qz\d{4}[0-9.]+\d{3})");
  const std::string first = TempFileName();
  const std::string second = TempFileName();
  EXPECT_TRUE(std::regex_match(first, pattern)) << first;
  EXPECT_TRUE(std::regex_match(second, pattern)) << second;
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
