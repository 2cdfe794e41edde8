// Cutting the address out of one token of a scanned line, by the kind of file it came from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ondrel {

// The address that `token` yields, as a view into it, or the empty view. `atIndex` is the
// 0-based position of the token's first "@". Text files (kind 1) yield the whole token; store
// files (kind 2) the whole token if it passes IsValidAddress; any other kind (web pages) the
// target of a "mailto:" link: the text between the colon nearest before the at sign and the
// first double quote after it (else the first ">"), when a "mailto:" in any letter case ends
// at that colon or stands anywhere after it.
std::string_view IsolateAddress(std::string_view token, std::size_t atIndex, std::int16_t kind);

}  // namespace ondrel
