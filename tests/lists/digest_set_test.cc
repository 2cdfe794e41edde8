#include "lists/digest_set.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

namespace ondrel {
namespace {

// Against std::set, for both sizes, from no room at all: the set grows many times, and holds
// the digest of all zeroes (which looks like an empty slot) and digests alike in their first
// bytes as well as random ones.
TEST(DigestSet, HoldsWhatWasInsertedAndNothingElseAsItGrows) {
  std::mt19937_64 random(5);
  for (const std::size_t size : {std::size_t{16}, std::size_t{32}}) {
    DigestSet set(size, 0);
    std::set<std::string> inserted;
    const auto digest = [&](bool sharedStart) {
      std::string bytes(size, '\0');
      for (std::size_t at = sharedStart ? size - 8 : 0; at < size; ++at)
        bytes[at] = static_cast<char>(random());
      return bytes;
    };
    for (int i = 0; i < 5000; ++i) {
      const std::string bytes = i == 100 ? std::string(size, '\0') : digest(i % 3 == 0);
      set.Insert(bytes, set.HashOf(bytes));
      inserted.insert(bytes);
    }
    for (const std::string& bytes : inserted) EXPECT_TRUE(set.Contains(bytes, set.HashOf(bytes)));
    for (int i = 0; i < 5000; ++i) {
      const std::string bytes = digest(i % 2 == 0);
      EXPECT_EQ(set.Contains(bytes, set.HashOf(bytes)), inserted.count(bytes) == 1);
    }
  }
}

}  // namespace
}  // namespace ondrel
