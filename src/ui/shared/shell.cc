#include "ui/shared/shell.h"

#include <filesystem>
#include <system_error>

#include "common/paths.h"
#include "ondrel/version.h"
#include "ui/shared/desktop.h"

namespace ondrel::ui {

std::string BrowseForFolder(OwnerHandle owner, const std::string& title, std::int32_t options,
                            Desktop& desktop) {
  return desktop.ChooseFolder(owner, title, options);
}

void OpenDocument(const std::string& path, Desktop& desktop) {
  desktop.OpenDocument(path);
}

void OpenWebSite(Desktop& desktop) {
  if (*kWebSiteUrl != '\0') desktop.OpenWebAddress(kWebSiteUrl);
}

std::string HelpPagePath(const std::string& programFolder, const std::string& name) {
  const std::string beside = AddBackslash(programFolder) + name;
  const std::string installed =
      AddBackslash(AddBackslash(programFolder) + ONDREL_HELP_FROM_PROGRAM) + name;
  std::error_code ignored;
  if (!std::filesystem::exists(beside, ignored) && std::filesystem::exists(installed, ignored))
    return installed;
  return beside;
}

}  // namespace ondrel::ui
