// A temporary file of the list tools' work beyond the memory: made beside a list as safely as
// the list's replacement (a free name, never an existing file or link, readable by its owner
// only), read back through the handle that wrote it, and removed when the object goes, on
// every way out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/file_handle.h"
#include "common/file_system.h"
#include "common/line_writer.h"

namespace ondrel {

class TemporaryFile {
 public:
  // Creates the file beside `beside` (the path of a file, whose folder is used). Throws
  // Failure when it cannot be created.
  TemporaryFile(const std::string& beside, FileSystem& files);
  TemporaryFile(TemporaryFile&& other) noexcept;
  TemporaryFile& operator=(TemporaryFile&& other) noexcept;
  // Closes the file if it is still held here, then removes it.
  ~TemporaryFile();

  const std::string& Path() const { return path_; }
  // The open file, for writing and then reading back; whoever takes it closes it before this
  // object goes (on Windows an open file cannot be removed).
  FileHandle TakeHandle() { return std::move(handle_); }

 private:
  void Remove();

  std::string path_;  // empty once moved away
  FileHandle handle_;
  FileSystem* files_;
};

// Throws Failure (kFailureNoSpace) saying that the disk of `beside` (a file's path) lacks the
// room for `work` (Italian, such as "per ordinarlo") when it has less than `needed` bytes
// free; nothing when the system does not tell.
void RequireFreeSpace(const std::string& beside, std::uint64_t needed, std::string_view work,
                      FileSystem& files);

// Lines written to a temporary file, to be read back.
struct LineFile {
  TemporaryFile file;
  FileHandle handle;        // open at the first line
  std::uint64_t bytes = 0;  // line ends included
  std::uint64_t lines = 0;
};

// Writes the lines of a LineFile.
class LineFileWriter {
 public:
  // Creates the file beside `beside` through `files`; throws Failure.
  LineFileWriter(const std::string& beside, FileSystem& files);

  void Write(std::string_view line) {
    writer_->WriteLine(line);
    bytes_ += line.size() + 2;
    ++lines_;
  }
  // Flushes the lines and hands them over, ready to be read. Throws Failure (a full disk).
  LineFile Finish();

 private:
  TemporaryFile file_;
  FileSystem& files_;
  std::optional<LineWriter> writer_;
  std::uint64_t bytes_ = 0;
  std::uint64_t lines_ = 0;
};

}  // namespace ondrel
