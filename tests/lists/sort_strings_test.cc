#include "lists/sort_strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "common/failure.h"
#include "lists/buffer_lines.h"
#include "lists/line_table.h"

namespace ondrel {
namespace {

TEST(SortStrings, PivotIsTheMeanPositionRoundedHalfToEven) {
  EXPECT_EQ(PivotPosition(1, 4), 2);
  EXPECT_EQ(PivotPosition(1, 6), 4);
  EXPECT_EQ(PivotPosition(3, 4), 4);
  EXPECT_EQ(PivotPosition(1, 1), 1);
  EXPECT_EQ(PivotPosition(0, 2147483647), 1073741824);
}

TEST(SortStrings, SortsARangeInOrdinalByteOrder) {
  std::vector<std::string> list = {"keep", "b",     "info", "a",   "Info", " x", "",
                                   "x",    "\xe9t", "a@b",  "a.b", "ab",   "9",  "keep"};
  ASSERT_EQ(SortStrings(list, 1, 12), 0);
  const std::vector<std::string> expected = {"keep", "",   " x", "9",    "Info", "a",     "a.b",
                                             "a@b",  "ab", "b",  "info", "x",    "\xe9t", "keep"};
  EXPECT_EQ(list, expected);
}

TEST(SortStrings, EmptyAndSingleRangesNeedNoWork) {
  std::vector<std::string> list = {"b", "a"};
  EXPECT_EQ(SortStrings(list, 1, 1), 0);
  EXPECT_EQ(SortStrings(list, 1, 0), 0);
  EXPECT_EQ(list, (std::vector<std::string>{"b", "a"}));
}

TEST(SortStrings, APositionOutsideTheListIsReportedNotRaised) {
  std::vector<std::string> list = {"b", "a"};
  EXPECT_EQ(SortStrings(list, 0, 2), kFailureOutOfRange);
  EXPECT_EQ(SortStrings(list, -1, 1), kFailureOutOfRange);
  std::vector<std::string> empty;
  EXPECT_EQ(SortStrings(empty, 0, -1), kFailureOutOfRange);  // its pivot is position 0
  EXPECT_EQ(list, (std::vector<std::string>{"b", "a"}));
}

std::string Numbered(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%08d", value);
  return text;
}

// A list on which every partition peels off one entry: the middle position of each range
// holds the largest entry of that range.
std::vector<std::string> EveryPivotTheMaximum(int count) {
  std::vector<int> at(count);  // which entry sits at each position while the sort runs
  for (int i = 0; i < count; ++i) at[i] = i;
  std::vector<int> value(count);
  for (int high = count - 1; high >= 0; --high) {
    const auto middle = static_cast<int>(PivotPosition(0, high));
    value[at[middle]] = high;
    std::swap(at[middle], at[high]);
  }
  std::vector<std::string> list;
  for (int entry = 0; entry < count; ++entry) list.push_back(Numbered(value[entry]));
  return list;
}

TEST(SortStrings, SortsListsThatUnbalanceOrFavourQuicksort) {
  constexpr int kCount = 100000;
  std::vector<std::vector<std::string>> inputs(4);
  for (int i = 0; i < kCount; ++i) {
    inputs[0].push_back(Numbered(i));
    inputs[1].push_back(Numbered(kCount - i));
    inputs[2].push_back("same");
  }
  inputs[3] = EveryPivotTheMaximum(3000);
  for (auto& list : inputs) {
    std::vector<std::string> expected = list;
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(SortStrings(list, 0, static_cast<std::int32_t>(list.size()) - 1), 0);
    EXPECT_EQ(list, expected);
  }
}

// Random lines over a few alphabets: few letters (many equal lines and shared prefixes),
// every byte but the line ends (zero bytes included), and long shared prefixes that tie
// for more than the radix depth.
std::vector<std::string> GeneratedLines(std::mt19937& random, int kind, int count) {
  std::vector<std::string> lines;
  std::uniform_int_distribution<int> length(0, kind == 2 ? 12 : 40);
  for (int i = 0; i < count; ++i) {
    std::string line;
    if (kind == 2) line.assign(random() % 2 ? 300 : 250, 'p');
    const int size = length(random);
    for (int k = 0; k < size; ++k) {
      char c;
      if (kind == 1) {
        do c = static_cast<char>(random() % 256);
        while (c == '\r' || c == '\n');
      } else {
        c = "ab.@\0"[random() % (kind == 0 ? 4 : 5)];
      }
      line += c;
    }
    lines.push_back(line);
  }
  return lines;
}

// What the duplicate elimination's table makes of the lines; it must also tell which lines
// equal their successors.
std::vector<std::string> SortedByLineTable(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text.append(line).append("\r\n");
  const std::size_t size = text.size();
  text.append(8, '\0');
  const std::string_view view(text.data(), size);
  LineTable table(view, lines.size());
  std::size_t offset = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    table.Set(i, view.substr(offset, lines[i].size()));
    offset += lines[i].size() + 2;
  }
  table.Sort();
  std::vector<std::string> sorted;
  for (std::size_t i = 0; i < lines.size(); ++i) sorted.emplace_back(table.Line(i));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const bool equalsNext = i + 1 < lines.size() && table.Line(i) == table.Line(i + 1);
    EXPECT_EQ(table.EqualsNext(i), equalsNext) << "line " << i;
  }
  return sorted;
}

