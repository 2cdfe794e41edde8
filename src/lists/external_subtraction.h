// Which lines of a base list the subtraction leaves out, when the exclusion list is too large
// for the memory budget: both lists are split by a hash of each line's key into buckets in
// temporary files, the exclusion keys of one bucket at a time are held in memory to mark the
// base lines of that bucket they exclude, and the marks are then read back in base order
// while the base list is read once more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_status.h"
#include "common/file_system.h"
#include "lists/line_set.h"
#include "lists/subtraction_reading.h"

namespace ondrel {

class ExcludedLines {
 public:
  // Reads the exclusion list once and the base list once, holding about `budget` bytes of
  // memory at most (more only for a line longer than that); the temporary files, beside
  // `beside` (the output's path), take up to about the two lists' size and the base list's
  // again for the output, which is checked first. Throws Failure, and StopRequest when
  // `stop` asks for it.
  ExcludedLines(const std::string& basePath, const std::string& exclusionPath,
                const std::string& beside, std::uint64_t budget, FileSystem& files,
                const StopCheck& stop);
  ~ExcludedLines();

  std::int64_t ExclusionLines() const { return exclusionLines_; }

  // For the lines of the base list read again in order, as a LineSet is asked: the hash of a
  // key, and whether the next base line, of that key and hash, is left out.
  std::uint64_t HashOf(std::string_view key) const { return HashLine(key, seed_); }
  void Prefetch(std::uint64_t) const {}
  bool Contains(std::string_view key, std::uint64_t hash);
  // Throws Failure (kFailureFileChanged) unless every base line was asked about, in a base
  // list that did not change since it was first read.
  void RequireWholeBaseAsked() const;

 private:
  class Marks;

  std::size_t BucketOf(std::uint64_t hash) const {
    return static_cast<std::size_t>(((hash >> 32) * buckets_) >> 32);
  }

  std::string basePath_;
  FileSystem& files_;
  FileStatus baseStatus_;
  std::uint64_t seed_;
  std::uint64_t buckets_ = 0;
  std::int64_t exclusionLines_ = 0;
  std::vector<std::unique_ptr<Marks>> marks_;  // per bucket, in base order
};

}  // namespace ondrel
