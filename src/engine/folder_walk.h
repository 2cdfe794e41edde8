// The walk over the folder tree of a run, picking out the files of the selected kind.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/file_scanner.h"

namespace ondrel {

// The deepest level below the scan folder whose files are scanned; reaching it fails the run.
inline constexpr int kDeepestLevel = 100;

// Whether a file named `name` belongs to `kind`: the extension of the name (after its last dot,
// surrounding spaces ignored), lower-cased, is htm, html or asp for web pages, txt for text
// files, dbx for store files.
bool KindSelects(std::int16_t kind, std::string_view name);

// Visits, depth first, the files of `folder` (given a trailing separator if it lacks one) and
// of every folder below it: a folder's own files in listing order before its sub-folders, each
// sub-folder's tree before the next sub-folder. Every regular file (or link to one) that the
// kind in `state` selects at that moment goes to `visit`. Links to folders are not followed,
// and every sub-folder is opened in its parent, so nothing outside the tree is read whatever
// changes under it. A folder that cannot be listed counts as empty and is noted in
// `state.skipped`. Throws Failure (kFailureDepthLimit) after visiting the files of a folder
// kDeepestLevel levels down, and passes on what `visit` throws.
void ScanFolderTree(std::string& folder, ScanState& state,
                    const std::function<void(const FilePlace&)>& visit);

}  // namespace ondrel
