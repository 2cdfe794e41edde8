#include "engine/folder_walk.h"

#include <algorithm>
#include <vector>

#include "common/failure.h"
#include "common/folder_listing.h"
#include "common/path_rules.h"
#include "common/paths.h"
#include "engine/ascii_case.h"
#include "engine/file_kind.h"

namespace ondrel {
namespace {

// One folder on the way down: its listing and how far the walk has gone through it.
struct Level {
  std::vector<FolderEntry> entries;
  std::size_t next = 0;        // the next entry to look at for a sub-folder
  std::size_t pathLength = 0;  // length of the folder's path, separator included
};

// Lists the folder `path` into `level` and scans its files, opened by name in the folder as
// it was listed. A sub-folder that became a link since its parent was listed is not
// followed, like any link to a folder.
void EnterFolder(const std::string& path, Level& level, FolderLink link, ExtractionState& state,
                 std::string& file_path) {
  OpenFolder folder;
  ReadFolder(path, level.entries, link, &folder);  // an unreadable folder counts as empty
  level.next = 0;
  level.pathLength = path.size();
  for (const FolderEntry& entry : level.entries) {
    if (entry.kind != EntryKind::kFile || !KindSelects(state.fileKind, entry.name)) continue;
    file_path.assign(path).append(entry.name);
    // A file that cannot be read is skipped.
    ScanFile(FilePlace(file_path, folder, entry.name), state);
  }
}

}  // namespace

bool KindSelects(std::int16_t kind, std::string_view name) {
  // A name of spaces only has no extension (and is not reported as a missing name).
  const auto parts = SplitPath(name);
  if (!parts) return false;
  const std::string_view extension = parts->extension;
  switch (kind) {
    case kKindWebPages:
      return EqualsLowerCased(extension, "html") || EqualsLowerCased(extension, "htm") ||
             EqualsLowerCased(extension, "asp");
    case kKindTextFiles:
      return EqualsLowerCased(extension, "txt");
    case kKindStoreFiles:
      return EqualsLowerCased(extension, "dbx");
    default:
      return false;
  }
}

void ScanFolderTree(std::string& folder, ExtractionState& state) {
  folder = AddBackslash(folder);
  // levels[0] is the scan folder; levels[n] a folder n levels below it.
  std::vector<Level> levels(1);
  levels.reserve(kDeepestLevel + 1);
  std::string path = folder;
  std::string file_path;
  EnterFolder(path, levels[0], FolderLink::kFollow, state, file_path);
  std::size_t depth = 0;
  for (;;) {
    Level& level = levels[depth];
    const auto sub_folder =
        std::find_if(level.entries.begin() + level.next, level.entries.end(),
                     [](const FolderEntry& entry) { return entry.kind == EntryKind::kFolder; });
    if (sub_folder == level.entries.end()) {
      if (depth == 0) return;
      --depth;
      path.resize(levels[depth].pathLength);
      continue;
    }
    level.next = static_cast<std::size_t>(sub_folder - level.entries.begin()) + 1;
    path.append(sub_folder->name).push_back(kPathSeparator);
    ++depth;
    if (levels.size() == depth) levels.emplace_back();
    EnterFolder(path, levels[depth], FolderLink::kRefuse, state, file_path);
    if (depth == kDeepestLevel) {
      throw Failure(kFailureDepthLimit, "Folder tree deeper than " + std::to_string(kDeepestLevel) +
                                            " levels: " + path);
    }
  }
}

}  // namespace ondrel
