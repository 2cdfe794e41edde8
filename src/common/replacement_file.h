// Rewrites a file without ever leaving it half written: the new content goes to a temporary
// file beside it, which takes the file's place only once it is complete and on disk.
#pragma once

#include <optional>
#include <string>

#include "common/file_status.h"
#include "common/line_writer.h"

namespace ondrel {

// The path that `path` leads to, every symbolic link resolved; throws Failure when there is
// none. Rewriting a file through that path replaces the link's target, not the link.
std::string ResolvedPath(const std::string& path);

// Whether anything, a symbolic link included, has the name `path`; throws Failure when the
// system cannot tell.
bool NameTaken(const std::string& path);

// Throws Failure when `original`, the status of `target`, shows other names (hard links): a
// replacement would cut them off the list, and they would keep the old content.
void RefuseOtherNames(const std::string& target, const FileStatus& original);

// A new empty file beside `target` (a resolved path), under a free temporary name that is
// stored in `path`, open for writing and reading back and owned by its creator only; never an
// existing name.
// Throws Failure when it cannot be created (a read-only folder, for one).
FileHandle CreateTemporaryBeside(const std::string& target, std::string& path);

// Moves `temporary` over `target` in one step (on Windows with write-through). With `replace`
// false it fails when the name `target` was taken meanwhile. Throws Failure; the target is
// then untouched.
void MoveOver(const std::string& temporary, const std::string& target, bool replace);

// The temporary file goes when the object does, unless Commit put it in the target's place.
class ReplacementFile {
 public:
  // Creates the temporary file beside `target` (a resolved path) exclusively, with the
  // owner, the permissions (special bits included) and the extended attributes of the target
  // (on Windows its attributes); `original` is its status when it was read. Throws Failure
  // when it cannot be created (a read-only folder, for one), when the target may not be
  // written, or when it has other hard links, which a replacement would part from it. The new
  // content is written through `files`.
  ReplacementFile(const std::string& target, const FileStatus& original,
                  FileSystem& files = SystemFileSystem());
  // Replaces the file at `path` (the one a link leads to) as above, or, when nothing is
  // there, creates it with the permissions of a new file. Throws Failure as above, and when
  // `path` leads to anything but a regular file.
  explicit ReplacementFile(const std::string& path, FileSystem& files = SystemFileSystem());
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  LineWriter& Writer() { return *writer_; }

  // Puts the new content on disk (unless `flush` is false) and moves it over the target (on
  // Windows with write-through), provided the target is still the file as it was read (or,
  // for a new file, that its name is still free). Throws Failure otherwise; the target is
  // then untouched.
  void Commit(bool flush = true);

 private:
  // Removes the file it names when it goes, unless told to keep it.
  struct TemporaryName {
    ~TemporaryName();
    std::string path;
    bool keep = false;
  };

  // Makes the temporary file; for a target that is there, with its owner, permissions and
  // extended attributes (on Windows its attributes).
  void CreateTemporary();

  std::string target_;
  FileSystem& files_;
  std::optional<FileStatus> original_;  // none for a file not there yet
  TemporaryName temporary_;
  std::optional<LineWriter> writer_;  // destroyed first: closed before it is removed
};

}  // namespace ondrel
