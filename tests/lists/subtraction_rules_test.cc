// The subtraction's rules beyond the exact one: letter case, digests, domains, several rules
// at once, and the file of the removed lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/digest.h"
#include "common/paths.h"
#include "common/test_files.h"
#include "lists/exclusion_keys.h"
#include "lists/hash_list.h"
#include "lists/subtraction.h"

namespace ondrel {
namespace {

using testing::ScratchFolder;

// The hex digest of `text` as a list service would write it, in small or capital letters.
std::string HexOf(DigestKind kind, std::string_view text, bool capitals = false) {
  unsigned char digest[kLongestDigest];
  Digester(kind).Digest(text, digest);
  std::string hex;
  AppendHex({digest, DigestSize(kind)}, hex);
  if (capitals) std::transform(hex.begin(), hex.end(), hex.begin(), ::toupper);
  return hex;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// Each base line once, so that MailNew.txt and the removed lines split it in one way only.
const std::vector<std::string> kBase = {
    "  anna@example.com  ",  // 0: spaces around
    "Bruno@Example.ORG",     // 1: capitals
    "\"c@d\"@example.net",   // 2: a local part that holds "@"
    "dora@EXAMPLE.COM",      // 3: a domain in capitals
    "",                      // 4: an empty line
    "no-at-sign",            // 5: no "@"
    "eva@mail.example.com",  // 6: a sub-domain
    "franco@example.it",     // 7
};

struct Rule {
  KeyKind kind;
  std::vector<std::string> lines;
  std::int64_t removed, unfit, firstUnfit;
};

TEST(SubtractionRules, EachRuleRemovesWhatItsKeysSay) {
  const std::string md5Anna = HexOf(DigestKind::kMd5, "anna@example.com", true);
  const std::vector<std::string> list = {" anna@example.com", "bruno@example.org", ""};
  const struct {
    const char* what;
    std::vector<Rule> rules;
    std::vector<int> survivors;
  } cases[] = {
      {"exact", {{KeyKind::kExact, list, 2, 0, 0}}, {1, 2, 3, 5, 6, 7}},
      {"ignoring case", {{KeyKind::kIgnoreCase, list, 3, 0, 0}}, {2, 3, 5, 6, 7}},
      {"MD5 digests in either case, among lines that are none",
       {{KeyKind::kMd5,
         {md5Anna,
          std::string("  ").append(HexOf(DigestKind::kMd5, "bruno@example.org")).append(" "),
          md5Anna.substr(1), md5Anna + "0", std::string("g").append(md5Anna, 1),
          HexOf(DigestKind::kMd5, "")},
         3,
         3,
         3}},
       {2, 3, 5, 6, 7}},
      {"SHA-256 digests",
       {{KeyKind::kSha256,
         {HexOf(DigestKind::kSha256, "franco@example.it", true), md5Anna,
          HexOf(DigestKind::kSha256, "\"c@d\"@example.net").substr(0, 63)},
         1,
         2,
         2}},
       {0, 1, 2, 3, 4, 5, 6}},
      {"domains in any case, after the last @",
       {{KeyKind::kDomain, {"example.com", " @EXAMPLE.NET", "", "x@example.it", "@"}, 3, 3, 3}},
       {1, 4, 5, 6, 7}},
      {"a sub-domain only when written",
       {{KeyKind::kDomain, {"Mail.Example.com"}, 1, 0, 0}},
       {0, 1, 2, 3, 4, 5, 7}},
      {"a line removed by two rules counts for the first",
       {{KeyKind::kExact, list, 2, 0, 0}, {KeyKind::kDomain, {"example.com"}, 1, 0, 0}},
       {1, 2, 5, 6, 7}},
  };
  // Each case in memory and, with a budget that holds no rule, through temporary files.
  for (const auto& c : cases)
    for (const std::optional<std::uint64_t> budget :
         {std::optional<std::uint64_t>(), std::optional<std::uint64_t>(1)}) {
      SCOPED_TRACE(std::string(c.what) + (budget ? ", beyond the memory" : ""));
      ScratchFolder scratch;
      SubtractionRules rules{{}, scratch / "removed.txt"};
      for (std::size_t r = 0; r < c.rules.size(); ++r)
        rules.exclusions.push_back(
            {scratch.Write("rule" + std::to_string(r) + ".txt", Lines(c.rules[r].lines)),
             c.rules[r].kind});
      const std::string base = scratch.Write("base.txt", Lines(kBase));
      const SubtractionResult result =
          SubtractLists(base, rules, scratch / "MailNew.txt", SystemFileSystem(), budget);
      ASSERT_TRUE(result.completed);
      EXPECT_EQ(testing::NamesIn(scratch.Path()).size(), 3 + c.rules.size()) << "no temporary file";

      std::vector<std::string> kept, removed;
      for (int i = 0; i < static_cast<int>(kBase.size()); ++i) {
        const bool survives =
            std::find(c.survivors.begin(), c.survivors.end(), i) != c.survivors.end();
        (survives ? kept : removed).emplace_back(TrimSpaces(kBase[i]));
      }
      EXPECT_EQ(ScratchFolder::Read(scratch / "MailNew.txt"), Lines(kept));
      EXPECT_EQ(ScratchFolder::Read(scratch / "removed.txt"), Lines(removed));
      EXPECT_EQ(result.baseLinesRead, static_cast<std::int64_t>(kBase.size()));
      EXPECT_EQ(result.linesWritten, static_cast<std::int64_t>(kept.size()));
      ASSERT_EQ(result.exclusions.size(), c.rules.size());
      for (std::size_t r = 0; r < c.rules.size(); ++r) {
        EXPECT_EQ(result.exclusions[r].lines, static_cast<std::int64_t>(c.rules[r].lines.size()));
        EXPECT_EQ(result.exclusions[r].removed, c.rules[r].removed) << "rule " << r;
        EXPECT_EQ(result.exclusions[r].unfit, c.rules[r].unfit) << "rule " << r;
        EXPECT_EQ(result.exclusions[r].firstUnfit, c.rules[r].firstUnfit) << "rule " << r;
      }
    }
}

// Lists of lower-case lines, a digest list made from the exclusion list removes just what the
// list itself removes; enough lines for the digests to be made on two threads.
TEST(SubtractionRules, ADigestListMadeByHashListRemovesWhatItsListRemoves) {
  std::mt19937 random(23);
  std::vector<std::string> base, exclusion;
  for (int i = 0; i < 20000; ++i) {
    const std::string address = "user" + std::to_string(random() % 30000) + "@example.org";
    base.push_back(random() % 8 == 0 ? std::string("  ").append(address) : address);
    if (random() % 3 == 0) exclusion.push_back(address);
  }
  base.push_back("");
  exclusion.push_back("");
  for (const DigestKind kind : {DigestKind::kMd5, DigestKind::kSha256}) {
    ScratchFolder scratch;
    const std::string plain = scratch.Write("plain/base.txt", Lines(base));
    const std::string hashed = scratch.Write("hashed/base.txt", Lines(base));
    const std::string list = scratch.Write("exclusion.txt", Lines(exclusion));
    const HashListResult digests = HashList(list, scratch / "digests.txt", kind);
    ASSERT_TRUE(digests.completed);
    EXPECT_EQ(digests.linesWritten, static_cast<std::int64_t>(exclusion.size()));
    const KeyKind keys = kind == DigestKind::kMd5 ? KeyKind::kMd5 : KeyKind::kSha256;
    const SubtractionResult byList = SubtractLists(plain, list, scratch / "plain/MailNew.txt");
    const SubtractionResult byDigest =
        SubtractLists(hashed, SubtractionRules{{{scratch / "digests.txt", keys}}, {}},
                      scratch / "hashed/MailNew.txt");
    ASSERT_TRUE(byList.completed && byDigest.completed);
    EXPECT_EQ(byDigest.exclusions[0].unfit, 0);
    EXPECT_EQ(byDigest.linesWritten, byList.linesWritten);
    EXPECT_LT(byList.linesWritten, static_cast<std::int64_t>(base.size()));
    EXPECT_TRUE(ScratchFolder::Read(scratch / "plain/MailNew.txt") ==
                ScratchFolder::Read(scratch / "hashed/MailNew.txt"));
  }
}

TEST(SubtractionRules, AFileWithNoLineOfItsFormWritesNothing) {
  for (const std::string& lines : {std::string(), std::string("anna@example.com\r\n\r\n")}) {
    ScratchFolder scratch;
    const std::string output = scratch.Write("MailNew.txt", "old\r\n");
    const SubtractionRules rules{{{scratch.Write("digests.txt", lines), KeyKind::kMd5}},
                                 scratch / "removed.txt"};
    const SubtractionResult result =
        SubtractLists(scratch.Write("base.txt", "a\r\n"), rules, output);
    EXPECT_FALSE(result.completed);
    EXPECT_TRUE(result.noKeys);
    EXPECT_FALSE(result.outputWritten);
    EXPECT_EQ(ScratchFolder::Read(output), "old\r\n");
    EXPECT_FALSE(std::filesystem::exists(testing::FsPath(scratch / "removed.txt")));
  }
}

}  // namespace
}  // namespace ondrel
