#include <windows.h>

#include "common/find_entries_win32.h"
#include "common/folder_listing.h"
#include "common/path_rules.h"
#include "common/system_path_win32.h"

namespace ondrel {
namespace {

// The two listings of the walk in one: files of any attribute are scanned (hidden and system
// ones too); a folder is visited unless it is marked as system or is a reparse point (a
// junction or a link), which is never followed.
EntryKind KindOf(const WIN32_FIND_DATAW& entry) {
  const DWORD attributes = entry.dwFileAttributes;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return EntryKind::kFile;
  if ((attributes & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT)) != 0)
    return EntryKind::kOther;
  return EntryKind::kFolder;
}

// The folder itself, held so that it cannot be renamed or removed while it is read. With
// kRefuse a folder that has become a reparse point since it was listed is not opened.
HANDLE OpenFolderHandle(const std::wstring& path, FolderLink link) {
  DWORD flags = FILE_FLAG_BACKUP_SEMANTICS;
  if (link == FolderLink::kRefuse) flags |= FILE_FLAG_OPEN_REPARSE_POINT;
  const HANDLE folder =
      ::CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, flags, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return folder;
  FILE_BASIC_INFO basic;
  const bool usable =
      ::GetFileInformationByHandleEx(folder, FileBasicInfo, &basic, sizeof basic) &&
      (basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
      (link == FolderLink::kFollow || (basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0);
  if (!usable) {
    ::CloseHandle(folder);
    return INVALID_HANDLE_VALUE;
  }
  return folder;
}

}  // namespace

void OpenFolder::Traits::Close(Value folder) {
  ::CloseHandle(reinterpret_cast<HANDLE>(folder));
}

bool ReadFolder(const std::string& folder, std::vector<FolderEntry>& entries, OpenFolder* keep,
                std::optional<Failure>* why) {
  const DWORD error = List(folder, true, entries, keep);
  if (error != 0 && why != nullptr) *why = SystemFailure(static_cast<int>(error));
  return error == 0;
}

std::optional<Failure> ReadSubFolder(const OpenFolder&, const std::string&, const std::string& path,
                                     std::vector<FolderEntry>& entries, OpenFolder& keep) {
  const DWORD error = List(path, false, entries, &keep);
  if (error == 0) return std::nullopt;
  return SystemFailure(static_cast<int>(error));
}

}  // namespace ondrel
