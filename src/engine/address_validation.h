// The strict address check that the tokens of newsreader store files must pass.
#pragma once

#include <cstddef>
#include <string_view>

namespace ondrel {

// Whether `candidate` is a plain, all-lower-case address: 6 to 99 characters, ASCII letters,
// digits, "-" and "." on both sides of the one at sign at `atIndex` (0-based; the first "@"),
// alphanumeric at both ends, a domain of one name, a dot and a two- or three-character
// top-level part, and none of the service words. Classes are decided on byte values.
bool IsValidAddress(std::string_view candidate, std::size_t atIndex);

}  // namespace ondrel
