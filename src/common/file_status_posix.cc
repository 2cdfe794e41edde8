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

}  // namespace ondrel
