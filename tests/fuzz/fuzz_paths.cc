// Path splitting never crashes, and its parts rebuild the trimmed path.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/path_rules.h"
#include "common/paths.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ondrel;
  const std::string path(reinterpret_cast<const char*>(data), size);
  const std::string_view trimmed = TrimSpaces(path);

  const std::string with_separator = AddBackslash(path);
  FUZZ_CHECK(path.empty() ? with_separator.empty() : with_separator.back() == kPathSeparator);
  FUZZ_CHECK(with_separator.compare(0, path.size(), path) == 0);
  FUZZ_CHECK(with_separator.size() <= path.size() + 1);

  if (!path.empty()) {
    const std::string parent = ParentFolder(path);
    FUZZ_CHECK(!parent.empty() && parent.back() == kPathSeparator);
    FUZZ_CHECK(with_separator.compare(0, parent.size(), parent) == 0);
  }

  fuzz::SilentWindowSystem windows;
  for (int selector = -1; selector <= 5; ++selector) PathInfo(path, selector, windows);

  const auto parts = SplitPath(path);
  FUZZ_CHECK(parts.has_value() == !trimmed.empty());
  if (!parts) return 0;
  // The folder never ends with the separator except the single one.
  FUZZ_CHECK(parts->folder.empty() || parts->folder == std::string(1, kPathSeparator) ||
             parts->folder.back() != kPathSeparator);
  FUZZ_CHECK(parts->fileName.find(kPathSeparator) == std::string::npos);
  // Folder, a run of separators and the file name give the trimmed path back.
  const std::size_t name_start = trimmed.size() - parts->fileName.size();
  FUZZ_CHECK(trimmed.substr(name_start) == parts->fileName);
  if (trimmed.find(kPathSeparator) == std::string_view::npos) {
    FUZZ_CHECK(parts->folder.empty() && name_start == 0);
  } else {
    const std::size_t folder_size =
        parts->folder == std::string(1, kPathSeparator) ? 0 : parts->folder.size();
    FUZZ_CHECK(trimmed.substr(0, folder_size) ==
               std::string_view(parts->folder).substr(0, folder_size));
    const std::string_view run = trimmed.substr(folder_size, name_start - folder_size);
    FUZZ_CHECK(!run.empty() && run.find_first_not_of(kPathSeparator) == std::string_view::npos);
  }
  // Base name and extension give the file name back.
  if (!parts->extension.empty())
    FUZZ_CHECK(parts->baseName + "." + parts->extension == parts->fileName);
  else
    FUZZ_CHECK(parts->baseName == parts->fileName ||
               (parts->fileName.empty() && parts->baseName.empty()) ||
               (parts->fileName.back() == '.' && parts->baseName == parts->fileName));
  return 0;
}
