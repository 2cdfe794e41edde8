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
enum class Fault { kVanish, kLink, kDeny, kReadOnly };

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
        const std::string name = path.substr(0, path.size() - 1);
        std::filesystem::remove_all(testing::FsPath(name));
        return testing::MakeSymbolicLink(target, name) || testing::MakeJunction(target, name);
      }
      case Fault::kDeny:
        restricted_ = path;
        return testing::TakeAwayPermissions(path);
      case Fault::kReadOnly:
        restricted_ = path;
        return testing::TakeAwayWriting(path);
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
    const auto make = fault == Fault::kVanish ? &testing::FaultyFileSystem::Vanish
                      : fault == Fault::kLink ? &testing::FaultyFileSystem::ReplaceByLink
                      : fault == Fault::kDeny ? &testing::FaultyFileSystem::Deny
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

template <typename Disk>
class FileSystemContract : public ::testing::Test {};
using Disks = ::testing::Types<RealDisk, DoubledDisk>;
TYPED_TEST_SUITE(FileSystemContract, Disks);

// "ok", or the number of the failure `operation` threw or returned.
std::string Outcome(const std::function<std::optional<Failure>()>& operation) {
  std::optional<Failure> failure;
  try {
    failure = operation();
  } catch (const Failure& thrown) {
    failure = thrown;
  }
  return failure ? std::to_string(failure->Number()) : "ok";
}

TYPED_TEST(FileSystemContract, FaultsAfterTheListingFailAsTheSystemFails) {
  enum class Operation {
    kListSubFolder,
    kListFolder,
    kOpenToRead,
    kOpenToWrite,
    kCreateBeside,
    kCreate
  };
  const struct {
    const char* what;
    Fault fault;
    const char* changed;  // below the tree; a folder ends with "/"
    Operation operation;
    const char* on;
    std::optional<FailureNumber> expected;  // none: it succeeds
  } cases[] = {
      {"a file gone", Fault::kVanish, "a/f.txt", Operation::kOpenToRead, "a/f.txt",
       kFailureNotFound},
      {"a folder gone", Fault::kVanish, "a/", Operation::kListSubFolder, "a/", kFailureNotFound},
      {"a folder become a link", Fault::kLink, "a/", Operation::kListSubFolder, "a/",
       kFailureSymbolicLink},
      {"a folder that may not be listed", Fault::kDeny, "a/", Operation::kListSubFolder, "a/",
       kFailureAccessDenied},
      {"the same, as a scan folder", Fault::kDeny, "a/", Operation::kListFolder, "a/",
       kFailureAccessDenied},
      {"a file that may not be read", Fault::kDeny, "a/f.txt", Operation::kOpenToRead, "a/f.txt",
       kFailureAccessDenied},
      {"a copy in a folder gone", Fault::kVanish, "a/", Operation::kCreate, "a/new.txt",
       kFailureNotFound},
      {"a list beside which nothing may be made", Fault::kReadOnly, "a/", Operation::kCreateBeside,
       "a/f.txt", kFailureAccessDenied},
      {"a read-only folder may be listed", Fault::kReadOnly, "a/", Operation::kListSubFolder, "a/",
       std::nullopt},
      {"and its files read", Fault::kReadOnly, "a/", Operation::kOpenToRead, "a/f.txt",
       std::nullopt},
      {"but no file made in it", Fault::kReadOnly, "a/", Operation::kOpenToWrite, "a/new.txt",
       kFailureAccessDenied},
      {"while its files may be written", Fault::kReadOnly, "a/", Operation::kOpenToWrite, "a/f.txt",
       std::nullopt},
      {"a file gone may be made anew", Fault::kVanish, "a/f.txt", Operation::kOpenToWrite,
       "a/f.txt", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TypeParam disk;
    ScratchFolder& tree = disk.Scratch();
    tree.Write("a/f.txt", "a@b");
    tree.Write("elsewhere/f.txt", "c@d");
    std::vector<FolderEntry> entries;
    OpenFolder top;
    ASSERT_TRUE(disk.Files().ListFolder(tree.Path(), entries, &top, nullptr));
    const bool made = disk.Make(c.fault, tree / c.changed, tree / "elsewhere");
    const std::string on = tree / c.on;
    const auto outcome = disk.Observe([&] {
      return Outcome([&]() -> std::optional<Failure> {
        FileSystem& files = disk.Files();
        OpenFolder folder;
        FileStatus status;
        std::string temporary;
        switch (c.operation) {
          case Operation::kListSubFolder:
            return files.ListSubFolder(top, "a", on, entries, folder);
          case Operation::kListFolder: {
            std::optional<Failure> why;
            files.ListFolder(on, entries, &folder, &why);
            return why;
          }
          case Operation::kOpenToRead:
            files.OpenToRead(on, status);
            break;
          case Operation::kOpenToWrite:
            files.OpenToWrite(on, WriteMode::kAppend);
            break;
          case Operation::kCreateBeside:
            files.CreateTemporaryBeside(on, temporary);
            break;
          case Operation::kCreate:
            files.CreateExclusive(on);
            break;
        }
        return std::nullopt;
      });
    });
    if (!made || !outcome) {
      std::cout << "[ SKIPPED  ] " << c.what << ": this machine cannot make it happen\n";
      continue;
    }
    EXPECT_EQ(*outcome, c.expected ? std::to_string(*c.expected) : "ok");
  }
}

// A write that a full disk cut short left part of a line at the end of the file, which a list
// tool then took for an entry.
TYPED_TEST(FileSystemContract, AWriterOnAFullDiskLeavesOnlyWholeLinesAndStaysFailed) {
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
