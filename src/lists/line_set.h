// A set of text lines held as views into one buffer that outlives the set: open addressing
// with 16-byte slots, sized once for a known number of lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "common/large_memory.h"
#include "lists/hash_mixing.h"

namespace ondrel {

// The hash of a line's bytes under `seed`: a seed per use, so that no list can be made to
// collide on purpose.
std::uint64_t HashLine(std::string_view line, std::uint64_t seed);

class LineSet {
 public:
  // The memory each line of the capacity takes, beside the text.
  static constexpr std::size_t kBytesPerLine = 32;

  // Room for up to `capacity` distinct lines, all views into `text`. Throws std::bad_alloc.
  LineSet(std::string_view text, std::size_t capacity);
  // The same in `room`: kBytesPerLine * `capacity` bytes (`capacity` at least 1), aligned to
  // 8, that the caller keeps for as long as the set lives.
  LineSet(std::string_view text, std::size_t capacity, void* room);

  // The hash every other member takes along with its line.
  std::uint64_t HashOf(std::string_view line) const;
  // Asks for the slots where a line of this hash would be to be fetched into the cache, so
  // that the look-ups of several lines can wait for memory at the same time.
  void Prefetch(std::uint64_t hash) const { __builtin_prefetch(&slots_[Home(hash)]); }

  // Adds `line`, a view into the text; a line already there is not added twice.
  void Insert(std::string_view line, std::uint64_t hash);
  // Whether a line with exactly these bytes is in the set.
  bool Contains(std::string_view line, std::uint64_t hash) const;

 private:
  struct Slot {
    std::uint64_t offset;
    std::uint32_t length;
    std::uint32_t tag;  // 0: empty; otherwise the hash's upper half, never 0
  };
  static_assert(sizeof(Slot) * 2 == kBytesPerLine);

  std::size_t Home(std::uint64_t hash) const { return SlotOfHash(hash, slotCount_); }
  static std::uint32_t Tag(std::uint64_t hash);
  static bool Long(std::string_view line);
  // The index of the slot that holds `line`, or of the empty slot where it would go.
  std::size_t Find(std::string_view line, std::uint64_t hash) const;

  std::string_view text_;
  std::uint64_t seed_;
  std::size_t slotCount_;
  LargeMemory memory_;  // zeroed: every slot starts empty; none when the caller gave the room
  Slot* slots_;
  // Lines too long for a slot's length field: a handful at most, searched one by one.
  std::vector<std::string_view> longLines_;
};

}  // namespace ondrel
