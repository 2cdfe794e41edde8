// A disk that fills up, for any machine: the file system the writers go through, with room
// for a given number of bytes more.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "common/failure.h"
#include "common/file_system.h"

namespace ondrel::testing {

// Writes through the system until `room` bytes have been written; the write that does not
// fit writes what fits, as a real full disk does, then fails with kFailureNoSpace, and so
// does every write after it.
class FullDisk final : public FileSystem {
 public:
  explicit FullDisk(std::size_t room) : room_(room) {}

  void WriteAll(FileHandle& file, const char* data, std::size_t size,
                std::string_view path) override {
    const std::size_t fits = std::min(size, room_);
    if (fits > 0) SystemFileSystem().WriteAll(file, data, fits, path);
    room_ -= fits;
    if (fits < size) ThrowFailure(kFailureNoSpace, "Impossibile scrivere", path);
  }

 private:
  std::size_t room_;
};

}  // namespace ondrel::testing
