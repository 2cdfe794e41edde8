// The subtraction of an exclusion list larger than the memory budget, through buckets in
// temporary files: the same MailNew.txt as in memory, and no temporary file left after a
// stop, a full disk or a base list that changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "common/failure_fields.h"
#include "common/faulty_file_system.h"
#include "common/test_files.h"
#include "lists/subtraction.h"

namespace ondrel {
namespace {

using testing::NamesIn;
using testing::ScratchFolder;

// Lines of a few pieces, with spaces and tabs around them, every line end, repeats, and now and
// then a line longer than the smallest budget below.
std::string RandomLines(std::mt19937& random, int lines) {
  const char* const pieces[] = {"a", "b", " ", "\t", "@x.it", "", "B", "mario"};
  const char* const ends[] = {"\r\n", "\n", "\r"};
  std::string text;
  for (int i = 0; i < lines; ++i) {
    if (random() % 300 == 0) text += std::string(2000 + random() % 3000, 'y');
    for (int k = static_cast<int>(random() % 5); k > 0; --k) text += pieces[random() % 8];
    if (i + 1 < lines || random() % 2) text += ends[random() % 3];
  }
  return text;
}

struct Lists {
  ScratchFolder scratch;
  std::string base, exclusion, output;
  Lists(const std::string& baseBytes, const std::string& exclusionBytes)
      : base(scratch.Write("base.txt", baseBytes)),
        exclusion(scratch.Write("exclusion.txt", exclusionBytes)),
        output(scratch / "MailNew.txt") {}
  bool NoTemporaryLeft() const {
    const auto names = NamesIn(scratch.Path());
    return std::none_of(names.begin(), names.end(),
                        [](const std::string& name) { return name.starts_with(".ondrel-"); });
  }
};

TEST(SubtractionBeyondMemory, GivesTheOutputOfTheSubtractionInMemory) {
  std::mt19937 random(31);
  // Budgets far below one bucket's keys (held a piece at a time, the base lines of the
  // bucket marked once per piece), a few KiB, and 1 MiB for a larger exclusion list cut into
  // several buckets.
  const struct {
    std::uint64_t budget;
    int baseLines, exclusionLines;
  } cases[] = {{600, 700, 400},
               {600, 1500, 2000},
               {4096, 3000, 900},
               {4096, 800, 3000},
               {1 << 20, 50000, 200000}};
  for (const auto& c : cases) {
    for (int round = 0; round < 3; ++round) {
      SCOPED_TRACE("budget " + std::to_string(c.budget) + ", round " + std::to_string(round));
      const std::string base = RandomLines(random, c.baseLines);
      const std::string exclusion = RandomLines(random, c.exclusionLines);
      Lists inMemory(base, exclusion), beyond(base, exclusion);
      const SubtractionResult expected =
          SubtractLists(inMemory.base, inMemory.exclusion, inMemory.output);
      const SubtractionResult result =
          SubtractLists(beyond.base, beyond.exclusion, beyond.output, SystemFileSystem(), c.budget);
      ASSERT_TRUE(result.completed) << testing::DescriptionOf(result.failure);
      EXPECT_TRUE(ScratchFolder::Read(beyond.output) == ScratchFolder::Read(inMemory.output));
      EXPECT_EQ(result.baseLinesRead, expected.baseLinesRead);
      EXPECT_EQ(result.exclusionLines, expected.exclusionLines);
      EXPECT_EQ(result.linesWritten, expected.linesWritten);
      EXPECT_EQ(NamesIn(beyond.scratch.Path()),
                (std::vector<std::string>{"MailNew.txt", "base.txt", "exclusion.txt"}));
    }
  }
}

// A stop at each of the moments the work asks for one: between blocks of each list it splits,
// between buckets, and between blocks of the base list written out.
TEST(SubtractionBeyondMemory, AStopAtAnyMomentLeavesNoTemporaryFile) {
  std::mt19937 random(7);
  const std::string base = RandomLines(random, 3000);
  const std::string exclusion = RandomLines(random, 3000);
  int asked = 0;
  {
    Lists lists(base, exclusion);
    ASSERT_TRUE(
        SubtractLists(lists.base, lists.exclusion, lists.output, SystemFileSystem(), 4096, [&] {
          return ++asked < 0;
        }).completed);
  }
  ASSERT_GT(asked, 10);
  for (int stopAt = 1; stopAt <= asked; ++stopAt) {
    SCOPED_TRACE("stopped at " + std::to_string(stopAt));
    Lists lists(base, exclusion);
    int calls = 0;
    const SubtractionResult result =
        SubtractLists(lists.base, lists.exclusion, lists.output, SystemFileSystem(), 4096,
                      [&] { return ++calls == stopAt; });
    EXPECT_TRUE(result.stopped);
    EXPECT_FALSE(result.completed);
    EXPECT_FALSE(result.failure.has_value());
    EXPECT_TRUE(lists.NoTemporaryLeft());
    EXPECT_EQ(std::filesystem::exists(testing::FsPath(lists.output)), result.outputWritten);
    EXPECT_TRUE(ScratchFolder::Read(lists.base) == base);
  }
}

// The disk fills up after every tenth of what the work writes, in turn.
TEST(SubtractionBeyondMemory, AFullDiskAtAnyMomentLeavesNoTemporaryFile) {
  std::mt19937 random(8);
  const std::string base = RandomLines(random, 3000);
  const std::string exclusion = RandomLines(random, 3000);
  const std::size_t step = (2 * base.size() + exclusion.size()) / 10;
  for (std::size_t room = 0;; room += step) {
    SCOPED_TRACE("room " + std::to_string(room));
    Lists lists(base, exclusion);
    testing::FaultyFileSystem disk;
    disk.FillAfter(room);
    const SubtractionResult result =
        SubtractLists(lists.base, lists.exclusion, lists.output, disk, 4096);
    EXPECT_TRUE(lists.NoTemporaryLeft());
    if (result.completed) break;
    EXPECT_EQ(testing::NumberOf(result.failure), kFailureNoSpace);
    ASSERT_LT(room, 20 * step);
  }
}

TEST(SubtractionBeyondMemory, ADiskWithoutRoomIsRefusedBeforeAnythingIsWritten) {
  std::mt19937 random(9);
  Lists lists(RandomLines(random, 2000), RandomLines(random, 2000));
  testing::FaultyFileSystem disk;
  disk.ReportFreeSpace(1000);
  const SubtractionResult result =
      SubtractLists(lists.base, lists.exclusion, lists.output, disk, 4096);
  EXPECT_EQ(testing::NumberOf(result.failure), kFailureNoSpace);
  EXPECT_TRUE(testing::Contains(testing::DescriptionOf(result.failure), "manca lo spazio"));
  EXPECT_FALSE(result.outputWritten);
  EXPECT_EQ(NamesIn(lists.scratch.Path()), (std::vector<std::string>{"base.txt", "exclusion.txt"}));
}

// The base list is read twice; a change between the two readings would mark lines of one
// version in the other, so it is a failure.
TEST(SubtractionBeyondMemory, ABaseListThatChangesMeanwhileIsAFailure) {
  std::mt19937 random(10);
  const std::string base = RandomLines(random, 3000);
  const std::string exclusion = RandomLines(random, 3000);
  int asked = 0;
  {
    Lists lists(base, exclusion);
    SubtractLists(lists.base, lists.exclusion, lists.output, SystemFileSystem(), 4096,
                  [&] { return ++asked < 0; });
  }
  for (const std::string& changed : {base + "\r\nnew\r\n", base.substr(0, base.rfind('\n'))}) {
    Lists lists(base, exclusion);
    int calls = 0;
    const SubtractionResult result =
        SubtractLists(lists.base, lists.exclusion, lists.output, SystemFileSystem(), 4096, [&] {
          // Asked before the last bucket: both lists are split by then.
          if (++calls == asked - 1) lists.scratch.Write("base.txt", changed);
          return false;
        });
    EXPECT_FALSE(result.completed);
    EXPECT_EQ(testing::NumberOf(result.failure), kFailureFileChanged);
    EXPECT_TRUE(lists.NoTemporaryLeft());
  }
}

}  // namespace
}  // namespace ondrel
