#include "engine/folder_walk.h"

#include <algorithm>
#include <vector>

#include "common/failure.h"
#include "common/path_rules.h"
#include "common/paths.h"
#include "engine/ascii_case.h"
#include "engine/file_kind.h"

namespace ondrel {
namespace {

// One folder on the way down: its listing, the folder held open, and how far the walk has
// gone through it.
struct Level {
  std::vector<FolderEntry> entries;
  OpenFolder folder;
  std::size_t next = 0;        // the next entry to look at for a sub-folder
  std::size_t pathLength = 0;  // length of the folder's path, separator included
};

// Whether a folder that could not be opened for the reason `failure` held addresses the run
// misses: one that vanished, or became a link or a file meanwhile, is not a folder of the
// tree any more.
bool IsLoss(const Failure& failure) {
  return failure.Number() != kFailureNotFound && failure.Number() != kFailureSymbolicLink;
}

// Visits the files of the folder listed in `level`, each to be opened by name in the open
// folder.
void VisitFiles(const std::string& path, Level& level, ScanState& state,
                const std::function<void(const FilePlace&)>& visit, std::string& file_path) {
  level.next = 0;
  level.pathLength = path.size();
  for (const FolderEntry& entry : level.entries) {
    if (entry.kind != EntryKind::kFile || !KindSelects(state.fileKind, entry.name)) continue;
    file_path.assign(path).append(entry.name);
    visit(FilePlace(file_path, level.folder, entry.name));
  }
}

// Lists a folder through `list`; one that cannot be listed counts as empty, and is noted.
template <typename List>
void ListOrNote(const std::string& path, ScanState& state, List list) {
  try {
    list();
  } catch (const Failure& failure) {
    if (IsLoss(failure))
      state.skipped.push_back(
          SkippedFile{path, "cartella non leggibile: " + FailureText(failure.Number())});
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

void ScanFolderTree(std::string& folder, ScanState& state,
                    const std::function<void(const FilePlace&)>& visit) {
  folder = AddBackslash(folder);
  // levels[0] is the scan folder; levels[n] a folder n levels below it. Every sub-folder is
  // opened in its parent, held open, so the walk never leaves the tree and full paths of any
  // length work; the paths are kept for what the user sees.
  std::vector<Level> levels(1);
  levels.reserve(kDeepestLevel + 1);
  std::string path = folder;
  std::string file_path;
  // The scan folder may itself be a link.
  ListOrNote(path, state,
             [&] { state.files.ListFolder(path, levels[0].entries, &levels[0].folder); });
  VisitFiles(path, levels[0], state, visit, file_path);
  std::size_t depth = 0;
  for (;;) {
    Level& level = levels[depth];
    const auto sub_folder =
        std::find_if(level.entries.begin() + level.next, level.entries.end(),
                     [](const FolderEntry& entry) { return entry.kind == EntryKind::kFolder; });
    if (sub_folder == level.entries.end()) {
      level.folder = OpenFolder();
      if (depth == 0) return;
      --depth;
      path.resize(levels[depth].pathLength);
      continue;
    }
    level.next = static_cast<std::size_t>(sub_folder - level.entries.begin()) + 1;
    path.append(sub_folder->name).push_back(kPathSeparator);
    ++depth;
    if (levels.size() == depth) levels.emplace_back();
    Level& below = levels[depth];
    ListOrNote(path, state, [&] {
      state.files.ListSubFolder(level.folder, sub_folder->name, path, below.entries, below.folder);
    });
    VisitFiles(path, below, state, visit, file_path);
    if (depth == kDeepestLevel) {
      throw Failure(kFailureDepthLimit, "Albero di cartelle piu` profondo di " +
                                            std::to_string(kDeepestLevel) + " livelli: " + path);
    }
  }
}

}  // namespace ondrel
