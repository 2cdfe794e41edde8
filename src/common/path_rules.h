// How paths are spelled on this platform: the separator, and whether folder names are compared
// without regard to letter case. Tests state both answers through these constants.
#pragma once

#include <string>
#include <string_view>

namespace ondrel {

// Set by the build: 1 for Windows, 0 for POSIX systems.
inline constexpr bool kWindowsPlatform = ONDREL_WINDOWS != 0;

inline constexpr char kPathSeparator = kWindowsPlatform ? '\\' : '/';

// Whether the file system ignores the letter case of names, so that normalised folders are
// lower-cased before they are compared.
inline constexpr bool kFolderNamesFoldCase = kWindowsPlatform;

// The folder part of `path`, up to and with its last separator; empty when it has none.
inline std::string FolderOf(std::string_view path) {
  const auto separator = path.rfind(kPathSeparator);
  return std::string(separator == std::string_view::npos ? std::string_view()
                                                         : path.substr(0, separator + 1));
}

// `folder` lower-cased where kFolderNamesFoldCase holds (every script's letters, not only
// ASCII ones), unchanged otherwise.
std::string FoldFolderCase(std::string folder);

}  // namespace ondrel
