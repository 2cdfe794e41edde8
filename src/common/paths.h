// Building and taking apart path texts. Only kPathSeparator separates folders.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/window_system.h"

namespace ondrel {

// Removes leading and trailing spaces (code 32 only).
std::string_view TrimSpaces(std::string_view text);

// `path` with one trailing separator; an empty text stays empty.
std::string AddBackslash(std::string_view path);

struct PathParts {
  std::string fileName;   // everything after the last separator
  std::string extension;  // after the file name's last dot
  std::string baseName;   // the file name without its last dot and extension
  std::string folder;     // before the last separator; a lone leading separator stays
};

// Splits `path` after trimming spaces; none when nothing is left. Throws Failure for a path
// longer than 32,767 characters.
std::optional<PathParts> SplitPath(std::string_view path);

// The part of `path` that `backInfo` selects: 1 file name, 2 extension, 3 base name,
// 4 folder. Reports an empty path, selector 0, an unknown selector or a failure through a
// message of `windows` and returns the empty text.
std::string PathInfo(std::string_view path, std::int32_t backInfo, WindowSystem& windows);

// The folder above `folder`, ending with the separator; a root is its own parent.
std::string ParentFolder(std::string_view folder);

}  // namespace ondrel
