// The progress line's text: safe to print whatever a file name holds, and never wider than
// the terminal.
#include "cli/progress_text.h"

#include <gtest/gtest.h>

namespace ondrel::cli {
namespace {

TEST(ProgressTextTest, ControlBytesAndBrokenUtf8BecomeQuestionMarks) {
  const struct {
    std::string text, printable;
  } cases[] = {
      {"plain name.txt", "plain name.txt"},
      {"line\nbreak\r\x1b[2Jx", "line?break??[2Jx"},
      {"caf\xc3\xa9", "caf\xc3\xa9"},  // valid UTF-8 stays
      {"caf\xe9.txt", "caf?.txt"},     // Latin-1 byte
      {"\xc3", "?"},                   // cut sequence
      {"\xc0\xaf", "??"},              // overlong form
      {"\xed\xa0\x80", "???"},         // surrogate
      {"\xc2\x9b"
       "1m",
       "?1m"},  // C1 control (CSI)
      {std::string("a\0b", 3), "a?b"},
  };
  for (const auto& c : cases) EXPECT_EQ(PrintableText(c.text), c.printable) << c.text;
}

TEST(ProgressTextTest, WideCharactersCountTwoColumns) {
  EXPECT_EQ(ColumnsOf("abc"), 3);
  EXPECT_EQ(ColumnsOf("caf\xc3\xa9"), 4);
  EXPECT_EQ(ColumnsOf("\xe6\x97\xa5\xe6\x9c\xac"), 4);  // two CJK characters
}

TEST(ProgressTextTest, TheLineFitsAndKeepsBothEndsOfALongPath) {
  const std::string processing = "Analisi di: " + std::string(100, 'x') + "/final-name.txt";
  const std::string line = FitProgressLine(processing, "anna@example.com", 60);
  EXPECT_EQ(ColumnsOf(line), 60);
  EXPECT_TRUE(line.starts_with("Analisi di: xxx")) << line;
  EXPECT_TRUE(line.ends_with("final-name.txt  anna@example.com")) << line;
  EXPECT_NE(line.find("..."), std::string::npos) << line;
}

TEST(ProgressTextTest, AShortLineIsLeftWhole) {
  EXPECT_EQ(FitProgressLine("Analisi di: a.txt", "anna@example.com", 80),
            "Analisi di: a.txt  anna@example.com");
  EXPECT_EQ(FitProgressLine("Analisi di: a.txt", "", 80), "Analisi di: a.txt");
}

TEST(ProgressTextTest, AnOverlongAddressIsCutAtItsEnd) {
  const std::string line = FitProgressLine("Analisi di: a.txt", std::string(200, 'm') + "@x", 40);
  EXPECT_LE(ColumnsOf(line), 40);
  EXPECT_TRUE(line.starts_with("Analisi di: a.txt  mmm")) << line;
  EXPECT_TRUE(line.ends_with("m...")) << line;
}

TEST(ProgressTextTest, NeverWiderThanTheTerminalHowEverNarrow) {
  const std::string processing = "Analisi di: \xe6\x97\xa5\xe6\x9c\xac-" + std::string(30, 'n');
  for (int columns = 0; columns <= 50; ++columns) {
    EXPECT_LE(ColumnsOf(FitProgressLine(processing, "anna@example.com", columns)), columns)
        << columns;
    EXPECT_LE(ColumnsOf(FitProgressLine(processing, "", columns)), columns) << columns;
  }
}

}  // namespace
}  // namespace ondrel::cli
