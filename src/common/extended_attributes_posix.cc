#include <sys/xattr.h>

#include <cerrno>
#include <string_view>
#include <vector>

#include "common/extended_attributes.h"
#include "common/system_failure.h"

namespace ondrel {
namespace {

// Reads a list or a value whose size may change between asking for it and reading it. A file
// system without extended attributes has none; an attribute removed meanwhile is empty.
template <typename Read>
std::vector<char> ReadSized(Read read, const std::string& path) {
  for (;;) {
    const ssize_t size = read(nullptr, 0);
    if (size < 0 && (errno == ENOTSUP || errno == ENODATA)) return {};
    if (size < 0) ThrowSystemFailure(errno, "Impossibile leggere gli attributi di", path);
    std::vector<char> bytes(static_cast<std::size_t>(size));
    const ssize_t got = read(bytes.data(), bytes.size());
    if (got >= 0) {
      bytes.resize(static_cast<std::size_t>(got));
      return bytes;
    }
    if (errno != ERANGE) ThrowSystemFailure(errno, "Impossibile leggere gli attributi di", path);
  }
}

// The file system's own (security labels, trusted data) may be set by the system alone;
// the new file gets its own from the system as the original did.
bool SetBySystemOnly(std::string_view name) {
  return name.starts_with("security.") || name.starts_with("trusted.");
}

}  // namespace

void CopyExtendedAttributes(const std::string& from, int to, const std::string& toPath) {
  const std::vector<char> names = ReadSized(
      [&](char* list, std::size_t size) { return ::listxattr(from.c_str(), list, size); }, from);
  for (std::size_t at = 0; at < names.size();) {
    const char* name = names.data() + at;
    const std::string_view view(name);
    at += view.size() + 1;
    if (view.empty() || SetBySystemOnly(view)) continue;
    const std::vector<char> value = ReadSized(
        [&](char* bytes, std::size_t size) { return ::getxattr(from.c_str(), name, bytes, size); },
        from);
    if (::fsetxattr(to, name, value.data(), value.size(), 0) != 0)
      ThrowSystemFailure(errno, "Impossibile assegnare gli attributi di", toPath);
  }
}

}  // namespace ondrel
