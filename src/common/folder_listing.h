// Listing a folder's entries, and handing out its sub-folders one at a time.
#pragma once

#include <string>
#include <vector>

namespace ondrel {

enum class EntryKind {
  kFile,    // a regular file, or a link to one
  kFolder,  // a folder itself; a link to a folder is not one, so a walk never loops
  kOther,   // devices, pipes, sockets, broken links, links to folders
};

struct FolderEntry {
  std::string name;
  EntryKind kind;
};

// Whether a folder path whose last part is a link to a folder is listed through the link.
enum class FolderLink {
  kFollow,
  kRefuse,  // for a walk: a folder listed as one may have been replaced by a link meanwhile
};

// Replaces `entries` with the entries of `folder` (a path ending with the separator) in the
// order the system hands them out, "." and ".." left out. Returns false, with `entries`
// empty, when the folder cannot be listed (or is a link that `link` refuses).
bool ReadFolder(const std::string& folder, std::vector<FolderEntry>& entries,
                FolderLink link = FolderLink::kFollow);

// With a folder path (ending with the separator): starts a new listing of it and returns its
// first sub-folder's name. With the empty text: the next sub-folder of the listing started
// last. The empty text when there is none. One listing is in progress for the whole program.
std::string NextSubFolder(const std::string& folder);

}  // namespace ondrel
