// Letter case of ASCII letters, for the engine's few comparisons that ignore it.
#pragma once

#include <algorithm>
#include <string_view>

namespace ondrel {

inline char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether `text` equals `lower` (written in lower case) once its letters are lower-cased.
inline bool EqualsLowerCased(std::string_view text, std::string_view lower) {
  return std::equal(text.begin(), text.end(), lower.begin(), lower.end(),
                    [](char a, char b) { return LowerAscii(a) == b; });
}

}  // namespace ondrel
