// The merge of sorted runs of lines in temporary files, each line at most once in a run: the
// last part of sorting a list that does not fit in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "common/read_buffer.h"
#include "common/text_reader.h"
#include "lists/temporary_file.h"

namespace ondrel {

// The lines of several runs in ascending order, each once.
class RunMerge {
 public:
  // Reads `runs` (which must outlive the merge) through `files`, with buffers of `bufferBytes`
  // each.
  RunMerge(std::vector<LineFile>& runs, std::size_t bufferBytes, FileSystem& files);

  // The next line, valid until the next call, and in how many runs it stood; false when all
  // are read. Throws Failure on a read error.
  bool Next(std::string_view& line, int& copies);

  // The bytes of the runs read so far, line ends included.
  std::uint64_t BytesRead() const { return bytesRead_; }

 private:
  // Moves run `run` on to its next line; false at its end.
  bool Advance(std::size_t run);
  // Restores the order of the heap below `slot`, whose line may have grown.
  void SiftDown(std::size_t slot);
  bool Before(std::size_t a, std::size_t b) const { return heads_[a] < heads_[b]; }

  std::vector<std::unique_ptr<ReadBuffer>> buffers_;
  std::vector<TextFileReader> readers_;
  std::vector<std::string_view> heads_;  // each run's current line
  std::vector<std::size_t> heap_;        // runs with a current line, the least line first
  bool started_ = false;
  std::uint64_t bytesRead_ = 0;
};

}  // namespace ondrel
