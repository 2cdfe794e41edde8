#include <windows.h>

#include "common/system_failure.h"
#include "common/system_files.h"
#include "common/system_path_win32.h"

namespace ondrel {
namespace {

HANDLE Handle(NativeFileTraits::Value native) {
  return reinterpret_cast<HANDLE>(native);
}

HANDLE Handle(const FileHandle& file) {
  return Handle(file.Native());
}

NativeFileTraits::Value ValueOf(HANDLE handle) {
  return reinterpret_cast<NativeFileTraits::Value>(handle);
}

// Others may read, write, rename and remove a file while the program holds it, as on POSIX.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE OpenOrThrow(const std::string& path, DWORD access, DWORD disposition, DWORD flags) {
  const HANDLE handle = ::CreateFileW(SystemPath(path).c_str(), access, kShareAll, nullptr,
                                      disposition, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    DWORD error = ::GetLastError();
    // Opening a folder as a file is refused as access denied: say what it is.
    const DWORD attributes = ::GetFileAttributesW(SystemPath(path).c_str());
    if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
      error = ERROR_DIRECTORY;
    ThrowSystemFailure(static_cast<int>(error), "Impossibile aprire", path);
  }
  return handle;
}

// Throws kFailureSymbolicLink when `file`, opened without following, is a link or junction.
void RefuseReparsePoint(const FileHandle& file, const std::string& path) {
  FILE_BASIC_INFO basic;
  if (::GetFileInformationByHandleEx(Handle(file), FileBasicInfo, &basic, sizeof basic) &&
      (basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
    ThrowSystemFailure(ERROR_CANT_RESOLVE_FILENAME, "Impossibile aprire", path);
}

}  // namespace

void NativeFileTraits::Close(Value file) {
  ::CloseHandle(Handle(file));
}

// A file in a folder held open is opened by its path: the held folder cannot be renamed or
// removed meanwhile, so the path still leads into it.
FileHandle SystemFiles::OpenToRead(const FilePlace& place, FileStatus& status) {
  const std::string& path = place.path;
  // A file of a listed folder that has become a link since is opened itself, and refused.
  const DWORD noFollow = place.folder != nullptr ? FILE_FLAG_OPEN_REPARSE_POINT : 0;
  FileHandle file(
      ValueOf(OpenOrThrow(path, GENERIC_READ, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN | noFollow)));
  if (noFollow != 0) RefuseReparsePoint(file, path);
  status = StatusOfOpen(file, path);
  if (status.type == FileType::kFolder)
    ThrowSystemFailure(ERROR_DIRECTORY, "Impossibile leggere", path);
  if (status.type != FileType::kRegular)
    throw Failure(kFailureBadPath, "\"" + path + "\" non e` un file normale");
  return file;
}

FileHandle SystemFiles::CreateExclusive(const std::string& path) {
  return FileHandle(
      ValueOf(OpenOrThrow(path, GENERIC_READ | GENERIC_WRITE, CREATE_NEW, FILE_ATTRIBUTE_NORMAL)));
}

FileHandle SystemFiles::OpenToWrite(const std::string& path, WriteMode mode) {
  const bool append = mode == WriteMode::kAppend;
  // Not emptied here: the caller refuses what is no plain file before anything changes. A
  // link or junction is opened itself, and refused.
  const HANDLE handle = OpenOrThrow(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT);
  FileHandle file(ValueOf(handle), append);
  RefuseReparsePoint(file, path);
  LARGE_INTEGER none{};
  if (append && !::SetFilePointerEx(handle, none, nullptr, FILE_END))
    ThrowSystemFailure(static_cast<int>(::GetLastError()), "Impossibile aprire", path);
  return file;
}

std::size_t SystemFiles::Read(FileHandle& file, char* buffer, std::size_t size,
                              std::string_view path_for_errors) {
  const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
  DWORD got = 0;
  if (!::ReadFile(Handle(file), buffer, wanted, &got, nullptr)) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_HANDLE_EOF || error == ERROR_BROKEN_PIPE) return 0;
    ThrowSystemFailure(static_cast<int>(error), "Impossibile leggere", path_for_errors);
  }
  return got;
}

void SystemFiles::WriteAll(FileHandle& file, const char* data, std::size_t size,
                           std::string_view path_for_errors) {
  while (size > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    DWORD put = 0;
    if (!::WriteFile(Handle(file), data, chunk, &put, nullptr))
      ThrowSystemFailure(static_cast<int>(::GetLastError()), "Impossibile scrivere",
                         path_for_errors);
    if (put == 0) ThrowSystemFailure(ERROR_DISK_FULL, "Impossibile scrivere", path_for_errors);
    data += put;
    size -= put;
  }
}

std::size_t SystemFiles::ReadAt(FileHandle& file, std::uint64_t offset, char* buffer,
                                std::size_t size, std::string_view path_for_errors) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD got = 0;
  const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
  if (!::ReadFile(Handle(file), buffer, wanted, &got, &at)) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_HANDLE_EOF) return 0;
    ThrowSystemFailure(static_cast<int>(error), "Impossibile leggere", path_for_errors);
  }
  return got;
}

void SystemFiles::Rewind(FileHandle& file, std::string_view path_for_errors) {
  LARGE_INTEGER start{};
  if (!::SetFilePointerEx(Handle(file), start, nullptr, FILE_BEGIN))
    ThrowSystemFailure(static_cast<int>(::GetLastError()), "Impossibile leggere", path_for_errors);
}

std::optional<std::int64_t> SystemFiles::WritePosition(const FileHandle& file) {
  LARGE_INTEGER none{}, position{};
  if (::GetFileType(Handle(file)) != FILE_TYPE_DISK ||
      !::SetFilePointerEx(Handle(file), none, &position, file.Appends() ? FILE_END : FILE_CURRENT))
    return std::nullopt;
  return position.QuadPart;
}

void SystemFiles::Truncate(FileHandle& file, std::int64_t size, std::string_view path_for_errors) {
  LARGE_INTEGER position{};
  position.QuadPart = size;
  if (!::SetFilePointerEx(Handle(file), position, nullptr, FILE_BEGIN) ||
      !::SetEndOfFile(Handle(file)))
    ThrowSystemFailure(static_cast<int>(::GetLastError()), "Impossibile scrivere", path_for_errors);
}

void SystemFiles::Sync(FileHandle& file, std::string_view path_for_errors) {
  if (!::FlushFileBuffers(Handle(file)))
    ThrowSystemFailure(static_cast<int>(::GetLastError()), "Impossibile scrivere", path_for_errors);
}

FileStatus SystemFiles::StatusOfOpen(const FileHandle& file, std::string_view path_for_errors) {
  FileStatus status;
  if (!StatusOfHandle(Handle(file), status))
    ThrowSystemFailure(static_cast<int>(::GetLastError()), "Impossibile leggere", path_for_errors);
  return status;
}

// Opened with FILE_FLAG_SEQUENTIAL_SCAN already.
void SystemFiles::AdviseSequential(FileHandle&) {}

void SystemFiles::Close(FileHandle& file, std::string_view path_for_errors) {
  if (!file.IsOpen()) return;
  if (!::CloseHandle(Handle(file.Release())))
    ThrowSystemFailure(static_cast<int>(::GetLastError()), "Impossibile chiudere", path_for_errors);
}

void SystemFiles::RemoveFile(const std::string& path) {
  if (!::DeleteFileW(SystemPath(path).c_str()))
    ThrowSystemFailure(static_cast<int>(::GetLastError()), "Impossibile eliminare", path);
}

}  // namespace ondrel
