#include "common/line_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/failure.h"

namespace ondrel {
namespace {

int OpenFlags(WriteMode mode) {
  switch (mode) {
    case WriteMode::kReplace:
      return O_WRONLY | O_CREAT | O_TRUNC;
    case WriteMode::kAppend:
      return O_WRONLY | O_CREAT | O_APPEND;
    case WriteMode::kCreateNew:
      return O_WRONLY | O_CREAT | O_EXCL;
  }
  return O_WRONLY;
}

// Where the file's whole lines end now: its end when it is appended to, else the position.
// -1 for what cannot seek (a pipe).
off_t WholeLinesEnd(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  return ::lseek(fd, 0, flags >= 0 && (flags & O_APPEND) != 0 ? SEEK_END : SEEK_CUR);
}

}  // namespace

LineWriter::LineWriter(const std::string& path, WriteMode mode, int permissions)
    : file_(FileHandle::Open(path, OpenFlags(mode), permissions)),
      path_(path),
      buffer_(new char[kBufferSize]),
      wholeLinesEnd_(WholeLinesEnd(file_.Fd())) {}

LineWriter::LineWriter(FileHandle file, const std::string& path)
    : file_(std::move(file)),
      path_(path),
      buffer_(new char[kBufferSize]),
      wholeLinesEnd_(WholeLinesEnd(file_.Fd())) {}

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
    if (wholeLinesEnd_ >= 0 && ::ftruncate(file_.Fd(), wholeLinesEnd_) != 0) {
      // A device cannot be cut back; the failure already reported is the one that matters.
    }
    throw;
  }
  wholeLinesEnd_ = ::lseek(file_.Fd(), 0, SEEK_CUR);
}

void LineWriter::Flush() {
  if (used_ == 0) return;
  Put(std::string_view(buffer_.get(), used_), {});
  used_ = 0;
}

void LineWriter::WriteLine(std::string_view text) {
  if (failed_) ThrowSystemFailure(EIO, "Cannot write", path_);
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
  if (failed_) ThrowSystemFailure(EIO, "Cannot write", path_);
  Flush();
  if (::fsync(file_.Fd()) != 0) ThrowSystemFailure(errno, "Cannot write", path_);
}

void LineWriter::Close() {
  if (failed_) ThrowSystemFailure(EIO, "Cannot write", path_);
  Flush();
  file_.Close(path_);
}

FileIdentity LineWriter::Identity() const {
  struct stat info {};
  ::fstat(file_.Fd(), &info);
  return IdentityOfStatus(info);
}

}  // namespace ondrel
