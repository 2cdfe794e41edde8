// Reads a text file in large blocks and hands out views of its lines, split by the one
// line-end rule of text_lines.h. Memory is one reused buffer that grows only to hold the longest
// line; readers of many files can share one ReadBuffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/file_handle.h"
#include "common/file_status.h"
#include "common/file_system.h"
#include "common/read_buffer.h"
#include "common/text_lines.h"

namespace ondrel {

class TextFileReader {
 public:
  static constexpr std::size_t kBlockSize = ReadBuffer::kBlockSize;

  // Opens `path` through `files` for reading; throws Failure when it cannot be opened.
  explicit TextFileReader(const std::string& path, std::size_t block_size = kBlockSize,
                          FileSystem& files = SystemFileSystem());
  // Opens the file at `place` through `files`, reading through `buffer`, which must outlive
  // the reader and is used by no one else meanwhile.
  TextFileReader(const FilePlace& place, ReadBuffer& buffer,
                 FileSystem& files = SystemFileSystem());
  // Reads `file`, open for reading through `files`, from where it stands; `path` names it in
  // failures. Throws Failure when it is not a regular file.
  TextFileReader(FileHandle file, const std::string& path, ReadBuffer& buffer, FileSystem& files);

  // The next run of whole lines, line ends included (the file's last line may lack one), never
  // parting the CR and the LF of one line end; false at the end of the file. The view stays
  // valid until the next call. Throws Failure on a read error.
  bool NextLines(std::string_view& chunk);

  const std::string& Path() const { return path_; }
  // The identity of the open file, whatever path led to it.
  FileIdentity Identity() const { return identity_; }

 private:
  // Moves the unread bytes to the front and reads one more block, growing the buffer when
  // it is full. Returns false at the end of the file.
  bool Fill();

  // Opens the file, notes its identity and size, and asks for read-ahead when it is larger
  // than one read takes.
  void Open(const FilePlace& place);
  void Opened(const FileStatus& status);

  FileSystem& files_;
  FileHandle file_;
  std::string path_;
  FileIdentity identity_;
  std::uint64_t sizeAtOpen_ = 0;
  std::uint64_t bytesRead_ = 0;
  std::unique_ptr<ReadBuffer> own_buffer_;  // when no shared buffer was given
  ReadBuffer* buffer_;
  std::size_t begin_ = 0;     // first unread byte
  std::size_t end_ = 0;       // one past the last byte read
  std::size_t searched_ = 0;  // bytes from begin_ already known to hold no line end
  bool at_end_of_file_ = false;
};

}  // namespace ondrel
