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
#include "lists/exclusion_rules.h"
#include "lists/line_set.h"
#include "lists/subtraction_reading.h"

namespace ondrel {

class ExcludedLines {
 public:
  // Reads the exclusion file once, its lines counted in `report`, and the base list once,
  // each line by the keys of the file's rule, holding about `budget` bytes of memory at most
  // (more only for a line longer than that); the temporary files, beside `beside` (the
  // output's path), take up to about the two lists' size and the base list's again for the
  // output, which is checked first. Throws Failure, and StopRequest when `stop` asks for it.
  ExcludedLines(const std::string& basePath, const ExclusionFile& exclusion,
                ExclusionReport& report, const std::string& beside, std::uint64_t budget,
                FileSystem& files, const StopCheck& stop);
  ~ExcludedLines();

  // Asked of every trimmed line of the base list read again, in order: whether the rule
  // removes it.
  bool Excludes(std::string_view line);
  // Throws Failure (kFailureFileChanged) unless every base line was asked about, in a base
  // list that did not change since it was first read.
  void RequireWholeBaseAsked() const;

 private:
  class Marks;

  // The key of a trimmed base line as the buckets hold it (a digest in hex digits, so that it is
  // a line); none when the line has no key of the rule.
  std::optional<std::string_view> BaseKey(std::string_view line);
  std::uint64_t HashOf(std::string_view key) const { return HashLine(key, seed_); }
  std::size_t BucketOf(std::uint64_t hash) const {
    return static_cast<std::size_t>(((hash >> 32) * buckets_) >> 32);
  }

  std::string basePath_;
  KeyKind kind_;
  BaseKeyMaker keyMaker_;
  std::string made_;  // the key BaseKey made last
  FileSystem& files_;
  FileStatus baseStatus_;
  std::uint64_t seed_;
  std::uint64_t buckets_ = 0;
  std::vector<std::unique_ptr<Marks>> marks_;  // per bucket, in base order
};

}  // namespace ondrel
