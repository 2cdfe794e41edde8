#include <sys/statvfs.h>

#include "common/file_status.h"
#include "common/status_posix.h"
#include "common/system_path_posix.h"

namespace ondrel {

std::optional<FileStatus> StatusOf(const std::string& path) {
  struct stat info;
  if (!IsSystemPath(path) || ::stat(path.c_str(), &info) != 0) return std::nullopt;
  return StatusFromStat(info);
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  const auto status = StatusOf(path);
  if (!status) return std::nullopt;
  return status->identity;
}

std::optional<std::uint64_t> FreeSpaceOf(const std::string& folder) {
  const std::string place = folder.empty() ? "." : folder;
  struct statvfs disk;
  if (!IsSystemPath(place) || ::statvfs(place.c_str(), &disk) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(disk.f_bavail) * disk.f_frsize;
}

}  // namespace ondrel
