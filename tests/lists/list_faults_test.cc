// Faults and limits of the list tools beyond those their own tests cover: a list swapped for
// a pipe between the checks and the reading, a list too large for the memory left, and lists
// whose paths hold every byte.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "common/child_process.h"
#include "common/failure.h"
#include "common/failure_fields.h"
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
             std::to_string(testing::NumberOf(result.subtraction.failure));
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

// AddressSanitizer reserves terabytes of address space, so a limit on it cannot be set.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSpaceCanBeLimited = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSpaceCanBeLimited = false;
#else
constexpr bool kAddressSpaceCanBeLimited = true;
#endif
#else
constexpr bool kAddressSpaceCanBeLimited = true;
#endif

// The bytes of address space this process holds now.
rlim_t AddressSpaceInUse() {
  std::ifstream statm("/proc/self/statm");
  rlim_t pages = 0;
  statm >> pages;
  return pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
}

// A list whose table does not fit in the memory left: the elimination and the subtraction
// take the way through temporary files, within the memory the process may still take, and
// give what they give in memory.
TEST(ListLimits, AListLargerThanTheMemoryLeftIsWorkedThroughOnDisk) {
  if (!kAddressSpaceCanBeLimited) GTEST_SKIP() << "address space reserved by the sanitizer";
  ScratchFolder scratch;
  std::string bytes;
  std::vector<std::string> distinct;
  for (int i = 0; i < 1'500'000; ++i) {
    bytes += std::to_string(i % 500'009) + "\r\n";
    if (i < 500'009) distinct.push_back(std::to_string(i));
  }
  std::sort(distinct.begin(), distinct.end());
  const std::string list = scratch.Write("list.txt", bytes);
  const std::string base = scratch.Write("base.txt", "1\r\nnot listed\r\n7\r\n");
  const std::string outcome = RunInChild(RunAs::kSameUser, [&] {
    // Room for the list's text (about 12 MB) and little more; its table needs 24 MB.
    const rlimit limit{AddressSpaceInUse() + (20 << 20), RLIM_INFINITY};
    if (::setrlimit(RLIMIT_AS, &limit) != 0) return std::string("no limit");
    RecordingWindowSystem windows;
    std::int64_t lines = 0;
    std::int64_t duplicates = 0;
    const EliminationResult elimination = RemoveDuplicates(list, lines, duplicates, windows);
    const SubtractionResult subtraction = SubtractLists(base, list, scratch / "MailNew.txt");
    return std::to_string(static_cast<int>(elimination.outcome)) + " " + std::to_string(lines) +
           " " + std::to_string(duplicates) + " " + std::to_string(subtraction.completed);
  });
  EXPECT_EQ(outcome,
            std::to_string(static_cast<int>(EliminationOutcome::kCompleted)) + " 1500000 999991 1");
  std::string sorted;
  for (const std::string& line : distinct) sorted += line + "\r\n";
  EXPECT_TRUE(ScratchFolder::Read(list) == sorted);
  EXPECT_EQ(ScratchFolder::Read(scratch / "MailNew.txt"), "not listed\r\n");
  EXPECT_EQ(testing::NamesIn(scratch.Path()),
            (std::vector<std::string>{"MailNew.txt", "base.txt", "list.txt"}));
}

TEST(ListLimits, ListsWhosePathsHoldEveryByteAreSortedAndSubtracted) {
  ScratchFolder scratch;
  const std::string folder = EveryByte() + "/";
  // "*" and "?" in a list's name are no wildcards here: the tools work on the file named.
  const std::string list = scratch.Write(folder + "l*st?.txt", "b\r\na\r\nb\r\n");
  const std::string exclusion = scratch.Write(folder + " ex\rclu\nsion .txt", "a\r\n");
  RecordingWindowSystem windows;
  std::int64_t total = 0, removed = 0;
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
