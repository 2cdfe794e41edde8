#include <sys/mount.h>

#include "lists/small_file_system.h"

namespace ondrel::testing {

SmallFileSystem::SmallFileSystem(const std::string& folder) : folder_(folder) {
  mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") == 0;
}

SmallFileSystem::~SmallFileSystem() {
  if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
}

}  // namespace ondrel::testing
