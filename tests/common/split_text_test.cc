#include "common/split_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ondrel {
namespace {

using Tokens = std::vector<std::string>;

TEST(SplitText, ScannerSettingsGiveTheDocumentedTokens) {
  const struct {
    std::string text;
    Tokens tokens;
  } cases[] = {
      {"", {""}},
      {"Scrivi a x@y.it;", {"Scrivi", "a", "x@y.it"}},
      {"  x@y.it", {"  x@y.it"}},
      {"a@b.it  c@d.it ", {"a@b.it", "c@d.it", ""}},
      {"a@b.it\tc@d.it", {"a@b.it\tc@d.it"}},
      {" a  b", {"a", "b"}},
      {"a;;", {"a;"}},
      {";", {""}},
      {"   ", {"   "}},
      {"a ", {"a", ""}},
  };
  for (const auto& c : cases) {
    Tokens tokens{"stale"};
    const auto n = SplitText(tokens, c.text, " ", -1, 0, -1);
    EXPECT_EQ(tokens, c.tokens) << '"' << c.text << '"';
    EXPECT_EQ(n, static_cast<std::int32_t>(c.tokens.size())) << '"' << c.text << '"';
  }
}

TEST(SplitText, OtherDelimitersMinimumSizeAndFlags) {
  Tokens tokens;
  EXPECT_EQ(SplitText(tokens, "a;b;", ";", -1, 0, -1), 2);
  EXPECT_EQ(tokens, (Tokens{"a", "b"}));
  EXPECT_EQ(SplitText(tokens, "a;;b", ";", -1, 0, -1), 2);
  EXPECT_EQ(tokens, (Tokens{"a", ";b"}));
  EXPECT_EQ(SplitText(tokens, "a b", " ", -1, 5, -1), 2);
  EXPECT_EQ(tokens, (Tokens{"a", "b", "", "", ""}));
  // Without collapse every delimiter counts; without trim the spaces stay.
  EXPECT_EQ(SplitText(tokens, "a,,b", ",", 0, 0, 0), 3);
  EXPECT_EQ(tokens, (Tokens{"a", "", "b"}));
  EXPECT_EQ(SplitText(tokens, " a , b ", ",", 0, 0, 0), 2);
  EXPECT_EQ(tokens, (Tokens{" a ", " b "}));
  // A longer delimiter: the next token begins one character after where it was found.
  EXPECT_EQ(SplitText(tokens, "a<>b", "<>", 0, 0, 0), 2);
  EXPECT_EQ(tokens, (Tokens{"a", ">b"}));
}

}  // namespace
}  // namespace ondrel
