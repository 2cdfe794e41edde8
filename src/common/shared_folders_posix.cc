#include "common/shared_folders_posix.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <deque>
#include <optional>
#include <string_view>

#include "common/path_rules.h"
#include "common/system_failure.h"
#include "common/system_path_posix.h"

namespace ondrel {
namespace {

// As many links as the kernel follows in one path.
constexpr int kMostLinks = 40;

bool IsSharedFolder(const struct stat& folder) {
  return S_ISDIR(folder.st_mode) && (folder.st_mode & S_ISVTX) != 0 &&
         (folder.st_mode & S_IWOTH) != 0;
}

// Whether the entry whose status is `entry`, in the folder `folder` (a resolved path, "" for
// the root), is another user's in a shared folder: neither the user's nor the folder owner's.
bool PlantedIn(const std::string& folder, const struct stat& entry) {
  const uid_t user = ::geteuid();
  if (entry.st_uid == user) return false;
  struct stat status;
  if (::stat(folder.empty() ? "/" : folder.c_str(), &status) != 0) return false;
  return IsSharedFolder(status) && entry.st_uid != status.st_uid;
}

// Puts the parts of `path` before the parts still to do, in order.
void PushParts(std::string_view path, std::deque<std::string>& parts) {
  std::deque<std::string> ahead;
  std::size_t begin = 0;
  while (begin <= path.size()) {
    const std::size_t end = std::min(path.find(kPathSeparator, begin), path.size());
    if (end > begin) ahead.emplace_back(path.substr(begin, end - begin));
    begin = end + 1;
  }
  parts.insert(parts.begin(), ahead.begin(), ahead.end());
}

// Puts what the link at `link` holds into `target`; false, errno set, when it cannot be read.
bool LinkTarget(const std::string& link, std::string& target) {
  for (std::size_t size = 256;; size *= 2) {
    target.assign(size, '\0');
    const ssize_t length = ::readlink(link.c_str(), target.data(), size);
    if (length < 0) return false;
    if (static_cast<std::size_t>(length) < size) {
      target.resize(static_cast<std::size_t>(length));
      return true;
    }
  }
}

std::string WorkingFolder(const std::string& path) {
  char buffer[PATH_MAX];
  if (::getcwd(buffer, sizeof buffer) == nullptr)
    ThrowSystemFailure(errno, "Impossibile aprire", path);
  return buffer[1] == '\0' ? std::string() : std::string(buffer);
}

// Resolves `path` part by part as ResolveWithoutPlantedLinks describes. When a part cannot be
// looked up, `strict` throws the fault; otherwise the walk ends there with nothing.
std::optional<std::string> Resolve(const std::string& path, bool strict) {
  CheckSystemPath(path);
  const auto stop = [&](int error) -> std::optional<std::string> {
    if (strict) ThrowSystemFailure(error, "Impossibile aprire", path);
    return std::nullopt;
  };
  // The resolved part, with no link in it and no separator at its end; "" is the root.
  std::string resolved = !path.empty() && path[0] == kPathSeparator ? "" : WorkingFolder(path);
  std::deque<std::string> parts;
  PushParts(path, parts);
  int links = 0;
  while (!parts.empty()) {
    const std::string part = std::move(parts.front());
    parts.pop_front();
    if (part == ".") continue;
    if (part == "..") {
      resolved.resize(resolved.empty() ? 0 : resolved.rfind(kPathSeparator));
      continue;
    }
    const std::string next = resolved + kPathSeparator + part;
    struct stat entry;
    if (::lstat(next.c_str(), &entry) != 0) return stop(errno);
    if (!S_ISLNK(entry.st_mode)) {
      // Only the last part may be anything but a folder.
      if (!S_ISDIR(entry.st_mode) && !parts.empty()) return stop(ENOTDIR);
      resolved = next;
      continue;
    }
    if (++links > kMostLinks) return stop(ELOOP);
    if (PlantedIn(resolved, entry))
      throw Failure(kFailureSymbolicLink,
                    "Il collegamento simbolico \"" + next +
                        "\" sta in una cartella condivisa e appartiene a un altro utente: "
                        "non viene seguito");
    std::string target;
    if (!LinkTarget(next, target)) return stop(errno);
    if (!target.empty() && target[0] == kPathSeparator) resolved.clear();
    PushParts(target, parts);
  }
  return resolved.empty() ? std::string(1, kPathSeparator) : resolved;
}

}  // namespace

std::string ResolveWithoutPlantedLinks(const std::string& path) {
  return *Resolve(path, true);
}

void RefusePlantedLinks(const std::string& path) {
  Resolve(path, false);
}

void RefusePlantedFile(const std::string& path, const struct stat& file) {
  if (!PlantedIn(FolderOf(path).empty() ? WorkingFolder(path) : FolderOf(path), file)) return;
  throw Failure(kFailureAccessDenied,
                "Il file \"" + path +
                    "\" sta in una cartella condivisa e appartiene a un altro utente: non viene "
                    "scritto");
}

}  // namespace ondrel
