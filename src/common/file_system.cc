#include "common/file_system.h"

#include "common/system_files.h"

namespace ondrel {

FileSystem& SystemFileSystem() {
  static SystemFiles files;
  return files;
}

std::optional<FileStatus> StatusIfAny(FileSystem& files, const std::string& path) {
  try {
    return files.StatusOf(path);
  } catch (const Failure&) {
    return std::nullopt;
  }
}

std::optional<FileIdentity> IdentityIfAny(FileSystem& files, const std::string& path) {
  const auto status = StatusIfAny(files, path);
  if (!status) return std::nullopt;
  return status->identity;
}

void DiscardFile(FileSystem& files, const std::string& path) noexcept {
  try {
    files.RemoveFile(path);
  } catch (const Failure&) {
  }
}

}  // namespace ondrel
