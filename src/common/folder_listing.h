// Listing a folder's entries, and handing out its sub-folders one at a time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/unique_handle.h"

namespace ondrel {

enum class EntryKind {
  kFile,    // a regular file, or a link to one; on Windows hidden and system files too
  kFolder,  // a folder itself; a link to a folder is not one, so a walk never loops; on
            // Windows hidden folders too, but not folders marked as system or reparse points
  kOther,   // devices, pipes, sockets, broken links, links to folders, junctions
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

// A folder kept open after its listing, so that its files are opened by name in it: the
// files of the very folder that was listed, whatever its path leads to by then.
// On Windows a folder held open cannot be renamed or removed meanwhile.
class OpenFolder {
 public:
  struct Traits {
    using Value = std::intptr_t;
    static constexpr Value Invalid() { return -1; }
    static void Close(Value folder);
  };

  OpenFolder() = default;
  explicit OpenFolder(Traits::Value native) : native_(native) {}

  bool IsOpen() const { return native_.Valid(); }
  // The system's handle of the folder (a descriptor, a HANDLE), for the platform files.
  Traits::Value Native() const { return native_.Get(); }

 private:
  UniqueHandle<Traits> native_;
};

// Replaces `entries` with the entries of `folder` (a path ending with the separator) in the
// order the system hands them out, "." and ".." left out. Returns false, with `entries`
// empty, when the folder cannot be listed (or is a link that `link` refuses). With `keep`,
// the folder stays open in it.
bool ReadFolder(const std::string& folder, std::vector<FolderEntry>& entries,
                FolderLink link = FolderLink::kFollow, OpenFolder* keep = nullptr);

// With a folder path (ending with the separator): starts a new listing of it and returns its
// first sub-folder's name. With the empty text: the next sub-folder of the listing started
// last. The empty text when there is none. One listing is in progress for the whole program.
std::string NextSubFolder(const std::string& folder);

}  // namespace ondrel
