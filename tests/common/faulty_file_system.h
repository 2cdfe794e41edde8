// A file system that works as the system's own until a test makes a fault happen in it, on any
// machine: a disk that fills up, a file or folder that is gone or became a link after it was
// listed, a place this user may not read or write. The faults fail as the system fails there
// (the same failure numbers, the same answers): the contract tests check both against each
// other, operation by operation.
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
  // The file or folder (ending with the separator) at `path` was replaced by a link after
  // its folder was listed: it is not entered or read from there.
  void ReplaceByLink(const std::string& path);
  // Nothing at `path` may be listed, opened, created or replaced by this user, nor anything
  // below it looked up.
  void Deny(const std::string& path);
  // Another user placed a link at `path` in a folder others may write: it is not followed.
  void PlantLink(const std::string& path);
  // Another user placed the file at `path` in a folder others may write: no output of the
  // user's goes into it.
  void PlantFile(const std::string& path);
  // Another program appends `bytes` to the file at `path` just before a file is moved over it.
  void AppendBeforeReplacing(const std::string& path, const std::string& bytes);
  // The file at `path` may not be written by this user; or, for a folder (a path ending with
  // the separator), no name may be made or replaced at or below it, as when a folder may
  // not be written, while its files may.
  void MakeReadOnly(const std::string& path);

  std::int16_t TestPath(const std::string& path) override;
  bool FindPlainFile(const std::string& path) override;
  bool NameTaken(const std::string& path) override;
  FileStatus StatusOf(const std::string& path) override;
  std::string ResolvedPath(const std::string& path) override;
  void CheckNotPlanted(const std::string& path) override;
  void ListFolder(const std::string& folder, std::vector<FolderEntry>& entries,
                  OpenFolder* keep) override;
  void ListSubFolder(const OpenFolder& parent, const std::string& name, const std::string& path,
                     std::vector<FolderEntry>& entries, OpenFolder& keep) override;
  OpenFolder Duplicate(const OpenFolder& folder, const std::string& path) override;
  FileHandle OpenToRead(const FilePlace& place, FileStatus& status) override;
  FileHandle OpenToWrite(const std::string& path, WriteMode mode) override;
  FileHandle CreateExclusive(const std::string& path) override;
  FileHandle CreateTemporaryBeside(const std::string& target, std::string& path) override;
  std::size_t Read(FileHandle& file, char* buffer, std::size_t size,
                   std::string_view path) override;
  std::size_t ReadAt(FileHandle& file, std::uint64_t offset, char* buffer, std::size_t size,
                     std::string_view path) override;
  void Rewind(FileHandle& file, std::string_view path) override;
  void WriteAll(FileHandle& file, const char* data, std::size_t size,
                std::string_view path) override;
  std::optional<std::int64_t> WritePosition(const FileHandle& file) override;
  void Truncate(FileHandle& file, std::int64_t size, std::string_view path) override;
  void Sync(FileHandle& file, std::string_view path) override;
  FileStatus StatusOfOpen(const FileHandle& file, std::string_view path) override;
  void AdviseSequential(FileHandle& file) override;
  void Close(FileHandle& file, std::string_view path) override;
  void CheckWritable(const std::string& path) override;
  KeptOwnership TakeOverAttributes(FileHandle& temporary, const std::string& temporaryPath,
                                   const std::string& target,
                                   const std::optional<FileStatus>& original) override;
  void MoveOver(const std::string& temporary, const std::string& target, bool replace, bool durable,
                FileHandle& heldTarget) override;
  void RemoveFile(const std::string& path) override;
  std::optional<std::uint64_t> FreeSpace(const std::string& folder) override;

 private:
  enum class Change { kVanished, kLinked, kDenied, kReadOnly, kPlantedLink, kPlantedFile };
  struct Fault {
    std::string path;
    Change change;
  };

  enum class Access {
    kLook,    // a name looked up, its status read
    kFollow,  // a name resolved, a link at it followed
    kList,    // a folder by its path, a link followed
    kEnter,   // an entry of an open folder, never through a link
    kRead,    // a file
    kWrite,   // a file that is there
    kCreate,  // a name made, replaced or removed
    kOutput,  // an existing file that the user's output goes into
  };

  // The fault made at `path` or above it that an operation there meets, if any.
  const Fault* FaultAt(const std::string& path) const;
  // The failure the system gives for `access` to `path`, if a change there makes it fail.
  std::optional<FailureNumber> FailureAt(const std::string& path, Access access) const;
  void ThrowIfFailing(const std::string& path, std::string_view action, Access access) const;

  FileSystem& system_ = SystemFileSystem();
  std::vector<Fault> faults_;
  std::mutex writes_;  // store copies are written on several threads
  std::optional<std::size_t> room_;
  std::string appendTo_, appended_;
  std::optional<std::uint64_t> freeSpace_;
};

}  // namespace ondrel::testing
