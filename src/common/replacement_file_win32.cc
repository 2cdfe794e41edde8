#include <windows.h>

#include <cstring>
#include <vector>

#include "common/file_status.h"
#include "common/path_rules.h"
#include "common/system_failure.h"
#include "common/system_files.h"
#include "common/system_path_win32.h"

namespace ondrel {
namespace {

// The attributes a rewritten list keeps; read-only is refused before, and the rest (compressed,
// encrypted, ...) is the file system's own business.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// A name no other file in the folder has yet: the exclusive creation refuses a taken one.
std::wstring CandidateName(unsigned attempt) {
  const unsigned long long mix = (static_cast<unsigned long long>(::GetCurrentProcessId()) << 32) ^
                                 ::GetTickCount64() ^
                                 (static_cast<unsigned long long>(attempt) * 0x9E3779B97F4A7C15ull);
  wchar_t name[32];
  swprintf(name, 32, L".ondrel-%06llx", mix & 0xFFFFFF);
  return name;
}

// The path without the \\?\ prefix that the system hands back.
std::wstring WithoutPrefix(std::wstring path) {
  if (path.starts_with(L"\\\\?\\UNC\\")) return L"\\\\" + path.substr(8);
  if (path.starts_with(L"\\\\?\\")) return path.substr(4);
  return path;
}

}  // namespace

std::string SystemFiles::ResolvedPath(const std::string& path) {
  const HANDLE file = ::CreateFileW(SystemPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    ThrowSystemFailure(static_cast<int>(::GetLastError()), "Impossibile aprire", path);
  std::wstring resolved(MAX_PATH, L'\0');
  DWORD length =
      ::GetFinalPathNameByHandleW(file, resolved.data(), static_cast<DWORD>(resolved.size()), 0);
  if (length >= resolved.size()) {
    resolved.resize(length + 1);
    length =
        ::GetFinalPathNameByHandleW(file, resolved.data(), static_cast<DWORD>(resolved.size()), 0);
  }
  const DWORD error = ::GetLastError();
  FileStatus opened;
  const bool known = StatusOfHandle(file, opened);
  ::CloseHandle(file);
  if (length == 0 || length >= resolved.size())
    ThrowSystemFailure(static_cast<int>(error), "Impossibile aprire", path);
  resolved.resize(length);
  const std::string final_path = Narrow(WithoutPrefix(resolved));
  // Wine hands a last name back without its trailing space or dot: the name as given, in the
  // folder the system named, is then the one that leads to the file.
  if (known && IdentityIfAny(*this, final_path) != opened.identity) {
    const std::string given = final_path.substr(0, final_path.rfind(kPathSeparator) + 1) +
                              path.substr(path.find_last_of("\\/") + 1);
    if (IdentityIfAny(*this, given) == opened.identity) return given;
  }
  return final_path;
}

FileHandle SystemFiles::CreateTemporaryBeside(const std::string& target, std::string& path) {
  const std::string folder = FolderOf(target);
  for (unsigned attempt = 0;; ++attempt) {
    const std::string candidate = folder + Narrow(CandidateName(attempt));
    const HANDLE file = ::CreateFileW(SystemPath(candidate).c_str(),
                                      GENERIC_READ | GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0,
                                      nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      path = candidate;
      return FileHandle(reinterpret_cast<NativeFileTraits::Value>(file));
    }
    const DWORD error = ::GetLastError();
    if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt == 1000)
      ThrowSystemFailure(static_cast<int>(error), "Impossibile creare un file temporaneo accanto a",
                         target);
  }
}

// Moves `temporary` over `target` as POSIX systems do, the replaced file still readable
// through the handles open on it (Windows 10 and later, on NTFS); false where the system or the
// file system has no such rename, and the target is then untouched.
bool MovedAsOnPosix(const std::string& temporary, const std::string& target, bool replace) {
  const HANDLE file = ::CreateFileW(SystemPath(temporary).c_str(), DELETE | SYNCHRONIZE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const std::wstring name = SystemPath(target);
  std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t));
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  // The flags share their place with ReplaceIfExists, which older headers alone declare.
  const DWORD flags =
      FILE_RENAME_FLAG_POSIX_SEMANTICS | (replace ? FILE_RENAME_FLAG_REPLACE_IF_EXISTS : 0);
  std::memcpy(buffer.data(), &flags, sizeof flags);
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
  std::memcpy(info->FileName, name.data(), info->FileNameLength);
  // FileRenameInfoEx, which the headers declare only for programs that need Windows 10.
  constexpr auto kRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);
  const bool moved =
      ::SetFileInformationByHandle(file, kRenameInfoEx, info, static_cast<DWORD>(buffer.size()));
  ::CloseHandle(file);
  return moved;
}

void SystemFiles::MoveOver(const std::string& temporary, const std::string& target, bool replace,
                           bool durable, FileHandle& heldTarget) {
  if (heldTarget.IsOpen() && MovedAsOnPosix(temporary, target, replace)) return;
  // Elsewhere a file held open, even with FILE_SHARE_DELETE, keeps its name until it is closed.
  Close(heldTarget, target);
  // Without MOVEFILE_REPLACE_EXISTING a name taken meanwhile is left alone.
  if (!::MoveFileExW(
          SystemPath(temporary).c_str(), SystemPath(target).c_str(),
          (replace ? MOVEFILE_REPLACE_EXISTING : 0) | (durable ? MOVEFILE_WRITE_THROUGH : 0)))
    ThrowSystemFailure(static_cast<int>(::GetLastError()),
                       replace ? "Impossibile sostituire" : "Impossibile creare", target);
}

// Windows has no folders where anyone may make a name but only its owner remove it.
void SystemFiles::CheckNotPlanted(const std::string&) {}

bool SystemFiles::NameTaken(const std::string& path) {
  if (::GetFileAttributesW(SystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  const DWORD error = ::GetLastError();
  if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
    ThrowSystemFailure(static_cast<int>(error), "Impossibile aprire", path);
  return false;
}

// A read-only file stays as it is, as it would if it were rewritten in place.
void SystemFiles::CheckWritable(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(SystemPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    ThrowSystemFailure(static_cast<int>(::GetLastError()), "Impossibile scrivere", path);
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
    ThrowSystemFailure(ERROR_ACCESS_DENIED, "Impossibile scrivere", path);
}

// Set through the handle: the temporary file is open with no sharing, so no one else can.
KeptOwnership SystemFiles::TakeOverAttributes(FileHandle& temporary,
                                              const std::string& temporaryPath, const std::string&,
                                              const std::optional<FileStatus>& original) {
  if (!original || (original->attributes & kKeptAttributes) == 0) return {};
  FILE_BASIC_INFO basic{};
  basic.FileAttributes = original->attributes & kKeptAttributes;
  if (!::SetFileInformationByHandle(reinterpret_cast<HANDLE>(temporary.Native()), FileBasicInfo,
                                    &basic, sizeof basic))
    ThrowSystemFailure(static_cast<int>(::GetLastError()), "Impossibile assegnare gli attributi di",
                       temporaryPath);
  return {};
}

}  // namespace ondrel
