#include <windows.h>

#include "common/failure.h"
#include "common/system_path_win32.h"

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

// The system's own text for `error`, in the user's language, without its line end.
std::string TextOf(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring wide = length > 0 ? std::wstring(text, length) : L"errore " + std::to_wstring(error);
  if (text != nullptr) ::LocalFree(text);
  while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' '))
    wide.pop_back();
  return Narrow(wide);
}

}  // namespace

void ThrowSystemFailure(int system_error, std::string_view action, std::string_view path) {
  const DWORD error = static_cast<DWORD>(system_error);
  std::string description(action);
  description += " \"";
  description += path;
  description += "\": ";
  description += TextOf(error);
  throw Failure(NumberOf(error), description);
}

}  // namespace ondrel
