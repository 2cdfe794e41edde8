#include "common/line_writer.h"

#include <cstring>

#include "common/failure.h"

namespace ondrel {

LineWriter::LineWriter(const std::string& path, WriteMode mode)
    : LineWriter(FileHandle::OpenToWrite(path, mode), path) {}

LineWriter::LineWriter(FileHandle file, const std::string& path)
    : file_(std::move(file)),
      path_(path),
      buffer_(new char[kBufferSize]),
      wholeLinesEnd_(file_.WritePosition()) {}

LineWriter::~LineWriter() {
  try {
    if (!failed_) Flush();
  } catch (const Failure&) {
  }
}

void LineWriter::Put(std::string_view bytes, std::string_view more) {
  try {
    file_.WriteAll(bytes.data(), bytes.size(), path_);
    if (!more.empty()) file_.WriteAll(more.data(), more.size(), path_);
  } catch (const Failure&) {
    failed_ = true;
    used_ = 0;
    // A write cut short by a full disk leaves part of a line, which is no entry of a list.
    // A device cannot be cut back; the failure already reported is the one that matters.
    if (wholeLinesEnd_ >= 0) file_.Truncate(wholeLinesEnd_);
    throw;
  }
  wholeLinesEnd_ = file_.WritePosition();
}

void LineWriter::Flush() {
  if (used_ == 0) return;
  Put(std::string_view(buffer_.get(), used_), {});
  used_ = 0;
}

void LineWriter::WriteLine(std::string_view text) {
  if (failed_) ThrowFailure(kFailureInputOutput, "Cannot write", path_);
  if (used_ + text.size() + 2 > kBufferSize) {
    Flush();
    if (text.size() + 2 > kBufferSize) {
      // A line longer than the buffer goes straight to the file.
      Put(text, "\r\n");
      return;
    }
  }
  // An empty view may carry no pointer at all, which memcpy must not be given.
  if (!text.empty()) std::memcpy(buffer_.get() + used_, text.data(), text.size());
  used_ += text.size();
  buffer_[used_++] = '\r';
  buffer_[used_++] = '\n';
}

void LineWriter::Sync() {
  if (failed_) ThrowFailure(kFailureInputOutput, "Cannot write", path_);
  Flush();
  file_.Sync(path_);
}

void LineWriter::Close() {
  if (failed_) ThrowFailure(kFailureInputOutput, "Cannot write", path_);
  Flush();
  file_.Close(path_);
}

FileIdentity LineWriter::Identity() const {
  return file_.Status(path_).identity;
}

}  // namespace ondrel
