#include "common/replacement_file.h"

#include "common/failure.h"

namespace ondrel {

void RefuseOtherNames(const std::string& target, const FileStatus& original) {
  if (original.links <= 1) return;
  throw Failure(kFailureBadPath, "Il file \"" + target +
                                     "\" ha altri nomi (collegamenti fisici) e non viene "
                                     "riscritto: ne va fatta una copia con un solo nome");
}

ReplacementFile::ReplacementFile(const std::string& target, const FileStatus& original,
                                 FileSystem& files)
    : target_(target), files_(files), original_(original), temporary_(files) {
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
  files_.TakeOverAttributes(file, temporary_.path, target_, original_);
  writer_.emplace(std::move(file), temporary_.path, files_);
}

void ReplacementFile::Commit(bool flush) {
  if (flush) writer_->Sync();
  writer_->Close();
  // Any write, truncation, replacement or change of status since the target was read shows
  // in its status.
  if (original_) {
    const auto now = StatusIfAny(files_, target_);
    if (!now || *now != *original_)
      throw Failure(kFailureFileChanged,
                    "Il file \"" + target_ + "\" e` cambiato mentre veniva riscritto");
  }
  files_.MoveOver(temporary_.path, target_, original_.has_value(), flush);
  temporary_.keep = true;
}

}  // namespace ondrel
