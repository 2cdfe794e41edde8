// The entries of a folder as a listing hands them out, and a folder held open after it was
// listed. Listing goes through the FileSystem (file_system.h).
#pragma once

#include <cstdint>
#include <string>

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

 private:
  UniqueHandle<Traits> native_;
};

}  // namespace ondrel
