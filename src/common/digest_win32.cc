#include <windows.h>
// After windows.h, which it needs.
#include <bcrypt.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "common/digest.h"
#include "common/failure.h"

namespace ondrel {
namespace {

[[noreturn]] void ThrowDigestFailure(DigestKind kind, std::string_view what, NTSTATUS status) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(status));
  throw Failure(kFailureSystem, "BCrypt: " + std::string(what) + " " +
                                    std::string(DigestName(kind)) + " non riuscito (" + code + ")");
}

}  // namespace

// One reusable hash object: BCryptFinishHash leaves it ready for the next text, so a digest
// costs no allocation.
struct Digester::Context {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  BCRYPT_HASH_HANDLE hash = nullptr;
  ~Context() {
    if (hash != nullptr) BCryptDestroyHash(hash);
    if (algorithm != nullptr) BCryptCloseAlgorithmProvider(algorithm, 0);
  }
};

Digester::Digester(DigestKind kind) : kind_(kind), context_(std::make_unique<Context>()) {
  NTSTATUS status = BCryptOpenAlgorithmProvider(
      &context_->algorithm,
      kind == DigestKind::kMd5 ? BCRYPT_MD5_ALGORITHM : BCRYPT_SHA256_ALGORITHM, nullptr,
      BCRYPT_HASH_REUSABLE_FLAG);
  if (BCRYPT_SUCCESS(status))
    status = BCryptCreateHash(context_->algorithm, &context_->hash, nullptr, 0, nullptr, 0,
                              BCRYPT_HASH_REUSABLE_FLAG);
  if (!BCRYPT_SUCCESS(status)) ThrowDigestFailure(kind, "avvio del digest", status);
}

Digester::~Digester() = default;
Digester::Digester(Digester&&) noexcept = default;
Digester& Digester::operator=(Digester&&) noexcept = default;

void Digester::Digest(std::string_view bytes, unsigned char* out) {
  NTSTATUS status = 0;
  // BCryptHashData takes at most 4 GiB at a time.
  while (!bytes.empty() && BCRYPT_SUCCESS(status)) {
    const auto piece = static_cast<ULONG>(std::min<std::size_t>(bytes.size(), 1UL << 30));
    status = BCryptHashData(context_->hash,
                            reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data())), piece, 0);
    bytes.remove_prefix(piece);
  }
  if (BCRYPT_SUCCESS(status))
    status = BCryptFinishHash(context_->hash, out, static_cast<ULONG>(DigestSize(kind_)), 0);
  if (!BCRYPT_SUCCESS(status)) ThrowDigestFailure(kind_, "calcolo del digest", status);
}

}  // namespace ondrel
