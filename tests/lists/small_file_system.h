// A 64 KiB file system mounted on a folder for the length of a test, to run out of space
// on purpose. Only root on Linux may mount one; tests skip when Mounted() is false.
#pragma once

#include <string>

namespace ondrel::testing {

class SmallFileSystem {
 public:
  explicit SmallFileSystem(const std::string& folder);
  ~SmallFileSystem();
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;

  bool Mounted() const { return mounted_; }

 private:
  std::string folder_;
  bool mounted_;
};

}  // namespace ondrel::testing
