#include <windows.h>

#include "common/system_failure.h"

namespace ondrel {

FailureNumber SystemFailureNumber(int system_error) {
  switch (static_cast<DWORD>(system_error)) {
    case 0:
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
      return kFailureInputOutput;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      return kFailureNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_CANT_ACCESS_FILE:
      return kFailureAccessDenied;
    case ERROR_WRITE_PROTECT:
      return kFailureReadOnlyDisk;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return kFailureNameTaken;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return kFailureNoSpace;
    case ERROR_FILE_TOO_LARGE:
      return kFailureFileTooLarge;
    case ERROR_DIRECTORY:
      return kFailureIsFolder;
    case ERROR_CANT_RESOLVE_FILENAME:
      return kFailureSymbolicLink;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return kFailureInUse;
    case ERROR_FILENAME_EXCED_RANGE:
      return kFailurePathTooLong;
    case ERROR_INVALID_NAME:
      return kFailureBadPath;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return kFailureOutOfMemory;
    case ERROR_TOO_MANY_OPEN_FILES:
      return kFailureTooManyFiles;
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION:
      return kFailureNotSupported;
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
      return kFailureNotReady;
    default:
      return kFailureSystem;
  }
}

}  // namespace ondrel
