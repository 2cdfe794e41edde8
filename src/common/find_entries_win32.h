// Inside the Windows platform files only: the entries of a directory search, as
// FindFirstFileExW hands them out.
#pragma once

#include <windows.h>

#include <string>

namespace ondrel {

// Calls `use` with every entry that a search for `pattern` (a wide path, wildcards allowed in
// its last part) finds, "." and ".." included, until `use` returns false. Returns the error
// that ended the search: ERROR_NO_MORE_FILES when it simply ran out (or `use` stopped it).
template <typename Use>
DWORD ForEachFound(const std::wstring& pattern, Use use) {
  WIN32_FIND_DATAW entry;
  const HANDLE search =
      ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                         FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return ::GetLastError();
  DWORD error = ERROR_NO_MORE_FILES;
  for (;;) {
    if (!use(entry)) break;
    if (!::FindNextFileW(search, &entry)) {
      error = ::GetLastError();
      break;
    }
  }
  ::FindClose(search);
  return error;
}

inline bool IsDotEntry(const WIN32_FIND_DATAW& entry) {
  const std::wstring_view name = entry.cFileName;
  return name == L"." || name == L"..";
}

}  // namespace ondrel
