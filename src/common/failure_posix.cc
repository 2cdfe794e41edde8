#include <cerrno>

#include "common/system_failure.h"
#include "common/system_path_posix.h"

namespace ondrel {

FailureNumber SystemFailureNumber(int error) {
  switch (error) {
    case 0:
    case EIO:
      return kFailureInputOutput;
    case ENOENT:
    case ENOTDIR:
      return kFailureNotFound;
    case ELOOP:
      return kFailureSymbolicLink;
    case ENXIO:
      return kFailureNotRegular;
    case EACCES:
    case EPERM:
      return kFailureAccessDenied;
    case EROFS:
      return kFailureReadOnlyDisk;
    case EEXIST:
      return kFailureNameTaken;
    case ENOSPC:
    case EDQUOT:
      return kFailureNoSpace;
    case EFBIG:
      return kFailureFileTooLarge;
    case EISDIR:
      return kFailureIsFolder;
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK:
      return kFailureInUse;
    case ENAMETOOLONG:
      return kFailurePathTooLong;
    case ENOMEM:
      return kFailureOutOfMemory;
    case EMFILE:
    case ENFILE:
      return kFailureTooManyFiles;
    case ENOTSUP:
    case ENOSYS:
      return kFailureNotSupported;
    case ENODEV:
    case ENOMEDIUM:
      return kFailureNotReady;
    default:
      return kFailureSystem;
  }
}

void CheckSystemPath(const std::string& path) {
  if (!IsSystemPath(path)) throw Failure(kFailureBadPath, "Nome di file non valido");
}

}  // namespace ondrel
