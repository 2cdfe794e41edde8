// A set of digests of one size (16 or 32 bytes), held as raw bytes in open-addressing slots of
// that size, with no pointer or tag beside them: a third of a slot is left empty, so MD5 keys
// take 24 bytes each and SHA-256 keys 48. Grows as digests are added.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/large_memory.h"
#include "lists/hash_mixing.h"

namespace ondrel {

class DigestSet {
 public:
  // An empty set of digests of `digestSize` bytes (a multiple of 8), with room for `expected`
  // before it grows. Throws std::bad_alloc.
  DigestSet(std::size_t digestSize, std::size_t expected);

  // The hash every other member takes along with its digest.
  std::uint64_t HashOf(std::string_view digest) const;
  // Asks for the slot where a digest of this hash would be to be fetched into the cache.
  void Prefetch(std::uint64_t hash) const { __builtin_prefetch(SlotAt(Home(hash))); }

  // Adds `digest` (digestSize bytes) unless it is there. Throws std::bad_alloc.
  void Insert(std::string_view digest, std::uint64_t hash);
  bool Contains(std::string_view digest, std::uint64_t hash) const;

 private:
  std::size_t Home(std::uint64_t hash) const { return SlotOfHash(hash, slotCount_); }
  const char* SlotAt(std::size_t index) const {
    return static_cast<const char*>(memory_.Data()) + index * digestSize_;
  }
  bool IsEmptySlot(const char* slot) const;
  // The index of the slot that holds `digest`, or of the empty slot where it would go.
  std::size_t Find(std::string_view digest, std::uint64_t hash) const;
  // Moves every digest into twice as many slots.
  void Grow();

  std::size_t digestSize_;
  std::uint64_t seed_;
  std::size_t slotCount_;
  std::size_t count_ = 0;
  LargeMemory memory_;      // zeroed: a slot of zeroes is empty
  bool holdsZero_ = false;  // the digest of all zeroes, which an empty slot cannot tell apart
};

}  // namespace ondrel
