#include "lists/buffer_lines.h"

#include <algorithm>

namespace ondrel {

// Eight bytes at a time: lines of addresses are a few dozen bytes, and splitting them byte
// by byte costs twice as much.
std::size_t BufferLines::LineEndFrom(std::size_t from) const {
  const char* const begin = text_.data();
  const char* const end = begin + text_.size();
  return static_cast<std::size_t>(FindLineEnd(begin + from, end) - begin);
}

std::int64_t CountLines(std::string_view text) {
  if (text.empty()) return 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  // Every CR ends a line; an LF ends one unless it completes a CR LF. Each byte adds at most
  // 1, so blocks of 255 bytes are counted in one byte each, which lets the compiler count
  // many bytes at a time.
  std::int64_t ends = IsLineEndByte(text[0]) ? 1 : 0;
  for (std::size_t i = 1; i < text.size();) {
    const std::size_t stop = std::min(text.size(), i + 255);
    std::uint8_t block = 0;
    for (; i < stop; ++i) {
      const unsigned char lineFeedEnds = (bytes[i] == '\n') & (bytes[i - 1] != '\r');
      block += (bytes[i] == '\r') | lineFeedEnds;
    }
    ends += block;
  }
  // A text whose last byte ends no line has one more line.
  return ends + (IsLineEndByte(text.back()) ? 0 : 1);
}

}  // namespace ondrel
