#include "common/text_reader.h"

#include <algorithm>
#include <cstring>

#include "common/failure.h"

namespace ondrel {

TextFileReader::TextFileReader(const std::string& path, std::size_t block_size, FileSystem& files)
    : path_(path),
      own_buffer_(std::make_unique<ReadBuffer>(block_size)),
      buffer_(own_buffer_.get()) {
  Open(path_, files);
}

TextFileReader::TextFileReader(const FilePlace& place, ReadBuffer& buffer, FileSystem& files)
    : path_(place.path), buffer_(&buffer) {
  Open(place, files);
}

TextFileReader::TextFileReader(FileHandle file, const std::string& path, ReadBuffer& buffer)
    : file_(std::move(file)), path_(path), buffer_(&buffer) {
  const FileStatus status = file_.Status(path);
  if (status.type != FileType::kRegular)
    throw Failure(kFailureBadPath, "\"" + path + "\" non e` un file normale");
  Opened(status);
}

void TextFileReader::Open(const FilePlace& place, FileSystem& files) {
  FileStatus status;
  file_ = files.OpenToRead(place, status);
  Opened(status);
}

void TextFileReader::Opened(const FileStatus& status) {
  identity_ = status.identity;
  sizeAtOpen_ = status.size;
  if (sizeAtOpen_ > buffer_->Capacity()) file_.AdviseSequential();
}

void TextFileReader::Rewind() {
  file_.Rewind(path_);
  begin_ = end_ = searched_ = 0;
  bytesRead_ = 0;
  at_end_of_file_ = false;
}

bool TextFileReader::Fill() {
  if (at_end_of_file_) return false;
  if (begin_ > 0) {
    std::memmove(buffer_->Data(), buffer_->Data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == buffer_->Capacity()) buffer_->Grow();
  const std::size_t room = buffer_->Capacity() - end_;
  const std::size_t got = file_.Read(buffer_->Data() + end_, room, path_);
  if (got == 0) {
    at_end_of_file_ = true;
    return false;
  }
  end_ += got;
  bytesRead_ += got;
  // A short read that reaches the size the file had when it was opened is its end, which
  // spares a second read per file to learn it; a file that grew meanwhile fills the read.
  if (got < room && bytesRead_ >= sizeAtOpen_) at_end_of_file_ = true;
  return true;
}

bool TextFileReader::NextLine(std::string_view& line) {
  for (;;) {
    const char* data = buffer_->Data();
    const std::size_t i =
        static_cast<std::size_t>(FindLineEnd(data + begin_ + searched_, data + end_) - data);
    if (i < end_) {
      // A CR in the last byte read may have its LF in the next block.
      if (data[i] == '\r' && i + 1 == end_ && !at_end_of_file_) {
        searched_ = i - begin_;
        Fill();
        continue;
      }
      line = std::string_view(data + begin_, i - begin_);
      std::size_t next = i + 1;
      if (data[i] == '\r' && next < end_ && data[next] == '\n') ++next;
      begin_ = next;
      searched_ = 0;
      return true;
    }
    searched_ = end_ - begin_;
    if (!Fill()) {
      if (begin_ == end_) return false;
      line = std::string_view(buffer_->Data() + begin_, end_ - begin_);
      begin_ = end_;
      searched_ = 0;
      return true;
    }
  }
}

bool TextFileReader::NextLines(std::string_view& chunk) {
  for (;;) {
    const char* data = buffer_->Data();
    const std::size_t last =
        static_cast<std::size_t>(StartOfLineBefore(data + begin_ + searched_, data + end_) - data);
    if (last > begin_ + searched_) {
      chunk = std::string_view(data + begin_, last - begin_);
      begin_ = last;
      searched_ = 0;
      return true;
    }
    searched_ = end_ - begin_;
    if (!Fill()) {
      if (begin_ == end_) return false;
      chunk = std::string_view(buffer_->Data() + begin_, end_ - begin_);
      begin_ = end_;
      searched_ = 0;
      return true;
    }
  }
}

}  // namespace ondrel
