// The folder browser, the opening of documents and of the web site, and where the help
// pages are.
#pragma once

#include <cstdint>
#include <string>

#include "ui/shared/view.h"

namespace ondrel::ui {

class Desktop;

// The folder browser's option that accepts only file-system folders.
inline constexpr std::int32_t kBrowseOnlyFileSystemFolders = 1;

// The chosen folder's path, or empty text when the user cancelled.
std::string BrowseForFolder(OwnerHandle owner, const std::string& title, std::int32_t options,
                            Desktop& desktop);

// Opens `path` with its associated program; a missing document shows nothing.
void OpenDocument(const std::string& path, Desktop& desktop);

// Opens the program's web site in the user's browser; nothing when it has none.
void OpenWebSite(Desktop& desktop);

// The help page `name` for a program in `programFolder`: beside the program (the build
// tree, and Windows), else in the installed data folder; the first place when neither has it.
std::string HelpPagePath(const std::string& programFolder, const std::string& name);

}  // namespace ondrel::ui