TEST(SortStrings, GivesTheSameListAsTheLineTableSort) {
  std::mt19937 random(20240611);
  for (int kind = 0; kind < 3; ++kind) {
    for (const int count : {1, 2, 31, 33, 500, 20000}) {
      const std::vector<std::string> lines = GeneratedLines(random, kind, count);
      std::vector<std::string> sorted = lines;
      ASSERT_EQ(SortStrings(sorted, 0, count - 1), 0);
      EXPECT_EQ(SortedByLineTable(lines), sorted) << "kind " << kind << " count " << count;
    }
  }
}

// Large lists whose lines begin alike (a few first eight bytes, as addresses of a few names
// have) are split on their distinct beginnings at once; lists with more beginnings than that
// takes fall back to byte by byte after looking. Both must give the ordinal order.
TEST(LineTable, LargeListsOfLinesThatBeginAlikeSortByTheirWholeText) {
  std::mt19937 random(7);
  for (const int beginnings : {1, 40, 200, 700}) {
    std::vector<std::string> lines;
    for (int i = 0; i < 70000; ++i) {
      const unsigned n = random() % beginnings;
      // A beginning fills the eight key bytes and runs on a little, then a tail follows; one
      // line in ten is cut short within the key instead.
      std::string line = "b";
      line += std::to_string(n);
      line.resize(8 + n % 3, 'x');
      if (random() % 10 == 0) {
        line.resize(n % 8 + 1);
      } else {
        const int tail = static_cast<int>(random() % 6);
        for (int k = 0; k < tail; ++k) line += "ab.@"[random() % 4];
      }
      lines.push_back(line);
    }
    std::vector<std::string> sorted = lines;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_TRUE(SortedByLineTable(lines) == sorted) << beginnings << " beginnings";
  }
}

TEST(LineTable, LinesTooLongForTheLengthFieldSortByTheirFullText) {
  // 16 MiB and more do not fit the 24 bits an entry keeps for a length. One text, no
  // copies: memory touched for the first time is slow.
  const std::size_t kLong = std::size_t{1} << 24;
  std::string text;
  text.reserve(4 * kLong + 64);
  for (const auto& [zs, tail] : std::vector<std::pair<std::size_t, std::string_view>>{
           {kLong, "b"}, {1, ""}, {kLong, ""}, {2, ""}, {kLong, "a"}, {kLong, "a"}}) {
    text.append(zs, 'z').append(tail).append("\r\n");
  }
  const std::size_t size = text.size();
  text.append(8, '\0');
  const std::string_view view(text.data(), size);
  LineTable table(view, 6);
  BufferLines lines(view);
  std::string_view line;
  for (std::size_t i = 0; lines.Next(line); ++i) table.Set(i, line);
  table.Sort();
  const std::pair<std::size_t, char> expected[] = {
      {1, 'z'}, {2, 'z'}, {kLong, 'z'}, {kLong + 1, 'a'}, {kLong + 1, 'a'}, {kLong + 1, 'b'}};
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(table.Line(i).size(), expected[i].first) << i;
    EXPECT_EQ(table.Line(i).back(), expected[i].second) << i;
    EXPECT_EQ(table.EqualsNext(i), i == 3) << i;
  }
}

}  // namespace
}  // namespace ondrel
