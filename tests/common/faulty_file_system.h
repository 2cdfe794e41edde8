// A file system that works as the system's own until a test makes a fault happen in it, on any
// machine: a disk that fills up, a file or folder that is gone or became a link after it was
// listed, a place this user may not read or write. The faults fail as the system fails there
// (the same failure numbers): the contract tests check both against each other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/file_system.h"

namespace ondrel::testing {

// Its faults are made before a run that reads on several threads starts, or, during a run on
// one thread, at one of its yields.
class FaultyFileSystem final : public FileSystem {
 public:
  // Writes go through until `room` more bytes were written; the write that does not fit
  // writes what fits, as a real full disk does, then fails with kFailureNoSpace, and so does
  // every write after it.
  void FillAfter(std::size_t room);
  // The disk says it has `bytes` free, whatever it has and whatever is written.
  void ReportFreeSpace(std::uint64_t bytes);
  // The file or folder (a path ending with the separator) at `path` was removed after its
  // folder was listed.
  void Vanish(const std::string& path);
  // The folder at `path` (ending with the separator) was replaced by a link after its parent
  // was listed: it is not entered.
  void ReplaceByLink(const std::string& path);
  // Nothing at or below `path` may be listed, opened, created or replaced by this user.
  void Deny(const std::string& path);
  // The file at `path` may not be written by this user; or, for a folder (a path ending with
  // the separator), no name may be made or replaced at or below it, as when a folder may
  // not be written, while its files may.
  void MakeReadOnly(const std::string& path);

  bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries, OpenFolder* keep,
                  std::optional<Failure>* why) override;
  std::optional<Failure> ListSubFolder(const OpenFolder& parent, const std::string& name,
                                       const std::string& path, std::vector<FolderEntry>& entries,
                                       OpenFolder& keep) override;
  FileHandle OpenToRead(const FilePlace& place, FileStatus& status) override;
  FileHandle OpenToWrite(const std::string& path, WriteMode mode) override;
  FileHandle CreateExclusive(const std::string& path) override;
  void WriteAll(FileHandle& file, const char* data, std::size_t size,
                std::string_view path) override;
  FileHandle CreateTemporaryBeside(const std::string& target, std::string& path) override;
  void MoveOver(const std::string& temporary, const std::string& target, bool replace) override;
  bool RemoveFile(const std::string& path) override;
  std::optional<std::uint64_t> FreeSpace(const std::string& folder) override;

 private:
  enum class Change { kVanished, kLinked, kDenied, kReadOnly };
  struct Fault {
    std::string path;
    Change change;
  };

  enum class Access {
    kList,    // a folder by its path, a link followed
    kEnter,   // a sub-folder of an open folder, never through a link
    kRead,    // a file
    kWrite,   // a file that is there
    kCreate,  // a name made or replaced
  };

  // The fault made at `path` or above it that an operation there meets, if any.
  const Fault* FaultAt(const std::string& path) const;
  // The failure the system gives for `access` to `path`, if a change there makes it fail.
  std::optional<FailureNumber> FailureAt(const std::string& path, Access access) const;
  void ThrowIfFailing(const std::string& path, std::string_view action, Access access) const;

  std::vector<Fault> faults_;
  std::mutex writes_;  // store copies are written on several threads
  std::optional<std::size_t> room_;
  std::optional<std::uint64_t> freeSpace_;
};

}  // namespace ondrel::testing
