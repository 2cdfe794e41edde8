// Rewrites a file without ever leaving it half written: the new content goes to a temporary
// file beside it, which takes the file's place only once it is complete and on disk.
#pragma once

#include <optional>
#include <string>

#include "common/file_status.h"
#include "common/file_system.h"
#include "common/line_writer.h"

namespace ondrel {

// Throws Failure when `original`, the status of `target`, shows other names (hard links): a
// replacement would cut them off the list, and they would keep the old content.
void RefuseOtherNames(const std::string& target, const FileStatus& original);

// The temporary file goes when the object does, unless Commit put it in the target's place.
class ReplacementFile {
 public:
  // Creates the temporary file beside `target` (a resolved path) exclusively, with the
  // owner, the permissions (special bits included) and the extended attributes of the target
  // (on Windows its attributes); `original` is its status when it was read. The target is held
  // open meanwhile, so that what another program appends to it while it is replaced is not
  // lost (see Commit). Throws Failure when it cannot be created (a read-only folder, for one),
  // when the target may not be written, when it has other hard links, which a replacement
  // would part from it, or when it is not the file as it was read any more. Every step goes
  // through `files`.
  ReplacementFile(const std::string& target, const FileStatus& original,
                  FileSystem& files = SystemFileSystem());
  // Replaces the file at `path` (the one a link leads to) as above, or, when nothing is
  // there, creates it with the permissions of a new file: an output of the user's. Throws
  // Failure as above, when `path` leads to anything but a regular file, and when another user
  // planted the file or a link on the way to it (FileSystem::CheckNotPlanted, ResolvedPath).
  explicit ReplacementFile(const std::string& path, FileSystem& files = SystemFileSystem());
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  LineWriter& Writer() { return *writer_; }
  // What of the target's owner the new file keeps.
  KeptOwnership Ownership() const { return ownership_; }

  // Puts the new content on disk (unless `flush` is false) and moves it over the target,
  // provided the target is still the file as it was read (or, for a new file, that its name
  // is still free). Throws Failure otherwise; the target is then untouched. Returns the bytes
  // that another program appended to the target between that check and the move: they are
  // added, as they were, at the end of the new content, which is then in the target's place.
  std::uint64_t Commit(bool flush = true);

 private:
  // Removes the file it names when it goes, unless told to keep it.
  struct TemporaryName {
    explicit TemporaryName(FileSystem& files) : files(files) {}
    ~TemporaryName();
    FileSystem& files;
    std::string path;
    bool keep = false;
  };

  // Makes the temporary file; for a target that is there, with its owner, permissions and
  // extended attributes (on Windows its attributes).
  void CreateTemporary();
  // After the move: adds to the target's new content what was appended to its old one since
  // it was read; returns how many bytes that was.
  std::uint64_t KeepLateAppends();

  std::string target_;
  FileSystem& files_;
  std::optional<FileStatus> original_;  // none for a file not there yet
  FileHandle watched_;                  // the target as it was read, open to the end
  TemporaryName temporary_;
  KeptOwnership ownership_;
  std::optional<LineWriter> writer_;  // destroyed first: closed before it is removed
};

}  // namespace ondrel
