// The rules of the subtraction, each as a pair of keys: a base line goes when its key is one
// of the keys of the exclusion lines. Both kinds of line are trimmed of spaces first. In
// memory a rule is one set of exclusion keys and a look-up per base line; lists beyond the
// memory can be split by a hash of the key.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/digest.h"

namespace ondrel {

enum class KeyKind {
  kExact,       // the line itself
  kIgnoreCase,  // the line with its ASCII capitals made small
  kMd5,         // base: the 16 raw bytes of the MD5 digest of the line made small;
                // exclusion: 32 hex digits in either case, decoded
  kSha256,      // the same with SHA-256: 32 raw bytes, 64 hex digits
  kDomain,      // base: what follows the last "@", made small (no key without an "@");
                // exclusion: the line made small without one leading "@" (no key when
                // that is empty or holds an "@")
};

// Whether lines may lack a key of `kind`: an exclusion file of such a kind is of no use when
// none of its lines has one.
bool KeysHaveAForm(KeyKind kind);

// The digest the keys of `kind` are, if any.
std::optional<DigestKind> DigestOfKeys(KeyKind kind);

// The key of the trimmed exclusion line `line`, made in place in its bytes (no key is longer
// than its line); none when the line is not of the kind's form.
std::optional<std::string_view> ExclusionKey(KeyKind kind, std::span<char> line);

// Makes the keys of base lines. Each thread takes its own: a digest holds a context of the
// system's library.
class BaseKeyMaker {
 public:
  // Throws Failure when the system's library does not offer the digest.
  explicit BaseKeyMaker(KeyKind kind);

  // The room KeyOf may take in `made` for `line`.
  static std::size_t RoomFor(std::string_view line) { return line.size() + kLongestDigest; }

  // The key of the trimmed base line `line`: a view of the line itself, or of at most
  // RoomFor(line) bytes appended to `made`, so that keys made earlier stay valid while
  // `made` has the capacity reserved for them. None when the line has no key.
  std::optional<std::string_view> KeyOf(std::string_view line, std::string& made);

 private:
  KeyKind kind_;
  std::optional<Digester> digester_;
  std::string small_;  // a line made small, before its digest
};

// Appends `bytes` as hex digits in small letters: the form of a line of digests.
void AppendHex(std::span<const unsigned char> bytes, std::string& out);

}  // namespace ondrel
