// The faults of the FaultyFileSystem double against the same faults made for real on the
// system's own file system, where this machine can make them: every case expects the same of
// both, so that the tests that use the double on any machine hold for real disks too.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "common/failure.h"
#include "common/faulty_file_system.h"
#include "common/file_system.h"
#include "common/line_writer.h"
#include "common/path_rules.h"
#include "common/test_files.h"
#include "common/test_platform.h"
#include "lists/small_file_system.h"

namespace ondrel {
namespace {

using testing::ScratchFolder;

// The faults both disks make, after the tree was listed.
enum class Fault { kVanish, kLink, kDeny, kReadOnly, kPlantLink, kPlantFile };

// The system's own file system, the faults made on it for real.
class RealDisk {
 public:
  // What was restricted is given back, so that the scratch folder can go.
  ~RealDisk() {
    std::error_code ignored;
    if (!restricted_.empty())
      std::filesystem::permissions(testing::FsPath(restricted_), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
  }

  FileSystem& Files() { return SystemFileSystem(); }
  ScratchFolder& Scratch() { return scratch_; }

  // Makes `fault` at `path` (a folder ends with the separator); a link leads to `target`.
  // False where this machine cannot make it.
  bool Make(Fault fault, const std::string& path, const std::string& target) {
    switch (fault) {
      case Fault::kVanish:
        return std::filesystem::remove_all(testing::FsPath(path)) > 0;
      case Fault::kLink: {
        const std::string name =
            path.back() == kPathSeparator ? path.substr(0, path.size() - 1) : path;
        std::filesystem::remove_all(testing::FsPath(name));
        return testing::MakeSymbolicLink(target, name) || testing::MakeJunction(target, name);
      }
      case Fault::kDeny:
        restricted_ = path;
        return testing::TakeAwayPermissions(path);
      case Fault::kReadOnly:
        restricted_ = path;
        return testing::TakeAwayWriting(path);
      case Fault::kPlantLink:
        std::filesystem::remove(testing::FsPath(path));
        return testing::MakeSymbolicLink(target + kPathSeparator + "f.txt", path) &&
               testing::PlantAsAnotherUser(path);
      case Fault::kPlantFile:
        return testing::PlantAsAnotherUser(path);
    }
    return false;
  }
  // A small file system on `folder`, which must be empty.
  bool FillUp(const std::string& folder) {
    small_ = std::make_unique<testing::SmallFileSystem>(folder);
    return small_->Mounted();
  }
  std::optional<std::string> Observe(const std::function<std::string()>& body) {
    return restricted_.empty() ? body() : testing::AsOrdinaryUser(scratch_.Path(), body);
  }

 private:
  ScratchFolder scratch_;
  std::unique_ptr<testing::SmallFileSystem> small_;  // unmounted before the scratch goes
  std::string restricted_;                           // a path whose permissions were taken
};

// The double, the files left as they are.
class DoubledDisk {
 public:
  FileSystem& Files() { return files_; }
  ScratchFolder& Scratch() { return scratch_; }

  bool Make(Fault fault, const std::string& path, const std::string&) {
    const auto make = fault == Fault::kVanish      ? &testing::FaultyFileSystem::Vanish
                      : fault == Fault::kLink      ? &testing::FaultyFileSystem::ReplaceByLink
                      : fault == Fault::kDeny      ? &testing::FaultyFileSystem::Deny
                      : fault == Fault::kPlantLink ? &testing::FaultyFileSystem::PlantLink
                      : fault == Fault::kPlantFile ? &testing::FaultyFileSystem::PlantFile
                                                   : &testing::FaultyFileSystem::MakeReadOnly;
    (files_.*make)(path);
    return true;
  }
  bool FillUp(const std::string&) {
    files_.FillAfter(std::size_t{64} << 10);
    return true;
  }
  std::optional<std::string> Observe(const std::function<std::string()>& body) { return body(); }

