#include "common/line_writer.h"

#include <cstring>

#include "common/failure.h"

namespace ondrel {
namespace {

[[noreturn]] void RefuseOutput(const std::string& path, std::string_view what) {
  throw Failure(kFailureBadPath, "\"" + path + "\" " + std::string(what) + ": non viene scritto");
}

// Adds CR LF at the end of `file` when its last byte ends no line.
void EndLastLine(FileHandle& file, const FileStatus& status, const std::string& path,
                 FileSystem& files) {
  char last = 0;
  if (status.size == 0 || files.ReadAt(file, status.size - 1, &last, 1, path) == 0) return;
  if (last != '\n' && last != '\r') files.WriteAll(file, "\r\n", 2, path);
}

}  // namespace

FileHandle OpenOutputFile(const std::string& path, WriteMode mode, FileSystem& files) {
  // Emptied only once it is known to be a plain file: a refusal touches nothing.
  // Appended to, its last byte is read first.
  FileHandle file = OpenOutputUntouched(path, mode, files);
  if (mode == WriteMode::kAppend) {
    EndLastLine(file, files.StatusOfOpen(file, path), path, files);
  } else {
    EmptyOutput(file, path, files);
  }
  return file;
}

FileHandle OpenOutputUntouched(const std::string& path, WriteMode mode, FileSystem& files) {
  FileHandle file;
  try {
    file = files.OpenToWrite(path, mode);
  } catch (const Failure& failure) {
    if (failure.Number() == kFailureSymbolicLink)
      RefuseOutput(path, "e` un collegamento simbolico");
    if (failure.Number() == kFailureNotRegular) RefuseOutput(path, "non e` un file normale");
    throw;
  }
  const FileStatus status = files.StatusOfOpen(file, path);
  if (status.type != FileType::kRegular) RefuseOutput(path, "non e` un file normale");
  if (status.links > 1) RefuseOutput(path, "ha altri nomi (collegamenti fisici)");
  return file;
}

void EmptyOutput(FileHandle& file, const std::string& path, FileSystem& files) {
  files.Truncate(file, 0, path);
}

namespace {

// Opened as `mode` says, with no checks of what the file is; a device, which cannot be
// emptied, is written as it is.
FileHandle OpenAsIs(const std::string& path, WriteMode mode, FileSystem& files) {
  FileHandle file = files.OpenToWrite(path, mode);
  if (mode == WriteMode::kReplace) {
    try {
      files.Truncate(file, 0, path);
    } catch (const Failure&) {
    }
  }
  return file;
}

}  // namespace

LineWriter::LineWriter(const std::string& path, WriteMode mode, FileSystem& files)
    : LineWriter(OpenAsIs(path, mode, files), path, files) {}

LineWriter::LineWriter(FileHandle file, const std::string& path, FileSystem& files)
    : file_(std::move(file)),
      path_(path),
      files_(files),
      buffer_(new char[kBufferSize]),
      wholeLinesEnd_(files_.WritePosition(file_)) {}

LineWriter::~LineWriter() {
  try {
    if (!failed_) Flush();
  } catch (const Failure&) {
  }
}

void LineWriter::Put(std::string_view bytes, std::string_view more) {
  try {
    files_.WriteAll(file_, bytes.data(), bytes.size(), path_);
    if (!more.empty()) files_.WriteAll(file_, more.data(), more.size(), path_);
  } catch (const Failure&) {
    failed_ = true;
    used_ = 0;
    // A write cut short by a full disk leaves part of a line, which is no entry of a list.
    // A device cannot be cut back; the failure already reported is the one that matters.
    if (wholeLinesEnd_) {
      try {
        files_.Truncate(file_, *wholeLinesEnd_, path_);
      } catch (const Failure&) {
      }
    }
    throw;
  }
  wholeLinesEnd_ = files_.WritePosition(file_);
}

void LineWriter::Flush() {
  if (used_ == 0) return;
  Put(std::string_view(buffer_.get(), used_), {});
  used_ = 0;
}

void LineWriter::WriteLine(std::string_view text) {
  if (failed_) ThrowFailure(kFailureInputOutput, "Impossibile scrivere", path_);
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
  if (failed_) ThrowFailure(kFailureInputOutput, "Impossibile scrivere", path_);
  Flush();
  files_.Sync(file_, path_);
}

void LineWriter::Close() {
  if (failed_) ThrowFailure(kFailureInputOutput, "Impossibile scrivere", path_);
  Flush();
  files_.Close(file_, path_);
}

FileHandle LineWriter::Finish() {
  if (failed_) ThrowFailure(kFailureInputOutput, "Impossibile scrivere", path_);
  Flush();
  return std::move(file_);
}

FileIdentity LineWriter::Identity() const {
  return files_.StatusOfOpen(file_, path_).identity;
}

}  // namespace ondrel
