// How much memory the list tools may hold at once: what the user set, or else what this
// process can take from the machine without failing.
#pragma once

#include <cstdint>
#include <optional>

namespace ondrel {

// What the machine and the process's limits leave, where the system tells.
struct MemoryFacts {
  // Below the process's address-space or data limit, or the address space itself (a 32-bit
  // program's), whichever is nearest.
  std::optional<std::uint64_t> addressSpaceLeft;
  // Memory the system can hand out without swapping.
  std::optional<std::uint64_t> physicalAvailable;
};

// What the system says now; one implementation per platform.
MemoryFacts SystemMemoryFacts();

// The budget `facts` allow: three quarters of the nearest limit, room kept for the rest of
// the program and for address space cut into pieces; a fixed figure when nothing is known.
std::uint64_t MemoryBudgetFrom(const MemoryFacts& facts);

// `chosen`, or else the budget of what the system says now.
std::uint64_t MemoryBudget(std::optional<std::uint64_t> chosen);

}  // namespace ondrel
