#include "lists/exclusion_keys.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace ondrel {
namespace {

char Small(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

void MakeSmall(std::span<char> bytes) {
  std::transform(bytes.begin(), bytes.end(), bytes.begin(), Small);
}

// The value of each byte as a hex digit in either case, or -1: a table, since a list of a
// million digests holds 32 or 64 million digits.
constexpr std::array<std::int8_t, 256> kHexValues = [] {
  std::array<std::int8_t, 256> values{};
  values.fill(-1);
  for (int digit = 0; digit < 10; ++digit) values['0' + digit] = static_cast<std::int8_t>(digit);
  for (int digit = 0; digit < 6; ++digit) {
    values['a' + digit] = static_cast<std::int8_t>(10 + digit);
    values['A' + digit] = static_cast<std::int8_t>(10 + digit);
  }
  return values;
}();

int HexValue(char c) {
  return kHexValues[static_cast<unsigned char>(c)];
}

// Decodes `line`, exactly 2 * `size` hex digits, into its first `size` bytes.
std::optional<std::string_view> DecodeHex(std::span<char> line, std::size_t size) {
  if (line.size() != 2 * size) return std::nullopt;
  for (std::size_t i = 0; i < size; ++i) {
    const int high = HexValue(line[2 * i]), low = HexValue(line[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    line[i] = static_cast<char>(high * 16 + low);
  }
  return std::string_view(line.data(), size);
}

}  // namespace

bool KeysHaveAForm(KeyKind kind) {
  return kind == KeyKind::kMd5 || kind == KeyKind::kSha256 || kind == KeyKind::kDomain;
}

std::optional<DigestKind> DigestOfKeys(KeyKind kind) {
  if (kind == KeyKind::kMd5) return DigestKind::kMd5;
  if (kind == KeyKind::kSha256) return DigestKind::kSha256;
  return std::nullopt;
}

std::optional<std::string_view> ExclusionKey(KeyKind kind, std::span<char> line) {
  switch (kind) {
    case KeyKind::kExact:
      break;
    case KeyKind::kIgnoreCase:
      MakeSmall(line);
      break;
    case KeyKind::kMd5:
    case KeyKind::kSha256:
      return DecodeHex(line, DigestSize(*DigestOfKeys(kind)));
    case KeyKind::kDomain: {
      if (!line.empty() && line.front() == '@') line = line.subspan(1);
      if (line.empty() || std::find(line.begin(), line.end(), '@') != line.end())
        return std::nullopt;
      MakeSmall(line);
      break;
    }
  }
  return std::string_view(line.data(), line.size());
}

BaseKeyMaker::BaseKeyMaker(KeyKind kind) : kind_(kind) {
  if (const auto digest = DigestOfKeys(kind)) digester_.emplace(*digest);
}

std::optional<std::string_view> BaseKeyMaker::KeyOf(std::string_view line, std::string& made) {
  const auto appendSmall = [&](std::string_view text) {
    const std::size_t start = made.size();
    made.append(text);
    MakeSmall(std::span(made).subspan(start));
    return std::string_view(made).substr(start);
  };
  switch (kind_) {
    case KeyKind::kExact:
      return line;
    case KeyKind::kIgnoreCase:
      return appendSmall(line);
    case KeyKind::kMd5:
    case KeyKind::kSha256: {
      small_.assign(line);
      MakeSmall(small_);
      const std::size_t start = made.size(), size = DigestSize(digester_->Kind());
      made.resize(start + size);
      digester_->Digest(small_, reinterpret_cast<unsigned char*>(made.data() + start));
      return std::string_view(made).substr(start);
    }
    case KeyKind::kDomain: {
      const std::size_t at = line.rfind('@');
      if (at == std::string_view::npos) return std::nullopt;
      return appendSmall(line.substr(at + 1));
    }
  }
  return std::nullopt;
}

void AppendHex(std::span<const unsigned char> bytes, std::string& out) {
  constexpr char kDigits[] = "0123456789abcdef";
  for (const unsigned char byte : bytes) {
    out += kDigits[byte >> 4];
    out += kDigits[byte & 15];
  }
}

}  // namespace ondrel
