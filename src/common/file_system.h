// The file system calls of the program's writers that can fail, behind one interface, so that
// a test can make them fail where a real disk would (full, for one) on any machine.
#pragma once

#include <cstddef>
#include <string_view>

#include "common/file_handle.h"

namespace ondrel {

class FileSystem {
 public:
  // Writes every byte of `data` to `file` or throws Failure (a full disk included); `path`
  // names the file in failures.
  virtual void WriteAll(FileHandle& file, const char* data, std::size_t size,
                        std::string_view path) = 0;

 protected:
  ~FileSystem() = default;
};

// The system's own file system.
FileSystem& SystemFileSystem();

}  // namespace ondrel
