// Listing a folder's entries, and handing out its sub-folders one at a time.
#pragma once

#include <dirent.h>

#include <string>
#include <utility>
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

// A folder kept open after its listing, so that its files are opened by name in it: the
// files of the very folder that was listed, whatever its path leads to by then.
class OpenFolder {
 public:
  OpenFolder() = default;
  OpenFolder(OpenFolder&& other) noexcept : listing_(std::exchange(other.listing_, nullptr)) {}
  OpenFolder& operator=(OpenFolder&& other) noexcept;
  OpenFolder(const OpenFolder&) = delete;
  OpenFolder& operator=(const OpenFolder&) = delete;
  ~OpenFolder();

  // The folder's descriptor; -1 when no folder is held.
  int Fd() const;

 private:
  friend bool ReadFolder(const std::string&, std::vector<FolderEntry>&, FolderLink, OpenFolder*);
  DIR* listing_ = nullptr;
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
