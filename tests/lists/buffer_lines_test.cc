#include "lists/buffer_lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/literal_lines.h"
#include "common/test_files.h"
#include "common/text_reader.h"

namespace ondrel {
namespace {

using testing::ScratchFolder;

// The lines of a list held in memory must be exactly those its file reader hands out.
TEST(ListLineCount, ALongerListIsSaidToBeTooLong) {
  EXPECT_EQ(ListLineCount(2147483647, "l.txt"), 2147483647);
  try {
    ListLineCount(std::int64_t{2147483648}, "l.txt");
    ADD_FAILURE();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.Number(), kFailureOverflow);
    EXPECT_EQ(failure.Description(),
              "L'elenco \"l.txt\" e` troppo lungo: ha piu` di 2147483647 righe");
  }
}

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
  // Long lines whose bytes lie next to CR and LF in value (and zero and high bytes), so
  // that a search many bytes at a time must find the right end and no false one.
  const std::string near_ends("\x00\x09\x0b\x0c\x0e\x8a\x8d\xff\x01x", 10);
  for (int i = 0; i < 200; ++i) {
    std::string text;
    const int size = static_cast<int>(random() % 120);
    for (int k = 0; k < size; ++k)
      text += random() % 23 == 0 ? "\r\n"[random() % 2] : near_ends[random() % near_ends.size()];
    texts.push_back(text);
  }
  ScratchFolder scratch;
  for (const std::string& text : texts) {
    const std::string path = scratch.Write("f.txt", text);
    const std::vector<std::string> expected = testing::LiteralLines(text);
    std::string_view line;

    std::vector<std::string> split;
    BufferLines lines(text);
    while (lines.Next(line)) split.emplace_back(line);
    EXPECT_EQ(split, expected) << text;
    EXPECT_EQ(CountLines(text), static_cast<std::int64_t>(expected.size())) << text;
  }
}

}  // namespace
}  // namespace ondrel
