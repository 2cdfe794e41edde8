#include "common/byte_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace ondrel {
namespace {

bool IsBoundary(char c) {
  return c == ' ' || c == '\r' || c == '\n';
}

// Every start and end in texts made of the bytes searched for and of their neighbours in
// value (a search eight bytes at a time must flag exactly the bytes sought, in the right
// place, also where one stands next to another), against a byte-by-byte search.
TEST(ByteSearch, FindsTheNearestBoundaryEitherWayAtEveryPlace) {
  const std::string alphabet("  \r\n\x1f\x21\x0c\x0e\x09\x0b\xa0\x8d\x8a\x00\xff\x01x@", 18);
  std::mt19937 random(11);
  for (int round = 0; round < 300; ++round) {
    std::string text(random() % 40, '\0');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    for (const char* from = begin; from <= end; ++from) {
      const char* expected_first = std::find_if(from, end, IsBoundary);
      const char* first = FindFirstOf<' ', '\r', '\n'>(from, end);
      EXPECT_EQ(first, expected_first) << round;
      const char* expected_start = from;
      while (expected_start > begin && !IsBoundary(expected_start[-1])) --expected_start;
      const char* start = StartOfRunBefore<' ', '\r', '\n'>(begin, from);
      EXPECT_EQ(start, expected_start) << round;
    }
  }
}

}  // namespace
}  // namespace ondrel
