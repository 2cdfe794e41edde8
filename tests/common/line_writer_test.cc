#include "common/line_writer.h"

#include <gtest/gtest.h>

#include "common/failure.h"
#include "common/path_rules.h"
#include "common/test_files.h"

namespace ondrel {
namespace {

using testing::ScratchFolder;

TEST(LineWriter, EndsEveryLineWithCrLfAndAppendsOrReplaces) {
  ScratchFolder scratch;
  const std::string path = scratch / "MailOut.txt";
  {
    LineWriter writer(path, WriteMode::kReplace);
    writer.WriteLine("a@example.com");
    writer.WriteLine("");
    writer.WriteLine(std::string(LineWriter::kBufferSize + 10, 'x'));
    writer.Close();
  }
  EXPECT_EQ(ScratchFolder::Read(path),
            "a@example.com\r\n\r\n" + std::string(LineWriter::kBufferSize + 10, 'x') + "\r\n");
  {
    LineWriter writer(path, WriteMode::kReplace);
    writer.WriteLine("b");
    writer.Close();
  }
  {
    LineWriter writer(path, WriteMode::kAppend);
    writer.WriteLine("c");
  }  // closed without Close(): what was written still reaches the file
  EXPECT_EQ(ScratchFolder::Read(path), "b\r\nc\r\n");
}

TEST(FileHandle, CreateExclusiveRefusesAnExistingNameAndIsTheOwnersOnly) {
  ScratchFolder scratch;
  const std::string path = scratch / "copy";
  { LineWriter writer(FileHandle::CreateExclusive(path), path); }
  if (!kWindowsPlatform) {
    EXPECT_EQ(StatusOf(path)->permissions, 0600u);
  }
  try {
    FileHandle::CreateExclusive(path);
    ADD_FAILURE() << "an existing name was opened";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.Number(), kFailureNameTaken);
  }
}

TEST(LineWriter, AFullDiskIsReportedAndStaysReported) {
  if (kWindowsPlatform) GTEST_SKIP() << "no full device";
  LineWriter writer("/dev/full", WriteMode::kAppend);
  bool failed = false;
  try {
    for (int i = 0; i < 100000; ++i) writer.WriteLine("someone@example.com");
    writer.Close();
  } catch (const Failure& failure) {
    failed = true;
    EXPECT_EQ(failure.Number(), kFailureNoSpace);
  }
  EXPECT_TRUE(failed);
  EXPECT_TRUE(writer.Failed());
  EXPECT_THROW(writer.WriteLine("more"), Failure);
  EXPECT_THROW(writer.Close(), Failure);
}

}  // namespace
}  // namespace ondrel
