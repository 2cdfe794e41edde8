#include "engine/address_validation.h"

#include <algorithm>

namespace ondrel {
namespace {

// Searched for in the candidate; a candidate with an upper-case letter is refused anyway, so
// searching it as it is gives the answer of searching its lower-case form.
constexpr std::string_view kServiceWords[] = {"webmaster", "remove", "abuse", "spam"};

bool IsUpper(char c) {
  return c >= 'A' && c <= 'Z';
}
bool IsAlphanumeric(char c) {
  return (c >= '0' && c <= '9') || IsUpper(c) || (c >= 'a' && c <= 'z');
}
bool IsAddressCharacter(char c) {
  return IsAlphanumeric(c) || c == '-' || c == '.';
}
bool AllAddressCharacters(std::string_view text) {
  return std::all_of(text.begin(), text.end(), IsAddressCharacter);
}

}  // namespace

bool IsValidAddress(std::string_view candidate, std::size_t atIndex) {
  const std::size_t n = candidate.size();
  if (n < 6 || n >= 100 || atIndex >= n) return false;
  if (!IsAlphanumeric(candidate.front()) || !IsAlphanumeric(candidate.back())) return false;
  if (!AllAddressCharacters(candidate.substr(0, atIndex))) return false;
  if (!AllAddressCharacters(candidate.substr(atIndex + 1))) return false;
  // The last dot leaves a top-level part of two or three characters...
  if (candidate[n - 4] != '.' && candidate[n - 3] != '.') return false;
  // ...and it is the domain's only dot.
  const auto first_dot = candidate.find('.', atIndex + 1);
  if (first_dot == std::string_view::npos || first_dot < n - 4) return false;
  if (std::any_of(candidate.begin(), candidate.end(), IsUpper)) return false;
  return std::none_of(
      std::begin(kServiceWords), std::end(kServiceWords),
      [&](std::string_view word) { return candidate.find(word) != std::string_view::npos; });
}

}  // namespace ondrel
