#include <windows.h>

#include "common/file_search.h"
#include "common/find_entries_win32.h"
#include "common/path_rules.h"
#include "common/system_files.h"
#include "common/system_path_win32.h"

namespace ondrel {
namespace {

// The entry filters of the search. Any entry: ordinary files, hidden files and folders, not
// entries marked as system. A plain file: the plain-file mask, which matches neither folders
// nor hidden or system files. A path ending with a separator asks for what is inside the
// folder, whose own "." entry is found in any folder but a drive's root.
bool Admits(const WIN32_FIND_DATAW& entry, SearchTarget target) {
  const DWORD attributes = entry.dwFileAttributes;
  if (target == SearchTarget::kPlainFile)
    return (attributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
  return (attributes & FILE_ATTRIBUTE_SYSTEM) == 0;
}

}  // namespace

SearchResult SearchEntry(const std::string& path, SearchTarget target) {
  if (path.empty()) return SearchResult::kNotFound;
  if (path.find('\0') != std::string::npos) return SearchResult::kFailed;
  std::wstring pattern = SystemPath(path);
  if (path.back() == kPathSeparator || path.back() == '/') pattern += L'*';
  bool found = false;
  const DWORD error = ForEachFound(pattern, [&](const WIN32_FIND_DATAW& entry) {
    found = Admits(entry, target) && (target == SearchTarget::kAnyEntry || !IsDotEntry(entry));
    return !found;
  });
  if (found) return SearchResult::kFound;
  switch (error) {
    case ERROR_NO_MORE_FILES:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:
      return SearchResult::kNotFound;
    default:
      return SearchResult::kFailed;
  }
}

}  // namespace ondrel
