#include <windows.h>

#include "common/failure.h"

namespace ondrel {
namespace {

FailureNumber NumberOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      return kFailureNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_CANT_ACCESS_FILE:
      return kFailureAccessDenied;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return kFailureNameTaken;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return kFailureNoSpace;
    case ERROR_DIRECTORY:
      return kFailureIsFolder;
    case ERROR_CANT_RESOLVE_FILENAME:
      return kFailureSymbolicLink;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return kFailureInUse;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_NOT_READY:
      return kFailureInputOutput;
    case ERROR_FILENAME_EXCED_RANGE:
      return kFailurePathTooLong;
    case ERROR_INVALID_NAME:
      return kFailureBadPath;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return kFailureOutOfMemory;
    default:
      return kFailureSystem;
  }
}

}  // namespace

std::string SystemErrorText(int system_error) {
  const FailureNumber number = NumberOf(static_cast<DWORD>(system_error));
  if (number != kFailureSystem) return FailureText(number);
  return "errore di sistema " + std::to_string(static_cast<DWORD>(system_error));
}

Failure SystemFailure(int system_error) {
  return Failure(NumberOf(static_cast<DWORD>(system_error)), SystemErrorText(system_error));
}

}  // namespace ondrel
