// Writes text lines, each followed by CR LF, through one buffer; every write error is
// reported, a full disk included.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/file_handle.h"
#include "common/file_status.h"
#include "common/file_system.h"

namespace ondrel {

class LineWriter {
 public:
  static constexpr std::size_t kBufferSize = std::size_t{1} << 16;

  // Opens `path`; throws Failure when it cannot be opened or created. Every write goes
  // through `files`.
  LineWriter(const std::string& path, WriteMode mode, FileSystem& files = SystemFileSystem());
  // Writes to a file already opened for writing; `path` names it in failures.
  LineWriter(FileHandle file, const std::string& path, FileSystem& files = SystemFileSystem());
  // Flushes what is buffered, ignoring errors, and closes: for ways out after a failure.
  ~LineWriter();

  // Writes `text` followed by CR LF. Throws Failure on a write error, after cutting a file
  // back to its last whole line; after one, every further call throws too.
  void WriteLine(std::string_view text);
  // Flushes and waits until the file's data is on the storage device; throws on failure.
  void Sync();
  // Flushes and closes; throws Failure if anything could not be written.
  void Close();

  bool Failed() const { return failed_; }
  const std::string& Path() const { return path_; }
  FileIdentity Identity() const;

 private:
  void Flush();
  // Writes `bytes` then `more`, which end with a whole line.
  void Put(std::string_view bytes, std::string_view more);

  FileHandle file_;
  std::string path_;
  FileSystem& files_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  bool failed_ = false;
  std::optional<std::int64_t> wholeLinesEnd_;  // where the lines written whole end in the file
};

// Opens `path`, the output file of a run or a tool, with `mode` kReplace or kAppend: never
// through a symbolic link and never waiting on a pipe. Anything but a regular file with no
// other name (or a name not there yet) is refused with Failure before anything is written.
// A file appended to whose last line has no line end gets one first, so that the first new
// line does not run into it. Opened and written through `files`.
FileHandle OpenOutputFile(const std::string& path, WriteMode mode,
                          FileSystem& files = SystemFileSystem());

}  // namespace ondrel
