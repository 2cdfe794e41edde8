// Address isolation and the strict address check against a plain restatement of their rules,
// with 1-based positions as the rules are written: a token that holds "@" yields the whole
// token (text files), the whole token if it passes the eight rules (store files), or the
// target of a "mailto:" link (web pages).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/address_isolation.h"
#include "engine/address_validation.h"
#include "engine/file_kind.h"
#include "fuzz_support.h"

namespace {

// Character p (1-based) of `text`, as its 8-bit code.
unsigned Code(std::string_view text, long p) {
  return static_cast<unsigned char>(text[static_cast<std::size_t>(p - 1)]);
}
bool IsDigit(unsigned c) {
  return c >= 48 && c <= 57;
}
bool IsUpper(unsigned c) {
  return c >= 65 && c <= 90;
}
bool IsLower(unsigned c) {
  return c >= 97 && c <= 122;
}
bool IsAlphanumeric(unsigned c) {
  return IsDigit(c) || IsUpper(c) || IsLower(c);
}
bool IsAddressCharacter(unsigned c) {
  return IsAlphanumeric(c) || c == 45 || c == 46;
}

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (IsUpper(static_cast<unsigned char>(c))) c = static_cast<char>(c + 32);
  return lower;
}

bool RulesAccept(std::string_view candidate, long atPosition) {
  const long n = static_cast<long>(candidate.size());
  // 1. Length.
  if (!(n >= 6 && n < 100)) return false;
  // 2. Ends.
  if (!IsAlphanumeric(Code(candidate, 1)) || !IsAlphanumeric(Code(candidate, n))) return false;
  // 3. Local part.
  for (long p = 1; p <= atPosition - 1; ++p)
    if (!IsAddressCharacter(Code(candidate, p))) return false;
  // 4. Domain characters.
  for (long p = atPosition + 1; p <= n; ++p)
    if (!IsAddressCharacter(Code(candidate, p))) return false;
  // 5. Top-level domain.
  if (Code(candidate, n - 3) != '.' && Code(candidate, n - 2) != '.') return false;
  // 6. Single-dot domain.
  long first_dot = 0;
  for (long p = atPosition + 1; p <= n && first_dot == 0; ++p)
    if (Code(candidate, p) == '.') first_dot = p;
  if (first_dot == 0 || first_dot < n - 3) return false;
  // 7. Lower case.
  const std::string lower = LowerCase(candidate);
  if (lower != candidate) return false;
  // 8. Service words.
  for (const char* word : {"webmaster", "remove", "abuse", "spam"})
    if (lower.find(word) != std::string::npos) return false;
  return true;
}

// Position (1-based) of the first `c` at or after `from`, or 0.
long Find(std::string_view text, long from, char c) {
  for (long p = from; p <= static_cast<long>(text.size()); ++p)
    if (Code(text, p) == static_cast<unsigned char>(c)) return p;
  return 0;
}

std::string LinkTarget(std::string_view token, long atPosition) {
  long end = Find(token, atPosition, '"');
  if (end == 0) end = Find(token, atPosition, '>');
  if (end == 0) return {};
  long colon = 0;
  for (long p = atPosition; p >= 1 && colon == 0; --p)
    if (Code(token, p) == ':') colon = p;
  if (colon == 0 || colon < 7) return {};
  if (LowerCase(token).find("mailto:", static_cast<std::size_t>(colon - 6 - 1)) ==
      std::string::npos)
    return {};
  return std::string(token.substr(static_cast<std::size_t>(colon), end - colon - 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ondrel;
  const std::string_view token(reinterpret_cast<const char*>(data), size);
  const auto at = token.find('@');
  if (at == std::string_view::npos) return 0;
  const long atPosition = static_cast<long>(at) + 1;

  const bool accepted = RulesAccept(token, atPosition);
  FUZZ_CHECK(IsValidAddress(token, at) == accepted);
  FUZZ_CHECK(IsolateAddress(token, at, kKindTextFiles) == token);
  FUZZ_CHECK(IsolateAddress(token, at, kKindStoreFiles) == (accepted ? token : ""));
  FUZZ_CHECK(IsolateAddress(token, at, kKindWebPages) == LinkTarget(token, atPosition));
  return 0;
}
