// What one scanned file holds for the provenance table: each distinct address, the line it
// first stands on and how often it occurs. Memory grows with the distinct addresses only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace ondrel {

class FileFindings {
 public:
  struct Occurrence {
    std::uint64_t line = 0;   // 1-based, lines counted by the rule of text_lines.h
    std::uint64_t count = 0;  // how many times the file holds the address
  };

  // A new run of whole lines of the file begins, directly after the previous one; the views
  // handed to Found point into it, and it stays valid until EndLines returns.
  void BeginLines(std::string_view lines);
  // Notes `address`, a view into the current run of lines, after the addresses found before
  // it in the run.
  void Found(std::string_view address);
  void EndLines();

  // The distinct addresses, in no particular order.
  template <typename Visit>
  void ForEach(Visit&& visit) const {
    for (const auto& [address, occurrence] : distinct_) visit(address, occurrence);
  }
  bool Empty() const { return distinct_.empty(); }

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>{}(text);
    }
  };

  std::unordered_map<std::string, Occurrence, Hash, std::equal_to<>> distinct_;
  // How far the file is numbered: the line at `counted_` in the current run, which ends at
  // `runEnd_`, and whether the byte before was a CR (whose LF ends no second line).
  const char* counted_ = nullptr;
  const char* runEnd_ = nullptr;
  std::uint64_t line_ = 1;
  bool afterCr_ = false;
};

}  // namespace ondrel
