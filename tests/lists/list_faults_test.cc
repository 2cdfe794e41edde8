// Faults and limits of the list tools beyond those their own tests cover: a list swapped for
// a pipe between the checks and the reading, and lists whose paths hold every byte.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>

#include "common/child_process.h"
#include "common/failure.h"
#include "common/recording_window_system.h"
#include "common/test_files.h"
#include "lists/remove_duplicates.h"
#include "lists/subtraction.h"

namespace ondrel {
namespace {

using testing::RecordingWindowSystem;
using testing::RunAs;
using testing::RunInChild;
using testing::ScratchFolder;

// Runs `onBusy` when the busy pointer goes on: after the subtraction's checks, before it
// reads anything.
struct BusyHook : RecordingWindowSystem {
  void SetBusyPointer(bool busy) override {
    RecordingWindowSystem::SetBusyPointer(busy);
    if (busy && onBusy) onBusy();
  }
  std::function<void()> onBusy;
};

TEST(SubtractionFaults, AListSwappedForAPipeAfterTheChecksFailsWithoutWaiting) {
  for (const char* swapped : {"base.txt", "exclusion.txt"}) {
    SCOPED_TRACE(swapped);
    ScratchFolder scratch;
    const std::string base = scratch.Write("base.txt", "a\r\nb\r\n");
    const std::string exclusion = scratch.Write("exclusion.txt", "a\r\n");
    const std::string outcome = RunInChild(RunAs::kSameUser, [&] {
      BusyHook windows;
      windows.onBusy = [&] {
        std::filesystem::remove(scratch / swapped);
        ::mkfifo((scratch / swapped).c_str(), 0600);
      };
      std::string newFilePath;
      const CreateNewFileResult result = CreateNewFile(base, exclusion, newFilePath, windows);
      return std::to_string(static_cast<int>(result.outcome)) + " " +
             std::to_string(result.subtraction.failureNumber);
    });
    EXPECT_EQ(outcome, std::to_string(static_cast<int>(CreateNewFileOutcome::kFailed)) + " " +
                           std::to_string(kFailureBadPath));
  }
}

// Every byte a name may hold: all but 0 and the separator.
std::string EveryByte() {
  std::string name;
  for (int byte = 1; byte < 256; ++byte)
    if (byte != '/') name += static_cast<char>(byte);
  return name;
}

TEST(ListLimits, ListsWhosePathsHoldEveryByteAreSortedAndSubtracted) {
  ScratchFolder scratch;
  const std::string folder = EveryByte() + "/";
  // "*" and "?" in a list's name are no wildcards here: the tools work on the file named.
  const std::string list = scratch.Write(folder + "l*st?.txt", "b\r\na\r\nb\r\n");
  const std::string exclusion = scratch.Write(folder + " ex\rclu\nsion .txt", "a\r\n");
  RecordingWindowSystem windows;
  std::int32_t total = 0, removed = 0;
  EXPECT_EQ(RemoveDuplicates(list, total, removed, windows).outcome,
            EliminationOutcome::kCompleted);
  EXPECT_EQ(ScratchFolder::Read(list), "a\r\nb\r\n");

  std::string newFilePath;
  const CreateNewFileResult result = CreateNewFile(list, exclusion, newFilePath, windows);
  EXPECT_EQ(result.outcome, CreateNewFileOutcome::kCompleted);
  EXPECT_EQ(newFilePath, scratch / (folder + "MailNew.txt"));
  EXPECT_EQ(ScratchFolder::Read(newFilePath), "b\r\n");
  EXPECT_TRUE(windows.messages.empty());
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(scratch / folder))
    ++files;
  EXPECT_EQ(files, 3u);
}

}  // namespace
}  // namespace ondrel
