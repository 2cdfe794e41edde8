#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <strings.h>

#include "common/platform.h"

extern char** environ;

namespace ondrel {

std::string FoldFolderCase(std::string folder) { return folder; }

std::optional<std::string> EnvironmentValueIgnoringCase(std::string_view name) {
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    std::string_view text(*entry);
    const auto equals = text.find('=');
    if (equals == std::string_view::npos || equals != name.size()) continue;
    if (strncasecmp(text.data(), name.data(), name.size()) == 0)
      return std::string(text.substr(equals + 1));
  }
  return std::nullopt;
}

std::string FallbackTempFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  std::string folder = (tmpdir != nullptr && *tmpdir != '\0') ? tmpdir : "/tmp";
  if (folder.back() != kPathSeparator) folder += kPathSeparator;
  return folder;
}

std::string ExecutablePath() {
  std::string path(4096, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) return {};
  path.resize(static_cast<std::size_t>(length));
  return path;
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return IdentityOfStatus(info);
}

FileIdentity IdentityOfStatus(const struct stat& info) {
  return FileIdentity{info.st_dev, info.st_ino};
}

}  // namespace ondrel
