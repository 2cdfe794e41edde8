#include <windows.h>

#include "common/find_entries_win32.h"
#include "common/system_failure.h"
#include "common/system_files.h"
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

// The folder itself, held so that it cannot be renamed or removed while it is read; 0 or the
// system's error. With `followLinks` false, a folder that has become a reparse point (a link
// or junction) since it was listed is not opened.
DWORD OpenFolderHandle(const std::wstring& path, bool followLinks, OpenFolder& opened) {
  DWORD flags = FILE_FLAG_BACKUP_SEMANTICS;
  if (!followLinks) flags |= FILE_FLAG_OPEN_REPARSE_POINT;
  const HANDLE folder =
      ::CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, flags, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return ::GetLastError();
  opened = OpenFolder(reinterpret_cast<OpenFolder::Traits::Value>(folder));
  FILE_BASIC_INFO basic;
  if (!::GetFileInformationByHandleEx(folder, FileBasicInfo, &basic, sizeof basic))
    return ::GetLastError();
  if ((basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return ERROR_PATH_NOT_FOUND;
  if (!followLinks && (basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
    return ERROR_CANT_RESOLVE_FILENAME;
  return 0;
}

// Lists `folder` (a path) into `entries`, keeping it open in `keep`; 0 or the system's error.
DWORD List(const std::string& folder, bool followLinks, std::vector<FolderEntry>& entries,
           OpenFolder* keep) {
  entries.clear();
  if (keep != nullptr) *keep = OpenFolder();
  if (folder.empty() || folder.find('\0') != std::string::npos) return ERROR_INVALID_NAME;
  std::wstring path = SystemPath(folder);
  OpenFolder opened;
  if (const DWORD error = OpenFolderHandle(path, followLinks, opened)) return error;
  if (path.back() != L'\\' && path.back() != L'/') path += L'\\';
  path += L'*';
  const DWORD error = ForEachFound(path, [&](const WIN32_FIND_DATAW& entry) {
    if (!IsDotEntry(entry)) entries.push_back(FolderEntry{Narrow(entry.cFileName), KindOf(entry)});
    return true;
  });
  if (error != ERROR_NO_MORE_FILES && error != ERROR_FILE_NOT_FOUND) {
    entries.clear();
    return error;
  }
  if (keep != nullptr) *keep = std::move(opened);
  return 0;
}

}  // namespace

void OpenFolder::Traits::Close(Value folder) {
  ::CloseHandle(reinterpret_cast<HANDLE>(folder));
}

OpenFolder SystemFiles::Duplicate(const OpenFolder& folder, const std::string& path) {
  const HANDLE process = ::GetCurrentProcess();
  HANDLE copy = nullptr;
  if (!::DuplicateHandle(process, reinterpret_cast<HANDLE>(folder.Native()), process, &copy, 0,
                         FALSE, DUPLICATE_SAME_ACCESS))
    ThrowSystemFailure(static_cast<int>(::GetLastError()), "Impossibile aprire", path);
  return OpenFolder(reinterpret_cast<OpenFolder::Traits::Value>(copy));
}

void SystemFiles::ListFolder(const std::string& folder, std::vector<FolderEntry>& entries,
                             OpenFolder* keep) {
  if (const DWORD error = List(folder, true, entries, keep))
    ThrowSystemFailure(static_cast<int>(error), "Impossibile leggere la cartella", folder);
}

// The held parent cannot be renamed or removed, so the path still leads into it.
void SystemFiles::ListSubFolder(const OpenFolder&, const std::string&, const std::string& path,
                                std::vector<FolderEntry>& entries, OpenFolder& keep) {
  if (const DWORD error = List(path, false, entries, &keep))
    ThrowSystemFailure(static_cast<int>(error), "Impossibile leggere la cartella", path);
}

}  // namespace ondrel
