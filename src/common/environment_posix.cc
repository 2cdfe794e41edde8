#include <langinfo.h>
#include <strings.h>
#include <unistd.h>

#include <cstdlib>

#include "common/environment.h"
#include "common/path_rules.h"

extern char** environ;

namespace ondrel {

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

std::string DecimalSeparator() {
  return ::nl_langinfo(RADIXCHAR);
}

std::string ExecutablePath() {
  std::string path(4096, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) return {};
  path.resize(static_cast<std::size_t>(length));
  return path;
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

}  // namespace ondrel
