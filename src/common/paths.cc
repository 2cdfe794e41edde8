#include "common/paths.h"

#include "common/checked_int.h"
#include "common/failure.h"
#include "common/path_rules.h"

namespace ondrel {
namespace {

constexpr std::size_t kLongestSplitPath = 32767;

const char* kMissingParameter = "Manca un parametro indispensabile";
const char* kUnknownSelector = "Parametro BackInfo sconosciuto";

}  // namespace

std::string_view TrimSpaces(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  // Still a view into `text`, so that callers may take its position in the text.
  if (first == std::string_view::npos) return text.substr(text.size());
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string AddBackslash(std::string_view path) {
  std::string result(path);
  if (!result.empty() && result.back() != kPathSeparator) result += kPathSeparator;
  return result;
}

std::optional<PathParts> SplitPath(std::string_view path) {
  const std::string_view trimmed = TrimSpaces(path);
  if (trimmed.empty()) return std::nullopt;
  if (trimmed.size() > kLongestSplitPath) ThrowOverflow();

  PathParts parts;
  const auto last_separator = trimmed.rfind(kPathSeparator);
  if (last_separator == std::string_view::npos) {
    parts.fileName = trimmed;
  } else {
    parts.fileName = trimmed.substr(last_separator + 1);
    // A run of separators ("a//b") counts as one, so the folder never ends with one.
    const auto folder_end = trimmed.find_last_not_of(kPathSeparator, last_separator);
    if (folder_end == std::string_view::npos)
      parts.folder = std::string(1, kPathSeparator);
    else
      parts.folder = trimmed.substr(0, folder_end + 1);
  }
  const auto dot = parts.fileName.rfind('.');
  if (dot != std::string::npos) {
    parts.extension = parts.fileName.substr(dot + 1);
    parts.baseName = parts.fileName.substr(0, dot);
  }
  if (parts.extension.empty() && !parts.fileName.empty()) parts.baseName = parts.fileName;
  return parts;
}

std::string PathInfo(std::string_view path, std::int32_t backInfo, WindowSystem& windows) {
  const std::string title = windows.Facts().executableName;
  try {
    const auto parts = backInfo == 0 ? std::nullopt : SplitPath(path);
    if (!parts) {
      windows.ShowMessage(kMissingParameter, kMessageCritical, title + "-PathInfo");
      return {};
    }
    switch (backInfo) {
      case 1:
        return parts->fileName;
      case 2:
        return parts->extension;
      case 3:
        return parts->baseName;
      case 4:
        return parts->folder;
      default:
        windows.ShowMessage(kUnknownSelector, kMessageCritical, title + "-PathInfo");
        return {};
    }
  } catch (const Failure& failure) {
    windows.ShowMessage(failure.Description(), kMessageNoIcon, title + "-VornCommon.PathInfo");
    return {};
  }
}

std::string ParentFolder(std::string_view folder) {
  if (folder.empty()) return {};
  const std::string t = AddBackslash(folder);
  if (t.size() < 2) return t;
  const auto q = t.rfind(kPathSeparator, t.size() - 2);
  if (q == std::string::npos) return t;
  return t.substr(0, q + 1);
}

}  // namespace ondrel
