#include <cerrno>
#include <cstring>

#include "common/failure.h"
#include "common/system_path_posix.h"

namespace ondrel {
namespace {

FailureNumber NumberOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return kFailureNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return kFailureAccessDenied;
    case EEXIST:
      return kFailureNameTaken;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kFailureNoSpace;
    case EISDIR:
      return kFailureIsFolder;
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK:
      return kFailureInUse;
    case EIO:
      return kFailureInputOutput;
    case ENAMETOOLONG:
      return kFailurePathTooLong;
    case ENOMEM:
      return kFailureOutOfMemory;
    default:
      return kFailureSystem;
  }
}

}  // namespace

void ThrowSystemFailure(int system_error, std::string_view action, std::string_view path) {
  std::string description(action);
  description += " \"";
  description += path;
  description += "\": ";
  description += std::strerror(system_error);
  throw Failure(NumberOf(system_error), description);
}

void CheckSystemPath(const std::string& path) {
  if (!IsSystemPath(path)) throw Failure(kFailureBadPath, "Bad file name");
}

}  // namespace ondrel
