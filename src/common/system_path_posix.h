// Inside the POSIX platform files only: the one check a path passes before it reaches the
// system.
#pragma once

#include <string>

namespace ondrel {

// Whether the system can be given `path`: a NUL byte would cut it short.
inline bool IsSystemPath(const std::string& path) {
  return path.find('\0') == std::string::npos;
}

// Throws Failure (kFailureBadPath) for a path the system cannot be given.
void CheckSystemPath(const std::string& path);

}  // namespace ondrel
