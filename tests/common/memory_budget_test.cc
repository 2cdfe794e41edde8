// The memory budget of the list tools: three quarters of the nearest limit the system tells.
#include "common/memory_budget.h"

#include <gtest/gtest.h>

namespace ondrel {
namespace {

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;

TEST(MemoryBudget, ThreeQuartersOfTheNearestLimit) {
  const struct {
    MemoryFacts facts;
    std::uint64_t budget;
  } cases[] = {
      {{std::nullopt, std::nullopt}, 512 * kMiB},  // nothing known
      {{std::nullopt, 8000 * kMiB}, 6000 * kMiB},  // memory alone
      {{1400 * kMiB, 8000 * kMiB}, 1050 * kMiB},   // a 32-bit program's address space
      {{240 * kMiB, std::nullopt}, 180 * kMiB},    // ulimit -v
      {{1000 * kMiB, 100 * kMiB}, 75 * kMiB},      // little memory free
      {{kMiB, 8000 * kMiB}, 4 * kMiB},             // never below 4 MiB
  };
  for (const auto& c : cases) EXPECT_EQ(MemoryBudgetFrom(c.facts), c.budget);
  EXPECT_EQ(MemoryBudget(12345), 12345u);
}

// The system tells how much memory it has; a program of this size always has some.
TEST(MemoryBudget, TheSystemTellsItsMemory) {
  const MemoryFacts facts = SystemMemoryFacts();
  ASSERT_TRUE(facts.physicalAvailable.has_value());
  EXPECT_GT(*facts.physicalAvailable, 16 * kMiB);
  if (facts.addressSpaceLeft) {
    EXPECT_GT(*facts.addressSpaceLeft, 16 * kMiB);
  }
  EXPECT_GE(MemoryBudget(std::nullopt), 4 * kMiB);
}

}  // namespace
}  // namespace ondrel
