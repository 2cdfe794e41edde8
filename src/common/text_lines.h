// The one rule for where text lines end, on every platform: at CR, at LF, or at CR LF (one
// end); the last line needs no end. Every reader of lines finds its ends through these.
#pragma once

#include "common/byte_search.h"

namespace ondrel {

// True for the bytes that end a line.
inline bool IsLineEndByte(char c) {
  return c == '\r' || c == '\n';
}

// The first line-end byte in [from, end), or `end`.
inline const char* FindLineEnd(const char* from, const char* end) {
  return FindFirstOf<'\r', '\n'>(from, end);
}

// Just after the last line-end byte in [begin, from), or `begin`.
inline const char* StartOfLineBefore(const char* begin, const char* from) {
  return StartOfRunBefore<'\r', '\n'>(begin, from);
}

}  // namespace ondrel
