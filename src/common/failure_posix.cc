#include <cerrno>

#include "common/failure.h"
#include "common/system_path_posix.h"

namespace ondrel {
namespace {

FailureNumber NumberOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return kFailureNotFound;
    case ELOOP:
      return kFailureSymbolicLink;
    case ENXIO:
      return kFailureNotRegular;
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

Failure SystemFailure(int system_error) {
  if (system_error == 0) system_error = EIO;
  return Failure(NumberOf(system_error), SystemErrorText(system_error));
}

void CheckSystemPath(const std::string& path) {
  if (!IsSystemPath(path)) throw Failure(kFailureBadPath, "Nome di file non valido");
}

}  // namespace ondrel
