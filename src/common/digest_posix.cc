#include <openssl/evp.h>

#include <string>

#include "common/digest.h"
#include "common/failure.h"

namespace ondrel {
namespace {

[[noreturn]] void ThrowDigestFailure(DigestKind kind, std::string_view what) {
  throw Failure(kFailureSystem, "libcrypto: " + std::string(what) + " " +
                                    std::string(DigestName(kind)) + " non riuscito");
}

}  // namespace

// The algorithm is fetched once: initialising with a fetched one skips the look-up that
// EVP_md5() and EVP_sha256() cost at every digest.
struct Digester::Context {
  EVP_MD* algorithm = nullptr;
  EVP_MD_CTX* digest = nullptr;
  ~Context() {
    EVP_MD_CTX_free(digest);
    EVP_MD_free(algorithm);
  }
};

Digester::Digester(DigestKind kind) : kind_(kind), context_(std::make_unique<Context>()) {
  context_->algorithm =
      EVP_MD_fetch(nullptr, kind == DigestKind::kMd5 ? "MD5" : "SHA2-256", nullptr);
  context_->digest = EVP_MD_CTX_new();
  if (context_->algorithm == nullptr || context_->digest == nullptr)
    ThrowDigestFailure(kind, "avvio del digest");
}

Digester::~Digester() = default;
Digester::Digester(Digester&&) noexcept = default;
Digester& Digester::operator=(Digester&&) noexcept = default;

void Digester::Digest(std::string_view bytes, unsigned char* out) {
  unsigned int length = 0;
  if (EVP_DigestInit_ex2(context_->digest, context_->algorithm, nullptr) != 1 ||
      EVP_DigestUpdate(context_->digest, bytes.data(), bytes.size()) != 1 ||
      EVP_DigestFinal_ex(context_->digest, out, &length) != 1 || length != DigestSize(kind_))
    ThrowDigestFailure(kind_, "calcolo del digest");
}

}  // namespace ondrel
