// Cryptographic digests (MD5, SHA-256) computed by the system's own cryptographic library.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace ondrel {

enum class DigestKind { kMd5, kSha256 };

inline constexpr std::size_t kLongestDigest = 32;

// The digest's length in bytes: 16 for MD5, 32 for SHA-256.
constexpr std::size_t DigestSize(DigestKind kind) {
  return kind == DigestKind::kMd5 ? 16 : 32;
}

// The digest's name for the user: "MD5" or "SHA-256".
constexpr std::string_view DigestName(DigestKind kind) {
  return kind == DigestKind::kMd5 ? "MD5" : "SHA-256";
}

// Digests one text after another with one context of the library, made once. Not for two
// threads at a time: each thread takes a Digester of its own.
class Digester {
 public:
  // Throws Failure (kFailureSystem) when the library does not offer the digest.
  explicit Digester(DigestKind kind);
  ~Digester();
  Digester(Digester&&) noexcept;
  Digester& operator=(Digester&&) noexcept;

  DigestKind Kind() const { return kind_; }
  // Writes the DigestSize(Kind()) bytes of the digest of `bytes` to `out`. Throws Failure
  // (kFailureSystem) when the library fails; the Digester is not used again after that.
  void Digest(std::string_view bytes, unsigned char* out);

 private:
  struct Context;  // the library's handles, one kind per platform
  DigestKind kind_;
  std::unique_ptr<Context> context_;
};

}  // namespace ondrel
