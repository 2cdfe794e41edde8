#include "common/folder_listing.h"

namespace ondrel {

std::string NextSubFolder(const std::string& folder) {
  static std::vector<FolderEntry> listing;
  static std::size_t next = 0;
  if (!folder.empty()) {
    ReadFolder(folder, listing);
    next = 0;
  }
  while (next < listing.size()) {
    const FolderEntry& entry = listing[next++];
    if (entry.kind == EntryKind::kFolder) return entry.name;
  }
  return {};
}

}  // namespace ondrel
