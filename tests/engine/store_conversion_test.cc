#include "engine/store_conversion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/failure.h"
#include "common/file_status.h"
#include "common/file_system.h"
#include "common/path_rules.h"
#include "common/read_lines.h"
#include "common/recording_window_system.h"
#include "common/test_files.h"
#include "common/test_platform.h"
#include "common/text_reader.h"

namespace ondrel {
namespace {

using testing::RecordingWindowSystem;
using testing::ScratchFolder;

struct Conversion {
  std::optional<std::string> Convert(const std::string& source,
                                     std::optional<FileIdentity> excluded = {}) {
    auto copy = ConvertIt(source, excluded);
    if (!copy) return std::nullopt;
    return copy->path;
  }
  std::optional<StoreCopy> ConvertIt(const std::string& source,
                                     std::optional<FileIdentity> excluded = {}) {
    return ConvertStoreFile(
        source, [&] { return scratch / ("copy" + std::to_string(++drawn)); }, excluded, buffer,
        progress);
  }
  ScratchFolder scratch;
  RecordingWindowSystem windows;
  WindowProgress progress{windows};
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
    EXPECT_EQ(SystemFileSystem().StatusOf(*copy).permissions, 0600u);  // the owner's only
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

TEST(ConvertStoreFile, RemovesItsCopyWhenTheStoreFileCannotBeRead) {
  Conversion c;
  EXPECT_THROW(c.Convert(c.scratch / "missing.dbx"), Failure);
  EXPECT_THROW(c.Convert(c.scratch.Write("folder.dbx/inside", "x") + "/.."), Failure);
  EXPECT_FALSE(std::filesystem::exists(c.scratch / "copy1"));
  EXPECT_FALSE(std::filesystem::exists(c.scratch / "copy2"));
}

// In a temporary folder others may write, the copy's name may lead to another file by the
// time it is read: the scan reads the descriptor that wrote it.
TEST(ConvertStoreFile, HandsBackTheCopyOpenAtItsStartWhateverItsNameLeadsToLater) {
  if (kWindowsPlatform) GTEST_SKIP() << "the name of a file held open is not free on Windows";
  Conversion c;
  const std::string secret = c.scratch.Write("secret.txt", "private@example.com");
  auto copy = c.ConvertIt(c.scratch.Write("Posta.dbx", std::string("ab@cd.it\0", 9)));
  ASSERT_TRUE(copy);
  std::filesystem::remove(copy->path);
  ASSERT_TRUE(testing::MakeSymbolicLink(secret, copy->path));
  TextFileReader reader(std::move(copy->file), copy->path, c.buffer, SystemFileSystem());
  EXPECT_EQ(testing::LinesRead(reader), std::vector<std::string>{"ab@cd.it "});
}

TEST(ConvertStoreFile, CopiesNothingOfAnExcludedFile) {
  Conversion c;
  const std::string source = c.scratch.Write("out.dbx", "a@b.com");
  EXPECT_EQ(c.Convert(source, SystemFileSystem().StatusOf(source).identity), std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(c.scratch / "copy1"));
}

}  // namespace
}  // namespace ondrel
