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

[[noreturn]] void RefuseOutput(const std::string& path, std::string_view what) {
  throw Failure(kFailureBadPath, "\"" + path + "\" " + std::string(what) + ": non viene scritto");
}

// Adds CR LF at the end of the file open as `file` when its last byte ends no line.
void EndLastLine(FileHandle& file, const struct stat& info, const std::string& path) {
  if (info.st_size == 0) return;
  char last = 0;
  if (::pread(file.Fd(), &last, 1, info.st_size - 1) != 1)
    ThrowSystemFailure(errno, "Impossibile leggere", path);
  if (last != '\n' && last != '\r') file.WriteAll("\r\n", 2, path);
}

}  // namespace

FileHandle OpenOutputFile(const std::string& path, WriteMode mode) {
  // Emptied only once it is known to be a plain file: a refusal touches nothing.
  // Appended to, its last byte is read first.
  const int flags = O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY |
                    (mode == WriteMode::kAppend ? O_RDWR | O_APPEND : O_WRONLY);
  FileHandle file;
  try {
    file = FileHandle::Open(path, flags);
  } catch (const Failure& failure) {
    if (failure.Number() == ELOOP) RefuseOutput(path, "e` un collegamento simbolico");
    if (failure.Number() == ENXIO) RefuseOutput(path, "non e` un file normale");
    throw;
  }
  struct stat info;
  if (::fstat(file.Fd(), &info) != 0) ThrowSystemFailure(errno, "Impossibile aprire", path);
  if (!S_ISREG(info.st_mode)) RefuseOutput(path, "non e` un file normale");
  if (info.st_nlink > 1) RefuseOutput(path, "ha altri nomi (collegamenti fisici)");
  const int status = ::fcntl(file.Fd(), F_GETFL);
  if (status < 0 || ::fcntl(file.Fd(), F_SETFL, status & ~O_NONBLOCK) != 0)
    ThrowSystemFailure(errno, "Impossibile aprire", path);
  if (mode == WriteMode::kAppend) {
    EndLastLine(file, info, path);
  } else if (::ftruncate(file.Fd(), 0) != 0) {
    ThrowSystemFailure(errno, "Impossibile scrivere", path);
  }
  return file;
}

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
  if (failed_) ThrowSystemFailure(EIO, "Impossibile scrivere", path_);
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
  if (failed_) ThrowSystemFailure(EIO, "Impossibile scrivere", path_);
  Flush();
  if (::fsync(file_.Fd()) != 0) ThrowSystemFailure(errno, "Impossibile scrivere", path_);
}

void LineWriter::Close() {
  if (failed_) ThrowSystemFailure(EIO, "Impossibile scrivere", path_);
  Flush();
  file_.Close(path_);
}

FileIdentity LineWriter::Identity() const {
  struct stat info {};
  ::fstat(file_.Fd(), &info);
  return IdentityOfStatus(info);
}

}  // namespace ondrel
