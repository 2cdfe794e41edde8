// An open file descriptor that is closed on every way out of its owner.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace ondrel {

// A file to open: its path, and, where its folder is held open, that folder and the file's
// name in it, which spares the system walking the whole path again.
struct FilePlace {
  FilePlace(const std::string& path) : path(path) {}  // NOLINT: a path is a place
  FilePlace(const std::string& path, int folder, const char* name)
      : path(path), folder(folder), name(name) {}

  const std::string& path;  // names the file in failures
  int folder = -1;
  const char* name = nullptr;
};

class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(int fd) : fd_(fd) {}
  FileHandle(FileHandle&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileHandle& operator=(FileHandle&& other) noexcept;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle();

  // Opens the file at `place` with open(2) flags and mode; throws Failure naming the path on
  // error.
  static FileHandle Open(const FilePlace& place, int flags, int mode = 0666);
  // Opens the regular file at `place` (or the one a link leads to) for reading and stores
  // its status in `info`. Anything else throws Failure at once: a pipe or a device put in a
  // file's place would block the reader or never end.
  static FileHandle OpenToRead(const FilePlace& place, struct stat& info);

  // A second descriptor of what `fd` refers to, which stays open when `fd` is closed; throws
  // Failure naming `path_for_errors` when the system has none to give.
  static FileHandle Duplicate(int fd, std::string_view path_for_errors);

  int Fd() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }

  // Reads up to `size` bytes, retrying on interruption; 0 at end of file. Throws on error.
  std::size_t Read(char* buffer, std::size_t size, std::string_view path_for_errors);
  // Writes every byte or throws (a full disk included).
  void WriteAll(const char* data, std::size_t size, std::string_view path_for_errors);
  // Moves back to the first byte; throws on error.
  void Rewind(std::string_view path_for_errors);
  // Closes now and reports a failed close (deferred write errors) as a Failure.
  void Close(std::string_view path_for_errors);

 private:
  int fd_ = -1;
};

}  // namespace ondrel
