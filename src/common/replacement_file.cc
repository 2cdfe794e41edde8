#include "common/replacement_file.h"

#include <vector>

#include "common/failure.h"

namespace ondrel {
namespace {

[[noreturn]] void ThrowChanged(const std::string& path) {
  throw Failure(kFailureFileChanged,
                "Il file \"" + path + "\" e` cambiato mentre veniva riscritto");
}

}  // namespace

void RefuseOtherNames(const std::string& target, const FileStatus& original) {
  if (original.links <= 1) return;
  throw Failure(kFailureBadPath, "Il file \"" + target +
                                     "\" ha altri nomi (collegamenti fisici) e non viene "
                                     "riscritto: ne va fatta una copia con un solo nome");
}

ReplacementFile::ReplacementFile(const std::string& target, const FileStatus& original,
                                 FileSystem& files)
    : target_(target), files_(files), original_(original), temporary_(files) {
  FileStatus now;
  watched_ = files_.OpenToRead(target_, now);
  if (now != original) ThrowChanged(target_);
  CreateTemporary();
}

ReplacementFile::ReplacementFile(const std::string& path, FileSystem& files)
    : files_(files), temporary_(files) {
  if (!files_.NameTaken(path)) {
    target_ = path;
  } else {
    target_ = files_.ResolvedPath(path);
    const std::optional<FileStatus> status = StatusIfAny(files_, target_);
    if (!status)
      throw Failure(kFailureNotFound, "Impossibile aprire \"" + path + "\": il file non c'e` piu`");
    if (status->type != FileType::kRegular)
      throw Failure(kFailureBadPath, "\"" + path + "\" non e` un file normale");
    files_.CheckNotPlanted(target_);
    original_ = status;
  }
  CreateTemporary();
}

ReplacementFile::TemporaryName::~TemporaryName() {
  if (!keep && !path.empty()) DiscardFile(files, path);
}

void ReplacementFile::CreateTemporary() {
  if (original_) {
    RefuseOtherNames(target_, *original_);
    // Renaming needs only the folder's permission; a file its user may not write stays as it
    // is, as it would if it were rewritten in place.
    files_.CheckWritable(target_);
  }
  FileHandle file = files_.CreateTemporaryBeside(target_, temporary_.path);
  ownership_ = files_.TakeOverAttributes(file, temporary_.path, target_, original_);
  writer_.emplace(std::move(file), temporary_.path, files_);
}

std::uint64_t ReplacementFile::Commit(bool flush) {
  if (flush) writer_->Sync();
  writer_->Close();
  // Any write, truncation, replacement or change of status since the target was read shows
  // in its status.
  if (original_) {
    const auto now = StatusIfAny(files_, target_);
    if (!now || *now != *original_) ThrowChanged(target_);
  }
  files_.MoveOver(temporary_.path, target_, original_.has_value(), flush, watched_);
  temporary_.keep = true;
  return watched_.IsOpen() ? KeepLateAppends() : 0;
}

// A program that appends (open, write, close) may have opened the old file just before the
// move and written just after the check: its lines are in the old file, still open here.
std::uint64_t ReplacementFile::KeepLateAppends() {
  const FileStatus old = files_.StatusOfOpen(watched_, target_);
  if (old.size <= original_->size) return 0;
  FileHandle list = files_.OpenToWrite(target_, WriteMode::kAppend);
  std::vector<char> buffer(LineWriter::kBufferSize);
  std::uint64_t offset = original_->size;
  for (std::size_t got;
       (got = files_.ReadAt(watched_, offset, buffer.data(), buffer.size(), target_)) > 0;
       offset += got)
    files_.WriteAll(list, buffer.data(), got, target_);
  files_.Close(list, target_);
  return offset - original_->size;
}

}  // namespace ondrel
