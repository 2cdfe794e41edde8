// An open file, closed on every way out of its owner, and the opens named by what they are
// for. Every failure is thrown as a Failure that names the path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/file_status.h"
#include "common/unique_handle.h"

namespace ondrel {

class OpenFolder;

// A file to open: its path, and, where its folder is held open, that folder and the file's
// name in it: the file is then looked up in that very folder, whatever the path leads to by
// now, and the system is spared walking the whole path again.
struct FilePlace {
  FilePlace(const std::string& path) : path(path) {}  // NOLINT: a path is a place
  FilePlace(const std::string& path, const OpenFolder& folder, const std::string& name)
      : path(path), folder(&folder), name(&name) {}

  const std::string& path;  // names the file in failures
  const OpenFolder* folder = nullptr;
  const std::string* name = nullptr;
};

enum class WriteMode {
  kReplace,  // created, or emptied if it exists
  kAppend,   // created if missing, existing lines kept
};

// The system's handle of an open file (a descriptor, a HANDLE), for the platform files.
struct NativeFileTraits {
  using Value = std::intptr_t;
  static constexpr Value Invalid() { return -1; }
  static void Close(Value file);
};

class FileHandle {
 public:
  FileHandle() = default;

  // The regular file at `place` (or the one a link leads to), opened for reading, its status
  // stored in `status`. Anything else is refused at once: a pipe or a device put in a file's
  // place would block the reader or never end.
  static FileHandle OpenToRead(const FilePlace& place, FileStatus& status);
  // A new file at `path`, open for writing and reading back, readable and writable by its
  // owner only; never an existing name or a link (kFailureNameTaken).
  static FileHandle CreateExclusive(const std::string& path);
  // The file at `path` (created if missing, not emptied), opened for writing, and for reading
  // too when `mode` appends: never through a symbolic link (kFailureSymbolicLink) and never
  // waiting on a pipe (kFailureNotRegular).
  static FileHandle OpenToWrite(const std::string& path, WriteMode mode);
  // Takes over a handle that a platform file opened.
  static FileHandle Adopt(NativeFileTraits::Value native) { return FileHandle(native); }

  bool IsOpen() const { return native_.Valid(); }
  NativeFileTraits::Value Native() const { return native_.Get(); }

  // Reads up to `size` bytes; 0 at end of file.
  std::size_t Read(char* buffer, std::size_t size, std::string_view path_for_errors);
  // Writes every byte or throws (a full disk included).
  void WriteAll(const char* data, std::size_t size, std::string_view path_for_errors);
  // Reads the byte at `offset` without moving; false when there is none.
  bool ReadByteAt(std::uint64_t offset, char& byte, std::string_view path_for_errors);
  // Moves back to the first byte.
  void Rewind(std::string_view path_for_errors);
  // Where the next write lands (the end, for a file opened to append); -1 for what cannot
  // seek, a pipe or a device.
  std::int64_t WritePosition() const;
  // Cuts the file back to `size` bytes; false when it cannot be cut (a device).
  bool Truncate(std::int64_t size);
  // Waits until the file's data is on the storage device.
  void Sync(std::string_view path_for_errors);
  FileStatus Status(std::string_view path_for_errors) const;
  // Tells the system the file is read once from start to end.
  void AdviseSequential();
  // Closes now and reports a failed close (deferred write errors).
  void Close(std::string_view path_for_errors);

 private:
  explicit FileHandle(NativeFileTraits::Value native, bool append = false)
      : native_(native), append_(append) {}

  UniqueHandle<NativeFileTraits> native_;
  bool append_ = false;
};

// Removes the file at `path`; false when it cannot be removed.
bool RemoveFile(const std::string& path);

}  // namespace ondrel
