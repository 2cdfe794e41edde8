// The file system calls of the run, the elimination and the subtraction that can meet a
// fault, behind one interface: a test hands them a double that makes the fault happen (a full
// disk, a folder turned into a link after it was listed, a file gone before it was opened) on
// any machine, where a real disk would need a small mount, another user or good timing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/failure.h"
#include "common/file_handle.h"
#include "common/folder_listing.h"

namespace ondrel {

class FileSystem {
 public:
  // As ReadFolder and ReadSubFolder (folder_listing.h).
  virtual bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries,
                          OpenFolder* keep, std::optional<Failure>* why) = 0;
  virtual std::optional<Failure> ListSubFolder(const OpenFolder& parent, const std::string& name,
                                               const std::string& path,
                                               std::vector<FolderEntry>& entries,
                                               OpenFolder& keep) = 0;
  // As the opens of FileHandle.
  virtual FileHandle OpenToRead(const FilePlace& place, FileStatus& status) = 0;
  virtual FileHandle OpenToWrite(const std::string& path, WriteMode mode) = 0;
  virtual FileHandle CreateExclusive(const std::string& path) = 0;
  // Writes every byte of `data` to `file` or throws Failure (a full disk included); `path`
  // names the file in failures.
  virtual void WriteAll(FileHandle& file, const char* data, std::size_t size,
                        std::string_view path) = 0;
  // As CreateTemporaryBeside and MoveOver (replacement_file.h).
  virtual FileHandle CreateTemporaryBeside(const std::string& target, std::string& path) = 0;
  virtual void MoveOver(const std::string& temporary, const std::string& target, bool replace) = 0;
  // Removes the file at `path`, a temporary file of ours that nothing holds open; false when
  // it cannot be removed.
  virtual bool RemoveFile(const std::string& path) = 0;
  // As FreeSpaceOf (file_status.h).
  virtual std::optional<std::uint64_t> FreeSpace(const std::string& folder) = 0;

 protected:
  ~FileSystem() = default;
};

// The system's own file system.
FileSystem& SystemFileSystem();

}  // namespace ondrel
