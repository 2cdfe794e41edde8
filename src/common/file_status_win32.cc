#include <windows.h>

#include "common/file_status.h"
#include "common/system_path_win32.h"

namespace ondrel {

std::optional<FileStatus> StatusOf(const std::string& path) {
  if (path.find('\0') != std::string::npos) return std::nullopt;
  const HANDLE handle = ::CreateFileW(SystemPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  FileStatus status;
  const bool known = StatusOfHandle(handle, status);
  ::CloseHandle(handle);
  if (!known) return std::nullopt;
  return status;
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  const auto status = StatusOf(path);
  if (!status) return std::nullopt;
  return status->identity;
}

std::optional<std::uint64_t> FreeSpaceOf(const std::string& folder) {
  if (folder.find('\0') != std::string::npos) return std::nullopt;
  ULARGE_INTEGER available{};
  if (!::GetDiskFreeSpaceExW(folder.empty() ? nullptr : SystemPath(folder).c_str(), &available,
                             nullptr, nullptr))
    return std::nullopt;
  return available.QuadPart;
}

}  // namespace ondrel
