#include "lists/buffer_lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/test_files.h"
#include "common/text_reader.h"

namespace ondrel {
namespace {

using testing::ScratchFolder;

// The lines of a list held in memory must be exactly those its file reader hands out.
TEST(BufferLines, SplitsAndCountsAsTheFileReaderReads) {
  std::vector<std::string> texts = {
      "",      "a",     "\r",       "\n",          "\r\n",
      "a\r\n", "a\n\r", "\r\r\n\n", "x\ny\rz\r\n", std::string("\0\r\0", 3)};
  std::mt19937 random(5);
  for (int i = 0; i < 200; ++i) {
    std::string text;
    const int size = static_cast<int>(random() % 40);
    for (int k = 0; k < size; ++k) text += "ab\r\n "[random() % 5];
    texts.push_back(text);
  }
  ScratchFolder scratch;
  for (const std::string& text : texts) {
    const std::string path = scratch.Write("f.txt", text);
    std::vector<std::string> expected;
    TextFileReader reader(path);
    std::string_view line;
    while (reader.NextLine(line)) expected.emplace_back(line);

    std::vector<std::string> split;
    BufferLines lines(text);
    while (lines.Next(line)) split.emplace_back(line);
    EXPECT_EQ(split, expected) << text;
    EXPECT_EQ(CountLines(text), static_cast<std::int64_t>(expected.size())) << text;
  }
}

}  // namespace
}  // namespace ondrel
