#include "lists/line_table.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>

namespace ondrel {
namespace {

// Ranges this small are sorted by comparisons straight away.
constexpr std::size_t kComparisonSortBelow = 32;
// Lines that still tie after this many bytes are rare enough to be sorted by comparisons;
// the limit bounds the depth of the recursion (8 levels of key bytes per 8 bytes of line).
constexpr std::size_t kRadixDepthLimit = 128;

std::uint64_t LoadBigEndian(const char* bytes) {
  std::uint64_t value;
  std::memcpy(&value, bytes, sizeof value);
  return __builtin_bswap64(value);
}

}  // namespace

LineTable::LineTable(std::string_view text, std::size_t count)
    : text_(text), count_(count), memory_(count * sizeof(Entry)) {
  // Offsets have 40 bits: a terabyte, more than any list held in memory.
  if ((text.size() >> (64 - kLengthBits)) != 0) throw std::bad_alloc();
  // Left uninitialised: loading sets every entry.
  entries_ = static_cast<Entry*>(memory_.Data());
  std::uninitialized_default_construct_n(entries_, count);
}

void LineTable::Set(std::size_t index, std::string_view line) {
  const std::uint64_t offset = static_cast<std::uint64_t>(line.data() - text_.data());
  std::uint64_t length = line.size();
  if (length >= kLongLine) {
    longLines_.emplace_back(offset, line.size());
    length = kLongLine;
  }
  Entry& entry = entries_[index];
  entry.span = (offset << kLengthBits) | length;
  entry.key = KeyAt(entry, 0);
}

void LineTable::Sort() {
  SortRange(entries_, entries_ + count_, 0);
}

std::size_t LineTable::LongLength(std::uint64_t offset) const {
  const auto found = std::lower_bound(longLines_.begin(), longLines_.end(), offset,
                                      [](const std::pair<std::uint64_t, std::size_t>& line,
                                         std::uint64_t wanted) { return line.first < wanted; });
  return found->second;
}

std::uint64_t LineTable::KeyAt(const Entry& entry, std::size_t depth) const {
  const std::size_t length = LengthOf(entry);
  if (depth >= length) return 0;
  const std::size_t left = length - depth;
  const std::uint64_t bytes = LoadBigEndian(text_.data() + (entry.span >> kLengthBits) + depth);
  return left >= 8 ? bytes : bytes & ~(~std::uint64_t{0} >> (8 * left));
}

// The full ordinal comparison of two lines whose first `depth` bytes are equal and whose keys
// hold their bytes from `depth` on. Equal keys mean equal bytes up to the shorter length, so
// the shorter line is the smaller unless both go on past the key.
bool LineTable::Less(const Entry& a, const Entry& b, std::size_t depth) const {
  if (a.key != b.key) return a.key < b.key;
  const std::size_t lengthA = LengthOf(a);
  const std::size_t lengthB = LengthOf(b);
  const std::size_t from = depth + 8;
  if (lengthA <= from || lengthB <= from) return lengthA < lengthB;
  const int order =
      std::memcmp(text_.data() + (a.span >> kLengthBits) + from,
                  text_.data() + (b.span >> kLengthBits) + from, std::min(lengthA, lengthB) - from);
  return order != 0 ? order < 0 : lengthA < lengthB;
}

// Sorts entries whose first `depth` bytes are equal and whose keys hold the next 8.
void LineTable::SortRange(Entry* first, Entry* last, std::size_t depth) {
  const std::size_t count = static_cast<std::size_t>(last - first);
  if (count < kComparisonSortBelow || depth >= kRadixDepthLimit) {
    SortByComparisons(first, last, depth);
  } else {
    SortByKeyBytes(first, last, 0, depth);
  }
}

// Neighbours that are not in order are equal. Each flag replaces a key that no later
// comparison needs.
void LineTable::SortByComparisons(Entry* first, Entry* last, std::size_t depth) {
  const auto less = [this, depth](const Entry& a, const Entry& b) { return Less(a, b, depth); };
  std::sort(first, last, less);
  for (Entry* entry = first; entry + 1 < last; ++entry) entry->key = !less(entry[0], entry[1]);
  if (first != last) last[-1].key = 0;
}

// An in-place radix sort on key byte `byte` (0 the most significant) of entries whose keys
// agree on the bytes before it: every entry is moved straight into its bucket, which needs
// no second array; then each bucket is sorted on the next byte.
void LineTable::SortByKeyBytes(Entry* first, Entry* last, unsigned byte, std::size_t depth) {
  for (;;) {
    const std::size_t count = static_cast<std::size_t>(last - first);
    if (count < kComparisonSortBelow) return SortRange(first, last, depth);
    if (byte == 8) return SortEqualKeys(first, last, depth);
    const unsigned shift = 56 - 8 * byte;
    const auto digit = [shift](const Entry& e) { return (e.key >> shift) & 0xff; };
    std::array<std::size_t, 256> counts{};
    for (const Entry* e = first; e != last; ++e) ++counts[digit(*e)];
    if (counts[digit(*first)] == count) {  // one bucket: nothing to move
      ++byte;
      continue;
    }
    std::array<Entry*, 256> next, ends;
    Entry* start = first;
    for (unsigned d = 0; d < 256; ++d) {
      next[d] = start;
      start += counts[d];
      ends[d] = start;
    }
    for (unsigned d = 0; d < 256; ++d) {
      while (next[d] != ends[d]) {
        Entry moving = *next[d];
        for (unsigned home = digit(moving); home != d; home = digit(moving))
          std::swap(moving, *next[home]++);
        *next[d]++ = moving;
      }
    }
    start = first;
    for (unsigned d = 0; d < 256; ++d) {
      if (counts[d] > 0) SortByKeyBytes(start, start + counts[d], byte + 1, depth);
      start += counts[d];
    }
    return;
  }
}

// Entries with equal keys: a line that ends within the key is a prefix of every longer one,
// so those come first, shortest first, and those of one length are equal; the longer ones
// are sorted on their next bytes.
void LineTable::SortEqualKeys(Entry* first, Entry* last, std::size_t depth) {
  const std::size_t next = depth + 8;
  Entry* longer =
      std::partition(first, last, [this, next](const Entry& e) { return LengthOf(e) <= next; });
  std::sort(first, longer,
            [this](const Entry& a, const Entry& b) { return LengthOf(a) < LengthOf(b); });
  for (Entry* entry = first; entry < longer; ++entry)
    entry->key = entry + 1 < longer && LengthOf(entry[0]) == LengthOf(entry[1]);
  for (Entry* entry = longer; entry != last; ++entry) {
    if (static_cast<std::size_t>(last - entry) > kPrefetchDistance)
      PrefetchBytes(entry[kPrefetchDistance], next);
    entry->key = KeyAt(*entry, next);
  }
  SortRange(longer, last, next);
}

}  // namespace ondrel
