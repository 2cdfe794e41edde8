#include "engine/file_scanner.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/test_platform.h"
#include "engine/harvest_fixture.h"

namespace ondrel {
namespace {

using testing::HarvestFixture;
using testing::ScratchFolder;
using Lines = std::vector<std::string>;
using namespace std::string_literals;

TEST(ScanFile, WritesEveryAddressOfAnyBytesAndLineEnds) {
  const struct {
    std::string bytes;
    Lines addresses;
  } cases[] = {
      {"", {}},
      {"a@b\rc@d\re@f", {"a@b", "c@d", "e@f"}},
      {"a@b\nc@d\n", {"a@b", "c@d"}},
      {"a@b\r\n\r\nc@d;\r\n", {"a@b", "c@d"}},
      {"\0a@b\0 \xff\xfe@\x80\x01"s, {"\0a@b\0"s, "\xff\xfe@\x80\x01"}},
  };
  for (const auto& c : cases) {
    HarvestFixture h;
    EXPECT_EQ(h.Scan(h.tree.Write("Lettera.txt", c.bytes)), 0);
    EXPECT_EQ(h.Scanned(), Lines{"Lettera.txt"});
    EXPECT_EQ(h.Shown(), c.addresses);
    EXPECT_EQ(h.found, static_cast<std::int32_t>(c.addresses.size()));
    h.output.Close();
    std::string written;
    for (const auto& address : c.addresses) written += address + "\r\n";
    EXPECT_EQ(ScratchFolder::Read(h.out / "MailOut.txt"), written);
  }
}

TEST(ScanFile, ReadsAHundredMegabyteLineWithoutAnEnd) {
  HarvestFixture h;
  // Zero bytes, which split no token, written as a hole in the file.
  const std::string path = h.tree.Write("big.txt", "first@a ");
  std::filesystem::resize_file(path, (100u << 20) + 8);
  std::ofstream(path, std::ios::binary | std::ios::app) << " last@b;";
  EXPECT_EQ(h.Scan(path), 0);
  EXPECT_EQ(h.Shown(), (Lines{"first@a", "last@b"}));
}

TEST(ScanFile, ReadsAStoreFileThroughACopyThatStays) {
  HarvestFixture h;
  h.kind = kKindStoreFiles;
  const std::string store = "\0\0ab@cdefgh.com\0\x01xx@yy.it\r\nmn@op.org\0"s;
  EXPECT_EQ(h.Scan(h.tree.Write("Posta.dbx", store)), 0);
  EXPECT_EQ(h.Scanned(), Lines{"Posta.dbx"});
  EXPECT_EQ(h.Shown(), (Lines{"ab@cdefgh.com", "mn@op.org"}));
  EXPECT_EQ(ScratchFolder::Read(h.out / "copy1").size(), store.size());
}

TEST(ScanFile, EndsOnlyItsOwnScanWhenTheFileCannotBeRead) {
  HarvestFixture h;
  const std::string vanishing = h.tree.Write("gone.txt", "a@b");
  const std::string replaced = h.tree.Write("folder.txt", "a@b");
  h.windows.onYield = [&] {
    std::filesystem::remove(vanishing);
    if (std::filesystem::is_regular_file(replaced)) {
      std::filesystem::remove(replaced);
      std::filesystem::create_directory(replaced);
    }
  };
  EXPECT_EQ(h.Scan(vanishing), kFailureNotFound);
  EXPECT_EQ(h.Scan(replaced), kFailureIsFolder);
  h.kind = kKindStoreFiles;
  EXPECT_EQ(h.Scan(h.tree / "missing.dbx"), kFailureNotFound);
  EXPECT_EQ(h.Scanned(), (Lines{"gone.txt", "folder.txt", "missing.dbx"}));
  EXPECT_EQ(h.found, 0);
}

TEST(ScanFile, NeverReadsTheRunsOwnOutput) {
  HarvestFixture h;
  h.output.WriteLine("old@address");
  ASSERT_TRUE(testing::MakeHardLink(h.out / "MailOut.txt", h.tree / "hard.dbx"));
  EXPECT_EQ(h.Scan(h.out / "MailOut.txt"), 0);
  if (testing::MakeSymbolicLink(h.out / "MailOut.txt", h.tree / "soft.txt")) {
    EXPECT_EQ(h.Scan(h.tree / "soft.txt"), 0);
  }
  h.kind = kKindStoreFiles;
  EXPECT_EQ(h.Scan(h.tree / "hard.dbx"), 0);
  EXPECT_FALSE(std::filesystem::exists(h.out / "copy1"));
  EXPECT_EQ(h.found, 0);
}

TEST(ScanFile, LeavesFailuresOfTheOutputAndTheCountToTheRun) {
  HarvestFixture h;
  h.found = std::numeric_limits<std::int32_t>::max();
  try {
    h.Scan(h.tree.Write("a.txt", "a@b"));
    FAIL();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.Number(), kFailureOverflow);
  }

  HarvestFixture full;
  full.files.FillAfter(1000);
  std::string many;
  for (int i = 0; i < 10000; ++i) many += "address" + std::to_string(i) + "@example.com\n";
  try {
    full.Scan(full.tree.Write("many.txt", many));
    FAIL();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.Number(), kFailureNoSpace);
  }
}

}  // namespace
}  // namespace ondrel
