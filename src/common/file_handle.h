// An open file descriptor that is closed on every way out of its owner.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace ondrel {

class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(int fd) : fd_(fd) {}
  FileHandle(FileHandle&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileHandle& operator=(FileHandle&& other) noexcept;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle();

  // Opens `path` with open(2) flags and mode; throws Failure naming the path on error.
  static FileHandle Open(const std::string& path, int flags, int mode = 0666);
  // Opens the regular file `path` (or the one a link leads to) for reading and stores its
  // status in `info`. Anything else throws Failure at once: a pipe or a device put in a
  // file's place would block the reader or never end.
  static FileHandle OpenToRead(const std::string& path, struct stat& info);

  int Fd() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }

  // Reads up to `size` bytes, retrying on interruption; 0 at end of file. Throws on error.
  std::size_t Read(char* buffer, std::size_t size, std::string_view path_for_errors);
  // Writes every byte or throws (a full disk included).
  void WriteAll(const char* data, std::size_t size, std::string_view path_for_errors);
  // Closes now and reports a failed close (deferred write errors) as a Failure.
  void Close(std::string_view path_for_errors);

 private:
  int fd_ = -1;
};

}  // namespace ondrel
