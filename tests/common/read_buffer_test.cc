#include "common/read_buffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/read_lines.h"
#include "common/test_files.h"
#include "common/test_platform.h"
#include "common/text_reader.h"

namespace ondrel {
namespace {

using testing::ScratchFolder;

TEST(ReadBuffer, ServesReadersOneAfterAnotherAndKeepsItsGrowth) {
  ScratchFolder scratch;
  const std::string long_line(100, 'x');
  const std::string first = scratch.Write("first.txt", "a\r\n" + long_line + "\nb");
  const std::string second = scratch.Write("second.txt", "c\rd");
  ReadBuffer buffer(4);
  std::vector<std::string> lines;
  for (const std::string& path : {first, second}) {
    for (std::string& line : testing::LinesRead(TextFileReader(path, buffer)))
      lines.push_back(std::move(line));
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"a", long_line, "b", "c", "d"}));
  EXPECT_GE(buffer.Capacity(), long_line.size());
}

TEST(TextFileReader, TellsTheIdentityOfTheFileWhateverPathLedToIt) {
  ScratchFolder scratch;
  const std::string path = scratch.Write("f.txt", "x");
  const auto identity = TextFileReader(path).Identity();
  EXPECT_EQ(identity, SystemFileSystem().StatusOf(path).identity);
  if (testing::MakeSymbolicLink("f.txt", scratch / "soft")) {
    EXPECT_EQ(TextFileReader(scratch / "soft").Identity(), identity);
  }
  ASSERT_TRUE(testing::MakeHardLink(path, scratch / "hard"));
  EXPECT_EQ(TextFileReader(scratch / "hard").Identity(), identity);
  EXPECT_NE(TextFileReader(scratch.Write("g.txt", "x")).Identity(), identity);
}

}  // namespace
}  // namespace ondrel
