// Reads a regular file whole into one buffer, for the list tools that hold a list in memory.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/file_status.h"
#include "common/file_system.h"
#include "common/large_memory.h"

namespace ondrel {

struct WholeFile {
  LargeMemory memory;  // the file's bytes, then the padding, which is zero
  std::size_t size = 0;
  FileStatus status;  // as the file was when it was read

  std::string_view Text() const { return {static_cast<const char*>(memory.Data()), size}; }
};

// Reads `path` through `files`, followed by `padding` zero bytes (room for wide loads past the
// end). Throws Failure when the file cannot be read, is not a regular file, or changes size
// while it is read; std::bad_alloc when memory is short.
WholeFile ReadWholeFile(const std::string& path, std::size_t padding = 0,
                        FileSystem& files = SystemFileSystem());

}  // namespace ondrel
