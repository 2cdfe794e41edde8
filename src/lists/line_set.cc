#include "lists/line_set.h"

#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <random>

#include "lists/hash_mixing.h"

namespace ondrel {
namespace {

// Slots per line: a load of at most one half keeps linear probing short.
constexpr double kSlotsPerLine = 2;

std::uint64_t Load(const char* bytes, std::size_t count) {
  std::uint64_t value = 0;
  std::memcpy(&value, bytes, count);
  return value;
}

}  // namespace

std::uint64_t HashLine(std::string_view line, std::uint64_t seed) {
  std::uint64_t hash = seed ^ (line.size() * kHashMultiplier);
  const char* bytes = line.data();
  std::size_t left = line.size();
  for (; left >= 8; left -= 8, bytes += 8) hash = MixHash(hash ^ Load(bytes, 8)) + kHashMultiplier;
  if (left > 0) hash = MixHash(hash ^ Load(bytes, left));
  return MixHash(hash);
}

LineSet::LineSet(std::string_view text, std::size_t capacity)
    : text_(text),
      seed_(std::random_device{}()),
      slotCount_(static_cast<std::size_t>(static_cast<double>(capacity) * kSlotsPerLine) + 1),
      memory_(LargeMemory::BytesFor(slotCount_, sizeof(Slot))),
      slots_(static_cast<Slot*>(memory_.Data())) {
  // Default construction keeps the zeroes the memory came with: every slot is empty.
  std::uninitialized_default_construct_n(slots_, slotCount_);
}

// Two slots a line, as above, less the one spare slot: with at least one line some slot is
// always empty.
LineSet::LineSet(std::string_view text, std::size_t capacity, void* room)
    : text_(text),
      seed_(std::random_device{}()),
      slotCount_(2 * capacity),
      slots_(static_cast<Slot*>(room)) {
  std::memset(room, 0, slotCount_ * sizeof(Slot));
  std::uninitialized_default_construct_n(slots_, slotCount_);
}

std::uint64_t LineSet::HashOf(std::string_view line) const {
  return HashLine(line, seed_);
}

std::uint32_t LineSet::Tag(std::uint64_t hash) {
  const auto tag = static_cast<std::uint32_t>(hash >> 32);
  return tag == 0 ? 1 : tag;
}

std::size_t LineSet::Find(std::string_view line, std::uint64_t hash) const {
  const std::uint32_t tag = Tag(hash);
  std::size_t index = Home(hash);
  for (;;) {
    const Slot& slot = slots_[index];
    if (slot.tag == 0) return index;
    if (slot.tag == tag && std::string_view(text_.data() + slot.offset, slot.length) == line)
      return index;
    if (++index == slotCount_) index = 0;
  }
}

bool LineSet::Long(std::string_view line) {
  return line.size() >= std::numeric_limits<std::uint32_t>::max();
}

void LineSet::Insert(std::string_view line, std::uint64_t hash) {
  if (Long(line)) {
    if (!Contains(line, hash)) longLines_.push_back(line);
    return;
  }
  Slot& slot = slots_[Find(line, hash)];
  if (slot.tag != 0) return;
  slot.offset = static_cast<std::uint64_t>(line.data() - text_.data());
  slot.length = static_cast<std::uint32_t>(line.size());
  slot.tag = Tag(hash);
}

bool LineSet::Contains(std::string_view line, std::uint64_t hash) const {
  if (Long(line)) {
    for (const std::string_view& longLine : longLines_)
      if (longLine == line) return true;
    return false;
  }
  return slots_[Find(line, hash)].tag != 0;
}

}  // namespace ondrel
