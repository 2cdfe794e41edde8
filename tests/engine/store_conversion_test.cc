#include "engine/store_conversion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/failure.h"
#include "common/file_status.h"
#include "common/path_rules.h"
#include "common/recording_window_system.h"
#include "common/test_files.h"

namespace ondrel {
namespace {

using testing::RecordingWindowSystem;
using testing::ScratchFolder;

struct Conversion {
  std::optional<std::string> Convert(const std::string& source,
                                     std::optional<FileIdentity> excluded = {}) {
    return ConvertStoreFile(
        source, [&] { return scratch / ("copy" + std::to_string(++drawn)); }, excluded, buffer,
        windows);
  }
  ScratchFolder scratch;
  RecordingWindowSystem windows;
  ReadBuffer buffer{7};  // small, so that the copy is made piece by piece
  int drawn = 0;
};

TEST(ConvertStoreFile, NeutralisesControlBytesOtherThanLineEnds) {
  Conversion c;
  std::string bytes, expected;
  for (int round = 0; round < 3; ++round) {
    for (int byte = 0; byte < 256; ++byte) {
      bytes += static_cast<char>(byte);
      expected += byte == 0                                 ? ' '
                  : (byte < 32 && byte != 10 && byte != 13) ? '\x1f'
                                                            : static_cast<char>(byte);
    }
  }
  const auto copy = c.Convert(c.scratch.Write("Posta.dbx", bytes));
  ASSERT_TRUE(copy);
  EXPECT_EQ(ScratchFolder::Read(*copy), expected);
  EXPECT_EQ(c.windows.Caption(StatusLabel::kMail), "Conversione di: Posta.dbx");
  EXPECT_EQ(c.windows.yields, 1);

  if (!kWindowsPlatform) {
    EXPECT_EQ(StatusOf(*copy)->permissions, 0600u);  // the owner's only
  }
}

TEST(ConvertStoreFile, CreatesItsCopyUnderAFreshNameOnly) {
  Conversion c;
  c.scratch.Write("copy1", "someone else's");
  const auto copy = c.Convert(c.scratch.Write("a.dbx", std::string("x\0y", 3)));
  EXPECT_EQ(copy, c.scratch / "copy2");
  EXPECT_EQ(ScratchFolder::Read(c.scratch / "copy1"), "someone else's");
  EXPECT_EQ(ScratchFolder::Read(*copy), "x y");

  EXPECT_EQ(ScratchFolder::Read(*c.Convert(c.scratch.Write("empty.dbx", ""))), "");
}

TEST(ConvertStoreFile, LeavesAnEmptyCopyWhenTheStoreFileCannotBeOpened) {
  Conversion c;
  EXPECT_THROW(c.Convert(c.scratch / "missing.dbx"), Failure);
  EXPECT_TRUE(std::filesystem::exists(c.scratch / "copy1"));
  EXPECT_EQ(ScratchFolder::Read(c.scratch / "copy1"), "");
}

TEST(ConvertStoreFile, CopiesNothingOfAnExcludedFile) {
  Conversion c;
  const std::string source = c.scratch.Write("out.dbx", "a@b.com");
  EXPECT_EQ(c.Convert(source, IdentityOf(source)), std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(c.scratch / "copy1"));
}

}  // namespace
}  // namespace ondrel
