// The one rule for where text lines end, on every platform: at CR, at LF, or at CR LF (one
// end); the last line needs no end. Every reader of lines finds and counts its ends through
// these, and the README says it for users.
#pragma once

#include <cstddef>
#include <cstdint>

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

// The bytes of the line end at `at`, a line-end byte before `end`: 2 for a CR LF, else 1.
inline std::size_t LineEndWidth(const char* at, const char* end) {
  return at[0] == '\r' && at + 1 < end && at[1] == '\n' ? 2 : 1;
}

// The line ends in [from, end): every CR, and every LF that does not complete a CR LF.
// `afterCr` says whether a CR stands just before `from`, and is left saying it for `end`.
std::uint64_t CountLineEnds(const char* from, const char* end, bool& afterCr);

}  // namespace ondrel