 private:
  ScratchFolder scratch_;
  testing::FaultyFileSystem files_;
};

// One operation after one fault, on each disk: the case named `name` makes `fault` at
// `changed` below a fresh tree (a folder ends with "/") and runs `operation` on `on`.
enum class Operation {
  kTestPath,
  kFindPlainFile,
  kNameTaken,
  kStatusOf,
  kResolvedPath,
  kListFolder,
  kListSubFolder,
  kOpenToRead,
  kOpenInFolder,
  kOpenToWrite,
  kCreate,
  kCreateBeside,
  kCheckWritable,
  kCheckNotPlanted,
  kMoveOver,
  kRemoveFile,
};

struct Row {
  const char* name;
  Fault fault;
  const char* changed;
  Operation operation;
  const char* on;
  const char* answer;                    // what it gives when it succeeds
  std::optional<FailureNumber> failure;  // or the failure it throws
};

constexpr auto kGone = Fault::kVanish;
constexpr auto kDenied = Fault::kDeny;
constexpr auto kReadOnly = Fault::kReadOnly;

const Row kRows[] = {
    {"AFileGoneIsNotOpened", kGone, "a/f.txt", Operation::kOpenToRead, "a/f.txt", "",
     kFailureNotFound},
    {"AFolderGoneIsNotEntered", kGone, "a/", Operation::kListSubFolder, "a/", "", kFailureNotFound},
    {"AFolderBecomeALinkIsNotEntered", Fault::kLink, "a/", Operation::kListSubFolder, "a/", "",
     kFailureSymbolicLink},
    {"AFolderThatMayNotBeListedIsNotEntered", kDenied, "a/", Operation::kListSubFolder, "a/", "",
     kFailureAccessDenied},
    {"NorListedAsAScanFolder", kDenied, "a/", Operation::kListFolder, "a/", "",
     kFailureAccessDenied},
    {"AFileBecomeALinkIsNotReadInItsFolder", Fault::kLink, "a/f.txt", Operation::kOpenInFolder,
     "a/f.txt", "", kFailureSymbolicLink},
    {"WhileAFileIsReadThere", kReadOnly, "a/", Operation::kOpenInFolder, "a/f.txt", "ok", {}},
    {"AFileThatMayNotBeReadIsNotOpened", kDenied, "a/f.txt", Operation::kOpenToRead, "a/f.txt", "",
     kFailureAccessDenied},
    {"NoCopyIsMadeInAFolderGone", kGone, "a/", Operation::kCreate, "a/new.txt", "",
     kFailureNotFound},
    {"NothingIsMadeBesideAListInAReadOnlyFolder", kReadOnly, "a/", Operation::kCreateBeside,
     "a/f.txt", "", kFailureAccessDenied},
    {"AReadOnlyFolderMayBeListed", kReadOnly, "a/", Operation::kListSubFolder, "a/", "ok", {}},
    {"AndItsFilesRead", kReadOnly, "a/", Operation::kOpenToRead, "a/f.txt", "ok", {}},
    {"ButNoFileMadeInIt", kReadOnly, "a/", Operation::kOpenToWrite, "a/new.txt", "",
     kFailureAccessDenied},
    {"WhileItsFilesMayBeWritten", kReadOnly, "a/", Operation::kOpenToWrite, "a/f.txt", "ok", {}},
    {"AndTheyPassTheWriteCheck", kReadOnly, "a/", Operation::kCheckWritable, "a/f.txt", "ok", {}},
    {"ButNoneIsMovedOverThere", kReadOnly, "a/", Operation::kMoveOver, "a/f.txt", "",
     kFailureAccessDenied},
    {"OrRemoved", kReadOnly, "a/", Operation::kRemoveFile, "a/f.txt", "", kFailureAccessDenied},
    {"AReadOnlyFileFailsTheWriteCheck", kReadOnly, "a/f.txt", Operation::kCheckWritable, "a/f.txt",
     "", kFailureAccessDenied},
    {"AFileGoneMayBeMadeAnew", kGone, "a/f.txt", Operation::kOpenToWrite, "a/f.txt", "ok", {}},
    {"AFileGoneIsNotFoundByASearch", kGone, "a/f.txt", Operation::kTestPath, "a/f.txt", "1", {}},
    {"NorTakenForAPlainFile", kGone, "a/f.txt", Operation::kFindPlainFile, "a/f.txt", "no", {}},
    {"NorItsNameTaken", kGone, "a/f.txt", Operation::kNameTaken, "a/f.txt", "no", {}},
    {"NorResolved", kGone, "a/f.txt", Operation::kResolvedPath, "a/f.txt", "", kFailureNotFound},
    {"NorRemovedAgain", kGone, "a/f.txt", Operation::kRemoveFile, "a/f.txt", "", kFailureNotFound},
    {"ASearchInAFolderThatMayNotBeReadFails",
     kDenied,
     "a/",
     Operation::kTestPath,
     "a/f.txt",
     "2",
     {}},
    {"AndFindsNoPlainFile", kDenied, "a/", Operation::kFindPlainFile, "a/f.txt", "no", {}},
    {"AndCannotTellWhetherANameIsTaken", kDenied, "a/", Operation::kNameTaken, "a/f.txt", "",
     kFailureAccessDenied},
    {"NorReadAStatusThere", kDenied, "a/", Operation::kStatusOf, "a/f.txt", "",
     kFailureAccessDenied},
    {"ALinkAnotherUserPlantedInASharedFolderIsNotResolved", Fault::kPlantLink, "a/f.txt",
     Operation::kResolvedPath, "a/f.txt", "", kFailureSymbolicLink},
    {"NorReadThrough", Fault::kPlantLink, "a/f.txt", Operation::kOpenToRead, "a/f.txt", "",
     kFailureSymbolicLink},
    {"NorWrittenThrough", Fault::kPlantLink, "a/f.txt", Operation::kOpenToWrite, "a/f.txt", "",
     kFailureAccessDenied},
    {"AFileAnotherUserPlacedInASharedFolderTakesNoOutput", Fault::kPlantFile, "a/f.txt",
     Operation::kOpenToWrite, "a/f.txt", "", kFailureAccessDenied},
    {"NorIsReplacedByOne", Fault::kPlantFile, "a/f.txt", Operation::kCheckNotPlanted, "a/f.txt", "",
     kFailureAccessDenied},
    {"ButMayBeRead", Fault::kPlantFile, "a/f.txt", Operation::kOpenToRead, "a/f.txt", "ok", {}},
    {"WhileTheUsersOwnFileThereTakesOutput",
     Fault::kPlantFile,
     "a/f.txt",
     Operation::kOpenToWrite,
     "a/t.tmp",
     "ok",
     {}},
    {"AFileThatMayNotBeReadStillHasAStatus",
     kDenied,
     "a/f.txt",
     Operation::kStatusOf,
     "a/f.txt",
     "ok",
     {}},
};

// The disk a case runs on.
enum class DiskKind { kReal, kDoubled };

// Cases are listed by name.
void PrintTo(const Row& row, std::ostream* out) {
  *out << row.name;
}
void PrintTo(DiskKind kind, std::ostream* out) {
  *out << (kind == DiskKind::kReal ? "disk" : "double");
}

class FileSystemContract : public ::testing::TestWithParam<std::tuple<DiskKind, Row>> {};

// What `operation` gave on `disk`: its answer, "ok", or the number of the failure it threw.
template <typename Disk>
std::optional<std::string> Operate(Disk& disk, const Row& row) {
  ScratchFolder& tree = disk.Scratch();
  tree.Write("a/f.txt", "a@b");
  tree.Write("a/t.tmp", "c@d");
  tree.Write("elsewhere/f.txt", "c@d");
  std::vector<FolderEntry> entries;
  OpenFolder top;
  disk.Files().ListFolder(tree.Path(), entries, &top);
  if (!disk.Make(row.fault, tree / row.changed, tree / "elsewhere")) return std::nullopt;
  const std::string on = tree / row.on;
  const std::string temporary = tree / "a/t.tmp";
  return disk.Observe([&]() -> std::string {
    FileSystem& files = disk.Files();
    const auto yesNo = [](bool answer) { return std::string(answer ? "yes" : "no"); };
    try {
      OpenFolder folder;
      FileHandle folderFile;
      FileStatus status;
      std::string made;
      switch (row.operation) {
        case Operation::kTestPath:
          return std::to_string(files.TestPath(on));
        case Operation::kFindPlainFile:
          return yesNo(files.FindPlainFile(on));
        case Operation::kNameTaken:
          return yesNo(files.NameTaken(on));
        case Operation::kStatusOf:
          files.StatusOf(on);
          break;
        case Operation::kResolvedPath:
          files.ResolvedPath(on);
          break;
        case Operation::kListFolder:
          files.ListFolder(on, entries, &folder);
          break;
        case Operation::kListSubFolder:
          files.ListSubFolder(top, "a", on, entries, folder);
          break;
        case Operation::kOpenToRead:
          files.OpenToRead(on, status);
          break;
        case Operation::kOpenInFolder: {
          const std::string name = "f.txt";
          files.ListSubFolder(top, "a", tree / "a/", entries, folder);
          files.OpenToRead(FilePlace(on, folder, name), status);
          break;
        }
        case Operation::kOpenToWrite:
          files.OpenToWrite(on, WriteMode::kAppend);
          break;
        case Operation::kCreate:
          files.CreateExclusive(on);
          break;
        case Operation::kCreateBeside:
          files.CreateTemporaryBeside(on, made);
          break;
        case Operation::kCheckWritable:
          files.CheckWritable(on);
          break;
        case Operation::kCheckNotPlanted:
          files.CheckNotPlanted(on);
          break;
        case Operation::kMoveOver:
          files.MoveOver(temporary, on, true, false, folderFile);
          break;
        case Operation::kRemoveFile:
          files.RemoveFile(on);
          break;
      }
      return "ok";
    } catch (const Failure& failure) {
      return std::to_string(failure.Number());
    }
  });
}

TEST_P(FileSystemContract, FailsAsTheSystemFails) {
  const auto& [kind, row] = GetParam();
  std::optional<std::string> outcome;
  if (kind == DiskKind::kReal) {
    RealDisk disk;
    outcome = Operate(disk, row);
  } else {
    DoubledDisk disk;
    outcome = Operate(disk, row);
  }
  if (!outcome) GTEST_SKIP() << "this machine cannot make the fault happen";
  EXPECT_EQ(*outcome, row.failure ? std::to_string(*row.failure) : row.answer);
}

INSTANTIATE_TEST_SUITE_P(EveryOperation, FileSystemContract,
                         ::testing::Combine(::testing::Values(DiskKind::kReal, DiskKind::kDoubled),
                                            ::testing::ValuesIn(kRows)),
                         [](const ::testing::TestParamInfo<FileSystemContract::ParamType>& info) {
                           return std::string(std::get<1>(info.param).name) +
                                  (std::get<0>(info.param) == DiskKind::kReal ? "_OnTheDisk"
                                                                              : "_OnTheDouble");
                         });

template <typename Disk>
class FullDiskContract : public ::testing::Test {};
using Disks = ::testing::Types<RealDisk, DoubledDisk>;
TYPED_TEST_SUITE(FullDiskContract, Disks);

// A write that a full disk cut short left part of a line at the end of the file, which a list
// tool then took for an entry.
TYPED_TEST(FullDiskContract, AWriterOnAFullDiskLeavesOnlyWholeLinesAndStaysFailed) {
  const std::string earlier = "earlier@example.org\r\n";
  for (const std::size_t length : {std::size_t{30}, LineWriter::kBufferSize + 1000}) {
    SCOPED_TRACE("lines of " + std::to_string(length) + " bytes");
    TypeParam disk;
    if (!disk.FillUp(disk.Scratch().Path()))
      GTEST_SKIP() << "mounting a small file system is not permitted here";
    const std::string path = disk.Scratch().Write("MailOut.txt", earlier);
    std::string expected = earlier;
    LineWriter writer(path, WriteMode::kAppend, disk.Files());
    try {
      for (int i = 0;; ++i) {
        const std::string line = std::to_string(i) + std::string(length, 'x');
        writer.WriteLine(line);
        expected += line + "\r\n";
      }
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.Number(), kFailureNoSpace);
    }
    EXPECT_TRUE(writer.Failed());
    EXPECT_THROW(writer.WriteLine("more"), Failure);
    const std::string written = ScratchFolder::Read(path);
    // Compared whole, not printed: the lines are long.
    EXPECT_TRUE(written.size() >= earlier.size() && written == expected.substr(0, written.size()) &&
                written.ends_with("\r\n"))
        << written.size() << " bytes written, the last ones "
        << written.substr(written.size() - std::min<std::size_t>(written.size(), 20));
  }
}

}  // namespace
}  // namespace ondrel
