#include "common/folder_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/platform.h"

namespace ondrel {
namespace {

EntryKind KindOf(int folder_fd, const dirent& entry) {
  switch (entry.d_type) {
    case DT_REG:
      return EntryKind::kFile;
    case DT_DIR:
      return EntryKind::kFolder;
    case DT_LNK:
    case DT_UNKNOWN:
      break;
    default:
      return EntryKind::kOther;
  }
  struct stat info;
  if (::fstatat(folder_fd, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) return EntryKind::kOther;
  if (S_ISREG(info.st_mode)) return EntryKind::kFile;
  if (S_ISDIR(info.st_mode)) return EntryKind::kFolder;
  if (S_ISLNK(info.st_mode) && ::fstatat(folder_fd, entry.d_name, &info, 0) == 0 &&
      S_ISREG(info.st_mode))
    return EntryKind::kFile;
  return EntryKind::kOther;
}

}  // namespace

OpenFolder& OpenFolder::operator=(OpenFolder&& other) noexcept {
  if (this != &other) {
    if (listing_ != nullptr) ::closedir(listing_);
    listing_ = std::exchange(other.listing_, nullptr);
  }
  return *this;
}

OpenFolder::~OpenFolder() {
  if (listing_ != nullptr) ::closedir(listing_);
}

int OpenFolder::Fd() const {
  return listing_ != nullptr ? ::dirfd(listing_) : -1;
}

// Lists the folder open as `fd`, which it takes over; returns 0 or an errno value.
int ListOpenedFolder(int fd, std::vector<FolderEntry>& entries, OpenFolder* keep) {
  DIR* listing = ::fdopendir(fd);
  if (listing == nullptr) {
    const int error = errno;
    ::close(fd);
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
  if (error != 0) {
    entries.clear();
    ::closedir(listing);
    return error;
  }
  if (keep != nullptr) {
    keep->listing_ = listing;
  } else {
    ::closedir(listing);
  }
  return 0;
}

bool ReadFolder(const std::string& folder, std::vector<FolderEntry>& entries, OpenFolder* keep) {
  entries.clear();
  if (keep != nullptr) *keep = OpenFolder();
  if (folder.find('\0') != std::string::npos) return false;
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const int error = fd < 0 ? errno : ListOpenedFolder(fd, entries, keep);
  errno = error;
  return error == 0;
}

int ReadSubFolder(const OpenFolder& parent, const std::string& name,
                  std::vector<FolderEntry>& entries, OpenFolder& keep) {
  entries.clear();
  keep = OpenFolder();
  int fd;
  do {
    fd = ::openat(parent.Fd(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return errno;
  return ListOpenedFolder(fd, entries, &keep);
}

std::string NextSubFolder(const std::string& folder) {
  static std::vector<FolderEntry> listing;
  static std::size_t next = 0;
  if (!folder.empty()) {
    ReadFolder(folder, listing);
    next = 0;
  }
  while (next < listing.size()) {
    const FolderEntry& entry = listing[next++];
    if (entry.kind == EntryKind::kFolder) return entry.name;
  }
  return {};
}

}  // namespace ondrel
