#include "common/path_rules.h"

namespace ondrel {

// POSIX file systems tell letter cases apart: the comparison stays exact.
std::string FoldFolderCase(std::string folder) {
  return folder;
}

}  // namespace ondrel
