#include "common/text_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/failure.h"
#include "common/read_lines.h"
#include "common/test_files.h"

namespace ondrel {
namespace {

using testing::ScratchFolder;

std::vector<std::string> LinesOf(const std::string& path, std::size_t block) {
  TextFileReader reader(path, block);
  return testing::LinesRead(reader);
}

TEST(TextFileReader, FollowsTheLineEndConventionAtEveryBlockSize) {
  const struct {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"\r\n", {""}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},
      {"a\r\n\r\n\r\n", {"a", "", ""}},
      {std::string("x\0y\r\n", 5), {std::string("x\0y", 3)}},
      {"long line without end " + std::string(300, 'z'),
       {"long line without end " + std::string(300, 'z')}},
  };
  ScratchFolder scratch;
  for (const auto& c : cases) {
    const std::string path = scratch.Write("f.txt", c.bytes);
    for (std::size_t block : {1, 2, 3, 7, 64, 1 << 20}) {
      EXPECT_EQ(LinesOf(path, block), c.lines) << "block " << block << " bytes " << c.bytes;
    }
  }
}

TEST(TextFileReader, ChunksHoldWholeLinesAndEveryByte) {
  ScratchFolder scratch;
  std::string bytes;
  for (int i = 0; i < 500; ++i) bytes += "line " + std::to_string(i) + (i % 3 ? "\r\n" : "\n");
  bytes += "tail";
  const std::string path = scratch.Write("f.txt", bytes);
  for (std::size_t block : {1, 5, 16, 4096}) {
    TextFileReader reader(path, block);
    std::string joined;
    std::string_view chunk;
    while (reader.NextLines(chunk)) {
      ASSERT_FALSE(chunk.empty());
      const bool ends_line = IsLineEndByte(chunk.back());
      const bool is_tail = joined.size() + chunk.size() == bytes.size();
      EXPECT_TRUE(ends_line || is_tail);
      joined += chunk;
    }
    EXPECT_EQ(joined, bytes);
  }
}

// The reader stops without a second read when a short read reaches the size the file had
// when it was opened; a file that grew or shrank since must still be read to its real end.
TEST(TextFileReader, ReadsToTheRealEndOfAFileThatChangedSizeAfterOpening) {
  ScratchFolder scratch;
  const std::string path = scratch.Write("f.txt", "one\ntwo\n");
  for (std::size_t block : {2, 4096}) {
    TextFileReader grown(path, block);
    scratch.Write("f.txt", "one\ntwo\nthree\n");
    std::vector<std::string> lines = testing::LinesRead(grown);
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three"})) << "block " << block;

    TextFileReader shrunk(path, block);
    scratch.Write("f.txt", "on");
    lines = testing::LinesRead(shrunk);
    EXPECT_EQ(lines, (std::vector<std::string>{"on"})) << "block " << block;
    scratch.Write("f.txt", "one\ntwo\n");
  }
}

TEST(TextFileReader, MissingFileIsAFailureWithANumber) {
  ScratchFolder scratch;
  try {
    TextFileReader reader(scratch / "missing.txt");
    FAIL();
  } catch (const Failure& failure) {
    EXPECT_NE(failure.Number(), 0);
    EXPECT_NE(failure.Description().find("missing.txt"), std::string::npos);
  }
}

}  // namespace
}  // namespace ondrel
