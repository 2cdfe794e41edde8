#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/shared_folders_posix.h"
#include "common/system_failure.h"
#include "common/system_files.h"
#include "common/system_path_posix.h"

namespace ondrel {
namespace {

EntryKind KindOf(int folder_fd, const dirent& entry) {
  switch (entry.d_type) {
    case DT_REG:
      return EntryKind::kFile;
    case DT_DIR:
      return EntryKind::kFolder;
    case DT_LNK:  // a link is no entry of the tree, whatever it leads to
      return EntryKind::kOther;
    case DT_UNKNOWN:
      break;
    default:
      return EntryKind::kOther;
  }
  struct stat info;
  if (::fstatat(folder_fd, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) return EntryKind::kOther;
  if (S_ISREG(info.st_mode)) return EntryKind::kFile;
  if (S_ISDIR(info.st_mode)) return EntryKind::kFolder;
  return EntryKind::kOther;
}

}  // namespace

void OpenFolder::Traits::Close(Value folder) {
  ::close(static_cast<int>(folder));
}

OpenFolder SystemFiles::Duplicate(const OpenFolder& folder, const std::string& path) {
  const int copy = ::fcntl(static_cast<int>(folder.Native()), F_DUPFD_CLOEXEC, 0);
  if (copy < 0) ThrowSystemFailure(errno, "Impossibile aprire", path);
  return OpenFolder(copy);
}

namespace {

// Lists the folder open as `fd`, which it takes over; returns 0 or an errno value.
int ListOpenedFolder(int fd, std::vector<FolderEntry>& entries, OpenFolder* keep) {
  OpenFolder opened(fd);
  // The listing reads through a descriptor of its own, so that the folder's stays open.
  const int listing_fd = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
  if (listing_fd < 0) return errno;
  DIR* listing = ::fdopendir(listing_fd);
  if (listing == nullptr) {
    const int error = errno;
    ::close(listing_fd);
    return error;
  }
  const int folder_fd = ::dirfd(listing);
  errno = 0;
  while (const dirent* entry = ::readdir(listing)) {
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
      entries.push_back(FolderEntry{entry->d_name, KindOf(folder_fd, *entry)});
    errno = 0;
  }
  const int error = errno;
  ::closedir(listing);
  if (error != 0) {
    entries.clear();
    return error;
  }
  if (keep != nullptr) *keep = std::move(opened);
  return 0;
}

}  // namespace

void SystemFiles::ListFolder(const std::string& folder, std::vector<FolderEntry>& entries,
                             OpenFolder* keep) {
  entries.clear();
  if (keep != nullptr) *keep = OpenFolder();
  RefusePlantedLinks(folder);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const int error = fd < 0 ? errno : ListOpenedFolder(fd, entries, keep);
  if (error != 0) ThrowSystemFailure(error, "Impossibile leggere la cartella", folder);
}

void SystemFiles::ListSubFolder(const OpenFolder& parent, const std::string& name,
                                const std::string& path, std::vector<FolderEntry>& entries,
                                OpenFolder& keep) {
  entries.clear();
  keep = OpenFolder();
  int fd;
  do {
    fd = ::openat(static_cast<int>(parent.Native()), name.c_str(),
                  O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  int error = fd < 0 ? errno : ListOpenedFolder(fd, entries, &keep);
  // A link fails the folder check before the link check; it is told as a link, as on Windows.
  struct stat info;
  if (error == ENOTDIR &&
      ::fstatat(static_cast<int>(parent.Native()), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
      S_ISLNK(info.st_mode))
    error = ELOOP;
  if (error != 0) ThrowSystemFailure(error, "Impossibile leggere la cartella", path);
}

}  // namespace ondrel
