#include "engine/address_scanner.h"

#include <cstring>

#include "common/byte_search.h"
#include "common/paths.h"
#include "common/text_lines.h"
#include "engine/address_isolation.h"

namespace ondrel {

// Line starts are found by walking back to the nearest line-end byte: every one is a boundary.
void ScanLines(std::string_view lines, const std::int16_t& fileKind, AddressSink& sink) {
  const char* const begin = lines.data();
  const char* const end = begin + lines.size();
  const char* next = begin;
  sink.BeginLines(lines);
  while (next < end) {
    const char* at = static_cast<const char*>(std::memchr(next, '@', end - next));
    if (at == nullptr) break;
    const char* first = StartOfRunBefore<' ', '\r', '\n'>(begin, at);
    const char* last = FindFirstOf<' ', '\r', '\n'>(at + 1, end);
    next = last;  // further at signs of this token are not looked at

    if (last == end || *last != ' ') {
      // The line's last token: a ";" ending the line is dropped before the split...
      if (last[-1] == ';') --last;
      // ...and when the line's only spaces lead it, no space splits it: the token is the
      // whole line, leading spaces included, and is not trimmed.
      const char* spaces = first;
      while (spaces > begin && spaces[-1] == ' ') --spaces;
      if (spaces == begin || IsLineEndByte(spaces[-1])) first = spaces;
    }
    const std::string_view token(first, last - first);
    const std::string_view address =
        TrimSpaces(IsolateAddress(token, static_cast<std::size_t>(at - first), fileKind));
    if (!address.empty()) sink.Found(address);
  }
  sink.EndLines();
}

}  // namespace ondrel
