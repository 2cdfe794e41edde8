#include "ui/shell.h"

#include <filesystem>
#include <system_error>

#include "common/paths.h"
#include "ondrel/version.h"
#include "ui/desktop.h"
#include "ui/text_codec.h"

namespace ondrel::ui {

std::string BrowseForFolder(QWidget* owner, const std::string& title, std::int32_t options,
                            Desktop& desktop) {
  const bool foldersOnly = (options & kBrowseOnlyFileSystemFolders) != 0;
  return ToBytes(desktop.ChooseFolder(owner, ToQString(title), foldersOnly));
}

void OpenDocument(const std::string& path, Desktop& desktop) {
  desktop.OpenUrl(QUrl::fromLocalFile(ToQString(path)));
}

void OpenWebSite(Desktop& desktop) {
  desktop.OpenUrl(QUrl(QString::fromUtf8(kWebSiteUrl)));
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
