// Inside the Windows platform files only: the one place where the program's 8-bit strings
// (UTF-8, the active code page its manifest asks for) and the system's UTF-16 meet.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace ondrel {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

// `path` for the wide-character file calls. Throws Failure (kFailureBadPath) for a path with a
// NUL byte. A long path is made absolute and given the \\?\ prefix, which lifts the limit of
// 260 characters.
std::wstring SystemPath(const std::string& path);

// The status of the open file or folder `handle`; false when the system does not tell it.
struct FileStatus;
bool StatusOfHandle(HANDLE handle, FileStatus& status);

}  // namespace ondrel
