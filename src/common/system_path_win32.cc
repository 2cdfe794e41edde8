#include "common/system_path_win32.h"

#include "common/failure.h"
#include "common/file_status.h"

namespace ondrel {
namespace {

// Paths from this length on get the \\?\ prefix; a file name added to a folder of up to
// 247 characters must still fit in 260.
constexpr std::size_t kLongPath = 240;

std::int64_t Nanoseconds(const LARGE_INTEGER& time) {
  return time.QuadPart * 100;  // FILETIME ticks are 100 ns
}

}  // namespace

std::wstring Widen(std::string_view text) {
  if (text.empty()) return {};
  const int length =
      ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
  return wide;
}

std::string Narrow(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                        length, nullptr, nullptr);
  return narrow;
}

std::wstring SystemPath(const std::string& path) {
  if (path.find('\0') != std::string::npos)
    throw Failure(kFailureBadPath, "Nome di file non valido");
  std::wstring wide = Widen(path);
  if (wide.size() < kLongPath || wide.starts_with(L"\\\\?\\")) return wide;
  // The prefix turns off every rewriting of the path: make it absolute, with backslashes and
  // without "." and ".." parts, first.
  const DWORD needed = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return wide;
  std::wstring full(needed, L'\0');
  const DWORD length = ::GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return wide;
  full.resize(length);
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

bool StatusOfHandle(HANDLE handle, FileStatus& status) {
  BY_HANDLE_FILE_INFORMATION info;
  FILE_BASIC_INFO basic;
  if (!::GetFileInformationByHandle(handle, &info) ||
      !::GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic))
    return false;
  status = FileStatus{};
  status.identity.volume = info.dwVolumeSerialNumber;
  status.identity.index = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
  const bool folder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  status.type = folder                                    ? FileType::kFolder
                : ::GetFileType(handle) == FILE_TYPE_DISK ? FileType::kRegular
                                                          : FileType::kOther;
  status.size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  status.links = info.nNumberOfLinks;
  status.modified = Nanoseconds(basic.LastWriteTime);
  status.changed = Nanoseconds(basic.ChangeTime);
  status.attributes = info.dwFileAttributes;
  return true;
}

}  // namespace ondrel
