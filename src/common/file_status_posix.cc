#include <sys/statvfs.h>

#include <cerrno>

#include "common/status_posix.h"
#include "common/system_failure.h"
#include "common/system_files.h"
#include "common/system_path_posix.h"

namespace ondrel {

FileStatus SystemFiles::StatusOf(const std::string& path) {
  CheckSystemPath(path);
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) ThrowSystemFailure(errno, "Impossibile leggere", path);
  return StatusFromStat(info);
}

std::optional<std::uint64_t> SystemFiles::FreeSpace(const std::string& folder) {
  const std::string place = folder.empty() ? "." : folder;
  struct statvfs disk;
  if (!IsSystemPath(place) || ::statvfs(place.c_str(), &disk) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(disk.f_bavail) * disk.f_frsize;
}

}  // namespace ondrel
