#include "lists/buffer_lines.h"

#include <limits>

#include "common/failure.h"

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
  bool afterCr = false;
  const std::uint64_t ends = CountLineEnds(text.data(), text.data() + text.size(), afterCr);
  // A text whose last byte ends no line has one more line.
  return static_cast<std::int64_t>(ends) + (IsLineEndByte(text.back()) ? 0 : 1);
}

std::int32_t ListLineCount(std::int64_t lines, const std::string& path) {
  constexpr std::int64_t kMost = std::numeric_limits<std::int32_t>::max();
  if (lines > kMost) {
    throw Failure(kFailureOverflow, "L'elenco \"" + path + "\" e` troppo lungo: ha piu` di " +
                                        std::to_string(kMost) + " righe");
  }
  return static_cast<std::int32_t>(lines);
}

}  // namespace ondrel
