#include "lists/line_table.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <new>

namespace ondrel {
namespace {

// Ranges this small are sorted on their keys by comparisons straight away.
constexpr std::size_t kComparisonSortBelow = 32;
// Lines that still tie after this many bytes are rare enough to be sorted by comparisons;
// the limit bounds the depth of the recursion (8 levels of key bytes per 8 bytes of line).
constexpr std::size_t kRadixDepthLimit = 128;

std::uint64_t LoadBigEndian(const char* bytes) {
  std::uint64_t value;
  std::memcpy(&value, bytes, sizeof value);
  return __builtin_bswap64(value);
}

// The buckets of one byte of the key.
constexpr std::size_t kBuckets = 256;

}  // namespace

LineTable::LineTable(std::string_view text, std::size_t count) : LineTable(text, count, nullptr) {}

LineTable::LineTable(std::string_view text, std::size_t count, void* room)
    : text_(text), count_(count) {
  // Offsets have 40 bits: a terabyte, more than any list held in memory.
  if ((std::uint64_t{text.size()} >> (64 - kLengthBits)) != 0) throw std::bad_alloc();
  if (room == nullptr) {
    memory_ = LargeMemory(LargeMemory::BytesFor(count, sizeof(Entry)));
    room = memory_.Data();
  }
  // Left uninitialised: loading sets every entry.
  entries_ = static_cast<Entry*>(room);
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
  if (depth >= kRadixDepthLimit) {
    SortByComparisons(first, last, depth);
  } else if (count < kComparisonSortBelow) {
    SortByKeys(first, last, depth);
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

// A small range sorted on its keys alone; every run of equal keys then goes on to the
// bytes after them, one load per line instead of a comparison of the rest of two lines
// each time they meet.
void LineTable::SortByKeys(Entry* first, Entry* last, std::size_t depth) {
  std::sort(first, last, [](const Entry& a, const Entry& b) { return a.key < b.key; });
  while (first != last) {
    Entry* run = first + 1;
    while (run != last && run->key == first->key) ++run;
    if (run - first == 1) {
      first->key = 0;
    } else {
      SortEqualKeys(first, run, depth);
    }
    first = run;
  }
}

// Every entry of a range moved straight into its bucket, in place (no second array): bucket
// d holds counts[d] entries, and the buckets follow each other in ascending order of d.
// Each round visits the entries not yet placed in every unfinished bucket and swaps each one
// into the next free place of its own bucket, which places it for good. The swaps of a round
// do not wait for each other, so the processor overlaps their trips to memory; an entry
// swapped into a visited place waits for the next round. Once one bucket is left
// unfinished, all its entries are home. Against the usual loop that swaps each entry home
// before it moves on, a fifth of the elimination's CPU time goes (1.27 s against 1.55 s,
// bench/README.md).
template <typename Digit>
void LineTable::MoveIntoBuckets(Entry* first, const std::size_t* counts, std::size_t buckets,
                                Digit digit) {
  std::array<Entry*, kBuckets> next, ends;
  std::array<std::uint16_t, kBuckets> unfinished;
  std::size_t unfinishedCount = 0;
  Entry* start = first;
  for (std::size_t d = 0; d < buckets; ++d) {
    next[d] = start;
    start += counts[d];
    ends[d] = start;
    if (counts[d] > 0) unfinished[unfinishedCount++] = static_cast<std::uint16_t>(d);
  }
  while (unfinishedCount > 1) {
    std::size_t stillUnfinished = 0;
    for (std::size_t i = 0; i < unfinishedCount; ++i) {
      const std::size_t d = unfinished[i];
      Entry* const end = ends[d];
      for (Entry* entry = next[d]; entry != end; ++entry) std::swap(*entry, *next[digit(*entry)]++);
    }
    for (std::size_t i = 0; i < unfinishedCount; ++i)
      if (next[unfinished[i]] != ends[unfinished[i]]) unfinished[stillUnfinished++] = unfinished[i];
    unfinishedCount = stillUnfinished;
  }
}

// An in-place radix sort on key byte `byte` (0 the most significant) of entries whose keys
// agree on the bytes before it: every entry is moved straight into its bucket, which needs
// no second array; then each bucket is sorted on the next byte. On the benchmark's list of 10
// million lines the elimination takes 1.3 s of CPU, against 4.9 s with std::sort on the same
// entries and keys (bench/README.md, "What the speed tricks gain").
void LineTable::SortByKeyBytes(Entry* first, Entry* last, unsigned byte, std::size_t depth) {
  for (;;) {
    const std::size_t count = static_cast<std::size_t>(last - first);
    if (count < kComparisonSortBelow) return SortRange(first, last, depth);
    if (byte == 8) return SortEqualKeys(first, last, depth);
    const unsigned shift = 56 - 8 * byte;
    const auto digit = [shift](const Entry& e) { return (e.key >> shift) & 0xff; };
    std::array<std::size_t, 256> counts{};
    std::uint64_t differing = 0;  // the key bits in which some entry differs from the first
    for (const Entry* e = first; e != last; ++e) {
      ++counts[digit(*e)];
      differing |= e->key ^ first->key;
    }
    if (counts[digit(*first)] == count) {
      // One bucket: nothing to move. Every byte the keys share is skipped at once.
      if (differing == 0) return SortEqualKeys(first, last, depth);
      byte = static_cast<unsigned>(std::countl_zero(differing)) / 8;
      continue;
    }
    MoveIntoBuckets(first, counts.data(), counts.size(), digit);
    Entry* start = first;
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
  for (Entry* entry = longer; entry != last; ++entry) entry->key = KeyAt(*entry, next);
  SortRange(longer, last, next);
}

}  // namespace ondrel
