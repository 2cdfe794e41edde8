#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/path_rules.h"
#include "common/shared_folders_posix.h"
#include "common/status_posix.h"
#include "common/system_failure.h"
#include "common/system_files.h"
#include "common/system_path_posix.h"

namespace ondrel {
namespace {

int Descriptor(const FileHandle& file) {
  return static_cast<int>(file.Native());
}

// True when `fd` was non-blocking and is blocking now.
bool ClearNonBlocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  return flags >= 0 && (flags & O_NONBLOCK) != 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

// Opens `place`. A path the user gave is looked up without following a link that another user
// planted in a shared folder: all of it, or, for a name that may be made (`mayCreate`), its
// folder.
int OpenDescriptor(const FilePlace& place, int flags, int mode, bool mayCreate = false) {
  CheckSystemPath(place.path);
  const int folder = place.folder != nullptr ? static_cast<int>(place.folder->Native()) : -1;
  if (folder < 0) {
    const std::string folderPart = FolderOf(place.path);
    RefusePlantedLinks(!mayCreate ? place.path : folderPart.empty() ? "." : folderPart);
  }
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
  ::close(static_cast<int>(file));
}

FileHandle SystemFiles::OpenToRead(const FilePlace& place, FileStatus& status) {
  const std::string& path = place.path;
  // Without O_NONBLOCK, opening a pipe waits for a writer; with O_NOCTTY a terminal does not
  // become the program's own. The flag stays on: reads of regular files ignore it, and Read
  // turns it off should a file system honour it. A file of a listed folder that has become a
  // link since is not followed out of the tree.
  const int noFollow = place.folder != nullptr ? O_NOFOLLOW : 0;
  FileHandle file(OpenDescriptor(place, O_RDONLY | O_NONBLOCK | O_NOCTTY | noFollow, 0));
  status = StatusOfOpen(file, path);
  if (status.type == FileType::kFolder) ThrowSystemFailure(EISDIR, "Impossibile leggere", path);
  if (status.type != FileType::kRegular)
    throw Failure(kFailureBadPath, "\"" + path + "\" non e` un file normale");
  return file;
}

FileHandle SystemFiles::CreateExclusive(const std::string& path) {
  return FileHandle(OpenDescriptor(path, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW, 0600, true));
}

FileHandle SystemFiles::OpenToWrite(const std::string& path, WriteMode mode) {
  const bool append = mode == WriteMode::kAppend;
  // Without O_NONBLOCK a pipe would wait for a reader; it is refused once its kind is known.
  const int flags =
      O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | (append ? O_RDWR | O_APPEND : O_WRONLY);
  FileHandle file(OpenDescriptor(path, flags, 0666, true), append);
  const int fd = Descriptor(file);
  // Opened, not yet changed: a file another user placed in a shared folder is refused as the
  // kernel's protection of such files would.
  struct stat info;
  if (::fstat(fd, &info) != 0) ThrowSystemFailure(errno, "Impossibile aprire", path);
  RefusePlantedFile(path, info);
  const int status = ::fcntl(fd, F_GETFL);
  if (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0)
    ThrowSystemFailure(errno, "Impossibile aprire", path);
  return file;
}

std::size_t SystemFiles::Read(FileHandle& file, char* buffer, std::size_t size,
                              std::string_view path) {
  const int fd = Descriptor(file);
  for (;;) {
    const ssize_t got = ::read(fd, buffer, size);
    if (got >= 0) return static_cast<std::size_t>(got);
    const int error = errno;
    if (error == EINTR) continue;
    if ((error == EAGAIN || error == EWOULDBLOCK) && ClearNonBlocking(fd)) continue;
    ThrowSystemFailure(error, "Impossibile leggere", path);
  }
}

std::size_t SystemFiles::ReadAt(FileHandle& file, std::uint64_t offset, char* buffer,
                                std::size_t size, std::string_view path) {
  for (;;) {
    const ssize_t got = ::pread(Descriptor(file), buffer, size, static_cast<off_t>(offset));
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) ThrowSystemFailure(errno, "Impossibile leggere", path);
  }
}

void SystemFiles::Rewind(FileHandle& file, std::string_view path) {
  if (::lseek(Descriptor(file), 0, SEEK_SET) != 0)
    ThrowSystemFailure(errno, "Impossibile leggere", path);
}

void SystemFiles::WriteAll(FileHandle& file, const char* data, std::size_t size,
                           std::string_view path) {
  const int fd = Descriptor(file);
  while (size > 0) {
    const ssize_t put = ::write(fd, data, size);
    if (put < 0) {
      if (errno == EINTR) continue;
      ThrowSystemFailure(errno, "Impossibile scrivere", path);
    }
    if (put == 0) ThrowSystemFailure(ENOSPC, "Impossibile scrivere", path);
    data += put;
    size -= static_cast<std::size_t>(put);
  }
}

std::optional<std::int64_t> SystemFiles::WritePosition(const FileHandle& file) {
  const off_t position = ::lseek(Descriptor(file), 0, file.Appends() ? SEEK_END : SEEK_CUR);
  if (position < 0) return std::nullopt;
  return position;
}

void SystemFiles::Truncate(FileHandle& file, std::int64_t size, std::string_view path) {
  if (::ftruncate(Descriptor(file), size) != 0)
    ThrowSystemFailure(errno, "Impossibile scrivere", path);
}

void SystemFiles::Sync(FileHandle& file, std::string_view path) {
  if (::fsync(Descriptor(file)) != 0) ThrowSystemFailure(errno, "Impossibile scrivere", path);
}

FileStatus SystemFiles::StatusOfOpen(const FileHandle& file, std::string_view path) {
  struct stat info;
  if (::fstat(Descriptor(file), &info) != 0) ThrowSystemFailure(errno, "Impossibile leggere", path);
  return StatusFromStat(info);
}

void SystemFiles::AdviseSequential(FileHandle& file) {
  ::posix_fadvise(Descriptor(file), 0, 0, POSIX_FADV_SEQUENTIAL);
}

void SystemFiles::Close(FileHandle& file, std::string_view path) {
  if (!file.IsOpen()) return;
  if (::close(static_cast<int>(file.Release())) != 0 && errno != EINTR)
    ThrowSystemFailure(errno, "Impossibile chiudere", path);
}

}  // namespace ondrel
