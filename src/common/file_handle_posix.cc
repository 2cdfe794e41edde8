#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/failure.h"
#include "common/file_handle.h"
#include "common/folder_listing.h"
#include "common/status_posix.h"
#include "common/system_path_posix.h"

namespace ondrel {
namespace {

// True when `fd` was non-blocking and is blocking now.
bool ClearNonBlocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  return flags >= 0 && (flags & O_NONBLOCK) != 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

int Descriptor(NativeFileTraits::Value native) {
  return static_cast<int>(native);
}

int OpenDescriptor(const FilePlace& place, int flags, int mode) {
  CheckSystemPath(place.path);
  const int folder = place.folder != nullptr ? static_cast<int>(place.folder->Native()) : -1;
  int fd;
  do {
    fd = folder >= 0 ? ::openat(folder, place.name->c_str(), flags | O_CLOEXEC, mode)
                     : ::open(place.path.c_str(), flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) ThrowSystemFailure(errno, "Impossibile aprire", place.path);
  return fd;
}

}  // namespace

void NativeFileTraits::Close(Value file) {
  ::close(Descriptor(file));
}

FileHandle FileHandle::OpenToRead(const FilePlace& place, FileStatus& status) {
  const std::string& path = place.path;
  // Without O_NONBLOCK, opening a pipe waits for a writer; with O_NOCTTY a terminal does not
  // become the program's own. The flag stays on: reads of regular files ignore it, and Read
  // turns it off should a file system honour it.
  FileHandle file(OpenDescriptor(place, O_RDONLY | O_NONBLOCK | O_NOCTTY, 0));
  status = file.Status(path);
  if (status.type == FileType::kFolder) ThrowSystemFailure(EISDIR, "Impossibile leggere", path);
  if (status.type != FileType::kRegular)
    throw Failure(kFailureBadPath, "\"" + path + "\" non e` un file normale");
  return file;
}

FileHandle FileHandle::CreateExclusive(const std::string& path) {
  return FileHandle(OpenDescriptor(path, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW, 0600));
}

FileHandle FileHandle::OpenToWrite(const std::string& path, WriteMode mode) {
  const bool append = mode == WriteMode::kAppend;
  // Without O_NONBLOCK a pipe would wait for a reader; it is refused once its kind is known.
  const int flags =
      O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | (append ? O_RDWR | O_APPEND : O_WRONLY);
  FileHandle file(OpenDescriptor(path, flags, 0666), append);
  const int fd = Descriptor(file.Native());
  const int status = ::fcntl(fd, F_GETFL);
  if (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0)
    ThrowSystemFailure(errno, "Impossibile aprire", path);
  return file;
}

bool FileHandle::ReadByteAt(std::uint64_t offset, char& byte, std::string_view path_for_errors) {
  const ssize_t got = ::pread(Descriptor(Native()), &byte, 1, static_cast<off_t>(offset));
  if (got < 0) ThrowSystemFailure(errno, "Impossibile leggere", path_for_errors);
  return got == 1;
}

void FileHandle::Rewind(std::string_view path_for_errors) {
  if (::lseek(Descriptor(Native()), 0, SEEK_SET) != 0)
    ThrowSystemFailure(errno, "Impossibile leggere", path_for_errors);
}

std::size_t FileHandle::Read(char* buffer, std::size_t size, std::string_view path_for_errors) {
  const int fd = Descriptor(Native());
  for (;;) {
    const ssize_t got = ::read(fd, buffer, size);
    if (got >= 0) return static_cast<std::size_t>(got);
    const int error = errno;
    if (error == EINTR) continue;
    if ((error == EAGAIN || error == EWOULDBLOCK) && ClearNonBlocking(fd)) continue;
    ThrowSystemFailure(error, "Impossibile leggere", path_for_errors);
  }
}

void FileHandle::WriteAll(const char* data, std::size_t size, std::string_view path_for_errors) {
  const int fd = Descriptor(Native());
  while (size > 0) {
    const ssize_t put = ::write(fd, data, size);
    if (put < 0) {
      if (errno == EINTR) continue;
      ThrowSystemFailure(errno, "Impossibile scrivere", path_for_errors);
    }
    if (put == 0) ThrowSystemFailure(ENOSPC, "Impossibile scrivere", path_for_errors);
    data += put;
    size -= static_cast<std::size_t>(put);
  }
}

std::int64_t FileHandle::WritePosition() const {
  return ::lseek(Descriptor(Native()), 0, append_ ? SEEK_END : SEEK_CUR);
}

bool FileHandle::Truncate(std::int64_t size) {
  return ::ftruncate(Descriptor(Native()), size) == 0;
}

void FileHandle::Sync(std::string_view path_for_errors) {
  if (::fsync(Descriptor(Native())) != 0)
    ThrowSystemFailure(errno, "Impossibile scrivere", path_for_errors);
}

FileStatus FileHandle::Status(std::string_view path_for_errors) const {
  struct stat info;
  if (::fstat(Descriptor(Native()), &info) != 0)
    ThrowSystemFailure(errno, "Impossibile leggere", path_for_errors);
  return StatusFromStat(info);
}

void FileHandle::AdviseSequential() {
  ::posix_fadvise(Descriptor(Native()), 0, 0, POSIX_FADV_SEQUENTIAL);
}

void FileHandle::Close(std::string_view path_for_errors) {
  if (!IsOpen()) return;
  const int fd = Descriptor(native_.Release());
  if (::close(fd) != 0 && errno != EINTR)
    ThrowSystemFailure(errno, "Impossibile chiudere", path_for_errors);
}

bool RemoveFile(const std::string& path) {
  return IsSystemPath(path) && ::unlink(path.c_str()) == 0;
}

}  // namespace ondrel
