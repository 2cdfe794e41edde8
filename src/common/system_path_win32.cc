#include "common/system_path_win32.h"

#include <algorithm>
#include <vector>

#include "common/failure.h"
#include "common/file_status.h"

namespace ondrel {
namespace {

// Paths from this length on get the \\?\ prefix; a file name added to a folder of up to
// 247 characters must still fit in 260.
constexpr std::size_t kLongPath = 240;

bool IsSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

// Whether a part of `path` ends in a space or a dot ("." and ".." aside): the system's own
// rewriting of a path would drop those, and reach another name than the one listed.
bool HasNameEndingInSpaceOrDot(std::wstring_view path) {
  std::size_t start = 0;
  for (std::size_t end = 0; end <= path.size(); ++end) {
    if (end < path.size() && !IsSeparator(path[end])) continue;
    const std::wstring_view part = path.substr(start, end - start);
    if (!part.empty() && part != L"." && part != L".." &&
        (part.back() == L' ' || part.back() == L'.'))
      return true;
    start = end + 1;
  }
  return false;
}

bool IsAbsolute(std::wstring_view path) {
  return path.starts_with(L"\\\\") || (path.size() >= 3 && path[1] == L':' && path[2] == L'\\');
}

// The folder the system resolves `root` to: "." the current folder, "X:" a drive's current
// folder, "\\" the current drive's root.
std::wstring FullPathOf(const std::wstring& root) {
  const DWORD needed = ::GetFullPathNameW(root.c_str(), 0, nullptr, nullptr);
  std::wstring full(needed, L'\0');
  const DWORD length = ::GetFullPathNameW(root.c_str(), needed, full.data(), nullptr);
  full.resize(length < needed ? length : 0);
  return full;
}

// `wide` as an absolute path with the \\?\ prefix, which turns off every rewriting by the
// system: so it is made absolute here, with backslashes and without "." and ".." parts, and
// each name stays as spelled, a trailing space or dot included.
std::wstring PrefixedPath(std::wstring wide) {
  for (wchar_t& c : wide)
    if (c == L'/') c = L'\\';
  if (!IsAbsolute(wide)) {
    const bool drive = wide.size() >= 2 && wide[1] == L':';
    const bool rooted = !drive && !wide.empty() && wide[0] == L'\\';
    const std::wstring base = FullPathOf(drive ? wide.substr(0, 2) : rooted ? L"\\" : L".");
    if (!IsAbsolute(base)) return wide;  // the system's own rewriting, then
    return PrefixedPath(base + L'\\' + wide.substr(drive ? 2 : 0));
  }
  // The root: \\server\share or X:, then the names below it.
  std::size_t rest = 2;
  std::wstring path = L"\\\\?\\" + wide.substr(0, 2);
  if (wide.starts_with(L"\\\\")) {
    const std::size_t share = wide.find(L'\\', 2);
    rest = share == std::wstring::npos ? wide.size()
                                       : std::min(wide.find(L'\\', share + 1), wide.size());
    path = L"\\\\?\\UNC\\" + wide.substr(2, rest - 2);
  }
  std::vector<std::wstring_view> parts;
  const std::wstring_view names = std::wstring_view(wide).substr(rest);
  for (std::size_t start = 0; start <= names.size();) {
    const std::size_t end = std::min(names.find(L'\\', start), names.size());
    const std::wstring_view part = names.substr(start, end - start);
    if (part == L"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != L".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  for (const std::wstring_view part : parts) (path += L'\\') += part;
  if (parts.empty() || wide.back() == L'\\') path += L'\\';
  return path;
}

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
  if (wide.starts_with(L"\\\\?\\") || wide.starts_with(L"\\\\.\\")) return wide;
  if (wide.size() < kLongPath && !HasNameEndingInSpaceOrDot(wide)) return wide;
  return PrefixedPath(std::move(wide));
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
