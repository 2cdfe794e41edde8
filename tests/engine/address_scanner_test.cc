#include "engine/address_scanner.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/test_files.h"
#include "common/text_reader.h"
#include "engine/file_kind.h"
#include "engine/literal_scan.h"

namespace ondrel {
namespace {

using testing::ScratchFolder;

struct Collector : AddressSink {
  void Found(std::string_view address) override { addresses.emplace_back(address); }
  std::vector<std::string> addresses;
};

std::vector<std::string> FastAddresses(std::string_view bytes, std::int16_t kind) {
  Collector collector;
  ScanLines(bytes, kind, collector);
  return collector.addresses;
}

std::vector<std::string> FastAddressesFromFile(const std::string& path, std::int16_t kind,
                                               std::size_t block) {
  Collector collector;
  ReadBuffer buffer(block);
  TextFileReader reader(path, buffer);
  std::string_view lines;
  while (reader.NextLines(lines)) ScanLines(lines, kind, collector);
  return collector.addresses;
}

using Lines = std::vector<std::string>;

TEST(ScanLines, SplitsLinesAtSpacesAsDocumented) {
  const std::string a = "ab@cdefgh.com", b = "x@y";
  const struct {
    std::string bytes;
    Lines text_addresses;
  } cases[] = {
      {"", {}},
      {"\r\n", {}},
      {"Scrivi a " + a + ";", {a}},
      {"Scrivi a " + a + ";;", {a + ";"}},
      {a + " ;", {a}},
      {"  " + a, {a}},
      {a + "  " + b + " ", {a, b}},
      {a + "\t" + b, {a + "\t" + b}},
      {"x@@y@z", {"x@@y@z"}},
      {"@;", {"@"}},
      {a + "\r" + b + "\n" + a + "\r\n" + b, {a, b, a, b}},
      {std::string("\0", 1) + a + "\xe9" + " " + b, {std::string("\0", 1) + a + "\xe9", b}},
  };
  ScratchFolder scratch;
  for (const auto& c : cases) {
    EXPECT_EQ(FastAddresses(c.bytes, kKindTextFiles), c.text_addresses) << c.bytes;
    EXPECT_EQ(testing::LiteralAddresses(scratch.Write("f.txt", c.bytes), kKindTextFiles),
              c.text_addresses)
        << c.bytes;
  }
}

TEST(ScanLines, KeepsLeadingSpacesWhenNoOtherSpaceSplitsTheLine) {
  // Unsplit, the token starts with spaces, which a store address may not.
  const std::string a = "ab@cdefgh.com";
  EXPECT_EQ(FastAddresses("  " + a, kKindStoreFiles), Lines{});
  EXPECT_EQ(FastAddresses("  " + a + " ", kKindStoreFiles), Lines{a});
  EXPECT_EQ(FastAddresses("x\n  " + a + ";", kKindStoreFiles), Lines{});
  EXPECT_EQ(FastAddresses("  x " + a, kKindStoreFiles), Lines{a});
}

TEST(ScanLines, ReadsTheKindAfreshForEveryToken) {
  struct Switcher : AddressSink {
    void Found(std::string_view address) override {
      addresses.emplace_back(address);
      kind = kKindWebPages;
    }
    std::int16_t kind = kKindTextFiles;
    Lines addresses;
  } switcher;
  ScanLines("a@b \"mailto:c@d\" e@f", switcher.kind, switcher);
  EXPECT_EQ(switcher.addresses, (Lines{"a@b", "c@d"}));
}

// Random lines of the bytes that matter to splitting and isolation.
std::string RandomText(std::mt19937& random) {
  static const std::vector<std::string> pieces = {"a",
                                                  "Z",
                                                  "k",
                                                  "0",
                                                  ".",
                                                  "-",
                                                  "_",
                                                  " ",
                                                  " ",
                                                  " ",
                                                  "  ",
                                                  ";",
                                                  ";",
                                                  "\t",
                                                  "@",
                                                  "@",
                                                  ":",
                                                  "\"",
                                                  ">",
                                                  "<",
                                                  "\r",
                                                  "\n",
                                                  "\r\n",
                                                  std::string(1, '\0'),
                                                  "\x80",
                                                  "\xe9",
                                                  "\xff",
                                                  "\x1f",
                                                  "mailto:",
                                                  "MailTo:",
                                                  "href=\"mailto:",
                                                  "ab@cdefgh.com",
                                                  "xy@ab.it",
                                                  "WEB@ab.com",
                                                  "spam@abc.com",
                                                  "mailto:ab@cd.net\">",
                                                  "a.b@c.d.com"};
  std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1);
  std::uniform_int_distribution<int> length(0, 60);
  std::string text;
  for (int i = length(random) * length(random) / 8; i >= 0; --i) text += pieces[piece(random)];
  return text;
}

TEST(ScanLines, FindsWhatTheLiteralRoutineFindsOnGeneratedInput) {
  ScratchFolder scratch;
  std::mt19937 random(20240607);
  std::size_t found[3] = {};
  for (int round = 0; round < 3000; ++round) {
    const std::string bytes = RandomText(random);
    // A new file each round: rewriting one in place makes some file systems flush it.
    const std::string path = scratch.Write(std::to_string(round) + ".txt", bytes);
    for (std::int16_t kind : {kKindWebPages, kKindTextFiles, kKindStoreFiles}) {
      const Lines literal = testing::LiteralAddresses(path, kind);
      ASSERT_EQ(FastAddresses(bytes, kind), literal) << "kind " << kind << " bytes " << bytes;
      found[kind] += literal.size();
      if (round % 10 == 0) {
        for (std::size_t block : {3, 16}) {
          ASSERT_EQ(FastAddressesFromFile(path, kind, block), literal)
              << "kind " << kind << " block " << block << " bytes " << bytes;
        }
      }
    }
  }
  // The input is rich enough for every kind to find addresses.
  for (std::size_t count : found) EXPECT_GT(count, 300u);
}

}  // namespace
}  // namespace ondrel
