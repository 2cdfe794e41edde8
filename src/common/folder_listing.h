// Listing a folder's entries, and handing out its sub-folders one at a time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/failure.h"
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

// A folder kept open after its listing, so that its files and sub-folders are opened by name
// in it: the entries of the very folder that was listed, whatever its path leads to by then.
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
  // A second handle of the same folder, which stays open when this one is closed; throws
  // Failure naming `path_for_errors` when the system has none to give.
  OpenFolder Duplicate(const std::string& path_for_errors) const;

 private:
  UniqueHandle<Traits> native_;
};

// Replaces `entries` with the entries of `folder` (a path ending with the separator; a link
// is followed) in the order the system hands them out, "." and ".." left out. Returns false,
// with `entries` empty and the failure in `why` (when given), when the folder cannot be
// listed. With `keep`, the folder stays open in it.
bool ReadFolder(const std::string& folder, std::vector<FolderEntry>& entries,
                OpenFolder* keep = nullptr, std::optional<Failure>* why = nullptr);

// The same for the sub-folder `name` (whose path is `path`) of the open folder `parent`, never
// through a link or junction: on POSIX it is opened in `parent`, so nothing outside its tree is
// reached whatever is renamed meanwhile; on Windows `parent` held open cannot be renamed.
// Returns the failure, with `entries` empty (kFailureNotFound or kFailureSymbolicLink for a
// sub-folder that vanished or was replaced by a file or a link).
std::optional<Failure> ReadSubFolder(const OpenFolder& parent, const std::string& name,
                                     const std::string& path, std::vector<FolderEntry>& entries,
                                     OpenFolder& keep);

// With a folder path (ending with the separator): starts a new listing of it and returns its
// first sub-folder's name. With the empty text: the next sub-folder of the listing started
// last. The empty text when there is none. One listing is in progress for the whole program.
std::string NextSubFolder(const std::string& folder);

}  // namespace ondrel
