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

}  // namespace

LineWriter::LineWriter(const std::string& path, WriteMode mode, int permissions)
    : file_(FileHandle::Open(path, OpenFlags(mode), permissions)),
      path_(path),
      buffer_(new char[kBufferSize]) {}

LineWriter::LineWriter(FileHandle file, const std::string& path)
    : file_(std::move(file)), path_(path), buffer_(new char[kBufferSize]) {}

LineWriter::~LineWriter() {
  try {
    if (!failed_) Flush();
  } catch (const Failure&) {
  }
}

void LineWriter::Flush() {
  if (used_ == 0) return;
  try {
    file_.WriteAll(buffer_.get(), used_, path_);
  } catch (const Failure&) {
    failed_ = true;
    used_ = 0;
    throw;
  }
  used_ = 0;
}

void LineWriter::WriteLine(std::string_view text) {
  if (failed_) ThrowSystemFailure(EIO, "Cannot write", path_);
  if (used_ + text.size() + 2 > kBufferSize) {
    Flush();
    if (text.size() + 2 > kBufferSize) {
      // A line longer than the buffer goes straight to the file.
      try {
        file_.WriteAll(text.data(), text.size(), path_);
        file_.WriteAll("\r\n", 2, path_);
      } catch (const Failure&) {
        failed_ = true;
        throw;
      }
      return;
    }
  }
  std::memcpy(buffer_.get() + used_, text.data(), text.size());
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
  return FileIdentity{info.st_dev, info.st_ino};
}

}  // namespace ondrel
