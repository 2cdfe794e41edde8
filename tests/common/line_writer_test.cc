#include "common/line_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/faulty_file_system.h"
#include "common/file_system.h"
#include "common/path_rules.h"
#include "common/test_files.h"
#include "common/test_platform.h"

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

TEST(FileSystem, CreateExclusiveRefusesAnExistingNameAndIsTheOwnersOnly) {
  ScratchFolder scratch;
  const std::string path = scratch / "copy";
  { LineWriter writer(SystemFileSystem().CreateExclusive(path), path); }
  if (!kWindowsPlatform) {
    EXPECT_EQ(SystemFileSystem().StatusOf(path).permissions, 0600u);
  }
  try {
    SystemFileSystem().CreateExclusive(path);
    ADD_FAILURE() << "an existing name was opened";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.Number(), kFailureNameTaken);
  }
}

// The same on the system's full device, where there is one, and on a disk with no room left.
TEST(LineWriter, AFullDiskIsReportedAndStaysReported) {
  ScratchFolder scratch;
  testing::FaultyFileSystem noRoom;
  noRoom.FillAfter(0);
  std::vector<std::unique_ptr<LineWriter>> writers;
  writers.push_back(std::make_unique<LineWriter>(scratch / "full.txt", WriteMode::kAppend, noRoom));
  if (!kWindowsPlatform)
    writers.push_back(std::make_unique<LineWriter>("/dev/full", WriteMode::kAppend));
  for (const auto& writer : writers) {
    SCOPED_TRACE(writer->Path());
    bool failed = false;
    try {
      for (int i = 0; i < 100000; ++i) writer->WriteLine("someone@example.com");
      writer->Close();
    } catch (const Failure& failure) {
      failed = true;
      EXPECT_EQ(failure.Number(), kFailureNoSpace);
    }
    EXPECT_TRUE(failed);
    EXPECT_TRUE(writer->Failed());
    EXPECT_THROW(writer->WriteLine("more"), Failure);
    EXPECT_THROW(writer->Close(), Failure);
  }
}

}  // namespace
}  // namespace ondrel

namespace ondrel {
namespace {

using testing::ScratchFolder;

// An unterminated last line would run into the first line appended, destroying two entries.
TEST(OpenOutputFile, AppendingFirstEndsAnUnterminatedLastLine) {
  const struct {
    std::string before, after;
  } cases[] = {
      {"", "new@x\r\n"},
      {"old@x", "old@x\r\nnew@x\r\n"},
      {"old@x\r\n", "old@x\r\nnew@x\r\n"},
      {"old@x\n", "old@x\nnew@x\r\n"},
      {"old@x\r", "old@x\rnew@x\r\n"},
  };
  for (const auto& c : cases) {
    ScratchFolder scratch;
    const std::string path = scratch.Write("MailOut.txt", c.before);
    {
      LineWriter writer(OpenOutputFile(path, WriteMode::kAppend), path);
      writer.WriteLine("new@x");
      writer.Close();
    }
    EXPECT_EQ(ScratchFolder::Read(path), c.after) << c.before;
  }
}

// The same name in a folder others may write: whatever was planted there is refused
// without being followed, waited on or emptied.
TEST(OpenOutputFile, RefusesAnythingButAPlainFileAndTouchesNothing) {
  ScratchFolder scratch;
  const std::string victim = scratch.Write("victim.txt", "precious\r\n");
  const std::string link = scratch / "link.txt", pipe = scratch / "pipe.txt";
  const std::string hard = scratch / "hard.txt";
  ASSERT_TRUE(testing::MakeHardLink(victim, hard));
  // Links and pipes where the platform has them.
  std::vector<std::string> planted{hard};
  if (testing::MakeSymbolicLink(victim, link)) planted.push_back(link);
  if (testing::MakeFifo(pipe)) planted.push_back(pipe);
  for (const WriteMode mode : {WriteMode::kReplace, WriteMode::kAppend}) {
    for (const std::string& path : planted) {
      try {
        OpenOutputFile(path, mode);
        ADD_FAILURE() << path;
      } catch (const Failure& failure) {
        EXPECT_EQ(failure.Number(), kFailureBadPath) << path;
        EXPECT_TRUE(testing::Contains(failure.Description(), "non viene scritto"));
      }
    }
  }
  EXPECT_EQ(ScratchFolder::Read(victim), "precious\r\n");
  const std::string fresh = scratch / "fresh.txt";
  OpenOutputFile(fresh, WriteMode::kReplace);
  EXPECT_EQ(ScratchFolder::Read(fresh), "");
}

}  // namespace
}  // namespace ondrel
