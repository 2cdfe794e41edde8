#include "common/memory_budget.h"

#include <algorithm>

namespace ondrel {
namespace {

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
// Without any limit known: enough to keep lists of a few million addresses in memory.
constexpr std::uint64_t kUnknownBudget = 512 * kMiB;
// Below this the program could not run anyway; a budget never goes lower.
constexpr std::uint64_t kLeastBudget = 4 * kMiB;

}  // namespace

std::uint64_t MemoryBudgetFrom(const MemoryFacts& facts) {
  std::optional<std::uint64_t> nearest;
  for (const auto& left : {facts.addressSpaceLeft, facts.physicalAvailable})
    if (left) nearest = std::min(nearest.value_or(*left), *left);
  if (!nearest) return kUnknownBudget;
  return std::max(*nearest / 4 * 3, kLeastBudget);
}

std::uint64_t MemoryBudget(std::optional<std::uint64_t> chosen) {
  return chosen ? *chosen : MemoryBudgetFrom(SystemMemoryFacts());
}

}  // namespace ondrel
