#include "lists/digest_set.h"

#include <cstring>
#include <random>
#include <utility>

namespace ondrel {
namespace {

std::uint64_t Word(const char* bytes) {
  std::uint64_t value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

// At most two thirds of the slots are taken: linear probing then stays within a cache line or
// two, and a slot holds nothing but the digest.
std::size_t SlotsFor(std::size_t digests) {
  return digests + digests / 2 + 16;
}

bool Full(std::size_t count, std::size_t slots) {
  return 3 * count > 2 * slots;
}

}  // namespace

DigestSet::DigestSet(std::size_t digestSize, std::size_t expected)
    : digestSize_(digestSize),
      // A seed per set, so that no list can be made to collide on purpose.
      seed_(std::random_device{}()),
      slotCount_(SlotsFor(expected)),
      memory_(LargeMemory::BytesFor(slotCount_, digestSize_)) {}

std::uint64_t DigestSet::HashOf(std::string_view digest) const {
  // Every word counts: a list of made-up digests that share their first bytes must not
  // share their slots.
  std::uint64_t hash = seed_;
  for (std::size_t at = 0; at < digestSize_; at += 8)
    hash = MixHash(hash ^ Word(digest.data() + at)) + kHashMultiplier;
  return hash;
}

bool DigestSet::IsEmptySlot(const char* slot) const {
  std::uint64_t bits = 0;
  for (std::size_t at = 0; at < digestSize_; at += 8) bits |= Word(slot + at);
  return bits == 0;
}

std::size_t DigestSet::Find(std::string_view digest, std::uint64_t hash) const {
  for (std::size_t index = Home(hash);;) {
    // A word at a time, which also tells an empty slot: cheaper than memcmp's call on keys of
    // 16 or 32 bytes.
    const char* slot = SlotAt(index);
    std::uint64_t differ = 0, taken = 0;
    for (std::size_t at = 0; at < digestSize_; at += 8) {
      const std::uint64_t word = Word(slot + at);
      differ |= word ^ Word(digest.data() + at);
      taken |= word;
    }
    if (differ == 0 || taken == 0) return index;
    if (++index == slotCount_) index = 0;
  }
}

void DigestSet::Insert(std::string_view digest, std::uint64_t hash) {
  if (IsEmptySlot(digest.data())) {
    holdsZero_ = true;
    return;
  }
  if (Full(count_ + 1, slotCount_)) Grow();
  char* slot = const_cast<char*>(SlotAt(Find(digest, hash)));
  if (!IsEmptySlot(slot)) return;
  std::memcpy(slot, digest.data(), digestSize_);
  ++count_;
}

bool DigestSet::Contains(std::string_view digest, std::uint64_t hash) const {
  if (IsEmptySlot(digest.data())) return holdsZero_;
  return !IsEmptySlot(SlotAt(Find(digest, hash)));
}

void DigestSet::Grow() {
  DigestSet larger(digestSize_, 2 * count_ + 16);
  larger.seed_ = seed_;  // the hashes stay as they are
  larger.holdsZero_ = holdsZero_;
  for (std::size_t index = 0; index < slotCount_; ++index) {
    const char* slot = SlotAt(index);
    if (!IsEmptySlot(slot)) {
      const std::string_view digest(slot, digestSize_);
      larger.Insert(digest, HashOf(digest));
    }
  }
  *this = std::move(larger);
}

}  // namespace ondrel
