// How paths are spelled on this platform: the separator, and whether folder names are compared
// without regard to letter case. Tests state both answers through these constants.
#pragma once

#include <string>

namespace ondrel {

// Set by the build: 1 for Windows, 0 for POSIX systems.
inline constexpr bool kWindowsPlatform = ONDREL_WINDOWS != 0;

inline constexpr char kPathSeparator = kWindowsPlatform ? '\\' : '/';

// Whether the file system ignores the letter case of names, so that normalised folders are
// lower-cased before they are compared.
inline constexpr bool kFolderNamesFoldCase = kWindowsPlatform;

// `folder` lower-cased where kFolderNamesFoldCase holds (every script's letters, not only
// ASCII ones), unchanged otherwise.
std::string FoldFolderCase(std::string folder);

}  // namespace ondrel
