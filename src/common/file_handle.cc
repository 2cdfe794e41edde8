#include "common/file_handle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/failure.h"

namespace ondrel {
namespace {

// True when `fd` was non-blocking and is blocking now.
bool ClearNonBlocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  return flags >= 0 && (flags & O_NONBLOCK) != 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

}  // namespace

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

FileHandle::~FileHandle() {
  if (fd_ >= 0) ::close(fd_);
}

FileHandle FileHandle::Open(const FilePlace& place, int flags, int mode) {
  const std::string& path = place.path;
  if (path.find('\0') != std::string::npos)
    throw Failure(kFailureBadPath, "Nome di file non valido");
  int fd;
  do {
    fd = place.folder >= 0 ? ::openat(place.folder, place.name, flags | O_CLOEXEC, mode)
                           : ::open(path.c_str(), flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) ThrowSystemFailure(errno, "Impossibile aprire", path);
  return FileHandle(fd);
}

FileHandle FileHandle::OpenToRead(const FilePlace& place, struct stat& info) {
  const std::string& path = place.path;
  // Without O_NONBLOCK, opening a pipe waits for a writer; with O_NOCTTY a terminal does not
  // become the program's own. The flag stays on: reads of regular files ignore it, and Read
  // turns it off should a file system honour it.
  FileHandle file = Open(place, O_RDONLY | O_NONBLOCK | O_NOCTTY);
  if (::fstat(file.fd_, &info) != 0) ThrowSystemFailure(errno, "Impossibile leggere", path);
  if (S_ISDIR(info.st_mode)) ThrowSystemFailure(EISDIR, "Impossibile leggere", path);
  if (!S_ISREG(info.st_mode))
    throw Failure(kFailureBadPath, "\"" + path + "\" non e` un file normale");
  return file;
}

FileHandle FileHandle::Duplicate(int fd, std::string_view path_for_errors) {
  const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
  if (copy < 0) ThrowSystemFailure(errno, "Impossibile aprire", path_for_errors);
  return FileHandle(copy);
}

std::size_t FileHandle::Read(char* buffer, std::size_t size, std::string_view path_for_errors) {
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, size);
    if (got >= 0) return static_cast<std::size_t>(got);
    const int error = errno;
    if (error == EINTR) continue;
    if ((error == EAGAIN || error == EWOULDBLOCK) && ClearNonBlocking(fd_)) continue;
    ThrowSystemFailure(error, "Impossibile leggere", path_for_errors);
  }
}

void FileHandle::WriteAll(const char* data, std::size_t size, std::string_view path_for_errors) {
  while (size > 0) {
    const ssize_t put = ::write(fd_, data, size);
    if (put < 0) {
      if (errno == EINTR) continue;
      ThrowSystemFailure(errno, "Impossibile scrivere", path_for_errors);
    }
    if (put == 0) ThrowSystemFailure(ENOSPC, "Impossibile scrivere", path_for_errors);
    data += put;
    size -= static_cast<std::size_t>(put);
  }
}

void FileHandle::Rewind(std::string_view path_for_errors) {
  if (::lseek(fd_, 0, SEEK_SET) != 0)
    ThrowSystemFailure(errno, "Impossibile leggere", path_for_errors);
}

void FileHandle::Close(std::string_view path_for_errors) {
  if (fd_ < 0) return;
  const int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0 && errno != EINTR)
    ThrowSystemFailure(errno, "Impossibile chiudere", path_for_errors);
}

}  // namespace ondrel
