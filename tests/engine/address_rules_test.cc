#include <gtest/gtest.h>

#include <string>

#include "engine/address_isolation.h"
#include "engine/address_validation.h"
#include "engine/file_kind.h"

namespace ondrel {
namespace {

bool Valid(const std::string& candidate) {
  return IsValidAddress(candidate, candidate.find('@'));
}

TEST(IsValidAddress, AcceptsOnlyPlainLowerCaseAddressesWithAShortTopLevelPart) {
  const std::string local_99 = std::string(87, 'a') + "@example.com";  // 99 characters
  const struct {
    std::string candidate;
    bool valid;
  } cases[] = {
      {"a@b.cc", true},
      {"a@b.c", false},  // 5 characters
      {local_99, true},
      {"a" + local_99, false},  // 100 characters
      {"mario@esempio.com", true},
      {"mario.rossi@esempio.com", true},
      {"mario-rossi@esempio.it", true},
      {"-mario@esempio.com", false},
      {"mario@esempio.com.", false},
      {"mario_rossi@esempio.com", false},
      {"mario+x@esempio.com", false},
      {"Mario@esempio.com", false},
      {"mario@ESEMPIO.com", false},
      {"mario@posta.esempio.com", false},
      {"mario@esempio.co.uk", false},
      {"mario@esempio.info", false},
      {"mario@esempio", false},
      {"mario@esempio.c", false},
      {"mario@esem@pio.com", false},
      {"mario@esempio.c@m", false},
      {"m\xe0rio@esempio.com", false},
      {"mario%x@esempio.com", false},
      {"webmaster@esempio.com", false},
      {"xxspam@esempio.com", false},
      {"mario@remove.com", false},
      {"mario@xabusex.com", false},
      {"<mario@esempio.com>", false},
      {"mario@esempio.com\x1f", false},
      {"mario@-esempio.com", true},  // only the ends are tested for a hyphen
  };
  for (const auto& c : cases) EXPECT_EQ(Valid(c.candidate), c.valid) << c.candidate;
}

TEST(IsolateAddress, CutsByKind) {
  const std::string a = "mari@esempio.com";
  const struct {
    std::string token;
    std::int16_t kind;
    std::string address;
  } cases[] = {
      {"href=\"mailto:" + a + "\">Info", kKindWebPages, a},
      {"HREF=\"MAILTO:" + a + "\">Info", kKindWebPages, a},
      {"href=mailto:" + a + ">x", kKindWebPages, a},
      {"mailto:" + a + ">x\"", kKindWebPages, a + ">x"},
      {"mailto:" + a, kKindWebPages, ""},
      {"<b>" + a + "</b>", kKindWebPages, ""},
      {"x:" + a + "\"", kKindWebPages, ""},
      {"href=\"mailto:" + a + "?subject=Hi\">", kKindWebPages, a + "?subject=Hi"},
      // "mailto:" may stand anywhere after where one ending at the colon would begin.
      {"abcdef:" + a + "\"mailto:", kKindWebPages, a},
      {"abcde:" + a + "\"", kKindWebPages, ""},
      {"mailto:x:" + a + "\"", kKindWebPages, ""},
      {"mAiLtO:" + a + "\"", 7, a},  // an unknown kind follows the link rule
      {"(" + a + "),", kKindTextFiles, "(" + a + "),"},
      {a, kKindStoreFiles, a},
      {"Mari@esempio.com", kKindStoreFiles, ""},
      {"<" + a + ">", kKindStoreFiles, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsolateAddress(c.token, c.token.find('@'), c.kind), c.address)
        << c.token << " kind " << c.kind;
  }
}

}  // namespace
}  // namespace ondrel
