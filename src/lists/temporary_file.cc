#include "lists/temporary_file.h"

#include <utility>

#include "common/failure.h"
#include "common/path_rules.h"

namespace ondrel {

TemporaryFile::TemporaryFile(const std::string& beside, FileSystem& files) : files_(&files) {
  handle_ = files.CreateTemporaryBeside(beside, path_);
}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept
    : path_(std::exchange(other.path_, {})),
      handle_(std::move(other.handle_)),
      files_(other.files_) {}

TemporaryFile& TemporaryFile::operator=(TemporaryFile&& other) noexcept {
  if (this != &other) {
    Remove();
    path_ = std::exchange(other.path_, {});
    handle_ = std::move(other.handle_);
    files_ = other.files_;
  }
  return *this;
}

TemporaryFile::~TemporaryFile() {
  Remove();
}

// A file that cannot be removed (its folder turned read-only meanwhile) is left: there is no
// one to tell from a destructor, and the work's own outcome is what matters.
void TemporaryFile::Remove() {
  handle_ = FileHandle();
  if (!path_.empty()) DiscardFile(*files_, path_);
  path_.clear();
}

void RequireFreeSpace(const std::string& beside, std::uint64_t needed, std::string_view work,
                      FileSystem& files) {
  constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
  const auto megabytes = [](std::uint64_t bytes) {
    return std::to_string((bytes + kMiB - 1) / kMiB) + " MB";
  };
  const auto free = files.FreeSpace(FolderOf(beside));
  if (!free || *free >= needed) return;
  throw Failure(kFailureNoSpace, "Sul disco di \"" + beside + "\" manca lo spazio " +
                                     std::string(work) + ": servono circa " + megabytes(needed) +
                                     " liberi, ce ne sono " + megabytes(*free));
}

LineFileWriter::LineFileWriter(const std::string& beside, FileSystem& files)
    : file_(beside, files), files_(files) {
  writer_.emplace(file_.TakeHandle(), file_.Path(), files);
}

LineFile LineFileWriter::Finish() {
  FileHandle handle = writer_->Finish();
  writer_.reset();
  files_.Rewind(handle, file_.Path());
  return LineFile{std::move(file_), std::move(handle), bytes_, lines_};
}

}  // namespace ondrel
