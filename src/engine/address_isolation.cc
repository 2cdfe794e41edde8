#include "engine/address_isolation.h"

#include <algorithm>

#include "engine/address_validation.h"
#include "engine/ascii_case.h"
#include "engine/file_kind.h"

namespace ondrel {
namespace {

constexpr std::string_view kMailto = "mailto:";

bool ContainsMailto(std::string_view text) {
  return std::search(text.begin(), text.end(), kMailto.begin(), kMailto.end(),
                     [](char a, char b) { return LowerAscii(a) == b; }) != text.end();
}

std::string_view LinkTarget(std::string_view token, std::size_t atIndex) {
  // A double quote closes the target even when a ">" stands before it.
  auto end = token.find('"', atIndex);
  if (end == std::string_view::npos) end = token.find('>', atIndex);
  if (end == std::string_view::npos) return {};
  const auto colon = token.rfind(':', atIndex);
  if (colon == std::string_view::npos || colon < kMailto.size() - 1) return {};
  // Searched from where a "mailto:" ending at the colon would begin to the token's end.
  if (!ContainsMailto(token.substr(colon - (kMailto.size() - 1)))) return {};
  return token.substr(colon + 1, end - colon - 1);
}

}  // namespace

std::string_view IsolateAddress(std::string_view token, std::size_t atIndex, std::int16_t kind) {
  switch (kind) {
    case kKindTextFiles:
      return token;
    case kKindStoreFiles:
      return IsValidAddress(token, atIndex) ? token : std::string_view();
    default:
      return LinkTarget(token, atIndex);
  }
}

}  // namespace ondrel
