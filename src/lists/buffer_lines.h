// Lines of a text held whole in memory, split by the one line-end rule of text_lines.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/text_lines.h"

namespace ondrel {

// The number of lines of `text`.
std::int64_t CountLines(std::string_view text);

// `lines`, the line count of the list at `path`, as the 32-bit count the list tools keep;
// throws Failure (kFailureOverflow) saying that the list is too long when it does not fit.
std::int32_t ListLineCount(std::int64_t lines, const std::string& path);

// Hands out the lines of a text one by one, as views into it.
class BufferLines {
 public:
  explicit BufferLines(std::string_view text) : text_(text) {}

  // The next line without its end; false when no byte is left.
  bool Next(std::string_view& line) {
    if (next_ >= text_.size()) return false;
    const char* data = text_.data();
    const std::size_t begin = next_;
    const std::size_t end = LineEndFrom(begin);
    line = std::string_view(data + begin, end - begin);
    next_ = end < text_.size() ? end + LineEndWidth(data + end, data + text_.size()) : end;
    return true;
  }

 private:
  // The first line end at or after `from`, or the text's size.
  std::size_t LineEndFrom(std::size_t from) const;

  std::string_view text_;
  std::size_t next_ = 0;
};

}  // namespace ondrel
