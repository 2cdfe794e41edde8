// The system library's digests against the published test vectors.
#include "common/digest.h"

#include <gtest/gtest.h>

#include <string>

#include "lists/exclusion_keys.h"

namespace ondrel {
namespace {

std::string HexDigest(Digester& digester, std::string_view text) {
  unsigned char digest[kLongestDigest];
  digester.Digest(text, digest);
  std::string hex;
  AppendHex({digest, DigestSize(digester.Kind())}, hex);
  return hex;
}

// RFC 1321's test suite and FIPS 180-2's examples, one digester per kind for all of them:
// a context reused after each digest must start afresh.
TEST(Digester, GivesThePublishedDigests) {
  const std::string million(1000000, 'a');
  const struct {
    DigestKind kind;
    std::string text;
    const char* hex;
  } cases[] = {
      {DigestKind::kMd5, "", "d41d8cd98f00b204e9800998ecf8427e"},
      {DigestKind::kMd5, "a", "0cc175b9c0f1b6a831c399e269772661"},
      {DigestKind::kMd5, "abc", "900150983cd24fb0d6963f7d28e17f72"},
      {DigestKind::kMd5, "message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {DigestKind::kMd5, "abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {DigestKind::kMd5, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
       "d174ab98d277d9f5a5611c2c9f419d9f"},
      {DigestKind::kMd5,
       "12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
      {DigestKind::kSha256, "abc",
       "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {DigestKind::kSha256, "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {DigestKind::kSha256, million,
       "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
      {DigestKind::kSha256, "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
  };
  Digester md5(DigestKind::kMd5), sha256(DigestKind::kSha256);
  for (int round = 0; round < 2; ++round) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.text.substr(0, 20));
      EXPECT_EQ(HexDigest(c.kind == DigestKind::kMd5 ? md5 : sha256, c.text), c.hex);
    }
  }
}

}  // namespace
}  // namespace ondrel
