#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "common/folder_listing.h"
#include "common/path_rules.h"
#include "common/system_path_posix.h"

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

void OpenFolder::Traits::Close(Value folder) {
  ::close(static_cast<int>(folder));
}

bool ReadFolder(const std::string& folder, std::vector<FolderEntry>& entries, FolderLink link,
                OpenFolder* keep) {
  entries.clear();
  if (keep != nullptr) *keep = OpenFolder();
  if (!IsSystemPath(folder)) return false;
  std::string path = folder;
  int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
  if (link == FolderLink::kRefuse) {
    // A trailing separator has the system follow a link in the last place whatever the flags.
    while (path.size() > 1 && path.back() == kPathSeparator) path.pop_back();
    flags |= O_NOFOLLOW;
  }
  OpenFolder opened(::open(path.c_str(), flags));
  if (!opened.IsOpen()) return false;
  // The listing reads through a descriptor of its own, so that the folder's stays open.
  const int listing_fd = ::fcntl(static_cast<int>(opened.Native()), F_DUPFD_CLOEXEC, 0);
  if (listing_fd < 0) return false;
  DIR* listing = ::fdopendir(listing_fd);
  if (listing == nullptr) {
    ::close(listing_fd);
    return false;
  }
  const int folder_fd = ::dirfd(listing);
  while (const dirent* entry = ::readdir(listing)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    entries.push_back(FolderEntry{entry->d_name, KindOf(folder_fd, *entry)});
  }
  ::closedir(listing);
  if (keep != nullptr) *keep = std::move(opened);
  return true;
}

}  // namespace ondrel
