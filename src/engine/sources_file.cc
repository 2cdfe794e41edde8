#include "engine/sources_file.h"

#include <utility>

#include "common/file_status.h"
#include "common/path_rules.h"

namespace ondrel {
namespace {

// The folder part of `path` (with its separator, or "." for none) and the name after it.
std::pair<std::string, std::string> FolderAndName(const std::string& path) {
  const std::size_t separator = path.rfind(kPathSeparator);
  if (separator == std::string::npos) return {".", path};
  return {path.substr(0, separator + 1), path.substr(separator + 1)};
}

}  // namespace

SourcesFile::SourcesFile(const std::string& path) : replacement_(path) {}

void SourcesFile::Commit() {
  table_.Write(replacement_.Writer());
  replacement_.Commit();
}

bool WouldWriteOver(const std::string& path, const std::string& outputFile) {
  if (const auto identity = IdentityOf(path)) return identity == IdentityOf(outputFile);
  const auto [folder, name] = FolderAndName(path);
  const auto [outputFolder, outputName] = FolderAndName(outputFile);
  if (FoldFolderCase(name) != FoldFolderCase(outputName)) return false;
  const auto folderIdentity = IdentityOf(folder);
  return folderIdentity && folderIdentity == IdentityOf(outputFolder);
}

}  // namespace ondrel
