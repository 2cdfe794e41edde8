// The hashing the list tools' hash sets share: a 64-bit mixer, and the mapping of a hash onto
// a number of slots without a division.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ondrel {

inline constexpr std::uint64_t kHashMultiplier = 0x9e3779b97f4a7c15ULL;

// Spreads every bit of `value` over the whole result.
inline std::uint64_t MixHash(std::uint64_t value) {
  value ^= value >> 33;
  value *= 0xff51afd7ed558ccdULL;
  value ^= value >> 33;
  value *= 0xc4ceb9fe1a85ec53ULL;
  return value ^ (value >> 33);
}

// The upper half of hash * slotCount, from 32-bit halves, so that 32-bit programs (which have
// no 128-bit integers) map alike.
inline std::size_t SlotOfHash(std::uint64_t hash, std::size_t slotCount) {
  const std::uint64_t hashLow = hash & 0xFFFFFFFF, hashHigh = hash >> 32;
  const std::uint64_t count = slotCount, countLow = count & 0xFFFFFFFF, countHigh = count >> 32;
  const std::uint64_t crossA = hashHigh * countLow, crossB = hashLow * countHigh;
  const std::uint64_t carry =
      (((hashLow * countLow) >> 32) + (crossA & 0xFFFFFFFF) + (crossB & 0xFFFFFFFF)) >> 32;
  return static_cast<std::size_t>(hashHigh * countHigh + (crossA >> 32) + (crossB >> 32) + carry);
}

}  // namespace ondrel
