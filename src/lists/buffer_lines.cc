#include "lists/buffer_lines.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace ondrel {
namespace {

// Whether the last byte of a non-empty text ends a line rather than starting one more.
bool EndsWithLineEnd(std::string_view text) {
  const char last = text.back();
  if (last == '\r') return true;
  if (last != '\n') return false;
  return kLoneLineFeedEndsLine || (text.size() >= 2 && text[text.size() - 2] == '\r');
}

// A mask with the high bit set in the lowest byte of `word` (in memory order) that is zero;
// bytes above it may be flagged too, so only the lowest flag counts.
std::uint64_t ZeroBytes(std::uint64_t word) {
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  return (word - kOnes) & ~word & (kOnes << 7);
}

constexpr std::uint64_t Repeated(unsigned char byte) {
  return 0x0101010101010101 * byte;
}

}  // namespace

// Eight bytes at a time while they hold no CR (nor LF, where it ends lines); then byte by
// byte. Lines of addresses are a few dozen bytes, so this halves the cost of splitting.
std::size_t BufferLines::LineEndFrom(std::size_t from) const {
  static_assert(std::endian::native == std::endian::little);
  const char* data = text_.data();
  std::size_t end = from;
  for (; end + 8 <= text_.size(); end += 8) {
    std::uint64_t word;
    std::memcpy(&word, data + end, sizeof word);
    std::uint64_t ends = ZeroBytes(word ^ Repeated('\r'));
    if (kLoneLineFeedEndsLine) ends |= ZeroBytes(word ^ Repeated('\n'));
    if (ends != 0) return end + static_cast<std::size_t>(std::countr_zero(ends)) / 8;
  }
  while (end < text_.size() && !IsLineEndByte(data[end])) ++end;
  return end;
}

std::int64_t CountLines(std::string_view text) {
  if (text.empty()) return 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  // Every CR ends a line; an LF ends one unless it completes a CR LF. Each byte adds at most
  // 1, so blocks of 255 bytes are counted in one byte each, which lets the compiler count
  // many bytes at a time.
  std::int64_t ends = (bytes[0] == '\r') + (kLoneLineFeedEndsLine && bytes[0] == '\n');
  for (std::size_t i = 1; i < text.size();) {
    const std::size_t stop = std::min(text.size(), i + 255);
    std::uint8_t block = 0;
    for (; i < stop; ++i) {
      const unsigned char lineFeedEnds = (bytes[i] == '\n') & (bytes[i - 1] != '\r');
      block += (bytes[i] == '\r') | (kLoneLineFeedEndsLine & lineFeedEnds);
    }
    ends += block;
  }
  return ends + (EndsWithLineEnd(text) ? 0 : 1);
}

}  // namespace ondrel
