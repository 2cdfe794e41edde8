#include "lists/replacement_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

#include "common/extended_attributes.h"
#include "common/failure.h"
#include "common/file_handle.h"
#include "common/platform.h"

namespace ondrel {
namespace {

bool SameTimes(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Any write, truncation, replacement or change of status since `original` was taken shows
// in one of these.
bool Unchanged(const struct stat& original, const struct stat& now) {
  return original.st_dev == now.st_dev && original.st_ino == now.st_ino &&
         original.st_size == now.st_size && SameTimes(original.st_mtim, now.st_mtim) &&
         SameTimes(original.st_ctim, now.st_ctim);
}

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
  if (path.find('\0') != std::string::npos)
    throw Failure(kFailureBadPath, "Nome di file non valido");
  const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                             &std::free);
  if (!resolved) ThrowSystemFailure(errno, "Impossibile aprire", path);
  return resolved.get();
}

ReplacementFile::TemporaryName::~TemporaryName() {
  if (!keep && !path.empty()) ::unlink(path.c_str());
}

ReplacementFile::ReplacementFile(const std::string& target, const struct stat& original)
    : target_(target), original_(original) {
  CreateTemporary();
}

ReplacementFile::ReplacementFile(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) {
    if (errno != ENOENT) ThrowSystemFailure(errno, "Impossibile aprire", path);
    target_ = path;
  } else {
    target_ = ResolvedPath(path);
    if (::stat(target_.c_str(), &info) != 0) ThrowSystemFailure(errno, "Impossibile aprire", path);
    if (!S_ISREG(info.st_mode))
      throw Failure(kFailureBadPath, "\"" + path + "\" non e` un file normale");
    original_ = info;
  }
  CreateTemporary();
}

void ReplacementFile::CreateTemporary() {
  if (original_) {
    // A rename would cut the other names off the list, which keep the old content: a list
    // with more than one name is refused rather than split in two.
    if (original_->st_nlink > 1) {
      throw Failure(kFailureBadPath, "Il file \"" + target_ +
                                         "\" ha altri nomi (collegamenti fisici) e non viene "
                                         "riscritto: ne va fatta una copia con un solo nome");
    }
    // Renaming needs only the folder's permission; a file its user may not write stays as it
    // is, as it would if it were rewritten in place.
    if (::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0)
      ThrowSystemFailure(errno, "Impossibile scrivere", target_);
  }
  std::string pattern = FolderOf(target_) + ".ondrel-XXXXXX";
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) ThrowSystemFailure(errno, "Impossibile creare un file temporaneo accanto a", target_);
  FileHandle file(fd);
  temporary_.path = pattern;
  if (original_) {
    // Only root may give a file away; anyone else owns it already.
    if (::fchown(fd, original_->st_uid, original_->st_gid) != 0 && errno != EPERM)
      ThrowSystemFailure(errno, "Impossibile assegnare il proprietario di", temporary_.path);
    // The set-group and sticky bits too; after the owner, which would clear them.
    if (::fchmod(fd, original_->st_mode & 07777) != 0)
      ThrowSystemFailure(errno, "Impossibile assegnare i permessi di", temporary_.path);
    CopyExtendedAttributes(target_, fd, temporary_.path);
  } else if (::fchmod(fd, 0666 & ~CurrentUmask()) != 0) {
    ThrowSystemFailure(errno, "Impossibile assegnare i permessi di", temporary_.path);
  }
  writer_.emplace(std::move(file), temporary_.path);
}

void ReplacementFile::Commit(bool flush) {
  if (flush) writer_->Sync();
  writer_->Close();
  if (original_) {
    struct stat now;
    if (::stat(target_.c_str(), &now) != 0 || !Unchanged(*original_, now))
      throw Failure(kFailureFileChanged,
                    "Il file \"" + target_ + "\" e` cambiato mentre veniva riscritto");
    if (::rename(temporary_.path.c_str(), target_.c_str()) != 0)
      ThrowSystemFailure(errno, "Impossibile sostituire", target_);
  } else if (::renameat2(AT_FDCWD, temporary_.path.c_str(), AT_FDCWD, target_.c_str(),
                         RENAME_NOREPLACE) != 0) {
    ThrowSystemFailure(errno, "Impossibile creare", target_);
  }
  temporary_.keep = true;
  if (flush) SyncFolder(FolderOf(target_));
}

}  // namespace ondrel
