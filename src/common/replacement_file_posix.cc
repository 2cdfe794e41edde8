#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

#include "common/extended_attributes.h"
#include "common/failure.h"
#include "common/file_handle.h"
#include "common/path_rules.h"
#include "common/replacement_file.h"
#include "common/system_path_posix.h"

namespace ondrel {
namespace {

// The folder of a resolved path, with its separator.
std::string FolderOf(const std::string& path) {
  return path.substr(0, path.rfind(kPathSeparator) + 1);
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

std::string ResolvedPath(const std::string& path) {
  CheckSystemPath(path);
  const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                             &std::free);
  if (!resolved) ThrowSystemFailure(errno, "Impossibile aprire", path);
  return resolved.get();
}

FileHandle CreateTemporaryBeside(const std::string& target, std::string& path) {
  std::string pattern = FolderOf(target) + ".ondrel-XXXXXX";
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) ThrowSystemFailure(errno, "Impossibile creare un file temporaneo accanto a", target);
  path = pattern;
  return FileHandle::Adopt(fd);
}

void MoveOver(const std::string& temporary, const std::string& target, bool replace) {
  if (replace) {
    if (::rename(temporary.c_str(), target.c_str()) != 0)
      ThrowSystemFailure(errno, "Impossibile sostituire", target);
  } else if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) !=
             0) {
    ThrowSystemFailure(errno, "Impossibile creare", target);
  }
}

ReplacementFile::TemporaryName::~TemporaryName() {
  if (!keep && !path.empty()) ::unlink(path.c_str());
}

ReplacementFile::ReplacementFile(const std::string& target, const FileStatus& original,
                                 FileSystem& files)
    : target_(target), files_(files), original_(original) {
  CreateTemporary();
}

bool NameTaken(const std::string& path) {
  CheckSystemPath(path);
  struct stat info;
  if (::lstat(path.c_str(), &info) == 0) return true;
  if (errno != ENOENT) ThrowSystemFailure(errno, "Impossibile aprire", path);
  return false;
}

void ReplacementFile::CreateTemporary() {
  if (original_) {
    RefuseOtherNames(target_, *original_);
    // Renaming needs only the folder's permission; a file its user may not write stays as it
    // is, as it would if it were rewritten in place.
    if (::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0)
      ThrowSystemFailure(errno, "Impossibile scrivere", target_);
  }
  FileHandle file = files_.CreateTemporaryBeside(target_, temporary_.path);
  const int fd = static_cast<int>(file.Native());
  if (original_) {
    // Only root may give a file away; anyone else owns it already.
    if (::fchown(fd, original_->owner, original_->group) != 0 && errno != EPERM)
      ThrowSystemFailure(errno, "Impossibile assegnare il proprietario di", temporary_.path);
    // The set-group and sticky bits too; after the owner, which would clear them.
    if (::fchmod(fd, original_->permissions & 07777) != 0)
      ThrowSystemFailure(errno, "Impossibile assegnare i permessi di", temporary_.path);
    CopyExtendedAttributes(target_, fd, temporary_.path);
  } else if (::fchmod(fd, 0666 & ~CurrentUmask()) != 0) {
    ThrowSystemFailure(errno, "Impossibile assegnare i permessi di", temporary_.path);
  }
  writer_.emplace(std::move(file), temporary_.path, files_);
}

void ReplacementFile::Commit(bool flush) {
  if (flush) writer_->Sync();
  writer_->Close();
  // Any write, truncation, replacement or change of status since the target was read shows
  // in its status.
  if (original_) {
    const auto now = StatusOf(target_);
    if (!now || *now != *original_)
      throw Failure(kFailureFileChanged,
                    "Il file \"" + target_ + "\" e` cambiato mentre veniva riscritto");
  }
  files_.MoveOver(temporary_.path, target_, original_.has_value());
  temporary_.keep = true;
  if (flush) SyncFolder(FolderOf(target_));
}

}  // namespace ondrel
