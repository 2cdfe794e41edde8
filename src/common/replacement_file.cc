#include "common/replacement_file.h"

#include "common/failure.h"

namespace ondrel {

void RefuseOtherNames(const std::string& target, const FileStatus& original) {
  if (original.links <= 1) return;
  throw Failure(kFailureBadPath, "Il file \"" + target +
                                     "\" ha altri nomi (collegamenti fisici) e non viene "
                                     "riscritto: ne va fatta una copia con un solo nome");
}

ReplacementFile::ReplacementFile(const std::string& path, FileSystem& files) : files_(files) {
  if (!NameTaken(path)) {
    target_ = path;
  } else {
    target_ = ResolvedPath(path);
    const std::optional<FileStatus> status = StatusOf(target_);
    if (!status)
      throw Failure(kFailureNotFound, "Impossibile aprire \"" + path + "\": il file non c'e` piu`");
    if (status->type != FileType::kRegular)
      throw Failure(kFailureBadPath, "\"" + path + "\" non e` un file normale");
    original_ = status;
  }
  CreateTemporary();
}

}  // namespace ondrel
