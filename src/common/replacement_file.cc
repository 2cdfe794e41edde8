#include "common/replacement_file.h"

#include "common/failure.h"

namespace ondrel {

void RefuseOtherNames(const std::string& target, const FileStatus& original) {
  if (original.links <= 1) return;
  throw Failure(kFailureBadPath, "Il file \"" + target +
                                     "\" ha altri nomi (collegamenti fisici) e non viene "
                                     "riscritto: ne va fatta una copia con un solo nome");
}

}  // namespace ondrel
