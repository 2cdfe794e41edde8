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

// A folder kept open after its listing, so that its files and sub-folders are opened by name
// in it: the entries of the very folder that was listed, whatever its path leads to by then.
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
  friend int ListOpenedFolder(int, std::vector<FolderEntry>&, OpenFolder*);
  DIR* listing_ = nullptr;
};

// Replaces `entries` with the entries of `folder` (a path ending with the separator; a link
// is followed) in the order the system hands them out, "." and ".." left out. Returns false,
// with `entries` empty and errno saying why, when the folder cannot be listed. With `keep`,
// the folder stays open in it.
bool ReadFolder(const std::string& folder, std::vector<FolderEntry>& entries,
                OpenFolder* keep = nullptr);

// The same for the sub-folder `name` of the open folder `parent`, opened in it and never
// through a link: nothing outside the tree of `parent` is reached, whatever is renamed or
// replaced meanwhile, and no path length limit applies. Returns 0, or the errno value of the
// failure (ELOOP or ENOTDIR for a sub-folder replaced by a link or a file), with `entries`
// empty.
int ReadSubFolder(const OpenFolder& parent, const std::string& name,
                  std::vector<FolderEntry>& entries, OpenFolder& keep);

// With a folder path (ending with the separator): starts a new listing of it and returns its
// first sub-folder's name. With the empty text: the next sub-folder of the listing started
// last. The empty text when there is none. One listing is in progress for the whole program.
std::string NextSubFolder(const std::string& folder);

}  // namespace ondrel
