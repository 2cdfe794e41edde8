#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <functional>

#include "common/file_search.h"
#include "common/path_rules.h"
#include "common/system_files.h"
#include "common/system_path_posix.h"

namespace ondrel {
namespace {

bool HasWildcard(std::string_view text) {
  return text.find_first_of("*?") != std::string_view::npos;
}

SearchResult FromErrno(int error) {
  return (error == ENOENT || error == ENOTDIR) ? SearchResult::kNotFound : SearchResult::kFailed;
}

// Searches for `path`; `accept` decides whether an existing entry counts, given the path
// to it and its lstat information.
SearchResult Search(const std::string& path,
                    const std::function<bool(const std::string&, const struct stat&)>& accept) {
  if (path.empty()) return SearchResult::kNotFound;
  if (!IsSystemPath(path)) return SearchResult::kFailed;

  const auto slash = path.rfind(kPathSeparator);
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const std::string_view last =
      std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);

  if (!HasWildcard(last)) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0) return FromErrno(errno);
    return accept(path, info) ? SearchResult::kFound : SearchResult::kNotFound;
  }

  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) return FromErrno(errno);
  SearchResult result = SearchResult::kNotFound;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == ".." || !MatchesWildcard(last, name)) continue;
    const std::string entry_path = (slash == std::string::npos ? "" : folder) + entry->d_name;
    struct stat info;
    if (::lstat(entry_path.c_str(), &info) == 0 && accept(entry_path, info)) {
      result = SearchResult::kFound;
      break;
    }
  }
  ::closedir(listing);
  return result;
}

}  // namespace

SearchResult SearchEntry(const std::string& path, SearchTarget target) {
  if (target == SearchTarget::kAnyEntry)
    return Search(path, [](const std::string&, const struct stat&) { return true; });
  return Search(path, [](const std::string& entry_path, const struct stat& info) {
    if (S_ISREG(info.st_mode)) return true;
    struct stat target_info;
    return S_ISLNK(info.st_mode) && ::stat(entry_path.c_str(), &target_info) == 0 &&
           S_ISREG(target_info.st_mode);
  });
}

}  // namespace ondrel
