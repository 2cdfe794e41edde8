// The lines of a list held in one buffer, as 16-byte entries that carry the first bytes of
// their line inline, so that sorting them rarely has to look into the buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "common/large_memory.h"

namespace ondrel {

class LineTable {
 public:
  // The memory each line takes, beside the text.
  static constexpr std::size_t kBytesPerLine = 16;

  // Room for `count` lines of `text`. At least 8 readable bytes must follow the text (keys
  // are loaded 8 bytes at a time). Throws std::bad_alloc when memory is short.
  LineTable(std::string_view text, std::size_t count);
  // The same in `room`, kBytesPerLine * `count` bytes aligned to 8 that the caller keeps for
  // as long as the table lives.
  LineTable(std::string_view text, std::size_t count, void* room);

  // Records line `index`, a view into the text. Lines are recorded in the order of the text.
  void Set(std::size_t index, std::string_view line);

  // Sorts the lines into ascending ordinal byte order, and notes for each line whether the
  // next one holds the same text.
  void Sort();

  std::string_view Line(std::size_t index) const {
    const Entry& entry = entries_[index];
    return {text_.data() + (entry.span >> kLengthBits), LengthOf(entry)};
  }
  // After Sort: whether line `index` equals line `index` + 1. The sort sees every pair of
  // equal lines side by side, so that nobody has to compare them again: comparing them in
  // the marking phase would add a fifth to the elimination's CPU time (1.55 s against 1.27 s
  // on the benchmark's list, bench/README.md).
  bool EqualsNext(std::size_t index) const { return entries_[index].key != 0; }

 private:
  // The bytes of a line from `depth` on, big-endian, padded with zeros, in `key` (once its
  // place is final: 1 if the next line is equal, else 0); the offset of the line in the
  // upper 40 bits of `span`, its length (or kLongLine) in the lower 24.
  struct Entry {
    std::uint64_t key;
    std::uint64_t span;
  };
  static_assert(sizeof(Entry) == kBytesPerLine);
  static constexpr int kLengthBits = 24;
  static constexpr std::uint64_t kLongLine = (std::uint64_t{1} << kLengthBits) - 1;

  std::size_t LengthOf(const Entry& entry) const {
    const std::size_t length = entry.span & kLongLine;
    return length == kLongLine ? LongLength(entry.span >> kLengthBits) : length;
  }
  std::size_t LongLength(std::uint64_t offset) const;
  std::uint64_t KeyAt(const Entry& entry, std::size_t depth) const;
  bool Less(const Entry& a, const Entry& b, std::size_t depth) const;
  void SortByComparisons(Entry* first, Entry* last, std::size_t depth);
  void SortByKeys(Entry* first, Entry* last, std::size_t depth);
  void SortRange(Entry* first, Entry* last, std::size_t depth);
  void SortByKeyBytes(Entry* first, Entry* last, unsigned byte, std::size_t depth);
  template <typename Digit>
  static void MoveIntoBuckets(Entry* first, const std::size_t* counts, std::size_t buckets,
                              Digit digit);
  void SortEqualKeys(Entry* first, Entry* last, std::size_t depth);

  std::string_view text_;
  std::size_t count_;
  LargeMemory memory_;  // none when the caller gave the room
  Entry* entries_;
  // Offsets and lengths of the lines too long for the 24 bits of a span, in text order.
  std::vector<std::pair<std::uint64_t, std::size_t>> longLines_;
};

}  // namespace ondrel
