#include <windows.h>

#include "common/system_failure.h"
#include "common/system_files.h"
#include "common/system_path_win32.h"

namespace ondrel {

FileStatus SystemFiles::StatusOf(const std::string& path) {
  const HANDLE handle = ::CreateFileW(SystemPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    ThrowSystemFailure(static_cast<int>(::GetLastError()), "Impossibile leggere", path);
  FileStatus status;
  const bool known = StatusOfHandle(handle, status);
  const DWORD error = ::GetLastError();
  ::CloseHandle(handle);
  if (!known) ThrowSystemFailure(static_cast<int>(error), "Impossibile leggere", path);
  return status;
}

}  // namespace ondrel
