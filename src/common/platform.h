// Platform answers every routine shares: separator, letter case of folders, line ends,
// temporary folder, file identity. The POSIX answers live in platform_posix.cc.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

struct stat;

namespace ondrel {

inline constexpr char kPathSeparator = '/';

// Whether a lone LF ends a line when text is read (CR and CR LF always do).
inline constexpr bool kLoneLineFeedEndsLine = true;

// Folder texts are compared after this; case-sensitive file systems leave them as they are.
std::string FoldFolderCase(std::string folder);

// The value of an environment variable whose name matches `name` without regard to case.
std::optional<std::string> EnvironmentValueIgnoringCase(std::string_view name);

// Where temporary files go when no "Temp" or "Tmp" variable is set; ends with the separator.
std::string FallbackTempFolder();

// The full path of the running program's executable file; empty when the system does not
// tell it.
std::string ExecutablePath();

// Identity of a file as the file system sees it; two paths to one file compare equal.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FileIdentity&) const = default;
};

// The identity of the file `path` leads to (links followed), or none if it cannot be read.
std::optional<FileIdentity> IdentityOf(const std::string& path);

// The identity of the file whose status `info` is.
FileIdentity IdentityOfStatus(const struct stat& info);

}  // namespace ondrel
