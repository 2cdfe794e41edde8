#include "engine/sources_file.h"

#include <utility>

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

SourcesFile::SourcesFile(const std::string& path, FileSystem& files) : replacement_(path, files) {}

void SourcesFile::Commit() {
  table_.Write(replacement_.Writer());
  replacement_.Commit();
}

bool WouldWriteOver(const std::string& path, const std::string& outputFile, FileSystem& files) {
  if (const auto identity = IdentityIfAny(files, path))
    return identity == IdentityIfAny(files, outputFile);
  const auto [folder, name] = FolderAndName(path);
  const auto [outputFolder, outputName] = FolderAndName(outputFile);
  if (FoldFolderCase(name) != FoldFolderCase(outputName)) return false;
  const auto folderIdentity = IdentityIfAny(files, folder);
  return folderIdentity && folderIdentity == IdentityIfAny(files, outputFolder);
}

}  // namespace ondrel
