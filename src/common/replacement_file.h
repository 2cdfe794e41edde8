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

// The temporary file goes when the object does, unless Commit put it in the target's place.
class ReplacementFile {
 public:
  // Creates the temporary file beside `target` (a resolved path) exclusively, with the
  // owner and the permissions (on Windows the attributes) of `original`, the status of the
  // target when it was read. Throws Failure when it cannot be created (a read-only folder,
  // for one), or when the target may not be written.
  ReplacementFile(const std::string& target, const FileStatus& original);
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  LineWriter& Writer() { return *writer_; }

  // Puts the new content on disk (unless `flush` is false) and moves it over the target (on
  // Windows with write-through), provided the target is still the file as it was read.
  // Throws Failure otherwise; the target is then untouched.
  void Commit(bool flush = true);

 private:
  // Removes the file it names when it goes, unless told to keep it.
  struct TemporaryName {
    ~TemporaryName();
    std::string path;
    bool keep = false;
  };

  std::string target_;
  FileStatus original_;
  TemporaryName temporary_;
  std::optional<LineWriter> writer_;  // destroyed first: closed before it is removed
};

}  // namespace ondrel
