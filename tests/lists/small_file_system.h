// A 64 KiB file system mounted on a folder for the length of a test, to run out of space
// on purpose. Only root may mount one; tests skip when Mounted() is false.
#pragma once

#include <sys/mount.h>

#include <string>

namespace ondrel::testing {

class SmallFileSystem {
 public:
  explicit SmallFileSystem(const std::string& folder) : folder_(folder) {
    mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") == 0;
  }
  ~SmallFileSystem() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;

  bool Mounted() const { return mounted_; }

 private:
  std::string folder_;
  bool mounted_;
};

}  // namespace ondrel::testing
