// What the file system says about a file: its identity, size, times and permissions.
#pragma once

#include <cstdint>

namespace ondrel {

// Identity of a file as the file system sees it: two paths to one file compare equal.
// The device and inode on POSIX; the volume serial number and file index on Windows.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  bool operator==(const FileIdentity&) const = default;
};

enum class FileType { kRegular, kFolder, kOther };

struct FileStatus {
  FileIdentity identity;
  FileType type = FileType::kOther;
  std::uint64_t size = 0;
  std::uint32_t links = 1;  // the number of names (hard links) the file has
  // Nanoseconds since the system's epoch. Any write, truncation or change of status moves one
  // of them.
  std::int64_t modified = 0;
  std::int64_t changed = 0;
  // POSIX: the mode's permission bits (setuid, setgid and sticky included), owner and group.
  // Windows: the file attributes (read-only, hidden, system, ...) in `attributes`.
  std::uint32_t permissions = 0;
  std::uint32_t owner = 0;
  std::uint32_t group = 0;
  std::uint32_t attributes = 0;
  bool operator==(const FileStatus&) const = default;
};

}  // namespace ondrel
