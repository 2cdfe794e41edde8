#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/extended_attributes.h"
#include "common/path_rules.h"
#include "common/shared_folders_posix.h"
#include "common/system_failure.h"
#include "common/system_files.h"
#include "common/system_path_posix.h"

namespace ondrel {
namespace {

int Descriptor(const FileHandle& file) {
  return static_cast<int>(file.Native());
}

// Makes a rename in `folder` survive a crash; a failure here cannot undo the rename, so it
// is not reported.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The permissions the process takes away from new files.
mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

}  // namespace

std::string SystemFiles::ResolvedPath(const std::string& path) {
  return ResolveWithoutPlantedLinks(path);
}

void SystemFiles::CheckNotPlanted(const std::string& path) {
  CheckSystemPath(path);
  struct stat info;
  if (::lstat(path.c_str(), &info) == 0) RefusePlantedFile(path, info);
}

bool SystemFiles::NameTaken(const std::string& path) {
  CheckSystemPath(path);
  struct stat info;
  if (::lstat(path.c_str(), &info) == 0) return true;
  if (errno != ENOENT) ThrowSystemFailure(errno, "Impossibile aprire", path);
  return false;
}

FileHandle SystemFiles::CreateTemporaryBeside(const std::string& target, std::string& path) {
  std::string pattern = FolderOf(target) + ".ondrel-XXXXXX";
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) ThrowSystemFailure(errno, "Impossibile creare un file temporaneo accanto a", target);
  path = pattern;
  return FileHandle(fd);
}

void SystemFiles::CheckWritable(const std::string& path) {
  CheckSystemPath(path);
  if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
    ThrowSystemFailure(errno, "Impossibile scrivere", path);
}

KeptOwnership SystemFiles::TakeOverAttributes(FileHandle& temporary,
                                              const std::string& temporaryPath,
                                              const std::string& target,
                                              const std::optional<FileStatus>& original) {
  const int fd = Descriptor(temporary);
  if (!original) {
    if (::fchmod(fd, 0666 & ~CurrentUmask()) != 0)
      ThrowSystemFailure(errno, "Impossibile assegnare i permessi di", temporaryPath);
    return {};
  }
  // Only root may give a file away; anyone else owns it already, and may give it to a group
  // of their own.
  if (::fchown(fd, original->owner, original->group) != 0) {
    if (errno != EPERM)
      ThrowSystemFailure(errno, "Impossibile assegnare il proprietario di", temporaryPath);
    if (::fchown(fd, static_cast<uid_t>(-1), original->group) != 0 && errno != EPERM)
      ThrowSystemFailure(errno, "Impossibile assegnare il gruppo di", temporaryPath);
  }
  // The set-group and sticky bits too; after the owner, which would clear them.
  if (::fchmod(fd, original->permissions & 07777) != 0)
    ThrowSystemFailure(errno, "Impossibile assegnare i permessi di", temporaryPath);
  CopyExtendedAttributes(target, fd, temporaryPath);
  const FileStatus made = StatusOfOpen(temporary, temporaryPath);
  return {made.owner == original->owner, made.group == original->group};
}

void SystemFiles::MoveOver(const std::string& temporary, const std::string& target, bool replace,
                           bool durable, FileHandle&) {
  if (replace) {
    if (::rename(temporary.c_str(), target.c_str()) != 0)
      ThrowSystemFailure(errno, "Impossibile sostituire", target);
  } else if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) !=
             0) {
    ThrowSystemFailure(errno, "Impossibile creare", target);
  }
  if (durable) SyncFolder(FolderOf(target));
}

void SystemFiles::RemoveFile(const std::string& path) {
  CheckSystemPath(path);
  if (::unlink(path.c_str()) != 0) ThrowSystemFailure(errno, "Impossibile eliminare", path);
}

}  // namespace ondrel
