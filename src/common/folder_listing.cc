#include "common/folder_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

bool ReadFolder(const std::string& folder, std::vector<FolderEntry>& entries, FolderLink link,
                OpenFolder* keep) {
  entries.clear();
  if (keep != nullptr) *keep = OpenFolder();
  if (folder.find('\0') != std::string::npos) return false;
  std::string path = folder;
  int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
  if (link == FolderLink::kRefuse) {
    // A trailing separator has the system follow a link in the last place whatever the flags.
    while (path.size() > 1 && path.back() == kPathSeparator) path.pop_back();
    flags |= O_NOFOLLOW;
  }
  const int fd = ::open(path.c_str(), flags);
  if (fd < 0) return false;
  DIR* listing = ::fdopendir(fd);
  if (listing == nullptr) {
    ::close(fd);
    return false;
  }
  const int folder_fd = ::dirfd(listing);
  while (const dirent* entry = ::readdir(listing)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    entries.push_back(FolderEntry{entry->d_name, KindOf(folder_fd, *entry)});
  }
  if (keep != nullptr) {
    keep->listing_ = listing;
  } else {
    ::closedir(listing);
  }
  return true;
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
