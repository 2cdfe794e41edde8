#include "common/temp_names.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "common/environment.h"
#include "common/path_rules.h"

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
    for (const char* name : {"Temp", "TEMP", "temp", "Tmp", "TMP", "tmp", "TMPDIR"}) {
      if (const char* value = std::getenv(name)) saved_.emplace_back(name, value);
      ::unsetenv(name);
    }
  }
  void TearDown() override {
    for (const char* name : {"Temp", "TEMP", "temp", "Tmp", "TMP", "tmp", "TMPDIR"})
      ::unsetenv(name);
    for (const auto& [name, value] : saved_) ::setenv(name.c_str(), value.c_str(), 1);
  }
  std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_F(TempFolderTest, PrefersTempThenTmpThenTheFallbacks) {
  EXPECT_EQ(TempFolder(), "/tmp/");
  ::setenv("TMPDIR", "/var/tmp", 1);
  EXPECT_EQ(TempFolder(), "/var/tmp/");
  ::setenv("tmp", "/b", 1);
  EXPECT_EQ(TempFolder(), "/b/");
  ::setenv("TEMP", "/a/", 1);
  EXPECT_EQ(TempFolder(), "/a/");
  ::setenv("TEMP", "", 1);
  EXPECT_EQ(TempFolder(), "/b/");
}

}  // namespace
}  // namespace ondrel
